#pragma once
#include "link/link_actions.h"
#include "link/link_globals.h"
#include "link/receive_buffer.h"

#include <span>

namespace velmar {

// The first-run link check: sends the handshake on the chosen port until the
// radio answers, trying the cable with and without echo in turn. The port is
// opened by the caller before Start.
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
    bool Linked() const { return linked_; }

private:
    void WriteLink2(LinkActions& out);

    LinkGlobals& link_;
    ReceiveBuffer received_;
    int linkAttempts_ = 0;
    bool running_ = false;
    bool linked_ = false;
};

} // namespace velmar
