#include "channels/csv_reason.h"

#include "shell/filled_text.h"

namespace velmar {

std::string CsvReasonText(const CsvReason& reason, const TextLookup& texts) {
    return FilledText(texts.GetText(reason.TextId), reason.Args);
}

} // namespace velmar
