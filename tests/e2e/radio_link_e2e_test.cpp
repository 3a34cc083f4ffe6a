// Velmar against the virtual radio on a pseudo-terminal: read and write with
// both kinds of cable, the radio password, the radio information, a radio
// fresh from the factory, a read written straight back, and a radio that
// vanishes in the middle of a read. The real main window, serial
// link, progress and password windows run; message boxes are answered by a
// script.
#include "e2e/vradio_process.h"

#include "link/image_conversion.h"
#include "link/memory_image_file.h"
#include "link/radio_backups.h"
#include "link/ui/com_port_map.h"
#include "link/ui/frm_pass_word.h"
#include "link/ui/radio_commands.h"
#include "model/data_file.h"
#include "model/doc_compare.h"
#include "settings/ui/frm_radio_info.h"
#include "shell/ui/frm_main.h"
#include "shell/ui/ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

#include <fstream>
#include <functional>
#include <iterator>
#include <tuple>

using namespace velmar;
using namespace velmar::test;

Q_DECLARE_METATYPE(velmar::LinkType)

namespace {

constexpr int RadioPort = 9;
constexpr int WaitMs = 60000; // generous: the machine may be busy

// The radio's memory file: the image, then the information block.
void WriteMemoryFile(const QString& path, const RadioImage& image, const RadioInfoBlock& info) {
    std::ofstream file(path.toStdString(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.bytes.data()), RadioImage::Size);
    file.write(reinterpret_cast<const char*>(info.bytes.data()), RadioInfoBlock::Size);
}

bool ReadMemoryFile(const QString& path, RadioImage& image) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    const std::vector<char> data((std::istreambuf_iterator<char>(file)),
                                 std::istreambuf_iterator<char>());
    if (data.size() < RadioImage::Size)
        return false;
    std::copy_n(data.begin(), RadioImage::Size, image.bytes.begin());
    return true;
}

const ChannelInfo* FindChannel(const Document& doc, int chNo) {
    for (int i = 0; i < UsedChannelCount(doc.Doc.ChCount); ++i)
        if (doc.ChList[static_cast<std::size_t>(i)].ChNo == chNo)
            return &doc.ChList[static_cast<std::size_t>(i)];
    return nullptr;
}

// Presses OK in every password dialog that opens, after typing `typed`.
class PasswordTyper : public QObject {
public:
    PasswordTyper(QString typed) : typed_(std::move(typed)) {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<FrmPassWord*>(window);
                if (dialog && dialog->isVisible() && !answered_.contains(dialog)) {
                    answered_.append(dialog);
                    ++Dialogs;
                    dialog->Text1()->setText(typed_);
                    dialog->CommandOK()->click();
                }
            }
        });
        timer_.start();
    }
    int Dialogs = 0;

private:
    QString typed_;
    QTimer timer_;
    QList<QPointer<QWidget>> answered_;
};

} // namespace

