#include "channels/clipboard.h"

#include "channels/channel_list.h"

namespace velmar {

namespace {

// Text of a refused insert; the built-in wording serves while a language file
// does not carry it.
constexpr int kTextGroupFull = 28006;
constexpr const char* kGroupFullFallback =
    "The last position of this group holds a channel, so no channel can move down: "
    "nothing was inserted. Delete or move that channel first.";

// The position of `channel` within `group`, 0 when it belongs to another group.
int PositionIn(const ChannelInfo& channel, int group) {
    const int pos = channel.ChNo - GroupStartNo(group);
    return pos >= 1 && pos <= GroupSize(group) ? pos : 0;
}

// Adds `delta` to the number of every channel of `group` whose position lies
// in first … last.
void Renumber(Document& document, int group, int first, int last, int delta) {
    for (int i = 0; i < UsedChCount(document); ++i) {
        ChannelInfo& channel = document.ChList[i];
        const int pos = PositionIn(channel, group);
        if (pos >= first && pos <= last)
            channel.ChNo = static_cast<std::int16_t>(channel.ChNo + delta);
    }
}

class GroupEdit {
public:
    GroupEdit(ChEditContext& context, int group, int pos)
        : context_(context), document_(context.document), group_(group), pos_(pos),
          size_(GroupSize(group)), chNo_(GroupStartNo(group) + pos) {}

    ChEditResult Run(ChEditCommand command) {
        if (group_ < 0 || group_ > kMemGroup || pos_ < 1 || pos_ > size_) {
            result_.Status = ChEditStatus::Ignored;
            return result_;
        }
        switch (command) {
        case ChEditCommand::Copy:
            Copy();
            break;
        case ChEditCommand::Cut:
            Copy();
            Delete();
            break;
        case ChEditCommand::Delete:
            Delete();
            break;
        case ChEditCommand::Insert:
            Insert();
            break;
        case ChEditCommand::Paste:
            Paste();
            break;
        case ChEditCommand::MoveUp:
            Swap(pos_ < 2 ? size_ : pos_ - 1);
            break;
        case ChEditCommand::MoveDown:
            Swap(pos_ + 1 > size_ ? 1 : pos_ + 1);
            break;
        }
        return result_;
    }

private:
    void Copy() {
        const int index = FindChIndex(document_, chNo_);
        if (index < 0)
            return;
        context_.clipboard.ChClipboard = document_.ChList[index];
        context_.clipboard.ClipboardFull = true;
    }

    void Delete() {
        if (!context_.prefs.DeleteNoAsk && context_.confirm)
            context_.confirm(ConfirmMode::Delete);
        ClearAt();
        if (context_.prefs.DeleteRemoves) {
            Renumber(document_, group_, pos_ + 1, size_, -1);
            result_.AllRows = true;
        }
    }

    // False when the channel at the last position would have to leave the group.
    bool Insert() {
        if (FindChInGroup(document_, group_, size_) != 0) {
            result_.Status = ChEditStatus::GroupFull;
            return false;
        }
        Renumber(document_, group_, pos_, size_ - 1, +1);
        result_.AllRows = true;
        ClearAt();
        return true;
    }

    void Paste() {
        const ChannelClipboard& clipboard = context_.clipboard;
        if (!clipboard.ClipboardFull) {
            result_.Status = ChEditStatus::Ignored;
            return;
        }
        if (!context_.prefs.PasteNoAsk && context_.confirm)
            context_.confirm(ConfirmMode::Paste);
        if (context_.prefs.PasteInserts && !Insert())
            return;
        const int index = FindChIndex(document_, chNo_);
        if (clipboard.ChClipboard.ChEmpty != 0) {
            DeleteChByNo(document_, chNo_);
        } else {
            ChannelInfo pasted = clipboard.ChClipboard;
            pasted.ChNo = static_cast<std::int16_t>(chNo_);
            if (index >= 0) {
                document_.ChList[index] = pasted;
            } else if (UsedChCount(document_) < kMaxChannels) {
                document_.ChList[UsedChCount(document_)] = pasted;
                document_.Doc.ChCount = static_cast<std::int16_t>(UsedChCount(document_) + 1);
            }
        }
        result_.ShownPositions.push_back(pos_);
    }

    // The channels at pos_ and target change places; a missing one leaves
    // the other alone at its new place.
    void Swap(int target) {
        const int offset = GroupStartNo(group_);
        for (int i = 0; i < UsedChCount(document_); ++i) {
            ChannelInfo& channel = document_.ChList[i];
            const int pos = PositionIn(channel, group_);
            if (pos == pos_)
                channel.ChNo = static_cast<std::int16_t>(offset + target);
            else if (pos == target)
                channel.ChNo = static_cast<std::int16_t>(offset + pos_);
        }
        result_.ShownPositions = {pos_, target};
        result_.CurrentRow = target;
    }

    void ClearAt() {
        DeleteChByNo(document_, chNo_);
        result_.ShownPositions.push_back(pos_);
    }

    ChEditContext& context_;
    Document& document_;
    const int group_;
    const int pos_;
    const int size_;
    const int chNo_;
    ChEditResult result_;
};

} // namespace

ChEditResult RunChEditCommand(ChEditCommand command, ChEditContext& context, int group, int pos) {
    return GroupEdit(context, group, pos).Run(command);
}

bool ChIsUsed(const Document& document, int chNo) {
    const int index = FindChIndex(document, chNo);
    if (index < 0)
        return false;
    const ChannelInfo& channel = document.ChList[index];
    const std::string rxFre = TrimFixStr(channel.RxFre);
    return channel.ChEmpty == 0 && !rxFre.empty() && rxFre != "FFFFFFFF";
}

ChEditCommandStates ChEditCommandStatesFor(const Document& document,
                                           const ChannelClipboard& clipboard, int chNo) {
    ChEditCommandStates states;
    states.Cut = states.Copy = ChIsUsed(document, chNo);
    states.Paste = clipboard.ClipboardFull;
    return states;
}

std::string GroupFullMessage(const TextLookup& texts) {
    std::string text = texts.GetText(kTextGroupFull);
    return text.empty() ? kGroupFullFallback : text;
}

} // namespace velmar
