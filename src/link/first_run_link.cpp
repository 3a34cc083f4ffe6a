#include "link/first_run_link.h"

#include <algorithm>

namespace velmar {

namespace {

// Whether the handshake came back in front of the reply: the cable echoes.
bool EchoBeforeReply(const Bytes& received) {
    const auto replyStart = received.end() - static_cast<std::ptrdiff_t>(HandshakeReplyLength);
    return std::search(received.begin(), replyStart, HandshakeCommand.begin(),
                       HandshakeCommand.end()) != replyStart;
}

} // namespace

LinkActions FirstRunLink::Start() {
    LinkActions out;
    linkAttempts_ = 0;
    running_ = true;
    WriteLink2(out);
    return out;
}

void FirstRunLink::WriteLink2(LinkActions& out) {
    const std::size_t echoLen = link_.NoEcho ? 0 : HandshakeCommand.size();
    threshold_ = echoLen + HandshakeReplyLength;
    received_.clear();
    // The port hands over every byte as it comes; the count is kept here, so
    // that bytes behind the first threshold's worth are judged as well.
    AddCommand(out, HandshakeFrame(), 1, LinkWaitMs);
}

LinkActions FirstRunLink::OnBytes(std::span<const std::uint8_t> bytes) {
    LinkActions out;
    if (!running_)
        return out;
    // Everything received counts; a reply of another form is left to the
    // timer. Fewer bytes than the attempt waits for leave it waiting, so that
    // a two-wire cable is not taken for an echoing one.
    received_.insert(received_.end(), bytes.begin(), bytes.end());
    if (received_.size() >= threshold_ && EndsWithHandshakeReply(received_)) {
        // Stray bytes may have come as well; the echo tells the cable.
        link_.NoEcho = !EchoBeforeReply(received_);
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
