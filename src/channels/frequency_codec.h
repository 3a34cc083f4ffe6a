#pragma once
// Receive and transmit frequencies: the stored form (8 digits in 10 Hz units,
// "14550000" is 145.5 MHz; empty or "FFFFFFFF" is none), the text shown in the
// grid and the editors ("145.50000"), and the checks of a typed frequency
// against the band of the current model.
#include <string>
#include <string_view>

#include "shell/message_sink.h"
#include "shell/text_lookup.h"

namespace velmar {

// What the frequency checks need from the running program: the band of the
// current model (Document::BandLow/BandHigh, MHz) and where corrections are
// reported.
struct FreContext {
    double BandLow;
    double BandHigh;
    MessageSink& Messages;
    const TextLookup& Texts;
};

// Text 9021: the entered frequency lies outside the band and was replaced.
inline constexpr int kTextOutOfBand = 9021;

// True when a stored frequency or offset field (after TrimFixStr) holds only
// decimal digits. Empty and "FFFFFFFF" fields are not stored values.
bool IsStoredDigits(std::string_view field);

// Stored frequency -> display text "#0.00000"; the empty text for no frequency.
// A damaged field (anything but digits) is reported with "Not IsNumeric" and
// shown as BandLow; the field itself is left as it is.
std::string FreStoreToShow(std::string_view stored, const FreContext& fre);

// Entered text -> stored form. Digits beyond the fifth decimal are cut, not
// rounded (145.123456 gives "14512345"); a text without a point is read as
// MHz digits ("5" gives "00500000", "1455" gives "14550000"). An empty text
// gives the empty text; a text that is not a non-negative number gives the
// stored form of BandLow.
std::string FreShowToStore(std::string_view text, double bandLow);

// f (MHz) moved down onto the 5 kHz raster counted from BandLow. In groups 6
// and 13 a frequency whose last three digits in 10 Hz units are 125 (27.60125
// MHz) stays as it is.
double FreAlignStep(double f, int group, double bandLow);

// f clamped to the band with text 9021 as warning, or aligned when inside it.
// A value that is not a number counts as below the band.
double FreLimitBand(double f, int group, const FreContext& fre);

// Warns with text 9021 and gives BandLow, for an entry that is not a number.
double FreOutOfBand(const FreContext& fre);

// A typed frequency as it may be stored: "#0.00000" text of the clamped and
// aligned value; a text that is not numeric warns and gives BandLow.
std::string FreCheckText(std::string_view value, int group, const FreContext& fre);

} // namespace velmar
