#include "settings/tone_tips.h"

#include <gtest/gtest.h>

#include "channels/tone_tip_refs.h"
#include "model/document.h"
#include "model/initial_values.h"
#include "settings_fakes.h"

namespace velmar {
namespace {

class ToneTipsTest : public ::testing::Test {
protected:
    ToneTipsTest() {
        InitDocValues(document, 1);
        for (int tip = 1; tip <= kToneTipCount; ++tip)
            MakeTip(doc, tip, false);
    }

    Document document;
    DocRecord& doc = document.Doc;
    IdTexts texts;
};

TEST_F(ToneTipsTest, ListsOfferTheirEntries) {
    const std::vector<std::string> repeat = RepeatEntries(texts);
    ASSERT_EQ(repeat.size(), 11u);
    EXPECT_EQ(repeat[0], "#29200");
    EXPECT_EQ(repeat[10], "10");

    const std::vector<std::string> tenfold = TenfoldEntries();
    ASSERT_EQ(tenfold.size(), 256u);
    EXPECT_EQ(tenfold[1], "10");
    EXPECT_EQ(tenfold[255], "2550");

    const std::vector<std::string> tones = ToneEntries(texts);
    ASSERT_EQ(tones.size(), 217u);
    EXPECT_EQ(tones[0], "#29201");
    EXPECT_EQ(tones[1], "400");
    EXPECT_EQ(tones[216], "2550");
}

TEST_F(ToneTipsTest, ToneListShowsOfferedTonesAndSilenceForTheRest) {
    const struct {
        int tone;
        int shown;
    } cases[] = {{0, 0}, {40, 1}, {41, 2}, {255, 216}, {39, 0}, {1, 0}, {256, 0}, {-5, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(ToneShownIndex(c.tone), c.shown) << c.tone;
        const int back = ToneOfShownIndex(c.shown);
        EXPECT_EQ(back, c.shown == 0 ? 0 : c.tone) << c.tone;
    }
}

TEST_F(ToneTipsTest, ValuesOutsideTheListsAreRefused) {
    MakeTip(doc, 1, true);
    MakeTip(doc, 2, true);
    const DocRecord before = doc;
    EXPECT_FALSE(SetTipRepeat(doc, 2, 11));
    EXPECT_FALSE(SetTipRepeat(doc, 2, -1));
    EXPECT_FALSE(SetTipInterval(doc, 2, 256));
    EXPECT_FALSE(SetTipTone(doc, 2, 1, 39));
    EXPECT_FALSE(SetTipTone(doc, 2, 1, 256));
    EXPECT_FALSE(SetTipTone(doc, 2, 15, 100));
    EXPECT_FALSE(SetTipLength(doc, 2, 0, 5));
    EXPECT_FALSE(SetTipLength(doc, 2, 1, 256));
    EXPECT_FALSE(SetTipLength(doc, 9, 1, 5));
    EXPECT_EQ(doc, before);

    EXPECT_TRUE(SetTipInterval(doc, 2, 255));
    EXPECT_TRUE(SetTipTone(doc, 2, 14, 255));
    EXPECT_TRUE(SetTipTone(doc, 2, 14, 0));
    EXPECT_EQ(doc.ToneTips[1].Interval, 255);
}

TEST_F(ToneTipsTest, TheOnlyValidTipTakesNoRepeatOrLengthOfZero) {
    MakeTip(doc, 1, true);
    doc.ToneTips[0].Items[1] = {120, 5}; // a second item with a length
    const DocRecord before = doc;

    EXPECT_FALSE(SetTipRepeat(doc, 1, 0));
    // Even a length whose item is not the tip's last sounding one.
    EXPECT_FALSE(SetTipLength(doc, 1, 1, 0));
    EXPECT_FALSE(SetTipLength(doc, 1, 2, 0));
    EXPECT_FALSE(SetTipLength(doc, 1, 3, 0)); // an item already unused
    EXPECT_EQ(doc, before);
    // Other values, and tips that are not valid, are stored.
    EXPECT_TRUE(SetTipLength(doc, 1, 2, 7));
    EXPECT_TRUE(SetTipRepeat(doc, 1, 3));
    EXPECT_TRUE(SetTipLength(doc, 2, 1, 0));
    EXPECT_TRUE(SetTipRepeat(doc, 2, 0));
    EXPECT_EQ(CountToneTips(doc), 1);

    // Another valid tip: the first takes lengths of 0 and may become invalid.
    MakeTip(doc, 4, true);
    EXPECT_TRUE(SetTipLength(doc, 1, 1, 0));
    EXPECT_EQ(doc.ToneTips[0].Items[0].Length, 0);
    EXPECT_TRUE(SetTipRepeat(doc, 1, 0));
    EXPECT_EQ(CountToneTips(doc), 1);
    EXPECT_EQ(FirstToneTip(doc), 4);
}

TEST_F(ToneTipsTest, WithoutAnyValidTipEveryChangeIsStored) {
    EXPECT_TRUE(SetTipRepeat(doc, 3, 0));
    EXPECT_TRUE(SetTipLength(doc, 3, 1, 0));
    EXPECT_TRUE(SetTipLength(doc, 3, 1, 7));
    EXPECT_TRUE(SetTipRepeat(doc, 3, 2));
    EXPECT_EQ(FirstToneTip(doc), 3);
}

TEST_F(ToneTipsTest, BarsFillTheWidthInProportionToTheLengths) {
    ToneTip tip;
    tip.Items[0] = {128, 10};
    tip.Items[1] = {0, 10}; // a silence: zero height
    tip.Items[3] = {64, 20};
    // 1100 × 612: w = 1000, h = 512.
    const std::vector<ToneBar> bars = ToneTipBars(tip, 1100, 612);
    const std::vector<ToneBar> expected{
        {50, 562 - 256, 250, 256, true},
        {300, 562, 250, 0, false},
        {550, 562 - 128, 500, 128, false}, // item 4: blue
    };
    EXPECT_EQ(bars, expected);
}

TEST_F(ToneTipsTest, ATipWithoutLengthDrawsNothing) {
    ToneTip tip;
    tip.Items[0] = {200, 0};
    EXPECT_TRUE(ToneTipBars(tip, 1000, 1000).empty());
    EXPECT_EQ(TipTotalMs(tip), 0);
}

TEST_F(ToneTipsTest, BarsRoundTheirShares) {
    ToneTip tip;
    for (int k = 0; k < 3; ++k)
        tip.Items[k] = {255, 1};
    // w = 100 split in three: 33.3 rounds to 33; 255 × 100 / 256 = 99.6 → 100.
    const std::vector<ToneBar> bars = ToneTipBars(tip, 200, 200);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].Width, 33);
    EXPECT_EQ(bars[2].Left, 116);
    EXPECT_EQ(bars[0].Height, 100);
    EXPECT_EQ(bars[0].Top, 50);
}

std::vector<ToneStep> PlayAll(TonePlayback& play) {
    std::vector<ToneStep> steps;
    while (const auto step = play.Next())
        steps.push_back(*step);
    return steps;
}

TEST_F(ToneTipsTest, APlayGoesThroughTheItemsThenPausesForEachRepeat) {
    ToneTip& tip = doc.ToneTips[2];
    tip.Items[0] = {100, 5}; // 1000 Hz, 50 ms
    tip.Items[1] = {0, 3};   // silence, 30 ms
    tip.Items[2] = {4, 2};   // 40 Hz is too low to play: silence
    tip.Items[5] = {200, 0}; // unused
    tip.Repeat = 2;
    tip.Interval = 7;
    TonePlayback play(doc, 3);
    ASSERT_TRUE(play.Playable());
    const std::vector<ToneStep> onePass{{1000, 50, 1}, {0, 30, 2}, {0, 20, 3}, {0, 70, 0}};
    std::vector<ToneStep> expected = onePass;
    expected.insert(expected.end(), onePass.begin(), onePass.end());
    EXPECT_EQ(PlayAll(play), expected);
}

TEST_F(ToneTipsTest, NothingPlaysWithoutLengthOrRepeat) {
    ToneTip& tip = doc.ToneTips[0];
    tip.Repeat = 3;
    TonePlayback silent(doc, 1);
    EXPECT_FALSE(silent.Playable());
    EXPECT_FALSE(silent.Next());

    tip.Items[0] = {100, 5};
    tip.Repeat = 0;
    TonePlayback off(doc, 1);
    EXPECT_TRUE(off.Playable());
    EXPECT_FALSE(off.Next());
}

TEST_F(ToneTipsTest, StopEndsThePlayBeforeTheNextItemButAfterThePause) {
    ToneTip& tip = doc.ToneTips[0];
    tip.Items[0] = {100, 5};
    tip.Items[1] = {120, 5};
    tip.Repeat = 3;
    tip.Interval = 10;
    TonePlayback play(doc, 1);
    EXPECT_EQ(play.Next()->Item, 1);
    EXPECT_EQ(play.Next()->Item, 2);
    EXPECT_EQ(play.Next()->Item, 0); // the pause
    play.Stop();                     // pressed during the pause
    EXPECT_FALSE(play.Next());
}

TEST_F(ToneTipsTest, ChangesMadeWhilePlayingAreHeardFromTheNextItem) {
    ToneTip& tip = doc.ToneTips[0];
    tip.Items[0] = {100, 5};
    tip.Items[1] = {100, 5};
    tip.Repeat = 1;
    TonePlayback play(doc, 1);
    EXPECT_EQ(play.Next()->Hz, 1000);
    SetTipTone(doc, 1, 2, 150);
    EXPECT_EQ(play.Next()->Hz, 1500);
}

} // namespace
} // namespace velmar
