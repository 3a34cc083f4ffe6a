#pragma once
// What velmar-cli starts with: the same files as Velmar (found through the
// same FileLocations), the language of mysetup.ini or --lang, the version
// table, the program family marker and the code page of record texts.
#include "model/document.h"
#include "shell/file_locations.h"
#include "shell/language_texts.h"
#include "shell/message_sink.h"
#include "shell/shell_settings.h"
#include "shell/version_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmar::cli {

class Console;

// Message boxes of the core (a file that cannot be read, a damaged
// template) become lines on standard error.
class ConsoleMessages : public MessageSink {
public:
    explicit ConsoleMessages(Console& console) : console_(console) {}
    MsgAnswer Show(const std::string& text, MsgButtons buttons, MsgIcon icon) override;

private:
    Console& console_;
};

class CliEnvironment {
public:
    CliEnvironment(const std::string& programFolder, std::optional<std::int16_t> language,
                   Console& console);
    CliEnvironment(const CliEnvironment&) = delete;
    CliEnvironment& operator=(const CliEnvironment&) = delete;

    // Empty when the version table was loaded; why not otherwise.
    const std::string& StartError() const { return startError_; }

    const FileLocations Locations;
    ShellSettings Settings;
    VersionTable Versions;
    LanguageTexts Texts;
    Console& Out;
    ConsoleMessages Messages;
    bool AnsiIsGbk = false;

    std::string Text(int id) const { return Texts.GetText(id); }
    // Record text bytes as UTF-8 for the terminal.
    std::string FromAnsi(std::string_view bytes) const;

    // A new document from the initial values and the template, as Velmar
    // starts one.
    void InitNewDocument(Document& doc);

private:
    std::string startError_;
};

} // namespace velmar::cli
