#include "channels/ui/frm_comm_ch_info.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <exception>

#include "channels/change_labels.h"
#include "channels/channel_values.h"
#include "channels/group_names.h"
#include "channels/offset_codec.h"
#include "channels/tone_list.h"
#include "channels/ui/ch_edit_commands.h"
#include "channels/ui/frm_ch_info_edit.h"
#include "channels/ui/qt_combo.h"
#include "shell/ui/app_context.h"
#include "shell/ui/frm_msg_confirm.h"
#include "shell/ui/main_window_api.h"
#include "shell/ui/twips.h"

namespace velmar {

namespace {

// Header text and width (twips) of each column; width 0 hides the column.
constexpr struct {
    int textId;
    int width;
} kColumns[FrmCommChInfo::kCols] = {
    {14001, 740}, {14002, 1300}, {14003, 0}, {14004, 0}, {14005, 1200}, {14006, 1200},
    {14007, 0},   {14008, 0},    {14009, 0}, {14010, 0}, {14011, 1400},
};
constexpr int kTextTxOffsetHeader = 14100;

const QColor kRowNumberColour(0, 0, 255);
const QColor kDetailsColour(255, 0, 0);
const QColor kDetailsBackground(220, 220, 220);
const QColor kHeaderColour(0, 0, 155);

// Texts of the window.
constexpr int kTextCaption = 14012;
constexpr int kTextGroup = 14050;
constexpr int kTextGroupName = 14051;
constexpr int kTextEmgCh0 = 14052;
constexpr int kTextEmgCh1 = 14053;
constexpr int kTextDetails = 14023;
constexpr int kTextGroupValid = 14200;
constexpr int kTextNone = 14013;
constexpr int kTextClose = 9023;
constexpr int kTextHelp = 9025;

// The fixed entries of the list editors Combo2(0) … Combo5(0).
const std::vector<int> kListTexts[] = {
    {14014, 14015, 14016}, // Combo2: column 6
    {14017, 14018},        // Combo3: column 7, ScanSkip
    {14013, 14019},        // Combo4: column 8, OptSignal
    {14020, 14021, 14022}, // Combo5: column 9, ChSpacing
};

// Layout in twips.
constexpr int kWindowWidth = 6800, kWindowHeight = 6400;
constexpr int kFirstLine = 120, kSecondLine = 480;
constexpr int kLabelGap = 50;
constexpr int kGridLeft = 240, kGridTop = 960, kGridWidth = 6200, kGridHeight = 4905;
constexpr int kHeaderHeight = 500;
constexpr int kRowHeight = 330;
constexpr int kButtonTop = 6000, kButtonWidth = 1215, kButtonHeight = 375;

// Column 2 of a channel: its transmit offset (asOffset) or transmit frequency.
QString TxFreCell(const ChannelInfo& channel, bool asOffset, const FreContext& fre) {
    return QString::fromStdString(TxFreShow(TrimFixStr(channel.RxFre), TrimFixStr(channel.Offset),
                                            channel.ShiftDir, asOffset, fre));
}

} // namespace

FrmCommChInfo::FrmCommChInfo(AppContext& app, ChannelSession& session, QWidget* parent)
    : QWidget(parent), app_(app), doc_(app.Doc), session_(session), edit_(session.Edit),
      views_(app),
      confirm_([this](ConfirmMode mode) { AskMsgConfirm(this, static_cast<int>(mode), app_); }) {
    Guard("frmCommChInfo_Form_Load", [&] {
        BuildControls();
        CommandHelp->hide();
        resize(TwipsToPixels(kWindowWidth, this), TwipsToPixels(kWindowHeight, this));
        {
            ComboList groups;
            FillGroupNumbers(groups);
            ShowComboList(*Combo7, groups);
            groups.Entries.erase(groups.Entries.begin(),
                                 groups.Entries.begin() + kFirstChosenGroup);
            ShowComboList(*Combo9, groups);
        }
        InitShowGrid();
        ChangShowByLanguage();
        SetGridData();
        GridLoaded = true; // the cursor is on row 1, column 1 since the group was shown
    });
}

void FrmCommChInfo::Guard(const char* label, const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception&) {
        app_.Messages().Show(label, MsgButtons::Ok, MsgIcon::None);
    }
}

