#pragma once
#include <string>
#include <string_view>

namespace velmar {

// A file the program writes, named relative to the folder it belongs to.
struct WritableFile {
    enum Folder { Program, Base } folder;
    std::string_view relativeName;
};
inline constexpr WritableFile MySetupFile{WritableFile::Base, "language/mysetup.ini"};
inline constexpr WritableFile HabitFile{WritableFile::Program, "Habit.ini"};
inline constexpr WritableFile SettingFile{WritableFile::Program, "Setting.ini"};

// Where the program finds its files.
//  - Build tree: the program folder holds language/english.ini; every file is
//    read and written in place (UserFolder empty), unless the environment
//    variable VELMAR_USER_CONFIG is set (see WritesIntoUserConfig): then the
//    written files go to UserFolder as installed.
//  - Installed (<prefix>/bin/Velmar): the read-only files are in
//    <prefix>/share/velmar/bin and its parent; the files the program writes go
//    to UserFolder (the user's config folder + "/velmar") under the same
//    relative names, the program folder's files in UserFolder/bin. Nothing is
//    ever written into the install folder.
struct FileLocations {
    std::string ProgramFolder; // language/, Init/, PIC/, VerMain.ini
    std::string BaseFolder;    // Version.ini, the shipped language/mysetup.ini
    std::string UserFolder;    // empty: written files stay beside the program

    std::string LanguageFolder() const;
    std::string VersionIni() const;
    std::string VerMainIni() const;

    // The user's copy when there is one, else the shipped file.
    std::string ReadPath(const WritableFile& file) const;
    // Where the file is written.
    std::string WritePath(const WritableFile& file) const;
    // WritePath, after copying the shipped file there when the user has no copy
    // yet, so that changing one INI key keeps the shipped others.
    std::string PrepareForWriting(const WritableFile& file) const;
};

// The layout for an executable in `executableFolder`; `userConfigHome` is the
// user's config folder (see UserConfigHome).
FileLocations LocateFiles(const std::string& executableFolder, const std::string& userConfigHome);

// VELMAR_USER_CONFIG set to anything but "" or "0": the programs write every
// file into the user's config folder (UserConfigHome() + "/velmar") from the
// build tree too, as they do installed, and never beside the program. Together
// with their own XDG_CONFIG_HOME (which the port map and the window placement
// follow as well) this gives a run a private configuration: velmar-demo
// starts Velmar so.
inline constexpr const char* UserConfigVariable = "VELMAR_USER_CONFIG";
bool WritesIntoUserConfig();

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config.
std::string UserConfigHome();
// $XDG_STATE_HOME when it is an absolute path, else $HOME/.local/state.
std::string UserStateHome();

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share.
std::string UserDataHome();

} // namespace velmar
