#include "channels/ui/cell_keys.h"

namespace velmar {

namespace {

constexpr int kTxColumn = 2;

// Keys every editor drops whatever it accepts otherwise: the cut, copy and
// paste controls and characters outside ASCII.
bool IsAlwaysDropped(char key) {
    const auto code = static_cast<unsigned char>(key);
    return code == 3 || code == 22 || code == 24 || code > 127;
}

bool IsPrintable(char key) {
    const auto code = static_cast<unsigned char>(key);
    return code >= 32 && code <= 126;
}

bool IsDigit(char key) {
    return key >= '0' && key <= '9';
}

} // namespace

std::optional<char> FrequencyEditorKey(char key, int column, bool showTxOffset) {
    if (IsAlwaysDropped(key))
        return std::nullopt;
    if (!IsPrintable(key) || IsDigit(key) || key == '.')
        return key;
    if ((key == '+' || key == '-') && column == kTxColumn && showTxOffset)
        return key;
    return std::nullopt;
}

std::optional<char> TextEditorKey(char key) {
    if (IsAlwaysDropped(key))
        return std::nullopt;
    if (key >= 'a' && key <= 'z')
        return static_cast<char>(key - 'a' + 'A');
    if (!IsPrintable(key) || IsDigit(key) || (key >= 'A' && key <= 'Z'))
        return key;
    return std::nullopt;
}

} // namespace velmar
