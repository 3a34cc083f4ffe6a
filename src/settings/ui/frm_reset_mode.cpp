#include "settings/ui/frm_reset_mode.h"

#include "settings/ui/form_parts.h"
#include "shell/ui/app_context.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

namespace velmar {

namespace {

constexpr int kTextCaption = 31000;
constexpr int kTextEGroup = 16509;
constexpr int kTextEChannel = 16510;

// Geometry in twips.
constexpr int kClientWidth = 4680;
constexpr int kMargin = 240;
constexpr int kListLeast = 2040;
constexpr int kListWidth = 2160;
constexpr int kListHeight = 330;
constexpr int kFirstRowTop = 240;
constexpr int kRowPitch = 540;
constexpr int kLabelGap = 100;
constexpr int kButtonTop = 1380;
constexpr int kButtonHeight = 375;

} // namespace

FrmResetMode::FrmResetMode(AppContext& app, QWidget* parent)
    : QWidget(parent), app_(app), label1_23_(MakeLabel(this, "Label1_23", app.Text(kTextEGroup))),
      label1_24_(MakeLabel(this, "Label1_24", app.Text(kTextEChannel))),
      combo2_(MakeList(this, "Combo2")), combo1_24_(MakeList(this, "Combo1_24")),
      commandClose_(AddCloseHelpButtons(this, app)) {
    setObjectName(FormName);
    setWindowTitle(app_.Text(kTextCaption));
    auto* enterMovesFocus = new EnterMovesFocus(this);
    enterMovesFocus->Watch(combo2_);
    enterMovesFocus->Watch(combo1_24_);

    const int listLeft = std::max(Tw(this, kListLeast), Tw(this, kMargin + kLabelGap) +
                                                            WidestLabel({label1_23_, label1_24_}));
    combo2_->setGeometry(listLeft, Tw(this, kFirstRowTop), Tw(this, kListWidth),
                         Tw(this, kListHeight));
    combo1_24_->setGeometry(listLeft, Tw(this, kFirstRowTop + kRowPitch), Tw(this, kListWidth),
                            Tw(this, kListHeight));
    PlaceLabelLeftOf(label1_23_, combo2_, kLabelGap);
    PlaceLabelLeftOf(label1_24_, combo1_24_, kLabelGap);
    const int right = combo2_->geometry().right() + 1;
    const int buttonWidth = ButtonWidth(commandClose_);
    commandClose_->setGeometry(right - buttonWidth, Tw(this, kButtonTop), buttonWidth,
                               Tw(this, kButtonHeight));
    setFixedSize(std::max(Tw(this, kClientWidth), right + Tw(this, kMargin)),
                 commandClose_->geometry().bottom() + Tw(this, kMargin));

    connect(combo2_, &QComboBox::currentIndexChanged, this, &FrmResetMode::GroupPicked);
    connect(combo1_24_, &QComboBox::currentIndexChanged, this, &FrmResetMode::ChannelPicked);
    ReShowInit();
}

FrmResetMode* FrmResetMode::ShowForm(AppContext& app) {
    return static_cast<FrmResetMode*>(
        app.ShowChildForm(FormName, [&app] { return new FrmResetMode(app); }));
}

void FrmResetMode::ReShowInit() {
    velmar::ReShowInit(lists_, app_.Doc.Doc);
    ShowLists();
}

void FrmResetMode::ShowLists() {
    WandToSave = false;
    const auto show = [this](QComboBox* combo, const ComboList& list) {
        const QSignalBlocker quiet(combo);
        combo->clear();
        for (const std::string& entry : list.Entries)
            combo->addItem(app_.FromAnsi(entry)); // group names are record text
        combo->setCurrentIndex(list.Selected);
    };
    show(combo2_, lists_.EGroupShown.List);
    show(combo1_24_, lists_.ChannelLists[static_cast<int>(ResetMode::E)]);
    WandToSave = true;
}

void FrmResetMode::GroupPicked(int index) {
    if (!WandToSave)
        return;
    const UndoStep step(app_, {StepText::ResetMode, {}});
    lists_.EGroupShown.List.Selected = index;
    ShownEGroupChosen(lists_, app_.Doc.Doc);
    ShowLists();
}

void FrmResetMode::ChannelPicked(int index) {
    if (!WandToSave)
        return;
    const UndoStep step(app_, {StepText::ResetMode, {}});
    lists_.ChannelLists[static_cast<int>(ResetMode::E)].Selected = index;
    ChannelChosen(lists_, app_.Doc.Doc, ResetMode::E);
}

} // namespace velmar
