#pragma once

namespace velmar::cli {

// What velmar-cli tells its caller.
enum class ExitCode {
    Done = 0,
    LinkFailed = 1,  // no reply, communication error, other model, wrong password, no port
    Usage = 2,       // the command line is wrong, or a question cannot be asked
    FileFailed = 3,  // a file could not be read or written, or is damaged
    Differences = 4, // verify found differences
};

// The worse of two outcomes, worst first: usage, file, link, differences, done.
ExitCode Worse(ExitCode a, ExitCode b);

inline int ToInt(ExitCode code) {
    return static_cast<int>(code);
}

} // namespace velmar::cli
