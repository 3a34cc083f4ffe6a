#pragma once
#include <QWidget>
#include <map>

#include "channels/channel_views.h"
#include "channels/combo_lists.h"
#include "settings/opt_features.h"
#include "shell/ui/document_view.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace velmar {

class AppContext;
class EnterMovesFocus;

// The optional-features window: the radio-wide settings on the left, the
// common channel settings in Frame3 on the right, usable while Check1(7) is
// ticked. Every change is stored into the document at once; the window reads
// the document once, when it opens.
class FrmOptFeatures : public QWidget, public ChannelViews, public DocumentView {
    Q_OBJECT
public:
    static constexpr const char* FormName = "FrmOptFeatures";

    explicit FrmOptFeatures(AppContext& app, QWidget* parent = nullptr);
    // Brings the open window to the front, or opens one.
    static FrmOptFeatures* ShowForm(AppContext& app);

    // Stores the value of Combo1(rID), or of Check1(rID − 100), into the
    // document.
    void SaveOptFeat(int rID);
    // Enables or disables Frame3 with every control in it.
    void EnablePublic(bool rEnbl);
    // After an undo or redo: every control from the document again.
    void ReShowDocument() override { ShowOptFeat(); }
    // Refills the radio-wide roger-beep list (it has no visible control) from
    // the valid tone tips; CheckToneTipRefs calls it.
    void ShowRBOpt() override;

    // Controls by their index; nullptr for an index the window does not have.
    QComboBox* Combo1(int index) const;
    QCheckBox* Check1(int index) const;
    QLabel* Label1(int index) const;
    QGroupBox* Frame1() const { return frame1_; }
    QGroupBox* Frame3() const { return frame3_; }
    QPushButton* CommandClose() const { return commandClose_; }
    // The lists without a visible control.
    const ComboList& RogerBeepList() const { return rogerBeep_; }
    const DecodeLists& DecodeDependentLists() const { return decodeLists_; }

    bool OptLoading = false; // true while the controls are filled from the document

private:
    void BuildRow(QWidget* frame, const OptRow& row);
    void ApplyGeometry();
    void ShowOptFeat();
    void ShowPowerLists();
    void ShowDecodeLists();
    void ComboChanged(int index);
    void CheckChanged(int index);

    AppContext& app_;
    bool mainVersion_;
    QGroupBox* frame1_;
    QGroupBox* frame3_;
    QPushButton* commandClose_ = nullptr;
    EnterMovesFocus* enterMovesFocus_;
    std::map<int, QComboBox*> combos_;
    std::map<int, QCheckBox*> checks_;
    std::map<int, QLabel*> labels_;
    ComboList rogerBeep_;
    DecodeLists decodeLists_;
};

} // namespace velmar
