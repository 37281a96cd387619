#include "core/settings/ini_document.h"

#include "core/protocol/text_helpers.h"

#include <cstdint>
#include <iterator>
#include <limits>
#include <unordered_map>

namespace zarnek::settings {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

using protocol::AsciiUpper;

bool sameName(std::string_view a, std::string_view b) { return protocol::EqualsNoCase(a, b); }

std::string oneLine(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c == '\n')
            c = ' ';
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = AsciiUpper(c);
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<int> parseProfileInteger(std::string_view text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::uint64_t v = 0;
        for (char c : text.substr(2)) {
            const int d = hexDigit(c);
            if (d < 0)
                return std::nullopt;
            v = v * 16 + static_cast<unsigned>(d);
            if (v > 0xFFFFFFFFull)
                return std::nullopt;
        }
        return static_cast<int>(static_cast<std::uint32_t>(v));
    }
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    std::int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > std::int64_t{std::numeric_limits<int>::max()} + 1)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(v);
}

IniDocument IniDocument::parse(std::string_view bytes)
{
    IniDocument doc;
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        doc.byteOrderMark_ = std::string(kUtf8Mark);
        bytes.remove_prefix(kUtf8Mark.size());
    }
    const auto firstBreak = bytes.find('\n');
    if (firstBreak != std::string_view::npos && firstBreak > 0 && bytes[firstBreak - 1] == '\r')
        doc.lineEnd_ = "\r\n";

    bool inSection = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        auto end = bytes.find('\n', pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view raw = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);

        Line line;
        line.text = std::string(raw);
        const std::string_view t = trim(raw);
        const auto close = t.rfind(']');
        if (!t.empty() && t.front() == '[' && close != std::string_view::npos) {
            line.kind = Kind::Header;
            line.name = std::string(trim(t.substr(1, close - 1)));
            inSection = true;
        } else if (inSection && !t.empty() && t.front() != ';') {
            line.kind = Kind::Key;
            const auto eq = t.find('=');
            if (eq == std::string_view::npos) {
                line.name = std::string(t);
                line.hasValue = false;
            } else {
                line.name = std::string(trim(t.substr(0, eq)));
                line.value = std::string(trim(t.substr(eq + 1)));
            }
        }
        doc.lines_.push_back(std::move(line));
    }
    return doc;
}

std::string IniDocument::serialize() const
{
    std::string out = byteOrderMark_;
    std::size_t size = out.size();
    for (const Line& l : lines_)
        size += l.text.size() + lineEnd_.size();
    out.reserve(size);
    for (const Line& l : lines_) {
        out += l.text;
        out += lineEnd_;
    }
    return out;
}

