#pragma once
// A radio command on every port of the command line at once: each port with
// its own session, one result line each, the exit code the worst of them.
#include "command_line.h"
#include "exit_codes.h"
#include "port_session.h"

#include <functional>

namespace velmar::cli {

class CliEnvironment;

// What a command does on one port; it ends by calling `finish` once.
using PortJob = std::function<void(PortSession& session, std::function<void(ExitCode)> finish)>;

// Opens every port (one that does not open fails at once), then asks
// `questionId` once when it is not 0 (--yes answers it, else the terminal),
// then runs `job` on every open port and waits until all have finished. A
// port that fails gets the result line "Failed.".
ExitCode RunOnEveryPort(CliEnvironment& env, const Request& request, int questionId,
                        const PortJob& job);

// True when the command line leaves a question of the command unanswerable:
// no --yes and no terminal to ask on.
bool CannotAsk(const Request& request);

} // namespace velmar::cli
