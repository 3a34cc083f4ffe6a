#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/fixed_text.h"
#include "model/record_io.h"

namespace velmar {

// One channel as it is stored in the channel file (108 bytes). Choice fields
// hold the list index of their combo box, yes/no fields 0 or 1.
struct ChannelInfo {
    std::int16_t ChNo = 0;    // 1 … 529
    std::int16_t ChEmpty = 0; // 1 when RxFre holds no frequency
    std::int16_t ScanSkip = 0;
    FixStr<8> RxFre{};       // 8 digits in 10 Hz units; empty or "FFFFFFFF" = none
    std::int16_t RxTone = 0; // ToneList index
    std::int16_t TxTone = 0; // ToneList index
    std::int16_t FmPower = 0;
    std::int16_t FmPowerLock = 0;
    std::int16_t AmPower = 0;
    std::int16_t AmPowerLock = 0;
    std::int16_t AmFm = 0;
    std::int16_t AmFmLock = 0;
    std::int16_t AmPower4W = 0;
    std::int16_t AmPower15W = 0;
    std::int16_t FmPower4W = 0;
    std::int16_t FmPower15W = 0;
    std::int16_t FmPower50W = 0;
    std::int16_t RxExpand = 0;
    std::int16_t TxCompress = 0;
    std::int16_t NbAnl = 0;
    std::int16_t Att = 0;
    std::int16_t HiCut = 0;
    std::int16_t BusyLock = 0;
    std::int16_t RbLock = 0;
    std::int16_t RbTone = 0; // tone tip 1 … 8
    std::int16_t SqlMode = 0;
    std::int16_t BotMemCode = 0;
    std::int16_t EotMemCode = 0;
    std::int16_t CallMemCode = 0;
    std::uint8_t ShiftDir = 0; // 0 none, 1 minus, 2 plus
    FixStr<7> Offset{};        // 7 digits in 10 Hz units
    std::int16_t RxRaster = 0;
    std::int16_t TxRaster = 0;
    std::int16_t TxInhibit = 0;
    std::int16_t RevTalkaround = 0;
    std::int16_t Scrambler = 0;
    std::int16_t Talkaround = 0;
    std::int16_t SignalRelation = 0;
    std::int16_t Whisper = 0;
    std::int16_t PttId = 0;
    std::int16_t ChSpacing = 0;
    std::int16_t OptSignal = 0;
    std::int16_t Compander = 0;
    std::int16_t Reverse = 0;
    std::int16_t RepLock = 0;
    std::int16_t Rep = 0;
    std::int16_t Tsq = 0;
    std::int16_t FmPowerLock2 = 0;
    std::int16_t ExtraChoice = 0;

    friend bool operator==(const ChannelInfo&, const ChannelInfo&) = default;
};

template <RecordOf<ChannelInfo> R, class F> constexpr void VisitFields(R& c, F& f) {
    f(c.ChNo), f(c.ChEmpty), f(c.ScanSkip), f(c.RxFre), f(c.RxTone), f(c.TxTone);
    f(c.FmPower), f(c.FmPowerLock), f(c.AmPower), f(c.AmPowerLock), f(c.AmFm), f(c.AmFmLock);
    f(c.AmPower4W), f(c.AmPower15W), f(c.FmPower4W), f(c.FmPower15W), f(c.FmPower50W);
    f(c.RxExpand), f(c.TxCompress), f(c.NbAnl), f(c.Att), f(c.HiCut), f(c.BusyLock);
    f(c.RbLock), f(c.RbTone), f(c.SqlMode), f(c.BotMemCode), f(c.EotMemCode), f(c.CallMemCode);
    f(c.ShiftDir), f(c.Offset), f(c.RxRaster), f(c.TxRaster), f(c.TxInhibit);
    f(c.RevTalkaround), f(c.Scrambler), f(c.Talkaround), f(c.SignalRelation), f(c.Whisper);
    f(c.PttId), f(c.ChSpacing), f(c.OptSignal), f(c.Compander), f(c.Reverse), f(c.RepLock);
    f(c.Rep), f(c.Tsq), f(c.FmPowerLock2), f(c.ExtraChoice);
}

inline constexpr std::size_t kChannelInfoSize = 108;
inline constexpr int kMaxChannels = 529; // 13 groups of 40, the VFO, 8 memory channels
static_assert(RecordFileSize<ChannelInfo>() == kChannelInfoSize);

using ChannelBytes = std::array<std::uint8_t, kChannelInfoSize>;
ChannelBytes SerializeChannelInfo(const ChannelInfo& channel);
ChannelInfo ParseChannelInfo(std::span<const std::uint8_t, kChannelInfoSize> bytes);

// A freshly added channel: number `chNo`, roger-beep tone tip 1, offset of
// seven NULs, every other field 0. The caller sets the receive frequency.
ChannelInfo NewChannelInfo(int chNo);

// Groups 0 … 12 hold channels 1 … 520 (40 each), group 13 is the VFO (521),
// group 14 the memory channels (522 … 529): ChNo = GroupStartNo(g) + position.
int GroupStartNo(int group);
int GroupSize(int group);

} // namespace velmar
