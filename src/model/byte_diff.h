#pragma once
// The difference between two byte strings, kept small: the runs of bytes that
// changed, each with its bytes before and after, so that it turns either
// string into the other. Equal-length strings differ by replaced runs; a
// string that grew or shrank also has one run where bytes were inserted or
// removed, placed where the fewest other bytes differ (a channel taken out of
// the middle of the list is one run of 108 bytes, not the whole tail).
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velmar {

using ByteString = std::vector<std::uint8_t>;

class ByteDiff {
public:
    ByteDiff() = default;
    static ByteDiff Between(std::span<const std::uint8_t> from, std::span<const std::uint8_t> to);

    bool Empty() const { return hunks_.empty(); }
    // `from` made into `to`; `from` must be the string the diff was taken from.
    ByteString Forward(std::span<const std::uint8_t> from) const;
    // `to` made back into `from`.
    ByteString Backward(std::span<const std::uint8_t> to) const;
    // Memory the diff holds, its own object included.
    std::size_t MemoryBytes() const;

private:
    struct Hunk {
        std::uint32_t Offset; // in `from`
        std::uint32_t OldLength;
        std::uint32_t NewLength;
    };
    void Add(std::size_t offset, std::span<const std::uint8_t> before,
             std::span<const std::uint8_t> after);
    void AddRuns(std::size_t offset, std::span<const std::uint8_t> before,
                 std::span<const std::uint8_t> after);
    ByteString Apply(std::span<const std::uint8_t> source, bool forward) const;

    std::vector<Hunk> hunks_; // ascending, apart from one another
    ByteString bytes_;        // each hunk's old bytes, then its new bytes, hunk after hunk
};

} // namespace velmar
