#pragma once
// Undo and redo of the open document for the windows: each user action that
// changes the document is one step, from Begin to End (UndoStep), named as
// the Edit menu shows it. What changes outside a step (the group the grid
// shows, a window's own repairs on showing the document, a save) belongs to
// no step of its own: it is folded into the current state before the next
// step begins and before an undo or redo.
#include "model/step_label.h"

#include <QObject>
#include <QString>
#include <memory>
#include <string>

namespace velmar {

class AppContext;
class DocumentHistory;

class DocumentUndo : public QObject {
    Q_OBJECT
public:
    explicit DocumentUndo(AppContext& app);
    ~DocumentUndo() override;

    // The history starts again at the document as it is (start-up).
    void Restart();

    // Whatever changes the document until the matching End is one step named
    // `label`; nested Begins belong to the outermost one. A merge key makes
    // consecutive steps of one text box one step until the focus moves.
    void Begin(const StepLabel& label, std::string mergeKey = {});
    void End();
    bool InStep() const { return depth_ > 0; }

    // Folds what changed since the last step into the current state.
    void Settle();
    // The document's files were just written or read (Save, Open); inside a
    // step this waits for its end.
    void FileWritten();

    // Takes back the last step (makes the next undone one again); every open
    // window then shows the document as it is. False when there is none, or
    // while a step is under way.
    bool Undo();
    bool Redo();
    bool CanUndo() const;
    bool CanRedo() const;

    // What the Edit menu entries and the toolbar keys say.
    QString UndoText() const;
    QString RedoText() const;
    QString UndoTip() const;
    QString RedoTip() const;

    const DocumentHistory& History() const { return *history_; }

signals:
    // What Undo and Redo offer may have changed.
    void Changed();

private:
    bool Restore(bool redo);
    void ShowDocument();

    AppContext& app_;
    std::unique_ptr<DocumentHistory> history_;
    int depth_ = 0;
    bool restoring_ = false;
    bool fileWritten_ = false;
    StepLabel label_;
    std::string mergeKey_;
};

// One user action as one step: Begin on construction, End on destruction.
class UndoStep {
public:
    UndoStep(AppContext& app, const StepLabel& label, std::string mergeKey = {});
    ~UndoStep();
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

private:
    DocumentUndo& undo_;
};

} // namespace velmar
