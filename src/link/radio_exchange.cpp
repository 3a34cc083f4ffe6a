#include "link/radio_exchange.h"

#include "link/radio_password.h"

#include <algorithm>
#include <utility>

namespace velmar {
namespace {

// Text ids of the messages an exchange shows.
constexpr int TextReadDone = 9009;
constexpr int TextWriteDone = 9010;
constexpr int TextOtherModel = 9012;
constexpr int TextOtherBandSameGroup = 9014;
constexpr int TextOtherBand = 9030;
const char* const PasswordFailure = "PassWord Failure!";

bool IsSingleByte(std::span<const std::uint8_t> reply, std::uint8_t value) {
    return reply.size() == 1 && reply[0] == value;
}

} // namespace

void StoreIdentifyReply(RadioImage& image, std::span<const std::uint8_t> reply) {
    if (reply.size() < IdentifyReplyLength)
        return;
    image.Store(IdentityImageAddress, reply.subspan(1, 7));
    image.Store(IdentityImageAddress + 8, reply.subspan(9, 6));
}

RadioExchange::RadioExchange(LinkType type, ExchangeContext context)
    : type_(type), ctx_(std::move(context)) {
    const bool info = type_ == LinkType::RadioInfo;
    firstAddress_ = info ? RadioInfoBlock::FirstAddress : RadioImage::FirstAddress;
    lastAddress_ = info ? RadioInfoBlock::LastAddress : RadioImage::LastAddress;
}

LinkActions RadioExchange::Start() {
    LinkActions out;
    if (type_ == LinkType::Read)
        ClearChannelArea(ctx_.Image);
    currentAddress_ = static_cast<std::int32_t>(firstAddress_) - static_cast<int>(BlockSize);
    BlockRetries.assign((lastAddress_ - firstAddress_ + 1) / BlockSize, BlockRetryAllowance);
    HandshakeAttempts = 0;
    PasswordRetries = PasswordRetryAllowance;
    LastPercent = 0;
    prompt_ = Prompt::None;
    done_ = succeeded_ = false;
    SendHandshake(out);
    return out;
}

// ---- sending --------------------------------------------------------------

void RadioExchange::Send(LinkActions& out, Bytes frame, std::size_t replyLength) {
    EchoLen = ctx_.Link.NoEcho ? 0 : frame.size();
    threshold_ = EchoLen + replyLength;
    received_.Expect(threshold_);
    AddCommand(out, std::move(frame), threshold_, ReplyTimeoutMs);
}

void RadioExchange::SendHandshake(LinkActions& out) {
    step_ = LinkStep::Handshake;
    awaitingReply_ = true;
    Send(out, HandshakeFrame(), HandshakeReplyLength);
}

// The command for the current address again: a read request, or the block
// itself when writing.
void RadioExchange::SendCurrentBlock(LinkActions& out) {
    const auto address = static_cast<std::uint16_t>(currentAddress_);
    if (type_ == LinkType::Write)
        Send(out, BlockFrame(address, ctx_.Image.Block(address)), AckReplyLength);
    else
        Send(out, ReadBlockFrame(address), BlockFrameLength);
}

void RadioExchange::NextBlock(LinkActions& out) {
    step_ = LinkStep::DataBlocks;
    currentAddress_ += static_cast<int>(BlockSize);
    resendRequests_ = 0;
    if (currentAddress_ >= static_cast<std::int32_t>(lastAddress_)) {
        step_ = LinkStep::End;
        Send(out, EndFrame(), AckReplyLength);
        return;
    }
    SendCurrentBlock(out);
    if (type_ == LinkType::Write)
        UpdateProgress(out);
}

std::size_t RadioExchange::BlockIndex() const {
    return static_cast<std::size_t>(currentAddress_ - static_cast<std::int32_t>(firstAddress_)) /
           BlockSize;
}

void RadioExchange::UpdateProgress(LinkActions& out) {
    if (type_ == LinkType::RadioInfo)
        return;
    const auto span = static_cast<std::int32_t>(lastAddress_ - firstAddress_);
    const auto done = currentAddress_ - static_cast<std::int32_t>(firstAddress_);
    const int percent = static_cast<int>((done * 100 + span / 2) / span);
    if (percent - LastPercent >= 1) {
        LastPercent = percent;
        out.push_back(ShowProgress{percent});
    }
}

// ---- replies --------------------------------------------------------------

LinkActions RadioExchange::OnBytes(std::span<const std::uint8_t> bytes) {
    LinkActions out;
    if (!awaitingReply_ || prompt_ != Prompt::None)
        return out;
    const auto received = received_.Add(bytes);
    if (!received)
        return out;
    // The reply is the first `threshold` bytes behind the echo; more is dropped.
    const std::span<const std::uint8_t> reply =
        std::span(*received).subspan(EchoLen, threshold_ - EchoLen);
    TakeReply(out, reply);
    return out;
}

// A reply of the wrong form is ignored: the reply timer deals with it.
void RadioExchange::TakeReply(LinkActions& out, std::span<const std::uint8_t> reply) {
    switch (step_) {
    case LinkStep::Handshake:
        if (std::equal(reply.begin(), reply.end(), HandshakeReply.begin(), HandshakeReply.end()))
            Advance(out);
        break;
    case LinkStep::Identify:
        if (auto identity = ParseIdentifyReply(reply)) {
            if (type_ != LinkType::RadioInfo) {
                radio_ = *identity;
                identifyReply_.assign(reply.begin(), reply.end());
                if (!ctx_.SendImageAsItIs)
                    StoreIdentifyReply(ctx_.Image, reply);
            }
            Advance(out);
        }
        break;
    case LinkStep::EnterWrite:
    case LinkStep::End:
        if (IsSingleByte(reply, AckByte)) {
            HandshakeAttempts = 0;
            Advance(out);
        }
        break;
    case LinkStep::PasswordBlock:
        if (auto block = ParseBlockFrame(reply); block && block->Address == PasswordBlockAddress)
            TakePasswordBlock(out, *block);
        break;
    case LinkStep::DataBlocks:
        if (type_ == LinkType::Write) {
            if (IsSingleByte(reply, AckByte)) {
                Advance(out);
            } else if (IsSingleByte(reply, ResendByte)) {
                // The radio asks for the block again: at once, and without
                // using up the block's retry allowance. A radio that never
                // takes the block must not keep the program busy for ever.
                out.push_back(StopReplyTimer{});
                if (++resendRequests_ > ResendRequestLimit)
                    ShowFailurePrompt(out);
                else
                    SendCurrentBlock(out);
            }
        } else if (auto block = ParseBlockFrame(reply);
                   block && block->Address == currentAddress_) {
            if (type_ == LinkType::RadioInfo)
                ctx_.InfoBlock.Store(block->Address, block->Data);
            else
                ctx_.Image.Store(block->Address, block->Data);
            UpdateProgress(out);
            Advance(out);
        }
        break;
    case LinkStep::Idle:
        break;
    }
}

void RadioExchange::Advance(LinkActions& out) {
    out.push_back(StopReplyTimer{});
    switch (step_) {
    case LinkStep::Handshake:
        step_ = LinkStep::Identify;
        Send(out, IdentifyFrame(), IdentifyReplyLength);
        break;
    case LinkStep::Identify:
        if (type_ == LinkType::RadioInfo) {
            NextBlock(out);
        } else if (type_ == LinkType::Write) {
            step_ = LinkStep::EnterWrite;
            Send(out, EnterWriteFrame(ctx_.IsMainVersion), AckReplyLength);
        } else {
            step_ = LinkStep::PasswordBlock;
            Send(out, ReadBlockFrame(PasswordBlockAddress), BlockFrameLength);
        }
        break;
    case LinkStep::EnterWrite:
        step_ = LinkStep::PasswordBlock;
        Send(out, ReadBlockFrame(PasswordBlockAddress), BlockFrameLength);
        break;
    case LinkStep::PasswordBlock:
        CheckModel(out);
        break;
    case LinkStep::DataBlocks:
        NextBlock(out);
        break;
    case LinkStep::End:
        Finish(out, true);
        break;
    case LinkStep::Idle:
        break;
    }
}

// ---- password and model checks -------------------------------------------

void RadioExchange::TakePasswordBlock(LinkActions& out, const BlockData& block) {
    passwordBlock_ = block;
    if (CheckRadioPassword(block.Data, ctx_.Link.RadioPassword)) {
        Advance(out);
        return;
    }
    out.push_back(StopReplyTimer{});
    prompt_ = Prompt::Password;
    out.push_back(OpenPasswordDialog{ctx_.Link.RadioPassword});
}

LinkActions RadioExchange::OnPasswordEntered(std::string_view typed) {
    LinkActions out;
    if (prompt_ != Prompt::Password)
        return out;
    EnterRadioPassword(ctx_.Link, typed);
    RecheckPassword(out);
    return out;
}

LinkActions RadioExchange::OnPasswordCancelled() {
    LinkActions out;
    if (prompt_ == Prompt::Password)
        RecheckPassword(out);
    return out;
}

void RadioExchange::RecheckPassword(LinkActions& out) {
    prompt_ = Prompt::None;
    ctx_.Link.PasswordEntered = true;
    if (CheckRadioPassword(passwordBlock_.Data, ctx_.Link.RadioPassword))
        Advance(out);
    else
        Fail(out, ShowMessage{0, PasswordFailure, MsgButtons::Ok, MsgIcon::Critical});
}

void RadioExchange::CheckModel(LinkActions& out) {
    const bool writing = type_ == LinkType::Write;
    switch (CheckRadioModel(radio_, ctx_.ModelName, ctx_.BandText, writing, ctx_.Versions)) {
    case ModelCheck::Pass:
        NextBlock(out);
        break;
    case ModelCheck::ModelDiffers:
        Fail(out, ShowMessage{TextOtherModel, {}, MsgButtons::Ok, MsgIcon::Warning});
        break;
    case ModelCheck::FirmwareIncompatible:
        Fail(out, ShowMessage{0,
                              ctx_.Versions.CompatMessage(ProgramVersion, radio_.Version,
                                                          VersionTable::FirmwareKind, ctx_.Texts),
                              MsgButtons::Ok, MsgIcon::Warning});
        break;
    case ModelCheck::BandSameGroup:
        prompt_ = Prompt::BandQuestion;
        out.push_back(
            ShowMessage{TextOtherBandSameGroup, {}, MsgButtons::OkCancel, MsgIcon::Warning});
        break;
    case ModelCheck::BandOtherGroup:
        Fail(out, ShowMessage{TextOtherBand, {}, MsgButtons::Ok, MsgIcon::Warning});
        break;
    }
}

// ---- time-outs and prompts ------------------------------------------------

LinkActions RadioExchange::OnTimeout() {
    LinkActions out;
    if (!awaitingReply_ || prompt_ != Prompt::None)
        return out;
    const bool info = type_ == LinkType::RadioInfo;
    switch (step_) {
    case LinkStep::Handshake:
        if (++HandshakeAttempts > HandshakeAttemptLimit) {
            ShowFailurePrompt(out);
        } else {
            // Perhaps the other kind of cable: try the other echo assumption.
            ctx_.Link.NoEcho = !ctx_.Link.NoEcho;
            SendHandshake(out);
        }
        break;
    case LinkStep::PasswordBlock:
        if (PasswordRetries-- >= 2)
            Send(out, ReadBlockFrame(PasswordBlockAddress), BlockFrameLength);
        else
            ShowFailurePrompt(out);
        break;
    case LinkStep::DataBlocks:
        if (info || BlockRetries[BlockIndex()] < 1) {
            ShowFailurePrompt(out);
        } else {
            --BlockRetries[BlockIndex()];
            SendCurrentBlock(out);
        }
        break;
    case LinkStep::End:
        // The end command needs no reply.
        Finish(out, true);
        break;
    case LinkStep::Identify:
    case LinkStep::EnterWrite:
        ShowFailurePrompt(out);
        break;
    case LinkStep::Idle:
        break;
    }
    return out;
}

// No valid reply after the retries: the user may start again from the
// handshake (OK, or Retry for radio information) or give up.
void RadioExchange::ShowFailurePrompt(LinkActions& out) {
    awaitingReply_ = false;
    HandshakeAttempts = 0;
    PasswordRetries = PasswordRetryAllowance;
    prompt_ = Prompt::Failure;
    out.push_back(StopReplyTimer{});
    const bool info = type_ == LinkType::RadioInfo;
    out.push_back(ShowMessage{
        TextNoReply, {}, info ? MsgButtons::RetryCancel : MsgButtons::OkCancel, MsgIcon::Question});
}

LinkActions RadioExchange::OnAnswer(MsgAnswer answer) {
    LinkActions out;
    if (prompt_ != Prompt::Failure && prompt_ != Prompt::BandQuestion)
        return out;
    const Prompt prompt = std::exchange(prompt_, Prompt::None);
    if (answer != MsgAnswer::Ok && answer != MsgAnswer::Retry) {
        Finish(out, false);
    } else if (prompt == Prompt::Failure) {
        // From the handshake again; what was read so far stays in the image
        // and the blocks keep what is left of their retries.
        currentAddress_ = static_cast<std::int32_t>(firstAddress_) - static_cast<int>(BlockSize);
        LastPercent = 0;
        if (type_ != LinkType::RadioInfo)
            out.push_back(ShowProgress{0});
        SendHandshake(out);
    } else {
        NextBlock(out);
    }
    return out;
}

// ---- the end --------------------------------------------------------------

void RadioExchange::Fail(LinkActions& out, ShowMessage message) {
    out.push_back(StopReplyTimer{});
    out.push_back(std::move(message));
    Finish(out, false);
}

void RadioExchange::Finish(LinkActions& out, bool success) {
    out.push_back(StopReplyTimer{});
    if (!success) {
        // Let the radio leave programming mode; no reply is awaited.
        EchoLen = ctx_.Link.NoEcho ? 0 : EndCommand.size();
        out.push_back(SendBytes{EndFrame(), EchoLen + AckReplyLength});
    }
    awaitingReply_ = false;
    HandshakeAttempts = 0;
    PasswordRetries = PasswordRetryAllowance;
    prompt_ = Prompt::None;
    step_ = LinkStep::Idle;
    done_ = true;
    succeeded_ = success;
    if (success && type_ == LinkType::Read)
        out.push_back(ShowMessage{TextReadDone, {}, MsgButtons::Ok, MsgIcon::Information});
    if (success && type_ == LinkType::Write)
        out.push_back(ShowMessage{TextWriteDone, {}, MsgButtons::Ok, MsgIcon::Information});
    out.push_back(Finished{success});
}

} // namespace velmar
