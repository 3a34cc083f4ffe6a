#include "settings/ui/frm_reset_mode.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include "settings_ui_fixture.h"

namespace velmar {

class FrmResetModeTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppContext> app;
    std::int16_t& Word(OptWord w) { return app->Doc.Doc.OptFeatures.Word(w); }
    void OnlyValid(std::initializer_list<int> groups) {
        app->Doc.Doc.ResetFlags.fill(0);
        for (int g : groups)
            app->Doc.Doc.ResetFlags[g] = 1;
    }

private slots:
    void init() { app = MakeApp(); }

    void ShowsTheEModeGroupAndChannel() {
        OnlyValid({0, 3, 4, 7});
        Word(OptWord::StartGroup) = 7;
        Word(OptWord::StartCh) = 12;
        // Names made unique and every choice one the lists offer: then
        // showing stores nothing.
        ResetModeLists settled;
        velmar::ReShowInit(settled, app->Doc.Doc);
        const DocRecord before = app->Doc.Doc;
        FrmResetMode form(*app);
        QCOMPARE(form.windowTitle(), app->Text(31000));
        QCOMPARE(form.Label1(23)->text(), app->Text(16509));
        QCOMPARE(form.Label1(24)->text(), app->Text(16510));
        QCOMPARE(form.Combo2()->count(), 3);
        QCOMPARE(form.Combo2()->currentText(),
                 QString::fromStdString(form.Lists().Master.Entries[7]));
        QCOMPARE(form.ChannelList()->count(), 40);
        QCOMPARE(form.ChannelList()->currentText(), QString("12"));
        QVERIFY(app->Doc.Doc == before);
    }

    void AStoredGroupBelow3BecomesTheFirstOffered() {
        OnlyValid({0, 4, 7});
        Word(OptWord::StartGroup) = 0;
        FrmResetMode form(*app);
        QCOMPARE(Word(OptWord::StartGroup), std::int16_t(4));
        QCOMPARE(form.Combo2()->currentIndex(), 0);
    }

    void PickingStoresAtOnce() {
        OnlyValid({3, 5, 13});
        FrmResetMode form(*app);
        form.Combo2()->setCurrentIndex(2); // VFO
        QCOMPARE(Word(OptWord::StartGroup), std::int16_t(13));
        QCOMPARE(form.ChannelList()->count(), 1);
        QCOMPARE(Word(OptWord::StartCh), std::int16_t(1));
        form.Combo2()->setCurrentIndex(1);
        QCOMPARE(Word(OptWord::StartGroup), std::int16_t(5));
        form.ChannelList()->setCurrentIndex(39);
        QCOMPARE(Word(OptWord::StartCh), std::int16_t(40));
    }

    void ReShowInitFollowsTheValidFlags() {
        OnlyValid({3, 4, 6});
        Word(OptWord::StartGroup) = 4;
        Word(OptWord::NormalGroup) = 4;
        auto* form = FrmResetMode::ShowForm(*app);
        app->Doc.Doc.ResetFlags[4] = 0;
        qobject_cast<FrmResetMode*>(app->FindForm(FrmResetMode::FormName))->ReShowInit();
        QCOMPARE(form->Combo2()->count(), 2);
        QCOMPARE(Word(OptWord::StartGroup), std::int16_t(3));
        QCOMPARE(Word(OptWord::NormalGroup), std::int16_t(3));
        app->CloseCurAllWindows();
    }
};

} // namespace velmar

QTEST_MAIN(velmar::FrmResetModeTest)
#include "frm_reset_mode_test.moc"
