// Soak of the radio link: many exchanges of the real velmar-cli against
// velmar-vradio (read, write, info and verify, with and without the cable's
// echo, a fault of a random kind at a random command in one exchange of
// five), each checked against the radio's memory and the files around it,
// then the real main window reading from the virtual radio again and again
// while its resident memory and open file descriptors are sampled.
//
//   velmar_soak [--exchanges N] [--window-reads N] [--seed N]
//
// After each exchange: a read that succeeded saved exactly the document the
// radio's memory converts to (velmar-cli image) and a backup equal to that
// memory; a write that succeeded left the radio holding the document's image
// with the radio's identification; verify answered 0 exactly when the radio
// holds what a write of the document would leave; info printed the radio's
// information block. An exchange that failed ended within kGiveUpLimitMs with
// exit code 1, created no file and left every file byte for byte. Reads,
// info and verify never change the radio. Every fault strikes once; which
// ones an exchange must survive is told at MustFail.
//
// Exits 1 when any result was wrong or the window kept more descriptors
// open at the end than after its first read. A clean failure where none was
// due (replies later than the link waits, on a busy machine) is counted and
// shown, not judged.
#include "e2e/vradio_process.h"

#include "link/frames.h"
#include "link/memory_image_file.h"
#include "link/radio_exchange.h"
#include "link/radio_sim.h"
#include "link/ui/com_port_map.h"
#include "link/ui/radio_commands.h"
#include "model/data_file.h"
#include "model/document_history.h"
#include "model/initial_values.h"
#include "shell/ui/frm_main.h"
#include "shell/ui/ui_test_support.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace velmar;
using namespace velmar::test;

Q_DECLARE_METATYPE(velmar::LinkType)

namespace {

// A failed exchange gives up after at most four tries of a command, 150 ms
// each, and two handshake assumptions; far less than this even on a busy
// machine.
constexpr int kGiveUpLimitMs = 15000;
constexpr int kHangMs = 120000; // an exchange still running then has hung
constexpr int kRadioPort = 9;

enum class Op { Read, Write, Info, Verify };
const char* OpName(Op op) {
    switch (op) {
    case Op::Read:
        return "read";
    case Op::Write:
        return "write";
    case Op::Info:
        return "info";
    case Op::Verify:
        return "verify";
    }
    return "?";
}

struct NoTexts : TextLookup {
    std::string GetText(int) const override { return {}; }
};
struct OkMessages : MessageSink {
    MsgAnswer Show(const std::string&, MsgButtons, MsgIcon) override { return MsgAnswer::Ok; }
};

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool PutFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Every regular file below `folder` and its bytes.
using Files = std::map<QString, QByteArray>;
Files Snapshot(const QString& folder) {
    Files files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[path] = FileBytes(path);
    }
    return files;
}

// What changed from `before` to `after`: new or changed files, and gone ones.
struct FileChanges {
    std::vector<QString> NewOrChanged, Gone;
};
FileChanges Compare(const Files& before, const Files& after) {
    FileChanges changes;
    for (const auto& [path, bytes] : after) {
        const auto old = before.find(path);
        if (old == before.end() || old->second != bytes)
            changes.NewOrChanged.push_back(path);
    }
    for (const auto& [path, bytes] : before)
        if (!after.count(path))
            changes.Gone.push_back(path);
    return changes;
}

// The radio's memory of a document written by velmar-cli: its image, with the
// identification the radio answers with.
std::optional<RadioImage> WrittenImage(const QString& imageFile) {
    MemoryImageRead read = ReadMemoryImageFile(imageFile.toStdString());
    if (!read.Ok())
        return std::nullopt;
    StoreIdentifyReply(read.Memory.Image, IdentifyReplyFrame(RadioSimConfig{}.Identity));
    return read.Memory.Image;
}

// The documents that are written and verified: a few channels in the groups,
// each of them different.
Document MakeDocument(int variant) {
    Document doc;
    InitDocValues(doc, CurrentMonth());
    const ChannelInfo vfo = doc.ChList[1];
    int count = 0;
    for (int n = 1; n <= 520; n += 7 + variant * 3) {
        ChannelInfo ch = NewChannelInfo(n);
        const int khz = 25615 + 5 * ((n * (variant + 3)) % 800);
        ch.RxFre = MakeFixStr<8>("0" + std::to_string(khz) + (n % 3 == 0 ? "125" : "00"));
        ch.RxTone = static_cast<std::int16_t>((n + variant) % 50);
        ch.ScanSkip = static_cast<std::int16_t>((n + variant) % 2);
        doc.ChList[static_cast<std::size_t>(count++)] = ch;
    }
    doc.ChList[static_cast<std::size_t>(count++)] = vfo;
    doc.Doc.ChCount = static_cast<std::int16_t>(count);
    doc.Doc.EmbMsg[0] = MakeFixStr<16>("SOAK " + std::to_string(variant));
    return doc;
}

