#include "settings/opt_features.h"

#include <algorithm>
#include <cmath>

#include "channels/tone_list.h"
#include "channels/tone_tip_refs.h"
#include "settings/tone_tips.h"

namespace velmar {

namespace {

constexpr int kTextOff = 15030;
constexpr int kTextCarrier = 15031;
constexpr int kTextTone = 15032;
constexpr int kTextCtcssDcs = 15033;
constexpr int kTotStep = 15;
constexpr int kTotEntries = 41; // off, 15 … 600 s

// The option word or common channel field behind a control; nullptr for the
// roger-beep function (a byte of its own) and for controls without a field.
std::int16_t* OptField(DocRecord& doc, int rID) {
    OptFeaturesRecord& o = doc.OptFeatures;
    ChannelInfo& c = o.OptChannel;
    switch (rID) {
    case ComboDisplayMode:
        return &o.Word(OptWord::DisplayMode);
    case ComboTotTime:
        return &o.Word(OptWord::TotTime);
    case ComboScanMode:
        return &o.Word(OptWord::OptScanMode);
    case ComboScanResume:
        return &o.Word(OptWord::ScanResumeTime);
    case ComboKeyBeep:
        return &o.Word(OptWord::KeyBeep);
    case ComboStep:
        return &o.Word(OptWord::FreqStep);
    case ComboEchoLock:
        return &o.Word(OptWord::EchoLock);
    case ComboEcho:
        return &o.Word(OptWord::Echo);
    case ComboDecode:
        return &c.RxTone;
    case ComboEncode:
        return &c.TxTone;
    case ComboTsq:
        return &c.Tsq;
    case ComboBusyLock:
        return &c.BusyLock;
    case ComboAmFm:
        return &c.AmFm;
    case ComboRep:
        return &c.Rep;
    case ComboAmPower:
        return &c.AmPower;
    case ComboFmPower:
        return &c.FmPower;
    case kOptCheckBase + CheckUseCommonCh:
        return &o.Word(OptWord::UseCommonCh);
    case kOptCheckBase + CheckNbAnl:
        return &c.NbAnl;
    case kOptCheckBase + CheckRepLock:
        return &c.RepLock;
    case kOptCheckBase + CheckAmFmLock:
        return &c.AmFmLock;
    case kOptCheckBase + CheckAmPower4W:
        return &c.AmPower4W;
    case kOptCheckBase + CheckAmPower15W:
        return &c.AmPower15W;
    case kOptCheckBase + CheckFmPower4W:
        return &c.FmPower4W;
    case kOptCheckBase + CheckFmPower15W:
        return &c.FmPower15W;
    case kOptCheckBase + CheckFmPower50W:
        return &c.FmPower50W;
    default:
        return nullptr;
    }
}

std::int16_t OptFieldValue(const DocRecord& doc, int rID) {
    if (rID == ComboRbFunction)
        return doc.ExtOption;
    const std::int16_t* field = OptField(const_cast<DocRecord&>(doc), rID);
    return field ? *field : 0;
}

// The decode and encode lists: the channel tones, "off" in the user's language.
std::vector<std::string> CodeToneEntries(const TextLookup& texts) {
    std::vector<std::string> entries(ToneList().begin(), ToneList().end());
    entries[0] = texts.GetText(kTextOff);
    return entries;
}

// Number of entries of a list as loaded; 0 for an index that is no list.
int OptListSize(int combo) {
    switch (combo) {
    case ComboTotTime:
        return kTotEntries;
    case ComboDecode:
    case ComboEncode:
        return kToneCount;
    case ComboScanResume:
    case ComboBusyLock:
    case ComboRep:
    case ComboFmPower:
        return 3;
    case ComboStep:
        return 4;
    case ComboDisplayMode:
    case ComboScanMode:
    case ComboKeyBeep:
    case ComboEchoLock:
    case ComboEcho:
    case ComboRbFunction:
    case ComboTsq:
    case ComboAmFm:
    case ComboAmPower:
    case ComboSqlMode:
        return 2;
    default:
        return 0;
    }
}

PowerLevels OfferedLevels(std::initializer_list<std::int16_t> ticks, std::int16_t stored) {
    PowerLevels levels;
    int level = 0;
    for (std::int16_t tick : ticks) {
        if (CheckBoxValue(tick) == 1)
            levels.Offered.push_back(level);
        ++level;
    }
    if (levels.Offered.empty())
        levels.Offered.push_back(0);
    // A stored level outside the full list stands for its first level.
    const int wanted = stored >= 0 && stored < level ? stored : 0;
    const auto shown = std::find(levels.Offered.begin(), levels.Offered.end(), wanted);
    levels.Shown =
        shown == levels.Offered.end() ? 0 : static_cast<int>(shown - levels.Offered.begin());
    return levels;
}

} // namespace

const std::vector<OptRow>& OptLeftRows() {
    static const std::vector<OptRow> rows{
        {ComboDisplayMode, 15024, {}},
        {ComboTotTime, 16005, {}},
        {ComboScanMode, 16500, {}},
        {ComboScanResume, 16501, {}},
        {ComboKeyBeep, 16026, {}},
        {ComboStep, "Step", {}},
        {ComboEchoLock, "ECHO Lock", {}, true},
        {ComboEcho, "ECHO", {}, true},
        {ComboRbFunction, "RB Function", {}, true},
    };
    return rows;
}

const std::vector<OptRow>& OptCommonRows() {
    static const std::vector<OptRow> rows{
        {ComboDecode, 15005, {{CheckNbAnl, 15302}}},
        {ComboEncode, 15006, {}},
        {ComboTsq, 15023, {}},
        {ComboBusyLock, 15011, {}},
        {ComboAmFm, "AM/FM", {{CheckAmFmLock, 15400}}},
        {ComboRep, 15205, {{CheckRepLock, "Rep Enable"}}},
        {ComboAmPower, "AM Power", {{CheckAmPower4W, 15502}, {CheckAmPower15W, 15503}}, true},
        {ComboFmPower,
         "FM Power",
         {{CheckFmPower4W, 15504}, {CheckFmPower15W, 15505}, {CheckFmPower50W, 15508}},
         true},
    };
    return rows;
}

std::vector<std::string> OptListEntries(int combo, const TextLookup& texts) {
    switch (combo) {
    case ComboDisplayMode:
        return CaptionEntries(texts, {15054, 15055});
    case ComboTotTime: {
        std::vector<std::string> entries{texts.GetText(16040)};
        const std::vector<std::string> seconds =
            NumberEntries(kTotStep, (kTotEntries - 1) * kTotStep, kTotStep);
        entries.insert(entries.end(), seconds.begin(), seconds.end());
        return entries;
    }
    case ComboScanMode:
        return CaptionEntries(texts, {16058, 16059});
    case ComboScanResume:
        return CaptionEntries(texts, {"5", "10", "15"});
    case ComboKeyBeep:
        return CaptionEntries(texts, {16040, 16041});
    case ComboStep:
        return CaptionEntries(texts, {"5 KHz", "10 KHz", "100 KHz", "1 MHz"});
    case ComboEchoLock:
    case ComboEcho:
    case ComboRbFunction:
        return CaptionEntries(texts, {26030, 26031});
    case ComboDecode:
    case ComboEncode:
        return CodeToneEntries(texts);
    case ComboTsq:
        return CaptionEntries(texts, {15052, 15053});
    case ComboBusyLock:
        return CaptionEntries(texts, {kTextOff, kTextCarrier, kTextCtcssDcs});
    case ComboAmFm:
        return CaptionEntries(texts, {"AM", "FM"});
    case ComboRep:
        return CaptionEntries(texts, {kTextOff, "+100K", "-100K"});
    case ComboAmPower:
        return CaptionEntries(texts, {15502, 15503});
    case ComboFmPower:
        return CaptionEntries(texts, {15504, 15505, 15508});
    case ComboSqlMode:
        return CaptionEntries(texts, {kTextCarrier, kTextTone});
    default:
        return {};
    }
}

int OptShownIndex(const DocRecord& doc, int combo) {
    const std::int16_t value = OptFieldValue(doc, combo);
    if (combo == ComboTotTime)
        return static_cast<int>(std::nearbyint(value / static_cast<double>(kTotStep)));
    return value;
}

int OptCheckValue(const DocRecord& doc, int check) {
    return CheckBoxValue(OptFieldValue(doc, kOptCheckBase + check));
}

void SaveOptFeat(DocRecord& doc, int rID, int value) {
    const bool isCheck = rID >= kOptCheckBase;
    const int size = isCheck ? 2 : OptListSize(rID);
    if (value < 0 || value >= size)
        return;
    if (rID == ComboRbFunction) {
        doc.ExtOption = static_cast<std::uint8_t>(value);
        return;
    }
    std::int16_t* field = OptField(doc, rID);
    if (!field)
        return;
    *field = static_cast<std::int16_t>(rID == ComboTotTime ? value * kTotStep : value);
}

PowerLevels AmPowerLevels(const ChannelInfo& common) {
    return OfferedLevels({common.AmPower4W, common.AmPower15W}, common.AmPower);
}

PowerLevels FmPowerLevels(const ChannelInfo& common) {
    return OfferedLevels({common.FmPower4W, common.FmPower15W, common.FmPower50W}, common.FmPower);
}

void ApplyPowerLevels(DocRecord& doc) {
    ChannelInfo& common = doc.OptFeatures.OptChannel;
    const PowerLevels am = AmPowerLevels(common);
    common.AmPower = static_cast<std::int16_t>(am.Offered[am.Shown]);
    const PowerLevels fm = FmPowerLevels(common);
    common.FmPower = static_cast<std::int16_t>(fm.Offered[fm.Shown]);
}

namespace {

// The busy-lockout list shows the stored BusyLock; a value whose entry the
// list lacks now (the third one while no decode tone is set) shows no entry,
// any other value outside the list its first entry.
void ShowBusyLock(ComboList& list, std::int16_t busyLock) {
    const auto shown = static_cast<int>(list.Entries.size());
    const int loaded = OptListSize(ComboBusyLock);
    if (busyLock >= shown && busyLock < loaded)
        list.Selected = -1;
    else
        SelectComboIndex(list, busyLock);
}

} // namespace

DecodeLists LoadDecodeLists(const DocRecord& doc, const TextLookup& texts) {
    const ChannelInfo& common = doc.OptFeatures.OptChannel;
    DecodeLists lists;
    lists.BusyLock.Entries = OptListEntries(ComboBusyLock, texts);
    ShowBusyLock(lists.BusyLock, common.BusyLock);
    lists.SqlMode.Entries = OptListEntries(ComboSqlMode, texts);
    SelectComboIndex(lists.SqlMode, common.RxTone == 0 ? 0 : common.SqlMode);
    lists.SqlModeEnabled = common.RxTone != 0;
    return lists;
}

void DecodeToneChanged(DecodeLists& lists, DocRecord& doc, bool decodeEnabled,
                       const TextLookup& texts) {
    ChannelInfo& common = doc.OptFeatures.OptChannel;
    std::vector<std::string>& busy = lists.BusyLock.Entries;
    if (common.RxTone != 0) {
        lists.SqlModeEnabled = decodeEnabled;
        if (busy.size() == 2)
            busy.push_back(texts.GetText(kTextTone));
        else if (busy.size() > 2)
            busy[2] = texts.GetText(kTextTone);
    } else {
        lists.SqlModeEnabled = false;
        if (lists.SqlMode.Selected > 0) {
            lists.SqlMode.Selected = 0;
            common.SqlMode = 0;
        }
        if (busy.size() > 2)
            busy.erase(busy.begin() + 2);
    }
    // The user may have chosen another entry since the list was loaded.
    ShowBusyLock(lists.BusyLock, common.BusyLock);
}

ComboList RogerBeepList(const DocRecord& doc, int rbTone, const TextLookup& texts) {
    ComboList list;
    list.Entries.push_back(texts.GetText(kTextOff));
    for (int n = 1; n <= kToneTipCount; ++n)
        if (IsToneTipValid(doc, n))
            list.Entries.push_back(std::to_string(n));
    const bool named = rbTone >= 1 && rbTone <= kToneTipCount;
    SelectComboText(list, named ? std::to_string(rbTone) : list.Entries[0]);
    return list;
}

} // namespace velmar
