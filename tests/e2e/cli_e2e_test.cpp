// The real velmar-cli against the virtual radio on pseudo-terminals: read,
// write, verify, restore and information with both kinds of cable, the
// password, faults on the line, a radio that hangs up, several ports at once,
// questions on a terminal, and every kind of bad input with its exit code.
#include "e2e/cli_harness.h"
#include "e2e/vradio_process.h"

#include "link/image_conversion.h"
#include "link/memory_image_file.h"
#include "link/radio_exchange.h"
#include "link/radio_sim.h"
#include "model/data_file.h"
#include "model/initial_values.h"
#include "shell/ini_file.h"
#include "shell/ui/ui_test_support.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

using namespace velmar;
using namespace velmar::test;

namespace {

// The virtual radio, its memory in a file and every command it takes logged.
class Radio : public QObject {
public:
    Radio(const QString& link, const QString& memoryFile, const QStringList& options)
        : link_(link) {
        connect(&process_, &QProcess::readyReadStandardError, this,
                [this] { log_ += QString::fromLocal8Bit(process_.readAllStandardError()); });
        started_ = StartVRadioProcess(process_, QStringList(options)
                                                    << "--verbose"
                                                    << "--image" << memoryFile << "--link" << link);
    }
    ~Radio() override { Kill(); }

    bool Ok() const { return started_ && process_.state() == QProcess::Running; }
    const QString& Path() const { return link_; }
    // How often the radio took `command` ("handshake", "read 0x0100").
    int Took(const QString& command) {
        process_.waitForReadyRead(50);
        QCoreApplication::processEvents();
        return log_.count("velmar-vradio: " + command + "\n");
    }
    // Ends the radio the friendly way: it saves its memory file.
    bool Stop() {
        if (process_.state() == QProcess::NotRunning)
            return false;
        process_.terminate();
        return process_.waitForFinished(5000) && process_.exitCode() == 0;
    }
    // Gone at once, as a cable pulled out.
    void Kill() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.kill();
        process_.waitForFinished(5000);
        QFile::remove(link_);
    }

private:
    QProcess process_;
    QString link_;
    QString log_;
    bool started_ = false;
};

std::unique_ptr<MemoryImage> ReadMemory(const QString& path) {
    MemoryImageRead read = ReadMemoryImageFile(path.toStdString());
    if (!read.Ok())
        return nullptr;
    return std::make_unique<MemoryImage>(read.Memory);
}

// The memory a write of `doc` leaves in a radio that was never read from:
// the document built over nothing, with the radio's identification.
std::unique_ptr<RadioImage> WrittenMemory(Document doc) {
    auto image = std::make_unique<RadioImage>();
    if (!BuildImage(doc, *image).Ok())
        return nullptr;
    StoreIdentifyReply(*image, IdentifyReplyFrame(RadioSimConfig{}.Identity));
    return image;
}

// A terminal for the program's questions: its standard input and standard
// error are the far end; the test types on the near end.
class Terminal {
public:
    Terminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0)
            path_ = QString::fromLocal8Bit(ptsname(master_));
        ::fcntl(master_, F_SETFL, O_NONBLOCK);
    }
    ~Terminal() {
        if (master_ >= 0)
            ::close(master_);
    }
    const QString& Path() const { return path_; }

    // What the program wrote, until `text` has appeared or the time is up.
    bool WaitFor(const QString& text, int milliseconds = 30000) {
        QDeadlineTimer deadline(milliseconds);
        while (!shown_.contains(text) && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            char buffer[512];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n > 0)
                shown_ += QString::fromUtf8(buffer, static_cast<int>(n));
            else
                QThread::msleep(10);
        }
        return shown_.contains(text);
    }
    void Type(const QByteArray& line) { (void)::write(master_, line.constData(), line.size()); }

private:
    int master_ = -1;
    QString path_;
    QString shown_;
};

} // namespace

