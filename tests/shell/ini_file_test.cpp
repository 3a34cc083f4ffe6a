#include "shell/ini_file.h"
#include "shell/temp_folder.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

using velmar::IniDocument;
using namespace std::string_literals;

namespace {

struct GetCase {
    const char* name;
    std::string text;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

class IniGetTest : public testing::TestWithParam<GetCase> {};

TEST_P(IniGetTest, ReadsLikeThePrivateProfileFunctions) {
    const GetCase& c = GetParam();
    EXPECT_EQ(IniDocument::Parse(c.text).Get(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniGetTest,
    testing::Values(GetCase{"Plain", "[language]\ncomPort=3\n", "language", "comPort", "3"},
                    GetCase{"NamesIgnoreCase", "[Msg]\nKey=v\n", "MSG", "KEY", "v"},
                    GetCase{"BlanksAroundEverything", "  [ Main ] \n\t12000  =  Velmar  \t\n",
                            "Main", "12000", "Velmar"},
                    GetCase{"Crlf", "[a]\r\nk=v\r\nl=w\r\n", "a", "l", "w"},
                    GetCase{"NoFinalNewline", "[a]\nk=last", "a", "k", "last"},
                    GetCase{"Utf8Bom", "\xEF\xBB\xBF[a]\nk=v\n", "a", "k", "v"},
                    GetCase{"OldMacLineEnds", "[a]\rk=v\r", "a", "k", "v"},
                    GetCase{"CommentLineIgnored", "[a]\n;k=hidden\nk=shown\n", "a", "k", "shown"},
                    GetCase{"SemicolonInValueKept", "[a]\nk=x ; y\n", "a", "k", "x ; y"},
                    GetCase{"EqualsInValueKept", "[a]\nk=x=y\n", "a", "k", "x=y"},
                    GetCase{"EmptyValue", "[a]\nk=\n", "a", "k", ""},
                    GetCase{"FirstKeyWins", "[a]\nk=1\nk=2\n", "a", "k", "1"},
                    GetCase{"FirstSectionWins", "[a]\nx=1\n[b]\n[a]\nk=2\n", "a", "k",
                            std::nullopt},
                    GetCase{"KeyOfAnotherSection", "[a]\n[b]\nk=v\n", "a", "k", std::nullopt},
                    GetCase{"KeyBeforeAnySection", "k=v\n[a]\n", "a", "k", std::nullopt},
                    GetCase{"MissingSection", "[a]\nk=v\n", "b", "k", std::nullopt},
                    GetCase{"MissingKey", "[a]\nk=v\n", "a", "j", std::nullopt},
                    GetCase{"LineWithoutEquals", "[a]\nk\n", "a", "k", std::nullopt},
                    GetCase{"EmptyText", "", "a", "k", std::nullopt}),
    [](const testing::TestParamInfo<GetCase>& info) { return info.param.name; });

TEST(IniDocument, ListsSectionsAndKeysInFileOrder) {
    const IniDocument doc = IniDocument::Parse("[Soft]\nVersion0=a\n; c\n[Firm]\nFirm1=b\nFirm0=c\n"
                                               "[soft]\nVersion9=d\n");
    EXPECT_EQ(doc.Sections(), (std::vector<std::string>{"Soft", "Firm"}));
    EXPECT_EQ(doc.Keys("FIRM"), (std::vector<std::string>{"Firm1", "Firm0"}));
    EXPECT_EQ(doc.Keys("soft"), (std::vector<std::string>{"Version0"}));
    EXPECT_TRUE(doc.Keys("none").empty());
}

struct SetCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

class IniSetTest : public testing::TestWithParam<SetCase> {};

TEST_P(IniSetTest, ChangesOnlyItsOwnLine) {
    const SetCase& c = GetParam();
    IniDocument doc = IniDocument::Parse(c.before);
    doc.Set(c.section, c.key, c.value);
    EXPECT_EQ(doc.Text(), c.after);
    EXPECT_EQ(doc.Get(c.section, c.key), std::string(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniSetTest,
    testing::Values(
        SetCase{"ReplaceKeepsLayoutAndCrlf",
                "\xEF\xBB\xBF; settings\r\n[language]\r\n  comPort = 1   \r\nIsFirstRun=1\r\n",
                "LANGUAGE", "COMPORT", "7",
                "\xEF\xBB\xBF; settings\r\n[language]\r\n  comPort = 7\r\nIsFirstRun=1\r\n"},
        SetCase{"AddKeyAfterLastKeyOfSection", "[a]\nx=1\n\n; about b\n[b]\ny=2", "a", "k", "v",
                "[a]\nx=1\nk=v\n\n; about b\n[b]\ny=2"},
        SetCase{"AddKeyToLastSectionWithoutFinalNewline", "[a]\r\nx=1", "a", "k", "v",
                "[a]\r\nx=1\r\nk=v\r\n"},
        SetCase{"AddSectionAtEnd", "[a]\nx=1", "language", "comPort", "2",
                "[a]\nx=1\n[language]\ncomPort=2\n"},
        SetCase{"EmptyFile", "", "language", "comPort", "2", "[language]\ncomPort=2\n"},
        SetCase{"FirstOfTwoSameSections", "[a]\nk=1\n[a]\nk=2\n", "a", "k", "3",
                "[a]\nk=3\n[a]\nk=2\n"}),
    [](const testing::TestParamInfo<SetCase>& info) { return info.param.name; });

TEST(IniDocument, SetRefusesWhatALineCannotHold) {
    IniDocument doc = IniDocument::Parse("[a]\nk=v\n");
    EXPECT_THROW(doc.Set("a", "k", "two\nlines"), std::invalid_argument);
    EXPECT_THROW(doc.Set("a", "k=x", "v"), std::invalid_argument);
    EXPECT_THROW(doc.Set("a", ";k", "v"), std::invalid_argument);
    EXPECT_THROW(doc.Set("a", " ", "v"), std::invalid_argument);
    EXPECT_THROW(doc.Set("a]b", "k", "v"), std::invalid_argument);
    EXPECT_EQ(doc.Text(), "[a]\nk=v\n");
}

TEST(IniDocument, OddBytesNeverBreakParsing) {
    std::string text = "[unclosed\n=novalue\n[\x00\xff]\n\x01=\x02\r\r\n[x]\nk\x00=v\n\0\0\0["s;
    for (int i = 0; i < 256; ++i)
        text += static_cast<char>(i);
    const IniDocument doc = IniDocument::Parse(text);
    EXPECT_EQ(doc.Text(), text);
    EXPECT_EQ(doc.Get("unclosed", "k"), std::nullopt);
    doc.Sections();
}

TEST(IniFiles, ReadGivesEmptyForMissingFileSectionOrKey) {
    TempFolder folder;
    const std::string path = folder.Write("setup.ini", "[language]\ncomPort = 4 \n");
    EXPECT_EQ(velmar::ReadIniValue(path, "language", "comPort"), "4");
    EXPECT_EQ(velmar::ReadIniValue(path, "language", "IsFirstRun"), "");
    EXPECT_EQ(velmar::ReadIniValue(path, "other", "comPort"), "");
    EXPECT_EQ(velmar::ReadIniValue(folder.Path("none.ini"), "language", "comPort"), "");
    EXPECT_EQ(velmar::ReadIniValue(folder.Path(), "language", "comPort"), "");
}

TEST(IniFiles, WriteKeepsTheRestOfTheFileByteForByte) {
    TempFolder folder;
    const std::string original = "; Velmar\r\n[language]\r\nIsFirstRun = 0\r\ncomPort=1\r\n"
                                 "CurrentLanguage=2\r\n\r\n[extra]\r\nkeep=\xB5\x00x\r\n"s;
    const std::string path = folder.Write("mysetup.ini", original);
    ASSERT_TRUE(velmar::WriteIniValue(path, "language", "comPort", "12"));
    std::string expected = original;
    expected.replace(expected.find("comPort=1"), 9, "comPort=12");
    EXPECT_EQ(folder.Read("mysetup.ini"), expected);
    EXPECT_FALSE(folder.Exists("mysetup.ini.tmp" + std::to_string(::getpid())));
}

TEST(IniFiles, WriteCreatesFolderFileAndSection) {
    TempFolder folder;
    const std::string path = folder.Path("velmar/language/mysetup.ini");
    ASSERT_TRUE(velmar::WriteIniValue(path, "language", "comPort", "3"));
    ASSERT_TRUE(velmar::WriteIniValue(path, "language", "CurrentLanguage", "2"));
    EXPECT_EQ(folder.Read("velmar/language/mysetup.ini"),
              "[language]\ncomPort=3\nCurrentLanguage=2\n");
}

TEST(IniFiles, RefusedWriteLeavesTheFileAlone) {
    TempFolder folder;
    const std::string path = folder.Write("a.ini", "[a]\nk=v\n");
    EXPECT_FALSE(velmar::WriteIniValue(path, "a", "k", "x\r\ny"));
    EXPECT_FALSE(velmar::WriteIniValue(folder.Path(), "a", "k", "v")); // a folder, not a file
    EXPECT_EQ(folder.Read("a.ini"), "[a]\nk=v\n");
}

} // namespace
