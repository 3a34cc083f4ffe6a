// Memory image files on arbitrary contents: a file is taken exactly when it
// has the size of an image and its identification block, and then gives
// those bytes; written back it reads the same, and a failed read names the
// size as the fault.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "link/memory_image_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmar;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = (fuzz::ScratchFolder() / "memory.img").string();
    fuzz::WriteFile(path, bytes);

    const MemoryImageRead read = ReadMemoryImageFile(path);
    if (size != kMemoryImageFileSize) {
        FUZZ_CHECK(read.Fault == MemoryImageFault::WrongSize);
        return 0;
    }
    FUZZ_CHECK(read.Ok());
    FUZZ_CHECK(std::equal(read.Memory.Image.bytes.begin(), read.Memory.Image.bytes.end(), data));
    FUZZ_CHECK(std::equal(read.Memory.InfoBlock.bytes.begin(), read.Memory.InfoBlock.bytes.end(),
                          data + RadioImage::Size));

    const std::string copy = (fuzz::ScratchFolder() / "copy.img").string();
    FUZZ_CHECK(WriteMemoryImageFile(copy, read.Memory));
    const MemoryImageRead again = ReadMemoryImageFile(copy);
    FUZZ_CHECK(again.Ok());
    FUZZ_CHECK(again.Memory.Image.bytes == read.Memory.Image.bytes);
    FUZZ_CHECK(again.Memory.InfoBlock.bytes == read.Memory.InfoBlock.bytes);
    return 0;
}
