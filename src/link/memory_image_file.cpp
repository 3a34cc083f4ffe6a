#include "link/memory_image_file.h"

#include "model/data_file.h"
#include "shell/file_io.h"

#include <algorithm>
#include <filesystem>

namespace velmar {

MemoryImageRead ReadMemoryImageFile(const std::string& path) {
    MemoryImageRead read;
    // The size first, so that a device or a huge file is never read whole.
    std::error_code ec;
    const bool regular = std::filesystem::is_regular_file(path, ec);
    const std::uintmax_t size = regular ? std::filesystem::file_size(path, ec) : 0;
    if (!regular || ec) {
        read.Fault = MemoryImageFault::CannotRead;
        return read;
    }
    if (size != kMemoryImageFileSize) {
        read.Fault = MemoryImageFault::WrongSize;
        return read;
    }
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        read.Fault = MemoryImageFault::CannotRead;
        return read;
    }
    if (bytes->size() != kMemoryImageFileSize) {
        read.Fault = MemoryImageFault::WrongSize;
        return read;
    }
    const auto image = bytes->begin();
    std::copy_n(image, RadioImage::Size, read.Memory.Image.bytes.begin());
    std::copy_n(image + RadioImage::Size, RadioInfoBlock::Size,
                read.Memory.InfoBlock.bytes.begin());
    return read;
}

namespace {

std::string EncodeMemoryImage(const MemoryImage& memory) {
    std::string bytes(memory.Image.bytes.begin(), memory.Image.bytes.end());
    bytes.append(memory.InfoBlock.bytes.begin(), memory.InfoBlock.bytes.end());
    return bytes;
}

} // namespace

bool WriteMemoryImageFile(const std::string& path, const MemoryImage& memory) {
    return WriteFileAtomically(path, EncodeMemoryImage(memory));
}

std::string MemoryImageFaultText(MemoryImageFault fault, const std::string& path,
                                 const TextLookup& texts) {
    const int id = fault == MemoryImageFault::WrongSize ? kTextNotMemoryImage : kTextFileError;
    return path + ": " + texts.GetText(id);
}

} // namespace velmar
