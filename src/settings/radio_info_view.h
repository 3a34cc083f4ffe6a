#pragma once
// What the radio-information window shows of RadioInfo: the texts of its two
// lists and twelve boxes, as bytes of the ANSI code page.
#include <array>
#include <string>
#include <vector>

#include "model/radio_info.h"

namespace velmar {

inline constexpr int kRadioInfoBoxes = 12;
inline constexpr std::size_t kAreaCodeShown = 4; // characters of AreaCode shown

struct RadioInfoShown {
    std::string Model; // the entry of the model list: always "KAVRO"
    std::string Band;  // the band of the band code; empty for any code but 1
    std::array<std::string, kRadioInfoBoxes> Boxes; // Text1(0) … Text1(11)
};

// Fixed-length fields through TrimFixStr, the free texts as they are, the
// area code cut to its first four characters.
RadioInfoShown ShowByData(const RadioInfoRecord& info);

// One row of the window as text: its label (the text of LabelTextId, then
// the text of SecondLabelTextId when it is not 0) and what it shows.
struct RadioInfoLine {
    int LabelTextId = 0;
    int SecondLabelTextId = 0;
    std::string Value; // ANSI bytes
};

// The rows of the window, top to bottom, the dealer frame last.
std::vector<RadioInfoLine> RadioInfoLines(const RadioInfoShown& shown);

} // namespace velmar
