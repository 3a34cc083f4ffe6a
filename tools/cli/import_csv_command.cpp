// import-csv IN.csv OUT.dat [--base BASE.dat] [--force]: the channels of a
// CSV file (channel_csv.h) stored as the channel grid stores them, into
// BASE.dat (the rows change or add its channels) or into a new document (the
// rows make its channel list beside the VFO channel), saved as the pair
// OUT.dat/OUT.fre. A refused row is listed with its row number and reason
// and, without --force, keeps the import from writing anything.
#include "channels/channel_csv.h"
#include "channels/channel_views.h"
#include "cli_environment.h"
#include "cli_texts.h"
#include "command_support.h"
#include "commands.h"
#include "console.h"
#include "model/data_file.h"
#include "shell/file_io.h"

#include <QString>
#include <filesystem>
#include <optional>
#include <system_error>

namespace velmar::cli {

namespace {

// Far more than any channel list takes; keeps a wrong file (a disk image, say)
// from being read whole. Devices and folders are refused before reading.
constexpr std::uintmax_t kMaxCsvFileSize = 16u << 20;

std::string Formatted(const std::string& format, const QString& first) {
    return QString::fromStdString(format).arg(first).toStdString();
}

// "Row 7: reason", the reason taken as it is, whatever it holds.
std::string RowLine(CliEnvironment& env, const CsvRefusedRow& refused) {
    return QString::fromStdString(env.Text(kTextCsvRow))
        .arg(QString::number(refused.Row), QString::fromStdString(refused.Reason))
        .toStdString();
}

// The text of the CSV file; nothing after saying why it cannot be read.
std::optional<std::string> ReadCsvFile(CliEnvironment& env, const std::string& path) {
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(path, error);
    const std::uintmax_t size = regular ? std::filesystem::file_size(path, error) : 0;
    if (regular && !error && size > kMaxCsvFileSize) {
        env.Out.Message({}, path + ": " + env.Text(kTextCsvTooLarge));
        return std::nullopt;
    }
    auto text = regular && !error ? ReadWholeFile(path) : std::nullopt;
    if (!text)
        env.Out.Message({}, path + ": " + env.Text(kTextFileError));
    return text;
}

std::unique_ptr<Document> StartingDocument(CliEnvironment& env, const Request& request) {
    if (request.Base)
        return OpenDocument(env, *request.Base);
    auto doc = std::make_unique<Document>();
    env.InitNewDocument(*doc);
    return doc;
}

} // namespace

ExitCode ImportCsvCommand(CliEnvironment& env, const Request& request) {
    const std::string& in = request.Files[0];
    const std::string& out = request.Files[1];
    const auto csv = ReadCsvFile(env, in);
    if (!csv)
        return ExitCode::FileFailed;
    auto doc = StartingDocument(env, request);
    if (!doc)
        return ExitCode::FileFailed;

    ChannelViews noWindows;
    const ChannelEnv channelEnv{env.Messages, env.Texts, noWindows};
    const CsvImportResult result =
        ReadChannelCsv(*csv, *doc, channelEnv,
                       request.Base ? CsvImportMode::MergeByNumber : CsvImportMode::ReplaceList);
    for (const CsvRefusedRow& refused : result.Refused)
        env.Out.Message({}, in + ": " + RowLine(env, refused));
    if (!result.HeaderRead) {
        env.Out.Message({}, in + ": " + env.Text(kTextCsvUnreadable));
        return ExitCode::FileFailed;
    }
    const QString refusedCount = QString::number(result.Refused.size());
    if (!result.Refused.empty() && !request.Force) {
        env.Out.Message({}, Formatted(env.Text(kTextCsvRefusedNothingWritten), refusedCount));
        return ExitCode::FileFailed;
    }
    if (!result.Refused.empty())
        env.Out.Message({}, Formatted(env.Text(kTextCsvRefusedLeftOut), refusedCount));

    FileMessages messages(env.Out, {}, out);
    if (!SaveDocumentFile(*doc, out, env.Texts, messages))
        return ExitCode::FileFailed;
    env.Out.Note({}, Formatted(env.Text(kTextCsvRowsImported), QString::number(result.Imported)));
    env.Out.Result({}, env.Text(kTextSavedAs) + " " + out);
    return ExitCode::Done;
}

} // namespace velmar::cli
