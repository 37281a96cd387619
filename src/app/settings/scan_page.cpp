#include "app/settings/scan_page.h"

#include "app/settings/page_widgets.h"
#include "app/settings/settings_dialog.h"
#include "app/widgets/ipv4_edit.h"
#include "core/settings/range_check.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace settings_pages;

namespace {

QPushButton* arrowButton(QWidget* parent, const char* name, QStyle::StandardPixmap glyph, const QString& hint)
{
    auto* button = named(new QPushButton(parent), name);
    button->setIcon(parent->style()->standardIcon(glyph));
    button->setFlat(true);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setFixedSize(26, 26);
    return button;
}

zarnek::settings::Octets octetsOf(const IPv4Edit& edit)
{
    const auto o = edit.octets();
    return {o[0], o[1], o[2], o[3]};
}

}  // namespace

SettingsScanPage::SettingsScanPage(TSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("TS2"));

    CBBroadcast = named(new QCheckBox(QStringLiteral("Broadcast"), this), "CBBroadcast");
    CBOld = named(new QCheckBox(QStringLiteral("Scan old protocol servers"), this), "CBOld");
    CBOld->setToolTip(QStringLiteral("All CS1.5 and old CS1.6 servers"));

    // The check box of a row shares the first column with its From address.
    LWranges = makeList(this, "LWranges", {QStringLiteral("From IP:"), QStringLiteral("To IP:")});
    LWranges->header()->setSectionsClickable(false);
    LWranges->header()->setDefaultAlignment(Qt::AlignCenter);
    LWranges->setAccessibleName(QStringLiteral("Ranges"));
    // Wide enough for the longest address in the list's font.
    const int address = LWranges->fontMetrics().horizontalAdvance(QStringLiteral("255.255.255.255")) + 16;
    LWranges->setColumnWidth(TSettings::RangeFromColumn, 28 + address);
    LWranges->setColumnWidth(TSettings::RangeToColumn, address);
    LWranges->setFixedSize(28 + 2 * address + 24, 150);
    SpeedButton1 = arrowButton(this, "SpeedButton1", QStyle::SP_ArrowUp, QStringLiteral("Move up"));
    SpeedButton2 = arrowButton(this, "SpeedButton2", QStyle::SP_ArrowDown, QStringLiteral("Move down"));

    IPE1 = named(new IPv4Edit(this), "IPE1");
    IPE2 = named(new IPv4Edit(this), "IPE2");
    IPE1->setAccessibleName(QStringLiteral("From:"));
    IPE2->setAccessibleName(QStringLiteral("To:"));
    SpeedButton3 = named(new QPushButton(QStringLiteral("0..255"), this), "SpeedButton3");
    SpeedButton3->setFlat(true);
    SBAdd = named(new QPushButton(QStringLiteral("Add"), this), "SBAdd");
    SBDel = named(new QPushButton(QStringLiteral("Del"), this), "SBDel");
    for (QPushButton* b : {SpeedButton3, SBAdd, SBDel})
        b->setAutoDefault(false);

    const auto beep = [this] { m_settings.beep(); };
    CSport = portEdit(this, "CSport", beep);
    HLTVport = portEdit(this, "HLTVport", beep);
    auto* ports = named(new QGroupBox(QStringLiteral("Ports:"), this), "GroupBox1");
    auto* portGrid = new QGridLayout(ports);
    portGrid->addWidget(labelFor(CSport, QStringLiteral("Games")), 0, 0);
    portGrid->addWidget(CSport, 0, 1);
    portGrid->addWidget(labelFor(HLTVport, QStringLiteral("HLTV")), 1, 0);
    portGrid->addWidget(HLTVport, 1, 1);

    SEDelay = named(new QSpinBox(this), "SEDelay");
    SEDelay->setRange(0, 30);
    SEDelay->setValue(5);
    arrowsOnly(SEDelay);
    auto* delay = named(new QGroupBox(QStringLiteral("Scan delay"), this), "GroupBox2");
    auto* delayRow = new QHBoxLayout(delay);
    delayRow->addWidget(SEDelay);
    delayRow->addWidget(labelFor(SEDelay, QStringLiteral("ms")));
    delayRow->addStretch();

    auto* moves = new QVBoxLayout;
    moves->addWidget(SpeedButton1);
    moves->addWidget(SpeedButton2);
    moves->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(ports);
    right->addWidget(delay);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(LWranges);
    top->addLayout(moves);
    top->addLayout(right, 1);

    auto* entry = new QGridLayout;
    entry->addWidget(labelFor(IPE1, QStringLiteral("From:")), 0, 0);
    entry->addWidget(IPE1, 0, 1);
    entry->addWidget(SBAdd, 0, 3);
    entry->addWidget(labelFor(IPE2, QStringLiteral("To:")), 1, 0);
    entry->addWidget(IPE2, 1, 1);
    entry->addWidget(SpeedButton3, 1, 2);
    entry->addWidget(SBDel, 1, 3);
    entry->setColumnStretch(4, 1);

    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addLayout(entry);
    page->addWidget(CBBroadcast);
    page->addWidget(CBOld);
    page->addStretch();

    connect(SBAdd, &QPushButton::clicked, this, &SettingsScanPage::SBAddClick);
    connect(SBDel, &QPushButton::clicked, this, &SettingsScanPage::SBDelClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &SettingsScanPage::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &SettingsScanPage::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &SettingsScanPage::SpeedButton3Click);
}