ChannelEnv FrmCommChInfo::Env() {
    return {app_.Messages(), app_.Texts, views_, app_.Settings.EditPrefs.ShowTxOffset};
}

// --- Building --------------------------------------------------------------

void FrmCommChInfo::BuildControls() {
    const auto twips = [this](int value) { return TwipsToPixels(value, this); };
    const auto place = [&](QWidget* control, int left, int top, int width) {
        control->move(twips(left), twips(top));
        control->resize(twips(width), control->sizeHint().height());
    };
    const auto named = [](auto* control, const char* name) {
        control->setObjectName(name);
        return control;
    };

    Label1 = named(new QLabel(this), "Label1");
    Combo7 = named(new QComboBox(this), "Combo7");
    Combo9 = named(new QComboBox(this), "Combo9");
    Label2 = named(new QLabel(this), "Label2");
    Text3 = named(new QLineEdit(this), "Text3");
    Check1 = named(new QCheckBox(this), "Check1");
    place(Combo7, 840, kFirstLine, 615);
    place(Combo9, 840, kFirstLine, 615);
    Combo7->hide();
    place(Text3, 2280, kFirstLine, 975);
    Text3->setMaxLength(kGroupNameLength);
    place(Check1, 1680, kSecondLine, 2400);

    // Emergency channel 1 and its AM/FM choice are seen; channel 0 and its
    // choice lie beyond the window's right edge but are kept filled all the same.
    const struct {
        int left, top;
        const char* label;
        const char* combo;
    } emergency[4] = {{8160, kFirstLine, "Label3(0)", "Combo8(0)"},
                      {4320, kFirstLine, "Label3(1)", "Combo8(1)"},
                      {8160, kSecondLine, "Label3(2)", "Combo8(2)"},
                      {4320, kSecondLine, "Label3(3)", "Combo8(3)"}};
    for (int i = 0; i < 4; ++i) {
        Label3[i] = named(new QLabel(this), emergency[i].label);
        Combo8[i] = named(new QComboBox(this), emergency[i].combo);
        place(Combo8[i], emergency[i].left, emergency[i].top, 975);
        Combo8[i]->installEventFilter(this);
        connect(Combo8[i], &QComboBox::activated, this, [this, i] { Combo8Chosen(i); });
    }
    Label3[2]->setText("AM/FM 0");
    Label3[3]->setText("AM/FM 1");

    MSFlexGrid1 = named(new QTableWidget(this), "MSFlexGrid1");
    MSFlexGrid1->setGeometry(twips(kGridLeft), twips(kGridTop), twips(kGridWidth),
                             twips(kGridHeight));

    CommandClose = named(new QPushButton(this), "CommandClose");
    CommandCHInfoEdit = named(new QPushButton(this), "CommandCHInfoEdit");
    CommandHelp = named(new QPushButton(this), "CommandHelp");
    for (auto [button, left] : {std::pair{CommandClose, 720}, std::pair{CommandCHInfoEdit, 2280},
                                std::pair{CommandHelp, 4800}})
        button->setGeometry(twips(left), twips(kButtonTop), twips(kButtonWidth),
                            twips(kButtonHeight));

    BuildInCellEditors();

    TimerCHEdit.setInterval(1000);
    TimerCHEdit.setSingleShot(true);
    ScrollTimer.setInterval(500);
    ScrollTimer.setSingleShot(true);

    connect(Combo9, &QComboBox::activated, this, [this](int index) {
        Guard("frmCommChInfo_Combo9_Click", [&] { SelectGroup(index + kFirstChosenGroup); });
    });
    connect(Check1, &QCheckBox::clicked, this, &FrmCommChInfo::Check1Click);
    connect(Text3, &QLineEdit::textEdited, this, &FrmCommChInfo::Text3Edited);
    Text3->installEventFilter(this);
    connect(CommandClose, &QPushButton::clicked, this, [this] { AppContext::CloseForm(this); });
    connect(CommandCHInfoEdit, &QPushButton::clicked, this, [this] {
        CommitCellEdit();
        ShowChEdit(false);
    });
}