// Whether the memory file's bytes start with `image`.
bool Holds(const QByteArray& memoryFile, const RadioImage& image) {
    return memoryFile.startsWith(QByteArray::fromRawData(
        reinterpret_cast<const char*>(image.bytes.data()), qsizetype(RadioImage::Size)));
}

struct Outcome {
    int Code = -1; // -1: hung or crashed
    qint64 Ms = 0;
    QByteArray Out, Err;
};

class Soak {
public:
    explicit Soak(unsigned seed) : random_(seed) {}

    bool Setup() {
        root_ = dir_.path();
        for (const char* sub :
             {"work/docs", "work/out", "home", "config", "data", "radio", "expect"})
            QDir().mkpath(root_ + "/" + sub);
        cli_ = QString::fromStdString(install_.Path("bin/velmar-cli"));
        if (!QFile::copy(VELMAR_PROGRAM_DIR "/velmar-cli", cli_)) {
            std::fprintf(stderr, "soak: cannot copy velmar-cli\n");
            return false;
        }
        NoTexts texts;
        OkMessages messages;
        for (int k = 0; k < 5; ++k) {
            Document doc = MakeDocument(k);
            const QString dat = Path(QString("work/docs/doc%1.dat").arg(k));
            const QString img = Path(QString("expect/doc%1.img").arg(k));
            if (!SaveDocumentFile(doc, dat.toStdString(), texts, messages) ||
                Cli({"image", dat, img}).Code != 0) {
                std::fprintf(stderr, "soak: cannot make the document %d\n", k);
                return false;
            }
            const auto image = WrittenImage(img);
            if (!image)
                return false;
            docs_.push_back(dat);
            written_.push_back(*image);
        }
        // The radio starts out holding the first document.
        MemoryImage memory{written_[0], {}};
        memory.InfoBlock.bytes.fill(0xFF);
        if (!WriteMemoryImageFile(MemoryFile().toStdString(), memory))
            return false;
        // What info prints for this radio, from an exchange without faults.
        const Outcome info = Exchange(Op::Info, {}, {}, false);
        if (info.Code != 0 || info.Out.count('\n') != 14) {
            std::fprintf(stderr, "soak: info without faults failed (%d): %s\n", info.Code,
                         info.Err.constData());
            return false;
        }
        info_ = info.Out;
        return true;
    }

    void Run(int exchanges) {
        std::uniform_int_distribution<int> percent(0, 99);
        for (int i = 0; i < exchanges; ++i) {
            const int p = percent(random_);
            const Op op = p < 35 ? Op::Read : p < 65 ? Op::Write : p < 80 ? Op::Info : Op::Verify;
            const bool echo = percent(random_) < 50;
            std::optional<SimFault> fault;
            QString faultText;
            if (percent(random_) < 20)
                std::tie(fault, faultText) = RandomFault();
            int doc = std::uniform_int_distribution<int>(0, 4)(random_);
            if (op == Op::Verify && percent(random_) < 60 && lastWritten_ >= 0)
                doc = lastWritten_;
            One(i, op, echo, fault, faultText, doc, percent(random_) < 40);
        }
    }

    void Report() const {
        std::printf("exchanges: %d (read %d, write %d, info %d, verify %d; echo %d)\n", done_,
                    byOp_[0], byOp_[1], byOp_[2], byOp_[3], echoed_);
        std::printf("faults injected: %d", faults_);
        for (const auto& [kind, count] : faultKinds_)
            std::printf(" %s=%d", kind.c_str(), count);
        std::printf("\nfailures expected: %d, seen: %d (%d where none was due: replies too late)\n",
                    failuresExpected_, failuresSeen_, unexpectedFailures_);
        std::printf("wrong results: %d\n", wrong_);
        std::printf("longest time to give up: %lld ms; longest exchange: %lld ms\n",
                    static_cast<long long>(longestGiveUp_), static_cast<long long>(longest_));
    }
    int Wrong() const { return wrong_; }
    const RadioImage& DocumentImage(int k) const { return written_[static_cast<std::size_t>(k)]; }

private:
    QString Path(const QString& relative) const { return root_ + "/" + relative; }
    QString MemoryFile() const { return Path("radio/memory.img"); }
    QString Backups() const { return Path("data/velmar/backups"); }
    // The documents, the folder reads go to, and the settings of the program.
    Files UserFiles() const {
        Files files = Snapshot(Path("work"));
        files.merge(Snapshot(Path("home")));
        files.merge(Snapshot(Path("config")));
        return files;
    }

