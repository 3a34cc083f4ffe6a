#pragma once
// The tone choices of a channel: an index into ToneList, stored in RxTone and
// TxTone and used as the list index of every tone combo box.
#include <array>
#include <cstdint>
#include <string>

namespace velmar {

// 0 "OFF", 1-50 CTCSS tones in Hz ("67.0" …), 51-157 DCS codes of normal
// polarity ("D017N" …), 158-264 the same codes inverted ("D017I" …).
inline constexpr int kToneCount = 265;
inline constexpr int kFirstCtcss = 1;
inline constexpr int kFirstDcsNormal = 51;
inline constexpr int kFirstDcsInverted = 158;

const std::array<std::string, kToneCount>& ToneList();

// The radio's 16-bit tone code: high byte the family (0 off, 1 CTCSS, 2 DCS
// normal, 3 DCS inverted), low byte the position within it. An index outside
// the list gives 0 (off).
std::uint16_t ToneIndexToCode(int index);

// The inverse, as the radio image is read: the last hexadecimal digit of the
// high byte is the family. An unknown family, or a position beyond the end of
// its family, gives 0 (off).
int ToneCodeToIndex(std::uint16_t code);

} // namespace velmar
