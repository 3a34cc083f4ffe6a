// The link dialogs: port dialog, first-run link, password and progress
// windows.
#include "link/link_globals.h"
#include "link/radio_sim.h"
#include "link/ui/frm_pass_word.h"
#include "link/ui/frm_progress.h"
#include "link/ui/frm_set_comm.h"
#include "link/ui/load_frm_link.h"
#include "link/ui/pty_pair.h"
#include "link/ui/port_list_view.h"
#include "shell/startup.h"
#include "shell/ui/ui_test_support.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace velmar;
using namespace velmar::test;

class LinkDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestInstall> install_;
    ScriptedSink sink_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<QTemporaryDir> devices_;
    std::unique_ptr<ComPortMap> ports_;

    std::string SetupFile() const { return install_->Path("language/mysetup.ini"); }

    // Ports 1 … 17 pinned: `present` to devices that exist, the others to
    // devices that do not, so the machine's own ports come after them.
    void PinPorts(const std::vector<int>& present) {
        for (int number = 1; number <= 17; ++number) {
            const bool exists = std::find(present.begin(), present.end(), number) != present.end();
            const QString device = devices_->filePath(QStringLiteral("tty%1").arg(number));
            if (exists) {
                QFile file(device);
                QVERIFY(file.open(QIODevice::WriteOnly));
            } else {
                QFile::remove(device);
            }
            QVERIFY(ports_->Set(number, device.toStdString()));
        }
    }

