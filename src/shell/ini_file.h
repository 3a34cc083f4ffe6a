#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

// An INI text held line by line in file order, read and changed the way the
// private-profile functions do it: "[section]" headers, "key=value" lines,
// names compared without regard to ASCII case, blanks around names and values
// ignored, ';' starting a comment line. A UTF-8 BOM, LF or CRLF line ends and a
// missing final newline are kept as found, so Set changes only its own line.
// Bytes are taken as they come: nothing is decoded, nothing can crash.
class IniDocument {
public:
    static IniDocument Parse(std::string_view text);

    // The value trimmed of blanks; nullopt when the section or key is absent.
    // When a section or key occurs twice, the first one counts.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Replaces the value of an existing key (the text up to and including its
    // '=' stays as it was), or adds "key=value" at the end of the section,
    // adding the section at the end of the file when it is missing. Throws
    // std::invalid_argument for what a line cannot hold: a line break in any
    // argument, an empty key, a key with '=' or starting with '[' or ';', a
    // section with ']'.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;

    // The whole file, byte for byte as parsed except for the lines Set changed.
    std::string Text() const;

private:
    struct Line {
        std::string content; // without its line end
        std::string ending;  // "\r\n", "\n", "\r" or "" for a last line without one
    };
    std::string bom_;
    std::vector<Line> lines_;
};

// One value of one section of an INI file; missing file, section or key -> "".
std::string ReadIniValue(const std::string& path, std::string_view section, std::string_view key);

// Sets one value, creating the file (and its folder) or the section when
// missing. The file is replaced through a temporary file, so a crash leaves
// either the old or the new text. False when the file exists but cannot be
// read, cannot be written, or the arguments cannot be stored (see Set).
bool WriteIniValue(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value);

} // namespace velmar
