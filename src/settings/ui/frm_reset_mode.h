#pragma once
#include <QWidget>

#include "channels/channel_views.h"
#include "settings/reset_mode.h"
#include "shell/ui/document_view.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace velmar {

class AppContext;

// The reset-mode window: the group and channel of the E mode, as the user
// sees and picks them. The normal and extended modes have lists without a
// visible control, filled and stored like the visible ones.
class FrmResetMode : public QWidget, public ChannelViews, public DocumentView {
    Q_OBJECT
public:
    static constexpr const char* FormName = "FrmResetMode";

    explicit FrmResetMode(AppContext& app, QWidget* parent = nullptr);
    // Brings the open window to the front, or opens one.
    static FrmResetMode* ShowForm(AppContext& app);

    // Refills every list from the document's group names and valid flags and
    // shows the stored choices; the channel grid calls it when a valid flag
    // or a group name changes.
    void ReShowInit() override;
    // After an undo or redo: the same.
    void ReShowDocument() override { ReShowInit(); }

    QComboBox* Combo2() const { return combo2_; }         // E-mode group
    QComboBox* ChannelList() const { return combo1_24_; } // Combo1(24): E-mode channel
    QLabel* Label1(int index) const { return index == 23 ? label1_23_ : label1_24_; }
    QPushButton* CommandClose() const { return commandClose_; }
    // Every list, visible or not.
    const ResetModeLists& Lists() const { return lists_; }

    bool WandToSave = true; // false while the controls are filled from the document

private:
    void ShowLists();
    void GroupPicked(int index);
    void ChannelPicked(int index);

    AppContext& app_;
    ResetModeLists lists_;
    QLabel* label1_23_;
    QLabel* label1_24_;
    QComboBox* combo2_;
    QComboBox* combo1_24_;
    QPushButton* commandClose_;
};

} // namespace velmar
