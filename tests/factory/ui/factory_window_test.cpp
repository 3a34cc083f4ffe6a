// The factory tool's window on the offscreen platform: texts by locale, the
// edit boxes' limits and key filter, the port list and its settings file,
// fields in and out, the band rules, and how the window looks.
#include "factory/ui/frm_main.h"
#include "link/ui/com_port_map.h"
#include "link/ui/port_list_view.h"
#include "shell/ini_file.h"
#include "shell/ui/ui_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace velmar;
using velmar::test::ScriptedSink;

namespace {

const TodayDate Today{2026, 3, 5, "3/5/26"};

void WriteFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A window over a throw-away program folder, with the ports a test chooses.
struct WindowUnderTest {
    QTemporaryDir dir;
    ScriptedSink sink;
    ComPortMap ports{(dir.path() + "/comports.ini").toStdString()};
    std::vector<int> present;
    std::unique_ptr<factory::FrmMain> window;

    explicit WindowUnderTest(FactoryLanguage language = FactoryLanguage::English,
                             const std::string& setupLine = "comPort=3",
                             std::vector<int> portsPresent = {1, 3}, FileLocations locations = {})
        : present(std::move(portsPresent)) {
        if (locations.ProgramFolder.empty()) {
            locations = {ProgramFolder(), dir.path().toStdString(), ""};
            if (!setupLine.empty())
                WriteFile(SetupPath(), "[language]\n" + setupLine + "\n");
        }
        factory::FactoryToolContext context;
        context.Locations = locations;
        context.Language = language;
        context.CodePage =
            language == FactoryLanguage::Chinese ? AnsiCodePage::Gbk : AnsiCodePage::Windows1252;
        context.Messages = &sink;
        context.Ports = &ports;
        context.ListPorts = [this] { return present; };
        context.Today = [] { return Today; };
        window = std::make_unique<factory::FrmMain>(context);
    }

    std::string ProgramFolder() const { return dir.path().toStdString() + "/bin"; }
    std::string SetupPath() const { return ProgramFolder() + "/mysetup.ini"; }
    std::string SavedPort() const { return ReadIniValue(SetupPath(), "language", "comPort"); }

