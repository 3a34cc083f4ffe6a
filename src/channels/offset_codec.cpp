#include "channels/offset_codec.h"

#include <cstdlib>

#include "model/fixed_text.h"
#include "shell/numbers.h"

namespace velmar {

namespace {

constexpr long long kMaxOffsetUnits = 9999999; // 99.99999 MHz, two integer digits

bool IsShifted(int dir) {
    return dir == kShiftMinus || dir == kShiftPlus;
}

// Magnitude of a stored offset in 10 Hz units; 0 for an empty or damaged one.
long long OffsetUnits(std::string_view storedOffset) {
    const std::string digits = TrimFixStr(storedOffset);
    if (digits.size() != 7 || !IsStoredDigits(digits))
        return 0;
    return std::atoll(digits.c_str());
}

long long ToUnits(std::string_view numericText) {
    return ScaledRound(Number(numericText), 5, HalfRounding::AwayFromZero);
}

std::string ShowMHz(double mhz) {
    return Format(mhz, "#0.00000");
}

} // namespace

std::string OffsetStoreToShow(std::string_view storedOffset, int dir) {
    const char* sign = dir == kShiftMinus ? "-" : dir == kShiftPlus ? "+" : "";
    return sign + ShowMHz(static_cast<double>(OffsetUnits(storedOffset)) / 100000);
}

std::string TxFreShow(std::string_view storedRx, std::string_view storedOffset, int dir,
                      bool showOffset, const FreContext& fre) {
    const std::string offText = OffsetStoreToShow(storedOffset, dir);
    if (showOffset)
        return offText;
    const std::string rxText = FreStoreToShow(storedRx, fre);
    if (rxText.empty())
        return {};
    const double tx = Number(rxText) + (IsShifted(dir) ? Number(offText) : 0.0);
    return ShowMHz(std::abs(tx));
}

std::string TxFreShowChecked(std::string_view storedRx, std::string_view storedOffset, int dir,
                             bool showOffset, const FreContext& fre) {
    const std::string offText = OffsetStoreToShow(storedOffset, dir);
    const std::string rxText = FreStoreToShow(storedRx, fre);
    if (rxText.empty() || !IsNumeric(rxText))
        return {};
    if (showOffset)
        return offText;
    if (offText.front() != '+' && offText.front() != '-')
        return rxText;
    return ShowMHz(Number(rxText) + Number(offText));
}

std::string OffsetShowToStore(std::string_view storedRx, std::string_view entered, bool offsetEntry,
                              std::string_view storedOffset, std::uint8_t& dir,
                              const FreContext& fre) {
    const auto warn = [&] {
        fre.Messages.Show(fre.Texts.GetText(kTextOutOfBand), MsgButtons::Ok, MsgIcon::Warning);
    };
    const std::string rxText = FreStoreToShow(storedRx, fre);
    const std::string enteredText = NumericText(entered);
    const bool enteredBlank = entered.find_first_not_of(" \t") == std::string_view::npos;

    long long units = OffsetUnits(storedOffset);
    dir = kShiftNone;
    if (rxText.empty() || enteredBlank) {
        // no transmit shift without both frequencies
    } else if (enteredText.empty() || !IsNumeric(rxText)) {
        warn();
    } else if (offsetEntry) {
        const char sign = entered[entered.find_first_not_of(" \t")];
        dir = sign == '-' ? kShiftMinus : sign == '+' ? kShiftPlus : kShiftNone;
        units = std::llabs(ToUnits(enteredText));
    } else {
        const long long diff = ToUnits(enteredText) - ToUnits(rxText);
        if (diff != 0) {
            dir = diff > 0 ? kShiftPlus : kShiftMinus;
            units = std::llabs(diff);
        }
    }
    if (units > kMaxOffsetUnits) {
        warn();
        units = kMaxOffsetUnits;
    }
    std::string digits = std::to_string(units);
    return std::string(7 - digits.size(), '0') + digits;
}

} // namespace velmar
