#pragma once
// One channel in the radio's own 16-byte record form:
//   0 - 1   receive frequency in 5 kHz units, low byte first (0xFFFF: none)
//   2 - 3   not written
//   4 - 12  settings: modulation, power levels, tone codes, locks, roger beep
//   13      bit 0: the frequency lies 1.25 kHz above the 5 kHz raster
//   14 - 15 not written
// The settings bytes 4 … 12 also carry the radio-wide common channel
// (OptChannel) elsewhere in the image.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "model/channel_info.h"

namespace velmar {

inline constexpr std::size_t kChannelRecordSize = 16;
inline constexpr std::size_t kChannelSettingsSize = 9; // record bytes 4 … 12

// The receive frequency as the record holds it.
struct RecordFrequency {
    std::uint16_t Units = 0xFFFF; // 5 kHz units; 0xFFFF means no frequency
    bool Plus1250Hz = false;
    friend bool operator==(const RecordFrequency&, const RecordFrequency&) = default;
};
inline constexpr RecordFrequency kNoRecordFrequency{};

// The record form of a stored receive frequency (8 digits in 10 Hz units).
// Empty and "FFFFFFFF" give kNoRecordFrequency. Nothing when the text is not
// digits or the frequency lies at or above 327.675 MHz, the first value the
// two bytes cannot carry. The 10 Hz digits are dropped; a frequency 1.25 kHz
// above the 5 kHz raster (27.61125 or 27.61625 MHz) keeps its 1.25 kHz.
std::optional<RecordFrequency> FrequencyToRecord(std::string_view storedRxFre);

// The stored frequency of a record frequency: "02761000" for 5522 units,
// "02761125" with the 1.25 kHz flag; "FFFFFFFF" for none.
FixStr<8> RecordToFrequency(RecordFrequency frequency);

// Writes record bytes 0, 1 and 4 … 13 of `channel`; bytes 2, 3, 14 and 15
// keep what they hold. Values wider than their bits are clamped to the
// largest value the bits hold (negative ones to 0), a choice to the last
// entry of its list (FM power 2, repeater 2, roger-beep tone tip 8), so that
// what is written reads back as written.
void WriteChannelRecord(const ChannelInfo& channel, RecordFrequency frequency,
                        std::span<std::uint8_t, kChannelRecordSize> record);

// The frequency of a record (bytes 0, 1 and 13).
RecordFrequency ReadRecordFrequency(std::span<const std::uint8_t, kChannelRecordSize> record);

// Settings bytes 4 … 12 to and from the channel fields they carry; reading
// changes only those fields. A choice read beyond its list (FM power 3,
// repeater 3, roger-beep tone tip above 8) becomes 0, its first entry.
void WriteChannelSettings(const ChannelInfo& channel,
                          std::span<std::uint8_t, kChannelSettingsSize> settings);
void ReadChannelSettings(std::span<const std::uint8_t, kChannelSettingsSize> settings,
                         ChannelInfo& channel);

} // namespace velmar
