#pragma once
// The rules of the optional-features window, free of any widget: its rows,
// what each list offers, which value a choice stores and which entry a stored
// value shows. Controls are known by their index in the window: Combo1(i) and
// Check1(n); SaveOptFeat takes i for a list and 100 + n for a check box.
#include <string>
#include <vector>

#include "channels/combo_lists.h"
#include "model/doc_record.h"
#include "settings/setting_lists.h"
#include "shell/text_lookup.h"

namespace velmar {

// Combo1(i) of the window.
enum OptCombo : int {
    ComboTotTime = 4,
    ComboScanMode = 14,
    ComboScanResume = 15,
    ComboDecode = 29,
    ComboEncode = 30,
    ComboBusyLock = 31,
    ComboSqlMode = 36, // kept without a visible control
    ComboRep = 37,
    ComboKeyBeep = 38,
    ComboTsq = 40,
    ComboStep = 41,
    ComboDisplayMode = 42,
    ComboAmFm = 43,
    ComboAmPower = 44,
    ComboFmPower = 45,
    ComboEchoLock = 46,
    ComboEcho = 47,
    ComboRbFunction = 48,
};

// Check1(n) of the window.
enum OptCheck : int {
    CheckUseCommonCh = 7,
    CheckNbAnl = 10,
    CheckRepLock = 17,
    CheckAmFmLock = 18,
    CheckAmPower4W = 19,
    CheckAmPower15W = 20,
    CheckFmPower4W = 21,
    CheckFmPower15W = 22,
    CheckFmPower50W = 23,
};

// SaveOptFeat's number of check box n.
inline constexpr int kOptCheckBase = 100;

struct OptCheckBox {
    int Check;
    Caption Label;
};

// One row of the window: a label, its list and the check boxes beside it.
struct OptRow {
    int Combo;
    Caption Label;
    std::vector<OptCheckBox> Checks;
    bool MainVersionOnly = false; // absent without the main-version marker
};

// Left column: the radio-wide settings, top to bottom.
const std::vector<OptRow>& OptLeftRows();
// The frame of common channel settings, top to bottom.
const std::vector<OptRow>& OptCommonRows();
// The check box above that frame, which puts the common settings in use.
inline constexpr OptCheckBox kUseCommonChBox{CheckUseCommonCh, 16027};

// The window's height in twips taken away, and the frames' heights, when the
// main-version rows are absent.
inline constexpr int kOptMainVersionRowsTwips = 700;

// The entries of list Combo1(combo) as the window loads them. The power lists
// are the full level lists (text 15502, 15503 and 15504, 15505, 15508); the
// window offers only the levels ticked (OptPowerLevels).
std::vector<std::string> OptListEntries(int combo, const TextLookup& texts);

// The list index that shows the stored value of Combo1(combo); an index
// outside the list stands for its first entry. The transmit time-out shows
// TotTime / 15, halves to even.
int OptShownIndex(const DocRecord& doc, int combo);

// What check box Check1(check) shows: 1 only for a stored 1.
int OptCheckValue(const DocRecord& doc, int check);

// Stores the value of one control: rID is a list index Combo1(rID) or
// 100 + n for Check1(n). `value` is the list index (for the power lists the
// index of the shown level in the full level list) or the check box value.
// The time-out stores index × 15, the roger-beep function the byte ExtOption.
// Indexes without a field store nothing; a value outside its list is refused,
// so that every stored value fits its place in the radio image.
void SaveOptFeat(DocRecord& doc, int rID, int value);

// The levels a power list offers and the one it shows, as indexes into the
// full level list.
struct PowerLevels {
    std::vector<int> Offered;
    int Shown = 0;
};

// AM: 4 W and 15 W as ticked, 4 W alone when neither is; FM: 4 W, 15 W and
// 50 W likewise. A stored level that is not offered shows the first offered.
PowerLevels AmPowerLevels(const ChannelInfo& common);
PowerLevels FmPowerLevels(const ChannelInfo& common);

// Moves AmPower and FmPower of the common settings to the level their lists
// show (at load and whenever a level box changes).
void ApplyPowerLevels(DocRecord& doc);

// The lists that follow the common decode tone: the busy-lockout list and the
// squelch-mode choice that has no visible control.
struct DecodeLists {
    ComboList BusyLock;
    ComboList SqlMode;
    bool SqlModeEnabled = false;
};

// As loaded: busy lockout 15030, 15031, 15033 showing BusyLock (no entry for
// a stored 2 while the list lacks its third entry); squelch mode
// 15031, 15032 showing SqlMode, or its first entry while no decode tone is
// set, enabled only with a decode tone.
DecodeLists LoadDecodeLists(const DocRecord& doc, const TextLookup& texts);

// After the common decode tone was stored: with a tone the squelch choice
// takes `decodeEnabled` and the busy lockout's third entry becomes 15032;
// without one the squelch choice is disabled and back at its first entry
// (SqlMode := 0) and the busy lockout loses its third entry. BusyLock itself
// is never changed here; the busy lockout shows it as stored now.
void DecodeToneChanged(DecodeLists& lists, DocRecord& doc, bool decodeEnabled,
                       const TextLookup& texts);

// A roger-beep list: text 15030, then the numbers of the valid tone tips,
// showing tip `rbTone` (text 15030 for a tip that is not valid). The window's
// radio-wide list shows OptChannel.RbTone.
ComboList RogerBeepList(const DocRecord& doc, int rbTone, const TextLookup& texts);

} // namespace velmar
