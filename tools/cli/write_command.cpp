// write --port PORT [--password TEXT] [--yes] [--verify] IN.dat: the document
// as Velmar's Write sends it. restore --port PORT [--yes] [--verify]
// BACKUP.img: a saved memory image, every byte of it. --verify reads the
// radio back afterwards and compares it with what was sent.
#include "cli_environment.h"
#include "cli_texts.h"
#include "command_support.h"
#include "commands.h"
#include "console.h"
#include "link/image_conversion.h"
#include "port_runner.h"

#include <functional>
#include <memory>

namespace velmar::cli {

ExitCode WriteCommand(CliEnvironment& env, const Request& request) {
    const bool restore = request.Cmd == Command::Restore;
    if (auto refused = RefuseUnanswerable(env, request, restore ? "restore" : "write"))
        return *refused;
    const std::string& file = request.Files[0];

    // The image to send and the document the radio is checked against.
    std::unique_ptr<Document> doc;
    std::optional<RadioImage> image;
    if (restore) {
        const auto memory = OpenMemoryImage(env, file);
        if (!memory)
            return ExitCode::FileFailed;
        doc = std::make_unique<Document>();
        env.InitNewDocument(*doc);
        ParseImage(memory->Image, *doc); // the model and band the image was read from
        image = memory->Image;
    } else {
        doc = OpenDocument(env, file);
        if (!doc)
            return ExitCode::FileFailed;
        // A fresh run has read nothing: what the program does not know of the
        // memory goes out as Velmar sends it before its first read.
        image = BuildImageToSend(env, *doc, RadioImage{}, file);
        if (!image)
            return ExitCode::FileFailed;
    }

    // --verify: the radio read back and compared with what went out (the
    // image with the radio's identification in it, unless restored as it is).
    const auto readBack = [&](PortSession* s, std::function<void(ExitCode)> finish) {
        auto sent = std::make_shared<RadioImage>(s->Image());
        s->Run(LinkType::Read, doc->ModelName, doc->BandText, [&, s, sent, finish](bool read) {
            if (!read) {
                finish(ExitCode::LinkFailed);
                return;
            }
            KeepBackup(env, request, *s);
            finish(ReportComparison(env, s->Port(), *sent, s->Image()));
        });
    };
    const auto job = [&](PortSession& session, std::function<void(ExitCode)> finish) {
        PortSession* s = &session;
        s->Image() = *image;
        const auto written = [&, s, finish](bool ok) {
            if (!ok) {
                finish(ExitCode::LinkFailed);
                return;
            }
            env.Out.Result(s->Port(), s->SuccessText());
            if (request.Verify)
                readBack(s, finish);
            else
                finish(ExitCode::Done);
        };
        s->Run(LinkType::Write, doc->ModelName, doc->BandText, written, restore);
    };
    return RunOnEveryPort(env, request, restore ? kTextRestoreQuestion : kTextWriteQuestion, job);
}

} // namespace velmar::cli
