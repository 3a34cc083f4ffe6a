#pragma once
// The only window of VelmarSetFactory. It lives in namespace velmar::factory
// because the editor's main window is velmar::FrmMain.
#include "factory/factory_exchange.h"
#include "factory/factory_image.h"
#include "factory/factory_info.h"
#include "factory/factory_messages.h"
#include "factory/ui/ansi_text.h"
#include "link/link_globals.h"
#include "link/ui/serial_link.h"
#include "shell/file_locations.h"
#include "shell/message_sink.h"

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace velmar {

class ComPortMap;
class FactoryTextBox;

namespace factory {

// The tool's settings file: "mysetup.ini" in its program folder (the user's
// copy in the config folder when installed).
inline constexpr WritableFile FactorySetupLocation{WritableFile::Program, "mysetup.ini"};

// What the window works with, set up by main() or by a test.
struct FactoryToolContext {
    FileLocations Locations;
    FactoryLanguage Language = FactoryLanguage::English;
    AnsiCodePage CodePage = AnsiCodePage::Windows1252;
    MessageSink* Messages = nullptr;
    ComPortMap* Ports = nullptr;
    // The numbers of the ports present now, ascending (PresentPortNumbers).
    std::function<std::vector<int>()> ListPorts;
    // Today, with the short date as ANSI bytes (TodayFromClock).
    std::function<TodayDate()> Today;
};

// Today from the clock, the short date in the system's short date format.
TodayDate TodayFromClock(AnsiCodePage codePage);

// Shows FactoryInfo in edit boxes, reads and writes a radio's factory
// information on the chosen port, and advances the serial number after every
// write, so that the next radio gets the next number.
//
// (No Q_OBJECT: the window needs no signals of its own, and the build runs
// moc over every ui/ header for the editor's library as well.)
class FrmMain : public QWidget {
public:
    static constexpr int ReShowComPortMs = 1000;

    explicit FrmMain(FactoryToolContext context, QWidget* parent = nullptr);
    ~FrmMain() override;

    // FactoryInfo into the controls.
    void ShowByData();
    // The controls into FactoryInfo; a band change may ask or be refused.
    void GetDataByShow();
    // True when "COM" + port is an entry of the port list.
    bool InComPorts(int port) const;

    FactoryInfo& Info() { return info_; }
    const FactoryInfo& Info() const { return info_; }
    int comPort() const { return comPort_; }
    bool Busy() const { return exchange_ && exchange_->Running(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void LayOutControls();
    void SetLanguageTexts();
    void LoadPortChoice();
    void SaveComPort() const;
    void FillBandList();
    // Rebuilds Combo2 from the ports present and the chosen port.
    void ShowPortList(const std::vector<int>& present);
    void ReShowComPortTimerTick();
    void Combo2Click(int index);
    void SelectComboEntry(QComboBox* combo, const QString& text, const QVariant& data);

    void StartOperation(FactoryLinkType type);
    void OperationFinished(bool success);
    void ShowLinkMessage(const ShowMessage& message);

    FactoryToolContext ctx_;
    FactoryInfo info_;
    FactoryImage image_;
    LinkGlobals link_;
    std::string handshake_;
    int comPort_ = 0;
    SerialLink serial_;
    std::unique_ptr<FactoryExchange> exchange_;
    QTimer ReShowComPortTimer{this};

    // Controls, named as in the tool's form.
    QGroupBox* Frame1;
    QGroupBox* Frame2;
    std::array<QComboBox*, 2> Combo1;
    QComboBox* Combo2;
    std::array<FactoryTextBox*, 13> Text1;
    std::array<QLabel*, 14> Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;                  // the device of the chosen port
    std::array<QCheckBox*, 4> Check; // Check1 … Check4
    QCheckBox* Check5;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
};

} // namespace factory
} // namespace velmar
