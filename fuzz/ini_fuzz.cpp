// The INI layer on arbitrary text and arbitrary changes: parsing keeps every
// byte, Set changes only the value it names, and the file functions agree
// with the document.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

#include "fuzz_support.h"
#include "shell/file_io.h"
#include "shell/ini_file.h"
#include "shell/text_util.h"

namespace velmar {
namespace {

// Every value Get finds, by section and key as Sections and Keys list them.
using Entries = std::vector<std::pair<std::pair<std::string, std::string>, std::string>>;

Entries AllEntries(const IniDocument& doc) {
    Entries entries;
    for (const std::string& section : doc.Sections()) {
        for (const std::string& key : doc.Keys(section)) {
            const auto value = doc.Get(section, key);
            FUZZ_CHECK(value.has_value());
            entries.push_back({{section, key}, *value});
        }
    }
    return entries;
}

bool SameName(std::string_view a, std::string_view b) {
    return EqualsIgnoreCase(TrimBlanks(a), TrimBlanks(b));
}

void CheckSet(IniDocument& doc, const std::string& section, const std::string& key,
              const std::string& value) {
    const std::string before = doc.Text();
    const Entries entries = AllEntries(doc);
    try {
        doc.Set(section, key, value);
    } catch (const std::invalid_argument&) {
        FUZZ_CHECK(doc.Text() == before); // refused: nothing changed
        return;
    }
    FUZZ_CHECK(doc.Get(section, key) == std::string(TrimBlanks(value)));
    for (const auto& [name, old] : entries) {
        if (!(SameName(name.first, section) && SameName(name.second, key)))
            FUZZ_CHECK(doc.Get(name.first, name.second) == old);
    }
    // The text says the same as the document it came from.
    const IniDocument reparsed = IniDocument::Parse(doc.Text());
    FUZZ_CHECK(reparsed.Text() == doc.Text());
    FUZZ_CHECK(AllEntries(reparsed) == AllEntries(doc));
}

void CheckFile(const std::string& text, const std::string& section, const std::string& key,
               const std::string& value) {
    const std::string path = (fuzz::ScratchFolder() / "settings.ini").string();
    fuzz::WriteFile(path, text);
    IniDocument expected = IniDocument::Parse(text);
    bool storable = true;
    try {
        expected.Set(section, key, value);
    } catch (const std::invalid_argument&) {
        storable = false;
    }
    FUZZ_CHECK(WriteIniValue(path, section, key, value) == storable);
    FUZZ_CHECK(ReadWholeFile(path) == (storable ? expected.Text() : text));
    if (storable)
        FUZZ_CHECK(ReadIniValue(path, section, key) == TrimBlanks(value));
}

} // namespace
} // namespace velmar

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmar;
    FuzzedDataProvider in(data, size);
    const std::string text = in.ConsumeRandomLengthString(4096);
    IniDocument doc = IniDocument::Parse(text);
    FUZZ_CHECK(doc.Text() == text);

    bool first = true;
    while (in.remaining_bytes() > 0) {
        const std::string section = in.ConsumeRandomLengthString(24);
        const std::string key = in.ConsumeRandomLengthString(24);
        const std::string value = in.ConsumeRandomLengthString(48);
        (void)doc.Get(section, key);
        if (first)
            CheckFile(text, section, key, value);
        first = false;
        CheckSet(doc, section, key, value);
    }
    return 0;
}
