#pragma once
// What the channel detail editor shows for one position of one group, free of
// any widget: its rows with their captions and field codes, the entries each
// list offers, which entry is shown, and what can be changed.
//
// Every list entry carries the value it stores, so a list that offers only
// part of its choices (busy lockout, roger beep, the power levels) never has
// to look a value up by its text, and no list offers a value beyond what the
// radio keeps for the field (AM power and modulation one bit, FM power,
// busy lockout and repeater two bits, roger beep four).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "channels/channel_list.h"

namespace velmar {

// A caption from the language file, or a fixed text that is never translated.
struct ChEditCaption {
    int TextId = 0;
    const char* Fixed = nullptr;

    std::string Text(const TextLookup& texts) const;
};

// The rows of the editor, top to bottom.
enum ChEditRow {
    RowRxFre,
    RowRxTone,
    RowTxTone,
    RowTsq,
    RowBusyLock,
    RowAmFm,
    RowRep,
    RowRbTone,
    RowAmPower,
    RowFmPower,
    kChEditRowCount
};

// One row: a label, the entry box Text1 (frequency row) or the list
// Combo2(ListIndex), and the field code its value goes to.
struct ChEditRowDef {
    ChEditRow Row;
    int LabelIndex; // Label3(LabelIndex); the frequency row has Label2(0)
    ChEditCaption Caption;
    int ListIndex; // Combo2(ListIndex); -1 for the frequency row
    int Code;
};

// A check box Check1(Index) on a row, storing its 0/1 through `Code`.
struct ChEditCheckDef {
    ChEditRow Row;
    int Index;
    ChEditCaption Caption;
    int Code;
    std::int16_t ChannelInfo::*Field;
};

inline constexpr int kChEditCheckCount = 10;
extern const std::array<ChEditRowDef, kChEditRowCount> kChEditRows;
extern const std::array<ChEditCheckDef, kChEditCheckCount> kChEditChecks;

// Caption of the window, of the group and position labels, and the entry
// shown by every list of an empty position.
inline constexpr int kTextChEditCaption = 15000;
inline constexpr int kTextChEditGroup = 15029;
inline constexpr int kTextChEditPosition = 15001;
inline constexpr char kEmptyPositionEntry[] = " ";

// The roger-beep row and the two power rows exist only in the main version;
// the repeater row only for groups 3 and up.
bool IsChEditRowShown(ChEditRow row, bool isMainVersion, int group);

// One entry of a list and the value choosing it stores.
struct ChEditChoice {
    std::string Text;
    int Value = 0;
    friend bool operator==(const ChEditChoice&, const ChEditChoice&) = default;
};
using ChEditChoices = std::vector<ChEditChoice>;
// The value of the blank entry that every list of an empty position shows.
inline constexpr int kNoChoice = -1;

// The decode and encode tones: ToneList with its first entry "OFF" as text 15030.
ChEditChoices ToneChoices(const TextLookup& texts);

// Text 15030 (value 0), then the number of every valid tone tip, ascending.
ChEditChoices RogerBeepChoices(const DocRecord& doc, const TextLookup& texts);
// What the roger-beep list shows for `rbTone`: the tip when it is valid, else
// 0; the stored number itself is left alone.
int RogerBeepShown(const DocRecord& doc, int rbTone);

// The power levels a channel offers: AM 15502 (value 0) and 15503 (1) as
// AmPower4W and AmPower15W allow; FM 15504 (0), 15505 (1) and 15508 (2) as
// FmPower4W, FmPower15W and FmPower50W allow. A list that would be empty
// offers its first level.
ChEditChoices AmPowerChoices(const ChannelInfo& channel, const TextLookup& texts);
ChEditChoices FmPowerChoices(const ChannelInfo& channel, const TextLookup& texts);
// Moves AmPower and FmPower off levels their channel no longer offers, onto
// the first level offered; a level outside its list counts as the first level.
void SettlePowerLevels(ChannelInfo& channel);

// A receive-frequency entry as it is handed on to be stored: a number with
// exactly five decimals ("27.125" gives "27.12500"); anything else unchanged.
std::string RxEntryToStore(std::string_view text);

struct ChEditListView {
    ChEditChoices Entries;
    int Selected = -1; // index into Entries; -1 shows nothing
    bool Enabled = false;

    // The value of the shown entry; kNoChoice when none or the blank is shown.
    int SelectedValue() const;
};

struct ChEditCheckView {
    int Value = 0;
    bool Enabled = false;
};

// Everything the editor shows for one position.
struct ChInfoEditView {
    int ChNo = 0;
    bool Used = false; // a channel has this number
    std::string RxText;
    bool RxEnabled = true;
    std::array<ChEditListView, kChEditRowCount> Lists;     // Lists[RowRxFre] is unused
    std::array<ChEditCheckView, kChEditCheckCount> Checks; // in kChEditChecks order
};

// The editor's view of position `pos` of `group`. Showing a used channel
// settles it as the editor always has: busy lockout 2 without a reference
// tone becomes 1 (ShowBusyLockChoices) and a power level the channel no
// longer offers moves to the first offered one; both are written into the
// channel directly. An empty position (or one outside the numbering) shows an
// empty, enabled frequency box and nothing else that can be changed.
ChInfoEditView ShowChEditPosition(Document& document, const ChannelEnv& env, int group, int pos);

// The two rows that other windows refresh on their own: the roger-beep list
// after tone tips changed, the busy-lockout list after a tone changed. Both
// disabled and blank for a position without channel.
ChEditListView RogerBeepView(const Document& document, const TextLookup& texts, int chNo);
ChEditListView BusyLockView(Document& document, const ChannelEnv& env, int chNo);

} // namespace velmar
