#include "model/band_table.h"

#include "shell/numbers.h"

namespace velmar {

int BandTextToCode(std::string_view bandText) {
    for (const BandEntry& entry : BandTable) {
        if (entry.Text == bandText)
            return entry.Code;
    }
    return 0;
}

std::string BandCodeToText(int bandCode) {
    return bandCode == 1 ? std::string(BandTable[0].Text) : std::string();
}

BandLimits ParseBandLimits(std::string_view bandText) {
    constexpr std::string_view dash = " - ";
    BandLimits limits;
    const auto dashAt = bandText.find(dash);
    if (dashAt == std::string_view::npos)
        return limits;
    limits.Low = ParseNumber(bandText.substr(0, dashAt)).value_or(limits.Low);
    // Without " MHz" the rest of the text is taken as the upper limit.
    const std::string_view upper = bandText.substr(dashAt + dash.size());
    limits.High = ParseNumber(upper.substr(0, upper.find(" MHz"))).value_or(limits.High);
    return limits;
}

} // namespace velmar
