#pragma once
#include "link/frames.h"
#include "link/link_actions.h"
#include "link/link_globals.h"

#include <span>

namespace velmar {

// The first-run link check: sends the handshake on the chosen port until the
// radio answers, trying the cable with and without echo in turn. The port is
// opened by the caller before Start. Once the bytes the attempt waits for
// have come, every arrival is judged with all bytes received since the
// handshake was sent: a good reply behind stray bytes or line noise links,
// and whether the handshake came back in front of it sets NoEcho.
class FirstRunLink {
public:
    static constexpr int LinkWaitMs = 300;
    static constexpr int AttemptLimit = 3; // failed attempts before giving up: 3 + 1

    explicit FirstRunLink(LinkGlobals& link) : link_(link) {}

    // The OK button: a new series of attempts.
    LinkActions Start();
    LinkActions OnBytes(std::span<const std::uint8_t> bytes);
    LinkActions OnTimeout();

    int LinkAttempts() const { return linkAttempts_; }
    // The bytes the running attempt waits for before it judges what came:
    // the echo when one is expected, and the 3-byte reply.
    std::size_t ReplyThreshold() const { return threshold_; }
    bool Linked() const { return linked_; }

private:
    void WriteLink2(LinkActions& out);

    LinkGlobals& link_;
    Bytes received_;            // since the last handshake was sent
    std::size_t threshold_ = 0; // the receive threshold of that handshake
    int linkAttempts_ = 0;
    bool running_ = false;
    bool linked_ = false;
};

} // namespace velmar
