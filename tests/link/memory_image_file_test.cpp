#include "link/memory_image_file.h"

#include "shell/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace velmar {
namespace {

std::unique_ptr<MemoryImage> PatternMemory() {
    auto memory = std::make_unique<MemoryImage>();
    for (std::size_t i = 0; i < RadioImage::Size; ++i)
        memory->Image.bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    for (std::size_t i = 0; i < RadioInfoBlock::Size; ++i)
        memory->InfoBlock.bytes[i] = static_cast<std::uint8_t>(255 - i);
    return memory;
}

TEST(MemoryImageFile, IsTheImageThenTheInformationBlock) {
    TempFolder folder;
    const auto memory = PatternMemory();
    const std::string path = folder.Path("radio.img");
    ASSERT_TRUE(WriteMemoryImageFile(path, *memory));

    const std::string bytes = folder.Read("radio.img");
    ASSERT_EQ(bytes.size(), 11520u);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[0x1234]), memory->Image.bytes[0x1234]);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[11264 + 0x30]), memory->InfoBlock.bytes[0x30]);

    const MemoryImageRead read = ReadMemoryImageFile(path);
    ASSERT_TRUE(read.Ok());
    EXPECT_EQ(read.Memory.Image.bytes, memory->Image.bytes);
    EXPECT_EQ(read.Memory.InfoBlock.bytes, memory->InfoBlock.bytes);
}

TEST(MemoryImageFile, RefusesWhatIsNotExactlyOneImage) {
    TempFolder folder;
    struct Case {
        const char* what;
        std::size_t size;
    };
    for (const Case c : {Case{"one byte short", 11519}, Case{"one byte long", 11521},
                         Case{"the memory alone", 11264}, Case{"empty", 0}}) {
        SCOPED_TRACE(c.what);
        const std::string path = folder.Write("bad.img", std::string(c.size, '\xFF'));
        EXPECT_EQ(ReadMemoryImageFile(path).Fault, MemoryImageFault::WrongSize);
    }
    EXPECT_EQ(ReadMemoryImageFile(folder.Path("missing.img")).Fault, MemoryImageFault::CannotRead);
    std::filesystem::create_directories(folder.Path("folder.img"));
    EXPECT_EQ(ReadMemoryImageFile(folder.Path("folder.img")).Fault, MemoryImageFault::CannotRead);
}

TEST(MemoryImageFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    TempFolder folder;
    const std::string old = folder.Write("radio.img", "old");
    // A folder cannot be written where the image's temporary file would go.
    const auto memory = PatternMemory();
    std::filesystem::create_directories(folder.Path("blocked.img"));
    EXPECT_FALSE(WriteMemoryImageFile(folder.Path("blocked.img"), *memory));

    ASSERT_TRUE(WriteMemoryImageFile(old, *memory));
    EXPECT_EQ(folder.Read("radio.img").size(), kMemoryImageFileSize);
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        EXPECT_TRUE(entry.path().filename() == "radio.img" ||
                    entry.path().filename() == "blocked.img")
            << entry.path();
}

} // namespace
} // namespace velmar
