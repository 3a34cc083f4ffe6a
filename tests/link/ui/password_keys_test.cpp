// The radio password dialog as the user meets it: opened with Ctrl+P from the
// main window and answered by keys.
#include "link/ui/frm_pass_word.h"
#include "link/ui/radio_commands.h"
#include "shell/ui/frm_main.h"
#include "shell/ui/ui_test_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <functional>

using namespace velmar;
using namespace velmar::test;

class PasswordKeysTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestInstall> install_;
    ScriptedSink sink_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<FrmMain> main_;

    std::string& RadioPassword() {
        return RadioCommands::Of(*app_, main_.get()).Link().RadioPassword;
    }

    // Ctrl+P in the main window; once the dialog is up, `keys` types into
    // whatever has the focus there, and Enter closes it. Returns what the
    // box showed before Enter.
    QString EnterPassword(const std::function<void(QWidget*)>& keys) {
        main_->activateWindow(); // back from the last dialog
        if (!QTest::qWaitForWindowActive(main_.get()) || !QApplication::focusWidget())
            return QString("main window not active");
        QString shown;
        bool seen = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<FrmPassWord*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll.stop();
            seen = true;
            if (QTest::qWaitFor(
                    [&] { return dialog->isAncestorOf(QApplication::focusWidget()); })) {
                QWidget* focused = QApplication::focusWidget();
                keys(focused);
                shown = dialog->Text1()->text();
                QTest::keyClick(focused, Qt::Key_Return);
            }
            if (dialog->isVisible())
                dialog->reject();
        });
        poll.start(20);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        return seen ? shown : QString("no password dialog came up");
    }

private slots:
    void init() {
        install_ = std::make_unique<TestInstall>();
        sink_ = ScriptedSink{};
        app_ = MakeContext(*install_, sink_);
        main_ = std::make_unique<FrmMain>(*app_);
        main_->show();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    }
    void cleanup() {
        main_.reset();
        app_.reset();
        install_.reset();
    }

    // The dialog shows the password held so far with its text selected:
    // typing another one replaces it; an arrow key first keeps and edits it.
    void aHeldPasswordIsReplacedByTyping() {
        QCOMPARE(EnterPassword([](QWidget* box) { QTest::keyClicks(box, "1234"); }),
                 QString("1234"));
        QCOMPARE(RadioPassword(), std::string("1234"));

        QCOMPARE(EnterPassword([](QWidget* box) { QTest::keyClicks(box, "5678"); }),
                 QString("5678"));
        QCOMPARE(RadioPassword(), std::string("5678"));

        QCOMPARE(EnterPassword([](QWidget* box) {
                     QTest::keyClick(box, Qt::Key_End);
                     QTest::keyClick(box, Qt::Key_Backspace);
                     QTest::keyClick(box, Qt::Key_Backspace);
                     QTest::keyClicks(box, "ab");
                 }),
                 QString("56ab"));
        QCOMPARE(RadioPassword(), std::string("56ab"));

        // Five characters typed over the selection: the fifth is refused.
        QCOMPARE(EnterPassword([](QWidget* box) { QTest::keyClicks(box, "wxyz9"); }),
                 QString("wxyz"));
        QVERIFY(sink_.Shown.empty());
    }
};

QTEST_MAIN(PasswordKeysTest)
#include "password_keys_test.moc"
