#include "link/radio_sim.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmar {
namespace {

// Everything that comes back, pieces joined.
Bytes Joined(const std::vector<Bytes>& pieces) {
    Bytes all;
    for (const Bytes& piece : pieces)
        all.insert(all.end(), piece.begin(), piece.end());
    return all;
}

Bytes Handshake(RadioSim& sim) {
    return Joined(sim.Receive(HandshakeFrame()));
}

TEST(RadioSimTest, AnswersOnlyAfterTheHandshake) {
    RadioSim sim;
    EXPECT_TRUE(sim.Receive(IdentifyFrame()).empty());
    EXPECT_EQ(Handshake(sim), (Bytes{0x5A, 0x52, 0x06}));
    EXPECT_EQ(Joined(sim.Receive(IdentifyFrame())), IdentifyReplyFrame(RadioSimConfig{}.Identity));
    EXPECT_EQ(Joined(sim.Receive(EndFrame())), (Bytes{0x06}));
    EXPECT_FALSE(sim.InProgramMode());
    EXPECT_TRUE(sim.Receive(IdentifyFrame()).empty());
}

TEST(RadioSimTest, CommandsMayArriveInPiecesAfterNoise) {
    RadioSim sim;
    const Bytes noisy = {0x00, 'P', 'X', 'P', 'R', 'O'};
    EXPECT_TRUE(sim.Receive(noisy).empty());
    EXPECT_EQ(Joined(sim.Receive(Bytes{'G', 'R', 'A', 'M'})), (Bytes{0x5A, 0x52, 0x06}));
    sim.Memory.bytes[0x0123] = 0x77;
    const Bytes request = ReadBlockFrame(0x0120);
    EXPECT_TRUE(sim.Receive(std::span(request).first(2)).empty());
    const Bytes reply = Joined(sim.Receive(std::span(request).subspan(2)));
    const auto block = ParseBlockFrame(reply);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->Address, 0x0120);
    EXPECT_EQ(block->Data[3], 0x77);
}

TEST(RadioSimTest, EchoComesFirstAsItsOwnPiece) {
    RadioSimConfig config;
    config.Echo = true;
    RadioSim sim(config);
    const auto pieces = sim.Receive(HandshakeFrame());
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], HandshakeFrame());
    EXPECT_EQ(pieces[1], (Bytes{0x5A, 0x52, 0x06}));
}

TEST(RadioSimTest, WriteBlocksAreStoredOnlyWhenWhole) {
    RadioSim sim;
    Handshake(sim);
    const Bytes data(BlockSize, 0x3C);
    EXPECT_EQ(Joined(sim.Receive(BlockFrame(0x2BF0, data))), (Bytes{0x06}));
    EXPECT_EQ(sim.Memory.bytes[0x2BFF], 0x3C);
    EXPECT_EQ(Joined(sim.Receive(BlockFrame(0x3010, data))), (Bytes{0x06}));
    EXPECT_EQ(sim.InfoBlock.bytes[0x10], 0x3C);

    Bytes damaged = BlockFrame(0x0000, data);
    damaged[20] ^= 0x01;
    EXPECT_EQ(Joined(sim.Receive(damaged)), (Bytes{0x0A}));
    EXPECT_EQ(sim.Memory.bytes[0x0000], 0x00);
    EXPECT_EQ(Joined(sim.Receive(BlockFrame(0x2C00, data))), (Bytes{0x0A}));
}

TEST(RadioSimTest, PasswordLivesInThePasswordBlock) {
    RadioSim sim;
    EXPECT_EQ(sim.InfoBlock.bytes[0x3C], 0xFF);
    sim.SetPassword("AB");
    const Bytes expected = {'A', 'B', 0x00, 0x00};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), sim.InfoBlock.bytes.begin() + 0x3C));
}

