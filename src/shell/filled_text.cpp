#include "shell/filled_text.h"

#include <cctype>
#include <charconv>

namespace velmar {

std::string FilledText(std::string format, const std::vector<std::string>& args) {
    // one pass from left to right: what goes in is never read again
    std::string filled;
    std::size_t at = 0;
    while (at < format.size()) {
        std::size_t end = at + 1;
        while (format[at] == '%' && end < format.size() &&
               std::isdigit(static_cast<unsigned char>(format[end])))
            ++end;
        std::size_t number = 0; // stays 0 for a lone "%" or a number too large
        std::from_chars(format.data() + at + 1, format.data() + end, number);
        if (number >= 1 && number <= args.size())
            filled += args[number - 1];
        else
            filled.append(format, at, end - at);
        at = end;
    }
    return filled;
}

} // namespace velmar
