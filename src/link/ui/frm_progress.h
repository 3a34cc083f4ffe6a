#pragma once
#include <QDialog>

class QLabel;
class QProgressBar;

namespace velmar {

class AppContext;

// The progress window of a read or write (modal). It asks for the exchange
// once it is on screen (`loaded`), follows its progress in percent, and
// closes only when the exchange has ended (Finish): the user cannot close it
// in the middle, where the exchange's own prompts decide.
class FrmProgress : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Read, Write };

    FrmProgress(AppContext& app, Kind kind, QWidget* parent = nullptr);

    // The bar and "n%" (0 … 100).
    void SetProgressValue(int percent);
    // The exchange ended: the window closes.
    void Finish();

    QLabel* Label2() const { return Label2_; }
    QProgressBar* ProgressBar1() const { return ProgressBar1_; }

signals:
    // Once, after the window first showed: start the exchange now.
    void loaded();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* Label1_;
    QLabel* Label2_;
    QProgressBar* ProgressBar1_;
    bool loaded_ = false;
    bool finishing_ = false;
};

} // namespace velmar
