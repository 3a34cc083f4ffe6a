#include "cli_environment.h"

#include "console.h"
#include "model/new_document.h"
#include "shell/startup.h"
#include "shell/system_locale.h"
#include "shell/text_encoding.h"

#include <chrono>

namespace velmar::cli {

MsgAnswer ConsoleMessages::Show(const std::string& text, MsgButtons, MsgIcon) {
    console_.Message({}, text);
    return MsgAnswer::Ok;
}

CliEnvironment::CliEnvironment(const std::string& programFolder,
                               std::optional<std::int16_t> language, Console& console)
    : Locations(LocateFiles(programFolder, UserConfigHome())),
      Texts(Locations.LanguageFolder(), Settings), Out(console), Messages(console) {
    VersionTableLoad loaded = LoadVersionTable(Locations.VersionIni());
    if (loaded.Table)
        Versions = std::move(*loaded.Table);
    else
        startError_ = loaded.Error;
    const std::uint32_t localeId = LocaleIdFromPosixName(UserLocaleName());
    AnsiIsGbk = localeId == LocaleChinaChinese;
    // The language Velmar shows, unless the command line chooses one.
    InitDefaults(Settings, localeId);
    ReadLanguageSetting(Settings, Locations.ReadPath(MySetupFile));
    if (language)
        SelectLanguage(Settings, *language);
    Settings.IsMainVersion = ReadMainVersionMarker(Locations.VerMainIni());
    Settings.SavedDecimalSeparator = UseDecimalPointForNumbers();
}

std::string CliEnvironment::FromAnsi(std::string_view bytes) const {
    return AnsiIsGbk ? GbkToUtf8(bytes) : Windows1252ToUtf8(bytes);
}

void CliEnvironment::InitNewDocument(Document& doc) {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    ::localtime_r(&now, &local);
    velmar::InitNewDocument(doc, Locations.ProgramFolder, local.tm_mon + 1, Texts, Messages);
}

} // namespace velmar::cli
