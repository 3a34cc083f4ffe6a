#include "settings/reset_mode.h"

#include <gtest/gtest.h>

#include "model/document.h"
#include "model/initial_values.h"

namespace velmar {
namespace {

class ResetModeTest : public ::testing::Test {
protected:
    ResetModeTest() { InitDocValues(document, 1); }

    void OnlyValid(std::initializer_list<int> groups) {
        doc.ResetFlags.fill(0);
        for (int g : groups)
            doc.ResetFlags[g] = 1;
    }
    std::int16_t& Word(OptWord w) { return doc.OptFeatures.Word(w); }
    const GroupChoice& Groups(ResetMode mode) { return lists.GroupLists[static_cast<int>(mode)]; }
    ComboList& Channels(ResetMode mode) { return lists.ChannelLists[static_cast<int>(mode)]; }

    Document document;
    DocRecord& doc = document.Doc;
    ResetModeLists lists;
};

TEST_F(ResetModeTest, ListsOfferTheValidGroupsByName) {
    OnlyValid({0, 4, 7});
    ReShowInit(lists, doc);
    // Initial names: 0 "E", 4 "PL", 7 "E" made unique.
    EXPECT_EQ(lists.Master.Entries.size(), 15u);
    EXPECT_EQ(lists.Master.Entries[13], "VFO");
    EXPECT_EQ(lists.Master.Entries[14], "MEM");
    EXPECT_EQ(Groups(ResetMode::E).Groups, (std::vector<int>{0, 4, 7}));
    EXPECT_EQ(Groups(ResetMode::Normal).Groups, (std::vector<int>{0, 4, 7}));
    EXPECT_EQ(lists.EGroupShown.Groups, (std::vector<int>{4, 7}));
    EXPECT_EQ(Groups(ResetMode::Ext).Groups, (std::vector<int>{8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(lists.EGroupShown.List.Entries[0], lists.Master.Entries[4]);
}

TEST_F(ResetModeTest, AnEModeGroupBelow3BecomesTheFirstShownGroup) {
    OnlyValid({0, 4, 7});
    Word(OptWord::StartGroup) = 0;
    Word(OptWord::StartCh) = 12;
    ReShowInit(lists, doc);
    EXPECT_EQ(Word(OptWord::StartGroup), 4);
    EXPECT_EQ(Groups(ResetMode::E).Group(), 4);
    EXPECT_EQ(lists.EGroupShown.Group(), 4);
    EXPECT_EQ(Word(OptWord::StartCh), 12);
    EXPECT_EQ(Channels(ResetMode::E).Text(), "12");
}

TEST_F(ResetModeTest, StoredValuesTheListsCannotShowAreReplaced) {
    OnlyValid({3, 5});
    Word(OptWord::StartGroup) = 5;
    Word(OptWord::StartCh) = 41;    // beyond the group: "1"
    Word(OptWord::NormalGroup) = 9; // not valid: the first valid group
    Word(OptWord::NormalCh) = 40;
    Word(OptWord::ExtGroup) = 14; // MEM is not offered: group 8
    Word(OptWord::ExtCh) = 0;
    ReShowInit(lists, doc);
    EXPECT_EQ(Word(OptWord::StartGroup), 5);
    EXPECT_EQ(Word(OptWord::StartCh), 1);
    EXPECT_EQ(Word(OptWord::NormalGroup), 3);
    EXPECT_EQ(Word(OptWord::NormalCh), 40);
    EXPECT_EQ(Word(OptWord::ExtGroup), 8);
    EXPECT_EQ(Word(OptWord::ExtCh), 1);
}

TEST_F(ResetModeTest, ChannelListsHoldThePositionsOfTheGroup) {
    ReShowInit(lists, doc);
    GroupChoice& ext = lists.GroupLists[static_cast<int>(ResetMode::Ext)];
    ext.SelectGroupOrFirst(13); // VFO
    GroupChosen(lists, doc, ResetMode::Ext);
    EXPECT_EQ(Word(OptWord::ExtGroup), 13);
    EXPECT_EQ(Channels(ResetMode::Ext).Entries, std::vector<std::string>{"1"});
    EXPECT_EQ(Word(OptWord::ExtCh), 1);

    ext.SelectGroupOrFirst(9);
    GroupChosen(lists, doc, ResetMode::Ext);
    EXPECT_EQ(Channels(ResetMode::Ext).Entries.size(), 40u);
    Channels(ResetMode::Ext).Selected = 39;
    ChannelChosen(lists, doc, ResetMode::Ext);
    EXPECT_EQ(Word(OptWord::ExtCh), 40);
    Channels(ResetMode::Ext).Selected = -1;
    ChannelChosen(lists, doc, ResetMode::Ext);
    EXPECT_EQ(Word(OptWord::ExtCh), 0);
}

TEST_F(ResetModeTest, PickingTheShownEModeGroupStoresIt) {
    OnlyValid({1, 3, 6, 13});
    ReShowInit(lists, doc);
    lists.EGroupShown.SelectGroupOrFirst(13);
    ShownEGroupChosen(lists, doc);
    EXPECT_EQ(Word(OptWord::StartGroup), 13);
    EXPECT_EQ(Groups(ResetMode::E).Group(), 13);
    EXPECT_EQ(Channels(ResetMode::E).Entries, std::vector<std::string>{"1"});
    EXPECT_EQ(Word(OptWord::StartCh), 1);
}

TEST_F(ResetModeTest, AGroupThatLosesItsValidFlagIsReplacedOnReshow) {
    OnlyValid({3, 4, 6});
    Word(OptWord::NormalGroup) = 4;
    ReShowInit(lists, doc);
    EXPECT_EQ(Word(OptWord::NormalGroup), 4);
    doc.ResetFlags[4] = 0;
    ReShowInit(lists, doc);
    EXPECT_EQ(Word(OptWord::NormalGroup), 3);
}

TEST_F(ResetModeTest, EmptyGroupListsStoreGroup0) {
    OnlyValid({});
    Word(OptWord::StartGroup) = 5;
    Word(OptWord::NormalGroup) = 5;
    ReShowInit(lists, doc);
    EXPECT_EQ(Word(OptWord::StartGroup), 0);
    EXPECT_EQ(Word(OptWord::NormalGroup), 0);
    EXPECT_TRUE(lists.EGroupShown.List.Entries.empty());
}

TEST_F(ResetModeTest, AGroupNamedLikeTheVfoStillStoresItsOwnNumber) {
    doc.GroupNames[12] = {'V', 'F', 'O', '\0', ' ', ' '};
    OnlyValid({12, 13});
    Word(OptWord::NormalGroup) = 13;
    ReShowInit(lists, doc);
    EXPECT_EQ(Word(OptWord::NormalGroup), 13);
    EXPECT_EQ(Channels(ResetMode::Normal).Entries.size(), 1u);
}

} // namespace
} // namespace velmar
