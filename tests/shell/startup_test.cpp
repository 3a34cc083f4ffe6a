#include "shell/file_locations.h"
#include "shell/ini_file.h"
#include "shell/startup.h"
#include "shell/system_locale.h"
#include "shell/temp_folder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

using namespace std::string_literals;
using namespace velmar;

namespace {

constexpr const char* ValidVersionIni =
    "[Version]\nCurrentVersion=V102\nSoftVersionCount=1\nFirmVersionCount=1\n[Firm]\n"
    "Firm0=V102V102\n";

TEST(Locale, PosixNamesMapToWindowsIds) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"zh_CN.UTF-8", 0x0804}, {"zh_CN", 0x0804},
        {"zh-cn", 0x0804},       {"zh_CN.GB18030@x", 0x0804},
        {"zh_TW.UTF-8", 0x0404}, {"zh_HK.UTF-8", 0x0C04},
        {"en_US.UTF-8", 0x0409}, {"de_DE@euro", 0x0407},
        {"en_GB", 0x0809},       {"C", 0x0409},
        {"C.UTF-8", 0x0409},     {"", 0x0409},
        {"xx_YY", 0x0409}};
    for (const auto& [name, id] : cases)
        EXPECT_EQ(LocaleIdFromPosixName(name), id) << name;
}

TEST(InitDefaults, OnlyMainlandChineseLocaleStartsInChinese) {
    const std::tuple<std::uint32_t, std::int16_t, const char*> cases[] = {
        {0x0804, 2, "chinese.ini"},
        {0x0404, 1, "english.ini"},
        {0x0C04, 1, "english.ini"},
        {0x0409, 1, "english.ini"},
        {0x0407, 1, "english.ini"}};
    for (const auto& [locale, language, file] : cases) {
        ShellSettings settings;
        settings.CurrentLanguage = 7;
        InitDefaults(settings, locale);
        EXPECT_EQ(settings.CurrentLanguage, language) << locale;
        EXPECT_EQ(settings.PreviousLanguage, language) << locale;
        EXPECT_EQ(settings.LanguageFile, file) << locale;
    }
}

// mysetup.ini values and the settings they give, starting from an English
// locale with comPort 1.
struct SetupCase {
    const char* name;
    const char* text;
    bool firstRun;
    std::int16_t port;
    std::int16_t language;
    const char* languageFile;
};

class SetupReadingTest : public testing::TestWithParam<SetupCase> {};

