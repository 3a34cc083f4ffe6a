#pragma once
// The channel editing state of one run, shared by the channel grid and the
// channel detail editor. The main window keeps one instance for the whole
// run: the clipboard outlives every document and every window.
#include "channels/clipboard.h"

namespace velmar {

// Where the grid and the detail editor are editing.
struct ChannelEditState {
    int EditGroup = 0;          // group of the channel last selected
    int EditChPos = 1;          // position (grid row) being edited
    int EditCol = 1;            // grid column being edited, which is also the field code
    int EditRowShown = 1;       // row named in the grid's caption
    bool SkipEnterOnce = false; // the next cell entry does nothing
    bool SkipCheckOnce = false; // the next cell entry opens its editor without the row checks
};

struct ChannelSession {
    ChannelClipboard Clipboard; // ClipboardFull is cleared when the editing preferences load
    ChannelEditState Edit;
};

} // namespace velmar
