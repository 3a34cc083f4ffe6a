#include "channels/ui/frm_ch_info_edit.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "channels/channel_list.h"
#include "channels/channel_values.h"
#include "channels/tone_tip_refs.h"
#include "channels/ui/frm_comm_ch_info.h"
#include "model/initial_values.h"
#include "shell/ui/app_context.h"
#include "shell/ui/twips.h"

namespace velmar {

namespace {

// Answers every message box with OK and keeps its text.
class ScriptedSink : public MessageSink {
public:
    MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon) override {
        Shown.push_back(text);
        return MsgAnswer::Ok;
    }
    std::vector<std::string> Shown;
};

// What the user does: choosing an entry of a list.
void Choose(QComboBox* box, int index) {
    QVERIFY(box->isEnabled());
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void Choose(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    Choose(box, index);
}

QStringList Entries(const QComboBox* box) {
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries << box->itemText(i);
    return entries;
}

} // namespace

class FrmChInfoEditTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppContext> app;
    std::unique_ptr<ChannelSession> session;
    ScriptedSink sink;

    // A new document: channels 1 and 521 at 27.86 MHz; channel 130 (group 3,
    // position 10) is added, and tone tips 2 and 5 are the valid ones.
    void MakeApp(bool isMainVersion = true, bool chinese = false) {
        sink.Shown.clear();
        app = std::make_unique<AppContext>(
            FileLocations{VELMAR_PROGRAM_DIR, VELMAR_BASE_DIR, std::string()});
        app->Settings.CurrentLanguage = chinese ? ChineseLanguage : EnglishLanguage;
        app->Settings.PreviousLanguage = app->Settings.CurrentLanguage;
        app->Settings.LanguageFile = chinese ? "chinese.ini" : "english.ini";
        app->Settings.IsMainVersion = isMainVersion;
        app->SetMessageSink(&sink);
        InitDocValues(app->Doc, 1);
        for (ToneTip& tip : app->Doc.Doc.ToneTips)
            tip = ToneTip{};
        for (int tip : {2, 5}) {
            app->Doc.Doc.ToneTips[tip - 1].Repeat = 1;
            app->Doc.Doc.ToneTips[tip - 1].Items[0].Length = 10;
        }
        QVERIFY(AddCh(app->Doc, 130, "27.5"));
        session = std::make_unique<ChannelSession>();
    }

    FrmCHInfoEdit* Open(int group, int pos) {
        session->Edit.EditGroup = group;
        session->Edit.EditChPos = pos;
        return ShowChInfoEdit(*app, *session);
    }

    ChannelInfo* Channel(int chNo) {
        const int index = FindChIndex(app->Doc, chNo);
        return index < 0 ? nullptr : &app->Doc.ChList[index];
    }

    template <class T> T* Find(QWidget* form, const QString& name) {
        T* control = form->findChild<T*>(name);
        if (!control)
            qFatal("no control %s", qPrintable(name));
        return control;
    }
    QComboBox* List(FrmCHInfoEdit* form, int index) {
        return Find<QComboBox>(form, QString("Combo2_%1").arg(index));
    }
    QCheckBox* Check(FrmCHInfoEdit* form, int index) {
        return Find<QCheckBox>(form, QString("Check1_%1").arg(index));
    }
    QLineEdit* RxBox(FrmCHInfoEdit* form) { return Find<QLineEdit>(form, "Text1"); }

private slots:
    void init() { MakeApp(); }

    void cleanup() {
        app->CloseCurAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app.reset();
    }

