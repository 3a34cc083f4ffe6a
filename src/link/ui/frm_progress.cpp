#include "link/ui/frm_progress.h"

#include "link/remaining_time.h"
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
constexpr int TextReading = 9139;
constexpr int TextWriting = 9140;
constexpr int TextVerifying = 9141;
constexpr int TextTimeLeft = 9142;

} // namespace

FrmProgress::FrmProgress(AppContext& app, Kind kind, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint), app_(app),
      Label1_(new QLabel(this)), Label2_(new QLabel(this)), Label3_(new QLabel(this)),
      Label4_(new QLabel(this)), ProgressBar1_(new QProgressBar(this)) {
    setObjectName("FrmProgress");
    Label1_->setObjectName("Label1");
    Label2_->setObjectName("Label2");
    Label3_->setObjectName("Label3");
    Label4_->setObjectName("Label4");
    ProgressBar1_->setObjectName("ProgressBar1");
    setWindowTitle(app.Text(kind == Kind::Read ? TextReadCaption : TextWriteCaption));
    Label1_->setText(app.Text(TextProgress));
    ProgressBar1_->setRange(0, 100);
    ProgressBar1_->setTextVisible(false);

    // Label1 just left of Label2.
    auto* labels = new QHBoxLayout;
    labels->addStretch();
    labels->addWidget(Label1_);
    labels->addWidget(Label2_);
    labels->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label3_);
    layout->addLayout(labels);
    layout->addWidget(ProgressBar1_);
    layout->addWidget(Label4_);
    setMinimumWidth(360);
    SetPhase(kind == Kind::Read ? Phase::Reading : Phase::Writing);
}

void FrmProgress::SetPhase(Phase phase) {
    const int text = phase == Phase::Reading   ? TextReading
                     : phase == Phase::Writing ? TextWriting
                                               : TextVerifying;
    Label3_->setText(app_.Text(text));
    lastPercent_ = 0;
    clock_.start();
    ProgressBar1_->setValue(0);
    Label2_->setText(QStringLiteral("0%"));
    ShowTimeLeft(0);
}

void FrmProgress::ShowTimeLeft(int percent) {
    const auto left = EstimateRemaining(percent, 100, std::chrono::milliseconds(clock_.elapsed()));
    Label4_->setText(app_.Text(TextTimeLeft) + " " +
                     (left ? QString::fromStdString(RemainingTimeText(*left)) : QString("-:--")));
}

void FrmProgress::SetProgressValue(int percent) {
    percent = qBound(0, percent, 100);
    if (percent < lastPercent_)
        clock_.start();
    lastPercent_ = percent;
    ProgressBar1_->setValue(percent);
    Label2_->setText(QString::number(percent) + "%");
    ShowTimeLeft(percent);
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
