#pragma once
// The document as bytes, for keeping its past states: the working copy in
// the form of its data files, and apart from it what a new, opened or read
// document brings with it (the snapshot, the model and band, the file name,
// the radio information). Every section is decoded back exactly.
#include <array>

#include "model/byte_diff.h"
#include "model/document.h"

namespace velmar {

struct DocumentState {
    // Doc as a data file, then the used entries of ChList as a channel file.
    std::array<ByteString, 2> Working;
    // The same of SavedDoc and SavedChList, then ModelName, BandText, the band
    // limits, DocFileName, IsNewDocument and RadioInfo.
    std::array<ByteString, 3> Identity;

    friend bool operator==(const DocumentState&, const DocumentState&) = default;
};

DocumentState EncodeDocumentState(const Document& doc);

// Puts the state into `doc`; entries of ChList and SavedChList beyond the
// used ones are left as they are. InitSettingsMode is no part of a state.
void DecodeDocumentState(const DocumentState& state, Document& doc);

} // namespace velmar
