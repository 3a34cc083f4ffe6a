// The one place that uses the C library's iconv: GBK has no small table.
#include "shell/text_encoding.h"

#include <cerrno>
#include <iconv.h>

namespace velmar {

std::string GbkToUtf8(std::string_view bytes) {
    constexpr std::string_view Replacement = "\xEF\xBF\xBD"; // U+FFFD
    std::string out;
    const iconv_t cd = ::iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No GBK converter installed: keep what is plain ASCII.
        for (const char c : bytes)
            out +=
                static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : std::string(Replacement);
        return out;
    }

    char buffer[1024];
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = ::iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // EILSEQ or a sequence cut off by the end of the text: skip one byte.
            out += Replacement;
            ++in;
            --inLeft;
        }
    }
    ::iconv_close(cd);
    return out;
}

} // namespace velmar
