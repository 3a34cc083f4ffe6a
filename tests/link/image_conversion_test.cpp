#include "link/image_conversion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "model/initial_values.h"

namespace velmar {
namespace {

// A text as the editors store it: its characters, a NUL when shorter than
// the field, then blanks.
template <std::size_t N> FixStr<N> Stored(std::string_view text) {
    FixStr<N> field = MakeFixStr<N>(text);
    if (text.size() < N)
        field[text.size()] = '\0';
    return field;
}

ChannelInfo Channel(int chNo, const char* rxFre) {
    ChannelInfo ch = NewChannelInfo(chNo);
    ch.RxFre = MakeFixStr<8>(rxFre);
    return ch;
}

// A document holding only the given channels, in this order.
std::unique_ptr<Document> DocumentWith(const std::vector<ChannelInfo>& channels) {
    auto doc = std::make_unique<Document>();
    InitDocValues(*doc, 5);
    doc->Doc.ChCount = static_cast<std::int16_t>(channels.size());
    std::copy(channels.begin(), channels.end(), doc->ChList.begin());
    return doc;
}

std::unique_ptr<RadioImage> FilledImage(std::uint8_t value) {
    auto image = std::make_unique<RadioImage>();
    image->bytes.fill(value);
    return image;
}

std::unique_ptr<RadioImage> RandomImage(unsigned seed) {
    auto image = std::make_unique<RadioImage>();
    std::mt19937 random(seed);
    for (auto& b : image->bytes)
        b = static_cast<std::uint8_t>(random());
    return image;
}

std::vector<std::uint8_t> Bytes(const RadioImage& image, std::uint16_t first, std::size_t n) {
    return std::vector<std::uint8_t>(image.bytes.begin() + first, image.bytes.begin() + first + n);
}

void ExpectSameChannels(const Document& actual, const Document& expected) {
    ASSERT_EQ(actual.Doc.ChCount, expected.Doc.ChCount);
    for (int i = 0; i < expected.Doc.ChCount; ++i) {
        SCOPED_TRACE(expected.ChList[i].ChNo);
        EXPECT_EQ(actual.ChList[i], expected.ChList[i]);
    }
}

// The document as the image gives it back: a VFO or memory channel without
// a frequency is written as an erased record and reads as one.
std::unique_ptr<Document> AsTheImageKeepsIt(const Document& doc) {
    auto erased = std::make_unique<Document>(doc);
    ParseImage(*FilledImage(0xFF), *erased); // the VFO and the 8 memory channels
    auto kept = std::make_unique<Document>(doc);
    for (int i = 0; i < kept->Doc.ChCount; ++i) {
        ChannelInfo& ch = kept->ChList[i];
        if (ch.ChEmpty == 1 && ch.ChNo >= 521)
            ch = erased->ChList[ch.ChNo - 521];
    }
    return kept;
}

// Settings and channels in every group kind, all of them values the image
// carries; the fields it does not carry hold the initial values.
std::unique_ptr<Document> RichDocument() {
    std::vector<ChannelInfo> channels;
    ChannelInfo first = Channel(1, "02561500");
    first.RxTone = 13; // CTCSS 100.0
    first.TxTone = 13;
    first.BusyLock = 2;
    channels.push_back(first);

    ChannelInfo dcs = Channel(45, "02761125"); // group 1, 1.25 kHz above the raster
    dcs.RxTone = 51;                           // D017N
    dcs.TxTone = 264;                          // D754I
    dcs.ScanSkip = 1;
    dcs.AmFm = 1;
    dcs.AmFmLock = 1;
    channels.push_back(dcs);

    ChannelInfo powers = Channel(167, "02800000"); // group 4, position 7
    powers.FmPower = 2;
    powers.FmPower4W = powers.FmPower15W = powers.FmPower50W = 1;
    powers.AmPower = 1;
    powers.AmPower4W = powers.AmPower15W = 1;
    powers.NbAnl = powers.RbLock = powers.Tsq = 1;
    powers.RbTone = 5;
    powers.SqlMode = 1;
    powers.Rep = 2;
    powers.RepLock = 1;
    channels.push_back(powers);

    channels.push_back(Channel(300, "02564625")); // on the 6.25 kHz raster
    channels.push_back(Channel(520, "03010500")); // last of group 12

    ChannelInfo vfo = Channel(521, "02786000");
    vfo.ScanSkip = 1; // the VFO is never scanned
    vfo.RxTone = 50;
    channels.push_back(vfo);

    for (int n = 522; n <= 529; ++n) {
        const bool used = n % 2 == 0;
        ChannelInfo mem = Channel(n, used ? "02700000" : "FFFFFFFF");
        mem.ChEmpty = used ? 0 : 1;
        mem.ScanSkip = n == 524 || !used ? 1 : 0;
        mem.TxTone = n - 500;
        channels.push_back(mem);
    }

    auto doc = DocumentWith(channels);
    DocRecord& d = doc->Doc;
    OptFeaturesRecord& o = d.OptFeatures;
    o.Word(OptWord::TotTime) = 45;
    o.Word(OptWord::FreqStep) = 3;
    o.Word(OptWord::EchoLock) = 1;
    o.Word(OptWord::ScanResumeTime) = 2;
    o.Word(OptWord::StartGroup) = 13;
    o.Word(OptWord::StartCh) = 1;
    o.Word(OptWord::NormalCh) = 0;
    o.Word(OptWord::ExtCh) = 40;
    o.EmgCh[2 * 4] = 7; // group 4, emergency channel 0 at position 7
    o.EmgCh[2 * 12 + 1] = 40;
    o.EmgChMode[2 * 12 + 1] = 1;
    o.OptChannel.RxTone = 64;
    o.OptChannel.TxTone = 200;
    o.OptChannel.BusyLock = 2;
    o.OptChannel.SqlMode = 1;
    o.OptChannel.FmPower = 1;
    o.OptChannel.FmPower15W = 1;
    d.ExtOption = 0;
    d.EmbMsg[0] = Stored<16>("HELLO");
    d.EmbMsg[2] = Stored<16>("SIXTEEN CHARS OK");
    for (std::size_t g = 0; g < d.GroupNames.size(); ++g)
        d.GroupNames[g] = Stored<6>(TrimFixStr(d.GroupNames[g]));
    d.GroupNames[12] = Stored<6>("ZZTOP6");
    d.ResetFlags[5] = 0;
    d.ResetFlags[13] = 0;
    d.ToneTips[7].Items[13] = {255, 200};
    d.ToneTips[7].Repeat = 10;
    d.ToneTips[7].Interval = 99;
    return doc;
}

TEST(FreqPadTest, PadsAndCutsStoredFrequencies) {
    struct Case {
        std::string_view text;
        std::size_t width;
        const char* expected;
    };
    const Case cases[] = {
        {"", 6, "FFFFFF"},
        {"FFFFFFFF", 6, "FFFFFF"},
        {"        ", 6, "FFFFFF"},
        {"02761125", 6, "027611"},
        {"14550000", 6, "145500"},
        {"2761", 6, "002761"},
        {"27610", 6, "276100"}, // odd length: a "0" is appended first
        {std::string_view("0276\0 12", 8), 6, "000276"},
        {"02761000  ", 8, "02761000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(FreqPad(c.text, c.width), c.expected);
    }
}

TEST(HexPadTest, PadsOrCutsToWidth) {
    EXPECT_EQ(HexPad(0x0A, 2), "0A");
    EXPECT_EQ(HexPad(0, 2), "00");
    EXPECT_EQ(HexPad(0x10C, 4), "010C");
    EXPECT_EQ(HexPad(0xABCDE, 4), "ABCD");
}

TEST(ChannelAddressTest, ThirtyRecordsPerPage) {
    EXPECT_EQ(ChannelAddress(1), 0x0010);
    EXPECT_EQ(ChannelAddress(30), 0x01E0);
    EXPECT_EQ(ChannelAddress(31), 0x0210);
    EXPECT_EQ(ChannelAddress(521), 0x22B0);
    EXPECT_EQ(ChannelAddress(522), 0x22C0);
    EXPECT_EQ(ChannelAddress(529), 0x2330);
}

TEST(BuildImageTest, WritesOneChannelRecordByteForByte) {
    ChannelInfo ch = Channel(31, "02761125");
    ch.RxTone = 13;  // CTCSS 100.0: code 0x010C
    ch.TxTone = 158; // D017I: code 0x0300
    ch.AmFm = 1;
    ch.FmPower = 2;
    ch.FmPower50W = 1;
    ch.AmPower4W = 1;
    ch.AmPower = 1;
    ch.RbLock = 1;
    ch.Tsq = 1;
    ch.BusyLock = 2;
    ch.RbTone = 3;
    ch.RepLock = 1;
    ch.Rep = 2;
    ChannelInfo mem = Channel(522, "02800000");
    auto doc = DocumentWith({ch, Channel(521, "02761000"), mem});
    auto image = FilledImage(0x5A);

    ASSERT_TRUE(BuildImage(*doc, *image).Ok());

    const std::vector<std::uint8_t> record31 = {0x92, 0x15, 0xFF, 0xFF, 0x01, 0xAC, 0x01, 0x0C,
                                                0x03, 0x00, 0xA2, 0x03, 0xA0, 0x01, 0xFF, 0xFF};
    EXPECT_EQ(Bytes(*image, 0x0210, 16), record31);
    EXPECT_EQ(Bytes(*image, 0x22B0, 2), (std::vector<std::uint8_t>{0x92, 0x15})); // VFO
    EXPECT_EQ(image->bytes[0x22BD], 0x00);
    EXPECT_EQ(Bytes(*image, 0x22C0, 2), (std::vector<std::uint8_t>{0xE0, 0x15})); // 28 MHz
    EXPECT_EQ(image->bytes[0x0200], 0xFF); // unused head of the page

    // Used and scanned: channel 31 is bit 6 of the fourth byte; the VFO has no
    // bit; memory channel 522 is bit 0 of 0x28A1.
    std::vector<std::uint8_t> usedMap(0x42, 0x00);
    usedMap[3] = 0x40;
    EXPECT_EQ(Bytes(*image, 0x2810, 0x42), usedMap);
    std::vector<std::uint8_t> scanMap(0x43, 0x00);
    scanMap[3] = 0x40;
    scanMap[0x41] = 0x01;
    EXPECT_EQ(Bytes(*image, 0x2860, 0x43), scanMap);

    ParseImage(*image, *doc);
    ASSERT_EQ(doc->Doc.ChCount, 10); // 31, the VFO and the 8 memory channels
    EXPECT_EQ(doc->ChList[0], ch);
    EXPECT_EQ(doc->ChList[2], mem);
    EXPECT_EQ(doc->ChList[1].ScanSkip, 1);
}

TEST(BuildImageTest, WritesTheSettingsOfANewDocumentAtTheirAddresses) {
    auto doc = DocumentWith({Channel(1, "02786000"), Channel(521, "02786000")});
    doc->Doc.EmbMsg[1] = Stored<16>("HI");
    auto image = FilledImage(0x5A);

    ASSERT_TRUE(BuildImage(*doc, *image).Ok());

    struct Expect {
        std::uint16_t address;
        std::uint8_t value;
    };
    // clang-format off
    const Expect bytes[] = {
        {0x28B0, 0}, {0x28B1, 0}, {0x28B4, 1}, {0x28B9, 1},          // option words, ExtOption
        {0x28D6, 0x00}, {0x28DB, 0x01},                              // common channel
        {0x2900, 3}, {0x2901, 2}, {0x2904, 9}, {0x2905, 2},          // reset modes
        {0x2908, 0xFF}, {0x2928, 0},                                 // emergency channels
        {0x29B0, 'H'}, {0x29B1, 'I'}, {0x29B2, 0x00}, {0x29BF, 0x00}, // message line 2
        {0x29E0, 'K'}, {0x29E4, 'O'}, {0x29E5, 0x00}, {0x29E7, 1},   // model and band
        {0x29E8, 'V'}, {0x29EB, '2'}, {0x29EC, 0xFF},                // version tag
        {0x2A10, 210}, {0x2A11, 0}, {0x2A1E, 10},                    // tone tip 1: tones, length
        {0x2A2C, 1}, {0x2A2D, 0}, {0x2A2E, 0xFF},                    // repeat, interval
        {0x2B18, 'U'}, {0x2B19, 'K'}, {0x2B1A, ' '}, {0x2B1E, 0xFF}, // group 1 "UK"
        {0x2B80, 0xFF}, {0x2B81, 0x3F},                              // reset flags
    };
    // clang-format on
    for (const Expect& e : bytes) {
        SCOPED_TRACE(e.address);
        EXPECT_EQ(image->bytes[e.address], e.value);
    }
}

TEST(BuildImageTest, ClampsValuesWiderThanTheirPlace) {
    auto doc = DocumentWith({Channel(1, "02786000")});
    OptFeaturesRecord& o = doc->Doc.OptFeatures;
    o.Word(OptWord::TotTime) = 700;    // 46 steps of 15 s
    o.Word(OptWord::DisplayMode) = -3; // below the byte: 0
    o.Word(OptWord::KeyBeep) = 300;    // above: 255
    o.Word(OptWord::StartCh) = 0;      // no position: 0xFF
    o.EmgCh[0] = 5;                    // position 5 stored as 4
    doc->Doc.ToneTips[0].Items[0].Length = 1000;
    o.EmgChMode[0] = 5;     // yes: 1
    doc->Doc.ExtOption = 7; // yes: 1
    ChannelInfo& ch = doc->ChList[0];
    ch.FmPower = 7;  // its list ends at 2
    ch.RbTone = 20;  // its list ends at tone tip 8
    ch.Rep = 3;      // its list ends at 2
    ch.AmFm = 2;     // one bit: 1
    ch.SqlMode = 17; // four bits: 15
    ch.RxTone = 999; // no such tone: off
    auto image = FilledImage(0x00);

    ASSERT_TRUE(BuildImage(*doc, *image).Ok());

    EXPECT_EQ(image->bytes[0x28B1], 46);
    EXPECT_EQ(image->bytes[0x28B0], 0);
    EXPECT_EQ(image->bytes[0x28B4], 255);
    EXPECT_EQ(image->bytes[0x2901], 0xFF);
    EXPECT_EQ(image->bytes[0x2908], 4);
    EXPECT_EQ(image->bytes[0x2928], 1);
    EXPECT_EQ(image->bytes[0x28B9], 1);
    EXPECT_EQ(image->bytes[0x2A1E], 255);
    EXPECT_EQ(image->bytes[0x0015], 0x80);
    EXPECT_EQ(image->bytes[0x001B], 0xF8);
    EXPECT_EQ(image->bytes[0x001C], 0x80);
    EXPECT_EQ(image->bytes[0x0014], 0x01);
    EXPECT_EQ(Bytes(*image, 0x0016, 2), (std::vector<std::uint8_t>{0x00, 0x00}));
}

// The two frequency bytes and the 1.25 kHz flag, written for the VFO and
// read back.
TEST(BuildImageTest, FrequenciesInRecordForm) {
    struct Case {
        const char* stored;
        std::uint8_t low, high, flag;
    };
    const Case cases[] = {
        {"02761000", 0x92, 0x15, 0x00},                                 // 5522 × 5 kHz
        {"02761125", 0x92, 0x15, 0x01}, {"02564625", 0x09, 0x14, 0x01}, // 25.645 MHz + 1.25 kHz
        {"14550000", 0xAC, 0x71, 0x00},                                 // six kHz digits
        {"32767000", 0xFE, 0xFF, 0x00}, // the highest the bytes carry
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        auto doc = DocumentWith({Channel(521, c.stored)});
        auto image = FilledImage(0x00);
        ASSERT_TRUE(BuildImage(*doc, *image).Ok());
        EXPECT_EQ(Bytes(*image, 0x22B0, 2), (std::vector<std::uint8_t>{c.low, c.high}));
        EXPECT_EQ(image->bytes[0x22BD], c.flag);
        ParseImage(*image, *doc);
        EXPECT_EQ(TrimFixStr(doc->ChList[0].RxFre), c.stored);
    }
}

TEST(BuildImageTest, RefusesChannelsTheRadioCannotHoldAndChangesNothing) {
    struct Case {
        int chNo;
        const char* stored;
        ImageBuildFault fault;
    };
    const Case cases[] = {
        {5, "32767500", ImageBuildFault::Frequency}, // 65535 units: the erased value
        {5, "45000000", ImageBuildFault::Frequency},
        {5, "0276A000", ImageBuildFault::Frequency},
        {5, "27.61000", ImageBuildFault::Frequency}, // shown form, not stored form
        {5, "-2761000", ImageBuildFault::Frequency},
        {0, "02761000", ImageBuildFault::ChannelNumber},
        {530, "02761000", ImageBuildFault::ChannelNumber},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        auto doc = DocumentWith({Channel(1, "FFFFFFFF"), Channel(c.chNo, c.stored)});
        const auto before = std::make_unique<Document>(*doc);
        auto image = RandomImage(7);
        const auto imageBefore = std::make_unique<RadioImage>(*image);

        const ImageBuildResult result = BuildImage(*doc, *image);

        EXPECT_EQ(result.Fault, c.fault);
        EXPECT_EQ(result.ChNo, c.chNo);
        EXPECT_EQ(image->bytes, imageBefore->bytes);
        EXPECT_EQ(doc->ChList[0].ChEmpty, before->ChList[0].ChEmpty);
        EXPECT_EQ(doc->Doc, before->Doc);
    }
}

TEST(ImageConversionTest, DocumentBuiltAndParsedBackEqualsItself) {
    auto original = RichDocument();
    auto image = FilledImage(0x00);
    ASSERT_TRUE(BuildImage(*original, *image).Ok());

    // Start from the same document with every field the image carries spoiled.
    auto parsed = std::make_unique<Document>(*original);
    ParseImage(*FilledImage(0xFF), *parsed);
    ASSERT_NE(parsed->Doc, original->Doc);
    ASSERT_NE(parsed->BandText, original->BandText);

    ParseImage(*image, *parsed);

    EXPECT_EQ(parsed->Doc, original->Doc);
    ExpectSameChannels(*parsed, *AsTheImageKeepsIt(*original));
    EXPECT_EQ(parsed->ModelName, "KAVRO");
    EXPECT_EQ(parsed->BandText, "25.615 - 30.105 MHz");
    EXPECT_EQ(parsed->BandLow, 25.615);
    EXPECT_EQ(parsed->BandHigh, 30.105);
    EXPECT_EQ(parsed->RadioInfo.BandCode, 1);
}

TEST(ImageConversionTest, BytesTheProgramDoesNotKnowTravelFromReadToWrite) {
    const auto read = RandomImage(11);
    auto doc = std::make_unique<Document>();
    ParseImage(*read, *doc);
    auto written = std::make_unique<RadioImage>(*read);

    ASSERT_TRUE(BuildImage(*doc, *written).Ok());

    struct Range {
        std::uint16_t first, last;
    };
    const Range kept[] = {
        {0x2400, 0x280F}, {0x2852, 0x285F}, {0x28A3, 0x28AF}, {0x28BA, 0x28D3}, {0x28DD, 0x28FF}};
    for (const Range& r : kept) {
        SCOPED_TRACE(r.first);
        const std::size_t n = r.last - r.first + 1;
        EXPECT_EQ(Bytes(*written, r.first, n), Bytes(*read, r.first, n));
    }
}

TEST(ImageConversionTest, BuildClearsTheAreasItOwns) {
    auto doc = DocumentWith({Channel(1, "02786000"), Channel(521, "02786000")});
    auto image = FilledImage(0x5A);
    ASSERT_TRUE(BuildImage(*doc, *image).Ok());

    const std::uint16_t erased[] = {0x0000, 0x0012, 0x001E, 0x0020, 0x01F0, 0x22A0,
                                    0x22C0, 0x23FF, 0x2906, 0x2923, 0x2943, 0x299F,
                                    0x29EC, 0x2A0F, 0x2B16, 0x2B2F, 0x2B78, 0x2BFF};
    for (std::uint16_t address : erased) {
        SCOPED_TRACE(address);
        EXPECT_EQ(image->bytes[address], 0xFF);
    }
    EXPECT_EQ(image->bytes[0x2810], 0x01);
    EXPECT_EQ(Bytes(*image, 0x2811, 0x41), std::vector<std::uint8_t>(0x41, 0x00));
    EXPECT_EQ(image->bytes[0x2860], 0x01);
    EXPECT_EQ(Bytes(*image, 0x2861, 0x42), std::vector<std::uint8_t>(0x42, 0x00));
}

TEST(ParseImageTest, ErasedImageGivesTheVfoAndMemoryChannelsWithoutFrequency) {
    auto doc = std::make_unique<Document>();
    ParseImage(*FilledImage(0xFF), *doc);

    ASSERT_EQ(doc->Doc.ChCount, 9);
    for (int i = 0; i < 9; ++i) {
        const ChannelInfo& ch = doc->ChList[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(ch.ChNo, 521 + i);
        EXPECT_EQ(TrimFixStr(ch.RxFre), "FFFFFFFF");
        EXPECT_EQ(ch.ChEmpty, 1);
        EXPECT_EQ(ch.ScanSkip, 1);
        EXPECT_EQ(ch.RxTone, 0);
        EXPECT_EQ(ch.FmPower, 0);
        EXPECT_EQ(ch.Rep, 0);
        EXPECT_EQ(ch.RbTone, 0);
    }
    EXPECT_EQ(doc->ModelName, "");
    EXPECT_EQ(doc->BandText, "");
    EXPECT_EQ(doc->BandLow, 100.0);
    EXPECT_EQ(doc->BandHigh, 500.0);
    EXPECT_EQ(doc->Doc.OptFeatures.Word(OptWord::StartCh), 0);
    EXPECT_EQ(doc->Doc.OptFeatures.EmgCh[0], 0);
    EXPECT_EQ(doc->Doc.OptFeatures.EmgChMode[0], 1);
    EXPECT_EQ(doc->Doc.ExtOption, 1);
    EXPECT_EQ(TrimFixStr(doc->Doc.GroupNames[0]), "");
}

// Whatever the radio sends: a sound document, and writing it and reading it
// again gives the same document.
TEST(ParseImageTest, RandomBytesGiveASoundDocumentThatSurvivesAWrite) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        auto image = RandomImage(seed);
        image->bytes[0x29E7] = 1; // a band of this program, so that it is written back

        auto doc = std::make_unique<Document>();
        ParseImage(*image, *doc);

        const int count = doc->Doc.ChCount;
        ASSERT_GE(count, 9);
        ASSERT_LE(count, 529);
        const int ordinary = count - 9; // then the VFO and the memory channels
        for (int i = 0; i < count; ++i) {
            const ChannelInfo& ch = doc->ChList[i];
            const bool inGroups = ch.ChNo >= 1 && ch.ChNo <= 520;
            EXPECT_TRUE(i < ordinary ? inGroups : ch.ChNo == 521 + i - ordinary);
            if (i > 0) {
                EXPECT_GT(ch.ChNo, doc->ChList[i - 1].ChNo);
            }
            EXPECT_TRUE(ch.RxTone >= 0 && ch.RxTone <= 264 && ch.TxTone >= 0 && ch.TxTone <= 264);
            EXPECT_LE(ch.FmPower, 2);
            EXPECT_LE(ch.Rep, 2);
            EXPECT_LE(ch.RbTone, 8);
            EXPECT_LE(ch.BusyLock, 3);
        }

        auto again = std::make_unique<Document>(*doc);
        auto written = std::make_unique<RadioImage>(*image);
        ASSERT_TRUE(BuildImage(*again, *written).Ok());
        ParseImage(*written, *again);
        EXPECT_EQ(again->Doc, doc->Doc);
        ExpectSameChannels(*again, *AsTheImageKeepsIt(*doc));
    }
}

// ---- a read followed by an unchanged write ------------------------------

// Every channel 1 … 529 with a frequency in the band and settings that vary
// from channel to channel, beside the settings of RichDocument.
std::unique_ptr<Document> FullDocument() {
    auto doc = RichDocument();
    std::mt19937 random(3);
    for (int n = 1; n <= kMaxChannels; ++n) {
        const int step = static_cast<int>(random() % 897); // 25.615 … 30.100 MHz
        const bool plus1250 = random() % 4 == 0;
        const std::string stored =
            "0" + std::to_string(25615 + 5 * step) + (plus1250 ? "125" : "00");
        ChannelInfo ch = Channel(n, stored.c_str());
        ch.RxTone = static_cast<std::int16_t>(random() % 265);
        ch.TxTone = static_cast<std::int16_t>(random() % 265);
        ch.ScanSkip = static_cast<std::int16_t>(n == 521 ? 1 : random() % 2);
        ch.AmFm = static_cast<std::int16_t>(random() % 2);
        ch.FmPower = static_cast<std::int16_t>(random() % 3);
        ch.BusyLock = static_cast<std::int16_t>(random() % 4);
        ch.RbTone = static_cast<std::int16_t>(random() % 9);
        ch.SqlMode = static_cast<std::int16_t>(random() % 16);
        ch.Rep = static_cast<std::int16_t>(random() % 3);
        ch.Tsq = static_cast<std::int16_t>(random() % 2);
        doc->ChList[n - 1] = ch;
    }
    doc->Doc.ChCount = kMaxChannels;
    return doc;
}

// A few channels in the groups; the VFO and the memory channels without a
// frequency, with settings a user may have left on them, or not in the
// document at all (as in a new one).
std::unique_ptr<Document> EmptyVfoAndMemoryChannels() {
    std::vector<ChannelInfo> channels = {Channel(1, "02761000"), Channel(2, "02761125"),
                                         Channel(40, "FFFFFFFF")}; // a group slot left empty
    for (int n = 521; n <= 525; ++n) {
        ChannelInfo ch = Channel(n, n % 2 == 0 ? "" : "FFFFFFFF");
        ch.RxTone = 13;
        ch.TxTone = 200;
        ch.FmPower = 2;
        ch.ScanSkip = 0;
        channels.push_back(ch);
    }
    return DocumentWith(channels);
}

// Any document at all: every field of the record and of each channel from
// random bytes (choices beyond their lists, texts with NUL and 0xFF bytes
// included), channel numbers in random order, frequencies the radio holds or
// none.
std::unique_ptr<Document> RandomDocument(unsigned seed) {
    std::mt19937 random(seed);
    auto randomBytes = [&]<std::size_t N>(std::array<std::uint8_t, N>& bytes) {
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
    };
    auto doc = std::make_unique<Document>();
    InitDocValues(*doc, 5);
    DocBytes record;
    randomBytes(record);
    doc->Doc = ParseDocRecord(record);

    std::vector<int> numbers(kMaxChannels);
    std::iota(numbers.begin(), numbers.end(), 1);
    std::shuffle(numbers.begin(), numbers.end(), random);
    const int count = static_cast<int>(random() % (kMaxChannels + 1));
    for (int i = 0; i < count; ++i) {
        ChannelBytes bytes;
        randomBytes(bytes);
        ChannelInfo ch = ParseChannelInfo(bytes);
        ch.ChNo = static_cast<std::int16_t>(numbers[i]);
        const int units = static_cast<int>(random() % 65535);
        const int form = static_cast<int>(random() % 8); // 0 none, 1 empty, 2 plus 1.25 kHz
        std::string stored = form == 0 ? "FFFFFFFF" : "";
        if (form >= 2) {
            stored = std::to_string(units * 500 + (form == 2 ? 125 : 0));
            stored.insert(0, 8 - stored.size(), '0');
        }
        ch.RxFre = MakeFixStr<8>(stored);
        doc->ChList[i] = ch;
    }
    doc->Doc.ChCount = static_cast<std::int16_t>(count);
    doc->ModelName = seed % 3 == 0 ? std::string("KA\xFFVRO") : std::string("KAVRO");
    doc->BandText = "25.615 - 30.105 MHz";
    return doc;
}

// Writes `doc` into a radio whose memory held `before`, reads that radio into
// a document of its own and writes it back: the radio's memory must not
// change.
void ExpectReadAndWriteBackChangeNothing(Document& doc, const RadioImage& before) {
    auto radio = std::make_unique<RadioImage>(before);
    ASSERT_TRUE(BuildImage(doc, *radio).Ok());

    auto image = std::make_unique<RadioImage>(*radio); // the blocks a read brings
    auto read = std::make_unique<Document>();
    InitDocValues(*read, 5);
    ParseImage(*image, *read);
    ASSERT_TRUE(BuildImage(*read, *image).Ok());

    for (std::size_t a = 0; a < RadioImage::Size; ++a)
        ASSERT_EQ(image->bytes[a], radio->bytes[a]) << "at 0x" << std::hex << a;
}

TEST(ReadWriteRoundTripTest, AWrittenRadioKeepsEveryByte) {
    struct Case {
        const char* what;
        std::unique_ptr<Document> doc;
    };
    Case cases[] = {
        {"settings and channels of every kind", RichDocument()},
        {"every channel used", FullDocument()},
        {"VFO and memory channels empty", EmptyVfoAndMemoryChannels()},
    };
    for (Case& c : cases) {
        for (const std::uint8_t erased : {std::uint8_t{0xFF}, std::uint8_t{0x00}}) {
            SCOPED_TRACE(testing::Message()
                         << c.what << ", memory before 0x" << std::hex << int{erased});
            ExpectReadAndWriteBackChangeNothing(*c.doc, *FilledImage(erased));
        }
        SCOPED_TRACE(c.what);
        ExpectReadAndWriteBackChangeNothing(*c.doc, *RandomImage(5));
    }
}

TEST(ReadWriteRoundTripTest, AnyDocumentWrittenOnceKeepsEveryByte) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        auto doc = RandomDocument(seed);
        ExpectReadAndWriteBackChangeNothing(*doc, *RandomImage(seed + 100));
    }
}

