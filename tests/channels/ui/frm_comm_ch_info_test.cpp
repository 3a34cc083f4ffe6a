// The channel grid on the offscreen platform: what it shows for a document,
// typing into the cells, the group controls and the channel commands.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

#include "channels/channel_list.h"
#include "channels/tone_list.h"
#include "channels/ui/cell_keys.h"
#include "channels/ui/frm_comm_ch_info.h"
#include "model/fixed_text.h"
#include "shell/ui/app_context.h"
#include "shell/ui/main_window_api.h"
#include "shell/ui/twips.h"

namespace velmar {

// Answers every message with OK and keeps it.
class ScriptedSink : public MessageSink {
public:
    MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon icon) override {
        shown.push_back({text, icon});
        return MsgAnswer::Ok;
    }
    struct Message {
        std::string text;
        MsgIcon icon;
    };
    std::vector<Message> shown;
};

// A main window with the channel-edit entries and a child-window area.
class FakeMainWindow : public QMainWindow, public MainWindowApi {
public:
    FakeMainWindow() {
        setCentralWidget(area);
        for (const char* name :
             {"MnuCHCut", "BtnCHCut", "MnuCHPaste", "BtnCHPaste", "MnuCHDelete"}) {
            auto* action = new QAction(this);
            action->setObjectName(name);
            addAction(action);
        }
    }
    void ShowCHInfo(bool show) override { shown.push_back(show); }
    void LoadTree() override { ++treesLoaded; }
    void ShowMainTxt() override {}
    bool Enabled(const char* name) const { return findChild<QAction*>(name)->isEnabled(); }

    QMdiArea* area = new QMdiArea(this);
    std::vector<bool> shown;
    int treesLoaded = 0;
};

class FrmCommChInfoTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheColumnsOfTheGroup();
    void showsTheChannelsOfTheGroup();
    void typedFrequencyIsStoredAndTheCursorMovesOn();
    void badFrequencyIsCorrectedWithOneWarning();
    void keysTheFrequencyEditorTakes();
    void rowWithoutFrequencyTakesOnlyAFrequency();
    void scrollingKeepsTheCursorOnItsScreenPlace();
    void fixedChannelsOpenOnTheDecodeTone();
    void switchingToTheVfoGroupAndBack();
    void lastValidGroupStaysValid();
    void emergencyChannelLists();
    void typedGroupNameIsMadeUnique();
    void channelCommandsOnTheCurrentRow();
    void insertIntoAFullGroupIsRefused();
    void insideTheMainWindow();
    void editorKeyFilters_data();
    void editorKeyFilters();
    void grabPictures();

private:
    void OpenGrid();
    int ChNoAt(int group, int pos) const { return GroupStartNo(group) + pos; }
    const ChannelInfo* Channel(int chNo) const;
    QString Cell(int row, int col) const;
    void ChooseGroup(int group);
    template <class T> T* Control(const char* name) const {
        T* control = grid->findChild<T*>(name);
        if (!control)
            qFatal("no control %s", name);
        return control;
    }
    QTableWidget* Table() const { return Control<QTableWidget>("MSFlexGrid1"); }
    QLineEdit* Text1() const { return Control<QLineEdit>("Text1"); }
    QComboBox* ToneEditor() const { return Control<QComboBox>("Combo1(0)"); }
    void TypeIntoText1(const QString& text);

    std::unique_ptr<AppContext> app;
    ChannelSession session;
    ScriptedSink sink;
    FrmCommChInfo* grid = nullptr;
};

void FrmCommChInfoTest::init() {
    app = std::make_unique<AppContext>(FileLocations{VELMAR_PROGRAM_DIR, VELMAR_BASE_DIR, ""});
    app->SetMessageSink(&sink);
    session = ChannelSession{};
    sink.shown.clear();
    app->Settings.EditPrefs = EditPreferences{.PasteNoAsk = true, .DeleteNoAsk = true};

    // Band 25.615 - 30.105 MHz, group 3 shown.
    DocRecord& doc = app->Doc.Doc;
    const char* names[13] = {"E", "UK", "PL", "EC", "PL", "U-EU", "U-UK",
                             "E", "A",  "B",  "C",  "D",  "E"};
    for (int g = 0; g < 13; ++g)
        doc.GroupNames[g] = MakeFixStr<6>(names[g]);
    doc.ResetFlags.fill(1);
    doc.OptFeatures.Word(OptWord::CurGroup) = 3;
    QVERIFY(AddCh(app->Doc, 1, "27.86000"));
    QVERIFY(AddCh(app->Doc, 521, "27.86000"));
    QVERIFY(AddCh(app->Doc, ChNoAt(3, 3), "26.50000"));
    QVERIFY(AddCh(app->Doc, ChNoAt(3, 7), "27.12500"));
    app->Doc.ChList[FindChIndex(app->Doc, ChNoAt(3, 7))].RxTone = 12;
    app->Doc.ChList[FindChIndex(app->Doc, ChNoAt(3, 7))].TxTone = 60;
}

