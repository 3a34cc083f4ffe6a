#pragma once
#include "link/first_run_link.h"
#include "link/ui/serial_link.h"

#include <QDialog>
#include <QTimer>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace velmar {

class AppContext;
class ComPortMap;
struct LinkGlobals;

// The first-run dialog (modal, "Initial Setup"): the user picks the port and
// presses OK; the handshake is sent until the radio answers, up to four
// attempts per press, with and without the cable echo in turn. When the
// radio answers, IsFirstRun is cleared and the dialog closes; comPort holds
// the port that answered. The port list is refreshed every second; the port
// it shows is always the one OK opens, and Label2 beside it names the device
// that port stands for.
class LoadFrmLink : public QDialog {
    Q_OBJECT
public:
    static constexpr int ReCommMs = 1000;
    static constexpr int EndMs = 100;

    LoadFrmLink(AppContext& app, LinkGlobals& link, ComPortMap& ports, QWidget* parent = nullptr);
    ~LoadFrmLink() override;

    QPlainTextEdit* Text1() const { return Text1_; }
    QComboBox* Combo1() const { return Combo1_; }
    QLabel* Label2() const { return Label2_; }
    QPushButton* Command1() const { return Command1_; }
    QPushButton* Command2() const { return Command2_; }
    SerialLink& Port() { return port_; }

    // Opens the chosen port; "Cannot Open Communication Port." when it fails.
    bool initComm2();

protected:
    void done(int result) override;

private:
    void FillCombo();
    void Combo1Click(int index);
    void Command1Click();
    void ReCommTimerTick();
    void EndTimerTick();
    void Message(const ShowMessage& message);

    AppContext& app_;
    LinkGlobals& link_;
    ComPortMap& ports_;
    FirstRunLink engine_;
    SerialLink port_;
    QPlainTextEdit* Text1_;
    QLabel* Label1_;
    QComboBox* Combo1_;
    QLabel* Label2_;
    QPushButton* Command1_;
    QPushButton* Command2_;
    QTimer ReCommTimer_;
    QTimer EndTimer_;
};

// Step 9 of start-up: shows LoadFrmLink modally on the shell's settings; true
// when the radio answered (IsFirstRun is then false).
bool RunFirstRunLink(AppContext& app, LinkGlobals& link);

} // namespace velmar
