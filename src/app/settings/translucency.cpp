#include "app/settings/translucency.h"

#include "app/settings/settings_dialog.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace {

constexpr char kTranslucent[] = "zarnekTranslucent";

}  // namespace

void setWindowTranslucency(QWidget& window, bool translucent, int level)
{
    window.setProperty(kTranslucent, translucent);
    window.setWindowOpacity(translucent ? std::clamp(level, 0, 255) / 255.0 : 1.0);
}

bool isWindowTranslucent(const QWidget& window) { return window.property(kTranslucent).toBool(); }

void applyTranslucencyOnShow(QWidget& window, TSettings* settings, bool followsSwitch)
{
    if (!settings)
        return;
    setWindowTranslucency(window, settings->Trans, settings->TransLevel);
    if (followsSwitch)
        settings->followTranslucency(&window);
}

void applyTranslucencyKeepingOn(QWidget& window, const TSettings* settings)
{
    if (!settings)
        return;
    setWindowTranslucency(window, settings->Trans || isWindowTranslucent(window), settings->TransLevel);
}
