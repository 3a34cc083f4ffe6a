// info --port PORT: the radio information block, every field on a line of
// its own, "label: value", with the labels of the radio information window.
#include "cli_environment.h"
#include "commands.h"
#include "console.h"
#include "link/image_conversion.h"
#include "port_runner.h"
#include "settings/radio_info_view.h"

#include <algorithm>
#include <functional>

namespace velmar::cli {

ExitCode InfoCommand(CliEnvironment& env, const Request& request) {
    auto fresh = std::make_unique<Document>();
    env.InitNewDocument(*fresh);

    const auto job = [&](PortSession& session, std::function<void(ExitCode)> finish) {
        PortSession* s = &session;
        s->Run(LinkType::RadioInfo, fresh->ModelName, fresh->BandText, [&, s, finish](bool ok) {
            if (!ok) {
                finish(ExitCode::LinkFailed);
                return;
            }
            RadioInfoRecord info = fresh->RadioInfo;
            DecodeRadioInfo(s->InfoBlock(), info);
            for (const RadioInfoLine& line : RadioInfoLines(ShowByData(info))) {
                std::string label = env.Text(line.LabelTextId);
                if (line.SecondLabelTextId != 0)
                    label += " " + env.Text(line.SecondLabelTextId);
                // The repair reason may hold line breaks: one line per field.
                std::string value = env.FromAnsi(line.Value);
                std::replace_if(
                    value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
                env.Out.Result(s->Port(), label + ": " + value);
            }
            finish(ExitCode::Done);
        });
    };
    return RunOnEveryPort(env, request, 0, job);
}

} // namespace velmar::cli
