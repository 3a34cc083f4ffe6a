#include "settings/model_choice.h"

#include "model/band_table.h"

namespace velmar {

namespace {
constexpr std::string_view kKavro = "KAVRO";
} // namespace

const std::vector<std::string>& ModelList() {
    static const std::vector<std::string> models{std::string(kKavro)};
    return models;
}

std::vector<std::string> BandListOf(std::string_view model) {
    if (model == kKavro)
        return {std::string(BandTable[0].Text)};
    return {};
}

bool IsModelChange(const Document& document, std::string_view model, std::string_view band) {
    return model != document.ModelName || band != document.BandText;
}

void ApplyModelChoice(Document& document, std::string_view model, std::string_view band) {
    document.ModelName = model;
    document.BandText = band;
    const auto code = static_cast<std::int16_t>(BandTextToCode(band));
    document.Doc.ModelInfo.BandCode = code;
    document.RadioInfo.BandCode = code;
    const BandLimits limits = ParseBandLimits(band);
    document.BandLow = limits.Low;
    document.BandHigh = limits.High;
}

} // namespace velmar
