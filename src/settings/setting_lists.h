#pragma once
// Small builders for the entries of the settings windows' drop-down lists.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "shell/text_lookup.h"

namespace velmar {

// A caption or list entry: a text id of the language file, or a fixed text
// where the window shows the same words in every language.
struct Caption {
    int TextId = 0;
    std::string_view Fixed;

    constexpr Caption(int textId) : TextId(textId) {}
    constexpr Caption(const char* fixed) : Fixed(fixed) {}

    std::string Text(const TextLookup& texts) const;
};

// The entries in this order, each through the language file or as it is.
std::vector<std::string> CaptionEntries(const TextLookup& texts,
                                        std::initializer_list<Caption> captions);

// The decimal numbers first, first + step, … up to last.
std::vector<std::string> NumberEntries(int first, int last, int step = 1);

} // namespace velmar
