// The first-run dialog against the virtual radio on a pseudo-terminal, as a
// new user meets it: the port the box shows is the port OK opens, a reply
// that comes behind line noise links, and the chosen port stays chosen while
// the radio restarts. Message boxes are answered by a script.
#include "e2e/vradio_process.h"

#include "link/link_globals.h"
#include "link/ui/com_port_map.h"
#include "link/ui/load_frm_link.h"
#include "link/ui/serial_ports.h"
#include "shell/ui/ui_test_support.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QtTest>

using namespace velmar;
using namespace velmar::test;

namespace {

constexpr int WaitMs = 30000; // generous: the machine may be busy
constexpr int RadioPort = 1;
constexpr int OtherPort = 2; // a device that exists but is no radio
constexpr int MissingPort = 7;

} // namespace

class FirstRunE2eTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> config_;
    std::unique_ptr<TestInstall> install_;
    ScriptedSink sink_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<ComPortMap> ports_;
    std::unique_ptr<VRadio> radio_;
    std::unique_ptr<LoadFrmLink> dialog_;
    LinkGlobals link_;

    QString StableName() const { return config_->filePath("radio-link"); }

    // Ports 1 … 17 pinned, so that the machine's own ports come after them:
    // the radio's stable name at RadioPort, a plain file at OtherPort, the
    // others at devices that do not exist.
    void PinPorts(bool withOtherPort) {
        for (int number = 1; number <= 17; ++number) {
            QString device = config_->filePath(QStringLiteral("tty%1").arg(number));
            if (number == RadioPort)
                device = StableName();
            if (number == OtherPort && withOtherPort)
                QVERIFY(QFile(device).open(QIODevice::WriteOnly));
            QVERIFY(ports_->Set(number, device.toStdString()));
        }
    }

    void StartRadio(QStringList options) {
        options << "--link" << StableName();
        radio_ = std::make_unique<VRadio>(options);
        QVERIFY2(radio_->Ok(), "velmar-vradio did not start");
    }

    void OpenDialog() {
        dialog_ = std::make_unique<LoadFrmLink>(*app_, link_, *ports_);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    }

    // The user presses OK and the dialog closes once the radio answered.
    void PressOkAndLink() {
        QTest::mouseClick(dialog_->Command1(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog_->isVisible(), WaitMs);
        QCOMPARE(dialog_->result(), int(QDialog::Accepted));
        QVERIFY(!app_->Settings.IsFirstRun);
        QCOMPARE(sink_.Shown, std::vector<std::string>{});
    }

private slots:
    void init() {
        config_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", config_->filePath("config").toLocal8Bit());
        install_ = std::make_unique<TestInstall>();
        sink_ = ScriptedSink();
        app_ = MakeContext(*install_, sink_);
        app_->Settings.IsFirstRun = true;
        ports_ = std::make_unique<ComPortMap>(DefaultComPortMapPath());
        link_ = LinkGlobals();
    }
    void cleanup() {
        dialog_.reset();
        radio_.reset();
        ports_.reset();
        app_.reset();
        install_.reset();
        config_.reset();
    }

    // comPort names a port that is not there: the box shows the first port,
    // and OK opens that one.
    void okOpensThePortTheBoxShows() {
        PinPorts(false);
        StartRadio({});
        app_->Settings.comPort = MissingPort;
        OpenDialog();
        QCOMPARE(dialog_->Combo1()->currentText(), PortName(RadioPort));
        PressOkAndLink();
        QCOMPARE(app_->Settings.comPort, std::int16_t(RadioPort));
    }

    // The user goes to another entry with the keys: OK opens that one.
    void okOpensThePortPickedWithTheKeys() {
        PinPorts(true);
        StartRadio({});
        app_->Settings.comPort = OtherPort;
        OpenDialog();
        QComboBox* box = dialog_->Combo1();
        QCOMPARE(box->currentText(), PortName(OtherPort));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(box->currentText(), PortName(RadioPort));
        PressOkAndLink();
        QCOMPARE(app_->Settings.comPort, std::int16_t(RadioPort));
    }

    // Every reply comes behind as many bytes of line noise: each attempt
    // still links at once.
    void aReplyBehindLineNoiseLinks_data() {
        QTest::addColumn<bool>("cableEchoes");
        QTest::newRow("two-wire cable") << false;
        QTest::newRow("one-wire cable, echo") << true;
    }
    void aReplyBehindLineNoiseLinks() {
        QFETCH(bool, cableEchoes);
        PinPorts(false);
        QStringList options{"--fault", "noise:handshake*all"};
        if (cableEchoes)
            options << "--echo";
        StartRadio(options);
        app_->Settings.comPort = RadioPort;
        OpenDialog();
        PressOkAndLink();
        QCOMPARE(link_.NoEcho, !cableEchoes);
    }

    // The radio restarts while the dialog is open: the port stays chosen,
    // marked absent meanwhile, although another port is there; once the radio
    // is back, OK links on it.
    void theChosenPortOutlastsARadioRestart() {
        PinPorts(true);
        StartRadio({});
        app_->Settings.comPort = RadioPort;
        OpenDialog();
        QComboBox* box = dialog_->Combo1();
        QCOMPARE(box->currentText(), PortName(RadioPort));

        QVERIFY(radio_->Stop());
        QTRY_COMPARE_WITH_TIMEOUT(box->currentText(), QString("COM1 (absent)"), WaitMs);
        QCOMPARE(app_->Settings.comPort, std::int16_t(RadioPort));
        QVERIFY(box->findText(PortName(OtherPort)) >= 0);

        StartRadio({});
        QTRY_COMPARE_WITH_TIMEOUT(box->currentText(), PortName(RadioPort), WaitMs);
        PressOkAndLink();
        QCOMPARE(app_->Settings.comPort, std::int16_t(RadioPort));
    }
};

QTEST_MAIN(FirstRunE2eTest)
#include "first_run_e2e_test.moc"
