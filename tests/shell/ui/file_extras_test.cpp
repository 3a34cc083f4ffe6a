// The File menu's channel list as CSV, print, preview and PDF, the recent
// documents, Ctrl+S, and "Velmar FILE.dat": used in the real main window,
// with real files in a temporary folder.
#include "shell/ui/ui_test_support.h"

#include "channels/channel_csv.h"
#include "channels/channel_list.h"
#include "channels/channel_values.h"
#include "channels/csv_carried.h"
#include "channels/csv_row.h"
#include "channels/offset_codec.h"
#include "channels/stored_fre_text.h"
#include "model/doc_compare.h"
#include "model/fixed_text.h"
#include "shell/file_io.h"
#include "shell/ui/frm_main.h"
#include "shell/ui/velmar_program.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <fstream>
#include <functional>

using namespace velmar;
using namespace velmar::test;

namespace {

// A channel as the tests enter it, in the values the grid takes.
struct Entry {
    int Group, Pos;
    const char* Rx;
    const char* Offset; // signed, "" for none
    int RxTone, TxTone, AmFm, Power, ScanSkip;
};
// Plain, shifted down and up, CTCSS, DCS both ways, cross tones, AM and FM,
// every power level, scan skip; in ordinary groups and the memory group.
constexpr Entry Entries[] = {
    {0, 2, "27.125", "", 0, 0, 1, 2, 0},     {0, 7, "26.965", "-0.1", 12, 12, 0, 1, 1},
    {3, 5, "29.6", "+0.1", 60, 60, 1, 0, 0}, {5, 1, "28.305", "", 170, 0, 1, 1, 1},
    {14, 3, "27.5", "", 20, 65, 0, 0, 0},    {12, 40, "25.615", "-0.01", 0, 50, 1, 2, 0},
};

std::string ReadText(const QString& path) {
    return ReadWholeFile(path.toStdString()).value_or("");
}

// The text of a PDF as pdftotext finds it.
QString PdfText(const QString& pdf) {
    QProcess process;
    process.start("pdftotext", {"-layout", pdf, "-"});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Runs `work` on the modal dialog of type T once it is up.
template <class T> void WhenModal(const std::function<void(T*)>& work) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, work] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            work(dialog);
        }
    });
    poll->start(20);
}

} // namespace

class FileExtrasTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestInstall> install_;
    ScriptedSink sink_;
    ScriptedChooser chooser_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<FrmMain> main_;
    QDir dir_;

    QAction* Action(const char* name) const { return main_->findChild<QAction*>(name); }
    QString File(const char* name) const { return dir_.filePath(name); }
    QTableWidget* Grid() const {
        QWidget* grid = app_->FindForm("frmCommChInfo");
        return grid ? grid->findChild<QTableWidget*>() : nullptr;
    }
    const ChannelInfo* Channel(int chNo) const {
        const int index = FindChIndex(app_->Doc, chNo);
        return index < 0 ? nullptr : &app_->Doc.ChList[index];
    }

    void OpenWindow(std::int16_t language = EnglishLanguage) {
        app_ = MakeContext(*install_, sink_, language);
        main_ = std::make_unique<FrmMain>(*app_);
        main_->SetFileChooser(chooser_);
        main_->show();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    }

    // The entries stored as the grid and the detail editor store them.
    void EnterChannels() {
        ChannelViews quiet;
        const ChannelEnv env{app_->Messages(), app_->Texts, quiet, true};
        for (const Entry& e : Entries) {
            std::string rx = e.Rx, offset = e.Offset;
            SetChValue(app_->Doc, env, e.Group, e.Pos, ChField::RxFre, rx);
            if (!offset.empty())
                SetChValue(app_->Doc, env, e.Group, e.Pos, ChField::TxFre, offset);
            SetChValue(app_->Doc, env, e.Group, e.Pos, ChField::RxTone, e.RxTone);
            SetChValue(app_->Doc, env, e.Group, e.Pos, ChField::TxTone, e.TxTone);
            SetChValue(app_->Doc, env, e.Group, e.Pos, ChField::AmFm, e.AmFm);
            SetChValue(app_->Doc, env, e.Group, e.Pos,
                       e.AmFm == kModulationAm ? ChField::AmPower : ChField::FmPower, e.Power);
            SetChValue(app_->Doc, env, e.Group, e.Pos, ChField::ScanSkip, e.ScanSkip);
        }
        QVERIFY(sink_.Shown.empty()); // every value in the band and on the raster
    }

    void SaveAs(const QString& path) {
        chooser_.Name = path;
        Action("mnuFileSaveAs")->trigger();
        QVERIFY(QFileInfo::exists(path));
    }

