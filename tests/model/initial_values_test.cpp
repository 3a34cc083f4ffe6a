#include <gtest/gtest.h>

#include "model/initial_values.h"

namespace velmar {
namespace {

TEST(InitialValues, NewDocumentHasChannels1And521InTheMiddleOfTheBand) {
    Document doc;
    InitDocValues(doc, 5);
    ASSERT_EQ(doc.Doc.ChCount, 2);
    ChannelInfo expected = NewChannelInfo(1);
    expected.RxFre = MakeFixStr<8>("02786000");
    EXPECT_EQ(doc.ChList[0], expected);
    expected.ChNo = 521;
    EXPECT_EQ(doc.ChList[1], expected);
}

TEST(InitialValues, MiddleOfAnotherBand) {
    Document doc;
    doc.BandText = "136 - 174 MHz";
    doc.BandLow = 136;
    doc.BandHigh = 174;
    InitDocValues(doc, 5);
    EXPECT_EQ(TrimFixStr(doc.ChList[1].RxFre), "15500000");
    EXPECT_EQ(doc.Doc.ModelInfo.BandCode, 8);
}

TEST(InitialValues, RadioWideSettings) {
    Document doc;
    InitDocValues(doc, 5);
    const DocRecord& d = doc.Doc;
    EXPECT_EQ(d.KeySettings, (std::array<std::int16_t, 6>{10, 10, 0, 0, 0, 0}));
    EXPECT_EQ(d.AlertSettings[0], 1);
    EXPECT_EQ(d.OptFeatures.Word(OptWord::CurGroup), 3);
    EXPECT_EQ(d.OptFeatures.Word(OptWord::TotTime), 4);
    EXPECT_EQ(d.OptFeatures.Word(OptWord::ExtGroup), 9);
    EXPECT_EQ(d.OptFeatures.Word(OptWord::VoicePrompt), 1);
    EXPECT_EQ(d.OptFeatures.Word(OptWord::TailElimMode), 3);
    EXPECT_EQ(d.OptFeatures.OptChannel.RbTone, 1);
    EXPECT_EQ(std::string(d.OptFeatures.RadioLabel.data(), 16),
              std::string("        qv9352 \0", 16));
    EXPECT_EQ(d.ExtOption, 1);
    EXPECT_EQ(d.EmbMsg[2], NulFixStr<16>());
    EXPECT_EQ(TrimFixStr(d.DtmfSettings.IdCode), "000");
    EXPECT_EQ(d.DtmfSettings.IdCodeLen, 3);
    EXPECT_EQ(d.DtmfSettings.MemCodes[15].Code, MakeFixStr<16>(""));
    EXPECT_EQ(d.FmRadioList[19].Flag, 1);
    EXPECT_EQ(d.FmRadioList[19].Fre, MakeFixStr<8>(""));
    EXPECT_EQ(TrimFixStr(d.TestFreList[0].RxFre), "43510000")
        << "kept although 435.1 MHz lies outside the band";
    EXPECT_EQ(TrimFixStr(d.TestFreList[0].TxFre), "43510000");
    EXPECT_EQ(d.TestFreList[10].TxFre, NulFixStr<8>());
    EXPECT_EQ(TrimFixStr(d.ModelInfo.Name), "KAVRO");
    EXPECT_EQ(d.ModelInfo.BandCode, 1);
    EXPECT_EQ(TrimFixStr(d.GroupNames[5]), "U-EU");
    EXPECT_EQ(TrimFixStr(d.GroupNames[12]), "E");
    EXPECT_EQ(d.ResetFlags,
              (std::array<std::uint8_t, 14>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST(InitialValues, ToneTipsAndLeftFieldsKeepTheirOtherWords) {
    Document doc;
    doc.Doc.ToneTips[3].Items[13] = {99, 98};
    doc.Doc.ToneTips[6].Repeat = 7;
    doc.Doc.OptFeatures.OptChannel.ChNo = 42;
    doc.Doc.OptFeatures.OptChannel.RxRaster = 2;
    InitDocValues(doc, 5);

    const auto& tips = doc.Doc.ToneTips;
    EXPECT_EQ(tips[0].Items[6], (ToneItem{210, 10}));
    EXPECT_EQ(tips[0].Items[7], (ToneItem{}));
    EXPECT_EQ(tips[1].Items[13], (ToneItem{0, 4}));
    EXPECT_EQ(tips[3].Items[4], (ToneItem{192, 6}));
    EXPECT_EQ(tips[3].Items[13], (ToneItem{99, 98}));
    EXPECT_EQ(tips[4].Items[5], (ToneItem{70, 20}));
    EXPECT_EQ(tips[4].Repeat, 1);
    EXPECT_EQ(tips[4].Interval, 0);
    EXPECT_EQ(tips[5], ToneTip{});
    EXPECT_EQ(tips[6].Repeat, 7);
    EXPECT_EQ(doc.Doc.OptFeatures.OptChannel.ChNo, 42);
    EXPECT_EQ(doc.Doc.OptFeatures.OptChannel.RxRaster, 2);
}

TEST(InitialValues, RadioInfo) {
    Document doc;
    InitDocValues(doc, 12);
    EXPECT_EQ(doc.RadioInfo.BandCode, 1);
    EXPECT_EQ(doc.RadioInfo.VersionText, "V1.02");
    EXPECT_EQ(doc.RadioInfo.ModelText, "KAVRO");
    EXPECT_EQ(doc.RadioInfo.AreaCode, "");
    EXPECT_EQ(std::string(doc.RadioInfo.BatchNo.data(), 8), "12-1-E-1");
    EXPECT_EQ(std::string(doc.RadioInfo.CustomerCode.data(), 4), "001A");
    EXPECT_EQ(doc.RadioInfo.SerialNo, NulFixStr<16>());
    InitDocValues(doc, 3);
    EXPECT_EQ(std::string(doc.RadioInfo.BatchNo.data(), 8), "03-1-E-1");
}

} // namespace
} // namespace velmar
