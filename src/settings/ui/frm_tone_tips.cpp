#include "settings/ui/frm_tone_tips.h"

#include "channels/tone_tip_refs.h"
#include "channels/ui/open_channel_views.h"
#include "settings/ui/form_parts.h"
#include "settings/ui/tone_chart.h"
#include "settings/ui/tone_output.h"
#include "settings/ui/tone_tip_player.h"
#include "shell/ui/app_context.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <algorithm>

namespace velmar {

namespace {

constexpr int kTextCaption = 29000;
constexpr int kTextTab = 29001;
constexpr int kTextRepeat = 29002;
constexpr int kTextInterval = 29003;
constexpr int kTextTone = 29004;
constexpr int kTextLength = 29005;
constexpr int kTextPlay = 29006;
constexpr int kTextStop = 29007;
constexpr int kTextFirstStep = 29100;

// Geometry in twips.
constexpr int kMargin = 120;
constexpr int kGap = 120;
constexpr int kLabelGap = 100;
constexpr int kColumnGap = 400;
constexpr int kListWidth = 1100;
constexpr int kListHeight = 330;
constexpr int kFrameRowTop = 300;
constexpr int kFrame1Height = 690;
constexpr int kHeaderTop = 260;
constexpr int kFirstItemTop = 560;
constexpr int kRowPitch = 360;
constexpr int kRowsPerColumn = kToneTipItems / 2;
constexpr int kPictureHeight = 1500;
constexpr int kButtonHeight = 375;

} // namespace

FrmToneTips::FrmToneTips(AppContext& app, QWidget* parent)
    : QWidget(parent), app_(app), audio_(std::make_unique<AudioToneOutput>()),
      player_(std::make_unique<TipPlayer>(*audio_)), enterMovesFocus_(new EnterMovesFocus(this)) {
    BuildControls();
}

FrmToneTips::FrmToneTips(AppContext& app, ToneOutput& output, QWidget* parent)
    : QWidget(parent), app_(app), player_(std::make_unique<TipPlayer>(output)),
      enterMovesFocus_(new EnterMovesFocus(this)) {
    BuildControls();
}

FrmToneTips::~FrmToneTips() = default;

FrmToneTips* FrmToneTips::ShowForm(AppContext& app) {
    return static_cast<FrmToneTips*>(
        app.ShowChildForm(FormName, [&app] { return new FrmToneTips(app); }));
}

void FrmToneTips::BuildControls() {
    setObjectName(FormName);
    setWindowTitle(app_.Text(kTextCaption));

    tabStrip1_ = new QTabBar(this);
    tabStrip1_->setObjectName("TabStrip1");
    tabStrip1_->setExpanding(false);
    tabStrip1_->setUsesScrollButtons(false); // the window is as wide as its tabs
    for (int tip = 1; tip <= kToneTipCount; ++tip)
        tabStrip1_->addTab(app_.Text(kTextTab) + " " + QString::number(tip));

    frame1_ = new QGroupBox(this);
    frame1_->setObjectName("Frame1_0");
    label1_ = MakeLabel(frame1_, "Label1_0", app_.Text(kTextRepeat));
    combo1_ = MakeList(frame1_, "Combo1_0");
    FillList(combo1_, RepeatEntries(app_.Texts));
    label2_ = MakeLabel(frame1_, "Label2_0", app_.Text(kTextInterval));
    combo2_ = MakeList(frame1_, "Combo2_0");
    FillList(combo2_, TenfoldEntries());

    frame2_ = new QGroupBox(this);
    frame2_->setObjectName("Frame2_0");
    for (int column = 0; column < 2; ++column) {
        label3_[column] =
            MakeLabel(frame2_, "Label3_" + QString::number(column), app_.Text(kTextTone));
        label4_[column] =
            MakeLabel(frame2_, "Label4_" + QString::number(column), app_.Text(kTextLength));
    }
    const std::vector<std::string> tones = ToneEntries(app_.Texts);
    const std::vector<std::string> lengths = TenfoldEntries();
    for (int k = 0; k < kToneTipItems; ++k) {
        const QString n = QString::number(k);
        label5_[k] = MakeLabel(frame2_, "Label5_" + n, app_.Text(kTextFirstStep + k));
        combo3_[k] = MakeList(frame2_, "Combo3_" + n);
        FillList(combo3_[k], tones);
        combo4_[k] = MakeList(frame2_, "Combo4_" + n);
        FillList(combo4_[k], lengths);
    }

    picture1_ = new ToneChart(app_.Doc.Doc, this);
    picture1_->setObjectName("Picture1_0");
    command1_ = new QPushButton(app_.Text(kTextPlay), this);
    command1_->setObjectName("Command1_0");
    command2_ = new QPushButton(app_.Text(kTextStop), this);
    command2_->setObjectName("Command2_0");
    commandClose_ = AddCloseHelpButtons(this, app_);

    connect(tabStrip1_, &QTabBar::currentChanged, this, &FrmToneTips::TabChanged);
    connect(combo1_, &QComboBox::currentIndexChanged, this, &FrmToneTips::RepeatChanged);
    connect(combo2_, &QComboBox::currentIndexChanged, this, &FrmToneTips::IntervalChanged);
    enterMovesFocus_->Watch(combo1_);
    enterMovesFocus_->Watch(combo2_);
    for (int k = 0; k < kToneTipItems; ++k) {
        connect(combo3_[k], &QComboBox::currentIndexChanged, this,
                [this, k](int index) { ToneChanged(k, index); });
        connect(combo4_[k], &QComboBox::currentIndexChanged, this,
                [this, k](int index) { LengthChanged(k, index); });
        enterMovesFocus_->Watch(combo3_[k]);
        enterMovesFocus_->Watch(combo4_[k]);
    }
    connect(command1_, &QPushButton::clicked, this, &FrmToneTips::PrepareTonePlay);
    connect(command2_, &QPushButton::clicked, this, &FrmToneTips::StopTonePlay);
    connect(player_.get(), &TipPlayer::Finished, this, &FrmToneTips::StopTonePlay);

    CurrentTip = tabStrip1_->currentIndex() + 1;
    ApplyGeometry();
    ShowToneTip();
}

void FrmToneTips::ApplyGeometry() {
    const int listHeight = std::min(Tw(this, kListHeight), Tw(this, kRowPitch) - 2);
    tabStrip1_->move(Tw(this, kMargin), Tw(this, kMargin));
    tabStrip1_->resize(tabStrip1_->sizeHint());

    // Frame1(0): repeat and interval side by side.
    const int frame1Top = tabStrip1_->geometry().bottom() + Tw(this, kGap);
    combo1_->setGeometry(Tw(this, kMargin) + label1_->sizeHint().width() + Tw(this, kLabelGap),
                         Tw(this, kFrameRowTop), Tw(this, kListWidth), listHeight);
    PlaceLabelLeftOf(label1_, combo1_, kLabelGap);
    combo2_->setGeometry(combo1_->geometry().right() + Tw(this, kColumnGap) +
                             label2_->sizeHint().width() + Tw(this, kLabelGap),
                         Tw(this, kFrameRowTop), Tw(this, kListWidth), listHeight);
    PlaceLabelLeftOf(label2_, combo2_, kLabelGap);

    // Frame2(0): items 1 … 7 in the left column, 8 … 14 in the right, each a
    // row label, a tone list and a length list under their headers.
    const int stepLabels = WidestLabel(std::vector<QLabel*>(label5_.begin(), label5_.end()));
    const int listWidth = std::max(
        {Tw(this, kListWidth), label3_[0]->sizeHint().width(), label4_[0]->sizeHint().width()});
    int columnLeft = Tw(this, kMargin);
    for (int column = 0; column < 2; ++column) {
        const int toneLeft = columnLeft + stepLabels + Tw(this, kLabelGap);
        const int lengthLeft = toneLeft + listWidth + Tw(this, kGap);
        label3_[column]->move(toneLeft, Tw(this, kHeaderTop));
        label4_[column]->move(lengthLeft, Tw(this, kHeaderTop));
        for (int row = 0; row < kRowsPerColumn; ++row) {
            const int k = column * kRowsPerColumn + row;
            const int top = Tw(this, kFirstItemTop + row * kRowPitch);
            combo3_[k]->setGeometry(toneLeft, top, listWidth, listHeight);
            combo4_[k]->setGeometry(lengthLeft, top, listWidth, listHeight);
            PlaceLabelLeftOf(label5_[k], combo3_[k], kLabelGap);
        }
        columnLeft = lengthLeft + listWidth + Tw(this, kColumnGap);
    }
    const int frame2Width = columnLeft - Tw(this, kColumnGap) + Tw(this, kMargin);
    // The frames as wide as the widest of the items, the first row and the tabs.
    const int frame1Width = std::max(
        {frame2Width, combo2_->geometry().right() + Tw(this, kMargin), tabStrip1_->width()});
    frame1_->setGeometry(Tw(this, kMargin), frame1Top, frame1Width, Tw(this, kFrame1Height));
    const int frame2Top = frame1_->geometry().bottom() + Tw(this, kGap);
    frame2_->setGeometry(Tw(this, kMargin), frame2Top, frame1Width,
                         Tw(this, kFirstItemTop + kRowsPerColumn * kRowPitch + kGap));

    const int pictureTop = frame2_->geometry().bottom() + Tw(this, kGap);
    picture1_->setGeometry(Tw(this, kMargin), pictureTop, frame1Width, Tw(this, kPictureHeight));

    const int buttonTop = picture1_->geometry().bottom() + Tw(this, kGap);
    command1_->setGeometry(Tw(this, kMargin), buttonTop, ButtonWidth(command1_),
                           Tw(this, kButtonHeight));
    command2_->setGeometry(command1_->geometry().right() + Tw(this, kGap), buttonTop,
                           ButtonWidth(command2_), Tw(this, kButtonHeight));
    const int clientWidth = frame1_->geometry().right() + Tw(this, kMargin);
    commandClose_->setGeometry(frame1_->geometry().right() + 1 - ButtonWidth(commandClose_),
                               buttonTop, ButtonWidth(commandClose_), Tw(this, kButtonHeight));
    setFixedSize(clientWidth, commandClose_->geometry().bottom() + Tw(this, kMargin));
}

void FrmToneTips::ShowToneTip() {
    DocRecord& doc = app_.Doc.Doc;
    const ToneTip& tip = TipAt(doc, CurrentTip);
    WandToSave = false;
    SelectIndexQuietly(combo1_, tip.Repeat);
    SelectIndexQuietly(combo2_, tip.Interval);
    for (int k = 0; k < kToneTipItems; ++k) {
        SelectIndexQuietly(combo3_[k], ToneShownIndex(tip.Items[k].Tone));
        SelectIndexQuietly(combo4_[k], tip.Items[k].Length);
    }
    WandToSave = true;

    // Showing a value selects an entry: a value no list offers becomes the
    // entry shown, under the same rules as a choice.
    bool validityMayChange = false;
    if (combo1_->currentIndex() != tip.Repeat)
        validityMayChange |= SetTipRepeat(doc, CurrentTip, combo1_->currentIndex());
    if (combo2_->currentIndex() != tip.Interval)
        SetTipInterval(doc, CurrentTip, combo2_->currentIndex());
    for (int k = 0; k < kToneTipItems; ++k) {
        const int shownTone = ToneOfShownIndex(combo3_[k]->currentIndex());
        if (shownTone != tip.Items[k].Tone)
            SetTipTone(doc, CurrentTip, k + 1, shownTone);
        if (combo4_[k]->currentIndex() != tip.Items[k].Length)
            validityMayChange |= SetTipLength(doc, CurrentTip, k + 1, combo4_[k]->currentIndex());
    }
    if (validityMayChange)
        RepairToneTipRefs();
    picture1_->SetTip(CurrentTip);
}

void FrmToneTips::ReShowDocument() {
    ShowToneTip();
    picture1_->update();
}

void FrmToneTips::RepeatChanged(int index) {
    if (!WandToSave)
        return;
    const UndoStep step(app_, TipLabel());
    if (SetTipRepeat(app_.Doc.Doc, CurrentTip, index))
        RepairToneTipRefs();
    else // the last valid tip stays valid
        SelectIndexQuietly(combo1_, TipAt(app_.Doc.Doc, CurrentTip).Repeat);
}

void FrmToneTips::IntervalChanged(int index) {
    if (!WandToSave)
        return;
    const UndoStep step(app_, TipLabel());
    SetTipInterval(app_.Doc.Doc, CurrentTip, index);
}

void FrmToneTips::ToneChanged(int k, int index) {
    if (!WandToSave)
        return;
    const UndoStep step(app_, TipLabel());
    SetTipTone(app_.Doc.Doc, CurrentTip, k + 1, ToneOfShownIndex(index));
    picture1_->update();
}

void FrmToneTips::LengthChanged(int k, int index) {
    if (!WandToSave)
        return;
    const UndoStep step(app_, TipLabel());
    if (SetTipLength(app_.Doc.Doc, CurrentTip, k + 1, index)) {
        picture1_->update();
        RepairToneTipRefs();
    } else {
        SelectIndexQuietly(combo4_[k], TipAt(app_.Doc.Doc, CurrentTip).Items[k].Length);
    }
}

void FrmToneTips::TabChanged(int index) {
    if (index + 1 == CurrentTip || index < 0)
        return;
    CurrentTip = index + 1;
    ShowToneTip();
}

void FrmToneTips::RepairToneTipRefs() {
    OpenChannelViews views(app_);
    CheckToneTipRefs(app_.Doc, views);
}

void FrmToneTips::PrepareTonePlay() {
    command1_->setEnabled(false);
    if (!player_->Play(app_.Doc.Doc, CurrentTip))
        command1_->setEnabled(true); // nothing to play
}

void FrmToneTips::StopTonePlay() {
    player_->Stop();
    command1_->setEnabled(true);
}

void FrmToneTips::closeEvent(QCloseEvent* event) {
    StopTonePlay();
    QWidget::closeEvent(event);
}

} // namespace velmar