void FrmCommChInfoTest::cleanup() {
    if (grid)
        AppContext::CloseForm(grid);
    grid = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app.reset();
}

void FrmCommChInfoTest::OpenGrid() {
    grid = ShowChannelGrid(*app, session);
    QVERIFY(grid);
    grid->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(grid));
}

const ChannelInfo* FrmCommChInfoTest::Channel(int chNo) const {
    const int index = FindChIndex(app->Doc, chNo);
    return index < 0 ? nullptr : &app->Doc.ChList[index];
}

QString FrmCommChInfoTest::Cell(int row, int col) const {
    const QTableWidgetItem* item = Table()->item(row - 1, col);
    return item ? item->text() : QString();
}

void FrmCommChInfoTest::ChooseGroup(int group) {
    QComboBox* chooser = Control<QComboBox>("Combo9");
    chooser->setCurrentIndex(group - 3);
    emit chooser->activated(group - 3);
}

void FrmCommChInfoTest::TypeIntoText1(const QString& text) {
    QVERIFY(!Text1()->isHidden());
    Text1()->selectAll();
    QTest::keyClicks(Text1(), text);
    QTest::keyClick(Text1(), Qt::Key_Return);
}

void FrmCommChInfoTest::showsTheColumnsOfTheGroup() {
    OpenGrid();
    QTableWidget* table = Table();
    QCOMPARE(table->columnCount(), 11);
    QCOMPARE(table->rowCount(), 40);
    const QStringList headers = {"No.",         "RX Freq (MHz)", "TX Offset (MHz)", "Name",
                                 "Decode",      "Encode",        "Power",           "Scan",
                                 "Opt. Signal", "Spacing",       "Details"};
    const int widths[] = {740, 1300, 0, 0, 1200, 1200, 0, 0, 0, 0, 1400};
    for (int col = 0; col < 11; ++col) {
        QCOMPARE(table->horizontalHeaderItem(col)->text(), headers[col]);
        QCOMPARE(table->horizontalHeaderItem(col)->foreground().color(), QColor(0, 0, 155));
        QCOMPARE(table->isColumnHidden(col), widths[col] == 0);
        if (widths[col] > 0)
            QCOMPARE(table->columnWidth(col), TwipsToPixels(widths[col], grid));
    }
    QCOMPARE(table->horizontalHeader()->height(), TwipsToPixels(500, grid));
    QCOMPARE(Cell(40, 0), "40");
    QCOMPARE(table->item(39, 0)->foreground().color(), QColor(0, 0, 255));
    QCOMPARE(Cell(12, 10), ">>");
    QCOMPARE(table->item(11, 10)->foreground().color(), QColor(255, 0, 0));
    QCOMPARE(table->item(11, 10)->background().color(), QColor(220, 220, 220));
    QCOMPARE(grid->windowTitle(), "Channel Information [Group 3 -- EC ---  1]");
    QCOMPARE(Control<QLineEdit>("Text3")->text(), "EC");
    QVERIFY(Control<QCheckBox>("Check1")->isChecked());
    QVERIFY(Control<QWidget>("CommandHelp")->isHidden());
}

