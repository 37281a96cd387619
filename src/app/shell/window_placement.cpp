#include "app/shell/window_placement.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget& window)
{
    if (QScreen* s = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        window.move(frame.topLeft());
    }
}
