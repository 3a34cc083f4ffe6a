#include "link/image_channel.h"

#include <algorithm>
#include <string>

#include "channels/tone_list.h"
#include "link/image_conversion.h"

namespace velmar {
namespace {

constexpr int kHzPerUnit = 5; // record frequencies count 5 kHz steps (in kHz)

// `value` in a field of `width` bits starting at bit `shift`, clamped to
// what the bits hold.
std::uint8_t Bits(int value, int width, int shift) {
    const int largest = (1 << width) - 1;
    return static_cast<std::uint8_t>(std::clamp(value, 0, largest) << shift);
}

std::int16_t GetBits(std::uint8_t byte, int width, int shift) {
    return static_cast<std::int16_t>((byte >> shift) & ((1 << width) - 1));
}

// A choice read beyond the end of its list takes the first entry.
std::int16_t InList(std::int16_t value, int lastIndex) {
    return value <= lastIndex ? value : 0;
}

// A choice written: at most the last entry of its list, so that it reads
// back as written.
std::uint8_t ChoiceBits(int value, int lastIndex, int width, int shift) {
    return Bits(std::min(value, lastIndex), width, shift);
}

void WriteToneCode(int toneIndex, std::span<std::uint8_t> target) {
    const std::uint16_t code = ToneIndexToCode(toneIndex);
    target[0] = static_cast<std::uint8_t>(code >> 8); // high byte first
    target[1] = static_cast<std::uint8_t>(code & 0xFF);
}

std::int16_t ReadToneCode(std::span<const std::uint8_t> source) {
    return static_cast<std::int16_t>(
        ToneCodeToIndex(static_cast<std::uint16_t>(source[0] << 8 | source[1])));
}

constexpr int kLastFmPower = 2; // 4 W, 15 W, 50 W
constexpr int kLastRep = 2;     // none, +100 kHz, -100 kHz
constexpr int kLastToneTip = 8; // roger-beep tone tips 1 … 8, 0 none

} // namespace

std::optional<RecordFrequency> FrequencyToRecord(std::string_view storedRxFre) {
    const std::string trimmed = TrimFixStr(storedRxFre);
    if (trimmed.empty() || trimmed == "FFFFFFFF")
        return kNoRecordFrequency;
    const std::string kHzDigits = FreqPad(trimmed, 6);
    if (!std::all_of(kHzDigits.begin(), kHzDigits.end(),
                     [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int kHz = std::stoi(kHzDigits);
    const bool plus1250Hz = kHz % kHzPerUnit == 1;
    const int units = (kHz - (plus1250Hz ? 1 : 0)) / kHzPerUnit;
    if (units >= kNoRecordFrequency.Units)
        return std::nullopt;
    return RecordFrequency{static_cast<std::uint16_t>(units), plus1250Hz};
}

FixStr<8> RecordToFrequency(RecordFrequency frequency) {
    if (frequency.Units == kNoRecordFrequency.Units)
        return MakeFixStr<8>("FFFFFFFF");
    // In 10 Hz units: at most 65534 × 500 + 125, always 8 digits.
    const long tenHz =
        static_cast<long>(frequency.Units) * kHzPerUnit * 100 + (frequency.Plus1250Hz ? 125 : 0);
    std::string digits = std::to_string(tenHz);
    digits.insert(0, 8 - digits.size(), '0');
    return MakeFixStr<8>(digits);
}

void WriteChannelRecord(const ChannelInfo& channel, RecordFrequency frequency,
                        std::span<std::uint8_t, kChannelRecordSize> record) {
    record[0] = static_cast<std::uint8_t>(frequency.Units & 0xFF);
    record[1] = static_cast<std::uint8_t>(frequency.Units >> 8);
    WriteChannelSettings(channel, record.subspan<4, kChannelSettingsSize>());
    record[13] = frequency.Plus1250Hz ? 0x01 : 0x00;
}

RecordFrequency ReadRecordFrequency(std::span<const std::uint8_t, kChannelRecordSize> record) {
    const auto units = static_cast<std::uint16_t>(record[0] | record[1] << 8);
    if (units == kNoRecordFrequency.Units)
        return kNoRecordFrequency;
    return RecordFrequency{units, (record[13] & 0x01) != 0};
}

void WriteChannelSettings(const ChannelInfo& c,
                          std::span<std::uint8_t, kChannelSettingsSize> settings) {
    settings[0] = Bits(c.AmFm, 1, 0) | Bits(c.AmFmLock, 1, 1);
    settings[1] = Bits(c.FmPower4W, 1, 0) | Bits(c.FmPower15W, 1, 1) | Bits(c.FmPower50W, 1, 2) |
                  Bits(c.AmPower4W, 1, 3) | Bits(c.AmPower15W, 1, 4) | Bits(c.AmPower, 1, 5) |
                  ChoiceBits(c.FmPower, kLastFmPower, 2, 6);
    WriteToneCode(c.RxTone, settings.subspan(2, 2));
    WriteToneCode(c.TxTone, settings.subspan(4, 2));
    settings[6] =
        Bits(c.RbLock, 1, 1) | Bits(c.NbAnl, 1, 2) | Bits(c.Tsq, 1, 5) | Bits(c.BusyLock, 2, 6);
    // The radio keeps the squelch mode in the high half of the roger-beep
    // byte; it is written there so that it comes back as it was read.
    settings[7] = ChoiceBits(c.RbTone, kLastToneTip, 4, 0) | Bits(c.SqlMode, 4, 4);
    settings[8] = Bits(c.RepLock, 1, 5) | ChoiceBits(c.Rep, kLastRep, 2, 6);
}

void ReadChannelSettings(std::span<const std::uint8_t, kChannelSettingsSize> settings,
                         ChannelInfo& c) {
    c.AmFm = GetBits(settings[0], 1, 0);
    c.AmFmLock = GetBits(settings[0], 1, 1);
    c.FmPower4W = GetBits(settings[1], 1, 0);
    c.FmPower15W = GetBits(settings[1], 1, 1);
    c.FmPower50W = GetBits(settings[1], 1, 2);
    c.AmPower4W = GetBits(settings[1], 1, 3);
    c.AmPower15W = GetBits(settings[1], 1, 4);
    c.AmPower = GetBits(settings[1], 1, 5);
    c.FmPower = InList(GetBits(settings[1], 2, 6), kLastFmPower);
    c.RxTone = ReadToneCode(settings.subspan(2, 2));
    c.TxTone = ReadToneCode(settings.subspan(4, 2));
    c.RbLock = GetBits(settings[6], 1, 1);
    c.NbAnl = GetBits(settings[6], 1, 2);
    c.Tsq = GetBits(settings[6], 1, 5);
    c.BusyLock = GetBits(settings[6], 2, 6);
    c.RbTone = InList(GetBits(settings[7], 4, 0), kLastToneTip);
    c.SqlMode = GetBits(settings[7], 4, 4);
    c.RepLock = GetBits(settings[8], 1, 5);
    c.Rep = InList(GetBits(settings[8], 2, 6), kLastRep);
}

} // namespace velmar
