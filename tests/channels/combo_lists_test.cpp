#include "channels/combo_lists.h"

#include <gtest/gtest.h>

#include "channel_fakes.h"

namespace velmar {
namespace {

ComboList Levels() {
    return ComboList{{"Low", "Mid", "High"}, -1};
}

TEST(ComboListsTest, SelectingByIndexFallsBackToTheFirstEntry) {
    const struct {
        int index;
        int selected;
    } cases[] = {{0, 0}, {2, 2}, {3, 0}, {-1, 0}};
    for (const auto& c : cases) {
        ComboList combo = Levels();
        SelectComboIndex(combo, c.index);
        EXPECT_EQ(combo.Selected, c.selected) << c.index;
    }
    ComboList empty;
    SelectComboIndex(empty, 1);
    EXPECT_EQ(empty.Selected, -1);
}

TEST(ComboListsTest, SelectingByTextFallsBackToTheFirstEntry) {
    ComboList combo = Levels();
    SelectComboText(combo, "High");
    EXPECT_EQ(combo.Selected, 2);
    SelectComboText(combo, "Turbo");
    EXPECT_EQ(combo.Selected, 0);
    EXPECT_EQ(FindComboText(ComboList{}, "Low"), "");
}

TEST(ComboListsTest, IndexOfText) {
    EXPECT_EQ(ComboIndexOfText(Levels(), "Mid", 7), 1);
    EXPECT_EQ(ComboIndexOfText(Levels(), "Turbo", 7), 0);
    EXPECT_EQ(ComboIndexOfText(Levels(), "", 7), 7);
    EXPECT_EQ(ComboIndexOfText(ComboList{}, "Mid", 7), 7);
}

TEST(ComboListsTest, NumbersFromTexts) {
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {{"12", 12}, {" 2.5 ", 2}, {"3.5", 4},  {"-7", -7},
                 {"", -1},   {"x", -1},    {"1e3", -1}, {"99999999999", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(ValLngOr(c.text, -1), c.value) << c.text;

    ComboList combo{{"10", "40000", "abc"}, 0};
    std::int16_t out = 0;
    GetComboNumber(combo, out, -1);
    EXPECT_EQ(out, 10);
    combo.Selected = 1; // beyond 16 bits
    GetComboNumber(combo, out, -1);
    EXPECT_EQ(out, -1);
    combo.Selected = 2;
    GetComboNumber(combo, out, -2);
    EXPECT_EQ(out, -2);
}

TEST(ComboListsTest, CommonLists) {
    ComboList groups{{"a", "b"}, 1};
    FillGroupNumbers(groups);
    ASSERT_EQ(groups.Entries.size(), 15u);
    EXPECT_EQ(groups.Entries.front(), "0");
    EXPECT_EQ(groups.Entries.back(), "14");

    DtmfSettingsRecord dtmf;
    dtmf.MemCodes[1].Length = 3;
    dtmf.MemCodes[15].Length = 1;
    ComboList memCodes = Levels();
    FillMemCodeList(memCodes, dtmf, IdTexts());
    EXPECT_EQ(memCodes.Entries, (std::vector<std::string>{"#14013", "2", "16"}));

    AddComboTextOnce(memCodes, "2");
    AddComboTextOnce(memCodes, "5");
    EXPECT_EQ(memCodes.Entries.size(), 4u);
}

TEST(ComboListsTest, SmallHelpers) {
    EXPECT_EQ(CheckBoxValue(1), 1);
    EXPECT_EQ(CheckBoxValue(2), 0);
    EXPECT_EQ(CheckBoxValue(-1), 0);
    EXPECT_EQ(FileNameOfPath("C:\\radio\\new.dat"), "new.dat");
    EXPECT_EQ(FileNameOfPath("/home/me/radio.dat"), "radio.dat");
    EXPECT_EQ(FileNameOfPath("radio.dat"), "radio.dat");
}

} // namespace
} // namespace velmar
