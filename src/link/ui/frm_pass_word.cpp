#include "link/ui/frm_pass_word.h"

#include "link/link_globals.h"
#include "link/radio_password.h"
#include "shell/ui/app_context.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmar {

namespace {

constexpr int TextCaption = 23100;
constexpr int TextPassword = 23101;
constexpr int TextOK = 9017;
constexpr int TextCancel = 9018;
constexpr int LabelGapTwips = 50;

} // namespace

FrmPassWord::FrmPassWord(AppContext& app, LinkGlobals& link, QWidget* parent)
    : QDialog(parent), app_(app), link_(link), Label1_(new QLabel(this)),
      Text1_(new QLineEdit(this)), CommandOK_(new QPushButton(this)),
      CommandCancel_(new QPushButton(this)) {
    link_.PasswordEntered = false;
    setObjectName("FrmPassWord");
    Label1_->setObjectName("Label1");
    Text1_->setObjectName("Text1");
    CommandOK_->setObjectName("CommandOK");
    CommandCancel_->setObjectName("CommandCancel");

    setWindowTitle(app.Text(TextCaption));
    Label1_->setText(app.Text(TextPassword));
    Label1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Text1_->setEchoMode(QLineEdit::Password);
    Text1_->setMaxLength(MaxLength);
    Text1_->setText(app.FromAnsi(link.RadioPassword));
    // Selected, so that typing another password replaces the held one
    // instead of being refused at four characters.
    Text1_->selectAll();
    CommandOK_->setText(app.Text(TextOK));
    CommandCancel_->setText(app.Text(TextCancel));
    CommandOK_->setDefault(true);

    auto* row = new QHBoxLayout;
    row->addWidget(Label1_);
    row->addSpacing(LabelGapTwips / 15);
    row->addWidget(Text1_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(CommandOK_, QDialogButtonBox::AcceptRole);
    buttons->addButton(CommandCancel_, QDialogButtonBox::RejectRole);
    connect(CommandOK_, &QPushButton::clicked, this, &FrmPassWord::CommandOKClick);
    connect(CommandCancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    setMinimumWidth(260);

    link_.PasswordEntered = true;
}

void FrmPassWord::CommandOKClick() {
    EnterRadioPassword(link_, PasswordToAnsi(Text1_->text(), app_.AnsiIsGbk));
    accept();
}

} // namespace velmar
