#include "channels/csv_records.h"

namespace velmar {

CsvReader::CsvReader(std::string_view text) : text_(text) {
    if (text_.starts_with("\xEF\xBB\xBF"))
        pos_ = 3;
}

bool CsvReader::AtLineEnd() const {
    return text_[pos_] == '\n' || text_[pos_] == '\r';
}

void CsvReader::SkipLineEnd() {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
        ++pos_;
    ++pos_;
    ++line_;
}

bool CsvReader::Next(CsvRecord& record) {
    while (pos_ < text_.size() && AtLineEnd())
        SkipLineEnd();
    if (pos_ >= text_.size())
        return false;
    record = CsvRecord{};
    record.Line = line_;
    std::string field;
    const auto endField = [&] {
        if (record.Fields.size() < kMaxCsvFields)
            record.Fields.push_back(std::move(field));
        ++record.FieldCount;
        field.clear();
    };
    bool quoted = false;
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (quoted) {
            if (c == '"' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                field += '"';
                pos_ += 2;
            } else if (c == '"') {
                quoted = false;
                ++pos_;
            } else if (AtLineEnd()) {
                field += '\n';
                SkipLineEnd();
            } else {
                field += c;
                ++pos_;
            }
        } else if (c == '"') {
            quoted = true;
            ++pos_;
        } else if (c == ',') {
            endField();
            ++pos_;
        } else if (AtLineEnd()) {
            SkipLineEnd();
            break;
        } else {
            field += c;
            ++pos_;
        }
    }
    record.Unterminated = quoted;
    endField();
    return true;
}

std::string CsvNamedValue(std::string_view column, std::string_view value) {
    constexpr std::size_t kShownLength = 24;
    std::string shown;
    for (char c : value.substr(0, kShownLength))
        shown += c >= ' ' && c <= '~' ? c : '?';
    if (value.size() > kShownLength)
        shown += "...";
    return std::string(column) + " \"" + shown + "\"";
}

std::string CsvField(std::string_view value) {
    if (value.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(value);
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace velmar
