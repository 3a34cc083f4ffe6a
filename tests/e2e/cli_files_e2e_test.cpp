// The real velmar-cli on files alone, no radio: the channel list out to CSV
// and back in, with and without a base document; rows refused with their
// row numbers, and what is then written or kept; documents and memory images
// printed as JSON; damaged files and wrong command lines with their exit
// codes; the help of every command.
#include "e2e/cli_harness.h"

#include "link/image_conversion.h"
#include "link/memory_image_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace velmar;
using namespace velmar::test;

namespace {

QJsonObject ChannelOf(const QJsonDocument& json, int chNo) {
    for (const QJsonValue& ch : json["Channels"].toArray())
        if (ch["ChNo"].toInt() == chNo)
            return ch.toObject();
    return {};
}

bool WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

} // namespace

class CliFilesE2eTest : public QObject, public CliHarness {
    Q_OBJECT

    // The document a new one starts from (the shipped template), with
    // channels that use every kind of value the CSV layout carries and some
    // it does not. Every channel offers its power level, so that an import
    // of the same values has nothing to add.
    std::unique_ptr<Document> RichDocument() {
        const auto loaded =
            LoadDocument(QString::fromStdString(install_->Path("bin/Init/KAVRO_1_NEW.dat")));
        if (!loaded)
            return nullptr;
        auto doc = std::make_unique<Document>();
        TakeLoadedDocument(*doc, *loaded);
        const auto channel = [&](int chNo, const char* rx) -> ChannelInfo& {
            int index = 0;
            while (index < doc->Doc.ChCount && doc->ChList[index].ChNo != chNo)
                ++index;
            if (index == doc->Doc.ChCount) {
                doc->ChList[index] = NewChannelInfo(chNo);
                ++doc->Doc.ChCount;
            }
            ChannelInfo& ch = doc->ChList[index];
            ch.RxFre = MakeFixStr<8>(rx);
            return ch;
        };
        ChannelInfo& one = channel(1, "02712500"); // the same CTCSS both ways, AM 15 W
        one.RxTone = one.TxTone = 13;
        one.AmPower = 1;
        one.AmPower15W = 1;
        ChannelInfo& dcs = channel(45, "02800000"); // DCS both ways, FM 50 W, not scanned
        dcs.RxTone = dcs.TxTone = 60;
        dcs.AmFm = 1;
        dcs.FmPower = 2;
        dcs.FmPower50W = 1;
        dcs.ScanSkip = 1;
        dcs.Scrambler = 1; // not in the layout
        dcs.BusyLock = 2;
        ChannelInfo& plus = channel(130, "02650000"); // +1 MHz, inverted DCS sent only
        plus.ShiftDir = 2;
        plus.Offset = MakeFixStr<7>("0100000");
        plus.TxTone = 160;
        plus.AmPower4W = 1;
        ChannelInfo& minus = channel(300, "02999000"); // -0.1 MHz, two CTCSS tones
        minus.ShiftDir = 1;
        minus.Offset = MakeFixStr<7>("0010000");
        minus.RxTone = 5;
        minus.TxTone = 20;
        minus.AmPower4W = 1;
        channel(521, "02786000").AmPower4W = 1;
        return doc;
    }

    QString ChineseText(int id) const {
        return QString::fromStdString(ReadIniValue(install_->Path("bin/language/chinese.ini"),
                                                   id >= 32000 ? "Others" : "Msg",
                                                   std::to_string(id)));
    }

private slots:
    void initTestCase() { QVERIFY(InstallCli()); }
    void init() { NewFolder(); }
    void cleanup() { DropFolder(); }

