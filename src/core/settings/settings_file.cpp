#include "core/settings/settings_file.h"

#include "core/settings/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace zarnek::settings {

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

void SettingsFile::open()
{
    removeLeftoverTemporaries(path_);
    const auto bytes = readWholeFile(path_);
    doc_ = bytes ? IniDocument::parse(*bytes) : IniDocument{};
    open_ = true;
}

std::optional<std::string> SettingsFile::update(const std::function<void(IniDocument&)>& edit)
{
    if (!open_)
        return std::string("the settings file is closed");
    // A file that is there but cannot be read is not replaced by one built
    // without its contents.
    int err = 0;
    const auto bytes = readWholeFile(path_, &err);
    if (!bytes && err != ENOENT)
        return std::string("cannot read the file: ") + std::strerror(err);
    IniDocument next = bytes ? IniDocument::parse(*bytes) : IniDocument{};
    edit(next);
    if (auto failure = replaceFile(path_, next.serialize()))
        return failure;
    doc_ = std::move(next);
    return std::nullopt;
}

}  // namespace zarnek::settings
