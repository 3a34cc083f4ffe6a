#pragma once
// The model dialog's rules: which models and bands it offers and what
// confirming a choice changes.
#include <string>
#include <string_view>
#include <vector>

#include "model/document.h"

namespace velmar {

// The models the program knows: "KAVRO".
const std::vector<std::string>& ModelList();

// The bands of a model: "25.615 - 30.105 MHz" for "KAVRO", none for any other.
std::vector<std::string> BandListOf(std::string_view model);

// Confirming `model` and `band` changes something: either differs from
// ModelName or BandText (compared exactly).
bool IsModelChange(const Document& document, std::string_view model, std::string_view band);

// Makes `model` and `band` the document's: ModelName, BandText, the band code
// of the document and of RadioInfo, and BandLow and BandHigh. The document
// itself is then replaced by a new one for that model and band.
void ApplyModelChoice(Document& document, std::string_view model, std::string_view band);

} // namespace velmar
