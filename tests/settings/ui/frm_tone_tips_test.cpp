#include "settings/ui/frm_tone_tips.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QtTest>

#include "channels/channel_list.h"
#include "channels/tone_tip_refs.h"
#include "settings/ui/frm_opt_features.h"
#include "settings/ui/tone_chart.h"
#include "settings/ui/tone_output.h"
#include "settings/ui/tone_tip_player.h"
#include "settings_ui_fixture.h"
#include "shell/ui/frm_main.h"
#include "shell/ui/ui_test_support.h"

namespace velmar {

// Keeps what the tone generator was asked to do.
class RecordingToneOutput : public ToneOutput {
public:
    void StartTone(int hz, int ms) override { calls.push_back({hz, ms}); }
    void StopTone() override { calls.push_back({0, 0}); }
    std::vector<std::pair<int, int>> calls; // {0, 0}: stop
};

class FrmToneTipsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppContext> app;
    DocRecord& Doc() { return app->Doc.Doc; }
    // The tips named hold one item of 100 ms played once; the others are off.
    void OnlyValidTips(std::initializer_list<int> tips) {
        for (int n = 1; n <= 8; ++n)
            Doc().ToneTips[n - 1].Repeat = 0;
        for (int n : tips) {
            Doc().ToneTips[n - 1] = ToneTip{};
            Doc().ToneTips[n - 1].Repeat = 1;
            Doc().ToneTips[n - 1].Items[0] = {100, 10};
        }
    }
    // The steps a play went through: {item, hz}.
    static std::vector<std::pair<int, int>> Steps(const QSignalSpy& spy) {
        std::vector<std::pair<int, int>> steps;
        for (const QList<QVariant>& args : spy)
            steps.push_back({args[0].toInt(), args[1].toInt()});
        return steps;
    }

private slots:
    void init() { app = MakeApp(); }

    void ShowsTheTipOfTheSelectedTab() {
        const DocRecord before = Doc();
        RecordingToneOutput output;
        FrmToneTips form(*app, output);
        QCOMPARE(form.windowTitle(), app->Text(29000));
        QCOMPARE(form.TabStrip1()->count(), 8);
        QCOMPARE(form.TabStrip1()->tabText(3), app->Text(29001) + " 4");
        QCOMPARE(form.CurrentTip, 1);
        // Tip 1 of a new document: 2100 Hz and silence, 100 ms each, once.
        QCOMPARE(form.Combo1()->currentText(), QString("1"));
        QCOMPARE(form.Combo2()->currentText(), QString("0"));
        QCOMPARE(form.Combo3(0)->currentText(), QString("2100"));
        QCOMPARE(form.Combo3(1)->currentText(), app->Text(29201));
        QCOMPARE(form.Combo4(0)->currentText(), QString("100"));
        QCOMPARE(form.Combo4(7)->currentText(), QString("0"));
        QCOMPARE(form.Label5(13)->text(), app->Text(29113));

        form.TabStrip1()->setCurrentIndex(3);
        QCOMPARE(form.CurrentTip, 4);
        QCOMPARE(form.Combo3(0)->currentText(), QString("640"));
        QCOMPARE(form.Combo4(4)->currentText(), QString("60"));
        QVERIFY(Doc() == before);
    }

    void AToneTheListDoesNotOfferBecomesSilence() {
        Doc().ToneTips[0].Items[0].Tone = 30;
        RecordingToneOutput output;
        FrmToneTips form(*app, output);
        QCOMPARE(form.Combo3(0)->currentIndex(), 0);
        QCOMPARE(Doc().ToneTips[0].Items[0].Tone, std::int16_t(0));
    }

    void EveryChangeIsStoredAtOnce() {
        RecordingToneOutput output;
        FrmToneTips form(*app, output);
        form.TabStrip1()->setCurrentIndex(1);
        form.Combo2()->setCurrentIndex(25);
        QCOMPARE(Doc().ToneTips[1].Interval, std::int16_t(25));
        form.Combo3(2)->setCurrentText("500");
        QCOMPARE(Doc().ToneTips[1].Items[2].Tone, std::int16_t(50));
        form.Combo4(2)->setCurrentIndex(255);
        QCOMPARE(Doc().ToneTips[1].Items[2].Length, std::int16_t(255));
        form.Combo1()->setCurrentIndex(10);
        QCOMPARE(Doc().ToneTips[1].Repeat, std::int16_t(10));
    }

