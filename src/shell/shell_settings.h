#pragma once
#include "shell/edit_prefs.h"

#include <array>
#include <cstdint>
#include <string>

namespace velmar {

// Languages by their number in mysetup.ini and the language dialog.
inline constexpr std::int16_t EnglishLanguage = 1;
inline constexpr std::int16_t ChineseLanguage = 2;

// What start-up decides for the whole run. One instance per process, passed
// by reference to whoever reads or changes it.
struct ShellSettings {
    std::int16_t comPort = 1; // the radio's port "COM" + comPort
    std::int16_t CurrentLanguage = EnglishLanguage;
    std::int16_t PreviousLanguage = EnglishLanguage; // language the main window shows now
    std::string LanguageFile = "english.ini";        // in the language folder
    bool IsFirstRun = false;          // the first-run link dialog has not yet succeeded
    bool IsVista = false;             // only ever true on the platform that lists ports differently
    bool IsMainVersion = false;       // VerMain.ini carries the main-version marker
    bool VerifyAfterWrite = false;    // a write is read back and compared (link/verify_setting.h)
    char SavedDecimalSeparator = '.'; // the user's own, as found at start-up
    std::array<std::uint8_t, 4> SettingBytes{}; // Setting.ini, kept and written back unread
    EditPreferences EditPrefs;
};

} // namespace velmar
