#pragma once
#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

namespace velmar {

class AppContext;

// The progress window of a read or write (modal). It asks for the exchange
// once it is on screen (`loaded`), follows its progress in percent, says what
// it is doing (reading, writing, verifying) and how long that still takes,
// and closes only when the exchange has ended (Finish): the user cannot close
// it in the middle, where the exchange's own prompts decide.
class FrmProgress : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Read, Write };
    enum class Phase { Reading, Writing, Verifying };

    FrmProgress(AppContext& app, Kind kind, QWidget* parent = nullptr);

    // The bar and "n%" (0 … 100), and the time left at the pace so far. A
    // value below the last one (the exchange started again) starts the pace
    // anew.
    void SetProgressValue(int percent);
    // What the window says it is doing; the bar starts again at 0.
    void SetPhase(Phase phase);
    // The exchange ended: the window closes.
    void Finish();

    QLabel* Label2() const { return Label2_; }
    QProgressBar* ProgressBar1() const { return ProgressBar1_; }
    QLabel* PhaseLabel() const { return Label3_; }
    QLabel* TimeLeftLabel() const { return Label4_; }

signals:
    // Once, after the window first showed: start the exchange now.
    void loaded();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowTimeLeft(int percent);

    AppContext& app_;
    QLabel* Label1_;
    QLabel* Label2_;
    QLabel* Label3_; // the phase
    QLabel* Label4_; // the time left
    QProgressBar* ProgressBar1_;
    QElapsedTimer clock_; // since the phase or the exchange's restart began
    int lastPercent_ = 0;
    bool loaded_ = false;
    bool finishing_ = false;
};

} // namespace velmar
