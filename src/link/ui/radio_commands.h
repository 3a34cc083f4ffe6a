#pragma once
#include "link/link_globals.h"
#include "link/radio_exchange.h"
#include "link/radio_image.h"
#include "link/ui/com_port_map.h"
#include "link/ui/serial_link.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace velmar {

class AppContext;
class FrmProgress;

// What the radio commands ask of the main window. Empty hooks do the
// default: the main window's SetSaveEditData and a focus change commit the
// editors; after a read the main window's texts and tree are applied again,
// its channel-grid entry (action "mnuChannelInfo") opens the grid and the
// child windows are cascaded.
struct RadioCommandHooks {
    std::function<void()> CommitEdits;
    std::function<void()> ShowReadDocument;
};

// The main window's radio commands: read, write, restore of a backup, radio
// information, the password and port dialogs. Every successful read is kept as
// a backup. With Settings.VerifyAfterWrite a successful write (or restore) is
// read back in the same progress window and compared with what was sent; one
// message then tells the outcome. It holds the link state of the run (the
// cable echo assumption, the radio password, the radio image) and the serial
// port. Only one exchange runs at a time; a command given meanwhile is ignored.
class RadioCommands : public QObject {
    Q_OBJECT
public:
    static constexpr int ReadOKMs = 500;
    static constexpr int WaitSaveDataMs = 100;

    // `window` is the main window (parent of the dialogs and of this object).
    RadioCommands(AppContext& app, QWidget* window, RadioCommandHooks hooks = {});
    ~RadioCommands() override;

    // The instance of the main window `window`, made on first use.
    static RadioCommands& Of(AppContext& app, QWidget* window);

    void ReadFromRadio(); // mnuReadFromRadio, toolbar "ReadRadio"
    void WriteToRadio();  // mnuWriteToRadio, toolbar "WriteRadio"
    // mnuFileRestore: a backup chosen from the list, after a confirmation,
    // written back byte for byte (every area a write sends).
    void RestoreBackup();
    void ReadRMGDataFromRadio(); // MnuLocalInfo, tree node "N7"
    void ShowPassWord();         // MnuProPassWord
    void ShowSetComm();          // mnuComm, toolbar "CommSet"

    // An exchange runs or is being prepared, or a read is still turning into
    // the document.
    bool Busy() const { return LinkType_ != LinkType::None || ReadOKTimer_.isActive(); }
    // The progress window of the read or write in hand; nullptr when none.
    FrmProgress* Progress() const;

    LinkGlobals& Link() { return link_; }
    ComPortMap& Ports() { return ports_; }
    SerialLink& Port() { return port_; }
    RadioImage& Image() { return image_; }
    QTimer& ReadOKTimer() { return ReadOKTimer_; }
    QTimer& WaitSaveDataTimer() { return WaitSaveDataTimer_; }

signals:
    // An exchange ended (read, write or radio information); a write that is
    // verified ends once it has been read back.
    void exchangeEnded(velmar::LinkType type, bool success);
    // The document read from the radio is in place and shown.
    void readDocumentShown();

private:
    void CommitEdits();
    bool PrepareLink();
    bool PortOpensAndConfirmed(int questionId);
    void RunWithProgress();
    void StartExchange();
    void ExchangeFinished(bool success);
    void ShowLinkMessage(const ShowMessage& message);
    void AskPassword();
    void WaitSaveDataTimerTick();
    void SaveReadBackup(const std::string& radioModel, const RadioImage& read);
    void ReadOKTimerTick();
    void ShowReadDocument();
    void ShowMessageText(const QString& text, MsgIcon icon);
    RadioImage& Outgoing(); // the image a write sends
    void EndRestore(bool written);
    bool VerifyFollows() const;
    void StartVerify();
    void VerifyFinished(bool success, const std::string& radioModel);

    AppContext& app_;
    QPointer<QWidget> window_;
    RadioCommandHooks hooks_;
    LinkGlobals link_;
    ComPortMap ports_;
    SerialLink port_;
    RadioImage image_;
    RadioInfoBlock infoBlock_;
    LinkType LinkType_ = LinkType::None;
    // A restore: the backup goes out as it is, checked against the radio's
    // model and band it was read from.
    bool restoring_ = false;
    RadioImage restoreImage_;
    std::string restoreModel_;
    std::string restoreBand_;
    // The read-back of a verified write, and what the write sent.
    bool verifying_ = false;
    RadioImage readBack_;
    RadioImage sent_;
    std::unique_ptr<RadioExchange> exchange_;
    QPointer<FrmProgress> progress_;
    QTimer ReadOKTimer_;
    QTimer WaitSaveDataTimer_;
};

} // namespace velmar
