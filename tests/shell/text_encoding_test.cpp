#include "shell/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

TEST(Utf8, ValidityIsStrict) {
    const std::pair<std::string, bool> cases[] = {{"", true},
                                                  {"plain ascii", true},
                                                  {"\xE4\xB8\xAD\xE6\x96\x87", true}, // 中文
                                                  {"\xF0\x9F\x93\xBB", true},         // U+1F4FB
                                                  {"\x00 nul"s, true},
                                                  {"Caf\xE9", false},          // Windows-1252
                                                  {"\xD6\xD0\xCE\xC4", false}, // GBK
                                                  {"\xC0\xAF", false},         // overlong '/'
                                                  {"\xED\xA0\x80", false},     // surrogate
                                                  {"\xF4\x90\x80\x80", false}, // above U+10FFFF
                                                  {"\xE4\xB8", false},         // cut off
                                                  {"\x80", false}};
    for (const auto& [text, valid] : cases)
        EXPECT_EQ(velmar::IsValidUtf8(text), valid) << testing::PrintToString(text);
}

TEST(Windows1252, MapsTheWholeUpperHalf) {
    EXPECT_EQ(velmar::Windows1252ToUtf8("a\x80\x81\x9F\xA0\xE9\xFF"),
              "a\xE2\x82\xAC\xC2\x81\xC5\xB8\xC2\xA0\xC3\xA9\xC3\xBF");
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    EXPECT_TRUE(velmar::IsValidUtf8(velmar::Windows1252ToUtf8(all)));
}

TEST(Gbk, ConvertsAndReplacesBrokenSequences) {
    EXPECT_EQ(velmar::GbkToUtf8("ab\xD6\xD0\xCE\xC4"), "ab\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(velmar::GbkToUtf8("x\xD6"), "x\xEF\xBF\xBD"); // a lead byte at the end
    EXPECT_EQ(velmar::GbkToUtf8("\xFF"
                                "a"),
              "\xEF\xBF\xBD"
              "a");
}

TEST(Utf8, CutCountsCharactersNotBytes) {
    const std::string text = "a\xE4\xB8\xAD"
                             "b\xF0\x9F\x93\xBB";
    EXPECT_EQ(velmar::CutUtf8(text, 0), "");
    EXPECT_EQ(velmar::CutUtf8(text, 2), "a\xE4\xB8\xAD");
    EXPECT_EQ(velmar::CutUtf8(text, 4), text);
    EXPECT_EQ(velmar::CutUtf8(text, 99), text);
}

} // namespace
