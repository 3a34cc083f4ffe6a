#include "shell/file_locations.h"

#include "shell/version_table.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace velmar {

namespace fs = std::filesystem;

namespace {

bool IsFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = ::getpwuid(::getuid());
        home = user ? user->pw_dir : "/tmp";
    }
    return home;
}

// The XDG variable `name` when it holds an absolute path, else `fallback`
// below the home folder.
std::string XdgFolder(const char* name, const char* fallback) {
    if (const char* xdg = std::getenv(name); xdg && xdg[0] == '/')
        return xdg;
    return HomeFolder() + "/" + fallback;
}

} // namespace

std::string FileLocations::LanguageFolder() const {
    return ProgramFolder + "/language";
}
std::string FileLocations::VersionIni() const {
    return BaseFolder + "/Version.ini";
}
std::string FileLocations::VerMainIni() const {
    return ProgramFolder + "/VerMain.ini";
}

std::string FileLocations::WritePath(const WritableFile& file) const {
    std::string folder;
    if (UserFolder.empty())
        folder = file.folder == WritableFile::Program ? ProgramFolder : BaseFolder;
    else
        folder = file.folder == WritableFile::Program ? UserFolder + "/bin" : UserFolder;
    return folder + "/" + std::string(file.relativeName);
}

std::string FileLocations::ReadPath(const WritableFile& file) const {
    const std::string own = WritePath(file);
    if (UserFolder.empty() || IsFile(own))
        return own;
    const std::string& folder = file.folder == WritableFile::Program ? ProgramFolder : BaseFolder;
    return folder + "/" + std::string(file.relativeName);
}

std::string FileLocations::PrepareForWriting(const WritableFile& file) const {
    const std::string target = WritePath(file);
    const std::string source = ReadPath(file);
    if (source != target && IsFile(source)) {
        std::error_code ec;
        fs::create_directories(fs::path(target).parent_path(), ec);
        fs::copy_file(source, target, fs::copy_options::skip_existing, ec);
    }
    return target;
}

FileLocations LocateFiles(const std::string& executableFolder, const std::string& userConfigHome) {
    const std::string userFolder = userConfigHome + "/velmar";
    if (IsFile(executableFolder + "/language/english.ini"))
        return {executableFolder, GetBaseFolder(executableFolder),
                WritesIntoUserConfig() ? userFolder : std::string()};
    const std::string prefix = GetBaseFolder(executableFolder);
    const std::string base = prefix + "/share/velmar";
    return {base + "/bin", base, userFolder};
}

bool WritesIntoUserConfig() {
    const char* value = std::getenv(UserConfigVariable);
    return value && *value && std::string_view(value) != "0";
}

std::string UserConfigHome() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

std::string UserStateHome() {
    return XdgFolder("XDG_STATE_HOME", ".local/state");
}

std::string UserDataHome() {
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}

} // namespace velmar