QTreeWidgetItem* SettingsScanPage::appendRange(const QString& from, const QString& to, bool checked)
{
    auto* item = new QTreeWidgetItem(LWranges, {from, to});
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(TSettings::RangeFromColumn, checked ? Qt::Checked : Qt::Unchecked);
    item->setTextAlignment(TSettings::RangeToColumn, Qt::AlignCenter);
    return item;
}

void SettingsScanPage::SBAddClick()
{
    std::vector<std::string> ends;
    for (int i = 0; i < LWranges->topLevelItemCount(); ++i)
        ends.push_back(LWranges->topLevelItem(i)->text(TSettings::RangeToColumn).toStdString());
    const QString from = IPE1->text();
    const QString to = IPE2->text();
    const auto refusal = zarnek::settings::checkNewRange(octetsOf(*IPE1), octetsOf(*IPE2), from.toStdString(),
                                                         to.toStdString(), ends);
    if (refusal) {
        showError(window(), QString::fromLatin1(zarnek::settings::rangeRefusalText(*refusal)));
        return;
    }
    appendRange(from, to, true);
    m_settings.SaveRanges();
}

void SettingsScanPage::SBDelClick()
{
    QTreeWidgetItem* selected = LWranges->currentItem();
    if (!selected || !selected->isSelected())
        return;
    const int index = LWranges->indexOfTopLevelItem(selected);
    const int next = index > 0 ? index - 1 : 0;
    delete LWranges->takeTopLevelItem(index);
    if (LWranges->topLevelItemCount() > 0)
        LWranges->setCurrentItem(LWranges->topLevelItem(next));
    m_settings.SaveRanges();
}

// The selected row and its neighbour exchange their contents; the selection
// goes with the row, so repeated clicks carry it on.
void SettingsScanPage::swapWithRow(int offset)
{
    QTreeWidgetItem* selected = LWranges->currentItem();
    if (LWranges->topLevelItemCount() < 2 || !selected || !selected->isSelected())
        return;
    const int index = LWranges->indexOfTopLevelItem(selected);
    const int other = index + offset;
    if (other < 0 || other >= LWranges->topLevelItemCount())
        return;
    QTreeWidgetItem* neighbour = LWranges->topLevelItem(other);
    for (int column : {int(TSettings::RangeFromColumn), int(TSettings::RangeToColumn)}) {
        const QString text = selected->text(column);
        selected->setText(column, neighbour->text(column));
        neighbour->setText(column, text);
    }
    const Qt::CheckState check = selected->checkState(TSettings::RangeFromColumn);
    selected->setCheckState(TSettings::RangeFromColumn, neighbour->checkState(TSettings::RangeFromColumn));
    neighbour->setCheckState(TSettings::RangeFromColumn, check);
    LWranges->setCurrentItem(neighbour);
}

void SettingsScanPage::SpeedButton1Click() { swapWithRow(-1); }

void SettingsScanPage::SpeedButton2Click() { swapWithRow(+1); }

void SettingsScanPage::SpeedButton3Click()
{
    if (IPE1->text().isEmpty())
        return;
    const auto from = IPE1->octets();
    IPE2->setOctets({from[0], from[1], from[2], 255});
}

void SettingsScanPage::TS2Show()
{
    IPE1->update();
    IPE2->update();
}
