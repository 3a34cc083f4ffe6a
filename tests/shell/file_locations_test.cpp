#include "shell/file_locations.h"
#include "shell/ini_file.h"
#include "shell/temp_folder.h"

#include <gtest/gtest.h>

using namespace velmar;

namespace {

TEST(FileLocations, BuildTreeReadsAndWritesInPlace) {
    TempFolder folder;
    folder.Write("build/bin/language/english.ini", "[Main]\n");
    const FileLocations at = LocateFiles(folder.Path("build/bin"), folder.Path("config"));
    EXPECT_EQ(at.ProgramFolder, folder.Path("build/bin"));
    EXPECT_EQ(at.BaseFolder, folder.Path("build"));
    EXPECT_EQ(at.LanguageFolder(), folder.Path("build/bin/language"));
    EXPECT_EQ(at.VersionIni(), folder.Path("build/Version.ini"));
    EXPECT_EQ(at.VerMainIni(), folder.Path("build/bin/VerMain.ini"));
    for (const WritableFile& file : {MySetupFile, HabitFile, SettingFile}) {
        EXPECT_EQ(at.ReadPath(file), at.WritePath(file));
        EXPECT_EQ(at.PrepareForWriting(file), at.WritePath(file));
    }
    EXPECT_EQ(at.WritePath(MySetupFile), folder.Path("build/language/mysetup.ini"));
    EXPECT_EQ(at.WritePath(HabitFile), folder.Path("build/bin/Habit.ini"));
    EXPECT_EQ(at.WritePath(SettingFile), folder.Path("build/bin/Setting.ini"));
    EXPECT_FALSE(folder.Exists("config"));
}

TEST(FileLocations, InstalledWritesOnlyIntoTheUsersFolder) {
    TempFolder folder;
    folder.Write("usr/bin/Velmar", "");
    folder.Write("usr/share/velmar/bin/language/english.ini", "[Main]\n");
    const std::string shipped = "[language]\nIsFirstRun=1\ncomPort=1\nCurrentLanguage=1\n";
    folder.Write("usr/share/velmar/language/mysetup.ini", shipped);
    folder.Write("usr/share/velmar/bin/Habit.ini", std::string(10, '\xFF'));
    const FileLocations at = LocateFiles(folder.Path("usr/bin"), folder.Path("home/.config"));

    EXPECT_EQ(at.ProgramFolder, folder.Path("usr/share/velmar/bin"));
    EXPECT_EQ(at.BaseFolder, folder.Path("usr/share/velmar"));
    EXPECT_EQ(at.VersionIni(), folder.Path("usr/share/velmar/Version.ini"));
    EXPECT_EQ(at.WritePath(MySetupFile), folder.Path("home/.config/velmar/language/mysetup.ini"));
    EXPECT_EQ(at.WritePath(HabitFile), folder.Path("home/.config/velmar/bin/Habit.ini"));
    EXPECT_EQ(at.WritePath(SettingFile), folder.Path("home/.config/velmar/bin/Setting.ini"));

    // Until the user has a copy, reads see the shipped default.
    EXPECT_EQ(at.ReadPath(MySetupFile), folder.Path("usr/share/velmar/language/mysetup.ini"));
    EXPECT_EQ(at.ReadPath(HabitFile), folder.Path("usr/share/velmar/bin/Habit.ini"));

    // Changing one key keeps the shipped others; the shipped file stays as it was.
    ASSERT_TRUE(WriteIniValue(at.PrepareForWriting(MySetupFile), "language", "comPort", "3"));
    EXPECT_EQ(at.ReadPath(MySetupFile), at.WritePath(MySetupFile));
    EXPECT_EQ(ReadIniValue(at.ReadPath(MySetupFile), "language", "IsFirstRun"), "1");
    EXPECT_EQ(ReadIniValue(at.ReadPath(MySetupFile), "language", "comPort"), "3");
    EXPECT_EQ(folder.Read("usr/share/velmar/language/mysetup.ini"), shipped);

    // An existing user copy is never overwritten by the shipped one.
    ASSERT_TRUE(
        WriteIniValue(at.PrepareForWriting(MySetupFile), "language", "CurrentLanguage", "2"));
    EXPECT_EQ(ReadIniValue(at.ReadPath(MySetupFile), "language", "comPort"), "3");
}

TEST(FileLocations, UserConfigHomeFollowsXdgThenHome) {
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string xdg = savedXdg ? savedXdg : "";
    const std::string home = savedHome ? savedHome : "";

    ::setenv("XDG_CONFIG_HOME", "/x/conf", 1);
    EXPECT_EQ(UserConfigHome(), "/x/conf");
    ::setenv("XDG_CONFIG_HOME", "relative/conf", 1); // not absolute: ignored
    ::setenv("HOME", "/home/user", 1);
    EXPECT_EQ(UserConfigHome(), "/home/user/.config");

    savedXdg ? ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
    savedHome ? ::setenv("HOME", home.c_str(), 1) : ::unsetenv("HOME");
}

} // namespace
