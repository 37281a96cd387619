#pragma once

// The main window. This first version fixes the members that the settings
// dialog and the scan driver reach; the window itself grows around them.

#include <QMainWindow>

class QButtonGroup;
class QTimer;
class TSettings;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Set once by start-up, right after the settings dialog is created; null
    // before that and after it is destroyed.
    TSettings* Settings = nullptr;

    // "Scan port:" radio group: 0 game port, 1 HLTV port, -1 none selected.
    int RGIndex() const;
    // Selecting a different item runs RGClick, as a user's click would.
    void setRGIndex(int index);

    // Status bar panels 0..2; every text begins with one blank.
    QString statusText(int panel) const;
    void setStatusText(int panel, const QString& text);

    QButtonGroup* RG = nullptr;
    QTimer* TimerFav = nullptr;
    QTimer* Timer = nullptr;  // Scan cool-down, 1000 ms

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

public slots:
    void RGClick();
    // Scan driver handlers; their bodies live in app/scanning.
    void SBScanAllClick();
    void SBStopClick();
    void TimerTimer();
};
