#pragma once
// Stored frequencies as the texts the grid shows, for files and dumps written
// without a window: a field that holds no frequency, or a damaged one, gives
// nothing instead of a warning.
#include <optional>
#include <string>
#include <string_view>

#include "model/channel_info.h"

namespace velmar {

// "27.12500" for the stored digits "02712500".
std::optional<std::string> StoredFreText(std::string_view storedFre);
inline std::optional<std::string> StoredFreText(const FixStr<8>& storedFre) {
    return StoredFreText(std::string_view(storedFre.data(), storedFre.size()));
}

// The absolute transmit frequency of the channel: receive frequency and shift.
std::optional<std::string> StoredTxFreText(const ChannelInfo& channel);

} // namespace velmar
