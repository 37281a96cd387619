#include "app/settings/favorites_page.h"

#include "app/settings/page_widgets.h"
#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "app/widgets/ipv4_edit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

using namespace settings_pages;

SettingsFavoritesPage::SettingsFavoritesPage(TSettings& settings, TForm1& form1, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_form1(form1)
{
    setObjectName(QStringLiteral("TS3"));

    LVFav = makeList(this, "LVFav", {QStringLiteral("IP - Address"), QStringLiteral("Port")});
    LVFav->headerItem()->setTextAlignment(TSettings::FavPortColumn, Qt::AlignCenter);
    LVFav->header()->setSectionsClickable(true);
    LVFav->setAccessibleName(QStringLiteral("Favorites"));
    LVFav->setColumnWidth(TSettings::FavAddressColumn, 103);
    LVFav->setColumnWidth(TSettings::FavPortColumn, 45);
    boundColumn(LVFav, TSettings::FavAddressColumn, 70, 110);
    boundColumn(LVFav, TSettings::FavPortColumn, 40, 50);
    LVFav->setFixedSize(190, 190);

    GHIP = named(new IPv4Edit(this), "GHIP");
    GHIP->setAccessibleName(QStringLiteral("IP - Address"));
    MEPort = portEdit(this, "MEPort", [this] { m_settings.beep(); });
    MEPort->setText(QStringLiteral("27015"));
    SpeedButton4 = named(new QPushButton(QStringLiteral("Add"), this), "SpeedButton4");
    SpeedButton5 = named(new QPushButton(QStringLiteral("Del"), this), "SpeedButton5");
    for (QPushButton* b : {SpeedButton4, SpeedButton5})
        b->setAutoDefault(false);

    CBAutoUpdate = named(new QCheckBox(QStringLiteral("Auto scan"), this), "CBAutoUpdate");
    SEUpdInterval = named(new QSpinBox(this), "SEUpdInterval");
    SEUpdInterval->setRange(5, 60);
    SEUpdInterval->setValue(10);
    arrowsOnly(SEUpdInterval);

    auto* entry = new QGridLayout;
    entry->addWidget(labelFor(GHIP, QStringLiteral("IP - Address")), 0, 0);
    entry->addWidget(GHIP, 1, 0);
    entry->addWidget(labelFor(MEPort, QStringLiteral("Port")), 0, 1);
    entry->addWidget(MEPort, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton4);
    buttons->addWidget(SpeedButton5);
    buttons->addStretch();
    auto* interval = new QHBoxLayout;
    interval->addWidget(labelFor(SEUpdInterval, QStringLiteral("Interval (sec)")));
    interval->addWidget(SEUpdInterval);
    interval->addStretch();

    auto* right = new QVBoxLayout;
    right->addLayout(entry);
    right->addLayout(buttons);
    right->addSpacing(12);
    right->addWidget(CBAutoUpdate);
    right->addLayout(interval);
    right->addStretch();
    auto* page = new QHBoxLayout(this);
    page->addWidget(LVFav, 0, Qt::AlignTop);
    page->addLayout(right, 1);

    connect(SpeedButton4, &QPushButton::clicked, this, &SettingsFavoritesPage::SpeedButton4Click);
    connect(SpeedButton5, &QPushButton::clicked, this, &SettingsFavoritesPage::SpeedButton5Click);
    connect(LVFav->header(), &QHeaderView::sectionClicked, this, &SettingsFavoritesPage::LVFavColumnClick);
    connect(CBAutoUpdate, &QCheckBox::toggled, this, &SettingsFavoritesPage::CBAutoUpdateClick);
    connect(SEUpdInterval, &QSpinBox::valueChanged, this, &SettingsFavoritesPage::SEUpdIntervalChange);
}

QTreeWidgetItem* SettingsFavoritesPage::appendFavorite(const QString& address, const QString& port)
{
    auto* item = new QTreeWidgetItem(LVFav, {address, port});
    item->setTextAlignment(TSettings::FavPortColumn, Qt::AlignCenter);
    return item;
}

bool SettingsFavoritesPage::addFavorite(const QString& address, const QString& port)
{
    for (int i = 0; i < LVFav->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = LVFav->topLevelItem(i);
        if (row->text(TSettings::FavAddressColumn) == address && row->text(TSettings::FavPortColumn) == port) {
            showError(window(), QStringLiteral("This address is already exist"));
            return false;
        }
    }
    appendFavorite(address, port);
    return true;
}

void SettingsFavoritesPage::SpeedButton4Click()
{
    // Only the first octet and the presence of a port are checked: any one
    // to five digits, 0 included, make a port here.
    if (GHIP->octet(0) == 0 || MEPort->text().isEmpty()) {
        showError(window(), QStringLiteral("Bad address"));
        return;
    }
    addFavorite(GHIP->text(), MEPort->text());
}

void SettingsFavoritesPage::SpeedButton5Click()
{
    QTreeWidgetItem* selected = LVFav->currentItem();
    if (!selected || !selected->isSelected())
        return;
    delete LVFav->takeTopLevelItem(LVFav->indexOfTopLevelItem(selected));
    LVFav->clearSelection();
    LVFav->setCurrentItem(nullptr);
}

// Sorts once, in place: rows added later go to the end, and the order shown
// is the order scanned and stored. Equal keys keep their order.
void SettingsFavoritesPage::LVFavColumnClick(int column)
{
    QList<QTreeWidgetItem*> rows;
    while (LVFav->topLevelItemCount() > 0)
        rows.append(LVFav->takeTopLevelItem(0));
    if (column == TSettings::FavAddressColumn) {
        std::stable_sort(rows.begin(), rows.end(), [](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
            return a->text(TSettings::FavAddressColumn)
                       .compare(b->text(TSettings::FavAddressColumn), Qt::CaseInsensitive) < 0;
        });
    } else if (column == TSettings::FavPortColumn) {
        // A port that is no number (only a hand-edited file holds one) goes
        // after all numbers.
        const auto key = [](const QTreeWidgetItem* row) {
            bool number = false;
            const qlonglong value = row->text(TSettings::FavPortColumn).toLongLong(&number);
            return number ? value : LLONG_MAX;
        };
        std::stable_sort(rows.begin(), rows.end(),
                         [&key](const QTreeWidgetItem* a, const QTreeWidgetItem* b) { return key(a) < key(b); });
    }
    LVFav->addTopLevelItems(rows);
}

void SettingsFavoritesPage::CBAutoUpdateClick(bool checked)
{
    if (checked) {
        // Switching on does not restart a running countdown.
        if (!m_form1.TimerFav->isActive())
            m_form1.TimerFav->start();
        m_form1.setStatusText(2, QStringLiteral(" Autoscan enabled"));
    } else {
        m_form1.TimerFav->stop();
        m_form1.setStatusText(0, QString());
        m_form1.setStatusText(2, QStringLiteral(" Autoscan disabled"));
    }
}

void SettingsFavoritesPage::SEUpdIntervalChange(int value)
{
    // Setting the interval of a running timer restarts its countdown, so
    // only a changed interval is set.
    if (value >= 5 && m_form1.TimerFav->interval() != value * 1000)
        m_form1.TimerFav->setInterval(value * 1000);
}
