// File > Restore radio backup and Settings > Verify after writing in the real
// main window, against the virtual radio on a pseudo-terminal: a chosen
// backup goes back into the radio byte for byte, a write is read back and
// compared, the setting survives a restart, and the progress window says what
// it is doing. With VELMAR_GRAB_DIR set the restore dialog and the progress
// window are saved there in English and Chinese.
#include "e2e/vradio_process.h"

#include "link/image_conversion.h"
#include "link/memory_image_file.h"
#include "link/radio_backups.h"
#include "link/ui/com_port_map.h"
#include "link/ui/frm_progress.h"
#include "link/ui/frm_restore_backup.h"
#include "link/ui/radio_commands.h"
#include "shell/ui/frm_main.h"
#include "shell/ui/ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

#include <chrono>
#include <functional>

using namespace velmar;
using namespace velmar::test;

Q_DECLARE_METATYPE(velmar::LinkType)

namespace {

constexpr int RadioPort = 9;
constexpr int WaitMs = 60000; // generous: the machine may be busy

// Answers every box with OK unless `Answer` says otherwise; keeps the texts.
class AnsweringSink : public MessageSink {
public:
    std::vector<std::string> Shown;
    std::function<MsgAnswer(const std::string&)> Answer;

    MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon) override {
        Shown.push_back(text);
        return Answer ? Answer(text) : MsgAnswer::Ok;
    }
    bool Saw(const std::string& text) const {
        return std::find(Shown.begin(), Shown.end(), text) != Shown.end();
    }
};

// Watches the restore dialog and the progress window while they are up:
// keeps the rows of the one and the phases of the other, saves a picture of
// each into `GrabFolder` when set, and answers the restore dialog.
class WindowWatcher : public QObject {
public:
    QStringList Rows;   // "model|date and time" of the restore dialog, top down
    QStringList Phases; // each phase the progress window showed
    QString GrabFolder, Language;

    WindowWatcher() {
        connect(&timer_, &QTimer::timeout, this, &WindowWatcher::Look);
        timer_.start(5);
    }

private:
    void Look() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible())
                continue;
            if (auto* dialog = qobject_cast<FrmRestoreBackup*>(window))
                Answer(dialog);
            if (auto* progress = qobject_cast<FrmProgress*>(window))
                Follow(progress);
        }
    }
    void Answer(FrmRestoreBackup* dialog) {
        for (int i = 0; i < dialog->List1()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = dialog->List1()->topLevelItem(i);
            Rows << row->text(0) + "|" + row->text(1);
        }
        Grab(dialog, "FrmRestoreBackup");
        QTest::mouseClick(dialog->CommandOK(), Qt::LeftButton);
    }
    void Follow(FrmProgress* progress) {
        const QString phase = progress->PhaseLabel()->text();
        if (Phases.isEmpty() || Phases.back() != phase)
            Phases << phase;
        // Far enough in for the time left to be estimated.
        if (!progressGrabbed_ && progress->ProgressBar1()->value() >= 20) {
            progressGrabbed_ = true;
            Grab(progress, "FrmProgress");
        }
    }
    void Grab(QWidget* window, const QString& name) {
        if (!GrabFolder.isEmpty())
            window->grab().save(QDir(GrabFolder).filePath(name + "_" + Language + ".png"));
    }

    QTimer timer_;
    bool progressGrabbed_ = false;
};

// A memory as a write of the new document `doc` with channel 1 at
// `frequency` leaves it, with `unused` in memory the program does not use.
MemoryImage MemoryWith(Document doc, const char* frequency, std::uint8_t unused) {
    doc.ChList[0].RxFre = MakeFixStr<8>(frequency);
    MemoryImage memory;
    memory.Image.bytes.fill(unused);
    [&] { QVERIFY(BuildImage(doc, memory.Image).Ok()); }();
    memory.InfoBlock.bytes.fill(0xFF);
    return memory;
}

} // namespace

