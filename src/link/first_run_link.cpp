#include "link/first_run_link.h"

namespace velmar {

LinkActions FirstRunLink::Start() {
    LinkActions out;
    linkAttempts_ = 0;
    running_ = true;
    WriteLink2(out);
    return out;
}

void FirstRunLink::WriteLink2(LinkActions& out) {
    const std::size_t echoLen = link_.NoEcho ? 0 : HandshakeCommand.size();
    const std::size_t threshold = echoLen + HandshakeReplyLength;
    received_.Expect(threshold);
    AddCommand(out, HandshakeFrame(), threshold, LinkWaitMs);
}

LinkActions FirstRunLink::OnBytes(std::span<const std::uint8_t> bytes) {
    LinkActions out;
    if (!running_)
        return out;
    // Everything received counts; a reply of another form is left to the
    // timer.
    const auto received = received_.Add(bytes);
    if (received && EndsWithHandshakeReply(*received)) {
        running_ = false;
        linked_ = true;
        out.push_back(StopReplyTimer{});
        out.push_back(Finished{true});
    }
    return out;
}

LinkActions FirstRunLink::OnTimeout() {
    LinkActions out;
    if (!running_)
        return out;
    out.push_back(StopReplyTimer{});
    if (++linkAttempts_ > AttemptLimit) {
        // The dialog stays open; the user may press OK again.
        linkAttempts_ = 0;
        running_ = false;
        out.push_back(ShowMessage{0, "Communication Error!", MsgButtons::Ok, MsgIcon::Warning});
        out.push_back(Finished{false});
        return out;
    }
    link_.NoEcho = !link_.NoEcho;
    WriteLink2(out);
    return out;
}

} // namespace velmar
