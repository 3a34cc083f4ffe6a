#pragma once
// The decode and encode tone of a channel in the tone columns of the generic
// CSV channel layout: Tone "" (none), "Tone" (encode CTCSS only), "TSQL" (the
// same CTCSS both ways), "DTCS" (the same DCS code both ways, each with its
// polarity) and "Cross" with CrossMode for every other pair. rToneFreq is the
// encode CTCSS, cToneFreq the decode CTCSS, DtcsCode the encode DCS code
// (both ways for "DTCS"), RxDtcsCode the decode DCS code, DtcsPolarity two
// letters N (normal) or R (inverted), encode then decode.
#include <string>
#include <variant>

#include "channels/csv_reason.h"

namespace velmar {

struct CsvToneColumns {
    std::string Tone;
    std::string RToneFreq;
    std::string CToneFreq;
    std::string DtcsCode;
    std::string DtcsPolarity;
    std::string RxDtcsCode;
    std::string CrossMode;
};

struct CsvTonePair {
    int RxTone = 0; // ToneList indexes
    int TxTone = 0;
    friend bool operator==(const CsvTonePair&, const CsvTonePair&) = default;
};

// The columns of a channel's tones. Columns the mode does not use hold the
// layout's defaults (88.5, 023, NN, "Tone->Tone").
CsvToneColumns TonesToCsv(CsvTonePair tones);

// The tones the columns name, or why they name none of this radio's, naming
// the column and its value. Only the columns the mode uses are
// read; names compare without regard to case.
std::variant<CsvTonePair, CsvReason> TonesFromCsv(const CsvToneColumns& columns);

} // namespace velmar