class RestoreVerifyE2eTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> config_;
    std::unique_ptr<TestInstall> install_;
    AnsweringSink sink_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<FrmMain> main_;
    RadioCommands* commands_ = nullptr;
    std::unique_ptr<VRadio> radio_;

    std::string MemoryFile() const { return config_->filePath("radio.bin").toStdString(); }
    std::string Text(int id) const { return app_->Texts.GetText(id); }
    QAction* Entry(const char* name) const { return main_->findChild<QAction*>(name); }

    // The main window of a run in `language`, on the install as it stands.
    void OpenMainWindow(std::int16_t language = EnglishLanguage) {
        main_.reset();
        FlushDeferredDeletes();
        app_ = MakeContext(*install_, sink_, language);
        app_->InitNewDocument();
        main_ = std::make_unique<FrmMain>(*app_);
        main_->show();
        commands_ = &RadioCommands::Of(*app_, main_.get());
    }

    // The virtual radio on COM9 holding `memory`.
    void StartRadio(const MemoryImage& memory, QStringList options = {}) {
        QVERIFY(WriteMemoryImageFile(MemoryFile(), memory));
        options << "--image" << QString::fromStdString(MemoryFile());
        radio_ = std::make_unique<VRadio>(options);
        QVERIFY2(radio_->Ok(), "velmar-vradio did not start");
        QVERIFY(ComPortMap(DefaultComPortMapPath()).Set(RadioPort, radio_->Path().toStdString()));
        app_->Settings.comPort = RadioPort;
    }

    // What the radio holds once it has saved its memory.
    MemoryImage StopAndTakeMemory() {
        [&] { QVERIFY(radio_->Stop()); }();
        const MemoryImageRead read = ReadMemoryImageFile(MemoryFile());
        [&] { QVERIFY(read.Ok()); }();
        return read.Memory;
    }

    // Picks the menu entry and waits until the radio command is over.
    void PickAndWait(const char* entry) {
        QSignalSpy ended(commands_, &RadioCommands::exchangeEnded);
        Entry(entry)->trigger();
        QVERIFY(ended.size() == 1 || ended.wait(WaitMs));
        QCOMPARE(ended[0][0].value<LinkType>(), LinkType::Write);
        QCOMPARE(ended[0][1].toBool(), true);
    }

    // Ctrl+W where the user's focus is in the main window, until written.
    void PressWriteKey() {
        QSignalSpy ended(commands_, &RadioCommands::exchangeEnded);
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : main_.get(), Qt::Key_W, Qt::ControlModifier);
        QVERIFY(ended.size() == 1 || ended.wait(WaitMs));
        QCOMPARE(ended[0][1].toBool(), true);
    }

