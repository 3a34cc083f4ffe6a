#include "channels/channel_list.h"
#include "channels/channel_values.h"
#include "channels/offset_codec.h"
#include "channels/tone_tip_refs.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "channel_fakes.h"
#include "model/initial_values.h"

namespace velmar {
namespace {

// Records what the rules ask the windows to refresh.
class RecordingViews : public ChannelViews {
public:
    void reShowGrid(int chNo) override { calls.push_back("reShowGrid " + std::to_string(chNo)); }
    void ReshowByCh() override { calls.push_back("ReshowByCh"); }
    void SetGridEditData(bool isGridChange) override {
        calls.push_back(isGridChange ? "SetGridEditData true" : "SetGridEditData false");
    }
    bool IsChEditOpen() const override { return editorOpen; }
    void ShowBusyLockList(const std::vector<std::string>& entries, int selected) override {
        busyLockEntries = entries;
        busyLockSelected = selected;
    }
    void ShowRB() override { calls.push_back("ShowRB"); }
    void ShowRBOpt() override { calls.push_back("ShowRBOpt"); }

    std::vector<std::string> calls;
    bool editorOpen = false;
    std::vector<std::string> busyLockEntries;
    int busyLockSelected = -1;
};

// A new document of the default band "25.615 - 30.105 MHz": channels 1 and
// 521 at 27.86 MHz, the grid on group 3.
class ChannelListTest : public ::testing::Test {
protected:
    ChannelListTest() { InitDocValues(document, 1); }

    int Count() const { return document.Doc.ChCount; }
    ChannelInfo* Channel(int chNo) {
        const int index = FindChIndex(document, chNo);
        return index < 0 ? nullptr : &document.ChList[index];
    }
    void Set(int group, int pos, int code, std::string value) {
        SetChValue(document, env, group, pos, code, value);
    }
    ChannelInfo& Add(int chNo, const char* fre = "27.00000") {
        EXPECT_TRUE(AddCh(document, chNo, fre));
        return *Channel(chNo);
    }

