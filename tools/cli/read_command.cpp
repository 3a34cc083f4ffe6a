// read --port PORT [--password TEXT] [--yes] [--no-backup] OUT.dat: the radio
// into a new document, saved as the pair OUT.dat / OUT.fre once the read has
// succeeded (a failed read leaves OUT alone). With several ports each port
// gets its own pair, the port's name added to OUT.
#include "cli_environment.h"
#include "cli_texts.h"
#include "command_support.h"
#include "commands.h"
#include "console.h"
#include "link/image_conversion.h"
#include "model/data_file.h"
#include "port_runner.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <unistd.h>

namespace velmar::cli {

namespace {

// Characters fit for a file name.
std::string Sanitized(std::string text) {
    for (char& c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.')
            c = '_';
    return text;
}

// The port as part of a file name: its last name ("COM3", "ttyUSB0"), with
// its folder when the name is a bare number ("/dev/pts/4" → "pts_4").
std::string PortTag(const std::string& port) {
    const std::filesystem::path path(port);
    std::string tag = path.filename().string();
    if (!tag.empty() && std::all_of(tag.begin(), tag.end(), ::isdigit))
        tag = path.parent_path().filename().string() + "_" + tag;
    return Sanitized(tag);
}

// OUT.dat, or OUT-PORT.dat for each of several ports (the whole path of the
// port when two ports have the same last name).
std::map<std::string, std::string> OutputFiles(const Request& request) {
    const std::string& out = request.Files[0];
    const std::string stem = out.substr(0, out.size() - 4), extension = out.substr(out.size() - 4);
    std::map<std::string, std::string> tags;
    std::set<std::string> seen;
    bool clash = false;
    for (const std::string& port : request.Ports)
        clash |= !seen.insert(tags[port] = PortTag(port)).second;
    std::map<std::string, std::string> files;
    for (const std::string& port : request.Ports) {
        const std::string tag = clash ? Sanitized(port) : tags[port];
        files[port] = request.Ports.size() == 1 ? out : stem + "-" + tag + extension;
    }
    return files;
}

// The folder the pair goes to exists and may be written.
bool CanWriteBeside(const std::string& file) {
    std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec) && ::access(folder.c_str(), W_OK) == 0;
}

} // namespace

ExitCode ReadCommand(CliEnvironment& env, const Request& request) {
    if (auto refused = RefuseUnanswerable(env, request, "read"))
        return *refused;
    const auto outputs = OutputFiles(request);
    for (const auto& [port, file] : outputs) {
        if (!CanWriteBeside(file)) {
            env.Out.Message({}, file + ": " + env.Text(kTextFileError));
            return ExitCode::FileFailed;
        }
    }
    auto fresh = std::make_unique<Document>();
    env.InitNewDocument(*fresh);

    const auto job = [&](PortSession& session, std::function<void(ExitCode)> finish) {
        PortSession* s = &session;
        s->Run(LinkType::Read, fresh->ModelName, fresh->BandText, [&, s, finish](bool ok) {
            if (!ok) {
                finish(ExitCode::LinkFailed);
                return;
            }
            KeepBackup(env, request, *s);
            auto doc = std::make_unique<Document>(*fresh);
            ParseImage(s->Image(), *doc);
            const std::string& file = outputs.at(s->Port());
            FileMessages messages(env.Out, s->Port(), file);
            if (!SaveDocumentFile(*doc, file, env.Texts, messages)) {
                finish(ExitCode::FileFailed);
                return;
            }
            env.Out.Result(s->Port(), s->SuccessText() + " " + env.Text(kTextSavedAs) + " " + file);
            finish(ExitCode::Done);
        });
    };
    return RunOnEveryPort(env, request, kTextReadQuestion, job);
}

} // namespace velmar::cli
