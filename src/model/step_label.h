#pragma once
// What a step of the document history changed, as the Edit menu names it
// ("Undo receive frequency of channel 130"): a text with "%1" and "%2" filled
// in turn from its arguments, each a text (by id) or a number. The label
// keeps ids, not words, so the menu follows a change of language.
#include <string>
#include <vector>

#include "shell/text_lookup.h"

namespace velmar {

struct LabelArg {
    bool IsText = false; // a text id, else a number
    int Value = 0;
    friend bool operator==(const LabelArg&, const LabelArg&) = default;
};

struct StepLabel {
    int TextId = 0;
    std::vector<LabelArg> Args;
    friend bool operator==(const StepLabel&, const StepLabel&) = default;
};

inline LabelArg TextArg(int textId) {
    return {true, textId};
}
inline LabelArg NumberArg(int number) {
    return {false, number};
}

// Texts of the Edit menu, the toolbar and the labels.
namespace StepText {
inline constexpr int UndoEntry = 10230;     // "&Undo", nothing to undo
inline constexpr int RedoEntry = 10231;     // "&Redo"
inline constexpr int UndoStepEntry = 10232; // "&Undo %1"
inline constexpr int RedoStepEntry = 10233; // "&Redo %1"
inline constexpr int UndoTip = 11020;       // toolbar, nothing to undo
inline constexpr int RedoTip = 11021;
inline constexpr int UndoStepTip = 11022; // "Undo %1"
inline constexpr int RedoStepTip = 11023;

inline constexpr int FieldOfChannel = 32300; // "%1 of channel %2"
// 32301 … 32329: the channel fields (channels/change_labels)
inline constexpr int CutChannel = 32330;       // "cut of channel %1"
inline constexpr int PasteChannel = 32331;     // "paste to channel %1"
inline constexpr int InsertChannel = 32332;    // "insert at channel %1"
inline constexpr int DeleteChannel = 32333;    // "delete of channel %1"
inline constexpr int MoveChannelUp = 32334;    // "move up of channel %1"
inline constexpr int MoveChannelDown = 32335;  // "move down of channel %1"
inline constexpr int GroupName = 32340;        // "name of group %1"
inline constexpr int GroupValid = 32341;       // "valid flag of group %1"
inline constexpr int EmergencyChannel = 32342; // "emergency channel of group %1"
inline constexpr int EmergencyMode = 32343;    // "AM/FM of the emergency channel of group %1"
inline constexpr int OptFeatures = 32350;      // "optional features"
inline constexpr int EmbMsgLine = 32351;       // "line %1 of the embedded message"
inline constexpr int ToneTip = 32352;          // "tone tip %1"
inline constexpr int ResetMode = 32353;        // "reset mode"
inline constexpr int ReadFromRadio = 32360;    // "read from the radio"
inline constexpr int Open = 32361;             // "open"
inline constexpr int NewDocument = 32362;      // "new document"
inline constexpr int InitSettings = 32363;     // "initialise settings"
inline constexpr int ModelAndBand = 32364;     // "model and band"
} // namespace StepText

// The label in the current language.
std::string StepLabelText(const StepLabel& label, const TextLookup& texts);

// What the Undo (or Redo) entry of the Edit menu says: "Undo " and the label,
// or "Undo" alone when there is no step (`label` null). The toolbar key's
// tooltip likewise.
std::string UndoEntryText(const StepLabel* label, bool redo, const TextLookup& texts);
std::string UndoTipText(const StepLabel* label, bool redo, const TextLookup& texts);

} // namespace velmar
