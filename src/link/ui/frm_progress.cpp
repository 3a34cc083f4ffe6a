#include "link/ui/frm_progress.h"

#include "shell/ui/app_context.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace velmar {

namespace {

constexpr int TextReadCaption = 9027;
constexpr int TextWriteCaption = 9028;
constexpr int TextProgress = 9029;

} // namespace

FrmProgress::FrmProgress(AppContext& app, Kind kind, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      Label1_(new QLabel(this)), Label2_(new QLabel(this)), ProgressBar1_(new QProgressBar(this)) {
    setObjectName("FrmProgress");
    Label1_->setObjectName("Label1");
    Label2_->setObjectName("Label2");
    ProgressBar1_->setObjectName("ProgressBar1");
    setWindowTitle(app.Text(kind == Kind::Read ? TextReadCaption : TextWriteCaption));
    Label1_->setText(app.Text(TextProgress));
    Label2_->setText(QStringLiteral("0%"));
    ProgressBar1_->setRange(0, 100);
    ProgressBar1_->setValue(0);
    ProgressBar1_->setTextVisible(false);

    // Label1 just left of Label2.
    auto* labels = new QHBoxLayout;
    labels->addStretch();
    labels->addWidget(Label1_);
    labels->addWidget(Label2_);
    labels->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(labels);
    layout->addWidget(ProgressBar1_);
    setMinimumWidth(360);
}

void FrmProgress::SetProgressValue(int percent) {
    percent = qBound(0, percent, 100);
    ProgressBar1_->setValue(percent);
    Label2_->setText(QString::number(percent) + "%");
}

void FrmProgress::Finish() {
    finishing_ = true;
    accept();
}

void FrmProgress::reject() {
    if (finishing_)
        QDialog::reject();
}

void FrmProgress::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!loaded_) {
        loaded_ = true;
        // After the window is up, so that the exchange runs inside its modal loop.
        QTimer::singleShot(0, this, &FrmProgress::loaded);
    }
}

void FrmProgress::closeEvent(QCloseEvent* event) {
    if (finishing_)
        QDialog::closeEvent(event);
    else
        event->ignore();
}

} // namespace velmar
