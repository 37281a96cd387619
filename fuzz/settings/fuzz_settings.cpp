// Any bytes as zarnek.ini: reading every setting never fails, and a value the
// program writes into the document reads back after a save and a reload.

#include "core/settings/ini_document.h"
#include "core/settings/settings_model.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace zarnek::settings;

namespace {

std::string_view trimmed(std::string_view s)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniDocument doc = IniDocument::parse(bytes);
    // Every file reaches Load and Save, a huge range count included: the
    // limits fuzz.sh runs this with (memory per allocation and in all, time
    // per input) turn a row count that follows a stray number, or a save that
    // grows with the square of the list, into a reported crash.
    const SettingsValues values = readSettings(doc);

    // The first line of the input is also a value to write.
    std::string value(bytes.substr(0, bytes.find('\n')).substr(0, 3000));
    doc.writeString("Settings", "ExePath0", value);
    writeRanges(doc, values.ranges);
    IniDocument copy = doc;
    writeAtExit(copy, values);

    const IniDocument back = IniDocument::parse(doc.serialize());
    const std::string expected(trimmed(value).substr(0, kMaxValueLength));
    if (back.readString("Settings", "ExePath0", "<none>") != expected)
        std::abort();
    if (readRanges(back) != values.ranges)
        std::abort();

    const SettingsValues again = readSettings(IniDocument::parse(copy.serialize()));
    if (again.favorites.size() > values.favorites.size() || again.params.empty())
        std::abort();
    return 0;
}
