#include "core/settings/settings_file.h"

#include "core/settings/atomic_file.h"

#include <cerrno>
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
    int err = 0;
    const auto bytes = readWholeFile(path_, &err);
    IniDocument next = bytes ? IniDocument::parse(*bytes) : err == ENOENT ? IniDocument{} : doc_;
    edit(next);
    if (auto failure = replaceFile(path_, next.serialize()))
        return failure;
    doc_ = std::move(next);
    return std::nullopt;
}

}  // namespace zarnek::settings
