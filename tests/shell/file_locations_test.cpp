#include "shell/file_locations.h"
#include "shell/ini_file.h"
#include "shell/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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

// Sets an environment variable for the life of the object, then puts it back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* saved = std::getenv(name);
        had_ = saved != nullptr;
        saved_ = saved ? saved : "";
        ::setenv(name, value, 1);
    }
    ~ScopedEnv() { had_ ? ::setenv(name_, saved_.c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    bool had_;
    std::string saved_;
};

TEST(FileLocations, UserFoldersFollowXdgThenHome) {
    struct Case {
        const char* variable;
        std::string (*folder)();
        const char* belowHome;
    };
    for (const Case& c : {Case{"XDG_CONFIG_HOME", UserConfigHome, "/.config"},
                          Case{"XDG_DATA_HOME", UserDataHome, "/.local/share"}}) {
        SCOPED_TRACE(c.variable);
        ScopedEnv home("HOME", "/home/user");
        {
            ScopedEnv xdg(c.variable, "/x/folder");
            EXPECT_EQ(c.folder(), "/x/folder");
        }
        ScopedEnv xdg(c.variable, "relative/folder"); // not absolute: ignored
        EXPECT_EQ(c.folder(), std::string("/home/user") + c.belowHome);
    }
}

} // namespace
