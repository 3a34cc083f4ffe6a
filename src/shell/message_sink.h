#pragma once
#include <string>

namespace velmar {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Information, Warning, Critical, Question };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

// Every message box the core raises goes through here: the windows show it
// with the application title (text 12000) as caption, tests answer it.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual MsgAnswer Show(const std::string& text, MsgButtons buttons, MsgIcon icon) = 0;
};

} // namespace velmar
