#pragma once
#include <QDialog>
#include <QTimer>
#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace velmar {

class AppContext;
class ComPortMap;

// The port dialog (modal): sixteen option buttons "COM1" … "COM16", of
// which only the ports that exist are enabled (all of them when IsVista),
// rechecked every second while the dialog is open; beside each button the
// label Label1 of the same index names the device its number stands for,
// greyed with the button while the device is missing. OK takes the selected
// port as comPort and writes "comPort" to mysetup.ini, changed or not;
// Cancel changes nothing.
class FrmSetComm : public QDialog {
    Q_OBJECT
public:
    static constexpr int PortCount = 16;
    static constexpr int ReCommMs = 1000;

    FrmSetComm(AppContext& app, ComPortMap& ports, QWidget* parent = nullptr);

    QRadioButton* Option1(int index) const { return Option1_[static_cast<std::size_t>(index)]; }
    QLabel* Label1(int index) const { return Label1_[static_cast<std::size_t>(index)]; }
    QPushButton* CommandOK() const { return CommandOK_; }
    QPushButton* CommandCancel() const { return CommandCancel_; }
    QTimer& ReCommTimer() { return ReCommTimer_; }

    // Enables the buttons of the ports that exist now and names their devices.
    void EnablePresentPorts();

protected:
    void done(int result) override;

private:
    void ReCommTimerTick();
    void CommandOKClick();
    int SelectedIndex() const; // −1 when none
    void Select(int index);

    AppContext& app_;
    ComPortMap& ports_;
    QGroupBox* Frame1_;
    std::array<QRadioButton*, PortCount> Option1_{};
    std::array<QLabel*, PortCount> Label1_{};
    QPushButton* CommandOK_;
    QPushButton* CommandCancel_;
    QTimer ReCommTimer_;
};

} // namespace velmar
