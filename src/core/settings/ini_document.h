#pragma once

// The settings file as a document of lines, with the rules of the Windows
// profile-string functions that zarnek.ini has always been read and written
// with: section and key names compare without regard to ASCII case, writing
// an existing key replaces its value in place, a new key goes to the end of
// its section and a new section to the end of the file, and erasing a section
// removes it with every key in it. Values are written as given; blanks
// around names and values are trimmed on read.
//
// Lines the program does not write itself (blank lines, comments, stray text,
// a user's own spacing around "=") are kept as they are until the key on them
// is written or their section erased, so a hand-edited file survives a run.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zarnek::settings {

// A value is read up to this many characters.
inline constexpr std::size_t kMaxValueLength = 2047;
// The key names of one section are read as one list of this many bytes at
// most, each name followed by a zero byte and the list by one more.
inline constexpr std::size_t kKeyListBytes = 16384;

// Reads an integer the way the settings file stores it: a text longer than two
// characters that begins with "0x" or "0X" is hexadecimal (up to 32 bits, read
// as a signed 32-bit value), anything else must be a decimal whole number with
// an optional sign that fits in 32 bits. Otherwise there is no value.
std::optional<int> parseProfileInteger(std::string_view text);

class IniDocument {
public:
    IniDocument() = default;

    // Never fails: any bytes give a document. Lines end at "\n"; a "\r"
    // before it belongs to the line end. A UTF-8 byte order mark at the start
    // (editors add one) is not part of the first line.
    static IniDocument parse(std::string_view bytes);
    // Every line followed by the line end the file used ("\r\n" when its first
    // line ended so, "\n" otherwise and for a new file), after the byte order
    // mark when the file had one.
    std::string serialize() const;

    // The value of the first key of that name in the section, blanks around it
    // trimmed, cut to kMaxValueLength characters; nullopt when the section or
    // key is missing or the key's line has no "=" (a favourite typed in as a
    // bare address then gets the default port).
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    int readInteger(std::string_view section, std::string_view key, int fallback) const;
    // Any integer other than 0 is true.
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;

    bool hasSection(std::string_view section) const;
    // The key names of the section in file order (a repeated name appears each
    // time), as many as fit in kKeyListBytes; a name that does not fit ends the
    // list. A section that appears twice is read as one, in file order.
    std::vector<std::string> keyNames(std::string_view section) const;
    // Every key of the section, however many there are, in file order, each
    // with its value as value() reads it from that line (nullopt for a line
    // without "=").
    std::vector<std::pair<std::string, std::optional<std::string>>> allEntries(
        std::string_view section) const;
    // The same keys as keyNames, each with the value on its own line (fallback for a line
    // without "=").
    std::vector<std::pair<std::string, std::string>> entries(std::string_view section,
                                                             std::string_view fallback = {}) const;

    // A line break inside a name or value would split the line and make the
    // rest of it a line of its own, so a line feed is written as a blank.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    // The same as writeString for each pair in order, in one pass over the
    // document, so that writing a list of n keys costs time in proportion to
    // n and the document, not to their product.
    void writeStrings(std::string_view section,
                      const std::vector<std::pair<std::string, std::string>>& values);
    void writeInteger(std::string_view section, std::string_view key, int value);
    void writeBool(std::string_view section, std::string_view key, bool value);
    // Removes every section of that name with all its lines.
    void eraseSection(std::string_view section);

private:
    enum class Kind { Header, Key, Other };
    struct Line {
        Kind kind = Kind::Other;
        std::string text;   // the line as it stands in the file
        std::string name;   // section name (Header) or key name (Key), trimmed
        std::string value;  // Key only, trimmed
        bool hasValue = true;  // Key only: the line has an "="
    };
    template <typename Visit>
    void forEachKey(std::string_view section, Visit&& visit) const;
    std::vector<Line> lines_;
    std::string lineEnd_ = "\n";
    std::string byteOrderMark_;
};

}  // namespace zarnek::settings
