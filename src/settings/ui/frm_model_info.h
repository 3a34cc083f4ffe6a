#pragma once
#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace velmar {

class AppContext;

// The model dialog (modal): the radio model and its band. Confirming a
// different model or band asks with text 9016; on OK the new model and band
// are taken, the dialog closes, and the open document is replaced by a new
// one for them (the main window's LoadNewDoc, or at once without a main
// window).
class FrmModelInfo : public QDialog {
    Q_OBJECT
public:
    explicit FrmModelInfo(AppContext& app, QWidget* parent = nullptr);

    // Shows the dialog modally and carries out its outcome.
    static void ShowModal(AppContext& app, QWidget* parent);

    // The model and band were changed: the document must be replaced.
    bool NewDocumentNeeded() const { return newDocumentNeeded_; }

    QComboBox* Combo1() const { return combo1_; } // model
    QComboBox* Combo2() const { return combo2_; } // band
    QPushButton* CommandOK() const { return commandOK_; }
    QPushButton* CommandCancel() const { return commandCancel_; }

private:
    void ShowModelInfo();
    void FillBandList(const QString& model);
    void CommandOKClick();

    AppContext& app_;
    bool newDocumentNeeded_ = false;
    QLabel* label0_;
    QLabel* label1_;
    QComboBox* combo1_;
    QComboBox* combo2_;
    QPushButton* commandOK_;
    QPushButton* commandCancel_;
};

} // namespace velmar