void FrmCommChInfoTest::showsTheChannelsOfTheGroup() {
    OpenGrid();
    QCOMPARE(Cell(7, 1), "27.12500");
    QCOMPARE(Cell(7, 2), "0.00000"); // hidden, the offset
    QCOMPARE(Cell(7, 4), QString::fromStdString(ToneList()[12]));
    QCOMPARE(Cell(7, 5), QString::fromStdString(ToneList()[60]));
    QCOMPARE(Cell(3, 4), "OFF");
    QCOMPARE(Cell(7, 7), "Add");
    QCOMPARE(Cell(7, 9), "Wide");
    for (int col = 1; col <= 9; ++col)
        QCOMPARE(Cell(8, col), QString());

    grid->ReShowAllTxFre(false);
    QCOMPARE(Table()->horizontalHeaderItem(2)->text(), "TX Freq (MHz)");
    QCOMPARE(Cell(7, 2), "27.12500");
}

void FrmCommChInfoTest::typedFrequencyIsStoredAndTheCursorMovesOn() {
    OpenGrid();
    // The first activation opened the receive editor of row 1.
    QCOMPARE(Table()->currentRow(), 0);
    QCOMPARE(Table()->currentColumn(), 1);
    TypeIntoText1("27.1234");

    const ChannelInfo* created = Channel(ChNoAt(3, 1));
    QVERIFY(created);
    QCOMPARE(TrimFixStr(created->RxFre), std::string("02712000")); // on the 5 kHz raster
    QCOMPARE(created->RbTone, 1);
    QCOMPARE(Cell(1, 1), "27.12000");
    QVERIFY(sink.shown.empty());

    QCOMPARE(Table()->currentColumn(), 4);
    QVERIFY(!ToneEditor()->isHidden());
    QVERIFY(Text1()->isHidden());
    // The list editor lies exactly over its cell.
    QCOMPARE(ToneEditor()->geometry().topLeft(),
             Table()->visualRect(Table()->model()->index(0, 4)).topLeft());
    QCOMPARE(ToneEditor()->width(), Table()->visualRect(Table()->model()->index(0, 4)).width());

    // Choosing a first decode tone also sets the encode tone.
    ToneEditor()->setCurrentIndex(5);
    emit ToneEditor()->activated(5);
    QCOMPARE(Channel(ChNoAt(3, 1))->RxTone, 5);
    QCOMPARE(Channel(ChNoAt(3, 1))->TxTone, 5);
    QCOMPARE(Cell(1, 5), QString::fromStdString(ToneList()[5]));

    QTest::keyClick(ToneEditor(), Qt::Key_Return);
    QCOMPARE(Table()->currentColumn(), 5);
    QTest::keyClick(ToneEditor(), Qt::Key_Return);
    QCOMPARE(Table()->currentRow(), 1);
    QCOMPARE(Table()->currentColumn(), 1);
    QVERIFY(!Text1()->isHidden());
    QCOMPARE(Text1()->geometry(), Table()->visualRect(Table()->model()->index(1, 1)));
    QCOMPARE(grid->windowTitle(), "Channel Information [Group 3 -- EC ---  2]");

    // Enter on an empty receive editor goes down the column; the last row wraps to row 1.
    Table()->setCurrentCell(39, 1);
    QTest::keyClick(Text1(), Qt::Key_Return);
    QCOMPARE(Table()->currentRow(), 0);
    QCOMPARE(Table()->currentColumn(), 1);
    QCOMPARE(Text1()->text(), "27.12000");
}

void FrmCommChInfoTest::badFrequencyIsCorrectedWithOneWarning() {
    OpenGrid();
    TypeIntoText1("31");
    QCOMPARE(sink.shown.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(sink.shown[0].text), app->Text(9021));
    QVERIFY(sink.shown[0].icon == MsgIcon::Warning);
    QCOMPARE(TrimFixStr(Channel(ChNoAt(3, 1))->RxFre), std::string("03010500"));
    QCOMPARE(Cell(1, 1), "30.10500");

    // Leaving the cells stores nothing again and warns no more.
    grid->SetEditDisable();
    Table()->setCurrentCell(5, 1);
    QCOMPARE(sink.shown.size(), std::size_t(1));
}

void FrmCommChInfoTest::keysTheFrequencyEditorTakes() {
    OpenGrid();
    Text1()->clear();
    QTest::keyClicks(Text1(), "2a7+-.5x");
    QCOMPARE(Text1()->text(), "27.5");
}

void FrmCommChInfoTest::rowWithoutFrequencyTakesOnlyAFrequency() {
    OpenGrid();
    Table()->setCurrentCell(9, 4); // row 10 has no channel
    QCOMPARE(Table()->currentColumn(), 1);
    QVERIFY(!Text1()->isHidden());
    QVERIFY(ToneEditor()->isHidden());
}

