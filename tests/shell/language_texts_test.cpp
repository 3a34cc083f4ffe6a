#include "shell/language_texts.h"
#include "shell/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

using velmar::LanguageTexts;
using velmar::ShellSettings;
using velmar::TextSection;

namespace {

TEST(TextSection, IdRangesMeetAtTheirBoundaries) {
    const std::pair<int, const char*> cases[] = {
        {-5, "OTHER"},     {0, "OTHER"},          {8999, "OTHER"},      {9000, "Msg"},
        {9999, "Msg"},     {10000, "Menu"},       {12000, "Main"},      {22002, "Port"},
        {28999, "CHEdit"}, {29000, "TONETIPS"},   {31000, "ResetMode"}, {31999, "ResetMode"},
        {32000, "Others"}, {2147483647, "Others"}};
    for (const auto& [id, section] : cases)
        EXPECT_EQ(TextSection(id), section) << id;
}

class LanguageTextsTest : public testing::Test {
protected:
    void WriteLanguage(const std::string& file, const std::string& bytes) {
        folder.Write("language/" + file, bytes);
    }
    TempFolder folder;
    ShellSettings settings;
    LanguageTexts texts{folder.Path("language"), settings};
};

TEST_F(LanguageTextsTest, ReadsTrimmedTextsFromTheSectionOfTheirId) {
    WriteLanguage("english.ini", "[OTHER]\r\n8999=  other  \r\n[msg]\r\n9000=\tMessage\t\r\n"
                                 "[ResetMode]\r\n31999=Reset\r\n[Others]\r\n32000=Last\r\n");
    EXPECT_EQ(texts.GetText(8999), "other");
    EXPECT_EQ(texts.GetText(9000), "Message");
    EXPECT_EQ(texts.GetText(31999), "Reset");
    EXPECT_EQ(texts.GetText(32000), "Last");
}

TEST_F(LanguageTextsTest, MissingFileSectionOrKeyGivesEmptyText) {
    EXPECT_EQ(texts.GetText(12000), "");
    WriteLanguage("english.ini", "[Main]\n12000=Velmar\n12001=\n");
    EXPECT_EQ(texts.GetText(12001), "");
    EXPECT_EQ(texts.GetText(12002), "");
    EXPECT_EQ(texts.GetText(9000), "");
    EXPECT_EQ(texts.GetText(12000), "Velmar"); // the file appeared after the first look
}

TEST_F(LanguageTextsTest, CutsLongTextsAt254CharactersWithoutSplittingOne) {
    const std::string ascii(300, 'a');
    std::string chinese;
    for (int i = 0; i < 300; ++i)
        chinese += "\xE4\xB8\xAD"; // U+4E2D
    WriteLanguage("english.ini", "[Main]\n12000=" + ascii + "\n12001=" + chinese +
                                     "\n12002=" + std::string(253, 'b') + "  c\n");
    EXPECT_EQ(texts.GetText(12000), std::string(254, 'a'));
    EXPECT_EQ(texts.GetText(12001), chinese.substr(0, 254 * 3));
    EXPECT_EQ(texts.GetText(12002), std::string(253, 'b')); // no blank left at the cut
}

TEST_F(LanguageTextsTest, FollowsChangesOnDiskAndTheCurrentFile) {
    WriteLanguage("english.ini", "[Main]\n12000=Velmar\n");
    WriteLanguage("chinese.ini", "[Main]\n12000=\xE7\x9B\x8A\n");
    EXPECT_EQ(texts.GetText(12000), "Velmar");

    WriteLanguage("english.ini", "[Main]\n12000=Velmar 2\n");
    EXPECT_EQ(texts.GetText(12000), "Velmar 2");

    settings.LanguageFile = "chinese.ini";
    EXPECT_EQ(texts.GetText(12000), "\xE7\x9B\x8A");

    std::filesystem::remove(folder.Path("language/chinese.ini"));
    EXPECT_EQ(texts.GetText(12000), "");
}

TEST_F(LanguageTextsTest, OlderFilesInTheirLanguagesCodePageComeOutAsUtf8) {
    WriteLanguage("english.ini", "[Main]\n12000=Caf\xE9 \x80\n");     // Windows-1252
    WriteLanguage("chinese.ini", "[Main]\n12000=\xD6\xD0\xCE\xC4\n"); // GBK
    EXPECT_EQ(texts.GetText(12000), "Caf\xC3\xA9 \xE2\x82\xAC");
    settings.LanguageFile = "chinese.ini";
    EXPECT_EQ(texts.GetText(12000), "\xE4\xB8\xAD\xE6\x96\x87");
}

} // namespace
