#pragma once

// Replacing a file so that a crash, a kill or a full disk at any moment leaves
// either the old file or the new one, never a part of either.

#include <optional>
#include <string>
#include <string_view>

namespace zarnek::settings {

// The whole content of the file, or nullopt when it cannot be read (a missing
// file included); errorCode (when given) receives errno then, 0 on success.
std::optional<std::string> readWholeFile(const std::string& path, int* errorCode = nullptr);

// Writes bytes to a new file beside path, flushes it to the disk and renames it
// over path in one step. A symbolic link at path is followed, so the file it
// points to is replaced and the link stays. An existing file keeps its
// permission bits; a new one is readable by its owner only, because it holds
// the last server password in plain text. A file the user may not write is
// not replaced. Returns the reason on failure, in
// which case path is untouched and no temporary file remains.
std::optional<std::string> replaceFile(const std::string& path, std::string_view bytes);

// Removes the temporary files replaceFile leaves beside path when the process
// is killed between creating one and renaming it. Only one program instance
// writes the file, so at start-up none of them is in use.
void removeLeftoverTemporaries(const std::string& path);

}  // namespace zarnek::settings
