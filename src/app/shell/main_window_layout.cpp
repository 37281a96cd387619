// The main window's views, laid out in code: the server list above a 44-pixel
// button bar, a 168-pixel panel with the players and rules tabs on the right,
// the status bar along the bottom, the menus and the tray icon.
#include "app/shell/main_window.h"

#include "app/shell/icons.h"
#include "app/shell/server_list_view.h"
#include "core/protocol/server_row.h"

#include <algorithm>

#include <QBoxLayout>
#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {

namespace icon = zarnek::protocol::icon;

QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                    const QString& hint, bool enabled)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setEnabled(enabled);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QTreeWidget* detailList(QWidget* parent, const char* name, const QStringList& captions)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setColumnCount(static_cast<int>(captions.size()));
    list->setHeaderLabels(captions);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->setFrameShape(QFrame::NoFrame);
    return list;
}

}  // namespace

void TForm1::buildViews()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zarnek_v1.98"));
    setMinimumSize(680, 175);
    resize(680, 289);

    IList = paintServerListIcons();
    IList2 = paintGameIcons();
    TrayList = paintTrayIcons();
    ILPlayers = paintTabIcons();
    setWindowIcon(TrayList[0]);

    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(2);

    // Left: the server list above the button bar.
    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    LW = new ServerListView(central);
    LW->setObjectName(QStringLiteral("LW"));
    LW->setContextMenuPolicy(Qt::CustomContextMenu);
    QTreeWidgetItem* head = LW->headerItem();
    const QString captions[ServerListView::ColumnCount] = {
        QStringLiteral("Game"), QStringLiteral("Name"), QStringLiteral("Address"),
        QStringLiteral("Port"), QStringLiteral("PT"), QStringLiteral("Map"), QString(),
        QStringLiteral("OS"), QStringLiteral("A")};
    for (int c = 0; c < ServerListView::ColumnCount; ++c) {
        head->setText(c, captions[c]);
        head->setTextAlignment(c, c == ServerListView::Game ? Qt::AlignLeft | Qt::AlignVCenter
                                                            : Qt::AlignCenter);
    }
    head->setIcon(ServerListView::Name, IList[icon::NameHeader]);
    head->setIcon(ServerListView::Address, IList[icon::AddressHeader]);
    head->setIcon(ServerListView::Map, IList[icon::MapHeader]);
    head->setIcon(ServerListView::Players, IList[icon::PlayersHeader]);
    head->setIcon(ServerListView::OS, IList[icon::OsHeader]);
    left->addWidget(LW, 1);
    // Every way of emptying the list also forgets the rows kept beside it.
    connect(LW->model(), &QAbstractItemModel::modelReset, this, [this] {
        m_rows.Clear();
        m_protocol.ServerListCleared();
    });

    auto* bar = new QWidget(central);
    bar->setObjectName(QStringLiteral("ButtonBar"));
    bar->setFixedHeight(44);
    auto* buttons = new QHBoxLayout(bar);
    buttons->setContentsMargins(2, 1, 2, 1);
    buttons->setSpacing(3);

    RGBox = new QGroupBox(QStringLiteral("Scan port:"), bar);
    RGBox->setObjectName(QStringLiteral("RG"));
    auto* rgLayout = new QHBoxLayout(RGBox);
    rgLayout->setContentsMargins(6, 0, 6, 0);
    rgLayout->setSpacing(8);
    RG = new QButtonGroup(this);
    auto* game = new QRadioButton(QStringLiteral("G a m e"), RGBox);
    auto* hltv = new QRadioButton(QStringLiteral("HLTV"), RGBox);
    rgLayout->addWidget(game);
    rgLayout->addWidget(hltv);
    RG->addButton(game, 0);
    RG->addButton(hltv, 1);
    game->setChecked(true);
    connect(RG, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            RGClick();
    });
    buttons->addWidget(RGBox);

    SBScanAll = button(bar, "SBScanAll", QStringLiteral("Scan"),
                       QStringLiteral("Scan all IP ranges"), true);
    SBScanAll->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    SBScanAll->setMinimumWidth(60);
    SBStop = button(bar, "SBStop", QStringLiteral("Stop"), QStringLiteral("Stop scanning"), false);
    SBRefresh = button(bar, "SBRefresh", QStringLiteral("RF"),
                       QStringLiteral("Refresh current servers"), false);
    SBAuto = button(bar, "SBAuto", QStringLiteral("Auto"), QStringLiteral("ON/OFF Autoconnect"),
                    false);
    SBPlay = button(bar, "SBPlay", QStringLiteral("Play"), QStringLiteral("Join to server"),
                    false);
    for (QPushButton* b : {SBScanAll, SBStop, SBRefresh, SBAuto, SBPlay})
        b->setFixedHeight(32);
    for (QPushButton* b : {SBStop, SBRefresh, SBAuto, SBPlay})
        b->setFixedWidth(48);
    buttons->addWidget(SBScanAll, 1);
    buttons->addWidget(SBStop);
    buttons->addWidget(SBRefresh);
    buttons->addWidget(SBAuto);
    buttons->addWidget(SBPlay);
    connect(SBScanAll, &QPushButton::clicked, this, &TForm1::SBScanAllClick);
    connect(SBStop, &QPushButton::clicked, this, &TForm1::SBStopClick);
    connect(SBRefresh, &QPushButton::clicked, this, &TForm1::SBRefreshClick);

    Bevel2 = new QFrame(bar);
    Bevel2->setObjectName(QStringLiteral("Bevel2"));
    Bevel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Bevel2->setLineWidth(1);
    Bevel2->setFixedSize(38, 38);
    auto* bevelLayout = new QHBoxLayout(Bevel2);
    bevelLayout->setContentsMargins(2, 2, 2, 2);
    Image = new QLabel(Bevel2);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setFixedSize(32, 32);
    bevelLayout->addWidget(Image);
    buttons->addWidget(Bevel2);
    left->addWidget(bar);
    columns->addLayout(left, 1);

    // Right: the players and rules tabs.
    PageControl1 = new QTabWidget(central);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFixedWidth(168);
    PageControl1->setIconSize(QSize(16, 16));
    TSPl = new QWidget;
    TSPl->setObjectName(QStringLiteral("TSPl"));
    TSR = new QWidget;
    TSR->setObjectName(QStringLiteral("TSR"));
    LWPlayers = detailList(TSPl, "LWPlayers", {QStringLiteral("NickName"), QStringLiteral("Frags")});
    LWPlayers->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    LWPlayers->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    LWPlayers->setColumnWidth(1, 40);
    LWPlayers->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    LWPlayers->header()->setSectionsClickable(true);
    LWRules = detailList(TSR, "LWRules", {QStringLiteral("Rule"), QStringLiteral("Value")});
    LWRules->setColumnWidth(0, 98);
    LWRules->setColumnWidth(1, 60);
    LWRules->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    LWRules->header()->setSectionsClickable(false);
    for (QWidget* page : {TSPl, TSR}) {
        auto* l = new QVBoxLayout(page);
        l->setContentsMargins(0, 0, 0, 0);
    }
    TSPl->layout()->addWidget(LWPlayers);
    TSR->layout()->addWidget(LWRules);
    PageControl1->addTab(TSPl, ILPlayers[0], QStringLiteral("Players"));
    PageControl1->addTab(TSR, ILPlayers[1], QStringLiteral("Rules"));
    columns->addWidget(PageControl1);
    setCentralWidget(central);

    // Status bar: panels of 95, 50 (centred) and 50 pixels; the last one
    // takes what is left, as its texts are the longest. The first grows to
    // its longest activity text where the font would cut it at 95.
    SBar = statusBar();
    SBar->setObjectName(QStringLiteral("SBar"));
    SBar->setSizeGripEnabled(true);
    const int activity = SBar->fontMetrics().horizontalAdvance(QStringLiteral(" Refresh complete"));
    const int widths[3] = {std::max(95, activity + 12), 50, 50};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(SBar);
        panel->setObjectName(QStringLiteral("SBarPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumWidth(widths[i]);
        if (i < 2)
            panel->setFixedWidth(widths[i]);
        if (i == 1)
            panel->setAlignment(Qt::AlignCenter);
        SBar->addWidget(panel, i == 2 ? 1 : 0);
        m_panels[i] = panel;
    }

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(1000);
    connect(Timer, &QTimer::timeout, this, &TForm1::TimerTimer);
    TimerAuto = new QTimer(this);
    TimerAuto->setObjectName(QStringLiteral("TimerAuto"));
    TimerAuto->setInterval(5000);
    TimerFav = new QTimer(this);
    TimerFav->setObjectName(QStringLiteral("TimerFav"));
    TimerFav->setInterval(10000);
    connect(TimerFav, &QTimer::timeout, this, &TForm1::TimerFavTimer);

    buildMenus();
    connectDetails();
}

