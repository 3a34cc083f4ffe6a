#include "channels/frequency_codec.h"
#include "channels/offset_codec.h"
#include "channels/raster.h"
#include "channels/tone_list.h"

#include <gtest/gtest.h>

#include <string>

#include "channel_fakes.h"
#include "shell/numbers.h"

namespace velmar {
namespace {

using namespace std::string_literals;

class CodecTest : public ::testing::Test, public FreFixture {};

TEST_F(CodecTest, FreStoreToShow) {
    const struct {
        std::string stored, shown;
    } cases[] = {
        {"", ""},
        {"FFFFFFFF", ""},
        {"        ", ""},
        {"\0\0\0\0\0\0\0\0"s, ""},
        {"14550000", "145.50000"},
        {"02561500", "25.61500"},
        {"4351", "435.10000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(FreStoreToShow(c.stored, fre), c.shown);
    }
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(CodecTest, DamagedStoredFrequencyShowsBandLowWithMessage) {
    EXPECT_EQ(FreStoreToShow("1455O000", fre), "25.615");
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "Not IsNumeric");
    EXPECT_EQ(sink.shown[0].buttons, MsgButtons::Ok);
}

TEST_F(CodecTest, FreShowToStore) {
    const struct {
        const char* entered;
        const char* stored;
    } cases[] = {
        {"", ""},
        {"  ", ""},
        {"145.5", "14550000"},
        {"145.123456", "14512345"}, // cut, not rounded
        {"145.12", "14512000"},
        {"27.125", "02712500"},
        {"25", "02500000"},
        {"5", "00500000"},
        {".5", "00050000"},
        {"1455", "14550000"}, // digits without a point are MHz digits
        {"14550000", "14550000"},
        {"123456789", "12345678"},
        {" +145.5 ", "14550000"},
        {"abc", "02561500"}, // not a number: BandLow
        {"-27", "02561500"},
        {"1.2.3", "02561500"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entered);
        EXPECT_EQ(FreShowToStore(c.entered, fre.BandLow), c.stored);
    }
}

TEST_F(CodecTest, FreCheckTextClampsAlignsAndWarns) {
    const struct {
        std::string entered;
        int group;
        const char* checked;
        bool warns;
    } cases[] = {
        {"27.123", 3, "27.12000", false}, // 3 kHz above the 5 kHz raster
        {"27.60125", 6, "27.60125", false},
        {"27.60125", 13, "27.60125", false},
        {"27.60125", 5, "27.60000", false},
        {"25.615", 3, "25.61500", false},
        {"30.105", 3, "30.10500", false},
        {"31", 3, "30.10500", true},
        {"25", 3, "25.61500", true},
        {"-1", 3, "25.61500", true},
        {"xyz", 3, "25.61500", true},
        {"", 3, "25.61500", true},
        {std::string(500, '9'), 3, "25.61500", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entered + " group " + std::to_string(c.group));
        sink.shown.clear();
        EXPECT_EQ(FreCheckText(c.entered, c.group, fre), c.checked);
        EXPECT_EQ(WarnedOutOfBand(), c.warns);
        EXPECT_LE(sink.shown.size(), 1u);
    }
}

TEST_F(CodecTest, OffsetStoreToShow) {
    const struct {
        std::string stored;
        int dir;
        const char* shown;
    } cases[] = {
        {"0460000", 0, "4.60000"}, {"0460000", 1, "-4.60000"}, {"0460000", 2, "+4.60000"},
        {"0460000", 7, "4.60000"}, {"FFFFFFF", 2, "+0.00000"}, {"\0\0\0\0\0\0\0"s, 1, "-0.00000"},
        {"12345", 2, "+0.00000"},  {"04600x0", 0, "0.00000"},  {"9999999", 1, "-99.99999"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored + " dir " + std::to_string(c.dir));
        EXPECT_EQ(OffsetStoreToShow(c.stored, c.dir), c.shown);
    }
}

TEST_F(CodecTest, TransmitTexts) {
    const struct {
        const char* rx;
        int dir;
        bool showOffset;
        const char* shown;
        const char* checked;
    } cases[] = {
        {"14550000", 2, false, "150.10000", "150.10000"},
        {"14550000", 1, false, "140.90000", "140.90000"},
        {"14550000", 0, false, "145.50000", "145.50000"},
        {"14550000", 3, false, "145.50000", "145.50000"},
        {"14550000", 2, true, "+4.60000", "+4.60000"},
        {"00300000", 1, false, "1.60000", "-1.60000"}, // shown made absolute, checked not
        {"FFFFFFFF", 2, false, "", ""},
        {"", 2, true, "+4.60000", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.rx) + " dir " + std::to_string(c.dir));
        EXPECT_EQ(TxFreShow(c.rx, "0460000", c.dir, c.showOffset, fre), c.shown);
        EXPECT_EQ(TxFreShowChecked(c.rx, "0460000", c.dir, c.showOffset, fre), c.checked);
    }
}

TEST_F(CodecTest, OffsetShowToStore) {
    const struct {
        const char* rx;
        const char* entered;
        bool offsetEntry;
        const char* oldOffset;
        std::uint8_t oldDir;
        const char* offset;
        std::uint8_t dir;
        bool warns;
    } cases[] = {
        // transmit frequency entered
        {"14550000", "145.5", false, "0460000", 2, "0460000", 0, false}, // shift off, digits kept
        {"14550000", "150.1", false, "0000000", 0, "0460000", 2, false},
        {"14550000", "140.9", false, "0000000", 0, "0460000", 1, false},
        // offset entered
        {"14550000", "+4.6", true, "0000000", 0, "0460000", 2, false},
        {"14550000", "-0.6", true, "0460000", 2, "0060000", 1, false},
        {"14550000", "4.6", true, "0000000", 2, "0460000", 0, false}, // no sign: no shift
        {"14550000", "+4.600005", true, "0000000", 0, "0460001", 2, false},
        // nothing to go on: shift off, old magnitude kept
        {"14550000", "", true, "0460000", 2, "0460000", 0, false},
        {"FFFFFFFF", "+4.6", true, "0460000", 2, "0460000", 0, false},
        {"14550000", "+4.6", true, "FFFFFFF", 0, "0460000", 2, false},
        // bad entries are corrected with a warning
        {"14550000", "abc", true, "0460000", 2, "0460000", 0, true},
        {"14550000", "+-1", false, "0460000", 1, "0460000", 0, true},
        {"14550000", "+150", true, "0000000", 0, "9999999", 2, true},
        {"10000000", "450", false, "0000000", 0, "9999999", 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.rx) + " entered " + c.entered);
        sink.shown.clear();
        std::uint8_t dir = c.oldDir;
        EXPECT_EQ(OffsetShowToStore(c.rx, c.entered, c.offsetEntry, c.oldOffset, dir, fre),
                  c.offset);
        EXPECT_EQ(dir, c.dir);
        EXPECT_EQ(WarnedOutOfBand(), c.warns);
    }
}

TEST_F(CodecTest, ChRasterAlign) {
    // BandLow 25.615 MHz is 2561500 units of 10 Hz.
    const struct {
        const char* name;
        const char* rx;
        const char* offset;
        std::uint8_t dir;
        const char* alignedRx;
        int rxRaster;
        const char* alignedOffset;
        std::uint8_t alignedDir;
        int txRaster;
    } cases[] = {
        {"+6.25 kHz", "02562125", "\0\0\0\0\0\0\0", 0, "02562125", 1, "", 0, 1},
        {"+16.66 kHz", "02563166", "\0\0\0\0\0\0\0", 0, "02563166", 2, "", 0, 2},
        {"+24.99 kHz", "02563999", "\0\0\0\0\0\0\0", 0, "02564000", 2, "", 0, 2},
        {"+1 kHz", "02561600", "\0\0\0\0\0\0\0", 0, "02561500", 0, "", 0, 0},
        {"6.25 kHz shift", "02562125", "0460000", 2, "02562125", 1, "0460000", 2, 1},
        {"tx moved down", "02600000", "0000850", 1, "02600000", 0, "0001000", 1, 0},
        {"tx lands on rx", "02561500", "0000100", 2, "02561500", 0, "0000100", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChannelInfo ch = NewChannelInfo(200);
        ch.RxFre = MakeFixStr<8>(c.rx);
        ch.Offset = MakeFixStr<7>(std::string(c.offset, 7));
        ch.ShiftDir = c.dir;
        ch.RxRaster = ch.TxRaster = 9;
        const auto oldOffset = ch.Offset;
        ChRasterAlign(ch, fre);
        EXPECT_EQ(TrimFixStr(ch.RxFre), c.alignedRx);
        EXPECT_EQ(ch.RxRaster, c.rxRaster);
        EXPECT_EQ(ch.TxRaster, c.txRaster);
        EXPECT_EQ(ch.ShiftDir, c.alignedDir);
        if (c.dir == 0)
            EXPECT_EQ(ch.Offset, oldOffset);
        else
            EXPECT_EQ(TrimFixStr(ch.Offset), c.alignedOffset);
    }
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(CodecTest, ChRasterAlignLeavesChannelsWithoutFrequency) {
    for (const char* rx : {"FFFFFFFF", "        ", "12x45678"}) {
        ChannelInfo ch = NewChannelInfo(200);
        ch.RxFre = MakeFixStr<8>(rx);
        ch.RxRaster = 2;
        const ChannelInfo before = ch;
        ChRasterAlign(ch, fre);
        EXPECT_EQ(ch, before) << rx;
    }
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(CodecTest, GarbageGivesWellFormedResults) {
    const std::string garbage[] = {
        "",
        "\0"s,
        "-",
        ".",
        "+",
        "-0",
        "1e999",
        std::string(400, '9'),
        " ",
        "\xff\xfe",
        "..5",
        "5..",
        "--5",
        "99999999999999999999.5",
        "12345678901234567890",
    };
    for (const auto& text : garbage) {
        SCOPED_TRACE(text);
        const std::string stored = FreShowToStore(text, fre.BandLow);
        EXPECT_TRUE(stored.empty() || (stored.size() == 8 && IsStoredDigits(stored)));
        const double checked = Number(FreCheckText(text, 3, fre));
        EXPECT_GE(checked, fre.BandLow);
        EXPECT_LE(checked, fre.BandHigh);
        for (bool offsetEntry : {false, true}) {
            std::uint8_t dir = 2;
            const std::string offset =
                OffsetShowToStore("14550000", text, offsetEntry, text, dir, fre);
            EXPECT_EQ(offset.size(), 7u);
            EXPECT_TRUE(IsStoredDigits(offset));
            EXPECT_LE(dir, 2);
        }
        FreStoreToShow(text, fre);
        TxFreShow(text, text, 2, false, fre);
        TxFreShowChecked(text, text, 1, false, fre);
    }
}

TEST(ToneListTest, EntriesInIndexOrder) {
    const auto& tones = ToneList();
    ASSERT_EQ(tones.size(), 265u);
    EXPECT_EQ(tones[0], "OFF");
    EXPECT_EQ(tones[1], "67.0");
    EXPECT_EQ(tones[50], "254.1");
    EXPECT_EQ(tones[51], "D017N");
    EXPECT_EQ(tones[157], "D754N");
    EXPECT_EQ(tones[158], "D017I");
    EXPECT_EQ(tones[264], "D754I");
}

TEST(ToneListTest, RadioCodes) {
    const struct {
        int index;
        std::uint16_t code;
    } cases[] = {
        {0, 0x0000},   {1, 0x0100},   {50, 0x0131}, {51, 0x0200},  {157, 0x026A},
        {158, 0x0300}, {264, 0x036A}, {-1, 0x0000}, {265, 0x0000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToneIndexToCode(c.index), c.code) << c.index;
}

TEST(ToneListTest, CodesReadBackToTheirIndex) {
    for (int i = 0; i < kToneCount; ++i)
        EXPECT_EQ(ToneCodeToIndex(ToneIndexToCode(i)), i);
    EXPECT_EQ(ToneCodeToIndex(0x1201), 52); // only the last digit of the high byte counts
    EXPECT_EQ(ToneCodeToIndex(0x0132), 0);  // beyond the 50 CTCSS tones
    EXPECT_EQ(ToneCodeToIndex(0x036B), 0);
    EXPECT_EQ(ToneCodeToIndex(0x0405), 0);
}

} // namespace
} // namespace velmar
