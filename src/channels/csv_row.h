#pragma once
// One row of the generic CSV channel layout (channel_csv.h): the columns, the
// header that says where the file has them, and the values of a row checked
// against what this radio has, before anything is stored.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "channels/csv_reason.h"
#include "channels/csv_records.h"
#include "channels/csv_tones.h"
#include "model/channel_info.h"

namespace velmar {

namespace CsvCol {
enum : int {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    RToneFreq,
    CToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    TStep,
    Skip,
    Power,
    Comment,
    UrCall,
    Rpt1Call,
    Rpt2Call,
    DvCode,
    kCount
};
} // namespace CsvCol
extern const std::array<const char*, CsvCol::kCount> kCsvColumnNames;

// AmFm values: the entries "AM" and "FM" of the modulation list.
inline constexpr int kModulationAm = 0;
inline constexpr int kModulationFm = 1;
inline constexpr const char* kModulationNames[] = {"AM", "FM"};

// A power level of the detail editor: AM 4 W and 15 W, FM 4 W, 15 W and 50 W.
struct CsvPowerLevel {
    int AmFm;
    int Value; // of AmPower or FmPower
    int Watts;
    int OfferCode; // the field code of the flag that offers the level on a channel
    std::int16_t ChannelInfo::*Offered;
};
// The level a stored value or a number of watts means; nullptr for none.
const CsvPowerLevel* PowerLevelOf(int amFm, int value);
const CsvPowerLevel* PowerLevelInWatts(int amFm, int watts);
// The stored power level of the channel's modulation.
int PowerValueOf(const ChannelInfo& channel);

// Where the columns are: found by name, in any order, without regard to case.
class CsvHeader {
public:
    // Why the header cannot be used (Location or Frequency missing, a column
    // named twice); nothing when it can.
    std::optional<CsvReason> Read(const CsvRecord& record);
    std::size_t FieldCount() const { return fieldCount_; }
    // The field of `column` without blanks; nothing when the file lacks the column.
    std::optional<std::string> Get(const CsvRecord& record, int column) const;

private:
    std::array<int, CsvCol::kCount> index_{};
    std::size_t fieldCount_ = 0;
};

// What a row asks for; the optional values are those of the columns the file has.
struct CsvRowValues {
    int ChNo = 0;
    std::string RxText; // as the codecs show it, "27.12500"
    std::optional<int> Dir;
    std::optional<std::string> OffsetText; // magnitude as shown, "0.60000"
    std::optional<CsvTonePair> Tones;
    std::optional<int> AmFm;
    std::optional<int> Watts;
    std::optional<int> ScanSkip;
};

// The values of a row, or why the row is refused, naming the column and its
// value.
std::variant<CsvRowValues, CsvReason> ParseCsvRow(const CsvRecord& record, const CsvHeader& header);

} // namespace velmar