private slots:
    void init() {
        config_ = std::make_unique<QTemporaryDir>();
        // The port map and the backups go to the test's own folders.
        qputenv("XDG_CONFIG_HOME", config_->filePath("config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", config_->filePath("data").toLocal8Bit());
        install_ = std::make_unique<TestInstall>();
        sink_ = AnsweringSink();
        OpenMainWindow();
    }
    void cleanup() {
        radio_.reset();
        main_.reset();
        FlushDeferredDeletes();
        app_.reset();
        install_.reset();
        config_.reset();
    }

    void restoreWritesTheChosenBackupBack_data() {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << int(EnglishLanguage);
        QTest::newRow("Chinese") << int(ChineseLanguage);
    }
    // The newest backup is listed first and chosen; every byte of it goes
    // into the radio, memory the program does not use included.
    void restoreWritesTheChosenBackupBack() {
        QFETCH(int, language);
        OpenMainWindow(static_cast<std::int16_t>(language));
        const MemoryImage older = MemoryWith(app_->Doc, "02761125", 0x33);
        const MemoryImage newer = MemoryWith(app_->Doc, "02898500", 0x22);
        const auto taken = std::chrono::system_clock::now() - std::chrono::hours(2);
        QVERIFY(SaveBackup(BackupFolder(), "KAVRO", older, taken).Ok);
        QVERIFY(SaveBackup(BackupFolder(), "KAVRO", newer, taken + std::chrono::hours(1)).Ok);
        StartRadio(MemoryWith(app_->Doc, "02600000", 0x11));
        WindowWatcher watcher;
        watcher.GrabFolder = qEnvironmentVariable("VELMAR_GRAB_DIR");
        watcher.Language = language == ChineseLanguage ? "zh" : "en";

        PickAndWait("mnuFileRestore");

        QCOMPARE(watcher.Rows.size(), 2);
        const std::tm newerTaken = ListBackups(BackupFolder())[0].Taken;
        QVERIFY(watcher.Rows[0].startsWith("KAVRO|"));
        QVERIFY(watcher.Rows[0].endsWith(QString::asprintf("%02d:%02d:%02d", newerTaken.tm_hour,
                                                           newerTaken.tm_min, newerTaken.tm_sec)));
        QVERIFY(sink_.Saw(Text(32120)));
        QVERIFY(sink_.Saw(Text(9010)));
        QCOMPARE(watcher.Phases, QStringList{QString::fromStdString(Text(9140))});
        QVERIFY(StopAndTakeMemory().Image.bytes == newer.Image.bytes);
        // What the program does not know of the memory goes out next as restored.
        QVERIFY(commands_->Image().bytes == newer.Image.bytes);
    }

    void restoreSaysWhyItCannot_data() {
        QTest::addColumn<QString>("backup");   // "none", "short" or "good"
        QTest::addColumn<QString>("fault");    // of the radio
        QTest::addColumn<QList<int>>("texts"); // the last message holds these
        QTest::newRow("no backup yet") << "none"
                                       << "" << QList<int>{9134};
        QTest::newRow("not a memory image") << "short"
                                            << "" << QList<int>{32114, 32118};
        QTest::newRow("the radio stops answering") << "good"
                                                   << "silent:write@0x0100" << QList<int>{9135};
    }
    void restoreSaysWhyItCannot() {
        QFETCH(QString, backup);
        QFETCH(QString, fault);
        QFETCH(QList<int>, texts);
        const MemoryImage before = MemoryWith(app_->Doc, "02600000", 0x11);
        StartRadio(before, fault.isEmpty() ? QStringList{} : QStringList{"--fault", fault});
        if (backup == "good") {
            const MemoryImage memory = MemoryWith(app_->Doc, "02898500", 0x22);
            QVERIFY(
                SaveBackup(BackupFolder(), "KAVRO", memory, std::chrono::system_clock::now()).Ok);
        } else if (backup == "short") {
            QVERIFY(QDir().mkpath(QString::fromStdString(BackupFolder())));
            QFile file(QString::fromStdString(BackupFolder()) + "/KAVRO-20261201-101500.img");
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(100, 'x'));
        }
        // The radio's silence is given up on.
        sink_.Answer = [this](const std::string& text) {
            return text == Text(9008) ? MsgAnswer::Cancel : MsgAnswer::Ok;
        };
        WindowWatcher watcher;
        const RadioImage held = commands_->Image();

        QSignalSpy ended(commands_, &RadioCommands::exchangeEnded);
        Entry("mnuFileRestore")->trigger();
        if (backup == "good")
            QVERIFY(ended.size() == 1 || ended.wait(WaitMs));

        QVERIFY(!sink_.Shown.empty());
        for (int id : texts)
            QVERIFY2(QString::fromStdString(sink_.Shown.back())
                         .contains(QString::fromStdString(Text(id))),
                     sink_.Shown.back().c_str());
        QVERIFY(!commands_->Busy());
        QVERIFY(commands_->Image().bytes == held.bytes);
        // Nothing is sent before the question is answered.
        QCOMPARE(sink_.Saw(Text(32120)), backup == "good");
        if (backup != "good")
            QVERIFY(StopAndTakeMemory().Image.bytes == before.Image.bytes);
    }

    void verifyAfterWritingComparesTheRadio_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("fault");
        QTest::newRow("equal, English") << int(EnglishLanguage) << "";
        // Channel 1's record, spoilt as the radio stores it.
        QTest::newRow("a block spoilt, Chinese") << int(ChineseLanguage) << "corrupt:write@0x0010";
    }
    void verifyAfterWritingComparesTheRadio() {
        QFETCH(int, language);
        QFETCH(QString, fault);
        OpenMainWindow(static_cast<std::int16_t>(language));
        StartRadio(MemoryWith(app_->Doc, "02600000", 0x11),
                   fault.isEmpty() ? QStringList{} : QStringList{"--fault", fault});
        QVERIFY(!Entry("mnuVerifyAfterWrite")->isChecked());
        Entry("mnuVerifyAfterWrite")->trigger();
        QVERIFY(app_->Settings.VerifyAfterWrite);
        WindowWatcher watcher;
        watcher.GrabFolder = qEnvironmentVariable("VELMAR_GRAB_DIR");
        watcher.Language = language == ChineseLanguage ? "zh" : "en";

        PressWriteKey();

        QCOMPARE(watcher.Phases, (QStringList{QString::fromStdString(Text(9140)),
                                              QString::fromStdString(Text(9141))}));
        // The question, then one message with the outcome.
        QCOMPARE(sink_.Shown.size(), std::size_t(2));
        QCOMPARE(sink_.Shown[0], Text(9005));
        const std::string expected =
            fault.isEmpty() ? Text(9010) + "\n\n" + Text(32104)
                            : Text(9010) + "\n\n" + Text(32103) + " 1/704\n" + Text(9137) + " 1";
        QCOMPARE(sink_.Shown[1], expected);
    }

    // Off on a fresh configuration; on and off again stay so in the next run.
    void theVerifySettingIsKeptForTheNextRun() {
        QVERIFY(!Entry("mnuVerifyAfterWrite")->isChecked());
        QVERIFY(!app_->Settings.VerifyAfterWrite);
        for (bool on : {true, false}) {
            Entry("mnuVerifyAfterWrite")->trigger();
            QCOMPARE(Entry("mnuVerifyAfterWrite")->isChecked(), on);
            OpenMainWindow();
            QCOMPARE(Entry("mnuVerifyAfterWrite")->isChecked(), on);
            QCOMPARE(app_->Settings.VerifyAfterWrite, on);
        }
        QVERIFY(sink_.Shown.empty());
    }
};

QTEST_MAIN(RestoreVerifyE2eTest)
#include "restore_verify_e2e_test.moc"
