#include "model/fixed_text.h"

namespace velmar {

std::string TrimFixStr(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const auto last = text.find_last_not_of(' ');
    return std::string(last == std::string_view::npos ? std::string_view()
                                                      : text.substr(0, last + 1));
}

} // namespace velmar