    template <class T> T* Find(const QString& name) const {
        auto* found = window->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit* Text1(int i) const { return Find<QLineEdit>(QString("Text1_%1").arg(i)); }
    QPlainTextEdit* Description() const { return Find<QPlainTextEdit>("Text1_4"); }
    QComboBox* Combo2() const { return Find<QComboBox>("Combo2"); }
    QComboBox* Band() const { return Find<QComboBox>("Combo1_1"); }

    // One tick of ReShowComPortTimer.
    void Tick() const {
        auto* timer = window->findChild<QTimer*>("ReShowComPortTimer");
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
    }

    void Show() const {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
};

// Types `text` character by character, as a keyboard with an input method
// would (QTest::keyClicks takes Latin-1 only).
void Type(QWidget* box, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QStringList Entries(const QComboBox* combo) {
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

} // namespace

class FactoryWindowTest : public QObject {
    Q_OBJECT
private slots:
    void captionsFollowTheLanguage_data();
    void captionsFollowTheLanguage();
    void defaultsAreShownAtStart();
    void boxesAcceptAsManyBytesAsTheRadioHolds();
    void serialNumberTakesDigitsOnly_data();
    void serialNumberTakesDigitsOnly();
    void serialNumberBlocksPasteAndMovesOnWithEnter();
    void maintainedDateIsFilledWithTodayOnFocus();
    void portChoiceAtStart_data();
    void portChoiceAtStart();
    void portListFollowsThePortsPresent();
    void portListNamesTheDeviceOfThePorts();
    void choosingAPortIsSaved();
    void installedToolWritesOnlyTheUsersCopy();
    void fieldsGoToFactoryInfoAndBack();
    void chineseTextsAreStoredAsGbk();
    void charactersTheCodePageLacksAreRefused();
    void bandChange_data();
    void bandChange();
    void badHandshakeSettingIsReported();
    void readOrWriteWithoutAPortSaysSo();
    void windowShowsEveryCaptionWhole_data();
    void windowShowsEveryCaptionWhole();
};

void FactoryWindowTest::captionsFollowTheLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("areaCaption");
    QTest::addColumn<QString>("passwordCaption");
    QTest::addColumn<QString>("dealerFrame");
    QTest::addColumn<QString>("factoryBox");
    QTest::newRow("English") << 1 << "&Read"
                             << "Area Code"
                             << "Program PassWord"
                             << "Dealer Information"
                             << "Factory";
    QTest::newRow("Chinese") << 2 << "读出(&R)"
                             << "销售区号"
                             << "写频密码"
                             << "经销商信息"
                             << "工厂模式";
}

void FactoryWindowTest::captionsFollowTheLanguage() {
    QFETCH(int, language);
    WindowUnderTest w(static_cast<FactoryLanguage>(language));
    QCOMPARE(w.window->windowTitle(), QString("KAVROSetFactory"));
    QTEST(w.Find<QPushButton>("Command1")->text(), "read");
    QTEST(w.Find<QLabel>("Label2")->text(), "areaCaption");
    QTEST(w.Find<QLabel>("Label1_13")->text(), "passwordCaption");
    QTEST(w.Find<QGroupBox>("Frame2")->title(), "dealerFrame");
    QTEST(w.Find<QCheckBox>("Check5")->text(), "factoryBox");
    // The option flags ride along hidden.
    QVERIFY(w.Find<QCheckBox>("Check1")->isHidden());
}

void FactoryWindowTest::defaultsAreShownAtStart() {
    WindowUnderTest w;
    QCOMPARE(w.Text1(1)->text(), QString("2026030500000001"));
    QCOMPARE(w.Text1(2)->text(), QString("3/5/26"));
    QCOMPARE(w.Text1(5)->text(), QString("V1.00"));
    QVERIFY(!w.Text1(5)->isEnabled());
    QCOMPARE(w.Text1(6)->text(), QString("03-1-E-1"));
    QCOMPARE(w.Text1(7)->text(), QString("001A"));
    QCOMPARE(Entries(w.Find<QComboBox>("Combo1_0")), QStringList{"KAVRO"});
    QCOMPARE(Entries(w.Band()), QStringList{"25.615 - 30.105 MHz"});
    QCOMPARE(w.Band()->currentIndex(), 0);
    QVERIFY(w.Find<QCheckBox>("Check5")->isChecked());
    QVERIFY(w.Find<QCheckBox>("Check1")->isChecked());
    QVERIFY(!w.Find<QCheckBox>("Check3")->isChecked());
    QVERIFY(w.sink.Shown.empty());
}

void FactoryWindowTest::boxesAcceptAsManyBytesAsTheRadioHolds() {
    WindowUnderTest w;
    for (int i = 0; i < 13; ++i)
        if (i != 4)
            QCOMPARE(w.Text1(i)->maxLength(), static_cast<int>(FactoryTextFields[i].Width));
    // The description has several lines, each break two bytes (CR LF) in the
    // radio: 100 letters typed leave 80, and a break needs room for both.
    w.Description()->clear();
    QTest::keyClicks(w.Description(), QString(100, 'd'));
    QCOMPARE(w.Description()->toPlainText(), QString(80, 'd'));
    w.Description()->setPlainText(QString(79, 'd'));
    w.Description()->moveCursor(QTextCursor::End);
    QTest::keyClick(w.Description(), Qt::Key_Return);
    QCOMPARE(w.Description()->toPlainText(), QString(79, 'd'));
    w.Description()->setPlainText("ab");
    w.Description()->moveCursor(QTextCursor::End);
    QTest::keyClick(w.Description(), Qt::Key_Return);
    QTest::keyClicks(w.Description(), "cd");
    w.window->GetDataByShow();
    QCOMPARE(w.window->Info().MaintainedDescription, std::string("ab\r\ncd"));
}

void FactoryWindowTest::serialNumberTakesDigitsOnly_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("digits") << "0123456789"
                            << "0123456789";
    QTest::newRow("letters and signs") << "12ab-3 x.4"
                                       << "1234";
    QTest::newRow("beyond ASCII") << "5é6中7"
                                  << "567";
}

void FactoryWindowTest::serialNumberTakesDigitsOnly() {
    QFETCH(QString, typed);
    WindowUnderTest w;
    QLineEdit* serial = w.Text1(1);
    serial->clear();
    Type(serial, typed);
    QTEST(serial->text(), "kept");
    QFETCH(QString, kept);
    QTest::keyClick(serial, Qt::Key_Backspace);
    QCOMPARE(serial->text(), kept.chopped(1));
}

void FactoryWindowTest::serialNumberBlocksPasteAndMovesOnWithEnter() {
    WindowUnderTest w;
    w.Show();
    QLineEdit* serial = w.Text1(1);
    serial->setFocus();
    QApplication::clipboard()->setText("99999999");
    serial->clear();
    QTest::keyClick(serial, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(serial, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(serial->text(), QString());
    QTest::keyClicks(serial, "42");
    QTest::keyClick(serial, Qt::Key_Return);
    QCOMPARE(serial->text(), QString("42"));
    QVERIFY(!serial->hasFocus());
}

void FactoryWindowTest::maintainedDateIsFilledWithTodayOnFocus() {
    WindowUnderTest w;
    w.Show();
    QCOMPARE(w.Text1(3)->text(), QString());
    w.Text1(3)->setFocus();
    QCOMPARE(w.Text1(3)->text(), QString("3/5/26"));
    // A date already there stays.
    w.Text1(3)->setText("1/1/25");
    w.Text1(0)->setFocus();
    w.Text1(3)->setFocus();
    QCOMPARE(w.Text1(3)->text(), QString("1/1/25"));
}

void FactoryWindowTest::portChoiceAtStart_data() {
    QTest::addColumn<QString>("setupLine");
    QTest::addColumn<QList<int>>("present");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("saved");
    QTest::newRow("saved port present") << "comPort=3" << QList<int>{1, 3} << 3 << "COM3"
                                        << "3";
    QTest::newRow("saved port gone") << "comPort=5" << QList<int>{2, 7} << 2 << "COM2"
                                     << "2";
    QTest::newRow("not a number") << "comPort=x1" << QList<int>{4} << 4 << "COM4"
                                  << "4";
    QTest::newRow("no setting") << "" << QList<int>{9} << 9 << "COM9"
                                << "9";
    QTest::newRow("no port at all") << "comPort=3" << QList<int>{} << 0 << ""
                                    << "3";
}

void FactoryWindowTest::portChoiceAtStart() {
    QFETCH(QString, setupLine);
    QFETCH(QList<int>, present);
    WindowUnderTest w(FactoryLanguage::English, setupLine.toStdString(),
                      {present.begin(), present.end()});
    QTEST(w.window->comPort(), "chosen");
    QTEST(w.Combo2()->currentText(), "selected");
    QTEST(QString::fromStdString(w.SavedPort()), "saved");
}

void FactoryWindowTest::portListFollowsThePortsPresent() {
    WindowUnderTest w(FactoryLanguage::English, "comPort=3", {1, 3});
    QCOMPARE(Entries(w.Combo2()), (QStringList{"COM1", "COM3"}));
    QVERIFY(w.window->InComPorts(3));
    QVERIFY(!w.window->InComPorts(2));

    // The chosen port's cable pulled out: the port stays chosen, marked
    // absent, until it is back.
    w.present = {1};
    w.Tick();
    QCOMPARE(Entries(w.Combo2()), (QStringList{"COM1", "COM3 (absent)"}));
    QCOMPARE(w.Combo2()->currentText(), QString("COM3 (absent)"));
    QCOMPARE(w.window->comPort(), 3);
    QVERIFY(!w.window->InComPorts(3));
    w.present = {1, 3};
    w.Tick();
    QCOMPARE(Entries(w.Combo2()), (QStringList{"COM1", "COM3"}));
    QCOMPARE(w.Combo2()->currentText(), QString("COM3"));

    // The only adapter unplugged: only the chosen port is left, absent; ports
    // plugged in meanwhile are listed around it.
    w.present = {};
    w.Tick();
    QCOMPARE(Entries(w.Combo2()), QStringList{"COM3 (absent)"});
    w.present = {2, 6};
    w.Tick();
    QCOMPARE(Entries(w.Combo2()), (QStringList{"COM2", "COM3 (absent)", "COM6"}));
    QCOMPARE(w.window->comPort(), 3);

    // Another choice stays chosen the same way.
    w.Combo2()->setCurrentIndex(2);
    emit w.Combo2()->activated(2);
    QCOMPARE(w.window->comPort(), 6);
    w.present = {2, 4};
    w.Tick();
    QCOMPARE(w.Combo2()->currentText(), QString("COM6 (absent)"));
    QCOMPARE(w.window->comPort(), 6);
    // Choosing the absent entry keeps its port; the timer does not write the
    // settings, only a choice does.
    emit w.Combo2()->activated(w.Combo2()->currentIndex());
    QCOMPARE(w.window->comPort(), 6);
    QCOMPARE(w.SavedPort(), std::string("6"));

    // Without any port at start nothing is chosen; the first port plugged in
    // is taken.
    WindowUnderTest none(FactoryLanguage::Chinese, "comPort=3", {});
    QCOMPARE(none.Combo2()->count(), 0);
    QCOMPARE(none.window->comPort(), 0);
    none.present = {4, 6};
    none.Tick();
    QCOMPARE(none.Combo2()->currentText(), QString("COM4"));
    QCOMPARE(none.window->comPort(), 4);
    none.present = {6};
    none.Tick();
    QCOMPARE(none.Combo2()->currentText(), QString::fromUtf8("COM4 (未连接)"));
}

// Two cables: beside the box the device of the chosen port, following the
// operator's choice; every entry carries its device for the drop-down list;
// the chosen port absent still names its device.
void FactoryWindowTest::portListNamesTheDeviceOfThePorts() {
    WindowUnderTest w(FactoryLanguage::English, "comPort=3", {1, 3});
    const QString byId = "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    QVERIFY(w.ports.Set(1, "/dev/pts/41"));
    QVERIFY(w.ports.Set(3, "/dev/serial/by-id/" + byId.toStdString()));
    w.Show();
    w.Tick();
    QComboBox* box = w.Combo2();
    auto* device = w.Find<QLabel>("Label4");
    QCOMPARE(Entries(box), (QStringList{"COM1", "COM3"}));
    QCOMPARE(box->itemData(0, PortDeviceRole).toString(), QString("/dev/pts/41"));
    QCOMPARE(box->itemData(1, PortDeviceRole).toString(), byId);
    QCOMPARE(device->text(), byId);
    QVERIFY(device->mapTo(w.window.get(), QPoint()).x() >=
            box->mapTo(w.window.get(), QPoint()).x() + box->width());
    QTRY_VERIFY(device->width() >= device->fontMetrics().horizontalAdvance(byId));

    box->setFocus();
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(w.window->comPort(), 1);
    QCOMPARE(device->text(), QString("/dev/pts/41"));

    w.present = {3};
    w.Tick();
    QCOMPARE(Entries(box), (QStringList{"COM1 (absent)", "COM3"}));
    QCOMPARE(box->currentText(), QString("COM1 (absent)"));
    QCOMPARE(box->itemData(0, PortDeviceRole).toString(), QString("/dev/pts/41"));
    QCOMPARE(device->text(), QString("/dev/pts/41"));

    // Port 3 pointed at another cable: the next tick shows it.
    QVERIFY(w.ports.Set(3, "/dev/ttyUSB1"));
    w.Tick();
    QCOMPARE(box->itemData(1, PortDeviceRole).toString(), QString("/dev/ttyUSB1"));
}

void FactoryWindowTest::choosingAPortIsSaved() {
    WindowUnderTest w(FactoryLanguage::English, "comPort=3", {1, 3, 12});
    w.Combo2()->setCurrentIndex(2);
    emit w.Combo2()->activated(2);
    QCOMPARE(w.window->comPort(), 12);
    QCOMPARE(w.SavedPort(), std::string("12"));
    // The other keys of the file stay.
    WriteFile(w.SetupPath(), "[language]\ncomPort=12\nFactoryHandshake=FACTORY\n");
    w.Combo2()->setCurrentIndex(0);
    emit w.Combo2()->activated(0);
    QCOMPARE(w.SavedPort(), std::string("1"));
    QCOMPARE(ReadIniValue(w.SetupPath(), "language", "FactoryHandshake"), std::string("FACTORY"));
}

// Installed, the shipped file is read until the user has a copy, and only the
// user's copy is ever written.
void FactoryWindowTest::installedToolWritesOnlyTheUsersCopy() {
    QTemporaryDir root;
    const std::string shipped = root.path().toStdString() + "/share/velmar/bin/mysetup.ini";
    WriteFile(shipped, "[language]\ncomPort=3\nFactoryHandshake=FACTORY\n");
    const FileLocations installed{root.path().toStdString() + "/share/velmar/bin",
                                  root.path().toStdString() + "/share/velmar",
                                  root.path().toStdString() + "/config/velmar"};
    WindowUnderTest w(FactoryLanguage::English, "", {1, 3}, installed);
    QCOMPARE(w.window->comPort(), 3);
    w.Combo2()->setCurrentIndex(0);
    emit w.Combo2()->activated(0);
    const std::string own = root.path().toStdString() + "/config/velmar/bin/mysetup.ini";
    QCOMPARE(ReadIniValue(own, "language", "comPort"), std::string("1"));
    QCOMPARE(ReadIniValue(own, "language", "FactoryHandshake"), std::string("FACTORY"));
    QCOMPARE(ReadIniValue(shipped, "language", "comPort"), std::string("3"));
}

void FactoryWindowTest::fieldsGoToFactoryInfoAndBack() {
    WindowUnderTest w;
    // Typed values, with blanks at the end that the radio does not get.
    const char* typed[13] = {
        "0086", "2026030500000077", "2026-03-05", "2026-04-01", "",          "",    "03-1-E-1",
        "002B", "DLR-17  ",         "2026-05-01", "2026-05-02", "Ann Smith", "1234"};
    for (int i = 0; i < 13; ++i)
        if (i != 4 && i != 5)
            w.Text1(i)->setText(typed[i]);
    w.Description()->setPlainText("Antenna jack\nreplaced");
    w.Find<QCheckBox>("Check5")->setChecked(false);
    w.Find<QCheckBox>("Check3")->setChecked(true);
    w.window->GetDataByShow();

    const FactoryInfo& info = w.window->Info();
    QCOMPARE(info.AreaCode, std::string("0086"));
    QCOMPARE(info.SerialNumber, std::string("2026030500000077"));
    QCOMPARE(info.DealerCode, std::string("DLR-17"));
    QCOMPARE(info.Seller, std::string("Ann Smith"));
    QCOMPARE(info.ProgramPassword, std::string("1234"));
    QCOMPARE(info.MaintainedDescription, std::string("Antenna jack\r\nreplaced"));
    QCOMPARE(info.FirmwareVersion, std::string("V1.00"));
    QCOMPARE(info.RadioType, std::string("KAVRO"));
    QCOMPARE(info.BandCode, 1);
    QVERIFY(!info.FactoryMode);
    QCOMPARE(info.OptionFlags, (std::array<std::uint16_t, 4>{1, 1, 1, 0}));

    // Shown again as taken.
    for (int i = 0; i < 13; ++i)
        if (i != 4 && i != 5)
            w.Text1(i)->clear();
    w.window->ShowByData();
    QCOMPARE(w.Text1(8)->text(), QString("DLR-17"));
    QCOMPARE(w.Text1(12)->text(), QString("1234"));
    QCOMPARE(w.Description()->toPlainText(), QString("Antenna jack\nreplaced"));
    QVERIFY(!w.Find<QCheckBox>("Check5")->isChecked());
    QVERIFY(w.sink.Shown.empty());
}

void FactoryWindowTest::chineseTextsAreStoredAsGbk() {
    WindowUnderTest w(FactoryLanguage::Chinese);
    // Eight Chinese characters fill the 16 bytes of the seller's field.
    w.Text1(11)->clear();
    Type(w.Text1(11), "王小明李四张三赵钱");
    QCOMPARE(w.Text1(11)->text(), QString("王小明李四张三赵"));
    w.window->GetDataByShow();
    QCOMPARE(w.window->Info().Seller.size(), std::size_t{16});
    QCOMPARE(w.window->Info().Seller.substr(0, 2), std::string("\xCD\xF5")); // 王
    w.Text1(11)->clear();
    w.window->ShowByData();
    QCOMPARE(w.Text1(11)->text(), QString("王小明李四张三赵"));
}

void FactoryWindowTest::charactersTheCodePageLacksAreRefused() {
    WindowUnderTest w(FactoryLanguage::English);
    w.Text1(8)->clear();
    Type(w.Text1(8), "Café 中");
    QCOMPARE(w.Text1(8)->text(), QString("Café "));
    w.window->GetDataByShow();
    QCOMPARE(w.window->Info().DealerCode, std::string("Caf\xE9"));
}

void FactoryWindowTest::bandChange_data() {
    QTest::addColumn<int>("radioBand");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("bandAfter");
    QTest::addColumn<QString>("shownAfter");
    QTest::addColumn<QString>("message");
    const QString question = "Frequencys is different. Overwrite?";
    QTest::newRow("same family, OK")
        << 3 << int(MsgAnswer::Ok) << 1 << "25.615 - 30.105 MHz" << question;
    QTest::newRow("same family, Cancel")
        << 3 << int(MsgAnswer::Cancel) << 3 << "440 - 480 MHz" << question;
    QTest::newRow("other family") << 8 << int(MsgAnswer::Ok) << 8 << "136 - 174 MHz"
                                  << "Frequencys is different.The difference of frequecy is too "
                                     "much,can be use mutually! ";
}

void FactoryWindowTest::bandChange() {
    QFETCH(int, radioBand);
    QFETCH(int, answer);
    WindowUnderTest w;
    // A radio of another band was read: its band is offered and shown.
    w.window->Info().BandCode = radioBand;
    w.window->ShowByData();
    QCOMPARE(w.Band()->currentData().toInt(), radioBand);
    QCOMPARE(w.Band()->count(), 2);

    // Leaving it alone asks nothing.
    w.window->GetDataByShow();
    QVERIFY(w.sink.Shown.empty());

    w.Band()->setCurrentIndex(0);
    w.sink.Answers = {static_cast<MsgAnswer>(answer)};
    w.window->GetDataByShow();
    QCOMPARE(w.sink.Shown.size(), std::size_t{1});
    QTEST(QString::fromStdString(w.sink.Shown[0]), "message");
    QTEST(w.window->Info().BandCode, "bandAfter");
    QTEST(w.Band()->currentText(), "shownAfter");
}

void FactoryWindowTest::badHandshakeSettingIsReported() {
    WindowUnderTest w(FactoryLanguage::English, "FactoryHandshake=open");
    QCOMPARE(w.sink.Shown.size(), std::size_t{1});
    QVERIFY(w.sink.Shown[0].find("7 capital letters") != std::string::npos);
}

void FactoryWindowTest::readOrWriteWithoutAPortSaysSo() {
    WindowUnderTest w(FactoryLanguage::Chinese, "comPort=3", {});
    QCOMPARE(w.window->comPort(), 0);
    w.Find<QPushButton>("Command1")->click();
    w.Find<QPushButton>("Command2")->click();
    QCOMPARE(w.sink.Shown.size(), std::size_t{2});
    for (const std::string& shown : w.sink.Shown)
        QVERIFY(shown.starts_with("不能打开串口。"));
    QVERIFY(!w.window->Busy());
    QVERIFY(w.Find<QPushButton>("Command1")->isEnabled());
    // Nothing was advanced by a write that never ran.
    QCOMPARE(w.window->Info().SerialNumber, std::string("2026030500000001"));
}

void FactoryWindowTest::windowShowsEveryCaptionWhole_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 1;
    QTest::newRow("Chinese") << 2;
}

// Every caption fits its control, in both languages; the window is saved as
// a picture beside the test for a look.
void FactoryWindowTest::windowShowsEveryCaptionWhole() {
    QFETCH(int, language);
    WindowUnderTest w(static_cast<FactoryLanguage>(language));
    w.Show();
    const QString picture =
        QDir::current().filePath(QString("factory_window_%1.png").arg(language == 1 ? "en" : "zh"));
    QVERIFY(w.window->grab().save(picture));

    for (const QLabel* label : w.window->findChildren<QLabel*>())
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
    for (const QAbstractButton* button : w.window->findChildren<QAbstractButton*>())
        if (button->isVisible())
            QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
    for (const QGroupBox* frame : w.window->findChildren<QGroupBox*>())
        QVERIFY(frame->width() >= frame->fontMetrics().horizontalAdvance(frame->title()));
    for (const QComboBox* combo : w.window->findChildren<QComboBox*>())
        QVERIFY2(combo->width() >= combo->sizeHint().width(), qPrintable(combo->objectName()));
    // Sixteen characters show whole in a field of sixteen.
    const QLineEdit* serial = w.Text1(1);
    QVERIFY(serial->width() > serial->fontMetrics().horizontalAdvance(serial->text()));
}

QTEST_MAIN(FactoryWindowTest)
#include "factory_window_test.moc"
