#pragma once
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace velmar {

// Numbers in texts always use "." as decimal separator, whatever the locale.
//
// Numeric text: optional blanks (space or tab), an optional "+" or "-", decimal
// digits with at most one ".", at least one digit, optional blanks. So " -4.6 ",
// "+145.5", ".5" and "5." are numeric; "", "-", ".", "1,5", "1e3", "&H10" and a
// value too large for a double are not.
bool IsNumeric(std::string_view text);

// The value of a numeric text; nothing when the text is not numeric.
std::optional<double> ParseNumber(std::string_view text);

// The value of a numeric text, 0 when the text is not numeric.
double Number(std::string_view text);

// Numeric text without its blanks and without a leading "+" ("-" is kept);
// the empty text when the text is not numeric.
std::string NumericText(std::string_view text);

// Shortest decimal text that reads back as x: 25.615 gives "25.615", 100 gives
// "100", 0.5 gives "0.5". Never an exponent.
std::string NumberText(double x);

// x rounded to the decimals of `pattern`, halves away from zero. The pattern is
// "#" and "0" characters, optionally followed by "." and "0" characters: the
// zeros before the point give the least number of integer digits, those after
// it the exact number of decimals. "#0.00000" turns 4.6 into "4.60000",
// "00.00000" turns it into "04.60000", "0" turns 2.5 into "3".
// Rounding works on the decimal digits of NumberText(x), so 2.675 gives "2.68"
// with "0.00" although the double lies just below 2.675. Zero has no sign.
std::string Format(double x, std::string_view pattern);

enum class HalfRounding { AwayFromZero, ToEven };

// x * 10^decimals rounded to an integer, exactly on the decimal digits of
// NumberText(x): ScaledRound(145.12, 5, ...) is 14512000, never 14511999.
// Saturates at +/-9e18; a value that is not a number gives 0.
long long ScaledRound(double x, int decimals, HalfRounding halves);

// A numeric text rounded to a whole number, halves to even (2.5 gives 2, 3.5
// gives 4); nothing when the text is not numeric or the number does not fit Int.
template <class Int = long long> std::optional<Int> RoundedNumber(std::string_view text) {
    const auto value = ParseNumber(text);
    if (!value)
        return std::nullopt;
    const long long rounded = ScaledRound(*value, 0, HalfRounding::ToEven);
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(rounded);
}

} // namespace velmar
