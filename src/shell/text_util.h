#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace velmar {

// Small text helpers shared by the INI reader, the language texts and the
// start-up settings. Blanks are spaces and tabs.
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimTrailingBlanks(std::string_view text);

// ASCII case-insensitive comparison, as INI section and key names are compared.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// A whole decimal integer with an optional sign ("12", "-1", "+3"); nullopt for
// anything else, an empty text or a value outside the 16-bit range.
std::optional<std::int16_t> ParseInt16(std::string_view text);
// The same without a sign, within the range of int ("0", "42").
std::optional<int> ParseCount(std::string_view text);

} // namespace velmar
