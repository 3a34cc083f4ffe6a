#pragma once
// Stand-ins for the program around the model: a message sink that records
// every message, text ids that read back as "#id", and a fresh new document.
#include <memory>
#include <string>
#include <vector>

#include "model/document.h"
#include "model/initial_values.h"
#include "model/snapshot.h"
#include "shell/message_sink.h"
#include "shell/text_lookup.h"

namespace velmar {

class RecordingSink : public MessageSink {
public:
    MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon) override {
        shown.push_back(text);
        return MsgAnswer::Ok;
    }
    std::vector<std::string> shown;
};

class IdTexts : public TextLookup {
public:
    std::string GetText(int id) const override { return "#" + std::to_string(id); }
};

// The document as InitDocValues leaves it, snapshot taken.
inline std::unique_ptr<Document> NewTestDocument() {
    auto doc = std::make_unique<Document>();
    InitDocValues(*doc, 5);
    SnapshotDocument(*doc);
    return doc;
}

// Everything of a document that a file operation may change.
inline bool SameDocument(const Document& a, const Document& b) {
    return a.Doc == b.Doc && a.SavedDoc == b.SavedDoc && a.ChList == b.ChList &&
           a.SavedChList == b.SavedChList && a.ModelName == b.ModelName &&
           a.BandText == b.BandText && a.BandLow == b.BandLow && a.BandHigh == b.BandHigh &&
           a.DocFileName == b.DocFileName && a.IsNewDocument == b.IsNewDocument &&
           a.RadioInfo == b.RadioInfo;
}

} // namespace velmar
