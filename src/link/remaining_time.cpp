#include "link/remaining_time.h"

#include <cstdio>

namespace velmar {

std::optional<std::chrono::seconds> EstimateRemaining(int done, int total,
                                                      std::chrono::milliseconds elapsed) {
    if (done <= 0 || total <= 0 || elapsed.count() < 0)
        return std::nullopt;
    if (done >= total)
        return std::chrono::seconds(0);
    const long long rest = static_cast<long long>(elapsed.count()) * (total - done) / done;
    // Rounded up: the last second still counts as one left.
    return std::chrono::seconds((rest + 999) / 1000);
}

std::string RemainingTimeText(std::chrono::seconds remaining) {
    const long long s = remaining.count() < 0 ? 0 : remaining.count();
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
    return text;
}

} // namespace velmar
