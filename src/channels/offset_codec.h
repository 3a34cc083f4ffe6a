#pragma once
// Transmit frequency of a channel = receive frequency and a shift: the offset
// is stored as 7 digits in 10 Hz units ("0460000" is 4.6 MHz; seven "F", seven
// NULs or blanks are 0) and the direction as one byte.
#include <cstdint>
#include <string>
#include <string_view>

#include "channels/frequency_codec.h"

namespace velmar {

enum ShiftDirection : std::uint8_t { kShiftNone = 0, kShiftMinus = 1, kShiftPlus = 2 };

// Signed offset text: "-4.60000" (minus), "+4.60000" (plus), "4.60000" for any
// other direction. A damaged offset shows as 0.
std::string OffsetStoreToShow(std::string_view storedOffset, int dir);

// The transmit column: the signed offset when showOffset is set, else the
// absolute transmit frequency. The empty text for a channel without receive
// frequency. A direction other than minus or plus means no shift.
std::string TxFreShow(std::string_view storedRx, std::string_view storedOffset, int dir,
                      bool showOffset, const FreContext& fre);

// What the transmit entry shows unchanged, to recognise an entry that changes
// nothing: the signed offset when showOffset is set, else the transmit
// frequency (not made absolute); the empty text without receive frequency.
std::string TxFreShowChecked(std::string_view storedRx, std::string_view storedOffset, int dir,
                             bool showOffset, const FreContext& fre);

// A transmit entry turned into a stored offset; `dir` is set to match.
// offsetEntry: `entered` is a signed offset ("+4.6", "-4.6"; no sign means no
// shift). Otherwise it is a transmit frequency and the shift follows from its
// difference to the receive frequency; equal frequencies switch the shift off
// and keep the stored offset digits. An empty entry or a channel without
// receive frequency also switches the shift off. Text 9021 warns about an
// entry that is not a number (the shift is switched off) and about an offset
// of 100 MHz or more (cut to 99.99999 MHz, the largest that can be stored).
std::string OffsetShowToStore(std::string_view storedRx, std::string_view entered, bool offsetEntry,
                              std::string_view storedOffset, std::uint8_t& dir,
                              const FreContext& fre);

} // namespace velmar
