#pragma once
// The frequency band of a model: its text as shown ("25.615 - 30.105 MHz") and
// the numeric band code stored in the document and in the radio.
#include <array>
#include <string>
#include <string_view>

namespace velmar {

struct BandEntry {
    std::string_view Text;
    int Code;
};

inline constexpr std::array<BandEntry, 16> BandTable{{
    {"25.615 - 30.105 MHz", 1},
    {"400 - 440 MHz", 2},
    {"440 - 480 MHz", 3},
    {"400 - 450 MHz", 4},
    {"450 - 480 MHz", 5},
    {"430 - 440 MHz", 6},
    {"430 - 480 MHz", 7},
    {"136 - 174 MHz", 8},
    {"136 - 150 MHz", 9},
    {"150 - 174 MHz", 10},
    {"136 - 145 MHz", 11},
    {"145 - 174 MHz", 12},
    {"144 - 146 MHz", 13},
    {"144 - 148 MHz", 14},
    {"350 - 390 MHz", 16},
    {"450 - 520 MHz", 32},
}};

// The code of a band text, compared exactly; 0 for any text not in the table.
int BandTextToCode(std::string_view bandText);

// The text of a band code. Only the band of this program's model has a text
// (code 1); every other code gives the empty text.
std::string BandCodeToText(int bandCode);

struct BandLimits {
    double Low = 100.0; // MHz
    double High = 500.0;
    friend bool operator==(const BandLimits&, const BandLimits&) = default;
};

// The limits written in a band text: the number before " - " and the one
// between " - " and " MHz". A limit that cannot be read falls back to 100 or
// 500 MHz.
BandLimits ParseBandLimits(std::string_view bandText);

} // namespace velmar