void TForm1::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    File1 = bar->addMenu(QStringLiteral("File"));
    File1->setObjectName(QStringLiteral("File1"));
    Hide1 = File1->addAction(QStringLiteral("Hide  (Shift+Alt+S)"));
    Hide1->setObjectName(QStringLiteral("Hide1"));
    Exit1 = File1->addAction(QStringLiteral("Exit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    Options1 = bar->addAction(QStringLiteral("Options"));
    Options1->setObjectName(QStringLiteral("Options1"));
    About1 = bar->addAction(QStringLiteral("About"));
    About1->setObjectName(QStringLiteral("About1"));
    connect(Hide1, &QAction::triggered, this, &TForm1::Hide1Click);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(Options1, &QAction::triggered, this, &TForm1::Options1Click);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);

    PMServers = new QMenu(this);
    PMServers->setObjectName(QStringLiteral("PMServers"));
    Play = PMServers->addAction(QStringLiteral("Play"));
    Play->setObjectName(QStringLiteral("Play"));
    Auto = PMServers->addAction(QStringLiteral("Auto connect"));
    Auto->setObjectName(QStringLiteral("Auto"));
    PMSAdd = PMServers->addAction(QStringLiteral("Add To Favorites"));
    PMSAdd->setObjectName(QStringLiteral("PMSAdd"));
    connect(PMSAdd, &QAction::triggered, this, &TForm1::PMSAddClick);

    PMTray = new QMenu(this);
    PMTray->setObjectName(QStringLiteral("PMTray"));
    TrayShow = PMTray->addAction(QStringLiteral("Show  (Shift+Alt+S)"));
    TrayShow->setObjectName(QStringLiteral("TrayShow"));
    TrayExit = PMTray->addAction(QStringLiteral("Exit"));
    TrayExit->setObjectName(QStringLiteral("TrayExit"));
    connect(TrayShow, &QAction::triggered, this, &TForm1::TrayShowClick);
    connect(TrayExit, &QAction::triggered, this, &TForm1::TrayExitClick);

    TrayIcon = new QSystemTrayIcon(TrayList[0], this);
    TrayIcon->setObjectName(QStringLiteral("TrayIcon"));
    TrayIcon->setToolTip(QStringLiteral("Zarnek"));
    TrayIcon->setContextMenu(PMTray);
    connect(TrayIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick)
                    TrayIconDblClick();
            });
    buildTrayCycling();
}
