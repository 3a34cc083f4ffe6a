#include "link/link_actions.h"

namespace velmar {

void AddCommand(LinkActions& out, Bytes frame, std::size_t threshold, int timeoutMs) {
    out.insert(out.end(), {SendBytes{std::move(frame), threshold}, StartReplyTimer{timeoutMs}});
}

} // namespace velmar