    void TheLastValidTipCannotBeSwitchedOff() {
        OnlyValidTips({1});
        RecordingToneOutput output;
        FrmToneTips form(*app, output);
        form.Combo1()->setCurrentIndex(0);
        QCOMPARE(Doc().ToneTips[0].Repeat, std::int16_t(1));
        QCOMPARE(form.Combo1()->currentIndex(), 1);
        form.Combo4(0)->setCurrentIndex(0);
        QCOMPARE(Doc().ToneTips[0].Items[0].Length, std::int16_t(10));
        QCOMPARE(form.Combo4(0)->currentIndex(), 10);
    }

    void ReferencesToATipSwitchedOffMoveToTheLowestValidTip() {
        OnlyValidTips({2, 5});
        Document& document = app->Doc;
        for (int i = 0; i < UsedChCount(document); ++i)
            document.ChList[i].RbTone = 2;
        Doc().OptFeatures.OptChannel.RbTone = 2;
        auto* options = FrmOptFeatures::ShowForm(*app);
        QCOMPARE(options->RogerBeepList().Text(), std::string("2"));

        RecordingToneOutput output;
        FrmToneTips form(*app, output);
        form.TabStrip1()->setCurrentIndex(1);
        form.Combo1()->setCurrentIndex(0);
        QCOMPARE(Doc().ToneTips[1].Repeat, std::int16_t(0));
        for (int i = 0; i < UsedChCount(document); ++i)
            QCOMPARE(document.ChList[i].RbTone, std::int16_t(5));
        QCOMPARE(Doc().OptFeatures.OptChannel.RbTone, std::int16_t(5));
        // The open optional-features window shows the repaired choice.
        QCOMPARE(options->RogerBeepList().Entries.size(), std::size_t(2));
        QCOMPARE(options->RogerBeepList().Text(), std::string("5"));
        app->CloseCurAllWindows();
    }

    void PlaysTheItemsInOrderThenEnables() {
        ToneTip& tip = Doc().ToneTips[0];
        tip = ToneTip{};
        tip.Items[0] = {100, 3}; // 1000 Hz
        tip.Items[1] = {0, 2};   // silence
        tip.Items[2] = {120, 0}; // unused
        tip.Items[3] = {150, 2}; // 1500 Hz
        tip.Repeat = 2;
        tip.Interval = 2;
        RecordingToneOutput output;
        FrmToneTips form(*app, output);
        QSignalSpy steps(&form.Player(), &TipPlayer::StepStarted);
        QSignalSpy finished(&form.Player(), &TipPlayer::Finished);
        form.Command1()->click();
        QVERIFY(!form.Command1()->isEnabled());
        QVERIFY(finished.wait(10000));
        const std::vector<std::pair<int, int>> onePlay{{1, 1000}, {2, 0}, {4, 1500}, {0, 0}};
        std::vector<std::pair<int, int>> expected = onePlay;
        expected.insert(expected.end(), onePlay.begin(), onePlay.end());
        QCOMPARE(Steps(steps), expected);
        QVERIFY(form.Command1()->isEnabled());
        // The generator sounded the tones and was silent for the rest.
        QCOMPARE(output.calls.front(), (std::pair<int, int>{1000, 30}));
        QCOMPARE(output.calls.back(), (std::pair<int, int>{0, 0}));
    }

    void PlaysSilentlyWithoutAudioDevice() {
        // The sound card's output: without a device the play keeps its steps
        // and ends as it would with sound.
        FrmToneTips form(*app);
        QSignalSpy steps(&form.Player(), &TipPlayer::StepStarted);
        QSignalSpy finished(&form.Player(), &TipPlayer::Finished);
        form.Command1()->click();
        QVERIFY(finished.wait(10000));
        QCOMPARE(steps.count(), 7); // tip 1 of a new document: seven items, no pause
        QCOMPARE(steps.first()[1].toInt(), 2100);
        QVERIFY(form.Command1()->isEnabled());
    }

    void StopEndsThePlayBeforeTheNextItem() {
        ToneTip& tip = Doc().ToneTips[0];
        tip.Repeat = 10;
        RecordingToneOutput output;
        FrmToneTips form(*app, output);
        QSignalSpy steps(&form.Player(), &TipPlayer::StepStarted);
        QSignalSpy finished(&form.Player(), &TipPlayer::Finished);
        form.Command1()->click();
        QCOMPARE(steps.count(), 1);
        form.Command2()->click();
        QVERIFY(form.Command1()->isEnabled());
        QVERIFY(finished.wait(10000));
        QCOMPARE(steps.count(), 1);
    }

