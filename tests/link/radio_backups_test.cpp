#include "link/radio_backups.h"

#include "shell/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace velmar {
namespace {

using Clock = std::chrono::system_clock;

// A local date and time, as the names carry it.
Clock::time_point Local(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return Clock::from_time_t(std::mktime(&t));
}

std::unique_ptr<MemoryImage> Memory(std::uint8_t fill = 0x11) {
    auto memory = std::make_unique<MemoryImage>();
    memory->Image.bytes.fill(fill);
    memory->InfoBlock.bytes.fill(0xFF);
    return memory;
}

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

TEST(RadioBackups, AreNamedByModelAndLocalDateAndTime) {
    TempFolder folder;
    const auto when = Local(2026, 12, 10, 14, 25, 1);
    const BackupResult first = SaveBackup(folder.Path("backups"), "KAVRO", *Memory(), when);
    ASSERT_TRUE(first.Ok);
    EXPECT_EQ(FileName(first.Path), "KAVRO-20261210-142501.img");
    const MemoryImageRead read = ReadMemoryImageFile(first.Path);
    ASSERT_TRUE(read.Ok());
    EXPECT_EQ(read.Memory.Image.bytes, Memory()->Image.bytes);

    // A second read in the same second keeps both.
    const BackupResult second = SaveBackup(folder.Path("backups"), "KAVRO", *Memory(0x22), when);
    ASSERT_TRUE(second.Ok);
    EXPECT_EQ(FileName(second.Path), "KAVRO-20261210-142501-2.img");
    EXPECT_EQ(ReadMemoryImageFile(first.Path).Memory.Image.bytes[0], 0x11);
    EXPECT_EQ(ReadMemoryImageFile(second.Path).Memory.Image.bytes[0], 0x22);
    // Only the two backups are left in the folder, no temporary file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("backups")),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(RadioBackups, TakeAModelNameFitForAFileName) {
    struct Case {
        const char* identity;
        const char* model;
    };
    for (const Case c :
         {Case{"KAVRO", "KAVRO"}, Case{"K/V 1", "K_V_1"}, Case{"", "radio"}, Case{"A-B", "A_B"}}) {
        SCOPED_TRACE(c.identity);
        EXPECT_EQ(BackupModelName(c.identity), c.model);
    }
}

TEST(RadioBackups, ListNewestFirstAndOnlyBackups) {
    TempFolder folder;
    for (const char* name :
         {"KAVRO-20261210-142501.img", "KAVRO-20261210-142501-2.img", "KAVRO-20250101-000000.img",
          "OTHER-20261211-080000.img", "KAVRO-20261210-142501-10.img", "notes.txt",
          "KAVRO-2026121-142501.img", "KAVRO-20261210-142501-1.img", ".backup-1.part"})
        folder.Write(std::string("b/") + name, "x");
    std::vector<std::string> names;
    for (const BackupEntry& entry : ListBackups(folder.Path("b")))
        names.push_back(FileName(entry.Path));
    EXPECT_EQ(names,
              (std::vector<std::string>{"OTHER-20261211-080000.img", "KAVRO-20261210-142501-10.img",
                                        "KAVRO-20261210-142501-2.img", "KAVRO-20261210-142501.img",
                                        "KAVRO-20250101-000000.img"}));
    const BackupEntry newest = ListBackups(folder.Path("b")).front();
    EXPECT_EQ(newest.Model, "OTHER");
    EXPECT_EQ(newest.Taken.tm_year + 1900, 2026);
    EXPECT_EQ(newest.Taken.tm_mon + 1, 12);
    EXPECT_EQ(newest.Taken.tm_mday, 11);
    EXPECT_EQ(newest.Taken.tm_hour, 8);
    EXPECT_TRUE(ListBackups(folder.Path("missing")).empty());
}

TEST(RadioBackups, OlderThanAYearArePrunedWhenTheNextIsSaved) {
    TempFolder folder;
    const std::string b = folder.Path("b");
    folder.Write("b/KAVRO-20251209-142500.img", "old");    // a year and a day before
    folder.Write("b/KAVRO-20251211-142500.img", "recent"); // within the year
    folder.Write("b/notes-20200101-000000.txt", "not a backup");
    const BackupResult saved = SaveBackup(b, "KAVRO", *Memory(), Local(2026, 12, 10, 14, 25, 1));
    ASSERT_TRUE(saved.Ok);
    EXPECT_FALSE(folder.Exists("b/KAVRO-20251209-142500.img"));
    EXPECT_TRUE(folder.Exists("b/KAVRO-20251211-142500.img"));
    EXPECT_TRUE(folder.Exists("b/notes-20200101-000000.txt"));
    EXPECT_TRUE(folder.Exists("b/KAVRO-20261210-142501.img"));
}

// A name may carry any year: those beyond what the clock counts in
// nanoseconds (2262) are not old, those before 1970 are.
TEST(RadioBackups, PruningTakesEveryYearANameCanCarry) {
    TempFolder folder;
    const std::string b = folder.Path("b");
    folder.Write("b/KAVRO-30000101-000000.img", "far future");
    folder.Write("b/KAVRO-99991231-235959.img", "last year a name holds");
    folder.Write("b/KAVRO-19000101-000000.img", "long ago");
    EXPECT_EQ(PruneBackups(b, Local(2026, 12, 10, 14, 25, 1)), 1u);
    EXPECT_TRUE(folder.Exists("b/KAVRO-30000101-000000.img"));
    EXPECT_TRUE(folder.Exists("b/KAVRO-99991231-235959.img"));
    EXPECT_FALSE(folder.Exists("b/KAVRO-19000101-000000.img"));
}

TEST(RadioBackups, AFolderThatCannotBeMadeFailsWithItsName) {
    TempFolder folder;
    folder.Write("file", "in the way");
    const BackupResult failed =
        SaveBackup(folder.Path("file/backups"), "KAVRO", *Memory(), Clock::now());
    EXPECT_FALSE(failed.Ok);
    EXPECT_EQ(failed.Path, folder.Path("file/backups"));

    struct Texts : TextLookup {
        std::string GetText(int id) const override {
            return id == kTextBackupFailed ? "No backup in" : "";
        }
    } texts;
    EXPECT_EQ(BackupFailureText(failed, texts), "No backup in " + folder.Path("file/backups"));
}

TEST(RadioBackups, LiveInTheUsersDataFolder) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string keep = saved ? saved : "";
    ::setenv("XDG_DATA_HOME", "/x/data", 1);
    EXPECT_EQ(BackupFolder(), "/x/data/velmar/backups");
    saved ? ::setenv("XDG_DATA_HOME", keep.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
}

} // namespace
} // namespace velmar
