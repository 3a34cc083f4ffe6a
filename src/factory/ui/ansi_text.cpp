#include "factory/ui/ansi_text.h"

#include "shell/system_locale.h"
#include "shell/text_encoding.h"

#include <iconv.h>
#include <map>
#include <optional>

namespace velmar {
namespace {

// The upper half of Windows-1252, looked up by the UTF-8 form of each byte,
// so that the encoder is the exact inverse of Windows1252ToUtf8.
const std::map<std::string, char, std::less<>>& Windows1252Bytes() {
    static const auto table = [] {
        std::map<std::string, char, std::less<>> bytes;
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const char c = static_cast<char>(byte);
            bytes.emplace(Windows1252ToUtf8(std::string_view(&c, 1)), c);
        }
        return bytes;
    }();
    return table;
}

// One UTF-8 character in GBK, or nothing when GBK has no such character.
class GbkEncoder {
public:
    GbkEncoder() : cd_(::iconv_open("GBK", "UTF-8")) {}
    ~GbkEncoder() {
        if (Usable())
            ::iconv_close(cd_);
    }
    GbkEncoder(const GbkEncoder&) = delete;
    GbkEncoder& operator=(const GbkEncoder&) = delete;

    bool Encode(std::string_view character, std::string& out) {
        if (!Usable())
            return false;
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[8];
        char* in = const_cast<char*>(character.data());
        std::size_t inLeft = character.size();
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        if (::iconv(cd_, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0)
            return false;
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        return true;
    }

private:
    bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

} // namespace

AnsiCodePage AnsiCodePageForLocale(std::uint32_t localeId) {
    return localeId == LocaleChinaChinese ? AnsiCodePage::Gbk : AnsiCodePage::Windows1252;
}

std::string Utf8ToAnsi(std::string_view utf8, AnsiCodePage codePage, std::size_t* unstorable) {
    std::string out;
    std::size_t missing = 0;
    std::optional<GbkEncoder> gbk;
    if (codePage == AnsiCodePage::Gbk)
        gbk.emplace();
    while (!utf8.empty()) {
        const std::string_view character = CutUtf8(utf8, 1);
        utf8.remove_prefix(character.size());
        if (static_cast<unsigned char>(character[0]) < 0x80) {
            out += character[0];
            continue;
        }
        bool stored = false;
        if (IsValidUtf8(character)) {
            if (codePage == AnsiCodePage::Gbk) {
                stored = gbk->Encode(character, out);
            } else if (const auto found = Windows1252Bytes().find(character);
                       found != Windows1252Bytes().end()) {
                out += found->second;
                stored = true;
            }
        }
        if (!stored) {
            out += '?';
            ++missing;
        }
    }
    if (unstorable)
        *unstorable = missing;
    return out;
}

std::string AnsiToUtf8(std::string_view ansi, AnsiCodePage codePage) {
    return codePage == AnsiCodePage::Gbk ? GbkToUtf8(ansi) : Windows1252ToUtf8(ansi);
}

} // namespace velmar
