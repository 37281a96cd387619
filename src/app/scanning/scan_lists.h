#pragma once

// The scan's reading of the settings dialog's two lists. The lists stay
// editable while a scan runs (its loop pumps events), so the scan reads one
// entry at a time, by index, when its turn comes.

#include <QPersistentModelIndex>
#include <QString>
#include <optional>
#include <vector>

class QTreeWidget;

struct FavouriteEntry {
    QString host;
    // Nothing when the port text is not a decimal port (a hand-edited
    // settings file): such a favourite is not probed.
    std::optional<int> port;
};

// The favourite at `index`, or nothing when the list no longer reaches that far.
std::optional<FavouriteEntry> favouriteAt(const QTreeWidget* favourites, int index);

struct RangeEntry {
    bool checked = false;
    QString from;
    QString to;
};

// The range at `index`, or nothing when the list no longer reaches that far.
std::optional<RangeEntry> rangeAt(const QTreeWidget* ranges, int index);

// The list's current length; 0 for no list.
int entryCount(const QTreeWidget* list);

// The entries a list held when a phase started, followed through the edits
// made inside the pump: an entry deleted meanwhile has no row any more, the
// others keep their turn wherever deletions above them moved them, and
// entries added meanwhile are not among them.
class ListEntries {
public:
    explicit ListEntries(const QTreeWidget* list);
    int size() const { return int(m_entries.size()); }
    // The row entry `i` holds now, or nothing once it was deleted.
    std::optional<int> rowOf(int i) const;

private:
    std::vector<QPersistentModelIndex> m_entries;
};
