// The page "Scan settings" as a user works it: ranges added, refused,
// deleted and moved, the "0..255" button and the port fields.
#include "app/settings/scan_page.h"
#include "app/widgets/ipv4_edit.h"
#include "tests/app/settings/settings_fixture.h"
#include "tests/support/modal_answer.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

using ScanPageTest = SettingsFixture;

QStringList rows(const QTreeWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        out.append(QStringLiteral("%1%2-%3")
                       .arg(item->checkState(TSettings::RangeFromColumn) == Qt::Checked ? QStringLiteral("+")
                                                                                         : QStringLiteral("-"),
                            item->text(TSettings::RangeFromColumn), item->text(TSettings::RangeToColumn)));
    }
    return out;
}

}  // namespace

TEST_F(ScanPageTest, AddChecksTheRangeInOrderAndStoresTheListAtOnce)
{
    struct Case {
        const char* listed;  // a range already in the list, or none
        const char* from;
        const char* to;
        const char* message;  // nullptr: added
    };
    const Case cases[] = {
        {nullptr, "10.0.0.5", "10.0.0.5", nullptr},  // one address
        {nullptr, "10.0.0.1", "10.0.19.1", nullptr},  // twenty third octets
        {nullptr, "10.0.0.1", "10.0.20.1", "IP range incorrect or very big"},
        {nullptr, "10.0.1.200", "10.0.2.5", nullptr},  // fourth octets not compared across
        {nullptr, "10.0.5.1", "10.0.4.255", "IP range incorrect or very big"},
        {nullptr, "10.0.0.9", "10.0.0.3", "IP range incorrect"},
        {nullptr, "10.0.0.1", "11.0.0.1", "IP range incorrect or very big"},
        {nullptr, "10.1.0.1", "10.2.0.1", "IP range incorrect or very big"},
        {nullptr, "0.1.2.3", "10.1.2.3", "Incorrect IP range"},
        {nullptr, "", "10.0.0.1", "Incorrect IP range"},  // untouched From
        {nullptr, "10.0.0.1", "", "Incorrect IP range"},
        {nullptr, "0.1.2.3", "0.1.2.9", "Incorrect IP range"},  // the first test wins
        {"10.0.0.1-10.0.0.255", "10.0.0.1", "10.0.0.255", "IP range exist"},
        {"10.0.0.1-10.0.0.255", "10.0.0.255", "10.0.1.10", "IP range exist"},  // From meets a listed To
        {"10.0.0.1-10.0.0.255", "10.0.0.1", "10.0.0.100", nullptr},            // a shared start is fine
        {"10.0.0.1-10.0.0.255", "10.0.0.100", "10.0.0.255", "IP range exist"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " to " + c.to);
        QFile::remove(path());
        start();
        SettingsScanPage& page = *settings->TS2;
        QStringList expected;
        if (c.listed) {
            const QStringList ends = QString::fromLatin1(c.listed).split(QLatin1Char('-'));
            page.appendRange(ends[0], ends[1], false);
            expected.append(QStringLiteral("-") + QString::fromLatin1(c.listed));
        }
        page.IPE1->setText(QString::fromLatin1(c.from));
        page.IPE2->setText(QString::fromLatin1(c.to));
        ModalAnswerer boxes;
        page.SBAdd->click();
        if (c.message) {
            EXPECT_EQ(boxes.texts, QStringList{QString::fromLatin1(c.message)});
            EXPECT_EQ(boxes.captions, QStringList{QStringLiteral("Error")});
            EXPECT_EQ(contents(), QByteArray("<missing>"));  // nothing stored
        } else {
            EXPECT_TRUE(boxes.texts.isEmpty());
            expected.append(QStringLiteral("+%1-%2").arg(QString::fromLatin1(c.from), QString::fromLatin1(c.to)));
            EXPECT_TRUE(contents().startsWith(QStringLiteral("[Ranges]\nRanges=%1\n").arg(expected.size()).toLatin1()))
                << contents().constData();
        }
        EXPECT_EQ(rows(page.LWranges), expected);
        // The edits keep what was typed, for the next neighbouring range.
        EXPECT_EQ(page.IPE1->text(), QString::fromLatin1(c.from));
        exit();
    }
}

