#include "port_session.h"

#include "cli_environment.h"
#include "cli_texts.h"
#include "console.h"
#include "link/radio_password.h"
#include "link/ui/password_ansi.h"
#include "terminal_questions.h"

#include <QTimer>
#include <utility>

namespace velmar::cli {

namespace {

// "COM12" → 12; nothing for a device path.
std::optional<int> ComNumber(const std::string& port) {
    if (port.size() < 4 || port.compare(0, 3, "COM") != 0)
        return std::nullopt;
    int number = 0;
    for (std::size_t i = 3; i < port.size(); ++i) {
        if (port[i] < '0' || port[i] > '9' || number > ComPortMap::HighestNumber)
            return std::nullopt;
        number = number * 10 + (port[i] - '0');
    }
    if (number < 1 || number > ComPortMap::HighestNumber)
        return std::nullopt;
    return number;
}

} // namespace

PortSession::PortSession(std::string port, ComPortMap& ports, CliEnvironment& env,
                         AnswerPolicy policy)
    : port_(std::move(port)), env_(env), policy_(std::move(policy)), serial_(ports) {
    // Nothing read yet: the identification block of a backup reads as erased.
    infoBlock_.bytes.fill(0xFF);
    // The password given is the one held, so the check passes without asking.
    if (policy_.Password)
        EnterRadioPassword(link_, *policy_.Password);
    connect(&serial_, &SerialLink::messageRequested, this, &PortSession::Show);
    connect(&serial_, &SerialLink::passwordRequested, this, &PortSession::AskPassword);
    connect(&serial_, &SerialLink::progressChanged, this,
            [this](int percent) { env_.Out.Progress(port_, progressTitle_, percent); });
    connect(&serial_, &SerialLink::finished, this, &PortSession::Finished);
}

PortSession::~PortSession() {
    serial_.SetEngine({});
}

bool PortSession::Open() {
    const auto number = ComNumber(port_);
    const PortOpenResult opened =
        number ? serial_.Open(*number) : serial_.OpenDevice(QString::fromStdString(port_));
    if (opened.Ok())
        return true;
    env_.Out.Message(
        port_, PortOpenFailureText(QString::fromStdString(env_.Text(kTextCannotOpenPort)), opened)
                   .toStdString());
    return false;
}

void PortSession::Run(LinkType type, const std::string& modelName, const std::string& bandText,
                      std::function<void(bool)> done, bool asItIs) {
    done_ = std::move(done);
    heldMessage_.clear();
    successText_.clear();
    retriesLeft_ = policy_.Retries;
    if (!serial_.IsOpen() && !Open()) {
        QTimer::singleShot(0, this, [this] { Finished(false); });
        return;
    }
    progressTitle_ = type == LinkType::Write ? env_.Text(kTextWriting) : env_.Text(kTextReading);
    exchange_ = std::make_unique<RadioExchange>(
        type, ExchangeContext{link_, image_, infoBlock_, env_.Versions, env_.Texts, modelName,
                              bandText, env_.Settings.IsMainVersion, asItIs});
    serial_.SetEngine(DriveEngine(*exchange_));
    serial_.Carry(exchange_->Start());
}

void PortSession::FlushHeldMessage() {
    if (!heldMessage_.empty())
        env_.Out.Message(port_, std::exchange(heldMessage_, {}));
}

void PortSession::Show(const ShowMessage& message) {
    FlushHeldMessage();
    const std::string text = MessageBoxText(message, env_.Texts);
    if (message.Buttons == MsgButtons::Ok) {
        // The text of a success or of the failure that ends the exchange.
        heldMessage_ = text;
        return;
    }
    // No valid reply: start again from the handshake while --retry allows.
    if (message.TextId == RadioExchange::TextNoReply) {
        const bool again = retriesLeft_ > 0;
        if (again)
            --retriesLeft_;
        env_.Out.Message(port_, text + " " + env_.Text(again ? kTextOk : kTextCancel));
        Answer(again
                   ? (message.Buttons == MsgButtons::RetryCancel ? MsgAnswer::Retry : MsgAnswer::Ok)
                   : MsgAnswer::Cancel);
        return;
    }
    // A question of the radio (the band differs): --yes, else the terminal.
    if (policy_.Yes || !policy_.Terminal) {
        env_.Out.Message(port_, text + " " + env_.Text(policy_.Yes ? kTextOk : kTextCancel));
        Answer(policy_.Yes ? MsgAnswer::Ok : MsgAnswer::Cancel);
        return;
    }
    policy_.Terminal->AskYesNo(
        port_, text, [this](bool yes) { Answer(yes ? MsgAnswer::Ok : MsgAnswer::Cancel); });
}

void PortSession::Answer(MsgAnswer answer) {
    if (exchange_)
        serial_.Carry(exchange_->OnAnswer(answer));
}

// The radio's password is not the one held.
void PortSession::AskPassword() {
    const auto cancel = [this] {
        if (exchange_)
            serial_.Carry(exchange_->OnPasswordCancelled());
    };
    if (policy_.Password) {
        cancel(); // the password given is wrong: "PassWord Failure!"
        return;
    }
    if (!policy_.Terminal) {
        env_.Out.Message(port_, env_.Text(kTextGivePassword));
        cancel();
        return;
    }
    policy_.Terminal->AskPassword(
        port_, env_.Text(kTextPasswordLabel) + ":",
        [this, cancel](std::optional<std::string> typed) {
            if (!typed || !exchange_) {
                cancel();
                return;
            }
            // As many characters as the password dialog takes.
            const QString password = QString::fromStdString(*typed).left(kRadioPasswordLength);
            serial_.Carry(exchange_->OnPasswordEntered(PasswordToAnsi(password, env_.AnsiIsGbk)));
        });
}

void PortSession::Finished(bool success) {
    serial_.SetEngine({});
    env_.Out.EndProgress(port_);
    if (exchange_ && !exchange_->IdentifyReply().empty()) {
        radioModel_ = exchange_->Radio().Model;
        identifyReply_ = exchange_->IdentifyReply();
    }
    if (success)
        successText_ = std::exchange(heldMessage_, {});
    else
        FlushHeldMessage();
    // The next exchange may start from `done`: let the link finish first.
    QTimer::singleShot(0, this, [this, success] {
        exchange_.reset();
        if (auto done = std::exchange(done_, {}))
            done(success);
    });
}

} // namespace velmar::cli