    std::pair<SimFault, QString> RandomFault() {
        static const char* const kinds[] = {"drop",    "checksum", "resend", "split",
                                            "garbage", "noise",    "silent"};
        static const char* const commands[] = {"any",  "handshake", "identify", "enterwrite",
                                               "read", "write",     "end"};
        const std::string kind = kinds[std::uniform_int_distribution<int>(0, 6)(random_)];
        const std::string command = commands[std::uniform_int_distribution<int>(0, 6)(random_)];
        std::string text = kind + ":" + command;
        if ((command == "read" || command == "write") &&
            std::uniform_int_distribution<int>(0, 1)(random_)) {
            const int block = std::uniform_int_distribution<int>(
                0, static_cast<int>(RadioImage::Size / BlockSize) - 1)(random_);
            char address[16];
            std::snprintf(address, sizeof address, "@0x%04X",
                          static_cast<unsigned>(RadioImage::FirstAddress + block * BlockSize));
            text += address;
        }
        const auto fault = ParseSimFault(text);
        return {*fault, QString::fromStdString(text)};
    }

    Outcome Cli(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", Path("home"));
        env.insert("XDG_CONFIG_HOME", Path("config"));
        env.insert("XDG_DATA_HOME", Path("data"));
        env.insert("LANG", "C.UTF-8");
        env.remove("LC_ALL");
        process.setProcessEnvironment(env);
        process.setStandardInputFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        process.start(cli_, arguments);
        Outcome outcome;
        if (!process.waitForFinished(kHangMs)) {
            process.kill();
            process.waitForFinished();
        } else if (process.exitStatus() == QProcess::NormalExit) {
            outcome.Code = process.exitCode();
        }
        outcome.Ms = clock.elapsed();
        outcome.Out = process.readAllStandardOutput();
        outcome.Err = process.readAllStandardError();
        return outcome;
    }

    // One exchange with a radio started for it, its commands logged to a file.
    Outcome Exchange(Op op, const QStringList& radioOptions, const QStringList& files, bool echo) {
        QProcess radio;
        radio.setStandardErrorFile(Path("radio/log"));
        QStringList options = radioOptions;
        if (echo)
            options << "--echo";
        options << "--verbose"
                << "--image" << MemoryFile() << "--link" << Path("radio/link");
        if (!StartVRadioProcess(radio, options)) {
            radioFailed_ = true;
            return {};
        }
        QStringList arguments = {OpName(op), "--port", Path("radio/link")};
        if (op == Op::Read || op == Op::Write)
            arguments << "--yes";
        const Outcome outcome = Cli(arguments + files);
        radio.terminate();
        radioFailed_ = !radio.waitForFinished(10000) || radio.exitCode() != 0;
        if (radio.state() != QProcess::NotRunning) {
            radio.kill();
            radio.waitForFinished();
        }
        return outcome;
    }

    // The command that `fault` struck ("identify", "read"), as the radio
    // logged what it took; empty when none came.
    QString Struck(const SimFault& fault, const QString& faultText) const {
        const QStringList log = QString::fromUtf8(FileBytes(Path("radio/log"))).split('\n');
        const QString command = faultText.section(':', 1).section('@', 0, 0);
        const QString address = faultText.section('@', 1);
        for (QString line : log) {
            if (!line.startsWith("velmar-vradio: "))
                continue;
            line = line.mid(15);
            const QString took = line.section(' ', 0, 0);
            // A wrong checksum only fits a read reply: "any" strikes the first read.
            if (fault.On == SimCommand::Any &&
                (fault.Kind != SimFaultKind::BadChecksum || took == "read"))
                return took;
            if (fault.On == SimCommand::Any)
                continue;
            if (took != command)
                continue;
            if (address.isEmpty() ||
                line.section(' ', 1).toUInt(nullptr, 16) == address.toUInt(nullptr, 16))
                return took;
        }
        return {};
    }

