#include "channels/ch_info_edit_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "channel_fakes.h"
#include "channels/channel_values.h"
#include "model/initial_values.h"

namespace velmar {
namespace {

// The values a list offers, in its order.
std::vector<int> Values(const ChEditChoices& choices) {
    std::vector<int> values;
    for (const ChEditChoice& choice : choices)
        values.push_back(choice.Value);
    return values;
}

std::vector<std::string> Texts(const ChEditChoices& choices) {
    std::vector<std::string> texts;
    for (const ChEditChoice& choice : choices)
        texts.push_back(choice.Text);
    return texts;
}

// A new document of the default band: channels 1 and 521 at 27.86 MHz, and
// channel 130 of group 3 added for the cases; only the tone tips a case
// makes valid are valid.
class ChInfoEditRulesTest : public ::testing::Test {
protected:
    ChInfoEditRulesTest() {
        InitDocValues(document, 1);
        for (ToneTip& tip : document.Doc.ToneTips)
            tip = ToneTip{};
        EXPECT_TRUE(AddCh(document, 130, "27.5"));
    }

    ChannelInfo& Channel(int chNo) { return document.ChList[FindChIndex(document, chNo)]; }
    void MakeTipValid(int tip) {
        document.Doc.ToneTips[tip - 1].Repeat = 1;
        document.Doc.ToneTips[tip - 1].Items[3].Length = 20;
    }
    ChInfoEditView Show(int group, int pos) {
        return ShowChEditPosition(document, env, group, pos);
    }

