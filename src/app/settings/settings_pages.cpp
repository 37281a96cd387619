// The three pages of the settings dialog and their controls.

#include "app/settings/settings_dialog.h"

#include "core/settings/settings_keys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Values change only with the arrows (buttons or keys), never by typing.
void arrowsOnly(QSpinBox* spin)
{
    if (auto* edit = spin->findChild<QLineEdit*>())
        edit->setReadOnly(true);
}

// Keeps a column's width within its bounds when the user drags its edge.
void boundColumn(QTreeWidget* list, int column, int minWidth, int maxWidth)
{
    QHeaderView* header = list->header();
    QObject::connect(header, &QHeaderView::sectionResized, list,
                     [header, column, minWidth, maxWidth](int index, int, int size) {
                         if (index != column)
                             return;
                         const int bounded = std::clamp(size, minWidth, maxWidth);
                         if (bounded != size)
                             header->resizeSection(column, bounded);
                     });
}

QTreeWidget* makeList(QWidget* parent, const char* name, const QStringList& columns)
{
    auto* list = named(new QTreeWidget(parent), name);
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(QHeaderView::Interactive);
    return list;
}

QLineEdit* portEdit(QWidget* parent, const char* name)
{
    auto* edit = named(new QLineEdit(parent), name);
    edit->setMaxLength(5);
    edit->setFixedWidth(60);
    return edit;
}

}  // namespace

void TSettings::buildMainPage()
{
    TS1 = named(new QWidget(PageControl1), "TS1");
    PageControl1->addTab(TS1, QStringLiteral("Main"));

    CBGame = named(new QComboBox(TS1), "CBGame");
    for (auto game : zarnek::settings::kGameNames)
        CBGame->addItem(QString::fromLatin1(game.data(), static_cast<qsizetype>(game.size())));
    EditExe = named(new QLineEdit(TS1), "EditExe");
    EditExe->setReadOnly(true);
    SBExe = named(new QPushButton(QStringLiteral("..."), TS1), "SBExe");
    SBExe->setToolTip(QStringLiteral("Find file"));
    SBExe->setFixedWidth(30);
    EditParam = named(new QLineEdit(TS1), "EditParam");
    CBParams = named(new QComboBox(TS1), "CBParams");
    BitBtn2 = named(new QPushButton(TS1), "BitBtn2");
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    BitBtn2->setToolTip(QStringLiteral("Append param"));
    BitBtn1 = named(new QPushButton(QStringLiteral("Default"), TS1), "BitBtn1");
    BitBtn1->setToolTip(QStringLiteral("Restore params ot default"));
    BBSave = named(new QPushButton(QStringLiteral("Save"), TS1), "BBSave");
    BBSave->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    BBSave->setEnabled(false);
    CBDclick = named(new QCheckBox(QStringLiteral("Connect on double click"), TS1), "CBDclick");
    CBTrans = named(new QCheckBox(QStringLiteral("Transparency"), TS1), "CBTrans");
    TBTrans = named(new QSlider(Qt::Horizontal, TS1), "TBTrans");
    TBTrans->setRange(50, 255);
    TBTrans->setValue(255);
    TBTrans->setTickInterval(3);
    TBTrans->setTickPosition(QSlider::TicksBelow);
    TBTrans->setEnabled(false);

    auto* exeRow = new QHBoxLayout;
    exeRow->addWidget(EditExe);
    exeRow->addWidget(SBExe);
    auto* paramRow = new QHBoxLayout;
    paramRow->addWidget(CBParams, 1);
    paramRow->addWidget(BitBtn2);
    paramRow->addWidget(BitBtn1);
    paramRow->addWidget(BBSave);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Game:"), CBGame);
    form->addRow(QStringLiteral("Exe path:"), exeRow);
    form->addRow(QStringLiteral("Parameters:"), EditParam);
    form->addRow(QString(), paramRow);
    auto* transRow = new QHBoxLayout;
    transRow->addWidget(CBTrans);
    transRow->addWidget(TBTrans, 1);
    auto* page = new QVBoxLayout(TS1);
    page->addLayout(form);
    page->addWidget(CBDclick);
    page->addLayout(transRow);
    page->addStretch();
}

