#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace velmar {

// The largest number the counting part of a serial number may reach.
inline constexpr unsigned long SerialCounterLimit = 99999999;

// The serial number for the next radio. The number is taken without trailing
// blanks (and cut at a NUL); when it is longer than 8 characters its first 8
// stay and the rest counts, otherwise the whole of it counts. A counting part
// of digits only is replaced by its value + 1 in at least 8 digits
// ("0041" -> "00000042"); any other text is returned unchanged ("ABC").
// Nothing when the count would pass SerialCounterLimit: the caller keeps the
// old number and says so.
std::optional<std::string> NextSerialNumber(std::string_view serialNumber);

} // namespace velmar
