#include "settings/ui/frm_opt_features.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "settings/ui/form_parts.h"
#include "settings_ui_fixture.h"
#include "shell/ui/frm_main.h"
#include "shell/ui/ui_test_support.h"

namespace velmar {

class FrmOptFeaturesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppContext> app;
    DocRecord& Doc() { return app->Doc.Doc; }
    ChannelInfo& Common() { return app->Doc.Doc.OptFeatures.OptChannel; }

private slots:
    void init() { app = MakeApp(); }

    void ShowsTheDocumentWithoutStoringAnything() {
        Doc().OptFeatures.Word(OptWord::TotTime) = 45;
        Doc().OptFeatures.Word(OptWord::DisplayMode) = 1;
        Doc().OptFeatures.Word(OptWord::FreqStep) = 2;
        Doc().OptFeatures.Word(OptWord::UseCommonCh) = 0;
        Doc().ExtOption = 0;
        Common().RxTone = 64;
        Common().NbAnl = 2; // shows as not ticked
        Common().FmPower15W = 1;
        Common().FmPower = 1;
        const DocRecord before = Doc();

        FrmOptFeatures form(*app);
        QCOMPARE(form.windowTitle(), app->Text(16000));
        QCOMPARE(form.Combo1(ComboTotTime)->currentText(), QString("45"));
        QCOMPARE(form.Combo1(ComboDisplayMode)->currentIndex(), 1);
        QCOMPARE(form.Combo1(ComboStep)->currentText(), QString("100 KHz"));
        QCOMPARE(form.Combo1(ComboRbFunction)->currentText(), app->Text(26030));
        QCOMPARE(form.Combo1(ComboDecode)->currentText(), QString("D065N"));
        QCOMPARE(form.Combo1(ComboDecode)->itemText(0), app->Text(15030));
        QVERIFY(!form.Check1(CheckNbAnl)->isChecked());
        QCOMPARE(form.Combo1(ComboFmPower)->count(), 1);
        QCOMPARE(form.Combo1(ComboFmPower)->currentText(), app->Text(15505));
        QCOMPARE(form.Label1(ComboTotTime)->text(), app->Text(16005));
        QCOMPARE(form.Label1(ComboStep)->text(), QString("Step"));
        QCOMPARE(form.Check1(CheckRepLock)->text(), QString("Rep Enable"));
        QCOMPARE(form.CommandClose()->text(), app->Text(9023));
        QVERIFY(form.findChild<QPushButton*>("CommandHelp")->isHidden());
        QVERIFY(Doc() == before);
    }

    void CommonSettingsAreUsableOnlyWhileTheirBoxIsTicked() {
        Doc().OptFeatures.Word(OptWord::UseCommonCh) = 0;
        FrmOptFeatures form(*app);
        QVERIFY(!form.Frame3()->isEnabled());
        for (QWidget* control : form.Frame3()->findChildren<QWidget*>())
            QVERIFY(!control->isEnabled());

        form.Check1(CheckUseCommonCh)->setChecked(true);
        QCOMPARE(Doc().OptFeatures.Word(OptWord::UseCommonCh), std::int16_t(1));
        for (QWidget* control : form.Frame3()->findChildren<QWidget*>())
            QVERIFY(control->isEnabled());
    }

    void EveryChangeIsStoredAtOnce() {
        FrmOptFeatures form(*app);
        form.Combo1(ComboTotTime)->setCurrentIndex(40);
        QCOMPARE(Doc().OptFeatures.Word(OptWord::TotTime), std::int16_t(600));
        form.Combo1(ComboTotTime)->setCurrentIndex(0);
        QCOMPARE(Doc().OptFeatures.Word(OptWord::TotTime), std::int16_t(0));
        form.Combo1(ComboScanResume)->setCurrentIndex(2);
        QCOMPARE(Doc().OptFeatures.Word(OptWord::ScanResumeTime), std::int16_t(2));
        form.Combo1(ComboRbFunction)->setCurrentIndex(0);
        QCOMPARE(Doc().ExtOption, std::uint8_t(0));
        form.Combo1(ComboEncode)->setCurrentIndex(200);
        QCOMPARE(Common().TxTone, std::int16_t(200));
        form.Check1(CheckAmFmLock)->setChecked(true);
        QCOMPARE(Common().AmFmLock, std::int16_t(1));
    }

