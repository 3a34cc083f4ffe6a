#pragma once
#include "shell/text_lookup.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

// This program's version tag, also written into every data file it saves.
inline constexpr std::string_view ProgramVersion = "V102";

// "V" and three characters that read as a decimal number, after the text is cut
// at its first NUL and stripped of trailing blanks ("V102  ", "V102\0xy").
bool IsVersionTag(std::string_view text);

// The tag as the user sees it: "V102" -> "V1.02". The text is cut and stripped
// as for IsVersionTag; a text shorter than four characters comes back as it is.
std::string ShowVersionTag(std::string_view tag);

// One accepted pair: a program version and a data-file or firmware version it
// works with.
struct CompatPair {
    std::string SoftTag;
    std::string OtherTag;
};

// The version table of Version.ini, loaded once at start-up.
class VersionTable {
public:
    // Kinds of the other tag for CompatMessage.
    static constexpr int FirmwareKind = 0;
    static constexpr int DataFileKind = 1;

    VersionTable() = default;
    explicit VersionTable(std::vector<CompatPair> pairs) : CompatPairs(std::move(pairs)) {}

    // True when some pair holds exactly these two tags (case-sensitive).
    bool IsCompatible(std::string_view programTag, std::string_view otherTag) const;

    // The message shown when IsCompatible is false: text 9062, then on a new
    // line text 9060 (kind 0, firmware) or 9064 (kind 1, data file) with the
    // other tag, then on a new line text 9061 with the program tag; lines
    // joined by CRLF.
    std::string CompatMessage(std::string_view programTag, std::string_view otherTag, int kind,
                              const TextLookup& texts) const;

    std::string CurrentVersion;            // key "CurrentVersion"; kept, not used
    std::vector<std::string> SoftVersions; // section "Soft"; kept, not used
    std::vector<CompatPair> CompatPairs;   // section "Firm", in index order
};

// Either the loaded table or the reason it could not be loaded.
struct VersionTableLoad {
    std::optional<VersionTable> Table;
    std::string Error; // English, names the file; empty when Table is set
};

// Reads Version.ini. A missing file, a missing key of section "Version", or a
// count that is not a whole number is an error: the program cannot run
// without its table.
VersionTableLoad LoadVersionTable(const std::string& path);

// The path without its last '/' and what follows it; unchanged without '/'.
std::string GetBaseFolder(const std::string& path);

} // namespace velmar