    void ATipWithoutLengthNeitherPlaysNorDraws() {
        ToneTip& tip = Doc().ToneTips[5];
        tip = ToneTip{};
        tip.Repeat = 1;
        RecordingToneOutput output;
        FrmToneTips form(*app, output);
        form.TabStrip1()->setCurrentIndex(5);
        QSignalSpy steps(&form.Player(), &TipPlayer::StepStarted);
        form.Command1()->click();
        QVERIFY(form.Command1()->isEnabled());
        QCOMPARE(steps.count(), 0);
        QVERIFY(!form.Player().IsPlaying());

        const QImage blank = form.Picture1()->grab().toImage();
        for (int y = 0; y < blank.height(); y += 3)
            for (int x = 0; x < blank.width(); x += 3)
                QCOMPARE(blank.pixelColor(x, y), QColor(Qt::white));
    }

    void TheChartDrawsOddItemsRedAndEvenItemsBlue() {
        ToneTip& tip = Doc().ToneTips[0];
        tip = ToneTip{};
        tip.Items[0] = {255, 10};
        tip.Items[1] = {255, 10};
        tip.Repeat = 1;
        RecordingToneOutput output;
        FrmToneTips form(*app, output);
        const QImage chart = form.Picture1()->grab().toImage();
        const int y = chart.height() / 2;
        QCOMPARE(chart.pixelColor(chart.width() / 4, y), QColor(Qt::red));
        QCOMPARE(chart.pixelColor(chart.width() * 3 / 4, y), QColor(Qt::blue));
        QCOMPARE(chart.pixelColor(1, 1), QColor(Qt::white));
    }

    // Through the main window, with the keys: while tip 1 is the only valid
    // tip, entry 0 of its repeat list and of every length list is refused,
    // even for an item whose length is not the tip's last; once tip 2 is
    // valid too, a length of 0 is taken.
    void TheOnlyValidTipRefusesEntryZeroFromTheKeys() {
        test::TestInstall install;
        test::ScriptedSink sink;
        auto context = test::MakeContext(install, sink, EnglishLanguage, true);
        context->InitNewDocument();
        DocRecord& doc = context->Doc.Doc;
        {
            FrmMain window(*context);
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            for (ToneTip& tip : doc.ToneTips)
                tip = ToneTip{};
            doc.ToneTips[0].Repeat = 1;
            doc.ToneTips[0].Items[0] = {100, 10};
            doc.ToneTips[0].Items[1] = {120, 5};
            window.findChild<QAction*>("mnuToneTips")->trigger();
            auto* form = qobject_cast<FrmToneTips*>(context->FindForm(FrmToneTips::FormName));
            QVERIFY(form);
            const auto press = [](QComboBox* box, Qt::Key key) {
                box->setFocus();
                QVERIFY(box->hasFocus());
                QTest::keyClick(QApplication::focusWidget(), key);
            };
            const DocRecord before = doc;
            press(form->Combo4(1), Qt::Key_Home);
            QCOMPARE(form->Combo4(1)->currentIndex(), 5);
            press(form->Combo4(0), Qt::Key_Home);
            QCOMPARE(form->Combo4(0)->currentIndex(), 10);
            press(form->Combo1(), Qt::Key_Home);
            QCOMPARE(form->Combo1()->currentIndex(), 1);
            QVERIFY(doc == before);

            // Tip 2 made valid on its own tab, then back to tip 1.
            QTabBar* tabs = form->TabStrip1();
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
            QCOMPARE(form->CurrentTip, 2);
            press(form->Combo1(), Qt::Key_Down);
            press(form->Combo4(0), Qt::Key_Down);
            QCOMPARE(CountToneTips(doc), 2);
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
            press(form->Combo4(1), Qt::Key_Home);
            QCOMPARE(doc.ToneTips[0].Items[1].Length, std::int16_t(0));
            QCOMPARE(form->Combo4(1)->currentIndex(), 0);
        }
        test::FlushDeferredDeletes();
    }
};

} // namespace velmar

QTEST_MAIN(velmar::FrmToneTipsTest)
#include "frm_tone_tips_test.moc"
