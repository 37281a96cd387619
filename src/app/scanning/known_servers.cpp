#include "app/scanning/known_servers.h"

#include "app/shell/main_window.h"
#include "app/shell/server_list_view.h"

#include <algorithm>
#include <iterator>

void rememberKnownServers(TForm1& form)
{
    auto& table = form.KnownServers;
    const int capacity = int(std::size(table.address));
    table.count = std::min(form.LW->topLevelItemCount(), capacity);
    for (int i = 0; i < table.count; ++i) {
        const QTreeWidgetItem* row = form.LW->topLevelItem(i);
        table.address[i] = row->text(ServerListView::Address);
        table.port[i] = row->text(ServerListView::Port);
    }
}
