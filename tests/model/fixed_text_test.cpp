#include <gtest/gtest.h>

#include "model/fixed_text.h"

namespace velmar {
namespace {

TEST(FixedText, TrimCutsAtTheFirstNulAndDropsTrailingBlanks) {
    using namespace std::string_view_literals;
    struct Case {
        std::string_view stored, useful;
    };
    for (const Case c : {Case{"KAVRO  "sv, "KAVRO"}, Case{"A123\0   "sv, "A123"},
                         Case{"AB\0CD"sv, "AB"}, Case{"AB \0 x"sv, "AB"}, Case{"\0      "sv, ""},
                         Case{"       "sv, ""}, Case{" lead"sv, " lead"}, Case{""sv, ""}}) {
        EXPECT_EQ(TrimFixStr(c.stored), c.useful);
    }
}

TEST(FixedText, MakePadsWithBlanksAndCutsToTheField) {
    EXPECT_EQ(MakeFixStr<6>("UK"), (FixStr<6>{'U', 'K', ' ', ' ', ' ', ' '}));
    EXPECT_EQ(MakeFixStr<4>("V1025"), (FixStr<4>{'V', '1', '0', '2'}));
    EXPECT_EQ(NulFixStr<3>(), (FixStr<3>{'\0', ' ', ' '}));
    EXPECT_EQ(TrimFixStr(MakeFixStr<6>("UK")), "UK");
}

} // namespace
} // namespace velmar