class CliE2eTest : public QObject, public CliHarness {
    Q_OBJECT

    std::vector<std::unique_ptr<Radio>> radios_;

    // A virtual radio named `name` in the test's folder, its memory `memory`
    // (none: a new radio).
    Radio* StartRadio(const QString& name, const RadioImage* memory = nullptr,
                      QStringList options = {}) {
        const QString memoryFile = File(name + ".img");
        if (memory) {
            MemoryImage file{*memory, {}};
            file.InfoBlock.bytes.fill(0xFF);
            if (!WriteMemoryImageFile(memoryFile.toStdString(), file))
                return nullptr;
        }
        radios_.push_back(std::make_unique<Radio>(File(name), memoryFile, options));
        return radios_.back()->Ok() ? radios_.back().get() : nullptr;
    }

private slots:
    void initTestCase() { QVERIFY(InstallCli()); }
    void init() { NewFolder(); }
    void cleanup() {
        radios_.clear();
        DropFolder();
    }

    void readGivesTheRadiosMemoryAsADocumentAndABackup_data() {
        QTest::addColumn<QStringList>("cable");
        QTest::newRow("two-wire cable") << QStringList{};
        QTest::newRow("one-wire cable, echo") << QStringList{"--echo"};
    }
    void readGivesTheRadiosMemoryAsADocumentAndABackup() {
        QFETCH(QStringList, cable);
        const auto memory = WrittenMemory(*MakeDocument("02761125", "02800000"));
        Radio* radio = StartRadio("radio", memory.get(), cable);
        QVERIFY(radio);

        const Outcome read = Run({"read", "--port", radio->Path(), "--yes", File("out.dat")});
        QCOMPARE(read.Code, 0);
        QCOMPARE(read.Out, Text(9009) + " " + Text(32116) + " " + File("out.dat") + "\n");
        const auto doc = LoadDocument(File("out.dat"));
        QVERIFY(doc);
        QCOMPARE(TrimFixStr(FindChannel(*doc, 1)->RxFre), std::string("02761125"));
        QCOMPARE(TrimFixStr(FindChannel(*doc, 45)->RxFre), std::string("02800000"));
        QCOMPARE(FindChannel(*doc, 45)->RxTone, std::int16_t(13));

        // The memory as read, in the backups.
        const QStringList backups = QDir(Backups()).entryList({"KAVRO-*.img"}, QDir::Files);
        QCOMPARE(backups.size(), 1);
        const auto backup = ReadMemory(Backups() + "/" + backups[0]);
        QVERIFY(backup);
        QVERIFY(backup->Image.bytes == memory->bytes);

        // --no-backup keeps none.
        QCOMPARE(
            Run({"read", "--port", radio->Path(), "--yes", "--no-backup", File("again.dat")}).Code,
            0);
        QCOMPARE(QDir(Backups()).entryList(QDir::Files).size(), 1);
    }

    void writePutsTheDocumentIntoTheRadio_data() {
        readGivesTheRadiosMemoryAsADocumentAndABackup_data();
    }
    void writePutsTheDocumentIntoTheRadio() {
        QFETCH(QStringList, cable);
        const auto old = WrittenMemory(*MakeDocument("02600000", "02700000"));
        Radio* radio = StartRadio("radio", old.get(), cable);
        QVERIFY(radio);
        const auto doc = MakeDocument("02898500", "02810000");
        QVERIFY(SaveDocument(*doc, File("in.dat")));

        const Outcome write = Run({"write", "--port", radio->Path(), "--yes", File("in.dat")});
        QCOMPARE(write.Code, 0);
        QCOMPARE(write.Out, Text(9010) + "\n");
        QVERIFY(radio->Stop());
        const auto memory = ReadMemory(File("radio.img"));
        QVERIFY(memory);
        QVERIFY(memory->Image.bytes == WrittenMemory(*doc)->bytes);
    }

