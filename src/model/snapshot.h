#pragma once
// Copies between the working document and its snapshot.
#include "model/document.h"

namespace velmar {

// The snapshot becomes the working document: ModelInfo of Doc takes ModelName
// and the band code of BandText, Version takes this program's tag, then Doc is
// copied to SavedDoc and the used part of ChList to SavedChList.
void SnapshotDocument(Document& doc);

// The working document becomes the snapshot: Doc and the used part of ChList
// are copied back, and the model globals (ModelName, BandText, band limits,
// the band code of RadioInfo) follow ModelInfo.
void AdoptDocument(Document& doc);

// Only the settings of the snapshot are taken: Doc := SavedDoc with the current
// model and band kept in ModelInfo, and SavedDoc := Doc. ChList is not touched.
void AdoptSettings(Document& doc);

} // namespace velmar