    void PowerListsFollowTheLevelBoxes() {
        Common().AmPower4W = 1;
        Common().AmPower15W = 0;
        Common().AmPower = 1;
        FrmOptFeatures form(*app);
        // The 15 W level is not offered: 4 W shows and is stored.
        QCOMPARE(form.Combo1(ComboAmPower)->currentText(), app->Text(15502));
        QCOMPARE(Common().AmPower, std::int16_t(0));

        form.Check1(CheckAmPower15W)->setChecked(true);
        QCOMPARE(form.Combo1(ComboAmPower)->count(), 2);
        form.Combo1(ComboAmPower)->setCurrentIndex(1);
        QCOMPARE(Common().AmPower, std::int16_t(1));

        form.Check1(CheckFmPower4W)->setChecked(true);
        form.Check1(CheckFmPower50W)->setChecked(true);
        form.Combo1(ComboFmPower)->setCurrentIndex(1);
        QCOMPARE(Common().FmPower, std::int16_t(2)); // 50 W in the full list
        form.Check1(CheckFmPower4W)->setChecked(false);
        form.Check1(CheckFmPower50W)->setChecked(false);
        QCOMPARE(form.Combo1(ComboFmPower)->count(), 1);
        QCOMPARE(form.Combo1(ComboFmPower)->currentText(), app->Text(15504));
        QCOMPARE(Common().FmPower, std::int16_t(0));
    }

    void BusyLockoutFollowsTheDecodeTone() {
        Doc().OptFeatures.Word(OptWord::UseCommonCh) = 1;
        Common().RxTone = 12;
        Common().SqlMode = 1;
        Common().BusyLock = 2;
        FrmOptFeatures form(*app);
        QComboBox* busy = form.Combo1(ComboBusyLock);
        QCOMPARE(busy->itemText(2), app->Text(15033));
        QCOMPARE(busy->currentIndex(), 2);

        form.Combo1(ComboDecode)->setCurrentIndex(0);
        QCOMPARE(Common().RxTone, std::int16_t(0));
        QCOMPARE(busy->count(), 2);
        QCOMPARE(busy->currentIndex(), -1);
        QCOMPARE(Common().SqlMode, std::int16_t(0));
        QCOMPARE(Common().BusyLock, std::int16_t(2));

        form.Combo1(ComboDecode)->setCurrentIndex(30);
        QCOMPARE(busy->count(), 3);
        QCOMPARE(busy->itemText(2), app->Text(15032));
        busy->setCurrentIndex(1);
        QCOMPARE(Common().BusyLock, std::int16_t(1));
    }

