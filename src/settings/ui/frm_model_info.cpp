#include "settings/ui/frm_model_info.h"

#include "channels/combo_lists.h"
#include "settings/model_choice.h"
#include "settings/ui/form_parts.h"
#include "shell/ui/app_context.h"
#include "shell/ui/frm_main.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace velmar {

namespace {

constexpr int kTextAskNewDocument = 9016;
constexpr int kTextOK = 9017;
constexpr int kTextCancel = 9018;
constexpr int kTextCaption = 13000;
constexpr int kTextModel = 13001;
constexpr int kTextBand = 13002;

// Geometry in twips.
constexpr int kClientWidth = 4680;
constexpr int kClientHeight = 2265;
constexpr int kMargin = 240;
constexpr int kListLeast = 1320; // left edge of the lists
constexpr int kListWidth = 2880;
constexpr int kListHeight = 330;
constexpr int kFirstRowTop = 240;
constexpr int kRowPitch = 540;
constexpr int kLabelGap = 100;
constexpr int kButtonTop = 1500;
constexpr int kButtonHeight = 375;
constexpr int kButtonGap = 240;

} // namespace

FrmModelInfo::FrmModelInfo(AppContext& app, QWidget* parent)
    : QDialog(parent), app_(app), label0_(MakeLabel(this, "Label1_0", app.Text(kTextModel))),
      label1_(MakeLabel(this, "Label1_1", app.Text(kTextBand))), combo1_(MakeList(this, "Combo1")),
      combo2_(MakeList(this, "Combo2")), commandOK_(new QPushButton(app.Text(kTextOK), this)),
      commandCancel_(new QPushButton(app.Text(kTextCancel), this)) {
    setObjectName("FrmModelInfo");
    setModal(true);
    setFont(QFont("Arial", 9));
    setWindowTitle(app_.Text(kTextCaption));
    commandOK_->setObjectName("CommandOK");
    commandCancel_->setObjectName("CommandCancel");
    commandOK_->setAutoDefault(false);
    commandCancel_->setAutoDefault(false);
    for (const std::string& model : ModelList())
        combo1_->addItem(QString::fromStdString(model));
    auto* enterMovesFocus = new EnterMovesFocus(this);
    enterMovesFocus->Watch(combo1_);
    enterMovesFocus->Watch(combo2_);

    // Lists right of the wider label, buttons below.
    const int listLeft = std::max(Tw(this, kListLeast),
                                  Tw(this, kMargin + kLabelGap) + WidestLabel({label0_, label1_}));
    const int listHeight = Tw(this, kListHeight);
    combo1_->setGeometry(listLeft, Tw(this, kFirstRowTop), Tw(this, kListWidth), listHeight);
    combo2_->setGeometry(listLeft, Tw(this, kFirstRowTop + kRowPitch), Tw(this, kListWidth),
                         listHeight);
    PlaceLabelLeftOf(label0_, combo1_, kLabelGap);
    PlaceLabelLeftOf(label1_, combo2_, kLabelGap);
    const int buttonWidth = std::max(ButtonWidth(commandOK_), ButtonWidth(commandCancel_));
    const int right = combo2_->geometry().right() + 1;
    commandCancel_->setGeometry(right - buttonWidth, Tw(this, kButtonTop), buttonWidth,
                                Tw(this, kButtonHeight));
    commandOK_->setGeometry(commandCancel_->x() - Tw(this, kButtonGap) - buttonWidth,
                            Tw(this, kButtonTop), buttonWidth, Tw(this, kButtonHeight));
    setFixedSize(std::max(Tw(this, kClientWidth), right + Tw(this, kMargin)),
                 Tw(this, kClientHeight));

    connect(combo1_, &QComboBox::activated, this,
            [this](int) { FillBandList(combo1_->currentText()); });
    connect(commandOK_, &QPushButton::clicked, this, &FrmModelInfo::CommandOKClick);
    connect(commandCancel_, &QPushButton::clicked, this, &QDialog::reject);
    ShowModelInfo();
}

void FrmModelInfo::ShowModal(AppContext& app, QWidget* parent) {
    // The new model and band and the new document are one step.
    const StepLabel label{StepText::ModelAndBand, {}};
    const UndoStep step(app, label);
    FrmModelInfo dialog(app, parent);
    dialog.exec();
    if (!dialog.NewDocumentNeeded())
        return;
    // The new document is made after the dialog has closed.
    if (auto* main = dynamic_cast<FrmMain*>(app.MainWindow)) {
        main->LoadNewDoc(label);
        return;
    }
    app.CloseCurAllWindows();
    app.InitNewDocument();
}

void FrmModelInfo::ShowModelInfo() {
    const std::string model = FindComboText(ComboList{ModelList(), -1}, app_.Doc.ModelName);
    combo1_->setCurrentIndex(combo1_->findText(QString::fromStdString(model)));
    FillBandList(combo1_->currentText());
    // No entry is selected when the list does not hold the band.
    combo2_->setCurrentIndex(combo2_->findText(QString::fromStdString(app_.Doc.BandText)));
}

void FrmModelInfo::FillBandList(const QString& model) {
    combo2_->clear();
    for (const std::string& band : BandListOf(model.toStdString()))
        combo2_->addItem(QString::fromStdString(band));
    combo2_->setCurrentIndex(combo2_->count() > 0 ? 0 : -1);
}

void FrmModelInfo::CommandOKClick() {
    const std::string model = combo1_->currentText().toStdString();
    const std::string band = combo2_->currentText().toStdString();
    if (IsModelChange(app_.Doc, model, band) &&
        app_.Messages().Show(app_.Texts.GetText(kTextAskNewDocument), MsgButtons::OkCancel,
                             MsgIcon::Warning) == MsgAnswer::Ok) {
        ApplyModelChoice(app_.Doc, model, band);
        newDocumentNeeded_ = true;
    }
    accept();
}

} // namespace velmar
