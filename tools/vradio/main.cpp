// velmar-vradio: a virtual radio on a pseudo-terminal. It prints the device
// path of the terminal's far end; a programming program opened on that path
// talks to a simulated radio, with an echoing or a plain cable, a password,
// model, band and firmware of choice, injected faults and 9600-baud timing.
// Without a memory file it is a radio fresh from the factory; it answers both
// the programming handshake and the factory tool's.
#include "factory/factory_setup.h"
#include "factory/factory_sim.h"
#include "link/radio_sim.h"
#include "shell/file_io.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace velmar;

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

struct Options {
    RadioSimConfig config = FactoryRadioConfig();
    std::string password;
    std::vector<SimFault> faults;
    std::string imageFile; // memory (11264 bytes), optionally followed by the info block (256)
    std::string linkPath;  // a symbolic link to the device, for a stable name
    bool pace = false;
    bool verbose = false;
};

constexpr const char* Usage =
    "usage: velmar-vradio [options]\n"
    "  --echo               the cable echoes everything sent (one-wire cable)\n"
    "  --password TEXT      radio password, at most 4 characters (default none)\n"
    "  --model NAME         model name, at most 7 characters (default KAVRO)\n"
    "  --band CODE          band code (default 1)\n"
    "  --firmware TAG       firmware version tag (default V102)\n"
    "  --factory KEYWORD    the factory tool's keyword, 7 capital letters, that also\n"
    "                       opens programming mode (default FACTORY)\n"
    "  --fault SPEC         KIND[:COMMAND[@ADDRESS]][*TIMES], repeatable; KIND is drop,\n"
    "                       checksum, resend, split, garbage, noise, silent or corrupt\n"
    "                       (a written block is stored with its first byte inverted\n"
    "                       and acknowledged); COMMAND is any, handshake, identify,\n"
    "                       enterwrite, read, write or end; e.g. corrupt:write@0x0010\n"
    "  --pace               take as long as 9600 baud would\n"
    "  --image FILE         load the radio's memory from FILE (if it exists) and save\n"
    "                       it there after every write and on exit; without it, or\n"
    "                       while FILE does not exist yet, the radio is fresh from the\n"
    "                       factory: memory erased but for model, band and firmware\n"
    "  --link PATH          also make PATH a symbolic link to the device\n"
    "  --verbose            log every command on standard error\n";

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc)
                return std::nullopt;
            return std::string(argv[++i]);
        };
        std::optional<std::string> text;
        if (name == "--help") {
            std::cout << Usage;
            std::exit(0);
        } else if (name == "--echo") {
            options.config.Echo = true;
        } else if (name == "--pace") {
            options.pace = true;
        } else if (name == "--verbose") {
            options.verbose = true;
        } else if (!(text = value())) {
            std::cerr << "velmar-vradio: " << name << " needs a value or is unknown\n";
            return std::nullopt;
        } else if (name == "--password" && text->size() <= 4) {
            options.password = *text;
        } else if (name == "--model" && text->size() <= 7) {
            options.config.Identity.Model = *text;
        } else if (name == "--firmware" && text->size() <= 4) {
            options.config.Identity.Version = *text;
        } else if (name == "--factory" && IsFactoryHandshake(*text)) {
            options.config.FactoryHandshake = *text;
        } else if (name == "--band") {
            int band = -1;
            const auto [end, error] =
                std::from_chars(text->data(), text->data() + text->size(), band);
            if (error != std::errc() || end != text->data() + text->size() || band < 0 ||
                band > 255) {
                std::cerr << "velmar-vradio: --band takes a code 0 … 255\n";
                return std::nullopt;
            }
            options.config.Identity.Band = static_cast<std::uint8_t>(band);
        } else if (name == "--fault") {
            auto fault = ParseSimFault(*text);
            if (!fault) {
                std::cerr << "velmar-vradio: cannot read the fault \"" << *text << "\"\n";
                return std::nullopt;
            }
            options.faults.push_back(*fault);
        } else if (name == "--image") {
            options.imageFile = *text;
        } else if (name == "--link") {
            options.linkPath = *text;
        } else {
            std::cerr << "velmar-vradio: " << name << " " << *text << ": unknown or too long\n";
            return std::nullopt;
        }
    }
    return options;
}

// The memory file: the radio image, optionally followed by the info block.
// The radio stays as it came from the factory while there is no file yet.
bool LoadImage(const std::string& path, RadioSim& sim) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return true; // a new file is made on the first save
    const std::vector<char> data((std::istreambuf_iterator<char>(file)),
                                 std::istreambuf_iterator<char>());
    if (data.size() != RadioImage::Size && data.size() != RadioImage::Size + RadioInfoBlock::Size) {
        std::cerr << "velmar-vradio: " << path << " holds " << data.size() << " bytes, not "
                  << RadioImage::Size << " or " << RadioImage::Size + RadioInfoBlock::Size << "\n";
        return false;
    }
    std::copy_n(data.begin(), RadioImage::Size, sim.Memory.bytes.begin());
    if (data.size() > RadioImage::Size)
        std::copy_n(data.begin() + RadioImage::Size, RadioInfoBlock::Size,
                    sim.InfoBlock.bytes.begin());
    return true;
}