void FrmCommChInfoTest::scrollingKeepsTheCursorOnItsScreenPlace() {
    OpenGrid();
    const QRect firstRow = Text1()->geometry();
    Table()->verticalScrollBar()->setValue(5);
    QCOMPARE(Table()->currentRow(), 5);
    QVERIFY(!Text1()->isHidden());
    QCOMPARE(Text1()->geometry(), firstRow);
    QCOMPARE(session.Edit.EditChPos, 6);
}

void FrmCommChInfoTest::fixedChannelsOpenOnTheDecodeTone() {
    app->Doc.Doc.OptFeatures.Word(OptWord::CurGroup) = 0;
    OpenGrid();
    // Channel 1 exists: its receive frequency cannot change, the cursor goes on.
    QCOMPARE(Table()->currentColumn(), 4);
    QVERIFY(!ToneEditor()->isHidden());
    // An empty row of the group still takes a new frequency.
    Table()->setCurrentCell(4, 1);
    QCOMPARE(Table()->currentColumn(), 1);
    TypeIntoText1("26");
    QVERIFY(Channel(5));
    QCOMPARE(Control<QComboBox>("Combo9")->currentIndex(), -1);
    QCOMPARE(Control<QComboBox>("Combo9")->placeholderText(), "0");
}

void FrmCommChInfoTest::switchingToTheVfoGroupAndBack() {
    OpenGrid();
    ChooseGroup(kVfoGroup);
    QCOMPARE(Table()->rowCount(), 1);
    QCOMPARE(Control<QComboBox>("Combo7")->currentIndex(), kVfoGroup);
    QLineEdit* name = Control<QLineEdit>("Text3");
    QCOMPARE(name->text(), "VFO");
    QVERIFY(!name->isEnabled());
    QVERIFY(Control<QComboBox>("Combo8(1)")->isHidden());
    QVERIFY(!Control<QCheckBox>("Check1")->isHidden());
    QCOMPARE(Cell(1, 1), "27.86000");
    QCOMPARE(app->Doc.Doc.OptFeatures.Word(OptWord::CurGroup), kVfoGroup);
    QCOMPARE(session.Edit.EditGroup, kVfoGroup);
    QCOMPARE(grid->windowTitle(), "Channel Information [Group 13 -- VFO ---  1]");

    ChooseGroup(kMemGroup);
    QCOMPARE(Table()->rowCount(), 8);
    QCOMPARE(name->text(), "MEM");
    QVERIFY(Control<QCheckBox>("Check1")->isHidden());

    ChooseGroup(5);
    QCOMPARE(Table()->rowCount(), 40);
    QCOMPARE(name->text(), "U-EU");
    QVERIFY(name->isEnabled());
    QVERIFY(!Control<QComboBox>("Combo8(1)")->isHidden());
    QCOMPARE(Cell(7, 1), QString()); // group 5 has no channel 7
    QCOMPARE(Cell(40, 0), "40");
}

void FrmCommChInfoTest::lastValidGroupStaysValid() {
    DocRecord& doc = app->Doc.Doc;
    doc.ResetFlags.fill(0);
    doc.ResetFlags[3] = 1;
    doc.ResetFlags[6] = 1;
    doc.OptFeatures.Word(OptWord::StartGroup) = 3;
    OpenGrid();
    QCheckBox* valid = Control<QCheckBox>("Check1");
    valid->click(); // group 3 invalid: the start group moves to group 6
    QVERIFY(!valid->isChecked());
    QCOMPARE(doc.ResetFlags[3], 0);
    QCOMPARE(doc.OptFeatures.Word(OptWord::StartGroup), 6);

    ChooseGroup(6);
    valid->click(); // the last valid group
    QVERIFY(valid->isChecked());
    QCOMPARE(doc.ResetFlags[6], 1);

    ChooseGroup(kVfoGroup);
    QVERIFY(!valid->isChecked());
    valid->click();
    QVERIFY(valid->isChecked());
    valid->click(); // the VFO group cannot be made invalid
    QVERIFY(valid->isChecked());
    QCOMPARE(doc.ResetFlags[kVfoGroup], 1);
}

