#include "link/ui/serial_link.h"

#include "link/serial_latency.h"
#include "link/ui/serial_ports.h"

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace velmar {

namespace {

// Time allowed for the last bytes to leave before the port closes.
constexpr int DrainMs = 200;

PortOpenError Classify(QSerialPort::SerialPortError error, const QString& path) {
    const QByteArray file = path.toLocal8Bit();
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return PortOpenError::NoSuchPort;
    case QSerialPort::PermissionError:
        // The same error comes when another program holds the port's lock.
        if (::access(file.constData(), F_OK) != 0)
            return PortOpenError::NoSuchPort;
        if (::access(file.constData(), R_OK | W_OK) != 0 && errno == EACCES)
            return PortOpenError::PermissionDenied;
        return PortOpenError::InUse;
    case QSerialPort::OpenError:
        return PortOpenError::InUse;
    default:
        return PortOpenError::Other;
    }
}

} // namespace

QString PortOpenAdvice(const PortOpenResult& result) {
    switch (result.Error) {
    case PortOpenError::None:
        return {};
    case PortOpenError::NoSuchPort:
        if (result.Device.isEmpty())
            return QStringLiteral("No serial device has this port number. Plug in the "
                                  "programming cable and choose its port.");
        return QStringLiteral("The device %1 is not present. Plug in the programming cable "
                              "and choose its port.")
            .arg(result.Device);
    case PortOpenError::PermissionDenied:
        return QStringLiteral("You have no permission to use %1. Serial ports belong to the group "
                              "\"dialout\", and this login session is not a member of it.\n\n"
                              "To fix this, run\n    sudo usermod -aG dialout $USER\n"
                              "then log out and log in again (the command id then lists dialout). "
                              "If the device does not belong to the group dialout (see ls -l %1), "
                              "reinstall Velmar, whose udev rule 60-velmar-cables.rules gives "
                              "programming cables to that group, and plug the cable in again.")
            .arg(result.Device);
    case PortOpenError::InUse:
        return QStringLiteral("%1 is in use by another program. Close that program and try "
                              "again.")
            .arg(result.Device);
    case PortOpenError::Other:
        return QStringLiteral("%1: %2").arg(result.Device, result.Detail);
    }
    return {};
}

QString PortOpenFailureText(const QString& headline, const PortOpenResult& result) {
    const QString advice = PortOpenAdvice(result);
    return advice.isEmpty() ? headline : headline + "\n\n" + advice;
}

SerialLink::SerialLink(ComPortMap& ports, QObject* parent) : QObject(parent), ports_(ports) {
    replyTimer_.setSingleShot(true);
    connect(&replyTimer_, &QTimer::timeout, this, &SerialLink::ReplyTimedOut);
    connect(&port_, &QSerialPort::readyRead, this, &SerialLink::BytesArrived);
    connect(&port_, &QSerialPort::errorOccurred, this, &SerialLink::PortError);
}

SerialLink::~SerialLink() {
    replyTimer_.stop();
    if (port_.isOpen())
        port_.close();
}

PortOpenResult SerialLink::Open(int number) {
    ports_.Load();
    auto device = ports_.Device(number);
    if (!device) {
        // Perhaps a device plugged in since the ports were last listed.
        PresentPortNumbers(ports_);
        device = ports_.Device(number);
    }
    if (!device) {
        Close();
        return {PortOpenError::NoSuchPort, {}, {}};
    }
    return OpenDevice(QString::fromStdString(*device));
}

PortOpenResult SerialLink::OpenDevice(const QString& path) {
    Close();
    device_ = path;
    port_.setPortName(path);
    port_.setBaudRate(BaudRate);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        const PortOpenResult result{Classify(port_.error(), path), path, port_.errorString()};
        port_.clearError();
        return result;
    }
    // Replies reach the exchange without the adapter's latency timer where the
    // driver can do that; other ports work as they are.
    RequestLowLatency(static_cast<int>(port_.handle()));
    lost_ = false;
    pending_.clear();
    threshold_ = 1;
    port_.clear(QSerialPort::AllDirections);
    return {PortOpenError::None, path, {}};
}

