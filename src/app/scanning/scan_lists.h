#pragma once

// The scan's reading of the settings dialog's two lists. The lists stay
// editable while a scan runs (its loop pumps events), so the scan reads one
// entry at a time, by index, when its turn comes.

#include <QString>
#include <optional>

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
