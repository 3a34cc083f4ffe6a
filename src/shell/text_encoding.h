#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace velmar {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined
// map to the C1 controls of the same value, as Windows does.
std::string Windows1252ToUtf8(std::string_view bytes);

// GBK (code page 936) bytes to UTF-8; a byte sequence that is not GBK becomes
// U+FFFD and the conversion goes on after it.
std::string GbkToUtf8(std::string_view bytes);

// At most `maxChars` characters of valid UTF-8 text, never splitting one.
std::string_view CutUtf8(std::string_view text, std::size_t maxChars);

} // namespace velmar
