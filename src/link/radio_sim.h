#pragma once
#include "link/frames.h"
#include "link/radio_image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

// The radio's side of the line, played over a byte stream: it takes what the
// program sends and answers as the radio would, optionally behind a cable
// that echoes every byte. Faults can be injected to exercise the program's
// retries. No time passes here; pauses on the line are chunk boundaries.

struct RadioSimConfig {
    RadioIdentity Identity{"KAVRO", 1, "V102", {0x00, 0x00}};
    bool Echo = false; // a one-wire cable: everything sent comes back first
    // A second 7-letter keyword that also opens programming mode (the factory
    // handshake); none when empty. The virtual radio sets the factory tool's.
    std::string FactoryHandshake;
};

// The commands the radio understands.
enum class SimCommand { Any, Handshake, Identify, EnterWrite, ReadBlock, WriteBlock, End };

enum class SimFaultKind {
    DropReply,    // the radio does not answer
    BadChecksum,  // a read reply carries a wrong checksum (read replies only)
    AnswerResend, // the radio answers 0x0A instead (a write block is not stored)
    SplitReply,   // the reply comes in two pieces
    Garbage,      // the reply is replaced by as many meaningless bytes
    Noise,        // as many meaningless bytes come first, then the reply
    GoSilent,     // from this command on the radio never answers again
    CorruptWrite, // a written block is stored with its first byte inverted, and
                  // acknowledged as if all were well (write blocks only)
};

struct SimFault {
    SimFaultKind Kind = SimFaultKind::DropReply;
    SimCommand On = SimCommand::Any;
    std::optional<std::uint16_t> Address; // block commands only; any address when empty
    int Times = 1;                        // matching commands it hits; negative: all of them
};

// A fault written as text, as the virtual radio takes it on its command line:
//   KIND[:COMMAND[@ADDRESS]][*TIMES]
// KIND: drop, checksum, resend, split, garbage, noise, silent, corrupt; COMMAND: any,
// handshake, identify, enterwrite, read, write, end; ADDRESS in hex (0x0100)
// or decimal; TIMES a number or "all". Nothing when the text is not of this form.
std::optional<SimFault> ParseSimFault(std::string_view text);

std::string_view SimCommandName(SimCommand command);

// One command the radio received, in order of arrival.
struct SimRequest {
    SimCommand Command = SimCommand::Any;
    std::uint16_t Address = 0; // block commands
};

class RadioSim {
public:
    explicit RadioSim(RadioSimConfig config = {});

    // The radio's memory, free for tests and tools to fill and inspect.
    RadioImage Memory;
    RadioInfoBlock InfoBlock;

    // The memory of a radio fresh from the factory: everything erased (0xFF,
    // so no password either) except the identification at 0x29E0 … 0x29ED,
    // which holds the configured model, band code, firmware and the two
    // further bytes as the identify reply gives them.
    void FreshFromFactory();

    // Puts the radio password (at most 4 characters, ANSI bytes) into bytes
    // 12 … 15 of the password block; an empty one erases it (0xFF).
    void SetPassword(std::string_view password);
    void AddFault(const SimFault& fault);
    void SetEcho(bool echo) { config_.Echo = echo; }

    // Takes the bytes the program sent and gives what comes back on the line,
    // as pieces separated by pauses (the cable's echo is its own piece).
    std::vector<Bytes> Receive(std::span<const std::uint8_t> bytes);

    const std::vector<SimRequest>& Log() const { return log_; }
    std::size_t Count(SimCommand command) const;
    bool InProgramMode() const { return programMode_; }

private:
    struct Parsed {
        SimRequest request;
        std::size_t length = 0;
    };
    enum class Match { None, Partial, Complete };

    std::optional<Parsed> TakeCommand();
    Match MatchKeyword(const std::string& keyword) const;
    std::optional<Parsed> MatchProgramCommand(bool& partial) const;
    Bytes Answer(const SimRequest& request, std::span<const std::uint8_t> frame,
                 bool corrupt = false);

    RadioSimConfig config_;
    Bytes input_;
    bool programMode_ = false;
    bool silent_ = false;
    std::vector<SimFault> faults_;
    std::vector<SimRequest> log_;
};

} // namespace velmar