    // Through the main window, with the keys: a busy-lockout entry picked,
    // then another decode tone; the list always shows the stored value, and
    // no entry for a stored 2 while no decode tone is set.
    void BusyLockoutShowsTheStoredValueWhenTheDecodeToneChanges() {
        test::TestInstall install;
        test::ScriptedSink sink;
        auto context = test::MakeContext(install, sink, EnglishLanguage, true);
        context->InitNewDocument();
        ChannelInfo& common = context->Doc.Doc.OptFeatures.OptChannel;
        {
            FrmMain window(*context);
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            context->Doc.Doc.OptFeatures.Word(OptWord::UseCommonCh) = 1;
            common.RxTone = 12;
            common.BusyLock = 0;
            window.findChild<QAction*>("mnuOptFeature")->trigger();
            auto* form = qobject_cast<FrmOptFeatures*>(context->FindForm(FrmOptFeatures::FormName));
            QVERIFY(form);
            QComboBox* busy = form->Combo1(ComboBusyLock);
            QComboBox* decode = form->Combo1(ComboDecode);
            const auto press = [](QComboBox* box, Qt::Key key) {
                box->setFocus();
                QVERIFY(box->hasFocus());
                QTest::keyClick(QApplication::focusWidget(), key);
            };

            press(busy, Qt::Key_Down);
            QCOMPARE(common.BusyLock, std::int16_t(1));
            press(decode, Qt::Key_Down);
            QCOMPARE(common.RxTone, std::int16_t(13));
            QCOMPARE(busy->currentIndex(), 1);

            press(busy, Qt::Key_End);
            QCOMPARE(common.BusyLock, std::int16_t(2));
            QCOMPARE(busy->currentText(), context->Text(15032));
            press(decode, Qt::Key_Home); // no tone
            QCOMPARE(common.RxTone, std::int16_t(0));
            QCOMPARE(busy->count(), 2);
            QCOMPARE(busy->currentIndex(), -1);
            QCOMPARE(common.BusyLock, std::int16_t(2));
            press(decode, Qt::Key_Down); // a tone again
            QCOMPARE(busy->count(), 3);
            QCOMPARE(busy->currentIndex(), 2);
            QCOMPARE(common.BusyLock, std::int16_t(2));
        }
        test::FlushDeferredDeletes();
    }

    void MainVersionRowsAreAbsentWithoutTheMarker() {
        FrmOptFeatures full(*app);
        auto other = MakeApp({.chinese = false, .mainVersion = false});
        FrmOptFeatures lower(*other);
        for (int combo : {ComboEchoLock, ComboEcho, ComboRbFunction, ComboAmPower, ComboFmPower}) {
            QVERIFY(lower.Combo1(combo)->isHidden());
            QVERIFY(lower.Label1(combo)->isHidden());
            QVERIFY(!full.Combo1(combo)->isHidden());
        }
        for (int check = CheckAmPower4W; check <= CheckFmPower50W; ++check)
            QVERIFY(lower.Check1(check)->isHidden());
        QVERIFY(!lower.Combo1(ComboStep)->isHidden());
        const int rows = Tw(&full, kOptMainVersionRowsTwips);
        QCOMPARE(full.height() - lower.height(), rows);
        QCOMPARE(full.Frame1()->height() - lower.Frame1()->height(), rows);
        QCOMPARE(full.Frame3()->height() - lower.Frame3()->height(), rows);
        QCOMPARE(full.CommandClose()->y() - lower.CommandClose()->y(), rows);
    }

    void LabelsStandToTheLeftOfTheirLists() {
        FrmOptFeatures form(*app);
        for (const auto* rows : {&OptLeftRows(), &OptCommonRows()})
            for (const OptRow& row : *rows) {
                const QLabel* label = form.Label1(row.Combo);
                const QComboBox* combo = form.Combo1(row.Combo);
                QCOMPARE(label->geometry().right() + 1 + Tw(&form, 100), combo->x());
                QVERIFY(label->x() >= 0);
            }
    }

    void EnterMovesTheFocusOn() {
        FrmOptFeatures form(*app);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QComboBox* first = form.Combo1(ComboDisplayMode);
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Return);
        QVERIFY(!first->hasFocus());
        QCOMPARE(first->currentIndex(), Doc().OptFeatures.Word(OptWord::DisplayMode));
    }

    void RogerBeepListFollowsTheValidTips() {
        for (ToneTip& tip : Doc().ToneTips)
            tip.Repeat = 0;
        Doc().ToneTips[4].Repeat = 1;
        Common().RbTone = 5;
        FrmOptFeatures form(*app);
        QCOMPARE(form.RogerBeepList().Entries.size(), std::size_t(2));
        QCOMPARE(form.RogerBeepList().Text(), std::string("5"));
        Doc().ToneTips[4].Repeat = 0;
        form.ShowRBOpt();
        QCOMPARE(form.RogerBeepList().Selected, 0);
        QCOMPARE(Common().RbTone, std::int16_t(5)); // showing repairs nothing
    }
};

} // namespace velmar

QTEST_MAIN(velmar::FrmOptFeaturesTest)
#include "frm_opt_features_test.moc"
