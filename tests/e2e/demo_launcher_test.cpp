// velmar-demo as a newcomer meets it: a fresh home, the launcher started from
// a program folder laid out as the build tree, the first-run dialog, OK, the
// main window, Program > Read and the sample's channels in the grid; later
// starts keep their settings and the radio's memory, --reset brings the
// sample back, and the user's own settings are never touched.
//
// The launcher runs Velmar's real start-up and windows in a separate process:
// this test program itself, started by velmar-demo in place of Velmar
// ("--demo-user"), runs RunVelmar as the Velmar program does, while a
// scripted user watches the top-level windows and clicks what a user would
// click. The test (the outer process) checks what the user saw, reported on
// standard output, and the files the run left behind.
#include "channels/frequency_codec.h"
#include "channels/tone_list.h"
#include "channels/ui/frm_comm_ch_info.h"
#include "link/demo_sample.h"
#include "link/image_conversion.h"
#include "link/ui/com_port_map.h"
#include "link/ui/load_frm_link.h"
#include "shell/ini_file.h"
#include "shell/startup.h"
#include "shell/ui/frm_main.h"
#include "shell/ui/ui_test_support.h"
#include "shell/ui/velmar_program.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace velmar;
using namespace velmar::test;

namespace {

constexpr int RunMs = 180000;      // one run of the demo, at most (the machine may be busy)
constexpr int DemoUserMs = 150000; // the scripted user gives up after this

// ---- the scripted user, inside the process velmar-demo starts -------------

// What the user does once the main window is there.
enum class Then { Read, Close, Crash };

class DemoUser : public QObject {
public:
    DemoUser(bool expectFirstRun, Then then) : expectFirstRun_(expectFirstRun), then_(then) {
        connect(&poll_, &QTimer::timeout, this, &DemoUser::Tick);
        poll_.start(20);
        QTimer::singleShot(DemoUserMs, this, [this] {
            Report("timeout", QString::number(static_cast<int>(step_)));
            std::_Exit(3);
        });
    }

    static void Report(const QString& what, const QString& detail = {}) {
        std::printf("STEP %s|%s\n", qPrintable(what), qPrintable(detail));
        std::fflush(stdout);
    }

private:
    enum class Step { Start, Reading, Closing };

    // Clicks after the current event, so that a dialog the click opens runs
    // its own loop while this timer goes on ticking.
    static void Click(QAbstractButton* button) {
        QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
    }

    bool Handled(QWidget* window) {
        for (const QPointer<QWidget>& seen : handled_)
            if (seen == window)
                return true;
        handled_.append(window);
        return false;
    }

    void Tick() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            box && box->isVisible() && !Handled(box)) {
            Report("message", box->text());
            // OK to the read's question and its report; No to saving on close.
            QAbstractButton* button = box->button(QMessageBox::Ok);
            if (!button)
                button = box->button(QMessageBox::No);
            Click(button ? button : box->buttons().value(0));
            return;
        }
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* link = qobject_cast<LoadFrmLink*>(window);
                link && link->isVisible() && !Handled(link)) {
                Report("first-run-dialog",
                       link->windowTitle() + "|" + link->Combo1()->currentText());
                Click(expectFirstRun_ ? link->Command1() : link->Command2());
                return;
            }
            if (auto* main = qobject_cast<FrmMain*>(window); main && main->isVisible())
                OnMainWindow(*main);
        }
    }

    void OnMainWindow(FrmMain& main) {
        if (step_ == Step::Start) {
            Report("main-window");
            if (then_ == Then::Crash)
                std::abort();
            if (then_ == Then::Close) {
                Close(main);
                return;
            }
            auto* menu = main.findChild<QMenu*>("mnuProgram");
            auto* read = main.findChild<QAction*>("mnuReadFromRadio");
            if (!menu || !read || !menu->actions().contains(read)) {
                Report("no-read-entry");
                Close(main);
                return;
            }
            Report("read", menu->title() + " > " + read->text());
            step_ = Step::Reading;
            QTimer::singleShot(0, read, [read] { read->trigger(); });
        } else if (step_ == Step::Reading) {
            auto* grid = main.findChild<FrmCommChInfo*>();
            auto* table = grid ? grid->findChild<QTableWidget*>("MSFlexGrid1") : nullptr;
            const QTableWidgetItem* first = table ? table->item(0, 1) : nullptr;
            if (!grid || !grid->isVisible() || !first || first->text().isEmpty())
                return;
            Report("grid", grid->windowTitle());
            for (int row = 0; row < table->rowCount(); ++row) {
                QStringList cells;
                for (int col : {1, 4, 5})
                    cells << (table->item(row, col) ? table->item(row, col)->text() : QString());
                if (!cells[0].isEmpty())
                    Report("row", QString::number(row + 1) + "|" + cells.join('|'));
            }
            Close(main);
        }
    }

    void Close(FrmMain& main) {
        step_ = Step::Closing;
        QTimer::singleShot(0, &main, [&main] { main.close(); });
    }

    const bool expectFirstRun_;
    const Then then_;
    Step step_ = Step::Start;
    QTimer poll_;
    QList<QPointer<QWidget>> handled_;
};

