#pragma once

// The main window: the server list, the players and rules tabs, the scan-port
// choice, the buttons, the status bar, the menus and the tray icon. Its
// controls and the program-wide state are public members, because the scan,
// details, joining and settings code all work on them.

#include "app/shell/server_list_view.h"
#include "core/protocol/dispatch.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class EventPump;
class GlobalHotKey;
class LocalAddressProvider;
class QAction;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QSystemTrayIcon;
class QTabWidget;
class QTimer;
class QTreeWidget;
class SingleInstance;
class TSettings;
class UdpEndpoint;

// The adapters the window is built with; the window owns them. A missing
// endpoint, pump or local address is replaced by a harmless one (no network,
// the real pump, the system's address); a missing hot key or single-instance
// check means the window does without them, silently.
struct TForm1Platform {
    std::unique_ptr<UdpEndpoint> udp;
    std::unique_ptr<EventPump> pump;
    std::unique_ptr<GlobalHotKey> hotKey;
    std::unique_ptr<SingleInstance> instance;
    std::unique_ptr<LocalAddressProvider> localAddress;

    TForm1Platform();
    TForm1Platform(TForm1Platform&&) noexcept;
    TForm1Platform& operator=(TForm1Platform&&) noexcept;
    ~TForm1Platform();

    // The real ones: the endpoint on port 27005, the X11 hot key (or none),
    // the per-user instance socket.
    static TForm1Platform system();
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kHotKeyId = 1;

    explicit TForm1(TForm1Platform platform, QWidget* parent = nullptr);
    // A window without network, hot key or single-instance check.
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // True when another instance was running: it has been asked to restore
    // its window and this one built nothing further; the process must end.
    bool SecondInstance() const { return m_secondInstance; }
    // False when the system refused the hot key (the notice was shown).
    bool HotKeyRegistered() const { return m_hotKeyRegistered; }

    // The adapters. udp() stays valid after the window closed, but is then
    // closed (isClosed()): a loop inside its pump checks that before sending.
    UdpEndpoint* udp() const { return m_platform.udp.get(); }
    EventPump* pump() const { return m_platform.pump.get(); }
    GlobalHotKey* hotKey() const { return m_platform.hotKey.get(); }
    LocalAddressProvider* localAddress() const { return m_platform.localAddress.get(); }
    zarnek::protocol::Dispatcher& protocol() { return m_protocol; }

    // The rows of LW as the protocol core made them, in the same order.
    const zarnek::protocol::ServerList& serverRows() const { return m_rows; }
    // Empties LW (and the rows kept beside it) as a whole.
    void clearServerList();

    // Set once by start-up, right after the settings dialog is created; null
    // before that and after it is destroyed.
    TSettings* Settings = nullptr;
    // The about box, the password prompt and the auto-connect dialog, once
    // they exist.
    QWidget* FormAbout = nullptr;

    // "Scan port:" radio group: 0 game port, 1 HLTV port, -1 none selected.
    int RGIndex() const;
    // Selecting a different item runs RGClick, as a user's click would.
    void setRGIndex(int index);
    void setRGEnabled(bool enabled);

    // Status bar panels 0..2; every text begins with one blank.
    QString statusText(int panel) const;
    void setStatusText(int panel, const QString& text);

    // Views.
    QMenu* File1 = nullptr;
    QAction* Hide1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Options1 = nullptr;
    QAction* About1 = nullptr;
    ServerListView* LW = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TSPl = nullptr;
    QWidget* TSR = nullptr;
    QTreeWidget* LWPlayers = nullptr;
    QTreeWidget* LWRules = nullptr;
    QGroupBox* RGBox = nullptr;  // the frame and caption of RG
    QButtonGroup* RG = nullptr;
    QPushButton* SBScanAll = nullptr;
    QPushButton* SBStop = nullptr;
    QPushButton* SBRefresh = nullptr;
    QPushButton* SBAuto = nullptr;
    QPushButton* SBPlay = nullptr;
    QFrame* Bevel2 = nullptr;
    QLabel* Image = nullptr;
    QStatusBar* SBar = nullptr;
    QMenu* PMServers = nullptr;
    QAction* Play = nullptr;
    QAction* Auto = nullptr;
    QAction* PMSAdd = nullptr;
    QMenu* PMTray = nullptr;
    QAction* TrayShow = nullptr;
    QAction* TrayExit = nullptr;
    QSystemTrayIcon* TrayIcon = nullptr;
    // Steps the tray icon through TrayList while auto-connect is armed.
    QTimer* TrayCycleTimer = nullptr;
    // The picture of TrayList the tray icon shows.
    int TrayIconIndex = 0;
    QTimer* Timer = nullptr;      // Scan cool-down, 1000 ms
    QTimer* TimerAuto = nullptr;  // auto-connect poll, 5000 ms
    QTimer* TimerFav = nullptr;   // favourites auto-scan

