// The demo radio's memory: the shipped file is what the generator makes, it
// survives a read and a write unchanged, and it holds what a first read
// should show in the grid and in every settings window.
#include "link/demo_sample.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

#include "channels/raster.h"
#include "channels/tone_list.h"
#include "link/frames.h"
#include "link/image_conversion.h"
#include "link/radio_password.h"
#include "model/model_fakes.h"

namespace velmar {
namespace {

struct Sample {
    RadioImage Image;
    RadioInfoBlock Info;
};

std::unique_ptr<Sample> Split(const std::vector<std::uint8_t>& bytes) {
    auto sample = std::make_unique<Sample>();
    EXPECT_EQ(bytes.size(), RadioImage::Size + RadioInfoBlock::Size);
    if (bytes.size() != RadioImage::Size + RadioInfoBlock::Size)
        return sample;
    std::copy_n(bytes.begin(), RadioImage::Size, sample->Image.bytes.begin());
    std::copy_n(bytes.begin() + RadioImage::Size, RadioInfoBlock::Size, sample->Info.bytes.begin());
    return sample;
}

// The document a first read of the sample gives.
std::unique_ptr<Document> ReadSample(const Sample& sample) {
    auto doc = NewTestDocument();
    ParseImage(sample.Image, *doc);
    DecodeRadioInfo(sample.Info, doc->RadioInfo);
    return doc;
}

TEST(DemoSample, TheShippedFileIsTheGeneratorsOutput) {
    const std::filesystem::path shipped =
        std::filesystem::path(VELMAR_SOURCE_DIR) / "data" / std::string(DemoSampleFile);
    std::ifstream file(shipped, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.size(), 11520u);
    EXPECT_TRUE(bytes == BuildDemoSample())
        << shipped << " differs from its description; run velmar-make-demo-sample";
}

// A read then a write of the sample gives the radio the same bytes.
TEST(DemoSample, ReadAndWrittenBackItStaysTheSame) {
    const auto sample = Split(BuildDemoSample());
    const auto doc = ReadSample(*sample);
    RadioImage written = sample->Image;
    ASSERT_TRUE(BuildImage(*doc, written).Ok());
    EXPECT_TRUE(written.bytes == sample->Image.bytes);
}

// Every frequency lies in the band and on the raster the editors keep it on,
// so that editing a channel moves nothing.
TEST(DemoSample, EveryFrequencyLiesInTheBandOnItsRaster) {
    const auto doc = ReadSample(*Split(BuildDemoSample()));
    RecordingSink sink;
    IdTexts texts;
    const FreContext fre{doc->BandLow, doc->BandHigh, sink, texts};
    for (int i = 0; i < doc->Doc.ChCount; ++i) {
        const ChannelInfo& ch = doc->ChList[static_cast<std::size_t>(i)];
        const std::string stored = TrimFixStr(ch.RxFre);
        ASSERT_EQ(stored.size(), 8u) << "channel " << ch.ChNo;
        const double mhz = std::stod(stored) / 100000.0;
        EXPECT_GE(mhz, doc->BandLow) << "channel " << ch.ChNo;
        EXPECT_LE(mhz, doc->BandHigh) << "channel " << ch.ChNo;
        ChannelInfo aligned = ch;
        ChRasterAlign(aligned, fre);
        EXPECT_EQ(TrimFixStr(aligned.RxFre), stored) << "channel " << ch.ChNo;
    }
    EXPECT_TRUE(sink.shown.empty());
}

// What the grid and the settings windows show after the first read.
TEST(DemoSample, ARadioWithRealContent) {
    const auto sample = Split(BuildDemoSample());
    const auto doc = ReadSample(*sample);
    const DocRecord& d = doc->Doc;

    std::set<int> groupsUsed;
    std::set<int> toneFamilies; // 1 CTCSS, 2 DCS normal, 3 DCS inverted
    int vfoAndMemory = 0;
    for (int i = 0; i < d.ChCount; ++i) {
        const ChannelInfo& ch = doc->ChList[static_cast<std::size_t>(i)];
        EXPECT_EQ(ch.ChEmpty, 0) << "channel " << ch.ChNo;
        if (ch.ChNo > 520)
            ++vfoAndMemory;
        else
            groupsUsed.insert((ch.ChNo - 1) / 40);
        for (int tone : {ch.RxTone, ch.TxTone})
            if (tone != 0)
                toneFamilies.insert(ToneIndexToCode(tone) >> 8);
    }
    EXPECT_EQ(vfoAndMemory, 9); // the VFO and all eight memory channels have a frequency
    EXPECT_GE(groupsUsed.size(), 4u);
    // The grid opens on the group the document shows first.
    EXPECT_TRUE(groupsUsed.contains(d.OptFeatures.Word(OptWord::CurGroup)));
    EXPECT_EQ(toneFamilies, (std::set<int>{1, 2, 3}));
    for (int g : groupsUsed) {
        EXPECT_FALSE(TrimFixStr(d.GroupNames[static_cast<std::size_t>(g)]).empty()) << g;
        EXPECT_EQ(d.ResetFlags[static_cast<std::size_t>(g)], 1) << g;
    }
    EXPECT_FALSE(TrimFixStr(d.EmbMsg[0]).empty());
    for (const ToneTip& tip : d.ToneTips)
        EXPECT_NE(tip.Items[0].Tone, 0);
    EXPECT_NE(d.OptFeatures.EmgCh[0], 0);
    EXPECT_EQ(doc->ModelName, "KAVRO");
    EXPECT_EQ(TrimFixStr(d.ModelInfo.Name), "KAVRO");

    const RadioInfoRecord& info = doc->RadioInfo;
    for (const std::string& text :
         {TrimFixStr(info.SerialNo), TrimFixStr(info.FactoryDate), TrimFixStr(info.DealerCode),
          TrimFixStr(info.SaleDate), info.AreaCode})
        EXPECT_FALSE(text.empty());
    // The demo radio asks for no password.
    EXPECT_EQ(PasswordInBlock(sample->Info.Block(PasswordBlockAddress)), "");
}

} // namespace
} // namespace velmar