void SerialLink::Close() {
    replyTimer_.stop();
    if (port_.isOpen())
        port_.close();
    pending_.clear();
}

bool SerialLink::IsOpen() const {
    return port_.isOpen();
}

void SerialLink::SetEngine(LinkEngine engine) {
    engine_ = std::move(engine);
    threshold_ = 1;
}

void SerialLink::Carry(LinkActions actions) {
    queue_.insert(queue_.end(), std::make_move_iterator(actions.begin()),
                  std::make_move_iterator(actions.end()));
    if (carrying_)
        return;
    carrying_ = true;
    while (!queue_.empty()) {
        const LinkAction action = std::move(queue_.front());
        queue_.pop_front();
        CarryOne(action);
    }
    carrying_ = false;
    // Bytes that came while a dialog of the owner was open.
    DeliverReplies();
}

void SerialLink::CarryOne(const LinkAction& action) {
    if (const auto* send = std::get_if<SendBytes>(&action)) {
        Send(*send);
    } else if (const auto* start = std::get_if<StartReplyTimer>(&action)) {
        replyTimer_.start(start->Milliseconds);
    } else if (std::holds_alternative<StopReplyTimer>(action)) {
        replyTimer_.stop();
    } else if (const auto* message = std::get_if<ShowMessage>(&action)) {
        emit messageRequested(*message);
    } else if (const auto* progress = std::get_if<ShowProgress>(&action)) {
        emit progressChanged(progress->Percent);
    } else if (const auto* password = std::get_if<OpenPasswordDialog>(&action)) {
        emit passwordRequested(password->Current);
    } else if (const auto* end = std::get_if<Finished>(&action)) {
        replyTimer_.stop();
        if (port_.isOpen() && port_.bytesToWrite() > 0)
            port_.waitForBytesWritten(DrainMs);
        Close();
        emit finished(end->Success);
    }
}

void SerialLink::Send(const SendBytes& command) {
    // A port that vanished may be back (the cable plugged in again).
    if (!port_.isOpen() && lost_ && !device_.isEmpty())
        OpenDevice(device_);
    threshold_ = command.Threshold;
    pending_.clear();
    if (!port_.isOpen())
        return; // the reply timer deals with the silence
    port_.clear(QSerialPort::AllDirections);
    if (!port_.isOpen())
        return; // it vanished just now
    port_.write(reinterpret_cast<const char*>(command.Data.data()),
                static_cast<qint64>(command.Data.size()));
    // Out now, not on the next turn of the event loop: the radio answers
    // sooner, and every block of a read or write waits for that answer.
    port_.flush();
}

void SerialLink::ReplyTimedOut() {
    if (engine_.OnTimeout)
        Carry(engine_.OnTimeout());
}

void SerialLink::BytesArrived() {
    pending_.append(port_.readAll());
    if (!carrying_)
        DeliverReplies();
}

// Each time the threshold's worth of bytes is there, its first bytes go to
// the engine. Whatever the engine does with them may empty the buffer (the
// next command) before the next count.
void SerialLink::DeliverReplies() {
    while (!carrying_ && engine_.OnBytes) {
        const auto count = static_cast<qsizetype>(threshold_ > 0 ? threshold_ : 1);
        if (pending_.size() < count)
            return;
        const QByteArray reply = pending_.left(count);
        pending_.remove(0, count);
        const auto* data = reinterpret_cast<const std::uint8_t*>(reply.constData());
        Carry(engine_.OnBytes(std::span(data, static_cast<std::size_t>(count))));
    }
}

void SerialLink::PortError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ResourceError || !port_.isOpen())
        return;
    lost_ = true;
    pending_.clear();
    port_.close(); // the reply timer runs on: the exchange's time-outs take over
    emit portLost();
}

} // namespace velmar
