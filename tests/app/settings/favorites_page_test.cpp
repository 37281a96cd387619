// The page "Favorites" and "Add To Favorites" of the server list, as a user
// works them: adding, refusing, deleting and sorting favourites, and the
// auto-scan switch and interval.
#include "app/settings/favorites_page.h"
#include "app/shell/main_window.h"
#include "app/widgets/ipv4_edit.h"
#include "tests/app/settings/settings_fixture.h"
#include "tests/support/modal_answer.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

using FavoritesPageTest = SettingsFixture;

QStringList favorites(const QTreeWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out.append(list->topLevelItem(i)->text(0) + QLatin1Char(':') + list->topLevelItem(i)->text(1));
    return out;
}

// On the page shown, so that the titles have their places on the screen.
void clickTitle(TSettings& settings, int column)
{
    settings.PageControl1->setCurrentWidget(settings.TS3);
    settings.show();
    QTreeWidget* list = settings.LVFav;
    QHeaderView* header = list->header();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

zarnek::protocol::ServerRow server(const char* address, const char* port)
{
    zarnek::protocol::ServerRow row;
    row.game = "1.6";
    row.name = "A server";
    row.address = address;
    row.port = port;
    row.players = "1/16";
    return row;
}

}  // namespace

TEST_F(FavoritesPageTest, AddChecksTheAddressAndPortThenRefusesAPairTwice)
{
    start();
    SettingsFavoritesPage& page = *settings->TS3;
    EXPECT_EQ(page.MEPort->text(), QStringLiteral("27015"));
    struct Step {
        const char* address;
        const char* port;
        const char* message;  // nullptr: added
    };
    const Step steps[] = {
        {"", "27015", "Bad address"},  // untouched address
        {"0.0.0.5", "27015", "Bad address"},
        {"10.0.0.5", "", "Bad address"},  // port cleared
        {"10.0.0.5", "27015", nullptr},
        {"10.0.0.5", "27016", nullptr},  // same address, other port
        {"10.0.0.5", "27015", "This address is already exist"},
        {"10.0.0.6", "0", nullptr},  // any digits make a port
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.address) + ":" + s.port);
        page.GHIP->setText(QString::fromLatin1(s.address));
        page.MEPort->setText(QString::fromLatin1(s.port));
        ModalAnswerer boxes;
        page.SpeedButton4->click();
        EXPECT_EQ(boxes.texts, s.message ? QStringList{QString::fromLatin1(s.message)} : QStringList{});
        if (s.message)
            EXPECT_EQ(boxes.captions, QStringList{QStringLiteral("Error")});
    }
    EXPECT_EQ(favorites(page.LVFav), QStringList({QStringLiteral("10.0.0.5:27015"), QStringLiteral("10.0.0.5:27016"),
                                                  QStringLiteral("10.0.0.6:0")}));
    EXPECT_EQ(contents(), QByteArray("<missing>"));  // only the exit stores them
}

TEST_F(FavoritesPageTest, AddToFavoritesCopiesTheSelectedServerOnce)
{
    start();
    form->AddServerRow(server("10.0.0.7", "27015"));
    form->AddServerRow(server("10.0.0.7", "27016"));
    settings->TS3->appendFavorite(QStringLiteral("10.0.0.7"), QStringLiteral("27015"));

    // The menu opens only over a selected row; without one the command does
    // nothing.
    form->PMSAdd->trigger();
    EXPECT_EQ(settings->LVFav->topLevelItemCount(), 1);

    struct Step {
        int row;
        const char* message;
    };
    for (const Step s : {Step{0, "This address is already exist"}, Step{1, nullptr}, Step{1, "This address is already exist"}}) {
        form->LW->setCurrentItem(form->LW->topLevelItem(s.row));
        ModalAnswerer boxes;
        form->PMSAdd->trigger();
        EXPECT_EQ(boxes.texts, s.message ? QStringList{QString::fromLatin1(s.message)} : QStringList{}) << s.row;
    }
    EXPECT_EQ(favorites(settings->LVFav),
              QStringList({QStringLiteral("10.0.0.7:27015"), QStringLiteral("10.0.0.7:27016")}));
}

