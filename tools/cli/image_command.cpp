// image IN.dat OUT.img / image IN.img OUT.dat: a document into the memory
// image a write sends (with BuildImage), or a memory image into a document
// as a read makes it (with ParseImage). No radio.
#include "cli_environment.h"
#include "cli_texts.h"
#include "command_support.h"
#include "commands.h"
#include "console.h"
#include "link/image_conversion.h"
#include "model/data_file.h"

#include <QString>

namespace velmar::cli {

ExitCode ImageCommand(CliEnvironment& env, const Request& request) {
    const std::string& in = request.Files[0];
    const std::string& out = request.Files[1];
    if (QString::fromStdString(in).endsWith(".dat", Qt::CaseInsensitive)) {
        auto doc = OpenDocument(env, in);
        if (!doc)
            return ExitCode::FileFailed;
        const auto image = BuildImageToSend(env, *doc, RadioImage{}, in);
        if (!image)
            return ExitCode::FileFailed;
        MemoryImage memory{*image, {}};
        memory.InfoBlock.bytes.fill(0xFF); // a document carries no identification block
        if (!WriteMemoryImageFile(out, memory)) {
            env.Out.Message({}, out + ": " + env.Text(kTextFileError));
            return ExitCode::FileFailed;
        }
    } else {
        const auto memory = OpenMemoryImage(env, in);
        if (!memory)
            return ExitCode::FileFailed;
        auto doc = std::make_unique<Document>();
        env.InitNewDocument(*doc);
        ParseImage(memory->Image, *doc);
        FileMessages messages(env.Out, {}, out);
        if (!SaveDocumentFile(*doc, out, env.Texts, messages))
            return ExitCode::FileFailed;
    }
    env.Out.Result({}, env.Text(kTextSavedAs) + " " + out);
    return ExitCode::Done;
}

} // namespace velmar::cli