// Calls visit(line) for every key line of every section of that name, in file
// order, until visit returns false.
template <typename Visit>
void IniDocument::forEachKey(std::string_view section, Visit&& visit) const
{
    bool inside = false;
    for (const Line& l : lines_) {
        if (l.kind == Kind::Header)
            inside = sameName(l.name, section);
        else if (inside && l.kind == Kind::Key && !visit(l))
            return;
    }
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const
{
    std::optional<std::string> found;
    forEachKey(section, [&](const Line& l) {
        if (!sameName(l.name, key))
            return true;
        if (l.hasValue)
            found = l.value.substr(0, kMaxValueLength);
        return false;
    });
    return found;
}

std::string IniDocument::readString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const
{
    auto v = value(section, key);
    return v ? std::move(*v) : std::string(fallback.substr(0, kMaxValueLength));
}

int IniDocument::readInteger(std::string_view section, std::string_view key, int fallback) const
{
    const auto v = value(section, key);
    if (!v)
        return fallback;
    return parseProfileInteger(*v).value_or(fallback);
}

bool IniDocument::readBool(std::string_view section, std::string_view key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniDocument::hasSection(std::string_view section) const
{
    for (const Line& l : lines_)
        if (l.kind == Kind::Header && sameName(l.name, section))
            return true;
    return false;
}

std::vector<std::pair<std::string, std::string>> IniDocument::entries(std::string_view section,
                                                                     std::string_view fallback) const
{
    std::vector<std::pair<std::string, std::string>> out;
    std::size_t used = 1;  // the zero byte that ends the list
    forEachKey(section, [&](const Line& l) {
        if (l.name.empty())
            return true;  // an empty name would end the list early; it names nothing
        if (used + l.name.size() + 1 > kKeyListBytes)
            return false;
        used += l.name.size() + 1;
        out.emplace_back(l.name, l.hasValue ? l.value.substr(0, kMaxValueLength)
                                            : std::string(fallback.substr(0, kMaxValueLength)));
        return true;
    });
    return out;
}

std::vector<std::pair<std::string, std::optional<std::string>>> IniDocument::allEntries(
    std::string_view section) const
{
    std::vector<std::pair<std::string, std::optional<std::string>>> out;
    forEachKey(section, [&](const Line& l) {
        out.emplace_back(l.name, l.hasValue ? std::optional<std::string>(l.value.substr(0, kMaxValueLength))
                                            : std::nullopt);
        return true;
    });
    return out;
}

std::vector<std::string> IniDocument::keyNames(std::string_view section) const
{
    std::vector<std::string> names;
    for (auto& [name, value] : entries(section))
        names.push_back(std::move(name));
    return names;
}

void IniDocument::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    writeStrings(section, {{std::string(key), std::string(value)}});
}

void IniDocument::writeStrings(std::string_view section,
                               const std::vector<std::pair<std::string, std::string>>& values)
{
    // Where each key of the section stands now: the first line of a name is
    // the one a write replaces.
    std::unordered_map<std::string, std::size_t> existing;
    bool inside = false;
    std::size_t firstHeader = lines_.size();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& l = lines_[i];
        if (l.kind == Kind::Header) {
            inside = sameName(l.name, section);
            if (inside && firstHeader == lines_.size())
                firstHeader = i;
        } else if (inside && l.kind == Kind::Key) {
            existing.try_emplace(AsciiUpper(l.name), i);
        }
    }

    // Keys the section does not hold yet: one after the other they would each
    // go after the section's last key, so together they go there in order.
    std::vector<Line> added;
    std::unordered_map<std::string, std::size_t> addedAt;
    for (const auto& [key, value] : values) {
        const std::string k = oneLine(key);
        const std::string v = oneLine(value);
        const std::string keyName(trim(k));
        const std::string folded = AsciiUpper(keyName);
        Line* line = nullptr;
        if (const auto it = existing.find(folded); it != existing.end()) {
            line = &lines_[it->second];
        } else if (const auto at = addedAt.find(folded); at != addedAt.end()) {
            line = &added[at->second];
        } else {
            addedAt.emplace(folded, added.size());
            line = &added.emplace_back();
            line->kind = Kind::Key;
            line->name = keyName;
        }
        line->value = std::string(trim(v));
        line->hasValue = true;
        line->text = line->name + '=' + v;
    }
    if (added.empty())
        return;

    if (firstHeader == lines_.size()) {
        Line header;
        header.kind = Kind::Header;
        const std::string sectionName = oneLine(section);
        header.name = std::string(trim(sectionName));
        header.text = '[' + header.name + ']';
        lines_.push_back(std::move(header));
        lines_.insert(lines_.end(), std::make_move_iterator(added.begin()),
                      std::make_move_iterator(added.end()));
        return;
    }
    // After the last key of the first section of that name, so the blank
    // line or comment a user put before the next section stays there.
    std::size_t insertAt = firstHeader + 1;
    for (std::size_t i = firstHeader + 1; i < lines_.size() && lines_[i].kind != Kind::Header; ++i)
        if (lines_[i].kind == Kind::Key)
            insertAt = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
}

void IniDocument::writeInteger(std::string_view section, std::string_view key, int value)
{
    writeString(section, key, std::to_string(value));
}

void IniDocument::writeBool(std::string_view section, std::string_view key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

void IniDocument::eraseSection(std::string_view section)
{
    std::vector<Line> kept;
    kept.reserve(lines_.size());
    bool inside = false;
    for (Line& l : lines_) {
        if (l.kind == Kind::Header)
            inside = sameName(l.name, section);
        if (!inside)
            kept.push_back(std::move(l));
    }
    lines_ = std::move(kept);
}

}  // namespace zarnek::settings