    void ShowsTheChannelWithoutStoringAnything() {
        ChannelInfo& ch = *Channel(130);
        ch.RxTone = 12;
        ch.TxTone = 60;
        ch.BusyLock = 2;
        ch.AmFm = 1;
        ch.Rep = 1;
        ch.RepLock = 1;
        ch.RbTone = 5;
        ch.NbAnl = 1;
        ch.FmPower4W = ch.FmPower50W = 1;
        ch.FmPower = 2;
        const ChannelInfo before = ch;

        FrmCHInfoEdit* form = Open(3, 10);
        QCOMPARE(form->objectName(), QString(kChInfoEditForm));
        QCOMPARE(form->windowTitle(), app->Text(15000));
        QCOMPARE(Find<QComboBox>(form, "Combo8")->currentText(), QString("3"));
        QCOMPARE(Find<QComboBox>(form, "Combo1")->currentText(), QString("10"));
        QCOMPARE(Find<QComboBox>(form, "Combo1")->count(), 40);
        QCOMPARE(RxBox(form)->text(), QString("27.50000"));
        QVERIFY(RxBox(form)->isEnabled());
        QCOMPARE(List(form, 0)->currentText(), QString("97.4"));
        QCOMPARE(List(form, 0)->itemText(0), app->Text(15030));
        QCOMPARE(List(form, 1)->currentText(), QString("D050N"));
        QCOMPARE(List(form, 6)->currentText(), app->Text(15032));
        QCOMPARE(List(form, 13)->currentText(), app->Text(15501));
        QCOMPARE(List(form, 17)->currentText(), QString("+100K"));
        QVERIFY(List(form, 17)->isEnabled());
        QCOMPARE(Entries(List(form, 11)), (QStringList{app->Text(15030), "2", "5"}));
        QCOMPARE(List(form, 11)->currentText(), QString("5"));
        QCOMPARE(Entries(List(form, 15)), (QStringList{app->Text(15504), app->Text(15508)}));
        QCOMPARE(List(form, 15)->currentText(), app->Text(15508));
        QVERIFY(Check(form, 9)->isChecked());
        QVERIFY(!Check(form, 0)->isChecked());
        QVERIFY(Check(form, 19)->isChecked() && !Check(form, 20)->isChecked());

        QCOMPARE(Find<QLabel>(form, "Label3_17")->text(), QString("Rep"));
        QCOMPARE(Check(form, 23)->text(), QString("RB Lock"));
        QCOMPARE(Find<QLabel>(form, "Label2_0")->text(), app->Text(15002));
        QCOMPARE(Check(form, 21)->text(), app->Text(15508));
        QCOMPARE(Find<QPushButton>(form, "CommandClose")->text(), app->Text(9023));
        QVERIFY(Find<QPushButton>(form, "CommandHelp")->isHidden());
        QVERIFY(Find<QComboBox>(form, "Combo4")->isHidden());

        // Showing again, and the program setting the controls, store nothing.
        form->SetGridEditData(true);
        form->SetGridEditData(false);
        List(form, 13)->setCurrentIndex(0);
        Check(form, 9)->setChecked(false);
        QVERIFY(*Channel(130) == before);
        QVERIFY(sink.Shown.empty());
    }

