#pragma once
#include <QDialog>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace velmar {

class AppContext;
struct EditPreferences;

// Modes of the confirmation: which command asks.
inline constexpr int MsgConfirmPaste = 1;
inline constexpr int MsgConfirmDelete = 2;

// What an answer sets: paste (mode 1) PasteInserts := answer and
// PasteNoAsk := dontAskAgain; delete (mode 2) DeleteRemoves and DeleteNoAsk.
void ApplyMsgConfirmAnswer(EditPreferences& prefs, int mode, bool answer, bool dontAskAgain);

// The paste/delete confirmation (modal). CommandOK answers yes, CommandCancel
// no; closing it any other way gives no answer.
class FrmMsgConfirm : public QDialog {
    Q_OBJECT
public:
    FrmMsgConfirm(AppContext& app, int mode, QWidget* parent = nullptr);

    std::optional<bool> Answer() const { return answer_; }
    bool DontAskAgain() const;

private:
    void CloseWithAnswer(bool yes);

    QLabel* Label1;
    QCheckBox* Check1;
    QPushButton* CommandOK;
    QPushButton* CommandCancel;
    std::optional<bool> answer_;
};

// Shows FrmMsgConfirm over `parent`. An answer is stored in the editing
// preferences and Habit.ini is written; no answer changes nothing.
std::optional<bool> AskMsgConfirm(QWidget* parent, int mode, AppContext& app);

} // namespace velmar
