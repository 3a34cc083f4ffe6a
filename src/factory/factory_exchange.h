#pragma once
#include "factory/factory_image.h"
#include "factory/factory_info.h"
#include "factory/factory_messages.h"
#include "link/frames.h"
#include "link/link_actions.h"
#include "link/link_globals.h"

#include <cstdint>
#include <span>
#include <string>

namespace velmar {

enum class FactoryLinkType { Read = 1, Write = 2 };

// LinkState: the command of a running operation whose reply is awaited — the
// handshake, a block (read request or write block) or the end command.
enum class FactoryLinkState { NotStarted = 0, Handshake = 1, Blocks = 3, End = 69 };

// What an operation works on; owned by the caller.
struct FactoryLinkContext {
    LinkGlobals& Link; // NoEcho: the cable echo assumption, kept from one operation to the next
    FactoryInfo& Info;
    FactoryImage& Image;
    std::string FactoryHandshake; // the keyword that opens factory mode (7 capital letters)
    FactoryLanguage Language = FactoryLanguage::English;
};

// One read or write of a radio's factory information, as a state machine:
// every call takes one event and returns the actions to carry out, in order.
//
// A read requests the model block (0x29E0) and the factory block
// (0x3010 … 0x30F0), 16 requests, then "END"; a write sends the 15 blocks of
// the factory block, then "END". Every command waits at most 500 ms for its
// reply; a missing or malformed reply ends the operation with "Communication
// Error!". When the radio answers 0x0A, the operation goes back to the step of
// the last accepted reply and sends the rejected command again.
//
// At the end the actions are: Finished (close the port; after a success the
// window shows FactoryInfo again), then the closing message.
class FactoryExchange {
public:
    static constexpr int ReplyTimeoutMs = 500;
    static constexpr std::size_t ReplyBufferSize = 101;
    // 0x0A answers to one command in a row before the operation gives up.
    static constexpr int ResendRequestLimit = 10;
    static constexpr std::uint16_t ReadStartAddress = 0x29D0;
    static constexpr std::uint16_t WriteStartAddress = 0x3000;

    FactoryExchange(FactoryLinkType type, FactoryLinkContext context);

    // Sends the handshake; the caller has opened the port. A write first
    // builds the image from FactoryInfo, so the caller takes the window's
    // fields into it (GetDataByShow) before.
    LinkActions Start();
    LinkActions OnBytes(std::span<const std::uint8_t> bytes);
    LinkActions OnTimeout();

    FactoryLinkType Type() const { return type_; }
    FactoryLinkState LinkState() const { return LinkState_; }
    bool Running() const { return running_; }
    bool Done() const { return done_; }
    bool Succeeded() const { return succeeded_; }
    std::uint16_t CurrentAddress() const { return currentAddress_; }

private:
    enum class Command { Handshake, ReadRequest, WriteBlock, End };
    enum class Reply { Incomplete, Accepted, Rejected };

    // Where the operation stood at the last accepted reply.
    struct SavedStep {
        FactoryLinkState State = FactoryLinkState::NotStarted;
        std::uint16_t Address = 0;
    };

    void Send(LinkActions& out, Command command, Bytes frame);
    void SendHandshake(LinkActions& out);
    void SendNextBlock(LinkActions& out);
    Reply ClassifyReply();
    void NextStep(LinkActions& out, Reply reply);
    void Complete(LinkActions& out);
    void Fail(LinkActions& out);
    void Finish(LinkActions& out, bool success);
    void AddMessage(LinkActions& out, int number, MsgIcon icon) const;

    const FactoryLinkType type_;
    FactoryLinkContext ctx_;
    const std::uint16_t startAddress_;

    FactoryLinkState LinkState_ = FactoryLinkState::NotStarted;
    SavedStep saved_;
    std::uint16_t currentAddress_;
    Command awaiting_ = Command::Handshake;
    std::size_t EchoLen = 0;
    Bytes ReplyBuffer; // everything received since the last command
    int resendRequests_ = 0;
    bool running_ = false;
    bool done_ = false;
    bool succeeded_ = false;
};

} // namespace velmar
