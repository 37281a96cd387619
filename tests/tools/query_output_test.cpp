#include "tools/query_output.h"

#include "display/display_text.h"

#include <gtest/gtest.h>

namespace zarnek::tools {
namespace {

std::string utf8(const QString& text) { return text.toStdString(); }

TEST(QueryOutput, WireTextsBecomeSafeUtf8) {
    struct Case {
        std::string wire;
        std::string line;  // UTF-8 as printed in a line
        std::string json;  // the JSON literal
    };
    const Case cases[] = {
        {"Box", "Box", "\"Box\""},
        {"Caf\xC3\xA9", "Caf\xC3\xA9", "\"Caf\xC3\xA9\""},        // well-formed UTF-8 stays
        {"Caf\xE9", "Caf\xC3\xA9", "\"Caf\xC3\xA9\""},            // else Latin-1
        {"a\tb", "a\xEF\xBF\xBD" "b", "\"a\\tb\""},                // a tab must not shift columns
        {"\x1B[2J", "\xEF\xBF\xBD[2J", "\"\\u001b[2J\""},          // nor an escape reach a terminal
        {"\x9B" "2J", "\xEF\xBF\xBD" "2J", "\"\\u009b2J\""},       // C1 control via Latin-1
        {"say \"hi\" \\o/", "say \"hi\" \\o/", "\"say \\\"hi\\\" \\\\o/\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8(lineCell(c.wire)), c.line) << c.wire;
        EXPECT_EQ(utf8(jsonString(displayText(c.wire))), c.json) << c.wire;
    }
}

TEST(QueryOutput, RowCellsAndIcons) {
    protocol::ServerRow row;
    row.game = "?";
    row.gameIcon = protocol::icon::CounterStrike;
    row.name = "Old box";
    row.address = "127.0.0.4";
    row.port = "27015";
    row.pt = "47";
    row.map = "de_dust";
    row.players = "5/16";
    row.os = "LIN";
    row.osIcon = protocol::icon::Linux;
    row.availabilityIcon = protocol::icon::None;  // an odd old-protocol password text
    const std::vector<ListedServer> servers{{row, std::nullopt}};

    EXPECT_EQ(serverLines(servers).toStdString(),
              "?\tOld box\t127.0.0.4\t27015\t47\tde_dust\t5/16\tLIN\t\t\n");
    EXPECT_EQ(serversJson(servers).toStdString(),
              "[\n  {\"game\": \"?\", \"icon\": 0, \"name\": \"Old box\", "
              "\"address\": \"127.0.0.4\", \"port\": \"27015\", \"pt\": \"47\", "
              "\"map\": \"de_dust\", \"players\": \"5/16\", \"os\": \"LIN\", "
              "\"os_icon\": 14, \"availability\": \"\", \"a_icon\": null, "
              "\"ping_ms\": null}\n]\n");

    const std::pair<int, const char*> availability[] = {
        {protocol::icon::Open, "open"}, {protocol::icon::Full, "full"},
        {protocol::icon::Locked, "password"}, {protocol::icon::None, ""}};
    for (const auto& [icon, text] : availability)
        EXPECT_EQ(utf8(availabilityText(icon)), text);
}

}  // namespace
}  // namespace zarnek::tools
