#include "util/AnsiText.h"
#include "util/Paths.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_textandpaths : public QObject {
    Q_OBJECT

private slots:
    void encodesWindows31j_data();
    void encodesWindows31j();
    void unencodableBecomesQuestionMark_data();
    void unencodableBecomesQuestionMark();
    void splitLines_data();
    void splitLines();

    void pathParts_data();
    void pathParts();
};

void tst_textandpaths::encodesWindows31j_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << u"<theme>"_s << QByteArray("<theme>");
    QTest::newRow("hiragana") << u"あ"_s << QByteArray("\x82\xA0");
    QTest::newRow("kanji") << u"要素"_s << QByteArray("\x97\x76\x91\x66");
    QTest::newRow("half-width katakana") << u"ｱ"_s << QByteArray("\xB1");
    // Only windows-31j maps these: a plain Shift_JIS codec would lose them.
    QTest::newRow("circled digit") << u"①"_s << QByteArray("\x87\x40");
    QTest::newRow("full-width tilde") << u"～"_s << QByteArray("\x81\x60");
    QTest::newRow("roman numeral") << u"Ⅰ"_s << QByteArray("\x87\x54");
    QTest::newRow("message") << u"要素の取得に失敗しました"_s
                             << QByteArray("\x97\x76\x91\x66\x82\xCC\x8E\xE6\x93\xBE\x82\xC9"
                                           "\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD");
}

void tst_textandpaths::encodesWindows31j()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(AnsiText::encode(text), bytes);
    QCOMPARE(AnsiText::decode(bytes), text);
}

void tst_textandpaths::unencodableBecomesQuestionMark_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("hangul") << u"a한b"_s << QByteArray("a?b");
    QTest::newRow("emoji, one mark for the pair") << u"x😀y"_s << QByteArray("x?y");
    QTest::newRow("next to Japanese") << u"あ€あ"_s << QByteArray("\x82\xA0?\x82\xA0");
}

void tst_textandpaths::unencodableBecomesQuestionMark()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(AnsiText::encode(text), bytes);
}

void tst_textandpaths::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << u"a\r\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("CR LF, final") << u"a\r\nb\r\n"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("CR") << u"a\rb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("CR, final") << u"a\rb\r"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("LF") << u"a\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("LF, final") << u"a\nb\n"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("mixed") << u"a\r\nb\rc\nd"_s << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    QTest::newRow("empty line kept") << u"a\r\n\r\nb"_s << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("LF CR is two ends") << u"a\n\rb"_s << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("single end") << u"\r\n"_s << QStringList{u""_s};
    QTest::newRow("nothing") << QString() << QStringList{};
    QTest::newRow("no end") << u"あいう"_s << QStringList{u"あいう"_s};
}

void tst_textandpaths::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(AnsiText::splitLines(text), lines);
}

void tst_textandpaths::pathParts_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    const QString s = Paths::separatorText();
    QTest::newRow("absolute") << (s + u"skins"_s + s + u"a b.wms"_s) << (s + u"skins"_s)
                              << u"a b.wms"_s;
    QTest::newRow("in root") << (s + u"a.wms"_s) << QString() << u"a.wms"_s;
    QTest::newRow("bare name") << u"a.wms"_s << QString() << u"a.wms"_s;
    QTest::newRow("trailing separator") << (u"skins"_s + s) << u"skins"_s << QString();
    QTest::newRow("Japanese") << (u"スキン"_s + s + u"名前.wms"_s) << u"スキン"_s << u"名前.wms"_s;
}

void tst_textandpaths::pathParts()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QCOMPARE(Paths::folder(path), folder);
    QCOMPARE(Paths::fileName(path), name);
    if (path.contains(Paths::separator())) {
        QCOMPARE(Paths::join(folder, name), path);
    }
}

QTEST_GUILESS_MAIN(tst_textandpaths)
#include "tst_textandpaths.moc"
