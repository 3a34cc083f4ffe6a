#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace velmar {

// The radio moves its memory in blocks of this many bytes.
inline constexpr std::size_t BlockSize = 16;

// A copy of one range of the radio's memory, indexed by radio address.
// Every access by address checks the range: a request that does not lie
// wholly inside gives an empty span or `false` and changes nothing.
template <std::uint16_t First, std::size_t Length> struct RadioMemory {
    static constexpr std::uint16_t FirstAddress = First;
    static constexpr std::uint16_t LastAddress = static_cast<std::uint16_t>(First + Length - 1);
    static constexpr std::size_t Size = Length;

    std::array<std::uint8_t, Length> bytes{};

    // True when radio addresses address … address + length − 1 lie inside.
    static constexpr bool Holds(std::uint32_t address, std::size_t length = 1) {
        return address >= First && length <= Length && address - First <= Length - length;
    }

    std::span<std::uint8_t> Range(std::uint32_t address, std::size_t length) {
        if (!Holds(address, length))
            return {};
        return std::span<std::uint8_t>(bytes).subspan(address - First, length);
    }
    std::span<const std::uint8_t> Range(std::uint32_t address, std::size_t length) const {
        if (!Holds(address, length))
            return {};
        return std::span<const std::uint8_t>(bytes).subspan(address - First, length);
    }

    // The 16-byte block that starts at `address` (empty when outside).
    std::span<std::uint8_t> Block(std::uint32_t address) { return Range(address, BlockSize); }
    std::span<const std::uint8_t> Block(std::uint32_t address) const {
        return Range(address, BlockSize);
    }

    // Copies `data` to radio address `address`; false when it does not fit.
    bool Store(std::uint32_t address, std::span<const std::uint8_t> data) {
        auto target = Range(address, data.size());
        if (target.size() != data.size())
            return false;
        std::copy(data.begin(), data.end(), target.begin());
        return true;
    }

    // Sets radio addresses first … last (both included) to `value`.
    bool Fill(std::uint32_t first, std::uint32_t last, std::uint8_t value) {
        if (last < first)
            return false;
        auto target = Range(first, last - first + 1);
        if (target.empty())
            return false;
        std::fill(target.begin(), target.end(), value);
        return true;
    }
};

// The radio's programmable memory, radio addresses 0x0000 … 0x2BFF
// (index = address).
using RadioImage = RadioMemory<0x0000, 0x2C00>;

// The radio's identification block, radio addresses 0x3000 … 0x30FF.
using RadioInfoBlock = RadioMemory<0x3000, 0x100>;

// Before a read or a write the channel area 0x0000 … 0x243F is set to 0xFF,
// so that slots the radio or the document leave out read as erased.
inline void ClearChannelArea(RadioImage& image) {
    image.Fill(0x0000, 0x243F, 0xFF);
}

} // namespace velmar
