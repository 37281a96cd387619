// The tray icon's cycling, the sign that auto-connect is armed even while the
// window sits hidden in the tray.
#include "app/shell/main_window.h"

#include <QSystemTrayIcon>
#include <QTimer>

void TForm1::buildTrayCycling()
{
    TrayCycleTimer = new QTimer(this);
    TrayCycleTimer->setObjectName(QStringLiteral("TrayCycleTimer"));
    TrayCycleTimer->setInterval(1000);
    connect(TrayCycleTimer, &QTimer::timeout, this, &TForm1::TrayCycleTimerTimer);
}

void TForm1::setTrayCycling(bool on)
{
    if (on) {
        if (!TrayCycleTimer->isActive())
            TrayCycleTimer->start();
        return;
    }
    TrayCycleTimer->stop();
    TrayIconIndex = 0;
    // The icon is gone after the log-off answer and in a second instance.
    if (TrayIcon)
        TrayIcon->setIcon(TrayList[0]);
}

bool TForm1::trayCycling() const { return TrayCycleTimer->isActive(); }

void TForm1::TrayCycleTimerTimer()
{
    TrayIconIndex = (TrayIconIndex + 1) % TrayList.size();
    if (TrayIcon)
        TrayIcon->setIcon(TrayList[TrayIconIndex]);
}
