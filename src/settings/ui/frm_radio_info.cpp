#include "settings/ui/frm_radio_info.h"

#include "settings/model_choice.h"
#include "settings/ui/form_parts.h"
#include "shell/ui/app_context.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

namespace velmar {

namespace {

constexpr int kTextCaption = 21000;
constexpr int kTextDealerFrame = 21001;
constexpr int kTextAreaCode = 21002;
constexpr int kRepairReasonBox = 4;
constexpr int kVersionBox = 5;

// Geometry in twips.
constexpr int kClientWidth = 6870;
constexpr int kClientHeight = 7530;
constexpr int kMargin = 120;
constexpr int kBoxWidth = 4695;
constexpr int kRowHeight = 330;
constexpr int kRowPitch = 400;
constexpr int kReasonHeight = 1140; // four lines
constexpr int kLabelGap = 50;
constexpr int kFrameRowTop = 300;
constexpr int kButtonHeight = 375;

// A row of the window: the label (Label1 index, or -1 for Label2) with its
// text, and the control (Combo1 index, or Text1 index).
struct InfoRow {
    int Label;
    int TextId;
    bool IsList;
    int Control;
};

// Top to bottom above the dealer frame.
constexpr InfoRow kMainRows[] = {
    {-1, kTextAreaCode, false, 0}, {0, 21005, true, 0},
    {1, 21006, true, 1},           {8, 21003, false, 6},
    {9, 21004, false, 7},          {2, 21007, false, 1},
    {3, 21008, false, 2},          {6, 21010, false, 5},
    {4, 21009, false, 3},          {5, 21011, false, kRepairReasonBox},
};
// In the dealer frame.
constexpr InfoRow kDealerRows[] = {
    {10, 21013, false, 8}, {11, 21014, false, 9}, {12, 21015, false, 10}, {13, 21016, false, 11}};
constexpr int kReasonSecondLabel = 7; // below Label1(5), text 21012
constexpr int kReasonSecondText = 21012;

} // namespace

FrmRadioInfo::FrmRadioInfo(AppContext& app, QWidget* parent)
    : FrmRadioInfo(app, app.Doc.RadioInfo, parent) {}

FrmRadioInfo::FrmRadioInfo(AppContext& app, const RadioInfoRecord& info, QWidget* parent)
    : QWidget(parent), app_(app) {
    BuildControls();
    ApplyGeometry();
    ShowByData(info);
}

FrmRadioInfo* FrmRadioInfo::ShowForm(AppContext& app) {
    app.UnloadFormsByName(FormName);
    return static_cast<FrmRadioInfo*>(
        app.ShowChildForm(FormName, [&app] { return new FrmRadioInfo(app); }));
}

void FrmRadioInfo::ReShowDocument() {
    ShowByData(app_.Doc.RadioInfo);
}

void FrmRadioInfo::BuildControls() {
    setObjectName(FormName);
    setFont(QFont("Arial", 9));
    setWindowTitle(app_.Text(kTextCaption));
    frame1_ = new QGroupBox(app_.Text(kTextDealerFrame), this);
    frame1_->setObjectName("Frame1");

    const auto build = [&](const InfoRow& row, QWidget* parent) {
        const QString caption = app_.Text(row.TextId);
        if (row.Label < 0)
            label2_ = MakeLabel(parent, "Label2", caption);
        else
            label1_[row.Label] = MakeLabel(parent, "Label1_" + QString::number(row.Label), caption);
        if (row.IsList) {
            combo1_[row.Control] = MakeList(parent, "Combo1_" + QString::number(row.Control));
            combo1_[row.Control]->setEnabled(false);
            return;
        }
        QWidget* box = row.Control == kRepairReasonBox
                           ? static_cast<QWidget*>(new QPlainTextEdit(parent))
                           : static_cast<QWidget*>(new QLineEdit(parent));
        box->setObjectName("Text1_" + QString::number(row.Control));
        box->setEnabled(false);
        text1_[row.Control] = box;
    };
    for (const InfoRow& row : kMainRows)
        build(row, this);
    for (const InfoRow& row : kDealerRows)
        build(row, frame1_);
    label1_[kReasonSecondLabel] = MakeLabel(this, "Label1_" + QString::number(kReasonSecondLabel),
                                            app_.Text(kReasonSecondText));

    // The model list holds the one model, the band list its band.
    for (const std::string& model : ModelList())
        combo1_[0]->addItem(QString::fromStdString(model));
    combo1_[1]->addItem(QString::fromStdString(BandListOf(ModelList().front()).front()));
    QPalette windowBackground = text1_[kVersionBox]->palette();
    windowBackground.setColor(QPalette::Base, palette().color(QPalette::Window));
    text1_[kVersionBox]->setPalette(windowBackground);

    commandClose_ = AddCloseHelpButtons(this, app_);
}

void FrmRadioInfo::ApplyGeometry() {
    std::vector<QLabel*> labels(label1_.begin(), label1_.end());
    labels.push_back(label2_);
    // One column of boxes, far enough right for the widest label.
    const int boxLeft = std::max(Tw(this, kClientWidth - kMargin - kBoxWidth),
                                 Tw(this, 2 * kMargin + kLabelGap) + WidestLabel(labels));
    const auto place = [&](const InfoRow& row, int left, int top) {
        QWidget* control =
            row.IsList ? static_cast<QWidget*>(combo1_[row.Control]) : text1_[row.Control];
        const int height =
            row.Control == kRepairReasonBox && !row.IsList ? kReasonHeight : kRowHeight;
        control->setGeometry(left, top, Tw(this, kBoxWidth), Tw(this, height));
        QLabel* label = row.Label < 0 ? label2_ : label1_[row.Label];
        label->adjustSize();
        label->move(left - Tw(this, kLabelGap) - label->width(),
                    top + (Tw(this, kRowHeight) - label->height()) / 2);
        return top + Tw(this, height + kRowPitch - kRowHeight);
    };

    int top = Tw(this, kMargin);
    for (const InfoRow& row : kMainRows)
        top = place(row, boxLeft, top);
    QLabel* reasonLabel = label1_[kReasonSecondLabel];
    reasonLabel->adjustSize();
    const QWidget* reasonBox = text1_[kRepairReasonBox];
    reasonLabel->move(reasonBox->x() - Tw(this, kLabelGap) - reasonLabel->width(),
                      label1_[5]->geometry().bottom() + 1);

    // The dealer frame: its labels align on Text1(8), in the same column.
    const int frameLeft = Tw(this, kMargin);
    int frameTop = Tw(this, kFrameRowTop);
    for (const InfoRow& row : kDealerRows)
        frameTop = place(row, boxLeft - frameLeft, frameTop);
    const int frameWidth = boxLeft - frameLeft + Tw(this, kBoxWidth + kMargin);
    frame1_->setGeometry(frameLeft, top, frameWidth, frameTop);

    const int clientWidth =
        std::max(Tw(this, kClientWidth), frame1_->geometry().right() + Tw(this, kMargin));
    const int buttonWidth = ButtonWidth(commandClose_);
    const int buttonTop = frame1_->geometry().bottom() + Tw(this, kMargin);
    commandClose_->setGeometry(frame1_->geometry().right() + 1 - buttonWidth, buttonTop,
                               buttonWidth, Tw(this, kButtonHeight));
    setFixedSize(clientWidth, std::max(Tw(this, kClientHeight),
                                       commandClose_->geometry().bottom() + Tw(this, kMargin)));
}

void FrmRadioInfo::ShowByData(const RadioInfoRecord& info) {
    const RadioInfoShown shown = velmar::ShowByData(info);
    combo1_[0]->setCurrentIndex(combo1_[0]->findText(QString::fromStdString(shown.Model)));
    combo1_[1]->setCurrentIndex(
        shown.Band.empty() ? -1 : combo1_[1]->findText(QString::fromStdString(shown.Band)));
    for (int i = 0; i < kRadioInfoBoxes; ++i) {
        const QString text = app_.FromAnsi(shown.Boxes[i]);
        if (auto* line = qobject_cast<QLineEdit*>(text1_[i]))
            line->setText(text);
        else if (auto* lines = qobject_cast<QPlainTextEdit*>(text1_[i]))
            lines->setPlainText(text);
    }
}

QString FrmRadioInfo::BoxText(int index) const {
    if (const auto* line = qobject_cast<const QLineEdit*>(text1_[index]))
        return line->text();
    if (const auto* lines = qobject_cast<const QPlainTextEdit*>(text1_[index]))
        return lines->toPlainText();
    return {};
}

} // namespace velmar