    void theRadioPasswordIsGivenOrTheReadFails() {
        const auto memory = WrittenMemory(*MakeDocument("02761125", "02800000"));
        Radio* radio = StartRadio("radio", memory.get(), {"--password", "1234"});
        QVERIFY(radio);
        const QStringList read = {"read", "--port", radio->Path(), "--yes"};

        const Outcome none = Run(QStringList(read) << File("none.dat"));
        QCOMPARE(none.Code, 1);
        QVERIFY(none.Err.contains("PassWord Failure!"));
        QVERIFY(none.Err.contains(Text(32115)));
        QCOMPARE(none.Out, Text(32119) + "\n");
        QVERIFY(!QFile::exists(File("none.dat")));

        const Outcome wrong = Run(QStringList(read) << "--password"
                                                    << "9999" << File("wrong.dat"));
        QCOMPARE(wrong.Code, 1);
        QVERIFY(wrong.Err.contains("PassWord Failure!"));
        QVERIFY(!QFile::exists(File("wrong.dat")));

        QCOMPARE(Run(QStringList(read) << "--password"
                                       << "1234" << File("right.dat"))
                     .Code,
                 0);
        QVERIFY(LoadDocument(File("right.dat")));
        QCOMPARE(Run({"write", "--port", radio->Path(), "--yes", "--password", "1234",
                      File("right.dat")})
                     .Code,
                 0);
        const Outcome info = Run({"info", "--port", radio->Path(), "--password", "1234"});
        QCOMPARE(info.Code, 0);
        QCOMPARE(info.Out.count('\n'), 14);
    }

    void aDroppedReplyAndAResendRequestAreSurvived_data() {
        readGivesTheRadiosMemoryAsADocumentAndABackup_data();
    }
    void aDroppedReplyAndAResendRequestAreSurvived() {
        QFETCH(QStringList, cable);
        const auto memory = WrittenMemory(*MakeDocument("02761125", "02800000"));
        Radio* radio = StartRadio("radio", memory.get(),
                                  QStringList(cable) << "--fault"
                                                     << "drop:read@0x0100"
                                                     << "--fault"
                                                     << "resend:write@0x0200"
                                                     << "--fault"
                                                     << "drop:write@0x1000");
        QVERIFY(radio);
        QCOMPARE(Run({"read", "--port", radio->Path(), "--yes", File("out.dat")}).Code, 0);
        QVERIFY(radio->Took("read 0x0100") >= 2);
        const auto doc = LoadDocument(File("out.dat"));
        QVERIFY(doc);
        QCOMPARE(TrimFixStr(FindChannel(*doc, 1)->RxFre), std::string("02761125"));

        const auto changed = MakeDocument("02761125", "02805000");
        QVERIFY(SaveDocument(*changed, File("in.dat")));
        QCOMPARE(Run({"write", "--port", radio->Path(), "--yes", File("in.dat")}).Code, 0);
        QVERIFY(radio->Took("write 0x0200") >= 2); // asked again with 0x0A
        QVERIFY(radio->Took("write 0x1000") >= 2); // sent again after the time-out
        QVERIFY(radio->Stop());
        QVERIFY(ReadMemory(File("radio.img"))->Image.bytes == WrittenMemory(*changed)->bytes);
    }

    // No valid reply: the failure prompt is answered Cancel, or OK while
    // --retry allows, which starts again from the handshake.
    void retryStartsAgainFromTheHandshake() {
        const auto memory = WrittenMemory(*MakeDocument("02761125", "02800000"));
        const QStringList deaf = {"--fault", "drop:handshake*4"}; // one round of attempts
        Radio* first = StartRadio("radio", memory.get(), deaf);
        QVERIFY(first);
        const Outcome once = Run({"read", "--port", first->Path(), "--yes", File("once.dat")});
        QCOMPARE(once.Code, 1);
        QVERIFY(once.Err.contains(Text(9008) + " " + Text(9018)));
        QVERIFY(!QFile::exists(File("once.dat")));

        Radio* second = StartRadio("radio2", memory.get(), deaf);
        QVERIFY(second);
        const Outcome again =
            Run({"read", "--port", second->Path(), "--yes", "--retry", "1", File("again.dat")});
        QCOMPARE(again.Code, 0);
        QVERIFY(again.Err.contains(Text(9008) + " " + Text(9017)));
        QCOMPARE(second->Took("handshake"), 5);
        QVERIFY(LoadDocument(File("again.dat")));
    }

