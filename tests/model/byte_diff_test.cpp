// The difference of two byte strings: it turns each into the other, and it
// keeps about what changed, also when bytes were inserted or removed.
#include "model/byte_diff.h"

#include <gtest/gtest.h>

#include <random>

namespace velmar {
namespace {

ByteString Record(std::uint8_t seed, std::size_t size = 108) {
    ByteString bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed * 31 + i * 7);
    return bytes;
}

// Records one after another, as in a channel file.
ByteString Records(const std::vector<std::uint8_t>& seeds) {
    ByteString bytes;
    for (std::uint8_t seed : seeds) {
        const ByteString record = Record(seed);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

void ExpectTurnsInto(const ByteString& from, const ByteString& to, std::size_t mostMemory) {
    const ByteDiff diff = ByteDiff::Between(from, to);
    EXPECT_EQ(diff.Forward(from), to);
    EXPECT_EQ(diff.Backward(to), from);
    EXPECT_EQ(diff.Empty(), from == to);
    EXPECT_LE(diff.MemoryBytes(), mostMemory);
}

struct Case {
    const char* name;
    ByteString from;
    ByteString to;
    std::size_t mostMemory; // what the change itself needs, with room for bookkeeping
};

TEST(ByteDiff, TurnsEachStringIntoTheOtherKeepingAboutWhatChanged) {
    std::vector<std::uint8_t> seeds(529);
    for (std::size_t i = 0; i < seeds.size(); ++i)
        seeds[i] = static_cast<std::uint8_t>(i * 13 + 5);
    const ByteString list = Records(seeds);

    ByteString oneField = list;
    oneField[200 * 108 + 14] ^= 0x5A;
    ByteString twoFarApart = oneField;
    twoFarApart[500 * 108 + 90] ^= 0x01;
    std::vector<std::uint8_t> withoutFirst(seeds.begin() + 1, seeds.end());
    std::vector<std::uint8_t> withoutMiddle = seeds;
    withoutMiddle.erase(withoutMiddle.begin() + 264);
    std::vector<std::uint8_t> withInserted = withoutMiddle;
    withInserted.insert(withInserted.begin() + 100, 77);
    ByteString grownAndChanged = Records(withInserted);
    grownAndChanged[10] ^= 0xFF; // and a change before the inserted record

    const Case cases[] = {
        {"equal", list, list, 64},
        {"empty to empty", {}, {}, 64},
        {"one byte of a record", list, oneField, 128},
        {"two bytes far apart", list, twoFarApart, 160},
        {"first record removed", list, Records(withoutFirst), 108 + 128},
        {"middle record removed", list, Records(withoutMiddle), 108 + 128},
        {"record inserted, another byte changed", Records(withoutMiddle), grownAndChanged,
         108 + 160},
        {"everything from nothing", {}, list, list.size() + 128},
        {"everything to nothing", list, {}, list.size() + 128},
        {"appended", Records({1, 2}), Records({1, 2, 3}), 108 + 128},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectTurnsInto(c.from, c.to, c.mostMemory);
    }
}

TEST(ByteDiff, RandomChangesGoBothWays) {
    std::mt19937 random(17);
    for (int round = 0; round < 500; ++round) {
        ByteString from(random() % 300);
        for (auto& b : from)
            b = static_cast<std::uint8_t>(random() % 4); // few values: many equal runs
        ByteString to = from;
        const int edits = static_cast<int>(random() % 5);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = to.empty() ? 0 : random() % (to.size() + 1);
            switch (random() % 3) {
            case 0:
                if (at < to.size())
                    to[at] = static_cast<std::uint8_t>(random() % 4);
                break;
            case 1:
                to.insert(to.begin() + static_cast<std::ptrdiff_t>(at), random() % 20,
                          static_cast<std::uint8_t>(random() % 4));
                break;
            default:
                to.erase(to.begin() + static_cast<std::ptrdiff_t>(at),
                         to.begin() +
                             static_cast<std::ptrdiff_t>(std::min(to.size(), at + random() % 20)));
            }
        }
        const ByteDiff diff = ByteDiff::Between(from, to);
        ASSERT_EQ(diff.Forward(from), to) << "round " << round;
        ASSERT_EQ(diff.Backward(to), from) << "round " << round;
    }
}

TEST(ByteDiff, RefusesAStringItWasNotTakenFrom) {
    const ByteString from = Records({1, 2, 3});
    const ByteDiff diff = ByteDiff::Between(from, Records({1, 3}));
    EXPECT_THROW(diff.Forward(Records({1})), std::invalid_argument);
}

} // namespace
} // namespace velmar
