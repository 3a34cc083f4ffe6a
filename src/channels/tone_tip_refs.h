#pragma once
// Roger-beep references to the eight tone tips: every channel and the
// radio-wide options name a tip by number (RbTone, 1 … 8), and a reference
// must name a tip that can play.
#include "channels/channel_views.h"
#include "model/document.h"

namespace velmar {

// Tip n (1 … 8) can play: it repeats at least once and one of its items has a
// length.
bool IsToneTipValid(const DocRecord& doc, int n);
int CountToneTips(const DocRecord& doc);
// The lowest valid tip; 0 when none is.
int FirstToneTip(const DocRecord& doc);

// Points every roger-beep reference that names no valid tip (used channels and
// OptChannel) at FirstToneTip, then refreshes the roger-beep lists of the
// detail editor and the optional-features window.
void CheckToneTipRefs(Document& document, ChannelViews& views);

} // namespace velmar
