#include "app/scanning/scan_lists.h"

#include "app/settings/settings_dialog.h"
#include "core/scanning/port_text.h"

#include <QTreeWidget>

int entryCount(const QTreeWidget* list)
{
    return list ? list->topLevelItemCount() : 0;
}

std::optional<FavouriteEntry> favouriteAt(const QTreeWidget* favourites, int index)
{
    if (index < 0 || index >= entryCount(favourites))
        return std::nullopt;
    const QTreeWidgetItem* item = favourites->topLevelItem(index);
    return FavouriteEntry{item->text(TSettings::FavAddressColumn),
                          zarnek::scanning::portNumber(
                              item->text(TSettings::FavPortColumn).toStdString())};
}

std::optional<RangeEntry> rangeAt(const QTreeWidget* ranges, int index)
{
    if (index < 0 || index >= entryCount(ranges))
        return std::nullopt;
    const QTreeWidgetItem* item = ranges->topLevelItem(index);
    return RangeEntry{item->checkState(TSettings::RangeFromColumn) == Qt::Checked,
                      item->text(TSettings::RangeFromColumn), item->text(TSettings::RangeToColumn)};
}
