#pragma once
#include "shell/file_locations.h"
#include "shell/shell_settings.h"
#include "shell/version_table.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace velmar {

// mysetup.ini: section "language" with keys "IsFirstRun", "comPort" and
// "CurrentLanguage".
inline constexpr std::string_view SetupSection = "language";

// The language from the system locale: Chinese for 0x0804 only, English for
// any other id; PreviousLanguage follows.
void InitDefaults(ShellSettings& settings, std::uint32_t localeId);

// Sets CurrentLanguage and, for 1 and 2, LanguageFile; any other number keeps
// the file chosen before.
void SelectLanguage(ShellSettings& settings, std::int16_t language);

// Reads of mysetup.ini. A missing or unconvertible value keeps what the
// settings hold ("IsFirstRun" accepts 1/0, any number, True/False).
void ReadFirstRunSetting(ShellSettings& settings, const std::string& setupPath);
void ReadPortSetting(ShellSettings& settings, const std::string& setupPath);
void ReadLanguageSetting(ShellSettings& settings, const std::string& setupPath);

// Writes of mysetup.ini, as decimal text.
bool WriteFirstRunDone(const std::string& setupPath);
bool WriteComPort(const ShellSettings& settings, const std::string& setupPath);
bool WriteCurrentLanguage(const ShellSettings& settings, const std::string& setupPath);

// VerMain.ini: its first 128 bytes, cut at the first NUL and stripped of
// trailing blanks, equal "KAVRO_0595_Main". False when missing.
bool ReadMainVersionMarker(const std::string& path);

// Setting.ini: four bytes kept for the next run; zeros when the file is
// missing, unreadable or short.
std::array<std::uint8_t, 4> ReadSettingRecord(const std::string& path);
bool WriteSettingRecord(const std::string& path, const std::array<std::uint8_t, 4>& bytes);

// What other parts of the program do during start-up.
struct StartupHooks {
    // Before the defaults: clear the state other subsystems keep for the whole
    // run (the link's echo assumption, the initialise-settings switch, the
    // document's model and band, the radio password, the channel clipboard).
    std::function<void()> ResetProcessState;
    // On a first run: the link dialog, which may change comPort. True when the
    // radio answered; false ends the program.
    std::function<bool(ShellSettings&)> RunFirstRunLink;
    // The new, empty document the program starts with.
    std::function<void()> InitNewDocument;
};

enum class StartupOutcome {
    ShowMainWindow,       // all done: show the main window
    VersionTableUnusable, // StartupResult::Error says why; the program stops
    FirstRunNotLinked,    // the first-run link did not succeed; the program ends
};

struct StartupResult {
    StartupOutcome Outcome = StartupOutcome::ShowMainWindow;
    std::string Error;
};

// The start-up sequence up to showing the main window: version table,
// defaults, decimal point, mysetup.ini, first run, new document, marker file,
// Setting.ini, editing preferences.
StartupResult RunStartup(ShellSettings& settings, VersionTable& versions,
                         const FileLocations& locations, std::uint32_t localeId,
                         const StartupHooks& hooks);

} // namespace velmar
