// The answer to the end of the desktop session (log-off or shut-down).
#include "app/shell/main_window.h"

#include "platform/udp_endpoint.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSystemTrayIcon>

void TForm1::watchSessionEnd()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    // The session manager asks through Qt (XSMP on X11 desktops); the answer
    // is given when the handler returns without cancelling.
    connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!QueryEndSession())
            manager.cancel();
    });
}

bool TForm1::QueryEndSession()
{
    // A loop inside its pump sees the closed endpoint and sends no more.
    m_platform.udp->close();
    // Gone from the tray before the desktop goes, whatever the close does.
    setTrayCycling(false);
    delete TrayIcon;
    TrayIcon = nullptr;
    // During a scan the close turns into Stop and the window stays, but the
    // session may still end: the answer is yes either way.
    close();
    return true;
}
