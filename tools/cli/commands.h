#pragma once
// The commands of velmar-cli; each returns its exit code.
#include "command_line.h"
#include "exit_codes.h"

namespace velmar::cli {

class CliEnvironment;

ExitCode ReadCommand(CliEnvironment& env, const Request& request);
// write IN.dat and restore BACKUP.img, each with --verify.
ExitCode WriteCommand(CliEnvironment& env, const Request& request);
ExitCode VerifyCommand(CliEnvironment& env, const Request& request);
ExitCode InfoCommand(CliEnvironment& env, const Request& request);
ExitCode ImageCommand(CliEnvironment& env, const Request& request);
ExitCode DumpCommand(CliEnvironment& env, const Request& request);
ExitCode ExportCsvCommand(CliEnvironment& env, const Request& request);
ExitCode ImportCsvCommand(CliEnvironment& env, const Request& request);

} // namespace velmar::cli
