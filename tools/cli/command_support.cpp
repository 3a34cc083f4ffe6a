#include "command_support.h"

#include "cli_environment.h"
#include "cli_texts.h"
#include "console.h"
#include "link/build_fault_text.h"
#include "link/image_compare.h"
#include "link/image_conversion.h"
#include "link/radio_backups.h"
#include "model/data_file.h"
#include "port_runner.h"
#include "port_session.h"

#include <chrono>

namespace velmar::cli {

MsgAnswer FileMessages::Show(const std::string& text, MsgButtons, MsgIcon) {
    console_.Message(port_, file_ + ": " + text);
    return MsgAnswer::Ok;
}

std::unique_ptr<Document> OpenDocument(CliEnvironment& env, const std::string& path) {
    auto doc = std::make_unique<Document>();
    FileMessages messages(env.Out, {}, path);
    if (!OpenDocumentFile(*doc, path, env.Versions, env.Texts, messages))
        return nullptr;
    return doc;
}

std::optional<RadioImage> BuildImageToSend(CliEnvironment& env, Document& doc,
                                           const RadioImage& base, const std::string& path) {
    RadioImage image = base;
    const ImageBuildResult built = BuildImage(doc, image);
    if (!built.Ok()) {
        env.Out.Message({}, path + ": " + ImageBuildFaultText(built));
        return std::nullopt;
    }
    return image;
}

std::optional<MemoryImage> OpenMemoryImage(CliEnvironment& env, const std::string& path) {
    MemoryImageRead read = ReadMemoryImageFile(path);
    if (read.Ok())
        return read.Memory;
    env.Out.Message({}, MemoryImageFaultText(read.Fault, path, env.Texts));
    return std::nullopt;
}

void KeepBackup(CliEnvironment& env, const Request& request, PortSession& session) {
    if (request.NoBackup)
        return;
    const BackupResult backup =
        SaveBackup(BackupFolder(), session.RadioModel(), {session.Image(), session.InfoBlock()},
                   std::chrono::system_clock::now());
    if (backup.Ok)
        env.Out.Note(session.Port(), env.Text(kTextBackupSaved) + " " + backup.Path);
    else
        env.Out.Message(session.Port(), BackupFailureText(backup, env.Texts));
}

ExitCode ReportComparison(CliEnvironment& env, const std::string& port, const RadioImage& expected,
                          const RadioImage& inRadio) {
    const ImageComparison comparison = CompareImages(expected, inRadio);
    for (const std::string& line : DifferenceLines(comparison, env.Texts))
        env.Out.Result(port, line);
    env.Out.Result(port, ComparisonSummary(comparison, env.Texts));
    return comparison.Equal() ? ExitCode::Done : ExitCode::Differences;
}

ExitCode UsageFailure(CliEnvironment& env, const std::string& reason) {
    env.Out.Message({}, reason);
    return ExitCode::Usage;
}

std::optional<ExitCode> RefuseUnanswerable(CliEnvironment& env, const Request& request,
                                           const char* command) {
    if (!CannotAsk(request))
        return std::nullopt;
    return UsageFailure(env, std::string(command) +
                                 " asks before it sends anything: give --yes, or run it on a "
                                 "terminal to answer there");
}

} // namespace velmar::cli