private slots:
    void init() {
        install_ = std::make_unique<TestInstall>();
        dir_ = QDir(QString::fromStdString(install_->Path("")));
        sink_ = ScriptedSink{};
        chooser_ = ScriptedChooser{};
    }
    void cleanup() {
        main_.reset();
        app_.reset();
        install_.reset();
    }

    void exportedChannelsComeBackByImport() {
        OpenWindow();
        EnterChannels();
        std::map<int, Carried> entered;
        for (int i = 0; i < app_->Doc.Doc.ChCount; ++i)
            entered[app_->Doc.ChList[i].ChNo] = CarriedOf(app_->Doc.ChList[i]);
        chooser_.Name = File("channels.csv");
        Action("mnuFileExportCsv")->trigger();
        const std::string exported = ReadText(File("channels.csv"));
        QVERIFY(!exported.empty());

        // A new document, then the file replaces its channel list.
        Action("NewFile")->trigger();
        QTRY_VERIFY(!Channel(GroupStartNo(3) + 5));
        const Document fresh = app_->Doc;
        sink_.Answers = {MsgAnswer::Yes, MsgAnswer::Ok};
        Action("mnuFileImportCsv")->trigger();
        QCOMPARE(sink_.Shown.size(), std::size_t(2));
        QCOMPARE(QString::fromStdString(sink_.Shown.back()),
                 app_->Text(9113) + " " + QString::number(entered.size()));
        std::map<int, Carried> imported;
        for (int i = 0; i < app_->Doc.Doc.ChCount; ++i)
            imported[app_->Doc.ChList[i].ChNo] = CarriedOf(app_->Doc.ChList[i]);
        QVERIFY(imported == entered);
        QCOMPARE(WriteChannelCsv(app_->Doc), exported);
        // The grid (on group 3) shows the imported channels at once.
        QCOMPARE(Grid()->item(4, 1)->text(), QString("29.60000"));

        // The import is one step.
        QCOMPARE(Action("mnuUndo")->text(), app_->Text(10232).replace("%1", app_->Text(32204)));
        Action("mnuUndo")->trigger();
        QCOMPARE(app_->Doc.Doc.ChCount, fresh.Doc.ChCount);
        QVERIFY(std::equal(fresh.ChList.begin(), fresh.ChList.begin() + fresh.Doc.ChCount,
                           app_->Doc.ChList.begin()));
        QCOMPARE(Grid()->item(4, 1)->text(), QString());
    }

    // The reasons come in the window's language; the file's own words (the
    // column and its value) stay as the file has them.
    void refusedRowsAreNamedAndChangeNothing_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("outOfBand"); // the summary's line of row 4
        QTest::newRow("English") << int(EnglishLanguage)
                                 << "Row 4: Frequency \"150.000000\": outside the band 25.615 - "
                                    "30.105 MHz";
        QTest::newRow("Chinese") << int(ChineseLanguage)
                                 << "第4行：Frequency \"150.000000\"：超出频段 25.615 - 30.105 MHz";
    }
    void refusedRowsAreNamedAndChangeNothing() {
        QFETCH(int, language);
        QFETCH(QString, outOfBand);
        OpenWindow(static_cast<std::int16_t>(language));
        EnterChannels();
        const Document before = app_->Doc;
        const int kept = GroupStartNo(0) + 7, added = 130;
        std::ofstream(File("bad.csv").toStdString())
            << "Location,Frequency,Tone,rToneFreq\r\n"
            << kept << ",27.000000,Tone,12.3\r\n" // 2: no such tone
            << added << ",27.130000,,\r\n"        // 3: fine
            << "131,150.000000,,\r\n"             // 4: outside the band
            << added << ",27.150000,,\r\n"        // 5: repeated
            << "133,27.16\r\n"                    // 6: too few fields
            << "0,27.170000,,\r\n";               // 7: no such channel
        chooser_.Name = File("bad.csv");
        sink_.Answers = {MsgAnswer::No, MsgAnswer::Ok}; // merge by number
        Action("mnuFileImportCsv")->trigger();
        QCOMPARE(sink_.Shown.size(), std::size_t(2));
        const QStringList summary = QString::fromStdString(sink_.Shown.back()).split('\n');
        QCOMPARE(summary.value(0), app_->Text(9113) + " 1");
        QCOMPARE(summary.value(1), app_->Text(9114) + " 5");
        const auto line = [&](int row, const QString& reason) {
            return app_->Text(9115).arg(QString::number(row), reason);
        };
        const QStringList refused = {
            line(2, app_->Text(32136).arg("rToneFreq \"12.3\"")),
            line(4, app_->Text(32143).arg("Frequency \"150.000000\"", "25.615", "30.105")),
            line(5, app_->Text(32148).arg("Location \"130\"", "3")),
            line(6, app_->Text(32128).arg("2", "4")),
            line(7, app_->Text(32129).arg("Location \"0\"")),
        };
        QCOMPARE(summary.mid(2), refused);
        QCOMPARE(summary.value(3), outOfBand);

        QCOMPARE(app_->Doc.Doc.ChCount, before.Doc.ChCount + 1);
        QVERIFY(std::equal(before.ChList.begin(), before.ChList.begin() + before.Doc.ChCount,
                           app_->Doc.ChList.begin()));
        QCOMPARE(StoredFreText(Channel(added)->RxFre).value_or(""), std::string("27.13000"));
        for (int chNo : {131, 133})
            QVERIFY(!Channel(chNo));
    }

    void printedPagesHoldEveryChannel_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("grab");
        QTest::newRow("English") << int(EnglishLanguage) << "en";
        QTest::newRow("Chinese") << int(ChineseLanguage) << "zh";
    }
    void printedPagesHoldEveryChannel() {
        QFETCH(int, language);
        QFETCH(QString, grab);
        OpenWindow(static_cast<std::int16_t>(language));
        EnterChannels();
        // Enough channels for more than one page.
        ChannelViews quiet;
        const ChannelEnv env{app_->Messages(), app_->Texts, quiet, true};
        for (int pos = 1; pos <= 40; ++pos) {
            std::string rx = QString::number(28.0 + pos * 0.025, 'f', 3).toStdString();
            SetChValue(app_->Doc, env, 4, pos, ChField::RxFre, rx);
        }

        chooser_.Name = File("list.pdf");
        Action("mnuFileExportPdf")->trigger();
        const QString text = PdfText(File("list.pdf"));
        QVERIFY2(!text.isEmpty(), "pdftotext gave nothing");
        for (int i = 0; i < app_->Doc.Doc.ChCount; ++i) {
            const std::string rx = StoredFreText(app_->Doc.ChList[i].RxFre).value_or("");
            QVERIFY2(text.contains(QString::fromStdString(rx)), rx.c_str());
        }
        for (int id : {32200, 14005, 32202})
            QVERIFY2(text.contains(app_->Text(id)), qPrintable(app_->Text(id)));
        QVERIFY(text.contains(app_->Text(32203).replace("%1", "2").replace("%2", "2")));

        // The preview shows the same pages.
        int previewPages = 0;
        WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
            auto* pages = preview->findChild<QPrintPreviewWidget*>();
            QTest::qWait(200);
            previewPages = pages ? pages->pageCount() : 0;
            const QString folder = qEnvironmentVariable("VELMAR_GRAB_DIR");
            if (!folder.isEmpty() && pages) {
                preview->resize(900, 1000);
                pages->fitInView();
                QTest::qWait(200);
                preview->grab().save(QDir(folder).filePath("print_preview_" + grab + ".png"));
            }
            preview->reject();
        });
        Action("mnuFilePrintPreview")->trigger();
        QCOMPARE(previewPages, 2);
    }

    // The toolbar's Print key prints through the print dialog, here to a file.
    void printKeyPrintsTheList() {
        OpenWindow();
        EnterChannels();
        const QString pdf = File("printed.pdf");
        WhenModal<QPrintDialog>([&](QPrintDialog* dialog) {
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(pdf);
            if (auto* name = dialog->findChild<QLineEdit*>("filename"))
                name->setText(pdf);
            dialog->accept();
        });
        QTest::mouseClick(
            main_->findChild<QToolBar*>("tbToolBar")->widgetForAction(Action("Print")),
            Qt::LeftButton);
        const QString text = PdfText(pdf);
        for (const Entry& e : Entries)
            QVERIFY2(text.contains(QString::number(QString(e.Rx).toDouble(), 'f', 5)), e.Rx);
    }

    void ctrlSSavesWithTheFocusInTheGrid() {
        OpenWindow();
        SaveAs(File("a.dat"));
        QTableWidget* grid = Grid();
        const QRect cell = grid->visualRect(grid->model()->index(2, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        auto* rx = app_->FindForm("frmCommChInfo")->findChild<QLineEdit*>("Text1");
        QTRY_VERIFY(QApplication::focusWidget() == rx);
        rx->selectAll();
        QTest::keyClicks(rx, "27.5");
        sink_.Answers = {MsgAnswer::Ok}; // "a.dat": save the current data to this file?
        QTest::keyClick(rx, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(sink_.Shown.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(sink_.Shown.front()).startsWith("\"a.dat\""));
        QVERIFY(IsDocUnchanged(app_->Doc));
        QVERIFY(ReadText(File("a.fre")).find("02750000") != std::string::npos);
    }

    void recentDocumentsReopen() {
        OpenWindow();
        QVERIFY(!Action("mnuRecentFile1")->isVisible());
        SaveAs(File("a.dat"));
        EnterChannels();
        SaveAs(File("b.dat"));
        QCOMPARE(Action("mnuRecentFile1")->data().toString(), File("b.dat"));
        QCOMPARE(Action("mnuRecentFile2")->data().toString(), File("a.dat"));
        QVERIFY(!Action("mnuRecentFile3")->isVisible());

        // Changed: the question first; Cancel keeps the document.
        ChannelViews quiet;
        const ChannelEnv env{app_->Messages(), app_->Texts, quiet, true};
        SetChValue(app_->Doc, env, 0, 2, ChField::RxTone, 5);
        sink_.Answers = {MsgAnswer::Cancel};
        Action("mnuRecentFile2")->trigger();
        QCOMPARE(QString::fromStdString(app_->Doc.DocFileName), File("b.dat"));
        sink_.Answers = {MsgAnswer::No};
        Action("mnuRecentFile2")->trigger();
        QCOMPARE(sink_.Shown, std::vector<std::string>(2, app_->Texts.GetText(9006)));
        QCOMPARE(QString::fromStdString(app_->Doc.DocFileName), File("a.dat"));
        QVERIFY(!Channel(GroupStartNo(3) + 5)); // a.dat was saved before the entries
        QCOMPARE(Action("mnuRecentFile1")->data().toString(), File("a.dat"));
        QCOMPARE(Action("mnuRecentFile2")->data().toString(), File("b.dat"));

        // The list outlives the window.
        main_.reset();
        main_ = std::make_unique<FrmMain>(*app_);
        QCOMPARE(Action("mnuRecentFile1")->data().toString(), File("a.dat"));
    }

    // Velmar FILE.dat: the whole start-up, then the file is open.
    void commandLineOpensTheFile() {
        OpenWindow();
        EnterChannels();
        SaveAs(File("c.dat"));
        main_.reset();
        app_.reset();
        std::ofstream(install_->Path("language/mysetup.ini"))
            << "[language]\nIsFirstRun=0\ncomPort=1\nCurrentLanguage=1\n";
        QString caption;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* frmMain = qobject_cast<FrmMain*>(window);
                    frmMain && frmMain->isVisible()) {
                    poll.stop();
                    caption = frmMain->windowTitle();
                    frmMain->close();
                }
        });
        poll.start(50);
        const int status = RunVelmar(*qApp, QString::fromStdString(install_->Path("bin")),
                                     DocumentArgument({"Velmar", File("c.dat")}));
        QCOMPARE(status, 0);
        QVERIFY2(caption.endsWith(":c.dat]"), qPrintable(caption));
    }
};

QTEST_MAIN(FileExtrasTest)
#include "file_extras_test.moc"
