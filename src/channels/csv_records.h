#pragma once
// Comma-separated text, record by record: fields in double quotes may hold
// commas, line ends and doubled quotes; lines end in CR LF, LF or CR; empty
// lines and a leading UTF-8 byte-order mark are skipped. The work is linear
// in the size of the text, and a record keeps at most kMaxCsvFields fields.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

inline constexpr std::size_t kMaxCsvFields = 64;

struct CsvRecord {
    int Line = 0;               // line of the text where the record starts, from 1
    std::size_t FieldCount = 0; // all fields, also those beyond kMaxCsvFields
    std::vector<std::string> Fields;
    bool Unterminated = false; // a quoted field runs to the end of the text
};

class CsvReader {
public:
    explicit CsvReader(std::string_view text);

    // The next record; false at the end of the text.
    bool Next(CsvRecord& record);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;

    bool AtLineEnd() const;
    void SkipLineEnd();
};

// `column "value"` for a message about a field: the value cut to 24
// characters, every byte outside printable ASCII shown as "?", so that the
// message is plain text whatever the file held.
std::string CsvNamedValue(std::string_view column, std::string_view value);

// One field as it is written: in double quotes, with quotes doubled, when it
// holds a comma, a quote or a line end; else as it is.
std::string CsvField(std::string_view value);

} // namespace velmar
