// The players and rules lists of the selected server, and the players list's
// two sorts.

#include "display/display_text.h"
#include "app/shell/main_window.h"
#include "core/protocol/players_decoder.h"

#include <QTreeWidget>

namespace protocol = zarnek::protocol;

namespace {

void listPlayers(QTreeWidget* list, const std::vector<protocol::TPlayers>& players)
{
    list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(players.size()));
    for (const protocol::TPlayers& p : players) {
        auto* item = new QTreeWidgetItem;
        // Names are well-formed UTF-8 or empty, so the text gives back the
        // same bytes when the list is sorted by name.
        item->setText(0, QString::fromUtf8(p.Name.data(), static_cast<qsizetype>(p.Name.size())));
        item->setText(1, QString::number(p.Frags));
        item->setTextAlignment(1, Qt::AlignCenter);
        items.append(item);
    }
    list->addTopLevelItems(items);
}

std::vector<protocol::TPlayers> listedPlayers(const QTreeWidget* list)
{
    std::vector<protocol::TPlayers> players;
    players.reserve(static_cast<std::size_t>(list->topLevelItemCount()));
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        players.push_back({item->text(0).toUtf8().toStdString(), item->text(1).toInt()});
    }
    return players;
}

}  // namespace

bool TForm1::IsDetailAnswer(const QString& fromIP, int port) const
{
    // The address and port are those of the selection's own requests; a row
    // selected again sets them again, and a cleared list leaves no selection.
    return LWItemIndex() >= 0 && port == m_detailPort && fromIP == m_detailAddress;
}

void TForm1::AddPlayers(const std::vector<protocol::TPlayers>& players)
{
    listPlayers(LWPlayers, players);
}

void TForm1::AddRules(const std::vector<protocol::TRules>& rules)
{
    LWRules->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rules.size()));
    for (const protocol::TRules& r : rules) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, displayText(r.Name));
        item->setText(1, displayText(r.Value));
        // The narrow columns cut long names and values (download addresses,
        // plugin lists); the whole text is a hover away.
        item->setToolTip(0, item->text(0));
        item->setToolTip(1, item->text(1));
        item->setTextAlignment(1, Qt::AlignCenter);
        items.append(item);
    }
    LWRules->addTopLevelItems(items);
}

void TForm1::LWPlayersColumnClick(int column)
{
    // Each click sorts the rows as they stand, once and in one direction;
    // the sort is stable, so rows that compare equal keep their order.
    std::vector<protocol::TPlayers> players = listedPlayers(LWPlayers);
    if (column == 0)
        protocol::SortPlayersByName(players);
    else
        protocol::SortPlayersByFrags(players);
    listPlayers(LWPlayers, players);
}
