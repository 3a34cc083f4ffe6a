// A safe write replaces a file by renaming a temporary over it. Over a device
// or a folder that would swap the system's node for a file of the program's
// (a data file saved as /dev/null once replaced /dev/null itself), so such
// targets are refused; a symbolic link is written through to its file.
#include "model/file_pair.h"
#include "shell/file_io.h"
#include "shell/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <vector>

namespace velmar {
namespace {

namespace fs = std::filesystem;

const std::vector<std::uint8_t> kBytes{1, 2, 3};

bool WritePairTo(const std::string& data, const std::string& channels) {
    return WriteFilePair(data, kBytes, channels, kBytes);
}

TEST(SafeWriteTarget, DevicesAndFoldersAreNeverReplaced) {
    TempFolder dir;
    const std::string fifo = dir.Path("line");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = dir.Path("folder");
    fs::create_directories(folder);
    const std::string plain = dir.Path("plain.dat");

    for (const std::string& target : {fifo, folder}) {
        EXPECT_FALSE(ReplaceableFile(target)) << target;
        EXPECT_FALSE(WriteFileAtomically(target, "text")) << target;
        EXPECT_FALSE(WritePairTo(target, plain)) << target;
        EXPECT_FALSE(WritePairTo(plain, target)) << target;
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_FALSE(fs::exists(plain)); // nothing half-written beside them
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 2);
}

TEST(SafeWriteTarget, ALinkIsWrittenThroughToItsFile) {
    TempFolder dir;
    const std::string real = dir.Write("real/radio.dat", "old");
    const std::string link = dir.Path("radio.dat");
    fs::create_symlink(real, link);
    const std::string ini = dir.Write("real/setup.ini", "old");
    const std::string iniLink = dir.Path("setup.ini");
    fs::create_symlink(ini, iniLink);

    ASSERT_TRUE(WritePairTo(link, dir.Path("radio.fre")));
    ASSERT_TRUE(WriteFileAtomically(iniLink, "new"));

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::file_size(real), kBytes.size());
    EXPECT_TRUE(fs::is_symlink(iniLink));
    EXPECT_EQ(dir.Read("real/setup.ini"), "new");
}

TEST(SafeWriteTarget, NewAndRegularFilesAreWritten) {
    TempFolder dir;
    EXPECT_EQ(ReplaceableFile(dir.Path("new.dat")), dir.Path("new.dat"));
    EXPECT_TRUE(WriteFileAtomically(dir.Write("old.ini", "old"), "new"));
    EXPECT_EQ(dir.Read("old.ini"), "new");
}

} // namespace
} // namespace velmar
