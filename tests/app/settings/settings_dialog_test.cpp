// The settings dialog with the real main window: what Load does to both, and
// what the file holds after the immediate writes and the save at exit.
#include "tests/app/settings/settings_fixture.h"
#include "app/settings/settings_dialog.h"
#include "app/settings/favorites_page.h"
#include "app/settings/main_page.h"
#include "app/settings/scan_page.h"
#include "app/widgets/ipv4_edit.h"
#include "core/settings/settings_keys.h"
#include "tests/support/modal_answer.h"
#include "tests/support/test_form.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace zarnek::settings;

namespace {

using SettingsDialogTest = SettingsFixture;

QTreeWidgetItem* addRange(TSettings& s, const char* from, const char* to, bool checked)
{
    auto* item = new QTreeWidgetItem(s.LWranges, {QString::fromLatin1(from), QString::fromLatin1(to)});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(TSettings::RangeFromColumn, checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

// Counts the files renamed into a folder: each replacement of the settings
// file is one.
class RenameCounter {
public:
    explicit RenameCounter(const QString& dir) : fd_(::inotify_init1(IN_NONBLOCK))
    {
        ::inotify_add_watch(fd_, QFile::encodeName(dir).constData(), IN_MOVED_TO | IN_MODIFY);
    }
    ~RenameCounter() { ::close(fd_); }
    // The renames and in-place modifications of zarnek.ini since the last call.
    std::pair<int, int> take()
    {
        int renames = 0;
        int writes = 0;
        alignas(inotify_event) char buf[8192];
        ssize_t n;
        while ((n = ::read(fd_, buf, sizeof buf)) > 0) {
            for (char* p = buf; p < buf + n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(p);
                if (e->len > 0 && std::string(e->name) == "zarnek.ini") {
                    renames += (e->mask & IN_MOVED_TO) ? 1 : 0;
                    writes += (e->mask & IN_MODIFY) ? 1 : 0;
                }
                p += sizeof(inotify_event) + e->len;
            }
        }
        return {renames, writes};
    }

private:
    int fd_;
};

}  // namespace

TEST_F(SettingsDialogTest, EachOperationReplacesTheFileOnce)
{
    // So a kill at any moment leaves the old file or the new one, never one
    // with its sections erased and not yet written again.
    put("[Password]\nLastPass=x\nShowPass=1\n");
    RenameCounter counter(dir.path());
    start();
    EXPECT_EQ(counter.take(), std::make_pair(0, 0));  // Load only reads
    for (int i = 0; i < 50; ++i)
        addRange(*settings, "10.0.0.1", "10.0.0.9", i % 2 == 0);
    settings->SaveRanges();
    EXPECT_EQ(counter.take(), std::make_pair(1, 0));
    form->setRGIndex(1);
    EXPECT_EQ(counter.take(), std::make_pair(1, 0));
    for (int i = 0; i < 50; ++i)
        new QTreeWidgetItem(settings->LVFav, {QStringLiteral("10.0.0.%1").arg(i), QStringLiteral("27015")});
    exit();
    EXPECT_EQ(counter.take(), std::make_pair(1, 0));
    EXPECT_TRUE(contents().startsWith("[Password]\nLastPass=x\nShowPass=1\n[Ranges]\nRanges=50\n"));
}

TEST_F(SettingsDialogTest, WithoutAFileEverySettingHasItsDefault)
{
    start();
    EXPECT_EQ(form->RGIndex(), 0);
    EXPECT_EQ(settings->CSport->text(), QStringLiteral("27015"));
    EXPECT_EQ(settings->HLTVport->text(), QStringLiteral("27020"));
    EXPECT_TRUE(settings->CBBroadcast->isChecked());
    EXPECT_TRUE(settings->CBOld->isChecked());
    EXPECT_EQ(settings->SEDelay->value(), 5);
    EXPECT_FALSE(settings->CBAutoUpdate->isChecked());
    EXPECT_EQ(settings->SEUpdInterval->value(), 10);
    EXPECT_FALSE(form->TimerFav->isActive());
    EXPECT_EQ(form->TimerFav->interval(), 10000);
    EXPECT_TRUE(settings->CBDclick->isChecked());
    EXPECT_FALSE(settings->Trans);
    EXPECT_FALSE(settings->CBTrans->isChecked());
    EXPECT_FALSE(settings->TBTrans->isEnabled());
    EXPECT_EQ(settings->TransLevel, 255);
    EXPECT_EQ(form->size(), QSize(680, 351));
    EXPECT_EQ(settings->CBGame->currentIndex(), 0);
    EXPECT_EQ(settings->EditParam->text(), QStringLiteral("-console"));
    EXPECT_EQ(settings->PageControl1->currentIndex(), 0);
    EXPECT_EQ(settings->LWranges->topLevelItemCount(), 0);
    EXPECT_EQ(settings->LVFav->topLevelItemCount(), 0);
    EXPECT_EQ(settings->CBParams->count(), 11);
    EXPECT_EQ(settings->CBParams->currentIndex(), -1);
    EXPECT_EQ(settings->Param[5], QStringLiteral("-steam -game hl2mp"));
    EXPECT_EQ(form->Settings, settings.get());
    EXPECT_EQ(contents(), QByteArray("<missing>"));  // Load writes nothing here
}

TEST_F(SettingsDialogTest, EachControlHoldsItsValueWithinItsRange)
{
    start();
    settings->SEDelay->setValue(99);
    EXPECT_EQ(settings->SEDelay->value(), 30);
    settings->SEUpdInterval->setValue(1);
    EXPECT_EQ(settings->SEUpdInterval->value(), 5);
    settings->TBTrans->setValue(10);
    EXPECT_EQ(settings->TBTrans->value(), 50);
    settings->HLTVport->setText(QStringLiteral("1234567"));
    EXPECT_EQ(settings->HLTVport->text(), QStringLiteral("12345"));
    settings->LVFav->header()->resizeSection(TSettings::FavAddressColumn, 20);
    EXPECT_EQ(settings->LVFav->header()->sectionSize(TSettings::FavAddressColumn), 70);
    settings->LVFav->header()->resizeSection(TSettings::FavPortColumn, 80);
    EXPECT_EQ(settings->LVFav->header()->sectionSize(TSettings::FavPortColumn), 50);

    // The spin edits change with the arrow keys only, never by typing.
    settings->SEDelay->setValue(5);
    QTest::keyClick(settings->SEDelay, Qt::Key_Up);
    EXPECT_EQ(settings->SEDelay->value(), 6);
    QTest::keyClicks(settings->SEDelay, QStringLiteral("9"));
    QTest::keyClick(settings->SEDelay, Qt::Key_Return);
    EXPECT_EQ(settings->SEDelay->value(), 6);

    // A changed interval sets the favourites timer.
    settings->SEUpdInterval->setValue(20);
    EXPECT_EQ(form->TimerFav->interval(), 20000);
}

TEST_F(SettingsDialogTest, ANormalExitWritesTheKnownFile)
{
    start();
    addRange(*settings, "192.168.0.1", "192.168.0.255", true);
    new QTreeWidgetItem(settings->LVFav, {QStringLiteral("192.168.0.10"), QStringLiteral("27015")});
    // What the password prompt writes before the dialog is destroyed.
    settings->writeSettings([](IniDocument& doc) {
        writePassword(doc, {});
    });
    exit();

    QByteArray expected =
        "[Password]\nLastPass=\nShowPass=0\n"
        "[Ranges]\nRanges=1\nRangeFrom0=192.168.0.1\nRangeTo0=192.168.0.255\nChecked=1\n"
        "[Settings]\nGameType=0\nHeight=351\nWidth=680\nTransLevel=255\nCSPort=27015\nTrans=0\n"
        "DoubleClick=1\nHLTVPort=27020\nBroadcast=1\nScanOld=1\nFavAutoScan=0\nUpdInterval=10\n"
        "Delay=5\nCurItem=0\nCurPage=0\nFavWidth=103\n"
        "ExePath0=\nParam0=-console\nExePath1=\nParam1=-game cstrike -console\n"
        "ExePath2=\nParam2=-game cstrike\nExePath3=\nParam3=-game czero\n"
        "ExePath4=\nParam4=-steam -game cstrike -console\nExePath5=\nParam5=-steam -game hl2mp\n"
        "[Params]\n-console=\n-nointo=\n-steam=\n-full=\n-win=\n-noip=\n-noipx=\n-freq 100=\n"
        "-noforcemparms=\n-noforcemaccel=\n-noforcemspd=\n"
        "[Favorites]\n192.168.0.10 0=27015\n";
    EXPECT_EQ(contents(), expected);
}

TEST_F(SettingsDialogTest, LoadBringsStoredValuesIntoTheControlsAndTheMainWindow)
{
    put("[Settings]\r\n"
        "GameType = 7\r\n"
        "Height=50\r\nWidth=100\r\n"
        "CurItem=2\r\nExePath2=/games/Half Life/hl.exe\r\nParam2=-game cstrike -noipx\r\n"
        "FavWidth=200\r\nDelay=45\r\nUpdInterval=90\r\nTransLevel=300\r\nTrans=1\r\n"
        "CurPage=2\r\nFavAutoScan=1\r\nBroadcast=0\r\nScanOld=0x0\r\nDoubleClick=0\r\n"
        "CSPort=2701599\r\n"
        "[Ranges]\r\nRanges=3\r\nRangeFrom0=10.0.0.1\r\nRangeTo0=10.0.0.9\r\n"
        "RangeFrom1=10.0.1.1\r\nRangeTo1=10.0.1.9\r\nRangeFrom2=10.0.2.1\r\nRangeTo2=10.0.2.9\r\n"
        "Checked=10\r\n"
        "[Params]\r\n"
        "[Favorites]\r\n10.0.0.5 0=27015\r\n10.0.0.5 1=27016");
    start();

    // The clamped scan-port choice is a different item: RGClick stored it.
    EXPECT_EQ(form->RGIndex(), 1);
    EXPECT_TRUE(contents().contains("GameType=1\r\n"));
    EXPECT_EQ(form->size(), QSize(680, 175));
    EXPECT_EQ(settings->CBGame->currentIndex(), 2);
    EXPECT_EQ(settings->EditExe->text(), QStringLiteral("/games/Half Life/hl.exe"));
    EXPECT_EQ(settings->EditParam->text(), QStringLiteral("-game cstrike -noipx"));
    EXPECT_EQ(settings->LVFav->header()->sectionSize(TSettings::FavAddressColumn), 110);
    EXPECT_EQ(settings->SEDelay->value(), 30);
    EXPECT_EQ(settings->SEUpdInterval->value(), 60);
    EXPECT_EQ(settings->TransLevel, 44);
    EXPECT_EQ(settings->PageControl1->currentIndex(), 2);
    EXPECT_FALSE(settings->CBBroadcast->isChecked());
    EXPECT_FALSE(settings->CBOld->isChecked());
    EXPECT_FALSE(settings->CBDclick->isChecked());
    EXPECT_EQ(settings->CSport->text(), QStringLiteral("27015"));  // at most five characters

    // The auto-scan is on, its first pass right after start-up.
    EXPECT_TRUE(settings->CBAutoUpdate->isChecked());
    EXPECT_TRUE(form->TimerFav->isActive());
    EXPECT_EQ(form->TimerFav->interval(), 200);
    EXPECT_EQ(form->statusText(2), QStringLiteral(" Autoscan enabled"));

    // Translucency is switched on for the main window and the dialog.
    EXPECT_TRUE(settings->CBTrans->isChecked());
    EXPECT_TRUE(settings->TBTrans->isEnabled());
    EXPECT_NEAR(form->windowOpacity(), 44 / 255.0, 0.01);
    EXPECT_NEAR(settings->windowOpacity(), 44 / 255.0, 0.01);

    ASSERT_EQ(settings->LWranges->topLevelItemCount(), 3);
    const Qt::CheckState checks[] = {Qt::Checked, Qt::Unchecked, Qt::Unchecked};
    for (int i = 0; i < 3; ++i) {
        const QTreeWidgetItem* item = settings->LWranges->topLevelItem(i);
        EXPECT_EQ(item->checkState(TSettings::RangeFromColumn), checks[i]) << i;
        EXPECT_EQ(item->text(TSettings::RangeFromColumn), QStringLiteral("10.0.%1.1").arg(i));
        EXPECT_EQ(item->text(TSettings::RangeToColumn), QStringLiteral("10.0.%1.9").arg(i));
    }
    ASSERT_EQ(settings->LVFav->topLevelItemCount(), 2);
    EXPECT_EQ(settings->LVFav->topLevelItem(1)->text(0), QStringLiteral("10.0.0.5"));
    EXPECT_EQ(settings->LVFav->topLevelItem(1)->text(1), QStringLiteral("27016"));
    EXPECT_EQ(settings->CBParams->count(), 11);  // an empty [Params] counts as absent

    // The next exit writes the eleven defaults and the clamped values.
    exit();
    const QByteArray saved = contents();
    EXPECT_TRUE(saved.contains("[Params]\r\n-console=\r\n-nointo=\r\n")) << saved.constData();
    EXPECT_TRUE(saved.contains("Delay=30\r\n"));
    EXPECT_TRUE(saved.contains("TransLevel=44\r\n"));
    EXPECT_TRUE(saved.contains("FavWidth=110\r\n"));
    EXPECT_TRUE(saved.contains("10.0.0.5 0=27015\r\n10.0.0.5 1=27016\r\n"));
}

TEST_F(SettingsDialogTest, OtherStoredValuesTheControlsCannotShow)
{
    struct Case {
        const char* file;
        int rg;
        int updInterval;
        int timerInterval;
        int page;
        int game;
    } cases[] = {
        {"[Settings]\nGameType=-4\nUpdInterval=3\nCurPage=5\nCurItem=6\n", -1, 10, 10000, 0, 0},
        {"[Settings]\nGameType=1\nUpdInterval=20\nCurPage=-1\nCurItem=-1\n", 1, 20, 20000, 0, 0},
        {"[Settings]\nGameType=0x0\nUpdInterval=5\nCurPage=1\nCurItem=0x5\n", 0, 5, 5000, 1, 5},
    };
    for (const Case& c : cases) {
        put(c.file);
        start();
        EXPECT_EQ(form->RGIndex(), c.rg) << c.file;
        EXPECT_EQ(settings->SEUpdInterval->value(), c.updInterval) << c.file;
        EXPECT_EQ(form->TimerFav->interval(), c.timerInterval) << c.file;
        EXPECT_FALSE(form->TimerFav->isActive()) << c.file;
        EXPECT_EQ(settings->PageControl1->currentIndex(), c.page) << c.file;
        EXPECT_EQ(settings->CBGame->currentIndex(), c.game) << c.file;
        // No item selected is not a click: nothing was written at once.
        EXPECT_EQ(contents(), QByteArray(c.file)) << c.file;
        exit();
    }
}

TEST_F(SettingsDialogTest, WhatOneRunChoosesIsInForceInTheNext)
{
    start();
    form->setRGIndex(1);  // a user's click: stored at once
    EXPECT_EQ(contents(), QByteArray("[Settings]\nGameType=1\n"));
    settings->CBTrans->setChecked(true);
    settings->TBTrans->setValue(120);
    settings->CSport->setText(QStringLiteral("27016"));
    settings->SEDelay->setValue(12);
    settings->CBAutoUpdate->setChecked(true);
    settings->SEUpdInterval->setValue(25);
    settings->PageControl1->setCurrentIndex(1);
    settings->LVFav->header()->resizeSection(TSettings::FavAddressColumn, 300);  // bounded to 110
    settings->ExePath[4] = QStringLiteral("/opt/steam/hl2 ä.exe");
    settings->CBParams->clear();
    settings->CBParams->addItems({QStringLiteral("-dev"), QStringLiteral("-freq 100")});
    addRange(*settings, "10.0.0.1", "10.0.0.255", false);
    new QTreeWidgetItem(settings->LVFav, {QStringLiteral("10.0.0.5"), QStringLiteral("27015")});
    new QTreeWidgetItem(settings->LVFav, {QStringLiteral("10.0.0.5"), QStringLiteral("27016")});
    form->resize(760, 500);  // within the offscreen screen (800 by 600)
    exit();

    start();
    EXPECT_EQ(form->RGIndex(), 1);
    EXPECT_TRUE(settings->Trans);
    EXPECT_EQ(settings->TransLevel, 120);
    EXPECT_NEAR(form->windowOpacity(), 120 / 255.0, 0.01);
    EXPECT_EQ(settings->CSport->text(), QStringLiteral("27016"));
    EXPECT_EQ(settings->SEDelay->value(), 12);
    EXPECT_TRUE(settings->CBAutoUpdate->isChecked());
    EXPECT_EQ(settings->SEUpdInterval->value(), 25);
    EXPECT_EQ(settings->PageControl1->currentIndex(), 1);
    EXPECT_EQ(settings->LVFav->header()->sectionSize(TSettings::FavAddressColumn), 110);
    EXPECT_EQ(settings->ExePath[4], QStringLiteral("/opt/steam/hl2 ä.exe"));
    EXPECT_EQ(settings->CBParams->count(), 2);
    EXPECT_EQ(settings->CBParams->itemText(1), QStringLiteral("-freq 100"));
    ASSERT_EQ(settings->LWranges->topLevelItemCount(), 1);
    EXPECT_EQ(settings->LWranges->topLevelItem(0)->checkState(0), Qt::Unchecked);
    ASSERT_EQ(settings->LVFav->topLevelItemCount(), 2);
    EXPECT_EQ(settings->LVFav->topLevelItem(1)->text(1), QStringLiteral("27016"));
    EXPECT_EQ(form->size(), QSize(760, 500));
}

TEST_F(SettingsDialogTest, SaveRangesWritesTheListAtOnce)
{
    start();
    addRange(*settings, "10.0.0.1", "10.0.0.255", true);
    addRange(*settings, "10.0.1.1", "10.0.1.255", false);
    settings->SaveRanges();
    EXPECT_EQ(contents(), QByteArray("[Ranges]\nRanges=2\nRangeFrom0=10.0.0.1\nRangeTo0=10.0.0.255\n"
                                     "RangeFrom1=10.0.1.1\nRangeTo1=10.0.1.255\nChecked=10\n"));
    settings->LWranges->clear();
    settings->SaveRanges();
    // The keys of the longer list stay until the save at exit, unread.
    EXPECT_EQ(contents(), QByteArray("[Ranges]\nRanges=0\nRangeFrom0=10.0.0.1\nRangeTo0=10.0.0.255\n"
                                     "RangeFrom1=10.0.1.1\nRangeTo1=10.0.1.255\nChecked=\n"));
    exit();
    EXPECT_TRUE(contents().startsWith("[Ranges]\nRanges=0\nChecked=\n[Settings]\n"));
}

TEST_F(SettingsDialogTest, ShowingTheMainPageMovesTheLevelIntoTheTrackBar)
{
    put("[Settings]\nTrans=1\nTransLevel=30\n");
    start();
    EXPECT_NEAR(form->windowOpacity(), 30 / 255.0, 0.01);
    settings->showNonModal();
    EXPECT_EQ(settings->TBTrans->value(), 50);
    EXPECT_EQ(settings->TransLevel, 50);
    EXPECT_NEAR(form->windowOpacity(), 50 / 255.0, 0.01);
    EXPECT_NEAR(settings->windowOpacity(), 50 / 255.0, 0.01);
    settings->CBTrans->setChecked(false);
    EXPECT_DOUBLE_EQ(form->windowOpacity(), 1.0);
    EXPECT_DOUBLE_EQ(settings->windowOpacity(), 1.0);
    EXPECT_FALSE(settings->TBTrans->isEnabled());
    settings->CBAutoUpdate->setChecked(true);
    form->setStatusText(0, QStringLiteral(" 10.0.0.1"));
    settings->CBAutoUpdate->setChecked(false);
    EXPECT_FALSE(form->TimerFav->isActive());
    EXPECT_EQ(form->statusText(0), QString());
    EXPECT_EQ(form->statusText(2), QStringLiteral(" Autoscan disabled"));
}

TEST_F(SettingsDialogTest, AFailedWriteSaysSoAndLeavesTheOldFile)
{
    // As root a read-only folder is still writable, so the write is made to
    // fail by a folder that is a file, and by a full disk (a file size limit
    // smaller than the new file).
    {
        QFile blocker(dir.filePath(QStringLiteral("blocker")));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString blocked = dir.filePath(QStringLiteral("blocker/zarnek.ini"));
        ModalAnswerer answer;
        form = makeTestForm();
        settings = std::make_unique<TSettings>(*form.form, blocked);
        form->setRGIndex(1);
        settings.reset();
        EXPECT_EQ(answer.texts, QStringList({QStringLiteral("Unable to write to ") + blocked,
                                             QStringLiteral("Unable to write to ") + blocked}));
        EXPECT_EQ(answer.captions.value(0), QStringLiteral("Error"));
        exit();
    }

    put("[Settings]\nGameType=0\n");
    start();
    ModalAnswerer answer;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    settings.reset();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(answer.texts, QStringList{QStringLiteral("Unable to write to ") + path()});
    EXPECT_EQ(contents(), QByteArray("[Settings]\nGameType=0\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("blocker"), QStringLiteral("zarnek.ini")}));
}

TEST_F(SettingsDialogTest, WhatTheUserLeftOnEachPageIsWhatTheNextStartShows)
{
    start();
    ModalAnswerer boxes;  // none expected
    // Main: a game's executable and parameters, saved; translucency.
    SettingsMainPage& main = *settings->TS1;
    main.CBGame->setCurrentIndex(2);
    QTest::keyClicks(main.EditParam, QStringLiteral(" -dev"));
    main.BBSave->click();
    settings->ExePath[2].clear();
    main.CBGame->setCurrentIndex(3);  // an unsaved edit of another game is lost
    main.EditParam->setText(QStringLiteral("-lost"));
    main.CBTrans->setChecked(true);
    main.TBTrans->setValue(120);

    // Scan settings: three ranges added, the first deleted, the last moved up
    // and unchecked.
    SettingsScanPage& scan = *settings->TS2;
    for (const char* from : {"10.0.1.1", "10.0.2.1", "10.0.3.1"}) {
        scan.IPE1->setText(QString::fromLatin1(from));
        scan.SpeedButton3->click();
        scan.SBAdd->click();
    }
    scan.LWranges->setCurrentItem(scan.LWranges->topLevelItem(0));
    scan.SBDel->click();
    scan.LWranges->setCurrentItem(scan.LWranges->topLevelItem(1));
    scan.SpeedButton1->click();
    scan.LWranges->topLevelItem(0)->setCheckState(TSettings::RangeFromColumn, Qt::Unchecked);

    // Favorites: two added, sorted by port.
    SettingsFavoritesPage& fav = *settings->TS3;
    fav.GHIP->setText(QStringLiteral("10.0.0.5"));
    fav.MEPort->setText(QStringLiteral("27016"));
    fav.SpeedButton4->click();
    fav.GHIP->setText(QStringLiteral("10.0.0.4"));
    fav.MEPort->setText(QStringLiteral("27015"));
    fav.SpeedButton4->click();
    fav.LVFavColumnClick(TSettings::FavPortColumn);
    EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join(QLatin1Char('|')).toStdString();
    exit();

    start();
    EXPECT_EQ(settings->Param[2], QStringLiteral("-game cstrike -dev"));
    EXPECT_EQ(settings->Param[3], QStringLiteral("-game czero"));
    EXPECT_EQ(settings->CBGame->currentIndex(), 3);
    EXPECT_TRUE(settings->Trans);
    EXPECT_EQ(settings->TransLevel, 120);
    ASSERT_EQ(settings->LWranges->topLevelItemCount(), 2);
    EXPECT_EQ(settings->LWranges->topLevelItem(0)->text(TSettings::RangeFromColumn), QStringLiteral("10.0.3.1"));
    EXPECT_EQ(settings->LWranges->topLevelItem(0)->text(TSettings::RangeToColumn), QStringLiteral("10.0.3.255"));
    EXPECT_EQ(settings->LWranges->topLevelItem(0)->checkState(TSettings::RangeFromColumn), Qt::Unchecked);
    EXPECT_EQ(settings->LWranges->topLevelItem(1)->text(TSettings::RangeFromColumn), QStringLiteral("10.0.2.1"));
    EXPECT_EQ(settings->LWranges->topLevelItem(1)->checkState(TSettings::RangeFromColumn), Qt::Checked);
    ASSERT_EQ(settings->LVFav->topLevelItemCount(), 2);
    EXPECT_EQ(settings->LVFav->topLevelItem(0)->text(TSettings::FavAddressColumn), QStringLiteral("10.0.0.4"));
    EXPECT_EQ(settings->LVFav->topLevelItem(1)->text(TSettings::FavPortColumn), QStringLiteral("27016"));
}

TEST_F(SettingsDialogTest, ARangeAndAFavouriteAddedInTheDialogAreScannedNext)
{
    start();
    settings->CBBroadcast->setChecked(false);
    settings->CBOld->setChecked(false);
    settings->SEDelay->setValue(0);
    settings->TS2->IPE1->setText(QStringLiteral("127.0.0.1"));
    settings->TS2->IPE2->setText(QStringLiteral("127.0.0.3"));
    settings->TS2->SBAdd->click();
    settings->TS3->GHIP->setText(QStringLiteral("127.0.0.9"));
    settings->TS3->MEPort->setText(QStringLiteral("27099"));
    settings->TS3->SpeedButton4->click();

    form->SBScanAll->click();
    QStringList sent;
    for (const FakeUdpEndpoint::Sent& s : form.udp->sent)
        sent.append(QStringLiteral("%1:%2").arg(s.host).arg(s.port));
    EXPECT_EQ(sent, QStringList({QStringLiteral("127.0.0.9:27099"), QStringLiteral("127.0.0.1:27015"),
                                 QStringLiteral("127.0.0.2:27015"), QStringLiteral("127.0.0.3:27015")}));
}
