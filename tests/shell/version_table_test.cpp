#include "shell/temp_folder.h"
#include "shell/version_table.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace std::string_literals;
using velmar::LoadVersionTable;
using velmar::VersionTable;

namespace {

// Texts "T<id>" for every id, so a composed message shows where each part came from.
class IdTexts : public velmar::TextLookup {
public:
    std::string GetText(int id) const override { return "T" + std::to_string(id); }
};

TEST(VersionTag, RecognisesFourCharacterTags) {
    const std::pair<std::string, bool> cases[] = {
        {"V102", true},  {"V102   ", true}, {"V102\0xyz"s, true}, {"V000", true}, {"V+12", true},
        {"V1.2", true},  {"V 12", true},    {" V102", false},     {"V10", false}, {"X102", false},
        {"V1A2", false}, {"v102", false},   {"V10 2", false},     {"", false},    {"V...", false}};
    for (const auto& [text, tag] : cases)
        EXPECT_EQ(velmar::IsVersionTag(text), tag) << testing::PrintToString(text);
}

TEST(VersionTag, ShowsWithAPoint) {
    EXPECT_EQ(velmar::ShowVersionTag("V102"), "V1.02");
    EXPECT_EQ(velmar::ShowVersionTag("V210"), "V2.10");
    EXPECT_EQ(velmar::ShowVersionTag("V099 \0"s), "V0.99");
    EXPECT_EQ(velmar::ShowVersionTag("V1"), "V1");
}

TEST(VersionTable, PairAcceptsExactlyItsOtherTag) {
    const VersionTable table(std::vector<velmar::CompatPair>{{"V102", "V101"}});
    EXPECT_TRUE(table.IsCompatible("V102", "V101"));
    EXPECT_FALSE(table.IsCompatible("V102", "V102"));
    EXPECT_FALSE(table.IsCompatible("V101", "V101"));
    EXPECT_FALSE(table.IsCompatible("V102", "v101"));
    EXPECT_FALSE(VersionTable().IsCompatible("V102", "V102"));
}

TEST(VersionTable, ComposesTheMessageForFileAndFirmware) {
    const VersionTable table;
    const IdTexts texts;
    EXPECT_EQ(table.CompatMessage("V102", "V099", VersionTable::DataFileKind, texts),
              "T9062\r\nT9064 V0.99\r\nT9061 V1.02");
    EXPECT_EQ(table.CompatMessage("V102", "V210", VersionTable::FirmwareKind, texts),
              "T9062\r\nT9060 V2.10\r\nT9061 V1.02");
}

class LoadVersionTableTest : public testing::Test {
protected:
    velmar::VersionTableLoad Load(const std::string& text) {
        return LoadVersionTable(folder.Write("Version.ini", text));
    }
    TempFolder folder;
};

TEST_F(LoadVersionTableTest, ReadsThePairsInIndexOrder) {
    const auto loaded = Load("[Version]\r\nCurrentVersion = V102\r\nSoftVersionCount=1\r\n"
                             "FirmVersionCount=3\r\n[Soft]\r\nVersion0=V102\r\n[Firm]\r\n"
                             "Firm2=V102V100\r\nFirm0= V102V102 \r\nfirm1=V102V101\r\n"
                             "Firm3=V102V099\r\nFirm01=V102V098\r\n");
    ASSERT_TRUE(loaded.Table) << loaded.Error;
    const VersionTable& table = *loaded.Table;
    EXPECT_EQ(table.CurrentVersion, "V102");
    EXPECT_EQ(table.SoftVersions, std::vector<std::string>{"V102"});
    ASSERT_EQ(table.CompatPairs.size(), 3u);
    EXPECT_EQ(table.CompatPairs[0].OtherTag, "V102");
    EXPECT_EQ(table.CompatPairs[1].OtherTag, "V101");
    EXPECT_EQ(table.CompatPairs[2].OtherTag, "V100");
    EXPECT_FALSE(table.IsCompatible("V102", "V099")); // beyond the count
    EXPECT_FALSE(table.IsCompatible("V102", "V098")); // not a key of the form Firm<n>
}

TEST_F(LoadVersionTableTest, ZeroOrHugeCountsAndEmptyValues) {
    auto loaded = Load("[Version]\nCurrentVersion=V102\nSoftVersionCount=0\nFirmVersionCount=0\n"
                       "[Firm]\nFirm0=V102V102\n");
    ASSERT_TRUE(loaded.Table);
    EXPECT_TRUE(loaded.Table->CompatPairs.empty());

    loaded = Load("[Version]\nCurrentVersion=V102\nSoftVersionCount=0\n"
                  "FirmVersionCount=2000000000\n[Firm]\nFirm0=\nFirm1=V102V102\n");
    ASSERT_TRUE(loaded.Table);
    EXPECT_FALSE(loaded.Table->IsCompatible("", ""));
    EXPECT_TRUE(loaded.Table->IsCompatible("V102", "V102"));
}

TEST_F(LoadVersionTableTest, UnusableTablesGiveAnErrorNamingTheProblem) {
    const std::pair<std::string, std::string> cases[] = {
        {"[Version]\nSoftVersionCount=1\nFirmVersionCount=1\n", "CurrentVersion"},
        {"[Version]\nCurrentVersion=V102\nFirmVersionCount=1\n", "SoftVersionCount"},
        {"[Version]\nCurrentVersion=V102\nSoftVersionCount=1\n", "FirmVersionCount"},
        {"[Version]\nCurrentVersion=V102\nSoftVersionCount=1\nFirmVersionCount=one\n",
         "FirmVersionCount"},
        {"[Version]\nCurrentVersion=V102\nSoftVersionCount=\nFirmVersionCount=1\n",
         "SoftVersionCount"},
        {"[Version]\nCurrentVersion=V102\nSoftVersionCount=1\nFirmVersionCount=-1\n",
         "FirmVersionCount"},
        {"[Other]\nCurrentVersion=V102\nSoftVersionCount=1\nFirmVersionCount=1\n",
         "CurrentVersion"}};
    for (const auto& [text, named] : cases) {
        const auto loaded = Load(text);
        EXPECT_FALSE(loaded.Table) << text;
        EXPECT_NE(loaded.Error.find(named), std::string::npos) << loaded.Error;
    }
}

TEST_F(LoadVersionTableTest, MissingFileIsAnError) {
    const auto loaded = LoadVersionTable(folder.Path("Version.ini"));
    EXPECT_FALSE(loaded.Table);
    EXPECT_NE(loaded.Error.find(folder.Path("Version.ini")), std::string::npos);
}

TEST(VersionTable, ShippedTableAcceptsTheProgramsOwnFiles) {
    const auto loaded = LoadVersionTable(std::string(VELMAR_SOURCE_DIR) + "/data/Version.ini");
    ASSERT_TRUE(loaded.Table) << loaded.Error;
    EXPECT_TRUE(loaded.Table->IsCompatible(velmar::ProgramVersion, velmar::ProgramVersion));
}

TEST(BaseFolder, DropsTheLastPathComponent) {
    EXPECT_EQ(velmar::GetBaseFolder("/opt/velmar/bin"), "/opt/velmar");
    EXPECT_EQ(velmar::GetBaseFolder("/opt/velmar/bin/"), "/opt/velmar/bin");
    EXPECT_EQ(velmar::GetBaseFolder("bin"), "bin");
    EXPECT_EQ(velmar::GetBaseFolder("/bin"), "");
}

} // namespace