    std::unique_ptr<Document> holder = std::make_unique<Document>();
    Document& document = *holder;
    RecordingSink sink;
    IdTexts texts;
    ChannelViews views;
    ChannelEnv env{sink, texts, views, true};
};

TEST(ChEditRowsTest, RowsShownByVersionAndGroup) {
    struct Case {
        ChEditRow row;
        bool isMainVersion;
        int group;
        bool shown;
    };
    const Case cases[] = {
        {RowRxFre, false, 0, true},   {RowBusyLock, false, 14, true}, {RowAmFm, false, 2, true},
        {RowRep, true, 2, false},     {RowRep, false, 3, true},       {RowRep, true, 14, true},
        {RowRbTone, false, 5, false}, {RowAmPower, false, 5, false},  {RowFmPower, false, 5, false},
        {RowRbTone, true, 0, true},   {RowFmPower, true, 13, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsChEditRowShown(c.row, c.isMainVersion, c.group), c.shown)
            << "row " << c.row << " main " << c.isMainVersion << " group " << c.group;
}

TEST(ChEditRowsTest, EveryFieldCodeStoresIntoTheFieldItShows) {
    // Each check box writes the field it shows, through the grid's codes.
    const FreFixture fixture;
    for (const ChEditCheckDef& check : kChEditChecks) {
        ChannelInfo channel = NewChannelInfo(200);
        SetChField(channel, check.Code, "1", true, fixture.fre);
        EXPECT_EQ(channel.*check.Field, 1) << "Check1(" << check.Index << ")";
    }
}

TEST(ChEditEntryTest, ReceiveEntryGetsFiveDecimals) {
    const std::pair<const char*, const char*> cases[] = {
        {"27.125", "27.12500"}, {"27", "27.00000"}, {"27.1234567", "27.12346"},
        {".5", "0.50000"},      {"", ""},           {"1.2.3", "1.2.3"},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(RxEntryToStore(typed), stored) << typed;
}

TEST_F(ChInfoEditRulesTest, RogerBeepOffersTheValidTipsAndKeepsAnInvalidReference) {
    MakeTipValid(5);
    MakeTipValid(2);
    const ChEditChoices choices = RogerBeepChoices(document.Doc, texts);
    EXPECT_EQ(Texts(choices), (std::vector<std::string>{"#15030", "2", "5"}));
    EXPECT_EQ(Values(choices), (std::vector<int>{0, 2, 5}));

    struct Case {
        int rbTone;
        std::string shown;
    };
    for (const Case& c : {Case{5, "5"}, Case{2, "2"}, Case{3, "#15030"}, Case{0, "#15030"},
                          Case{9, "#15030"}, Case{-1, "#15030"}}) {
        Channel(130).RbTone = static_cast<std::int16_t>(c.rbTone);
        const ChEditListView list = Show(3, 10).Lists[RowRbTone];
        EXPECT_EQ(list.Entries[list.Selected].Text, c.shown) << c.rbTone;
        EXPECT_TRUE(list.Enabled);
        EXPECT_EQ(Channel(130).RbTone, c.rbTone); // showing never repairs it
    }
}

TEST_F(ChInfoEditRulesTest, RogerBeepListFollowsTheToneTips) {
    Channel(130).RbTone = 4;
    EXPECT_EQ(Values(RogerBeepView(document, texts, 130).Entries), (std::vector<int>{0}));
    MakeTipValid(4);
    const ChEditListView list = RogerBeepView(document, texts, 130);
    EXPECT_EQ(Values(list.Entries), (std::vector<int>{0, 4}));
    EXPECT_EQ(list.SelectedValue(), 4);
    document.Doc.ToneTips[3].Repeat = 0; // no longer plays
    EXPECT_EQ(RogerBeepView(document, texts, 130).SelectedValue(), 0);
}

TEST_F(ChInfoEditRulesTest, PowerListsOfferTheTickedLevelsAndMoveTheChoice) {
    struct Case {
        std::vector<int> offers; // the level boxes of the row
        int stored;
        std::vector<int> offered;
        int settled;
    };
    const Case amCases[] =
        {
            {{1, 1}, 1, {0, 1}, 1}, {{1, 0}, 1, {0}, 0}, {{0, 1}, 0, {1}, 1},
            {{0, 0}, 1, {0}, 0},    {{0, 1}, 5, {1}, 1}, {{1, 1}, -3, {0, 1}, 0},
            {{2, 1}, 0, {1}, 1}, // a box holding anything but 1 is not ticked
        };
    for (const Case& c : amCases) {
        ChannelInfo channel = NewChannelInfo(200);
        channel.AmPower4W = static_cast<std::int16_t>(c.offers[0]);
        channel.AmPower15W = static_cast<std::int16_t>(c.offers[1]);
        channel.AmPower = static_cast<std::int16_t>(c.stored);
        EXPECT_EQ(Values(AmPowerChoices(channel, texts)), c.offered);
        SettlePowerLevels(channel);
        EXPECT_EQ(channel.AmPower, c.settled);
    }
    const Case fmCases[] = {
        {{0, 0, 0}, 2, {0}, 0}, {{1, 1, 1}, 2, {0, 1, 2}, 2}, {{1, 0, 1}, 1, {0, 2}, 0},
        {{0, 0, 1}, 0, {2}, 2}, {{0, 1, 1}, 2, {1, 2}, 2},    {{0, 1, 0}, 3, {1}, 1},
    };
    for (const Case& c : fmCases) {
        ChannelInfo channel = NewChannelInfo(200);
        channel.FmPower4W = static_cast<std::int16_t>(c.offers[0]);
        channel.FmPower15W = static_cast<std::int16_t>(c.offers[1]);
        channel.FmPower50W = static_cast<std::int16_t>(c.offers[2]);
        channel.FmPower = static_cast<std::int16_t>(c.stored);
        EXPECT_EQ(Values(FmPowerChoices(channel, texts)), c.offered);
        SettlePowerLevels(channel);
        EXPECT_EQ(channel.FmPower, c.settled);
    }
    ChannelInfo channel = NewChannelInfo(200);
    channel.FmPower4W = channel.FmPower50W = 1;
    EXPECT_EQ(Texts(FmPowerChoices(channel, texts)),
              (std::vector<std::string>{"#15504", "#15508"}));
}

TEST_F(ChInfoEditRulesTest, ShowingAChannelWritesTheSettledPowerLevelBack) {
    ChannelInfo& channel = Channel(130);
    channel.AmPower4W = 1;
    channel.AmPower = 1; // 15 W, no longer offered
    const ChInfoEditView view = Show(3, 10);
    EXPECT_EQ(channel.AmPower, 0);
    const ChEditListView& am = view.Lists[RowAmPower];
    EXPECT_EQ(am.Entries[am.Selected].Text, "#15502");
    EXPECT_EQ(Texts(view.Lists[RowFmPower].Entries), (std::vector<std::string>{"#15504"}));
}

TEST_F(ChInfoEditRulesTest, BusyLockFollowsTheReferenceTone) {
    struct Case {
        int rxTone, txTone, reverse, busyLock;
        std::vector<int> offered;
        int shown; // and stored afterwards
    };
    const Case cases[] = {
        {0, 0, 0, 1, {0, 1}, 1},      {0, 0, 0, 2, {0, 1}, 1},     {12, 0, 0, 2, {0, 1, 2}, 2},
        {60, 12, 0, 1, {0, 1, 2}, 1}, {0, 12, 0, 2, {0, 1}, 1},    {0, 12, 1, 2, {0, 1, 2}, 2},
        {12, 0, 1, 2, {0, 1}, 1},     {12, 0, 0, 3, {0, 1, 2}, 0}, {12, 0, 0, -1, {0, 1, 2}, 0},
    };
    for (const Case& c : cases) {
        ChannelInfo& channel = Channel(130);
        channel.RxTone = static_cast<std::int16_t>(c.rxTone);
        channel.TxTone = static_cast<std::int16_t>(c.txTone);
        channel.Reverse = static_cast<std::int16_t>(c.reverse);
        channel.BusyLock = static_cast<std::int16_t>(c.busyLock);
        const ChEditListView list = Show(3, 10).Lists[RowBusyLock];
        EXPECT_EQ(Values(list.Entries), c.offered) << c.rxTone << "/" << c.txTone;
        EXPECT_EQ(list.SelectedValue(), c.shown) << c.rxTone << "/" << c.txTone;
        EXPECT_EQ(channel.BusyLock, c.shown);
        EXPECT_EQ(list.Entries[0].Text, "#15030");
    }
}

TEST_F(ChInfoEditRulesTest, NoListOffersMoreThanTheRadioKeeps) {
    // The widest value each list may store: what its bits in the radio's
    // channel record hold, or the last entry of a shorter list.
    const std::pair<ChEditRow, int> widest[] = {
        {RowRxTone, 264}, {RowTxTone, 264}, {RowTsq, 1},     {RowBusyLock, 2}, {RowAmFm, 1},
        {RowRep, 2},      {RowRbTone, 8},   {RowAmPower, 1}, {RowFmPower, 2},
    };
    for (int tip = 1; tip <= 8; ++tip)
        MakeTipValid(tip);
    ChannelInfo& channel = Channel(130);
    channel.RxTone = 12;
    channel.AmPower4W = channel.AmPower15W = 1;
    channel.FmPower4W = channel.FmPower15W = channel.FmPower50W = 1;
    const ChInfoEditView view = Show(3, 10);
    for (const auto& [row, largest] : widest) {
        const std::vector<int> values = Values(view.Lists[row].Entries);
        EXPECT_EQ(*std::max_element(values.begin(), values.end()), largest) << "row " << row;
        EXPECT_EQ(*std::min_element(values.begin(), values.end()), 0) << "row " << row;
    }
}

TEST_F(ChInfoEditRulesTest, EmptyPositionOffersOnlyTheFrequency) {
    for (const auto& [group, pos] : {std::pair{3, 11}, {14, 8}, {15, 1}, {3, 41}}) {
        const ChInfoEditView view = Show(group, pos);
        EXPECT_FALSE(view.Used);
        EXPECT_EQ(view.RxText, "");
        EXPECT_TRUE(view.RxEnabled);
        for (int row = RowRxTone; row < kChEditRowCount; ++row) {
            const ChEditListView& list = view.Lists[row];
            EXPECT_EQ(Texts(list.Entries), (std::vector<std::string>{" "}));
            EXPECT_EQ(list.SelectedValue(), kNoChoice);
            EXPECT_FALSE(list.Enabled);
        }
        for (const ChEditCheckView& check : view.Checks) {
            EXPECT_EQ(check.Value, 0);
            EXPECT_FALSE(check.Enabled);
        }
    }
}

TEST_F(ChInfoEditRulesTest, UsedChannelShowsItsValuesAndLocks) {
    ChannelInfo& channel = Channel(130);
    channel.RxTone = 12;
    channel.TxTone = 60;
    channel.Tsq = 7; // outside its list: the first entry, left as it is
    channel.AmFm = 1;
    channel.AmFmLock = 1;
    channel.Rep = 2;
    channel.NbAnl = 1;
    channel.ScanSkip = 2; // a box shows anything but 1 as unticked
    const ChInfoEditView view = Show(3, 10);
    EXPECT_TRUE(view.Used);
    EXPECT_EQ(view.ChNo, 130);
    EXPECT_EQ(view.RxText, "27.50000");
    EXPECT_TRUE(view.RxEnabled);
    EXPECT_EQ(view.Lists[RowRxTone].Entries.size(), 265u);
    EXPECT_EQ(view.Lists[RowRxTone].Entries[0].Text, "#15030");
    EXPECT_EQ(view.Lists[RowRxTone].SelectedValue(), 12);
    EXPECT_EQ(view.Lists[RowTxTone].Entries[view.Lists[RowTxTone].Selected].Text, "D050N");
    EXPECT_EQ(view.Lists[RowTsq].SelectedValue(), 0);
    EXPECT_EQ(channel.Tsq, 7);
    EXPECT_EQ(view.Lists[RowAmFm].SelectedValue(), 1);
    EXPECT_FALSE(view.Lists[RowAmFm].Enabled); // held by its lock
    EXPECT_EQ(view.Lists[RowRep].Entries[view.Lists[RowRep].Selected].Text, "-100K");
    EXPECT_FALSE(view.Lists[RowRep].Enabled); // freed only by its lock
    EXPECT_TRUE(view.Lists[RowTsq].Enabled);

    channel.AmFmLock = 0;
    channel.RepLock = 1;
    const ChInfoEditView unlocked = Show(3, 10);
    EXPECT_TRUE(unlocked.Lists[RowAmFm].Enabled);
    EXPECT_TRUE(unlocked.Lists[RowRep].Enabled);

    for (std::size_t i = 0; i < kChEditChecks.size(); ++i) {
        const int expected = kChEditChecks[i].Field == &ChannelInfo::NbAnl ||
                             kChEditChecks[i].Field == &ChannelInfo::RepLock;
        EXPECT_EQ(unlocked.Checks[i].Value, expected) << "Check1(" << kChEditChecks[i].Index << ")";
        EXPECT_TRUE(unlocked.Checks[i].Enabled);
    }
}

TEST_F(ChInfoEditRulesTest, FixedChannelsAndTheVfo) {
    const ChInfoEditView first = Show(0, 1);
    EXPECT_EQ(first.RxText, "27.86000");
    EXPECT_FALSE(first.RxEnabled); // channels 1 … 120 keep their frequency

    Channel(521).ScanSkip = 0;
    const ChInfoEditView vfo = Show(13, 1);
    EXPECT_TRUE(vfo.RxEnabled);
    EXPECT_EQ(vfo.Checks[0].Value, 1); // Check1(0), scan skip
    EXPECT_FALSE(vfo.Checks[0].Enabled);
    EXPECT_EQ(Channel(521).ScanSkip, 0);
    EXPECT_TRUE(vfo.Checks[1].Enabled);

    EXPECT_TRUE(Show(3, 10).Checks[0].Enabled);
}

} // namespace
} // namespace velmar