TEST_F(FavoritesPageTest, TitlesSortOnceAndTheSortedOrderIsStored)
{
    put("[Favorites]\n10.0.0.9 0=27015\n10.0.0.10 1=9999\n10.0.0.2 2=27016\n10.0.0.10 3=27014\n");
    start();
    SettingsFavoritesPage& page = *settings->TS3;
    clickTitle(*settings, TSettings::FavAddressColumn);
    // As text: 10.0.0.10 before 10.0.0.2; equal addresses keep their order.
    const QStringList byAddress{QStringLiteral("10.0.0.10:9999"), QStringLiteral("10.0.0.10:27014"),
                                QStringLiteral("10.0.0.2:27016"), QStringLiteral("10.0.0.9:27015")};
    EXPECT_EQ(favorites(page.LVFav), byAddress);
    clickTitle(*settings, TSettings::FavAddressColumn);
    EXPECT_EQ(favorites(page.LVFav), byAddress);  // a second click: the same order

    clickTitle(*settings, TSettings::FavPortColumn);
    const QStringList byPort{QStringLiteral("10.0.0.10:9999"), QStringLiteral("10.0.0.10:27014"),
                             QStringLiteral("10.0.0.9:27015"), QStringLiteral("10.0.0.2:27016")};
    EXPECT_EQ(favorites(page.LVFav), byPort);

    // A later row goes to the end; the exit stores the order shown.
    page.appendFavorite(QStringLiteral("10.0.0.1"), QStringLiteral("1"));
    exit();
    EXPECT_TRUE(contents().endsWith("[Favorites]\n10.0.0.10 0=9999\n10.0.0.10 1=27014\n10.0.0.9 2=27015\n"
                                    "10.0.0.2 3=27016\n10.0.0.1 4=1\n"))
        << contents().constData();
}

TEST_F(FavoritesPageTest, APortThatIsNoNumberSortsAfterTheNumbers)
{
    put("[Favorites]\n10.0.0.1 0=x\n10.0.0.2 1=99999\n10.0.0.3 2=27015\n10.0.0.4 3=80\n");
    start();
    clickTitle(*settings, TSettings::FavPortColumn);
    EXPECT_EQ(favorites(settings->LVFav), QStringList({QStringLiteral("10.0.0.4:80"), QStringLiteral("10.0.0.3:27015"),
                                                       QStringLiteral("10.0.0.2:99999"), QStringLiteral("10.0.0.1:x")}));
}

TEST_F(FavoritesPageTest, DeleteRemovesTheSelectedRowAndSelectsNone)
{
    put("[Favorites]\n10.0.0.1 0=1\n10.0.0.2 1=2\n10.0.0.3 2=3\n");
    start();
    SettingsFavoritesPage& page = *settings->TS3;
    page.SpeedButton5->click();  // none selected
    EXPECT_EQ(page.LVFav->topLevelItemCount(), 3);
    page.LVFav->setCurrentItem(page.LVFav->topLevelItem(1));
    page.SpeedButton5->click();
    EXPECT_EQ(favorites(page.LVFav), QStringList({QStringLiteral("10.0.0.1:1"), QStringLiteral("10.0.0.3:3")}));
    EXPECT_TRUE(page.LVFav->selectedItems().isEmpty());
    page.SpeedButton5->click();  // and so a second click does nothing
    EXPECT_EQ(page.LVFav->topLevelItemCount(), 2);
}

TEST_F(FavoritesPageTest, AutoScanSwitchAndInterval)
{
    start();
    form->setStatusText(0, QStringLiteral(" 10.0.0.1"));
    settings->CBAutoUpdate->setChecked(true);
    EXPECT_TRUE(form->TimerFav->isActive());
    EXPECT_EQ(form->TimerFav->interval(), 10000);  // switching on keeps the interval
    EXPECT_EQ(form->statusText(2), QStringLiteral(" Autoscan enabled"));

    // Changed while on: the timer runs on at the new interval, its countdown
    // started again.
    settings->SEUpdInterval->setValue(20);
    EXPECT_TRUE(form->TimerFav->isActive());
    EXPECT_EQ(form->TimerFav->interval(), 20000);

    settings->CBAutoUpdate->setChecked(false);
    EXPECT_FALSE(form->TimerFav->isActive());
    EXPECT_EQ(form->statusText(0), QString());
    EXPECT_EQ(form->statusText(2), QStringLiteral(" Autoscan disabled"));
}