void FrmCommChInfo::InitShowGrid() {
    Guard("frmCommChInfo_InitShowGridError", [&] {
        QTableWidget& grid = *MSFlexGrid1;
        grid.setColumnCount(kCols);
        grid.verticalHeader()->hide();
        grid.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid.verticalHeader()->setDefaultSectionSize(TwipsToPixels(kRowHeight, this));
        grid.horizontalHeader()->setFixedHeight(TwipsToPixels(kHeaderHeight, this));
        grid.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid.horizontalHeader()->setSectionsClickable(false);
        grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid.setSelectionMode(QAbstractItemView::SingleSelection);
        grid.setSelectionBehavior(QAbstractItemView::SelectItems);
        grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        grid.setTabKeyNavigation(false);
        for (int col = 0; col < kCols; ++col) {
            auto* header = new QTableWidgetItem;
            header->setTextAlignment(Qt::AlignCenter);
            grid.setHorizontalHeaderItem(col, header);
            grid.setColumnWidth(col, TwipsToPixels(kColumns[col].width, this));
            grid.setColumnHidden(col, kColumns[col].width == 0);
        }
        InitGridRows(true);
        grid.installEventFilter(this);
        connect(&grid, &QTableWidget::currentCellChanged, this, [this] {
            if (GridFilling)
                return;
            Guard("frmCommChInfo_MSFlexGrid1_EnterCell", [&] {
                UpdateEditCommands();
                CellEntry();
            });
        });
        connect(&grid, &QTableWidget::cellClicked, this, [this] {
            if (!TimerCHEdit.isActive())
                Guard("frmCommChInfo_MSFlexGrid1_Click", [&] { CellEntry(); });
        });
        connect(&grid, &QTableWidget::cellDoubleClicked, this,
                [this](int, int col) { GridDoubleClicked(col); });
        connect(grid.verticalScrollBar(), &QScrollBar::valueChanged, this,
                [this] { Guard("frmCommChInfo_MSFlexGrid1_Scroll", [&] { GridScrolled(); }); });
    });
}

void FrmCommChInfo::PlaceLabelLeftOf(QLabel* label, QWidget* control, int roomStart) {
    const int gap = TwipsToPixels(kLabelGap, this);
    const int right = control->x() - gap;
    const int room = right - roomStart - gap;
    label->setWordWrap(false);
    label->adjustSize();
    // A text wider than the room left of its control wraps rather than
    // covering the control before it.
    if (label->width() > room && room > 0) {
        label->setWordWrap(true);
        label->resize(room, label->heightForWidth(room));
    }
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->move(right - label->width(), control->y() + (control->height() - label->height()) / 2);
}

void FrmCommChInfo::ChangShowByLanguage() {
    Guard("frmCommChInfo_ChangShowByLanguage", [&] {
        Check1->setText(app_.Text(kTextGroupValid));
        Label1->setText(app_.Text(kTextGroup));
        Label2->setText(app_.Text(kTextGroupName));
        Label3[0]->setText(app_.Text(kTextEmgCh0));
        Label3[1]->setText(app_.Text(kTextEmgCh1));
        CommandCHInfoEdit->setText(app_.Text(kTextDetails));
        const auto rightOf = [](const QWidget* w) { return w->x() + w->width(); };
        PlaceLabelLeftOf(Label1, Combo9, 0);
        PlaceLabelLeftOf(Label2, Text3, rightOf(Combo9));
        PlaceLabelLeftOf(Label3[1], Combo8[1], rightOf(Text3));
        PlaceLabelLeftOf(Label3[3], Combo8[3], Check1->x() + Check1->sizeHint().width());
        PlaceLabelLeftOf(Label3[0], Combo8[0], rightOf(Combo8[1]));
        PlaceLabelLeftOf(Label3[2], Combo8[2], rightOf(Combo8[3]));
        ShowCaption();

        for (int col = 0; col < kCols; ++col) {
            QTableWidgetItem* header = MSFlexGrid1->horizontalHeaderItem(col);
            const bool offsets = col == 2 && app_.Settings.EditPrefs.ShowTxOffset;
            header->setText(app_.Text(offsets ? kTextTxOffsetHeader : kColumns[col].textId));
            header->setForeground(kHeaderColour);
        }
        ShowRowHeads(true);

        QStringList tones;
        for (const std::string& tone : ToneList())
            tones.append(QString::fromStdString(tone));
        tones[0] = app_.Text(kTextNone);
        FillCombo(*ListEditors[0], tones);
        for (std::size_t list = 0; list < std::size(kListTexts); ++list) {
            QStringList entries;
            for (int id : kListTexts[list])
                entries.append(app_.Text(id));
            FillCombo(*ListEditors[list + 1], entries);
        }
        for (int i : {2, 3})
            FillCombo(*Combo8[i], {"AM", "FM"});
        CommandClose->setText(app_.Text(kTextClose));
        CommandHelp->setText(app_.Text(kTextHelp));
    });
}

