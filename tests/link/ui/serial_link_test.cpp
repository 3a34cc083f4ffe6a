// The serial link over a real pseudo-terminal: thresholds, the reply timer,
// the owner's signals, a vanished port, and whole exchanges against the
// simulated radio.
#include "link/radio_exchange.h"
#include "link/radio_sim.h"
#include "link/ui/pty_pair.h"
#include "link/ui/serial_link.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace velmar;

namespace {

// An engine that records what it is handed and answers from a script.
struct RecordingEngine {
    std::vector<QByteArray> replies;
    int timeouts = 0;
    std::function<LinkActions()> onReply;   // actions for each reply
    std::function<LinkActions()> onTimeout; // actions for each time-out

    LinkActions OnBytes(std::span<const std::uint8_t> bytes) {
        replies.emplace_back(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<qsizetype>(bytes.size()));
        return onReply ? onReply() : LinkActions{};
    }
    LinkActions OnTimeout() {
        ++timeouts;
        return onTimeout ? onTimeout() : LinkActions{};
    }
};

struct NumberedTexts : TextLookup {
    std::string GetText(int id) const override { return "T" + std::to_string(id); }
};

} // namespace

class SerialLinkTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ComPortMap> map_;
    std::unique_ptr<PtyPair> pty_;
    std::unique_ptr<SerialLink> link_;

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        map_ = std::make_unique<ComPortMap>(dir_->filePath("comports.ini").toStdString());
        pty_ = std::make_unique<PtyPair>();
        QVERIFY(pty_->Ok());
        QVERIFY(map_->Set(7, pty_->Path().toStdString()));
        link_ = std::make_unique<SerialLink>(*map_);
    }
    void cleanup() {
        link_.reset();
        pty_.reset();
        map_.reset();
        dir_.reset();
    }

    void opensThePortTheNumberStandsFor() {
        QVERIFY(link_->Open(7).Ok());
        QVERIFY(link_->IsOpen());
        link_->Carry({SendBytes{{'P', 'R', 'O', 'G', 'R', 'A', 'M'}, 10}});
        QCOMPARE(pty_->Read(7), QByteArray("PROGRAM"));

        const PortOpenResult missing = link_->Open(8);
        QCOMPARE(missing.Error, PortOpenError::NoSuchPort);
        QVERIFY(!link_->IsOpen());
        QVERIFY(!PortOpenAdvice(missing).isEmpty());
    }

    // Opening asks the driver for low-latency mode; a pseudo-terminal has no
    // such mode, and the port opens and carries an exchange all the same.
    void theLowLatencyRequestIsHarmlessOnAPty() {
        RecordingEngine engine;
        link_->SetEngine(DriveEngine(engine));
        QVERIFY(link_->Open(7).Ok());
        link_->Carry({SendBytes{{'P', 'R', 'O', 'G', 'R', 'A', 'M'}, 3}});
        QCOMPARE(pty_->Read(7), QByteArray("PROGRAM"));
        pty_->Write("ZR\x06");
        QTRY_COMPARE(engine.replies.size(), std::size_t(1));
        QCOMPARE(engine.replies[0], QByteArray("ZR\x06"));
    }

    void aVanishedDeviceDoesNotOpen() {
        QVERIFY(map_->Set(9, dir_->filePath("ttyGone").toStdString()));
        QCOMPARE(link_->Open(9).Error, PortOpenError::NoSuchPort);
    }

    void permissionAdviceNamesTheGroupAndTheCure() {
        const QString advice =
            PortOpenAdvice({PortOpenError::PermissionDenied, "/dev/ttyUSB0", "Permission denied"});
        QVERIFY(advice.contains("/dev/ttyUSB0"));
        QVERIFY(advice.contains("dialout"));
        QVERIFY(advice.contains("sudo usermod -aG dialout $USER"));
        QVERIFY(advice.contains("log out"));
    }

    void aPortWithoutPermissionSaysSo() {
        if (::geteuid() == 0)
            QSKIP("root may open any device");
        QFile device(dir_->filePath("ttyLocked"));
        QVERIFY(device.open(QIODevice::WriteOnly));
        device.close();
        QVERIFY(device.setPermissions(QFileDevice::Permissions()));
        const PortOpenResult result = link_->OpenDevice(device.fileName());
        QCOMPARE(result.Error, PortOpenError::PermissionDenied);
    }

    // Replies are handed over by the threshold of the last command: the first
    // `threshold` bytes once they are all there, the rest kept for the next
    // count, everything dropped when the next command goes out.
    void handsOverTheThresholdsWorthOfBytes() {
        RecordingEngine engine;
        link_->SetEngine(DriveEngine(engine));
        QVERIFY(link_->Open(7).Ok());
        link_->Carry({SendBytes{{0x02}, 5}});
        QCOMPARE(pty_->Read(1), QByteArray("\x02"));

        pty_->Write("abc");
        pty_->Read(1, 200);
        QCOMPARE(engine.replies.size(), std::size_t(0));

        pty_->Write("defg");
        QTRY_COMPARE(engine.replies.size(), std::size_t(1));
        QCOMPARE(engine.replies[0], QByteArray("abcde"));

        pty_->Write("hij");
        QTRY_COMPARE(engine.replies.size(), std::size_t(2));
        QCOMPARE(engine.replies[1], QByteArray("fghij"));

        pty_->Write("kl");
        pty_->Read(1, 200);
        link_->Carry({SendBytes{{0x03}, 3}});
        pty_->Write("mno");
        QTRY_COMPARE(engine.replies.size(), std::size_t(3));
        QCOMPARE(engine.replies[2], QByteArray("mno"));
    }

    void theReplyTimerRunsOutOnceAndCanBeStopped() {
        RecordingEngine engine;
        link_->SetEngine(DriveEngine(engine));
        QVERIFY(link_->Open(7).Ok());
        link_->Carry({StartReplyTimer{30}});
        QTRY_COMPARE(engine.timeouts, 1);
        pty_->Read(1, 200);
        QCOMPARE(engine.timeouts, 1);

        link_->Carry({StartReplyTimer{30}, StopReplyTimer{}});
        pty_->Read(1, 200);
        QCOMPARE(engine.timeouts, 1);
    }

    void theOwnersActionsComeBySignal() {
        QVERIFY(link_->Open(7).Ok());
        QSignalSpy messages(link_.get(), &SerialLink::messageRequested);
        QSignalSpy progress(link_.get(), &SerialLink::progressChanged);
        QSignalSpy passwords(link_.get(), &SerialLink::passwordRequested);
        QSignalSpy finished(link_.get(), &SerialLink::finished);

        link_->Carry({ShowProgress{42}, OpenPasswordDialog{"ab"},
                      ShowMessage{9009, {}, MsgButtons::Ok, MsgIcon::Information},
                      SendBytes{{'E', 'N', 'D'}, 4}, Finished{false}});
        QCOMPARE(progress.size(), 1);
        QCOMPARE(progress[0][0].toInt(), 42);
        QCOMPARE(passwords.size(), 1);
        QCOMPARE(passwords[0][0].value<std::string>(), std::string("ab"));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished[0][0].toBool(), false);
        // The last command goes out before the port closes.
        QVERIFY(!link_->IsOpen());
        QCOMPARE(pty_->Read(3), QByteArray("END"));
    }

    // Actions handed back from a slot wait for the ones still in hand.
    void actionsFromASlotWaitTheirTurn() {
        QVERIFY(link_->Open(7).Ok());
        std::vector<int> order;
        connect(link_.get(), &SerialLink::messageRequested, this, [&](const ShowMessage& m) {
            order.push_back(m.TextId);
            if (m.TextId == 1)
                link_->Carry({ShowProgress{3}});
        });
        connect(link_.get(), &SerialLink::progressChanged, this,
                [&](int percent) { order.push_back(100 + percent); });
        link_->Carry({ShowMessage{1, {}, MsgButtons::Ok, MsgIcon::None}, ShowProgress{2}});
        QCOMPARE(order, (std::vector<int>{1, 102, 103}));
    }

    // The cable pulled in the middle: the port closes, nothing hangs, and the
    // reply timer still brings the exchange its time-outs.
    void aVanishingPortLeavesTheTimeOutsToTheExchange() {
        RecordingEngine engine;
        engine.onTimeout = [] { return LinkActions{SendBytes{{0x02}, 17}, StartReplyTimer{30}}; };
        link_->SetEngine(DriveEngine(engine));
        QVERIFY(link_->Open(7).Ok());
        QSignalSpy lost(link_.get(), &SerialLink::portLost);
        link_->Carry({SendBytes{{0x02}, 17}, StartReplyTimer{100}});
        QCOMPARE(pty_->Read(1), QByteArray("\x02"));

        pty_->CloseMaster();
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY(link_->PortLost());
        QVERIFY(!link_->IsOpen());
        QTRY_VERIFY(engine.timeouts >= 3);
        QVERIFY(engine.replies.empty());
    }

    // A whole read and write through the port, with both kinds of cable,
    // against the simulated radio on the far end.
    void wholeExchangesAgainstTheSimulatedRadio_data() {
        QTest::addColumn<bool>("cableEchoes");
        QTest::newRow("two-wire cable") << false;
        QTest::newRow("one-wire cable, echo") << true;
    }
    void wholeExchangesAgainstTheSimulatedRadio() {
        QFETCH(bool, cableEchoes);
        RadioSim sim;
        sim.SetEcho(cableEchoes);
        for (std::size_t i = 0; i < RadioImage::Size; ++i)
            sim.Memory.bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
        PtyRadio radio(*pty_, sim);

        LinkGlobals globals; // an echo is expected first
        RadioImage image;
        RadioInfoBlock info;
        VersionTable versions{{{"V102", "V102"}}};
        NumberedTexts texts;
        auto run = [&](LinkType type) {
            RadioExchange exchange(type, ExchangeContext{globals, image, info, versions, texts,
                                                         "KAVRO", "25.615 - 30.105 MHz", false});
            link_->SetEngine(DriveEngine(exchange));
            QSignalSpy finished(link_.get(), &SerialLink::finished);
            if (!link_->Open(7).Ok())
                return false;
            link_->Carry(exchange.Start());
            if (!finished.wait(30000))
                return false;
            link_->SetEngine({});
            return finished[0][0].toBool();
        };

        QVERIFY(run(LinkType::Read));
        QCOMPARE(globals.NoEcho, !cableEchoes);
        // The read image: the radio's channel and settings areas.
        QVERIFY(std::equal(image.bytes.begin(), image.bytes.begin() + 0x29E0,
                           sim.Memory.bytes.begin()));

        for (std::size_t i = 0; i < RadioImage::Size; ++i)
            image.bytes[i] = static_cast<std::uint8_t>(i * 13 + 5);
        QVERIFY(run(LinkType::Write));
        QVERIFY(sim.Memory.bytes == image.bytes);
    }
};

QTEST_GUILESS_MAIN(SerialLinkTest)
#include "serial_link_test.moc"