bool SaveImage(const std::string& path, const RadioSim& sim) {
    std::string bytes(sim.Memory.bytes.begin(), sim.Memory.bytes.end());
    bytes.append(sim.InfoBlock.bytes.begin(), sim.InfoBlock.bytes.end());
    if (!WriteFileAtomically(path, bytes)) {
        std::cerr << "velmar-vradio: cannot write " << path << " (a regular file is needed)\n";
        return false;
    }
    return true;
}

// Opens a pseudo-terminal whose far end behaves as a raw 9600 8N1 line.
// Returns the master side; `slaveFd` stays open so that the line survives a
// program closing and reopening the port.
int OpenLine(std::string& slavePath, int& slaveFd) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("velmar-vradio: pseudo-terminal");
        return -1;
    }
    const char* name = ptsname(master);
    if (!name) {
        std::perror("velmar-vradio: ptsname");
        return -1;
    }
    slavePath = name;
    slaveFd = open(name, O_RDWR | O_NOCTTY);
    termios line{};
    if (slaveFd < 0 || tcgetattr(slaveFd, &line) != 0) {
        std::perror("velmar-vradio: terminal settings");
        return -1;
    }
    cfmakeraw(&line);
    cfsetispeed(&line, B9600);
    cfsetospeed(&line, B9600);
    line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    line.c_cflag |= CS8 | CLOCAL | CREAD;
    if (tcsetattr(slaveFd, TCSANOW, &line) != 0) {
        std::perror("velmar-vradio: terminal settings");
        return -1;
    }
    return master;
}

// The time `count` bytes take on the line at 9600 baud, 10 bits each.
std::chrono::microseconds WireTime(std::size_t count) {
    return std::chrono::microseconds(count * 10'000'000 / 9600);
}

bool WriteAll(int fd, const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void LogRequests(const RadioSim& sim, std::size_t from) {
    for (std::size_t i = from; i < sim.Log().size(); ++i) {
        const SimRequest& r = sim.Log()[i];
        std::fprintf(stderr, "velmar-vradio: %s", std::string(SimCommandName(r.Command)).c_str());
        if (r.Command == SimCommand::ReadBlock || r.Command == SimCommand::WriteBlock)
            std::fprintf(stderr, " 0x%04X", r.Address);
        std::fprintf(stderr, "\n");
    }
}

int Run(const Options& options) {
    RadioSim sim(options.config);
    sim.FreshFromFactory();
    if (!options.imageFile.empty() && !LoadImage(options.imageFile, sim))
        return 1;
    if (!options.password.empty())
        sim.SetPassword(options.password);
    for (const SimFault& fault : options.faults)
        sim.AddFault(fault);

    std::string slavePath;
    int slaveFd = -1;
    const int master = OpenLine(slavePath, slaveFd);
    if (master < 0)
        return 1;
    if (!options.linkPath.empty()) {
        unlink(options.linkPath.c_str());
        if (symlink(slavePath.c_str(), options.linkPath.c_str()) != 0) {
            std::perror("velmar-vradio: --link");
            return 1;
        }
    }
    std::printf("%s\n", slavePath.c_str());
    std::fflush(stdout);

    std::size_t writesSaved = 0;
    std::uint8_t buffer[512];
    while (!stopRequested) {
        pollfd wait{master, POLLIN, 0};
        const int ready = poll(&wait, 1, 200);
        if (ready <= 0)
            continue;
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0) {
            if (n < 0 && errno != EINTR && errno != EAGAIN && errno != EIO)
                break;
            continue;
        }
        if (options.pace)
            std::this_thread::sleep_for(WireTime(static_cast<std::size_t>(n)));
        const std::size_t logged = sim.Log().size();
        const auto pieces = sim.Receive(std::span(buffer, static_cast<std::size_t>(n)));
        if (options.verbose)
            LogRequests(sim, logged);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            // Pieces are separated by a short pause, so that a reader sees them apart.
            if (i > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            if (options.pace)
                std::this_thread::sleep_for(WireTime(pieces[i].size()));
            WriteAll(master, pieces[i]);
        }
        const std::size_t writes = sim.Count(SimCommand::WriteBlock);
        if (!options.imageFile.empty() && !sim.InProgramMode() && writes != writesSaved) {
            SaveImage(options.imageFile, sim);
            writesSaved = writes;
        }
    }

    int status = 0;
    if (!options.imageFile.empty() && !SaveImage(options.imageFile, sim))
        status = 1;
    if (!options.linkPath.empty())
        unlink(options.linkPath.c_str());
    close(slaveFd);
    close(master);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const auto options = ParseOptions(argc, argv);
    if (!options) {
        std::cerr << Usage;
        return 2;
    }
    struct sigaction stop {};
    stop.sa_handler = RequestStop;
    sigaction(SIGINT, &stop, nullptr);
    sigaction(SIGTERM, &stop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return Run(*options);
}
