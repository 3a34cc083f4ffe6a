#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace velmar {

// Replaces the data file and its channel file together, so that a failure
// never leaves a half-written file nor a new channel file beside an old data
// file: both are written to temporary files in their folder and flushed to
// disk, then the channel file and last the data file are renamed into place.
// When the data file cannot be put in place, the old channel file is put
// back. Temporary files never stay behind. False when anything failed, and
// at once when either path is a device or a folder (ReplaceableFile).
bool WriteFilePair(const std::string& dataPath, std::span<const std::uint8_t> dataBytes,
                   const std::string& channelPath, std::span<const std::uint8_t> channelBytes);

} // namespace velmar
