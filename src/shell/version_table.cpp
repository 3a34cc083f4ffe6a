#include "shell/version_table.h"

#include "shell/file_io.h"
#include "shell/ini_file.h"
#include "shell/text_util.h"

#include <algorithm>
#include <utility>

namespace velmar {

namespace {

// The tag as a fixed-length text field holds it: up to the first NUL, no
// trailing blanks.
std::string_view FieldText(std::string_view text) {
    return TrimTrailingBlanks(text.substr(0, text.find('\0')));
}

// The number test of a version tag: a decimal number, possibly with leading
// blanks, a sign and one point, with at least one digit.
bool ReadsAsDecimalNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    bool digit = false;
    bool point = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

// The values of keys `word` + 0 ... `word` + (count - 1) of a section, in index
// order. Works from the keys present, so a huge count costs nothing.
std::vector<std::string> IndexedValues(const IniDocument& doc, std::string_view section,
                                       std::string_view word, int count) {
    std::vector<std::pair<int, std::string>> found;
    for (const std::string& key : doc.Keys(section)) {
        if (key.size() <= word.size() || !EqualsIgnoreCase(key.substr(0, word.size()), word))
            continue;
        const std::string_view digits = std::string_view(key).substr(word.size());
        const std::optional<int> index = ParseCount(digits);
        const bool canonical = digits == "0" || digits.front() != '0';
        const bool known = std::any_of(found.begin(), found.end(),
                                       [&](const auto& entry) { return entry.first == index; });
        if (index && canonical && *index < count && !known)
            found.emplace_back(*index, doc.Get(section, key).value_or(""));
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> values;
    for (auto& entry : found)
        values.push_back(std::move(entry.second));
    return values;
}

} // namespace

bool IsVersionTag(std::string_view text) {
    text = FieldText(text);
    return text.size() == 4 && text.front() == 'V' && ReadsAsDecimalNumber(text.substr(1));
}

std::string ShowVersionTag(std::string_view tag) {
    tag = FieldText(tag);
    if (tag.size() < 4)
        return std::string(tag);
    return std::string(tag.substr(0, 2)) + "." + std::string(tag.substr(tag.size() - 2));
}

bool VersionTable::IsCompatible(std::string_view programTag, std::string_view otherTag) const {
    return std::any_of(CompatPairs.begin(), CompatPairs.end(), [&](const CompatPair& pair) {
        return pair.SoftTag == programTag && pair.OtherTag == otherTag;
    });
}

std::string VersionTable::CompatMessage(std::string_view programTag, std::string_view otherTag,
                                        int kind, const TextLookup& texts) const {
    const int otherTextId = kind == FirmwareKind ? 9060 : 9064;
    const std::string lineA = "\r\n" + texts.GetText(otherTextId) + " " + ShowVersionTag(otherTag);
    const std::string lineB = "\r\n" + texts.GetText(9061) + " " + ShowVersionTag(programTag);
    return texts.GetText(9062) + lineA + lineB;
}

VersionTableLoad LoadVersionTable(const std::string& path) {
    const std::string problem = "The version table " + path + " cannot be used: ";
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text)
        return {std::nullopt, problem + "the file is missing or cannot be read."};
    const IniDocument doc = IniDocument::Parse(*text);

    VersionTable table;
    const std::optional<std::string> current = doc.Get("Version", "CurrentVersion");
    const std::optional<std::string> softCount = doc.Get("Version", "SoftVersionCount");
    const std::optional<std::string> firmCount = doc.Get("Version", "FirmVersionCount");
    for (const auto& [key, value] :
         {std::pair{"CurrentVersion", &current}, std::pair{"SoftVersionCount", &softCount},
          std::pair{"FirmVersionCount", &firmCount}}) {
        if (!*value)
            return {std::nullopt,
                    problem + "the key \"" + key + "\" of section [Version] is missing."};
    }
    const std::optional<int> softs = ParseCount(*softCount);
    const std::optional<int> firms = ParseCount(*firmCount);
    if (!softs || !firms) {
        const char* key = softs ? "FirmVersionCount" : "SoftVersionCount";
        return {std::nullopt, problem + "\"" + key + "\" is not a whole number."};
    }

    table.CurrentVersion = *current;
    table.SoftVersions = IndexedValues(doc, "Soft", "Version", *softs);
    for (const std::string& value : IndexedValues(doc, "Firm", "Firm", *firms)) {
        // A value is normally eight characters such as V102V101: program tag
        // first, accepted tag last. An empty value would accept an empty tag.
        if (value.empty())
            continue;
        const std::size_t last = value.size() < 4 ? 0 : value.size() - 4;
        table.CompatPairs.push_back({value.substr(0, 4), value.substr(last)});
    }
    return {std::move(table), {}};
}

std::string GetBaseFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(0, slash);
}

} // namespace velmar