// A channel without a frequency keeps the erased record, whatever its
// settings; a written one gets its settings.
TEST(BuildImageTest, AChannelWithoutFrequencyStaysErased) {
    auto doc = EmptyVfoAndMemoryChannels();
    auto image = FilledImage(0x5A);
    ASSERT_TRUE(BuildImage(*doc, *image).Ok());
    for (const int chNo : {40, 521, 522, 525, 529}) {
        SCOPED_TRACE(chNo);
        EXPECT_EQ(Bytes(*image, ChannelAddress(chNo), 16), std::vector<std::uint8_t>(16, 0xFF));
    }
    EXPECT_NE(Bytes(*image, ChannelAddress(2), 16), std::vector<std::uint8_t>(16, 0xFF));
    EXPECT_EQ(Bytes(*image, 0x22B0, 0x90), std::vector<std::uint8_t>(0x90, 0xFF));
    EXPECT_EQ(image->bytes[0x28A1], 0x00); // not scanned: no frequency
}

// A radio erased at the factory: its bitmaps and option bytes are written in
// their defined form, but the records of its channels stay erased.
TEST(ReadWriteRoundTripTest, AnErasedRadioKeepsItsErasedRecords) {
    const auto erased = FilledImage(0xFF);
    auto image = std::make_unique<RadioImage>(*erased);
    auto doc = std::make_unique<Document>();
    InitDocValues(*doc, 5);
    ParseImage(*image, *doc);
    ASSERT_TRUE(BuildImage(*doc, *image).Ok());
    EXPECT_EQ(Bytes(*image, 0x0000, 0x2400), Bytes(*erased, 0x0000, 0x2400));
    EXPECT_EQ(Bytes(*image, 0x2810, 0x42), std::vector<std::uint8_t>(0x42, 0x00));
}