    void LabelsEndBesideTheirControls() {
        for (const bool chinese : {false, true}) {
            MakeApp(true, chinese);
            FrmCHInfoEdit* form = Open(3, 10);
            const int gap = TwipsToPixels(100, form);
            for (QLabel* label : form->findChildren<QLabel*>()) {
                const QString name = label->objectName();
                QWidget* control = name == "Label4"   ? form->findChild<QWidget*>("Combo8")
                                   : name == "Label1" ? form->findChild<QWidget*>("Combo1")
                                   : name == "Label2_0"
                                       ? form->findChild<QWidget*>("Text1")
                                       : form->findChild<QWidget*>("Combo2_" + name.mid(7));
                QVERIFY2(control, qPrintable(name));
                QCOMPARE(label->x() + label->width() + gap, control->x());
                QVERIFY2(label->x() >= 0, qPrintable(name));
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(name));
            }
            // Nothing is cut off by the window or its frame.
            const QRect frame = Find<QGroupBox>(form, "Frame1")->contentsRect();
            for (QCheckBox* check : form->findChildren<QCheckBox*>()) {
                QVERIFY(check->width() >= check->sizeHint().width());
                QVERIFY2(frame.contains(check->geometry()), qPrintable(check->text()));
            }
            QVERIFY(form->width() >= TwipsToPixels(7965, form));
            app->CloseCurAllWindows();
        }
    }

    void ChangesAreStoredAtOnceAndShownAgain() {
        FrmCHInfoEdit* form = Open(3, 10);
        ChannelInfo& ch = *Channel(130);

        QCOMPARE(List(form, 6)->count(), 2); // no decode tone: no "tone" lockout
        Choose(List(form, 0), "67.0");
        QCOMPARE(ch.RxTone, std::int16_t(1));
        QCOMPARE(ch.TxTone, std::int16_t(1)); // a first decode tone is also the encode tone
        QCOMPARE(List(form, 1)->currentText(), QString("67.0"));
        QCOMPARE(List(form, 6)->count(), 3);
        Choose(List(form, 6), 2);
        QCOMPARE(ch.BusyLock, std::int16_t(2));
        Choose(List(form, 0), 0);
        QCOMPARE(ch.BusyLock, std::int16_t(1));
        QCOMPARE(List(form, 6)->count(), 2);
        QCOMPARE(List(form, 6)->currentText(), app->Text(15031));

        Check(form, 12)->click(); // AmFmLock holds the modulation
        QCOMPARE(ch.AmFmLock, std::int16_t(1));
        QVERIFY(!List(form, 13)->isEnabled());
        Check(form, 12)->click();
        QVERIFY(List(form, 13)->isEnabled());
        QVERIFY(!List(form, 17)->isEnabled()); // RepLock 0
        Check(form, 22)->click();
        QVERIFY(List(form, 17)->isEnabled());
        Choose(List(form, 17), "-100K");
        QCOMPARE(ch.Rep, std::int16_t(2));
        Choose(List(form, 18), 1);
        QCOMPARE(ch.Tsq, std::int16_t(1));
        Choose(List(form, 11), "5");
        QCOMPARE(ch.RbTone, std::int16_t(5));

        // Power: a level that is no longer offered moves to the first offered one.
        Check(form, 17)->click();
        Check(form, 18)->click();
        Choose(List(form, 14), app->Text(15503));
        QCOMPARE(ch.AmPower, std::int16_t(1));
        Check(form, 18)->click();
        QCOMPARE(ch.AmPower15W, std::int16_t(0));
        QCOMPARE(ch.AmPower, std::int16_t(0));
        QCOMPARE(Entries(List(form, 14)), QStringList{app->Text(15502)});
        QVERIFY(sink.Shown.empty());

        // While the editor fills its controls, a change event does nothing.
        form->WandToSave = false;
        Check(form, 9)->click();
        QCOMPARE(ch.NbAnl, std::int16_t(0));
    }

    void RogerBeepFollowsTheToneTips() {
        Channel(130)->RbTone = 2;
        FrmCHInfoEdit* form = Open(3, 10);
        app->Doc.Doc.ToneTips[6].Repeat = 2;
        app->Doc.Doc.ToneTips[6].Items[3].Length = 5;
        app->Doc.Doc.ToneTips[1].Repeat = 0; // tip 2 no longer plays
        OpenChannelViews views(*app);
        CheckToneTipRefs(app->Doc, views);
        QCOMPARE(Entries(List(form, 11)), (QStringList{app->Text(15030), "5", "7"}));
        QCOMPARE(Channel(130)->RbTone, std::int16_t(5));
        QCOMPARE(List(form, 11)->currentText(), QString("5"));
    }

    void EmptyPositionTakesOnlyAFrequency() {
        FrmCHInfoEdit* form = Open(3, 11);
        form->activateWindow();
        QCOMPARE(RxBox(form)->text(), QString());
        QVERIFY(RxBox(form)->isEnabled());
        for (QComboBox* list : Find<QGroupBox>(form, "Frame1")->findChildren<QComboBox*>()) {
            QCOMPARE(list->currentText(), QString(" "));
            QVERIFY(!list->isEnabled());
        }
        for (QCheckBox* check : form->findChildren<QCheckBox*>())
            QVERIFY(!check->isEnabled() && !check->isChecked());

        RxBox(form)->setFocus();
        QApplication::clipboard()->setText("28");
        QTest::keyClick(RxBox(form), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(RxBox(form), Qt::Key_Insert, Qt::ShiftModifier);
        QTest::keyClicks(RxBox(form), "27a.1+25");
        QCOMPARE(RxBox(form)->text(), QString("27.125"));
        QCOMPARE(Channel(131), nullptr); // nothing stored while typing
        QTest::keyClick(RxBox(form), Qt::Key_Return);

        ChannelInfo* created = Channel(131);
        QVERIFY(created);
        QCOMPARE(TrimFixStr(created->RxFre), std::string("02712500"));
        QCOMPARE(RxBox(form)->text(), QString("27.12500"));
        QCOMPARE(List(form, 0)->currentText(), app->Text(15030));
        QVERIFY(List(form, 0)->isEnabled());
        QVERIFY(Check(form, 0)->isEnabled());
        QVERIFY(!List(form, 17)->isEnabled());                     // a new channel has RepLock 0
        QCOMPARE(List(form, 11)->currentText(), app->Text(15030)); // tip 1 is not valid
        QVERIFY(sink.Shown.empty());

        // Out of band: corrected with a warning, the corrected value shown.
        RxBox(form)->setText("31");
        QTest::keyClick(RxBox(form), Qt::Key_Enter);
        QCOMPARE(sink.Shown, (std::vector<std::string>{app->Texts.GetText(9021)}));
        QCOMPARE(RxBox(form)->text(), QString("30.10500"));

        // Emptied: the channel goes, the position is empty again.
        RxBox(form)->setText("");
        QTest::keyClick(RxBox(form), Qt::Key_Return);
        QCOMPARE(Channel(131), nullptr);
        QVERIFY(!List(form, 0)->isEnabled());
    }

    void LeavingTheBoxStoresTheEntry() {
        FrmCHInfoEdit* form = Open(3, 10);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        RxBox(form)->setFocus();
        QVERIFY(RxBox(form)->hasFocus());
        QTRY_COMPARE(RxBox(form)->selectedText(), QString("27.50000")); // all of it selected
        QTest::keyClicks(RxBox(form), "28");
        Check(form, 0)->setFocus(); // the focus moves on
        QCOMPARE(TrimFixStr(Channel(130)->RxFre), std::string("02800000"));
        QCOMPARE(RxBox(form)->text(), QString("28.00000"));

        RxBox(form)->setFocus();
        QTRY_COMPARE(RxBox(form)->selectedText(), QString("28.00000"));
        QTest::keyClicks(RxBox(form), "29.5");
        QTest::mouseClick(form, Qt::LeftButton, {}, QPoint(2, 2)); // beside every control
        QCOMPARE(TrimFixStr(Channel(130)->RxFre), std::string("02950000"));
        QVERIFY(!RxBox(form)->hasFocus());

        // Saving with a shortcut key leaves the focus where it is.
        RxBox(form)->setFocus();
        RxBox(form)->setText("29.9");
        form->StoreRxEntry();
        QCOMPARE(TrimFixStr(Channel(130)->RxFre), std::string("02990000"));
        QVERIFY(sink.Shown.empty());
    }

    void FixedChannelsAndTheVfo() {
        FrmCHInfoEdit* form = Open(0, 1);
        QCOMPARE(RxBox(form)->text(), QString("27.86000"));
        QVERIFY(!RxBox(form)->isEnabled());
        QVERIFY(Find<QLabel>(form, "Label3_17")->isHidden()); // no repeater row below group 3
        QVERIFY(List(form, 17)->isHidden() && Check(form, 22)->isHidden());
        QCOMPARE(Find<QComboBox>(form, "Combo8")->currentIndex(), -1);

        Channel(521)->ScanSkip = 0;
        session->Edit.EditGroup = 13;
        session->Edit.EditChPos = 1;
        form->SetGridEditData(true);
        QVERIFY(Check(form, 0)->isChecked());
        QVERIFY(!Check(form, 0)->isEnabled());
        QVERIFY(Check(form, 9)->isEnabled());
        QCOMPARE(Channel(521)->ScanSkip, std::int16_t(0));
        QVERIFY(!List(form, 17)->isHidden());
        QCOMPARE(Find<QComboBox>(form, "Combo8")->currentText(), QString("13"));
    }

    void MainVersionRows() {
        int mainHeight = 0;
        for (const bool isMainVersion : {true, false}) {
            MakeApp(isMainVersion);
            FrmCHInfoEdit* form = Open(3, 10);
            for (int index : {11, 14, 15}) {
                QCOMPARE(List(form, index)->isHidden(), !isMainVersion);
                QCOMPARE(Find<QLabel>(form, QString("Label3_%1").arg(index))->isHidden(),
                         !isMainVersion);
            }
            for (int index : {17, 18, 19, 20, 21, 23})
                QCOMPARE(Check(form, index)->isHidden(), !isMainVersion);
            for (int index : {0, 1, 6, 13, 17, 18})
                QVERIFY(!List(form, index)->isHidden());
            if (isMainVersion) {
                QCOMPARE(form->height(), TwipsToPixels(5715, form));
                mainHeight = form->height();
            } else {
                QCOMPARE(form->height(), mainHeight - TwipsToPixels(1100, form));
                // the rows that remain end above the frame's lower edge
                const QWidget* frame = Find<QGroupBox>(form, "Frame1");
                QVERIFY(List(form, 17)->geometry().bottom() < frame->height());
                QVERIFY(Find<QPushButton>(form, "CommandClose")->geometry().bottom() <
                        form->height());
            }
            // the power level is settled even where the rows are hidden
            Channel(130)->AmPower = 1;
            form->SetGridEditData(true);
            QCOMPARE(Channel(130)->AmPower, std::int16_t(0));
            app->CloseCurAllWindows();
        }
    }

    void FollowsTheGridAndItsOwnLists() {
        Channel(1)->RxTone = 3;
        FrmCHInfoEdit* form = Open(3, 10);
        QCOMPARE(ShowChInfoEdit(*app, *session), form); // one editor at most
        QCOMPARE(FindChInfoEdit(*app), form);

        session->Edit.EditGroup = 0; // the grid moved to channel 1
        session->Edit.EditChPos = 1;
        form->SetGridEditData(true);
        QCOMPARE(RxBox(form)->text(), QString("27.86000"));
        QCOMPARE(List(form, 0)->currentText(), QString("71.9"));

        auto* groups = Find<QComboBox>(form, "Combo8");
        auto* positions = Find<QComboBox>(form, "Combo1");
        Choose(groups, "14");
        QCOMPARE(session->Edit.EditGroup, 14);
        QCOMPARE(Entries(positions), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
        QCOMPARE(positions->currentText(), QString("1"));
        QCOMPARE(session->Edit.EditChPos, 1);
        QVERIFY(!List(form, 0)->isEnabled()); // channel 522 is not used

        Choose(groups, "3");
        Choose(positions, "10");
        QCOMPARE(session->Edit.EditGroup, 3);
        QCOMPARE(session->Edit.EditChPos, 10);
        QCOMPARE(RxBox(form)->text(), QString("27.50000"));

        // A position the group does not have shows its first position.
        session->Edit.EditGroup = 13;
        session->Edit.EditChPos = 7;
        form->SetGridEditData(true);
        QCOMPARE(positions->currentText(), QString("1"));
        QCOMPARE(RxBox(form)->text(), QString("27.86000"));

        // A change made elsewhere reaches the editor through the channel views.
        OpenChannelViews views(*app);
        ChannelEnv env{sink, app->Texts, views, true};
        SetChValue(app->Doc, env, 13, 1, ChField::RxTone, 5);
        QCOMPARE(List(form, 0)->currentText(), QString("77.0"));
        QVERIFY(views.IsChEditOpen());
        AppContext::CloseForm(form);
        QVERIFY(!views.IsChEditOpen());
    }

    void GridAndEditorFollowEachOther() {
        app->Doc.Doc.OptFeatures.Word(OptWord::CurGroup) = 3;
        FrmCommChInfo* grid = ShowChannelGrid(*app, *session);
        auto* table = Find<QTableWidget>(grid, "MSFlexGrid1"); // row r at index r - 1
        FrmCHInfoEdit* form = ShowChInfoEdit(*app, *session);
        QCOMPARE(Find<QComboBox>(form, "Combo8")->currentText(), QString("3"));

        // The editor's change shows in the grid's row at once.
        Choose(Find<QComboBox>(form, "Combo1"), "10");
        Choose(List(form, 1), "D023N");
        QCOMPARE(table->item(9, 5)->text(), QString("D023N"));
        QCOMPARE(table->item(9, 4)->text(), QString("D023N")); // copied to the empty decode tone

        // The editor's group becomes the grid's, and the grid's row the editor's.
        Choose(Find<QComboBox>(form, "Combo8"), "13");
        QCOMPARE(app->Doc.Doc.OptFeatures.Word(OptWord::CurGroup), std::int16_t(13));
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(RxBox(form)->text(), QString("27.86000"));
        Choose(Find<QComboBox>(form, "Combo8"), "3");
        QCOMPARE(table->rowCount(), 40);
        table->setCurrentCell(9, 1); // row 10
        QCOMPARE(session->Edit.EditChPos, 10);
        QCOMPARE(Find<QComboBox>(form, "Combo1")->currentText(), QString("10"));
        QCOMPARE(RxBox(form)->text(), QString("27.50000"));
        QVERIFY(sink.Shown.empty());
    }
};

} // namespace velmar

QTEST_MAIN(velmar::FrmChInfoEditTest)
#include "frm_ch_info_edit_test.moc"
