#pragma once
#include "link/link_globals.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace velmar {

// The radio keeps a password of at most this many characters.
inline constexpr int kRadioPasswordLength = 4;

// The radio password as the radio keeps it: data bytes 12 … 15 of the
// password block, ending before the first 0x00 or 0xFF, without trailing
// blanks. Empty when the radio has none.
std::string PasswordInBlock(std::span<const std::uint8_t> blockData);

// True when the radio has no password or `radioPassword` equals it exactly.
bool CheckRadioPassword(std::span<const std::uint8_t> blockData, std::string_view radioPassword);

// Keeps what the user typed in the password dialog: cut at the first NUL,
// trailing blanks dropped.
void EnterRadioPassword(LinkGlobals& link, std::string_view typed);

} // namespace velmar
