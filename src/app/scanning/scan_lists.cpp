#include "app/scanning/scan_lists.h"

#include "app/settings/settings_dialog.h"
#include "core/protocol/text_helpers.h"

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
                          zarnek::protocol::ParsePort(
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

ListEntries::ListEntries(const QTreeWidget* list)
{
    const int count = entryCount(list);
    m_entries.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        m_entries.emplace_back(list->model()->index(i, 0));
}

std::optional<int> ListEntries::rowOf(int i) const
{
    if (i < 0 || i >= size() || !m_entries[std::size_t(i)].isValid())
        return std::nullopt;
    return m_entries[std::size_t(i)].row();
}