void TSettings::buildScanPage()
{
    TS2 = named(new QWidget(PageControl1), "TS2");
    PageControl1->addTab(TS2, QStringLiteral("Scan settings"));

    CBBroadcast = named(new QCheckBox(QStringLiteral("Broadcast"), TS2), "CBBroadcast");
    CBOld = named(new QCheckBox(QStringLiteral("Scan old protocol servers"), TS2), "CBOld");
    CBOld->setToolTip(QStringLiteral("All CS1.5 and old CS1.6 servers"));
    // The check box of a row shares the first column with its From address.
    LWranges = makeList(TS2, "LWranges", {QStringLiteral("From IP:"), QStringLiteral("To IP:")});
    LWranges->header()->setSectionsClickable(false);
    LWranges->header()->setDefaultAlignment(Qt::AlignCenter);
    // Wide enough for the longest address in the list's font.
    const int address = LWranges->fontMetrics().horizontalAdvance(QStringLiteral("255.255.255.255")) + 12;
    LWranges->setColumnWidth(RangeFromColumn, 24 + address);
    LWranges->setColumnWidth(RangeToColumn, address);
    LWranges->setFixedHeight(140);

    CSport = portEdit(TS2, "CSport");
    HLTVport = portEdit(TS2, "HLTVport");
    auto* ports = named(new QGroupBox(QStringLiteral("Ports:"), TS2), "GroupBox1");
    auto* portForm = new QFormLayout(ports);
    portForm->addRow(QStringLiteral("Games"), CSport);
    portForm->addRow(QStringLiteral("HLTV"), HLTVport);

    SEDelay = named(new QSpinBox(TS2), "SEDelay");
    SEDelay->setRange(0, 30);
    SEDelay->setValue(5);
    arrowsOnly(SEDelay);
    auto* delay = named(new QGroupBox(QStringLiteral("Scan delay"), TS2), "GroupBox2");
    auto* delayRow = new QHBoxLayout(delay);
    delayRow->addWidget(SEDelay);
    delayRow->addWidget(new QLabel(QStringLiteral("ms"), delay));

    auto* right = new QVBoxLayout;
    right->addWidget(ports);
    right->addWidget(delay);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(LWranges, 1);
    top->addLayout(right);
    auto* page = new QVBoxLayout(TS2);
    page->addLayout(top);
    page->addWidget(CBBroadcast);
    page->addWidget(CBOld);
    page->addStretch();
}

void TSettings::buildFavoritesPage()
{
    TS3 = named(new QWidget(PageControl1), "TS3");
    PageControl1->addTab(TS3, QStringLiteral("Favorites"));

    LVFav = makeList(TS3, "LVFav", {QStringLiteral("IP - Address"), QStringLiteral("Port")});
    LVFav->headerItem()->setTextAlignment(FavPortColumn, Qt::AlignCenter);
    LVFav->setColumnWidth(FavAddressColumn, 103);
    LVFav->setColumnWidth(FavPortColumn, 45);
    boundColumn(LVFav, FavAddressColumn, 70, 110);
    boundColumn(LVFav, FavPortColumn, 40, 50);
    LVFav->setFixedSize(170, 160);

    CBAutoUpdate = named(new QCheckBox(QStringLiteral("Auto scan"), TS3), "CBAutoUpdate");
    SEUpdInterval = named(new QSpinBox(TS3), "SEUpdInterval");
    SEUpdInterval->setRange(5, 60);
    SEUpdInterval->setValue(10);
    arrowsOnly(SEUpdInterval);

    auto* interval = new QFormLayout;
    interval->addRow(QStringLiteral("Interval (sec)"), SEUpdInterval);
    auto* right = new QVBoxLayout;
    right->addWidget(CBAutoUpdate);
    right->addLayout(interval);
    right->addStretch();
    auto* page = new QHBoxLayout(TS3);
    page->addWidget(LVFav, 0, Qt::AlignTop);
    page->addLayout(right);
    page->addStretch();
}
