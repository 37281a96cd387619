#include "tools/query_output.h"

#include "display/display_text.h"

#include <QStringList>

namespace zarnek::tools {

namespace {

bool isControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

QString jsonNumberOrNull(std::optional<int> value) {
    return value ? QString::number(*value) : QStringLiteral("null");
}

QString member(const char* key, const QString& jsonValue) {
    return jsonString(QString::fromLatin1(key)) + QStringLiteral(": ") + jsonValue;
}

QString textMember(const char* key, std::string_view wire) {
    return member(key, jsonString(displayText(wire)));
}

// One object per line inside the array, so that a long list stays readable
// and diffable.
QByteArray jsonArray(const QStringList& objects, const QString& indent) {
    if (objects.isEmpty()) return QByteArrayLiteral("[]");
    QString text = QStringLiteral("[\n");
    for (qsizetype i = 0; i < objects.size(); ++i) {
        text += indent + objects[i];
        text += i + 1 < objects.size() ? QStringLiteral(",\n") : QStringLiteral("\n");
    }
    text += indent.left(indent.size() - 2) + QStringLiteral("]");
    return text.toUtf8();
}

QString object(const QStringList& members) {
    return QStringLiteral("{") + members.join(QStringLiteral(", ")) + QStringLiteral("}");
}

QString playerName(const protocol::TPlayers& player) { return displayText(player.Name); }

}  // namespace

QString availabilityText(int availabilityIcon) {
    switch (availabilityIcon) {
    case protocol::icon::Open: return QStringLiteral("open");
    case protocol::icon::Full: return QStringLiteral("full");
    case protocol::icon::Locked: return QStringLiteral("password");
    default: return {};
    }
}

QString lineCell(std::string_view bytes) {
    QString text = displayText(bytes);
    for (QChar& c : text)
        if (isControl(c.unicode())) c = QChar(0xFFFD);
    return text;
}

QString jsonString(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"') out += QStringLiteral("\\\"");
        else if (u == u'\\') out += QStringLiteral("\\\\");
        else if (u == u'\n') out += QStringLiteral("\\n");
        else if (u == u'\t') out += QStringLiteral("\\t");
        else if (u == u'\r') out += QStringLiteral("\\r");
        // C1 controls and the line separators are valid raw JSON, but escaped
        // they cannot upset a terminal or a JavaScript reader.
        else if (isControl(u) || u == 0x2028 || u == 0x2029)
            out += QStringLiteral("\\u%1").arg(static_cast<int>(u), 4, 16, QLatin1Char('0'));
        else out += c;
    }
    out += u'"';
    return out;
}

QByteArray serverLines(const std::vector<ListedServer>& servers) {
    QByteArray out;
    for (const ListedServer& s : servers) {
        const protocol::ServerRow& r = s.row;
        const QStringList cells{
            lineCell(r.game), lineCell(r.name), lineCell(r.address), lineCell(r.port),
            lineCell(r.pt), lineCell(r.map), lineCell(r.players), lineCell(r.os),
            availabilityText(r.availabilityIcon),
            s.pingMs ? QString::number(*s.pingMs) : QString()};
        out += cells.join(u'\t').toUtf8();
        out += '\n';
    }
    return out;
}

QByteArray serversJson(const std::vector<ListedServer>& servers) {
    QStringList objects;
    for (const ListedServer& s : servers) {
        const protocol::ServerRow& r = s.row;
        const std::optional<int> aIcon =
            r.availabilityIcon == protocol::icon::None ? std::nullopt
                                                       : std::optional<int>(r.availabilityIcon);
        objects.append(object({
            textMember("game", r.game),
            member("icon", QString::number(r.gameIcon)),
            textMember("name", r.name),
            textMember("address", r.address),
            textMember("port", r.port),
            textMember("pt", r.pt),
            textMember("map", r.map),
            textMember("players", r.players),
            textMember("os", r.os),
            member("os_icon", QString::number(r.osIcon)),
            member("availability", jsonString(availabilityText(r.availabilityIcon))),
            member("a_icon", jsonNumberOrNull(aIcon)),
            member("ping_ms", jsonNumberOrNull(s.pingMs)),
        }));
    }
    return jsonArray(objects, QStringLiteral("  ")) + '\n';
}

QByteArray detailLines(const std::vector<protocol::TPlayers>& players,
                       const std::vector<protocol::TRules>& rules) {
    // The two lists under the captions of their columns, a blank line between.
    QString text = QStringLiteral("NickName\tFrags\n");
    for (const protocol::TPlayers& p : players) {
        QString name = playerName(p);
        for (QChar& c : name)
            if (isControl(c.unicode())) c = QChar(0xFFFD);
        text += name + u'\t' + QString::number(p.Frags) + u'\n';
    }
    text += QStringLiteral("\nRule\tValue\n");
    for (const protocol::TRules& r : rules)
        text += lineCell(r.Name) + u'\t' + lineCell(r.Value) + u'\n';
    return text.toUtf8();
}

QByteArray detailsJson(const std::vector<protocol::TPlayers>& players,
                       const std::vector<protocol::TRules>& rules) {
    QStringList playerObjects;
    for (const protocol::TPlayers& p : players)
        playerObjects.append(object({member("name", jsonString(playerName(p))),
                                     member("frags", QString::number(p.Frags))}));
    QStringList ruleObjects;
    for (const protocol::TRules& r : rules)
        ruleObjects.append(object({textMember("name", r.Name), textMember("value", r.Value)}));
    QByteArray out = "{\n  \"players\": ";
    out += jsonArray(playerObjects, QStringLiteral("    "));
    out += ",\n  \"rules\": ";
    out += jsonArray(ruleObjects, QStringLiteral("    "));
    out += "\n}\n";
    return out;
}

}  // namespace zarnek::tools
