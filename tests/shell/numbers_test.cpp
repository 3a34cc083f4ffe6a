#include "shell/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace velmar {
namespace {

TEST(NumbersTest, NumericTextForms) {
    struct Case {
        const char* text;
        bool numeric;
        double value;
    };
    const Case cases[] = {
        {"145.5", true, 145.5}, {" -4.6 ", true, -4.6}, {"+145.5", true, 145.5},
        {"\t.5", true, 0.5},    {"5.", true, 5.0},      {"007", true, 7.0},
        {"", false, 0},         {"   ", false, 0},      {"-", false, 0},
        {".", false, 0},        {"1,5", false, 0},      {"1.2.3", false, 0},
        {"1e3", false, 0},      {"&H10", false, 0},     {"+-1", false, 0},
        {"1 2", false, 0},      {"abc", false, 0},      {"12a", false, 0},
        {"nan", false, 0},      {"inf", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsNumeric(c.text), c.numeric);
        EXPECT_DOUBLE_EQ(Number(c.text), c.value);
    }
}

TEST(NumbersTest, HugeDigitStringIsNotNumeric) {
    const std::string huge(400, '9');
    EXPECT_FALSE(IsNumeric(huge));
    EXPECT_EQ(Number(huge), 0.0);
}

TEST(NumbersTest, RoundedNumberHalvesToEven) {
    EXPECT_EQ(RoundedNumber("2.5"), 2);
    EXPECT_EQ(RoundedNumber(" 3.5"), 4);
    EXPECT_EQ(RoundedNumber("-2.5"), -2);
    EXPECT_EQ(RoundedNumber("7"), 7);
    EXPECT_EQ(RoundedNumber("x"), std::nullopt);
    EXPECT_EQ(RoundedNumber<std::int16_t>("32767.4"), 32767);
    EXPECT_EQ(RoundedNumber<std::int16_t>("32767.5"), std::nullopt);
}

TEST(NumbersTest, NumericTextDropsBlanksAndPlus) {
    EXPECT_EQ(NumericText(" +145.5 "), "145.5");
    EXPECT_EQ(NumericText("-4.6"), "-4.6");
    EXPECT_EQ(NumericText("4,6"), "");
}

TEST(NumbersTest, NumberTextIsShortestWithoutExponent) {
    EXPECT_EQ(NumberText(25.615), "25.615");
    EXPECT_EQ(NumberText(100.0), "100");
    EXPECT_EQ(NumberText(0.5), "0.5");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(1e20), "100000000000000000000");
    EXPECT_EQ(NumberText(14512000 / 100000.0), "145.12");
    EXPECT_EQ(NumberText(std::numeric_limits<double>::quiet_NaN()), "0");
}

TEST(NumbersTest, FormatRoundsHalvesAwayFromZeroOnDecimalDigits) {
    struct Case {
        double value;
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {145.5, "#0.00000", "145.50000"},
        {4.6, "#0.00000", "4.60000"},
        {4.6, "00.00000", "04.60000"},
        {0.0, "#0.00000", "0.00000"},
        {2.675, "0.00", "2.68"}, // the double lies just below 2.675
        {-2.675, "0.00", "-2.68"},
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {9.999996, "#0.00000", "10.00000"},
        {145.5 + 4.6, "#0.00000", "150.10000"},
        {-0.000001, "#0.00000", "0.00000"}, // zero has no sign
        {123.456, "00.00000", "123.45600"},
        {std::numeric_limits<double>::infinity(), "#0.00000", "0.00000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern + std::string(" ") + NumberText(c.value));
        EXPECT_EQ(Format(c.value, c.pattern), c.text);
    }
}

TEST(NumbersTest, ScaledRoundIsExactOnDecimalDigits) {
    using enum HalfRounding;
    EXPECT_EQ(ScaledRound(145.12, 5, ToEven), 14512000);
    EXPECT_EQ(ScaledRound(27.60125, 5, ToEven), 2760125);
    EXPECT_EQ(ScaledRound(27.1234525, 6, ToEven), 27123452);
    EXPECT_EQ(ScaledRound(27.1234535, 6, ToEven), 27123454);
    EXPECT_EQ(ScaledRound(27.1234525, 6, AwayFromZero), 27123453);
    EXPECT_EQ(ScaledRound(-1.5, 0, AwayFromZero), -2);
    EXPECT_EQ(ScaledRound(-1.5, 0, ToEven), -2);
    EXPECT_EQ(ScaledRound(-2.5, 0, ToEven), -2);
    EXPECT_EQ(ScaledRound(1e300, 5, ToEven), 9'000'000'000'000'000'000LL);
    EXPECT_EQ(ScaledRound(std::nan(""), 5, ToEven), 0);
}

} // namespace
} // namespace velmar
