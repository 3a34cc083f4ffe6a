#include "channels/stored_fre_text.h"

#include "channels/frequency_codec.h"
#include "channels/offset_codec.h"

namespace velmar {

namespace {

// Only fields of digits reach the codecs here, so nothing is ever shown.
class NoMessages : public MessageSink, public TextLookup {
public:
    MsgAnswer Show(const std::string&, MsgButtons, MsgIcon) override { return MsgAnswer::Ok; }
    std::string GetText(int) const override { return {}; }
};

FreContext Quiet() {
    static NoMessages none;
    return {0.0, 0.0, none, none};
}

} // namespace

std::optional<std::string> StoredFreText(std::string_view storedFre) {
    const std::string digits = TrimFixStr(storedFre);
    if (!IsStoredDigits(digits))
        return std::nullopt;
    return FreStoreToShow(digits, Quiet());
}

std::optional<std::string> StoredTxFreText(const ChannelInfo& channel) {
    const std::string rx = TrimFixStr(channel.RxFre);
    if (!IsStoredDigits(rx))
        return std::nullopt;
    return TxFreShow(rx, TrimFixStr(channel.Offset), channel.ShiftDir, false, Quiet());
}

} // namespace velmar
