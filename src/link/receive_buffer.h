#pragma once
#include "link/frames.h"

#include <optional>
#include <span>
#include <utility>

namespace velmar {

// Gathers what arrives after a command until the receive threshold is
// reached, whatever pieces it comes in, and hands it over once. Whatever
// comes after that belongs to no reply and is dropped: a reply judged wrong
// is left to the reply timer, so a cable echo taken for the reply (or the
// reply for an echo) cannot line up by chance later.
class ReceiveBuffer {
public:
    // Starts over for a new command (both port buffers are emptied then).
    void Expect(std::size_t threshold) {
        threshold_ = threshold;
        bytes_.clear();
        handedOver_ = false;
    }

    // Everything gathered, the first time at least the threshold has come.
    std::optional<Bytes> Add(std::span<const std::uint8_t> bytes) {
        if (handedOver_)
            return std::nullopt;
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        if (bytes_.size() < threshold_ || bytes_.empty())
            return std::nullopt;
        handedOver_ = true;
        return std::exchange(bytes_, {});
    }

private:
    std::size_t threshold_ = 0;
    Bytes bytes_;
    bool handedOver_ = false;
};

} // namespace velmar
