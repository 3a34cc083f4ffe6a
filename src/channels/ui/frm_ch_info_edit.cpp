#include "channels/ui/frm_ch_info_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "channels/change_labels.h"
#include "channels/channel_values.h"
#include "channels/ui/ch_info_edit_rx_box.h"
#include "channels/ui/frm_comm_ch_info.h"
#include "channels/ui/qt_combo.h"
#include "shell/ui/app_context.h"
#include "shell/ui/twips.h"

namespace velmar {

namespace {

// Geometry in twips.
constexpr int kClientWidth = 7965;
constexpr int kClientHeight = 5715;
constexpr int kMainOnlyHeight = 1100; // the three rows of the main version
constexpr int kMargin = 120;
constexpr int kGroupTop = 120;
constexpr int kPositionTop = 480;
constexpr int kFrameTop = 900;
constexpr int kFrameHeight = 3960;
constexpr int kFirstRowTop = 240; // inside Frame1
constexpr int kRowPitch = 360;
constexpr int kControlHeight = 330;
constexpr int kListLeft = 2280; // inside Frame1; the group and position lists line up with it
constexpr int kListWidth = 1815;
constexpr int kLabelGap = 100;
constexpr int kCheckGap = 240; // from a list to the first check box of its row
constexpr int kCheckSpacing = 120;
constexpr int kButtonTop = 4980;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;

constexpr int kTextClose = 9023;
constexpr int kTextHelp = 9025;

bool IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

// True when the box already holds exactly these entries.
bool Holds(const QComboBox& box, const ChEditChoices& entries) {
    if (box.count() != static_cast<int>(entries.size()))
        return false;
    for (int i = 0; i < box.count(); ++i)
        if (box.itemText(i) != ToQString(entries[i].Text) ||
            box.itemData(i).toInt() != entries[i].Value)
            return false;
    return true;
}

} // namespace

FrmCHInfoEdit::FrmCHInfoEdit(AppContext& app, ChannelEditState& edit, QWidget* parent)
    : QWidget(parent), app_(app), edit_(edit), views_(app) {
    setFont(QFont("Arial", 9));
    BuildControls();
    FillChEditLists();
    ApplyChEditTexts();
    SetGridEditData(true);
}

// --- Building, filling and texts --------------------------------------------------

void FrmCHInfoEdit::BuildControls() {
    const auto list = [this](QWidget* owner, const QString& name) {
        auto* box = new QComboBox(owner);
        box->setObjectName(name);
        box->setEditable(false);
        box->installEventFilter(this);
        return box;
    };
    Label4 = new QLabel(this);
    Label4->setObjectName("Label4");
    Combo8 = list(this, "Combo8");
    Combo4 = list(this, "Combo4");
    Combo4->hide();
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Combo1 = list(this, "Combo1");
    connect(Combo8, &QComboBox::activated, this, &FrmCHInfoEdit::GroupChosen);
    connect(Combo1, &QComboBox::activated, this, &FrmCHInfoEdit::PositionChosen);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    Frame1->installEventFilter(this);
    // Rows top to bottom, each followed by its check boxes, so the focus
    // moves through the window in reading order.
    for (const ChEditRowDef& def : kChEditRows) {
        RowControls& row = rows_[def.Row];
        row.Label = new QLabel(Frame1);
        if (def.Row == RowRxFre) {
            row.Label->setObjectName("Label2_0");
            Text1 = new RxFrequencyBox(Frame1);
            connect(Text1, &RxFrequencyBox::EnterPressed, this, &FrmCHInfoEdit::RxEnter);
            connect(Text1, &RxFrequencyBox::FocusLost, this, &FrmCHInfoEdit::StoreRxEntry);
        } else {
            row.Label->setObjectName(QString("Label3_%1").arg(def.LabelIndex));
            row.List = list(Frame1, QString("Combo2_%1").arg(def.ListIndex));
            connect(row.List, &QComboBox::activated, this, [this, r = def.Row] { ListChosen(r); });
        }
        for (std::size_t i = 0; i < kChEditChecks.size(); ++i) {
            if (kChEditChecks[i].Row != def.Row)
                continue;
            checks_[i] = new QCheckBox(Frame1);
            checks_[i]->setObjectName(QString("Check1_%1").arg(kChEditChecks[i].Index));
            checks_[i]->installEventFilter(this);
            connect(checks_[i], &QCheckBox::clicked, this, [this, i] { CheckClicked(i); });
        }
    }
    CommandClose = new QPushButton(this);
    CommandClose->setObjectName("CommandClose");
    connect(CommandClose, &QPushButton::clicked, this, [this] { AppContext::CloseForm(this); });
    CommandHelp = new QPushButton(this);
    CommandHelp->setObjectName("CommandHelp");
    CommandHelp->hide(); // no help file
}

void FrmCHInfoEdit::FillChEditLists() {
    ComboList groups;
    FillGroupNumbers(groups);
    const QSignalBlocker quietAll(Combo4);
    const QSignalBlocker quietShown(Combo8);
    for (std::size_t g = 0; g < groups.Entries.size(); ++g) {
        Combo4->addItem(ToQString(groups.Entries[g]));
        if (static_cast<int>(g) >= kFirstChosenGroup)
            Combo8->addItem(ToQString(groups.Entries[g]));
    }
}

void FrmCHInfoEdit::ApplyChEditTexts() {
    const TextLookup& texts = app_.Texts;
    setWindowTitle(app_.Text(kTextChEditCaption));
    Label4->setText(app_.Text(kTextChEditGroup));
    Label1->setText(app_.Text(kTextChEditPosition));
    for (const ChEditRowDef& def : kChEditRows)
        rows_[def.Row].Label->setText(ToQString(def.Caption.Text(texts)));
    for (std::size_t i = 0; i < kChEditChecks.size(); ++i)
        checks_[i]->setText(ToQString(kChEditChecks[i].Caption.Text(texts)));
    CommandClose->setText(app_.Text(kTextClose));
    CommandHelp->setText(app_.Text(kTextHelp));
    LayOut();
}

// Places every control; labels end 100 twips left of their control, after
// their captions are set. Lists move right, and the window grows, only when
// a caption would not fit otherwise.
void FrmCHInfoEdit::LayOut() {
    const auto px = [this](int twips) { return TwipsToPixels(twips, this); };
    const int controlHeight = px(kControlHeight);

    int widestLabel = 0;
    for (QLabel* label : {Label4, Label1}) {
        label->adjustSize();
        widestLabel = std::max(widestLabel, label->width());
    }
    for (RowControls& row : rows_) {
        row.Label->adjustSize();
        widestLabel = std::max(widestLabel, row.Label->width());
    }
    const int listLeft = std::max(px(kListLeft), px(kMargin) + widestLabel + px(kLabelGap));

    const auto placeLabel = [&](QLabel* label, const QWidget* control) {
        label->move(control->x() - px(kLabelGap) - label->width(),
                    control->y() + (control->height() - label->height()) / 2);
    };
    const auto placeControl = [&](QWidget* control, int left, int top) {
        control->setGeometry(left, top, px(kListWidth), controlHeight);
    };

    placeControl(Combo8, px(kMargin) + listLeft, px(kGroupTop));
    placeControl(Combo4, Combo8->x(), Combo8->y());
    placeControl(Combo1, px(kMargin) + listLeft, px(kPositionTop));
    placeLabel(Label4, Combo8);
    placeLabel(Label1, Combo1);

    int rightmost = 0;
    for (const ChEditRowDef& def : kChEditRows) {
        const RowControls& row = rows_[def.Row];
        QWidget* control = RowControl(def.Row);
        const int top = px(kFirstRowTop + def.Row * kRowPitch);
        placeControl(control, listLeft, top);
        placeLabel(row.Label, control);
        int x = listLeft + px(kListWidth) + px(kCheckGap);
        for (std::size_t i = 0; i < kChEditChecks.size(); ++i) {
            if (kChEditChecks[i].Row != def.Row)
                continue;
            QCheckBox* check = checks_[i];
            check->adjustSize();
            check->move(x, top + (controlHeight - check->height()) / 2);
            x += check->width() + px(kCheckSpacing);
        }
        rightmost = std::max(rightmost, x);
    }

    const int lowered = app_.Settings.IsMainVersion ? 0 : px(kMainOnlyHeight);
    const int frameWidth = std::max(px(kClientWidth - 2 * kMargin), rightmost + px(kMargin));
    Frame1->setGeometry(px(kMargin), px(kFrameTop), frameWidth, px(kFrameHeight) - lowered);
    const int width = frameWidth + 2 * px(kMargin);
    const int buttonWidth = std::max(px(kButtonWidth), CommandClose->sizeHint().width());
    CommandClose->setGeometry((width - buttonWidth) / 2, px(kButtonTop) - lowered, buttonWidth,
                              px(kButtonHeight));
    CommandHelp->setGeometry(CommandClose->geometry().translated(buttonWidth + px(kMargin), 0));
    setFixedSize(width, px(kClientHeight) - lowered);
}

QWidget* FrmCHInfoEdit::RowControl(ChEditRow row) const {
    return rows_[row].List ? static_cast<QWidget*>(rows_[row].List) : Text1;
}

// The rows of the main version, and the repeater row by the shown group.
void FrmCHInfoEdit::ShowRows() {
    for (const ChEditRowDef& def : kChEditRows) {
        const bool shown = IsChEditRowShown(def.Row, app_.Settings.IsMainVersion, ShownGroup());
        rows_[def.Row].Label->setVisible(shown);
        RowControl(def.Row)->setVisible(shown);
        for (std::size_t i = 0; i < kChEditChecks.size(); ++i)
            if (kChEditChecks[i].Row == def.Row)
                checks_[i]->setVisible(shown);
    }
}

// --- Showing a channel -----------------------------------------------------------

ChannelEnv FrmCHInfoEdit::Env() {
    return {app_.Messages(), app_.Texts, views_, app_.Settings.EditPrefs.ShowTxOffset};
}

int FrmCHInfoEdit::ShownGroup() const {
    return Combo4->currentIndex();
}

int FrmCHInfoEdit::ShownPos() const {
    return Combo1->currentIndex() + 1;
}

int FrmCHInfoEdit::ShownChNo() const {
    return GroupStartNo(ShownGroup()) + ShownPos();
}

void FrmCHInfoEdit::SelectGroup(int group) {
    const QSignalBlocker quietAll(Combo4);
    const QSignalBlocker quietShown(Combo8);
    Combo4->setCurrentIndex(std::clamp(group, 0, Combo4->count() - 1));
    Combo8->setCurrentIndex(Combo8->findText(Combo4->currentText()));
}

void FrmCHInfoEdit::ChangShowCHs(int groupId) {
    QStringList positions;
    for (int pos = 1; pos <= GroupSize(groupId); ++pos)
        positions.append(QString::number(pos));
    FillCombo(*Combo1, positions);
}

void FrmCHInfoEdit::SetGridEditData(bool isGridChange) {
    if (closing_)
        return;
    if (isGridChange) {
        SelectGroup(edit_.EditGroup);
        ChangShowCHs(ShownGroup());
        // a position the group does not have shows its first position
        const QSignalBlocker quiet(Combo1);
        Combo1->setCurrentIndex(std::max(Combo1->findText(QString::number(edit_.EditChPos)), 0));
    } else if (ShownGroup() != edit_.EditGroup) {
        edit_.EditGroup = ShownGroup();
        // the grid shows the editor's group; it refreshes this editor in turn
        if (FrmCommChInfo* grid = FindChannelGrid(app_))
            grid->ChangeGroup();
        ChangShowCHs(edit_.EditGroup);
    }
    if (Combo1->currentIndex() < 0) {
        const QSignalBlocker quiet(Combo1);
        Combo1->setCurrentIndex(0);
    }
    if (!isGridChange)
        edit_.EditChPos = ShownPos();

    ShowRows();
    WandToSave = false;
    ShowView(ShowChEditPosition(app_.Doc, Env(), ShownGroup(), ShownPos()));
    WandToSave = true;
}

void FrmCHInfoEdit::ShowView(const ChInfoEditView& view) {
    Text1->setText(ToQString(view.RxText));
    Text1->setEnabled(view.RxEnabled);
    for (const ChEditRowDef& def : kChEditRows)
        if (rows_[def.Row].List)
            ShowList(def.Row, view.Lists[def.Row]);
    for (std::size_t i = 0; i < kChEditChecks.size(); ++i) {
        checks_[i]->setChecked(view.Checks[i].Value == 1);
        checks_[i]->setEnabled(view.Checks[i].Enabled);
    }
}

void FrmCHInfoEdit::ShowList(ChEditRow row, const ChEditListView& list) {
    QComboBox& box = *rows_[row].List;
    const QSignalBlocker quiet(box);
    if (!Holds(box, list.Entries)) {
        box.clear();
        for (const ChEditChoice& entry : list.Entries)
            box.addItem(ToQString(entry.Text), entry.Value);
    }
    box.setCurrentIndex(list.Selected);
    box.setEnabled(list.Enabled);
}

bool FrmCHInfoEdit::IsChEditOpen() const {
    return !closing_;
}

void FrmCHInfoEdit::ShowBusyLockList(const std::vector<std::string>& /*entries*/,
                                     int /*selected*/) {
    if (closing_)
        return;
    WandToSave = false;
    ShowList(RowBusyLock, BusyLockView(app_.Doc, Env(), ShownChNo()));
    WandToSave = true;
}

void FrmCHInfoEdit::ShowRB() {
    if (closing_)
        return;
    WandToSave = false;
    ShowList(RowRbTone, RogerBeepView(app_.Doc, app_.Texts, ShownChNo()));
    WandToSave = true;
}

// --- Changes by the user -----------------------------------------------------------

void FrmCHInfoEdit::GroupChosen(int index) {
    const int group = Combo4->findText(Combo8->itemText(index));
    {
        const QSignalBlocker quiet(Combo4);
        Combo4->setCurrentIndex(group);
    }
    if (ShownGroup() != edit_.EditGroup)
        SetGridEditData(false);
    SelectGroup(ShownGroup());
}

void FrmCHInfoEdit::PositionChosen() {
    if (ShownPos() != edit_.EditChPos)
        SetGridEditData(false);
}

void FrmCHInfoEdit::ListChosen(ChEditRow row) {
    if (!WandToSave)
        return;
    const int value = rows_[row].List->currentData().isValid()
                          ? rows_[row].List->currentData().toInt()
                          : kNoChoice;
    if (value == kNoChoice)
        return;
    const UndoStep step(app_, ChannelValueLabel(kChEditRows[row].Code, ShownChNo()));
    SetChValue(app_.Doc, Env(), ShownGroup(), ShownPos(), kChEditRows[row].Code, value);
}

void FrmCHInfoEdit::CheckClicked(std::size_t check) {
    if (!WandToSave)
        return;
    const UndoStep step(app_, ChannelValueLabel(kChEditChecks[check].Code, ShownChNo()));
    SetChValue(app_.Doc, Env(), ShownGroup(), ShownPos(), kChEditChecks[check].Code,
               checks_[check]->isChecked() ? 1 : 0);
}

void FrmCHInfoEdit::StoreRxEntry() {
    // A warning box takes the focus while the entry is stored.
    if (!WandToSave || storingRx_ || closing_)
        return;
    storingRx_ = true;
    {
        const UndoStep step(app_, ChannelValueLabel(ChField::RxFre, ShownChNo()));
        std::string value = RxEntryToStore(Text1->text().toStdString());
        SetChValue(app_.Doc, Env(), ShownGroup(), ShownPos(), ChField::RxFre, value);
        SetGridEditData(false);
    }
    storingRx_ = false;
}

bool FrmCHInfoEdit::DiscardEntry() {
    if (closing_ || !Text1->isModified())
        return false;
    SetGridEditData(false);
    Text1->selectAll();
    return true;
}

void FrmCHInfoEdit::RxEnter() {
    StoreRxEntry();
    focusNextChild();
}

// --- Window events ------------------------------------------------------------------

void FrmCHInfoEdit::mousePressEvent(QMouseEvent* event) {
    // A click beside the controls ends the frequency entry as Enter does.
    if (Text1->hasFocus())
        RxEnter();
    QWidget::mousePressEvent(event);
}

bool FrmCHInfoEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Frame1) {
        if (event->type() == QEvent::MouseButtonPress && Text1->hasFocus())
            RxEnter();
        return false;
    }
    // Enter in a list or on a check box moves on to the next control.
    if (IsEnterKey(event)) {
        focusNextChild();
        return true;
    }
    return false;
}

void FrmCHInfoEdit::closeEvent(QCloseEvent* event) {
    if (Text1->hasFocus())
        StoreRxEntry();
    closing_ = true;
    QWidget::closeEvent(event);
}

FrmCHInfoEdit* ShowChInfoEdit(AppContext& app, ChannelSession& session) {
    return static_cast<FrmCHInfoEdit*>(app.ShowChildForm(
        kChInfoEditForm, [&]() -> QWidget* { return new FrmCHInfoEdit(app, session.Edit); }));
}

FrmCHInfoEdit* FindChInfoEdit(AppContext& app) {
    return qobject_cast<FrmCHInfoEdit*>(app.FindForm(kChInfoEditForm));
}

} // namespace velmar
