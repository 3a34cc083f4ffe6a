#pragma once
#include "model/document.h"

namespace velmar {

// True when the working document equals its snapshot, in what the user can
// change: fixed texts are compared by their useful part (TrimFixStr), channels
// by number whatever their order, Version and FmRadioList not at all. There
// is no dirty flag: an edit undone by hand counts as no change.
bool IsDocUnchanged(const Document& doc);
inline bool IsDocChanged(const Document& doc) {
    return !IsDocUnchanged(doc);
}

} // namespace velmar
