#include "link/remaining_time.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(RemainingTime, TheRestAtThePaceSoFar) {
    struct Case {
        int done, total;
        long long elapsedMs;
        std::optional<long long> remaining; // seconds
        const char* text;
    };
    const Case cases[] = {
        {0, 100, 5000, std::nullopt, ""}, // nothing done yet: no pace to go by
        {25, 100, 10000, 30, "0:30"},     // a quarter in 10 s
        {50, 100, 45000, 45, "0:45"},     {1, 100, 1000, 99, "1:39"},
        {3, 100, 1000, 33, "0:33"}, // 32.3 s rounded up
        {99, 100, 99000, 1, "0:01"},      {100, 100, 70000, 0, "0:00"},
        {10, 100, 80000, 720, "12:00"},   {5, 0, 1000, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.done) + "/" + std::to_string(c.total));
        const auto got = EstimateRemaining(c.done, c.total, milliseconds(c.elapsedMs));
        ASSERT_EQ(got.has_value(), c.remaining.has_value());
        if (!got)
            continue;
        EXPECT_EQ(got->count(), *c.remaining);
        EXPECT_EQ(RemainingTimeText(*got), c.text);
    }
}

} // namespace
} // namespace velmar
