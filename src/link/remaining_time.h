#pragma once
// How long a read or write still takes, from the blocks done so far and the
// time they took: the rest goes at the same pace.
#include <chrono>
#include <optional>
#include <string>

namespace velmar {

// The time the `total - done` blocks still need when `done` took `elapsed`;
// nothing before the first block is done.
std::optional<std::chrono::seconds> EstimateRemaining(int done, int total,
                                                      std::chrono::milliseconds elapsed);

// "m:ss" ("0:07", "1:30", "12:00").
std::string RemainingTimeText(std::chrono::seconds remaining);

} // namespace velmar
