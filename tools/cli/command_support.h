#pragma once
// What several commands do alike: open a document, build the image writing
// it sends, read a memory image file, keep the backup of a read, report a
// comparison.
#include "command_line.h"
#include "exit_codes.h"
#include "link/memory_image_file.h"
#include "link/radio_image.h"
#include "model/document.h"
#include "shell/message_sink.h"

#include <memory>
#include <optional>
#include <string>

namespace velmar::cli {

class CliEnvironment;
class Console;
class PortSession;

// The core's messages about one file, on standard error after its name.
class FileMessages : public MessageSink {
public:
    FileMessages(Console& console, std::string port, std::string file)
        : console_(console), port_(std::move(port)), file_(std::move(file)) {}
    MsgAnswer Show(const std::string& text, MsgButtons buttons, MsgIcon icon) override;

private:
    Console& console_;
    std::string port_;
    std::string file_;
};

// The data file pair `path` as Velmar opens it (version checks included);
// nothing after saying why it cannot.
std::unique_ptr<Document> OpenDocument(CliEnvironment& env, const std::string& path);

// `base` with the document built into it, as a write sends it; nothing after
// saying why the document cannot be written.
std::optional<RadioImage> BuildImageToSend(CliEnvironment& env, Document& doc,
                                           const RadioImage& base, const std::string& path);

// A memory image file; nothing after saying why it cannot be used.
std::optional<MemoryImage> OpenMemoryImage(CliEnvironment& env, const std::string& path);

// Saves the memory the session read as a backup, unless --no-backup; a
// backup that cannot be written is a warning only.
void KeepBackup(CliEnvironment& env, const Request& request, PortSession& session);

// The differences between what was expected and what the radio holds, one
// result line each, then the summary; Differences when there are any.
ExitCode ReportComparison(CliEnvironment& env, const std::string& port, const RadioImage& expected,
                          const RadioImage& inRadio);

// A usage error: the reason on standard error, exit code Usage.
ExitCode UsageFailure(CliEnvironment& env, const std::string& reason);

// A command that asks before it sends cannot run without --yes and without
// a terminal: the usage error, before anything is sent.
std::optional<ExitCode> RefuseUnanswerable(CliEnvironment& env, const Request& request,
                                           const char* command);

} // namespace velmar::cli
