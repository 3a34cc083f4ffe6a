#include "channels/group_names.h"

#include <algorithm>

#include "channels/channel_list.h"
#include "model/fixed_text.h"

namespace velmar {

namespace {

constexpr char kCtrlC = 3, kCtrlV = 22, kCtrlX = 24;

bool IsTakenByOther(const DocRecord& doc, const std::string& name, int group) {
    for (int i = 0; i < kOrdinaryGroups; ++i)
        if (i != group && TrimFixStr(doc.GroupNames[i]) == name)
            return true;
    return false;
}

// The next candidate after a collision.
std::string NextCandidate(std::string name) {
    if (name.size() <= 1)
        return TrimFixStr("A" + name);
    const auto last = static_cast<unsigned char>(name.back());
    name.back() = last >= 'Z' ? 'A' : static_cast<char>(last + 1);
    return TrimFixStr(name);
}

} // namespace

std::string GroupUniqueName(const DocRecord& doc, std::string_view name, int group,
                            int maxAttempts) {
    std::string candidate = TrimFixStr(name);
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        if (!IsTakenByOther(doc, candidate, group))
            return candidate;
        candidate = NextCandidate(candidate);
    }
    // Twelve other names cannot take all 26 letters of the last place.
    if (candidate.size() <= 1)
        candidate = "A" + candidate;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        candidate.back() = letter;
        if (!IsTakenByOther(doc, candidate, group))
            break;
    }
    return candidate;
}

void StoreGroupName(DocRecord& doc, int group, std::string_view name) {
    if (group < 0 || group >= kOrdinaryGroups)
        return;
    std::string field(name.substr(0, kGroupNameLength));
    if (field.size() < kGroupNameLength)
        field.push_back('\0');
    doc.GroupNames[group] = MakeFixStr<kGroupNameLength>(field);
}

std::string SetGroupName(DocRecord& doc, int group, std::string_view typed) {
    if (group < 0 || group >= kOrdinaryGroups)
        return {};
    const std::string wanted = TrimFixStr(typed.substr(0, kGroupNameLength));
    StoreGroupName(doc, group, GroupUniqueName(doc, wanted, group));
    return TrimFixStr(doc.GroupNames[group]);
}

void FillGroupList(ComboList& combo, DocRecord& doc) {
    combo.Entries.clear();
    combo.Selected = -1;
    for (int group = 0; group < kOrdinaryGroups; ++group) {
        const std::string stored = TrimFixStr(doc.GroupNames[group]);
        const std::string unique = GroupUniqueName(doc, stored, group);
        if (unique != stored)
            StoreGroupName(doc, group, unique);
        combo.Entries.push_back(unique);
    }
    combo.Entries.push_back("VFO");
    combo.Entries.push_back("MEM");
}

bool SetGroupValid(DocRecord& doc, int group, bool valid) {
    auto& flags = doc.ResetFlags;
    if (group < 0 || group >= static_cast<int>(flags.size()))
        return valid;
    if (group == kVfoGroup)
        valid = true;
    const auto validGroups =
        std::count_if(flags.begin(), flags.end(), [](auto f) { return f != 0; });
    if (!valid && validGroups == 1)
        return flags[group] != 0;
    flags[group] = valid ? 1 : 0;
    auto& startGroup = doc.OptFeatures.Word(OptWord::StartGroup);
    if (!valid && startGroup == group) {
        const auto lowest = std::find_if(flags.begin(), flags.end(), [](auto f) { return f != 0; });
        if (lowest != flags.end())
            startGroup = static_cast<std::int16_t>(lowest - flags.begin());
    }
    return valid;
}

std::optional<char> GroupNameKey(char key) {
    const auto code = static_cast<unsigned char>(key);
    if (key == kCtrlC || key == kCtrlV || key == kCtrlX)
        return std::nullopt;
    if (key >= 'a' && key <= 'z')
        return static_cast<char>(key - 'a' + 'A');
    if (key >= 'A' && key <= 'Z')
        return key;
    // Control codes edit the name: Backspace (8), Delete (127). Every other
    // character, those of the code page above 127 too, is dropped.
    const bool control = code < 32 || code == 127;
    return control ? std::optional<char>(key) : std::nullopt;
}

} // namespace velmar
