#pragma once
#include <QWidget>
#include <array>

#include "model/radio_info.h"
#include "settings/radio_info_view.h"
#include "shell/ui/document_view.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace velmar {

class AppContext;

// The radio-information window: shows the identification data last read
// from a radio, every field disabled; nothing is written back.
class FrmRadioInfo : public QWidget, public DocumentView {
    Q_OBJECT
public:
    static constexpr const char* FormName = "FrmRadioInfo";

    // Shows the document's RadioInfo.
    explicit FrmRadioInfo(AppContext& app, QWidget* parent = nullptr);
    // Shows `info`, for instance as a radio-information read decoded it.
    FrmRadioInfo(AppContext& app, const RadioInfoRecord& info, QWidget* parent = nullptr);
    // Opens a fresh window on the document's RadioInfo, closing an open one.
    static FrmRadioInfo* ShowForm(AppContext& app);
    // After an undo or redo: the document's RadioInfo.
    void ReShowDocument() override;

    QComboBox* Combo1(int index) const { return combo1_[index]; } // 0 model, 1 band
    // Text1(4), the repair reason, is a box of four lines; the others are
    // single lines.
    QWidget* Text1(int index) const { return text1_[index]; }
    QString BoxText(int index) const;
    QLabel* Label1(int index) const { return label1_[index]; }
    QLabel* Label2() const { return label2_; }
    QGroupBox* Frame1() const { return frame1_; }
    QPushButton* CommandClose() const { return commandClose_; }

private:
    void BuildControls();
    void ApplyGeometry();
    void ShowByData(const RadioInfoRecord& info);

    AppContext& app_;
    std::array<QComboBox*, 2> combo1_{};
    std::array<QWidget*, kRadioInfoBoxes> text1_{};
    std::array<QLabel*, 14> label1_{};
    QLabel* label2_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QPushButton* commandClose_ = nullptr;
};

} // namespace velmar
