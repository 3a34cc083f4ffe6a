#include <cstdint>
#include <random>

#include <gtest/gtest.h>

#include "model/channel_info.h"
#include "model/doc_record.h"

namespace velmar {
namespace {

std::uint16_t WordAt(const auto& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

template <std::size_t N> std::array<std::uint8_t, N> RandomBytes(unsigned seed) {
    std::mt19937 random(seed);
    std::array<std::uint8_t, N> bytes{};
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(random());
    return bytes;
}

TEST(RecordLayout, DocRecordFieldsSitAtTheirFileOffsets) {
    DocRecord doc;
    doc.Version = MakeFixStr<4>("V102");
    doc.ChCount = 0x0102;
    doc.ModelInfo.Name = MakeFixStr<7>("KAVRO");
    doc.ModelInfo.BandCode = 0x1234;
    doc.OptFeatures.Word(OptWord::EchoLock) = 0x0A0B;
    doc.OptFeatures.Word(OptWord::CurGroup) = 7;
    doc.OptFeatures.Word(OptWord::PttIdPause) = 0x0C0D;
    doc.OptFeatures.EmgCh[0] = 0x2222;
    doc.OptFeatures.EmgChMode[25] = 0x3333;
    doc.OptFeatures.Word(OptWord::StartGroup) = 0x4444;
    doc.OptFeatures.Word(OptWord::ExtCh) = 0x5555;
    doc.OptFeatures.OptChannel.RbTone = 0x6666;
    doc.OptFeatures.RadioLabel = MakeFixStr<16>("LABEL");
    doc.OptFeatures.Word(OptWord::SqlLevel) = 0x7777;
    doc.OptFeatures.Word(OptWord::VoxDelay) = 0x8888;
    doc.DtmfSettings.IdCode = MakeFixStr<10>("000");
    doc.DtmfSettings.IdCodeLen = 3;
    doc.DtmfSettings.MemCodes[0].Length = 0x0909;
    doc.DtmfSettings.MemCodes[15].Code = MakeFixStr<16>("123");
    doc.EmbMsg[3] = MakeFixStr<16>("LINE4");
    doc.KeySettings[0] = 10;
    doc.AlertSettings[0] = 0xA1;
    doc.ScanSettings[11] = 0xB2;
    doc.ToneTips[1].Repeat = 0x0E0F;
    doc.GroupNames[12] = MakeFixStr<6>("E");
    doc.ResetFlags[13] = 0xC3;
    doc.ExtOption = 0xD4;

    const DocBytes bytes = SerializeDocRecord(doc);

    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "V102");
    EXPECT_EQ(WordAt(bytes, 4), 0x0102);
    EXPECT_EQ(std::string(bytes.begin() + 382, bytes.begin() + 389), "KAVRO  ");
    EXPECT_EQ(WordAt(bytes, 389), 0x1234) << "no gap after the 7-character model name";
    EXPECT_EQ(WordAt(bytes, 391), 0x0A0B);
    EXPECT_EQ(WordAt(bytes, 391 + 8), 7);
    EXPECT_EQ(WordAt(bytes, 391 + 24), 0x0C0D);
    EXPECT_EQ(WordAt(bytes, 391 + 26), 0x2222);
    EXPECT_EQ(WordAt(bytes, 391 + 78 + 50), 0x3333);
    EXPECT_EQ(WordAt(bytes, 391 + 130), 0x4444);
    EXPECT_EQ(WordAt(bytes, 391 + 140), 0x5555);
    EXPECT_EQ(WordAt(bytes, 391 + 142 + 54), 0x6666);
    EXPECT_EQ(bytes[391 + 250], 'L');
    EXPECT_EQ(WordAt(bytes, 391 + 266), 0x7777);
    EXPECT_EQ(WordAt(bytes, 391 + 298), 0x8888);
    EXPECT_EQ(bytes[691 + 18], '0');
    EXPECT_EQ(WordAt(bytes, 691 + 28), 3);
    EXPECT_EQ(WordAt(bytes, 691 + 102), 0x0909);
    EXPECT_EQ(bytes[691 + 372 + 2], '1');
    EXPECT_EQ(bytes[1081 + 48], 'L');
    EXPECT_EQ(WordAt(bytes, 1145), 10);
    EXPECT_EQ(bytes[1157], 0xA1);
    EXPECT_EQ(bytes[1168 + 11], 0xB2);
    EXPECT_EQ(WordAt(bytes, 1180 + 60 + 56), 0x0E0F);
    EXPECT_EQ(bytes[1660 + 72], 'E');
    EXPECT_EQ(bytes[1738 + 13], 0xC3);
    EXPECT_EQ(bytes[1752], 0xD4);
}

TEST(RecordLayout, ChannelInfoFieldsSitAtTheirFileOffsets) {
    ChannelInfo ch;
    ch.ChNo = 521;
    ch.RxFre = MakeFixStr<8>("02786000");
    ch.RbTone = 1;
    ch.ShiftDir = 2;
    ch.Offset = MakeFixStr<7>("0460000");
    ch.RxRaster = 0x0102;
    ch.ExtraChoice = -2;

    const ChannelBytes bytes = SerializeChannelInfo(ch);

    EXPECT_EQ(WordAt(bytes, 0), 521);
    EXPECT_EQ(std::string(bytes.begin() + 6, bytes.begin() + 14), "02786000");
    EXPECT_EQ(WordAt(bytes, 54), 1);
    EXPECT_EQ(bytes[64], 2);
    EXPECT_EQ(std::string(bytes.begin() + 65, bytes.begin() + 72), "0460000");
    EXPECT_EQ(WordAt(bytes, 72), 0x0102);
    EXPECT_EQ(WordAt(bytes, 106), 0xFFFE) << "negative words are stored in two's complement";
}

TEST(RecordLayout, OptChannelHasTheChannelFileForm) {
    DocRecord doc;
    doc.OptFeatures.OptChannel.ChNo = 9;
    doc.OptFeatures.OptChannel.Offset = MakeFixStr<7>("1234567");
    const DocBytes bytes = SerializeDocRecord(doc);
    const ChannelBytes alone = SerializeChannelInfo(doc.OptFeatures.OptChannel);
    EXPECT_TRUE(std::equal(alone.begin(), alone.end(), bytes.begin() + 391 + 142));
}

TEST(RecordLayout, ArbitraryBytesSurviveARoundTrip) {
    for (unsigned seed : {1u, 2u, 3u}) {
        const auto docBytes = RandomBytes<kDocRecordSize>(seed);
        EXPECT_EQ(SerializeDocRecord(ParseDocRecord(docBytes)), docBytes);
        const auto chBytes = RandomBytes<kChannelInfoSize>(seed);
        EXPECT_EQ(SerializeChannelInfo(ParseChannelInfo(chBytes)), chBytes);
    }
}

TEST(ChannelNumbering, GroupsMapToChannelNumbers) {
    struct Case {
        int group, start, size;
    };
    for (const Case c : {Case{0, 0, 40}, Case{4, 160, 40}, Case{12, 480, 40}, Case{13, 520, 1},
                         Case{14, 521, 8}, Case{15, 0, 40}, Case{-1, 0, 40}}) {
        EXPECT_EQ(GroupStartNo(c.group), c.start) << "group " << c.group;
        EXPECT_EQ(GroupSize(c.group), c.size) << "group " << c.group;
    }
}

TEST(ChannelNumbering, NewChannelHasTheDefaultsOfAnAddedChannel) {
    const ChannelInfo ch = NewChannelInfo(167);
    EXPECT_EQ(ch.ChNo, 167);
    EXPECT_EQ(ch.RbTone, 1);
    EXPECT_EQ(ch.Offset, FixStr<7>{});
    ChannelInfo expected;
    expected.ChNo = 167;
    expected.RbTone = 1;
    EXPECT_EQ(ch, expected);
}

} // namespace
} // namespace velmar
