#include "link/radio_sim.h"

#include "link/info_block_layout.h"

#include <algorithm>
#include <charconv>

namespace velmar {
namespace {

const std::string ProgramKeyword(HandshakeCommand.begin(), HandshakeCommand.end());

bool IsBlockCommand(SimCommand command) {
    return command == SimCommand::ReadBlock || command == SimCommand::WriteBlock;
}

bool FaultMatches(const SimFault& fault, const SimRequest& request) {
    if (fault.Times == 0)
        return false;
    if (fault.On != SimCommand::Any && fault.On != request.Command)
        return false;
    if (fault.Address && (!IsBlockCommand(request.Command) || *fault.Address != request.Address))
        return false;
    if (fault.Kind == SimFaultKind::BadChecksum)
        return request.Command == SimCommand::ReadBlock;
    if (fault.Kind == SimFaultKind::CorruptWrite)
        return request.Command == SimCommand::WriteBlock;
    return true;
}

constexpr std::pair<std::string_view, SimFaultKind> FaultNames[] = {
    {"drop", SimFaultKind::DropReply},      {"checksum", SimFaultKind::BadChecksum},
    {"resend", SimFaultKind::AnswerResend}, {"split", SimFaultKind::SplitReply},
    {"garbage", SimFaultKind::Garbage},     {"noise", SimFaultKind::Noise},
    {"silent", SimFaultKind::GoSilent},     {"corrupt", SimFaultKind::CorruptWrite},
};

constexpr std::pair<std::string_view, SimCommand> CommandNames[] = {
    {"any", SimCommand::Any},           {"handshake", SimCommand::Handshake},
    {"identify", SimCommand::Identify}, {"enterwrite", SimCommand::EnterWrite},
    {"read", SimCommand::ReadBlock},    {"write", SimCommand::WriteBlock},
    {"end", SimCommand::End},
};

template <class T, std::size_t N>
std::optional<T> Lookup(const std::pair<std::string_view, T> (&names)[N], std::string_view name) {
    for (const auto& [text, value] : names)
        if (text == name)
            return value;
    return std::nullopt;
}

// A whole number in decimal, or in hexadecimal after "0x".
template <class T> std::optional<T> ParseNumber(std::string_view text) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Splits `text` at the last `separator`: what follows it, or nothing.
std::optional<std::string_view> CutTail(std::string_view& text, char separator) {
    const auto at = text.rfind(separator);
    if (at == std::string_view::npos)
        return std::nullopt;
    const std::string_view tail = text.substr(at + 1);
    text = text.substr(0, at);
    return tail;
}

} // namespace

std::optional<SimFault> ParseSimFault(std::string_view text) {
    SimFault fault;
    if (auto times = CutTail(text, '*')) {
        auto count = *times == "all" ? std::optional<int>(-1) : ParseNumber<int>(*times);
        if (!count || *count == 0)
            return std::nullopt;
        fault.Times = *count;
    }
    if (auto address = CutTail(text, '@')) {
        auto value = ParseNumber<std::uint16_t>(*address);
        if (!value)
            return std::nullopt;
        fault.Address = *value;
    }
    if (auto command = CutTail(text, ':')) {
        auto value = Lookup(CommandNames, *command);
        if (!value)
            return std::nullopt;
        fault.On = *value;
    } else if (fault.Address) {
        return std::nullopt;
    }
    auto kind = Lookup(FaultNames, text);
    if (!kind)
        return std::nullopt;
    fault.Kind = *kind;
    return fault;
}

std::string_view SimCommandName(SimCommand command) {
    for (const auto& [text, value] : CommandNames)
        if (value == command)
            return text;
    return "?";
}

RadioSim::RadioSim(RadioSimConfig config) : config_(std::move(config)) {
    SetPassword("");
}

void RadioSim::FreshFromFactory() {
    Memory.bytes.fill(0xFF);
    InfoBlock.bytes.fill(0xFF);
    const Bytes reply = IdentifyReplyFrame(config_.Identity);
    Memory.Store(IdentityImageAddress, std::span(reply).subspan(1, IdentifyReplyLength - 2));
}

void RadioSim::SetPassword(std::string_view password) {
    auto field =
        InfoBlock.Range(info_block::ProgramPassword.Address, info_block::ProgramPassword.Width);
    for (std::size_t i = 0; i < field.size(); ++i)
        field[i] = i < password.size() ? static_cast<std::uint8_t>(password[i])
                                       : (password.empty() ? 0xFF : 0x00);
}

void RadioSim::AddFault(const SimFault& fault) {
    faults_.push_back(fault);
}

std::size_t RadioSim::Count(SimCommand command) const {
    return static_cast<std::size_t>(std::count_if(
        log_.begin(), log_.end(), [command](const SimRequest& r) { return r.Command == command; }));
}

std::vector<Bytes> RadioSim::Receive(std::span<const std::uint8_t> bytes) {
    std::vector<Bytes> out;
    if (config_.Echo && !bytes.empty())
        out.emplace_back(bytes.begin(), bytes.end());
    input_.insert(input_.end(), bytes.begin(), bytes.end());

    while (auto parsed = TakeCommand()) {
        const std::span<const std::uint8_t> frame(input_.data(), parsed->length);
        log_.push_back(parsed->request);

        std::optional<SimFaultKind> fault;
        auto hit = std::find_if(faults_.begin(), faults_.end(), [&](const SimFault& f) {
            return FaultMatches(f, parsed->request);
        });
        if (hit != faults_.end()) {
            fault = hit->Kind;
            if (hit->Times > 0)
                --hit->Times;
        }
        if (fault == SimFaultKind::GoSilent)
            silent_ = true;

        Bytes reply;
        if (!silent_)
            reply = fault == SimFaultKind::AnswerResend
                        ? Bytes{ResendByte}
                        : Answer(parsed->request, frame, fault == SimFaultKind::CorruptWrite);
        input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(parsed->length));
        if (reply.empty() || fault == SimFaultKind::DropReply)
            continue;

        switch (fault.value_or(SimFaultKind::DropReply)) {
        case SimFaultKind::BadChecksum:
            reply[reply.size() - 2] = static_cast<std::uint8_t>(reply[reply.size() - 2] + 1);
            break;
        case SimFaultKind::Garbage:
            std::fill(reply.begin(), reply.end(), std::uint8_t{0x55});
            break;
        case SimFaultKind::Noise:
            out.emplace_back(reply.size(), std::uint8_t{0x55});
            break;
        case SimFaultKind::SplitReply:
            if (reply.size() > 1) {
                const auto half = static_cast<std::ptrdiff_t>(reply.size() / 2);
                out.emplace_back(reply.begin(), reply.begin() + half);
                reply.erase(reply.begin(), reply.begin() + half);
            }
            break;
        default:
            break;
        }
        out.push_back(std::move(reply));
    }
    return out;
}

