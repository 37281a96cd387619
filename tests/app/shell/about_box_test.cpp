// The about box, offscreen: its texts, its look and the home-page link.
#include "app/shell/about_box.h"
#include "tests/support/fakes.h"
#include "tests/support/test_program.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QColor colourOf(const QLabel* l) { return l->palette().color(QPalette::WindowText); }

struct AboutFixture {
    TestForm window = makeTestForm();
    FakeUrlOpener* opener = nullptr;
    std::unique_ptr<TFormAbout> about;

    AboutFixture()
    {
        auto fake = std::make_unique<FakeUrlOpener>();
        opener = fake.get();
        about = std::make_unique<TFormAbout>(*window.form, std::move(fake));
    }
};

const QColor kBlue(0, 0, 255), kRed(255, 0, 0), kPurple(128, 0, 128);

}  // namespace

TEST(AboutBox, TextsAndLook)
{
    AboutFixture f;
    TFormAbout& a = *f.about;
    EXPECT_EQ(a.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(a.size(), QSize(300, 230));
    EXPECT_EQ(a.minimumSize(), a.maximumSize());
    EXPECT_FALSE(a.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(a.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(a.isModal());

    const std::pair<QLabel*, const char*> texts[] = {
        {a.Label1, "Zarnek"},
        {a.Label3, "version 1.98"},
        {a.Label2, "Fast search Valve multiplayer servers"},
        {a.Label11, "Supported games:"},
        {a.Label12, "Half-Life, CS1.5,  CS 1.6,  CS:Source"},
        {a.Label13, "HL2DM,  Condition-Zero"},
        {a.Label9, "Home page:"},
    };
    for (auto [label, text] : texts)
        EXPECT_EQ(label->text(), QString::fromLatin1(text)) << text;
    EXPECT_EQ(a.Label10->text(), TFormAbout::kHomePage);

    EXPECT_TRUE(a.Label1->font().bold() && a.Label1->font().italic());
    EXPECT_GT(a.Label1->font().pointSizeF(), a.Label3->font().pointSizeF());
    EXPECT_EQ(colourOf(a.Label1), kBlue);
    EXPECT_TRUE(a.Label2->font().italic());
    EXPECT_EQ(colourOf(a.Label2), QColor(0, 0, 128));
    EXPECT_TRUE(a.Label11->font().bold());
    EXPECT_EQ(a.Image1->pixmap().size(), QSize(32, 32));
    // Everything inside the fixed client area; the link inside its frame.
    for (QWidget* w : a.findChildren<QWidget*>())
        EXPECT_TRUE(a.rect().contains(w->geometry())) << w->objectName().toStdString();
    EXPECT_TRUE(a.Bevel1->geometry().contains(a.Label10->geometry()));
    EXPECT_TRUE(a.Bevel1->geometry().contains(a.Label9->geometry()));
}

TEST(AboutBox, LinkFollowsPressReleaseHoverAndLeave)
{
    AboutFixture f;
    TFormAbout& a = *f.about;
    a.show();
    QLabel* link = a.Label10;
    EXPECT_EQ(colourOf(link), kBlue);
    EXPECT_FALSE(link->font().underline());

    QTest::mouseMove(link, link->rect().center());
    EXPECT_TRUE(link->font().underline());
    QTest::mousePress(link, Qt::LeftButton, {}, link->rect().center());
    EXPECT_EQ(colourOf(link), kRed);
    EXPECT_TRUE(f.opener->opened.empty());
    QTest::mouseRelease(link, Qt::LeftButton, {}, link->rect().center());
    EXPECT_EQ(colourOf(link), kPurple);
    ASSERT_EQ(f.opener->opened.size(), 1u);
    EXPECT_EQ(f.opener->opened[0], QUrl(TFormAbout::kHomePage));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link, &leave);
    EXPECT_FALSE(link->font().underline());

    // Purple for good, also after the box was closed and shown again; the
    // underline still follows the pointer.
    a.close();
    a.show();
    EXPECT_EQ(colourOf(link), kPurple);
    QTest::mouseMove(link, link->rect().center() + QPoint(2, 0));
    EXPECT_TRUE(link->font().underline());

    // A press dragged off the link and let go there colours it but opens
    // nothing.
    QTest::mousePress(link, Qt::LeftButton, {}, link->rect().center());
    QTest::mouseRelease(link, Qt::LeftButton, {}, link->rect().bottomRight() + QPoint(40, 40));
    EXPECT_EQ(colourOf(link), kPurple);
    EXPECT_EQ(f.opener->opened.size(), 1u);
}

TEST(AboutBox, EachShowTakesTheTranslucencyInForce)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("zarnek.ini"));
    {
        QFile file(ini);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Settings]\nTrans=1\nTransLevel=102\n");
    }
    TestProgram p(ini);
    // The program's own about box, as start-up made it.
    ASSERT_EQ(p->FormAbout, p.windows.FormAbout.get());
    TFormAbout& about = *p.windows.FormAbout;
    about.show();
    EXPECT_NEAR(about.windowOpacity(), 102 / 255.0, 0.01);
    about.close();

    p.settings->TransLevel = 204;
    about.show();
    EXPECT_NEAR(about.windowOpacity(), 204 / 255.0, 0.01);
    about.close();

    // Translucency switched off while the box was translucent: opaque again.
    p.settings->Trans = false;
    about.setWindowOpacity(0.5);
    about.show();
    EXPECT_DOUBLE_EQ(about.windowOpacity(), 1.0);
}
