#pragma once
// The embedded message: four lines of 16 single-byte characters. A line of
// fewer than 16 characters is stored as its characters, a NUL and blanks; a
// full line is stored as it is.
#include <string>
#include <string_view>

#include "model/doc_record.h"

namespace velmar {

inline constexpr int kEmbMsgLines = 4;
inline constexpr std::size_t kEmbMsgLineLength = 16;

// The stored form of a line typed as `text` (cut at 16 characters).
FixStr<kEmbMsgLineLength> EmbMsgStoredLine(std::string_view text);

// A key typed into a line passes: ASCII characters only, and not the cut,
// copy and paste controls (codes 24, 3, 22).
bool IsEmbMsgKeyAllowed(char32_t key);

// Each line rewritten in its stored form, as the window does when it opens:
// the text before a NUL, without trailing blanks.
void NormalizeEmbMsg(DocRecord& doc);

} // namespace velmar