TEST(RadioSimTest, FaultsShapeTheReplies) {
    const Bytes request = ReadBlockFrame(0x0010);
    struct Case {
        SimFaultKind kind;
        std::size_t pieces;
        bool validBlock;
    };
    const Case cases[] = {
        {SimFaultKind::DropReply, 0, false},    {SimFaultKind::BadChecksum, 1, false},
        {SimFaultKind::AnswerResend, 1, false}, {SimFaultKind::SplitReply, 2, true},
        {SimFaultKind::Garbage, 1, false},      {SimFaultKind::Noise, 2, false},
        {SimFaultKind::GoSilent, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        RadioSim sim;
        sim.AddFault({c.kind, SimCommand::ReadBlock, 0x0010, 1});
        Handshake(sim);
        EXPECT_TRUE(ParseBlockFrame(Joined(sim.Receive(ReadBlockFrame(0x0000)))));
        const auto pieces = sim.Receive(request);
        EXPECT_EQ(pieces.size(), c.pieces);
        EXPECT_EQ(ParseBlockFrame(Joined(pieces)).has_value(), c.validBlock);
        // The fault is spent after one hit, except silence, which lasts.
        const bool answersAgain = c.kind != SimFaultKind::GoSilent;
        EXPECT_EQ(ParseBlockFrame(Joined(sim.Receive(request))).has_value(), answersAgain);
    }
}

TEST(RadioSimTest, ResendFaultKeepsTheWriteOut) {
    RadioSim sim;
    sim.AddFault({SimFaultKind::AnswerResend, SimCommand::WriteBlock, std::nullopt, 1});
    Handshake(sim);
    const Bytes frame = BlockFrame(0x0000, Bytes(BlockSize, 0x11));
    EXPECT_EQ(Joined(sim.Receive(frame)), (Bytes{0x0A}));
    EXPECT_EQ(sim.Memory.bytes[0], 0x00);
    EXPECT_EQ(Joined(sim.Receive(frame)), (Bytes{0x06}));
    EXPECT_EQ(sim.Memory.bytes[0], 0x11);
    EXPECT_EQ(sim.Count(SimCommand::WriteBlock), 2u);
}

// The block is acknowledged but stored with its first byte inverted, once;
// reads are not touched by the fault.
TEST(RadioSimTest, CorruptFaultSpoilsAWrittenBlockBehindAnAcknowledge) {
    RadioSim sim;
    sim.AddFault({SimFaultKind::CorruptWrite, SimCommand::Any, 0x0100, 1});
    Handshake(sim);
    const Bytes read = Joined(sim.Receive(ReadBlockFrame(0x0100)));
    EXPECT_EQ(ParseBlockFrame(read)->Data[0], 0x00);
    const Bytes frame = BlockFrame(0x0100, Bytes(BlockSize, 0x11));
    EXPECT_EQ(Joined(sim.Receive(frame)), (Bytes{0x06}));
    EXPECT_EQ(sim.Memory.bytes[0x0100], 0xEE);
    EXPECT_EQ(sim.Memory.bytes[0x0101], 0x11);
    EXPECT_EQ(Joined(sim.Receive(frame)), (Bytes{0x06}));
    EXPECT_EQ(sim.Memory.bytes[0x0100], 0x11);
}

TEST(RadioSimTest, FactoryKeywordOpensProgrammingMode) {
    RadioSimConfig config;
    config.FactoryHandshake = "FACTORY";
    RadioSim sim(config);
    EXPECT_EQ(Joined(sim.Receive(Bytes{'F', 'A', 'C', 'T', 'O', 'R', 'Y'})),
              (Bytes{0x5A, 0x52, 0x06}));
    EXPECT_TRUE(sim.InProgramMode());
}

// Erased memory but for the identification, which reads as the identify
// reply tells it: model, band code, firmware and the two further bytes.
TEST(RadioSimTest, FreshFromTheFactoryHoldsOnlyItsIdentification) {
    struct Case {
        RadioIdentity identity;
        Bytes identification; // 0x29E0 … 0x29ED
    };
    const Case cases[] = {
        {RadioSimConfig{}.Identity,
         {'K', 'A', 'V', 'R', 'O', 0, 0, 0x01, 'V', '1', '0', '2', 0x00, 0x00}},
        {{"RX7", 5, "V101", {0x12, 0x34}},
         {'R', 'X', '7', 0, 0, 0, 0, 0x05, 'V', '1', '0', '1', 0x12, 0x34}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.identity.Model);
        RadioSimConfig config;
        config.Identity = c.identity;
        RadioSim sim(config);
        sim.Memory.bytes.fill(0x00); // whatever it held before
        sim.SetPassword("1234");

        sim.FreshFromFactory();

        for (std::size_t a = 0; a < RadioImage::Size; ++a) {
            const bool identification = a >= 0x29E0 && a <= 0x29ED;
            const std::uint8_t expected = identification ? c.identification[a - 0x29E0] : 0xFF;
            ASSERT_EQ(sim.Memory.bytes[a], expected) << std::hex << a;
        }
        EXPECT_TRUE(std::all_of(sim.InfoBlock.bytes.begin(), sim.InfoBlock.bytes.end(),
                                [](std::uint8_t b) { return b == 0xFF; })); // no password
        Handshake(sim);
        const Bytes reply = Joined(sim.Receive(IdentifyFrame()));
        EXPECT_TRUE(std::equal(reply.begin() + 1, reply.end() - 1, c.identification.begin()));
    }
}

TEST(RadioSimTest, FaultsWrittenAsText) {
    struct Case {
        const char* text;
        std::optional<SimFault> expected;
    };
    const Case cases[] = {
        {"drop", SimFault{SimFaultKind::DropReply, SimCommand::Any, std::nullopt, 1}},
        {"checksum:read@0x0100*4",
         SimFault{SimFaultKind::BadChecksum, SimCommand::ReadBlock, 0x0100, 4}},
        {"resend:write@256*all",
         SimFault{SimFaultKind::AnswerResend, SimCommand::WriteBlock, 256, -1}},
        {"silent:end", SimFault{SimFaultKind::GoSilent, SimCommand::End, std::nullopt, 1}},
        {"split:identify*2",
         SimFault{SimFaultKind::SplitReply, SimCommand::Identify, std::nullopt, 2}},
        {"garbage:handshake",
         SimFault{SimFaultKind::Garbage, SimCommand::Handshake, std::nullopt, 1}},
        {"noise:handshake*all",
         SimFault{SimFaultKind::Noise, SimCommand::Handshake, std::nullopt, -1}},
        {"corrupt:write@0x0100",
         SimFault{SimFaultKind::CorruptWrite, SimCommand::WriteBlock, 0x0100, 1}},
        {"drop@0x10", std::nullopt},
        {"drop:reed", std::nullopt},
        {"lose", std::nullopt},
        {"drop:read@0x1G", std::nullopt},
        {"drop*0", std::nullopt},
        {"drop:read@0x10000", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto got = ParseSimFault(c.text);
        ASSERT_EQ(got.has_value(), c.expected.has_value());
        if (!got)
            continue;
        EXPECT_EQ(got->Kind, c.expected->Kind);
        EXPECT_EQ(got->On, c.expected->On);
        EXPECT_EQ(got->Address, c.expected->Address);
        EXPECT_EQ(got->Times, c.expected->Times);
    }
}

} // namespace
} // namespace velmar