    // Whether the exchange must fail: a radio that falls silent before the
    // end; the identify and enter-write commands, which have no retry, and
    // the blocks of the information read, which have none either, without
    // a reply that can be used. The handshake, the password block and the
    // data blocks of a read or write are tried again, and the end command
    // needs no reply.
    static bool MustFail(Op op, const SimFault& fault, const QString& struck) {
        if (struck.isEmpty() || struck == "end")
            return false;
        if (fault.Kind == SimFaultKind::GoSilent)
            return true;
        const bool noUsableReply = fault.Kind != SimFaultKind::SplitReply &&
                                   (fault.Kind != SimFaultKind::BadChecksum || struck == "read");
        return noUsableReply && (struck == "identify" || struck == "enterwrite" ||
                                 (op == Op::Info && struck == "read"));
    }

    void Wrong(int i, const QString& what) {
        ++wrong_;
        std::printf("WRONG exchange %d (%s): %s\n", i, current_.toUtf8().constData(),
                    what.toUtf8().constData());
    }

    void One(int i, Op op, bool echo, const std::optional<SimFault>& fault,
             const QString& faultText, int doc, bool outExists) {
        ++done_;
        ++byOp_[static_cast<int>(op)];
        echoed_ += echo ? 1 : 0;
        current_ =
            QString("%1%2%3 doc%4")
                .arg(OpName(op), echo ? " echo" : "", fault ? " fault " + faultText : QString())
                .arg(doc);
        if (fault) {
            ++faults_;
            ++faultKinds_[faultText.section(':', 0, 0).toStdString()];
        }

        QStringList files;
        const QString out = Path(QString("work/out/read%1.dat").arg(i));
        const QString outFre = out.chopped(4) + ".fre";
        if (op == Op::Read) {
            files << out;
            if (outExists) {
                PutFile(out, "an older document " + QByteArray::number(i));
                PutFile(outFre, "its channels " + QByteArray::number(i));
            }
        } else if (op != Op::Info) {
            files << docs_[static_cast<std::size_t>(doc)];
        }
        const QByteArray memoryBefore = FileBytes(MemoryFile());
        const Files before = UserFiles(), backupsBefore = Snapshot(Backups());

        QStringList radioOptions;
        if (fault)
            radioOptions << "--fault" << faultText;
        const Outcome outcome = Exchange(op, radioOptions, files, echo);
        const QByteArray memoryAfter = FileBytes(MemoryFile());
        const Files after = UserFiles(), backupsAfter = Snapshot(Backups());
        longest_ = std::max(longest_, outcome.Ms);
        if (radioFailed_)
            Wrong(i, "the virtual radio did not start or stop cleanly");

        const bool expectFailure = fault && MustFail(op, *fault, Struck(*fault, faultText));
        failuresExpected_ += expectFailure ? 1 : 0;
        const RadioImage& docImage = written_[static_cast<std::size_t>(doc)];
        const bool radioHoldsDoc = Holds(memoryBefore, docImage);

        if (outcome.Code == -1) {
            Wrong(i, QString("no end after %1 ms, or a crash").arg(outcome.Ms));
            return;
        }
        if (outcome.Code == 1) {
            ++failuresSeen_;
            longestGiveUp_ = std::max(longestGiveUp_, outcome.Ms);
        }
        const int expectedCode = expectFailure ? 1 : op == Op::Verify ? (radioHoldsDoc ? 0 : 4) : 0;
        if (outcome.Code == 1 && expectedCode != 1) {
            // A clean failure where none was due: the radio's replies came
            // later than the 150 ms the link waits, as on a machine so busy
            // that the virtual radio is not run in time. Counted and shown,
            // not a wrong result as long as nothing was changed.
            ++unexpectedFailures_;
            std::printf("unexpected failure, exchange %d (%s), after %lld ms\n", i,
                        current_.toUtf8().constData(), static_cast<long long>(outcome.Ms));
        } else if (outcome.Code != expectedCode)
            Wrong(i, QString("exit code %1, expected %2; %3")
                         .arg(outcome.Code)
                         .arg(expectedCode)
                         .arg(QString::fromUtf8(outcome.Err).trimmed()));
        if (outcome.Code == 1 && outcome.Ms > kGiveUpLimitMs)
            Wrong(i, QString("gave up only after %1 ms").arg(outcome.Ms));

        // The radio's information block never changes; only a write changes
        // its memory.
        const bool writing = op == Op::Write;
        if (memoryAfter.size() != qsizetype(kMemoryImageFileSize) ||
            memoryAfter.mid(RadioImage::Size) != memoryBefore.mid(RadioImage::Size))
            Wrong(i, "the radio's information block changed");
        if (!writing && memoryAfter != memoryBefore)
            Wrong(i, "the radio's memory changed");

        const FileChanges changes = Compare(before, after);
        const FileChanges backupChanges = Compare(backupsBefore, backupsAfter);
        if (!changes.Gone.empty() || !backupChanges.Gone.empty())
            Wrong(i,
                  "a file went: " + (changes.Gone.empty() ? backupChanges.Gone : changes.Gone)[0]);
        const bool succeeded = outcome.Code == 0 || outcome.Code == 4;
        std::vector<QString> expectedChanges;
        if (succeeded && op == Op::Read)
            expectedChanges = {out, outFre};
        std::sort(expectedChanges.begin(), expectedChanges.end());
        if (changes.NewOrChanged != expectedChanges)
            Wrong(i, QString("%1 files new or changed (first %2), %3 expected")
                         .arg(changes.NewOrChanged.size())
                         .arg(changes.NewOrChanged.empty() ? QString("-") : changes.NewOrChanged[0])
                         .arg(expectedChanges.size()));
        // A read keeps one backup, equal to the radio's memory.
        const bool keepsBackup = succeeded && (op == Op::Read || op == Op::Verify);
        if (backupChanges.NewOrChanged.size() != (keepsBackup ? 1u : 0u))
            Wrong(i, QString("%1 backups kept").arg(backupChanges.NewOrChanged.size()));
        else if (keepsBackup && backupsAfter.at(backupChanges.NewOrChanged[0]) != memoryBefore)
            Wrong(i, "the backup is not the radio's memory");
        for (const QString& backup : backupChanges.NewOrChanged)
            QFile::remove(backup);

        if (succeeded && op == Op::Read) {
            // The document the radio's memory converts to, under the same name.
            QDir().mkpath(Path("expect/read"));
            const QString expected = Path("expect/read/") + QFileInfo(out).fileName();
            if (Cli({"image", MemoryFile(), expected}).Code != 0)
                Wrong(i, "velmar-cli image failed on the radio's memory");
            else if (FileBytes(out) != FileBytes(expected) ||
                     FileBytes(outFre) != FileBytes(expected.chopped(4) + ".fre"))
                Wrong(i, "the document read is not the radio's memory");
            QFile::remove(expected);
            QFile::remove(expected.chopped(4) + ".fre");
        }
        if (succeeded && writing) {
            if (!Holds(memoryAfter, docImage))
                Wrong(i, "the radio does not hold the document written");
            lastWritten_ = doc;
        } else if (writing) {
            lastWritten_ = -1; // the radio holds part of a write
            for (std::size_t k = 0; k < written_.size(); ++k)
                if (Holds(memoryAfter, written_[k]))
                    lastWritten_ = static_cast<int>(k);
        }
        if (succeeded && op == Op::Info && outcome.Out != info_)
            Wrong(i, "info printed other lines: " + QString::fromUtf8(outcome.Out));
        QFile::remove(out);
        QFile::remove(outFre);
    }

