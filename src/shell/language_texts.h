#pragma once
#include "shell/ini_file.h"
#include "shell/shell_settings.h"
#include "shell/text_lookup.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmar {

// The section of a language file that holds text `id`: "OTHER" up to 8999,
// "Msg" for 9000 ... 9999, and so on to "Others" from 32000 on.
std::string_view TextSection(int id);

// Longest text handed out, in characters.
inline constexpr std::size_t MaxTextLength = 254;

// Texts of the current language: the file settings.LanguageFile in the
// language folder, read anew whenever its name, size or modification time
// changes. Values are trimmed and cut at MaxTextLength characters. A missing
// file, section or key gives "". A file that is not UTF-8 is taken in its
// language's code page (GBK for chinese.ini, Windows-1252 otherwise).
class LanguageTexts : public TextLookup {
public:
    // `settings` must outlive this object; its LanguageFile is read on every call.
    LanguageTexts(std::string languageFolder, const ShellSettings& settings);

    std::string GetText(int id) const override;

private:
    struct FileStamp {
        std::string path;
        std::filesystem::file_time_type modified{};
        std::uintmax_t size = 0;
        bool exists = false;
        bool operator==(const FileStamp&) const = default;
    };

    const IniDocument& CurrentFile() const;

    std::string languageFolder_;
    const ShellSettings& settings_;
    mutable FileStamp loadedStamp_;
    mutable bool loaded_ = false;
    mutable IniDocument loadedFile_;
};

} // namespace velmar
