// The two shipped language files against the ids the program uses: every id
// has a wording in both languages, in the section its range selects, short
// enough for the text lookup, in clean UTF-8.

#include "shell/file_io.h"
#include "shell/ini_file.h"
#include "shell/text_encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace velmar {
namespace {

// Highest id of each section, in file order; the last one takes everything above.
struct SectionRange {
    int lastId;
    const char* name;
};
constexpr SectionRange SectionRanges[] = {
    {8999, "OTHER"},        {9999, "Msg"},       {10999, "Menu"},        {11999, "ToolBar"},
    {12999, "Main"},        {13999, "Model"},    {14999, "ChannelInfo"}, {15999, "ChannelEdit"},
    {16999, "Option"},      {17999, "Radio"},    {18999, "DTMF"},        {19999, "TestFre"},
    {20999, "EMG"},         {21999, "Local"},    {22999, "Port"},        {23999, "Lang"},
    {24999, "About"},       {25999, "KeySet"},   {26999, "ScanSet"},     {27999, "AlertSet"},
    {28999, "CHEdit"},      {29999, "TONETIPS"}, {30999, "GroupName"},   {31999, "ResetMode"},
    {2147483647, "Others"},
};

std::string SectionOf(int id) {
    for (const SectionRange& range : SectionRanges)
        if (id <= range.lastId)
            return range.name;
    return {};
}

// A key as the lookup writes it: decimal, no sign, no leading zero.
std::optional<int> ParseIdKey(const std::string& key) {
    if (key.empty() || key.front() == '0')
        return std::nullopt;
    int id = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), id);
    if (error != std::errc() || end != key.data() + key.size())
        return std::nullopt;
    return id;
}

std::vector<int> IdsInUse() {
    std::ifstream file(VELMAR_SOURCE_DIR "/tests/shell/text_ids_in_use.txt");
    std::vector<int> ids;
    for (std::string line; std::getline(file, line);) {
        const std::optional<int> id = ParseIdKey(line);
        EXPECT_TRUE(id.has_value()) << "not an id: '" << line << "'";
        if (id)
            ids.push_back(*id);
    }
    return ids;
}

struct LanguageFile {
    std::string name;
    std::string bytes;
    IniDocument ini;
};

LanguageFile Load(const std::string& name) {
    const std::string path = VELMAR_SOURCE_DIR "/data/language/" + name;
    const std::optional<std::string> bytes = ReadWholeFile(path);
    EXPECT_TRUE(bytes.has_value()) << "cannot read " << path;
    return {name, bytes.value_or(""), IniDocument::Parse(bytes.value_or(""))};
}

std::vector<LanguageFile> BothFiles() {
    return {Load("english.ini"), Load("chinese.ini")};
}

TEST(LanguageFiles, IdListIsAscendingWithoutRepeats) {
    const std::vector<int> ids = IdsInUse();
    ASSERT_FALSE(ids.empty());
    EXPECT_TRUE(std::adjacent_find(ids.begin(), ids.end(), std::greater_equal<int>()) == ids.end());
}

TEST(LanguageFiles, AreUtf8WithoutBomAndWithLfLineEnds) {
    for (const LanguageFile& file : BothFiles()) {
        SCOPED_TRACE(file.name);
        ASSERT_FALSE(file.bytes.empty());
        EXPECT_TRUE(IsValidUtf8(file.bytes));
        EXPECT_NE(file.bytes.substr(0, 3), "\xEF\xBB\xBF");
        EXPECT_EQ(file.bytes.find('\r'), std::string::npos);
        EXPECT_EQ(file.bytes.back(), '\n');
    }
}

TEST(LanguageFiles, ListTheSectionsInIdOrder) {
    std::vector<std::string> expected;
    for (const SectionRange& range : SectionRanges)
        expected.emplace_back(range.name);
    for (const LanguageFile& file : BothFiles()) {
        SCOPED_TRACE(file.name);
        EXPECT_EQ(file.ini.Sections(), expected);
    }
}

TEST(LanguageFiles, KeepEachIdInItsRangeSectionInAscendingOrder) {
    for (const LanguageFile& file : BothFiles()) {
        SCOPED_TRACE(file.name);
        for (const SectionRange& range : SectionRanges) {
            int previous = 0;
            for (const std::string& key : file.ini.Keys(range.name)) {
                const std::optional<int> id = ParseIdKey(key);
                ASSERT_TRUE(id.has_value()) << "[" << range.name << "] key '" << key << "'";
                EXPECT_EQ(SectionOf(*id), range.name) << "id " << *id;
                EXPECT_GT(*id, previous) << "[" << range.name << "] out of order or repeated";
                previous = *id;
            }
        }
    }
}

TEST(LanguageFiles, HoldExactlyTheIdsInUseEachWithAText) {
    const std::vector<int> used = IdsInUse();
    for (const LanguageFile& file : BothFiles()) {
        SCOPED_TRACE(file.name);
        std::set<int> inFile;
        for (const SectionRange& range : SectionRanges)
            for (const std::string& key : file.ini.Keys(range.name))
                if (const std::optional<int> id = ParseIdKey(key))
                    inFile.insert(*id);
        EXPECT_EQ(inFile, std::set<int>(used.begin(), used.end()));
        for (int id : used)
            EXPECT_FALSE(file.ini.Get(SectionOf(id), std::to_string(id)).value_or("").empty())
                << "no text for id " << id;
    }
}

// The lookup keeps at most 254 characters of a text.
TEST(LanguageFiles, TextsFitTheLookupBuffer) {
    for (const LanguageFile& file : BothFiles()) {
        SCOPED_TRACE(file.name);
        for (int id : IdsInUse()) {
            const std::string value = file.ini.Get(SectionOf(id), std::to_string(id)).value_or("");
            EXPECT_EQ(CutUtf8(value, 254), value) << "id " << id << " is too long";
        }
    }
}

// The lookup trims the blanks around keys and texts, so a text that needs a
// blank at its edge (before an appended number, say) would lose it.
TEST(LanguageFiles, LinesCarryNoBlanksTheLookupWouldDrop) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    for (const LanguageFile& file : BothFiles()) {
        SCOPED_TRACE(file.name);
        std::size_t start = 0;
        for (std::size_t end; (end = file.bytes.find('\n', start)) != std::string::npos;
             start = end + 1) {
            const std::string line = file.bytes.substr(start, end - start);
            if (line.empty())
                continue;
            EXPECT_FALSE(isBlank(line.front()) || isBlank(line.back())) << "'" << line << "'";
            const std::size_t equals = line.find('=');
            if (line.front() == '[' || equals == std::string::npos)
                continue;
            EXPECT_FALSE((equals > 0 && isBlank(line[equals - 1])) ||
                         (equals + 1 < line.size() && isBlank(line[equals + 1])))
                << "'" << line << "'";
        }
    }
}

} // namespace
} // namespace velmar
