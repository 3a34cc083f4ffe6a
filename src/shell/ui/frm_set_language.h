#pragma once
#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace velmar {

class AppContext;
struct ShellSettings;

// Takes list entry `listIndex` (0 English, 1 Chinese) as the language. The
// language in use changes nothing; otherwise PreviousLanguage keeps the old
// one, so that the main window re-applies its texts when next activated.
void ApplyLanguageChoice(ShellSettings& settings, int listIndex);

// The language dialog (modal). OK applies the choice and writes
// "CurrentLanguage" to mysetup.ini, changed or not; Cancel changes nothing.
class FrmSetLanguage : public QDialog {
    Q_OBJECT
public:
    explicit FrmSetLanguage(AppContext& app, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CommandOKClick();

    AppContext& app_;
    QLabel* Label1;
    QComboBox* Combo1;
    QPushButton* CommandOK;
    QPushButton* CommandCancel;
};

} // namespace velmar