void FrmCommChInfo::SetGridData() {
    Guard("frmCommChInfo_SetGridData", [&] {
        const int stored = doc_.Doc.OptFeatures.Word(OptWord::CurGroup);
        SelectGroup(stored >= 0 && stored <= kMemGroup ? stored : 0);
        if (app_.MainWindow)
            app_.MainWindow->LoadTree();
    });
}

void FrmCommChInfo::ReShowChInfoByLanguage() {
    ChangShowByLanguage();
    SetGridData();
}

// --- Rows and groups ---------------------------------------------------------

int FrmCommChInfo::ShownGroup() const {
    return std::max(0, Combo7->currentIndex());
}

int FrmCommChInfo::CurRow() const {
    return MSFlexGrid1->currentRow() + 1;
}

int FrmCommChInfo::CurCol() const {
    return MSFlexGrid1->currentColumn();
}

int FrmCommChInfo::TopRow() const {
    return MSFlexGrid1->rowAt(0) + 1;
}

int FrmCommChInfo::RowCount() const {
    return MSFlexGrid1->rowCount();
}

QString FrmCommChInfo::CellText(int row, int col) const {
    const QTableWidgetItem* item = MSFlexGrid1->item(row - 1, col);
    return item ? item->text() : QString();
}

void FrmCommChInfo::SetCellText(int row, int col, const QString& text) {
    if (row < 1 || row > RowCount())
        return;
    QTableWidgetItem* item = MSFlexGrid1->item(row - 1, col);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        MSFlexGrid1->setItem(row - 1, col, item);
    }
    item->setText(text);
}

void FrmCommChInfo::InitGridRows(bool rebuild) {
    if (rebuild) {
        const bool wasFilling = GridFilling;
        GridFilling = true; // the scroll and cursor changes of the new row count are no user's
        MSFlexGrid1->setRowCount(GroupSize(doc_.Doc.OptFeatures.Word(OptWord::CurGroup)));
        GridFilling = wasFilling;
    }
    HideEditors();
}

void FrmCommChInfo::ShowRowHeads(bool rebuild) {
    GridFilling = true;
    if (rebuild) {
        for (int row = 1; row <= RowCount(); ++row) {
            SetCellText(row, 0, QString::number(row));
            MSFlexGrid1->item(row - 1, 0)->setForeground(kRowNumberColour);
            SetCellText(row, kLastCol, ">>");
            QTableWidgetItem* details = MSFlexGrid1->item(row - 1, kLastCol);
            details->setForeground(kDetailsColour);
            details->setBackground(kDetailsBackground);
        }
    }
    MSFlexGrid1->setCurrentCell(0, 1);
    edit_.EditCol = 1;
    edit_.EditChPos = 1;
    GridFilling = false;
}

void FrmCommChInfo::FillRow(int row, const ChannelInfo& channel) {
    const FreContext fre = FreContextOf(doc_, Env());
    const auto listText = [&](int list, int index) {
        return QString::fromStdString(ComboTextAt(ToComboList(*ListEditors[list]), index));
    };
    SetCellText(row, 1, QString::fromStdString(FreStoreToShow(TrimFixStr(channel.RxFre), fre)));
    SetCellText(row, 2, TxFreCell(channel, app_.Settings.EditPrefs.ShowTxOffset, fre));
    SetCellText(row, 4, listText(0, channel.RxTone));
    SetCellText(row, 5, listText(0, channel.TxTone));
    SetCellText(row, 7, listText(2, channel.ScanSkip));
    SetCellText(row, 8, listText(3, channel.OptSignal));
    SetCellText(row, 9, listText(4, channel.ChSpacing));
}

