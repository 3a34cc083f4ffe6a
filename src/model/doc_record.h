#pragma once
// The document record: every radio-wide setting of one document, 1753 bytes in
// the data file. Its parts are named as the fields that hold them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/channel_info.h"
#include "model/fixed_text.h"
#include "model/record_io.h"

namespace velmar {

struct FmRadioEntry {
    std::int16_t Flag = 0;
    FixStr<8> Fre{};
    friend bool operator==(const FmRadioEntry&, const FmRadioEntry&) = default;
};

struct TestFrePair {
    FixStr<8> RxFre{};
    FixStr<8> TxFre{};
    friend bool operator==(const TestFrePair&, const TestFrePair&) = default;
};

struct ModelInfoRecord {
    FixStr<7> Name{};
    std::int16_t BandCode = 0;
    friend bool operator==(const ModelInfoRecord&, const ModelInfoRecord&) = default;
};

// The option words of OptFeatures by number. The file keeps them in three runs
// (words 0 … 12, 13 … 18, 19 … 35) around the other fields.
enum class OptWord : std::size_t {
    EchoLock = 0,
    Echo = 1,
    DisplayMode = 2,
    TotTime = 3,  // transmit time-out in seconds
    CurGroup = 4, // group shown in the channel grid
    DisplayChoice = 5,
    BacklightColor = 6,
    OptScanMode = 7,
    ScanResumeTime = 8,
    KeyBeep = 9,
    FreqStep = 10,
    UseCommonCh = 11,
    PttIdPause = 12,
    StartGroup = 13, // reset modes: group and channel position of each mode
    StartCh = 14,
    NormalGroup = 15,
    NormalCh = 16,
    ExtGroup = 17,
    ExtCh = 18,
    SqlLevel = 19,
    VoicePrompt = 20,
    VoiceVolume = 21,
    TailElimMode = 22,
    BatterySave = 23,
    Vox = 24,
    VoxWithTone = 25,
    ChannelLock = 26,
    GroupSelect = 27,
    TotPreAlert = 28,
    CableClone = 29,
    TailElimNoSignal = 30,
    FreqChangeable = 31,
    TotRekeyTime = 32,
    TotResetTime = 33,
    VoxLevel = 34,
    VoxDelay = 35,
};
inline constexpr std::size_t kOptWordCount = 36;

struct OptFeaturesRecord {
    std::array<std::int16_t, kOptWordCount> Words{}; // option word k at index k
    std::array<std::int16_t, 26> EmgCh{}; // index 2 × group + n: position of emergency channel n
    std::array<std::int16_t, 26> EmgChMode{}; // same index: 0 AM, 1 FM
    ChannelInfo OptChannel{};                 // the common channel settings
    FixStr<16> RadioLabel{};

    std::int16_t& Word(OptWord w) { return Words[static_cast<std::size_t>(w)]; }
    std::int16_t Word(OptWord w) const { return Words[static_cast<std::size_t>(w)]; }