// argv: program --demo-user PROGRAM_FOLDER SCRIPT, with SCRIPT one of
// first-start, link-and-close, close, crash.
int RunDemoUser(char** argv) {
    const QString programFolder = QString::fromLocal8Bit(argv[2]);
    const QString script = QString::fromLocal8Bit(argv[3]);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    const bool firstRun = script == "first-start" || script == "link-and-close";
    const Then then = script == "first-start" ? Then::Read
                      : script == "crash"     ? Then::Crash
                                              : Then::Close;
    DemoUser user(firstRun, then);
    const int status = RunVelmar(app, programFolder);
    DemoUser::Report("end", QString::number(status));
    return status;
}

// ---- the test, outside -------------------------------------------------------

std::string ReadFile(const QString& path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string SampleBytes() {
    const auto bytes = BuildDemoSample();
    return std::string(bytes.begin(), bytes.end());
}

// Every file below `folder` with its size and content, for before-and-after.
QStringList Listing(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files << QDir(folder).relativeFilePath(path) + " " +
                     QString::fromLatin1(
                         QCryptographicHash::hash(QByteArray::fromStdString(ReadFile(path)),
                                                  QCryptographicHash::Md5)
                             .toHex());
    }
    files.sort();
    return files;
}

struct Run {
    int exitCode = -1;
    QStringList steps; // "name|detail"
    QString output;

    QStringList Named(const QString& name) const {
        QStringList details;
        for (const QString& step : steps)
            if (step.section('|', 0, 0) == name)
                details << step.section('|', 1);
        return details;
    }
};

} // namespace

class DemoLauncherTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> root_;
    std::unique_ptr<TestInstall> install_;

    QString Path(const QString& relative) const { return root_->filePath(relative); }
    QString Home() const { return Path("home"); }
    QString Demo() const { return Path("state/velmar/demo"); }
    QString DemoSetup() const { return Demo() + "/config/velmar/language/mysetup.ini"; }

    // The user's own settings, which the demo must leave alone.
    void WriteUsersOwnSettings() {
        QDir().mkpath(Home() + "/.config/velmar/language");
        std::ofstream(Home().toStdString() + "/.config/velmar/comports.ini")
            << "[ComPorts]\nCOM1=/dev/ttyUSB0\n";
        std::ofstream(Home().toStdString() + "/.config/velmar/language/mysetup.ini")
            << "[language]\nIsFirstRun=0\ncomPort=3\nCurrentLanguage=1\n";
    }

    // velmar-demo from the test's program folder with `options`, this
    // program as its Velmar running `script`.
    Run RunDemo(const QStringList& options, const QString& script) {
        QProcessEnvironment env;
        env.insert("HOME", Home());
        env.insert("PATH", qEnvironmentVariable("PATH", "/usr/bin:/bin"));
        env.insert("LANG", "C.UTF-8");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_STATE_HOME", Path("state"));
        env.insert("XDG_DATA_HOME", Path("data"));
        env.insert("XDG_CACHE_HOME", Path("cache"));
        env.insert("XDG_RUNTIME_DIR", Path("runtime"));
        for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
            if (qEnvironmentVariableIsSet(name))
                env.insert(name, qEnvironmentVariable(name));
        QProcess demo;
        demo.setProcessEnvironment(env);
        demo.setProcessChannelMode(QProcess::SeparateChannels);
        demo.setProgram(QString::fromStdString(install_->Path("bin/velmar-demo")));
        demo.setArguments(options +
                          QStringList{QCoreApplication::applicationFilePath(), "--demo-user",
                                      QString::fromStdString(install_->Path("bin")), script});
        demo.start();
        Run run;
        if (!demo.waitForFinished(RunMs)) {
            // The watchdog: the launcher passes the signal on and stops the radio.
            demo.terminate();
            if (!demo.waitForFinished(10000))
                demo.kill();
            demo.waitForFinished(5000);
            run.exitCode = -2;
        } else {
            run.exitCode = demo.exitStatus() == QProcess::NormalExit ? demo.exitCode() : -3;
        }
        const QString out = QString::fromLocal8Bit(demo.readAllStandardOutput());
        run.output = out + QString::fromLocal8Bit(demo.readAllStandardError());
        for (const QString& line : out.split('\n'))
            if (line.startsWith("STEP "))
                run.steps << line.mid(5);
        return run;
    }

    int DemoPortNumber() const {
        const auto number = ComPortMap((Demo() + "/config/velmar/comports.ini").toStdString())
                                .NumberOf((Demo() + "/vradio").toStdString());
        return number.value_or(-1);
    }

    // The channels of group `group` as the grid shows them after reading the sample.
    QStringList SampleRows(AppContext& app, int group) {
        Document doc = app.Doc;
        RadioImage image;
        const std::string sample = SampleBytes();
        std::copy_n(sample.begin(), RadioImage::Size, image.bytes.begin());
        ParseImage(image, doc);
        ScriptedSink sink;
        const FreContext fre{doc.BandLow, doc.BandHigh, sink, app.Texts};
        const auto tone = [&](int index) {
            return index == 0 ? app.Text(14013) : QString::fromStdString(ToneList()[index]);
        };
        QStringList rows;
        for (int i = 0; i < doc.Doc.ChCount; ++i) {
            const ChannelInfo& ch = doc.ChList[static_cast<std::size_t>(i)];
            const int position = ch.ChNo - GroupStartNo(group);
            if (position < 1 || position > GroupSize(group))
                continue;
            rows << QString::number(position) + "|" +
                        QString::fromStdString(FreStoreToShow(TrimFixStr(ch.RxFre), fre)) + "|" +
                        tone(ch.RxTone) + "|" + tone(ch.TxTone);
        }
        return rows;
    }

