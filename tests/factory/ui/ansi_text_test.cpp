// The factory window's conversion between its texts and the radio's ANSI bytes.
#include "factory/ui/ansi_text.h"

#include "shell/system_locale.h"

#include <QTest>
#include <string>

using namespace velmar;

class AnsiTextTest : public QObject {
    Q_OBJECT
private slots:
    void codePageFollowsTheLocale();
    void everyWindows1252ByteComesBackAsItWent();
    void conversions_data();
    void conversions();
    void brokenGbkShowsAsReplacementAndIsNotStorable();
};

void AnsiTextTest::codePageFollowsTheLocale() {
    QCOMPARE(AnsiCodePageForLocale(LocaleChinaChinese), AnsiCodePage::Gbk);
    QCOMPARE(AnsiCodePageForLocale(LocaleTaiwanChinese), AnsiCodePage::Windows1252);
    QCOMPARE(AnsiCodePageForLocale(LocaleUsEnglish), AnsiCodePage::Windows1252);
}

// Including the five bytes Windows-1252 leaves undefined.
void AnsiTextTest::everyWindows1252ByteComesBackAsItWent() {
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const std::string text = AnsiToUtf8(all, AnsiCodePage::Windows1252);
    std::size_t unstorable = 99;
    QCOMPARE(Utf8ToAnsi(text, AnsiCodePage::Windows1252, &unstorable), all);
    QCOMPARE(unstorable, std::size_t{0});
}

void AnsiTextTest::conversions_data() {
    QTest::addColumn<bool>("gbk");
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QByteArray>("ansi");
    QTest::addColumn<int>("unstorable");
    QTest::newRow("ASCII") << false << QByteArray("Seller 01") << QByteArray("Seller 01") << 0;
    QTest::newRow("euro and e acute") << false << QByteArray("€5 café")
                                      << QByteArray("\x80"
                                                    "5 caf\xE9")
                                      << 0;
    QTest::newRow("Chinese in 1252") << false << QByteArray("A中B") << QByteArray("A?B") << 1;
    QTest::newRow("Chinese in GBK") << true << QByteArray("中文1")
                                    << QByteArray("\xD6\xD0\xCE\xC4"
                                                  "1")
                                    << 0;
    QTest::newRow("emoji in GBK") << true << QByteArray("x\xF0\x9F\x98\x80y") << QByteArray("x?y")
                                  << 1;
    QTest::newRow("not UTF-8") << false
                               << QByteArray("a\xFF"
                                             "b")
                               << QByteArray("a?b") << 1;
}

void AnsiTextTest::conversions() {
    QFETCH(bool, gbk);
    QFETCH(QByteArray, utf8);
    QFETCH(QByteArray, ansi);
    QFETCH(int, unstorable);
    const AnsiCodePage codePage = gbk ? AnsiCodePage::Gbk : AnsiCodePage::Windows1252;
    std::size_t missing = 99;
    QCOMPARE(QByteArray::fromStdString(Utf8ToAnsi(utf8.toStdString(), codePage, &missing)), ansi);
    QCOMPARE(missing, static_cast<std::size_t>(unstorable));
    if (unstorable == 0)
        QCOMPARE(QByteArray::fromStdString(AnsiToUtf8(ansi.toStdString(), codePage)), utf8);
}

void AnsiTextTest::brokenGbkShowsAsReplacementAndIsNotStorable() {
    const std::string shown = AnsiToUtf8("A\xD6", AnsiCodePage::Gbk); // a lead byte cut off
    QCOMPARE(QString::fromStdString(shown), QString("A\uFFFD"));
    std::size_t missing = 0;
    QCOMPARE(Utf8ToAnsi(shown, AnsiCodePage::Gbk, &missing), std::string("A?"));
    QCOMPARE(missing, std::size_t{1});
}

QTEST_APPLESS_MAIN(AnsiTextTest)
#include "ansi_text_test.moc"
