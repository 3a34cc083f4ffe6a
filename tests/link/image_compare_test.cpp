#include "link/image_compare.h"

#include "channels/channel_values.h"
#include "link/image_conversion.h"
#include "model/initial_values.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace velmar {
namespace {

struct Texts : TextLookup {
    std::string GetText(int id) const override {
        switch (id) {
        case 15001:
            return "Channel";
        case 15002:
            return "RX Frequency";
        case 15005:
            return "Decode";
        case 15204:
            return "FM Power";
        case 15504:
            return "4W";
        case 32101:
            return "expected";
        case 32102:
            return "in the radio";
        case 32103:
            return "Blocks that differ:";
        case 32104:
            return "Equal.";
        case 12006:
            return "Embedded Message";
        case 32105:
            return "Unused";
        case 9137:
            return "Channels that differ:";
        case 9138:
            return "Other memory that differs:";
        }
        return "#" + std::to_string(id);
    }
};

// The image a write of the initial document with channel 1 at `rxFre` and
// channel 45 added sends, on an erased memory.
std::unique_ptr<RadioImage> Written(const char* rxFre = "02761000",
                                    void (*change)(Document&) = nullptr) {
    auto doc = std::make_unique<Document>();
    InitDocValues(*doc, 5);
    ChannelInfo second = doc->ChList[1]; // 521, the VFO
    doc->ChList[1] = NewChannelInfo(45);
    doc->ChList[1].RxFre = MakeFixStr<8>("02800000");
    doc->ChList[2] = second;
    doc->Doc.ChCount = 3;
    doc->ChList[0].RxFre = MakeFixStr<8>(rxFre);
    if (change)
        change(*doc);
    auto image = std::make_unique<RadioImage>();
    image->bytes.fill(0xFF);
    EXPECT_TRUE(BuildImage(*doc, *image).Ok());
    return image;
}

TEST(ImageCompare, EqualImagesHaveNoDifference) {
    const ImageComparison same = CompareImages(*Written(), *Written());
    EXPECT_TRUE(same.Equal());
    EXPECT_EQ(same.DifferingBlocks, 0);
    EXPECT_TRUE(same.Channels.empty());
    EXPECT_TRUE(same.Areas.empty());
    EXPECT_EQ(ComparisonSummary(same, Texts()), "Equal.");
}

TEST(ImageCompare, NamesTheChannelAndFieldWithBothValues) {
    const ImageComparison c = CompareImages(*Written("02761000"), *Written("02762500"));
    EXPECT_EQ(c.DifferingBlocks, 1);
    ASSERT_EQ(c.Channels.size(), 1u);
    EXPECT_EQ(c.Channels[0], (ChannelDifference{1, ChField::RxFre, "27.61000", "27.62500"}));
    EXPECT_TRUE(c.Areas.empty());
    EXPECT_EQ(DifferenceLines(c, Texts()),
              std::vector<std::string>{
                  "Channel 1: RX Frequency: expected 27.61000, in the radio 27.62500"});
    EXPECT_EQ(ComparisonSummary(c, Texts()), "Blocks that differ: 1/704");
}

TEST(ImageCompare, EachFieldOfTheRecordByItself) {
    struct Case {
        const char* what;
        void (*change)(Document&);
        int field;
        const char* expected;
        const char* actual;
    };
    const Case cases[] = {
        {"decode tone", [](Document& d) { d.ChList[1].RxTone = 13; }, ChField::RxTone, "OFF",
         "100.0"},
        {"encode tone", [](Document& d) { d.ChList[1].TxTone = 51; }, ChField::TxTone, "OFF",
         "D017N"},
        {"modulation", [](Document& d) { d.ChList[1].AmFm = 1; }, ChField::AmFm, "0", "1"},
        {"FM power 4W", [](Document& d) { d.ChList[1].FmPower4W = 1; }, ChField::FmPower4W, "0",
         "1"},
        {"busy lockout", [](Document& d) { d.ChList[1].BusyLock = 1; }, ChField::BusyLock, "0",
         "1"},
        {"squelch mode", [](Document& d) { d.ChList[1].SqlMode = 3; }, ChField::SqlMode, "0", "3"},
    };
    const auto before = Written();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto after = Written("02761000", c.change);
        const ImageComparison result = CompareImages(*before, *after);
        ASSERT_EQ(result.Channels.size(), 1u);
        EXPECT_EQ(result.Channels[0].ChNo, 45);
        EXPECT_EQ(result.Channels[0].Field, c.field);
        EXPECT_EQ(result.Channels[0].Expected, c.expected);
        EXPECT_EQ(result.Channels[0].Actual, c.actual);
    }
}

