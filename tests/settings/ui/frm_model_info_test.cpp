#include "settings/ui/frm_model_info.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "settings_ui_fixture.h"

namespace velmar {

class FrmModelInfoTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppContext> app;
    ScriptedSink sink;
    Document& Doc() { return app->Doc; }

    // Runs the dialog as the menu does; `choose` picks in the open dialog,
    // then OK is pressed.
    void RunDialog(const std::function<void(FrmModelInfo&)>& choose) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<FrmModelInfo*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            choose(*dialog);
            dialog->CommandOK()->click();
        });
        FrmModelInfo::ShowModal(*app, nullptr);
    }

    // A document that differs from a new one, so that replacing it shows.
    void ChangeDocument() {
        Doc().Doc.ExtOption = 0;
        Doc().DocFileName = "radio.dat";
        Doc().IsNewDocument = false;
    }

private slots:
    void init() {
        app = MakeApp();
        sink = ScriptedSink();
        app->SetMessageSink(&sink);
    }

    void ShowsTheModelAndBand() {
        FrmModelInfo dialog(*app);
        QCOMPARE(dialog.windowTitle(), app->Text(13000));
        QCOMPARE(dialog.Combo1()->currentText(), QString("KAVRO"));
        QCOMPARE(dialog.Combo2()->currentText(), QString("25.615 - 30.105 MHz"));
        QCOMPARE(dialog.CommandOK()->text(), app->Text(9017));
        QCOMPARE(dialog.CommandCancel()->text(), app->Text(9018));
    }

    void ConfirmingWithoutChangeKeepsTheDocument() {
        ChangeDocument();
        RunDialog([](FrmModelInfo&) {});
        QVERIFY(sink.shown.empty());
        QCOMPARE(Doc().DocFileName, std::string("radio.dat"));
        QCOMPARE(Doc().Doc.ExtOption, std::uint8_t(0));
    }

    void AnEmptyBandConfirmedUnchangedKeepsTheDocument() {
        ChangeDocument();
        Doc().BandText.clear();
        FrmModelInfo dialog(*app);
        QCOMPARE(dialog.Combo2()->currentIndex(), -1);
        RunDialog([](FrmModelInfo&) {});
        QVERIFY(sink.shown.empty());
        QCOMPARE(Doc().DocFileName, std::string("radio.dat"));
    }

    void ChoosingTheBandAsksThenStartsANewDocument() {
        ChangeDocument();
        Doc().BandText.clear();
        Doc().BandLow = 100;
        Doc().BandHigh = 500;
        Doc().Doc.ModelInfo.BandCode = 0;
        RunDialog([](FrmModelInfo& dialog) { dialog.Combo2()->setCurrentIndex(0); });
        QCOMPARE(sink.shown.size(), std::size_t(1));
        QCOMPARE(sink.shown[0].text, app->Texts.GetText(9016));
        QCOMPARE(sink.shown[0].buttons, MsgButtons::OkCancel);
        QCOMPARE(sink.shown[0].icon, MsgIcon::Warning);
        QCOMPARE(Doc().BandText, std::string("25.615 - 30.105 MHz"));
        QCOMPARE(Doc().BandLow, 25.615);
        QCOMPARE(Doc().RadioInfo.BandCode, std::int16_t(1));
        // A new document for the model and band.
        QCOMPARE(Doc().DocFileName, std::string("new.dat"));
        QVERIFY(Doc().IsNewDocument);
        QCOMPARE(Doc().Doc.ModelInfo.BandCode, std::int16_t(1));
        QCOMPARE(Doc().Doc.ExtOption, std::uint8_t(1));
    }

    void CancelInTheQuestionChangesNothing() {
        ChangeDocument();
        Doc().BandText.clear();
        sink.answers = {MsgAnswer::Cancel};
        RunDialog([](FrmModelInfo& dialog) { dialog.Combo2()->setCurrentIndex(0); });
        QCOMPARE(sink.shown.size(), std::size_t(1));
        QCOMPARE(Doc().BandText, std::string());
        QCOMPARE(Doc().DocFileName, std::string("radio.dat"));
        QCOMPARE(Doc().Doc.ExtOption, std::uint8_t(0));
    }

    void CancelClosesWithoutAnyChange() {
        ChangeDocument();
        Doc().BandText.clear();
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<FrmModelInfo*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->Combo2()->setCurrentIndex(0);
            dialog->CommandCancel()->click();
        });
        FrmModelInfo::ShowModal(*app, nullptr);
        QVERIFY(sink.shown.empty());
        QCOMPARE(Doc().BandText, std::string());
        QCOMPARE(Doc().DocFileName, std::string("radio.dat"));
    }
};

} // namespace velmar

QTEST_MAIN(velmar::FrmModelInfoTest)
#include "frm_model_info_test.moc"
