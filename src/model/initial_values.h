#pragma once
#include "model/document.h"

namespace velmar {

// Fills the working document, its channel list and RadioInfo with the values
// every new document starts from, before a template file is applied: the
// settings below, and two channels, 1 and 521, in the middle of the band.
// Fields the initial values do not name keep what they held (part of
// OptChannel, the unlisted words of ToneTips, the channel list beyond the two
// channels). ModelName, BandText and the band limits are read, not changed.
// `currentMonth` (1 … 12) goes into the batch text of RadioInfo. The channel
// grid's cursor and the link state are reset by their owners.
void InitDocValues(Document& doc, int currentMonth);

// The month of the local date, 1 … 12.
int CurrentMonth();

} // namespace velmar
