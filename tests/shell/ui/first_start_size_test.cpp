// The main window at its first start on a screen large enough for it: every
// child window, opened beside the channel grid as the user opens it, fits
// into the work area whole, its Close key within reach without scrolling. (The small offscreen
// screen of the other window tests is tried in frm_main_test.)
#include "shell/ui/ui_test_support.h"

#include "settings/ui/frm_radio_info.h"
#include "shell/ui/background_area.h"
#include "shell/ui/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

using namespace velmar;
using namespace velmar::test;

namespace {

constexpr int ScreenWidth = 1600;
constexpr int ScreenHeight = 1200;

} // namespace

class FirstStartSizeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestInstall> install_;
    ScriptedSink sink_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<FrmMain> main_;

private slots:
    void init() {
        install_ = std::make_unique<TestInstall>();
        sink_ = ScriptedSink{};
    }
    void cleanup() {
        main_.reset();
        app_.reset();
        install_.reset();
    }

    void everyChildWindowFitsWhole_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("form");
        for (const auto& [language, tag] :
             {std::pair{EnglishLanguage, "english"}, std::pair{ChineseLanguage, "chinese"}}) {
            for (const auto& [entry, form] : {std::pair{"mnuChannelInfo", "frmCommChInfo"},
                                              {"mnuOptFeature", "FrmOptFeatures"},
                                              {"mnuResetInit", "FrmResetMode"},
                                              {"mnuToneTips", "FrmToneTips"},
                                              {"mnuEmbeddedMsg", "FrmEmbMsg"},
                                              {"CommandCHInfoEdit", "FrmCHInfoEdit"},
                                              {"FrmRadioInfo", "FrmRadioInfo"}})
                QTest::addRow("%s %s", tag, form) << int(language) << entry << form;
        }
    }
    void everyChildWindowFitsWhole() {
        QFETCH(int, language);
        QFETCH(QString, entry);
        QFETCH(QString, form);
        QCOMPARE(QApplication::primaryScreen()->geometry(), QRect(0, 0, ScreenWidth, ScreenHeight));
        app_ = MakeContext(*install_, sink_, static_cast<std::int16_t>(language), true);
        main_ = std::make_unique<FrmMain>(*app_);
        main_->show();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        QVERIFY(
            QApplication::primaryScreen()->availableGeometry().contains(main_->frameGeometry()));

        // Beside the channel grid, which is open from the start.
        if (entry == "CommandCHInfoEdit")
            app_->FindForm("frmCommChInfo")->findChild<QPushButton*>(entry)->click();
        else if (entry == "FrmRadioInfo")
            FrmRadioInfo::ShowForm(*app_); // what a radio-information read shows
        else if (entry != "mnuChannelInfo")
            main_->findChild<QAction*>(entry.toUtf8().constData())->trigger();
        QWidget* child = app_->FindForm(form);
        QVERIFY(child);
        auto* frame = qobject_cast<QMdiSubWindow*>(child->parentWidget());
        QVERIFY(frame);
        BackgroundArea* area = main_->ChildArea();
        QVERIFY2(area->viewport()->rect().contains(frame->geometry()),
                 qPrintable(QString("%1 x %2 in %3 x %4")
                                .arg(frame->width())
                                .arg(frame->height())
                                .arg(area->viewport()->width())
                                .arg(area->viewport()->height())));
        QVERIFY(!area->horizontalScrollBar()->isVisible());
        QVERIFY(!area->verticalScrollBar()->isVisible());
    }
};

// The offscreen platform takes its screen from a configuration file, which
// must be named before the application starts.
int main(int argc, char** argv) {
    QTemporaryDir folder;
    const QString config = folder.filePath("screen.json");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(QString(R"({"screens": [{"name": "Big", "x": 0, "y": 0, "width": %1,)"
                       R"( "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96}]})")
                   .arg(ScreenWidth)
                   .arg(ScreenHeight)
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    QApplication app(argc, argv);
    FirstStartSizeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "first_start_size_test.moc"
