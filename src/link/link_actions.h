#pragma once
#include "link/frames.h"
#include "shell/message_sink.h"
#include "shell/text_lookup.h"

#include <string>
#include <variant>
#include <vector>

namespace velmar {

// What a link exchange asks its caller to do. The exchanges themselves touch
// no port, timer or window: the caller carries the actions out in order and
// feeds back what happens (bytes received, the timer running out, the user's
// answers).

// Empty both port buffers, then send `Data`. The reply counts as complete once
// `Threshold` bytes (echo included) have come; a port that can notify after a
// given number of bytes should be set to it.
struct SendBytes {
    Bytes Data;
    std::size_t Threshold = 0;
};

// (Re)start the one-shot reply timer; when it runs out, call OnTimeout.
struct StartReplyTimer {
    int Milliseconds = 0;
};

struct StopReplyTimer {};

// A message box: the text of `TextId`, or `Literal` when TextId is 0. A box
// with more than an OK button ends the action list; the exchange then waits
// for OnAnswer.
struct ShowMessage {
    int TextId = 0;
    std::string Literal;
    MsgButtons Buttons = MsgButtons::Ok;
    MsgIcon Icon = MsgIcon::None;
};

// The text of the box `message` asks for.
std::string MessageBoxText(const ShowMessage& message, const TextLookup& texts);

// Progress of a read or write, 0 … 100.
struct ShowProgress {
    int Percent = 0;
};

// Ask for the radio password (at most 4 characters, shown as "*"), filled
// with the password held so far; answer with OnPasswordEntered or
// OnPasswordCancelled.
struct OpenPasswordDialog {
    std::string Current;
};

// The exchange is over: close the port (and the progress window).
struct Finished {
    bool Success = false;
};

using LinkAction = std::variant<SendBytes, StartReplyTimer, StopReplyTimer, ShowMessage,
                                ShowProgress, OpenPasswordDialog, Finished>;
using LinkActions = std::vector<LinkAction>;

// A command: send `frame`, wait for `threshold` bytes, with a reply timer of
// `timeoutMs`.
void AddCommand(LinkActions& out, Bytes frame, std::size_t threshold, int timeoutMs);

} // namespace velmar
