#include "factory/factory_exchange.h"

#include "factory/serial_number.h"

#include <algorithm>

namespace velmar {
namespace {

// The last block either operation moves.
constexpr std::uint16_t LastBlockAddress = FactoryBlockMemory::LastAddress + 1 - BlockSize;

} // namespace

FactoryExchange::FactoryExchange(FactoryLinkType type, FactoryLinkContext context)
    : type_(type), ctx_(std::move(context)),
      startAddress_(type == FactoryLinkType::Read ? ReadStartAddress : WriteStartAddress),
      currentAddress_(startAddress_) {}

LinkActions FactoryExchange::Start() {
    LinkActions out;
    if (type_ == FactoryLinkType::Write)
        FactoryDataToImage(ctx_.Info, ctx_.Image);
    running_ = true;
    done_ = succeeded_ = false;
    resendRequests_ = 0;
    currentAddress_ = startAddress_;
    LinkState_ = FactoryLinkState::NotStarted;
    // A rejected first reply must not act on what an earlier operation left.
    saved_ = {FactoryLinkState::NotStarted, startAddress_};
    SendHandshake(out);
    return out;
}

// ---- sending --------------------------------------------------------------

void FactoryExchange::Send(LinkActions& out, Command command, Bytes frame) {
    awaiting_ = command;
    ReplyBuffer.clear();
    EchoLen = ctx_.Link.NoEcho ? 0 : frame.size();
    std::size_t threshold = EchoLen + AckReplyLength;
    if (command == Command::Handshake)
        threshold = 1; // the echo is not known yet: look at every piece
    else if (command == Command::ReadRequest)
        threshold = EchoLen + BlockFrameLength;
    AddCommand(out, std::move(frame), threshold, ReplyTimeoutMs);
}

void FactoryExchange::SendHandshake(LinkActions& out) {
    LinkState_ = FactoryLinkState::Handshake;
    Send(out, Command::Handshake,
         Bytes(ctx_.FactoryHandshake.begin(), ctx_.FactoryHandshake.end()));
}

// The block after the current one (the factory block follows the model
// block), or "END" after the last.
void FactoryExchange::SendNextBlock(LinkActions& out) {
    const std::uint16_t next = currentAddress_ == ModelBlockMemory::FirstAddress
                                   ? FactoryBlockMemory::FirstAddress
                                   : static_cast<std::uint16_t>(currentAddress_ + BlockSize);
    if (next > LastBlockAddress) {
        LinkState_ = FactoryLinkState::End;
        Send(out, Command::End, EndFrame());
        return;
    }
    LinkState_ = FactoryLinkState::Blocks;
    currentAddress_ = next;
    if (type_ == FactoryLinkType::Read)
        Send(out, Command::ReadRequest, ReadBlockFrame(next));
    else
        Send(out, Command::WriteBlock, BlockFrame(next, ctx_.Image.FactoryBlock.Block(next)));
}

// ---- replies --------------------------------------------------------------

LinkActions FactoryExchange::OnBytes(std::span<const std::uint8_t> bytes) {
    LinkActions out;
    if (!running_)
        return out;
    if (ReplyBuffer.size() + bytes.size() > ReplyBufferSize) {
        // No reply is that long: the line is out of step.
        Fail(out);
        return out;
    }
    ReplyBuffer.insert(ReplyBuffer.end(), bytes.begin(), bytes.end());
    const Reply reply = ClassifyReply();
    if (reply != Reply::Incomplete)
        NextStep(out, reply);
    return out;
}

// Looks at everything received since the command was sent; a reply that is
// not (yet) one of the expected forms is left to the time-out.
FactoryExchange::Reply FactoryExchange::ClassifyReply() {
    const std::span<const std::uint8_t> received(ReplyBuffer);

    if (awaiting_ == Command::Handshake && EndsWithHandshakeReply(received)) {
        // An echoing cable returns the keyword in front of the reply.
        const std::string& keyword = ctx_.FactoryHandshake;
        const std::size_t replyStart = received.size() - HandshakeReplyLength;
        const bool echoed =
            replyStart >= keyword.size() &&
            std::equal(keyword.begin(), keyword.end(),
                       received.begin() + static_cast<std::ptrdiff_t>(replyStart - keyword.size()));
        ctx_.Link.NoEcho = !echoed;
        return Reply::Accepted;
    }

    if (received.size() == EchoLen + AckReplyLength) {
        const std::uint8_t answer = received[EchoLen];
        if (answer == ResendByte)
            return Reply::Rejected;
        // Only a write block and the end command are answered by a bare 0x06.
        if (answer == AckByte && (awaiting_ == Command::WriteBlock || awaiting_ == Command::End))
            return Reply::Accepted;
    }

    if (awaiting_ == Command::ReadRequest && received.size() >= EchoLen) {
        // Data for another block than the one asked for is not taken.
        const auto block = ParseBlockFrame(received.subspan(EchoLen));
        if (block && block->Address == currentAddress_) {
            if (!ctx_.Image.ModelBlock.Store(block->Address, block->Data))
                ctx_.Image.FactoryBlock.Store(block->Address, block->Data);
            return Reply::Accepted;
        }
    }
    return Reply::Incomplete;
}

void FactoryExchange::NextStep(LinkActions& out, Reply reply) {
    // (emplace_back: GCC 12 warns falsely about a pushed-back variant here)
    out.emplace_back(std::in_place_type<StopReplyTimer>);
    if (reply == Reply::Accepted) {
        resendRequests_ = 0;
        saved_ = {LinkState_, currentAddress_};
    } else {
        // Back to where the last accepted reply left the operation, so the
        // rejected command goes out again. A radio that never takes it must
        // not keep the tool busy for ever.
        if (++resendRequests_ > ResendRequestLimit) {
            Fail(out);
            return;
        }
        LinkState_ = saved_.State;
        currentAddress_ = saved_.Address;
    }
    switch (LinkState_) {
    case FactoryLinkState::NotStarted:
        SendHandshake(out);
        break;
    case FactoryLinkState::Handshake:
    case FactoryLinkState::Blocks:
        SendNextBlock(out);
        break;
    case FactoryLinkState::End:
        Complete(out);
        break;
    }
}

// ---- the end --------------------------------------------------------------

LinkActions FactoryExchange::OnTimeout() {
    LinkActions out;
    if (running_)
        Fail(out);
    return out;
}

void FactoryExchange::Complete(LinkActions& out) {
    if (type_ == FactoryLinkType::Read) {
        ImageToFactoryData(ctx_.Image, ctx_.Info);
        Finish(out, true);
        AddMessage(out, MsgReadComplete, MsgIcon::None);
        return;
    }
    // The next radio gets the next serial number.
    const auto next = NextSerialNumber(ctx_.Info.SerialNumber);
    if (next)
        ctx_.Info.SerialNumber = *next;
    Finish(out, true);
    AddMessage(out, MsgWriteComplete, MsgIcon::None);
    if (!next)
        AddMessage(out, MsgSerialAtLimit, MsgIcon::Warning);
}

void FactoryExchange::Fail(LinkActions& out) {
    Finish(out, false);
    AddMessage(out, MsgCommunicationError, MsgIcon::None);
}

void FactoryExchange::Finish(LinkActions& out, bool success) {
    out.emplace_back(std::in_place_type<StopReplyTimer>);
    running_ = false;
    done_ = true;
    succeeded_ = success;
    currentAddress_ = startAddress_;
    out.emplace_back(std::in_place_type<Finished>, Finished{success});
}

// A built-in message with an OK button, in the language chosen at start.
void FactoryExchange::AddMessage(LinkActions& out, int number, MsgIcon icon) const {
    out.push_back(ShowMessage{0, MessageText(number, ctx_.Language), MsgButtons::Ok, icon});
}

} // namespace velmar
