#pragma once
// A memory image file: the radio's programmable memory (RadioImage, 11264
// bytes) followed by its identification block (RadioInfoBlock, 256 bytes),
// as a read saves it for a backup and the virtual radio keeps its memory.
#include "link/radio_image.h"
#include "shell/text_lookup.h"

#include <cstddef>
#include <optional>
#include <string>

namespace velmar {

inline constexpr std::size_t kMemoryImageFileSize = RadioImage::Size + RadioInfoBlock::Size;

struct MemoryImage {
    RadioImage Image;
    RadioInfoBlock InfoBlock;
};

enum class MemoryImageFault {
    None,
    CannotRead, // missing, a folder, unreadable
    WrongSize,  // not exactly kMemoryImageFileSize bytes
};

struct MemoryImageRead {
    MemoryImageFault Fault = MemoryImageFault::None;
    MemoryImage Memory;
    bool Ok() const { return Fault == MemoryImageFault::None; }
};

MemoryImageRead ReadMemoryImageFile(const std::string& path);

inline constexpr int kTextNotMemoryImage = 32114; // not 11520 bytes long

// Why a memory image file cannot be used, after its path: "PATH: text 9002"
// when it cannot be read, "PATH: text 32114" when it is not a memory image.
std::string MemoryImageFaultText(MemoryImageFault fault, const std::string& path,
                                 const TextLookup& texts);

// Replaces (or creates) the file atomically: a failure never leaves a
// half-written image. False when it could not be written.
bool WriteMemoryImageFile(const std::string& path, const MemoryImage& memory);

} // namespace velmar
