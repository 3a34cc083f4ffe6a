// velmar-cli: the radio and its documents from the command line. The same
// exchanges, image conversion, data files and serial layer as Velmar, under
// a QCoreApplication: no widgets, no display.
#include "cli_environment.h"
#include "command_line.h"
#include "commands.h"
#include "console.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    using namespace velmar::cli;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("velmar-cli");
    QCoreApplication::setApplicationVersion(VELMAR_VERSION);

    const ParsedCommandLine parsed = ParseCommandLine(QCoreApplication::arguments());
    if (!parsed.Run) {
        std::fputs(parsed.Text.c_str(), parsed.Code == ExitCode::Done ? stdout : stderr);
        return ToInt(parsed.Code);
    }
    const Request& request = *parsed.Run;
    Console console(request.Quiet);
    CliEnvironment env(QCoreApplication::applicationDirPath().toStdString(), request.Language,
                       console);
    if (!env.StartError().empty()) {
        console.Message({}, env.StartError());
        return ToInt(ExitCode::FileFailed);
    }
    switch (request.Cmd) {
    case Command::Read:
        return ToInt(ReadCommand(env, request));
    case Command::Write:
    case Command::Restore:
        return ToInt(WriteCommand(env, request));
    case Command::Verify:
        return ToInt(VerifyCommand(env, request));
    case Command::Info:
        return ToInt(InfoCommand(env, request));
    case Command::Image:
        return ToInt(ImageCommand(env, request));
    case Command::Dump:
        return ToInt(DumpCommand(env, request));
    case Command::ExportCsv:
        return ToInt(ExportCsvCommand(env, request));
    case Command::ImportCsv:
        return ToInt(ImportCsvCommand(env, request));
    }
    return ToInt(ExitCode::Usage);
}
