// velmar-demo: Velmar with a virtual radio, for a first start without a
// radio. It starts velmar-vradio on a pseudo-terminal with the shipped sample
// memory (kept from one run to the next), gives it a COM number in a private
// configuration, runs Velmar in that configuration and stops the radio when
// Velmar ends. The sibling programs and the shipped data are found from the
// launcher's own path, in the build tree and installed alike.
#include "child_process.h"
#include "demo_setup.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace velmar;
using namespace velmar::demo;
namespace fs = std::filesystem;

constexpr const char* Usage =
    "usage: velmar-demo [--reset] [--echo] [PROGRAM [ARGUMENT...]]\n"
    "  --reset   start again from the shipped sample memory\n"
    "  --echo    the radio's cable echoes everything sent (one-wire cable)\n"
    "  PROGRAM   run this instead of Velmar, in the same configuration\n";

struct Options {
    bool reset = false;
    bool echo = false;
    std::vector<std::string> program; // empty: Velmar beside the launcher
};

bool ParseOptions(int argc, char** argv, Options& options) {
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--reset") {
            options.reset = true;
        } else if (arg == "--echo") {
            options.echo = true;
        } else if (arg == "--help") {
            std::cout << Usage;
            std::exit(0);
        } else if (arg == "--") {
            ++i;
            break;
        } else if (arg.starts_with("-")) {
            std::cerr << "velmar-demo: unknown option " << arg << "\n" << Usage;
            return false;
        } else {
            break;
        }
    }
    options.program.assign(argv + i, argv + argc);
    return true;
}

int Fail(const std::string& why) {
    std::cerr << "velmar-demo: " << why << "\n";
    return 1;
}

// The status of a program for the launcher's own exit.
int ExitStatus(int waitStatus) {
    if (WIFSIGNALED(waitStatus))
        return 128 + WTERMSIG(waitStatus);
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : 1;
}

// Waits for the program to end, passing on the signals meant for the demo.
int WaitForProgram(Child& program, Child& radio, const sigset_t& signals) {
    for (;;) {
        siginfo_t info{};
        if (::sigwaitinfo(&signals, &info) < 0)
            continue;
        if (info.si_signo != SIGCHLD) {
            if (program.Pid > 0)
                ::kill(program.Pid, info.si_signo);
            continue;
        }
        if (const auto status = Reap(program))
            return *status;
        if (Reap(radio))
            std::cerr << "velmar-demo: the virtual radio has stopped\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options))
        return 2;

    // Signals wait for WaitForProgram; the children start with none blocked.
    sigset_t signals;
    ::sigemptyset(&signals);
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGCHLD})
        ::sigaddset(&signals, s);
    ::sigprocmask(SIG_BLOCK, &signals, nullptr);

    std::error_code ec;
    const fs::path programs = fs::read_symlink("/proc/self/exe", ec).parent_path();
    if (ec)
        return Fail("cannot find the folder of the launcher: " + ec.message());

    const DemoFolder demo = DemoFolder::OfUser();
    fs::create_directories(demo.Folder, ec);
    const int lock = ::open(demo.Lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock < 0 || ::flock(lock, LOCK_EX | LOCK_NB) != 0)
        return Fail("another demo is running in " + demo.Folder);
    UsePrivateConfig(demo);
    const FileLocations at = LocateFiles(programs.string(), UserConfigHome());
    if (const std::string why = PrepareMemory(at, demo, options.reset); !why.empty())
        return Fail(why);

    std::vector<std::string> radioCommand = {(programs / "velmar-vradio").string(), "--image",
                                             demo.Memory, "--link", demo.Link};
    if (options.echo)
        radioCommand.push_back("--echo");
    auto radio = Spawn(radioCommand, true);
    if (!radio)
        return Fail("cannot start " + radioCommand[0]);
    const auto device = ReadFirstLine(*radio, std::chrono::seconds(10));
    if (!device) {
        Stop(*radio, std::chrono::seconds(2));
        return Fail("the virtual radio did not start");
    }
    const auto port = AssignPort(at, demo);
    if (!port) {
        Stop(*radio, std::chrono::seconds(5));
        return Fail("cannot give the virtual radio a port number in " + demo.Config);
    }
    std::cerr << "velmar-demo: the virtual radio" << (options.echo ? " (one-wire cable)" : "")
              << " answers on COM" << *port << " (" << demo.Link << " = " << *device
              << "), its memory is " << demo.Memory << "; settings go to " << demo.Config
              << "/velmar\n";

    std::vector<std::string> command = options.program;
    if (command.empty())
        command = {(programs / "Velmar").string()};
    auto program = Spawn(command, false);
    int status = 1 << 8;
    if (program)
        status = WaitForProgram(*program, *radio, signals);
    else
        std::cerr << "velmar-demo: cannot start " << command[0] << "\n";
    if (WIFSIGNALED(status))
        std::cerr << "velmar-demo: " << command[0] << " ended by signal " << WTERMSIG(status)
                  << "\n";
    Stop(*radio, std::chrono::seconds(5)); // the radio saves its memory
    return ExitStatus(status);
}