TEST_P(SetupReadingTest, MissingOrUnconvertibleValuesKeepTheDefaults) {
    const SetupCase& c = GetParam();
    TempFolder folder;
    const std::string path = folder.Write("mysetup.ini", c.text);
    ShellSettings settings;
    InitDefaults(settings, LocaleUsEnglish);
    ReadFirstRunSetting(settings, path);
    ReadPortSetting(settings, path);
    ReadLanguageSetting(settings, path);
    EXPECT_EQ(settings.IsFirstRun, c.firstRun);
    EXPECT_EQ(settings.comPort, c.port);
    EXPECT_EQ(settings.CurrentLanguage, c.language);
    EXPECT_EQ(settings.LanguageFile, c.languageFile);
    EXPECT_EQ(settings.PreviousLanguage, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetupReadingTest,
    testing::Values(
        SetupCase{"AllSet", "[language]\nIsFirstRun=1\ncomPort=5\nCurrentLanguage=2\n", true, 5, 2,
                  "chinese.ini"},
        SetupCase{"TruthWords", "[language]\nIsFirstRun= true \n", true, 1, 1, "english.ini"},
        SetupCase{"FalseWord", "[language]\nIsFirstRun=False\n", false, 1, 1, "english.ini"},
        SetupCase{"MinusOneIsTrue", "[language]\nIsFirstRun=-1\n", true, 1, 1, "english.ini"},
        SetupCase{"Empty", "", false, 1, 1, "english.ini"},
        SetupCase{"Letters", "[language]\nIsFirstRun=yes\ncomPort=COM3\nCurrentLanguage=en\n",
                  false, 1, 1, "english.ini"},
        SetupCase{"OutOf16Bits", "[language]\ncomPort=70000\n", false, 1, 1, "english.ini"},
        SetupCase{"LanguageThreeKeepsTheFile", "[language]\nCurrentLanguage=3\n", false, 1, 3,
                  "english.ini"}),
    [](const testing::TestParamInfo<SetupCase>& info) { return info.param.name; });

TEST(MainVersionMarker, ExactTextUpToNulAndTrailingBlanks) {
    const std::pair<std::string, bool> cases[] = {
        {"KAVRO_0595_Main", true},
        {"KAVRO_0595_Main    ", true},
        {"KAVRO_0595_Main\0\0garbage"s, true},
        {"KAVRO_0595_Main" + std::string(113, ' ') + "tail", true}, // only 128 bytes count
        {"kavro_0595_main", false},
        {" KAVRO_0595_Main", false},
        {"KAVRO_0595_Main\r\n", false},
        {"", false}};
    for (const auto& [content, marked] : cases) {
        TempFolder folder;
        EXPECT_EQ(ReadMainVersionMarker(folder.Write("VerMain.ini", content)), marked)
            << testing::PrintToString(content);
    }
    TempFolder folder;
    EXPECT_FALSE(ReadMainVersionMarker(folder.Path("VerMain.ini")));
}

TEST(SettingRecord, RoundTripsAndFallsBackToZeros) {
    TempFolder folder;
    const std::string path = folder.Path("bin/Setting.ini");
    EXPECT_EQ(ReadSettingRecord(path), (std::array<std::uint8_t, 4>{}));
    const std::array<std::uint8_t, 4> bytes{0x00, 0xFF, 0x0A, 0x81};
    ASSERT_TRUE(WriteSettingRecord(path, bytes));
    EXPECT_EQ(folder.Read("bin/Setting.ini"), "\x00\xFF\x0A\x81"s);
    EXPECT_EQ(ReadSettingRecord(path), bytes);
    folder.Write("bin/Setting.ini", "\x01\x02\x03");
    EXPECT_EQ(ReadSettingRecord(path), (std::array<std::uint8_t, 4>{}));
}

TEST(EditPrefs, LoadsFlagsAndAlwaysShowsTheTxOffset) {
    struct Case {
        const char* name;
        std::optional<std::string> file;
        EditPreferences expected;
    };
    const Case cases[] = {
        {"AllOn", std::string(10, '\xFF'), {true, true, true, true, true}},
        {"AllOff", std::string(10, '\0'), {false, false, false, false, true}},
        {"Mixed", "\xFF\xFF\0\0\0\0\xFF\xFF\0\0"s, {true, false, false, true, true}},
        {"OddNonZero", "\x01\0\0\0\0\0\0\0\0\0"s, {true, false, false, false, true}},
        {"Longer", std::string(12, '\xFF'), {true, true, true, true, true}},
        {"Short", std::string(9, '\xFF'), {false, false, false, false, true}},
        {"Missing", std::nullopt, {false, false, false, false, true}}};
    for (const Case& c : cases) {
        TempFolder folder;
        if (c.file)
            folder.Write("Habit.ini", *c.file);
        const EditPreferences prefs = LoadEditPrefs(folder.Path("Habit.ini"));
        EXPECT_EQ(EncodeHabitRecord(prefs), EncodeHabitRecord(c.expected)) << c.name;
    }
}

TEST(EditPrefs, SavedRecordReadsBack) {
    TempFolder folder;
    const EditPreferences prefs{true, false, true, false, true};
    ASSERT_TRUE(SaveEditPrefs(folder.Path("Habit.ini"), prefs));
    EXPECT_EQ(folder.Read("Habit.ini"), "\xFF\xFF\0\0\xFF\xFF\0\0\xFF\xFF"s);
    EXPECT_FALSE(SaveEditPrefs(folder.Path(), prefs)); // a folder cannot be replaced
}

// The whole sequence on a build-tree layout in a temporary folder.
class RunStartupTest : public testing::Test {
protected:
    RunStartupTest() {
        folder.Write("Version.ini", ValidVersionIni);
        folder.Write("bin/language/english.ini", "[Main]\n12000=Velmar\n");
        locations = LocateFiles(folder.Path("bin"), folder.Path("config"));
    }
    StartupResult Run(std::uint32_t locale = LocaleUsEnglish) {
        return RunStartup(settings, versions, locations, locale, hooks);
    }
    std::string Setup(const char* key) const {
        return ReadIniValue(folder.Path("language/mysetup.ini"), "language", key);
    }

    TempFolder folder;
    FileLocations locations;
    ShellSettings settings;
    VersionTable versions;
    StartupHooks hooks;
};

TEST_F(RunStartupTest, UnusableVersionTableStopsBeforeAnythingElse) {
    std::filesystem::remove(folder.Path("Version.ini"));
    const StartupResult result = Run();
    EXPECT_EQ(result.Outcome, StartupOutcome::VersionTableUnusable);
    EXPECT_NE(result.Error.find("Version.ini"), std::string::npos);
    EXPECT_FALSE(folder.Exists("language/mysetup.ini"));
}

TEST_F(RunStartupTest, ReadsAndWritesBackPortAndLanguage) {
    folder.Write("language/mysetup.ini", "[language]\r\nIsFirstRun=0\r\ncomPort=4\r\n"
                                         "CurrentLanguage=3\r\n");
    folder.Write("bin/VerMain.ini", "KAVRO_0595_Main");
    folder.Write("bin/Setting.ini", "\x01\x02\x03\x04");
    folder.Write("bin/Habit.ini", std::string(10, '\xFF'));
    bool documentMade = false;
    hooks.InitNewDocument = [&] { documentMade = true; };

    ASSERT_EQ(Run(LocaleChinaChinese).Outcome, StartupOutcome::ShowMainWindow);
    EXPECT_TRUE(versions.IsCompatible("V102", "V102"));
    EXPECT_EQ(settings.comPort, 4);
    EXPECT_EQ(settings.CurrentLanguage, 3);
    EXPECT_EQ(settings.PreviousLanguage, 2);
    EXPECT_EQ(settings.LanguageFile, "chinese.ini"); // texts from the locale's file
    EXPECT_TRUE(settings.IsMainVersion);
    EXPECT_EQ(settings.SettingBytes, (std::array<std::uint8_t, 4>{1, 2, 3, 4}));
    EXPECT_TRUE(settings.EditPrefs.PasteInserts);
    EXPECT_TRUE(documentMade);
    EXPECT_EQ(folder.Read("language/mysetup.ini"),
              "[language]\r\nIsFirstRun=0\r\ncomPort=4\r\nCurrentLanguage=3\r\n");
}

TEST_F(RunStartupTest, MissingSetupFileIsWrittenWithTheDefaults) {
    ASSERT_EQ(Run().Outcome, StartupOutcome::ShowMainWindow);
    EXPECT_FALSE(settings.IsMainVersion);
    EXPECT_EQ(Setup("comPort"), "1");
    EXPECT_EQ(Setup("CurrentLanguage"), "1");
    EXPECT_TRUE(settings.EditPrefs.ShowTxOffset);
}

TEST_F(RunStartupTest, FirstRunWithoutARadioEndsAndAsksAgainNextTime) {
    folder.Write("language/mysetup.ini", "[language]\nIsFirstRun=1\ncomPort=2\n");
    int dialogs = 0;
    hooks.RunFirstRunLink = [&](ShellSettings&) { return ++dialogs, false; };
    bool documentMade = false;
    hooks.InitNewDocument = [&] { documentMade = true; };

    EXPECT_EQ(Run().Outcome, StartupOutcome::FirstRunNotLinked);
    EXPECT_EQ(Run().Outcome, StartupOutcome::FirstRunNotLinked);
    EXPECT_EQ(dialogs, 2);
    EXPECT_FALSE(documentMade);
    EXPECT_EQ(folder.Read("language/mysetup.ini"), "[language]\nIsFirstRun=1\ncomPort=2\n");
}

TEST_F(RunStartupTest, FirstRunThatFindsTheRadioKeepsItsPortAndTheLocaleLanguage) {
    folder.Write("language/mysetup.ini",
                 "[language]\nIsFirstRun=1\ncomPort=2\nCurrentLanguage=1\n");
    hooks.RunFirstRunLink = [](ShellSettings& s) {
        EXPECT_EQ(s.comPort, 2);
        s.comPort = 6;
        return true;
    };
    ASSERT_EQ(Run(LocaleChinaChinese).Outcome, StartupOutcome::ShowMainWindow);
    EXPECT_FALSE(settings.IsFirstRun);
    EXPECT_EQ(settings.CurrentLanguage, 2); // the first run does not read CurrentLanguage
    EXPECT_EQ(folder.Read("language/mysetup.ini"),
              "[language]\nIsFirstRun=0\ncomPort=6\nCurrentLanguage=2\n");
}

TEST_F(RunStartupTest, NumbersUseThePointWhileTheProgramRuns) {
    std::setlocale(LC_NUMERIC, "C.UTF-8");
    ASSERT_EQ(Run().Outcome, StartupOutcome::ShowMainWindow);
    EXPECT_EQ(settings.SavedDecimalSeparator, '.');
    char text[16];
    std::snprintf(text, sizeof text, "%.3f", 25.615);
    EXPECT_STREQ(text, "25.615");
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
}

} // namespace
