#pragma once
// The factory tool keeps its texts as the radio holds them: bytes in the ANSI
// code page of the system (GBK under a Chinese locale, Windows-1252
// otherwise). The window converts at its edge with these.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmar {

enum class AnsiCodePage { Windows1252, Gbk };

// The code page Windows would choose for a locale id: GBK for Chinese (PRC).
AnsiCodePage AnsiCodePageForLocale(std::uint32_t localeId);

// UTF-8 text to ANSI bytes. A character the code page cannot store (or a
// byte that is not UTF-8) becomes "?", as Windows does; `unstorable`, when
// given, receives how many there were.
std::string Utf8ToAnsi(std::string_view utf8, AnsiCodePage codePage,
                       std::size_t* unstorable = nullptr);

// ANSI bytes to UTF-8; a GBK byte sequence that is not GBK shows as U+FFFD.
std::string AnsiToUtf8(std::string_view ansi, AnsiCodePage codePage);

} // namespace velmar
