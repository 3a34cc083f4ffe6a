// Texts of an arbitrary language file: the first input byte chooses the file
// name (and so the code page an invalid UTF-8 file is read in), the rest is
// the file. Every text handed out is UTF-8, at most MaxTextLength characters,
// on one line and without trailing blanks.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "shell/language_texts.h"
#include "shell/text_encoding.h"
#include "shell/text_util.h"

namespace velmar {
namespace {

std::size_t Utf8Characters(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

void CheckText(const std::string& text) {
    FUZZ_CHECK(IsValidUtf8(text));
    FUZZ_CHECK(Utf8Characters(text) <= MaxTextLength);
    FUZZ_CHECK(text.find_first_of("\r\n") == std::string::npos);
    FUZZ_CHECK(TrimTrailingBlanks(text).size() == text.size());
}

} // namespace
} // namespace velmar

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmar;
    if (size == 0)
        return 0;
    ShellSettings settings;
    settings.LanguageFile = (data[0] & 1) ? "chinese.ini" : "english.ini";
    const std::string file(reinterpret_cast<const char*>(data + 1), size - 1);
    fuzz::WriteFile(fuzz::ScratchFolder() / settings.LanguageFile, file);

    // A new reader each time: the file's time stamp may not change between runs.
    const LanguageTexts texts(fuzz::ScratchFolder().string(), settings);

    // The first numbered keys of each section, as the program would ask for
    // them, and a few ids the file may not have. (Every key of a whole
    // language file would make a run slow without reaching more code.)
    constexpr std::size_t kKeysPerSection = 8;
    const IniDocument parsed = IniDocument::Parse(file);
    for (const std::string& section : parsed.Sections()) {
        const std::vector<std::string> keys = parsed.Keys(section);
        for (std::size_t i = 0; i < keys.size() && i < kKeysPerSection; ++i) {
            if (const auto id = ParseCount(keys[i]))
                CheckText(texts.GetText(*id));
        }
    }
    for (int id : {0, 8999, 9002, 12000, 31999, 32000, -1})
        CheckText(texts.GetText(id));
    return 0;
}
