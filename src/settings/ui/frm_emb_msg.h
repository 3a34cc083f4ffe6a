#pragma once
#include <QLineEdit>
#include <QWidget>
#include <array>

#include "settings/emb_msg.h"
#include "shell/ui/document_view.h"

class QPushButton;

namespace velmar {

class AppContext;
class EnterMovesFocus;

// One line of the embedded message: at most 16 characters, typed in ASCII
// only. Characters above 127, cut, copy and paste are dropped, and so is
// every other way text could arrive (context menu, drops, the mouse's
// selection paste, input methods). Enter moves the focus on.
class EmbMsgLineEdit : public QLineEdit {
public:
    explicit EmbMsgLineEdit(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

// The embedded-message window: four lines, each stored into the document at
// every keystroke.
class FrmEmbMsg : public QWidget, public DocumentView {
    Q_OBJECT
public:
    static constexpr const char* FormName = "FrmEmbMsg";

    explicit FrmEmbMsg(AppContext& app, QWidget* parent = nullptr);
    // Brings the open window to the front, or opens one.
    static FrmEmbMsg* ShowForm(AppContext& app);

    // After an undo or redo: the four lines as the document holds them.
    void ReShowDocument() override;

    QLineEdit* Text1(int k) const { return text1_[k]; }
    QPushButton* CommandClose() const { return commandClose_; }

private:
    void LineChanged(int k);

    AppContext& app_;
    std::array<QLineEdit*, kEmbMsgLines> text1_{};
    QPushButton* commandClose_ = nullptr;
};

} // namespace velmar