TEST(ImageCompare, AChannelInUseOnOneSideOnly) {
    const auto with = Written();
    const auto without = Written("02761000", [](Document& d) {
        d.ChList[1] = d.ChList[2]; // channel 45 gone
        d.Doc.ChCount = 2;
    });
    const ImageComparison c = CompareImages(*with, *without);
    ASSERT_FALSE(c.Channels.empty());
    EXPECT_EQ(c.Channels[0], (ChannelDifference{45, kFieldInUse, "1", "0"}));
    EXPECT_EQ(c.Channels[1].ChNo, 45);
    EXPECT_EQ(c.Channels[1].Field, ChField::RxFre);
    EXPECT_EQ(c.Channels[1].Actual, "-");
    // The lists of used and scanned channels are told by the channel, not as areas.
    EXPECT_TRUE(c.Areas.empty());
    EXPECT_EQ(c.DifferingBlocks, 3); // the record, the used list, the scan list
}

TEST(ImageCompare, TheScanListByChannel) {
    const auto scanned = Written();
    const auto skipped = Written("02761000", [](Document& d) { d.ChList[1].ScanSkip = 1; });
    const ImageComparison c = CompareImages(*scanned, *skipped);
    ASSERT_EQ(c.Channels.size(), 1u);
    EXPECT_EQ(c.Channels[0], (ChannelDifference{45, ChField::ScanSkip, "0", "1"}));
    EXPECT_TRUE(c.Areas.empty());
}

TEST(ImageCompare, RecordBytesWithoutAFieldAndOtherAreas) {
    const auto expected = Written();
    auto actual = std::make_unique<RadioImage>(*expected);
    actual->bytes[ChannelAddress(45) + 2] = 0x00; // record byte 2 carries nothing
    actual->bytes[0x29A0] = 'X';                  // the embedded message
    actual->bytes[0x2500] = 0x12;                 // memory the program does not use
    const ImageComparison c = CompareImages(*expected, *actual);
    EXPECT_EQ(c.DifferingBlocks, 3);
    ASSERT_EQ(c.Channels.size(), 1u);
    EXPECT_EQ(c.Channels[0].Field, kFieldOtherRecordBytes);
    // From the end of the last channel record to the list of used channels.
    EXPECT_EQ(c.Areas,
              (std::vector<AreaDifference>{{32105, 0x2340, 0x280F}, {12006, 0x29A0, 0x29DF}}));
    const std::vector<std::string> lines = DifferenceLines(c, Texts());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "Unused (0x2340-0x280F)");
    EXPECT_EQ(lines[2], "Embedded Message (0x29A0-0x29DF)");
}

// The short form names each differing channel once, in order, and the areas.
TEST(ImageCompare, TheBriefNamesChannelsOnceAndTheAreas) {
    EXPECT_EQ(ComparisonBrief(CompareImages(*Written(), *Written()), Texts()), "Equal.");
    const auto expected = Written();
    auto actual = std::make_unique<RadioImage>(*expected);
    actual->bytes[ChannelAddress(45) + 2] = 0x00;
    actual->bytes[ChannelAddress(1)] ^= 0x01;     // the frequency
    actual->bytes[ChannelAddress(1) + 4] ^= 0x01; // AM/FM
    actual->bytes[0x29A0] = 'X';
    EXPECT_EQ(ComparisonBrief(CompareImages(*expected, *actual), Texts()),
              "Blocks that differ: 3/704\nChannels that differ: 1, 45\n"
              "Other memory that differs: Embedded Message");
}

// Every byte a write puts into the memory lies in a channel record or a named
// area: two writes of the same document over different memories differ only
// where the program keeps what the radio held.
TEST(ImageCompare, TheAreasCoverEverythingAWriteSends) {
    auto doc = std::make_unique<Document>();
    InitDocValues(*doc, 5);
    auto zeros = std::make_unique<RadioImage>();
    auto ones = std::make_unique<RadioImage>();
    ones->bytes.fill(0x5A);
    ASSERT_TRUE(BuildImage(*doc, *zeros).Ok());
    ASSERT_TRUE(BuildImage(*doc, *ones).Ok());
    const ImageComparison c = CompareImages(*zeros, *ones);
    EXPECT_TRUE(c.Channels.empty());
    for (const AreaDifference& area : c.Areas) {
        // The common channel keeps the record bytes around its settings.
        if (area.NameTextId == 32108)
            continue;
        EXPECT_EQ(area.NameTextId, 32105) << std::hex << area.First;
    }
}

TEST(ImageCompare, FieldNamesComeFromTheDetailEditor) {
    const Texts texts;
    EXPECT_EQ(ChannelFieldName(ChField::RxFre, texts), "RX Frequency");
    EXPECT_EQ(ChannelFieldName(ChField::RxTone, texts), "Decode");
    EXPECT_EQ(ChannelFieldName(ChField::FmPower4W, texts), "FM Power 4W");
    EXPECT_EQ(ChannelFieldName(ChField::RbLock, texts), "RB Lock");
    EXPECT_EQ(ChannelFieldName(kFieldInUse, texts), "#32111");
}

} // namespace
} // namespace velmar
