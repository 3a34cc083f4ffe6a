// Every fault of the line, at the first, a middle and the last block of a
// read and of a write, with a plain and an echoing cable, against the
// virtual radio on a pseudo-terminal. Each exchange must either complete with
// the right memory or end with the failure prompt, leaving the document as it
// was; none may hang.
#include "e2e/vradio_process.h"
#include "link/image_conversion.h"
#include "link/ui/com_port_map.h"
#include "link/ui/frm_progress.h"
#include "link/ui/radio_commands.h"
#include "shell/ui/frm_main.h"
#include "shell/ui/ui_test_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <fstream>
#include <iterator>

using namespace velmar;
using namespace velmar::test;

namespace {

constexpr int RadioPort = 9;
constexpr int TextCannotOpenPort = 9003;
constexpr int TextNoReply = 9008;
constexpr int TextReadDone = 9009;
constexpr int TextWriteDone = 9010;

// Far beyond the worst case of one exchange: two rounds of four handshake
// attempts and four tries of a block, 150 ms each, plus 704 blocks on a busy
// machine.
constexpr int CaseDeadlineMs = 30000;

enum class Operation { Read, Write };

// What goes wrong on the line.
enum class Fault {
    Drop,      // no reply
    Checksum,  // a block with a wrong checksum (read replies only)
    Resend,    // 0x0A instead of the reply
    Split,     // the reply in two pieces
    Garbage,   // meaningless bytes instead of the reply
    Silent,    // the radio stops answering from this block on
    HangUp,    // the radio goes away while the program waits for this block
    SilentEnd, // no reply to "END"
};

// Where a block fault strikes, and how often.
enum class Position { First, Middle, Last };
enum class Persistence { Once, Always };

const char* FaultName(Fault fault) {
    switch (fault) {
    case Fault::Drop:
        return "drop";
    case Fault::Checksum:
        return "checksum";
    case Fault::Resend:
        return "resend";
    case Fault::Split:
        return "split";
    case Fault::Garbage:
        return "garbage";
    case Fault::Silent:
        return "silent";
    case Fault::HangUp:
        return "hang-up";
    case Fault::SilentEnd:
        return "silent END";
    }
    return "?";
}

const char* CommandName(Operation operation) {
    return operation == Operation::Read ? "read" : "write";
}

std::uint16_t BlockAddress(Position position) {
    switch (position) {
    case Position::First:
        return RadioImage::FirstAddress;
    case Position::Middle:
        return 0x1600; // block 352 of 704
    case Position::Last:
        return RadioImage::LastAddress + 1 - BlockSize;
    }
    return 0;
}

// The radio's memory file: the image, then the information block (no password).
void WriteMemoryFile(const QString& path, const RadioImage& image) {
    RadioInfoBlock info;
    info.bytes.fill(0xFF);
    std::ofstream file(path.toStdString(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.bytes.data()), RadioImage::Size);
    file.write(reinterpret_cast<const char*>(info.bytes.data()), RadioInfoBlock::Size);
}

std::optional<RadioImage> ReadMemoryFile(const QString& path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    const std::vector<char> data((std::istreambuf_iterator<char>(file)),
                                 std::istreambuf_iterator<char>());
    if (data.size() < RadioImage::Size)
        return std::nullopt;
    RadioImage image;
    std::copy_n(data.begin(), RadioImage::Size, image.bytes.begin());
    return image;
}

// The virtual radio as a child process that logs every command it takes, so
// that it can be pulled out at the moment a given command arrives. The
// program opens it by a symbolic link that goes with the radio: a lost
// pseudo-terminal's number is soon given to another one, and a program
// opening the lost radio's device again must not find a stranger there.
class LoggingRadio : public QObject {
public:
    LoggingRadio(const QStringList& options, const QString& linkPath) : link_(linkPath) {
        connect(&process_, &QProcess::readyReadStandardError, this, &LoggingRadio::TakeLog);
        const QStringList arguments = QStringList(options) << "--verbose"
                                                           << "--link" << link_;
        started_ = StartVRadioProcess(process_, arguments) && QFileInfo(link_).isSymLink();
    }
    ~LoggingRadio() override { Kill(); }

    bool Ok() const { return started_ && process_.state() == QProcess::Running; }
    // The device the program opens as its serial port.
    const QString& Path() const { return link_; }

