#include "shell/ui/frm_set_language.h"

#include "shell/startup.h"
#include "shell/ui/app_context.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmar {

void ApplyLanguageChoice(ShellSettings& settings, int listIndex) {
    const auto chosen = static_cast<std::int16_t>(listIndex + 1);
    if (chosen == settings.CurrentLanguage)
        return;
    settings.PreviousLanguage = settings.CurrentLanguage;
    settings.CurrentLanguage = chosen;
    settings.LanguageFile = chosen == ChineseLanguage ? "chinese.ini" : "english.ini";
}

FrmSetLanguage::FrmSetLanguage(AppContext& app, QWidget* parent)
    : QDialog(parent), app_(app), Label1(new QLabel(this)), Combo1(new QComboBox(this)),
      CommandOK(new QPushButton(this)), CommandCancel(new QPushButton(this)) {
    setObjectName("FrmSetLanguage");
    Label1->setObjectName("Label1");
    Combo1->setObjectName("Combo1");
    CommandOK->setObjectName("CommandOK");
    CommandCancel->setObjectName("CommandCancel");

    setWindowTitle(app.Text(23000));
    Label1->setText(app.Text(23001));
    Combo1->addItem(app.Text(23002));
    Combo1->addItem(app.Text(23003));
    CommandOK->setText(app.Text(9017));
    CommandCancel->setText(app.Text(9018));
    Combo1->setCurrentIndex(app.Settings.CurrentLanguage - 1);
    Combo1->installEventFilter(this);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(CommandOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(CommandCancel, QDialogButtonBox::RejectRole);
    connect(CommandOK, &QPushButton::clicked, this, &FrmSetLanguage::CommandOKClick);
    connect(CommandCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Combo1);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    setMinimumWidth(280);
}

// Enter in the list moves on to the next control instead of closing.
bool FrmSetLanguage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Combo1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmSetLanguage::CommandOKClick() {
    ApplyLanguageChoice(app_.Settings, Combo1->currentIndex());
    WriteCurrentLanguage(app_.Settings, app_.Locations.PrepareForWriting(MySetupFile));
    accept();
}

} // namespace velmar
