#include "settings/tone_wave.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace velmar {
namespace {

// Upward zero crossings: the number of whole periods.
int Periods(const std::vector<float>& samples) {
    int periods = 0;
    for (std::size_t i = 1; i < samples.size(); ++i)
        periods += samples[i - 1] < 0.0f && samples[i] >= 0.0f ? 1 : 0;
    return periods;
}

TEST(ToneWaveTest, ASineOfTheGivenFrequencyAndLength) {
    const std::vector<float> tone = SineTone(1000, 100, 8000, 0.5f);
    ASSERT_EQ(tone.size(), 800u);
    EXPECT_NEAR(Periods(tone), 100, 1);
    const float peak = *std::max_element(tone.begin(), tone.end());
    EXPECT_LE(peak, 0.5f);
    EXPECT_GT(peak, 0.45f);
}

TEST(ToneWaveTest, FadesInAndOut) {
    const std::vector<float> tone = SineTone(400, 100, 8000, 1.0f);
    EXPECT_EQ(tone.front(), 0.0f);
    EXPECT_LT(std::fabs(tone[2]), 0.1f);
    EXPECT_LT(std::fabs(tone.back()), 0.05f);
}

TEST(ToneWaveTest, SilenceWhereNoToneCanSound) {
    const struct {
        int hz, ms, rate;
        std::size_t count;
    } cases[] = {{0, 50, 8000, 400}, {4000, 50, 8000, 400}, {-5, 10, 8000, 80}, {440, 0, 8000, 0}};
    for (const auto& c : cases) {
        const std::vector<float> tone = SineTone(c.hz, c.ms, c.rate, 0.5f);
        EXPECT_EQ(tone.size(), c.count) << c.hz;
        EXPECT_TRUE(std::all_of(tone.begin(), tone.end(), [](float s) { return s == 0.0f; }));
    }
}

} // namespace
} // namespace velmar
