#pragma once
#include <string>

namespace velmar {

// Where the core gets the user-visible wording of a text id. The shell's
// language-file reader implements it; tests may supply a fixed table.
class TextLookup {
public:
    virtual ~TextLookup() = default;
    // Text of the current language for `id` (UTF-8); empty when there is none.
    virtual std::string GetText(int id) const = 0;
};

} // namespace velmar
