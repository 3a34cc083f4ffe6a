#include "shell/ui/document_undo.h"

#include "model/document_history.h"

#include "shell/ui/app_context.h"
#include "shell/ui/document_view.h"
#include "shell/ui/main_window_api.h"

#include <QApplication>

namespace velmar {

DocumentUndo::DocumentUndo(AppContext& app)
    : app_(app), history_(std::make_unique<DocumentHistory>()) {
    // Typing into a box is one step until the focus moves on.
    if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance()))
        connect(application, &QApplication::focusChanged, this, [this] { history_->EndMerge(); });
}

DocumentUndo::~DocumentUndo() = default;

bool DocumentUndo::CanUndo() const {
    return history_->CanUndo();
}

bool DocumentUndo::CanRedo() const {
    return history_->CanRedo();
}

void DocumentUndo::Restart() {
    history_->Reset(app_.Doc);
    depth_ = 0;
    fileWritten_ = false;
    emit Changed();
}

void DocumentUndo::Begin(const StepLabel& label, std::string mergeKey) {
    if (restoring_)
        return;
    if (depth_ == 0) {
        Settle();
        label_ = label;
        mergeKey_ = std::move(mergeKey);
    }
    ++depth_;
}

void DocumentUndo::End() {
    if (restoring_ || depth_ == 0 || --depth_ > 0)
        return;
    history_->Record(app_.Doc, label_, mergeKey_);
    if (fileWritten_) {
        fileWritten_ = false;
        history_->FileWritten(app_.Doc);
    }
    emit Changed();
}

void DocumentUndo::Settle() {
    if (depth_ > 0 || restoring_)
        return;
    history_->Fold(app_.Doc);
    emit Changed();
}

void DocumentUndo::FileWritten() {
    if (depth_ > 0) {
        fileWritten_ = true;
        return;
    }
    history_->FileWritten(app_.Doc);
    emit Changed();
}

bool DocumentUndo::Undo() {
    return Restore(false);
}

bool DocumentUndo::Redo() {
    return Restore(true);
}

bool DocumentUndo::Restore(bool redo) {
    if (depth_ > 0 || restoring_)
        return false;
    const bool done = redo ? history_->Redo(app_.Doc) : history_->Undo(app_.Doc);
    if (done) {
        restoring_ = true;
        ShowDocument();
        restoring_ = false;
        // What the windows repaired on showing it belongs to this state.
        history_->Fold(app_.Doc);
    }
    emit Changed();
    return done;
}

void DocumentUndo::ShowDocument() {
    for (QWidget* form : app_.OpenForms())
        if (auto* view = dynamic_cast<DocumentView*>(form))
            view->ReShowDocument();
    if (app_.MainWindow) {
        app_.MainWindow->ShowMainTxt();
        app_.MainWindow->LoadTree();
    }
}

QString DocumentUndo::UndoText() const {
    return QString::fromStdString(UndoEntryText(history_->UndoLabel(), false, app_.Texts));
}

QString DocumentUndo::RedoText() const {
    return QString::fromStdString(UndoEntryText(history_->RedoLabel(), true, app_.Texts));
}

QString DocumentUndo::UndoTip() const {
    return QString::fromStdString(UndoTipText(history_->UndoLabel(), false, app_.Texts));
}

QString DocumentUndo::RedoTip() const {
    return QString::fromStdString(UndoTipText(history_->RedoLabel(), true, app_.Texts));
}

UndoStep::UndoStep(AppContext& app, const StepLabel& label, std::string mergeKey)
    : undo_(app.History) {
    undo_.Begin(label, std::move(mergeKey));
}

UndoStep::~UndoStep() {
    undo_.End();
}

} // namespace velmar
