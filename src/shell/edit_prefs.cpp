#include "shell/edit_prefs.h"

#include "shell/file_io.h"

#include <optional>

namespace velmar {

namespace {

// The flags in record order, for both directions.
template <typename Prefs> auto FlagsInOrder(Prefs& prefs) {
    return std::array{&prefs.PasteNoAsk, &prefs.PasteInserts, &prefs.DeleteNoAsk,
                      &prefs.DeleteRemoves, &prefs.ShowTxOffset};
}

} // namespace

HabitRecord EncodeHabitRecord(const EditPreferences& prefs) {
    HabitRecord record{};
    std::size_t at = 0;
    for (const bool* flag : FlagsInOrder(prefs)) {
        const std::uint8_t byte = *flag ? 0xFF : 0x00;
        record[at++] = byte;
        record[at++] = byte;
    }
    return record;
}

EditPreferences DecodeHabitRecord(const HabitRecord& record) {
    EditPreferences prefs;
    std::size_t at = 0;
    for (bool* flag : FlagsInOrder(prefs)) {
        *flag = (record[at] | record[at + 1]) != 0;
        at += 2;
    }
    return prefs;
}

EditPreferences LoadEditPrefs(const std::string& path) {
    EditPreferences prefs;
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (bytes && bytes->size() >= HabitRecordSize) {
        HabitRecord record{};
        for (std::size_t i = 0; i < HabitRecordSize; ++i)
            record[i] = static_cast<std::uint8_t>((*bytes)[i]);
        prefs = DecodeHabitRecord(record);
    }
    prefs.ShowTxOffset = true;
    return prefs;
}

bool SaveEditPrefs(const std::string& path, const EditPreferences& prefs) {
    const HabitRecord record = EncodeHabitRecord(prefs);
    return WriteFileAtomically(path, std::string(record.begin(), record.end()));
}

} // namespace velmar
