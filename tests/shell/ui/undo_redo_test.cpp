// Undo and redo in the real main window, by keys and clicks: for every kind
// of change (a cell, a list choice, the channel commands, the group controls,
// the detail editor, each settings window, the model dialog, Open, New,
// initialize settings) Ctrl+Z gives back the document byte for byte, its
// data files and globals, with every open window showing it, and Ctrl+Y (or
// Ctrl+Shift+Z) the changed one. The Edit menu says what it undoes; typing
// is one step; a frequency typed but not stored is dropped first; saving
// keeps the history; a run of random edits undone gives the start.
#include "shell/ui/ui_test_support.h"

#include "channels/channel_list.h"
#include "channels/tone_list.h"
#include "channels/ui/frm_ch_info_edit.h"
#include "channels/ui/frm_comm_ch_info.h"
#include "model/data_file.h"
#include "model/doc_compare.h"
#include "settings/opt_features.h"
#include "settings/tone_tips.h"
#include "settings/ui/frm_model_info.h"
#include "settings/ui/frm_opt_features.h"
#include "shell/ui/frm_main.h"
#include "shell/ui/frm_set_language.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <random>

using namespace velmar;
using namespace velmar::test;

namespace {

// What a user sees of the document, in the file form of its records.
struct Seen {
    std::vector<std::uint8_t> Data, Channels, SavedData, SavedChannels;
    std::string ModelName, BandText, DocFileName;
    bool IsNewDocument = false;
    RadioInfoRecord RadioInfo;
    friend bool operator==(const Seen&, const Seen&) = default;
};

Seen SeenOf(const Document& doc) {
    DataFileBytes working = EncodeDataFiles(doc.Doc, doc.ChList);
    DataFileBytes saved = EncodeDataFiles(doc.SavedDoc, doc.SavedChList);
    return {working.Data, working.Channels, saved.Data,        saved.Channels, doc.ModelName,
            doc.BandText, doc.DocFileName,  doc.IsNewDocument, doc.RadioInfo};
}

constexpr int kGroup = 3; // channels 121 … 160
constexpr int kPos = 10;  // channel 130

} // namespace

