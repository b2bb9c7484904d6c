#include "packaging/ZipCommandLine.h"
#include "util/AnsiText.h"

#include <QTest>

using namespace Qt::StringLiterals;

// How the built-in archiver reads the packager's command line and list file.
class tst_zipcommandline : public QObject {
    Q_OBJECT

private slots:
    void splitsPieces_data();
    void splitsPieces();
    void parsesCommands_data();
    void parsesCommands();
    void refusesMalformedCommands_data();
    void refusesMalformedCommands();
    void readsListNames_data();
    void readsListNames();
    void encodesListLosslessly_data();
    void encodesListLosslessly();
};

void tst_zipcommandline::splitsPieces_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("pieces");

    QTest::newRow("bare") << u"-r a.wmz /d/ @/t/0a.tmp "_s
                          << QStringList{u"-r"_s, u"a.wmz"_s, u"/d/"_s, u"@/t/0a.tmp"_s};
    QTest::newRow("quote inside quoted piece")
        << u"\"/a \"b/\" c"_s << QStringList{u"/a \"b/"_s, u"c"_s};
    QTest::newRow("runs of blanks") << u"  a   b  "_s << QStringList{u"a"_s, u"b"_s};
    // Only a blank makes a name need quotes, so a tab belongs to the name.
    QTest::newRow("tab in a bare piece") << u"/s/a\tb/ c"_s << QStringList{u"/s/a\tb/"_s, u"c"_s};
    QTest::newRow("empty quoted piece") << u"\"\" a"_s << QStringList{QString(), u"a"_s};
    QTest::newRow("empty line") << QString() << QStringList();
}

void tst_zipcommandline::splitsPieces()
{
    QFETCH(QString, line);
    QFETCH(QStringList, pieces);
    const std::optional<QStringList> got = ZipCommandLine::splitPieces(line);
    QVERIFY(got);
    QCOMPARE(*got, pieces);
}

void tst_zipcommandline::parsesCommands_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("archive");
    QTest::addColumn<QString>("baseFolder");
    QTest::addColumn<QStringList>("listFiles");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("as the packager writes it")
        << u"-r -D -v /s/blue/blue.wmz /s/blue/ @/tmp/0abc.tmp "_s << u"/s/blue/blue.wmz"_s
        << u"/s/blue/"_s << QStringList{u"/tmp/0abc.tmp"_s} << QStringList();
    QTest::newRow("quoted pieces")
        << u"-r -D -v \"/my skins/a,b.wmz\" \"/my skins/\" \"@/t m/0a.tmp\" "_s
        << u"/my skins/a,b.wmz"_s << u"/my skins/"_s << QStringList{u"/t m/0a.tmp"_s}
        << QStringList();
    QTest::newRow("combined switches and plain names")
        << u"-Dvr a.wmz /d/ x.bmp @l1 @l2"_s << u"a.wmz"_s << u"/d/"_s
        << QStringList{u"l1"_s, u"l2"_s} << QStringList{u"x.bmp"_s};
    QTest::newRow("no switches") << u"a.wmz /d/ @l"_s << u"a.wmz"_s << u"/d/"_s
                                 << QStringList{u"l"_s} << QStringList();
}

void tst_zipcommandline::parsesCommands()
{
    QFETCH(QString, line);
    QFETCH(QString, archive);
    QFETCH(QString, baseFolder);
    QFETCH(QStringList, listFiles);
    QFETCH(QStringList, names);
    const std::optional<ZipCommandLine::Command> command = ZipCommandLine::parse(line);
    QVERIFY(command);
    QCOMPARE(command->archive, archive);
    QCOMPARE(command->baseFolder, baseFolder);
    QCOMPARE(command->listFiles, listFiles);
    QCOMPARE(command->names, names);
}

void tst_zipcommandline::refusesMalformedCommands_data()
{
    QTest::addColumn<QString>("line");

    QTest::newRow("empty") << QString();
    QTest::newRow("switches only") << u"-r -D -v "_s;
    QTest::newRow("no files") << u"-r a.wmz /d/ "_s;
    QTest::newRow("unknown switch") << u"-r -x a.wmz /d/ @l "_s;
    QTest::newRow("base folder without separator") << u"-r a.wmz /d @l "_s;
    QTest::newRow("unclosed quote") << u"-r \"/my dir/a.wmz /d/ @l "_s;
    QTest::newRow("at sign alone") << u"-r a.wmz /d/ @ "_s;
    QTest::newRow("empty archive name") << u"-r \"\" /d/ @l "_s;
}

void tst_zipcommandline::refusesMalformedCommands()
{
    QFETCH(QString, line);
    QVERIFY(!ZipCommandLine::parse(line));
}

void tst_zipcommandline::readsListNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");

    const QStringList three{u"a.bmp"_s, u"b c.bmp"_s, u"s.wms"_s};
    QTest::newRow("CR LF, final line end") << u"a.bmp\r\n\"b c.bmp\"\r\ns.wms\r\n"_s << three;
    QTest::newRow("CR LF, no final line end") << u"a.bmp\r\n\"b c.bmp\"\r\ns.wms"_s << three;
    QTest::newRow("LF") << u"a.bmp\n\"b c.bmp\"\ns.wms\n"_s << three;
    QTest::newRow("blank lines skipped") << u"\r\na.bmp\r\n\r\n\"b c.bmp\"\r\ns.wms"_s << three;
    QTest::newRow("quoted comma, Japanese")
        << u"\"再生,1.bmp\"\r\n停止.bmp"_s << QStringList{u"再生,1.bmp"_s, u"停止.bmp"_s};
    QTest::newRow("lone quote kept") << u"\"\r\na\"b.bmp"_s << QStringList{u"\""_s, u"a\"b.bmp"_s};
    QTest::newRow("empty") << QString() << QStringList();
}

void tst_zipcommandline::readsListNames()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    QCOMPARE(ZipCommandLine::listNames(text), names);
}

void tst_zipcommandline::encodesListLosslessly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ansi");

    QTest::newRow("ASCII") << u"play.bmp\r\nskin.wms\r\n"_s << true;
    QTest::newRow("Japanese") << u"\"再生 1.bmp\"\r\nスキン.wms\r\n"_s << true;
    QTest::newRow("outside the code page") << u"再生.bmp\r\nCafé.wms\r\n"_s << false;
    QTest::newRow("wave dash") << u"a〜b.wms\r\n"_s << false;
}

void tst_zipcommandline::encodesListLosslessly()
{
    QFETCH(QString, text);
    QFETCH(bool, ansi);
    const QByteArray bytes = ZipCommandLine::encodeList(text);
    if (ansi) {
        QCOMPARE(bytes, AnsiText::encode(text));
    } else {
        QCOMPARE(bytes, QByteArray("\xEF\xBB\xBF") + text.toUtf8());
    }
    QCOMPARE(ZipCommandLine::decodeList(bytes), text);
}

QTEST_GUILESS_MAIN(tst_zipcommandline)
#include "tst_zipcommandline.moc"
