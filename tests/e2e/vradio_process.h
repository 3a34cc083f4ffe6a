#pragma once
// The virtual radio as a child process of a test: started with its options,
// its pseudo-terminal read from the first line it prints, stopped (SIGTERM,
// so it saves its memory file) or killed (the cable pulled) on demand, and
// always gone when the object is.
#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace velmar {

class VRadio {
public:
    explicit VRadio(const QStringList& options) {
        process_.setProgram(QStringLiteral(VELMAR_PROGRAM_DIR "/velmar-vradio"));
        process_.setArguments(options);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        if (!process_.waitForStarted(5000))
            return;
        QDeadlineTimer deadline(5000);
        while (!process_.canReadLine() && !deadline.hasExpired())
            process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        if (process_.canReadLine())
            path_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    ~VRadio() { Stop(); }
    VRadio(const VRadio&) = delete;
    VRadio& operator=(const VRadio&) = delete;

    bool Ok() const { return !path_.isEmpty() && process_.state() == QProcess::Running; }
    // The device the program opens as its serial port.
    const QString& Path() const { return path_; }

    // Ends the radio the friendly way: it saves its memory file first.
    bool Stop() {
        if (process_.state() == QProcess::NotRunning)
            return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
        process_.terminate();
        if (process_.waitForFinished(5000))
            return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
        Kill();
        return false;
    }

    // The radio is gone at once, as when the cable is pulled out.
    void Kill() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.kill();
        process_.waitForFinished(5000);
    }

private:
    QProcess process_;
    QString path_;
};

} // namespace velmar