    std::mt19937 random_;
    TestInstall install_;
    QTemporaryDir dir_;
    QString root_, cli_;
    std::vector<QString> docs_;
    std::vector<RadioImage> written_;
    QByteArray info_;
    QString current_;
    bool radioFailed_ = false;
    int lastWritten_ = 0;
    int done_ = 0, byOp_[4] = {}, echoed_ = 0, faults_ = 0, failuresExpected_ = 0,
        failuresSeen_ = 0, unexpectedFailures_ = 0, wrong_ = 0;
    std::map<std::string, int> faultKinds_;
    qint64 longest_ = 0, longestGiveUp_ = 0;
};

// What /proc says of this process: resident memory in kB, open descriptors.
long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}
long OpenDescriptors() {
    return static_cast<long>(QDir("/proc/self/fd")
                                 .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System)
                                 .size());
}

struct Series {
    std::vector<long> Values;
    void Add(long v) { Values.push_back(v); }
    long Max() const { return *std::max_element(Values.begin(), Values.end()); }
    void Print(const char* name, const char* unit) const {
        std::printf("%s: first %ld %s, last %ld %s, max %ld %s; after reads", name, Values.front(),
                    unit, Values.back(), unit, Max(), unit);
        // The course: ten samples spread over the run.
        const std::size_t step = std::max<std::size_t>(1, Values.size() / 10);
        for (std::size_t i = step - 1; i < Values.size(); i += step)
            std::printf(" %zu:%ld", i + 1, Values[i]);
        std::printf("\n");
    }
};

