#include "link/radio_backups.h"

#include "shell/file_io.h"
#include "shell/file_locations.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <regex>
#include <tuple>
#include <unistd.h>

namespace velmar {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".img";
constexpr int kMostCopies = 9999;

std::tm LocalTime(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    ::localtime_r(&t, &local);
    return local;
}

// MODEL-YYYYMMDD-HHMMSS[-N].img; the model holds no "-".
std::optional<BackupEntry> ParseBackupName(const fs::path& path) {
    static const std::regex pattern(
        R"(([A-Za-z0-9_]+)-(\d{4})(\d{2})(\d{2})-(\d{2})(\d{2})(\d{2})(?:-([1-9]\d{0,3}))?\.img)");
    const std::string name = path.filename().string();
    std::smatch m;
    if (!std::regex_match(name, m, pattern))
        return std::nullopt;
    const auto number = [&m](std::size_t i) { return std::stoi(m[i].str()); };
    BackupEntry entry;
    entry.Path = path.string();
    entry.Model = m[1].str();
    entry.Taken.tm_year = number(2) - 1900;
    entry.Taken.tm_mon = number(3) - 1;
    entry.Taken.tm_mday = number(4);
    entry.Taken.tm_hour = number(5);
    entry.Taken.tm_min = number(6);
    entry.Taken.tm_sec = number(7);
    entry.Taken.tm_isdst = -1;
    entry.Copy = m[8].matched ? number(8) : 1;
    if (entry.Copy < 2 && m[8].matched)
        return std::nullopt;
    return entry;
}

bool IsModelCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

auto SortKey(const BackupEntry& e) {
    const std::tm& t = e.Taken;
    return std::make_tuple(t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, e.Copy);
}

// Puts `temporary` in place as `target` unless a file of that name exists.
// True when it is in place; `taken` tells that the name was in use.
bool PlaceWithoutReplacing(const std::string& temporary, const std::string& target, bool& taken) {
    taken = false;
    if (::link(temporary.c_str(), target.c_str()) == 0)
        return true;
    if (errno == EEXIST) {
        taken = true;
        return false;
    }
    // A file system without hard links: a rename, after looking.
    std::error_code ec;
    if (fs::exists(target, ec)) {
        taken = true;
        return false;
    }
    fs::rename(temporary, target, ec);
    return !ec;
}

} // namespace

std::string BackupFolder() {
    return UserDataHome() + "/velmar/backups";
}

std::string BackupModelName(std::string_view model) {
    std::string name(model);
    for (char& c : name)
        if (!IsModelCharacter(c))
            c = '_';
    return name.empty() ? "radio" : name;
}

std::string BackupFileName(std::string_view model, const std::tm& local, int copy) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "-%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    std::string name = std::string(model) + stamp;
    if (copy > 1)
        name += "-" + std::to_string(copy);
    return name + std::string(kExtension);
}

BackupResult SaveBackup(const std::string& folder, std::string_view model,
                        const MemoryImage& memory, std::chrono::system_clock::time_point now) {
    BackupResult result{false, folder};
    // Written whole under a private name first, then given its own name
    // without ever replacing a file: two reads in the same second keep both.
    const std::string temporary = folder + "/.backup-" + std::to_string(::getpid()) + ".part";
    if (WriteMemoryImageFile(temporary, memory)) {
        const std::string name = BackupModelName(model);
        const std::tm local = LocalTime(now);
        for (int copy = 1; copy <= kMostCopies; ++copy) {
            const std::string target = folder + "/" + BackupFileName(name, local, copy);
            bool taken = false;
            if (PlaceWithoutReplacing(temporary, target, taken)) {
                result = {true, target};
                break;
            }
            if (!taken)
                break;
        }
        std::error_code ec;
        fs::remove(temporary, ec);
    }
    PruneBackups(folder, now);
    return result;
}

std::string BackupFailureText(const BackupResult& result, const TextLookup& texts) {
    return texts.GetText(kTextBackupFailed) + " " + result.Path;
}

std::vector<BackupEntry> ListBackups(const std::string& folder) {
    std::vector<BackupEntry> entries;
    std::error_code ec;
    for (const auto& file : fs::directory_iterator(folder, ec)) {
        std::error_code typeError;
        if (!file.is_regular_file(typeError))
            continue;
        if (auto entry = ParseBackupName(file.path()))
            entries.push_back(std::move(*entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const BackupEntry& a, const BackupEntry& b) { return SortKey(a) > SortKey(b); });
    return entries;
}

std::size_t PruneBackups(const std::string& folder, std::chrono::system_clock::time_point now) {
    // Compared in seconds: a name may carry a year (up to 9999) beyond the
    // clock's nanosecond range, which ends in 2262.
    const std::time_t oldest =
        std::chrono::system_clock::to_time_t(now - std::chrono::hours(24 * kBackupKeepDays));
    std::size_t removed = 0;
    for (BackupEntry& entry : ListBackups(folder)) {
        const std::time_t taken = std::mktime(&entry.Taken);
        std::error_code ec;
        if (taken != static_cast<std::time_t>(-1) && taken < oldest && fs::remove(entry.Path, ec))
            ++removed;
    }
    return removed;
}

} // namespace velmar
