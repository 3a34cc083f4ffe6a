#include "channels/ch_info_edit_rules.h"

#include <algorithm>
#include <span>

#include "channels/channel_values.h"
#include "channels/tone_list.h"
#include "channels/tone_tip_refs.h"
#include "shell/numbers.h"

namespace velmar {

const std::array<ChEditRowDef, kChEditRowCount> kChEditRows{{
    {RowRxFre, 0, {15002}, -1, ChField::RxFre},
    {RowRxTone, 0, {15005}, 0, ChField::RxTone},
    {RowTxTone, 1, {15006}, 1, ChField::TxTone},
    {RowTsq, 18, {15023}, 18, ChField::Tsq},
    {RowBusyLock, 6, {15011}, 6, ChField::BusyLock},
    {RowAmFm, 13, {15202}, 13, ChField::AmFm},
    {RowRep, 17, {0, "Rep"}, 17, ChField::Rep},
    {RowRbTone, 11, {15200}, 11, ChField::RbTone},
    {RowAmPower, 14, {15203}, 14, ChField::AmPower},
    {RowFmPower, 15, {15204}, 15, ChField::FmPower},
}};

const std::array<ChEditCheckDef, kChEditCheckCount> kChEditChecks{{
    {RowRxFre, 0, {15014}, ChField::ScanSkip, &ChannelInfo::ScanSkip},
    {RowRxTone, 9, {15302}, ChField::NbAnl, &ChannelInfo::NbAnl},
    {RowAmFm, 12, {15400}, ChField::AmFmLock, &ChannelInfo::AmFmLock},
    {RowRep, 22, {15509}, ChField::RepLock, &ChannelInfo::RepLock},
    {RowRbTone, 23, {0, "RB Lock"}, ChField::RbLock, &ChannelInfo::RbLock},
    {RowAmPower, 17, {15502}, ChField::AmPower4W, &ChannelInfo::AmPower4W},
    {RowAmPower, 18, {15503}, ChField::AmPower15W, &ChannelInfo::AmPower15W},
    {RowFmPower, 19, {15504}, ChField::FmPower4W, &ChannelInfo::FmPower4W},
    {RowFmPower, 20, {15505}, ChField::FmPower15W, &ChannelInfo::FmPower15W},
    {RowFmPower, 21, {15508}, ChField::FmPower50W, &ChannelInfo::FmPower50W},
}};

namespace {

constexpr int kTextOff = 15030;
constexpr int kFirstRepeatedGroup = 3; // groups 0 … 2 have no repeater shift

using ChannelField = std::int16_t ChannelInfo::*;

// A power list: its levels (full-list index = stored value), the box that
// offers each level, and the field that holds the choice.
struct PowerRow {
    std::span<const int> TextIds;
    std::span<const ChannelField> Offers;
    ChannelField Level;
};

constexpr int kAmPowerTexts[] = {15502, 15503};
constexpr ChannelField kAmPowerOffers[] = {&ChannelInfo::AmPower4W, &ChannelInfo::AmPower15W};
constexpr int kFmPowerTexts[] = {15504, 15505, 15508};
constexpr ChannelField kFmPowerOffers[] = {&ChannelInfo::FmPower4W, &ChannelInfo::FmPower15W,
                                           &ChannelInfo::FmPower50W};
constexpr PowerRow kAmPowerRow{kAmPowerTexts, kAmPowerOffers, &ChannelInfo::AmPower};
constexpr PowerRow kFmPowerRow{kFmPowerTexts, kFmPowerOffers, &ChannelInfo::FmPower};

// The levels `row` offers for `channel`, ascending; the first level when its
// boxes offer none.
std::vector<int> OfferedLevels(const PowerRow& row, const ChannelInfo& channel) {
    std::vector<int> levels;
    for (std::size_t level = 0; level < row.Offers.size(); ++level)
        if (CheckBoxValue(channel.*row.Offers[level]) == 1)
            levels.push_back(static_cast<int>(level));
    if (levels.empty())
        levels.push_back(0);
    return levels;
}

int SettledLevel(const PowerRow& row, const ChannelInfo& channel) {
    const std::vector<int> levels = OfferedLevels(row, channel);
    const int stored = channel.*row.Level;
    const int shown = stored >= 0 && stored < static_cast<int>(row.TextIds.size()) ? stored : 0;
    return std::find(levels.begin(), levels.end(), shown) != levels.end() ? shown : levels.front();
}

ChEditChoices PowerChoices(const PowerRow& row, const ChannelInfo& channel,
                           const TextLookup& texts) {
    ChEditChoices choices;
    for (const int level : OfferedLevels(row, channel))
        choices.push_back({texts.GetText(row.TextIds[level]), level});
    return choices;
}

// Entries whose values are their list indexes.
ChEditChoices IndexedChoices(const std::vector<std::string>& entries) {
    ChEditChoices choices;
    for (const std::string& entry : entries)
        choices.push_back({entry, static_cast<int>(choices.size())});
    return choices;
}

// A list showing the entry of `stored`; the first entry when no entry has
// that value, as a list shows a value outside it.
ChEditListView ShowValue(ChEditChoices choices, int stored, bool enabled = true) {
    ChEditListView list{std::move(choices), -1, enabled};
    const auto found = std::find_if(list.Entries.begin(), list.Entries.end(),
                                    [&](const ChEditChoice& c) { return c.Value == stored; });
    if (found != list.Entries.end())
        list.Selected = static_cast<int>(found - list.Entries.begin());
    else if (!list.Entries.empty())
        list.Selected = 0;
    return list;
}

// What every list of an empty position shows: one blank, nothing to choose.
ChEditListView BlankList() {
    return {{{kEmptyPositionEntry, kNoChoice}}, 0, false};
}

const ChannelInfo* FindChannel(const Document& document, int chNo) {
    const int index = FindChIndex(document, chNo);
    return index < 0 ? nullptr : &document.ChList[index];
}

// Takes the busy-lockout list that the channel rules hand to an open editor.
class BusyLockListCapture : public ChannelViews {
public:
    bool IsChEditOpen() const override { return true; }
    void ShowBusyLockList(const std::vector<std::string>& entries, int /*selected*/) override {
        Entries = entries;
    }
    std::vector<std::string> Entries;
};

} // namespace

std::string ChEditCaption::Text(const TextLookup& texts) const {
    return Fixed ? std::string(Fixed) : texts.GetText(TextId);
}

bool IsChEditRowShown(ChEditRow row, bool isMainVersion, int group) {
    if (row == RowRep)
        return group >= kFirstRepeatedGroup;
    if (row == RowRbTone || row == RowAmPower || row == RowFmPower)
        return isMainVersion;
    return true;
}

ChEditChoices ToneChoices(const TextLookup& texts) {
    ChEditChoices choices;
    choices.reserve(kToneCount);
    for (const std::string& tone : ToneList())
        choices.push_back({tone, static_cast<int>(choices.size())});
    choices.front().Text = texts.GetText(kTextOff);
    return choices;
}

ChEditChoices RogerBeepChoices(const DocRecord& doc, const TextLookup& texts) {
    ChEditChoices choices{{texts.GetText(kTextOff), 0}};
    for (int tip = 1; tip <= static_cast<int>(doc.ToneTips.size()); ++tip)
        if (IsToneTipValid(doc, tip))
            choices.push_back({std::to_string(tip), tip});
    return choices;
}

int RogerBeepShown(const DocRecord& doc, int rbTone) {
    return IsToneTipValid(doc, rbTone) ? rbTone : 0;
}

ChEditChoices AmPowerChoices(const ChannelInfo& channel, const TextLookup& texts) {
    return PowerChoices(kAmPowerRow, channel, texts);
}

ChEditChoices FmPowerChoices(const ChannelInfo& channel, const TextLookup& texts) {
    return PowerChoices(kFmPowerRow, channel, texts);
}

void SettlePowerLevels(ChannelInfo& channel) {
    for (const PowerRow* row : {&kAmPowerRow, &kFmPowerRow})
        channel.*row->Level = static_cast<std::int16_t>(SettledLevel(*row, channel));
}

std::string RxEntryToStore(std::string_view text) {
    return IsNumeric(text) ? Format(Number(text), "#0.00000") : std::string(text);
}

int ChEditListView::SelectedValue() const {
    return Selected >= 0 && Selected < static_cast<int>(Entries.size()) ? Entries[Selected].Value
                                                                        : kNoChoice;
}

ChEditListView RogerBeepView(const Document& document, const TextLookup& texts, int chNo) {
    const ChannelInfo* channel = FindChannel(document, chNo);
    if (!channel)
        return BlankList();
    return ShowValue(RogerBeepChoices(document.Doc, texts),
                     RogerBeepShown(document.Doc, channel->RbTone));
}

ChEditListView BusyLockView(Document& document, const ChannelEnv& env, int chNo) {
    BusyLockListCapture capture;
    ShowBusyLockChoices(document, {env.Messages, env.Texts, capture, env.ShowTxOffset}, chNo);
    const ChannelInfo* channel = FindChannel(document, chNo);
    if (!channel)
        return BlankList();
    return ShowValue(IndexedChoices(capture.Entries), channel->BusyLock);
}

ChInfoEditView ShowChEditPosition(Document& document, const ChannelEnv& env, int group, int pos) {
    ChInfoEditView view;
    const bool numbered = group >= 0 && group <= kMemGroup && pos >= 1 && pos <= GroupSize(group);
    view.ChNo = numbered ? GroupStartNo(group) + pos : 0;
    const int index = numbered ? FindChIndex(document, view.ChNo) : -1;
    if (index < 0) {
        for (ChEditListView& list : view.Lists)
            list = BlankList();
        return view;
    }

    ChannelInfo& channel = document.ChList[index];
    SettlePowerLevels(channel);
    const TextLookup& texts = env.Texts;
    view.Used = true;
    view.RxText = FreStoreToShow(TrimFixStr(channel.RxFre), FreContextOf(document, env));
    // channels 1 … 120 keep the frequency they were created with
    view.RxEnabled = view.RxText.empty() || view.ChNo > kLastFixedChannel;

    view.Lists[RowRxTone] = ShowValue(ToneChoices(texts), channel.RxTone);
    view.Lists[RowTxTone] = ShowValue(ToneChoices(texts), channel.TxTone);
    view.Lists[RowTsq] =
        ShowValue(IndexedChoices({texts.GetText(15052), texts.GetText(15053)}), channel.Tsq);
    view.Lists[RowBusyLock] = BusyLockView(document, env, view.ChNo);
    // the lock of the modulation row holds the list, the lock of the repeater row frees it
    view.Lists[RowAmFm] = ShowValue(IndexedChoices({texts.GetText(15500), texts.GetText(15501)}),
                                    channel.AmFm, CheckBoxValue(channel.AmFmLock) != 1);
    view.Lists[RowRep] = ShowValue(IndexedChoices({texts.GetText(kTextOff), "+100K", "-100K"}),
                                   channel.Rep, CheckBoxValue(channel.RepLock) == 1);
    view.Lists[RowRbTone] = RogerBeepView(document, texts, view.ChNo);
    view.Lists[RowAmPower] = ShowValue(AmPowerChoices(channel, texts), channel.AmPower);
    view.Lists[RowFmPower] = ShowValue(FmPowerChoices(channel, texts), channel.FmPower);

    const int vfoChNo = GroupStartNo(kVfoGroup) + 1;
    for (std::size_t i = 0; i < kChEditChecks.size(); ++i) {
        const ChEditCheckDef& check = kChEditChecks[i];
        // the VFO channel is always skipped when scanning
        if (check.Field == &ChannelInfo::ScanSkip && view.ChNo == vfoChNo)
            view.Checks[i] = {1, false};
        else
            view.Checks[i] = {CheckBoxValue(channel.*check.Field), true};
    }
    return view;
}

} // namespace velmar
