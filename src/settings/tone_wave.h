#pragma once
// The samples of a tone as the PC plays a tone tip: a sine wave that fades in
// and out over a few milliseconds, so that items follow each other without
// clicks.
#include <vector>

namespace velmar {

inline constexpr int kToneFadeMs = 5;

// `ms` milliseconds of a sine of `hz` at `sampleRate` samples a second, peak
// `level` (0 … 1). A frequency of 0 or less, or at or above half the sample
// rate, gives silence of the same length.
std::vector<float> SineTone(int hz, int ms, int sampleRate, float level);

} // namespace velmar
