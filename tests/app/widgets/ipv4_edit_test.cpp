// The address edit as a user types into it: what it yields (octets and dotted
// text) after each way of entering an address.
#include "app/widgets/ipv4_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <array>

namespace {

// Types each character into whichever field has the focus, as a keyboard
// would; "<" stands for Backspace.
void type(IPv4Edit& edit, const char* keys)
{
    for (const char* k = keys; *k; ++k) {
        QWidget* target = edit.focusWidget() ? edit.focusWidget() : edit.field(0);
        if (*k == '<')
            QTest::keyClick(target, Qt::Key_Backspace);
        else
            QTest::keyClick(target, *k);
    }
}

}  // namespace

TEST(IPv4EditTest, TypingYieldsTheOctetsAndTheDottedText)
{
    struct Case {
        const char* keys;
        const char* text;
        std::array<int, 4> octets;
    };
    const Case cases[] = {
        {"", "", {0, 0, 0, 0}},                                   // untouched: no text, octets 0
        {"10.0.0.5", "10.0.0.5", {10, 0, 0, 5}},                  // dots move on
        {"192168001001", "192.168.1.1", {192, 168, 1, 1}},        // a third digit moves on; no leading zeros
        {"192.168.1.20", "192.168.1.20", {192, 168, 1, 20}},      // a dot after an automatic move skips nothing
        {"300.999.256.999", "255.255.255.255", {255, 255, 255, 255}},  // above 255 comes down to 255
        {"1.2.3.1000", "1.2.3.100", {1, 2, 3, 100}},              // the last field takes three digits
        {"1a0.-0.x0.5!", "10.0.0.5", {10, 0, 0, 5}},              // letters and signs are refused
        {".", "", {0, 0, 0, 0}},                                  // a dot in an empty field stays there
        {"10..", "10.0.0.0", {10, 0, 0, 0}},                      // the second dot finds the field empty
        {"10.<<", "1.0.0.0", {1, 0, 0, 0}},                       // Backspace in an empty field goes back
        {"10.20.<<<<<<", "", {0, 0, 0, 0}},                        // and on until all is gone
    };
    for (const Case& c : cases) {
        IPv4Edit edit;
        type(edit, c.keys);
        EXPECT_EQ(edit.text(), QString::fromLatin1(c.text)) << c.keys;
        EXPECT_EQ(edit.octets(), c.octets) << c.keys;
    }
}

TEST(IPv4EditTest, AWholeAddressPastedOrTypedIntoTheFirstFieldFillsAllFour)
{
    IPv4Edit edit;
    QApplication::clipboard()->setText(QStringLiteral("10.0.0.5"));
    edit.field(0)->setFocus();
    QTest::keyClick(edit.field(0), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("10.0.0.5"));

    // A paste over old contents, with an octet out of range and a tail.
    edit.setText(QStringLiteral("1.2.3.4"));
    edit.field(0)->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("172.300.9.8.7"));
    QTest::keyClick(edit.field(0), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("172.255.9.8"));
}

TEST(IPv4EditTest, SetFromCodeAndChangeSignal)
{
    IPv4Edit edit;
    QSignalSpy changed(&edit, &IPv4Edit::textChanged);
    edit.setText(QStringLiteral("10.0.0.20"));
    EXPECT_EQ(edit.octets(), (std::array<int, 4>{10, 0, 0, 20}));
    EXPECT_EQ(changed.count(), 1);  // one change of the address, not one per field
    EXPECT_EQ(changed.last().at(0).toString(), QStringLiteral("10.0.0.20"));

    edit.setOctets({10, 0, 0, 255});
    EXPECT_EQ(edit.text(), QStringLiteral("10.0.0.255"));

    // Only the second octet set: the text still has all four.
    edit.clear();
    EXPECT_EQ(edit.text(), QString());
    edit.field(1)->setFocus();
    type(edit, "5");
    EXPECT_EQ(edit.text(), QStringLiteral("0.5.0.0"));

    edit.setText(QStringLiteral("garbage"));
    EXPECT_EQ(edit.text(), QString());
}