void FrmCommChInfo::ClearRow(int row) {
    for (int col = 1; col <= kCols - 2; ++col)
        SetCellText(row, col, QString());
}

void FrmCommChInfo::reShowGrid(int chNo) {
    Guard("frmCommChInfo_reShowGrid", [&] {
        const int row = chNo - GroupStartNo(ShownGroup());
        if (row < 1 || row > RowCount())
            return;
        const int index = FindChIndex(doc_, chNo);
        if (index >= 0) {
            FillRow(row, doc_.ChList[index]);
            ShowBusyLockChoices(doc_, Env(), chNo);
        } else {
            ClearRow(row);
        }
        if (CurRow() == row)
            UpdateEditCommands();
    });
}

void FrmCommChInfo::reShowAllGrid() {
    Guard("frmCommChInfo_reShowAllGrid", [&] {
        std::vector<bool> filled(RowCount() + 1, false);
        const int start = GroupStartNo(ShownGroup());
        for (int i = 0; i < UsedChCount(doc_); ++i) {
            const int row = doc_.ChList[i].ChNo - start;
            if (row > 0 && row <= RowCount()) {
                FillRow(row, doc_.ChList[i]);
                filled[row] = true;
            }
        }
        for (int row = 1; row <= RowCount(); ++row)
            if (!filled[row] && !CellText(row, 1).isEmpty())
                ClearRow(row);
    });
}

void FrmCommChInfo::ReShowAllTxFre(bool rOffSet) {
    Guard("frmCommChInfo_ReShowAllTxFre", [&] {
        MSFlexGrid1->horizontalHeaderItem(2)->setText(
            app_.Text(rOffSet ? kTextTxOffsetHeader : kColumns[2].textId));
        const FreContext fre = FreContextOf(doc_, Env());
        const int start = GroupStartNo(ShownGroup());
        for (int i = 0; i < UsedChCount(doc_); ++i) {
            const ChannelInfo& channel = doc_.ChList[i];
            const int row = channel.ChNo - start;
            if (row > 0 && row <= RowCount())
                SetCellText(row, 2, TxFreCell(channel, rOffSet, fre));
        }
    });
}

void FrmCommChInfo::ShowCaption() {
    setWindowTitle(app_.Text(kTextCaption) + " " +
                   app_.FromAnsi(GroupShowName(doc_.Doc, ShownGroup())) + " --- " + " " +
                   QString::number(edit_.EditRowShown) + "]");
}

void FrmCommChInfo::SelectGroup(int group) {
    {
        const QSignalBlocker quiet(Combo7);
        Combo7->setCurrentIndex(group);
    }
    GroupChange(group);
}

void FrmCommChInfo::ReShowDocument() {
    Guard("frmCommChInfo_ReShowDocument", [&] {
        const int stored = doc_.Doc.OptFeatures.Word(OptWord::CurGroup);
        const int group = stored >= 0 && stored <= kMemGroup ? stored : 0;
        if (group != ShownGroup()) {
            SelectGroup(group);
            return;
        }
        ShowCaption();
        ShowGroupControls(group);
        ReshowByCh();
        reShowAllGrid();
        SetShowEditData();
        if (views_.IsChEditOpen())
            views_.SetGridEditData(true);
        UpdateEditCommands();
    });
}

void FrmCommChInfo::ChangeGroup() {
    Guard("frmCommChInfo_ChangeGroup", [&] { SelectGroup(edit_.EditGroup); });
}

void FrmCommChInfo::GroupChange(int group) {
    const bool rebuild = RowCount() != GroupSize(group);
    {
        // The groups before Combo9's first show as a hint.
        const QSignalBlocker quiet(Combo9);
        Combo9->setCurrentIndex(group - kFirstChosenGroup);
        Combo9->setPlaceholderText(QString::number(group));
    }
    doc_.Doc.OptFeatures.Word(OptWord::CurGroup) = static_cast<std::int16_t>(group);
    edit_.EditGroup = group;
    InitGridRows(rebuild);
    ShowRowHeads(rebuild);
    ShowCaption();
    ShowGroupControls(group);

    ReshowByCh();
    for (int row = 1; row <= RowCount(); ++row)
        ClearRow(row);
    reShowAllGrid();
    SetShowEditData();
    if (views_.IsChEditOpen())
        views_.SetGridEditData(true);
    UpdateEditCommands();
}

