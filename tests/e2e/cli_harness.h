#pragma once
// What the end-to-end tests of velmar-cli share: the real program installed
// beside the shipped data, a fresh folder for each test that is also its
// home, runs of the program to their end, and documents to hand it.
#include "model/data_file.h"
#include "model/initial_values.h"
#include "shell/ini_file.h"
#include "shell/ui/ui_test_support.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <optional>

namespace velmar::test {

struct NoTexts : TextLookup {
    std::string GetText(int) const override { return {}; }
};
struct NoMessages : MessageSink {
    MsgAnswer Show(const std::string&, MsgButtons, MsgIcon) override { return MsgAnswer::Ok; }
};

// How a run of velmar-cli ended; Code -1 when it crashed or did not end.
struct Outcome {
    int Code = -1;
    QString Out;
    QString Err;
};

// A document with channel 1 at `channel1` and channel 45 at `channel45` (a
// CTCSS decode tone), besides the VFO.
inline std::unique_ptr<Document> MakeDocument(const char* channel1, const char* channel45) {
    auto doc = std::make_unique<Document>();
    InitDocValues(*doc, 5);
    const ChannelInfo vfo = doc->ChList[1];
    doc->ChList[0].RxFre = MakeFixStr<8>(channel1);
    doc->ChList[1] = NewChannelInfo(45);
    doc->ChList[1].RxFre = MakeFixStr<8>(channel45);
    doc->ChList[1].RxTone = 13;
    doc->ChList[2] = vfo;
    doc->Doc.ChCount = 3;
    return doc;
}

inline const ChannelInfo* FindChannel(const LoadedDocument& doc, int chNo) {
    for (const ChannelInfo& ch : doc.Channels)
        if (ch.ChNo == chNo)
            return &ch;
    return nullptr;
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CliHarness {
public:
    static constexpr int WaitMs = 120000; // generous: the machine may be busy

    // Once per test program: velmar-cli in the program folder of a fresh
    // install, where it finds its language files and settings, in English.
    bool InstallCli() {
        install_ = std::make_unique<TestInstall>();
        cli_ = QString::fromStdString(install_->Path("bin/velmar-cli"));
        return QFile::copy(VELMAR_PROGRAM_DIR "/velmar-cli", cli_) &&
               WriteIniValue(install_->Path("language/mysetup.ini"), "language", "CurrentLanguage",
                             "1");
    }
    void NewFolder() { dir_ = std::make_unique<QTemporaryDir>(); }
    void DropFolder() { dir_.reset(); }

    QString File(const QString& name) const { return dir_->filePath(name); }
    QString Backups() const { return dir_->filePath("data/velmar/backups"); }
    // The English text of a text id, as the program says it.
    QString Text(int id) const {
        const std::string text = ReadIniValue(install_->Path("bin/language/english.ini"),
                                              id >= 32000 ? "Others" : "Msg", std::to_string(id));
        return QString::fromStdString(text);
    }
    // A table's expected message: a text id ("9010") or the words themselves.
    QString Expected(const QString& message) const {
        bool isId = false;
        const int id = message.toInt(&isId);
        return isId ? Text(id) : message;
    }

    bool SaveDocument(Document doc, const QString& path) {
        return SaveDocumentFile(doc, path.toStdString(), texts_, messages_);
    }
    std::optional<LoadedDocument> LoadDocument(const QString& path) {
        return ReadDocumentFiles(path.toStdString(), texts_, messages_);
    }

    // The test's folder as home and as the places of settings and data.
    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir_->filePath("home"));
        env.insert("XDG_CONFIG_HOME", dir_->filePath("config"));
        env.insert("XDG_DATA_HOME", dir_->filePath("data"));
        env.insert("LANG", "C.UTF-8");
        env.remove("LC_ALL");
        return env;
    }

    // Runs velmar-cli to its end, events (the radios' logs) flowing meanwhile.
    Outcome Run(QProcess& process, const QStringList& arguments) {
        process.setProcessEnvironment(Environment());
        process.start(cli_, arguments);
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(WaitMs, &loop, &QEventLoop::quit);
        if (process.state() != QProcess::NotRunning)
            loop.exec();
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
            return {};
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    Outcome Run(const QStringList& arguments) {
        QProcess process;
        process.setStandardInputFile(QProcess::nullDevice());
        return Run(process, arguments);
    }

protected:
    std::unique_ptr<TestInstall> install_;
    std::unique_ptr<QTemporaryDir> dir_;

private:
    QString cli_;
    NoTexts texts_;
    NoMessages messages_;
};

} // namespace velmar::test
