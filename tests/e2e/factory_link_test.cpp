// VelmarSetFactory's window against the virtual radio on a pseudo-terminal:
// reading and writing the factory information with both kinds of cable, the
// serial number advancing from radio to radio, a reply that fails its
// checksum, and Velmar's radio-information read showing what the tool wrote.
// The virtual radio answers the factory tool's keyword without being told;
// --factory changes it. Message boxes are answered by a script.
#include "e2e/vradio_process.h"

#include "factory/factory_image.h"
#include "factory/factory_sim.h"
#include "factory/ui/frm_main.h"
#include "link/ui/com_port_map.h"
#include "link/ui/radio_commands.h"
#include "link/ui/serial_ports.h"
#include "settings/ui/frm_radio_info.h"
#include "shell/ui/frm_main.h"
#include "shell/ui/ui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace velmar;

namespace {

constexpr int RadioPort = 9;
constexpr int WaitMs = 30000; // generous: the machine may be busy
const TodayDate Today{2026, 3, 5, "3/5/26"};

// The radio's memory file: the image (0x0000 … 0x2BFF), then the information
// block (0x3000 … 0x30FF).
void WriteMemoryFile(const QString& path, const RadioSim& radio) {
    std::ofstream file(path.toStdString(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(radio.Memory.bytes.data()), RadioImage::Size);
    file.write(reinterpret_cast<const char*>(radio.InfoBlock.bytes.data()), RadioInfoBlock::Size);
}

std::string ReadMemoryFile(const QString& path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// `width` bytes of the radio at `address`, as the memory file holds them.
std::string RadioBytes(const std::string& memory, int address, std::size_t width) {
    const std::size_t offset = address >= 0x3000 ? RadioImage::Size + (address - 0x3000)
                                                 : static_cast<std::size_t>(address);
    if (memory.size() != RadioImage::Size + RadioInfoBlock::Size)
        return {};
    return memory.substr(offset, width);
}

// A text padded with 0x00 to its field's width.
std::string Padded(std::string text, std::size_t width) {
    text.resize(width, '\0');
    return text;
}

} // namespace

class FactoryLinkTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ComPortMap> ports_;
    std::unique_ptr<VRadio> radio_;
    test::AnsweringSink sink_;
    std::unique_ptr<factory::FrmMain> tool_;

    QString MemoryFile() const { return dir_->filePath("radio.bin"); }
    std::string ProgramFolder() const { return dir_->filePath("bin").toStdString(); }

    // The radio of a factory, on COM9, with its memory in MemoryFile(). It
    // answers the factory tool's own keyword unless told another.
    void StartRadio(QStringList options) {
        options << "--image" << MemoryFile();
        radio_ = std::make_unique<VRadio>(options);
        QVERIFY2(radio_->Ok(), "velmar-vradio did not start");
        QVERIFY(ports_->Set(RadioPort, radio_->Path().toStdString()));
    }

    // A radio whose blocks hold `info`.
    void MakeRadioMemory(const FactoryInfo& info) {
        FactoryImage image;
        FactoryDataToImage(info, image);
        RadioSim radio;
        radio.Memory.bytes.fill(0xFF);
        radio.InfoBlock.bytes.fill(0xFF);
        LoadFactoryImage(radio, image);
        WriteMemoryFile(MemoryFile(), radio);
    }

    void OpenTool(FactoryLanguage language = FactoryLanguage::English) {
        factory::FactoryToolContext context;
        context.Locations = {ProgramFolder(), dir_->path().toStdString(), ""};
        context.Language = language;
        context.CodePage =
            language == FactoryLanguage::Chinese ? AnsiCodePage::Gbk : AnsiCodePage::Windows1252;
        context.Messages = &sink_;
        context.Ports = ports_.get();
        context.ListPorts = [this] { return PresentPortNumbers(*ports_); };
        context.Today = [] { return Today; };
        tool_ = std::make_unique<factory::FrmMain>(context);
        tool_->show();
        QCOMPARE(tool_->comPort(), RadioPort);
    }

    QLineEdit* Text1(int i) const {
        return tool_->findChild<QLineEdit*>(QString("Text1_%1").arg(i));
    }
    QPlainTextEdit* Description() const { return tool_->findChild<QPlainTextEdit*>("Text1_4"); }

    // Presses a button of the tool and waits for the message that ends the
    // operation.
    void Run(const char* button, std::size_t messages = 1) {
        sink_.Shown.clear();
        tool_->findChild<QPushButton*>(button)->click();
        QTRY_VERIFY_WITH_TIMEOUT(sink_.Shown.size() >= messages, WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!tool_->Busy(), WaitMs);
    }

    // The radio's memory once it holds `serial` at the serial number's place
    // (the radio saves its file after a write).
    std::string MemoryWithSerial(const std::string& serial) {
        std::string memory;
        QDeadlineTimer deadline(WaitMs);
        while (!deadline.hasExpired()) {
            memory = ReadMemoryFile(MemoryFile());
            if (RadioBytes(memory, 0x3040, 16) == Padded(serial, 16))
                break;
            QTest::qWait(20);
        }
        return memory;
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        // The port map and any settings go to the test's own folders.
        qputenv("XDG_CONFIG_HOME", dir_->filePath("config").toLocal8Bit());
        std::filesystem::create_directories(ProgramFolder());
        std::ofstream(ProgramFolder() + "/mysetup.ini")
            << "[language]\ncomPort=" << RadioPort << "\nFactoryHandshake=FACTORY\n";
        ports_ = std::make_unique<ComPortMap>(DefaultComPortMapPath());
        sink_ = test::AnsweringSink();
    }
    void cleanup() {
        tool_.reset();
        radio_.reset(); // stops the child process, or kills it
        ports_.reset();
        dir_.reset();
    }

    void readShowsTheRadiosFactoryInformation_data();
    void readShowsTheRadiosFactoryInformation();
    void writeStoresEveryFieldAtItsAddress_data();
    void writeStoresEveryFieldAtItsAddress();
    void threeRadiosGetConsecutiveSerialNumbers();
    void serialNumberAtItsLimitIsNotAdvanced();
    void aReplyWithAWrongChecksumEndsTheRead();
    void velmarShowsEveryFieldTheToolWrote();
    void aRadioFreshFromTheFactoryAnswersTheTool();
    void anotherKeywordOpensOnlyThatFactoryMode();
    void aFailedReadLeavesWhatTheUserTyped();
    void theChosenPortOutlastsARadioRestart();
};

void FactoryLinkTest::readShowsTheRadiosFactoryInformation_data() {
    QTest::addColumn<bool>("cableEchoes");
    QTest::newRow("two-wire cable") << false;
    QTest::newRow("echoing cable") << true;
}

void FactoryLinkTest::readShowsTheRadiosFactoryInformation() {
    QFETCH(bool, cableEchoes);
    FactoryInfo radio;
    radio.FactoryMode = false;
    radio.AreaCode = "0044";
    radio.SerialNumber = "2025120100000042";
    radio.ProducedDate = "12/1/25";
    radio.MaintainedDescription = "Keypad\r\nreplaced";
    radio.ManufactureCode = "12-1-E-1";
    radio.UserCode = "007B";
    radio.DealerCode = "North Radio";
    radio.Seller = "J. Doe";
    radio.ProgramPassword = "4321";
    MakeRadioMemory(radio);
    StartRadio(cableEchoes ? QStringList{"--echo"} : QStringList{});
    OpenTool();

    Run("Command1");
    QCOMPARE(sink_.Shown, std::vector<std::string>{"Read Complete!"});
    QCOMPARE(Text1(0)->text(), QString("0044"));
    QCOMPARE(Text1(1)->text(), QString("2025120100000042"));
    QCOMPARE(Text1(2)->text(), QString("12/1/25"));
    QCOMPARE(Text1(3)->text(), QString());
    QCOMPARE(Description()->toPlainText(), QString("Keypad\nreplaced"));
    QCOMPARE(Text1(6)->text(), QString("12-1-E-1"));
    QCOMPARE(Text1(7)->text(), QString("007B"));
    QCOMPARE(Text1(8)->text(), QString("North Radio"));
    QCOMPARE(Text1(11)->text(), QString("J. Doe"));
    QCOMPARE(Text1(12)->text(), QString("4321"));
    QVERIFY(!tool_->findChild<QCheckBox*>("Check5")->isChecked());
    QCOMPARE(tool_->findChild<QComboBox*>("Combo1_0")->currentText(), QString("KAVRO"));
    QCOMPARE(tool_->findChild<QComboBox*>("Combo1_1")->currentText(),
             QString("25.615 - 30.105 MHz"));
    QVERIFY(tool_->findChild<QPushButton*>("Command2")->isEnabled());
}

void FactoryLinkTest::writeStoresEveryFieldAtItsAddress_data() {
    QTest::addColumn<bool>("cableEchoes");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("seller");
    QTest::addColumn<QByteArray>("sellerBytes");
    QTest::newRow("two-wire cable") << false << 1 << "Ann Smith" << QByteArray("Ann Smith");
    QTest::newRow("echoing cable") << true << 1 << "Zoë" << QByteArray("Zo\xEB");
    QTest::newRow("Chinese system")
        << false << 2 << "王小明" << QByteArray("\xCD\xF5\xD0\xA1\xC3\xF7");
}

void FactoryLinkTest::writeStoresEveryFieldAtItsAddress() {
    QFETCH(bool, cableEchoes);
    QFETCH(int, language);
    QFETCH(QString, seller);
    QFETCH(QByteArray, sellerBytes);
    FactoryInfo blank;
    blank.SerialNumber = "1";
    MakeRadioMemory(blank);
    const std::string modelBlockBefore = RadioBytes(ReadMemoryFile(MemoryFile()), 0x29E0, 16);
    StartRadio(cableEchoes ? QStringList{"--echo"} : QStringList{});
    OpenTool(static_cast<FactoryLanguage>(language));

    Text1(0)->setText("0086");
    Text1(1)->setText("2026030500000007");
    Text1(3)->setText("2026-04-01");
    Description()->setPlainText("Antenna jack\nreplaced");
    Text1(8)->clear();
    QTest::keyClicks(Text1(8), "DLR-17");
    Text1(9)->setText("2026-05-01");
    Text1(10)->setText("2026-05-02");
    Text1(11)->setText(seller);
    Text1(12)->setText("1234");
    Run("Command2");
    QCOMPARE(sink_.Shown.size(), std::size_t{1});
    QCOMPARE(sink_.Shown[0], std::string(language == 1 ? "Write Complete!" : "写入完成！"));
    // The next radio gets the next number.
    QCOMPARE(Text1(1)->text(), QString("2026030500000008"));

    const std::string memory = MemoryWithSerial("2026030500000007");
    struct Field {
        int Address;
        std::size_t Width;
        std::string Text;
    };
    const Field fields[] = {
        {0x3011, 4, "0086"},
        {0x3020, 8, "03-1-E-1"},
        {0x3030, 4, "001A"},
        {0x303C, 4, "1234"},
        {0x3040, 16, "2026030500000007"},
        {0x3050, 16, "3/5/26"},
        {0x3060, 16, "2026-04-01"},
        {0x3070, 80, "Antenna jack\r\nreplaced"},
        {0x30C0, 16, "DLR-17"},
        {0x30D0, 16, "2026-05-01"},
        {0x30E0, 16, "2026-05-02"},
        {0x30F0, 16, sellerBytes.toStdString()},
    };
    QCOMPARE(RadioBytes(memory, 0x3010, 1), std::string("\x01", 1));
    for (const Field& field : fields)
        QCOMPARE(QByteArray::fromStdString(RadioBytes(memory, field.Address, field.Width)),
                 QByteArray::fromStdString(Padded(field.Text, field.Width)));
    // The model block is read, never written.
    QCOMPARE(RadioBytes(memory, 0x29E0, 16), modelBlockBefore);
}

void FactoryLinkTest::threeRadiosGetConsecutiveSerialNumbers() {
    MakeRadioMemory(FactoryInfo{});
    StartRadio({});
    OpenTool();
    for (const char* serial : {"2026030500000001", "2026030500000002", "2026030500000003"}) {
        Run("Command2");
        QCOMPARE(sink_.Shown, std::vector<std::string>{"Write Complete!"});
        QCOMPARE(RadioBytes(MemoryWithSerial(serial), 0x3040, 16), Padded(serial, 16));
    }
    QCOMPARE(Text1(1)->text(), QString("2026030500000004"));
}

// Refused with a message; the radio got the number, the window keeps it.
void FactoryLinkTest::serialNumberAtItsLimitIsNotAdvanced() {
    MakeRadioMemory(FactoryInfo{});
    StartRadio({});
    OpenTool();
    Text1(1)->setText("2026030599999999");
    Run("Command2", 2);
    QCOMPARE(sink_.Shown.size(), std::size_t{2});
    QCOMPARE(sink_.Shown[0], std::string("Write Complete!"));
    QVERIFY(sink_.Shown[1].find("99999999") != std::string::npos);
    QCOMPARE(RadioBytes(MemoryWithSerial("2026030599999999"), 0x3040, 16),
             Padded("2026030599999999", 16));
    QCOMPARE(Text1(1)->text(), QString("2026030599999999"));
}

void FactoryLinkTest::aReplyWithAWrongChecksumEndsTheRead() {
    FactoryInfo radio;
    radio.DealerCode = "From the radio";
    MakeRadioMemory(radio);
    StartRadio({"--fault", "checksum:read@0x30C0"});
    OpenTool();
    Run("Command1");
    QCOMPARE(sink_.Shown, std::vector<std::string>{"Communication Error!"});
    // The window shows what it showed before.
    QCOMPARE(Text1(8)->text(), QString());
    QCOMPARE(Text1(1)->text(), QString("2026030500000001"));
    // The port is free again: the next read goes through.
    Run("Command1");
    QCOMPARE(sink_.Shown, std::vector<std::string>{"Read Complete!"});
    QCOMPARE(Text1(8)->text(), QString("From the radio"));
}

// A read that times out leaves the boxes as the user typed them; only a read
// that succeeds shows the radio's values.
void FactoryLinkTest::aFailedReadLeavesWhatTheUserTyped() {
    FactoryInfo radio;
    radio.DealerCode = "From the radio";
    MakeRadioMemory(radio);
    StartRadio({"--fault", "drop:read@0x3020"});
    OpenTool();
    QVERIFY(QTest::qWaitForWindowExposed(tool_.get()));
    QTest::mouseClick(Text1(8), Qt::LeftButton);
    QTest::keyClicks(Text1(8), "Typed by hand");
    QTest::mouseClick(Text1(1), Qt::LeftButton);
    QTest::keyClick(Text1(1), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Text1(1), "2026030500000077");
    QTest::mouseClick(Description(), Qt::LeftButton);
    QTest::keyClicks(Description(), "Antenna");
    Run("Command1");
    QCOMPARE(sink_.Shown, std::vector<std::string>{"Communication Error!"});
    QCOMPARE(Text1(8)->text(), QString("Typed by hand"));
    QCOMPARE(Text1(1)->text(), QString("2026030500000077"));
    QCOMPARE(Description()->toPlainText(), QString("Antenna"));

    Run("Command1");
    QCOMPARE(sink_.Shown, std::vector<std::string>{"Read Complete!"});
    QCOMPARE(Text1(8)->text(), QString("From the radio"));
    QCOMPARE(Text1(1)->text(), QString::fromStdString(radio.SerialNumber));
}

// The radio restarts, so its port is gone for a moment while another port
// stays: the port list keeps the chosen port, marked absent meanwhile, and
// the next read goes to it.
void FactoryLinkTest::theChosenPortOutlastsARadioRestart() {
    FactoryInfo radio;
    radio.DealerCode = "Restarted";
    MakeRadioMemory(radio);
    const QString otherPort = dir_->filePath("other-port");
    QVERIFY(QFile(otherPort).open(QIODevice::WriteOnly));
    QVERIFY(ports_->Set(2, otherPort.toStdString()));
    const QString stableName = dir_->filePath("radio-link");
    StartRadio({"--link", stableName});
    QVERIFY(ports_->Set(RadioPort, stableName.toStdString()));
    OpenTool();
    auto* list = tool_->findChild<QComboBox*>("Combo2");
    QCOMPARE(list->currentText(), QString("COM9"));

    QVERIFY(radio_->Stop());
    QTRY_COMPARE_WITH_TIMEOUT(list->currentText(), QString("COM9 (absent)"), WaitMs);
    QCOMPARE(tool_->comPort(), RadioPort);
    QVERIFY(list->findText("COM2") >= 0);

    StartRadio({"--link", stableName});
    QVERIFY(ports_->Set(RadioPort, stableName.toStdString()));
    QTRY_COMPARE_WITH_TIMEOUT(list->currentText(), QString("COM9"), WaitMs);
    QCOMPARE(list->findText("COM9 (absent)"), -1);
    Run("Command1");
    QCOMPARE(sink_.Shown, std::vector<std::string>{"Read Complete!"});
    QCOMPARE(Text1(8)->text(), QString("Restarted"));
}

// The tool writes a radio as a user fills in its window; the editor's
// Edit > Radio information then reads the block and shows every field the
// tool wrote, where the tool's window had it.
void FactoryLinkTest::velmarShowsEveryFieldTheToolWrote() {
    StartRadio({}); // fresh from the factory: no memory file yet
    OpenTool();
    const QString typed[] = {
        "0086",
        "2026030500000007",
        "2026-03-05",
        "2026-04-01",
        {} /* the description */,
        {} /* firmware */,
        "03-2-E-9",
        "007B",
        "DLR-17",
        "2026-05-01",
        "2026-05-02",
        "Ann Smith",
    };
    for (int i = 0; i < 12; ++i) {
        if (typed[i].isEmpty())
            continue;
        QWidget* box = Text1(i);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, typed[i]);
        QCOMPARE(Text1(i)->text(), typed[i]);
    }
    Description()->setFocus();
    QTest::keyClicks(Description(), "Antenna jack");
    QTest::keyClick(Description(), Qt::Key_Return);
    QTest::keyClicks(Description(), "replaced");
    Run("Command2");
    QCOMPARE(sink_.Shown, std::vector<std::string>{"Write Complete!"});
    QCOMPARE(RadioBytes(MemoryWithSerial("2026030500000007"), 0x3040, 16),
             Padded("2026030500000007", 16));
    tool_->close();
    tool_.reset();