void FrmCommChInfo::ShowGroupControls(int group) {
    const bool ordinary = group < kOrdinaryGroups;
    const QSignalBlocker quietName(Text3);
    const QSignalBlocker quietCheck(Check1);
    Check1->setVisible(group != kMemGroup);
    if (group != kMemGroup)
        Check1->setChecked(doc_.Doc.ResetFlags[group] != 0);
    Text3->setEnabled(ordinary);
    if (ordinary)
        Text3->setText(app_.FromAnsi(TrimFixStr(doc_.Doc.GroupNames[group])));
    else
        Text3->setText(group == kVfoGroup ? "VFO" : "MEM");
    for (int i = 0; i < 4; ++i) {
        Label3[i]->setVisible(ordinary);
        Combo8[i]->setVisible(ordinary);
    }
}

// --- Controls above the grid ------------------------------------------------

void FrmCommChInfo::ReshowByCh() {
    Guard("frmCommChInfo_ReshowByCh", [&] {
        const int group = ShownGroup();
        ComboList positions;
        FillChNoList(positions, doc_, group);
        for (int i : {0, 1}) {
            ComboList list = positions;
            if (group < kOrdinaryGroups)
                SelectComboText(list, std::to_string(doc_.Doc.OptFeatures.EmgCh[2 * group + i]));
            ShowComboList(*Combo8[i], list);
        }
        if (group < kOrdinaryGroups) {
            for (int i : {2, 3}) {
                ComboList modes = ToComboList(*Combo8[i]);
                SelectComboIndex(modes, doc_.Doc.OptFeatures.EmgChMode[2 * group + i - 2]);
                ShowComboList(*Combo8[i], modes);
            }
        }
    });
}

void FrmCommChInfo::Combo8Chosen(int i) {
    const int group = ShownGroup();
    if (group >= kOrdinaryGroups)
        return;
    const UndoStep step(app_, EmergencyChannelLabel(group, i >= 2));
    auto& features = doc_.Doc.OptFeatures;
    if (i < 2)
        features.EmgCh[2 * group + i] =
            static_cast<std::int16_t>(ValLngOr(Combo8[i]->currentText().toStdString(), 0));
    else
        features.EmgChMode[2 * group + i - 2] =
            static_cast<std::int16_t>(std::max(0, Combo8[i]->currentIndex()));
}

void FrmCommChInfo::Check1Click(bool checked) {
    Guard("frmCommChInfo_Check1_Click", [&] {
        const UndoStep step(app_, GroupValidLabel(ShownGroup()));
        const bool shown = SetGroupValid(doc_.Doc, ShownGroup(), checked);
        const QSignalBlocker quiet(Check1);
        Check1->setChecked(shown);
        views_.ReShowInit();
    });
}

void FrmCommChInfo::Text3Edited(const QString& text) {
    Guard("frmCommChInfo_Text3_Change", [&] {
        const int group = ShownGroup();
        if (group >= kOrdinaryGroups)
            return;
        // Typing into the box is one step until the focus leaves it.
        const UndoStep step(app_, GroupNameLabel(group), "GroupName" + std::to_string(group));
        // Whatever way the text came in, only what the keys let through counts.
        std::string typed;
        for (QChar c : text)
            if (c.unicode() < 128)
                if (const auto key = GroupNameKey(static_cast<char>(c.unicode()));
                    key && *key >= ' ')
                    typed.push_back(*key);
        const QString shown = app_.FromAnsi(SetGroupName(doc_.Doc, group, typed));
        if (Text3->text() != shown)
            Text3->setText(shown);
        ShowCaption();
        views_.ReShowInit();
    });
}

// --- Commands of the main window ----------------------------------------------

