#include "channels/clipboard.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "channel_fakes.h"
#include "channels/channel_list.h"

namespace velmar {
namespace {

constexpr const char* kFre = "27.00000";

// A group drawn as one character per position: "." for no channel, any
// other character marks the channel by its decode tone, so a test sees where
// every channel went.
void PlaceGroup(Document& document, int group, const std::string& layout) {
    for (int pos = 1; pos <= static_cast<int>(layout.size()); ++pos) {
        if (layout[pos - 1] == '.')
            continue;
        const int chNo = GroupStartNo(group) + pos;
        ASSERT_TRUE(AddCh(document, chNo, kFre));
        document.ChList[FindChIndex(document, chNo)].RxTone = layout[pos - 1];
    }
}

std::string GroupLayout(const Document& document, int group) {
    std::string layout;
    for (int pos = 1; pos <= GroupSize(group); ++pos) {
        const int index = FindChIndex(document, GroupStartNo(group) + pos);
        layout.push_back(index < 0 ? '.' : static_cast<char>(document.ChList[index].RxTone));
    }
    return layout;
}

bool NumbersAreUnique(const Document& document) {
    std::set<int> numbers;
    for (int i = 0; i < UsedChCount(document); ++i)
        if (!numbers.insert(document.ChList[i].ChNo).second)
            return false;
    return true;
}

struct EditFixture {
    Document document;
    ChannelClipboard clipboard;
    EditPreferences prefs{.PasteNoAsk = true, .DeleteNoAsk = true};
    std::vector<ConfirmMode> asked;
    ChEditContext context{document, clipboard, prefs,
                          [this](ConfirmMode mode) { asked.push_back(mode); }};

