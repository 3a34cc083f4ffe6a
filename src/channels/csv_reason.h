#pragma once
// Why a CSV file or one of its rows is refused, in the user's language: a
// text of the language files whose "%1", "%2" … are filled from the
// arguments. The file's own words (a column name, or a column with its value
// as CsvNamedValue shows them) go in as arguments, untranslated.
#include <string>
#include <vector>

#include "shell/text_lookup.h"

namespace velmar {

namespace CsvText {
// the file as a whole
inline constexpr int FileEmpty = 9116;           // "header: the file is empty"
inline constexpr int HeaderQuoteOpen = 9117;     // "header: a quoted field is not closed"
inline constexpr int HeaderColumnTwice = 9118;   // "header: the column %1 appears twice"
inline constexpr int HeaderColumnMissing = 9119; // "header: no column %1"
inline constexpr int TooManyRows = 9120; // "more than %1 rows: this row and the rest were not read"
// a row, %1 being the column and its value where the text names one
inline constexpr int QuoteOpen = 32127;       // "a quoted field is not closed"
inline constexpr int FieldCount = 32128;      // "%1 fields where the header has %2"
inline constexpr int NotChannelNo = 32129;    // "%1: not a channel number 1-529"
inline constexpr int NotFrequency = 32130;    // "%1: not a frequency in MHz (10 Hz steps)"
inline constexpr int NotDuplex = 32131;       // "%1: the radio shifts by "+" or "-" only"
inline constexpr int NotOffset = 32132;       // "%1: not an offset in MHz below 100 …"
inline constexpr int NotMode = 32133;         // "%1: the radio has AM and FM only"
inline constexpr int NotSkip = 32134;         // "%1: the radio skips ("S") or scans ("") only"
inline constexpr int NotWatts = 32135;        // "%1: not a power level in watts …"
inline constexpr int NotCtcss = 32136;        // "%1: not a CTCSS tone of this radio"
inline constexpr int NotDcs = 32137;          // "%1: not a DCS code of this radio"
inline constexpr int NotPolarity = 32138;     // "%1: not two letters N or R"
inline constexpr int NotCrossMode = 32139;    // "%1: not a cross mode of this radio"
inline constexpr int NotToneMode = 32140;     // "%1: not a tone mode of this radio"
inline constexpr int FixedFrequency = 32141;  // "%1: channel %2 keeps the frequency … %3"
inline constexpr int NotPowerLevel = 32142;   // "%1: not a power level of this radio in %2"
inline constexpr int OutsideBand = 32143;     // "%1: outside the band %2 - %3 MHz"
inline constexpr int RasterMoves = 32144;     // "%1: the 5 kHz raster moves it to %2"
inline constexpr int ListFull = 32145;        // "%1: the channel list is full"
inline constexpr int RasterMovesBoth = 32146; // "%1: the raster would move … to %2 and %3"
inline constexpr int TonesChanged = 32147;    // "%1: the tones were not stored as given"
inline constexpr int Repeated = 32148;        // "%1: repeated (first in row %2)"
} // namespace CsvText

struct CsvReason {
    int TextId = 0;
    std::vector<std::string> Args;
};

// The reason in the words of `texts`.
std::string CsvReasonText(const CsvReason& reason, const TextLookup& texts);

} // namespace velmar
