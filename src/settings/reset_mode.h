#pragma once
// The rules of the reset-mode window, free of any widget: for each of the
// radio's three modes the group and channel position it is set to on a
// reset. Groups are offered by name; the lists remember the group number of
// each entry, so that a group named like another label still stores its own
// number.
#include <array>
#include <vector>

#include "channels/combo_lists.h"
#include "model/doc_record.h"

namespace velmar {

enum class ResetMode { E = 0, Normal = 1, Ext = 2 };
inline constexpr int kResetModes = 3;

// A list of groups: the entries are group labels, Groups[i] is the number of
// entry i.
struct GroupChoice {
    ComboList List;
    std::vector<int> Groups;

    // The group of the selected entry; 0 when none is selected.
    int Group() const;
    // An entry is selected and it is that of `group`.
    bool Shows(int group) const;
    // Selects the entry of `group`, else the first entry, nothing in an empty
    // list.
    void SelectGroupOrFirst(int group);
    void Add(int group, const std::string& label);
};

struct ResetModeLists {
    ComboList Master; // every group by name, entry index = group (Combo1(0))
    // Per mode: its group list (Combo1(23), (25), (27)) and channel list
    // (Combo1(24), (26), (28)).
    std::array<GroupChoice, kResetModes> GroupLists;
    std::array<ComboList, kResetModes> ChannelLists;
    // The E-mode group as the user picks it: valid groups from 3 up (Combo2).
    GroupChoice EGroupShown;
};

// FillResetLists, then ShowResetMode: the lists as the document's group
// names and valid flags give them, each showing its stored value; values the
// lists cannot show are replaced by what they show. Makes the group names
// unique first.
void ReShowInit(ResetModeLists& lists, DocRecord& doc);

// The user picked an entry of the group list of `mode` (select it first): the
// group is stored and the channel list refilled; for the E mode the shown
// E-mode list follows.
void GroupChosen(ResetModeLists& lists, DocRecord& doc, ResetMode mode);

// The user picked an entry of the channel list of `mode`: its number is
// stored, 0 when none is selected.
void ChannelChosen(ResetModeLists& lists, DocRecord& doc, ResetMode mode);

// The user picked an entry of the shown E-mode group list: the E-mode group
// list follows and stores it.
void ShownEGroupChosen(ResetModeLists& lists, DocRecord& doc);

} // namespace velmar