TEST_F(ScanPageTest, DeleteSelectsTheRowAboveAndStoresAtOnce)
{
    start();
    SettingsScanPage& page = *settings->TS2;
    for (const char* from : {"10.0.1.1", "10.0.2.1", "10.0.3.1"})
        page.appendRange(QString::fromLatin1(from), QString::fromLatin1(from), true);

    // Nothing selected: nothing happens, nothing is written.
    page.SBDel->click();
    EXPECT_EQ(page.LWranges->topLevelItemCount(), 3);
    EXPECT_EQ(contents(), QByteArray("<missing>"));

    // The first of three: the new first is selected.
    page.LWranges->setCurrentItem(page.LWranges->topLevelItem(0));
    page.SBDel->click();
    EXPECT_EQ(rows(page.LWranges), QStringList({QStringLiteral("+10.0.2.1-10.0.2.1"), QStringLiteral("+10.0.3.1-10.0.3.1")}));
    EXPECT_EQ(page.LWranges->currentItem(), page.LWranges->topLevelItem(0));
    EXPECT_TRUE(contents().startsWith("[Ranges]\nRanges=2\nRangeFrom0=10.0.2.1\n"));

    // The last: the one above it is selected.
    page.appendRange(QStringLiteral("10.0.4.1"), QStringLiteral("10.0.4.1"), true);
    page.LWranges->setCurrentItem(page.LWranges->topLevelItem(2));
    page.SBDel->click();
    EXPECT_EQ(page.LWranges->topLevelItemCount(), 2);
    EXPECT_EQ(page.LWranges->currentItem(), page.LWranges->topLevelItem(1));
    EXPECT_TRUE(page.LWranges->topLevelItem(1)->isSelected());

    // Down to none: Ranges=0 at once.
    page.SBDel->click();
    page.SBDel->click();
    EXPECT_EQ(page.LWranges->topLevelItemCount(), 0);
    EXPECT_TRUE(contents().startsWith("[Ranges]\nRanges=0\n"));
    EXPECT_TRUE(contents().contains("Checked=\n"));
}

TEST_F(ScanPageTest, MovesCarryTheRowWithItsCheckAndAreStoredAtExit)
{
    start();
    SettingsScanPage& page = *settings->TS2;
    page.appendRange(QStringLiteral("10.0.1.1"), QStringLiteral("10.0.1.9"), false);
    page.appendRange(QStringLiteral("10.0.2.1"), QStringLiteral("10.0.2.9"), true);
    page.appendRange(QStringLiteral("10.0.3.1"), QStringLiteral("10.0.3.9"), false);

    // The first cannot go up, the last cannot go down, none selected is no move.
    page.SpeedButton1->click();
    page.LWranges->setCurrentItem(page.LWranges->topLevelItem(0));
    page.SpeedButton1->click();
    page.LWranges->setCurrentItem(page.LWranges->topLevelItem(2));
    page.SpeedButton2->click();
    const QStringList original{QStringLiteral("-10.0.1.1-10.0.1.9"), QStringLiteral("+10.0.2.1-10.0.2.9"),
                               QStringLiteral("-10.0.3.1-10.0.3.9")};
    EXPECT_EQ(rows(page.LWranges), original);

    // The checked middle row goes down past the unchecked one, then to the top.
    page.LWranges->setCurrentItem(page.LWranges->topLevelItem(1));
    page.SpeedButton2->click();
    EXPECT_EQ(rows(page.LWranges), QStringList({original[0], original[2], original[1]}));
    EXPECT_EQ(page.LWranges->currentItem(), page.LWranges->topLevelItem(2));
    page.SpeedButton1->click();
    page.SpeedButton1->click();
    page.SpeedButton1->click();  // already at the top
    EXPECT_EQ(rows(page.LWranges), QStringList({original[1], original[0], original[2]}));
    EXPECT_EQ(page.LWranges->currentItem(), page.LWranges->topLevelItem(0));

    // Moves are not written at once; the exit stores the order shown.
    EXPECT_EQ(contents(), QByteArray("<missing>"));
    exit();
    EXPECT_TRUE(contents().startsWith("[Ranges]\nRanges=3\nRangeFrom0=10.0.2.1\nRangeTo0=10.0.2.9\n"
                                      "RangeFrom1=10.0.1.1\nRangeTo1=10.0.1.9\n"
                                      "RangeFrom2=10.0.3.1\nRangeTo2=10.0.3.9\nChecked=100\n"));
}

TEST_F(ScanPageTest, ZeroTo255CompletesTheBlockOfTheFromAddress)
{
    start();
    SettingsScanPage& page = *settings->TS2;
    page.IPE2->setText(QStringLiteral("10.9.9.9"));
    page.SpeedButton3->click();  // From empty: nothing
    EXPECT_EQ(page.IPE2->text(), QStringLiteral("10.9.9.9"));

    page.IPE1->setText(QStringLiteral("10.0.0.20"));
    page.SpeedButton3->click();
    EXPECT_EQ(page.IPE1->text(), QStringLiteral("10.0.0.20"));
    EXPECT_EQ(page.IPE2->text(), QStringLiteral("10.0.0.255"));
}

TEST_F(ScanPageTest, PortFieldsTakeDigitsOnlyAndBeepAtTheRest)
{
    start();
    int beeps = 0;
    settings->beep = [&beeps] { ++beeps; };
    for (QLineEdit* edit : {settings->CSport, settings->HLTVport, settings->TS3->MEPort}) {
        SCOPED_TRACE(edit->objectName().toStdString());
        beeps = 0;
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("2a7"));
        EXPECT_EQ(edit->text(), QStringLiteral("27"));
        EXPECT_EQ(beeps, 1);
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(edit->text(), QStringLiteral("2"));
        QTest::keyClicks(edit, QStringLiteral("701599"));  // five characters at most
        EXPECT_EQ(edit->text(), QStringLiteral("27015"));

        // A paste keeps its digits, and the limit then applies.
        edit->clear();
        QApplication::clipboard()->setText(QStringLiteral(" 27a0-15x"));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit->text(), QStringLiteral("27015"));
        EXPECT_EQ(beeps, 1);  // a paste does not beep
    }
}
