// How long velmar-cli takes against the virtual radio, as a share of the time
// the bytes need on a 9600-baud line: a whole read and a whole write against
// `velmar-vradio --pace` (the line's own speed) and unpaced (the program's
// own cost per block), and the time from start to the first byte sent.
// For comparison the same exchanges run in this process through the same
// engine with the plainest driver there is (blocking reads on the terminal):
// what the virtual radio and the terminal cost whatever program asks.
//
//   velmar_cli_bench [BIN_FOLDER] [RUNS]
//
// BIN_FOLDER holds velmar-cli and velmar-vradio (default: ../bin beside this
// program); RUNS paced runs of each exchange (default 3; unpaced and start-up
// runs are ten times as many). Timings are reported, never judged.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include "link/radio_exchange.h"
#include "shell/version_table.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Bytes on the line of each exchange, commands and replies (no cable echo).
constexpr int kBlocks = 704;
constexpr int kHandshake = 7 + 3, kIdentify = 1 + 16, kPasswordBlock = 4 + 22, kEnd = 3 + 1;
constexpr int kReadBytes = kHandshake + kIdentify + kPasswordBlock + kBlocks * (4 + 22) + kEnd;
constexpr int kWriteBytes =
    kHandshake + kIdentify + (3 + 1) + kPasswordBlock + kBlocks * (22 + 1) + kEnd;
constexpr double kBytesPerSecond = 960.0; // 9600 baud, 10 bits a byte
// A program starts expecting a cable echo: on a cable without one the first
// handshake waits out its reply time-out before the other assumption is tried.
constexpr double kEchoProbe = velmar::RadioExchange::ReplyTimeoutMs / 1000.0;

struct Child {
    pid_t Pid = -1;
    double Seconds = 0;    // from start to end
    double CpuSeconds = 0; // user and system time of the child
    int Status = -1;
};

