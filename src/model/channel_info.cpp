#include "model/channel_info.h"

namespace velmar {

ChannelBytes SerializeChannelInfo(const ChannelInfo& channel) {
    return SerializeRecord<ChannelInfo, kChannelInfoSize>(channel);
}

ChannelInfo ParseChannelInfo(std::span<const std::uint8_t, kChannelInfoSize> bytes) {
    return ParseRecord<ChannelInfo>(bytes);
}

ChannelInfo NewChannelInfo(int chNo) {
    ChannelInfo channel;
    channel.ChNo = static_cast<std::int16_t>(chNo);
    channel.RbTone = 1;
    channel.Offset.fill('\0');
    return channel;
}

int GroupStartNo(int group) {
    if (group >= 0 && group <= 12)
        return 40 * group;
    if (group == 13)
        return 520;
    if (group == 14)
        return 521;
    return 0;
}

int GroupSize(int group) {
    if (group == 13)
        return 1;
    if (group == 14)
        return 8;
    return 40;
}

} // namespace velmar
