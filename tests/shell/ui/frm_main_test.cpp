// The main window: menus, toolbar and tree, closing, the File commands and
// the language switch.
#include "shell/ui/ui_test_support.h"

#include "channels/ui/frm_comm_ch_info.h"
#include "model/doc_compare.h"
#include "shell/ui/background_area.h"
#include "shell/ui/frm_main.h"
#include "shell/ui/frm_set_language.h"
#include "shell/ui/twips.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <fstream>

Q_DECLARE_METATYPE(velmar::MsgAnswer)

using namespace velmar;
using namespace velmar::test;

namespace {

// A change the user can make in any editor.
void ChangeDocument(AppContext& app) {
    app.Doc.Doc.OptFeatures.Words[0] ^= 1;
}

QStringList TreeKeys(const FrmMain& window) {
    const auto* tree = window.findChild<QTreeWidget*>("TreeView1");
    QStringList keys;
    const QTreeWidgetItem* root = tree->topLevelItem(0);
    keys << root->data(0, Qt::UserRole).toString();
    for (int i = 0; i < root->childCount(); ++i)
        keys << root->child(i)->data(0, Qt::UserRole).toString();
    return keys;
}

QTreeWidgetItem* TreeNode(const FrmMain& window, const QString& key) {
    QTreeWidgetItem* root = window.findChild<QTreeWidget*>("TreeView1")->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->data(0, Qt::UserRole).toString() == key)
            return root->child(i);
    return nullptr;
}

