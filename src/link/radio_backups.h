#pragma once
// Backups of the radio's memory. After every successful read the memory as
// read is kept as a memory image file in the user's data folder, named by
// model and local date and time ("KAVRO-20261210-142501.img", with "-2", "-3"
// ... when that name is taken); files older than a year are pruned. A backup
// that cannot be written is reported and never fails the read.
#include "link/memory_image_file.h"
#include "shell/text_lookup.h"

#include <chrono>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

inline constexpr int kBackupKeepDays = 365;

// Text of the warning that a backup could not be written (the folder follows).
inline constexpr int kTextBackupFailed = 32100;

// $XDG_DATA_HOME/velmar/backups, else ~/.local/share/velmar/backups.
std::string BackupFolder();

// The model part of a backup's name: the radio's model name (as it told it
// when identified), every character but letters, digits and "_" made "_";
// "radio" when there is none.
std::string BackupModelName(std::string_view model);

// "MODEL-YYYYMMDD-HHMMSS.img" for `local`; a copy above 1 adds "-copy".
std::string BackupFileName(std::string_view model, const std::tm& local, int copy = 1);

struct BackupResult {
    bool Ok = false;
    std::string Path; // the file written; the folder when it failed
};

// Writes `memory` read from a radio of `model` into `folder` (made when
// missing) under a free name for `now`, atomically and never over another
// file, then prunes the folder.
BackupResult SaveBackup(const std::string& folder, std::string_view model,
                        const MemoryImage& memory, std::chrono::system_clock::time_point now);

// Text kTextBackupFailed and the folder, for a failed SaveBackup.
std::string BackupFailureText(const BackupResult& result, const TextLookup& texts);

struct BackupEntry {
    std::string Path;
    std::string Model;
    std::tm Taken{}; // the local date and time of the name
    int Copy = 1;
};

// The backups in `folder`, newest first (by the date, time and copy of their
// names). Files not named as backups are left out.
std::vector<BackupEntry> ListBackups(const std::string& folder);

// Removes the backups of `folder` taken more than kBackupKeepDays before
// `now`; other files stay. Returns how many went.
std::size_t PruneBackups(const std::string& folder, std::chrono::system_clock::time_point now);

} // namespace velmar
