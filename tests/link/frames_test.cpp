#include "link/frames.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

TEST(FramesTest, CommandBytes) {
    EXPECT_EQ(HandshakeFrame(), (Bytes{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D}));
    EXPECT_EQ(IdentifyFrame(), (Bytes{0x02}));
    EXPECT_EQ(EnterWriteFrame(true), (Bytes{0x03, 0x00, 0x06}));
    EXPECT_EQ(EnterWriteFrame(false), (Bytes{0x03, 0xFF, 0x06}));
    EXPECT_EQ(ReadBlockFrame(0x2BF0), (Bytes{0x52, 0x2B, 0xF0, 0x10}));
    EXPECT_EQ(ReadBlockFrame(PasswordBlockAddress), (Bytes{0x52, 0x30, 0x30, 0x10}));
    EXPECT_EQ(EndFrame(), (Bytes{0x45, 0x4E, 0x44}));
}

TEST(FramesTest, BlockFrameCarriesAddressDataChecksumAndAck) {
    Bytes data(BlockSize);
    for (std::size_t i = 0; i < BlockSize; ++i)
        data[i] = static_cast<std::uint8_t>(0xF0 + i);
    const Bytes frame = BlockFrame(0x1234, data);
    ASSERT_EQ(frame.size(), 22u);
    EXPECT_EQ(frame[0], 0x57);
    EXPECT_EQ(frame[1], 0x12);
    EXPECT_EQ(frame[2], 0x34);
    EXPECT_EQ(frame[3], 0x10);
    // 0x12 + 0x34 + 0x10 + (0xF0 + … + 0xFF) = 0x56 + 0xF78 = 0xFCE
    EXPECT_EQ(frame[20], 0xCE);
    EXPECT_EQ(frame[21], 0x06);

    const auto parsed = ParseBlockFrame(frame);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->Address, 0x1234);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), parsed->Data.begin()));
}

TEST(FramesTest, DamagedBlockFramesAreRefused) {
    const Bytes good = BlockFrame(0x0010, Bytes(BlockSize, 0xAB));
    struct Case {
        const char* what;
        std::size_t at;
        std::uint8_t value;
    };
    const Case damaged[] = {
        {"lead byte", 0, 0x52}, {"length", 3, 0x0F},       {"data", 9, 0xAC},
        {"checksum", 20, 0x00}, {"closing ack", 21, 0x0A},
    };
    for (const Case& c : damaged) {
        SCOPED_TRACE(c.what);
        Bytes frame = good;
        frame[c.at] = c.value;
        EXPECT_FALSE(ParseBlockFrame(frame));
    }
    EXPECT_FALSE(ParseBlockFrame(std::span(good).first(21)));
    Bytes longer = good;
    longer.push_back(0x06);
    EXPECT_FALSE(ParseBlockFrame(longer));
    EXPECT_FALSE(ParseBlockFrame({}));
}

TEST(FramesTest, ReadRequestRoundTrip) {
    EXPECT_EQ(ParseReadBlockFrame(ReadBlockFrame(0x30F0)), 0x30F0);
    EXPECT_FALSE(ParseReadBlockFrame(Bytes{0x52, 0x30, 0xF0}));
    EXPECT_FALSE(ParseReadBlockFrame(Bytes{0x52, 0x30, 0xF0, 0x20}));
}

TEST(FramesTest, IdentifyReplyRoundTrip) {
    const RadioIdentity sent{"KAVRO", 1, "V102", {0x12, 0x34}};
    const Bytes reply = IdentifyReplyFrame(sent);
    ASSERT_EQ(reply.size(), IdentifyReplyLength);
    EXPECT_EQ(reply.front(), 0x50);
    EXPECT_EQ(reply[6], 0x00); // model padded with NUL
    EXPECT_EQ(reply.back(), 0x06);

    const auto got = ParseIdentifyReply(reply);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->Model, "KAVRO");
    EXPECT_EQ(got->Band, 1);
    EXPECT_EQ(got->Version, "V102");
    EXPECT_EQ(got->Extra, sent.Extra);

    Bytes wrongEnd = reply;
    wrongEnd.back() = 0x0A;
    EXPECT_FALSE(ParseIdentifyReply(wrongEnd));
    EXPECT_FALSE(ParseIdentifyReply(std::span(reply).first(15)));
}

TEST(FramesTest, HandshakeReplyMayFollowAnEcho) {
    EXPECT_TRUE(EndsWithHandshakeReply(Bytes{0x5A, 0x52, 0x06}));
    Bytes echoed = HandshakeFrame();
    echoed.insert(echoed.end(), {0x5A, 0x52, 0x06});
    EXPECT_TRUE(EndsWithHandshakeReply(echoed));
    EXPECT_FALSE(EndsWithHandshakeReply(Bytes{0x52, 0x06}));
    EXPECT_FALSE(EndsWithHandshakeReply(Bytes{0x5A, 0x52, 0x06, 0x00}));
}

} // namespace
} // namespace velmar