QAction* Action(const FrmMain& window, const char* name) {
    return window.findChild<QAction*>(name);
}

} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        install_ = std::make_unique<TestInstall>();
        sink_ = ScriptedSink{};
        chooser_ = ScriptedChooser{};
        app_ = MakeContext(*install_, sink_);
    }
    void cleanup() {
        window_.reset();
        app_.reset();
        install_.reset();
    }

    void menusCarryTheirTextsAndShortcuts() {
        OpenWindow();
        struct Entry {
            const char* name;
            int textId;
            QKeySequence shortcut;
        };
        const Entry entries[] = {
            {"mnuFile", 10000, {}},
            {"mnuFileNew", 10001, QKeySequence("Ctrl+N")},
            {"mnuFileOpen", 10002, QKeySequence("Ctrl+O")},
            {"mnuFileSave", 10003, QKeySequence("Ctrl+S")},
            {"mnuFileSaveAs", 10004, {}},
            {"mnuFileExit", 10006, {}},
            {"mnuModelInfo", 10101, {}},
            {"MnuCHEdit", 10800, {}},
            {"MnuCHCut", 10801, QKeySequence("Ctrl+X")},
            {"MnuCHCopy", 10802, QKeySequence("Ctrl+C")},
            {"MnuCHPaste", 10803, QKeySequence("Ctrl+V")},
            {"MnuCHInsert", 10804, QKeySequence("Ctrl+I")},
            {"MnuCHDelete", 10805, QKeySequence(Qt::Key_Delete)},
            {"MnuCHMoveUp", 10806, QKeySequence("Ctrl+U")},
            {"MnuCHMoveDown", 10807, QKeySequence("Ctrl+D")},
            {"mnuUndo", 10230, QKeySequence("Ctrl+Z")},
            {"mnuRedo", 10231, QKeySequence("Ctrl+Y")},
            {"mnuChannelInfo", 10201, {}},
            {"mnuOptFeature", 10202, {}},
            {"mnuResetInit", 10222, {}},
            {"mnuEmbeddedMsg", 10206, {}},
            {"MnuLocalInfo", 10207, {}},
            {"mnuReadFromRadio", 10301, QKeySequence("Ctrl+R")},
            {"mnuWriteToRadio", 10302, QKeySequence("Ctrl+W")},
            {"MnuProPassWord", 10303, QKeySequence("Ctrl+P")},
            {"mnuComm", 10401, {}},
            {"mnuLanguage", 10402, {}},
            {"MnuInit", 10403, {}},
            {"mnuTreeView", 10501, {}},
            {"mnuViewToolbar", 10502, {}},
            {"mnuViewStatusBar", 10503, {}},
            {"mnuWindowCascade", 10601, {}},
            {"mnuCloseAll", 10602, {}},
            {"mnuHelpAbout", 10702, {}},
        };
        for (const Entry& entry : entries) {
            QAction* action = Action(*window_, entry.name);
            QVERIFY2(action, entry.name);
            QCOMPARE(action->text(), app_->Text(entry.textId));
            QVERIFY2(!action->text().isEmpty(), entry.name);
            QCOMPARE(action->shortcut(), entry.shortcut);
        }
        QStringList menuOrder;
        for (QAction* menu : window_->menuBar()->actions())
            menuOrder << menu->objectName();
        QCOMPARE(menuOrder,
                 QStringList({"mnuFile", "mnuModel", "MnuCHEdit", "mnuEdit", "mnuProgram", "mnuSet",
                              "mnuView", "mnuWindow", "mnuHelp"}));
        for (const char* name : {"mnuTreeView", "mnuViewToolbar", "mnuViewStatusBar"})
            QVERIFY(Action(*window_, name)->isChecked());
    }

    void withoutMainVersionThereAreNoToneTips() {
        OpenWindow();
        QVERIFY(!Action(*window_, "mnuToneTips"));
        QCOMPARE(TreeKeys(*window_), QStringList({"N0", "N1", "N2", "N13", "N6", "N7"}));
    }

    void mainVersionShowsToneTips() {
        app_->Settings.IsMainVersion = true;
        OpenWindow();
        QCOMPARE(Action(*window_, "mnuToneTips")->text(), app_->Text(10221));
        QCOMPARE(TreeKeys(*window_), QStringList({"N0", "N1", "N2", "N13", "N12", "N6", "N7"}));
        QCOMPARE(TreeNode(*window_, "N12")->text(0), app_->Text(12014));
    }

    void treeShowsModelAndEditors() {
        OpenWindow();
        const QTreeWidgetItem* root =
            window_->findChild<QTreeWidget*>("TreeView1")->topLevelItem(0);
        QCOMPARE(root->text(0), QString("KAVRO"));
        QVERIFY(root->isExpanded());
        const std::pair<const char*, int> nodes[] = {
            {"N1", 12001}, {"N2", 12002}, {"N13", 12015}, {"N6", 12006}, {"N7", 12007}};
        for (const auto& [key, id] : nodes)
            QCOMPARE(TreeNode(*window_, key)->text(0), app_->Text(id));
    }

    void toolbarKeysInOrderWithChannelKeysOnlyForTheGrid() {
        OpenWindow();
        const auto* toolbar = window_->findChild<QToolBar*>("tbToolBar");
        QStringList keys;
        for (QAction* button : toolbar->actions())
            keys << (button->isSeparator() ? QString("|") : button->objectName());
        QCOMPARE(
            keys,
            QStringList({"NewFile",       "OpenFile",   "SaveFile",    "|",           "Undo",
                         "Redo",          "|",          "Print",       "|",           "ReadRadio",
                         "CommSet",       "WriteRadio", "|",           "BtnCHCut",    "BtnCHCopy",
                         "BtnCHPaste",    "|",          "BtnCHInsert", "BtnCHDelete", "BtnCHMoveUp",
                         "BtnCHMoveDown", "|",          "About"}));
        const std::pair<const char*, int> tooltips[] = {
            {"NewFile", 11000},       {"OpenFile", 11001},    {"SaveFile", 11002},
            {"Undo", 11020},          {"Redo", 11021},        {"Print", 11003},
            {"ReadRadio", 11004},     {"CommSet", 11005},     {"WriteRadio", 11006},
            {"BtnCHCut", 11010},      {"BtnCHCopy", 11011},   {"BtnCHPaste", 11012},
            {"BtnCHInsert", 11013},   {"BtnCHDelete", 11014}, {"BtnCHMoveUp", 11015},
            {"BtnCHMoveDown", 11016}, {"About", 11007}};
        for (const auto& [key, id] : tooltips)
            QCOMPARE(Action(*window_, key)->toolTip(), app_->Text(id));

        // Buttons 11 ... 19 of the original layout (channel keys and two
        // separators, after the undo keys) and the channel menu follow ShowCHInfo.
        const QList<QAction*> buttons = toolbar->actions();
        const auto channelKeysVisible = [&](bool visible) {
            for (int i = 0; i < buttons.size(); ++i)
                if (buttons[i]->isVisible() != (visible || i < 13 || i > 21))
                    return false;
            return Action(*window_, "MnuCHEdit")->isVisible() == visible;
        };
        window_->ShowCHInfo(false);
        QVERIFY(channelKeysVisible(false));
        window_->ShowCHInfo(true);
        QVERIFY(channelKeysVisible(true));
        window_->ShowCHInfo(false);
        QVERIFY(channelKeysVisible(false));
    }

    void captionAndStatusBarShowTheDocument() {
        OpenWindow();
        QCOMPARE(window_->windowTitle(),
                 QString("Velmar[KAVRO:25.615 - 30.105 MHz][File:new.dat]"));
        QCOMPARE(window_->statusBar()->findChild<QLabel*>("Panel2")->text(),
                 QString("KAVRO[25.615 - 30.105 MHz]"));
        app_->Settings.comPort = 7;
        window_->ShowMainTxt();
        QCOMPARE(window_->statusBar()->findChild<QLabel*>("Panel3")->text(),
                 app_->Text(12008) + "7");
    }

    void startsWithTheChannelGridOnANewDocument() {
        OpenWindow();
        QVERIFY(app_->FindForm("frmCommChInfo"));
        QVERIFY(app_->Doc.IsNewDocument);
        QVERIFY(IsDocUnchanged(app_->Doc));
        QVERIFY(window_->ChildArea()->HasPicture());
        QVERIFY(sink_.Shown.empty());
    }

    void treeHideButtonHidesThePane() {
        OpenWindow();
        window_->findChild<QAction*>(QString::fromUtf8("删除"))->trigger();
        QVERIFY(window_->findChild<QWidget*>("Picture1")->isHidden());
        QVERIFY(!Action(*window_, "mnuTreeView")->isChecked());
        Action(*window_, "mnuTreeView")->trigger();
        QVERIFY(!window_->findChild<QWidget*>("Picture1")->isHidden());
    }

    void treeNodeOpensOneWindowOfItsKind() {
        OpenWindow();
        auto* tree = window_->findChild<QTreeWidget*>("TreeView1");
        emit tree->itemClicked(TreeNode(*window_, "N2"), 0);
        QWidget* first = app_->FindForm("FrmOptFeatures");
        QVERIFY(first);
        emit tree->itemClicked(TreeNode(*window_, "N2"), 0);
        QCOMPARE(app_->FindForm("FrmOptFeatures"), first);
        QCOMPARE(app_->OpenForms().size(), size_t{2}); // with the channel grid
    }

    void channelCommandsReachTheGrid() {
        OpenWindow();
        app_->Settings.EditPrefs.DeleteNoAsk = true;
        // With the grid closed, channel 1 moves to the first row of the group
        // the grid opens on.
        window_->CloseCurAllWindows();
        const int shownGroup = app_->Doc.Doc.OptFeatures.Word(OptWord::CurGroup);
        for (ChannelList* list : {&app_->Doc.ChList, &app_->Doc.SavedChList})
            (*list)[0].ChNo = static_cast<std::int16_t>(GroupStartNo(shownGroup) + 1);
        Action(*window_, "mnuChannelInfo")->trigger();
        QTRY_VERIFY(Action(*window_, "MnuCHCut")->isEnabled());

        Action(*window_, "MnuCHCut")->trigger();
        QTRY_COMPARE(app_->Doc.Doc.ChCount, std::int16_t{1});
        QVERIFY(Action(*window_, "MnuCHPaste")->isEnabled()); // the clipboard holds it
    }

    // At its first start on the small offscreen screen (800 x 800) the main
    // window stays on the screen, and a child window wider than the work area is reached
    // through the work area's scroll bars: the user scrolls to its Close key
    // and clicks it.
    void aChildWindowLargerThanTheWorkAreaIsReachedByScrolling() {
        OpenWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QVERIFY(window_->screen()->availableGeometry().contains(window_->frameGeometry()));
        Action(*window_, "mnuOptFeature")->trigger();
        QWidget* features = app_->FindForm("FrmOptFeatures");
        QVERIFY(features);
        BackgroundArea* area = window_->ChildArea();
        QWidget* viewport = area->viewport();
        auto* close = features->findChild<QPushButton*>("CommandClose");
        QVERIFY(close);
        const auto closeInView = [&] {
            const QRect key(close->mapTo(viewport, QPoint(0, 0)), close->size());
            return viewport->rect().contains(key);
        };
        QVERIFY(!closeInView());
        QTRY_VERIFY(area->horizontalScrollBar()->isVisible());
        for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()}) {
            for (int click = 0; click < 50 && !closeInView() && bar->isVisible(); ++click) {
                const QRect end = bar->orientation() == Qt::Horizontal
                                      ? QRect(bar->width() - 4, 0, 4, bar->height())
                                      : QRect(0, bar->height() - 4, bar->width(), 4);
                QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {},
                                  bar->mapTo(window_.get(), end.center()));
            }
        }
        QVERIFY(closeInView());
        QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {},
                          close->mapTo(window_.get(), close->rect().center()));
        FlushDeferredDeletes();
        QVERIFY(!app_->FindForm("FrmOptFeatures"));
    }

    // --- closing

    void closingWithChangesAndCancelStaysOpenWithPlacementStored() {
        OpenWindow();
        window_->setGeometry(120, 90, 700, 520);
        ChangeDocument(*app_);
        sink_.Answers = {MsgAnswer::Cancel};
        QVERIFY(!window_->close());
        QVERIFY(window_->isVisible());
        QCOMPARE(sink_.Shown, std::vector<std::string>{app_->Texts.GetText(9006)});
        QVERIFY(!std::filesystem::exists(install_->Path("bin/Setting.ini")));

        QSettings store(QSettings::IniFormat, QSettings::UserScope, "Velmar", "Velmar");
        store.beginGroup("Settings");
        QCOMPARE(store.value("MainLeft").toInt(),
                 PixelsToTwips(window_->geometry().x(), window_.get()));
        QCOMPARE(store.value("MainWidth").toInt(), PixelsToTwips(700, window_.get()));
        QCOMPARE(store.value("MainHeight").toInt(), PixelsToTwips(520, window_.get()));
    }

    void placementComesBackAtTheNextStart() {
        OpenWindow();
        window_->setGeometry(150, 110, 640, 480);
        const QRect placed = window_->geometry();
        QVERIFY(window_->close());
        window_.reset();
        OpenWindow();
        QCOMPARE(window_->geometry(), placed);
    }

    void closingWithNoWritesTheSettingRecord() {
        OpenWindow();
        app_->Settings.SettingBytes = {1, 2, 3, 4};
        ChangeDocument(*app_);
        sink_.Answers = {MsgAnswer::No};
        QVERIFY(window_->close());
        std::ifstream file(install_->Path("bin/Setting.ini"), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), {});
        QCOMPARE(bytes, std::string("\x01\x02\x03\x04", 4));
    }

    void closingWithYesButNoSaveStaysOpen() {
        OpenWindow();
        ChangeDocument(*app_);
        sink_.Answers = {MsgAnswer::Yes};
        chooser_.Name.reset(); // the save dialog is cancelled
        QVERIFY(!window_->close());
        QCOMPARE(chooser_.Asked, 1);
    }

    void closingWithYesSavesThenCloses() {
        OpenWindow();
        ChangeDocument(*app_);
        sink_.Answers = {MsgAnswer::Yes};
        chooser_.Name = QString::fromStdString(install_->Path("kept.dat"));
        QVERIFY(window_->close());
        QVERIFY(std::filesystem::exists(install_->Path("kept.dat")));
    }

    // --- New

    void toolbarNewReplacesAChangedDocumentWithoutAsking() {
        OpenWindow();
        ChangeDocument(*app_);
        app_->Doc.DocFileName = "/somewhere/old.dat";
        app_->Doc.IsNewDocument = false;
        Action(*window_, "NewFile")->trigger();
        QTRY_VERIFY(app_->Doc.IsNewDocument);
        QVERIFY(sink_.Shown.empty());
        QVERIFY(IsDocUnchanged(app_->Doc));
        QCOMPARE(app_->Doc.DocFileName, std::string("new.dat"));
        QTRY_VERIFY(app_->FindForm("frmCommChInfo"));
    }

    void fileNewAsksToSaveThenToReplace_data() {
        QTest::addColumn<MsgAnswer>("saveAnswer");
        QTest::addColumn<MsgAnswer>("replaceAnswer");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("no, ok") << MsgAnswer::No << MsgAnswer::Ok << true;
        QTest::newRow("no, cancel") << MsgAnswer::No << MsgAnswer::Cancel << false;
        QTest::newRow("cancel still asks, ok") << MsgAnswer::Cancel << MsgAnswer::Ok << true;
        QTest::newRow("cancel, cancel") << MsgAnswer::Cancel << MsgAnswer::Cancel << false;
    }
    void fileNewAsksToSaveThenToReplace() {
        QFETCH(MsgAnswer, saveAnswer);
        QFETCH(MsgAnswer, replaceAnswer);
        QFETCH(bool, replaced);
        OpenWindow();
        ChangeDocument(*app_);
        sink_.Answers = {saveAnswer, replaceAnswer};
        Action(*window_, "mnuFileNew")->trigger();
        QCOMPARE(sink_.Shown,
                 (std::vector<std::string>{app_->Texts.GetText(9006), app_->Texts.GetText(9026)}));
        if (replaced)
            QTRY_VERIFY(IsDocUnchanged(app_->Doc));
        else {
            QTest::qWait(150); // longer than NewDocTimer
            QVERIFY(IsDocChanged(app_->Doc));
            QVERIFY(app_->FindForm("frmCommChInfo"));
        }
    }

    void initialiseSettingsTakesTheSettingsTemplate() {
        OpenWindow();
        QCOMPARE(app_->Doc.Doc.ChCount, std::int16_t{2}); // KAVRO_1_NEW.dat
        sink_.Answers = {MsgAnswer::Ok};
        Action(*window_, "MnuInit")->trigger();
        QTRY_COMPARE(app_->Doc.Doc.ChCount, std::int16_t{0}); // KAVRO_1.dat
        QVERIFY(!app_->Doc.InitSettingsMode);
    }

    // --- Save and Open

    void saveAsThenOpenGivesTheSameDocument() {
        OpenWindow();
        ChangeDocument(*app_);
        const Document changed = app_->Doc;
        const std::string path = install_->Path("radio.dat");
        chooser_.Name = QString::fromStdString(path);
        QVERIFY(window_->FileSave()); // a new document is saved through Save As
        QCOMPARE(chooser_.Proposed, QString("new.dat"));
        QCOMPARE(std::filesystem::file_size(path), std::uintmax_t{1753});
        QVERIFY(std::filesystem::exists(install_->Path("radio.fre")));
        QVERIFY(IsDocUnchanged(app_->Doc));
        QVERIFY(!app_->Doc.IsNewDocument);
        QVERIFY(window_->windowTitle().endsWith("[File:radio.dat]"));

        Action(*window_, "NewFile")->trigger();
        QTRY_VERIFY(app_->Doc.IsNewDocument);
        Action(*window_, "mnuFileOpen")->trigger();
        QVERIFY(sink_.Shown.empty());
        QCOMPARE(app_->Doc.DocFileName, path);
        QVERIFY(!app_->Doc.IsNewDocument);
        QVERIFY(IsDocUnchanged(app_->Doc));
        QCOMPARE(app_->Doc.Doc.OptFeatures.Words, changed.Doc.OptFeatures.Words);
        QVERIFY(app_->FindForm("frmCommChInfo"));
    }

    void saveOfASavedDocumentAsksWithItsName() {
        OpenWindow();
        const std::string path = install_->Path("radio.dat");
        chooser_.Name = QString::fromStdString(path);
        QVERIFY(window_->FileSaveAs());
        ChangeDocument(*app_);
        sink_.Answers = {MsgAnswer::Cancel};
        QVERIFY(!window_->FileSave());
        QCOMPARE(sink_.Shown,
                 std::vector<std::string>{"\"radio.dat\"" + app_->Texts.GetText(9007)});
        QVERIFY(IsDocChanged(app_->Doc));
        sink_.Answers = {MsgAnswer::Ok};
        QVERIFY(window_->FileSave());
        QVERIFY(IsDocUnchanged(app_->Doc));
        QCOMPARE(chooser_.Asked, 1);
    }

    void aDamagedFileLeavesTheDocumentAsItWas_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("textId");
        QTest::newRow("1752 bytes") << (QByteArray("V102") + QByteArray(1748, '\0')) << 9033;
        QTest::newRow("1754 bytes") << (QByteArray("V102") + QByteArray(1750, '\0')) << 9033;
        QTest::newRow("no version tag") << QByteArray(1753, 'x') << 9065;
        QTest::newRow("empty") << QByteArray() << 9065;
        QTest::newRow("unreadable (a folder)") << QByteArray("folder") << 9002;
    }
    void aDamagedFileLeavesTheDocumentAsItWas() {
        QFETCH(QByteArray, content);
        QFETCH(int, textId);
        OpenWindow();
        ChangeDocument(*app_);
        const Document before = app_->Doc;
        const std::string path = install_->Path("damaged.dat");
        if (content == "folder") {
            std::filesystem::create_directory(path);
        } else {
            QFile file(QString::fromStdString(path));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        chooser_.Name = QString::fromStdString(path);
        sink_.Answers = {MsgAnswer::No, MsgAnswer::Ok};
        Action(*window_, "mnuFileOpen")->trigger();
        QCOMPARE(sink_.Shown.size(), size_t{2});
        QCOMPARE(sink_.Shown[1], app_->Texts.GetText(textId));
        QCOMPARE(app_->Doc.DocFileName, before.DocFileName);
        QCOMPARE(app_->Doc.IsNewDocument, before.IsNewDocument);
        QVERIFY(app_->Doc.Doc == before.Doc);
        QVERIFY(app_->Doc.SavedDoc == before.SavedDoc);
        QVERIFY(app_->Doc.ChList == before.ChList);
    }

    // A channel file cut short: the data file and the channels read whole
    // open, the user is told how many channels could not be read, and the
    // grid shows the channels that were read.
    void aShortChannelFileOpensWhatCanBeRead() {
        OpenWindow();
        Document& doc = app_->Doc;
        doc.Doc.OptFeatures.Word(OptWord::CurGroup) = 0; // the grid shows channels 1 … 40
        doc.Doc.EmbMsg[0] = MakeFixStr<16>("KEPT");
        doc.Doc.ChCount = 0;
        for (int n = 1; n <= 6; ++n) {
            ChannelInfo ch = NewChannelInfo(n);
            ch.RxFre = MakeFixStr<8>("027" + std::to_string(n) + "0000"); // 27.n MHz
            doc.ChList[doc.Doc.ChCount++] = ch;
        }
        const std::string path = install_->Path("cut.dat");
        chooser_.Name = QString::fromStdString(path);
        QVERIFY(window_->FileSaveAs());
        const std::string channelFile = install_->Path("cut.fre");
        std::filesystem::resize_file(channelFile, 4 * 108 + 50); // four and a half records

        sink_.Answers = {MsgAnswer::Ok}; // a new document replaces it
        Action(*window_, "NewFile")->trigger();
        QTRY_VERIFY(app_->Doc.IsNewDocument);
        sink_.Shown.clear();
        Action(*window_, "mnuFileOpen")->trigger();

        QCOMPARE(sink_.Shown, std::vector<std::string>{app_->Texts.GetText(9100) + " 2"});
        QVERIFY(!sink_.RanOut);
        QCOMPARE(app_->Doc.DocFileName, path);
        QCOMPARE(app_->Doc.Doc.ChCount, std::int16_t{4});
        QCOMPARE(TrimFixStr(app_->Doc.Doc.EmbMsg[0]), std::string("KEPT"));
        QVERIFY(IsDocUnchanged(app_->Doc));
        auto* grid = app_->FindForm("frmCommChInfo");
        QVERIFY(grid);
        auto* table = grid->findChild<QTableWidget*>("MSFlexGrid1");
        QVERIFY(table);
        const auto cell = [&](int row, int col) {
            const QTableWidgetItem* item = table->item(row - 1, col);
            return item ? item->text() : QString();
        };
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(cell(n, 1), QString("27.%1").arg(n) + "0000");
        QCOMPARE(cell(5, 1), QString());
        QCOMPARE(cell(6, 1), QString());
    }

    void cancelledDialogsChangeNothing() {
        OpenWindow();
        chooser_.Name.reset();
        Action(*window_, "mnuFileOpen")->trigger();
        QVERIFY(!window_->FileSaveAs());
        QCOMPARE(chooser_.Asked, 2);
        QVERIFY(app_->FindForm("frmCommChInfo")); // the open command closed nothing
        QVERIFY(app_->Doc.IsNewDocument);
        QVERIFY(sink_.Shown.empty());
    }

    void cancelAtTheSaveQuestionEndsOpen() {
        OpenWindow();
        ChangeDocument(*app_);
        sink_.Answers = {MsgAnswer::Cancel};
        Action(*window_, "mnuFileOpen")->trigger();
        QCOMPARE(chooser_.Asked, 0);
    }

    // --- language

    void languageSwitchRebuildsTextsAndReopensTheGrid() {
        OpenWindow();
        app_->ShowChildForm("FrmEmbMsg", [] { return new QWidget; });
        QPointer<QWidget> oldGrid = app_->FindForm("frmCommChInfo");
        QVERIFY(oldGrid);

        ApplyLanguageChoice(app_->Settings, 1); // Chinese
        QCOMPARE(app_->Settings.PreviousLanguage, EnglishLanguage);
        window_->CheckLanguageChange();
        FlushDeferredDeletes();

        QCOMPARE(app_->Settings.PreviousLanguage, ChineseLanguage);
        QVERIFY(!app_->FindForm("FrmEmbMsg"));
        QVERIFY(oldGrid.isNull());
        QWidget* grid = app_->FindForm("frmCommChInfo");
        QVERIFY(grid);
        QCOMPARE(app_->OpenForms().size(), size_t{1});
        QVERIFY(qobject_cast<FrmCommChInfo*>(grid));
        QVERIFY(grid->windowTitle().startsWith(QString::fromStdString(app_->Texts.GetText(14012))));
        QVERIFY(grid->windowTitle().startsWith(QString::fromUtf8("信道")));
        QCOMPARE(Action(*window_, "mnuFile")->text(), app_->Text(10000));
        QVERIFY(Action(*window_, "mnuFile")->text().startsWith(QString::fromUtf8("文件")));
        QCOMPARE(TreeNode(*window_, "N1")->text(0), QString::fromUtf8("信道信息"));
        QCOMPARE(Action(*window_, "OpenFile")->toolTip(), app_->Text(11001));
        QVERIFY(window_->ChildArea()->HasPicture());
    }

    void missingBackgroundPictureLeavesItEmpty() {
        std::filesystem::remove(install_->Path("bin/PIC/BK_2.jpg"));
        OpenWindow();
        QVERIFY(window_->ChildArea()->HasPicture());
        ApplyLanguageChoice(app_->Settings, 1);
        window_->CheckLanguageChange();
        QVERIFY(!window_->ChildArea()->HasPicture());
    }

private:
    void OpenWindow() {
        window_ = std::make_unique<FrmMain>(*app_);
        window_->SetFileChooser(chooser_);
        window_->show();
    }

    std::unique_ptr<TestInstall> install_;
    ScriptedSink sink_;
    ScriptedChooser chooser_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<FrmMain> window_;
};

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
