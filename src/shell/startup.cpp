#include "shell/startup.h"

#include "shell/file_io.h"
#include "shell/ini_file.h"
#include "shell/system_locale.h"
#include "shell/text_util.h"

#include <optional>

namespace velmar {

namespace {

constexpr std::string_view MainVersionMarker = "KAVRO_0595_Main";
constexpr std::size_t MarkerFieldSize = 128;

std::optional<bool> ParseTruthValue(std::string_view text) {
    if (EqualsIgnoreCase(text, "True"))
        return true;
    if (EqualsIgnoreCase(text, "False"))
        return false;
    if (const std::optional<std::int16_t> number = ParseInt16(text))
        return *number != 0;
    return std::nullopt;
}

std::optional<std::int16_t> ReadSetupNumber(const std::string& setupPath, std::string_view key) {
    return ParseInt16(ReadIniValue(setupPath, SetupSection, key));
}

} // namespace

void InitDefaults(ShellSettings& settings, std::uint32_t localeId) {
    settings.CurrentLanguage = localeId == LocaleChinaChinese ? ChineseLanguage : EnglishLanguage;
    settings.LanguageFile =
        settings.CurrentLanguage == ChineseLanguage ? "chinese.ini" : "english.ini";
    settings.PreviousLanguage = settings.CurrentLanguage;
}

void SelectLanguage(ShellSettings& settings, std::int16_t language) {
    settings.CurrentLanguage = language;
    if (language == EnglishLanguage)
        settings.LanguageFile = "english.ini";
    else if (language == ChineseLanguage)
        settings.LanguageFile = "chinese.ini";
}

void ReadFirstRunSetting(ShellSettings& settings, const std::string& setupPath) {
    if (const std::optional<bool> firstRun =
            ParseTruthValue(ReadIniValue(setupPath, SetupSection, "IsFirstRun")))
        settings.IsFirstRun = *firstRun;
}

void ReadPortSetting(ShellSettings& settings, const std::string& setupPath) {
    if (const std::optional<std::int16_t> port = ReadSetupNumber(setupPath, "comPort"))
        settings.comPort = *port;
}

void ReadLanguageSetting(ShellSettings& settings, const std::string& setupPath) {
    if (const std::optional<std::int16_t> language = ReadSetupNumber(setupPath, "CurrentLanguage"))
        SelectLanguage(settings, *language);
}

bool WriteFirstRunDone(const std::string& setupPath) {
    return WriteIniValue(setupPath, SetupSection, "IsFirstRun", "0");
}

bool WriteComPort(const ShellSettings& settings, const std::string& setupPath) {
    return WriteIniValue(setupPath, SetupSection, "comPort", std::to_string(settings.comPort));
}

bool WriteCurrentLanguage(const ShellSettings& settings, const std::string& setupPath) {
    return WriteIniValue(setupPath, SetupSection, "CurrentLanguage",
                         std::to_string(settings.CurrentLanguage));
}

bool ReadMainVersionMarker(const std::string& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes)
        return false;
    std::string_view field = std::string_view(*bytes).substr(0, MarkerFieldSize);
    field = field.substr(0, field.find('\0'));
    while (!field.empty() && field.back() == ' ')
        field.remove_suffix(1);
    return field == MainVersionMarker;
}

std::array<std::uint8_t, 4> ReadSettingRecord(const std::string& path) {
    std::array<std::uint8_t, 4> record{};
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (bytes && bytes->size() >= record.size()) {
        for (std::size_t i = 0; i < record.size(); ++i)
            record[i] = static_cast<std::uint8_t>((*bytes)[i]);
    }
    return record;
}

bool WriteSettingRecord(const std::string& path, const std::array<std::uint8_t, 4>& bytes) {
    return WriteFileAtomically(path, std::string(bytes.begin(), bytes.end()));
}

StartupResult RunStartup(ShellSettings& settings, VersionTable& versions,
                         const FileLocations& locations, std::uint32_t localeId,
                         const StartupHooks& hooks) {
    VersionTableLoad loaded = LoadVersionTable(locations.VersionIni());
    if (!loaded.Table)
        return {StartupOutcome::VersionTableUnusable, loaded.Error};
    versions = std::move(*loaded.Table);

    if (hooks.ResetProcessState)
        hooks.ResetProcessState();
    InitDefaults(settings, localeId);
    settings.SavedDecimalSeparator = UseDecimalPointForNumbers();
    // IsVista stays as it is: this platform has no such version to detect.
    settings.comPort = 1;

    const std::string setupPath = locations.ReadPath(MySetupFile);
    ReadFirstRunSetting(settings, setupPath);
    ReadPortSetting(settings, setupPath);
    if (settings.IsFirstRun) {
        // The language stays the one of the system locale on a first run.
        const bool answered = hooks.RunFirstRunLink && hooks.RunFirstRunLink(settings);
        settings.IsFirstRun = !answered;
        if (settings.IsFirstRun)
            return {StartupOutcome::FirstRunNotLinked, {}};
        WriteFirstRunDone(locations.PrepareForWriting(MySetupFile));
    } else {
        ReadLanguageSetting(settings, setupPath);
    }
    const std::string setupWritePath = locations.PrepareForWriting(MySetupFile);
    WriteComPort(settings, setupWritePath);
    WriteCurrentLanguage(settings, setupWritePath);

    if (hooks.InitNewDocument)
        hooks.InitNewDocument();
    settings.IsMainVersion = ReadMainVersionMarker(locations.VerMainIni());
    settings.SettingBytes = ReadSettingRecord(locations.ReadPath(SettingFile));
    settings.EditPrefs = LoadEditPrefs(locations.ReadPath(HabitFile));
    return {};
}

} // namespace velmar
