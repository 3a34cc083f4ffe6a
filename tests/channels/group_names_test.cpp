#include "channels/group_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "model/fixed_text.h"

namespace velmar {
namespace {

DocRecord WithNames(const std::vector<std::string>& names) {
    DocRecord doc;
    for (int group = 0; group < 13; ++group)
        doc.GroupNames[group] =
            MakeFixStr<6>(group < static_cast<int>(names.size()) ? names[group] : "");
    return doc;
}

TEST(GroupNamesTest, CollidingNamesTakeTheNextFreeCandidate) {
    const struct {
        const char* name;
        std::vector<std::string> names;
        int group;
        std::string wanted;
        std::string result;
    } cases[] = {
        {"free name", {"E", "UK"}, 2, "PL", "PL"},
        {"own name", {"E", "UK"}, 1, "UK", "UK"},
        {"next letter", {"", "ABC", "X"}, 2, "ABC", "ABD"},
        {"after Z comes A", {"", "ABZ", "X"}, 2, "ABZ", "ABA"},
        {"one letter gets an A in front", {"E", "X", "Y"}, 2, "E", "AE"},
        {"empty becomes A, then AA", {"A", "", "Q"}, 2, "", "AA"},
        {"chain of collisions",
         {"AA", "AB", "AC", "AD", "AE", "AF", "AG", "AH", "AI", "AJ", "AK", "AL", "Z"},
         12,
         "AA",
         "AM"},
        {"lower case walks past Z to A", {"Ab", "AA"}, 2, "Ab", "AB"},
        {"trailing blanks are not part of the name", {"AB    ", "C"}, 2, "AB  ", "AC"},
    };
    for (const auto& c : cases) {
        const DocRecord doc = WithNames(c.names);
        EXPECT_EQ(GroupUniqueName(doc, c.wanted, c.group), c.result) << c.name;
    }
}

TEST(GroupNamesTest, AFewAttemptsStillGiveAUniqueName) {
    const DocRecord doc = WithNames({"AB", "AC", "AD", "AE", "AF", "AA", "AH", "AI"});
    for (int attempts : {0, 1, 2, 5}) {
        const std::string name = GroupUniqueName(doc, "AB", 12, attempts);
        std::set<std::string> others;
        for (int group = 0; group < 12; ++group)
            others.insert(TrimFixStr(doc.GroupNames[group]));
        EXPECT_EQ(others.count(name), 0u) << attempts << " attempts gave " << name;
        EXPECT_EQ(name.size(), 2u);
    }
    EXPECT_EQ(GroupUniqueName(doc, "", 12, 0), "A");
}

TEST(GroupNamesTest, FillGroupListMakesEmptyNamesUnique) {
    DocRecord doc = WithNames({});
    ComboList combo;
    FillGroupList(combo, doc);
    const std::vector<std::string> expected = {"A",  "AA", "AB", "AC", "AD", "AE",  "AF", "AG",
                                               "AH", "AI", "AJ", "AK", "",   "VFO", "MEM"};
    EXPECT_EQ(combo.Entries, expected);
    for (int group = 0; group < 13; ++group)
        EXPECT_EQ(TrimFixStr(doc.GroupNames[group]), expected[group]);
}

TEST(GroupNamesTest, FillGroupListKeepsTheBytesOfUniqueNames) {
    DocRecord doc = WithNames({"E", "UK", "PL", "EC", "PL"});
    doc.GroupNames[0] = MakeFixStr<6>("E     ");
    const auto unchanged = doc.GroupNames[0];
    ComboList combo;
    FillGroupList(combo, doc);
    EXPECT_EQ(doc.GroupNames[0], unchanged);
    EXPECT_EQ(combo.Entries[2], "PM"); // the lower group gives way
    EXPECT_EQ(combo.Entries[4], "PL");
}

TEST(GroupNamesTest, StoredNamesEndInANulWhenShorterThanTheField) {
    DocRecord doc;
    StoreGroupName(doc, 3, "EC");
    EXPECT_EQ(std::string(doc.GroupNames[3].data(), 6), std::string("EC\0   ", 6));
    StoreGroupName(doc, 4, "ABCDEF");
    EXPECT_EQ(std::string(doc.GroupNames[4].data(), 6), "ABCDEF");
    StoreGroupName(doc, 13, "VFO"); // no stored name for VFO and MEM
    EXPECT_EQ(doc, [] {
        DocRecord expected;
        StoreGroupName(expected, 3, "EC");
        StoreGroupName(expected, 4, "ABCDEF");
        return expected;
    }());
}

TEST(GroupNamesTest, TypingANameStoresItUniqueAndShowsTheResult) {
    DocRecord doc = WithNames({"", "ABC"});
    EXPECT_EQ(SetGroupName(doc, 2, "ABC"), "ABD");
    EXPECT_EQ(TrimFixStr(doc.GroupNames[2]), "ABD");
    EXPECT_EQ(SetGroupName(doc, 2, "LONGNAME"), "LONGNA");
    EXPECT_EQ(SetGroupName(doc, 13, "X"), "");
}

TEST(GroupNamesTest, ValidFlags) {
    const struct {
        const char* name;
        std::vector<int> validGroups;
        int startGroup;
        int group;
        bool ticked;
        bool shown;
        std::vector<int> validAfter;
        int startGroupAfter;
    } cases[] = {
        {"tick", {4}, 4, 7, true, true, {4, 7}, 4},
        {"untick", {4, 7}, 4, 7, false, false, {4}, 4},
        {"the last valid group stays valid", {4}, 4, 4, false, true, {4}, 4},
        {"the VFO group stays valid", {4, 13}, 4, 13, false, true, {4, 13}, 4},
        {"the start group moves to the lowest valid", {2, 5, 9}, 5, 5, false, false, {2, 9}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DocRecord doc;
        for (int group : c.validGroups)
            doc.ResetFlags[group] = 1;
        doc.OptFeatures.Word(OptWord::StartGroup) = static_cast<std::int16_t>(c.startGroup);
        EXPECT_EQ(SetGroupValid(doc, c.group, c.ticked), c.shown);
        std::vector<int> validAfter;
        for (int group = 0; group < 14; ++group)
            if (doc.ResetFlags[group] != 0)
                validAfter.push_back(group);
        EXPECT_EQ(validAfter, c.validAfter);
        EXPECT_EQ(doc.OptFeatures.Word(OptWord::StartGroup), c.startGroupAfter);
    }
}

TEST(GroupNamesTest, NameKeys) {
    const struct {
        char key;
        std::optional<char> result;
    } cases[] = {{'a', 'A'},
                 {'z', 'Z'},
                 {'Q', 'Q'},
                 {'1', std::nullopt},
                 {' ', std::nullopt},
                 {'\\', std::nullopt},
                 {'~', std::nullopt},
                 {'-', std::nullopt},
                 {3, std::nullopt},
                 {22, std::nullopt},
                 {24, std::nullopt},
                 {8, char(8)},
                 {127, char(127)},
                 {char(0xC4), std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(GroupNameKey(c.key), c.result) << int(c.key);
}

} // namespace
} // namespace velmar