// The block as the factory tool lays it out; every text ends at its first
// 0x00 or 0xFF, or at the end of its field.
TEST(DecodeRadioInfoTest, ReadsTheFactoryToolsLayout) {
    RadioInfoBlock block;
    block.bytes.fill(0xFF);
    const auto put = [&](std::uint16_t address, std::string_view text) {
        std::memcpy(block.bytes.data() + (address - 0x3000), text.data(), text.size());
    };
    put(0x3010, "\x01");
    put(0x3011, std::string_view("AB\0Z", 4));
    put(0x3020, "05-1-E-1");
    put(0x3030, "001A");
    put(0x303C, "1234"); // the programming password is not shown
    put(0x3040, std::string_view("A123\0", 5));
    put(0x3050, "2024-01-02");
    put(0x3070, std::string(80, 'R'));
    put(0x30C0, "DEALER");
    put(0x30D0, "0123456789ABCDEF"); // the whole field
    put(0x30F0, "LI");

    RadioInfoRecord info;
    info.BandCode = 1;
    info.ModelText = "KAVRO";
    DecodeRadioInfo(block, info);

    EXPECT_EQ(info.AreaCode, "AB");
    EXPECT_EQ(info.BatchNo, MakeFixStr<8>("05-1-E-1"));
    EXPECT_EQ(info.CustomerCode, MakeFixStr<4>("001A"));
    EXPECT_EQ(TrimFixStr(info.SerialNo), "A123");
    EXPECT_EQ(TrimFixStr(info.FactoryDate), "2024-01-02");
    EXPECT_EQ(TrimFixStr(info.RepairDate), "");
    EXPECT_EQ(TrimFixStr(info.RepairReason), std::string(80, 'R'));
    EXPECT_EQ(TrimFixStr(info.DealerCode), "DEALER");
    EXPECT_EQ(TrimFixStr(info.StockInDate), "0123456789ABCDEF");
    EXPECT_EQ(TrimFixStr(info.SaleDate), "");
    EXPECT_EQ(TrimFixStr(info.Handler), "LI");
    EXPECT_EQ(info.BandCode, 1);
    EXPECT_EQ(info.ModelText, "KAVRO");
    EXPECT_EQ(info.VersionText, "V1.02");
}

