// velmar-cli's command line on arbitrary arguments: the input is the
// arguments after the program name, separated by NUL bytes, each read as
// UTF-8. Every command line gives either a request that holds together (its
// files, one port or more, each once, a password of at most four characters,
// a retry count of 0 or more) or a text: help with exit 0, or a usage error
// that names the program and points to --help, with exit 2.
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "../tools/cli/command_line.h"
#include "fuzz_support.h"
#include "link/radio_password.h"
#include "shell/shell_settings.h"

namespace velmar::cli {
namespace {

std::size_t FileCount(Command command) {
    switch (command) {
    case Command::Info:
        return 0;
    case Command::Image:
        return 2;
    default:
        return 1;
    }
}

void CheckRequest(const Request& r) {
    FUZZ_CHECK(r.Files.size() == FileCount(r.Cmd));
    if (r.Cmd == Command::Image) {
        FUZZ_CHECK(r.Ports.empty());
    } else {
        FUZZ_CHECK(!r.Ports.empty());
        for (std::size_t i = 0; i < r.Ports.size(); ++i) {
            FUZZ_CHECK(!r.Ports[i].empty());
            FUZZ_CHECK(std::count(r.Ports.begin(), r.Ports.end(), r.Ports[i]) == 1);
        }
    }
    FUZZ_CHECK(!r.Password || r.Password->size() <= kRadioPasswordLength);
    FUZZ_CHECK(r.Retries >= 0);
    FUZZ_CHECK(!r.Language || *r.Language == EnglishLanguage || *r.Language == ChineseLanguage);
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

} // namespace
} // namespace velmar::cli

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmar::cli;
    QStringList arguments{QStringLiteral("velmar-cli")};
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= input.size() && arguments.size() < 32) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        const std::string_view argument = input.substr(start, end - start);
        arguments << QString::fromUtf8(argument.data(), static_cast<qsizetype>(argument.size()));
        start = end + 1;
    }

    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (parsed.Run) {
        FUZZ_CHECK(parsed.Text.empty());
        FUZZ_CHECK(parsed.Code == ExitCode::Done);
        CheckRequest(*parsed.Run);
    } else if (parsed.Code == ExitCode::Usage) {
        FUZZ_CHECK(parsed.Text.rfind("velmar-cli: ", 0) == 0);
        FUZZ_CHECK(EndsWith(parsed.Text, "\nTry 'velmar-cli --help'.\n"));
    } else {
        FUZZ_CHECK(parsed.Code == ExitCode::Done);
        FUZZ_CHECK(!parsed.Text.empty());
    }
    return 0;
}