    // The radio is killed, as a cable pulled out, once it logs `command`
    // ("read 0x1600").
    void KillOn(const QString& command) { killOn_ = command; }
    bool Killed() const { return killed_; }

    // Ends the radio the friendly way, so that it saves its memory file.
    bool Stop() {
        if (process_.state() == QProcess::NotRunning)
            return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
        process_.terminate();
        return process_.waitForFinished(5000) && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }

    void Kill() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.kill();
        process_.waitForFinished(5000);
        QFile::remove(link_);
    }

private:
    void TakeLog() {
        log_ += QString::fromLocal8Bit(process_.readAllStandardError());
        if (!killOn_.isEmpty() && !killed_ && log_.contains("velmar-vradio: " + killOn_ + "\n")) {
            killed_ = true;
            Kill();
        }
        // Only the unfinished last line is needed for the next look.
        log_ = log_.mid(log_.lastIndexOf('\n') + 1);
    }

    QProcess process_;
    QString link_;
    bool started_ = false;
    QString log_;
    QString killOn_;
    bool killed_ = false;
};

// Answers the failure prompt with OK (start again from the handshake) the
// first `Restarts` times and Cancel after that; every other box with OK.
class PromptSink : public MessageSink {
public:
    std::vector<std::string> Shown;
    std::string PromptText;
    int Restarts = 0;
    int Prompts = 0;

    MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon) override {
        Shown.push_back(text);
        if (text != PromptText)
            return MsgAnswer::Ok;
        return ++Prompts <= Restarts ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }
    int Count(const std::string& text) const {
        return static_cast<int>(std::count(Shown.begin(), Shown.end(), text));
    }
    bool AnyStartsWith(const std::string& text) const {
        return std::any_of(Shown.begin(), Shown.end(),
                           [&](const std::string& shown) { return shown.starts_with(text); });
    }
};

// What a document holds that a read may change.
struct DocumentState {
    DocRecord Doc;
    ChannelList ChList;
    std::string DocFileName;
    bool IsNewDocument;

    explicit DocumentState(const Document& doc)
        : Doc(doc.Doc), ChList(doc.ChList), DocFileName(doc.DocFileName),
          IsNewDocument(doc.IsNewDocument) {}
    bool operator==(const DocumentState&) const = default;
};

QElapsedTimer matrixClock;
qint64 matrixElapsedMs = 0;
int matrixCases = 0;

} // namespace

Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(Position)
Q_DECLARE_METATYPE(Persistence)

class LinkFaultMatrixTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestInstall> install_;
    std::unique_ptr<QTemporaryDir> folder_;
    PromptSink sink_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<FrmMain> main_;
    RadioCommands* commands_ = nullptr;
    std::unique_ptr<LoggingRadio> radio_;

    QString MemoryFile() const { return folder_->filePath("radio.bin"); }
    std::string Text(int id) const { return app_->Texts.GetText(id); }

    // The radio memory a read should bring in: the document with other
    // frequencies in its first and last channels.
    RadioImage MemoryToRead() {
        Document radioDoc = app_->Doc;
        const int used = UsedChannelCount(radioDoc.Doc.ChCount);
        if (used > 0) {
            radioDoc.ChList[0].RxFre = MakeFixStr<8>("02761125");
            radioDoc.ChList[static_cast<std::size_t>(used - 1)].RxFre = MakeFixStr<8>("02898500");
        }
        RadioImage image;
        ClearChannelArea(image);
        BuildImage(radioDoc, image);
        return image;
    }

    // A memory in which every byte differs from what the write will send.
    RadioImage MemoryToOverwrite() {
        RadioImage image = commands_->Image();
        BuildImage(app_->Doc, image);
        for (auto& byte : image.bytes)
            byte = static_cast<std::uint8_t>(~byte);
        return image;
    }

    // The vradio options of a fault; HangUp also needs the radio killed.
    static QStringList FaultOptions(Operation operation, Fault fault, Position position,
                                    Persistence persistence) {
        const QString at = QString("%1@%2").arg(CommandName(operation)).arg(BlockAddress(position));
        const QString times = persistence == Persistence::Always ? "*all" : "";
        switch (fault) {
        case Fault::Drop:
            return {"--fault", "drop:" + at + times};
        case Fault::Checksum:
            return {"--fault", "checksum:" + at + times};
        case Fault::Resend:
            return {"--fault", "resend:" + at + times};
        case Fault::Split:
            return {"--fault", "split:" + at + "*all"};
        case Fault::Garbage:
            return {"--fault", "garbage:" + at + times};
        case Fault::Silent:
        case Fault::HangUp:
            return {"--fault", "silent:" + at};
        case Fault::SilentEnd:
            return {"--fault", "silent:end"};
        }
        return {};
    }

    static bool ExpectCompletion(Fault fault, Persistence persistence) {
        switch (fault) {
        case Fault::Split:
        case Fault::SilentEnd:
            return true;
        case Fault::Silent:
        case Fault::HangUp:
            return false;
        default:
            return persistence == Persistence::Once;
        }
    }

    static void AddRow(Operation operation, Fault fault, Position position, Persistence persistence,
                       bool echo) {
        static const char* const positionNames[] = {"first", "middle", "last"};
        QString name = QString("%1, %2").arg(CommandName(operation)).arg(FaultName(fault));
        if (fault != Fault::SilentEnd)
            name += QString(" at the %1 block").arg(positionNames[static_cast<int>(position)]);
        if (persistence == Persistence::Always)
            name += ", every time";
        name += echo ? ", echo" : "";
        QTest::newRow(name.toUtf8().constData())
            << operation << fault << position << persistence << echo;
    }

    // Runs `command`; the modal progress window may keep it busy, so a
    // watchdog ends a hanging exchange by killing the radio and closing that
    // window, and tells whether it had to.
    bool RunBounded(const std::function<void()>& command, QSignalSpy& ended) {
        bool hung = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, this, [&] {
            hung = true;
            radio_->Kill();
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* progress = qobject_cast<FrmProgress*>(window))
                    progress->Finish();
        });
        watchdog.start(CaseDeadlineMs);
        command();
        // A command whose port did not open ends without an exchange.
        while (ended.isEmpty() && commands_->Busy() && !hung)
            ended.wait(100);
        return !hung;
    }

