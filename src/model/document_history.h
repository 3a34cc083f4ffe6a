#pragma once
// Undo and redo: the states the document went through, one step per user
// action. The history keeps the current state whole and each step as the
// difference to its neighbour, so a step costs what it changed.
//
// A step either edits the working copy or replaces the document (New, Open,
// a read from the radio, the model dialog): only the second kind changes the
// snapshot, the model and band, the file name and the radio information. The
// states between two replacements share them, so that a save, which changes
// them without a step of its own, holds for every state of the document
// saved: undoing an edit after a Save As keeps the new file name, and undoing
// back to the saved state makes the document unchanged again.
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "model/document_state.h"
#include "model/step_label.h"

namespace velmar {

class DocumentHistory {
public:
    static constexpr std::size_t kDefaultLimit = 200;

    explicit DocumentHistory(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    // The history starts again at `doc`, with no steps.
    void Reset(const Document& doc);
    bool HasBase() const { return hasBase_; }

    // The change from the current state to `doc` becomes one step named
    // `label`, and the steps that were undone are dropped; nothing happens
    // when nothing differs. A step with a merge key equal to the last step's
    // joins it while that step is open for merging (no undo, redo or
    // EndMerge since), so typing in a box is one step. The oldest step goes
    // beyond the limit.
    void Record(const Document& doc, const StepLabel& label, std::string_view mergeKey = {});

    // `doc` becomes the current state without a step of its own: a change
    // nobody made as such (the group shown, a window's repairs on showing a
    // document, a save). Its neighbouring steps take the difference, and a
    // change of the snapshot, model, file name or radio information holds for
    // every state of the same document. A step left without a change goes.
    void Fold(const Document& doc);

    // The document's files were written (saved) or read (opened): the
    // snapshot in `doc` is what the file DocFileName holds, also for states
    // of other documents that name the same file. Folds `doc` first.
    void FileWritten(const Document& doc);

    // Ends merging: the next step is a step of its own.
    void EndMerge() { merging_ = false; }

    // Puts the state before the last step (after the next undone one) into
    // `doc`, which is folded first. False when there is no such step.
    bool Undo(Document& doc);
    bool Redo(Document& doc);

    bool CanUndo() const { return cursor_ > 0; }
    bool CanRedo() const { return cursor_ < steps_.size(); }
    std::size_t UndoCount() const { return cursor_; }
    std::size_t RedoCount() const { return steps_.size() - cursor_; }
    // The label of the step Undo (Redo) would take back (again); null when none.
    const StepLabel* UndoLabel() const;
    const StepLabel* RedoLabel() const;

    // Memory the history holds: the current state, the steps and the files.
    std::size_t MemoryBytes() const;

private:
    struct Step {
        StepLabel Label;
        std::string MergeKey;
        std::array<ByteDiff, 2> Working;
        std::array<ByteDiff, 3> Identity;

        bool ReplacesDocument() const;
        bool Empty() const;
    };
    template <std::size_t N>
    static std::array<ByteDiff, N> Diff(const std::array<ByteString, N>& from,
                                        const std::array<ByteString, N>& to);
    template <std::size_t N>
    static std::array<ByteString, N> Forward(const std::array<ByteDiff, N>& diff,
                                             const std::array<ByteString, N>& from);
    template <std::size_t N>
    static std::array<ByteString, N> Backward(const std::array<ByteDiff, N>& diff,
                                              const std::array<ByteString, N>& to);

    void FoldState(const DocumentState& now);
    void DropEmptySteps();
    // After landing in another document: its snapshot as its file now holds it.
    void TakeKnownFile(Document& doc);

    std::size_t limit_;
    bool hasBase_ = false;
    DocumentState current_;
    std::vector<Step> steps_; // oldest first; steps_[cursor_ − 1] led to current_
    std::size_t cursor_ = 0;
    bool merging_ = false;
    // The snapshot sections of each file as last written or read.
    std::map<std::string, std::array<ByteString, 2>> knownFiles_;
};

} // namespace velmar