void FrmCommChInfo::RunEditCommand(int code) {
    CodeMoveTopRow = true; // the rows the command moves are no user's scrolling
    Guard("frmCommChInfo_RunEditCommand", [&] {
        if (code < static_cast<int>(ChEditCommand::Cut) ||
            code > static_cast<int>(ChEditCommand::MoveDown))
            return;
        const auto command = static_cast<ChEditCommand>(code);
        const int group = ShownGroup();
        const UndoStep step(app_, ChEditLabel(command, GroupStartNo(group) + CurRow()));
        ChEditContext context{doc_, session_.Clipboard, app_.Settings.EditPrefs, confirm_};
        const ChEditResult result = RunChEditCommand(command, context, group, CurRow());
        if (result.Status == ChEditStatus::GroupFull)
            app_.Messages().Show(GroupFullMessage(app_.Texts), MsgButtons::Ok, MsgIcon::Warning);
        if (command != ChEditCommand::Copy && result.Status == ChEditStatus::Done) {
            const bool editorShowsChange =
                result.AllRows ||
                std::find(result.ShownPositions.begin(), result.ShownPositions.end(),
                          edit_.EditChPos) != result.ShownPositions.end();
            if (editorShowsChange && views_.IsChEditOpen())
                views_.SetGridEditData(result.AllRows);
            CheckGroupChRefs(doc_, views_, edit_.EditGroup);
            reShowAllGrid();
            if (result.CurrentRow > 0)
                MoveCursor(result.CurrentRow, CurCol());
        }
        UpdateEditCommands();
    });
    CodeMoveTopRow = false;
}

void FrmCommChInfo::UpdateEditCommands() {
    if (!app_.MainWindow)
        return;
    const int chNo = GroupStartNo(ShownGroup()) + CurRow();
    UpdateChEditCommands(dynamic_cast<QWidget*>(app_.MainWindow),
                         ChEditCommandStatesFor(doc_, session_.Clipboard, chNo));
}

void FrmCommChInfo::ShowChEdit(bool takeFocus) {
    const bool wasOpen = FindChInfoEdit(app_) != nullptr;
    ShowChInfoEdit(app_, session_);
    // Opened from the grid's keys, the editor comes up beside the grid while
    // the grid keeps the keyboard.
    if (!wasOpen && !takeFocus) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
            if (QMdiArea* area = frame->mdiArea())
                area->setActiveSubWindow(frame);
    }
}

// --- Window events ------------------------------------------------------------

void FrmCommChInfo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Inside the main window the grid counts as active while its frame is the
    // active child window; shown alone it follows its own activation.
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    QMdiArea* area = frame ? frame->mdiArea() : nullptr;
    if (!area || ActivationHooked)
        return;
    ActivationHooked = true;
    connect(area, &QMdiArea::subWindowActivated, this, [this, frame](QMdiSubWindow* active) {
        if (Active && active && active != frame)
            LeaveForOtherWindow();
        SetActive(active == frame);
    });
    if (area->activeSubWindow() == frame)
        SetActive(true);
}

void FrmCommChInfo::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isWindow())
        SetActive(isActiveWindow());
}

void FrmCommChInfo::SetActive(bool active) {
    if (active == Active || Closing)
        return;
    Active = active;
    if (app_.MainWindow)
        app_.MainWindow->ShowCHInfo(active);
    if (active && FirstActivate) {
        FirstActivate = false;
        Guard("frmCommChInfo_Form_Activate", [&] { CellEntry(); });
    }
    if (active)
        UpdateEditCommands();
}

void FrmCommChInfo::LeaveForOtherWindow() {
    // The other window has the focus already, so hiding the editor moves it
    // nowhere.
    Guard("frmCommChInfo_Form_LostFocus", [&] { SetEditDisable(); });
}

void FrmCommChInfo::closeEvent(QCloseEvent* event) {
    Guard("frmCommChInfo_Form_Unload", [&] {
        SetEditDisable();
        SetActive(false);
        Closing = true;
    });
    QWidget::closeEvent(event);
}

FrmCommChInfo* ShowChannelGrid(AppContext& app, ChannelSession& session) {
    return static_cast<FrmCommChInfo*>(app.ShowChildForm(
        kChannelGridForm, [&]() -> QWidget* { return new FrmCommChInfo(app, session); }));
}

FrmCommChInfo* FindChannelGrid(AppContext& app) {
    return qobject_cast<FrmCommChInfo*>(app.FindForm(kChannelGridForm));
}

} // namespace velmar
