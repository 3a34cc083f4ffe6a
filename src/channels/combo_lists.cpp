#include "channels/combo_lists.h"

#include <algorithm>

#include "shell/numbers.h"

namespace velmar {

namespace {

constexpr int kTextNone = 14013;

int IndexOf(const ComboList& combo, std::string_view text) {
    const auto found = std::find(combo.Entries.begin(), combo.Entries.end(), text);
    return found == combo.Entries.end() ? -1 : static_cast<int>(found - combo.Entries.begin());
}

// Shows `text` as a drop-down list does: the first equal entry is selected.
void ShowText(ComboList& combo, const std::string& text) {
    combo.Selected = text.empty() ? -1 : IndexOf(combo, text);
}

} // namespace

std::string ComboList::Text() const {
    return Selected >= 0 && Selected < static_cast<int>(Entries.size()) ? Entries[Selected] : "";
}

int CheckBoxValue(int stored) {
    return stored == 1 ? 1 : 0;
}

void GetComboNumber(const ComboList& combo, std::int16_t& out, std::int16_t fallback) {
    const auto number =
        combo.Selected >= 0 ? RoundedNumber<std::int16_t>(combo.Text()) : std::nullopt;
    out = number.value_or(fallback);
}

void GetComboIndex(const ComboList& combo, int& out) {
    if (combo.Selected >= 0 && combo.Selected < static_cast<int>(combo.Entries.size()))
        out = combo.Selected;
}

std::string FindComboText(const ComboList& combo, std::string_view text) {
    if (combo.Entries.empty())
        return {};
    const int index = IndexOf(combo, text);
    return combo.Entries[index < 0 ? 0 : index];
}

void SelectComboText(ComboList& combo, std::string_view text) {
    ShowText(combo, FindComboText(combo, text));
}

std::string ComboTextAt(const ComboList& combo, int index) {
    if (combo.Entries.empty())
        return {};
    const bool inList = index >= 0 && index < static_cast<int>(combo.Entries.size());
    return combo.Entries[inList ? index : 0];
}

void SelectComboIndex(ComboList& combo, int index) {
    ShowText(combo, ComboTextAt(combo, index));
}

int ComboIndexOfText(const ComboList& combo, std::string_view text, int fallback) {
    if (combo.Entries.empty() || text.empty())
        return fallback;
    return std::max(IndexOf(combo, text), 0);
}

void AddComboTextOnce(ComboList& combo, std::string_view text) {
    if (IndexOf(combo, text) < 0)
        combo.Entries.emplace_back(text);
}

std::int32_t ValLngOr(std::string_view text, std::int32_t fallback) {
    return RoundedNumber<std::int32_t>(text).value_or(fallback);
}

void FillGroupNumbers(ComboList& combo) {
    constexpr int kGroups = 15;
    if (combo.Entries.size() < kGroups)
        combo.Entries.resize(kGroups);
    for (int g = 0; g < kGroups; ++g)
        combo.Entries[g] = std::to_string(g);
}

void CopyComboList(const ComboList& source, ComboList& target) {
    target.Entries = source.Entries;
    target.Selected = -1;
}

void FillMemCodeList(ComboList& combo, const DtmfSettingsRecord& dtmf, const TextLookup& texts) {
    combo.Entries = {texts.GetText(kTextNone)};
    combo.Selected = -1;
    for (std::size_t i = 0; i < dtmf.MemCodes.size(); ++i)
        if (dtmf.MemCodes[i].Length > 0)
            combo.Entries.push_back(std::to_string(i + 1));
}

std::string FileNameOfPath(std::string_view path) {
    const auto slash = path.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

} // namespace velmar
