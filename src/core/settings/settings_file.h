#pragma once

// The open settings file: the document as last read or written, and the one
// way to change the file, an operation that edits the document and replaces
// the file once. An operation made of many writes (the save at exit erases
// four sections and writes them again key by key) therefore reaches the disk
// whole or not at all, and the file it leaves is byte for byte what the same
// writes made one by one would leave.

#include "core/settings/ini_document.h"

#include <functional>
#include <optional>
#include <string>

namespace zarnek::settings {

class SettingsFile {
public:
    explicit SettingsFile(std::string path);

    const std::string& path() const { return path_; }

    // Reads the file. A missing or unreadable file reads as an empty document
    // (every setting its default), without a message; the first write creates
    // the file. Temporary files a killed run left beside it are removed.
    void open();
    bool isOpen() const { return open_; }
    // After close nothing reads or writes the file any more; update refuses.
    void close() { open_ = false; }

    const IniDocument& document() const { return doc_; }

    // Applies edit to the file as it is on the disk now (so an edit a user made
    // to another section while the program ran is kept, as the profile
    // functions keep it) and replaces the file once. On failure the file and
    // the document stay as they were and the reason is returned; a file that
    // is there but cannot be read or written is left alone.
    std::optional<std::string> update(const std::function<void(IniDocument&)>& edit);

private:
    std::string path_;
    IniDocument doc_;
    bool open_ = false;
};

}  // namespace zarnek::settings
