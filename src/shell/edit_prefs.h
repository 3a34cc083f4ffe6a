#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace velmar {

// The editing preferences kept in Habit.ini (see LoadEditPrefs).
struct EditPreferences {
    bool PasteNoAsk = false;    // paste without asking, using PasteInserts
    bool PasteInserts = false;  // paste makes room instead of overwriting
    bool DeleteNoAsk = false;   // delete without asking, using DeleteRemoves
    bool DeleteRemoves = false; // delete closes the gap it leaves
    bool ShowTxOffset = true;   // transmit frequency shown as an offset; on for the whole run
};

// Habit.ini: the five flags in the order above, each a 16-bit little-endian
// integer, 0 for off and 0xFFFF (-1) for on.
inline constexpr std::size_t HabitRecordSize = 10;
using HabitRecord = std::array<std::uint8_t, HabitRecordSize>;

HabitRecord EncodeHabitRecord(const EditPreferences& prefs);
// Any non-zero flag counts as on.
EditPreferences DecodeHabitRecord(const HabitRecord& record);

// Reads Habit.ini. A missing, unreadable or short file leaves the four editing
// flags off. ShowTxOffset is on whatever the file holds. (The channel
// clipboard, emptied at the same moment, belongs to the channel editing.)
EditPreferences LoadEditPrefs(const std::string& path);

// Writes the 10-byte record, replacing the file. The result may be ignored:
// a failed write leaves the preferences as they are in memory.
bool SaveEditPrefs(const std::string& path, const EditPreferences& prefs);

} // namespace velmar
