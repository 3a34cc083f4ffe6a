#include "settings/opt_features.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/document.h"
#include "model/initial_values.h"
#include "settings_fakes.h"

namespace velmar {
namespace {

class OptFeaturesTest : public ::testing::Test {
protected:
    OptFeaturesTest() { InitDocValues(document, 1); }

    Document document;
    DocRecord& doc = document.Doc;
    ChannelInfo& common = document.Doc.OptFeatures.OptChannel;
    IdTexts texts;
};

TEST_F(OptFeaturesTest, ListsOfferTheirEntries) {
    const struct {
        int combo;
        std::size_t count;
        std::string first, last;
    } cases[] = {
        {ComboDisplayMode, 2, "#15054", "#15055"}, {ComboTotTime, 41, "#16040", "600"},
        {ComboScanMode, 2, "#16058", "#16059"},    {ComboScanResume, 3, "5", "15"},
        {ComboKeyBeep, 2, "#16040", "#16041"},     {ComboStep, 4, "5 KHz", "1 MHz"},
        {ComboEchoLock, 2, "#26030", "#26031"},    {ComboRbFunction, 2, "#26030", "#26031"},
        {ComboDecode, 265, "#15030", "D754I"},     {ComboTsq, 2, "#15052", "#15053"},
        {ComboBusyLock, 3, "#15030", "#15033"},    {ComboAmFm, 2, "AM", "FM"},
        {ComboRep, 3, "#15030", "-100K"},          {ComboAmPower, 2, "#15502", "#15503"},
        {ComboFmPower, 3, "#15504", "#15508"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> entries = OptListEntries(c.combo, texts);
        ASSERT_EQ(entries.size(), c.count) << c.combo;
        EXPECT_EQ(entries.front(), c.first) << c.combo;
        EXPECT_EQ(entries.back(), c.last) << c.combo;
    }
    // The common tones read as in the channel lists.
    EXPECT_EQ(OptListEntries(ComboEncode, texts)[64], "D065N");
}

TEST_F(OptFeaturesTest, TimeOutShowsAndStoresInStepsOf15) {
    const struct {
        std::int16_t stored;
        int shown;
    } shownCases[] = {{45, 3}, {4, 0}, {8, 1}, {600, 40}, {0, 0}};
    for (const auto& c : shownCases) {
        doc.OptFeatures.Word(OptWord::TotTime) = c.stored;
        EXPECT_EQ(OptShownIndex(doc, ComboTotTime), c.shown) << c.stored;
    }
    SaveOptFeat(doc, ComboTotTime, 40);
    EXPECT_EQ(doc.OptFeatures.Word(OptWord::TotTime), 600);
    SaveOptFeat(doc, ComboTotTime, 0);
    EXPECT_EQ(doc.OptFeatures.Word(OptWord::TotTime), 0);
}

TEST_F(OptFeaturesTest, EachControlStoresIntoItsField) {
    OptFeaturesRecord& o = doc.OptFeatures;
    const struct {
        int rID;
        int value;
        std::function<int()> field;
    } cases[] = {
        {ComboDisplayMode, 1, [&] { return o.Word(OptWord::DisplayMode); }},
        {ComboScanMode, 1, [&] { return o.Word(OptWord::OptScanMode); }},
        {ComboScanResume, 2, [&] { return o.Word(OptWord::ScanResumeTime); }},
        {ComboKeyBeep, 0, [&] { return o.Word(OptWord::KeyBeep); }},
        {ComboStep, 3, [&] { return o.Word(OptWord::FreqStep); }},
        {ComboEchoLock, 1, [&] { return o.Word(OptWord::EchoLock); }},
        {ComboEcho, 1, [&] { return o.Word(OptWord::Echo); }},
        {ComboRbFunction, 0, [&] { return doc.ExtOption; }},
        {ComboDecode, 64, [&] { return common.RxTone; }},
        {ComboEncode, 264, [&] { return common.TxTone; }},
        {ComboTsq, 1, [&] { return common.Tsq; }},
        {ComboBusyLock, 2, [&] { return common.BusyLock; }},
        {ComboAmFm, 1, [&] { return common.AmFm; }},
        {ComboRep, 2, [&] { return common.Rep; }},
        {ComboAmPower, 1, [&] { return common.AmPower; }},
        {ComboFmPower, 2, [&] { return common.FmPower; }},
        {kOptCheckBase + CheckUseCommonCh, 1, [&] { return o.Word(OptWord::UseCommonCh); }},
        {kOptCheckBase + CheckNbAnl, 1, [&] { return common.NbAnl; }},
        {kOptCheckBase + CheckRepLock, 1, [&] { return common.RepLock; }},
        {kOptCheckBase + CheckAmFmLock, 1, [&] { return common.AmFmLock; }},
        {kOptCheckBase + CheckAmPower4W, 1, [&] { return common.AmPower4W; }},
        {kOptCheckBase + CheckAmPower15W, 1, [&] { return common.AmPower15W; }},
        {kOptCheckBase + CheckFmPower4W, 1, [&] { return common.FmPower4W; }},
        {kOptCheckBase + CheckFmPower15W, 1, [&] { return common.FmPower15W; }},
        {kOptCheckBase + CheckFmPower50W, 1, [&] { return common.FmPower50W; }},
    };
    for (const auto& c : cases) {
        SaveOptFeat(doc, c.rID, c.value);
        EXPECT_EQ(c.field(), c.value) << c.rID;
        // The list shows what it stored.
        if (c.rID < kOptCheckBase)
            EXPECT_EQ(OptShownIndex(doc, c.rID), c.value) << c.rID;
        else
            EXPECT_EQ(OptCheckValue(doc, c.rID - kOptCheckBase), c.value) << c.rID;
    }
}

TEST_F(OptFeaturesTest, StoresNothingForValuesOutsideTheListsOrControlsWithoutField) {
    const DocRecord before = doc;
    const struct {
        int rID;
        int value;
    } cases[] = {
        {ComboTotTime, 41},
        {ComboDisplayMode, 2},
        {ComboDecode, 265},
        {ComboBusyLock, -1},
        {ComboFmPower, 3},
        {ComboRbFunction, 2},
        {kOptCheckBase + CheckNbAnl, 2},
        {ComboSqlMode, 1},
        {0, 1},
        {kOptCheckBase + 8, 1},
    };
    for (const auto& c : cases)
        SaveOptFeat(doc, c.rID, c.value);
    EXPECT_EQ(doc, before);
}

// Every value a list or box can store fits its place in the radio image:
// option words travel as bytes, the common settings as bit fields.
TEST_F(OptFeaturesTest, EveryStorableValueFitsTheRadioImage) {
    const struct {
        int rID;
        int imageMax; // largest value the image holds
        std::function<int()> imageValue;
    } cases[] = {
        {ComboDisplayMode, 255, [&] { return doc.OptFeatures.Word(OptWord::DisplayMode); }},
        {ComboTotTime, 255, [&] { return doc.OptFeatures.Word(OptWord::TotTime) / 15; }},
        {ComboScanMode, 255, [&] { return doc.OptFeatures.Word(OptWord::OptScanMode); }},
        {ComboScanResume, 255, [&] { return doc.OptFeatures.Word(OptWord::ScanResumeTime); }},
        {ComboKeyBeep, 255, [&] { return doc.OptFeatures.Word(OptWord::KeyBeep); }},
        {ComboStep, 255, [&] { return doc.OptFeatures.Word(OptWord::FreqStep); }},
        {ComboEchoLock, 255, [&] { return doc.OptFeatures.Word(OptWord::EchoLock); }},
        {ComboEcho, 255, [&] { return doc.OptFeatures.Word(OptWord::Echo); }},
        {ComboRbFunction, 1, [&] { return doc.ExtOption; }},
        {ComboAmFm, 1, [&] { return common.AmFm; }},
        {ComboAmPower, 1, [&] { return common.AmPower; }},
        {ComboFmPower, 3, [&] { return common.FmPower; }},
        {ComboTsq, 1, [&] { return common.Tsq; }},
        {ComboBusyLock, 3, [&] { return common.BusyLock; }},
        {ComboRep, 3, [&] { return common.Rep; }},
        {ComboDecode, 264, [&] { return common.RxTone; }},
    };
    for (const auto& c : cases) {
        const int count = static_cast<int>(OptListEntries(c.rID, texts).size());
        for (int index = -1; index <= count; ++index) {
            SaveOptFeat(doc, c.rID, index);
            EXPECT_GE(c.imageValue(), 0) << c.rID << " " << index;
            EXPECT_LE(c.imageValue(), c.imageMax) << c.rID << " " << index;
        }
    }
}

TEST_F(OptFeaturesTest, CheckBoxesShowOnlyAStoredOne) {
    const struct {
        std::int16_t stored;
        int shown;
    } cases[] = {{0, 0}, {1, 1}, {2, 0}, {-1, 0}};
    for (const auto& c : cases) {
        common.NbAnl = c.stored;
        EXPECT_EQ(OptCheckValue(doc, CheckNbAnl), c.shown) << c.stored;
    }
}

TEST_F(OptFeaturesTest, PowerListsOfferTheTickedLevels) {
    const struct {
        std::int16_t tick4W, tick15W, stored;
        std::vector<int> offered;
        int shown;
        std::int16_t storedAfter;
    } am[] = {
        {1, 0, 1, {0}, 0, 0},    // 15 W no longer offered: 4 W
        {0, 0, 1, {0}, 0, 0},    // nothing ticked: 4 W alone
        {1, 1, 1, {0, 1}, 1, 1}, // both offered: kept
        {0, 1, 0, {1}, 0, 1},    // 4 W not offered: 15 W
        {1, 1, 7, {0, 1}, 0, 0}, // out of range: first level
    };
    for (const auto& c : am) {
        common.AmPower4W = c.tick4W;
        common.AmPower15W = c.tick15W;
        common.AmPower = c.stored;
        const PowerLevels levels = AmPowerLevels(common);
        EXPECT_EQ(levels.Offered, c.offered);
        EXPECT_EQ(levels.Shown, c.shown);
        ApplyPowerLevels(doc);
        EXPECT_EQ(common.AmPower, c.storedAfter);
    }

    common.FmPower4W = common.FmPower15W = common.FmPower50W = 0;
    common.FmPower = 2;
    EXPECT_EQ(FmPowerLevels(common).Offered, std::vector<int>{0});
    ApplyPowerLevels(doc);
    EXPECT_EQ(common.FmPower, 0);

    common.FmPower15W = common.FmPower50W = 1;
    common.FmPower = 2;
    const PowerLevels fm = FmPowerLevels(common);
    EXPECT_EQ(fm.Offered, (std::vector<int>{1, 2}));
    EXPECT_EQ(fm.Shown, 1);
    ApplyPowerLevels(doc);
    EXPECT_EQ(common.FmPower, 2);
}

TEST_F(OptFeaturesTest, BusyLockoutAndSquelchFollowTheDecodeTone) {
    common.RxTone = 12;
    common.SqlMode = 1;
    common.BusyLock = 2;
    DecodeLists lists = LoadDecodeLists(doc, texts);
    EXPECT_EQ(lists.BusyLock.Entries, (std::vector<std::string>{"#15030", "#15031", "#15033"}));
    EXPECT_EQ(lists.BusyLock.Selected, 2);
    EXPECT_EQ(lists.SqlMode.Selected, 1);
    EXPECT_TRUE(lists.SqlModeEnabled);

    // Another tone: the third entry names the tone.
    SaveOptFeat(doc, ComboDecode, 20);
    DecodeToneChanged(lists, doc, true, texts);
    EXPECT_EQ(lists.BusyLock.Entries[2], "#15032");
    EXPECT_EQ(lists.BusyLock.Selected, 2);

    // No tone: two entries, squelch back to its first entry, BusyLock kept.
    SaveOptFeat(doc, ComboDecode, 0);
    DecodeToneChanged(lists, doc, true, texts);
    EXPECT_EQ(lists.BusyLock.Entries.size(), 2u);
    EXPECT_EQ(lists.BusyLock.Selected, -1);
    EXPECT_EQ(lists.SqlMode.Selected, 0);
    EXPECT_FALSE(lists.SqlModeEnabled);
    EXPECT_EQ(common.SqlMode, 0);
    EXPECT_EQ(common.BusyLock, 2);

    // A tone again, in a disabled frame: the entry is back, the squelch
    // choice takes the frame's state.
    SaveOptFeat(doc, ComboDecode, 5);
    DecodeToneChanged(lists, doc, false, texts);
    EXPECT_EQ(lists.BusyLock.Entries, (std::vector<std::string>{"#15030", "#15031", "#15032"}));
    EXPECT_FALSE(lists.SqlModeEnabled);
}

TEST_F(OptFeaturesTest, SquelchShowsItsFirstEntryWithoutDecodeToneButKeepsTheValue) {
    common.RxTone = 0;
    common.SqlMode = 1;
    const DecodeLists lists = LoadDecodeLists(doc, texts);
    EXPECT_EQ(lists.SqlMode.Selected, 0);
    EXPECT_FALSE(lists.SqlModeEnabled);
    EXPECT_EQ(common.SqlMode, 1);
    EXPECT_EQ(lists.BusyLock.Entries.size(), 3u);
}

TEST_F(OptFeaturesTest, OnlyEchoRogerBeepAndPowerRowsNeedTheMainVersion) {
    std::vector<int> mainOnly;
    for (const auto* rows : {&OptLeftRows(), &OptCommonRows()})
        for (const OptRow& row : *rows)
            if (row.MainVersionOnly)
                mainOnly.push_back(row.Combo);
    EXPECT_EQ(mainOnly, (std::vector<int>{ComboEchoLock, ComboEcho, ComboRbFunction, ComboAmPower,
                                          ComboFmPower}));
    EXPECT_EQ(OptLeftRows().size(), 9u);
    EXPECT_EQ(OptCommonRows().size(), 8u);
}

TEST_F(OptFeaturesTest, RogerBeepListOffersTheValidTips) {
    for (int tip = 1; tip <= 8; ++tip)
        MakeTip(doc, tip, tip == 2 || tip == 5);
    const struct {
        int rbTone;
        int selected;
    } cases[] = {{3, 0}, {5, 2}, {2, 1}, {0, 0}, {9, 0}};
    for (const auto& c : cases) {
        const ComboList list = RogerBeepList(doc, c.rbTone, texts);
        EXPECT_EQ(list.Entries, (std::vector<std::string>{"#15030", "2", "5"}));
        EXPECT_EQ(list.Selected, c.selected) << c.rbTone;
    }
}

} // namespace
} // namespace velmar
