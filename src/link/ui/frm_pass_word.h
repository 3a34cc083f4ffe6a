#pragma once
#include "link/ui/password_ansi.h"

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmar {

class AppContext;
struct LinkGlobals;

// The radio password dialog (modal): at most 4 characters, shown as "*",
// filled with the password held so far. OK keeps the typed password for the
// rest of the run (cut at a NUL, trailing blanks dropped); Cancel keeps the
// old one. The link's PasswordEntered is set once the dialog has loaded.
class FrmPassWord : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxLength = 4;

    FrmPassWord(AppContext& app, LinkGlobals& link, QWidget* parent = nullptr);

    QLineEdit* Text1() const { return Text1_; }
    QPushButton* CommandOK() const { return CommandOK_; }
    QPushButton* CommandCancel() const { return CommandCancel_; }

private:
    void CommandOKClick();

    AppContext& app_;
    LinkGlobals& link_;
    QLabel* Label1_;
    QLineEdit* Text1_;
    QPushButton* CommandOK_;
    QPushButton* CommandCancel_;
};

} // namespace velmar