pid_t Spawn(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

Child Wait(pid_t pid, Clock::time_point started) {
    Child child{pid};
    rusage usage{};
    int status = 0;
    if (wait4(pid, &status, 0, &usage) == pid) {
        child.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        child.CpuSeconds =
            static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    child.Seconds = std::chrono::duration<double>(Clock::now() - started).count();
    return child;
}

Child Run(const std::vector<std::string>& arguments) {
    const auto started = Clock::now();
    const pid_t pid = Spawn(arguments);
    if (pid < 0)
        return {};
    return Wait(pid, started);
}

// The virtual radio on its own pseudo-terminal, reached through `link`.
class VRadio {
public:
    VRadio(const std::string& program, const std::string& link, bool pace) : link_(link) {
        std::vector<std::string> arguments{program, "--link", link};
        if (pace)
            arguments.push_back("--pace");
        pid_ = Spawn(arguments);
        for (int i = 0; i < 200 && !fs::exists(link); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~VRadio() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool Ok() const { return pid_ > 0 && fs::exists(link_); }

private:
    std::string link_;
    pid_t pid_ = -1;
};

// Seconds from starting velmar-cli on a fresh terminal to the first byte it
// sends; the program is stopped then.
double StartUp(const std::string& cli) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return -1;
    const std::string slave = ptsname(master);
    const int keep = open(slave.c_str(), O_RDWR | O_NOCTTY);
    termios line{};
    tcgetattr(keep, &line);
    cfmakeraw(&line);
    tcsetattr(keep, TCSANOW, &line);
    const auto started = Clock::now();
    const pid_t pid = Spawn({cli, "info", "--port", slave, "--quiet"});
    pollfd wait{master, POLLIN, 0};
    double seconds = -1;
    if (pid > 0 && poll(&wait, 1, 10000) > 0)
        seconds = std::chrono::duration<double>(Clock::now() - started).count();
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    close(keep);
    close(master);
    return seconds;
}

// A read or write through the exchange engine, carried out with blocking
// reads and writes on the radio's terminal: no event loop, no serial layer.
double EngineOnly(const std::string& link, velmar::LinkType type,
                  const velmar::VersionTable& versions) {
    using namespace velmar;
    struct NoTexts : TextLookup {
        std::string GetText(int) const override { return {}; }
    } texts;
    const int fd = open(link.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return -1;
    termios line{};
    tcgetattr(fd, &line);
    cfmakeraw(&line);
    tcsetattr(fd, TCSANOW, &line);
    LinkGlobals globals; // echo expected first, as a program starts
    RadioImage image;
    RadioInfoBlock info;
    RadioExchange exchange(type, ExchangeContext{globals, image, info, versions, texts, "KAVRO",
                                                 "25.615 - 30.105 MHz", false});
    const auto started = Clock::now();
    LinkActions actions = exchange.Start();
    Clock::time_point deadline = Clock::time_point::max();
    bool done = false;
    while (!done) {
        LinkActions next;
        for (const LinkAction& action : actions) {
            if (const auto* send = std::get_if<SendBytes>(&action)) {
                tcflush(fd, TCIOFLUSH);
                (void)::write(fd, send->Data.data(), send->Data.size());
            } else if (const auto* start = std::get_if<StartReplyTimer>(&action)) {
                deadline = Clock::now() + std::chrono::milliseconds(start->Milliseconds);
            } else if (std::holds_alternative<StopReplyTimer>(action)) {
                deadline = Clock::time_point::max();
            } else if (const auto* message = std::get_if<ShowMessage>(&action)) {
                if (message->Buttons != MsgButtons::Ok)
                    next = exchange.OnAnswer(MsgAnswer::Cancel);
            } else if (std::holds_alternative<Finished>(action)) {
                done = true;
            }
        }
        if (done)
            break;
        if (!next.empty()) {
            actions = std::move(next);
            continue;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd wait{fd, POLLIN, 0};
        const int ready = poll(
            &wait, 1, deadline == Clock::time_point::max() ? -1 : std::max<int>(0, left.count()));
        if (ready > 0) {
            std::uint8_t buffer[256];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            actions = n > 0 ? exchange.OnBytes(std::span(buffer, static_cast<std::size_t>(n)))
                            : LinkActions{};
        } else {
            actions = exchange.OnTimeout();
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    close(fd);
    return exchange.Succeeded() ? seconds : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct Exchange {
    const char* Name;
    int WireBytes;
};

} // namespace

int main(int argc, char** argv) {
    const fs::path self = fs::canonical("/proc/self/exe").parent_path();
    const fs::path bin = argc > 1 ? fs::path(argv[1]) : self.parent_path() / "bin";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const std::string cli = (bin / "velmar-cli").string();
    const std::string vradio = (bin / "velmar-vradio").string();
    if (!fs::exists(cli) || !fs::exists(vradio)) {
        std::fprintf(stderr, "velmar_cli_bench: no velmar-cli or velmar-vradio in %s\n",
                     bin.c_str());
        return 2;
    }
    char folderTemplate[] = "/tmp/velmar_cli_bench_XXXXXX";
    const fs::path work = mkdtemp(folderTemplate);
    // The runs keep their configuration and backups to themselves.
    setenv("HOME", work.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (work / "data").c_str(), 1);
    const std::string document = (work / "radio.dat").string();

    std::vector<double> startUp;
    for (int i = 0; i < runs * 10; ++i)
        if (const double s = StartUp(cli); s >= 0)
            startUp.push_back(s);
    const double start = Median(startUp);
    std::printf("start-up to the first byte sent: median %.1f ms, fastest %.1f ms (%zu runs)\n",
                start * 1e3,
                startUp.empty() ? 0 : *std::min_element(startUp.begin(), startUp.end()) * 1e3,
                startUp.size());

    const Exchange exchanges[] = {{"read", kReadBytes}, {"write", kWriteBytes}};
    const auto versions = velmar::LoadVersionTable((bin.parent_path() / "Version.ini").string());
    if (!versions.Table) {
        std::fprintf(stderr, "velmar_cli_bench: %s\n", versions.Error.c_str());
        return 2;
    }
    std::printf("\n%-6s %-8s %8s %8s %7s %9s %7s %11s %11s %8s %7s\n", "", "radio", "wire s",
                "took s", "ratio", "w/o probe", "median", "wall/block", "cpu/block", "engine s",
                "ratio");
    for (const bool pace : {true, false}) {
        const std::string link = (work / (pace ? "paced" : "unpaced")).string();
        VRadio radio(vradio, link, pace);
        if (!radio.Ok()) {
            std::fprintf(stderr, "velmar_cli_bench: the virtual radio did not start\n");
            return 1;
        }
        // A document to write: what the radio holds.
        Run({cli, "read", "--port", link, "--yes", "--quiet", "--no-backup", document});
        for (const Exchange& exchange : exchanges) {
            std::vector<double> took, cpu, engine;
            const bool read = exchange.Name[0] == 'r';
            for (int i = 0; i < (pace ? runs : runs * 10); ++i) {
                const Child child =
                    Run({cli, exchange.Name, "--port", link, "--yes", "--quiet", "--no-backup",
                         read ? (work / "out.dat").string() : document});
                if (child.Status != 0) {
                    std::fprintf(stderr, "velmar_cli_bench: %s exited %d\n", exchange.Name,
                                 child.Status);
                    continue;
                }
                took.push_back(child.Seconds);
                cpu.push_back(child.CpuSeconds);
                if (const double s =
                        EngineOnly(link, read ? velmar::LinkType::Read : velmar::LinkType::Write,
                                   *versions.Table);
                    s >= 0)
                    engine.push_back(s);
            }
            // The fastest run is the one the shared machine disturbed least.
            const double wire = exchange.WireBytes / kBytesPerSecond;
            const double best = took.empty() ? 0 : *std::min_element(took.begin(), took.end());
            const double bestEngine =
                engine.empty() ? 0 : *std::min_element(engine.begin(), engine.end());
            const double exchangeOnly = best - start - kEchoProbe;
            std::printf("%-6s %-8s %8.3f %8.3f %7.4f %9.4f %7.4f %8.3f ms %8.3f ms %8.3f %7.4f\n",
                        exchange.Name, pace ? "paced" : "unpaced", wire, best, best / wire,
                        (best - kEchoProbe) / wire, Median(took) / wire,
                        exchangeOnly / kBlocks * 1e3, Median(cpu) / kBlocks * 1e3, bestEngine,
                        bestEngine / wire);
        }
    }
    std::printf(
        "\nwire: the bytes of the exchange (handshake, identify, password block, %d blocks, END)\n"
        "  at 960 bytes/s, no cable echo; took: from start to exit, the fastest run; median:\n"
        "  the ratio of the median run;\n"
        "w/o probe: took less the one reply time-out (%.0f ms) of the first handshake, which\n"
        "  expects an echo first and so waits out the reply on a cable without one;\n"
        "wall/block: took less start-up and probe, per block; cpu/block: velmar-cli's own\n"
        "  processor time per block; engine: the same exchange in this process through the\n"
        "  same engine with blocking reads on the terminal (no Qt), probe included\n",
        kBlocks, kEchoProbe * 1e3);
    fs::remove_all(work);
    return 0;
}