// The next complete command at the front of the input; bytes that cannot
// begin any command are skipped, an incomplete command waits for more.
std::optional<RadioSim::Parsed> RadioSim::TakeCommand() {
    while (!input_.empty()) {
        bool partial = false;
        const std::string* keywords[] = {&ProgramKeyword, &config_.FactoryHandshake};
        for (const std::string* keyword : keywords) {
            if (keyword->empty())
                continue;
            const Match m = MatchKeyword(*keyword);
            if (m == Match::Complete)
                return Parsed{{SimCommand::Handshake, 0}, keyword->size()};
            partial = partial || m == Match::Partial;
        }
        if (programMode_) {
            if (auto parsed = MatchProgramCommand(partial))
                return parsed;
        }
        if (partial)
            return std::nullopt;
        input_.erase(input_.begin());
    }
    return std::nullopt;
}

RadioSim::Match RadioSim::MatchKeyword(const std::string& keyword) const {
    const std::size_t n = std::min(input_.size(), keyword.size());
    if (!std::equal(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(n),
                    keyword.begin()))
        return Match::None;
    return n == keyword.size() ? Match::Complete : Match::Partial;
}

std::optional<RadioSim::Parsed> RadioSim::MatchProgramCommand(bool& partial) const {
    // Commands of a fixed length, told apart by their first byte.
    auto complete = [&](std::size_t length, SimCommand command) -> std::optional<Parsed> {
        if (input_.size() < length) {
            partial = true;
            return std::nullopt;
        }
        SimRequest request{command, 0};
        if (IsBlockCommand(command))
            request.Address = static_cast<std::uint16_t>(input_[1] << 8 | input_[2]);
        return Parsed{request, length};
    };
    switch (input_.front()) {
    case IdentifyByte:
        return complete(1, SimCommand::Identify);
    case EnterWriteByte: {
        auto parsed = complete(3, SimCommand::EnterWrite);
        return parsed && input_[2] == AckByte ? parsed : std::nullopt;
    }
    case ReadBlockByte: {
        auto parsed = complete(ReadBlockFrameLength, SimCommand::ReadBlock);
        return parsed && input_[3] == BlockSize ? parsed : std::nullopt;
    }
    case BlockFrameByte:
        return complete(BlockFrameLength, SimCommand::WriteBlock);
    case EndCommand[0]: {
        const std::string end(EndCommand.begin(), EndCommand.end());
        if (MatchKeyword(end) == Match::Partial)
            partial = true;
        return MatchKeyword(end) == Match::Complete ? complete(3, SimCommand::End) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

Bytes RadioSim::Answer(const SimRequest& request, std::span<const std::uint8_t> frame,
                       bool corrupt) {
    switch (request.Command) {
    case SimCommand::Handshake:
        programMode_ = true;
        return Bytes(HandshakeReply.begin(), HandshakeReply.end());
    case SimCommand::Identify:
        return IdentifyReplyFrame(config_.Identity);
    case SimCommand::EnterWrite:
        return {AckByte};
    case SimCommand::ReadBlock: {
        auto block = RadioImage::Holds(request.Address, BlockSize)
                         ? std::span<const std::uint8_t>(Memory.Block(request.Address))
                         : std::span<const std::uint8_t>(InfoBlock.Block(request.Address));
        // The radio does not answer for addresses it does not have.
        return block.empty() ? Bytes{} : BlockFrame(request.Address, block);
    }
    case SimCommand::WriteBlock: {
        auto block = ParseBlockFrame(frame);
        if (block && corrupt)
            block->Data[0] = static_cast<std::uint8_t>(~block->Data[0]);
        const bool stored = block && (Memory.Store(block->Address, block->Data) ||
                                      InfoBlock.Store(block->Address, block->Data));
        return {stored ? AckByte : ResendByte};
    }
    case SimCommand::End:
        programMode_ = false;
        return {AckByte};
    case SimCommand::Any:
        break;
    }
    return {};
}

} // namespace velmar