// Every text goes to its place, ends with 0x00 there, and reads back as it was;
// bytes between the places keep their value.
TEST(DecodeRadioInfoTest, EncodedTextsReadBack) {
    RadioInfoRecord info;
    info.AreaCode = "EU";
    info.BatchNo = MakeFixStr<8>("05-1-E-1");
    info.CustomerCode = MakeFixStr<4>("001A");
    info.SerialNo = MakeFixStr<16>("KV2405-0117");
    info.FactoryDate = MakeFixStr<16>("2024-05-14");
    info.RepairDate = MakeFixStr<16>("");
    info.RepairReason = MakeFixStr<96>(std::string(80, 'R')); // the place holds 80
    info.DealerCode = MakeFixStr<16>("DEALER");
    info.StockInDate = MakeFixStr<16>("2024-06-03");
    info.SaleDate = MakeFixStr<16>("2024-06-21");
    info.Handler = MakeFixStr<16>("LI");
    RadioInfoBlock block;
    block.bytes.fill(0xAB);
    EncodeRadioInfo(info, block);

    EXPECT_EQ(block.bytes[0x13], 0x00); // after "EU"
    EXPECT_EQ(block.bytes[0x15], 0xAB); // between the places
    EXPECT_EQ(block.bytes[0x4C], 0x00); // the serial number's place ends with zeros
    RadioInfoRecord back;
    DecodeRadioInfo(block, back);
    EXPECT_EQ(back, info);
}

} // namespace
} // namespace velmar
