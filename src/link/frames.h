#pragma once
#include "link/radio_image.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmar {

using Bytes = std::vector<std::uint8_t>;

// The frame set of the radio line: commands the program sends, the replies
// the radio gives, in both directions so that the radio side can be played
// too. Addresses travel high byte first; a block carries BlockSize bytes.

inline constexpr std::uint8_t AckByte = 0x06;    // accepted
inline constexpr std::uint8_t ResendByte = 0x0A; // the radio asks for the block again
inline constexpr std::uint8_t IdentifyByte = 0x02;
inline constexpr std::uint8_t EnterWriteByte = 0x03;
inline constexpr std::uint8_t ReadBlockByte = 0x52;     // "R"
inline constexpr std::uint8_t BlockFrameByte = 0x57;    // "W": block data, in both directions
inline constexpr std::uint8_t IdentifyReplyByte = 0x50; // "P"

inline constexpr std::array<std::uint8_t, 7> HandshakeCommand = {'P', 'R', 'O', 'G', 'R', 'A', 'M'};
inline constexpr std::array<std::uint8_t, 3> HandshakeReply = {0x5A, 0x52, AckByte}; // "ZR", ack
inline constexpr std::array<std::uint8_t, 3> EndCommand = {'E', 'N', 'D'};

// The radio address of the password block.
inline constexpr std::uint16_t PasswordBlockAddress = 0x3030;

// Lengths of the replies that follow the cable echo.
inline constexpr std::size_t HandshakeReplyLength = HandshakeReply.size();
inline constexpr std::size_t IdentifyReplyLength = 16;
inline constexpr std::size_t AckReplyLength = 1;
inline constexpr std::size_t BlockFrameLength = BlockSize + 6; // W, addr, len, data, sum, ack
inline constexpr std::size_t ReadBlockFrameLength = 4;

// Commands.
Bytes HandshakeFrame();
Bytes IdentifyFrame();
// The second byte tells the radio which program family writes to it.
Bytes EnterWriteFrame(bool isMainVersion);
Bytes ReadBlockFrame(std::uint16_t address);
Bytes EndFrame();

// A data block: the radio's answer to a read request and the program's write
// command share this form. Bytes missing from `data` go out as 0xFF (erased).
Bytes BlockFrame(std::uint16_t address, std::span<const std::uint8_t> data);

// Sum modulo 256 of the address, length and data bytes of a block frame.
std::uint8_t BlockChecksum(std::span<const std::uint8_t> addressLengthAndData);

struct BlockData {
    std::uint16_t Address = 0;
    std::array<std::uint8_t, BlockSize> Data{};
};

// A complete block frame of exactly BlockFrameLength bytes with a correct
// checksum and the closing 0x06; nothing otherwise.
std::optional<BlockData> ParseBlockFrame(std::span<const std::uint8_t> frame);

// A read request of exactly ReadBlockFrameLength bytes for one block.
std::optional<std::uint16_t> ParseReadBlockFrame(std::span<const std::uint8_t> frame);

// What the radio tells about itself in answer to identify.
struct RadioIdentity {
    std::string Model; // up to 7 characters
    std::uint8_t Band = 0;
    std::string Version; // firmware tag, up to 4 characters
    std::array<std::uint8_t, 2> Extra{};
};

// Identification reply: 0x50, model (7 bytes, NUL-padded), band code,
// version (4 bytes), 2 further bytes, 0x06.
Bytes IdentifyReplyFrame(const RadioIdentity& identity);
// Texts end at their first NUL. Nothing when the frame is not 16 bytes
// starting 0x50 and ending 0x06.
std::optional<RadioIdentity> ParseIdentifyReply(std::span<const std::uint8_t> reply);

// The address in the radio image where the identification reply's bytes
// 1 … 7 (model) and 9 … 14 (version and the rest) are kept.
inline constexpr std::uint16_t IdentityImageAddress = 0x29E0;

// True when more than two bytes came and the last three are the handshake reply.
bool EndsWithHandshakeReply(std::span<const std::uint8_t> received);

} // namespace velmar
