#pragma once
// The radio-wide settings of a document in the radio image: model and band,
// option bytes, the common channel, reset modes, emergency channels, embedded
// message, tone tips, group names and reset flags.
#include "link/radio_image.h"
#include "model/doc_record.h"

namespace velmar {

// Writes the settings of `doc` into their areas. The caller has set
// 0x2900 … 0x2BFF to 0xFF first; bytes of those areas that carry nothing stay
// so. A value wider than its byte is clamped (negative values to 0).
void WriteSettingsAreas(const DocRecord& doc, RadioImage& image);

// Reads the same areas back into `doc`; every field they do not carry keeps
// its value.
void ReadSettingsAreas(const RadioImage& image, DocRecord& doc);

} // namespace velmar
