#include "shell/file_locations.h"
#include "shell/ini_file.h"
#include "shell/startup.h"
#include "shell/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

using namespace velmar;

namespace {

// Sets an environment variable (or unsets it for nullptr) for one test and
// puts the old value back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(FileLocations, BuildTreeReadsAndWritesInPlace) {
    const ScopedEnv inPlace(UserConfigVariable, nullptr);
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

// Unset, empty or "0", the variable leaves the build tree writing in place.
TEST(FileLocations, TheVariableOffKeepsTheBuildTreeInPlace) {
    TempFolder folder;
    folder.Write("build/bin/language/english.ini", "[Main]\n");
    for (const char* value : {"", "0"}) {
        const ScopedEnv off(UserConfigVariable, value);
        const FileLocations at = LocateFiles(folder.Path("build/bin"), folder.Path("config"));
        EXPECT_EQ(at.UserFolder, "") << '"' << value << '"';
    }
}

// With VELMAR_USER_CONFIG the build tree writes every file into the user's
// folder, starting from the build tree's own copy, and changes nothing beside
// the program.
TEST(FileLocations, BuildTreeWithTheVariableWritesOnlyIntoTheUsersFolder) {
    const ScopedEnv on(UserConfigVariable, "1");
    TempFolder folder;
    folder.Write("build/bin/language/english.ini", "[Main]\n");
    const std::string shipped = "[language]\nIsFirstRun=1\ncomPort=1\nCurrentLanguage=1\n";
    folder.Write("build/language/mysetup.ini", shipped);
    const FileLocations at = LocateFiles(folder.Path("build/bin"), folder.Path("demo/config"));

    EXPECT_EQ(at.ProgramFolder, folder.Path("build/bin"));
    EXPECT_EQ(at.BaseFolder, folder.Path("build"));
    EXPECT_EQ(at.WritePath(MySetupFile), folder.Path("demo/config/velmar/language/mysetup.ini"));
    EXPECT_EQ(at.WritePath(HabitFile), folder.Path("demo/config/velmar/bin/Habit.ini"));
    EXPECT_EQ(at.WritePath(SettingFile), folder.Path("demo/config/velmar/bin/Setting.ini"));
    EXPECT_EQ(at.ReadPath(MySetupFile), folder.Path("build/language/mysetup.ini"));

    ASSERT_TRUE(WriteIniValue(at.PrepareForWriting(MySetupFile), "language", "comPort", "4"));
    ASSERT_TRUE(WriteSettingRecord(at.PrepareForWriting(SettingFile), {1, 2, 3, 4}));
    EXPECT_EQ(ReadIniValue(at.ReadPath(MySetupFile), "language", "IsFirstRun"), "1");
    EXPECT_EQ(ReadIniValue(at.ReadPath(MySetupFile), "language", "comPort"), "4");
    EXPECT_EQ(folder.Read("build/language/mysetup.ini"), shipped);
    EXPECT_FALSE(folder.Exists("build/bin/Setting.ini"));
    EXPECT_TRUE(folder.Exists("demo/config/velmar/bin/Setting.ini"));
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

TEST(FileLocations, UserFoldersFollowXdgThenHome) {
    struct Case {
        const char* variable;
        std::string (*folder)();
        const char* belowHome;
    };
    const ScopedEnv home("HOME", "/home/user");
    for (const Case& c : {Case{"XDG_CONFIG_HOME", UserConfigHome, "/.config"},
                          Case{"XDG_STATE_HOME", UserStateHome, "/.local/state"},
                          Case{"XDG_DATA_HOME", UserDataHome, "/.local/share"}}) {
        SCOPED_TRACE(c.variable);
        {
            const ScopedEnv xdg(c.variable, "/x/folder");
            EXPECT_EQ(c.folder(), "/x/folder");
        }
        {
            const ScopedEnv xdg(c.variable, "relative/folder"); // not absolute: ignored
            EXPECT_EQ(c.folder(), std::string("/home/user") + c.belowHome);
        }
        const ScopedEnv unset(c.variable, nullptr);
        EXPECT_EQ(c.folder(), std::string("/home/user") + c.belowHome);
    }
}

} // namespace