private slots:
    void init() {
        root_ = std::make_unique<QTemporaryDir>();
        install_ = std::make_unique<TestInstall>();
        // The launcher finds its sibling programs beside its own file.
        QVERIFY(QFile::copy(VELMAR_PROGRAM_DIR "/velmar-demo",
                            QString::fromStdString(install_->Path("bin/velmar-demo"))));
        QVERIFY(QFile::link(VELMAR_PROGRAM_DIR "/velmar-vradio",
                            QString::fromStdString(install_->Path("bin/velmar-vradio"))));
        for (const char* folder : {"home", "state", "data", "cache"})
            QVERIFY(QDir().mkpath(Path(folder)));
        QVERIFY(QDir().mkpath(Path("runtime")));
        QFile::setPermissions(Path("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner);
        WriteUsersOwnSettings();
    }
    void cleanup() {
        install_.reset();
        root_.reset();
    }

    void firstStartLinksAndReadsTheSampleRadio_data() {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("two-wire cable") << QStringList{};
        QTest::newRow("one-wire cable, --echo") << QStringList{"--echo"};
    }
    void firstStartLinksAndReadsTheSampleRadio() {
        QFETCH(QStringList, options);
        ScriptedSink sink;
        const auto app = MakeContext(*install_, sink);
        const QStringList home = Listing(Home());
        const QStringList programFolder = Listing(QString::fromStdString(install_->Path("")));

        const Run run = RunDemo(options, "first-start");
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));

        // The first-run dialog with the demo radio's port, then the main window.
        const int port = DemoPortNumber();
        QVERIFY2(port > 0, qPrintable(run.output));
        QCOMPARE(run.Named("first-run-dialog"),
                 QStringList{"Initial Setup|COM" + QString::number(port)});
        QCOMPARE(run.Named("main-window").size(), 1);
        QCOMPARE(run.Named("read"), QStringList{app->Text(10300) + " > " + app->Text(10301)});
        const QStringList messages = run.Named("message");
        QVERIFY2(messages.contains(app->Text(9004)), qPrintable(run.output));
        QVERIFY2(messages.contains(app->Text(9009)), qPrintable(run.output));
        // The grid shows the sample's group 3 channel by channel.
        QCOMPARE(run.Named("grid").size(), 1);
        QVERIFY(run.Named("grid")[0].contains("CLUB"));
        const QStringList rows = run.Named("row");
        QVERIFY(rows.size() >= 10);
        QCOMPARE(rows, SampleRows(*app, 3));
        QCOMPARE(run.Named("end"), QStringList{"0"});

        // Velmar wrote its files into the demo's configuration only.
        QCOMPARE(ReadIniValue(DemoSetup().toStdString(), SetupSection, "IsFirstRun"),
                 std::string("0"));
        QCOMPARE(ReadIniValue(DemoSetup().toStdString(), SetupSection, "comPort"),
                 std::to_string(port));
        QVERIFY(QFile::exists(Demo() + "/config/velmar/bin/Setting.ini"));
        QVERIFY(QFile::exists(Demo() + "/config/Velmar/Velmar.ini")); // the window placement
        QCOMPARE(Listing(Home()), home);
        QCOMPARE(Listing(QString::fromStdString(install_->Path(""))), programFolder);

        // The radio stopped and kept the sample it was given.
        QVERIFY(!QFileInfo(Demo() + "/vradio").isSymLink());
        QVERIFY(ReadFile(Demo() + "/radio.img") == SampleBytes());
    }

    // A later start goes straight to the main window with the same port and
    // the memory the radio kept; a crash of Velmar still stops the radio;
    // --reset brings the sample back.
    void laterStartsKeepTheirSettingsAndTheRadiosMemory() {
        const Run first = RunDemo({}, "link-and-close");
        QVERIFY2(first.exitCode == 0, qPrintable(first.output));
        QCOMPARE(first.Named("first-run-dialog").size(), 1);
        const int port = DemoPortNumber();
        QVERIFY(port > 0);

        // What a write into the radio would have left in its memory.
        std::string changed = SampleBytes();
        changed[0x2B10] = 'X'; // the first letter of group 0's name
        std::ofstream(Demo().toStdString() + "/radio.img", std::ios::binary | std::ios::trunc)
            << changed;

        const Run crashed = RunDemo({}, "crash");
        QVERIFY2(crashed.exitCode == 128 + SIGABRT, qPrintable(crashed.output));
        QCOMPARE(crashed.Named("first-run-dialog").size(), 0);
        QCOMPARE(crashed.Named("main-window").size(), 1);
        QVERIFY(!QFileInfo(Demo() + "/vradio").isSymLink());
        QVERIFY(ReadFile(Demo() + "/radio.img") == changed);
        QCOMPARE(DemoPortNumber(), port);

        const Run reset = RunDemo({"--reset"}, "close");
        QVERIFY2(reset.exitCode == 0, qPrintable(reset.output));
        QCOMPARE(reset.Named("first-run-dialog").size(), 0);
        QCOMPARE(reset.Named("main-window").size(), 1);
        QVERIFY(ReadFile(Demo() + "/radio.img") == SampleBytes());
        QCOMPARE(DemoPortNumber(), port);
        QCOMPARE(ReadIniValue(DemoSetup().toStdString(), SetupSection, "comPort"),
                 std::to_string(port));
        QCOMPARE(ReadFile(Home() + "/.config/velmar/language/mysetup.ini"),
                 std::string("[language]\nIsFirstRun=0\ncomPort=3\nCurrentLanguage=1\n"));
    }
};

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--demo-user")
        return RunDemoUser(argv);
    QApplication app(argc, argv);
    DemoLauncherTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "demo_launcher_test.moc"