    void theChannelListGoesToCsvAndBack() {
        const auto doc = RichDocument();
        QVERIFY(doc);
        QVERIFY(SaveDocument(*doc, File("radio.dat")));
        const Outcome exported = Run({"export-csv", File("radio.dat"), File("radio.csv")});
        QCOMPARE(exported.Code, 0);
        QCOMPARE(exported.Out, Text(32116) + " " + File("radio.csv") + "\n");
        const QByteArray csv = FileBytes(File("radio.csv"));
        QVERIFY(csv.contains("\r\n130,,26.500000,+,1.000000,"));
        QVERIFY(csv.contains("\r\n300,,29.990000,-,0.100000,"));

        // Onto the original: the document comes back byte for byte, what the
        // layout does not carry included.
        QCOMPARE(
            Run({"import-csv", File("radio.csv"), File("back.dat"), "--base", File("radio.dat")})
                .Code,
            0);
        QCOMPARE(FileBytes(File("back.fre")), FileBytes(File("radio.fre")));
        QCOMPARE(FileBytes(File("back.dat")), FileBytes(File("radio.dat")));

        // Into a new document: every value the layout carries.
        const Outcome fresh = Run({"import-csv", File("radio.csv"), File("new.dat")});
        QCOMPARE(fresh.Code, 0);
        QCOMPARE(fresh.Out, Text(32116) + " " + File("new.dat") + "\n");
        QCOMPARE(Run({"export-csv", File("new.dat"), File("new.csv")}).Code, 0);
        QCOMPARE(FileBytes(File("new.csv")), csv);

        // Edited, onto the original: the row changes its channel, the rest stays.
        QByteArray edited = csv;
        edited.replace("\r\n300,,29.990000,", "\r\n300,,29.950000,");
        QVERIFY(WriteText(File("edited.csv"), edited));
        QCOMPARE(
            Run({"import-csv", File("edited.csv"), File("edited.dat"), "--base", File("radio.dat")})
                .Code,
            0);
        const auto back = LoadDocument(File("edited.dat"));
        QVERIFY(back);
        QCOMPARE(TrimFixStr(FindChannel(*back, 300)->RxFre), std::string("02995000"));
        QCOMPARE(FindChannel(*back, 300)->RxTone, std::int16_t(5));
        QCOMPARE(FindChannel(*back, 45)->Scrambler, std::int16_t(1));
        QCOMPARE(back->Channels.size(), std::size_t(doc->Doc.ChCount));
    }

    // OUT.dat exists before each import; it is replaced only when the import
    // writes.
    void refusedRowsAreListedAndWriteNothingUnlessForced_data() {
        QTest::addColumn<QString>("csv"); // the file imported, of those the test writes
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("said");   // what standard error holds
        QTest::addColumn<QList<int>>("written"); // the channels OUT then holds beside the VFO

        const QString outOfBand = "Frequency \"99.000000\"";
        const QStringList reasons = {"Row 3: " + Text(32143).arg(outOfBand, "25.615", "30.105"),
                                     "Row 4: " +
                                         Text(32144).arg("Frequency \"28.001000\"", "28.000000"),
                                     "Row 5: " + Text(32136).arg("rToneFreq \"12.3\""),
                                     "Row 6: " + Text(32128).arg("3", "21"),
                                     "Row 7: " + Text(32148).arg("Location \"45\"", "2")};
        QTest::newRow("refused rows")
            << "bad.csv" << QStringList{} << 3 << (QStringList(reasons) << "Rows refused: 5.")
            << QList<int>{};
        QTest::newRow("refused rows, --force")
            << "bad.csv" << QStringList{"--force"} << 0
            << (QStringList(reasons) << "Rows refused and left out: 5") << QList<int>{45, 50};
        QTest::newRow("refused rows, in Chinese")
            << "bad.csv" << QStringList{"--lang", "zh"} << 3
            << QStringList{ChineseText(32121).arg(
                   "3", ChineseText(32143).arg(outOfBand, "25.615", "30.105"))}
            << QList<int>{};
        QTest::newRow("no usable header, after blank lines")
            << "noheader.csv" << QStringList{"--force"} << 3
            << QStringList{"Row 3: " + Text(9119).arg("Location"), Text(32125)} << QList<int>{};
        QTest::newRow("empty file")
            << "empty.csv" << QStringList{"--force"} << 3
            << QStringList{"Row 1: " + Text(9116), Text(32125)} << QList<int>{};
        QTest::newRow("too large") << "huge.csv" << QStringList{"--force"} << 3
                                   << QStringList{"huge.csv: " + Text(32126)} << QList<int>{};
        QTest::newRow("missing file") << "missing.csv" << QStringList{"--force"} << 3
                                      << QStringList{"missing.csv: " + Text(9002)} << QList<int>{};
    }
    void refusedRowsAreListedAndWriteNothingUnlessForced() {
        QFETCH(QString, csv);
        QFETCH(QStringList, options);
        QFETCH(int, code);
        QFETCH(QStringList, said);
        QFETCH(QList<int>, written);
        const QByteArray header = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                                  "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,"
                                  "Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";
        QVERIFY(WriteText(File("bad.csv"),
                          header + "45,,28.000000,,,,,,,,,,FM,,,,,,,,\r\n"       // row 2: good
                                   "46,,99.000000,,,,,,,,,,,,,,,,,,\r\n"         // out of band
                                   "47,,28.001000,,,,,,,,,,,,,,,,,,\r\n"         // off the raster
                                   "48,,28.000000,,,Tone,12.3,,,,,,,,,,,,,,\r\n" // no such tone
                                   "49,,28.0\r\n"                                // fields missing
                                   "45,,28.100000,,,,,,,,,,,,,,,,,,\r\n"         // repeated
                                   "50,,28.050000,,,,,,,,,,,,,,,,,,\r\n"));      // row 8: good
        QVERIFY(WriteText(File("noheader.csv"), "\r\n\r\nFrequency,Duplex\r\n28.000000,\r\n"));
        QVERIFY(WriteText(File("empty.csv"), {}));
        // a header, then nothing for 17 MiB
        QVERIFY(WriteText(File("huge.csv"), header) && QFile::resize(File("huge.csv"), 17 << 20));
        QVERIFY(SaveDocument(*MakeDocument("02761125", "02800000"), File("out.dat")));
        const QByteArray oldData = FileBytes(File("out.dat"));
        const QByteArray oldChannels = FileBytes(File("out.fre"));

        const Outcome import = Run(QStringList{"import-csv", File(csv), File("out.dat")} + options);
        QCOMPARE(import.Code, code);
        for (const QString& text : said)
            QVERIFY2(import.Err.contains(text), qPrintable(text + " not in:\n" + import.Err));
        if (written.isEmpty()) {
            QCOMPARE(import.Out, QString());
            QCOMPARE(FileBytes(File("out.dat")), oldData);
            QCOMPARE(FileBytes(File("out.fre")), oldChannels);
            return;
        }
        QCOMPARE(import.Out, Text(32116) + " " + File("out.dat") + "\n");
        const auto doc = LoadDocument(File("out.dat"));
        QVERIFY(doc);
        QList<int> channels;
        for (const ChannelInfo& ch : doc->Channels)
            if (ch.ChNo != 521)
                channels << ch.ChNo;
        std::sort(channels.begin(), channels.end());
        QCOMPARE(channels, written);
        QCOMPARE(TrimFixStr(FindChannel(*doc, 50)->RxFre), std::string("02805000"));
        QCOMPARE(FindChannel(*doc, 45)->AmFm, std::int16_t(1));
    }

