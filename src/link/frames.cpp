#include "link/frames.h"

#include <algorithm>

namespace velmar {
namespace {

std::uint8_t High(std::uint16_t address) {
    return static_cast<std::uint8_t>(address >> 8);
}
std::uint8_t Low(std::uint16_t address) {
    return static_cast<std::uint8_t>(address & 0xFF);
}

std::uint16_t AddressAt(std::span<const std::uint8_t> frame, std::size_t at) {
    return static_cast<std::uint16_t>(frame[at] << 8 | frame[at + 1]);
}

// Text of a fixed field that ends at its first NUL.
std::string TextUpToNul(std::span<const std::uint8_t> field) {
    auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return std::string(field.begin(), end);
}

void PutText(Bytes& out, const std::string& text, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
        out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
}

} // namespace

Bytes HandshakeFrame() {
    return Bytes(HandshakeCommand.begin(), HandshakeCommand.end());
}

Bytes IdentifyFrame() {
    return {IdentifyByte};
}

Bytes EnterWriteFrame(bool isMainVersion) {
    return {EnterWriteByte, static_cast<std::uint8_t>(isMainVersion ? 0x00 : 0xFF), AckByte};
}

Bytes ReadBlockFrame(std::uint16_t address) {
    return {ReadBlockByte, High(address), Low(address), static_cast<std::uint8_t>(BlockSize)};
}

Bytes EndFrame() {
    return Bytes(EndCommand.begin(), EndCommand.end());
}

std::uint8_t BlockChecksum(std::span<const std::uint8_t> addressLengthAndData) {
    unsigned sum = 0;
    for (std::uint8_t b : addressLengthAndData)
        sum += b;
    return static_cast<std::uint8_t>(sum & 0xFF);
}

Bytes BlockFrame(std::uint16_t address, std::span<const std::uint8_t> data) {
    Bytes frame = {BlockFrameByte, High(address), Low(address),
                   static_cast<std::uint8_t>(BlockSize)};
    for (std::size_t i = 0; i < BlockSize; ++i)
        frame.push_back(i < data.size() ? data[i] : 0xFF);
    frame.push_back(BlockChecksum(std::span<const std::uint8_t>(frame).subspan(1)));
    frame.push_back(AckByte);
    return frame;
}

std::optional<BlockData> ParseBlockFrame(std::span<const std::uint8_t> frame) {
    if (frame.size() != BlockFrameLength || frame[0] != BlockFrameByte || frame[3] != BlockSize ||
        frame.back() != AckByte)
        return std::nullopt;
    const auto summed = frame.subspan(1, 3 + BlockSize);
    if (BlockChecksum(summed) != frame[4 + BlockSize])
        return std::nullopt;
    BlockData block;
    block.Address = AddressAt(frame, 1);
    std::copy_n(frame.begin() + 4, BlockSize, block.Data.begin());
    return block;
}

std::optional<std::uint16_t> ParseReadBlockFrame(std::span<const std::uint8_t> frame) {
    if (frame.size() != ReadBlockFrameLength || frame[0] != ReadBlockByte || frame[3] != BlockSize)
        return std::nullopt;
    return AddressAt(frame, 1);
}

Bytes IdentifyReplyFrame(const RadioIdentity& identity) {
    Bytes reply = {IdentifyReplyByte};
    PutText(reply, identity.Model, 7);
    reply.push_back(identity.Band);
    PutText(reply, identity.Version, 4);
    reply.insert(reply.end(), identity.Extra.begin(), identity.Extra.end());
    reply.push_back(AckByte);
    return reply;
}

std::optional<RadioIdentity> ParseIdentifyReply(std::span<const std::uint8_t> reply) {
    if (reply.size() != IdentifyReplyLength || reply.front() != IdentifyReplyByte ||
        reply.back() != AckByte)
        return std::nullopt;
    RadioIdentity identity;
    identity.Model = TextUpToNul(reply.subspan(1, 7));
    identity.Band = reply[8];
    identity.Version = TextUpToNul(reply.subspan(9, 4));
    identity.Extra = {reply[13], reply[14]};
    return identity;
}

bool EndsWithHandshakeReply(std::span<const std::uint8_t> received) {
    return received.size() >= HandshakeReply.size() &&
           std::equal(HandshakeReply.begin(), HandshakeReply.end(),
                      received.end() - HandshakeReply.size());
}

} // namespace velmar
