#include "channels/frequency_codec.h"

#include <algorithm>
#include <cmath>

#include "model/fixed_text.h"
#include "shell/numbers.h"

namespace velmar {

namespace {

constexpr long long kUnitsPerMHz = 100000; // 10 Hz units
constexpr long long kStep5kHz = 500;

long long ToUnits(double mhz) {
    return ScaledRound(mhz, 5, HalfRounding::ToEven);
}

void WarnOutOfBand(const FreContext& fre) {
    fre.Messages.Show(fre.Texts.GetText(kTextOutOfBand), MsgButtons::Ok, MsgIcon::Warning);
}

} // namespace

bool IsStoredDigits(std::string_view field) {
    return !field.empty() &&
           std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string FreStoreToShow(std::string_view stored, const FreContext& fre) {
    const std::string digits = TrimFixStr(stored);
    if (digits.empty() || digits == "FFFFFFFF")
        return {};
    if (!IsStoredDigits(digits)) {
        fre.Messages.Show("Not IsNumeric", MsgButtons::Ok, MsgIcon::None);
        return NumberText(fre.BandLow);
    }
    const std::string mhz =
        digits.substr(0, 3) + "." + digits.substr(std::min<size_t>(3, digits.size()));
    return Format(Number(mhz), "#0.00000");
}

std::string FreShowToStore(std::string_view text, double bandLow) {
    if (text.find_first_not_of(" \t") == std::string_view::npos)
        return {};
    std::string w = NumericText(text);
    if (w.empty() || w.front() == '-')
        w = NumberText(bandLow);

    std::string r;
    auto point = w.find('.');
    if (point == std::string::npos) {
        r = w;
    } else {
        // Three integer digits before the point, then the decimals.
        if (point < 3) {
            w.insert(0, 3 - point, '0');
            point = 3;
        }
        r = w.substr(0, 3) + w.substr(point + 1);
    }
    if (r.size() > 8)
        r.resize(8);
    if (r.size() < 3)
        r.insert(0, 3 - r.size(), '0');
    r.resize(8, '0');
    return r;
}

double FreAlignStep(double f, int group, double bandLow) {
    const long long low = ToUnits(bandLow);
    const long long n = ToUnits(f);
    const long long r = (n - low) % kStep5kHz;
    const bool keepsQuarterRaster = (group == 13 || group == 6) && n % 1000 == 125;
    const long long aligned = r == 0 || keepsQuarterRaster ? n : n - r;
    return static_cast<double>(aligned) / kUnitsPerMHz;
}

double FreLimitBand(double f, int group, const FreContext& fre) {
    if (std::isnan(f) || f < fre.BandLow) {
        WarnOutOfBand(fre);
        return fre.BandLow;
    }
    if (f <= fre.BandHigh)
        return FreAlignStep(f, group, fre.BandLow);
    WarnOutOfBand(fre);
    return fre.BandHigh;
}

double FreOutOfBand(const FreContext& fre) {
    WarnOutOfBand(fre);
    return fre.BandLow;
}

std::string FreCheckText(std::string_view value, int group, const FreContext& fre) {
    const auto number = ParseNumber(value);
    const double checked = number ? FreLimitBand(*number, group, fre) : FreOutOfBand(fre);
    return Format(checked, "#0.00000");
}

} // namespace velmar
