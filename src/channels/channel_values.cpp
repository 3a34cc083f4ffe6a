#include "channels/channel_values.h"

#include <utility>
#include <vector>

#include "channels/offset_codec.h"
#include "channels/raster.h"
#include "channels/tone_list.h"
#include "shell/numbers.h"

namespace velmar {

namespace {

// The fields that take a value without any side effect.
constexpr std::pair<int, std::int16_t ChannelInfo::*> kPlainFields[] = {
    {ChField::ScanSkip, &ChannelInfo::ScanSkip},
    {ChField::ChSpacing, &ChannelInfo::ChSpacing},
    {ChField::PttId, &ChannelInfo::PttId},
    {ChField::BusyLock, &ChannelInfo::BusyLock},
    {ChField::RevTalkaround, &ChannelInfo::RevTalkaround},
    {ChField::BotMemCode, &ChannelInfo::BotMemCode},
    {ChField::Scrambler, &ChannelInfo::Scrambler},
    {ChField::TxInhibit, &ChannelInfo::TxInhibit},
    {ChField::Talkaround, &ChannelInfo::Talkaround},
    {ChField::Reverse, &ChannelInfo::Reverse},
    {ChField::Whisper, &ChannelInfo::Whisper},
    {ChField::Compander, &ChannelInfo::Compander},
    {ChField::SignalRelation, &ChannelInfo::SignalRelation},
    {ChField::EotMemCode, &ChannelInfo::EotMemCode},
    {ChField::RbTone, &ChannelInfo::RbTone},
    {ChField::SqlMode, &ChannelInfo::SqlMode},
    {ChField::AmFm, &ChannelInfo::AmFm},
    {ChField::AmPower, &ChannelInfo::AmPower},
    {ChField::FmPower, &ChannelInfo::FmPower},
    {ChField::CallMemCode, &ChannelInfo::CallMemCode},
    {ChField::Rep, &ChannelInfo::Rep},
    {ChField::Tsq, &ChannelInfo::Tsq},
    {ChField::ExtraChoice, &ChannelInfo::ExtraChoice},
    {ChField::RxExpand, &ChannelInfo::RxExpand},
    {ChField::TxCompress, &ChannelInfo::TxCompress},
    {ChField::NbAnl, &ChannelInfo::NbAnl},
    {ChField::Att, &ChannelInfo::Att},
    {ChField::HiCut, &ChannelInfo::HiCut},
    {ChField::AmFmLock, &ChannelInfo::AmFmLock},
    {ChField::AmPowerLock, &ChannelInfo::AmPowerLock},
    {ChField::FmPowerLock, &ChannelInfo::FmPowerLock},
    {ChField::FmPowerLock2, &ChannelInfo::FmPowerLock2},
    {ChField::AmPower4W, &ChannelInfo::AmPower4W},
    {ChField::AmPower15W, &ChannelInfo::AmPower15W},
    {ChField::FmPower4W, &ChannelInfo::FmPower4W},
    {ChField::FmPower15W, &ChannelInfo::FmPower15W},
    {ChField::FmPower50W, &ChannelInfo::FmPower50W},
    {ChField::RepLock, &ChannelInfo::RepLock},
    {ChField::RbLock, &ChannelInfo::RbLock},
};

constexpr int kBusyLockNeedsTone = 2;
constexpr int kTextBusyLockFirst = 15030; // 15030, 15031, then 15032 with a reference tone

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

void SetRxTone(ChannelInfo& channel, std::int16_t tone) {
    const auto old = channel.RxTone;
    channel.RxTone = tone;
    if (tone == 0 && channel.BusyLock == kBusyLockNeedsTone)
        channel.BusyLock = 1;
    if (old == 0 && channel.TxTone == 0)
        channel.TxTone = tone;
}

void SetTxTone(ChannelInfo& channel, std::int16_t tone) {
    const auto old = channel.TxTone;
    channel.TxTone = tone;
    if (old == 0 && channel.RxTone == 0)
        channel.RxTone = tone;
}

// True when the entry is what the field shows now, so storing it would change nothing.
bool ShowsUnchanged(const ChannelInfo& channel, int code, const std::string& value,
                    bool showTxOffset, const FreContext& fre) {
    if (code == ChField::RxFre)
        return value == FreStoreToShow(TrimFixStr(channel.RxFre), fre);
    if (code == ChField::TxFre)
        return value == TxFreShowChecked(TrimFixStr(channel.RxFre), TrimFixStr(channel.Offset),
                                         channel.ShiftDir, showTxOffset, fre);
    return false;
}

} // namespace

void SetChField(ChannelInfo& channel, int code, std::string_view value, bool showTxOffset,
                const FreContext& fre) {
    if (code == ChField::RxFre) {
        if (channel.ChNo > kLastFixedChannel)
            channel.RxFre = MakeFixStr<8>(FreShowToStore(value, fre.BandLow));
        return;
    }
    if (code == ChField::TxFre) {
        channel.Offset =
            MakeFixStr<7>(OffsetShowToStore(TrimFixStr(channel.RxFre), value, showTxOffset,
                                            TrimFixStr(channel.Offset), channel.ShiftDir, fre));
        ChRasterAlign(channel, fre);
        return;
    }
    const auto number = RoundedNumber<std::int16_t>(value);
    if (!number)
        return;
    const bool isTone = code == ChField::RxTone || code == ChField::TxTone;
    if (isTone && (*number < 0 || *number >= kToneCount))
        return;
    switch (code) {
    case ChField::RxTone:
        SetRxTone(channel, *number);
        return;
    case ChField::TxTone:
        SetTxTone(channel, *number);
        return;
    case ChField::OptSignal:
        channel.OptSignal = *number;
        if (channel.RxTone == 0 && channel.BusyLock > 1)
            channel.BusyLock = 1;
        return;
    }
    for (const auto& [fieldCode, field] : kPlainFields)
        if (fieldCode == code)
            channel.*field = *number;
}

void SetChValue(Document& document, const ChannelEnv& env, int group, int pos, int code,
                std::string& value) {
    if (group < 0 || group > kMemGroup || pos < 1 || pos > GroupSize(group))
        return;
    const FreContext fre = FreContextOf(document, env);
    if (IsBlank(value))
        value.clear();
    const bool isFrequency =
        code == ChField::RxFre || (code == ChField::TxFre && !env.ShowTxOffset);
    if (!value.empty() && isFrequency)
        value = FreCheckText(value, document.Doc.OptFeatures.Word(OptWord::CurGroup), fre);

    const int chNo = GroupStartNo(group) + pos;
    const int index = FindChIndex(document, chNo);
    if (index < 0) {
        // value was checked above, so a new channel starts inside the band
        if (code == ChField::RxFre && !value.empty() && AddCh(document, chNo, value))
            CheckGroupChRefs(document, env.Views, group);
    } else {
        ChannelInfo& channel = document.ChList[index];
        if (code == ChField::RxFre && value.empty()) {
            if (UsedChCount(document) > 1 && group != kVfoGroup)
                DeleteChAt(document, index);
        } else if (!ShowsUnchanged(channel, code, value, env.ShowTxOffset, fre)) {
            SetChField(channel, code, value, env.ShowTxOffset, fre);
        }
        if (code == ChField::RxFre)
            CheckGroupChRefs(document, env.Views, group);
    }
    env.Views.reShowGrid(chNo);
    env.Views.SetGridEditData(true);
}

void SetChValue(Document& document, const ChannelEnv& env, int group, int pos, int code,
                int value) {
    std::string text = std::to_string(value);
    SetChValue(document, env, group, pos, code, text);
}

void ShowBusyLockChoices(Document& document, const ChannelEnv& env, int chNo) {
    const int index = FindChIndex(document, chNo);
    if (index < 0)
        return;
    ChannelInfo& channel = document.ChList[index];
    const int referenceTone = channel.Reverse != 0 ? channel.TxTone : channel.RxTone;
    if (referenceTone == 0 && channel.BusyLock == kBusyLockNeedsTone)
        channel.BusyLock = 1;
    if (!env.Views.IsChEditOpen())
        return;
    std::vector<std::string> entries;
    const int choices = referenceTone != 0 ? 3 : 2;
    for (int i = 0; i < choices; ++i)
        entries.push_back(env.Texts.GetText(kTextBusyLockFirst + i));
    if (channel.BusyLock < 0 || channel.BusyLock >= choices)
        channel.BusyLock = 0;
    env.Views.ShowBusyLockList(entries, channel.BusyLock);
}

} // namespace velmar
