#pragma once
// The channel commands of the main window: cut, copy, paste, insert, delete,
// move up and move down, on one position of one group. They work on whole
// channel records: a one-record clipboard, deletion, and renumbering of the
// channels of the group.
#include <functional>
#include <string>
#include <vector>

#include "model/document.h"
#include "shell/edit_prefs.h"
#include "shell/text_lookup.h"

namespace velmar {

// The copied channel, kept for the whole run (a channel can be copied from
// one document into another).
struct ChannelClipboard {
    ChannelInfo ChClipboard{};
    bool ClipboardFull = false; // true after the first successful copy
};

// Command codes as the main window starts them.
enum class ChEditCommand { Cut = 1, Copy, Paste, Insert, Delete, MoveUp, MoveDown };

// The question FrmMsgConfirm asks before a paste or a delete.
enum class ConfirmMode { Paste = 1, Delete = 2 };

// Shows FrmMsgConfirm. The dialog may change the editing preferences the
// command reads (PasteInserts and PasteNoAsk, or DeleteRemoves and
// DeleteNoAsk); a dialog closed without an answer changes nothing.
using ConfirmEditPrefs = std::function<void(ConfirmMode)>;

// What a command works with.
struct ChEditContext {
    Document& document;
    ChannelClipboard& clipboard;
    EditPreferences& prefs;
    ConfirmEditPrefs confirm;
};

enum class ChEditStatus {
    Done,      // the command ran (possibly changing nothing, like a copy of an empty row)
    GroupFull, // insert refused: the last position of the group is in use
    Ignored,   // the position lies outside the group, or paste with an empty clipboard
};

// What the windows must redraw after a command.
struct ChEditResult {
    ChEditStatus Status = ChEditStatus::Done;
    bool AllRows = false;            // channels of the group were renumbered
    std::vector<int> ShownPositions; // rows whose channel changed
    int CurrentRow = 0;              // the row the cursor moves to; 0: it stays
};

// Runs `command` on position `pos` (1 … GroupSize) of `group`:
// - Copy: the channel at the position goes to the clipboard (an empty
//   position changes nothing).
// - Cut: Copy, then Delete.
// - Delete: unless DeleteNoAsk, asks first; removes the channel, then with
//   DeleteRemoves the following channels of the group move up one position.
// - Insert: the channels from the position on move down one position and the
//   position is left empty. Refused while the group's last position is in
//   use, since that channel has nowhere to go.
// - Paste: unless PasteNoAsk, asks first; with PasteInserts it first inserts
//   (and is refused as a whole when that is refused); then the clipboard's
//   channel takes the position (a clipboard channel marked empty clears it).
// - MoveUp / MoveDown: the channel swaps places with its neighbour; from the
//   first position up goes to the last and from the last down to the first.
// Every command works on the whole record, the receive frequency of the
// channels 1 … 120 included.
ChEditResult RunChEditCommand(ChEditCommand command, ChEditContext& context, int group, int pos);

// True when channel `chNo` has a record with a receive frequency that is not
// marked empty.
bool ChIsUsed(const Document& document, int chNo);

// The enabled states of the main window's channel-edit entries for the
// channel of the current row.
struct ChEditCommandStates {
    bool Cut = false;
    bool Copy = false;
    bool Paste = false;
    bool Insert = true;
    bool Delete = true;
    bool MoveUp = true;
    bool MoveDown = true;
};
ChEditCommandStates ChEditCommandStatesFor(const Document& document,
                                           const ChannelClipboard& clipboard, int chNo);

// The message that explains a refused insert or paste.
std::string GroupFullMessage(const TextLookup& texts);

} // namespace velmar
