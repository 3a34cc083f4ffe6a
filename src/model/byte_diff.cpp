#include "model/byte_diff.h"

#include <algorithm>
#include <stdexcept>

namespace velmar {

namespace {

// Runs closer than this are kept as one: a hunk costs about as much as the
// equal bytes between two runs.
constexpr std::size_t kJoinGap = 6;

std::size_t CommonPrefix(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    const std::size_t n = std::min(a.size(), b.size());
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.begin() + n, b.begin()).first -
                                    a.begin());
}

std::size_t CommonSuffix(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    const std::size_t n = std::min(a.size(), b.size());
    return static_cast<std::size_t>(std::mismatch(a.rbegin(), a.rbegin() + n, b.rbegin()).first -
                                    a.rbegin());
}

// Where `shorter` lost (or `longer` gained) `longer.size() − shorter.size()`
// bytes: the split q with the fewest differing bytes when shorter[0, q) is
// laid against longer[0, q) and the rest of shorter against the end of longer.
std::size_t BestSplit(std::span<const std::uint8_t> longer, std::span<const std::uint8_t> shorter) {
    const std::size_t n = shorter.size();
    const std::size_t gap = longer.size() - n;
    // tail[i]: differing bytes of shorter[i, n) against longer[i + gap, …)
    std::vector<std::uint32_t> tail(n + 1, 0);
    for (std::size_t i = n; i-- > 0;)
        tail[i] = tail[i + 1] + (shorter[i] != longer[i + gap] ? 1 : 0);
    std::size_t best = 0;
    std::uint32_t bestCost = tail[0];
    std::uint32_t head = 0; // differing bytes of shorter[0, q) against longer[0, q)
    for (std::size_t q = 1; q <= n; ++q) {
        head += shorter[q - 1] != longer[q - 1] ? 1 : 0;
        if (head + tail[q] < bestCost) {
            bestCost = head + tail[q];
            best = q;
        }
    }
    return best;
}

} // namespace

ByteDiff ByteDiff::Between(std::span<const std::uint8_t> from, std::span<const std::uint8_t> to) {
    ByteDiff diff;
    const std::size_t prefix = CommonPrefix(from, to);
    const std::size_t suffix =
        std::min(CommonSuffix(from, to), std::min(from.size(), to.size()) - prefix);
    const auto before = from.subspan(prefix, from.size() - prefix - suffix);
    const auto after = to.subspan(prefix, to.size() - prefix - suffix);
    if (before.size() == after.size()) {
        diff.AddRuns(prefix, before, after);
        return diff;
    }
    const bool grew = after.size() > before.size();
    const std::size_t gap = grew ? after.size() - before.size() : before.size() - after.size();
    const std::size_t split = grew ? BestSplit(after, before) : BestSplit(before, after);
    diff.AddRuns(prefix, before.first(split), after.first(split));
    diff.Add(prefix + split, before.subspan(split, grew ? 0 : gap),
             after.subspan(split, grew ? gap : 0));
    diff.AddRuns(prefix + split + (grew ? 0 : gap), before.subspan(split + (grew ? 0 : gap)),
                 after.subspan(split + (grew ? gap : 0)));
    return diff;
}

void ByteDiff::Add(std::size_t offset, std::span<const std::uint8_t> before,
                   std::span<const std::uint8_t> after) {
    if (before.empty() && after.empty())
        return;
    hunks_.push_back({static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(before.size()),
                      static_cast<std::uint32_t>(after.size())});
    bytes_.insert(bytes_.end(), before.begin(), before.end());
    bytes_.insert(bytes_.end(), after.begin(), after.end());
}

// Equal lengths: each run of differing bytes, runs less than kJoinGap apart
// taken together.
void ByteDiff::AddRuns(std::size_t offset, std::span<const std::uint8_t> before,
                       std::span<const std::uint8_t> after) {
    const std::size_t n = before.size();
    std::size_t i = 0;
    while (i < n) {
        if (before[i] == after[i]) {
            ++i;
            continue;
        }
        std::size_t last = i; // last differing byte of the run
        for (std::size_t k = i + 1; k < n && k - last <= kJoinGap; ++k)
            if (before[k] != after[k])
                last = k;
        Add(offset + i, before.subspan(i, last + 1 - i), after.subspan(i, last + 1 - i));
        i = last + 1;
    }
}

ByteString ByteDiff::Apply(std::span<const std::uint8_t> source, bool forward) const {
    ByteString result;
    result.reserve(source.size() + bytes_.size());
    std::size_t read = 0;     // next byte of `source` to copy
    std::size_t stored = 0;   // start of the hunk's bytes in bytes_
    std::ptrdiff_t shift = 0; // offset in `to` minus offset in `from`, before this hunk
    for (const Hunk& hunk : hunks_) {
        const std::size_t at = forward ? hunk.Offset : hunk.Offset + shift;
        const std::size_t replaced = forward ? hunk.OldLength : hunk.NewLength;
        if (at < read || at + replaced > source.size())
            throw std::invalid_argument("diff applied to another string");
        result.insert(result.end(), source.begin() + read, source.begin() + at);
        const auto put = bytes_.begin() + stored + (forward ? hunk.OldLength : 0);
        result.insert(result.end(), put, put + (forward ? hunk.NewLength : hunk.OldLength));
        read = at + replaced;
        stored += hunk.OldLength + hunk.NewLength;
        shift += static_cast<std::ptrdiff_t>(hunk.NewLength) -
                 static_cast<std::ptrdiff_t>(hunk.OldLength);
    }
    result.insert(result.end(), source.begin() + read, source.end());
    return result;
}

ByteString ByteDiff::Forward(std::span<const std::uint8_t> from) const {
    return Apply(from, true);
}

ByteString ByteDiff::Backward(std::span<const std::uint8_t> to) const {
    return Apply(to, false);
}

std::size_t ByteDiff::MemoryBytes() const {
    return sizeof(ByteDiff) + hunks_.capacity() * sizeof(Hunk) + bytes_.capacity();
}

} // namespace velmar
