#pragma once
// FrmCHInfoEdit, the channel detail editor: every setting of one channel at
// once, the channel chosen by group and position. It keeps nothing of its
// own: each change goes into the channel list at once through SetChValue,
// which refreshes the grid row and then this editor.
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "channels/ch_info_edit_rules.h"
#include "channels/ui/channel_session.h"
#include "channels/ui/open_channel_views.h"
#include "shell/ui/document_view.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace velmar {

class AppContext;
class RxFrequencyBox;

inline constexpr const char* kChInfoEditForm = "FrmCHInfoEdit";

class FrmCHInfoEdit : public QWidget, public ChannelViews, public DocumentView {
    Q_OBJECT
public:
    // `edit` holds EditGroup and EditChPos, shared with the channel grid.
    FrmCHInfoEdit(AppContext& app, ChannelEditState& edit, QWidget* parent = nullptr);

    // Shows the current channel. isGridChange: the caller has set EditGroup
    // and EditChPos (grid, SetChValue); otherwise the editor's own group or
    // position list changed and they are taken from there.
    void SetGridEditData(bool isGridChange) override;
    bool IsChEditOpen() const override;
    // Refills the busy-lockout list of the channel shown here (whichever
    // channel the rules just checked).
    void ShowBusyLockList(const std::vector<std::string>& entries, int selected) override;
    // Refills the roger-beep list from the valid tone tips.
    void ShowRB() override;

    // After an undo or redo: the channel EditGroup and EditChPos name.
    void ReShowDocument() override { SetGridEditData(true); }
    // A receive frequency typed into Text1 and not yet stored is dropped:
    // the box shows the stored one again. False when there is none.
    bool DiscardEntry();

    // Combo1 becomes the positions "1" … GroupSize(groupId), none selected.
    void ChangShowCHs(int groupId);

    // Stores the receive frequency in Text1 (SetChValue checks and corrects
    // it; an empty one deletes the channel, a new one creates it) and shows
    // the channel again. Runs on Enter and when Text1 loses the focus; the
    // main window calls it before the document is saved or written, as a
    // shortcut key leaves the focus where it is.
    void StoreRxEntry();

    // False while the editor writes its own controls: change events then do nothing.
    bool WandToSave = true;

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct RowControls {
        QLabel* Label = nullptr;
        QComboBox* List = nullptr; // nullptr on the frequency row (Text1)
    };

    void BuildControls();
    void FillChEditLists();
    void ApplyChEditTexts();
    void LayOut();
    QWidget* RowControl(ChEditRow row) const; // the row's list, or Text1
    void ShowRows();

    ChannelEnv Env();
    int ShownGroup() const; // index of Combo4
    int ShownPos() const;   // index of Combo1 + 1
    int ShownChNo() const;
    void SelectGroup(int group);
    void ShowView(const ChInfoEditView& view);
    void ShowList(ChEditRow row, const ChEditListView& list);

    void GroupChosen(int index); // Combo8
    void PositionChosen();       // Combo1
    void ListChosen(ChEditRow row);
    void CheckClicked(std::size_t check);
    void RxEnter();

    AppContext& app_;
    ChannelEditState& edit_;
    OpenChannelViews views_;
    bool closing_ = false;
    bool storingRx_ = false;

    QLabel* Label4 = nullptr;
    QComboBox* Combo8 = nullptr; // the groups the user chooses from: 3 … 14
    QComboBox* Combo4 = nullptr; // every group 0 … 14, hidden; the editor's group
    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr; // positions of the group
    QGroupBox* Frame1 = nullptr;
    RxFrequencyBox* Text1 = nullptr;
    std::array<RowControls, kChEditRowCount> rows_;
    std::array<QCheckBox*, kChEditCheckCount> checks_{}; // in kChEditChecks order
    QPushButton* CommandClose = nullptr;
    QPushButton* CommandHelp = nullptr;
};

// Opens the detail editor as a child window of the main window, or brings
// the open one to the front.
FrmCHInfoEdit* ShowChInfoEdit(AppContext& app, ChannelSession& session);
// The open detail editor, or nullptr.
FrmCHInfoEdit* FindChInfoEdit(AppContext& app);

} // namespace velmar
