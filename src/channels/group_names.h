#pragma once
// The names of the 13 ordinary channel groups: at most 6 characters, unique
// among the groups. The VFO and MEM groups have fixed labels instead.
#include <optional>
#include <string>
#include <string_view>

#include "channels/combo_lists.h"
#include "model/doc_record.h"

namespace velmar {

inline constexpr int kGroupNameLength = 6;

// Collisions resolved by the naming rule before the last letter is simply
// tried from A to Z (which always finds a free name among 13 groups).
inline constexpr int kGroupNameAttempts = 64;

// A name for `group` (0 … 12) that no other group has. While the name
// collides: a name of two or more characters gets its last character
// replaced by the next one (after "Z" comes "A"), a shorter one is prefixed
// with "A". Groups are compared in ascending order, names after TrimFixStr.
// After `maxAttempts` collisions the last character is tried from "A" to "Z",
// so the result is unique in every case.
std::string GroupUniqueName(const DocRecord& doc, std::string_view name, int group,
                            int maxAttempts = kGroupNameAttempts);

// Stores `name` as the name of `group`: a name shorter than 6 characters
// gets a NUL before the blanks.
void StoreGroupName(DocRecord& doc, int group, std::string_view name);

// The name box of the channel grid changed to `typed`: the name is made
// unique and stored; returns what the box shows now.
std::string SetGroupName(DocRecord& doc, int group, std::string_view typed);

// Makes every stored name unique (group 0 first), then entries 0 … 12 := the
// names, 13 := "VFO", 14 := "MEM".
void FillGroupList(ComboList& combo, DocRecord& doc);

// The valid flag of `group` (0 … 13) as the grid's check box sets it to
// `valid`; returns what the box shows afterwards. The VFO group stays valid,
// and so does the last valid group. A group that becomes invalid while it is
// the E-mode start group hands that role to the lowest valid group.
bool SetGroupValid(DocRecord& doc, int group, bool valid);

// What a key typed into a group-name box becomes: "a" … "z" become capitals,
// "A" … "Z" pass, other printable characters, characters above 127 and the
// cut, copy and paste controls are dropped (nothing). Other control keys such
// as Backspace (8) and Delete (127) pass.
std::optional<char> GroupNameKey(char key);

} // namespace velmar