    test::TestInstall install;
    test::ScriptedSink velmarSink;
    auto app = test::MakeContext(install, velmarSink);
    app->InitNewDocument();
    app->Settings.comPort = RadioPort;
    {
        FrmMain mainWindow(*app);
        mainWindow.show();
        RadioCommands& commands = RadioCommands::Of(*app, &mainWindow);
        QSignalSpy ended(&commands, &RadioCommands::exchangeEnded);
        mainWindow.findChild<QAction*>("MnuLocalInfo")->trigger();
        QVERIFY(ended.size() == 1 || ended.wait(WaitMs));
        QCOMPARE(ended[0][1].toBool(), true);
        QVERIFY(velmarSink.Shown.empty());

        auto* info = qobject_cast<FrmRadioInfo*>(app->FindForm(FrmRadioInfo::FormName));
        QVERIFY(info);
        QCOMPARE(info->BoxText(0), QString("0086"));
        QCOMPARE(info->BoxText(1), QString("2026030500000007"));
        QCOMPARE(info->BoxText(2), QString("2026-03-05"));
        QCOMPARE(info->BoxText(3), QString("2026-04-01"));
        QCOMPARE(info->BoxText(4), QString("Antenna jack\nreplaced"));
        QCOMPARE(info->BoxText(6), QString("03-2-E-9"));
        QCOMPARE(info->BoxText(7), QString("007B"));
        QCOMPARE(info->BoxText(8), QString("DLR-17"));
        QCOMPARE(info->BoxText(9), QString("2026-05-01"));
        QCOMPARE(info->BoxText(10), QString("2026-05-02"));
        QCOMPARE(info->BoxText(11), QString("Ann Smith"));
        QCOMPARE(info->Combo1(0)->currentText(), QString("KAVRO"));
        QCOMPARE(info->Combo1(1)->currentText(), QString("25.615 - 30.105 MHz"));
    }
    test::FlushDeferredDeletes();
}

