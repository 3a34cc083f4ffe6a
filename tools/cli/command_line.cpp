#include "command_line.h"

#include "link/radio_password.h"
#include "shell/shell_settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>

namespace velmar::cli {

namespace {

enum Option : unsigned {
    OptPort = 1 << 0,
    OptPassword = 1 << 1,
    OptYes = 1 << 2,
    OptVerify = 1 << 3,
    OptRetry = 1 << 4,
    OptNoBackup = 1 << 5,
    OptBase = 1 << 6,
    OptForce = 1 << 7,
};
constexpr unsigned kRadioOptions = OptPort | OptPassword | OptYes | OptRetry;

struct CommandDef {
    const char* Name;
    Command Cmd;
    const char* Files; // the file arguments, for the usage line
    int FileCount;
    unsigned Options;
    const char* Summary;
};

constexpr CommandDef kCommands[] = {
    {"read", Command::Read, "OUT.dat", 1, kRadioOptions | OptNoBackup,
     "read the radio into a new document, saved as OUT.dat and OUT.fre"},
    {"write", Command::Write, "IN.dat", 1, kRadioOptions | OptVerify | OptNoBackup,
     "write the document IN.dat to the radio"},
    {"info", Command::Info, "", 0, kRadioOptions,
     "print the radio information block, one field a line"},
    {"verify", Command::Verify, "IN.dat", 1, kRadioOptions | OptNoBackup,
     "compare the radio with what writing IN.dat would send"},
    {"restore", Command::Restore, "BACKUP.img", 1, kRadioOptions | OptVerify | OptNoBackup,
     "write a saved memory image back to the radio, byte for byte"},
    {"image", Command::Image, "IN.dat OUT.img | IN.img OUT.dat", 2, 0,
     "convert a document into a memory image or back, without a radio"},
    {"dump", Command::Dump, "FILE.dat | FILE.img", 1, 0,
     "print a document or a memory image as JSON"},
    {"export-csv", Command::ExportCsv, "IN.dat OUT.csv", 2, 0,
     "write the channel list of IN.dat as CSV"},
    {"import-csv", Command::ImportCsv, "IN.csv OUT.dat", 2, OptBase | OptForce,
     "read the channels of IN.csv into the document OUT.dat and OUT.fre"},
};

const CommandDef* FindCommand(const QString& name) {
    for (const CommandDef& def : kCommands)
        if (name == QLatin1String(def.Name))
            return &def;
    return nullptr;
}

QString ProgramName() {
    return QStringLiteral("velmar-cli");
}

std::string GeneralHelp() {
    QString text = QStringLiteral("Usage: velmar-cli COMMAND [options] FILE...\n\n"
                                  "The radio and its documents from the command line.\n\n"
                                  "Commands:\n");
    for (const CommandDef& def : kCommands)
        text += QStringLiteral("  %1  %2\n").arg(QLatin1String(def.Name), -10).arg(def.Summary);
    text += QStringLiteral(
        "\n'velmar-cli COMMAND --help' describes a command; 'man velmar-cli' tells more.\n"
        "Exit codes: 0 done, 1 the radio or the link failed, 2 usage error,\n"
        "3 a file could not be read or written or is damaged (import-csv: rows refused),\n"
        "4 verify found differences.\n");
    return text.toStdString();
}

ParsedCommandLine UsageError(const QString& text) {
    return {std::nullopt,
            (ProgramName() + ": " + text + "\n" + QStringLiteral("Try 'velmar-cli --help'.\n"))
                .toStdString(),
            ExitCode::Usage};
}

void AddOptions(QCommandLineParser& parser, const CommandDef& def) {
    if (def.Options & OptPort)
        parser.addOption({"port",
                          "The radio's port: COMn (through the port map) or a device such as "
                          "/dev/ttyUSB0. Give it more than once to run on every port at once.",
                          "PORT"});
    if (def.Options & OptPassword)
        parser.addOption({"password", "The radio's password (at most 4 characters).", "TEXT"});
    if (def.Options & OptYes)
        parser.addOption({"yes", "Answer Yes/OK to every question."});
    if (def.Options & OptVerify)
        parser.addOption({"verify", "Read the radio back afterwards and compare."});
    if (def.Options & OptRetry)
        parser.addOption({"retry",
                          "After no valid reply start again from the handshake up to N more "
                          "times (default 0).",
                          "N"});
    if (def.Options & OptNoBackup)
        parser.addOption({"no-backup", "Keep no backup of the memory read this time."});
    if (def.Options & OptBase)
        parser.addOption({"base",
                          "Start from the document BASE.dat: the rows change or add its "
                          "channels. Without it the rows make the channel list of a new "
                          "document.",
                          "BASE.dat"});
    if (def.Options & OptForce)
        parser.addOption({"force", "Write the rows that passed even when others were refused."});
    parser.addOption({"lang", "Messages in English (en) or Chinese (zh).", "en|zh"});
    parser.addOption({"quiet", "No progress bar and no notes."});
    parser.addHelpOption();
}

std::string CommandHelp(const QCommandLineParser& parser, const CommandDef& def) {
    // The parser's own text names the program and the options; the first
    // line becomes the usage of this command.
    QString text = parser.helpText();
    const QString usage = QStringLiteral("Usage: velmar-cli %1 [options] %2")
                              .arg(QLatin1String(def.Name), QLatin1String(def.Files));
    const qsizetype lineEnd = text.indexOf('\n');
    text = usage + "\n" + QString::fromLatin1(def.Summary) + "." + text.mid(lineEnd);
    return text.toStdString();
}

bool EndsWith(const std::string& name, const char* extension) {
    return QString::fromStdString(name).endsWith(QLatin1String(extension), Qt::CaseInsensitive);
}

// The file arguments a command takes.
std::optional<QString> FileProblem(const CommandDef& def, const std::vector<std::string>& files) {
    if (static_cast<int>(files.size()) != def.FileCount)
        return QStringLiteral("%1 takes %2").arg(QLatin1String(def.Name), QLatin1String(def.Files));
    switch (def.Cmd) {
    case Command::Read:
    case Command::Write:
    case Command::Verify:
        if (!EndsWith(files[0], ".dat"))
            return QStringLiteral("the data file must end in .dat: ") +
                   QString::fromStdString(files[0]);
        break;
    case Command::Restore:
        if (!EndsWith(files[0], ".img"))
            return QStringLiteral("the memory image must end in .img: ") +
                   QString::fromStdString(files[0]);
        break;
    case Command::Image:
        if (!(EndsWith(files[0], ".dat") && EndsWith(files[1], ".img")) &&
            !(EndsWith(files[0], ".img") && EndsWith(files[1], ".dat")))
            return QStringLiteral("image converts IN.dat to OUT.img or IN.img to OUT.dat");
        break;
    case Command::Dump:
        if (!EndsWith(files[0], ".dat") && !EndsWith(files[0], ".img"))
            return QStringLiteral("dump takes a data file (.dat) or a memory image (.img): ") +
                   QString::fromStdString(files[0]);
        break;
    case Command::ExportCsv:
        if (!EndsWith(files[0], ".dat") || !EndsWith(files[1], ".csv"))
            return QStringLiteral("export-csv writes IN.dat as OUT.csv");
        break;
    case Command::ImportCsv:
        if (!EndsWith(files[0], ".csv") || !EndsWith(files[1], ".dat"))
            return QStringLiteral("import-csv reads IN.csv into OUT.dat");
        break;
    case Command::Info:
        break;
    }
    return std::nullopt;
}

} // namespace

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
    if (arguments.size() < 2)
        return UsageError(QStringLiteral("no command given"));
    const QString first = arguments[1];
    if (first == "--help" || first == "-h" || first == "help")
        return {std::nullopt, GeneralHelp(), ExitCode::Done};
    if (first == "--version")
        return {std::nullopt,
                (ProgramName() + " " + QCoreApplication::applicationVersion() + "\n").toStdString(),
                ExitCode::Done};
    const CommandDef* def = FindCommand(first);
    if (!def)
        return UsageError(QStringLiteral("unknown command '%1'").arg(first));

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    AddOptions(parser, *def);
    QStringList rest = arguments.mid(1); // the command stands in for the program name
    if (!parser.parse(rest))
        return UsageError(parser.errorText());
    if (parser.isSet("help"))
        return {std::nullopt, CommandHelp(parser, *def), ExitCode::Done};

