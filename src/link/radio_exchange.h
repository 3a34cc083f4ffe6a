#pragma once
#include "link/frames.h"
#include "link/link_actions.h"
#include "link/link_globals.h"
#include "link/radio_check.h"
#include "link/radio_image.h"
#include "link/receive_buffer.h"
#include "shell/text_lookup.h"
#include "shell/version_table.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

enum class LinkType { None = 0, Read = 1, Write = 2, RadioInfo = 3 };

// What a read or a write keeps of the radio's identification reply in the
// image: the model (reply bytes 1 … 7) and the version with the two bytes
// after it (9 … 14) go to the identification area; the band code does not.
void StoreIdentifyReply(RadioImage& image, std::span<const std::uint8_t> reply);

// Where an exchange stands: the command whose reply it waits for.
enum class LinkStep { Idle, Handshake, Identify, EnterWrite, PasswordBlock, DataBlocks, End };

// What an exchange works on and checks the radio against; owned by the
// caller. A read fills Image (addresses 0x0000 … 0x2BFF), a radio-information
// read fills InfoBlock; a write sends Image as it stands.
struct ExchangeContext {
    LinkGlobals& Link;
    RadioImage& Image;
    RadioInfoBlock& InfoBlock;
    const VersionTable& Versions;
    const TextLookup& Texts;
    std::string ModelName; // of the document
    std::string BandText;  // of the document
    bool IsMainVersion = false;
    // A write sends Image byte for byte, without the radio's identification
    // put in (restoring a saved memory).
    bool SendImageAsItIs = false;
};

// One read, write or radio-information exchange with the radio, as a state
// machine: every call takes one event and returns the actions to carry out.
class RadioExchange {
public:
    static constexpr int ReplyTimeoutMs = 150;
    static constexpr int HandshakeAttemptLimit = 3; // failed attempts before giving up: 3 + 1
    static constexpr int BlockRetryAllowance = 3;
    static constexpr int PasswordRetryAllowance = 3;
    // Requests to send one block again (0x0A) that are followed in a row.
    static constexpr int ResendRequestLimit = 10;
    // The failure prompt after no valid reply: OK (or Retry) starts again
    // from the handshake, Cancel ends the exchange.
    static constexpr int TextNoReply = 9008;

    RadioExchange(LinkType type, ExchangeContext context);

    // Sends the handshake (the port is open). A read first sets the channel
    // area of the image to 0xFF.
    LinkActions Start();

    LinkActions OnBytes(std::span<const std::uint8_t> bytes);
    LinkActions OnTimeout();
    // The answer to a message box that had more than an OK button.
    LinkActions OnAnswer(MsgAnswer answer);
    LinkActions OnPasswordEntered(std::string_view typed);
    LinkActions OnPasswordCancelled();

    LinkType Type() const { return type_; }
    LinkStep Step() const { return step_; }
    bool AwaitingReply() const { return awaitingReply_; }
    bool Done() const { return done_; }
    bool Succeeded() const { return succeeded_; }
    // What the radio told about itself (read and write), and its reply.
    const RadioIdentity& Radio() const { return radio_; }
    const Bytes& IdentifyReply() const { return identifyReply_; }

private:
    enum class Prompt { None, Failure, BandQuestion, Password };

    void Send(LinkActions& out, Bytes frame, std::size_t replyLength);
    void SendHandshake(LinkActions& out);
    void SendCurrentBlock(LinkActions& out);
    void NextBlock(LinkActions& out);
    void Advance(LinkActions& out);
    void TakeReply(LinkActions& out, std::span<const std::uint8_t> reply);
    void TakePasswordBlock(LinkActions& out, const BlockData& block);
    void RecheckPassword(LinkActions& out);
    void CheckModel(LinkActions& out);
    void ShowFailurePrompt(LinkActions& out);
    void UpdateProgress(LinkActions& out);
    void Finish(LinkActions& out, bool success);
    void Fail(LinkActions& out, ShowMessage message);
    std::size_t BlockIndex() const;

    const LinkType type_;
    ExchangeContext ctx_;
    std::uint32_t firstAddress_;
    std::uint32_t lastAddress_;

    LinkStep step_ = LinkStep::Idle;
    Prompt prompt_ = Prompt::None;
    bool awaitingReply_ = false;
    bool done_ = false;
    bool succeeded_ = false;

    std::int32_t currentAddress_ = 0; // one block below the first before the first request
    std::size_t EchoLen = 0;
    ReceiveBuffer received_;
    std::size_t threshold_ = 0;

    std::vector<int> BlockRetries;
    int HandshakeAttempts = 0;
    int PasswordRetries = PasswordRetryAllowance;
    int LastPercent = 0;
    int resendRequests_ = 0; // 0x0A answers to the current block

    RadioIdentity radio_;
    Bytes identifyReply_;
    BlockData passwordBlock_;
};

} // namespace velmar