class RadioLinkE2eTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> config_;
    std::unique_ptr<TestInstall> install_;
    AnsweringSink sink_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<FrmMain> main_;
    RadioCommands* commands_ = nullptr;
    std::unique_ptr<VRadio> radio_;

    QString MemoryFile() const { return config_->filePath("radio.bin"); }
    std::string Text(int id) const { return app_->Texts.GetText(id); }

    // Program > Read or Program > Write from the main window's menu, until
    // the exchange (and after a read the new document) is done.
    void Menu(const char* entry) {
        QSignalSpy ended(commands_, &RadioCommands::exchangeEnded);
        QSignalSpy shown(commands_, &RadioCommands::readDocumentShown);
        main_->findChild<QAction*>(entry)->trigger();
        QVERIFY(ended.size() == 1 || ended.wait(WaitMs));
        QCOMPARE(ended[0][1].toBool(), true);
        if (ended[0][0].value<LinkType>() == LinkType::Read)
            QVERIFY(shown.size() == 1 || shown.wait(WaitMs));
    }

    // The radio's memory as it saves it when stopped.
    QByteArray StopAndTakeMemory() {
        [&] { QVERIFY(radio_->Stop()); }();
        QFile file(MemoryFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The virtual radio on port COM9, its memory in MemoryFile().
    void StartRadio(QStringList options) {
        options << "--image" << MemoryFile();
        radio_ = std::make_unique<VRadio>(options);
        QVERIFY2(radio_->Ok(), "velmar-vradio did not start");
        QVERIFY(ComPortMap(DefaultComPortMapPath()).Set(RadioPort, radio_->Path().toStdString()));
        app_->Settings.comPort = RadioPort;
    }

    // Ctrl+R where the user's focus is in the main window.
    void PressReadKey() {
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : main_.get(), Qt::Key_R, Qt::ControlModifier);
    }

    // A radio memory that differs from a new document in a way the read shows.
    void MakeRadioMemory(const std::string& channel1Frequency) {
        Document radioDoc = app_->Doc;
        ChannelInfo* first = const_cast<ChannelInfo*>(FindChannel(radioDoc, 1));
        QVERIFY(first);
        first->RxFre = MakeFixStr<8>(channel1Frequency);
        RadioImage image;
        ClearChannelArea(image);
        QVERIFY(BuildImage(radioDoc, image).Ok());
        RadioInfoBlock info;
        info.bytes.fill(0xFF);
        WriteMemoryFile(MemoryFile(), image, info);
    }

private slots:
    void init() {
        config_ = std::make_unique<QTemporaryDir>();
        // The port map and the backups of reads go to the test's own folders.
        qputenv("XDG_CONFIG_HOME", config_->filePath("config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", config_->filePath("data").toLocal8Bit());
        install_ = std::make_unique<TestInstall>();
        sink_ = AnsweringSink();
        app_ = MakeContext(*install_, sink_);
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
        install_.reset();
        config_.reset();
    }

    void readFillsTheDocumentWithTheRadiosMemory_data() {
        QTest::addColumn<bool>("cableEchoes");
        QTest::newRow("two-wire cable") << false;
        QTest::newRow("one-wire cable, echo") << true;
    }
    void readFillsTheDocumentWithTheRadiosMemory() {
        QFETCH(bool, cableEchoes);
        MakeRadioMemory("02761125");
        StartRadio(cableEchoes ? QStringList{"--echo"} : QStringList{});
        QSignalSpy shown(commands_, &RadioCommands::readDocumentShown);

        commands_->ReadFromRadio();
        QVERIFY(shown.size() == 1 || shown.wait(WaitMs));

        QCOMPARE(sink_.Count(Text(9004)), 1);
        QCOMPARE(sink_.Count(Text(9009)), 1);
        const ChannelInfo* first = FindChannel(app_->Doc, 1);
        QVERIFY(first);
        QCOMPARE(TrimFixStr(first->RxFre), std::string("02761125"));
        QCOMPARE(app_->Doc.DocFileName, std::string("new.dat"));
        QVERIFY(app_->Doc.IsNewDocument);
        QVERIFY(IsDocChanged(app_->Doc)); // read, not saved
        QCOMPARE(commands_->Link().NoEcho, !cableEchoes);
        QVERIFY(app_->FindForm("frmCommChInfo"));
        QVERIFY(!commands_->Port().IsOpen());

        RadioImage radioMemory;
        QVERIFY(ReadMemoryFile(MemoryFile(), radioMemory));
        QVERIFY(commands_->Image().bytes == radioMemory.bytes);
    }

    // Ctrl+R in the main window, as a user reads: the memory as read is kept
    // as a backup, named by the radio's model.
    void aReadFromTheMainWindowKeepsABackup() {
        MakeRadioMemory("02761125");
        StartRadio({});
        QSignalSpy shown(commands_, &RadioCommands::readDocumentShown);
        PressReadKey();
        QVERIFY(shown.size() == 1 || shown.wait(WaitMs));

        const QDir backups(config_->filePath("data/velmar/backups"));
        const QStringList files = backups.entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        QVERIFY(files[0].startsWith("KAVRO-") && files[0].endsWith(".img"));
        const MemoryImageRead backup =
            ReadMemoryImageFile(backups.filePath(files[0]).toStdString());
        QVERIFY(backup.Ok());
        RadioImage radioMemory;
        QVERIFY(ReadMemoryFile(MemoryFile(), radioMemory));
        QVERIFY(backup.Memory.Image.bytes == radioMemory.bytes);
        QCOMPARE(sink_.Count(Text(9009)), 1);
        QCOMPARE(sink_.Shown.size(), std::size_t(2)); // the question and the end
    }

    // A backup that cannot be written is a warning; the read goes on.
    void aBackupThatCannotBeWrittenOnlyWarns() {
        MakeRadioMemory("02761125");
        StartRadio({});
        QFile blocker(config_->filePath("data"));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder would be
        blocker.close();
        QSignalSpy shown(commands_, &RadioCommands::readDocumentShown);
        PressReadKey();
        QVERIFY(shown.size() == 1 || shown.wait(WaitMs));

        QCOMPARE(TrimFixStr(FindChannel(app_->Doc, 1)->RxFre), std::string("02761125"));
        const auto warning =
            std::find_if(sink_.Shown.begin(), sink_.Shown.end(), [&](const std::string& text) {
                return text.starts_with(Text(kTextBackupFailed));
            });
        QVERIFY(warning != sink_.Shown.end());
        QVERIFY(QString::fromStdString(*warning).endsWith("data/velmar/backups"));
    }

    void writePutsTheDocumentIntoTheRadio_data() {
        QTest::addColumn<bool>("cableEchoes");
        QTest::newRow("two-wire cable") << false;
        QTest::newRow("one-wire cable, echo") << true;
    }
    void writePutsTheDocumentIntoTheRadio() {
        QFETCH(bool, cableEchoes);
        MakeRadioMemory("02600000");
        StartRadio(cableEchoes ? QStringList{"--echo"} : QStringList{});
        auto* first = const_cast<ChannelInfo*>(FindChannel(app_->Doc, 1));
        QVERIFY(first);
        first->RxFre = MakeFixStr<8>("02898500");
        QSignalSpy ended(commands_, &RadioCommands::exchangeEnded);

        commands_->WriteToRadio();
        QVERIFY(ended.wait(WaitMs));
        QCOMPARE(ended[0][1].toBool(), true);
        QCOMPARE(sink_.Count(Text(9005)), 1);
        QCOMPARE(sink_.Count(Text(9010)), 1);

        QVERIFY(radio_->Stop()); // the radio saves its memory
        RadioImage radioMemory;
        QVERIFY(ReadMemoryFile(MemoryFile(), radioMemory));
        QVERIFY(radioMemory.bytes == commands_->Image().bytes);
        Document fromRadio;
        ParseImage(radioMemory, fromRadio);
        const ChannelInfo* written = FindChannel(fromRadio, 1);
        QVERIFY(written);
        QCOMPARE(TrimFixStr(written->RxFre), std::string("02898500"));
    }

    void declinedReadLeavesEverythingAlone() {
        MakeRadioMemory("02761125");
        StartRadio({});
        const Document before = app_->Doc;
        sink_.Answer = [this](const std::string& text) {
            return text == Text(9004) ? MsgAnswer::Cancel : MsgAnswer::Ok;
        };
        commands_->ReadFromRadio();
        QVERIFY(!commands_->Busy());
        QTest::qWait(RadioCommands::ReadOKMs + 100);
        QCOMPARE(TrimFixStr(FindChannel(app_->Doc, 1)->RxFre),
                 TrimFixStr(FindChannel(before, 1)->RxFre));
        QCOMPARE(sink_.Shown.size(), std::size_t(1));
    }

    // A wrong password ends the read with "PassWord Failure!" and leaves the
    // document alone; the right one reads, and is kept for the next read.
    void theRadioPasswordGuardsTheRadio() {
        MakeRadioMemory("02761125");
        StartRadio({"--password", "1234"});
        const std::string before = TrimFixStr(FindChannel(app_->Doc, 1)->RxFre);
        {
            PasswordTyper typer("9999");
            QSignalSpy ended(commands_, &RadioCommands::exchangeEnded);
            commands_->ReadFromRadio();
            QVERIFY(ended.size() == 1 || ended.wait(WaitMs));
            QCOMPARE(ended[0][1].toBool(), false);
            QCOMPARE(typer.Dialogs, 1);
            QCOMPARE(sink_.Count("PassWord Failure!"), 1);
            QCOMPARE(sink_.Count(Text(9009)), 0);
            QTest::qWait(RadioCommands::ReadOKMs + 100);
            QCOMPARE(TrimFixStr(FindChannel(app_->Doc, 1)->RxFre), before);
        }
        {
            PasswordTyper typer("1234");
            QSignalSpy shown(commands_, &RadioCommands::readDocumentShown);
            commands_->ReadFromRadio();
            QVERIFY(shown.size() == 1 || shown.wait(WaitMs));
            QCOMPARE(typer.Dialogs, 1);
            QCOMPARE(TrimFixStr(FindChannel(app_->Doc, 1)->RxFre), std::string("02761125"));
        }
        {
            PasswordTyper typer("0000");
            QSignalSpy ended(commands_, &RadioCommands::exchangeEnded);
            commands_->WriteToRadio();
            QVERIFY(ended.wait(WaitMs));
            QCOMPARE(ended[0][1].toBool(), true);
            QCOMPARE(typer.Dialogs, 0);
        }
    }

    void radioInformationOpensTheWindow() {
        MakeRadioMemory("02761125");
        StartRadio({});
        QSignalSpy ended(commands_, &RadioCommands::exchangeEnded);
        commands_->ReadRMGDataFromRadio();
        QVERIFY(ended.wait(WaitMs));
        QCOMPARE(ended[0][0].value<LinkType>(), LinkType::RadioInfo);
        QCOMPARE(ended[0][1].toBool(), true);
        QVERIFY(app_->FindForm(FrmRadioInfo::FormName));
        QVERIFY(sink_.Shown.empty());
    }

    // The radio dies in the middle of a read: the failure prompt comes, a
    // retry fails the same way, Cancel ends the read; the document is as it was.
    void aRadioThatVanishesEndsTheReadWithTheFailurePrompt() {
        MakeRadioMemory("02761125");
        StartRadio({"--pace"});
        const std::string before = TrimFixStr(FindChannel(app_->Doc, 1)->RxFre);
        int prompts = 0;
        sink_.Answer = [&](const std::string& text) {
            if (text != Text(9008))
                return MsgAnswer::Ok;
            return ++prompts == 1 ? MsgAnswer::Ok : MsgAnswer::Cancel;
        };
        bool killed = false;
        connect(&commands_->Port(), &SerialLink::progressChanged, this, [&](int percent) {
            if (percent >= 2 && !killed) {
                killed = true;
                radio_->Kill();
            }
        });
        QSignalSpy ended(commands_, &RadioCommands::exchangeEnded);

        commands_->ReadFromRadio();
        QVERIFY(ended.size() == 1 || ended.wait(WaitMs));
        QVERIFY(killed);
        QCOMPARE(ended[0][1].toBool(), false);
        QCOMPARE(prompts, 2);
        QCOMPARE(sink_.Count(Text(9009)), 0);
        QVERIFY(!commands_->Port().IsOpen());
        QVERIFY(!commands_->Busy());
        QTest::qWait(RadioCommands::ReadOKMs + 100);
        QCOMPARE(TrimFixStr(FindChannel(app_->Doc, 1)->RxFre), before);
    }

    // A radio fresh from the factory (no memory file yet, or none at all)
    // reads as an empty document of its model and band.
    void aBlankRadioReadsAsADocumentOfItsModel_data() {
        QTest::addColumn<bool>("withFile");
        QTest::newRow("memory file not made yet") << true;
        QTest::newRow("no memory file") << false;
    }
    void aBlankRadioReadsAsADocumentOfItsModel() {
        QFETCH(bool, withFile);
        if (withFile) {
            StartRadio({});
        } else {
            radio_ = std::make_unique<VRadio>(QStringList{});
            QVERIFY2(radio_->Ok(), "velmar-vradio did not start");
            QVERIFY(
                ComPortMap(DefaultComPortMapPath()).Set(RadioPort, radio_->Path().toStdString()));
            app_->Settings.comPort = RadioPort;
        }
        Menu("mnuReadFromRadio");
        QCOMPARE(sink_.Count(Text(9012)), 0); // the model matched
        QCOMPARE(app_->Doc.ModelName, std::string("KAVRO"));
        QCOMPARE(app_->Doc.BandText, std::string("25.615 - 30.105 MHz"));
        QCOMPARE(app_->Doc.Doc.ChCount, std::int16_t{9}); // the VFO and the memory channels
        for (int i = 0; i < 9; ++i)
            QCOMPARE(TrimFixStr(app_->Doc.ChList[i].RxFre), std::string("FFFFFFFF"));
        QVERIFY(app_->FindForm("frmCommChInfo"));
    }

    // A radio written once, read, and written straight back: its memory
    // keeps every byte.
    void readAndUnchangedWriteKeepTheRadiosMemory_data() {
        QTest::addColumn<bool>("everyChannel");
        QTest::newRow("every channel used") << true;
        QTest::newRow("VFO and memory channels empty") << false;
    }
    void readAndUnchangedWriteKeepTheRadiosMemory() {
        QFETCH(bool, everyChannel);
        StartRadio({}); // fresh from the factory
        Document& doc = app_->Doc;
        doc.Doc.ChCount = 0;
        for (int n = 1; n <= 529; ++n) {
            const bool inGroups = n <= 520;
            // Without every channel: a few in the groups, the VFO and four
            // memory channels without frequency, the other four left out.
            if (!everyChannel && ((inGroups && n % 37 != 1) || n > 525))
                continue;
            ChannelInfo ch = NewChannelInfo(n);
            const std::string frequency =
                "0" + std::to_string(25615 + 5 * (n % 800)) + (n % 3 == 0 ? "125" : "00");
            ch.RxFre = MakeFixStr<8>(everyChannel || inGroups ? frequency : "FFFFFFFF");
            ch.RxTone = static_cast<std::int16_t>(n % 265);
            ch.TxTone = static_cast<std::int16_t>((n * 7) % 265);
            ch.ScanSkip = static_cast<std::int16_t>(n % 2);
            ch.FmPower = static_cast<std::int16_t>(n % 3);
            doc.ChList[doc.Doc.ChCount++] = ch;
        }
        doc.Doc.EmbMsg[0] = MakeFixStr<16>("ROUND TRIP");
        Menu("mnuWriteToRadio");
        const QByteArray written = StopAndTakeMemory();
        QCOMPARE(written.size(), qsizetype(RadioImage::Size + RadioInfoBlock::Size));

        StartRadio({});
        Menu("mnuReadFromRadio");
        Menu("mnuWriteToRadio");
        const QByteArray again = StopAndTakeMemory();

        QCOMPARE(again.size(), written.size());
        for (qsizetype a = 0; a < written.size(); ++a) {
            if (again[a] != written[a])
                QFAIL(qPrintable(QString("the radio's byte at 0x%1 changed from 0x%2 to 0x%3")
                                     .arg(a, 4, 16, QChar('0'))
                                     .arg(quint8(written[a]), 2, 16, QChar('0'))
                                     .arg(quint8(again[a]), 2, 16, QChar('0'))));
        }
        QCOMPARE(sink_.Count(Text(9010)), 2);
    }

    // A read replaces the document as one step: Ctrl+Z gives back the
    // document before it, unsaved changes included, byte for byte, in the
    // open windows too; Ctrl+Y the document read.
    void aReadIsUndoneToTheDocumentBefore() {
        MakeRadioMemory("02761125");
        StartRadio({});
        main_->findChild<QAction*>("mnuEmbeddedMsg")->trigger();
        auto* line = app_->FindForm("FrmEmbMsg")->findChild<QLineEdit*>("Text1_0");
        QTest::mouseClick(line, Qt::LeftButton);
        line->selectAll();
        QTest::keyClicks(line, "NOT SAVED");
        const auto seen = [this] {
            const Document& doc = app_->Doc;
            DataFileBytes working = EncodeDataFiles(doc.Doc, doc.ChList);
            DataFileBytes saved = EncodeDataFiles(doc.SavedDoc, doc.SavedChList);
            return std::tuple{working.Data,    working.Channels,  saved.Data,
                              saved.Channels,  doc.ModelName,     doc.BandText,
                              doc.DocFileName, doc.IsNewDocument, doc.RadioInfo};
        };
        const auto before = seen();

        Menu("mnuReadFromRadio");
        const auto read = seen();
        QVERIFY(read != before);
        QCOMPARE(TrimFixStr(FindChannel(app_->Doc, 1)->RxFre), std::string("02761125"));
        auto* undo = main_->findChild<QAction*>("mnuUndo");
        QCOMPARE(undo->text(), QString("&Undo read from the radio"));

        const auto press = [this](Qt::Key key) {
            main_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(main_.get()));
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus && focus->window() == main_.get() ? focus : main_.get(), key,
                            Qt::ControlModifier);
        };
        press(Qt::Key_Z);
        QVERIFY(seen() == before);
        QVERIFY(IsDocChanged(app_->Doc));
        QCOMPARE(TrimFixStr(app_->Doc.Doc.EmbMsg[0]), std::string("NOT SAVED"));
        // The channel grid the read opened shows the document before it.
        auto* table = app_->FindForm("frmCommChInfo")->findChild<QTableWidget*>("MSFlexGrid1");
        const int group = app_->Doc.Doc.OptFeatures.Word(OptWord::CurGroup);
        for (int row = 1; row <= table->rowCount(); ++row) {
            const ChannelInfo* ch = FindChannel(app_->Doc, GroupStartNo(group) + row);
            const QTableWidgetItem* cell = table->item(row - 1, 1);
            QCOMPARE(cell ? cell->text() : QString(),
                     ch ? QString::number(std::stod(TrimFixStr(ch->RxFre)) / 100000.0, 'f', 5)
                        : QString());
        }
        press(Qt::Key_Y);
        QVERIFY(seen() == read);
        QCOMPARE(undo->text(), QString("&Undo read from the radio"));
    }

    void aPortThatDoesNotExistIsReported() {
        QVERIFY(ComPortMap(DefaultComPortMapPath())
                    .Set(RadioPort, config_->filePath("ttyNone").toStdString()));
        app_->Settings.comPort = RadioPort;
        commands_->ReadFromRadio();
        QCOMPARE(sink_.Shown.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(sink_.Shown[0]).startsWith(app_->Text(9003)));
        QVERIFY(!commands_->Busy());
    }
};

QTEST_MAIN(RadioLinkE2eTest)
#include "radio_link_e2e_test.moc"
