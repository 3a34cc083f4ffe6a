#include "shell/filled_text.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

TEST(FilledText, PutsEachValueWhereItsMarkerStands) {
    struct Case {
        const char* format;
        std::vector<std::string> args;
        const char* filled;
    };
    const Case cases[] = {
        {"Row %1: %2", {"7", "bad"}, "Row 7: bad"},
        {"%2 (%1)", {"a", "b"}, "b (a)"},
        {"%1 and %1", {"x"}, "x and x"},
        // values are not read again, whatever they hold
        {"%1 %2", {"%2", "y"}, "%2 y"},
        // markers without a value, a lone "%" and huge numbers stay
        {"%1 %3 % %99999999999999999999", {"a"}, "a %3 % %99999999999999999999"},
        {"50%", {}, "50%"},
        {"%12", {"a", "b"}, "%12"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilledText(c.format, c.args), c.filled) << c.format;
}

} // namespace
} // namespace velmar
