// dump FILE.dat / dump FILE.img: the document as JSON on standard output. A
// memory image becomes the document a read of that memory gives (ParseImage
// over a new document), its identification block the radio information.
#include "channels/document_json.h"
#include "cli_environment.h"
#include "command_support.h"
#include "commands.h"
#include "console.h"
#include "link/image_conversion.h"

#include <QString>
#include <cstdio>

namespace velmar::cli {

namespace {

std::unique_ptr<Document> DocumentOfImage(CliEnvironment& env, const std::string& path) {
    const auto memory = OpenMemoryImage(env, path);
    if (!memory)
        return nullptr;
    auto doc = std::make_unique<Document>();
    env.InitNewDocument(*doc);
    ParseImage(memory->Image, *doc);
    DecodeRadioInfo(memory->InfoBlock, doc->RadioInfo);
    return doc;
}

} // namespace

ExitCode DumpCommand(CliEnvironment& env, const Request& request) {
    const std::string& path = request.Files[0];
    const bool isImage = QString::fromStdString(path).endsWith(".img", Qt::CaseInsensitive);
    const auto doc = isImage ? DocumentOfImage(env, path) : OpenDocument(env, path);
    if (!doc)
        return ExitCode::FileFailed;
    std::string json = DocumentToJson(*doc, env.AnsiIsGbk);
    if (json.ends_with('\n'))
        json.pop_back(); // the result line ends it
    env.Out.Result({}, json);
    // Standard output on a full disk or a closed pipe: not done.
    return std::ferror(stdout) ? ExitCode::FileFailed : ExitCode::Done;
}

} // namespace velmar::cli