    ChEditResult Run(ChEditCommand command, int group, int pos) {
        return RunChEditCommand(command, context, group, pos);
    }
};

const std::string kGroup40 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";

TEST(ClipboardTest, CommandsRearrangeOnlyTheirGroup) {
    const struct {
        const char* name;
        ChEditCommand command;
        int group;
        int pos;
        bool deleteRemoves;
        std::string before;
        std::string after;
        ChEditStatus status;
    } cases[] = {
        {"move up from the first position", ChEditCommand::MoveUp, kMemGroup, 1, false, "ABCDEFGH",
         "HBCDEFGA", ChEditStatus::Done},
        {"move down from the last position", ChEditCommand::MoveDown, kMemGroup, 8, false,
         "ABCDEFGH", "HBCDEFGA", ChEditStatus::Done},
        {"move up into a gap", ChEditCommand::MoveUp, kMemGroup, 3, false, "A.C.....", "AC......",
         ChEditStatus::Done},
        {"move down from a gap", ChEditCommand::MoveDown, kMemGroup, 2, false, "A.C.....",
         "AC......", ChEditStatus::Done},
        {"move the VFO", ChEditCommand::MoveUp, kVfoGroup, 1, false, "V", "V", ChEditStatus::Done},
        {"delete only clears", ChEditCommand::Delete, kMemGroup, 3, false, "ABCDEFGH", "AB.DEFGH",
         ChEditStatus::Done},
        {"delete closes the gap", ChEditCommand::Delete, kMemGroup, 3, true, "ABCDEFGH", "ABDEFGH.",
         ChEditStatus::Done},
        {"delete the last position", ChEditCommand::Delete, kMemGroup, 8, true, "ABCDEFGH",
         "ABCDEFG.", ChEditStatus::Done},
        {"insert makes room", ChEditCommand::Insert, kMemGroup, 3, false, "ABCDEFG.", "AB.CDEFG",
         ChEditStatus::Done},
        {"insert with the group full", ChEditCommand::Insert, kMemGroup, 3, false, "ABCDEFGH",
         "ABCDEFGH", ChEditStatus::GroupFull},
        {"insert at the used last position", ChEditCommand::Insert, kMemGroup, 8, false, "A......H",
         "A......H", ChEditStatus::GroupFull},
        {"insert at the free last position", ChEditCommand::Insert, kMemGroup, 8, false, "ABCDEFG.",
         "ABCDEFG.", ChEditStatus::Done},
        {"delete in group 3 renumbers 131 … 160", ChEditCommand::Delete, 3, 10, true, kGroup40,
         "ABCDEFGHIKLMNOPQRSTUVWXYZabcdefghijklmn.", ChEditStatus::Done},
        {"insert in fixed group 2 moves 85 … 119", ChEditCommand::Insert, 2, 5, false,
         kGroup40.substr(0, 39) + ".", "ABCD.EFGHIJKLMNOPQRSTUVWXYZabcdefghijklm",
         ChEditStatus::Done},
        {"move within fixed group 0", ChEditCommand::MoveDown, 0, 40, false, kGroup40,
         "nBCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmA", ChEditStatus::Done},
        {"position beyond the group", ChEditCommand::Delete, kMemGroup, 9, true, "ABCDEFGH",
         "ABCDEFGH", ChEditStatus::Ignored},
        {"position 0", ChEditCommand::MoveUp, kMemGroup, 0, false, "ABCDEFGH", "ABCDEFGH",
         ChEditStatus::Ignored},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditFixture f;
        f.prefs.DeleteRemoves = c.deleteRemoves;
        // neighbours on both sides of the group must keep their numbers
        const int before = GroupStartNo(c.group), after = before + GroupSize(c.group) + 1;
        if (before > 0) {
            ASSERT_TRUE(AddCh(f.document, before, kFre));
        }
        if (after <= kMaxChannels) {
            ASSERT_TRUE(AddCh(f.document, after, kFre));
        }
        PlaceGroup(f.document, c.group, c.before);

        const ChEditResult result = f.Run(c.command, c.group, c.pos);

        EXPECT_EQ(result.Status, c.status);
        EXPECT_EQ(GroupLayout(f.document, c.group), c.after);
        EXPECT_TRUE(NumbersAreUnique(f.document));
        EXPECT_TRUE(before == 0 || FindChIndex(f.document, before) >= 0);
        EXPECT_TRUE(after > kMaxChannels || FindChIndex(f.document, after) >= 0);
    }
}

TEST(ClipboardTest, CutAndPasteCarryTheWholeChannel) {
    EditFixture f;
    PlaceGroup(f.document, 3,
               "........."
               "X");
    ChannelInfo& original = f.document.ChList[FindChIndex(f.document, 130)];
    original.TxTone = 57;
    original.ShiftDir = 2;
    original.Offset = MakeFixStr<7>("0460000");
    const ChannelInfo copied = original;

    f.Run(ChEditCommand::Cut, 3, 10);
    EXPECT_EQ(FindChIndex(f.document, 130), -1);
    EXPECT_TRUE(f.clipboard.ClipboardFull);

    const ChEditResult pasted = f.Run(ChEditCommand::Paste, 4, 7);
    const int index = FindChIndex(f.document, 167);
    ASSERT_GE(index, 0);
    ChannelInfo expected = copied;
    expected.ChNo = 167;
    EXPECT_EQ(f.document.ChList[index], expected);
    EXPECT_EQ(pasted.ShownPositions, std::vector<int>{7});

    // pasted again over an existing channel: replaced, not added
    f.Run(ChEditCommand::Paste, 4, 7);
    EXPECT_EQ(UsedChCount(f.document), 1);
}

TEST(ClipboardTest, PasteOntoAFixedChannelReplacesItsFrequency) {
    EditFixture f;
    ASSERT_TRUE(AddCh(f.document, 35, "26.00000"));
    ASSERT_TRUE(AddCh(f.document, 200, "29.50000"));
    f.Run(ChEditCommand::Copy, 4, 40);
    f.Run(ChEditCommand::Paste, 0, 35);
    EXPECT_EQ(TrimFixStr(f.document.ChList[FindChIndex(f.document, 35)].RxFre), "02950000");
}

TEST(ClipboardTest, PasteOfAnEmptyMarkedChannelClearsTheTarget) {
    EditFixture f;
    PlaceGroup(f.document, kMemGroup, "AB......");
    f.Run(ChEditCommand::Copy, kMemGroup, 1);
    f.clipboard.ChClipboard.ChEmpty = 1;
    f.Run(ChEditCommand::Paste, kMemGroup, 2);
    EXPECT_EQ(GroupLayout(f.document, kMemGroup), "A.......");
}

TEST(ClipboardTest, PasteThatInsertsIsRefusedWhenTheGroupIsFull) {
    EditFixture f;
    f.prefs.PasteInserts = true;
    PlaceGroup(f.document, kMemGroup, "ABCDEFGH");
    f.Run(ChEditCommand::Copy, kMemGroup, 1);
    const ChEditResult result = f.Run(ChEditCommand::Paste, kMemGroup, 3);
    EXPECT_EQ(result.Status, ChEditStatus::GroupFull);
    EXPECT_EQ(GroupLayout(f.document, kMemGroup), "ABCDEFGH");

    f.Run(ChEditCommand::Delete, kMemGroup, 8);
    f.Run(ChEditCommand::Paste, kMemGroup, 3);
    EXPECT_EQ(GroupLayout(f.document, kMemGroup), "ABACDEFG");
}

TEST(ClipboardTest, PasteNeedsAFilledClipboard) {
    EditFixture f;
    PlaceGroup(f.document, kMemGroup, "A.......");
    f.Run(ChEditCommand::Copy, kMemGroup, 2); // an empty row copies nothing
    EXPECT_FALSE(f.clipboard.ClipboardFull);
    EXPECT_EQ(f.Run(ChEditCommand::Paste, kMemGroup, 2).Status, ChEditStatus::Ignored);
    EXPECT_EQ(GroupLayout(f.document, kMemGroup), "A.......");
}

TEST(ClipboardTest, TheConfirmationSetsThePreferenceTheCommandUses) {
    EditFixture f;
    f.prefs = EditPreferences{};
    PlaceGroup(f.document, kMemGroup, "ABC.....");
    // the dialog answers "remove" for delete and "insert" for paste
    f.context.confirm = [&](ConfirmMode mode) {
        f.asked.push_back(mode);
        (mode == ConfirmMode::Delete ? f.prefs.DeleteRemoves : f.prefs.PasteInserts) = true;
    };
    f.Run(ChEditCommand::Delete, kMemGroup, 1);
    EXPECT_EQ(GroupLayout(f.document, kMemGroup), "BC......");
    f.Run(ChEditCommand::Copy, kMemGroup, 2);
    f.Run(ChEditCommand::Paste, kMemGroup, 1);
    EXPECT_EQ(GroupLayout(f.document, kMemGroup), "CBC.....");
    EXPECT_EQ(f.asked, (std::vector{ConfirmMode::Delete, ConfirmMode::Paste}));
}

TEST(ClipboardTest, ADialogClosedWithoutAnswerLeavesTheFlagsInForce) {
    EditFixture f;
    f.prefs = EditPreferences{.DeleteRemoves = true};
    PlaceGroup(f.document, kMemGroup, "ABC.....");
    f.Run(ChEditCommand::Delete, kMemGroup, 1);
    EXPECT_EQ(f.asked, std::vector{ConfirmMode::Delete});
    EXPECT_EQ(GroupLayout(f.document, kMemGroup), "BC......");
}

TEST(ClipboardTest, NoQuestionWhenTheUserSaidNotToAsk) {
    EditFixture f; // PasteNoAsk and DeleteNoAsk on, PasteInserts off
    PlaceGroup(f.document, kMemGroup, "AB......");
    f.Run(ChEditCommand::Copy, kMemGroup, 1);
    f.Run(ChEditCommand::Paste, kMemGroup, 2);
    f.Run(ChEditCommand::Delete, kMemGroup, 1);
    EXPECT_TRUE(f.asked.empty());
    EXPECT_EQ(GroupLayout(f.document, kMemGroup), ".A......");
}

TEST(ClipboardTest, MovesNameTheRowTheCursorGoesTo) {
    EditFixture f;
    PlaceGroup(f.document, kMemGroup, "AB......");
    EXPECT_EQ(f.Run(ChEditCommand::MoveUp, kMemGroup, 1).CurrentRow, 8);
    EXPECT_EQ(f.Run(ChEditCommand::MoveDown, kMemGroup, 8).CurrentRow, 1);
    EXPECT_EQ(f.Run(ChEditCommand::MoveDown, kMemGroup, 1).CurrentRow, 2);
    EXPECT_EQ(f.Run(ChEditCommand::Delete, kMemGroup, 1).CurrentRow, 0);
}

TEST(ClipboardTest, CutAndCopyNeedAChannelWithFrequency) {
    EditFixture f;
    PlaceGroup(f.document, kMemGroup, "AB......");
    f.document.ChList[FindChIndex(f.document, 523)].RxFre = MakeFixStr<8>("FFFFFFFF");

    ChEditCommandStates used = ChEditCommandStatesFor(f.document, f.clipboard, 522);
    EXPECT_TRUE(used.Cut && used.Copy);
    EXPECT_FALSE(used.Paste);
    EXPECT_TRUE(used.Insert && used.Delete && used.MoveUp && used.MoveDown);

    const ChEditCommandStates noFrequency = ChEditCommandStatesFor(f.document, f.clipboard, 523);
    const ChEditCommandStates missing = ChEditCommandStatesFor(f.document, f.clipboard, 524);
    EXPECT_FALSE(noFrequency.Cut || noFrequency.Copy || missing.Cut || missing.Copy);

    f.document.ChList[FindChIndex(f.document, 522)].ChEmpty = 1;
    EXPECT_FALSE(ChIsUsed(f.document, 522));

    f.Run(ChEditCommand::Copy, kMemGroup, 2);
    EXPECT_TRUE(ChEditCommandStatesFor(f.document, f.clipboard, 524).Paste);
}

TEST(ClipboardTest, GroupFullMessageHasAWordingWithoutLanguageText) {
    struct NoTexts : TextLookup {
        std::string GetText(int) const override { return {}; }
    };
    EXPECT_FALSE(GroupFullMessage(NoTexts{}).empty());
    EXPECT_EQ(GroupFullMessage(IdTexts{}), "#28006");
}

} // namespace
} // namespace velmar