// A radio the virtual radio starts without a memory file holds its model,
// band and firmware, as a new radio does, and opens factory mode on the
// tool's default keyword.
void FactoryLinkTest::aRadioFreshFromTheFactoryAnswersTheTool() {
    radio_ = std::make_unique<VRadio>(QStringList{"--band", "5"});
    QVERIFY2(radio_->Ok(), "velmar-vradio did not start");
    QVERIFY(ports_->Set(RadioPort, radio_->Path().toStdString()));
    OpenTool();
    Run("Command1");
    QCOMPARE(sink_.Shown, std::vector<std::string>{"Read Complete!"});
    QCOMPARE(tool_->findChild<QComboBox*>("Combo1_0")->currentText(), QString("KAVRO"));
    QCOMPARE(tool_->findChild<QComboBox*>("Combo1_1")->currentText(),
             QString::fromStdString(FactoryBandText(5)));
    for (int i : {0, 1, 2, 3, 6, 7, 8, 12})
        QCOMPARE(Text1(i)->text(), QString()); // erased fields read as empty
}

// --factory changes the keyword the radio answers: the tool's default no
// longer opens it, the tool set to the radio's keyword does.
void FactoryLinkTest::anotherKeywordOpensOnlyThatFactoryMode() {
    FactoryInfo held;
    held.DealerCode = "North Radio";
    MakeRadioMemory(held);
    StartRadio({"--factory", "SERVICE"});
    OpenTool();
    Run("Command1");
    QCOMPARE(sink_.Shown, std::vector<std::string>{"Communication Error!"});
    tool_.reset();

    std::ofstream(ProgramFolder() + "/mysetup.ini")
        << "[language]\ncomPort=" << RadioPort << "\nFactoryHandshake=SERVICE\n";
    OpenTool();
    Run("Command1");
    QCOMPARE(sink_.Shown, std::vector<std::string>{"Read Complete!"});
    QCOMPARE(Text1(8)->text(), QString("North Radio"));
}

QTEST_MAIN(FactoryLinkTest)
#include "factory_link_test.moc"
