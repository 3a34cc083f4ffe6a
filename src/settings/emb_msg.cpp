#include "settings/emb_msg.h"

namespace velmar {

namespace {
constexpr char32_t kCtrlC = 3;
constexpr char32_t kCtrlV = 22;
constexpr char32_t kCtrlX = 24;
constexpr char32_t kLastAscii = 127;
} // namespace

FixStr<kEmbMsgLineLength> EmbMsgStoredLine(std::string_view text) {
    text = text.substr(0, kEmbMsgLineLength);
    FixStr<kEmbMsgLineLength> line = MakeFixStr<kEmbMsgLineLength>(text);
    if (text.size() < kEmbMsgLineLength)
        line[text.size()] = '\0';
    return line;
}

bool IsEmbMsgKeyAllowed(char32_t key) {
    return key <= kLastAscii && key != kCtrlC && key != kCtrlV && key != kCtrlX;
}

void NormalizeEmbMsg(DocRecord& doc) {
    for (FixStr<kEmbMsgLineLength>& line : doc.EmbMsg)
        line = EmbMsgStoredLine(TrimFixStr(line));
}

} // namespace velmar
