#include "settings/reset_mode.h"

#include <algorithm>
#include <string>

#include "channels/group_names.h"
#include "model/channel_info.h"
#include "settings/setting_lists.h"

namespace velmar {

namespace {

constexpr int kValidFlagGroups = 14; // groups 0 … 13 have a valid flag
constexpr int kFirstShownEGroup = 3; // the E mode is picked from group 3 up
constexpr int kFirstExtGroup = 8;    // the extended mode offers groups 8 … 13
constexpr int kLastExtGroup = 13;

OptWord GroupWord(ResetMode mode) {
    constexpr std::array<OptWord, kResetModes> words{OptWord::StartGroup, OptWord::NormalGroup,
                                                     OptWord::ExtGroup};
    return words[static_cast<int>(mode)];
}

OptWord ChannelWord(ResetMode mode) {
    constexpr std::array<OptWord, kResetModes> words{OptWord::StartCh, OptWord::NormalCh,
                                                     OptWord::ExtCh};
    return words[static_cast<int>(mode)];
}

void FillResetLists(ResetModeLists& lists, DocRecord& doc) {
    FillGroupList(lists.Master, doc);
    GroupChoice& eGroups = lists.GroupLists[static_cast<int>(ResetMode::E)];
    GroupChoice& normalGroups = lists.GroupLists[static_cast<int>(ResetMode::Normal)];
    GroupChoice& extGroups = lists.GroupLists[static_cast<int>(ResetMode::Ext)];
    eGroups = {};
    normalGroups = {};
    lists.EGroupShown = {};
    for (int g = 0; g < kValidFlagGroups; ++g) {
        if (doc.ResetFlags[g] == 0)
            continue;
        eGroups.Add(g, lists.Master.Entries[g]);
        normalGroups.Add(g, lists.Master.Entries[g]);
        if (g >= kFirstShownEGroup)
            lists.EGroupShown.Add(g, lists.Master.Entries[g]);
    }
    const int extSelected = extGroups.List.Selected;
    extGroups = {};
    for (int g = kFirstExtGroup; g <= kLastExtGroup; ++g)
        extGroups.Add(g, lists.Master.Entries[g]);
    extGroups.List.Selected = extSelected;
}

// The channel list of `mode` holds the positions of `group`; it shows the
// stored position, else "1", and the shown number is stored.
void RefillChannels(ResetModeLists& lists, DocRecord& doc, ResetMode mode, int group) {
    ComboList& channels = lists.ChannelLists[static_cast<int>(mode)];
    channels.Entries = NumberEntries(1, GroupSize(group));
    std::int16_t& position = doc.OptFeatures.Word(ChannelWord(mode));
    SelectComboText(channels, std::to_string(position));
    GetComboNumber(channels, position, 0);
}

} // namespace

int GroupChoice::Group() const {
    const int i = List.Selected;
    return i >= 0 && i < static_cast<int>(Groups.size()) ? Groups[i] : 0;
}

bool GroupChoice::Shows(int group) const {
    return List.Selected >= 0 && Group() == group;
}

void GroupChoice::SelectGroupOrFirst(int group) {
    const auto found = std::find(Groups.begin(), Groups.end(), group);
    if (found != Groups.end())
        List.Selected = static_cast<int>(found - Groups.begin());
    else
        List.Selected = Groups.empty() ? -1 : 0;
}

void GroupChoice::Add(int group, const std::string& label) {
    Groups.push_back(group);
    List.Entries.push_back(label);
}

void ReShowInit(ResetModeLists& lists, DocRecord& doc) {
    FillResetLists(lists, doc);
    for (ResetMode mode : {ResetMode::E, ResetMode::Normal, ResetMode::Ext})
        lists.GroupLists[static_cast<int>(mode)].SelectGroupOrFirst(
            doc.OptFeatures.Word(GroupWord(mode)));
    for (ResetMode mode : {ResetMode::E, ResetMode::Normal, ResetMode::Ext})
        GroupChosen(lists, doc, mode);
}

void GroupChosen(ResetModeLists& lists, DocRecord& doc, ResetMode mode) {
    const GroupChoice& groups = lists.GroupLists[static_cast<int>(mode)];
    const int group = groups.Group();
    doc.OptFeatures.Word(GroupWord(mode)) = static_cast<std::int16_t>(group);
    if (mode == ResetMode::E && !lists.EGroupShown.Shows(group)) {
        // The shown list cannot show groups 0 … 2: its first group replaces them.
        lists.EGroupShown.SelectGroupOrFirst(group);
        if (lists.EGroupShown.List.Selected >= 0 && !lists.EGroupShown.Shows(group)) {
            ShownEGroupChosen(lists, doc);
            return;
        }
    }
    RefillChannels(lists, doc, mode, group);
}

void ChannelChosen(ResetModeLists& lists, DocRecord& doc, ResetMode mode) {
    GetComboNumber(lists.ChannelLists[static_cast<int>(mode)],
                   doc.OptFeatures.Word(ChannelWord(mode)), 0);
}

void ShownEGroupChosen(ResetModeLists& lists, DocRecord& doc) {
    GroupChoice& eGroups = lists.GroupLists[static_cast<int>(ResetMode::E)];
    const int group = lists.EGroupShown.Group();
    if (lists.EGroupShown.List.Selected < 0 || eGroups.Shows(group))
        return;
    eGroups.SelectGroupOrFirst(group);
    GroupChosen(lists, doc, ResetMode::E);
}

} // namespace velmar