private slots:
    void initTestCase() {
        install_ = std::make_unique<TestInstall>();
        matrixClock.start();
    }
    void cleanupTestCase() {
        qInfo("fault matrix: %d cases in %.1f s, %.1f s of it in the exchanges", matrixCases,
              static_cast<double>(matrixClock.elapsed()) / 1000.0,
              static_cast<double>(matrixElapsedMs) / 1000.0);
    }

    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        // The port map and the backups of reads go to the test's own folders.
        qputenv("XDG_CONFIG_HOME", folder_->filePath("config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", folder_->filePath("data").toLocal8Bit());
        sink_ = PromptSink();
        app_ = MakeContext(*install_, sink_);
        sink_.PromptText = Text(TextNoReply);
        app_->InitNewDocument();
        main_ = std::make_unique<FrmMain>(*app_);
        main_->show();
        commands_ = &RadioCommands::Of(*app_, main_.get());
    }
    void cleanup() {
        radio_.reset();
        main_.reset();
        FlushDeferredDeletes();
        app_.reset();
        folder_.reset();
    }

    void exchangeCompletesOrFailsCleanly_data() {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<Position>("position");
        QTest::addColumn<Persistence>("persistence");
        QTest::addColumn<bool>("echo");
        for (Operation operation : {Operation::Read, Operation::Write})
            for (bool echo : {false, true}) {
                for (Fault fault : {Fault::Drop, Fault::Checksum, Fault::Resend, Fault::Split,
                                    Fault::Garbage, Fault::Silent, Fault::HangUp}) {
                    // A written block carries the program's own checksum.
                    if (fault == Fault::Checksum && operation == Operation::Write)
                        continue;
                    // Every retry failing ends the same way for all faults the
                    // program ignores; a written block refused again and again
                    // ends by the count of refusals instead.
                    const bool alsoAlways = fault == Fault::Drop || (fault == Fault::Resend &&
                                                                     operation == Operation::Write);
                    for (Position position : {Position::First, Position::Middle, Position::Last})
                        for (Persistence persistence : {Persistence::Once, Persistence::Always})
                            if (persistence == Persistence::Once || alsoAlways)
                                AddRow(operation, fault, position, persistence, echo);
                }
                AddRow(operation, Fault::SilentEnd, Position::Last, Persistence::Once, echo);
            }
    }
    void exchangeCompletesOrFailsCleanly() {
        QFETCH(Operation, operation);
        QFETCH(Fault, fault);
        QFETCH(Position, position);
        QFETCH(Persistence, persistence);
        QFETCH(bool, echo);
        const bool reading = operation == Operation::Read;
        const bool completes = ExpectCompletion(fault, persistence);
        // A radio that stopped answering is given one more chance from the
        // handshake; a block that keeps failing is given up at once.
        sink_.Restarts = fault == Fault::Silent || fault == Fault::HangUp ? 1 : 0;

        // A document that is not the one a read would make.
        app_->Doc.DocFileName = folder_->filePath("mine.dat").toStdString();
        app_->Doc.IsNewDocument = false;
        const Document original = app_->Doc;
        const DocumentState before(original);
        const RadioImage startMemory = reading ? MemoryToRead() : MemoryToOverwrite();
        WriteMemoryFile(MemoryFile(), startMemory);

        QStringList options = FaultOptions(operation, fault, position, persistence);
        options << "--image" << MemoryFile();
        if (echo)
            options << "--echo";
        radio_ = std::make_unique<LoggingRadio>(options, folder_->filePath("ttyRadio"));
        QVERIFY2(radio_->Ok(), "velmar-vradio did not start");
        if (fault == Fault::HangUp)
            radio_->KillOn(QString("%1 0x%2")
                               .arg(CommandName(operation))
                               .arg(QString::number(BlockAddress(position), 16)
                                        .toUpper()
                                        .rightJustified(4, '0')));
        QVERIFY(ComPortMap(DefaultComPortMapPath()).Set(RadioPort, radio_->Path().toStdString()));
        app_->Settings.comPort = RadioPort;

        QSignalSpy ended(commands_, &RadioCommands::exchangeEnded);
        QSignalSpy shown(commands_, &RadioCommands::readDocumentShown);
        QElapsedTimer clock;
        clock.start();
        const bool bounded = RunBounded(
            [&] { reading ? commands_->ReadFromRadio() : commands_->WriteToRadio(); }, ended);
        if (completes && reading && bounded && shown.isEmpty())
            QVERIFY(shown.wait(CaseDeadlineMs));
        matrixElapsedMs += clock.elapsed();
        ++matrixCases;

        QVERIFY2(bounded, "the exchange did not end in time");
        // Another program may have opened the pseudo-terminal first, when
        // its number was last used by a radio that program lost.
        QVERIFY2(!sink_.AnyStartsWith(Text(TextCannotOpenPort)),
                 "the radio's pseudo-terminal could not be opened");
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended[0][1].toBool(), completes);
        QVERIFY(!commands_->Busy());
        QVERIFY(!commands_->Port().IsOpen());
        QCOMPARE(radio_->Killed(), fault == Fault::HangUp);

        if (!completes) {
            QCOMPARE(sink_.Prompts, sink_.Restarts + 1);
            QCOMPARE(sink_.Count(Text(reading ? TextReadDone : TextWriteDone)), 0);
            // Nothing is left to turn a partial read into the document.
            QVERIFY(!commands_->ReadOKTimer().isActive());
            QVERIFY(DocumentState(app_->Doc) == before);
            return;
        }

        QCOMPARE(sink_.Prompts, 0);
        QCOMPARE(sink_.Count(Text(reading ? TextReadDone : TextWriteDone)), 1);
        QVERIFY(radio_->Stop()); // the radio saves its memory
        const auto radioMemory = ReadMemoryFile(MemoryFile());
        QVERIFY(radioMemory);
        // After a write this also shows that every block went over: the
        // radio's old memory differed in every byte.
        QVERIFY(radioMemory->bytes == commands_->Image().bytes);
        if (reading) {
            Document expected = original;
            ParseImage(startMemory, expected);
            QVERIFY(app_->Doc.Doc == expected.Doc);
            QVERIFY(app_->Doc.ChList == expected.ChList);
            QCOMPARE(app_->Doc.DocFileName, std::string("new.dat"));
            QVERIFY(app_->Doc.IsNewDocument);
        } else {
            QVERIFY(DocumentState(app_->Doc) == before); // a write leaves the document alone
        }
    }
};

QTEST_MAIN(LinkFaultMatrixTest)
#include "link_fault_matrix_test.moc"
