#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace velmar {

// Locale ids in the Windows numbering, which decides the start-up language.
inline constexpr std::uint32_t LocaleChinaChinese = 0x0804;
inline constexpr std::uint32_t LocaleTaiwanChinese = 0x0404;
inline constexpr std::uint32_t LocaleUsEnglish = 0x0409;

// The Windows locale id of a POSIX locale name such as "zh_CN.UTF-8",
// "de_DE@euro" or "zh-TW"; "C", "POSIX", "" and unknown names give US English.
std::uint32_t LocaleIdFromPosixName(std::string_view name);

// The user's locale name from the environment (LC_ALL, LC_MESSAGES, LANG).
std::string UserLocaleName();

// The user's decimal separator, then switches this process (never the user's
// settings) to "." for all number text: LC_NUMERIC becomes "C".
char UseDecimalPointForNumbers();

} // namespace velmar