    friend bool operator==(const OptFeaturesRecord&, const OptFeaturesRecord&) = default;
};

template <RecordOf<OptFeaturesRecord> R, class F> constexpr void VisitFields(R& o, F& f) {
    for (std::size_t k = 0; k <= 12; ++k)
        f(o.Words[k]);
    f(o.EmgCh), f(o.EmgChMode);
    for (std::size_t k = 13; k <= 18; ++k)
        f(o.Words[k]);
    f(o.OptChannel), f(o.RadioLabel);
    for (std::size_t k = 19; k < kOptWordCount; ++k)
        f(o.Words[k]);
}

struct DtmfCode {
    std::int16_t Length = 0; // 0 … 16
    FixStr<16> Code{};
    friend bool operator==(const DtmfCode&, const DtmfCode&) = default;
};

struct DtmfSettingsRecord {
    std::int16_t DtmfSpeed = 0;
    std::int16_t FirstDigitTime = 0;
    std::int16_t FirstDigitDelay = 0;
    std::int16_t StarHashTime = 0;
    std::int16_t DKeySet = 0;
    std::int16_t SideTone = 0;
    std::int16_t CallAlert = 0;
    std::int16_t GroupCode = 0;
    std::int16_t AutoResetTime = 0;
    FixStr<10> IdCode{};
    std::int16_t IdCodeLen = 0;
    DtmfCode BotCode{};
    DtmfCode EotCode{};
    DtmfCode StunCode{};
    DtmfCode KillCode{};
    std::array<DtmfCode, 16> MemCodes{}; // memory codes 1 … 16 at index 0 … 15
    friend bool operator==(const DtmfSettingsRecord&, const DtmfSettingsRecord&) = default;
};

// One roger-beep tone sequence: 14 items, then how often it plays and the
// pause after each play. Tone in 10 Hz, lengths and pause in 10 ms.
struct ToneItem {
    std::int16_t Tone = 0;
    std::int16_t Length = 0;
    friend bool operator==(const ToneItem&, const ToneItem&) = default;
};

struct ToneTip {
    std::array<ToneItem, 14> Items{};
    std::int16_t Repeat = 0;
    std::int16_t Interval = 0;
    friend bool operator==(const ToneTip&, const ToneTip&) = default;
};

struct DocRecord {
    FixStr<4> Version{}; // tag of the program that saved the file
    std::int16_t ChCount = 0;
    std::array<FmRadioEntry, 20> FmRadioList{};
    std::array<TestFrePair, 11> TestFreList{};
    ModelInfoRecord ModelInfo{};
    // RadioSettings: OptFeatures … ScanSettings
    OptFeaturesRecord OptFeatures{};
    DtmfSettingsRecord DtmfSettings{};
    std::array<FixStr<16>, 4> EmbMsg{};
    std::array<std::int16_t, 6> KeySettings{}; // words 2 … 5 are KeyFunc
    std::array<std::uint8_t, 11> AlertSettings{};
    std::array<std::uint8_t, 12> ScanSettings{};
    std::array<ToneTip, 8> ToneTips{}; // tip n (1 … 8) at index n − 1
    std::array<FixStr<6>, 13> GroupNames{};
    std::array<std::uint8_t, 14> ResetFlags{}; // groups 0 … 13, non-zero = valid
    std::uint8_t ExtOption = 0;                // roger-beep function on/off
    friend bool operator==(const DocRecord&, const DocRecord&) = default;
};

template <RecordOf<FmRadioEntry> R, class F> constexpr void VisitFields(R& e, F& f) {
    f(e.Flag), f(e.Fre);
}
template <RecordOf<TestFrePair> R, class F> constexpr void VisitFields(R& p, F& f) {
    f(p.RxFre), f(p.TxFre);
}
template <RecordOf<ModelInfoRecord> R, class F> constexpr void VisitFields(R& m, F& f) {
    f(m.Name), f(m.BandCode);
}
template <RecordOf<DtmfCode> R, class F> constexpr void VisitFields(R& c, F& f) {
    f(c.Length), f(c.Code);
}
template <RecordOf<DtmfSettingsRecord> R, class F> constexpr void VisitFields(R& d, F& f) {
    f(d.DtmfSpeed), f(d.FirstDigitTime), f(d.FirstDigitDelay), f(d.StarHashTime), f(d.DKeySet);
    f(d.SideTone), f(d.CallAlert), f(d.GroupCode), f(d.AutoResetTime), f(d.IdCode);
    f(d.IdCodeLen), f(d.BotCode), f(d.EotCode), f(d.StunCode), f(d.KillCode), f(d.MemCodes);
}
template <RecordOf<ToneItem> R, class F> constexpr void VisitFields(R& i, F& f) {
    f(i.Tone), f(i.Length);
}
template <RecordOf<ToneTip> R, class F> constexpr void VisitFields(R& t, F& f) {
    f(t.Items), f(t.Repeat), f(t.Interval);
}
template <RecordOf<DocRecord> R, class F> constexpr void VisitFields(R& d, F& f) {
    f(d.Version), f(d.ChCount), f(d.FmRadioList), f(d.TestFreList), f(d.ModelInfo);
    f(d.OptFeatures), f(d.DtmfSettings), f(d.EmbMsg), f(d.KeySettings), f(d.AlertSettings);
    f(d.ScanSettings), f(d.ToneTips), f(d.GroupNames), f(d.ResetFlags), f(d.ExtOption);
}

inline constexpr std::size_t kDocRecordSize = 1753;
static_assert(RecordFileSize<OptFeaturesRecord>() == 300);
static_assert(RecordFileSize<DtmfSettingsRecord>() == 390);
static_assert(RecordFileSize<ToneTip>() == 60);
static_assert(RecordFileSize<DocRecord>() == kDocRecordSize);

using DocBytes = std::array<std::uint8_t, kDocRecordSize>;
DocBytes SerializeDocRecord(const DocRecord& doc);
DocRecord ParseDocRecord(std::span<const std::uint8_t, kDocRecordSize> bytes);

} // namespace velmar
