// The main window's menu keys, pressed with the focus where a user has it:
// in the channel grid's cell editors and name box, in the detail editor and
// in every settings window. Each key must run its own command there, never
// be taken by the child window's frame or by the control that has the focus.
#include "shell/ui/ui_test_support.h"

#include "channels/ui/frm_ch_info_edit.h"
#include "link/ui/com_port_map.h"
#include "link/ui/frm_pass_word.h"
#include "link/ui/pty_pair.h"
#include "model/fixed_text.h"
#include "shell/ui/background_area.h"
#include "shell/ui/frm_main.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <functional>

using namespace velmar;
using namespace velmar::test;

namespace {

constexpr int RadioPort = 9;

// Answers "save the changes?" with No, so that New and Open go on to their
// own question or dialog, and every other question with Cancel.
class CancellingSink : public MessageSink {
public:
    const LanguageTexts* Texts = nullptr;
    std::vector<std::string> Shown;

    MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon) override {
        Shown.push_back(text);
        return text == Texts->GetText(9006) ? MsgAnswer::No : MsgAnswer::Cancel;
    }
    bool Asked(int textId) const {
        return std::find(Shown.begin(), Shown.end(), Texts->GetText(textId)) != Shown.end();
    }
};

// Closes every modal dialog that comes up and keeps its object name.
class DialogCloser : public QObject {
public:
    DialogCloser() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                Closed.push_back(dialog->objectName());
                dialog->reject();
            }
        });
        timer_.start(20);
    }
    QStringList Closed;

private:
    QTimer timer_;
};

// The channel number of position `pos` in `group`.
int ChNo(int group, int pos) {
    return GroupStartNo(group) + pos;
}

} // namespace

class MenuKeysTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> config_;
    std::unique_ptr<PtyPair> pty_;
    std::unique_ptr<TestInstall> install_;
    CancellingSink sink_;
    ScriptedChooser chooser_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<FrmMain> main_;

    QAction* Action(const char* name) const { return main_->findChild<QAction*>(name); }
    QWidget* Form(const char* name) const { return app_->FindForm(name); }
    QTableWidget* Grid() const { return Form("frmCommChInfo")->findChild<QTableWidget*>(); }
    template <class T> T* GridControl(const char* name) const {
        return Form("frmCommChInfo")->findChild<T*>(name);
    }
    int ShownGroup() const { return app_->Doc.Doc.OptFeatures.Word(OptWord::CurGroup); }
    QString RxShown(int pos) const {
        const int index = FindChIndex(app_->Doc, ChNo(ShownGroup(), pos));
        return index < 0 ? QString()
                         : QString::fromStdString(TrimFixStr(app_->Doc.ChList[index].RxFre));
    }

    // A click into cell (row, col) of the grid, as the user opens its editor.
    void ClickCell(int row, int col) {
        QTableWidget* grid = Grid();
        const QRect cell = grid->visualRect(grid->model()->index(row - 1, col));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    // Puts the focus on `target` the way a click does and presses the key.
    void PressIn(QWidget* target, const QKeySequence& key) {
        target->window()->activateWindow(); // as the click does after a dialog
        QVERIFY(QTest::qWaitForWindowActive(target->window()));
        target->setFocus(Qt::MouseFocusReason);
        QWidget* focused = QApplication::focusWidget();
        QVERIFY2(focused == target,
                 qPrintable(target->objectName() + " " + key.toString() + ": focus on " +
                            (focused ? focused->objectName() : QString("nothing")) +
                            (target->isVisible() ? "" : ", hidden")));
        const QKeyCombination combination = key[0];
        QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
    }

    // The keys every child window leaves to the main window, and what each
    // one's command shows. `focus` puts the focus where the user has it (a
    // command may have closed a cell editor) and returns that control.
    void CommonKeysRunTheirCommands(const std::function<QWidget*()>& focus) {
        QWidget* target = focus();
        QVERIFY(target);
        QWidget* form = target;
        while (form && !app_->FindForm(form->objectName()))
            form = form->parentWidget();
        QVERIFY(form);
        const QString where = target->objectName() + " in " + form->objectName();
        const auto press = [&](const char* key) {
            QWidget* control = focus();
            QVERIFY2(control, qPrintable(QString(key) + " " + where));
            PressIn(control, QKeySequence(key));
        };

        sink_.Shown.clear();
        press("Ctrl+N");
        QVERIFY2(sink_.Asked(9026), qPrintable("Ctrl+N " + where));

        const int asked = chooser_.Asked;
        press("Ctrl+O");
        QVERIFY2(chooser_.Asked == asked + 1, qPrintable("Ctrl+O " + where));
        // The document was never saved: Save asks for a file name.
        press("Ctrl+S");
        QVERIFY2(chooser_.Asked == asked + 2, qPrintable("Ctrl+S " + where));

        sink_.Shown.clear();
        press("Ctrl+R");
        QVERIFY2(sink_.Asked(9004), qPrintable("Ctrl+R " + where));

        sink_.Shown.clear();
        press("Ctrl+W");
        QTRY_VERIFY2(sink_.Asked(9005), qPrintable("Ctrl+W " + where));
        QVERIFY2(!sink_.Asked(9004), qPrintable("Ctrl+W " + where));

        DialogCloser closer;
        press("Ctrl+P");
        QVERIFY2(closer.Closed == QStringList{"FrmPassWord"}, qPrintable("Ctrl+P " + where));

        // No key closed the window it was pressed in.
        QVERIFY2(app_->FindForm(form->objectName()) == form, qPrintable(where));
    }

    // One control of each kind the window holds, visible and taking the focus.
    static QList<QWidget*> ControlsOfEachKind(QWidget* form) {
        QList<QWidget*> picked;
        QList<const QMetaObject*> kinds;
        for (QWidget* control : form->findChildren<QWidget*>()) {
            if (!control->isVisible() || !control->isEnabled() ||
                control->focusPolicy() == Qt::NoFocus || control->focusProxy())
                continue;
            if (!qobject_cast<QComboBox*>(control) && !qobject_cast<QLineEdit*>(control) &&
                !qobject_cast<QPlainTextEdit*>(control) &&
                !qobject_cast<QAbstractButton*>(control) &&
                !qobject_cast<QAbstractItemView*>(control))
                continue;
            if (qobject_cast<QLineEdit*>(control) && qobject_cast<QComboBox*>(control->parent()))
                continue;
            if (kinds.contains(control->metaObject()))
                continue;
            kinds.push_back(control->metaObject());
            picked.push_back(control);
        }
        return picked;
    }

private slots:
    void init() {
        config_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", config_->filePath("config").toLocal8Bit());
        pty_ = std::make_unique<PtyPair>();
        QVERIFY(pty_->Ok());
        QVERIFY(ComPortMap(DefaultComPortMapPath()).Set(RadioPort, pty_->Path().toStdString()));

        install_ = std::make_unique<TestInstall>();
        chooser_ = ScriptedChooser{};
        sink_ = CancellingSink{};
        app_ = MakeContext(*install_, sink_, EnglishLanguage, true);
        sink_.Texts = &app_->Texts;
        app_->Settings.comPort = RadioPort;
        // Paste overwrites and delete leaves a gap, without asking.
        app_->Settings.EditPrefs = EditPreferences{.PasteNoAsk = true, .DeleteNoAsk = true};

        main_ = std::make_unique<FrmMain>(*app_);
        main_->SetFileChooser(chooser_);
        main_->show();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        QVERIFY(Form("frmCommChInfo"));
        // Two channels typed into the grid's first rows.
        QTRY_VERIFY(QApplication::focusWidget() == GridControl<QLineEdit>("Text1"));
        for (int pos : {1, 2}) {
            ClickCell(pos, 1);
            QLineEdit* rx = GridControl<QLineEdit>("Text1");
            QTRY_VERIFY(QApplication::focusWidget() == rx);
            rx->selectAll();
            QTest::keyClicks(rx, pos == 1 ? "27" : "28");
            QTest::keyClick(rx, Qt::Key_Return);
        }
        QCOMPARE(RxShown(1), QString("02700000"));
        QCOMPARE(RxShown(2), QString("02800000"));
    }
    void cleanup() {
        main_.reset();
        app_.reset();
        install_.reset();
        pty_.reset();
        config_.reset();
    }

    void keysInTheGridRunTheirCommands_data() {
        QTest::addColumn<int>("col"); // the cell whose editor has the focus; 0: the name box
        QTest::newRow("frequency editor") << 1;
        QTest::newRow("tone list editor") << 4;
        QTest::newRow("group name box") << 0;
    }
    void keysInTheGridRunTheirCommands() {
        QFETCH(int, col);
        const auto focusAt = [&](int row) -> QWidget* {
            ClickCell(row, col == 0 ? 1 : col); // the row the commands act on
            if (col == 0)
                return GridControl<QLineEdit>("Text3");
            QWidget* editor = col == 1 ? static_cast<QWidget*>(GridControl<QLineEdit>("Text1"))
                                       : GridControl<QComboBox>("Combo1(0)");
            return editor->isVisible() ? editor : nullptr;
        };
        const auto press = [&](int row, const char* key) {
            QWidget* target = focusAt(row);
            QVERIFY2(target, key);
            PressIn(target, QKeySequence(key));
            // the command runs out of the key's handler (TimerCHEdit): wait for its result
        };
        const QString a = RxShown(1), b = RxShown(2);

        // Every key on a row that holds a channel, so that the tone list
        // editor opens there.
        QVERIFY(!Action("MnuCHPaste")->isEnabled());
        press(1, "Ctrl+C");
        QTRY_VERIFY(Action("MnuCHPaste")->isEnabled());
        press(1, "Ctrl+D");
        QTRY_COMPARE(RxShown(1), b);
        QTRY_COMPARE(RxShown(2), a);
        press(2, "Ctrl+U");
        QTRY_COMPARE(RxShown(1), a);
        QTRY_COMPARE(RxShown(2), b);
        press(2, "Ctrl+V");
        QTRY_COMPARE(RxShown(2), a);
        press(2, "Ctrl+X");
        QTRY_COMPARE(RxShown(2), QString());
        press(1, "Ctrl+I");
        QTRY_COMPARE(RxShown(1), QString());
        QTRY_COMPARE(RxShown(2), a);

        CommonKeysRunTheirCommands([&] { return focusAt(2); });
        QTRY_COMPARE(RxShown(2), a);

        if (col == 4) {
            // A text box keeps Delete for its text; elsewhere it deletes the channel.
            press(2, "Del");
            QTRY_COMPARE(RxShown(2), QString());
        }
    }

    void keysInTheDetailEditorRunTheirCommands() {
        ClickCell(1, 1);
        GridControl<QPushButton>("CommandCHInfoEdit")->click();
        auto* editor = qobject_cast<FrmCHInfoEdit*>(Form("FrmCHInfoEdit"));
        QVERIFY(editor);
        auto* frame = qobject_cast<QMdiSubWindow*>(editor->parentWidget());
        main_->ChildArea()->setActiveSubWindow(frame);
        for (QWidget* control : {static_cast<QWidget*>(editor->findChild<QLineEdit*>("Text1")),
                                 static_cast<QWidget*>(editor->findChild<QComboBox*>("Combo1"))})
            CommonKeysRunTheirCommands([control] { return control; });
    }

    void keysInTheSettingsWindowsRunTheirCommands_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("form");
        QTest::newRow("optional features") << "mnuOptFeature"
                                           << "FrmOptFeatures";
        QTest::newRow("reset mode") << "mnuResetInit"
                                    << "FrmResetMode";
        QTest::newRow("tone tips") << "mnuToneTips"
                                   << "FrmToneTips";
        QTest::newRow("embedded message") << "mnuEmbeddedMsg"
                                          << "FrmEmbMsg";
    }
    void keysInTheSettingsWindowsRunTheirCommands() {
        QFETCH(QString, entry);
        QFETCH(QString, form);
        Action(entry.toUtf8().constData())->trigger();
        QWidget* window = app_->FindForm(form);
        QVERIFY(window);
        const QList<QWidget*> controls = ControlsOfEachKind(window);
        QVERIFY(!controls.isEmpty());
        for (QWidget* control : controls)
            CommonKeysRunTheirCommands([control] { return control; });
    }
};

QTEST_MAIN(MenuKeysTest)
#include "menu_keys_test.moc"
