// Hiding and showing the main window: the File menu, the tray icon and its
// menu, the global hot key, the minimise button, and a second instance's
// request.
#include "app/shell/main_window.h"

#include <QEvent>
#include <QSystemTrayIcon>
#include <QTimer>

void TForm1::Hide1Click() { hide(); }

// Shown, restored and in front: a window brought back from the tray that
// stayed behind others would look as if the command had failed.
void TForm1::showInFront()
{
    showNormal();
    raise();
    activateWindow();
}

void TForm1::TrayShowClick() { showInFront(); }

void TForm1::TrayExitClick() { close(); }

// Visibility alone decides: a window covered by others is hidden, not raised.
void TForm1::TrayIconDblClick()
{
    if (isVisible()) {
        hide();
        return;
    }
    showInFront();
}

void TForm1::HotKeyPressed(int id)
{
    if (id == kHotKeyId)
        TrayIconDblClick();
}

bool TForm1::trayAvailable() const
{
    if (m_platform.trayAvailable)
        return m_platform.trayAvailable();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A hidden window cannot be activated by the user. An activation that
    // reaches one is the window system's late answer to a window that closed
    // just before (the password prompt's OK hides the prompt, then the join
    // hides this window): acting on it would undo the hide.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        FormActivate();
    if (event->type() != QEvent::WindowStateChange || !isMinimized() || !trayAvailable())
        return;
    // Minimising hides to the tray, done once the window system has finished
    // its own state change; the window system then no longer keeps it
    // minimised. Only hidden here: un-minimising asks the window manager to
    // map the window again, a request it may carry out after the hide. Every
    // way back (showInFront, FormActivate) shows it normal, at its size.
    QTimer::singleShot(0, this, [this] { hide(); });
}

void TForm1::FormActivate()
{
    if (!isVisible() || isMinimized())
        showNormal();
}

// The request is a restore: a window hidden in the tray stays hidden. With no
// tray to bring it back from, a second start is the way back, so it shows.
void TForm1::RestoreRequested()
{
    if (!isVisible()) {
        if (!trayAvailable())
            showInFront();
        return;
    }
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}
