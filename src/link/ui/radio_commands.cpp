#include "link/ui/radio_commands.h"

#include "link/build_fault_text.h"
#include "link/image_compare.h"
#include "link/image_conversion.h"
#include "link/memory_image_file.h"
#include "link/radio_backups.h"
#include "link/ui/frm_pass_word.h"
#include "link/ui/frm_progress.h"
#include "link/ui/frm_restore_backup.h"
#include "link/ui/frm_set_comm.h"
#include "settings/ui/frm_radio_info.h"
#include "shell/ui/app_context.h"
#include "shell/ui/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <memory>
#include <utility>

namespace velmar {

namespace {

constexpr int TextCannotOpenPort = 9003;
constexpr int TextReadQuestion = 9004;
constexpr int TextWriteQuestion = 9005;
constexpr int TextReadDone = 9009;
constexpr int TextWriteDone = 9010;
constexpr int TextNoBackups = 9134;
constexpr int TextRestoreFailed = 9135;
constexpr int TextNotReadBack = 9143;
constexpr int TextNothingSent = 32118;
constexpr int TextRestoreQuestion = 32120;

} // namespace

RadioCommands::RadioCommands(AppContext& app, QWidget* window, RadioCommandHooks hooks)
    : QObject(window), app_(app), window_(window), hooks_(std::move(hooks)),
      ports_(DefaultComPortMapPath()), port_(ports_) {
    setObjectName("RadioCommands");
    // Nothing read yet: a backup before the first radio-information read
    // carries an erased identification block.
    infoBlock_.bytes.fill(0xFF);
    ReadOKTimer_.setSingleShot(true);
    ReadOKTimer_.setInterval(ReadOKMs);
    connect(&ReadOKTimer_, &QTimer::timeout, this, &RadioCommands::ReadOKTimerTick);
    WaitSaveDataTimer_.setSingleShot(true);
    WaitSaveDataTimer_.setInterval(WaitSaveDataMs);
    connect(&WaitSaveDataTimer_, &QTimer::timeout, this, &RadioCommands::WaitSaveDataTimerTick);

    connect(&port_, &SerialLink::messageRequested, this, &RadioCommands::ShowLinkMessage);
    connect(&port_, &SerialLink::passwordRequested, this, &RadioCommands::AskPassword);
    connect(&port_, &SerialLink::finished, this, &RadioCommands::ExchangeFinished);
}

RadioCommands::~RadioCommands() {
    port_.SetEngine({});
}

RadioCommands& RadioCommands::Of(AppContext& app, QWidget* window) {
    if (auto* found = window->findChild<RadioCommands*>(QString(), Qt::FindDirectChildrenOnly))
        return *found;
    return *new RadioCommands(app, window);
}

FrmProgress* RadioCommands::Progress() const {
    return progress_;
}

// ---- commands --------------------------------------------------------------

void RadioCommands::ReadFromRadio() {
    if (Busy())
        return;
    CommitEdits();
    LinkType_ = LinkType::Read;
    if (!PortOpensAndConfirmed(TextReadQuestion)) {
        LinkType_ = LinkType::None;
        return;
    }
    RunWithProgress();
}

void RadioCommands::WriteToRadio() {
    if (Busy())
        return;
    CommitEdits();
    LinkType_ = LinkType::Write;
    WaitSaveDataTimer_.start();
}

// After the editors have stored their pending edits.
void RadioCommands::WaitSaveDataTimerTick() {
    WaitSaveDataTimer_.stop();
    if (!PortOpensAndConfirmed(TextWriteQuestion)) {
        LinkType_ = LinkType::None;
        return;
    }
    // BuildImage erases the channel records itself; the bytes after them
    // (0x2400 on) go back to the radio as the last read left them.
    const ImageBuildResult built = BuildImage(app_.Doc, image_);
    if (!built.Ok()) {
        LinkType_ = LinkType::None;
        ShowMessageText(QString::fromStdString(ImageBuildFaultText(built)), MsgIcon::Warning);
        return;
    }
    RunWithProgress();
}

void RadioCommands::RestoreBackup() {
    if (Busy())
        return;
    const std::string folder = BackupFolder();
    std::vector<BackupEntry> backups = ListBackups(folder);
    if (backups.empty()) {
        ShowMessageText(app_.Text(TextNoBackups) + "\n" + QString::fromStdString(folder),
                        MsgIcon::Information);
        return;
    }
    FrmRestoreBackup dialog(app_, std::move(backups), window_);
    if (dialog.exec() != QDialog::Accepted || !dialog.Chosen())
        return;
    const MemoryImageRead backup = ReadMemoryImageFile(dialog.Chosen()->Path);
    if (!backup.Ok()) {
        ShowMessageText(QString::fromStdString(
                            MemoryImageFaultText(backup.Fault, dialog.Chosen()->Path, app_.Texts)) +
                            "\n" + app_.Text(TextNothingSent),
                        MsgIcon::Warning);
        return;
    }
    LinkType_ = LinkType::Write;
    if (!PortOpensAndConfirmed(TextRestoreQuestion)) {
        LinkType_ = LinkType::None;
        return;
    }
    // The radio is checked against the model and band the backup was read from.
    auto from = std::make_unique<Document>();
    ParseImage(backup.Memory.Image, *from);
    restoring_ = true;
    restoreModel_ = from->ModelName;
    restoreBand_ = from->BandText;
    restoreImage_ = backup.Memory.Image;
    RunWithProgress();
}

void RadioCommands::ReadRMGDataFromRadio() {
    if (Busy())
        return;
    app_.UnloadFormsByName(FrmRadioInfo::FormName);
    LinkType_ = LinkType::RadioInfo;
    if (!PrepareLink()) {
        LinkType_ = LinkType::None;
        return;
    }
    StartExchange();
}

void RadioCommands::ShowPassWord() {
    FrmPassWord dialog(app_, link_, window_);
    dialog.exec();
}

void RadioCommands::ShowSetComm() {
    FrmSetComm dialog(app_, ports_, window_);
    dialog.exec();
    if (app_.MainWindow)
        app_.MainWindow->ShowMainTxt(); // the port in the status bar
}

// ---- the exchange -----------------------------------------------------------

void RadioCommands::CommitEdits() {
    if (hooks_.CommitEdits) {
        hooks_.CommitEdits();
        return;
    }
    if (auto* main = dynamic_cast<FrmMain*>(app_.MainWindow))
        main->SetSaveEditData();
    // A text box being typed in stores its text when it loses the focus.
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
}

// Opens the port of comPort; text 9003 when it cannot be opened.
bool RadioCommands::PrepareLink() {
    link_.comPort = app_.Settings.comPort;
    const PortOpenResult opened = port_.Open(app_.Settings.comPort);
    if (opened.Ok())
        return true;
    ShowMessageText(PortOpenFailureText(app_.Text(TextCannotOpenPort), opened), MsgIcon::Critical);
    return false;
}

// A read or write asks its question only once the port is known to open; the
// port opens again with the progress window.
bool RadioCommands::PortOpensAndConfirmed(int questionId) {
    if (!PrepareLink())
        return false;
    port_.Close();
    return app_.Messages().Show(app_.Texts.GetText(questionId), MsgButtons::OkCancel,
                                MsgIcon::Question) == MsgAnswer::Ok;
}

void RadioCommands::ShowMessageText(const QString& text, MsgIcon icon) {
    app_.Messages().Show(text.toStdString(), MsgButtons::Ok, icon);
}

// The modal progress window runs a read or a write from start to end.
void RadioCommands::RunWithProgress() {
    FrmProgress progress(
        app_, LinkType_ == LinkType::Write ? FrmProgress::Kind::Write : FrmProgress::Kind::Read,
        window_);
    progress_ = &progress;
    connect(&port_, &SerialLink::progressChanged, &progress, &FrmProgress::SetProgressValue);
    connect(&progress, &FrmProgress::loaded, this, &RadioCommands::StartExchange);
    progress.exec();
    progress_ = nullptr;
}

void RadioCommands::StartExchange() {
    if (!port_.IsOpen() && !PrepareLink()) {
        if (verifying_) {
            VerifyFinished(false, {});
            return;
        }
        EndRestore(false);
        const LinkType type = std::exchange(LinkType_, LinkType::None);
        if (progress_)
            progress_->Finish();
        emit exchangeEnded(type, false);
        return;
    }
    exchange_ = std::make_unique<RadioExchange>(
        LinkType_,
        ExchangeContext{link_, verifying_ ? readBack_ : Outgoing(), infoBlock_, app_.Versions,
                        app_.Texts, restoring_ ? restoreModel_ : app_.Doc.ModelName,
                        restoring_ ? restoreBand_ : app_.Doc.BandText, app_.Settings.IsMainVersion,
                        restoring_ && !verifying_});
    port_.SetEngine(DriveEngine(*exchange_));
    port_.Carry(exchange_->Start());
}

void RadioCommands::ShowLinkMessage(const ShowMessage& message) {
    // A verified write says it is done once, with the outcome of the read-back.
    if ((message.TextId == TextWriteDone && VerifyFollows()) ||
        (message.TextId == TextReadDone && verifying_))
        return;
    const MsgAnswer answer =
        app_.Messages().Show(MessageBoxText(message, app_.Texts), message.Buttons, message.Icon);
    if (message.Buttons != MsgButtons::Ok && exchange_)
        port_.Carry(exchange_->OnAnswer(answer));
}

// The radio's password differs from the one held: ask for it.
void RadioCommands::AskPassword() {
    FrmPassWord dialog(app_, link_, window_);
    const bool entered = dialog.exec() == QDialog::Accepted;
    if (!exchange_)
        return;
    port_.Carry(entered ? exchange_->OnPasswordEntered(link_.RadioPassword)
                        : exchange_->OnPasswordCancelled());
}

void RadioCommands::ExchangeFinished(bool success) {
    port_.SetEngine({});
    const std::string radioModel = exchange_ ? exchange_->Radio().Model : std::string();
    exchange_.reset();
    if (verifying_) {
        VerifyFinished(success, radioModel);
        return;
    }
    if (success && VerifyFollows()) {
        StartVerify();
        return;
    }
    const LinkType type = std::exchange(LinkType_, LinkType::None);
    const bool restore = restoring_;
    EndRestore(success);
    if (progress_)
        progress_->Finish();
    if (!success && restore)
        ShowMessageText(app_.Text(TextRestoreFailed), MsgIcon::Warning);
    if (success && type == LinkType::Read) {
        SaveReadBackup(radioModel, image_);
        app_.CloseCurAllWindows();
        ReadOKTimer_.start();
    }
    if (success && type == LinkType::RadioInfo) {
        DecodeRadioInfo(infoBlock_, app_.Doc.RadioInfo);
        FrmRadioInfo::ShowForm(app_);
    }
    emit exchangeEnded(type, success);
}

RadioImage& RadioCommands::Outgoing() {
    return restoring_ ? restoreImage_ : image_;
}

// A restored backup is what the radio holds from now on: what the program
// does not know of it goes out with the next write as it came.
void RadioCommands::EndRestore(bool written) {
    if (restoring_ && written)
        image_ = restoreImage_;
    restoring_ = false;
}

// ---- verify after writing ---------------------------------------------------

bool RadioCommands::VerifyFollows() const {
    return LinkType_ == LinkType::Write && !verifying_ && app_.Settings.VerifyAfterWrite;
}

// The write went well: the radio is read back in the same progress window,
// once the port has settled out of the finished write.
void RadioCommands::StartVerify() {
    verifying_ = true;
    LinkType_ = LinkType::Read;
    sent_ = Outgoing(); // with the radio's identification as the write put it in
    if (progress_)
        progress_->SetPhase(FrmProgress::Phase::Verifying);
    QTimer::singleShot(0, this, &RadioCommands::StartExchange);
}

void RadioCommands::VerifyFinished(bool success, const std::string& radioModel) {
    verifying_ = false;
    EndRestore(true); // the write went well before the read-back
    LinkType_ = LinkType::None;
    if (progress_)
        progress_->Finish();
    QString text = app_.Text(TextWriteDone) + "\n\n";
    bool equal = false;
    if (success) {
        const ImageComparison comparison = CompareImages(sent_, readBack_);
        equal = comparison.Equal();
        text += QString::fromStdString(ComparisonBrief(comparison, app_.Texts));
    } else {
        text += app_.Text(TextNotReadBack);
    }
    ShowMessageText(text, equal ? MsgIcon::Information : MsgIcon::Warning);
    if (success)
        SaveReadBackup(radioModel, readBack_); // a read like any other
    // The write itself went well, whatever the read-back found.
    emit exchangeEnded(LinkType::Write, true);
}

// ---- after a read -------------------------------------------------------------

// The memory as read goes to the backups; a backup that cannot be written is
// reported and the read goes on.
void RadioCommands::SaveReadBackup(const std::string& radioModel, const RadioImage& read) {
    const BackupResult backup = SaveBackup(BackupFolder(), radioModel, {read, infoBlock_},
                                           std::chrono::system_clock::now());
    if (!backup.Ok)
        ShowMessageText(QString::fromStdString(BackupFailureText(backup, app_.Texts)),
                        MsgIcon::Warning);
}

void RadioCommands::ReadOKTimerTick() {
    ReadOKTimer_.stop();
    const UndoStep step(app_, {StepText::ReadFromRadio, {}});
    ParseImage(image_, app_.Doc);
    // The read document is a new one, not yet saved.
    app_.Doc.DocFileName = "new.dat";
    app_.Doc.IsNewDocument = true;
    ShowReadDocument();
    emit readDocumentShown();
}

void RadioCommands::ShowReadDocument() {
    if (hooks_.ShowReadDocument) {
        hooks_.ShowReadDocument();
        return;
    }
    if (auto* main = dynamic_cast<FrmMain*>(app_.MainWindow))
        main->Change_Language();
    else if (app_.MainWindow)
        app_.MainWindow->LoadTree();
    if (app_.MainWindow)
        app_.MainWindow->ShowMainTxt();
    if (window_)
        if (auto* grid = window_->findChild<QAction*>("mnuChannelInfo"))
            grid->trigger();
    app_.CascadeChildWindows();
}

} // namespace velmar
