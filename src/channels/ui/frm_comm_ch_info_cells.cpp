// The channel grid's in-cell editing: which editor a cell entry opens, how the
// cursor moves, which keys the editors take and how their value is stored.
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableWidget>
#include <cmath>
#include <optional>

#include "channels/ch_info_edit_rules.h"
#include "channels/change_labels.h"
#include "channels/channel_values.h"
#include "channels/group_names.h"
#include "channels/ui/cell_keys.h"
#include "channels/ui/frm_comm_ch_info.h"
#include "shell/numbers.h"
#include "shell/text_util.h"
#include "shell/ui/app_context.h"

namespace velmar {

namespace {

constexpr int kRxCol = 1, kTxCol = 2, kTextCol = 3, kRxToneCol = 4, kTxToneCol = 5;
constexpr const char* kShowPattern = "#0.00000";

// The character a key event types, as a text box's key handler sees it: Enter
// 13, Ctrl+C/V/X 3/22/24, a character above 255 as 255. Nothing for keys that
// type no character (arrows, function keys).
std::optional<char> TypedCode(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return kEnterKey;
    if (key.modifiers() & Qt::ControlModifier) {
        switch (key.key()) {
        case Qt::Key_C:
            return char(3);
        case Qt::Key_V:
            return char(22);
        case Qt::Key_X:
            return char(24);
        }
    }
    if (key.text().isEmpty())
        return std::nullopt;
    const char16_t unicode = key.text().at(0).unicode();
    return static_cast<char>(unicode > 255 ? 255 : unicode);
}

// Applies what a key filter made of the typed `code`: the same character
// passes to the box, another one (a letter made a capital) is typed instead,
// nothing drops the key. True when the key is taken here.
bool TypeFiltered(QLineEdit* box, const QKeyEvent& key, char code, std::optional<char> typed) {
    if (typed && *typed != code) {
        QKeyEvent replacement(QEvent::KeyPress, key.key(), key.modifiers(), QString(QChar(*typed)));
        QCoreApplication::sendEvent(box, &replacement);
    }
    return typed != code;
}

} // namespace

void FrmCommChInfo::BuildInCellEditors() {
    // The editors live on the grid's viewport, so they stay over their cell
    // and are clipped by the grid.
    QWidget* cells = MSFlexGrid1->viewport();
    Text1 = new QLineEdit(cells);
    Text1->setObjectName("Text1");
    Text1->setContextMenuPolicy(Qt::NoContextMenu);
    Text2 = new QLineEdit(cells);
    Text2->setObjectName("Text2");
    for (QLineEdit* box : {Text1, Text2}) {
        box->setAlignment(Qt::AlignCenter);
        box->installEventFilter(this);
        box->hide();
    }
    for (std::size_t i = 0; i < ListEditors.size(); ++i) {
        QComboBox* list = new QComboBox(cells);
        list->setObjectName(QString("Combo%1(0)").arg(i + 1));
        list->setMaxVisibleItems(20);
        list->installEventFilter(this);
        list->hide();
        const QString label = QString("frmCommChInfo_Combo%1_Click").arg(i + 1);
        connect(list, &QComboBox::activated, this,
                [this, label] { Guard(label.toUtf8().constData(), [&] { CommitCellEdit(); }); });
        ListEditors[i] = list;
    }
    MSFlexGrid1->setAutoScroll(false); // the grid scrolls to the editor itself
}

// --- Cell entry ---------------------------------------------------------------

void FrmCommChInfo::CellEntry() {
    if (!GridLoaded || GridFilling || Closing)
        return;
    LastTopRow = TopRow();
    if (edit_.SkipEnterOnce) {
        edit_.SkipEnterOnce = false;
        return;
    }
    const int row = CurRow();
    if (row < 1)
        return;
    edit_.EditRowShown = row;
    doc_.Doc.OptFeatures.Word(OptWord::CurGroup) = static_cast<std::int16_t>(ShownGroup());
    ShowCaption();
    MSFlexGrid1->setFocus(); // an open text editor loses the focus and stores its text
    PrevEditChPos = edit_.EditChPos;
    PrevEditCol = edit_.EditCol;

    if (edit_.SkipCheckOnce) {
        edit_.SkipCheckOnce = false;
    } else {
        const int col = CurCol();
        // A row without receive frequency accepts nothing but a receive frequency.
        if (col > kRxCol && col < kLastCol && !FlexConcludeRx())
            return;
        // The fixed channels keep their receive frequency: go to the decode tone.
        const bool fixedGroup = ShownGroup() < 3;
        if (col == kRxCol && fixedGroup && !CellText(row, kTxCol).isEmpty()) {
            RedirectEntry(row, kRxToneCol);
            return;
        }
        if (col == kTxToneCol && CellText(row, kTxCol).isEmpty()) {
            RedirectEntry(row, kTxCol);
            return;
        }
    }
    HideEditors();
    EnterGridEdit();
}

void FrmCommChInfo::MoveCursor(int row, int col) {
    if (row == CurRow() && col == CurCol())
        CellEntry(); // the grid reports no change, but the entry is due all the same
    else
        MSFlexGrid1->setCurrentCell(row - 1, col);
}

void FrmCommChInfo::RedirectEntry(int row, int col) {
    edit_.EditCol = col;
    edit_.EditChPos = row;
    edit_.SkipCheckOnce = true;
    MoveCursor(row, col);
}

bool FrmCommChInfo::FlexConcludeRx() {
    bool hasRx = false;
    Guard("frmCommChInfo_FlexConcludeRx", [&] {
        const int row = CurRow();
        hasRx = !CellText(row, kRxCol).isEmpty();
        if (!hasRx) {
            RedirectEntry(row, kRxCol);
        }
    });
    return hasRx;
}

void FrmCommChInfo::EnterGridEdit() {
    Guard("frmCommChInfo_EnterGridEdit", [&] {
        const int row = CurRow(), col = CurCol();
        if (row < 1)
            return;
        edit_.EditCol = col;
        edit_.EditChPos = row;
        const QModelIndex cell = MSFlexGrid1->model()->index(row - 1, col);
        {
            const bool wasMoving = CodeMoveTopRow;
            CodeMoveTopRow = true; // scrolling to the editor is no user scroll
            MSFlexGrid1->scrollTo(cell);
            CodeMoveTopRow = wasMoving;
        }
        LastTopRow = TopRow();
        if (views_.IsChEditOpen())
            views_.SetGridEditData(true);

        QWidget* editor = EditorOf(col);
        if (!editor)
            return;
        const QRect area = MSFlexGrid1->visualRect(cell);
        if (auto* box = qobject_cast<QLineEdit*>(editor)) {
            box->setGeometry(area);
            // A new transmit frequency starts from the receive frequency.
            if (col == kTxCol && CellText(row, kTxCol).isEmpty() && PrevEditCol == kRxCol &&
                PrevEditChPos == row)
                SetCellText(row, kTxCol, CellText(row, kRxCol));
            QString text = CellText(row, col);
            if (col == kTextCol)
                text = QString::fromStdString(TrimFixStr(text.toStdString()));
            box->setText(text);
            box->show();
            box->setFocus();
            if (!text.isEmpty())
                box->selectAll();
        } else {
            auto* list = static_cast<QComboBox*>(editor);
            list->setGeometry(area.x(), area.y(), area.width(), list->sizeHint().height());
            {
                const QSignalBlocker quiet(list);
                list->setCurrentIndex(list->findText(CellText(row, col)));
            }
            list->show();
            list->setFocus();
        }
    });
}

QWidget* FrmCommChInfo::EditorOf(int col) const {
    if (col == kRxCol || col == kTxCol)
        return Text1;
    if (col == kTextCol)
        return Text2;
    return ListEditorOf(col);
}

QComboBox* FrmCommChInfo::ListEditorOf(int col) const {
    if (col == kRxToneCol || col == kTxToneCol)
        return ListEditors[0];
    if (col > kTxToneCol && col < kLastCol)
        return ListEditors[col - kTxToneCol];
    return nullptr;
}

void FrmCommChInfo::HideEditors() {
    Text1->hide();
    Text2->hide();
    for (QComboBox* list : ListEditors)
        list->hide();
}

void FrmCommChInfo::SetEditDisable() {
    Guard("frmCommChInfo_SetEditDisable", [&] {
        Text1Validate();
        if (!Text2->isHidden())
            CommitCellEdit();
        HideEditors();
    });
}

// --- Cursor moves -------------------------------------------------------------

void FrmCommChInfo::GridNextLine() {
    Guard("frmCommChInfo_GridNextLine",
          [&] { MoveCursor(CurRow() >= RowCount() ? 1 : CurRow() + 1, CurCol()); });
}

void FrmCommChInfo::GridNextCol() {
    Guard("rmCommChInfo_GridNextCol", [&] {
        const int row = CurRow();
        for (int col = CurCol() + 1; col <= kCols - 2; ++col) {
            if (!MSFlexGrid1->isColumnHidden(col)) {
                MoveCursor(row, col);
                return;
            }
        }
        edit_.SkipEnterOnce = true;
        MoveCursor(row, kRxCol);
        GridNextLine();
    });
}

void FrmCommChInfo::GridScrolled() {
    if (!GridLoaded || GridFilling || CodeMoveTopRow || ScrollTimer.isActive())
        return;
    ScrollTimer.start();
    // The cursor keeps its place on the screen.
    const int row = CurRow() - LastTopRow + TopRow();
    if (row >= 1 && row <= RowCount() && row != CurRow())
        MSFlexGrid1->setCurrentCell(row - 1, CurCol());
    if (CurRow() != edit_.EditChPos)
        CellEntry();
}

void FrmCommChInfo::GridDoubleClicked(int col) {
    TimerCHEdit.start();
    if (col == kLastCol)
        ShowChEdit(true);
}

// --- Storing ------------------------------------------------------------------

void FrmCommChInfo::CommitCellEdit() {
    const int group = edit_.EditGroup, pos = edit_.EditChPos, col = edit_.EditCol;
    const ChannelEnv env = Env();
    const UndoStep step(app_, ChannelValueLabel(col, GroupStartNo(group) + pos));
    if (col == kRxCol || col == kTxCol) {
        if (Text1->isHidden())
            return;
        std::string value = Text1->text().toStdString();
        if (col == kRxCol) {
            value = RxEntryToStore(value);
            SetCellText(pos, col, QString::fromStdString(value));
        } else {
            if (!IsNumeric(value))
                return;
            const std::string_view typed = TrimBlanks(value);
            const bool signed_ = typed.front() == '+' || typed.front() == '-';
            const std::string sign(signed_ ? typed.substr(0, 1) : std::string_view());
            SetCellText(
                pos, col,
                QString::fromStdString(sign + Format(std::fabs(Number(value)), kShowPattern)));
        }
        SetChValue(doc_, env, group, pos, col, value);
        // What was stored is what Text1 holds now, so leaving it stores nothing twice.
        Text1->setText(QString::fromStdString(value));
    } else if (col == kTextCol) {
        if (Text2->isHidden())
            return;
        std::string value = Text2->text().toStdString();
        SetCellText(pos, col, Text2->text());
        SetChValue(doc_, env, group, pos, col, value);
    } else if (QComboBox* list = ListEditorOf(col); list && !list->isHidden()) {
        SetCellText(pos, col, list->currentText());
        SetChValue(doc_, env, group, pos, col, list->currentIndex());
    }
}

void FrmCommChInfo::SetShowEditData() {
    Guard("frmCommChInfo_SetShowEditData", [&] {
        if (edit_.EditChPos > RowCount())
            edit_.EditChPos = 1;
        const QString text = CellText(edit_.EditChPos, edit_.EditCol);
        if (edit_.EditCol == kTextCol)
            Text2->setText(QString::fromStdString(TrimFixStr(text.toStdString())));
        else if (QWidget* editor = EditorOf(edit_.EditCol);
                 auto* box = qobject_cast<QLineEdit*>(editor))
            box->setText(text);
        else if (QComboBox* list = ListEditorOf(edit_.EditCol)) {
            const QSignalBlocker quiet(list);
            list->setCurrentIndex(list->findText(text));
        }
    });
}

void FrmCommChInfo::Text1Validate() {
    const int col = edit_.EditCol;
    if (Closing || Text1->isHidden() || (col != kRxCol && col != kTxCol))
        return;
    std::string value = Text1->text().toStdString();
    const UndoStep step(app_,
                        ChannelValueLabel(col, GroupStartNo(edit_.EditGroup) + edit_.EditChPos));
    SetChValue(doc_, Env(), edit_.EditGroup, edit_.EditChPos, col, value);
    Text1->setText(QString::fromStdString(value));
}

bool FrmCommChInfo::DiscardEntry() {
    for (QLineEdit* box : {Text1, Text2}) {
        if (box->isHidden() || !box->isModified())
            continue;
        SetShowEditData();
        box->selectAll();
        return true;
    }
    return false;
}

// --- Keys ---------------------------------------------------------------------

void FrmCommChInfo::EnterInEditor() {
    const int col = CurCol();
    if (col >= kRxCol && col <= kTextCol)
        CommitCellEdit();
    if (col == kRxCol && Text1->text().isEmpty())
        GridNextLine();
    else if (col >= kRxCol && col <= kLastCol)
        GridNextCol();
}

bool FrmCommChInfo::Text1Key(QKeyEvent* key) {
    bool handled = false;
    Guard("rmCommChInfo_Text1_KeyPress", [&] {
        const auto code = TypedCode(*key);
        if (!code)
            return;
        if (*code == kEnterKey) {
            EnterInEditor();
            handled = true;
            return;
        }
        handled = !FrequencyEditorKey(*code, CurCol(), app_.Settings.EditPrefs.ShowTxOffset);
    });
    return handled;
}

bool FrmCommChInfo::Text2Key(QKeyEvent* key) {
    const auto code = TypedCode(*key);
    if (!code)
        return false;
    if (*code == kEnterKey) {
        Guard("frmCommChInfo_Text2_KeyPress", [&] { EnterInEditor(); });
        return true;
    }
    return TypeFiltered(Text2, *key, *code, TextEditorKey(*code));
}

bool FrmCommChInfo::ListEditorKey(QKeyEvent* key) {
    if (TypedCode(*key) != kEnterKey)
        return false;
    Guard("frmCommChInfo_Combo1_KeyPress", [&] {
        const int col = CurCol();
        if (col == kRxCol && Text1->text().isEmpty())
            GridNextLine();
        else if (col >= kRxCol && col <= kCols - 2)
            GridNextCol();
        else if (col == kLastCol && !views_.IsChEditOpen())
            ShowChEdit(false);
    });
    return true;
}

bool FrmCommChInfo::eventFilter(QObject* watched, QEvent* event) {
    // Cut, copy and paste with the keys belong to the main window's channel
    // commands, which take their keys before any text box (MenuKeysFirst).
    const auto type = event->type();
    if (type == QEvent::FocusOut && (watched == Text1 || watched == Text2)) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A message box or another window taking the focus is no leaving of the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == Text1)
                Guard("frmCommChInfo_Text1_Validate", [&] { Text1Validate(); });
            else if (edit_.EditCol == kTextCol)
                Guard("frmCommChInfo_Text2_Validate", [&] { CommitCellEdit(); });
        }
        return false;
    }
    if (type != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);

    if (watched == MSFlexGrid1 && TypedCode(*key) == kEnterKey) {
        Guard("frmCommChInfo_MSFlexGrid1_KeyPress", [&] { EnterGridEdit(); });
        return true;
    }
    if (watched == Text1)
        return Text1Key(key);
    if (watched == Text2)
        return Text2Key(key);
    if (watched == Text3 || std::find(Combo8.begin(), Combo8.end(), watched) != Combo8.end()) {
        const auto code = TypedCode(*key);
        if (code == kEnterKey) {
            focusNextChild();
            return true;
        }
        if (watched != Text3 || !code)
            return false;
        return TypeFiltered(Text3, *key, *code, GroupNameKey(*code));
    }
    if (std::find(ListEditors.begin(), ListEditors.end(), watched) != ListEditors.end())
        return ListEditorKey(key);
    return QWidget::eventFilter(watched, event);
}

} // namespace velmar
