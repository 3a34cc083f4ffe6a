#include <gtest/gtest.h>

#include "model/band_table.h"

namespace velmar {
namespace {

TEST(BandTable, TextsMapToCodesExactly) {
    struct Case {
        std::string_view text;
        int code;
    };
    for (const Case c :
         {Case{"25.615 - 30.105 MHz", 1}, Case{"400 - 440 MHz", 2}, Case{"145 - 174 MHz", 12},
          Case{"144 - 148 MHz", 14}, Case{"350 - 390 MHz", 16}, Case{"450 - 520 MHz", 32},
          Case{"25.615-30.105 MHz", 0}, Case{"25.615 - 30.105 mhz", 0},
          Case{"25.615 - 30.105 MHz ", 0}, Case{"", 0}}) {
        EXPECT_EQ(BandTextToCode(c.text), c.code) << c.text;
    }
}

TEST(BandTable, OnlyTheModelsOwnBandHasAText) {
    EXPECT_EQ(BandCodeToText(1), "25.615 - 30.105 MHz");
    for (int code : {0, 2, 15, 32, -1})
        EXPECT_EQ(BandCodeToText(code), "") << code;
}

TEST(BandTable, LimitsAreReadFromTheText) {
    struct Case {
        std::string_view text;
        double low, high;
    };
    for (const Case c :
         {Case{"25.615 - 30.105 MHz", 25.615, 30.105}, Case{"450 - 520 MHz", 450, 520},
          Case{"", 100, 500}, Case{"25.615-30.105 MHz", 100, 500}, Case{"abc - 30 MHz", 100, 30},
          Case{"136 - xyz MHz", 136, 500}, Case{"136 - 174", 136, 174},
          Case{"136 - 174 MHz - 3 MHz", 136, 174}}) {
        const BandLimits limits = ParseBandLimits(c.text);
        EXPECT_DOUBLE_EQ(limits.Low, c.low) << c.text;
        EXPECT_DOUBLE_EQ(limits.High, c.high) << c.text;
    }
}

} // namespace
} // namespace velmar