    Request request;
    request.Cmd = def->Cmd;
    for (const QString& file : parser.positionalArguments())
        request.Files.push_back(file.toStdString());
    if (const auto problem = FileProblem(*def, request.Files))
        return UsageError(*problem);

    if (def->Options & OptPort) {
        for (const QString& port : parser.values("port")) {
            if (port.isEmpty())
                return UsageError(QStringLiteral("--port needs a port"));
            const std::string name = port.toStdString();
            if (std::find(request.Ports.begin(), request.Ports.end(), name) != request.Ports.end())
                return UsageError(QStringLiteral("the port %1 is given twice").arg(port));
            request.Ports.push_back(name);
        }
        if (request.Ports.empty())
            return UsageError(QStringLiteral("%1 needs --port PORT").arg(first));
    }
    if ((def->Options & OptPassword) && parser.isSet("password")) {
        request.Password = parser.value("password");
        if (request.Password->size() > kRadioPasswordLength)
            return UsageError(
                QStringLiteral("the password has at most %1 characters").arg(kRadioPasswordLength));
    }
    if ((def->Options & OptRetry) && parser.isSet("retry")) {
        bool ok = false;
        request.Retries = parser.value("retry").toInt(&ok);
        if (!ok || request.Retries < 0)
            return UsageError(QStringLiteral("--retry takes a number 0 or more"));
    }
    if (parser.isSet("lang")) {
        const QString lang = parser.value("lang");
        if (lang == "en")
            request.Language = EnglishLanguage;
        else if (lang == "zh")
            request.Language = ChineseLanguage;
        else
            return UsageError(QStringLiteral("--lang takes en or zh"));
    }
    if ((def->Options & OptBase) && parser.isSet("base")) {
        request.Base = parser.value("base").toStdString();
        if (!EndsWith(*request.Base, ".dat"))
            return UsageError(QStringLiteral("the base document must end in .dat: ") +
                              parser.value("base"));
    }
    request.Force = (def->Options & OptForce) && parser.isSet("force");
    request.Yes = (def->Options & OptYes) && parser.isSet("yes");
    request.Verify = (def->Options & OptVerify) && parser.isSet("verify");
    request.NoBackup = (def->Options & OptNoBackup) && parser.isSet("no-backup");
    request.Quiet = parser.isSet("quiet");
    return {request, {}, ExitCode::Done};
}

} // namespace velmar::cli