void FrmCommChInfoTest::emergencyChannelLists() {
    auto& features = app->Doc.Doc.OptFeatures;
    features.EmgCh[2 * 3 + 0] = 3;
    features.EmgCh[2 * 3 + 1] = 7;
    features.EmgChMode[2 * 3 + 1] = 1;
    OpenGrid();
    QComboBox* emg1 = Control<QComboBox>("Combo8(1)");
    QComboBox* emg0 = Control<QComboBox>("Combo8(0)");
    QComboBox* mode1 = Control<QComboBox>("Combo8(3)");
    QCOMPARE(emg1->count(), 2);
    QCOMPARE(emg1->itemText(0), "3");
    QCOMPARE(emg1->currentText(), "7");
    QCOMPARE(emg0->currentText(), "3");
    QCOMPARE(mode1->currentText(), "FM");
    QCOMPARE(Control<QComboBox>("Combo8(2)")->currentText(), "AM");

    emg1->setCurrentIndex(0);
    emit emg1->activated(0);
    QCOMPARE(features.EmgCh[2 * 3 + 1], 3);
    mode1->setCurrentIndex(0);
    emit mode1->activated(0);
    QCOMPARE(features.EmgChMode[2 * 3 + 1], 0);

    // Emptying the receive frequency of position 3 removes the channel and
    // every emergency channel that named it.
    Table()->setCurrentCell(2, 1);
    QCOMPARE(Text1()->text(), "26.50000");
    Text1()->clear();
    QTest::keyClick(Text1(), Qt::Key_Return);
    QVERIFY(!Channel(ChNoAt(3, 3)));
    QCOMPARE(features.EmgCh[2 * 3 + 0], 0);
    QCOMPARE(features.EmgCh[2 * 3 + 1], 0);
    QCOMPARE(emg1->count(), 1);
    QCOMPARE(emg1->itemText(0), "7");
    QCOMPARE(Cell(3, 1), QString());
}

void FrmCommChInfoTest::typedGroupNameIsMadeUnique() {
    app->Doc.Doc.GroupNames[3] = MakeFixStr<6>("ABC");
    app->Doc.Doc.GroupNames[8] = MakeFixStr<6>("H"); // no group is named A
    app->Doc.Doc.OptFeatures.Word(OptWord::CurGroup) = 4;
    OpenGrid();
    QLineEdit* name = Control<QLineEdit>("Text3");
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "ab1c");
    QCOMPARE(name->text(), "ABD");
    QCOMPARE(TrimFixStr(app->Doc.Doc.GroupNames[4]), std::string("ABD"));
    QCOMPARE(grid->windowTitle(), "Channel Information [Group 4 -- ABD ---  1]");
}

void FrmCommChInfoTest::channelCommandsOnTheCurrentRow() {
    OpenGrid();
    Table()->setCurrentCell(6, 4);
    grid->SetEditDisable();
    grid->RunEditCommand(2); // copy row 7
    QVERIFY(session.Clipboard.ClipboardFull);
    Table()->setCurrentCell(8, 1);
    grid->SetEditDisable();
    grid->RunEditCommand(3); // paste onto row 9
    QCOMPARE(Cell(9, 1), "27.12500");
    QCOMPARE(Channel(ChNoAt(3, 9))->RxTone, 12);

    grid->RunEditCommand(6); // move up: row 9 and row 8 change places
    QCOMPARE(Cell(8, 1), "27.12500");
    QCOMPARE(Cell(9, 1), QString());
    QCOMPARE(Table()->currentRow(), 7);

    Table()->setCurrentCell(2, 4);
    grid->SetEditDisable();
    grid->RunEditCommand(1); // cut row 3
    QCOMPARE(Cell(3, 1), QString());
    QVERIFY(!Channel(ChNoAt(3, 3)));
    QCOMPARE(TrimFixStr(session.Clipboard.ChClipboard.RxFre), std::string("02650000"));
}

void FrmCommChInfoTest::insertIntoAFullGroupIsRefused() {
    OpenGrid();
    QVERIFY(AddCh(app->Doc, ChNoAt(3, 40), "28.00000"));
    grid->reShowAllGrid();
    Table()->setCurrentCell(2, 4);
    grid->SetEditDisable();
    grid->RunEditCommand(4);
    QCOMPARE(sink.shown.size(), std::size_t(1));
    QVERIFY(sink.shown[0].icon == MsgIcon::Warning);
    QVERIFY(Channel(ChNoAt(3, 3)) && Channel(ChNoAt(3, 40)));
    QCOMPARE(Cell(3, 1), "26.50000");
}

