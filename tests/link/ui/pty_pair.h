#pragma once
// A pseudo-terminal pair for the serial link tests: the program opens the
// far end (Path) as its serial port, the test plays the radio on the master,
// by hand or with the simulated radio (PtyRadio).
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include "link/radio_sim.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QString>
#include <memory>

namespace velmar {

class PtyPair {
public:
    PtyPair() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            return;
        path_ = QString::fromLocal8Bit(ptsname(master_));
        // Keep the line raw even while the program has not opened it yet.
        const int slave = open(ptsname(master_), O_RDWR | O_NOCTTY);
        termios line{};
        tcgetattr(slave, &line);
        cfmakeraw(&line);
        tcsetattr(slave, TCSANOW, &line);
        close(slave);
    }
    ~PtyPair() { CloseMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return master_ >= 0 && !path_.isEmpty(); }
    const QString& Path() const { return path_; }
    int Master() const { return master_; }

    // The radio sends `bytes`.
    void Write(const QByteArray& bytes) const {
        if (master_ >= 0)
            (void)::write(master_, bytes.constData(), static_cast<size_t>(bytes.size()));
    }

    // What the program sent, gathered until `count` bytes or the time is up;
    // Qt events run meanwhile.
    QByteArray Read(qsizetype count, int milliseconds = 2000) const {
        QByteArray got;
        QDeadlineTimer deadline(milliseconds);
        while (got.size() < count && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            pollfd wait{master_, POLLIN, 0};
            if (poll(&wait, 1, 10) > 0 && (wait.revents & POLLIN)) {
                char buffer[256];
                const ssize_t n = ::read(master_, buffer, sizeof buffer);
                if (n > 0)
                    got.append(buffer, n);
            }
        }
        return got;
    }

    // The radio end goes away, as when the cable is pulled.
    void CloseMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    QString path_;
};

// The simulated radio on the master side of the pty.
class PtyRadio {
public:
    PtyRadio(PtyPair& pty, RadioSim& sim) : pty_(pty), sim_(sim) {
        notifier_ = std::make_unique<QSocketNotifier>(pty.Master(), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
            char buffer[512];
            const ssize_t n = ::read(pty_.Master(), buffer, sizeof buffer);
            if (n <= 0)
                return;
            const auto* data = reinterpret_cast<const std::uint8_t*>(buffer);
            for (const Bytes& piece : sim_.Receive(std::span(data, static_cast<std::size_t>(n))))
                pty_.Write(QByteArray(reinterpret_cast<const char*>(piece.data()),
                                      static_cast<qsizetype>(piece.size())));
        });
    }

private:
    PtyPair& pty_;
    RadioSim& sim_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace velmar
