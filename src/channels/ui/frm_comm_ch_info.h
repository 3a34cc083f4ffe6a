#pragma once
// frmCommChInfo, the channel grid: the channels of one group as a table, one
// row per position, edited in place. Above the table the group chooser, the
// group's name and valid flag and its emergency channels.
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "channels/channel_list.h"
#include "channels/clipboard.h"
#include "channels/ui/channel_session.h"
#include "channels/ui/open_channel_views.h"
#include "shell/ui/document_view.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace velmar {

class AppContext;

inline constexpr const char* kChannelGridForm = "frmCommChInfo";
// The group lists the user picks from, in the grid and in the detail editor,
// start at this group.
inline constexpr int kFirstChosenGroup = 3;

class FrmCommChInfo : public QWidget, public ChannelViews, public DocumentView {
    Q_OBJECT
public:
    // Columns of the grid; the last one (">>") opens the detail editor.
    static constexpr int kCols = 11;
    static constexpr int kLastCol = kCols - 1;

    FrmCommChInfo(AppContext& app, ChannelSession& session, QWidget* parent = nullptr);

    // Refreshes asked for by the channel rules.
    void reShowGrid(int chNo) override; // the row of channel chNo
    void ReshowByCh() override;         // the emergency-channel lists

    // Texts again after the language changed, then the whole group.
    void ReShowChInfoByLanguage();
    // Column 2 as transmit offsets (rOffSet) or as transmit frequencies.
    void ReShowAllTxFre(bool rOffSet);
    // Every row of the shown group again.
    void reShowAllGrid();
    // Stores what the open cell editor holds, then hides it.
    void SetEditDisable();
    // After an undo or redo: the group the document shows, its rows, name,
    // valid flag and emergency channels; the cursor stays where it is when
    // the group is the same.
    void ReShowDocument() override;
    // A text typed into the open cell editor and not yet stored is dropped:
    // the editor shows its cell again. False when there is no such text.
    bool DiscardEntry();
    // Shows the group EditGroup (the detail editor moved to another group).
    void ChangeGroup();
    // Channel command of the main window on the current row and the shown
    // group: 1 cut, 2 copy, 3 paste, 4 insert, 5 delete, 6 move up, 7 move
    // down. The grid shows the result.
    void RunEditCommand(int code);

    // In-cell editing.
    // True when the current row has a receive frequency; otherwise the
    // cursor goes to column 1 of the row and the result is false.
    bool FlexConcludeRx();
    // Opens the editor of the current cell.
    void EnterGridEdit();
    // Cursor to the next row (row 1 after the last).
    void GridNextLine();
    // Cursor to the next visible column, after the last to the next row.
    void GridNextCol();

    // Replaces FrmMsgConfirm (tests answer it themselves).
    void SetConfirm(ConfirmEditPrefs confirm) { confirm_ = std::move(confirm); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Building and texts.
    void BuildControls();
    void BuildInCellEditors();
    void InitShowGrid();
    void ChangShowByLanguage();
    void PlaceLabelLeftOf(QLabel* label, QWidget* control, int roomStart);
    void SetGridData();

    // Rows and groups.
    int ShownGroup() const;
    int CurRow() const;
    int CurCol() const;
    int TopRow() const;
    int RowCount() const; // positions of the shown group (the grid's rows without header)
    QString CellText(int row, int col) const;
    void SetCellText(int row, int col, const QString& text);
    void InitGridRows(bool rebuild);
    void ShowRowHeads(bool rebuild);
    void FillRow(int row, const ChannelInfo& channel);
    void ClearRow(int row);
    void ShowCaption();
    void SelectGroup(int group);
    void GroupChange(int group);
    void ShowGroupControls(int group);

    // Controls above the grid.
    void Check1Click(bool checked);
    void Text3Edited(const QString& text);
    void Combo8Chosen(int i);

    // In-cell editing.
    void CellEntry();
    void MoveCursor(int row, int col);
    // Sends the cell entry on to (row, col), where it opens the editor
    // without checking the cell again.
    void RedirectEntry(int row, int col);
    QWidget* EditorOf(int col) const;
    QComboBox* ListEditorOf(int col) const;
    void HideEditors();
    void CommitCellEdit();
    void SetShowEditData();
    void Text1Validate();
    void EnterInEditor();
    bool Text1Key(QKeyEvent* key);
    bool Text2Key(QKeyEvent* key);
    bool ListEditorKey(QKeyEvent* key);
    void GridScrolled();
    void GridDoubleClicked(int col);
    void ShowChEdit(bool takeFocus);

    void UpdateEditCommands();
    void SetActive(bool active);
    // Another child window took over: the open cell edit is stored on the
    // channel it was opened on and the editor closed, before that window can
    // move EditChPos elsewhere. The focus stays where the user put it.
    void LeaveForOtherWindow();
    ChannelEnv Env();
    // Runs `work`; a failure is shown with the routine's label and leaves the
    // window usable.
    void Guard(const char* label, const std::function<void()>& work);

    AppContext& app_;
    Document& doc_;
    ChannelSession& session_;
    ChannelEditState& edit_;
    OpenChannelViews views_;
    ConfirmEditPrefs confirm_;

    QTableWidget* MSFlexGrid1;
    QComboBox* Combo7; // all groups 0 … 14, hidden; the group logic reads it
    QComboBox* Combo9; // what the user sees: groups 3 … 14
    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* Text3;
    QCheckBox* Check1;
    std::array<QLabel*, 4> Label3;
    std::array<QComboBox*, 4> Combo8;
    QPushButton* CommandCHInfoEdit;
    QPushButton* CommandHelp;
    QPushButton* CommandClose;
    QLineEdit* Text1;
    QLineEdit* Text2;
    std::array<QComboBox*, 5> ListEditors; // Combo1(0) … Combo5(0)
    QTimer TimerCHEdit;
    QTimer ScrollTimer;

    bool CodeMoveTopRow = false;
    bool FirstActivate = true;
    bool GridLoaded = false;
    bool GridFilling = false;
    bool Closing = false;
    bool Active = false;
    bool ActivationHooked = false;
    int LastTopRow = 1;
    int PrevEditChPos = 1;
    int PrevEditCol = 1;
};

// Opens the channel grid as a child window of the main window, or brings the
// open one to the front.
FrmCommChInfo* ShowChannelGrid(AppContext& app, ChannelSession& session);
// The open channel grid, or nullptr.
FrmCommChInfo* FindChannelGrid(AppContext& app);

} // namespace velmar
