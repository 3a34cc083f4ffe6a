// The channel grid inside the real main window, beside the other child
// windows: what the user does in the grid reaches the reset-mode window, an
// editor left open when the user turns to the detail editor stores where it
// was opened, and the group-name box takes its editing keys.
#include "shell/ui/ui_test_support.h"

#include "channels/channel_list.h"
#include "model/fixed_text.h"
#include "settings/ui/frm_reset_mode.h"
#include "shell/ui/background_area.h"
#include "shell/ui/frm_main.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTableWidget>
#include <QWindow>

using namespace velmar;
using namespace velmar::test;

namespace {

// A click where the user clicks: the window system finds the widget under
// the point, which may be another one than `widget` when something covers it.
void ClickAt(QWidget* widget, QPoint point) {
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, point));
}

void Click(QWidget* widget) {
    ClickAt(widget, widget->rect().center());
}

// A click on the caption of a child window's title bar (not its icon or
// buttons), where the windows in front of it leave it visible: the window
// comes to the front.
void ClickTitleBar(QWidget* form) {
    auto* frame = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    QVERIFY(frame);
    QStyleOptionTitleBar bar;
    bar.initFrom(frame);
    bar.rect = QRect(0, 0, frame->width(), form->geometry().top());
    bar.titleBarFlags = frame->windowFlags();
    bar.subControls = QStyle::SC_All;
    const QRect caption =
        frame->style()->subControlRect(QStyle::CC_TitleBar, &bar, QStyle::SC_TitleBarLabel, frame);
    QWidget* window = frame->window();
    for (int x = caption.left(); x < caption.right() - 8; ++x) {
        const QPoint place = frame->mapTo(window, QPoint(x + 4, caption.center().y()));
        if (window->childAt(place) == frame) {
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, place);
            QTRY_VERIFY(frame->mdiArea()->activeSubWindow() == frame);
            QVERIFY(!QApplication::activePopupWidget());
            return;
        }
    }
    QFAIL("no part of the caption is visible");
}

// Delete as the keyboard sends it on X11: with the character DEL (127).
void PressDelete(QWidget* widget) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_Delete, QString(QChar(127)), {});
}

// The user opens the list with a click, goes to the entry `text` with the
// arrow keys and takes it with Enter.
void ChooseInList(QComboBox* list, const QString& text) {
    Click(list);
    QAbstractItemView* popup = list->view();
    QTRY_VERIFY(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_Home);
    for (int i = 0; i < list->count() && popup->currentIndex().data().toString() != text; ++i)
        QTest::keyClick(popup, Qt::Key_Down);
    QCOMPARE(popup->currentIndex().data().toString(), text);
    QTest::keyClick(popup, Qt::Key_Return);
    QTRY_VERIFY(!popup->isVisible());
    QCOMPARE(list->currentText(), text);
}

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

} // namespace

class GridInMainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestInstall> install_;
    ScriptedSink sink_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<FrmMain> main_;

    QWidget* Form(const char* name) const { return app_->FindForm(name); }
    QWidget* GridForm() const { return Form("frmCommChInfo"); }
    template <class T> T* GridControl(const char* name) const {
        return GridForm()->findChild<T*>(name);
    }
    QTableWidget* Grid() const { return GridControl<QTableWidget>("MSFlexGrid1"); }
    QLineEdit* Text1() const { return GridControl<QLineEdit>("Text1"); }
    QLineEdit* NameBox() const { return GridControl<QLineEdit>("Text3"); }
    const ChannelInfo* Channel(int chNo) const {
        const int index = FindChIndex(app_->Doc, chNo);
        return index < 0 ? nullptr : &app_->Doc.ChList[index];
    }
    std::string GroupName(int group) const { return TrimFixStr(app_->Doc.Doc.GroupNames[group]); }

    void ClickCell(int row, int col) {
        QTableWidget* grid = Grid();
        ClickAt(grid->viewport(), grid->visualRect(grid->model()->index(row - 1, col)).center());
    }

    // Group `group` (3 or more) picked in the grid's group list.
    void ShowGroup(int group) {
        ChooseInList(GridControl<QComboBox>("Combo9"), QString::number(group));
        QCOMPARE(app_->Doc.Doc.OptFeatures.Word(OptWord::CurGroup), group);
    }

    void TypeIntoNameBox(const QString& name) {
        Click(NameBox());
        QTRY_COMPARE(QApplication::focusWidget(), NameBox());
        NameBox()->selectAll();
        QTest::keyClicks(NameBox(), name);
    }

