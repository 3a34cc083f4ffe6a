#include "shell/ini_file.h"

#include "shell/file_io.h"
#include "shell/text_util.h"

#include <filesystem>
#include <stdexcept>

namespace velmar {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// What one line of an INI text is.
struct LineMeaning {
    enum Kind { Other, Section, Entry } kind = Other;
    std::string_view name;      // section or key name, trimmed
    std::string_view value;     // entry value, trimmed
    std::size_t valueStart = 0; // where the value's text begins in the line
};

LineMeaning Classify(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    if (text.empty() || text.front() == ';')
        return {};
    if (text.front() == '[') {
        std::string_view name = text.substr(1);
        name = name.substr(0, name.find(']'));
        return {LineMeaning::Section, TrimBlanks(name), {}, 0};
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return {};
    const std::string_view key = TrimBlanks(line.substr(0, equals));
    if (key.empty())
        return {};
    std::size_t valueStart = equals + 1;
    while (valueStart < line.size() && (line[valueStart] == ' ' || line[valueStart] == '\t'))
        ++valueStart;
    return {LineMeaning::Entry, key, TrimBlanks(line.substr(equals + 1)), valueStart};
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

// Why Set cannot store these arguments; empty when it can.
std::string_view RefusalReason(std::string_view section, std::string_view key,
                               std::string_view value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
        return "an INI value, key or section cannot hold a line break";
    if (section.empty() || section.find(']') != section.npos)
        return "an INI section name must be non-empty and hold no ']'";
    if (key.empty() || key.find('=') != key.npos || key.front() == '[' || key.front() == ';')
        return "an INI key must be non-empty, hold no '=' and not start with '[' or ';'";
    return {};
}

} // namespace

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument doc;
    if (text.substr(0, Utf8Bom.size()) == Utf8Bom) {
        doc.bom_ = Utf8Bom;
        text.remove_prefix(Utf8Bom.size());
    }
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        if (end == text.npos) {
            doc.lines_.push_back({std::string(text), ""});
            break;
        }
        const std::size_t endLength =
            (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
        doc.lines_.push_back(
            {std::string(text.substr(0, end)), std::string(text.substr(end, endLength))});
        text.remove_prefix(end + endLength);
    }
    return doc;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    bool inSection = false;
    for (const Line& line : lines_) {
        const LineMeaning meaning = Classify(line.content);
        if (meaning.kind == LineMeaning::Section) {
            if (inSection)
                return std::nullopt; // only the first section of that name counts
            inSection = EqualsIgnoreCase(meaning.name, section);
        } else if (inSection && meaning.kind == LineMeaning::Entry &&
                   EqualsIgnoreCase(meaning.name, key)) {
            return std::string(meaning.value);
        }
    }
    return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (const std::string_view reason = RefusalReason(section, key, value); !reason.empty())
        throw std::invalid_argument(std::string(reason));
    section = TrimBlanks(section);
    key = TrimBlanks(key);

    // New lines take the file's own line end, LF for a file that has none.
    std::string newEnding = "\n";
    for (const Line& line : lines_) {
        if (!line.ending.empty()) {
            newEnding = line.ending;
            break;
        }
    }
    auto insertLine = [&](std::size_t at, std::string content) {
        if (at > 0 && lines_[at - 1].ending.empty())
            lines_[at - 1].ending = newEnding;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                      Line{std::move(content), newEnding});
    };

    std::optional<std::size_t> header;
    std::size_t insertAt = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const LineMeaning meaning = Classify(lines_[i].content);
        if (meaning.kind == LineMeaning::Section) {
            if (header)
                break;
            if (EqualsIgnoreCase(meaning.name, section)) {
                header = i;
                insertAt = i + 1;
            }
        } else if (header && meaning.kind == LineMeaning::Entry) {
            if (EqualsIgnoreCase(meaning.name, key)) {
                Line& line = lines_[i];
                line.content = line.content.substr(0, meaning.valueStart) + std::string(value);
                return;
            }
            insertAt = i + 1;
        }
    }
    const std::string entry = std::string(key) + "=" + std::string(value);
    if (header) {
        insertLine(insertAt, entry);
        return;
    }
    insertLine(lines_.size(), "[" + std::string(section) + "]");
    insertLine(lines_.size(), entry);
}

std::vector<std::string> IniDocument::Sections() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        const LineMeaning meaning = Classify(line.content);
        if (meaning.kind != LineMeaning::Section)
            continue;
        bool known = false;
        for (const std::string& name : names)
            known = known || EqualsIgnoreCase(name, meaning.name);
        if (!known)
            names.emplace_back(meaning.name);
    }
    return names;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
    section = TrimBlanks(section);
    std::vector<std::string> keys;
    bool inSection = false;
    for (const Line& line : lines_) {
        const LineMeaning meaning = Classify(line.content);
        if (meaning.kind == LineMeaning::Section) {
            if (inSection)
                break;
            inSection = EqualsIgnoreCase(meaning.name, section);
        } else if (inSection && meaning.kind == LineMeaning::Entry) {
            keys.emplace_back(meaning.name);
        }
    }
    return keys;
}

std::string IniDocument::Text() const {
    std::string text = bom_;
    for (const Line& line : lines_)
        text += line.content + line.ending;
    return text;
}

std::string ReadIniValue(const std::string& path, std::string_view section, std::string_view key) {
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text)
        return {};
    return IniDocument::Parse(*text).Get(section, key).value_or("");
}

bool WriteIniValue(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value) {
    if (!RefusalReason(section, key, value).empty())
        return false;
    std::error_code ec;
    std::optional<std::string> text;
    if (std::filesystem::exists(path, ec)) {
        text = ReadWholeFile(path);
        if (!text)
            return false; // never replace a file we could not read
    }
    IniDocument doc = IniDocument::Parse(text.value_or(""));
    doc.Set(section, key, value);
    return WriteFileAtomically(path, doc.Text());
}

} // namespace velmar
