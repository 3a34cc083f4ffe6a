// verify --port PORT IN.dat: reads the radio and compares what it holds with
// what writing IN.dat would send (the image read, with the document built
// into it and the radio's identification kept as a write keeps it); every
// difference by channel and field, exit 4 when there is any.
#include "cli_environment.h"
#include "command_support.h"
#include "commands.h"
#include "link/radio_exchange.h"
#include "port_runner.h"

#include <functional>

namespace velmar::cli {

ExitCode VerifyCommand(CliEnvironment& env, const Request& request) {
    const std::string& file = request.Files[0];
    auto doc = OpenDocument(env, file);
    if (!doc)
        return ExitCode::FileFailed;
    // A document that cannot be written is found before anything is sent.
    if (!BuildImageToSend(env, *doc, RadioImage{}, file))
        return ExitCode::FileFailed;

    const auto job = [&](PortSession& session, std::function<void(ExitCode)> finish) {
        PortSession* s = &session;
        s->Run(LinkType::Read, doc->ModelName, doc->BandText, [&, s, finish](bool read) {
            if (!read) {
                finish(ExitCode::LinkFailed);
                return;
            }
            KeepBackup(env, request, *s);
            // A write of the document over what was read, with the radio's
            // identification as the write keeps it.
            Document copy = *doc;
            auto expected = BuildImageToSend(env, copy, s->Image(), file);
            if (!expected) {
                finish(ExitCode::FileFailed);
                return;
            }
            StoreIdentifyReply(*expected, s->IdentifyReply());
            finish(ReportComparison(env, s->Port(), *expected, s->Image()));
        });
    };
    return RunOnEveryPort(env, request, 0, job);
}

} // namespace velmar::cli
