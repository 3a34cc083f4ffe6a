#pragma once
// The used channels of the document: ChList entries 0 … ChCount − 1, in the
// order they were added, at most one per channel number. Channel numbers are
// GroupStartNo(group) + position (model/channel_info.h).
#include <string>
#include <string_view>

#include "channels/channel_views.h"
#include "channels/combo_lists.h"
#include "channels/frequency_codec.h"
#include "model/document.h"
#include "shell/message_sink.h"
#include "shell/text_lookup.h"

namespace velmar {

inline constexpr int kVfoGroup = 13;
inline constexpr int kMemGroup = 14;
inline constexpr int kOrdinaryGroups = 13; // groups 0 … 12, with names and emergency channels

// What the channel rules need from the running program besides the document.
struct ChannelEnv {
    MessageSink& Messages;
    const TextLookup& Texts;
    ChannelViews& Views;
    bool ShowTxOffset = true; // editing preference: transmit entries are offsets
};

FreContext FreContextOf(const Document& document, const ChannelEnv& env);

// ChCount, kept within 0 … 529 should a damaged document say otherwise.
int UsedChCount(const Document& document);

// List index of the used channel `chNo`; -1 when it is not used.
int FindChIndex(const Document& document, int chNo);

// Appends channel `chNo` with the frequency text `freText` and the defaults of
// a new channel. Refused (false) when the number is outside 1 … 529, already
// used, or the list is full.
bool AddCh(Document& document, int chNo, std::string_view freText);

// Removes list entry `index` (nothing when it is not used), keeping the order
// of the others.
void DeleteChAt(Document& document, int index);

// Removes the used channel `chNo`; nothing when it is not used.
void DeleteChByNo(Document& document, int chNo);

// `pos` when channel `pos` of group `group` is used, else 0.
int FindChInGroup(const Document& document, int group, int pos);

// The positions of the used channels of `group`, ascending, as texts.
void FillChNoList(ComboList& combo, const Document& document, int group);

// The group's label: "3 -- EC", "13 -- VFO", "14 -- MEM"; "3 -- " for a group
// without name. Any other group value is shown as group 0. The name is in the
// document's code page.
std::string GroupShowName(const DocRecord& doc, int group);

// The emergency channels of an ordinary group that name a position no longer
// used become 0; then the grid refills its emergency-channel lists.
void CheckGroupChRefs(Document& document, ChannelViews& views, int group);

} // namespace velmar
