#pragma once

// What zarnek-query prints: the server list rows and the two detail lists,
// as tab-separated lines or as JSON, in UTF-8. Wire texts become text by the
// window's rule (UTF-8 when well-formed, else Latin-1).

#include <QByteArray>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

#include "core/protocol/records.h"
#include "core/protocol/server_row.h"

namespace zarnek::tools {

struct ListedServer {
    protocol::ServerRow row;
    std::optional<int> pingMs;  // round trip of the server's first answer
};

// "open", "full", "password", or empty where the window shows no icon.
QString availabilityText(int availabilityIcon);

// A wire text for a line of the terminal: control characters (a tab would
// shift the columns, an escape would reach the terminal) become U+FFFD.
QString lineCell(std::string_view bytes);

// A JSON string literal, quotes included.
QString jsonString(const QString& text);

QByteArray serverLines(const std::vector<ListedServer>& servers);
QByteArray serversJson(const std::vector<ListedServer>& servers);

QByteArray detailLines(const std::vector<protocol::TPlayers>& players,
                       const std::vector<protocol::TRules>& rules);
QByteArray detailsJson(const std::vector<protocol::TPlayers>& players,
                       const std::vector<protocol::TRules>& rules);

}  // namespace zarnek::tools
