#pragma once
// The list rules shared by every editor window, free of any widget: which
// entry a drop-down list shows for a stored value, which value a choice
// stores, and what the common lists offer. A window copies its combo box to a
// ComboList, applies a rule and copies the result back.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/doc_record.h"
#include "shell/text_lookup.h"

namespace velmar {

struct ComboList {
    std::vector<std::string> Entries;
    int Selected = -1; // -1: no entry selected

    // The selected entry; the empty text when none is selected.
    std::string Text() const;
};

// What a check box shows for a stored yes/no value: anything but 1 shows as 0.
int CheckBoxValue(int stored);

// out = the selected entry as a 16-bit integer (halves to even) when it is
// numeric and in range, else `fallback`.
void GetComboNumber(const ComboList& combo, std::int16_t& out, std::int16_t fallback);

// out = the selected index; left unchanged when nothing is selected.
void GetComboIndex(const ComboList& combo, int& out);

// The entry equal to `text`, else the first entry; empty for an empty list.
std::string FindComboText(const ComboList& combo, std::string_view text);

// Selects FindComboText(combo, text), or clears the selection when that is empty.
void SelectComboText(ComboList& combo, std::string_view text);

// Entry `index` when it exists, else the first entry; empty for an empty list.
std::string ComboTextAt(const ComboList& combo, int index);

// Selects ComboTextAt(combo, index), or clears the selection when that is empty.
void SelectComboIndex(ComboList& combo, int index);

// Index of the first entry equal to `text`; 0 when none is; `fallback` when
// the list or the text is empty.
int ComboIndexOfText(const ComboList& combo, std::string_view text, int fallback);

// Adds `text` at the end unless an equal entry exists.
void AddComboTextOnce(ComboList& combo, std::string_view text);

// `text` as a 32-bit integer (halves to even); `fallback` when it is empty, not
// numeric or out of range.
std::int32_t ValLngOr(std::string_view text, std::int32_t fallback);

// Entries 0 … 14 become the group numbers "0" … "14"; later entries stay.
void FillGroupNumbers(ComboList& combo);

// The target gets the entries of the source, nothing selected.
void CopyComboList(const ComboList& source, ComboList& target);

// Text 14013 ("none"), then the number of every DTMF memory code (1 … 16)
// that holds digits.
void FillMemCodeList(ComboList& combo, const DtmfSettingsRecord& dtmf, const TextLookup& texts);

// The part of a path after its last "\" or "/"; the path itself without one.
std::string FileNameOfPath(std::string_view path);

} // namespace velmar