class UndoRedoTest : public QObject {
    Q_OBJECT

public:
    // One kind of change: what the document needs first, and the user's
    // keys and clicks.
    struct Kind {
        const char* Name;
        std::function<void(UndoRedoTest&)> Prepare; // the document, before the windows open
        std::function<void(UndoRedoTest&)> Lead;    // what the user did before, windows open
        std::function<void(UndoRedoTest&)> Change;
        const char* MenuText; // the Undo entry afterwards
    };
    static const std::vector<Kind>& Kinds();

private slots:
    void init() {
        install_ = std::make_unique<TestInstall>();
        sink_ = AnsweringSink();
        app_ = MakeContext(*install_, sink_, EnglishLanguage, true);
        sink_.Answer = [no = app_->Texts.GetText(9006)](const std::string& text) {
            return text == no ? MsgAnswer::No : MsgAnswer::Ok; // keep no unsaved changes
        };
        app_->Settings.EditPrefs.PasteNoAsk = true;
        app_->Settings.EditPrefs.DeleteNoAsk = true;
        window_ = std::make_unique<FrmMain>(*app_);
        window_->SetFileChooser(chooser_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanup() {
        window_.reset();
        FlushDeferredDeletes();
        app_.reset();
        install_.reset();
    }

    void everyKindOfChange_data() {
        QTest::addColumn<int>("kind");
        for (std::size_t k = 0; k < Kinds().size(); ++k)
            QTest::newRow(Kinds()[k].Name) << static_cast<int>(k);
    }
    void everyKindOfChange() {
        QFETCH(int, kind);
        const Kind& change = Kinds()[static_cast<std::size_t>(kind)];
        if (change.Prepare)
            change.Prepare(*this);
        OpenEveryWindow();
        QCOMPARE(Entry("mnuUndo")->isEnabled(), false);
        if (change.Lead)
            change.Lead(*this);
        const Seen before = SeenOf(app_->Doc);
        const auto undone = Entry("mnuUndo")->text();

        change.Change(*this);
        const Seen after = SeenOf(app_->Doc);
        QVERIFY(after != before);
        QTRY_COMPARE(Entry("mnuUndo")->text(), QString(change.MenuText));
        QVERIFY(Entry("mnuUndo")->isEnabled());
        QCOMPARE(Entry("Undo")->toolTip(), QString(change.MenuText).remove('&'));
        QVERIFY(!Entry("mnuRedo")->isEnabled());

        PressWhereTheFocusIs(Qt::Key_Z);
        ExplainDifference(SeenOf(app_->Doc), before);
        QVERIFY(SeenOf(app_->Doc) == before);
        ExpectWindowsShowTheDocument();
        QCOMPARE(Entry("mnuUndo")->text(), undone);
        QCOMPARE(Entry("mnuRedo")->text(), QString(change.MenuText).replace("&Undo", "Re&do"));

        PressWhereTheFocusIs(Qt::Key_Y);
        ExplainDifference(SeenOf(app_->Doc), after);
        QVERIFY(SeenOf(app_->Doc) == after);
        ExpectWindowsShowTheDocument();

        // The other redo key, once more around.
        PressWhereTheFocusIs(Qt::Key_Z);
        QVERIFY(SeenOf(app_->Doc) == before);
        PressWhereTheFocusIs(Qt::Key_Z, Qt::ShiftModifier);
        QVERIFY(SeenOf(app_->Doc) == after);
        ExpectWindowsShowTheDocument();
        QVERIFY(sink_.Shown.size() <= 2); // only the questions of the change itself
    }

    // Back to the saved state, the document is unchanged; saving keeps the
    // history and the file name.
    void undoingToTheSavedStateLeavesNothingToSave() {
        OpenEveryWindow();
        TypeIntoGridCell(kPos, "27.125");
        chooser_.Name = QString::fromStdString(install_->Path("saved.dat"));
        QVERIFY(window_->FileSave());
        QVERIFY(IsDocUnchanged(app_->Doc));
        TypeIntoGridCell(kPos + 1, "27.135");
        QVERIFY(IsDocChanged(app_->Doc));
        PressWhereTheFocusIs(Qt::Key_Z);
        QVERIFY(IsDocUnchanged(app_->Doc));
        PressWhereTheFocusIs(Qt::Key_Z);
        QVERIFY(IsDocChanged(app_->Doc));
        QCOMPARE(app_->Doc.DocFileName, install_->Path("saved.dat"));
        QVERIFY(window_->windowTitle().endsWith("[File:saved.dat]"));
        PressWhereTheFocusIs(Qt::Key_Y);
        QVERIFY(IsDocUnchanged(app_->Doc));
        // Closing asks nothing now.
        sink_.Shown.clear();
        QVERIFY(window_->close());
        QVERIFY(sink_.Shown.empty());
    }

    // A frequency typed but not stored: the first Ctrl+Z drops the typing
    // (the box shows the stored value), the next undoes the last step.
    void ctrlZInAnEntryDropsTheTypingFirst() {
        OpenEveryWindow();
        TypeIntoGridCell(kPos, "27.125");
        const Seen stored = SeenOf(app_->Doc);
        ClickGridCell(kPos, 1);
        QTest::keyClicks(Text1(), "26.9");
        QCOMPARE(Text1()->text(), QString("26.9"));
        QTest::keyClick(Text1(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Text1()->text(), QString("27.12500"));
        QVERIFY(SeenOf(app_->Doc) == stored);
        QTest::keyClick(Text1(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!FindChannel(130));
        QCOMPARE(Text1()->text(), QString());
    }

    // The entry names its step in the language chosen later, too.
    void theEntriesFollowTheLanguage() {
        OpenEveryWindow();
        TypeIntoGridCell(kPos, "27.125");
        ApplyLanguageChoice(app_->Settings, 1); // Chinese
        window_->CheckLanguageChange();
        QCOMPARE(Entry("mnuUndo")->text(), QString::fromUtf8("撤销信道130的接收频率(&U)"));
        QCOMPARE(Entry("Undo")->toolTip(), QString::fromUtf8("撤销信道130的接收频率"));
        QCOMPARE(Entry("mnuRedo")->text(), QString::fromUtf8("重做(&D)"));
    }

    // Typing a group name letter by letter is one step.
    void typingIsOneStep() {
        OpenEveryWindow();
        auto* name = Grid()->findChild<QLineEdit*>("Text3");
        const QString old = name->text();
        QTest::mouseClick(name, Qt::LeftButton);
        name->selectAll();
        QTest::keyClicks(name, "XYZ");
        QCOMPARE(name->text(), QString("XYZ"));
        QCOMPARE(Entry("mnuUndo")->text(), QString("&Undo name of group 3"));
        QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(name->text(), old);
        QVERIFY(!Entry("mnuUndo")->isEnabled());
    }

    // Random edits through the windows, with undo and redo among them; every
    // undo and redo gives the state it should, and all undone give the start.
    void randomEditsThroughTheWindows() {
        OpenEveryWindow();
        const Seen start = SeenOf(app_->Doc);
        std::vector<Seen> states{start};
        std::size_t cursor = 0;
        std::mt19937 random(5);
        const auto pick = [&](int n) { return static_cast<int>(random() % n); };
        for (int action = 0; action < 60; ++action) {
            const int what = pick(10);
            if (what < 2 && cursor > 0) {
                PressWhereTheFocusIs(Qt::Key_Z);
                QVERIFY2(SeenOf(app_->Doc) == states[--cursor],
                         qPrintable(QString::number(action)));
                continue;
            }
            if (what < 3 && cursor + 1 < states.size()) {
                PressWhereTheFocusIs(Qt::Key_Y);
                QVERIFY2(SeenOf(app_->Doc) == states[++cursor],
                         qPrintable(QString::number(action)));
                continue;
            }
            const int row = 1 + pick(12);
            switch (pick(6)) {
            case 0: {
                const char* entries[] = {"26.5", "27.125", "29", ""};
                TypeIntoGridCell(row, entries[pick(4)]);
                break;
            }
            case 1:
                if (FindChannel(GroupStartNo(kGroup) + row)) {
                    ClickGridCell(row, 4);
                    QTest::keyClick(ListEditor(), pick(2) ? Qt::Key_Down : Qt::Key_Up);
                }
                break;
            case 2:
                ClickGridCell(row, 4);
                Entry(pick(2) ? "MnuCHMoveUp" : "MnuCHMoveDown")->trigger();
                QTest::qWait(60); // TimerCHEdit
                break;
            case 3:
                ChooseByKey(OptFeaturesForm()->Combo1(4), pick(2));
                break;
            case 4: {
                QLineEdit* line = EmbMsg()->findChild<QLineEdit*>("Text1_1");
                QTest::mouseClick(line, Qt::LeftButton);
                QTest::keyClick(line, Qt::Key_End);
                QTest::keyClicks(line, pick(2) ? "AB" : "C");
                break;
            }
            default:
                ChooseByKey(ChInfoEdit()->findChild<QComboBox*>("Combo2_18"), pick(2));
            }
            // The focus moves on, so that typing is a step of its own.
            window_->findChild<QTreeWidget*>("TreeView1")->setFocus();
            const Seen now = SeenOf(app_->Doc);
            if (now != states[cursor]) {
                states.resize(++cursor);
                states.push_back(now);
            }
        }
        while (cursor > 0) {
            PressWhereTheFocusIs(Qt::Key_Z);
            QVERIFY(SeenOf(app_->Doc) == states[--cursor]);
        }
        QVERIFY(SeenOf(app_->Doc) == start);
        ExpectWindowsShowTheDocument();
    }

public:
    // --- what the kinds use

    QAction* Entry(const char* name) const { return window_->findChild<QAction*>(name); }
    FrmCommChInfo* Grid() const { return FindChannelGrid(*app_); }
    FrmCHInfoEdit* ChInfoEdit() const { return FindChInfoEdit(*app_); }
    FrmOptFeatures* OptFeaturesForm() const {
        return qobject_cast<FrmOptFeatures*>(app_->FindForm("FrmOptFeatures"));
    }
    QWidget* EmbMsg() const { return app_->FindForm("FrmEmbMsg"); }
    QWidget* ToneTips() const { return app_->FindForm("FrmToneTips"); }
    QWidget* ResetMode() const { return app_->FindForm("FrmResetMode"); }
    QTableWidget* Table() const { return Grid()->findChild<QTableWidget*>("MSFlexGrid1"); }
    QLineEdit* Text1() const { return Grid()->findChild<QLineEdit*>("Text1"); }
    QComboBox* ListEditor() const { return Grid()->findChild<QComboBox*>("Combo1(0)"); }

    const ChannelInfo* FindChannel(int chNo) const {
        const int index = FindChIndex(app_->Doc, chNo);
        return index < 0 ? nullptr : &app_->Doc.ChList[index];
    }

    // The grid on group 3 and every other editor window open, as a user
    // has them side by side.
    void OpenEveryWindow() {
        for (const char* entry : {"mnuChannelInfo", "mnuOptFeature", "mnuEmbeddedMsg",
                                  "mnuToneTips", "mnuResetInit", "mnuChannelInfo"})
            Entry(entry)->trigger();
        auto* groups = Grid()->findChild<QComboBox*>("Combo9");
        groups->setCurrentIndex(kGroup - 3);
        emit groups->activated(kGroup - 3);
        ClickGridCell(kPos, 1);
        Grid()->findChild<QPushButton*>("CommandCHInfoEdit")->click();
        QVERIFY(ChInfoEdit());
        ClickGridCell(kPos, 1);
    }

    void ClickGridCell(int row, int col) {
        QTableWidget* table = Table();
        const QModelIndex cell = table->model()->index(row - 1, col);
        table->scrollTo(cell);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(cell).center());
    }

    void TypeIntoGridCell(int row, const QString& text) {
        ClickGridCell(row, 1);
        QVERIFY(!Text1()->isHidden());
        Text1()->selectAll();
        QTest::keyClicks(Text1(), text);
        if (text.isEmpty())
            QTest::keyClick(Text1(), Qt::Key_Delete);
        QTest::keyClick(Text1(), Qt::Key_Return);
    }

    // The next (or the previous) entry of a list, by key.
    static void ChooseByKey(QComboBox* list, bool down = true) {
        list->setFocus();
        if (list->currentIndex() == (down ? list->count() - 1 : 0))
            down = !down;
        QTest::keyClick(list, down ? Qt::Key_Down : Qt::Key_Up);
    }

    static void ExplainDifference(const Seen& a, const Seen& b) {
        const auto first = [](const std::vector<std::uint8_t>& x,
                              const std::vector<std::uint8_t>& y) {
            if (x.size() != y.size())
                return QString("size %1 against %2").arg(x.size()).arg(y.size());
            for (std::size_t i = 0; i < x.size(); ++i)
                if (x[i] != y[i])
                    return QString("byte %1: %2 against %3").arg(i).arg(x[i]).arg(y[i]);
            return QString();
        };
        const QString parts[] = {first(a.Data, b.Data), first(a.Channels, b.Channels),
                                 first(a.SavedData, b.SavedData),
                                 first(a.SavedChannels, b.SavedChannels)};
        const char* names[] = {"data file", "channel file", "saved data file",
                               "saved channel file"};
        for (int i = 0; i < 4; ++i)
            if (!parts[i].isEmpty())
                qWarning("%s differs at %s", names[i], qPrintable(parts[i]));
        if (a.ModelName != b.ModelName || a.BandText != b.BandText ||
            a.DocFileName != b.DocFileName || a.IsNewDocument != b.IsNewDocument ||
            !(a.RadioInfo == b.RadioInfo))
            qWarning("globals differ: %s %s %s / %s %s %s", a.ModelName.c_str(), a.BandText.c_str(),
                     a.DocFileName.c_str(), b.ModelName.c_str(), b.BandText.c_str(),
                     b.DocFileName.c_str());
    }

    void PressWhereTheFocusIs(Qt::Key key, Qt::KeyboardModifiers more = {}) {
        // A closed dialog gives the activation back to the main window.
        if (!window_->isActiveWindow()) {
            window_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        }
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != window_.get())
            target = window_.get();
        QTest::keyClick(target, key, Qt::ControlModifier | more);
    }

    // A modal dialog answered from inside its own loop.
    static void WhenModal(std::function<void(QWidget*)> answer) {
        QTimer::singleShot(0, [answer] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            answer(dialog);
        });
    }

    // Every open window shows the document as it is.
    void ExpectWindowsShowTheDocument() {
        const Document& doc = app_->Doc;
        FreContext fre{doc.BandLow, doc.BandHigh, sink_, app_->Texts};
        const auto toneText = [&](int tone) {
            return tone == 0 ? app_->Text(14013) : QString::fromStdString(ToneList()[tone]);
        };
        QVERIFY(window_->windowTitle().contains(QString::fromStdString(doc.BandText)));
        QVERIFY(window_->windowTitle().contains(
            QFileInfo(QString::fromStdString(doc.DocFileName)).fileName()));
        QCOMPARE(window_->statusBar()->findChild<QLabel*>("Panel2")->text(),
                 QString::fromStdString(doc.ModelName + "[" + doc.BandText + "]"));

        if (FrmCommChInfo* grid = Grid()) {
            const int group = doc.Doc.OptFeatures.Word(OptWord::CurGroup);
            QVERIFY(grid->windowTitle().contains(
                QString::fromStdString(GroupShowName(doc.Doc, group))));
            QTableWidget* table = Table();
            QCOMPARE(table->rowCount(), GroupSize(group));
            for (int row = 1; row <= GroupSize(group); ++row) {
                const ChannelInfo* ch = FindChannel(GroupStartNo(group) + row);
                const auto cell = [&](int col) {
                    const QTableWidgetItem* item = table->item(row - 1, col);
                    return item ? item->text() : QString();
                };
                QCOMPARE(cell(1),
                         ch ? QString::fromStdString(FreStoreToShow(TrimFixStr(ch->RxFre), fre))
                            : QString());
                QCOMPARE(cell(4), ch ? toneText(ch->RxTone) : QString());
                QCOMPARE(cell(5), ch ? toneText(ch->TxTone) : QString());
            }
            if (group < 13) {
                QCOMPARE(grid->findChild<QLineEdit*>("Text3")->text(),
                         QString::fromStdString(TrimFixStr(doc.Doc.GroupNames[group])));
                QCOMPARE(grid->findChild<QCheckBox*>("Check1")->isChecked(),
                         doc.Doc.ResetFlags[group] != 0);
                const int emergency = doc.Doc.OptFeatures.EmgCh[2 * group + 1];
                if (emergency != 0)
                    QCOMPARE(grid->findChild<QComboBox*>("Combo8(1)")->currentText(),
                             QString::number(emergency));
            }
        }
        if (FrmCHInfoEdit* editor = ChInfoEdit()) {
            const int group = editor->findChild<QComboBox*>("Combo4")->currentIndex();
            const int pos = editor->findChild<QComboBox*>("Combo1")->currentIndex() + 1;
            const ChannelInfo* ch = FindChannel(GroupStartNo(group) + pos);
            QCOMPARE(editor->findChild<QLineEdit*>("Text1")->text(),
                     ch ? QString::fromStdString(FreStoreToShow(TrimFixStr(ch->RxFre), fre))
                        : QString());
            if (ch) {
                QCOMPARE(editor->findChild<QComboBox*>("Combo2_0")->currentIndex(), ch->RxTone);
                QCOMPARE(editor->findChild<QComboBox*>("Combo2_13")->currentIndex(), ch->AmFm);
                QCOMPARE(editor->findChild<QComboBox*>("Combo2_18")->currentIndex(), ch->Tsq);
                QCOMPARE(editor->findChild<QCheckBox*>("Check1_9")->isChecked(), ch->NbAnl == 1);
            }
        }
        if (FrmOptFeatures* features = OptFeaturesForm()) {
            for (const auto* rows : {&OptLeftRows(), &OptCommonRows()})
                for (const OptRow& row : *rows) {
                    if (row.Combo == ComboAmPower || row.Combo == ComboFmPower ||
                        row.Combo == ComboBusyLock)
                        continue; // lists that show part of their entries
                    QComboBox* list = features->Combo1(row.Combo);
                    const int shown = OptShownIndex(doc.Doc, row.Combo);
                    QCOMPARE(list->currentIndex(), shown >= 0 && shown < list->count() ? shown : 0);
                    for (const OptCheckBox& box : row.Checks)
                        QCOMPARE(features->Check1(box.Check)->isChecked(),
                                 OptCheckValue(doc.Doc, box.Check) == 1);
                }
        }
        if (QWidget* message = EmbMsg())
            for (int k = 0; k < 4; ++k)
                QCOMPARE(message->findChild<QLineEdit*>("Text1_" + QString::number(k))->text(),
                         QString::fromLatin1(TrimFixStr(doc.Doc.EmbMsg[k])));
        if (QWidget* tips = ToneTips()) {
            const ToneTip& tip = doc.Doc.ToneTips[0]; // the first tab is shown
            QCOMPARE(tips->findChild<QComboBox*>("Combo1_0")->currentIndex(),
                     static_cast<int>(tip.Repeat));
            QCOMPARE(tips->findChild<QComboBox*>("Combo2_0")->currentIndex(),
                     static_cast<int>(tip.Interval));
            for (int k = 0; k < kToneTipItems; ++k) {
                QCOMPARE(
                    tips->findChild<QComboBox*>("Combo4_" + QString::number(k))->currentIndex(),
                    static_cast<int>(tip.Items[k].Length));
                QCOMPARE(
                    tips->findChild<QComboBox*>("Combo3_" + QString::number(k))->currentIndex(),
                    ToneShownIndex(tip.Items[k].Tone));
            }
        }
        if (QWidget* reset = ResetMode())
            QCOMPARE(reset->findChild<QComboBox*>("Combo1_24")->currentText(),
                     QString::number(doc.Doc.OptFeatures.Word(OptWord::StartCh)));
    }

    std::unique_ptr<TestInstall> install_;
    AnsweringSink sink_;
    ScriptedChooser chooser_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<FrmMain> window_;
};

// Channels 130 and 131 in use, 131 with tones of its own.
static void TwoChannels(UndoRedoTest& t) {
    QVERIFY(AddCh(t.app_->Doc, 130, "27.125"));
    QVERIFY(AddCh(t.app_->Doc, 131, "27.135"));
    ChannelInfo& other = t.app_->Doc.ChList[FindChIndex(t.app_->Doc, 131)];
    other.RxTone = 12;
    other.TxTone = 60;
}

const std::vector<UndoRedoTest::Kind>& UndoRedoTest::Kinds() {
    static const std::vector<Kind> kinds = {
        {"grid: receive frequency typed", nullptr, nullptr,
         [](UndoRedoTest& t) { t.TypeIntoGridCell(kPos, "27.125"); },
         "&Undo receive frequency of channel 130"},
        {"grid: decode tone chosen", TwoChannels, nullptr,
         [](UndoRedoTest& t) {
             t.ClickGridCell(kPos, 4);
             QTest::keyClick(t.ListEditor(), Qt::Key_Down);
         },
         "&Undo decode tone of channel 130"},
        {"paste", TwoChannels, nullptr,
         [](UndoRedoTest& t) {
             t.ClickGridCell(kPos + 1, 4);
             QTest::keyClick(t.ListEditor(), Qt::Key_C, Qt::ControlModifier);
             QTRY_VERIFY(t.Entry("MnuCHPaste")->isEnabled());
             t.ClickGridCell(kPos, 4);
             QTest::keyClick(t.ListEditor(), Qt::Key_V, Qt::ControlModifier);
             QTRY_COMPARE(t.FindChannel(130)->RxTone, std::int16_t{12});
         },
         "&Undo paste to channel 130"},
        {"move up", TwoChannels, nullptr,
         [](UndoRedoTest& t) {
             t.ClickGridCell(kPos + 1, 4);
             QTest::keyClick(t.ListEditor(), Qt::Key_U, Qt::ControlModifier);
             QTRY_COMPARE(t.FindChannel(130)->RxTone, std::int16_t{12});
         },
         "&Undo move up of channel 131"},
        {"delete", TwoChannels, nullptr,
         [](UndoRedoTest& t) {
             t.ClickGridCell(kPos, 4);
             t.Entry("MnuCHDelete")->trigger();
             QTRY_VERIFY(!t.FindChannel(130));
         },
         "&Undo delete of channel 130"},
        {"group name typed", nullptr, nullptr,
         [](UndoRedoTest& t) {
             auto* name = t.Grid()->findChild<QLineEdit*>("Text3");
             QTest::mouseClick(name, Qt::LeftButton);
             name->selectAll();
             QTest::keyClicks(name, "NEW");
         },
         "&Undo name of group 3"},
        {"group valid flag", nullptr, nullptr,
         [](UndoRedoTest& t) {
             auto* valid = t.Grid()->findChild<QCheckBox*>("Check1");
             QTest::mouseClick(valid, Qt::LeftButton, {}, QPoint(6, valid->height() / 2));
         },
         "&Undo valid flag of group 3"},
        {"emergency channel", TwoChannels, nullptr,
         [](UndoRedoTest& t) { ChooseByKey(t.Grid()->findChild<QComboBox*>("Combo8(1)")); },
         "&Undo emergency channel of group 3"},
        {"detail editor: a list", TwoChannels, nullptr,
         [](UndoRedoTest& t) { ChooseByKey(t.ChInfoEdit()->findChild<QComboBox*>("Combo2_13")); },
         "&Undo modulation of channel 130"},
        {"detail editor: a check box", TwoChannels, nullptr,
         [](UndoRedoTest& t) {
             auto* box = t.ChInfoEdit()->findChild<QCheckBox*>("Check1_9");
             QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
         },
         "&Undo noise blanker of channel 130"},
        {"detail editor: receive frequency", nullptr, nullptr,
         [](UndoRedoTest& t) {
             auto* box = t.ChInfoEdit()->findChild<QLineEdit*>("Text1");
             QTest::mouseClick(box, Qt::LeftButton);
             QTest::keyClicks(box, "27.5");
             QTest::keyClick(box, Qt::Key_Return);
         },
         "&Undo receive frequency of channel 130"},
        {"optional features", nullptr, nullptr,
         [](UndoRedoTest& t) { ChooseByKey(t.OptFeaturesForm()->Combo1(4)); },
         "&Undo optional features"},
        {"embedded message typed", nullptr, nullptr,
         [](UndoRedoTest& t) {
             QLineEdit* line = t.EmbMsg()->findChild<QLineEdit*>("Text1_0");
             QTest::mouseClick(line, Qt::LeftButton);
             line->selectAll();
             QTest::keyClicks(line, "HELLO");
         },
         "&Undo line 1 of the embedded message"},
        {"tone tips", nullptr, nullptr,
         [](UndoRedoTest& t) { ChooseByKey(t.ToneTips()->findChild<QComboBox*>("Combo2_0")); },
         "&Undo tone tip 1"},
        {"reset mode", nullptr, nullptr,
         [](UndoRedoTest& t) { ChooseByKey(t.ResetMode()->findChild<QComboBox*>("Combo1_24")); },
         "&Undo reset mode"},
        {"model and band", [](UndoRedoTest& t) { t.app_->Doc.BandText.clear(); }, nullptr,
         [](UndoRedoTest& t) {
             WhenModal([](QWidget* dialog) {
                 auto* bands = dialog->findChild<QComboBox*>("Combo2");
                 bands->setCurrentIndex(0);
                 dialog->findChild<QPushButton*>("CommandOK")->click();
             });
             t.Entry("mnuModelInfo")->trigger();
             QTRY_COMPARE(t.Entry("mnuUndo")->text(), QString("&Undo model and band"));
         },
         "&Undo model and band"},
        {"open", nullptr,
         [](UndoRedoTest& t) {
             // A file to open, and an unsaved change before it is opened.
             t.chooser_.Name = QString::fromStdString(t.install_->Path("radio.dat"));
             t.app_->Doc.Doc.EmbMsg[3] = MakeFixStr<16>("IN THE FILE");
             QVERIFY(t.window_->FileSaveAs());
             t.TypeIntoGridCell(kPos, "27.125");
         },
         [](UndoRedoTest& t) {
             const std::string path = t.install_->Path("radio.dat");
             t.Entry("mnuFileOpen")->trigger();
             QTRY_COMPARE(t.app_->Doc.DocFileName, path);
             QVERIFY(!t.FindChannel(130));
         },
         "&Undo open"},
        {"new document", TwoChannels, nullptr,
         [](UndoRedoTest& t) {
             t.Entry("NewFile")->trigger();
             QTRY_VERIFY(!t.FindChannel(130));
             QTRY_VERIFY(t.Grid());
         },
         "&Undo new document"},
        {"initialize settings", TwoChannels, nullptr,
         [](UndoRedoTest& t) {
             t.Entry("MnuInit")->trigger();
             QTRY_COMPARE(t.app_->Doc.Doc.ChCount, std::int16_t{0});
             QTRY_VERIFY(t.Grid());
         },
         "&Undo initialize settings"},
    };
    return kinds;
}

QTEST_MAIN(UndoRedoTest)
#include "undo_redo_test.moc"