void FrmCommChInfoTest::insideTheMainWindow() {
    FakeMainWindow main;
    app->MainWindow = &main;
    app->SetChildArea(main.area);
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));

    OpenGrid();
    QCOMPARE(main.treesLoaded, 1);
    QCOMPARE(main.shown, std::vector<bool>{true});
    // Row 1 has no channel: nothing to cut, nothing copied yet.
    QVERIFY(!main.Enabled("MnuCHCut") && !main.Enabled("BtnCHCut"));
    QVERIFY(!main.Enabled("MnuCHPaste") && !main.Enabled("BtnCHPaste"));
    QVERIFY(main.Enabled("MnuCHDelete"));

    Table()->setCurrentCell(6, 4);
    QVERIFY(main.Enabled("MnuCHCut") && main.Enabled("BtnCHCut"));
    grid->RunEditCommand(2);
    QVERIFY(main.Enabled("MnuCHPaste") && main.Enabled("BtnCHPaste"));

    // Another child window becomes active: the channel commands go away.
    QMdiSubWindow* other = main.area->addSubWindow(new QWidget);
    other->show();
    main.area->setActiveSubWindow(other);
    QCOMPARE(main.shown, (std::vector<bool>{true, false}));
    main.area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(grid->parentWidget()));
    QCOMPARE(main.shown, (std::vector<bool>{true, false, true}));

    AppContext::CloseForm(grid);
    grid = nullptr;
    QCOMPARE(main.shown.back(), false);
    app->MainWindow = nullptr;
}

void FrmCommChInfoTest::editorKeyFilters_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("showTxOffset");
    QTest::addColumn<int>("frequencyKey"); // -1: dropped
    QTest::addColumn<int>("textKey");
    QTest::newRow("digit") << int('7') << 1 << true << int('7') << int('7');
    QTest::newRow("point") << int('.') << 1 << true << int('.') << -1;
    QTest::newRow("letter") << int('a') << 1 << true << -1 << int('A');
    QTest::newRow("capital") << int('Q') << 1 << true << -1 << int('Q');
    QTest::newRow("plus in rx") << int('+') << 1 << true << -1 << -1;
    QTest::newRow("plus as offset") << int('+') << 2 << true << int('+') << -1;
    QTest::newRow("minus as frequency") << int('-') << 2 << false << -1 << -1;
    QTest::newRow("backspace") << 8 << 1 << true << 8 << 8;
    QTest::newRow("ctrl+v") << 22 << 1 << true << -1 << -1;
    QTest::newRow("beyond ascii") << 0xE9 << 1 << true << -1 << -1;
}

void FrmCommChInfoTest::editorKeyFilters() {
    QFETCH(int, key);
    QFETCH(int, column);
    QFETCH(bool, showTxOffset);
    QFETCH(int, frequencyKey);
    QFETCH(int, textKey);
    const auto asInt = [](std::optional<char> c) {
        return c ? int(static_cast<unsigned char>(*c)) : -1;
    };
    QCOMPARE(asInt(FrequencyEditorKey(char(key), column, showTxOffset)), frequencyKey);
    QCOMPARE(asInt(TextEditorKey(char(key))), textKey);
}

// With VELMAR_GRAB_DIR set, the window is saved there in English and Chinese.
void FrmCommChInfoTest::grabPictures() {
    const QString folder = qEnvironmentVariable("VELMAR_GRAB_DIR");
    if (folder.isEmpty())
        QSKIP("VELMAR_GRAB_DIR not set");
    for (const auto& [file, language] : {std::pair{"english.ini", "en"}, {"chinese.ini", "zh"}}) {
        app->Settings.LanguageFile = file;
        OpenGrid();
        QVERIFY(grid->grab().save(
            QDir(folder).filePath(QString("frmCommChInfo_%1.png").arg(language))));
        AppContext::CloseForm(grid);
        grid = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace velmar

QTEST_MAIN(velmar::FrmCommChInfoTest)
#include "frm_comm_ch_info_test.moc"
