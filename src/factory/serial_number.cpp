#include "factory/serial_number.h"

#include "model/fixed_text.h"

#include <algorithm>
#include <cstdio>

namespace velmar {
namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a digit text, or nothing once it passes `limit` (so that no
// length of text can overflow).
std::optional<unsigned long> DigitValue(std::string_view digits, unsigned long limit) {
    unsigned long value = 0;
    for (char c : digits) {
        value = value * 10 + static_cast<unsigned long>(c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::string> NextSerialNumber(std::string_view serialNumber) {
    const std::string serial = TrimFixStr(serialNumber);
    const std::size_t keep = serial.size() > 8 ? 8 : 0;
    const std::string_view counter = std::string_view(serial).substr(keep);
    if (!AllDigits(counter))
        return serial;
    const auto value = DigitValue(counter, SerialCounterLimit - 1);
    if (!value)
        return std::nullopt;
    char next[16];
    std::snprintf(next, sizeof next, "%08lu", *value + 1);
    return serial.substr(0, keep) + next;
}

} // namespace velmar
