#include "model/doc_record.h"

namespace velmar {

DocBytes SerializeDocRecord(const DocRecord& doc) {
    return SerializeRecord<DocRecord, kDocRecordSize>(doc);
}

DocRecord ParseDocRecord(std::span<const std::uint8_t, kDocRecordSize> bytes) {
    return ParseRecord<DocRecord>(bytes);
}

} // namespace velmar