// The real main window reads `reads` times from the virtual radio with
// Ctrl+R; /proc/self is sampled after every read. False when a read failed
// or the descriptors grew.
bool WindowReads(int reads, const RadioImage& memory) {
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", (folder.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (folder.path() + "/data").toLocal8Bit());
    MemoryImage file{memory, {}};
    file.InfoBlock.bytes.fill(0xFF);
    const QString memoryFile = folder.path() + "/radio.img";
    if (!WriteMemoryImageFile(memoryFile.toStdString(), file))
        return false;

    TestInstall install;
    OkMessages sink;
    auto app = MakeContext(install, sink);
    app->InitNewDocument();
    auto main = std::make_unique<FrmMain>(*app);
    main->show();
    RadioCommands& commands = RadioCommands::Of(*app, main.get());
    VRadio radio({"--image", memoryFile});
    if (!radio.Ok() ||
        !ComPortMap(DefaultComPortMapPath()).Set(kRadioPort, radio.Path().toStdString())) {
        std::fprintf(stderr, "soak: the window's radio did not start\n");
        return false;
    }
    app->Settings.comPort = kRadioPort;

    Series rss, fds, undo;
    QElapsedTimer clock;
    clock.start();
    int failed = 0;
    for (int n = 0; n < reads; ++n) {
        QSignalSpy ended(&commands, &RadioCommands::exchangeEnded);
        QSignalSpy shown(&commands, &RadioCommands::readDocumentShown);
        main->activateWindow();
        (void)QTest::qWaitForWindowActive(main.get());
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused && focused->window() == main.get() ? focused : main.get(),
                        Qt::Key_R, Qt::ControlModifier);
        if (!(ended.size() == 1 || ended.wait(kHangMs)) || !ended[0][1].toBool() ||
            !(shown.size() == 1 || shown.wait(kHangMs))) {
            ++failed;
            std::printf("window read %d failed\n", n + 1);
        }
        FlushDeferredDeletes();
        rss.Add(ResidentKb());
        fds.Add(OpenDescriptors());
        undo.Add(static_cast<long>(app->History.History().MemoryBytes() / 1024));
    }
    std::printf("window: %d reads in %.1f s, %d failed\n", reads, clock.elapsed() / 1000.0, failed);
    rss.Print("window VmRSS", "kB");
    fds.Print("window open descriptors", "");
    undo.Print("window undo history", "kB");
    // Memory after the first tenth of the reads, when the windows are built.
    const long settled = rss.Values[rss.Values.size() / 10];
    std::printf("window VmRSS from read %zu to the last: %+ld kB\n", rss.Values.size() / 10 + 1,
                rss.Values.back() - settled);
    main.reset();
    FlushDeferredDeletes();
    // A read may fail on a busy machine as a cable may: shown, not judged.
    return fds.Values.back() <= fds.Values.front();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    int exchanges = 1000, windowReads = 200;
    unsigned seed = 1;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--exchanges")
            exchanges = args[i + 1].toInt();
        else if (args[i] == "--window-reads")
            windowReads = args[i + 1].toInt();
        else if (args[i] == "--seed")
            seed = args[i + 1].toUInt();
    }
    std::printf("velmar_soak: %d exchanges, %d window reads, seed %u\n", exchanges, windowReads,
                seed);
    std::fflush(stdout);

    Soak soak(seed);
    if (!soak.Setup())
        return 1;
    QElapsedTimer clock;
    clock.start();
    soak.Run(exchanges);
    std::printf("time: %.1f s\n", clock.elapsed() / 1000.0);
    soak.Report();
    std::fflush(stdout);
    bool ok = soak.Wrong() == 0;
    if (windowReads > 0)
        ok = WindowReads(windowReads, soak.DocumentImage(1)) && ok;
    std::printf("%s\n", ok ? "soak passed" : "soak FAILED");
    return ok ? 0 : 1;
}
