#include "platform/system_platform.h"

#include "platform/portal_hot_key.h"
#include "platform/x11_hot_key.h"

#include <QDBusConnection>
#include <QGuiApplication>

namespace {

bool waylandSession()
{
    return QGuiApplication::platformName() == QStringLiteral("wayland") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QStringLiteral("wayland");
}

}  // namespace

std::unique_ptr<GlobalHotKey> makeSystemHotKey()
{
    X11GlobalHotKey* x11 = X11GlobalHotKey::create();
    if (!waylandSession()) {
        if (x11)
            return std::unique_ptr<GlobalHotKey>(x11);
        return std::make_unique<NoGlobalHotKey>();
    }
    auto ways = std::make_unique<FirstWorkingHotKey>();
    ways->add(new PortalGlobalHotKey(QDBusConnection::sessionBus()));
    if (x11)
        ways->add(x11);
    return ways;
}
