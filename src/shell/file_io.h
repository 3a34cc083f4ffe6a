#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace velmar {

// The whole content of a file as bytes; nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The file a safe write of `path` replaces: `path` itself, or the file a
// symbolic link at `path` leads to; nothing when that exists and is not a
// regular file (a device such as /dev/null, a folder), which a write must
// never swap for a file of its own.
std::optional<std::string> ReplaceableFile(const std::string& path);

// Replaces (or creates) the file with `content`: written to a temporary file in
// the same folder, flushed, then renamed over the old one, so a crash or a full
// disk never leaves a half-written file. Missing parent folders are created.
// Refused (false) where ReplaceableFile gives nothing.
bool WriteFileAtomically(const std::string& path, std::string_view content);

} // namespace velmar
