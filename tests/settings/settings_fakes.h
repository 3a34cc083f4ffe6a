#pragma once
// Stand-ins for the program around the settings rules: text ids that read
// back as "#id", and a document with the initial values.
#include <string>

#include "model/doc_record.h"
#include "shell/text_lookup.h"

namespace velmar {

class IdTexts : public TextLookup {
public:
    std::string GetText(int id) const override { return "#" + std::to_string(id); }
};

// Tip `tip` (1 … 8) made valid or invalid: one item of 100 ms and one play,
// or nothing.
inline void MakeTip(DocRecord& doc, int tip, bool valid) {
    ToneTip& t = doc.ToneTips[tip - 1];
    t = ToneTip{};
    if (valid) {
        t.Items[0] = {100, 10};
        t.Repeat = 1;
    }
}

} // namespace velmar
