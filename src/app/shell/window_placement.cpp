#include "app/shell/window_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QWidget>

namespace {

QScreen* screenOf(const QWidget& window)
{
    QScreen* s = window.screen();
    return s ? s : QGuiApplication::primaryScreen();
}

}  // namespace

void centreOnScreen(QWidget& window)
{
    if (QScreen* s = screenOf(window)) {
        const QRect area = s->availableGeometry();
        QRect frame = window.frameGeometry();
        frame.moveCenter(area.center());
        if (frame.left() < area.left())
            frame.moveLeft(area.left());
        if (frame.top() < area.top())
            frame.moveTop(area.top());
        window.move(frame.topLeft());
    }
}

QSize sizeOnScreen(const QWidget& window, const QSize& wanted)
{
    QSize size = wanted;
    if (QScreen* s = screenOf(window))
        size = size.boundedTo(s->availableGeometry().size());
    return size.expandedTo(window.minimumSize());
}

void centreOnFirstShow(QWidget& window, bool& centred)
{
    if (centred)
        return;
    centred = true;
    centreOnScreen(window);
}

void showInFront(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}
