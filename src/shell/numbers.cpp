#include "shell/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace velmar {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Sign and digits of a numeric text ("-" or "" and e.g. "4.6"); nothing when
// the text does not have the numeric form.
struct SignedDigits {
    bool negative = false;
    std::string_view digits;
};

std::optional<SignedDigits> SplitNumeric(std::string_view text) {
    text = TrimBlanks(text);
    SignedDigits result;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        result.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto digitCount = std::count_if(text.begin(), text.end(), IsDigit);
    const auto pointCount = std::count(text.begin(), text.end(), '.');
    if (digitCount == 0 || pointCount > 1 ||
        digitCount + pointCount != static_cast<long>(text.size()))
        return std::nullopt;
    result.digits = text;
    return result;
}

// Digits of |x| rounded to `decimals` places, as one digit string scaled by
// 10^decimals (so 4.605 with 2 decimals gives "461"), plus the sign of x.
struct ScaledDigits {
    bool negative = false;
    std::string digits;
};

ScaledDigits RoundDigits(double x, int decimals, HalfRounding halves) {
    std::string text = NumberText(x);
    ScaledDigits result;
    if (!text.empty() && text.front() == '-') {
        result.negative = true;
        text.erase(0, 1);
    }
    const auto point = text.find('.');
    const std::string integerPart = text.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    if (static_cast<int>(fraction.size()) < decimals)
        fraction.append(decimals - fraction.size(), '0');
    result.digits = integerPart + fraction.substr(0, decimals);
    const std::string rest = fraction.substr(decimals);

    // Compare the dropped digits with one half of the last kept place.
    const char first = rest.empty() ? '0' : rest.front();
    const bool moreAfterFirst = rest.find_first_not_of('0', 1) != std::string::npos;
    const bool roundUp = first != '5' || moreAfterFirst ? first >= '5'
                                                        : halves == HalfRounding::AwayFromZero ||
                                                              (result.digits.back() - '0') % 2 == 1;
    if (roundUp) {
        auto pos = result.digits.size();
        while (pos > 0 && result.digits[pos - 1] == '9')
            result.digits[--pos] = '0';
        if (pos == 0)
            result.digits.insert(0, 1, '1');
        else
            ++result.digits[pos - 1];
    }
    return result;
}

} // namespace

bool IsNumeric(std::string_view text) {
    return ParseNumber(text).has_value();
}

std::optional<double> ParseNumber(std::string_view text) {
    const auto parts = SplitNumeric(text);
    if (!parts)
        return std::nullopt;
    double value = 0;
    const auto* end = parts->digits.data() + parts->digits.size();
    const auto [ptr, ec] =
        std::from_chars(parts->digits.data(), end, value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return parts->negative ? -value : value;
}

double Number(std::string_view text) {
    return ParseNumber(text).value_or(0.0);
}

std::string NumericText(std::string_view text) {
    if (!ParseNumber(text))
        return {};
    const auto parts = SplitNumeric(text);
    return (parts->negative ? "-" : "") + std::string(parts->digits);
}

std::string NumberText(double x) {
    if (!std::isfinite(x) || x == 0)
        return "0";
    char buffer[400];
    const auto [ptr, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed);
    if (ec != std::errc())
        return "0";
    return std::string(buffer, ptr);
}

std::string Format(double x, std::string_view pattern) {
    const auto point = pattern.find('.');
    const auto integerPattern = pattern.substr(0, point);
    const int minIntegerDigits =
        static_cast<int>(std::count(integerPattern.begin(), integerPattern.end(), '0'));
    const int decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);

    const ScaledDigits rounded = RoundDigits(x, decimals, HalfRounding::AwayFromZero);
    std::string integerDigits = rounded.digits.substr(0, rounded.digits.size() - decimals);
    integerDigits.erase(0, std::min(integerDigits.find_first_not_of('0'), integerDigits.size()));
    if (static_cast<int>(integerDigits.size()) < minIntegerDigits)
        integerDigits.insert(0, minIntegerDigits - integerDigits.size(), '0');

    const bool isZero = rounded.digits.find_first_not_of('0') == std::string::npos;
    std::string text = rounded.negative && !isZero ? "-" : "";
    text += integerDigits;
    if (decimals > 0)
        text += "." + rounded.digits.substr(rounded.digits.size() - decimals);
    return text;
}

long long ScaledRound(double x, int decimals, HalfRounding halves) {
    if (!std::isfinite(x))
        return 0;
    const ScaledDigits rounded = RoundDigits(x, std::max(decimals, 0), halves);
    constexpr long long limit = 9'000'000'000'000'000'000LL;
    long long value = 0;
    const auto* end = rounded.digits.data() + rounded.digits.size();
    const auto [ptr, ec] = std::from_chars(rounded.digits.data(), end, value);
    if (ec != std::errc() || value > limit)
        value = limit;
    return rounded.negative ? -value : value;
}

} // namespace velmar
