#pragma once
// The channel list as comma-separated text in the generic CSV channel layout
// that radio programming tools exchange:
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,
//   RPT1CALL,RPT2CALL,DVCODE
// Location is the channel number (1 … 529); the radio has no channel names,
// so Name is empty and Comment carries the group label ("3 -- EC"). Frequency
// and Offset are in MHz with six decimals, Duplex "", "+" or "-"; the tones
// as csv_tones.h describes; Mode "AM" or "FM"; TStep the raster of the
// receive frequency (5.00, 6.25, 8.33); Skip "" or "S"; Power the level of the
// channel's modulation ("4W", "15W", "50W"). The digital-voice columns stay
// empty.
#include <string>
#include <string_view>
#include <vector>

#include "channels/channel_list.h"

namespace velmar {

// Every used channel in channel-number order after the header row, lines
// ending in CR LF; a channel whose frequency field holds none (or is damaged)
// is left out. Group names are read in the ANSI code page (GBK when
// ansiIsGbk, else Windows-1252) and written as UTF-8.
std::string WriteChannelCsv(const Document& doc, bool ansiIsGbk = false);

enum class CsvImportMode {
    ReplaceList,   // the channels of the file replace all but the VFO channel
    MergeByNumber, // the channels of the file change or join those of the list
};

struct CsvRefusedRow {
    int Row = 0;        // line of the file, the header being line 1
    std::string Reason; // in the language of ChannelEnv::Texts (csv_reason.h)
    friend bool operator==(const CsvRefusedRow&, const CsvRefusedRow&) = default;
};

struct CsvImportResult {
    bool HeaderRead = false; // false: the file is refused whole, no row was read
    int Imported = 0;
    std::vector<CsvRefusedRow> Refused;
};

// At most this many rows are read; the rest of a longer file is refused as one.
inline constexpr int kMaxCsvRows = 4 * kMaxChannels;

// Reads channels from `csv` into the document. Columns are found by their
// header names in any order (unknown ones are ignored); Location and Frequency
// are required, a missing optional column leaves its values as they are (and
// a new channel's at their defaults). Name, TStep, Comment and the
// digital-voice columns are not read: the raster follows from the frequency.
//
// Every value is stored through SetChValue as the grid stores it, with the
// grid on the channel's group, so band limits, the raster and the tone list
// apply. A row is refused, and changes nothing, when a value is not one of
// this radio, or when storing would change it: a frequency outside the band
// (the reason names the band; no warning is shown), one that the 5 kHz raster
// moves, a new frequency for a channel 1 … 120 (these
// keep the frequency they were created with), an offset whose transmit
// frequency the raster moves; also a repeated Location and a row with another
// number of fields than the header. Accepted as the rules store them: Offset
// is entered as an offset whatever the ShowTxOffset preference, a shift by
// 0 MHz is stored as no shift, and a power level that the row changes (or
// gives a channel it creates) is also offered by the channel; a row that
// keeps the channel's level changes neither, so that a file written from the
// list reads back into it without change.
//
// ReplaceList first removes every channel but the VFO channel. When no row
// goes in the document is left as it was, so the list never ends emptied.
// The windows are refreshed once at the end.
CsvImportResult ReadChannelCsv(std::string_view csv, Document& doc, const ChannelEnv& env,
                               CsvImportMode mode);

} // namespace velmar
