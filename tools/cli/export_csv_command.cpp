// export-csv IN.dat OUT.csv: the channel list of a document in the CSV
// layout of channel_csv.h, written whole or not at all.
#include "channels/channel_csv.h"
#include "cli_environment.h"
#include "cli_texts.h"
#include "command_support.h"
#include "commands.h"
#include "console.h"
#include "shell/file_io.h"

namespace velmar::cli {

ExitCode ExportCsvCommand(CliEnvironment& env, const Request& request) {
    const std::string& in = request.Files[0];
    const std::string& out = request.Files[1];
    const auto doc = OpenDocument(env, in);
    if (!doc)
        return ExitCode::FileFailed;
    if (!WriteFileAtomically(out, WriteChannelCsv(*doc, env.AnsiIsGbk))) {
        env.Out.Message({}, out + ": " + env.Text(kTextFileError));
        return ExitCode::FileFailed;
    }
    env.Out.Result({}, env.Text(kTextSavedAs) + " " + out);
    return ExitCode::Done;
}

} // namespace velmar::cli
