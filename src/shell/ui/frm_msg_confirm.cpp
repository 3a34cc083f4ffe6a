#include "shell/ui/frm_msg_confirm.h"

#include "shell/edit_prefs.h"
#include "shell/ui/app_context.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmar {

void ApplyMsgConfirmAnswer(EditPreferences& prefs, int mode, bool answer, bool dontAskAgain) {
    if (mode == MsgConfirmPaste) {
        prefs.PasteInserts = answer;
        prefs.PasteNoAsk = dontAskAgain;
    } else if (mode == MsgConfirmDelete) {
        prefs.DeleteRemoves = answer;
        prefs.DeleteNoAsk = dontAskAgain;
    }
}

FrmMsgConfirm::FrmMsgConfirm(AppContext& app, int mode, QWidget* parent)
    : QDialog(parent), Label1(new QLabel(this)), Check1(new QCheckBox(this)),
      CommandOK(new QPushButton(this)), CommandCancel(new QPushButton(this)) {
    setObjectName("FrmMsgConfirm");
    Label1->setObjectName("Label1");
    Check1->setObjectName("Check1");
    CommandOK->setObjectName("CommandOK");
    CommandCancel->setObjectName("CommandCancel");

    setWindowTitle(app.Text(28000));
    Label1->setText(app.Text(mode == MsgConfirmPaste ? 28001 : 28002));
    Label1->setWordWrap(true);
    Check1->setText(app.Text(28003));
    CommandOK->setText(app.Text(28004));
    CommandCancel->setText(app.Text(28005));
    CommandOK->setDefault(true);
    connect(CommandOK, &QPushButton::clicked, this, [this] { CloseWithAnswer(true); });
    connect(CommandCancel, &QPushButton::clicked, this, [this] { CloseWithAnswer(false); });

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(Check1);
    buttonRow->addStretch();
    buttonRow->addWidget(CommandOK);
    buttonRow->addWidget(CommandCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addSpacing(8);
    layout->addLayout(buttonRow);
    setMinimumWidth(420);
}

bool FrmMsgConfirm::DontAskAgain() const {
    return Check1->isChecked();
}

void FrmMsgConfirm::CloseWithAnswer(bool yes) {
    answer_ = yes;
    accept();
}

std::optional<bool> AskMsgConfirm(QWidget* parent, int mode, AppContext& app) {
    FrmMsgConfirm dialog(app, mode, parent);
    dialog.exec();
    const std::optional<bool> answer = dialog.Answer();
    if (answer) {
        ApplyMsgConfirmAnswer(app.Settings.EditPrefs, mode, *answer, dialog.DontAskAgain());
        SaveEditPrefs(app.Locations.WritePath(HabitFile), app.Settings.EditPrefs);
    }
    return answer;
}

} // namespace velmar
