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

// Starts the virtual radio in `process` and waits for the first line it
// prints; false when none came.
inline bool StartVRadioProcess(QProcess& process, const QStringList& options) {
    process.setProgram(QStringLiteral(VELMAR_PROGRAM_DIR "/velmar-vradio"));
    process.setArguments(options);
    process.start();
    if (!process.waitForStarted(5000))
        return false;
    QDeadlineTimer deadline(5000);
    while (!process.canReadLine() && !deadline.hasExpired())
        process.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    return process.canReadLine();
}

class VRadio {
public:
    explicit VRadio(const QStringList& options) {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (StartVRadioProcess(process_, options))
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