    // Image lists.
    QList<QIcon> IList;      // 18 small pictures of rows and headers
    QList<QIcon> IList2;     // 7 game pictures, 32 by 32
    QList<QIcon> TrayList;   // 2 tray icons
    QList<QIcon> ILPlayers;  // 2 tab icons

    // Scan state of the main window.
    bool ScanInProgress = false;
    bool StopRequested = false;
    int ScanCooldown = 0;

    // The servers of the last completed scan, for Refresh.
    struct KnownServerTable {
        int count = 0;
        QString address[41];
        QString port[41];
    } KnownServers;

    // Auto-connect and join state.
    bool AutoConnectOn = false;
    QString AutoTarget;
    QString AutoPort;
    int AutoNeed = 0;
    int AutoMissed = 0;
    QString PassArg;
    bool PassGiven = false;

    // Appends one row made by the protocol core: caption and row icon, cells,
    // the "OS" and "A" icons; then the auto-connect check.
    void AddServerRow(const zarnek::protocol::ServerRow& row);
    // The auto-connect check on the row just added.
    void CheckAutoConnect(const QString& senderAddress, std::optional<int> playerCount,
                          const QString& playerText);
    // Fills the players and rules lists from a decoded answer.
    void AddPlayers(const std::vector<zarnek::protocol::TPlayers>& players);
    void AddRules(const std::vector<zarnek::protocol::TRules>& rules);
    // Sends each datagram to its own address and port, in order.
    void SendDatagrams(const std::vector<zarnek::protocol::OutgoingDatagram>& sends);

    // Server details. The index of the selected row of LW, -1 for none.
    int LWItemIndex() const;
    // The pop-up menu of LW opens on a right click only while this is on.
    bool PMServersAutoPopup = false;
    // True when a players or rules answer from this sender belongs to the
    // selected row: it came from where the selection sent its requests.
    bool IsDetailAnswer(const QString& fromIP, int port) const;

signals:
    // An accepted close: the program's event loop must end.
    void programEnded();

public slots:
    void RGClick();
    // Scan driver handlers; their bodies live in app/scanning.
    void SBScanAllClick();
    void SBStopClick();
    void TimerTimer();
    void SBRefreshClick();
    // One pass of the favourites auto-scan.
    void TimerFavTimer();

    // Server details; their bodies live in app/details.
    void LWSelectItem();
    void LWClick();
    void LWMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint& at);
    void LWPlayersColumnClick(int column);

    void UDPDataReceived(const QByteArray& datagram, const QString& fromIP, int port);
    void UDPBufferInvalid();
    void UDPInvalidHost();

    void Exit1Click();
    void Options1Click();
    // "Add To Favorites" of the server list's menu; its body lives in
    // app/settings.
    void PMSAddClick();
    void About1Click();

    // Tray and hot key.
    void Hide1Click();
    void TrayShowClick();
    void TrayExitClick();
    void TrayIconDblClick();
    void HotKeyPressed(int id);
    // On: the tray icon steps through TrayList every 1000 ms. Off: it stops
    // and shows its first picture again.
    void setTrayCycling(bool on);
    bool trayCycling() const;
    void TrayCycleTimerTimer();
    // Another instance was started: restore and bring this one to the front.
    void RestoreRequested();
    // SIGTERM, SIGINT or SIGHUP: stop a running scan and close as if the close
    // had been accepted.
    void TerminationRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildViews();
    void buildMenus();
    void buildTrayCycling();
    void connectDetails();
    void FormCreate();
    void FormShow();
    void FormHide();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();

    TForm1Platform m_platform;
    zarnek::protocol::Dispatcher m_protocol;
    zarnek::protocol::ServerList m_rows;
    QLabel* m_panels[3] = {};
    bool m_secondInstance = false;
    bool m_hotKeyRegistered = false;
    bool m_closed = false;
    bool m_forceClose = false;
    bool m_centred = false;
    // Where the current selection sent its detail requests.
    QString m_detailAddress;
    int m_detailPort = -1;
};