    void dumpPrintsTheDocumentAsJson_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("data file") << "radio.dat";
        QTest::newRow("memory image") << "radio.img";
    }
    void dumpPrintsTheDocumentAsJson() {
        QFETCH(QString, file);
        auto doc = MakeDocument("02761125", "02800000");
        QVERIFY(SaveDocument(*doc, File("radio.dat")));
        MemoryImage memory;
        QVERIFY(BuildImage(*doc, memory.Image).Ok());
        memory.InfoBlock.bytes.fill(0xFF);
        RadioInfoRecord info;
        info.SerialNo = MakeFixStr<16>("SN-0042");
        EncodeRadioInfo(info, memory.InfoBlock);
        QVERIFY(WriteMemoryImageFile(File("radio.img").toStdString(), memory));

        const Outcome dump = Run({"dump", File(file)});
        QCOMPARE(dump.Code, 0);
        QJsonParseError error;
        const QJsonDocument json = QJsonDocument::fromJson(dump.Out.toUtf8(), &error);
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
        QCOMPARE(json["ModelName"].toString(), QString("KAVRO"));
        const QJsonObject one = ChannelOf(json, 1);
        QCOMPARE(one["RxMHz"].toDouble(), 27.61125);
        QCOMPARE(one["Stored"]["RxFre"].toString(), QString("02761125"));
        const QJsonObject tone = ChannelOf(json, 45);
        QCOMPARE(tone["RxMHz"].toDouble(), 28.0);
        QCOMPARE(tone["Stored"]["RxTone"].toInt(), 13);
        QCOMPARE(tone["RxToneName"].toString(), QString("100.0"));
        QVERIFY(!ChannelOf(json, 521).isEmpty());
        if (file.endsWith(".img"))
            QCOMPARE(json["RadioInfo"]["SerialNo"].toString(), QString("SN-0042"));
    }

    // Nothing is written, and the message says why.
    void badFilesAndCommandLinesEndWithTheirExitCode_data() {
        QTest::addColumn<QStringList>("arguments"); // FILE: names a file of the test's folder
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message"); // a text id, or words the message holds

        QTest::newRow("dump: damaged data file")
            << QStringList{"dump", "FILE:short.dat"} << 3 << "9033";
        QTest::newRow("dump: no version tag")
            << QStringList{"dump", "FILE:untagged.dat"} << 3 << "9065";
        QTest::newRow("dump: missing data file")
            << QStringList{"dump", "FILE:missing.dat"} << 3 << "9002";
        QTest::newRow("dump: damaged memory image")
            << QStringList{"dump", "FILE:short.img"} << 3 << "32114";
        QTest::newRow("dump: missing memory image")
            << QStringList{"dump", "FILE:missing.img"} << 3 << "9002";
        QTest::newRow("export-csv: damaged data file")
            << QStringList{"export-csv", "FILE:short.dat", "FILE:out.csv"} << 3 << "9033";
        QTest::newRow("import-csv: damaged base")
            << QStringList{"import-csv", "FILE:good.csv", "FILE:out.dat", "--base",
                           "FILE:short.dat"}
            << 3 << "9033";
        QTest::newRow("import-csv: a folder for a file")
            << QStringList{"import-csv", "FILE:folder.csv", "FILE:out.dat"} << 3 << "9002";
        QTest::newRow("dump: neither data file nor image")
            << QStringList{"dump", "FILE:good.csv"} << 2 << ".img";
        QTest::newRow("dump: two files")
            << QStringList{"dump", "FILE:good.dat", "FILE:good.dat"} << 2 << "dump takes";
        QTest::newRow("export-csv: a data file to write")
            << QStringList{"export-csv", "FILE:good.dat", "FILE:out.dat"} << 2 << "OUT.csv";
        QTest::newRow("import-csv: the files swapped")
            << QStringList{"import-csv", "FILE:good.dat", "FILE:out.csv"} << 2 << "IN.csv";
        QTest::newRow("import-csv: a base that is no data file")
            << QStringList{"import-csv", "FILE:good.csv", "FILE:out.dat", "--base", "FILE:good.img"}
            << 2 << "base";
        QTest::newRow("export-csv: --force")
            << QStringList{"export-csv", "FILE:good.dat", "FILE:out.csv", "--force"} << 2
            << "force";
    }
    void badFilesAndCommandLinesEndWithTheirExitCode() {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        QVERIFY(SaveDocument(*MakeDocument("02761125", "02800000"), File("good.dat")));
        QCOMPARE(Run({"export-csv", File("good.dat"), File("good.csv")}).Code, 0);
        QCOMPARE(Run({"image", File("good.dat"), File("good.img")}).Code, 0);
        QVERIFY(QFile::copy(File("good.dat"), File("short.dat")));
        QVERIFY(QFile::resize(File("short.dat"), 1752));
        QByteArray untagged = FileBytes(File("good.dat"));
        untagged.replace(0, 4, QByteArray(4, '\0'));
        QVERIFY(WriteText(File("untagged.dat"), untagged));
        QVERIFY(QFile::copy(File("good.img"), File("short.img")));
        QVERIFY(QFile::resize(File("short.img"), 11264));
        QVERIFY(QDir().mkdir(File("folder.csv")));
        for (QString& argument : arguments)
            if (argument.startsWith("FILE:"))
                argument = File(argument.mid(5));

        const Outcome outcome = Run(arguments);
        QCOMPARE(outcome.Code, code);
        QVERIFY2(outcome.Err.contains(Expected(message)), qPrintable(outcome.Err));
        QCOMPARE(outcome.Out, QString());
        for (const char* out : {"out.dat", "out.fre", "out.csv"})
            QVERIFY(!QFile::exists(File(out)));
    }

    void everyCommandHasItsHelp_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("usage");
        QTest::newRow("dump") << "dump"
                              << "FILE.dat | FILE.img";
        QTest::newRow("export-csv") << "export-csv"
                                    << "IN.dat OUT.csv";
        QTest::newRow("import-csv") << "import-csv"
                                    << "IN.csv OUT.dat";
    }
    void everyCommandHasItsHelp() {
        QFETCH(QString, command);
        QFETCH(QString, usage);
        const Outcome general = Run({"--help"});
        QCOMPARE(general.Code, 0);
        QVERIFY(general.Out.contains("\n  " + command + " "));
        const Outcome help = Run({command, "--help"});
        QCOMPARE(help.Code, 0);
        QVERIFY2(help.Out.startsWith("Usage: velmar-cli " + command + " [options] " + usage + "\n"),
                 qPrintable(help.Out));
        QCOMPARE(help.Out.contains("--base"), command == "import-csv");
        QCOMPARE(help.Out.contains("--force"), command == "import-csv");
    }
};

QTEST_MAIN(CliFilesE2eTest)
#include "cli_files_e2e_test.moc"
