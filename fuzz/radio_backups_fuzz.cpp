// The backups folder on arbitrary file names: the input is a time (seconds
// since the epoch) and then file names, one a line, made as files in an
// empty folder. The listing holds only those files, newest first, each named
// exactly as a backup of its model, time and copy is named; pruning at that
// time removes only backups, and only those more than a year old.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>

#include "fuzz_support.h"
#include "link/radio_backups.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;

// A name a file can have in a folder.
bool CanName(const std::string& name) {
    return !name.empty() && name.size() < 200 && name != "." && name != ".." &&
           name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

auto Key(const BackupEntry& e) {
    const std::tm& t = e.Taken;
    return std::make_tuple(t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, e.Copy);
}

} // namespace
} // namespace velmar

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmar;
    FuzzedDataProvider in(data, size);
    // Within a few centuries of now, where the calendar functions are exact.
    const std::int64_t seconds = in.ConsumeIntegralInRange<std::int64_t>(0, 8'000'000'000);
    const fs::path folder = fuzz::ScratchFolder() / "backups";
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder);

    std::set<std::string> names;
    const std::string text = in.ConsumeRemainingBytesAsString();
    std::size_t start = 0;
    while (start <= text.size() && names.size() < 64) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string name = text.substr(start, end - start);
        if (CanName(name))
            names.insert(name);
        start = end + 1;
    }
    for (const std::string& name : names)
        fuzz::WriteFile(folder / name, "");

    const auto entries = ListBackups(folder.string());
    std::set<std::string> listed;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const BackupEntry& e = entries[i];
        const fs::path path(e.Path);
        FUZZ_CHECK(path.parent_path() == folder);
        const std::string name = path.filename().string();
        FUZZ_CHECK(names.count(name) == 1);
        FUZZ_CHECK(listed.insert(name).second);
        FUZZ_CHECK(BackupModelName(e.Model) == e.Model);
        FUZZ_CHECK(e.Copy >= 1);
        FUZZ_CHECK(BackupFileName(e.Model, e.Taken, e.Copy) == name);
        FUZZ_CHECK(i == 0 || !(Key(entries[i - 1]) < Key(e)));
    }

    const auto now = std::chrono::system_clock::from_time_t(static_cast<std::time_t>(seconds));
    const std::size_t removed = PruneBackups(folder.string(), now);
    const std::time_t oldest =
        std::chrono::system_clock::to_time_t(now - std::chrono::hours(24 * kBackupKeepDays));
    std::size_t gone = 0;
    for (const std::string& name : names) {
        if (fs::exists(folder / name))
            continue;
        ++gone;
        FUZZ_CHECK(listed.count(name) == 1); // only backups go
    }
    FUZZ_CHECK(gone == removed);
    for (BackupEntry& e : ListBackups(folder.string())) {
        const std::time_t taken = std::mktime(&e.Taken);
        FUZZ_CHECK(taken == static_cast<std::time_t>(-1) || taken >= oldest);
    }
    return 0;
}
