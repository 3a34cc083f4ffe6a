#include "settings/ui/frm_emb_msg.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "settings_ui_fixture.h"

namespace velmar {

class FrmEmbMsgTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppContext> app;
    std::string Line(int k) {
        return std::string(app->Doc.Doc.EmbMsg[k].data(), kEmbMsgLineLength);
    }
    // Types each character as a key press carrying it, as a keyboard does.
    static void Type(QWidget* box, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
        }
    }
    static std::string Stored(const std::string& text) {
        const auto line = EmbMsgStoredLine(text);
        return std::string(line.data(), line.size());
    }

private slots:
    void init() { app = MakeApp(); }

    void ShowsTheLinesAndRewritesTheirStoredForm() {
        app->Doc.Doc.EmbMsg[0] = MakeFixStr<16>("HELLO   ");
        app->Doc.Doc.EmbMsg[1] = MakeFixStr<16>(std::string("AB") + '\0' + "zz");
        app->Doc.Doc.EmbMsg[3] = MakeFixStr<16>("0123456789ABCDEF");
        FrmEmbMsg form(*app);
        QCOMPARE(form.windowTitle(), app->Text(20000));
        QCOMPARE(form.Text1(0)->text(), QString("HELLO"));
        QCOMPARE(form.Text1(1)->text(), QString("AB"));
        QCOMPARE(form.Text1(2)->text(), QString());
        QCOMPARE(form.Text1(3)->text(), QString("0123456789ABCDEF"));
        QCOMPARE(Line(0), Stored("HELLO"));
        QCOMPARE(Line(1), Stored("AB"));
        QCOMPARE(Line(3), std::string("0123456789ABCDEF"));
        QCOMPARE(form.CommandClose()->text(), app->Text(9023));
    }

    void EveryKeystrokeIsStored() {
        FrmEmbMsg form(*app);
        QTest::keyClicks(form.Text1(0), "HELLO");
        QCOMPARE(Line(0), std::string("HELLO") + '\0' + std::string(10, ' '));
        QTest::keyClicks(form.Text1(2), "0123456789ABCDEFG");
        QCOMPARE(form.Text1(2)->text(), QString("0123456789ABCDEF"));
        QCOMPARE(Line(2), std::string("0123456789ABCDEF"));
        form.Text1(0)->selectAll();
        QTest::keyClick(form.Text1(0), Qt::Key_Backspace);
        QCOMPARE(Line(0), std::string(1, '\0') + std::string(15, ' '));
    }

    void OnlyAsciiCanBeTyped() {
        FrmEmbMsg form(*app);
        Type(form.Text1(1), QString::fromUtf8("Aé中B"));
        QCOMPARE(form.Text1(1)->text(), QString("AB"));
        QCOMPARE(Line(1), Stored("AB"));
    }

    void PastingDoesNothing() {
        FrmEmbMsg form(*app);
        QGuiApplication::clipboard()->setText("PASTED");
        QTest::keyClick(form.Text1(0), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(form.Text1(0), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(form.Text1(0)->text(), QString());
        QCOMPARE(Line(0), Stored(""));
    }

    void EnterMovesToTheNextLine() {
        FrmEmbMsg form(*app);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.Text1(0)->setFocus();
        QTest::keyClick(form.Text1(0), Qt::Key_Return);
        QVERIFY(form.Text1(1)->hasFocus());
        QCOMPARE(form.Text1(0)->text(), QString());
    }
};

} // namespace velmar

QTEST_MAIN(velmar::FrmEmbMsgTest)
#include "frm_emb_msg_test.moc"
