// "Add To Favorites" of the server list's pop-up menu: the selected server
// joins the favourites of the settings dialog.

#include "app/settings/favorites_page.h"
#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "app/shell/server_list_view.h"

void TForm1::PMSAddClick()
{
    QTreeWidgetItem* item = LW->currentItem();
    if (!Settings || !item || !item->isSelected())
        return;
    Settings->TS3->addFavorite(item->text(ServerListView::Address), item->text(ServerListView::Port));
}
