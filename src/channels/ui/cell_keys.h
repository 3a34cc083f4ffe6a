#pragma once
// What the grid's text editors make of a typed character, free of any
// widget. Characters are the key codes a text box receives: printable ASCII,
// control codes (Backspace 8, Enter 13, Ctrl+C 3, Ctrl+V 22, Ctrl+X 24), and
// codes above 127.
#include <optional>

namespace velmar {

inline constexpr char kEnterKey = 13;

// The frequency editor Text1 in `column`: digits and "." pass, "+" and "-"
// only in the transmit column while transmit entries are offsets. Other
// printable characters, cut, copy, paste and codes above 127 are dropped
// (nothing); other control codes pass. Enter is handled before this filter.
std::optional<char> FrequencyEditorKey(char key, int column, bool showTxOffset);

// The text editor Text2: letters become capitals; digits and capitals pass;
// other printable characters, cut, copy, paste and codes above 127 are
// dropped; other control codes pass.
std::optional<char> TextEditorKey(char key);

} // namespace velmar