    // A failed read creates no data file and leaves an existing one as it was.
    void aRadioThatHangsUpOrFallsSilentFailsTheRead_data() {
        QTest::addColumn<bool>("hangUp");
        QTest::newRow("hangs up") << true;
        QTest::newRow("falls silent") << false;
    }
    void aRadioThatHangsUpOrFallsSilentFailsTheRead() {
        QFETCH(bool, hangUp);
        const auto memory = WrittenMemory(*MakeDocument("02761125", "02800000"));
        Radio* radio = StartRadio("radio", memory.get(),
                                  hangUp ? QStringList{"--pace"}
                                         : QStringList{"--fault", "silent:read@0x1000"});
        QVERIFY(radio);
        QFile old(File("out.dat"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old data file");
        old.close();

        QProcess process;
        process.setStandardInputFile(QProcess::nullDevice());
        if (hangUp) {
            // Pulled out once the read is under way.
            QTimer::singleShot(0, this, [&] {
                QDeadlineTimer deadline(WaitMs);
                while (radio->Took("read 0x0200") == 0 && !deadline.hasExpired())
                    QTest::qWait(20);
                radio->Kill();
            });
        }
        const Outcome read =
            Run(process, {"read", "--port", radio->Path(), "--yes", File("out.dat")});
        QCOMPARE(read.Code, 1);
        QVERIFY(read.Err.contains(Text(9008)));
        QCOMPARE(FileBytes(File("out.dat")), QByteArray("the old data file"));
        QVERIFY(!QFile::exists(File("out.fre")));
        QVERIFY(QDir(Backups()).entryList(QDir::Files).isEmpty());
    }

    void verifyNamesTheChannelThatDiffers() {
        Radio* radio = StartRadio("radio");
        QVERIFY(radio);
        QVERIFY(SaveDocument(*MakeDocument("02761125", "02800000"), File("radio.dat")));
        QCOMPARE(
            Run({"write", "--port", radio->Path(), "--yes", "--verify", File("radio.dat")}).Out,
            Text(9010) + "\n" + Text(32104) + "\n");
        const Outcome same = Run({"verify", "--port", radio->Path(), File("radio.dat")});
        QCOMPARE(same.Code, 0);
        QCOMPARE(same.Out, Text(32104) + "\n");

        QVERIFY(SaveDocument(*MakeDocument("02761125", "02810000"), File("other.dat")));
        const Outcome other = Run({"verify", "--port", radio->Path(), File("other.dat")});
        QCOMPARE(other.Code, 4);
        QCOMPARE(other.Out, "Channel 45: RX Frequency: " + Text(32101) + " 28.10000, " +
                                Text(32102) + " 28.00000\n" + Text(32103) + " 1/704\n");
    }

    void restoreGivesTheRadioItsOldMemoryBack() {
        // A memory with data the program does not know, and an identification
        // that is not what the radio tells.
        auto memory = WrittenMemory(*MakeDocument("02761125", "02800000"));
        for (std::uint16_t a = 0x2400; a < 0x2800; ++a)
            memory->bytes[a] = static_cast<std::uint8_t>(a * 31);
        memory->bytes[0x29EC] = 0x5A;
        Radio* radio = StartRadio("radio", memory.get());
        QVERIFY(radio);
        QCOMPARE(Run({"read", "--port", radio->Path(), "--yes", File("before.dat")}).Code, 0);
        const QStringList backups = QDir(Backups()).entryList(QDir::Files);
        QCOMPARE(backups.size(), 1);

        QVERIFY(SaveDocument(*MakeDocument("02600000", "02900000"), File("other.dat")));
        QCOMPARE(Run({"write", "--port", radio->Path(), "--yes", File("other.dat")}).Code, 0);
        const Outcome restore = Run({"restore", "--port", radio->Path(), "--yes", "--verify",
                                     Backups() + "/" + backups[0]});
        QCOMPARE(restore.Code, 0);
        QCOMPARE(restore.Out, Text(9010) + "\n" + Text(32104) + "\n");
        QVERIFY(radio->Stop());
        QVERIFY(ReadMemory(File("radio.img"))->Image.bytes == memory->bytes);
    }

    void imageConvertsBothWays() {
        // The memory channels in use too: a read always gives all of them.
        auto doc = MakeDocument("02761125", "02800000");
        for (int n = 522; n <= 529; ++n) {
            ChannelInfo& memory = doc->ChList[static_cast<std::size_t>(doc->Doc.ChCount++)];
            memory = NewChannelInfo(n);
            memory.RxFre = MakeFixStr<8>("02700000");
        }
        QVERIFY(SaveDocument(*doc, File("in.dat")));
        QCOMPARE(Run({"image", File("in.dat"), File("out.img")}).Code, 0);
        const auto image = ReadMemory(File("out.img"));
        QVERIFY(image);
        Document built = *doc;
        RadioImage expected;
        QVERIFY(BuildImage(built, expected).Ok());
        QVERIFY(image->Image.bytes == expected.bytes);

        QCOMPARE(Run({"image", File("out.img"), File("back.dat")}).Code, 0);
        const auto back = LoadDocument(File("back.dat"));
        QVERIFY(back);
        QCOMPARE(TrimFixStr(FindChannel(*back, 45)->RxFre), std::string("02800000"));
        QCOMPARE(Run({"image", File("back.dat"), File("again.img")}).Code, 0);
        QCOMPARE(FileBytes(File("again.img")), FileBytes(File("out.img")));
    }

    void badInputEndsWithItsExitCodeBeforeAnythingIsSent_data() {
        QTest::addColumn<QStringList>("arguments"); // PORT and FILE: are filled in
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message"); // a text id, or words the message holds

        QTest::newRow("damaged data file: write")
            << QStringList{"write", "--port", "PORT", "--yes", "FILE:short.dat"} << 3 << "9033";
        QTest::newRow("damaged data file: verify")
            << QStringList{"verify", "--port", "PORT", "FILE:short.dat"} << 3 << "9033";
        QTest::newRow("damaged data file: image")
            << QStringList{"image", "FILE:short.dat", "FILE:out.img"} << 3 << "9033";
        QTest::newRow("missing data file")
            << QStringList{"write", "--port", "PORT", "--yes", "FILE:missing.dat"} << 3 << "9002";
        QTest::newRow("damaged memory image: restore")
            << QStringList{"restore", "--port", "PORT", "--yes", "FILE:short.img"} << 3 << "32114";
        QTest::newRow("damaged memory image: image")
            << QStringList{"image", "FILE:short.img", "FILE:out.dat"} << 3 << "32114";
        QTest::newRow("read into a missing folder")
            << QStringList{"read", "--port", "PORT", "--yes", "FILE:none/out.dat"} << 3 << "9002";
        QTest::newRow("missing port")
            << QStringList{"read", "--port", "FILE:ttyNone", "--yes", "FILE:out.dat"} << 1
            << "is not present";
        QTest::newRow("no terminal and no --yes: read")
            << QStringList{"read", "--port", "PORT", "FILE:out.dat"} << 2 << "--yes";
        QTest::newRow("no terminal and no --yes: write")
            << QStringList{"write", "--port", "PORT", "FILE:good.dat"} << 2 << "--yes";
        QTest::newRow("no terminal and no --yes: restore")
            << QStringList{"restore", "--port", "PORT", "FILE:good.img"} << 2 << "--yes";
        QTest::newRow("no command") << QStringList{} << 2 << "no command";
        QTest::newRow("unknown command") << QStringList{"frob"} << 2 << "unknown command";
        QTest::newRow("no port") << QStringList{"read", "--yes", "FILE:out.dat"} << 2 << "--port";
        QTest::newRow("a port twice")
            << QStringList{"info", "--port", "PORT", "--port", "PORT"} << 2 << "twice";
        QTest::newRow("unknown option")
            << QStringList{"info", "--port", "PORT", "--force"} << 2 << "force";
        QTest::newRow("a file too many")
            << QStringList{"read", "--port", "PORT", "--yes", "a.dat", "b.dat"} << 2 << "OUT.dat";
        QTest::newRow("not a data file name")
            << QStringList{"read", "--port", "PORT", "--yes", "FILE:out.txt"} << 2 << ".dat";
        QTest::newRow("image of two data files")
            << QStringList{"image", "FILE:good.dat", "FILE:other.dat"} << 2 << "OUT.img";
        QTest::newRow("a language there is not")
            << QStringList{"info", "--port", "PORT", "--lang", "fr"} << 2 << "en or zh";
        QTest::newRow("a negative retry")
            << QStringList{"info", "--port", "PORT", "--retry", "-1"} << 2 << "--retry";
        QTest::newRow("a password too long")
            << QStringList{"read", "--port", "PORT", "--yes", "--password", "12345", "FILE:out.dat"}
            << 2 << "4 characters";
    }
    void badInputEndsWithItsExitCodeBeforeAnythingIsSent() {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        Radio* radio = StartRadio("radio");
        QVERIFY(radio);
        QVERIFY(SaveDocument(*MakeDocument("02761125", "02800000"), File("good.dat")));
        QFile::copy(File("good.dat"), File("short.dat"));
        QVERIFY(QFile::resize(File("short.dat"), 1752));
        QFile(File("short.img")).open(QIODevice::WriteOnly);
        QFile::resize(File("short.img"), 11264);
        QCOMPARE(Run({"image", File("good.dat"), File("good.img")}).Code, 0);
        for (QString& argument : arguments) {
            if (argument == "PORT")
                argument = radio->Path();
            else if (argument.startsWith("FILE:"))
                argument = File(argument.mid(5));
        }

        const Outcome outcome = Run(arguments);
        QCOMPARE(outcome.Code, code);
        QVERIFY2(outcome.Err.contains(Expected(message)), qPrintable(outcome.Err));
        QCOMPARE(radio->Took("handshake"), 0);
        QVERIFY(!QFile::exists(File("out.dat")));
        QVERIFY(!QFile::exists(File("out.img")));
    }

    void aPortInUseIsReported() {
        Radio* radio = StartRadio("radio");
        QVERIFY(radio);
        QSerialPort holder(radio->Path()); // by the name the program is given
        QVERIFY(holder.open(QIODevice::ReadWrite));
        const Outcome read = Run({"read", "--port", radio->Path(), "--yes", File("out.dat")});
        QCOMPARE(read.Code, 1);
        QVERIFY2(read.Err.contains(Text(9003)), qPrintable(read.Err));
        QVERIFY(read.Err.contains("in use"));
        QVERIFY(!QFile::exists(File("out.dat")));
    }

    // Each port its own exchange and data file, one result line each; the
    // exit code is the worst of them.
    void severalPortsAtOnce() {
        const auto memory = WrittenMemory(*MakeDocument("02761125", "02800000"));
        Radio* plain = StartRadio("radioA", memory.get());
        Radio* echoing = StartRadio("radioB", memory.get(), {"--echo"});
        QVERIFY(plain && echoing);
        const Outcome both = Run(
            {"read", "--port", plain->Path(), "--port", echoing->Path(), "--yes", File("out.dat")});
        QCOMPARE(both.Code, 0);
        QStringList lines = both.Out.split('\n', Qt::SkipEmptyParts);
        lines.sort();
        QCOMPARE(lines, (QStringList{plain->Path() + ": " + Text(9009) + " " + Text(32116) + " " +
                                         File("out-radioA.dat"),
                                     echoing->Path() + ": " + Text(9009) + " " + Text(32116) + " " +
                                         File("out-radioB.dat")}));
        QVERIFY(LoadDocument(File("out-radioA.dat")) && LoadDocument(File("out-radioB.dat")));
        QCOMPARE(QDir(Backups()).entryList(QDir::Files).size(), 2);

        Radio* silent = StartRadio("radioC", memory.get(), {"--fault", "silent:read@0x0800"});
        QVERIFY(silent);
        const Outcome one = Run(
            {"read", "--port", plain->Path(), "--port", silent->Path(), "--yes", File("two.dat")});
        QCOMPARE(one.Code, 1);
        QVERIFY(one.Out.contains(plain->Path() + ": " + Text(9009)));
        QVERIFY(one.Out.contains(silent->Path() + ": " + Text(32119)));
        QVERIFY(QFile::exists(File("two-radioA.dat")));
        QVERIFY(!QFile::exists(File("two-radioC.dat")));
    }

    void messagesFollowTheLanguageOfVelmar() {
        const QStringList missing = {"info", "--port", File("ttyNone")};
        QVERIFY(WriteIniValue(install_->Path("language/mysetup.ini"), "language", "CurrentLanguage",
                              "2"));
        const std::string chinese =
            ReadIniValue(install_->Path("bin/language/chinese.ini"), "Msg", "9003");
        const Outcome zh = Run(missing);
        QVERIFY(WriteIniValue(install_->Path("language/mysetup.ini"), "language", "CurrentLanguage",
                              "1"));
        QCOMPARE(zh.Code, 1);
        QVERIFY2(zh.Err.contains(QString::fromStdString(chinese)), qPrintable(zh.Err));
        QVERIFY(Run(QStringList(missing) << "--lang"
                                         << "en")
                    .Err.contains(Text(9003)));
    }

    // Without --yes and --password the questions are asked on the terminal.
    void questionsAreAnsweredOnTheTerminal() {
        const auto memory = WrittenMemory(*MakeDocument("02761125", "02800000"));
        Radio* radio = StartRadio("radio", memory.get(), {"--password", "1234"});
        QVERIFY(radio);
        {
            Terminal terminal;
            QProcess process;
            process.setStandardInputFile(terminal.Path());
            process.setStandardErrorFile(terminal.Path());
            QTimer::singleShot(0, this, [&] {
                QVERIFY(terminal.WaitFor(Text(9004) + " [y/N] "));
                terminal.Type("n\n");
            });
            const Outcome declined =
                Run(process, {"read", "--port", radio->Path(), File("out.dat")});
            QCOMPARE(declined.Code, 1);
            QCOMPARE(radio->Took("handshake"), 0);
        }
        Terminal terminal;
        QProcess process;
        process.setStandardInputFile(terminal.Path());
        process.setStandardErrorFile(terminal.Path());
        QTimer::singleShot(0, this, [&] {
            QVERIFY(terminal.WaitFor(Text(9004) + " [y/N] "));
            terminal.Type("y\n");
            QVERIFY(terminal.WaitFor("Password: "));
            terminal.Type("1234\n");
        });
        const Outcome read = Run(process, {"read", "--port", radio->Path(), File("out.dat")});
        QCOMPARE(read.Code, 0);
        QVERIFY(LoadDocument(File("out.dat")));
    }
};

QTEST_MAIN(CliE2eTest)
#include "cli_e2e_test.moc"