private slots:
    void init() {
        install_ = std::make_unique<TestInstall>();
        sink_ = ScriptedSink();
        app_ = MakeContext(*install_, sink_);
        devices_ = std::make_unique<QTemporaryDir>();
        ports_ = std::make_unique<ComPortMap>(devices_->filePath("comports.ini").toStdString());
    }
    void cleanup() {
        ports_.reset();
        devices_.reset();
        app_.reset();
        install_.reset();
    }

    // ---- port dialog ---------------------------------------------------------

    void portDialogEnablesThePortsThatExist() {
        PinPorts({1, 3, 17});
        app_->Settings.comPort = 3;
        FrmSetComm dialog(*app_, *ports_);
        QCOMPARE(dialog.windowTitle(), app_->Text(22000));
        QCOMPARE(dialog.findChild<QGroupBox*>("Frame1")->title(), app_->Text(22001));
        QCOMPARE(dialog.Option1(0)->text(), app_->Text(22002) + "1");
        QCOMPARE(dialog.Option1(15)->text(), app_->Text(22002) + "16");
        QCOMPARE(dialog.CommandOK()->text(), app_->Text(9017));
        for (int i = 0; i < FrmSetComm::PortCount; ++i)
            QCOMPARE(dialog.Option1(i)->isEnabled(), i == 0 || i == 2);
        QVERIFY(dialog.Option1(2)->isChecked());
        QVERIFY(dialog.ReCommTimer().isActive());

        // Port 1 pulled out, port 5 plugged in: the next tick shows it, the
        // selection stays.
        QFile::remove(devices_->filePath("tty1"));
        QFile(devices_->filePath("tty5")).open(QIODevice::WriteOnly);
        QMetaObject::invokeMethod(&dialog.ReCommTimer(), "timeout");
        QVERIFY(!dialog.Option1(0)->isEnabled());
        QVERIFY(dialog.Option1(4)->isEnabled());
        QVERIFY(dialog.Option1(2)->isChecked());
    }

    void portDialogUnderIsVistaEnablesEveryButton() {
        PinPorts({});
        app_->Settings.IsVista = true;
        FrmSetComm dialog(*app_, *ports_);
        for (int i = 0; i < FrmSetComm::PortCount; ++i)
            QVERIFY(dialog.Option1(i)->isEnabled());
    }

    void portDialogOkWritesThePortCancelDoesNot() {
        PinPorts({2, 4});
        app_->Settings.comPort = 2;
        {
            FrmSetComm dialog(*app_, *ports_);
            dialog.Option1(3)->setChecked(true);
            dialog.CommandCancel()->click();
            QCOMPARE(app_->Settings.comPort, 2);
        }
        {
            FrmSetComm dialog(*app_, *ports_);
            dialog.Option1(3)->setChecked(true);
            dialog.CommandOK()->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(!dialog.ReCommTimer().isActive());
        }
        QCOMPARE(app_->Settings.comPort, 4);
        QCOMPARE(ReadIniValue(SetupFile(), SetupSection, "comPort"), std::string("4"));
    }

    // The chosen port's device gone for a moment (a cable pulled and put
    // back): its button stays selected, greyed while the device is missing,
    // and OK takes it.
    void portDialogKeepsTheChosenPortWhileItIsGone() {
        PinPorts({1, 3});
        app_->Settings.comPort = 1;
        FrmSetComm dialog(*app_, *ports_);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QRadioButton* com3 = dialog.Option1(2);
        QTest::mouseClick(com3, Qt::LeftButton, {}, QPoint(6, com3->height() / 2));
        QVERIFY(com3->isChecked());

        const QString device = devices_->filePath("tty3");
        QFile::remove(device);
        QTRY_VERIFY_WITH_TIMEOUT(!com3->isEnabled(), 5000);
        QVERIFY(com3->isChecked());
        QVERIFY(QFile(device).open(QIODevice::WriteOnly));
        QTRY_VERIFY_WITH_TIMEOUT(com3->isEnabled(), 5000);
        QVERIFY(com3->isChecked());

        QFile::remove(device);
        QTRY_VERIFY_WITH_TIMEOUT(!com3->isEnabled(), 5000);
        QTest::mouseClick(dialog.CommandOK(), Qt::LeftButton);
        QCOMPARE(app_->Settings.comPort, std::int16_t(3));
        QCOMPARE(ReadIniValue(SetupFile(), SetupSection, "comPort"), std::string("3"));
    }

    // Two cables: beside each number the device it stands for, in the row
    // of its button; a number whose device is missing still names it, greyed
    // with its button; the captions stay the numbers.
    void portDialogNamesTheDeviceOfEachNumber() {
        PinPorts({1, 3});
        const std::string byId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
        QVERIFY(ports_->Set(5, byId));
        app_->Settings.comPort = 3;
        FrmSetComm dialog(*app_, *ports_);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        const auto device = [&](int number) {
            return devices_->filePath(QStringLiteral("tty%1").arg(number));
        };
        for (const int number : {1, 3}) {
            QLabel* label = dialog.Label1(number - 1);
            QRadioButton* option = dialog.Option1(number - 1);
            QCOMPARE(label->text(), device(number));
            QVERIFY(label->isEnabled());
            QCOMPARE(option->text(), app_->Text(22002) + QString::number(number));
            const QRect button(option->mapTo(&dialog, QPoint()), option->size());
            const QRect beside(label->mapTo(&dialog, QPoint()), label->size());
            QVERIFY(beside.left() >= button.right());
            QVERIFY(beside.top() < button.center().y() && button.center().y() < beside.bottom());
            QVERIFY(label->isVisible());
            QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
        }
        QCOMPARE(dialog.Label1(1)->text(), device(2));
        QVERIFY(!dialog.Label1(1)->isEnabled());
        QCOMPARE(dialog.Label1(4)->text(), QString("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"));
        QVERIFY(!dialog.Label1(4)->isEnabled());

        // Port 3 pointed at another cable and port 1 pulled out while the
        // dialog is open: the next tick shows both.
        QVERIFY(ports_->Set(3, device(16).toStdString()));
        QVERIFY(QFile(device(16)).open(QIODevice::WriteOnly));
        QFile::remove(device(1));
        QMetaObject::invokeMethod(&dialog.ReCommTimer(), "timeout");
        QCOMPARE(dialog.Label1(2)->text(), device(16));
        QVERIFY(dialog.Label1(2)->isEnabled());
        QCOMPARE(dialog.Label1(0)->text(), device(1));
        QVERIFY(!dialog.Label1(0)->isEnabled());
    }

    // comPort 20 came from the first-run dialog: no button is selected, and
    // OK keeps it.
    void portDialogWithAPortAbove16SelectsNothing() {
        PinPorts({1});
        app_->Settings.comPort = 20;
        FrmSetComm dialog(*app_, *ports_);
        for (int i = 0; i < FrmSetComm::PortCount; ++i)
            QVERIFY(!dialog.Option1(i)->isChecked());
        dialog.CommandOK()->click();
        QCOMPARE(app_->Settings.comPort, 20);
    }

    // ---- first-run link --------------------------------------------------------

    void firstRunDialogTextsAndPortList() {
        PinPorts({1, 3, 17});
        app_->Settings.comPort = 3;
        LinkGlobals link;
        LoadFrmLink dialog(*app_, link, *ports_);
        QCOMPARE(dialog.windowTitle(), QString("Initial Setup"));
        QCOMPARE(dialog.findChild<QLabel*>("Label1")->text(), QString("Com Port"));
        QCOMPARE(dialog.Command1()->text(), QString("&OK"));
        QCOMPARE(dialog.Command2()->text(), QString("&Cancel"));
        const QString expected = app_->Text(9054) + "\r\n\r\n" + app_->Text(9050) + "\r\n" +
                                 app_->Text(9051) + "\r\n" + app_->Text(9052) + "\r\n" +
                                 app_->Text(9053);
        QCOMPARE(dialog.Text1()->toPlainText(), QString(expected).replace("\r\n", "\n"));
        QVERIFY(dialog.Text1()->isReadOnly());

        QComboBox* list = dialog.Combo1();
        QVERIFY(list->count() >= 3);
        QCOMPARE(list->itemText(0), QString("COM1"));
        QCOMPARE(list->itemText(1), QString("COM3"));
        QCOMPARE(list->itemText(2), QString("COM17"));
        QCOMPARE(list->currentText(), QString("COM3"));

        list->setCurrentIndex(2);
        emit list->activated(2);
        QCOMPARE(app_->Settings.comPort, 17);
    }

    // Two cables: the box names the device of the chosen port beside it and
    // follows the user's choice; the drop-down list gives every entry's
    // device; a chosen port whose device went missing shows it as absent and
    // still names its device.
    void firstRunDialogNamesTheDeviceOfThePorts() {
        PinPorts({1, 3});
        app_->Settings.comPort = 3;
        LinkGlobals link;
        LoadFrmLink dialog(*app_, link, *ports_);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QString com1 = devices_->filePath("tty1");
        const QString com3 = devices_->filePath("tty3");
        QComboBox* list = dialog.Combo1();
        QCOMPARE(list->itemText(0), QString("COM1"));
        QCOMPARE(list->itemData(0, PortDeviceRole).toString(), com1);
        QCOMPARE(list->itemText(1), QString("COM3"));
        QCOMPARE(list->itemData(1, PortDeviceRole).toString(), com3);
        QCOMPARE(dialog.Label2()->text(), com3);
        const QRect box(list->mapTo(&dialog, QPoint()), list->size());
        const QRect beside(dialog.Label2()->mapTo(&dialog, QPoint()), dialog.Label2()->size());
        QVERIFY(beside.left() >= box.right());
        QVERIFY(dialog.Label2()->width() >= dialog.Label2()->fontMetrics().horizontalAdvance(com3));

        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(list->currentText(), QString("COM1"));
        QCOMPARE(app_->Settings.comPort, 1);
        QCOMPARE(dialog.Label2()->text(), com1);

        // The drop-down list is wide enough for the names and their devices.
        list->showPopup();
        QAbstractItemView* popup = list->view();
        QTRY_VERIFY(popup->isVisible());
        const int needed = popup->fontMetrics().horizontalAdvance("COM1" + com1);
        QVERIFY(popup->viewport()->width() > needed);
        list->hidePopup();

        // The list is refreshed every second.
        QFile::remove(com1);
        QTRY_COMPARE_WITH_TIMEOUT(list->currentText(), QString("COM1 (absent)"), 5000);
        QCOMPARE(list->itemData(list->currentIndex(), PortDeviceRole).toString(), com1);
        QCOMPARE(dialog.Label2()->text(), com1);
    }

    void firstRunDialogUnderIsVistaListsEveryNumber() {
        app_->Settings.IsVista = true;
        app_->Settings.comPort = 300; // no such entry: the first one
        LinkGlobals link;
        LoadFrmLink dialog(*app_, link, *ports_);
        QCOMPARE(dialog.Combo1()->count(), 255);
        QCOMPARE(dialog.Combo1()->itemText(254), QString("COM255"));
        QCOMPARE(dialog.Combo1()->currentIndex(), 0);
        QCOMPARE(app_->Settings.comPort, std::int16_t(1)); // the port OK opens
    }

    // A two-wire cable: the first attempt waits for the echo in vain, the
    // second expects none and links.
    void firstRunLinksWithTheRadio_data() {
        QTest::addColumn<bool>("cableEchoes");
        QTest::newRow("two-wire cable") << false;
        QTest::newRow("one-wire cable, echo") << true;
    }
    void firstRunLinksWithTheRadio() {
        QFETCH(bool, cableEchoes);
        PtyPair pty;
        QVERIFY(pty.Ok());
        RadioSim sim;
        sim.SetEcho(cableEchoes);
        PtyRadio radio(pty, sim);
        QVERIFY(ports_->Set(12, pty.Path().toStdString()));
        app_->Settings.comPort = 12;
        app_->Settings.IsFirstRun = true;

        LinkGlobals link;
        LoadFrmLink dialog(*app_, link, *ports_);
        dialog.show();
        dialog.Command1()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 10000);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!app_->Settings.IsFirstRun);
        QCOMPARE(link.NoEcho, !cableEchoes);
        QCOMPARE(app_->Settings.comPort, 12);
        QVERIFY(!dialog.Port().IsOpen());
        QVERIFY(sink_.Shown.empty());
    }

    // No answer after four attempts: "Communication Error!", and the dialog
    // stays for another try.
    void firstRunWithoutARadioSaysSoAndStays() {
        PtyPair pty;
        QVERIFY(pty.Ok());
        QVERIFY(ports_->Set(12, pty.Path().toStdString()));
        app_->Settings.comPort = 12;
        app_->Settings.IsFirstRun = true;
        sink_.Answers = {MsgAnswer::Ok};

        LinkGlobals link;
        LoadFrmLink dialog(*app_, link, *ports_);
        dialog.show();
        dialog.Command1()->click();
        QTRY_COMPARE_WITH_TIMEOUT(sink_.Shown.size(), std::size_t(1), 10000);
        QCOMPARE(sink_.Shown[0], std::string("Communication Error!"));
        QCOMPARE(pty.Read(7 * 4, 500).count("PROGRAM"), qsizetype(4));
        QVERIFY(dialog.isVisible());
        QVERIFY(app_->Settings.IsFirstRun);

        dialog.Command2()->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(app_->Settings.IsFirstRun);
    }

    // The port shown is there but is no serial line (a plain file here).
    void firstRunOnAPortThatCannotOpen() {
        PinPorts({12});
        app_->Settings.comPort = 12;
        sink_.Answers = {MsgAnswer::Ok};
        LinkGlobals link;
        LoadFrmLink dialog(*app_, link, *ports_);
        QCOMPARE(dialog.Combo1()->currentText(), QString("COM12"));
        dialog.Command1()->click();
        QCOMPARE(sink_.Shown.size(), std::size_t(1));
        QVERIFY(
            QString::fromStdString(sink_.Shown[0]).startsWith("Cannot Open Communication Port."));
    }

    // ---- password and progress ---------------------------------------------------

    void passwordDialogKeepsWhatOkConfirms() {
        LinkGlobals link;
        link.RadioPassword = "12";
        FrmPassWord dialog(*app_, link);
        QVERIFY(link.PasswordEntered);
        QCOMPARE(dialog.windowTitle(), app_->Text(23100));
        QCOMPARE(dialog.findChild<QLabel*>("Label1")->text(), app_->Text(23101));
        QCOMPARE(dialog.Text1()->text(), QString("12"));
        QCOMPARE(dialog.Text1()->echoMode(), QLineEdit::Password);

        dialog.Text1()->clear();
        QTest::keyClicks(dialog.Text1(), "987654");
        QCOMPARE(dialog.Text1()->text(), QString("9876"));
        dialog.CommandCancel()->click();
        QCOMPARE(link.RadioPassword, std::string("12"));

        FrmPassWord again(*app_, link);
        again.Text1()->setText("ab ");
        again.CommandOK()->click();
        QCOMPARE(link.RadioPassword, std::string("ab"));
    }

    void progressWindowFollowsAndClosesOnlyAtTheEnd() {
        FrmProgress progress(*app_, FrmProgress::Kind::Write);
        QCOMPARE(progress.windowTitle(), app_->Text(9028));
        QCOMPARE(progress.Label2()->text(), QString("0%"));
        QSignalSpy loaded(&progress, &FrmProgress::loaded);
        progress.show();
        QTRY_COMPARE(loaded.size(), 1);
        progress.SetProgressValue(42);
        QCOMPARE(progress.ProgressBar1()->value(), 42);
        QCOMPARE(progress.Label2()->text(), QString("42%"));

        QTest::keyClick(&progress, Qt::Key_Escape);
        progress.close();
        QVERIFY(progress.isVisible());
        progress.Finish();
        QVERIFY(!progress.isVisible());
    }
};

QTEST_MAIN(LinkDialogsTest)
#include "link_dialogs_test.moc"