private slots:
    void init() {
        install_ = std::make_unique<TestInstall>();
        sink_ = ScriptedSink{};
        app_ = MakeContext(*install_, sink_);
        main_ = std::make_unique<FrmMain>(*app_);
        main_->show();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        QVERIFY(GridForm());
    }
    void cleanup() {
        main_.reset();
        app_.reset();
        install_.reset();
    }

    // The valid box and the name box of the grid change what the open
    // reset-mode window offers, at once.
    void resetModeWindowFollowsTheGrid() {
        main_->findChild<QAction*>("mnuResetInit")->trigger();
        auto* resetMode = qobject_cast<FrmResetMode*>(Form(FrmResetMode::FormName));
        QVERIFY(resetMode);
        ClickTitleBar(GridForm()); // back to the grid, in front
        ShowGroup(5);
        auto* valid = GridControl<QCheckBox>("Check1");
        if (!valid->isChecked())
            Click(valid);
        TypeIntoNameBox("FIVE");
        QCOMPARE(GroupName(5), std::string("FIVE"));
        QVERIFY(Entries(resetMode->Combo2()).contains("FIVE"));

        QVERIFY(valid->isChecked());
        Click(valid);
        QCOMPARE(app_->Doc.Doc.ResetFlags[5], 0);
        QVERIFY(!Entries(resetMode->Combo2()).contains("FIVE"));

        Click(valid);
        QCOMPARE(app_->Doc.Doc.ResetFlags[5], 1);
        QVERIFY(Entries(resetMode->Combo2()).contains("FIVE"));
        TypeIntoNameBox("HIGH");
        QVERIFY(Entries(resetMode->Combo2()).contains("HIGH"));
        QVERIFY(!Entries(resetMode->Combo2()).contains("FIVE"));
        QVERIFY(sink_.Shown.empty());
    }

    // The user opens the receive editor of row 5, turns to the detail editor
    // and picks position 10 there, then comes back to the grid and types into
    // row 5: the frequency goes to row 5, never to position 10.
    void anEditorLeftOpenStoresWhereItWasOpened() {
        ShowGroup(3);
        ClickCell(5, 1);
        QTRY_COMPARE(QApplication::focusWidget(), Text1());
        QTest::keyClicks(Text1(), "27.5");
        GridControl<QPushButton>("CommandCHInfoEdit")->click();
        QWidget* editor = Form("FrmCHInfoEdit");
        QVERIFY(editor);

        // The grid stays in front; the user brings the detail editor forward.
        ClickTitleBar(editor);
        auto* position = editor->findChild<QComboBox*>("Combo1");
        ChooseInList(position, "10");
        // Leaving the grid stored what row 5's editor held and closed it,
        // without taking the focus back.
        const bool storedOnLeaving =
            TrimFixStr(Channel(GroupStartNo(3) + 5)->RxFre) == std::string("02750000");
        const bool closedOnLeaving = Text1()->isHidden();
        const bool focusStayed = main_->ChildArea()->activeSubWindow()->widget() == editor &&
                                 editor->isAncestorOf(QApplication::focusWidget());

        // Back in the grid, where row 5's editor was.
        ClickTitleBar(GridForm());
        ClickCell(5, 1);
        QTRY_COMPARE(QApplication::focusWidget(), Text1());
        Text1()->selectAll();
        QTest::keyClicks(Text1(), "28");
        QTest::keyClick(Text1(), Qt::Key_Return);

        QVERIFY(!Channel(GroupStartNo(3) + 10)); // channel 130
        QCOMPARE(TrimFixStr(Channel(GroupStartNo(3) + 5)->RxFre), std::string("02800000"));
        QCOMPARE(Grid()->item(4, 1)->text(), QString("28.00000"));
        QVERIFY(!Grid()->item(9, 1) || Grid()->item(9, 1)->text().isEmpty());
        QVERIFY(storedOnLeaving);
        QVERIFY(closedOnLeaving);
        QVERIFY(focusStayed);
    }

    // The same when the user turns to the detail editor through the Window
    // menu: the edit is stored, the editor closed, the focus goes to the
    // detail editor and stays there.
    void anEditorLeftByTheWindowMenuStoresWhereItWasOpened() {
        ShowGroup(3);
        GridControl<QPushButton>("CommandCHInfoEdit")->click();
        QWidget* editor = Form("FrmCHInfoEdit");
        QVERIFY(editor);
        ClickCell(5, 1);
        QTRY_COMPARE(QApplication::focusWidget(), Text1());
        QTest::keyClicks(Text1(), "26.5");

        QMenuBar* bar = main_->menuBar();
        QAction* windowMenu = main_->findChild<QAction*>("mnuWindow");
        ClickAt(bar, bar->actionGeometry(windowMenu).center());
        QMenu* menu = windowMenu->menu();
        QTRY_VERIFY(menu->isVisible());
        QAction* entry = nullptr;
        for (QAction* action : menu->actions())
            if (action->text().endsWith(editor->windowTitle()))
                entry = action;
        QVERIFY(entry);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());

        QTRY_COMPARE(main_->ChildArea()->activeSubWindow()->widget(), editor);
        QTest::qWait(50);
        QVERIFY(editor->isAncestorOf(QApplication::focusWidget()));
        QVERIFY(Text1()->isHidden());
        QCOMPARE(TrimFixStr(Channel(GroupStartNo(3) + 5)->RxFre), std::string("02650000"));
    }

    // Delete and Backspace edit the group name like any text.
    void deleteAndBackspaceEditTheGroupName() {
        ShowGroup(4);
        TypeIntoNameBox("qwert");
        QCOMPARE(NameBox()->text(), QString("QWERT"));
        QTest::keyClick(NameBox(), Qt::Key_Home);
        PressDelete(NameBox());
        PressDelete(NameBox());
        QCOMPARE(NameBox()->text(), QString("ERT"));
        QCOMPARE(GroupName(4), std::string("ERT"));
        QTest::keyClick(NameBox(), Qt::Key_End);
        QTest::keyClick(NameBox(), Qt::Key_Backspace);
        QCOMPARE(NameBox()->text(), QString("ER"));
        QCOMPARE(GroupName(4), std::string("ER"));
        // The channel-delete key stayed out of it.
        QCOMPARE(app_->Doc.Doc.ChCount, std::int16_t{2});
        QVERIFY(sink_.Shown.empty());
    }
};

QTEST_MAIN(GridInMainWindowTest)
#include "grid_in_main_window_test.moc"
