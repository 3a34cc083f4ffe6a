#pragma once
// The command line of velmar-cli: which command, on which ports, with which
// files and answers.
#include "exit_codes.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmar::cli {

enum class Command { Read, Write, Info, Verify, Restore, Image, Dump, ExportCsv, ImportCsv };

struct Request {
    Command Cmd = Command::Info;
    std::vector<std::string> Ports;       // as given: COMn or a device path
    std::vector<std::string> Files;       // the file arguments in order
    std::optional<QString> Password;      // --password
    bool Yes = false;                     // --yes
    bool Verify = false;                  // --verify
    bool Quiet = false;                   // --quiet
    bool NoBackup = false;                // --no-backup
    std::optional<std::string> Base;      // --base BASE.dat
    bool Force = false;                   // --force
    int Retries = 0;                      // --retry N
    std::optional<std::int16_t> Language; // --lang en|zh
};

// A command line read: a request to run, or a text to print and an exit code
// (help on standard output with 0, a usage error on standard error with 2).
struct ParsedCommandLine {
    std::optional<Request> Run;
    std::string Text;
    ExitCode Code = ExitCode::Done;
};

// `arguments` as the program received them, the program name first.
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

} // namespace velmar::cli
