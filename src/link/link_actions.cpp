#include "link/link_actions.h"

namespace velmar {

std::string MessageBoxText(const ShowMessage& message, const TextLookup& texts) {
    return message.TextId != 0 ? texts.GetText(message.TextId) : message.Literal;
}

void AddCommand(LinkActions& out, Bytes frame, std::size_t threshold, int timeoutMs) {
    out.insert(out.end(), {SendBytes{std::move(frame), threshold}, StartReplyTimer{timeoutMs}});
}

} // namespace velmar
