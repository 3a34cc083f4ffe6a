#include "exit_codes.h"

namespace velmar::cli {

namespace {

int Severity(ExitCode code) {
    switch (code) {
    case ExitCode::Done:
        return 0;
    case ExitCode::Differences:
        return 1;
    case ExitCode::LinkFailed:
        return 2;
    case ExitCode::FileFailed:
        return 3;
    case ExitCode::Usage:
        return 4;
    }
    return 4;
}

} // namespace

ExitCode Worse(ExitCode a, ExitCode b) {
    return Severity(a) >= Severity(b) ? a : b;
}

} // namespace velmar::cli
