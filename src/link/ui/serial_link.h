#pragma once
#include "link/link_actions.h"
#include "link/ui/com_port_map.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>

namespace velmar {

// Why a port did not open.
enum class PortOpenError {
    None,
    NoSuchPort,       // no device has this number, or the device is gone
    PermissionDenied, // the user may not use the device (group "dialout")
    InUse,            // another program holds the port
    Other,
};

struct PortOpenResult {
    PortOpenError Error = PortOpenError::None;
    QString Device; // the device the number stands for, when known
    QString Detail; // the system's words for the failure
    bool Ok() const { return Error == PortOpenError::None; }
};

// A plain explanation of a failed open for the user, to show after the
// program's own message ("Cannot Open Communication Port.", text 9003); empty
// when there is nothing to add. For a permission problem it names the group
// "dialout" and the command that cures it.
QString PortOpenAdvice(const PortOpenResult& result);

// The program's own message `headline`, then the advice when there is some.
QString PortOpenFailureText(const QString& headline, const PortOpenResult& result);

// What a SerialLink feeds: any link exchange (the radio read, write and
// information exchange, the first-run link, the factory link) as two calls.
struct LinkEngine {
    std::function<LinkActions(std::span<const std::uint8_t>)> OnBytes;
    std::function<LinkActions()> OnTimeout;
};

// The hooks of an exchange object that has OnBytes(span) and OnTimeout().
template <class Exchange> LinkEngine DriveEngine(Exchange& exchange) {
    return {[&exchange](std::span<const std::uint8_t> bytes) { return exchange.OnBytes(bytes); },
            [&exchange] { return exchange.OnTimeout(); }};
}

// The serial line to the radio: opens "COM" + n through the port map at
// 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control, and carries
// out the actions of a link exchange. SendBytes, StartReplyTimer and
// StopReplyTimer are done here; ShowMessage, ShowProgress and
// OpenPasswordDialog go to the owner by signal, and the owner answers the
// exchange and hands its actions back through Carry. On Finished the port is
// closed (after what was sent has gone out) and `finished` is emitted.
//
// Replies are handed over by the receive threshold of the last command: once
// at least that many bytes have come, the first that many go to the engine;
// the rest wait for the next count, until the next command empties the
// buffers.
//
// A port that vanishes (the cable pulled, the device gone) is closed and
// nothing more is sent; the reply timer keeps running, so the exchange's own
// time-outs lead it to its failure prompt. A send after that tries to open
// the device again, so a cable plugged back in can carry on.
class SerialLink : public QObject {
    Q_OBJECT
public:
    static constexpr qint32 BaudRate = 9600;

    explicit SerialLink(ComPortMap& ports, QObject* parent = nullptr);
    ~SerialLink() override;

    // Closes the port if it is open, then opens port "COM" + number.
    PortOpenResult Open(int number);
    // Closes the port if it is open, then opens the device at `path`.
    PortOpenResult OpenDevice(const QString& path);
    void Close();
    bool IsOpen() const;
    // The port vanished since it was opened and has not come back.
    bool PortLost() const { return lost_; }

    // The exchange that receives the bytes and time-outs from now on; an empty
    // engine receives nothing. The receive threshold starts at 1.
    void SetEngine(LinkEngine engine);

    // Carries out `actions` in order. A call made while an earlier list is
    // still being carried out (from a slot of one of the signals below) is
    // queued behind it, so actions never overtake each other. A slot must not
    // delete the link (use deleteLater).
    void Carry(LinkActions actions);

    // The receive threshold set by the last command.
    std::size_t Threshold() const { return threshold_; }

signals:
    // A message box; when it has more than an OK button the owner feeds the
    // answer to the exchange (OnAnswer) and carries the result.
    void messageRequested(const velmar::ShowMessage& message);
    void progressChanged(int percent);
    // The password dialog, filled with `current`.
    void passwordRequested(const std::string& current);
    // The exchange is over; the port is closed.
    void finished(bool success);
    // The device disappeared while the port was open.
    void portLost();

private:
    void CarryOne(const LinkAction& action);
    void Send(const SendBytes& command);
    void ReplyTimedOut();
    void BytesArrived();
    void DeliverReplies();
    void PortError(QSerialPort::SerialPortError error);

    ComPortMap& ports_;
    QSerialPort port_;
    QTimer replyTimer_;
    LinkEngine engine_;
    QString device_;
    QByteArray pending_; // received and not yet handed over
    std::size_t threshold_ = 1;
    bool lost_ = false;
    bool carrying_ = false;
    std::deque<LinkAction> queue_;
};

} // namespace velmar