    std::unique_ptr<Document> holder = std::make_unique<Document>();
    Document& document = *holder;
    RecordingSink sink;
    IdTexts texts;
    RecordingViews views;
    ChannelEnv env{sink, texts, views, true};
};

TEST_F(ChannelListTest, ReceiveFrequencyOnAnEmptyRowCreatesTheChannel) {
    Set(4, 7, ChField::RxFre, "27.125");
    ASSERT_EQ(Count(), 3);
    ChannelInfo expected = NewChannelInfo(167);
    expected.RxFre = MakeFixStr<8>("02712500");
    EXPECT_EQ(document.ChList[2], expected);
    EXPECT_EQ(views.calls,
              (std::vector<std::string>{"ReshowByCh", "reShowGrid 167", "SetGridEditData true"}));
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(ChannelListTest, EnteredFrequencyIsCheckedBeforeItIsStored) {
    std::string value = "31";
    SetChValue(document, env, 4, 8, ChField::RxFre, value);
    EXPECT_EQ(value, "30.10500");
    EXPECT_EQ(TrimFixStr(Channel(168)->RxFre), "03010500");
    ASSERT_EQ(sink.shown.size(), 1u); // warned once, not again when the channel is added
    EXPECT_EQ(sink.shown[0].text, "#9021");

    value = "abc"; // not a number: BandLow, with the same warning
    SetChValue(document, env, 4, 9, ChField::RxFre, value);
    EXPECT_EQ(value, "25.61500");
    EXPECT_EQ(TrimFixStr(Channel(169)->RxFre), "02561500");
    EXPECT_EQ(sink.shown.size(), 2u);

    value = "27.123"; // the caller's value is replaced even when nothing else changes
    SetChValue(document, env, 4, 8, ChField::RxFre, value);
    EXPECT_EQ(value, "27.12000");
    EXPECT_EQ(TrimFixStr(Channel(168)->RxFre), "02712000");
}

TEST_F(ChannelListTest, OtherValuesForAnUnusedPositionAreIgnored) {
    const DocRecord before = document.Doc;
    for (int code : {ChField::TxFre, ChField::RxTone, ChField::BusyLock})
        Set(4, 7, code, "1");
    Set(4, 7, ChField::RxFre, "");
    Set(4, 0, ChField::RxFre, "27"); // positions outside the group
    Set(13, 2, ChField::RxFre, "27");
    Set(15, 1, ChField::RxFre, "27");
    EXPECT_EQ(document.Doc, before);
}

TEST_F(ChannelListTest, LastChannelAndVfoAreNeverDeleted) {
    Set(13, 1, ChField::RxFre, ""); // VFO, although channel 1 remains
    EXPECT_NE(Channel(521), nullptr);
    Set(0, 1, ChField::RxFre, "  ");
    EXPECT_EQ(Channel(1), nullptr);
    ASSERT_EQ(Count(), 1);
    DeleteChByNo(document, 521); // the list itself may delete it; SetChValue may not
    AddCh(document, 130, "27");
    Set(3, 10, ChField::RxFre, ""); // now the only channel
    EXPECT_NE(Channel(130), nullptr);
}

TEST_F(ChannelListTest, FixedChannelsKeepTheirReceiveFrequency) {
    Add(35, "27.5");
    Add(121, "27.5");
    Set(0, 35, ChField::RxFre, "28");
    Set(0, 35, ChField::RxTone, "7");
    Set(3, 1, ChField::RxFre, "28");
    EXPECT_EQ(TrimFixStr(Channel(35)->RxFre), "02750000");
    EXPECT_EQ(Channel(35)->RxTone, 7);
    EXPECT_EQ(TrimFixStr(Channel(121)->RxFre), "02800000");
    Set(0, 35, ChField::RxFre, ""); // can still be deleted
    EXPECT_EQ(Channel(35), nullptr);
}

TEST_F(ChannelListTest, ToneCouplingAndBusyLock) {
    ChannelInfo& ch = Add(200);
    ch.BusyLock = 2;
    Set(4, 40, ChField::RxTone, "12");
    EXPECT_EQ(ch.TxTone, 12); // a first decode tone is copied to the empty encode tone
    Set(4, 40, ChField::RxTone, "0");
    EXPECT_EQ(ch.TxTone, 12);
    EXPECT_EQ(ch.BusyLock, 1);

    ChannelInfo& other = Add(201);
    Set(5, 1, ChField::TxTone, "60");
    EXPECT_EQ(other.RxTone, 60);
    Set(5, 1, ChField::TxTone, "61");
    EXPECT_EQ(other.RxTone, 60);

    ChannelInfo& signal = Add(202);
    signal.BusyLock = 2;
    Set(5, 2, ChField::OptSignal, "1");
    EXPECT_EQ(signal.OptSignal, 1);
    EXPECT_EQ(signal.BusyLock, 1);
}

TEST_F(ChannelListTest, PlainFieldsAndCodesThatStoreNothing) {
    ChannelInfo& ch = Add(200);
    SetChValue(document, env, 4, 40, ChField::FmPower50W, 1);
    SetChValue(document, env, 4, 40, ChField::RbTone, 4);
    EXPECT_EQ(ch.FmPower50W, 1);
    EXPECT_EQ(ch.RbTone, 4);
    const ChannelInfo before = ch;
    for (int code : {0, 3, 6, 20, 32, 36, 45, 54, 99})
        SetChValue(document, env, 4, 40, code, 1);
    for (const char* bad : {"abc", "", "40000", "1.2.3"})
        Set(4, 40, ChField::BusyLock, bad);
    for (const char* tone : {"-1", "265"})
        Set(4, 40, ChField::RxTone, tone);
    EXPECT_EQ(ch, before);
}

TEST_F(ChannelListTest, TransmitEntries) {
    ChannelInfo& ch = Add(200, "27.5");
    ch.Offset = MakeFixStr<7>("0010000");
    ch.ShiftDir = kShiftPlus;

    env.ShowTxOffset = false; // a transmit frequency equal to the receive frequency
    Set(4, 40, ChField::TxFre, "27.5");
    EXPECT_EQ(ch.ShiftDir, kShiftNone);
    EXPECT_EQ(TrimFixStr(ch.Offset), "0010000");

    Set(4, 40, ChField::TxFre, "31"); // checked against the band first
    EXPECT_EQ(ch.ShiftDir, kShiftPlus);
    EXPECT_EQ(TrimFixStr(ch.Offset), "0260500");
    EXPECT_EQ(sink.shown.size(), 1u);

    env.ShowTxOffset = true; // an offset without sign switches the shift off
    Set(4, 40, ChField::TxFre, "0.2");
    EXPECT_EQ(ch.ShiftDir, kShiftNone);
    EXPECT_EQ(TrimFixStr(ch.Offset), "0020000");
    Set(4, 40, ChField::TxFre, "-0.00375"); // 27.49625 MHz lies on the 6.25 kHz raster
    EXPECT_EQ(ch.ShiftDir, kShiftMinus);
    EXPECT_EQ(ch.TxRaster, 1);
}

TEST_F(ChannelListTest, UnchangedEntryStoresNothing) {
    ChannelInfo& ch = Add(200, "27.5");
    ch.Offset = MakeFixStr<7>("0010000");
    ch.ShiftDir = kShiftPlus;
    ch.RxRaster = 9; // would be rewritten by ChRasterAlign if the entry were stored
    Set(4, 40, ChField::TxFre, "+0.10000");
    EXPECT_EQ(ch.RxRaster, 9);
    Set(4, 40, ChField::TxFre, "+0.1");
    EXPECT_EQ(ch.RxRaster, 0);
}

TEST_F(ChannelListTest, DeletingAChannelClearsEmergencyChannelsThatNamedIt) {
    Add(125);
    Add(126);
    auto& emg = document.Doc.OptFeatures.EmgCh;
    emg[2 * 3] = 5;
    emg[2 * 3 + 1] = 6;
    emg[2 * 4] = 5; // another group: untouched
    Set(3, 5, ChField::RxFre, "");
    EXPECT_EQ(emg[2 * 3], 0);
    EXPECT_EQ(emg[2 * 3 + 1], 6);
    EXPECT_EQ(emg[2 * 4], 5);

    emg[2 * 3 + 1] = 41; // beyond the group, although channel 161 exists
    Add(161);
    CheckGroupChRefs(document, views, 3);
    EXPECT_EQ(emg[2 * 3 + 1], 0);
}

TEST_F(ChannelListTest, ListOperationsKeepOrder) {
    for (int chNo : {130, 125, 160, 128})
        Add(chNo);
    EXPECT_FALSE(AddCh(document, 125, "27")); // used
    EXPECT_FALSE(AddCh(document, 0, "27"));
    EXPECT_FALSE(AddCh(document, 530, "27"));
    DeleteChAt(document, 3); // 125
    DeleteChByNo(document, 999);
    DeleteChAt(document, 17);
    std::vector<int> numbers;
    for (int i = 0; i < Count(); ++i)
        numbers.push_back(document.ChList[i].ChNo);
    EXPECT_EQ(numbers, (std::vector<int>{1, 521, 130, 160, 128}));

    ComboList positions;
    FillChNoList(positions, document, 3);
    EXPECT_EQ(positions.Entries, (std::vector<std::string>{"8", "10", "40"}));
    EXPECT_EQ(FindChInGroup(document, 3, 8), 8);
    EXPECT_EQ(FindChInGroup(document, 3, 5), 0);
}

TEST_F(ChannelListTest, ListIsFullAt529Channels) {
    document.Doc.ChCount = 0;
    for (int chNo = 1; chNo <= kMaxChannels; ++chNo)
        ASSERT_TRUE(AddCh(document, chNo, "27"));
    document.Doc.ChCount = 600; // damaged count
    EXPECT_EQ(UsedChCount(document), kMaxChannels);
    EXPECT_FALSE(AddCh(document, 100, "27"));
}

TEST_F(ChannelListTest, GroupShowName) {
    document.Doc.GroupNames[3] = MakeFixStr<6>("      ");
    document.Doc.GroupNames[0] = MakeFixStr<6>(std::string("E\0XY", 4));
    EXPECT_EQ(GroupShowName(document.Doc, 3), "3 -- ");
    EXPECT_EQ(GroupShowName(document.Doc, 0), "0 -- E");
    EXPECT_EQ(GroupShowName(document.Doc, 6), "6 -- U-UK");
    EXPECT_EQ(GroupShowName(document.Doc, 13), "13 -- VFO");
    EXPECT_EQ(GroupShowName(document.Doc, 14), "14 -- MEM");
    EXPECT_EQ(GroupShowName(document.Doc, 15), "0 -- E");
    EXPECT_EQ(GroupShowName(document.Doc, -1), "0 -- E");
}

TEST_F(ChannelListTest, BusyLockChoices) {
    ChannelInfo& ch = Add(200);
    ch.Reverse = 1; // the reference tone is then the encode tone
    ch.RxTone = 5;
    ch.BusyLock = 2;
    ShowBusyLockChoices(document, env, 200);
    EXPECT_EQ(ch.BusyLock, 1);
    EXPECT_TRUE(views.busyLockEntries.empty());

    views.editorOpen = true;
    ch.TxTone = 9;
    ch.BusyLock = 2;
    ShowBusyLockChoices(document, env, 200);
    EXPECT_EQ(views.busyLockEntries, (std::vector<std::string>{"#15030", "#15031", "#15032"}));
    EXPECT_EQ(views.busyLockSelected, 2);

    ch.BusyLock = 5; // outside the list: its first entry
    ShowBusyLockChoices(document, env, 200);
    EXPECT_EQ(ch.BusyLock, 0);
    EXPECT_EQ(views.busyLockSelected, 0);
}

TEST_F(ChannelListTest, ToneTipReferencesFollowTheValidTips) {
    // The new document has tips 1 … 5; keep only 2 and 5.
    for (int n : {1, 3, 4})
        document.Doc.ToneTips[n - 1].Repeat = 0;
    document.Doc.ToneTips[4].Items = {}; // lengths all 0: tip 5 cannot play
    document.Doc.ToneTips[4].Items[13].Length = 1;
    EXPECT_EQ(CountToneTips(document.Doc), 2);
    EXPECT_EQ(FirstToneTip(document.Doc), 2);
    EXPECT_FALSE(IsToneTipValid(document.Doc, 9));

    Add(200).RbTone = 5;
    Add(201).RbTone = 3;
    document.Doc.OptFeatures.OptChannel.RbTone = 0;
    CheckToneTipRefs(document, views);
    EXPECT_EQ(Channel(1)->RbTone, 2);
    EXPECT_EQ(Channel(200)->RbTone, 5);
    EXPECT_EQ(Channel(201)->RbTone, 2);
    EXPECT_EQ(document.Doc.OptFeatures.OptChannel.RbTone, 2);
    EXPECT_EQ(views.calls, (std::vector<std::string>{"ShowRB", "ShowRBOpt"}));

    for (auto& tip : document.Doc.ToneTips)
        tip.Repeat = 0;
    CheckToneTipRefs(document, views);
    EXPECT_EQ(Channel(200)->RbTone, 0);
}

} // namespace
} // namespace velmar
