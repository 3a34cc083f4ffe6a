#include "settings/tone_wave.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmar {

std::vector<float> SineTone(int hz, int ms, int sampleRate, float level) {
    const long count = ms > 0 && sampleRate > 0 ? static_cast<long>(ms) * sampleRate / 1000 : 0;
    std::vector<float> samples(static_cast<std::size_t>(count), 0.0f);
    if (hz <= 0 || 2L * hz >= sampleRate)
        return samples;
    const long fade = std::min<long>(static_cast<long>(kToneFadeMs) * sampleRate / 1000, count / 4);
    const double step = 2.0 * std::numbers::pi * hz / sampleRate;
    for (long i = 0; i < count; ++i) {
        const long edge = std::min(i, count - 1 - i);
        const double envelope = edge < fade ? static_cast<double>(edge) / fade : 1.0;
        samples[static_cast<std::size_t>(i)] =
            static_cast<float>(level * envelope * std::sin(step * static_cast<double>(i)));
    }
    return samples;
}

} // namespace velmar
