// The per-user map of port numbers to devices, and the port names.
#include "link/ui/com_port_map.h"
#include "link/ui/serial_ports.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

using namespace velmar;

namespace {

// Stands for a device: any file that exists.
std::string MakeDevice(const QTemporaryDir& dir, const QString& name) {
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    return file.fileName().toStdString();
}

} // namespace

class ComPortMapTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::string MapPath() const {
        return dir_.filePath("config/velmar/comports.ini").toStdString();
    }

private slots:
    void init() { QFile::remove(QString::fromStdString(MapPath())); }

    // New devices take the lowest free numbers, around numbers set by hand,
    // and keep them in the next run even when they were absent meanwhile.
    void newDevicesTakeTheLowestFreeNumbersForGood() {
        const std::string a = MakeDevice(dir_, "ttyA");
        const std::string b = MakeDevice(dir_, "ttyB");
        const std::string c = MakeDevice(dir_, "ttyC");
        {
            ComPortMap map(MapPath());
            QVERIFY(map.Set(2, c));
            QCOMPARE(map.Refresh({a, b}), (std::vector<int>{1, 2, 3}));
            QCOMPARE(map.Device(1), std::optional<std::string>(a));
            QCOMPARE(map.Device(3), std::optional<std::string>(b));
        }
        QFile::remove(QString::fromStdString(a));
        ComPortMap again(MapPath());
        QCOMPARE(again.Refresh({b}), (std::vector<int>{2, 3}));
        const std::string d = MakeDevice(dir_, "ttyD");
        QCOMPARE(again.Refresh({b, d}), (std::vector<int>{2, 3, 4}));
        QCOMPARE(again.NumberOf(d), std::optional<int>(4));
        QCOMPARE(again.Device(1), std::optional<std::string>(a));
    }

    // A device listed under a link to it is the same device.
    void aLinkToAKnownDeviceGetsNoSecondNumber() {
        const std::string device = MakeDevice(dir_, "ttyUSB0");
        const QString link = dir_.filePath("usb-Cable_1234-if00-port0");
        QFile::remove(link);
        QVERIFY(QFile::link(QString::fromStdString(device), link));
        ComPortMap map(MapPath());
        QVERIFY(map.Set(5, device));
        QCOMPARE(map.Refresh({link.toStdString()}), (std::vector<int>{5}));
        QCOMPARE(map.NumberOf(link.toStdString()), std::optional<int>(5));
    }

    // Both programs share the file: what one sets, the other sees.
    void theFileIsReadAgainBeforeUse() {
        const std::string device = MakeDevice(dir_, "ttyE");
        ComPortMap editor(MapPath());
        ComPortMap factoryTool(MapPath());
        QVERIFY(factoryTool.Set(12, device));
        QCOMPARE(editor.Refresh({}), (std::vector<int>{12}));
    }

    void linesThatNameNoPortAreSkippedAndKept() {
        const std::string device = MakeDevice(dir_, "ttyF");
        QDir().mkpath(QString::fromStdString(MapPath()).section('/', 0, -2));
        {
            std::ofstream file(MapPath());
            file << "; made by hand\n[ComPorts]\nCOM0=" << device << "\nCOM256=" << device
                 << "\nCOMx=" << device << "\nPort3=" << device << "\ncom4=" << device
                 << "\nCOM6=\n";
        }
        ComPortMap map(MapPath());
        QCOMPARE(map.Entries().size(), std::size_t(1));
        QCOMPARE(map.Device(4), std::optional<std::string>(device));
        QVERIFY(map.Set(1, device));
        std::ifstream file(MapPath());
        const std::string text((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
        QVERIFY(text.find("; made by hand") != std::string::npos);
        QVERIFY(text.find("Port3=") != std::string::npos);
    }

    void setRefusesWhatTheMapCannotHold() {
        ComPortMap map(MapPath());
        QVERIFY(!map.Set(0, "/dev/ttyS0"));
        QVERIFY(!map.Set(256, "/dev/ttyS0"));
        QVERIFY(!map.Set(3, ""));
        QVERIFY(!map.Set(3, "/dev/tty\nS0"));
        QVERIFY(map.Entries().empty());
    }

    // When every number is taken, further devices get none.
    void numbersRunOutAt255() {
        ComPortMap map(MapPath());
        std::vector<std::string> devices;
        for (int i = 0; i < 256; ++i)
            devices.push_back("/nonexistent/tty" + std::to_string(i));
        map.Refresh(devices);
        QCOMPARE(map.Entries().size(), std::size_t(ComPortMap::HighestNumber));
        QVERIFY(!map.NumberOf(devices.back()));
    }

    void portNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number"); // 0: none
        QTest::newRow("COM1") << "COM1" << 1;
        QTest::newRow("COM255") << "COM255" << 255;
        QTest::newRow("blank") << "COM 7" << 7;
        QTest::newRow("four digits: three taken") << "COM1234" << 123;
        QTest::newRow("letters") << "COMx" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void portNames() {
        QFETCH(QString, name);
        QFETCH(int, number);
        const auto parsed = PortNumberOfName(name);
        QCOMPARE(parsed.value_or(0), number);
        if (number > 0 && !name.contains(' ') && name.size() <= 6)
            QCOMPARE(PortName(number), name);
    }

    // What the port lists show beside a number: a by-id name without its
    // folder, any other path whole.
    void deviceNames_data() {
        QTest::addColumn<QString>("device"); // empty: no entry
        QTest::addColumn<QString>("shown");
        QTest::newRow("by-id") << "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"
                               << "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
        QTest::newRow("pty") << "/dev/pts/7"
                             << "/dev/pts/7";
        QTest::newRow("device path") << "/dev/ttyUSB0"
                                     << "/dev/ttyUSB0";
        QTest::newRow("the folder alone") << "/dev/serial/by-id/"
                                          << "/dev/serial/by-id/";
        QTest::newRow("a folder of that name elsewhere") << "/tmp/dev/serial/by-id/x"
                                                         << "/tmp/dev/serial/by-id/x";
        QTest::newRow("no entry") << ""
                                  << "";
    }
    void deviceNames() {
        QFETCH(QString, device);
        ComPortMap map(MapPath());
        if (!device.isEmpty())
            QVERIFY(map.Set(4, device.toStdString()));
        QTEST(PortDeviceName(map, 4), "shown");
        QCOMPARE(PortDeviceName(map, 5), QString());
    }

    // Each entry of a port list carries the device of its number, the
    // absent chosen port's too.
    void portListEntriesCarryTheirDevices() {
        ComPortMap map(MapPath());
        QVERIFY(map.Set(2, "/dev/pts/4"));
        QVERIFY(map.Set(5, "/dev/serial/by-id/usb-Prolific_USB-Serial_Controller-if00-port0"));
        const PortListEntries list = PortList({2, 7}, 5, "absent", map);
        QCOMPARE(list.Names, (QStringList{"COM2", "COM5 (absent)", "COM7"}));
        QCOMPARE(list.Devices,
                 (QStringList{"/dev/pts/4", "usb-Prolific_USB-Serial_Controller-if00-port0", ""}));
        QCOMPARE(list.Selected, 1);
    }
};

QTEST_GUILESS_MAIN(ComPortMapTest)
#include "com_port_map_test.moc"
