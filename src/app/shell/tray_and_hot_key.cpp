// Hiding and showing the main window: the File menu, the tray icon and its
// menu, the global hot key, and a second instance's request.
#include "app/shell/main_window.h"

void TForm1::Hide1Click() { hide(); }

void TForm1::TrayShowClick()
{
    showNormal();
    raise();
    activateWindow();
}

void TForm1::TrayExitClick() { close(); }

void TForm1::TrayIconDblClick()
{
    if (isVisible()) {
        hide();
        return;
    }
    showNormal();
    raise();
    activateWindow();
}

void TForm1::HotKeyPressed(int id)
{
    if (id == kHotKeyId)
        TrayIconDblClick();
}

// The request is a restore: a window hidden in the tray stays hidden.
void TForm1::RestoreRequested()
{
    if (!isVisible())
        return;
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}
