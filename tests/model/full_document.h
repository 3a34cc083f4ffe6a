#pragma once
// A document with every one of its 529 channels in use, each channel's values
// its own, and its snapshot taken: the largest document there is.
#include <memory>
#include <string>

#include "model/document.h"
#include "model/initial_values.h"
#include "model/snapshot.h"

namespace velmar {

inline std::unique_ptr<Document> FullTestDocument() {
    auto doc = std::make_unique<Document>();
    InitDocValues(*doc, 5);
    for (int i = 0; i < kMaxChannels; ++i) {
        ChannelInfo ch = NewChannelInfo(i + 1);
        const int tenHz = 2600000 + 125 * i; // 26.00000 MHz on, 1.25 kHz apart
        ch.RxFre = MakeFixStr<8>((tenHz < 10000000 ? "0" : "") + std::to_string(tenHz));
        ch.RxTone = static_cast<std::int16_t>(i % 265);
        ch.TxTone = static_cast<std::int16_t>((i * 7) % 265);
        ch.AmFm = static_cast<std::int16_t>(i % 2);
        ch.RbTone = static_cast<std::int16_t>(1 + i % 8);
        doc->ChList[static_cast<std::size_t>(i)] = ch;
    }
    doc->Doc.ChCount = kMaxChannels;
    SnapshotDocument(*doc);
    return doc;
}

} // namespace velmar
