#include "settings/ui/frm_radio_info.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QtTest>

#include "settings/ui/form_parts.h"
#include "settings_ui_fixture.h"

namespace velmar {

class FrmRadioInfoTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppContext> app;

private slots:
    void init() { app = MakeApp(); }

    void ShowsTheRadioInformationDisabled() {
        RadioInfoRecord& info = app->Doc.RadioInfo;
        info.SerialNo = MakeFixStr<16>(std::string("A123") + '\0');
        info.RepairReason = MakeFixStr<96>("Display replaced");
        info.AreaCode = "001A";
        info.ModelText = "OTHER";
        info.BandCode = 1;
        info.DealerCode = MakeFixStr<16>("D-77");
        const RadioInfoRecord before = info;
        FrmRadioInfo form(*app);
        QCOMPARE(form.windowTitle(), app->Text(21000));
        QCOMPARE(form.Combo1(0)->currentText(), QString("KAVRO"));
        QCOMPARE(form.Combo1(1)->currentText(), QString("25.615 - 30.105 MHz"));
        QCOMPARE(form.BoxText(1), QString("A123"));
        QCOMPARE(form.BoxText(4), QString("Display replaced"));
        QCOMPARE(form.BoxText(5), QString("V1.02"));
        QCOMPARE(form.BoxText(0), QString("001A"));
        QCOMPARE(form.BoxText(8), QString("D-77"));
        QCOMPARE(form.Frame1()->title(), app->Text(21001));
        QCOMPARE(form.Label2()->text(), app->Text(21002));
        QCOMPARE(form.Label1(7)->text(), app->Text(21012));
        QVERIFY(!form.Combo1(0)->isEnabled());
        QVERIFY(!form.Combo1(1)->isEnabled());
        for (int i = 0; i < kRadioInfoBoxes; ++i)
            QVERIFY(!form.Text1(i)->isEnabled());
        QVERIFY(app->Doc.RadioInfo == before);
    }

    void AnUnknownBandShowsNoBand() {
        RadioInfoRecord info = app->Doc.RadioInfo;
        info.BandCode = 2;
        FrmRadioInfo form(*app, info);
        QCOMPARE(form.Combo1(1)->currentIndex(), -1);
    }

    void LabelsStandLeftOfTheColumnOfBoxes() {
        for (bool chinese : {false, true}) {
            app = MakeApp({.chinese = chinese});
            FrmRadioInfo form(*app);
            const int column = form.Text1(0)->x();
            QCOMPARE(form.Label2()->geometry().right() + 1 + Tw(&form, 50), column);
            QCOMPARE(form.Label1(2)->geometry().right() + 1 + Tw(&form, 50), column);
            // Inside the dealer frame the labels align on Text1(8).
            QCOMPARE(form.Label1(10)->geometry().right() + 1 + Tw(&form, 50), form.Text1(8)->x());
            QCOMPARE(form.Frame1()->x() + form.Text1(8)->x(), column);
        }
    }
};

} // namespace velmar

QTEST_MAIN(velmar::FrmRadioInfoTest)
#include "frm_radio_info_test.moc"
