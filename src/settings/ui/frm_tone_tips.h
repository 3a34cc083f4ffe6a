#pragma once
#include <QWidget>
#include <array>
#include <memory>

#include "model/step_label.h"
#include "settings/tone_tips.h"
#include "shell/ui/document_view.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabBar;

namespace velmar {

class AppContext;
class AudioToneOutput;
class EnterMovesFocus;
class TipPlayer;
class ToneChart;
class ToneOutput;

// The tone-tips editor: one tab per tip, its repeat count and pause, the tone
// and length of its 14 items, the bar chart of the tip, and Play and Stop.
// Every change is stored into the document at once; a change of a repeat
// count or a length repairs the roger-beep references of the document.
class FrmToneTips : public QWidget, public DocumentView {
    Q_OBJECT
public:
    static constexpr const char* FormName = "FrmToneTips";

    explicit FrmToneTips(AppContext& app, QWidget* parent = nullptr);
    // Plays on `output` instead of the sound card.
    FrmToneTips(AppContext& app, ToneOutput& output, QWidget* parent = nullptr);
    ~FrmToneTips() override;
    // Brings the open window to the front, or opens one.
    static FrmToneTips* ShowForm(AppContext& app);

    // Shows tip CurrentTip; a stored value its list cannot show is replaced
    // by the entry shown.
    void ShowToneTip();
    // After an undo or redo: the current tip as the document holds it.
    void ReShowDocument() override;
    // Command1(0): plays the current tip, unless it has nothing to play.
    void PrepareTonePlay();
    // Command2(0): the play ends before its next item; Play is usable again.
    void StopTonePlay();

    int CurrentTip = 1;     // the tip shown, 1 … 8
    bool WandToSave = true; // false while the controls are filled from the document

    QTabBar* TabStrip1() const { return tabStrip1_; }
    QComboBox* Combo1() const { return combo1_; }         // repeat
    QComboBox* Combo2() const { return combo2_; }         // interval
    QComboBox* Combo3(int k) const { return combo3_[k]; } // tone of item k + 1
    QComboBox* Combo4(int k) const { return combo4_[k]; } // length of item k + 1
    QLabel* Label5(int k) const { return label5_[k]; }
    ToneChart* Picture1() const { return picture1_; }
    QPushButton* Command1() const { return command1_; }
    QPushButton* Command2() const { return command2_; }
    QPushButton* CommandClose() const { return commandClose_; }
    TipPlayer& Player() const { return *player_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void ApplyGeometry();
    void RepeatChanged(int index);
    void IntervalChanged(int index);
    void ToneChanged(int k, int index);
    void LengthChanged(int k, int index);
    void TabChanged(int index);
    void RepairToneTipRefs();
    StepLabel TipLabel() const { return {StepText::ToneTip, {NumberArg(CurrentTip)}}; }

    AppContext& app_;
    std::unique_ptr<AudioToneOutput> audio_;
    std::unique_ptr<TipPlayer> player_;
    EnterMovesFocus* enterMovesFocus_;
    QTabBar* tabStrip1_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QComboBox* combo2_ = nullptr;
    std::array<QLabel*, 2> label3_{};
    std::array<QLabel*, 2> label4_{};
    std::array<QLabel*, kToneTipItems> label5_{};
    std::array<QComboBox*, kToneTipItems> combo3_{};
    std::array<QComboBox*, kToneTipItems> combo4_{};
    ToneChart* picture1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* commandClose_ = nullptr;
};

} // namespace velmar
