// The language dialog, the about box and the paste/delete confirmation.
#include "shell/ui/ui_test_support.h"

#include "shell/edit_prefs.h"
#include "shell/ini_file.h"
#include "shell/startup.h"
#include "shell/ui/frm_about.h"
#include "shell/ui/frm_msg_confirm.h"
#include "shell/ui/frm_set_language.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <functional>

using namespace velmar;
using namespace velmar::test;

namespace {

// Runs `act` on the modal dialog once it is up.
void WhenDialogShows(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        act(dialog);
    });
}

void Click(QWidget* dialog, const char* button) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
}

} // namespace

class SmallDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        install_ = std::make_unique<TestInstall>();
        sink_ = ScriptedSink{};
        app_ = MakeContext(*install_, sink_);
    }

    // --- FrmSetLanguage

    void languageChoiceFollowsTheList_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("listIndex");
        QTest::addColumn<int>("previousAfter");
        QTest::addColumn<QString>("fileAfter");
        QTest::newRow("English to Chinese") << 1 << 1 << 1 << "chinese.ini";
        QTest::newRow("Chinese to English") << 2 << 0 << 2 << "english.ini";
        QTest::newRow("same language") << 2 << 1 << 1 << "chinese.ini";
    }
    void languageChoiceFollowsTheList() {
        QFETCH(int, current);
        QFETCH(int, listIndex);
        QFETCH(int, previousAfter);
        QFETCH(QString, fileAfter);
        ShellSettings settings;
        SelectLanguage(settings, static_cast<std::int16_t>(current));
        settings.PreviousLanguage = 1;
        ApplyLanguageChoice(settings, listIndex);
        QCOMPARE(settings.CurrentLanguage, listIndex + 1);
        QCOMPARE(settings.PreviousLanguage, previousAfter);
        QCOMPARE(QString::fromStdString(settings.LanguageFile), fileAfter);
    }

    void languageDialogShowsItsTexts() {
        app_->Settings.CurrentLanguage = ChineseLanguage;
        FrmSetLanguage dialog(*app_);
        QCOMPARE(dialog.windowTitle(), app_->Text(23000));
        QCOMPARE(dialog.findChild<QLabel*>("Label1")->text(), app_->Text(23001));
        const auto* list = dialog.findChild<QComboBox*>("Combo1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(0), app_->Text(23002));
        QCOMPARE(list->itemText(1), app_->Text(23003));
        QCOMPARE(list->currentIndex(), 1);
        QCOMPARE(dialog.findChild<QPushButton*>("CommandOK")->text(), app_->Text(9017));
        QCOMPARE(dialog.findChild<QPushButton*>("CommandCancel")->text(), app_->Text(9018));
    }

    void okWritesTheLanguageEvenWhenUnchanged() {
        const std::string setup = install_->Path("language/mysetup.ini");
        QVERIFY(WriteIniValue(setup, "language", "CurrentLanguage", "9"));
        FrmSetLanguage dialog(*app_);
        Click(&dialog, "CommandOK");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(app_->Settings.CurrentLanguage, EnglishLanguage);
        QCOMPARE(ReadIniValue(setup, "language", "CurrentLanguage"), std::string("1"));
        QCOMPARE(ReadIniValue(setup, "language", "comPort"), std::string("1")); // kept
    }

    void okTakesTheChosenLanguage() {
        FrmSetLanguage dialog(*app_);
        dialog.findChild<QComboBox*>("Combo1")->setCurrentIndex(1);
        Click(&dialog, "CommandOK");
        QCOMPARE(app_->Settings.CurrentLanguage, ChineseLanguage);
        QCOMPARE(app_->Settings.PreviousLanguage, EnglishLanguage);
        QCOMPARE(
            ReadIniValue(install_->Path("language/mysetup.ini"), "language", "CurrentLanguage"),
            std::string("2"));
    }

    void cancelChangesNothing() {
        const std::string setup = install_->Path("language/mysetup.ini");
        QVERIFY(WriteIniValue(setup, "language", "CurrentLanguage", "9"));
        FrmSetLanguage dialog(*app_);
        dialog.findChild<QComboBox*>("Combo1")->setCurrentIndex(1);
        Click(&dialog, "CommandCancel");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(app_->Settings.CurrentLanguage, EnglishLanguage);
        QCOMPARE(app_->Settings.LanguageFile, std::string("english.ini"));
        QCOMPARE(ReadIniValue(setup, "language", "CurrentLanguage"), std::string("9"));
    }

    void enterInTheListMovesOnWithoutClosing() {
        FrmSetLanguage dialog(*app_);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* list = dialog.findChild<QComboBox*>("Combo1");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QVERIFY(!list->hasFocus());
    }

    // --- frmAbout

    void aboutBoxShowsItsTexts() {
        FrmAbout about(*app_);
        QCOMPARE(about.windowTitle(), app_->Text(24000));
        const std::pair<const char*, int> labels[] = {{"lblTitle", 24001},
                                                      {"lblVersion", 24002},
                                                      {"lblDescription", 24003},
                                                      {"lblDisclaimer", 24004}};
        for (const auto& [name, id] : labels)
            QCOMPARE(about.findChild<QLabel*>(name)->text(), app_->Text(id));
        QCOMPARE(about.findChild<QPushButton*>("cmdOK")->text(), app_->Text(24005));
    }

    // --- FrmMsgConfirm

    void confirmationShowsTheTextOfItsMode_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("textId");
        QTest::newRow("paste") << MsgConfirmPaste << 28001;
        QTest::newRow("delete") << MsgConfirmDelete << 28002;
    }
    void confirmationShowsTheTextOfItsMode() {
        QFETCH(int, mode);
        QFETCH(int, textId);
        FrmMsgConfirm dialog(*app_, mode);
        QCOMPARE(dialog.windowTitle(), app_->Text(28000));
        QCOMPARE(dialog.findChild<QLabel*>("Label1")->text(), app_->Text(textId));
        QCOMPARE(dialog.findChild<QCheckBox*>("Check1")->text(), app_->Text(28003));
        QCOMPARE(dialog.findChild<QPushButton*>("CommandOK")->text(), app_->Text(28004));
        QCOMPARE(dialog.findChild<QPushButton*>("CommandCancel")->text(), app_->Text(28005));
    }

    void answerSetsTheFlagsOfItsModeAndSaves_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("dontAsk");
        QTest::addColumn<QString>("expected"); // PasteNoAsk PasteInserts DeleteNoAsk DeleteRemoves
        QTest::newRow("paste yes") << 1 << "CommandOK" << false << "0111";
        QTest::newRow("paste no, don't ask") << 1 << "CommandCancel" << true << "1011";
        QTest::newRow("delete yes, don't ask") << 2 << "CommandOK" << true << "0111";
        QTest::newRow("delete no") << 2 << "CommandCancel" << false << "0100";
    }
    void answerSetsTheFlagsOfItsModeAndSaves() {
        QFETCH(int, mode);
        QFETCH(QString, button);
        QFETCH(bool, dontAsk);
        QFETCH(QString, expected);
        // Start from: paste asks and overwrites, delete asks and closes the gap.
        app_->Settings.EditPrefs = {false, false, true, true, true};
        if (mode == MsgConfirmDelete)
            app_->Settings.EditPrefs = {false, true, false, false, true};
        WhenDialogShows([&](QWidget* dialog) {
            dialog->findChild<QCheckBox*>("Check1")->setChecked(dontAsk);
            Click(dialog, button.toLatin1().constData());
        });
        const std::optional<bool> answer = AskMsgConfirm(nullptr, mode, *app_);
        QCOMPARE(answer, std::optional<bool>(button == "CommandOK"));
        const EditPreferences& prefs = app_->Settings.EditPrefs;
        const QString flags = QString("%1%2%3%4")
                                  .arg(int(prefs.PasteNoAsk))
                                  .arg(int(prefs.PasteInserts))
                                  .arg(int(prefs.DeleteNoAsk))
                                  .arg(int(prefs.DeleteRemoves));
        QCOMPARE(flags, expected);
        const EditPreferences saved = LoadEditPrefs(install_->Path("bin/Habit.ini"));
        QCOMPARE(saved.PasteNoAsk, prefs.PasteNoAsk);
        QCOMPARE(saved.PasteInserts, prefs.PasteInserts);
        QCOMPARE(saved.DeleteNoAsk, prefs.DeleteNoAsk);
        QCOMPARE(saved.DeleteRemoves, prefs.DeleteRemoves);
    }

    void closingWithoutAnAnswerChangesNoFlag_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("paste, close box") << MsgConfirmPaste << false;
        QTest::newRow("delete, close box") << MsgConfirmDelete << false;
        QTest::newRow("delete, Escape") << MsgConfirmDelete << true;
    }
    void closingWithoutAnAnswerChangesNoFlag() {
        QFETCH(int, mode);
        QFETCH(bool, byEscape);
        app_->Settings.EditPrefs = {false, true, false, true, true};
        WhenDialogShows([&](QWidget* dialog) {
            dialog->findChild<QCheckBox*>("Check1")->setChecked(true);
            if (byEscape)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                dialog->close();
        });
        QCOMPARE(AskMsgConfirm(nullptr, mode, *app_), std::optional<bool>());
        const EditPreferences& prefs = app_->Settings.EditPrefs;
        QVERIFY(!prefs.PasteNoAsk && prefs.PasteInserts && !prefs.DeleteNoAsk &&
                prefs.DeleteRemoves);
        QVERIFY(!std::filesystem::exists(install_->Path("bin/Habit.ini")));
    }

private:
    std::unique_ptr<TestInstall> install_;
    ScriptedSink sink_;
    std::unique_ptr<AppContext> app_;
};

QTEST_MAIN(SmallDialogsTest)
#include "small_dialogs_test.moc"
