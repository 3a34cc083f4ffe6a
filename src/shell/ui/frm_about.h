#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace velmar {

class AppContext;

// The about box (modal).
class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(AppContext& app, QWidget* parent = nullptr);

private:
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
};

} // namespace velmar
