#include "util/AnsiText.h"
#include "util/AppError.h"
#include "util/Paths.h"
#include "util/clsFunction.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The helpers, the windows-31j codec and the line splitter.
class tst_clsfunction : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void getSeparatePath_data();
    void getSeparatePath();
    void VerifyFile_data();
    void VerifyFile();
    void NulltoZero_data();
    void NulltoZero();
    void getRGBandRRGGBB_data();
    void getRGBandRRGGBB();
    void getVBColor_data();
    void getVBColor();
    void windows31j_data();
    void windows31j();
    void splitLines_data();
    void splitLines();
    void trimBlanks_data();
    void trimBlanks();

private:
    QTemporaryDir m_dir;
};

namespace {
// A path built with the platform's separator from its parts.
QString native(std::initializer_list<QString> parts)
{
    return QStringList(parts).join(Paths::separator());
}

// An AppError's number, or -1 without one.
template <typename Call> int errorOf(Call call)
{
    try {
        call();
    } catch (const AppError &e) {
        return e.number();
    }
    return -1;
}

constexpr int kNoError = -1;
} // namespace

void tst_clsfunction::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const QString &name : {u"a.bmp"_s, u"skin[1].bmp"_s, u".hidden.png"_s, u"b.gif"_s}) {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("x") == 1);
    }
    QVERIFY(QDir(m_dir.path()).mkdir(u"sub.tif"_s));
    QVERIFY(QFile::link(m_dir.filePath(u"a.bmp"_s), m_dir.filePath(u"link.ico"_s)));
    QVERIFY(QFile::link(m_dir.filePath(u"gone"_s), m_dir.filePath(u"dangling.xpm"_s)));
}

void tst_clsfunction::getSeparatePath_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("fails");

    const QString sep = Paths::separatorText();
    const QString full = native({u""_s, u"skins"_s, u"a.wms"_s});
    QTest::newRow("file name") << sep << full << 1 << u"a.wms"_s << false;
    QTest::newRow("folder") << sep << full << 0 << native({u""_s, u"skins"_s}) << false;
    QTest::newRow("other mode is folder")
        << sep << full << 3 << native({u""_s, u"skins"_s}) << false;
    QTest::newRow("bare name, mode 1") << sep << u"a.wms"_s << 1 << u"a.wms"_s << false;
    QTest::newRow("bare name, mode 0 fails") << sep << u"a.wms"_s << 0 << QString() << true;
    QTest::newRow("empty text, mode 0 fails") << sep << QString() << 0 << QString() << true;
    QTest::newRow("separator first") << sep << (sep + u"a.wms"_s) << 0 << QString() << false;
    QTest::newRow("separator last") << sep << (u"skins"_s + sep) << 1 << QString() << false;
    QTest::newRow("before extension") << u"."_s << u"x.tar.gz"_s << 0 << u"x.tar"_s << false;
    QTest::newRow("case-sensitive") << u"x"_s << u"aXbxc"_s << 0 << u"aXb"_s << false;
    QTest::newRow("case-sensitive, absent") << u"X"_s << u"axbxc"_s << 0 << QString() << true;
    QTest::newRow("longer separator") << u"::"_s << u"a::b:c"_s << 1 << u"b:c"_s << false;
    QTest::newRow("separator longer than text") << u"::"_s << u":"_s << 1 << u":"_s << false;
    // Found by fuzzing: a NUL separator matched the end of every text.
    const QString nul(1, QChar(u'\0'));
    QTest::newRow("NUL separator, absent, mode 1") << nul << u"b"_s << 1 << u"b"_s << false;
    QTest::newRow("NUL separator, absent, mode 0") << nul << u"b"_s << 0 << QString() << true;
    QTest::newRow("NUL separator") << nul << (u"a"_s + nul + u"b"_s) << 0 << u"a"_s << false;
}

void tst_clsfunction::getSeparatePath()
{
    QFETCH(QString, separator);
    QFETCH(QString, text);
    QFETCH(int, mode);
    QFETCH(QString, expected);
    QFETCH(bool, fails);
    QString got;
    const int error =
        errorOf([&] { got = clsFunction::getSeparatePath(separator, text, qint16(mode)); });
    QCOMPARE(error, fails ? int(AppError::InvalidArgument) : kNoError);
    QCOMPARE(got, expected);
}

void tst_clsfunction::VerifyFile_data()
{
    // 1 found, 0 not found, otherwise the error number expected.
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("expected");

    const auto in = [this](const QString &name) { return m_dir.filePath(name); };
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("exact") << in(u"a.bmp"_s) << 1;
    QTest::newRow("question marks") << in(u"?.b?p"_s) << 1;
    QTest::newRow("star matches none") << in(u"a*.bmp"_s) << 1;
    QTest::newRow("question needs a character") << in(u"a?.bmp"_s) << 0;
    QTest::newRow("missing") << in(u"z.bmp"_s) << 0;
    QTest::newRow("brackets are plain characters") << in(u"skin[1].bmp"_s) << 1;
    QTest::newRow("brackets with star") << in(u"skin[*"_s) << 1;
    QTest::newRow("stars that give characters back") << in(u"*k*[*]*.b*p"_s) << 1;
    // Found by fuzzing: as a regular expression this ran out of steps and missed.
    QTest::newRow("run of stars") << in(u"skin"_s + QString(60, u'*') + u"[1].bmp"_s) << 1;
    QTest::newRow("hidden file") << in(u".hidden.png"_s) << 0;
    QTest::newRow("hidden file by wildcard") << in(u"*.png"_s) << 0;
    QTest::newRow("folder") << in(u"sub.tif"_s) << 0;
    QTest::newRow("folder by wildcard") << in(u"*.tif"_s) << 0;
    QTest::newRow("link to a file") << in(u"link.ico"_s) << 1;
    QTest::newRow("dangling link") << in(u"dangling.xpm"_s) << 0;
    QTest::newRow("dangling link by wildcard") << in(u"*.xpm"_s) << 0;
    QTest::newRow("trailing separator") << (m_dir.path() + Paths::separator()) << 0;
    QTest::newRow("missing folder") << in(u"nowhere/*.bmp"_s) << 0;
    QTest::newRow("wildcard in folder part") << native({m_dir.path(), u"su*"_s, u"a.bmp"_s}) << 0;
    // The test runs in the folder, so bare names are looked up there.
    QTest::newRow("relative name") << u"a.bmp"_s << 1;
    QTest::newRow("relative pattern") << u"*.gif"_s << 1;
    QTest::newRow("relative pattern, no match") << u"*.wms"_s << 0;
    QTest::newRow("NUL in path") << (in(u"a.bmp"_s) + QChar(u'\0') + u"x"_s)
                                 << int(AppError::InvalidArgument);
#ifndef Q_OS_WIN
    QTest::newRow("case differs") << in(u"A.BMP"_s) << 0;
#endif
}

void tst_clsfunction::VerifyFile()
{
    QFETCH(QString, path);
    QFETCH(int, expected);
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
    bool found = false;
    const int error = errorOf([&] { found = clsFunction::VerifyFile(path); });
    QVERIFY(QDir::setCurrent(previous));
    QCOMPARE(error == kNoError ? int(found) : error, expected);
}

// Text as a 16-bit number; toInteger16 fails where NulltoZero gives 0.
void tst_clsfunction::NulltoZero_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("error"); // toInteger16's

    const int notANumber = AppError::TypeMismatch;
    const int overflow = AppError::Overflow;
    QTest::newRow("empty") << QString() << 0 << notANumber;
    QTest::newRow("trailing letters") << u"12px"_s << 0 << notANumber;
    QTest::newRow("surrounded by blanks") << u" 12 "_s << 12 << kNoError;
    QTest::newRow("tabs") << u"\t7\t"_s << 7 << kNoError;
    QTest::newRow("plus sign") << u"+5"_s << 5 << kNoError;
    QTest::newRow("2.5 to even") << u"2.5"_s << 2 << kNoError;
    QTest::newRow("3.5 to even") << u"3.5"_s << 4 << kNoError;
    QTest::newRow("-2.5 to even") << u"-2.5"_s << -2 << kNoError;
    QTest::newRow("-3.5 to even") << u"-3.5"_s << -4 << kNoError;
    QTest::newRow("above half") << u"-1.51"_s << -2 << kNoError;
    QTest::newRow("exponent") << u"1e2"_s << 100 << kNoError;
    QTest::newRow("largest") << u"32767"_s << 32767 << kNoError;
    QTest::newRow("smallest") << u"-32768"_s << -32768 << kNoError;
    QTest::newRow("just above") << u"32768"_s << 0 << overflow;
    QTest::newRow("just below") << u"-32769"_s << 0 << overflow;
    QTest::newRow("rounds above") << u"32767.5"_s << 0 << overflow;
    QTest::newRow("rounds to smallest") << u"-32768.5"_s << -32768 << kNoError;
    QTest::newRow("huge") << u"99999999999999999999"_s << 0 << overflow;
    QTest::newRow("huge negative") << u"-1e30"_s << 0 << overflow;
    QTest::newRow("infinity") << u"inf"_s << 0 << notANumber;
    QTest::newRow("not a number") << u"nan"_s << 0 << notANumber;
}

void tst_clsfunction::NulltoZero()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QFETCH(int, error);
    QCOMPARE(int(clsFunction::NulltoZero(text)), expected);
    qint16 value = 0;
    QCOMPARE(errorOf([&] { value = clsFunction::toInteger16(text); }), error);
    QCOMPARE(int(value), expected);
}

// A colour value, what getRGB keeps of it and how getRRGGBB writes it.
void tst_clsfunction::getRGBandRRGGBB_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<qint32>("rgb");
    QTest::addColumn<QString>("rrggbb");
    QTest::newRow("colour") << 0x3CAB12 << 0x3CAB12 << u"#12AB3C"_s;
    QTest::newRow("orange") << 0xFF8000 << 0xFF8000 << u"#0080FF"_s;
    QTest::newRow("small value padded") << 0x0A << 0x0A << u"#0A0000"_s;
    QTest::newRow("seven digits") << 0x1000000 << 0 << u"#000010"_s;
    QTest::newRow("top byte") << 0x12345678 << 0x345678 << u"#563412"_s;
    // Division toward zero: -1 keeps only its low byte, -256 its green byte.
    QTest::newRow("-1") << -1 << 0xFF << u"#FFFFFF"_s;
    QTest::newRow("-256") << -256 << 0xFF00 << u"#FFFFFF"_s;
    QTest::newRow("system colour") << qint32(0x8000000F) << 0x01010F << u"#000080"_s;
}

void tst_clsfunction::getRGBandRRGGBB()
{
    QFETCH(qint32, value);
    QFETCH(qint32, rgb);
    QFETCH(QString, rrggbb);
    QCOMPARE(clsFunction::getRGB(value), rgb);
    QCOMPARE(clsFunction::getRRGGBB(value), rrggbb);
}

void tst_clsfunction::getVBColor_data()
{
    // -1 stands for the type-mismatch error: no colour text gives it.
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("expected");
    QTest::newRow("red") << u"#FF0000"_s << 0x0000FF;
    QTest::newRow("upper") << u"#12AB3C"_s << 0x3CAB12;
    QTest::newRow("lower") << u"#12ab3c"_s << 0x3CAB12;
    QTest::newRow("first character not examined") << u"X0000FF"_s << 0xFF0000;
    QTest::newRow("extra characters ignored") << u"#0000FF00"_s << 0xFF0000;
    QTest::newRow("short text gives short pairs") << u"#FF"_s << 0xFF;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("hash only") << u"#"_s << -1;
    QTest::newRow("none") << u"none"_s << -1;
    QTest::newRow("G digit") << u"#GG0000"_s << -1;
    QTest::newRow("blank inside") << u"#12 456"_s << -1;
    QTest::newRow("sign inside") << u"#-12345"_s << -1;
    QTest::newRow("full-width digits") << u"#１２３４５６"_s << -1;
}

void tst_clsfunction::getVBColor()
{
    QFETCH(QString, text);
    QFETCH(qint32, expected);
    qint32 value = -1;
    const int error = errorOf([&] { value = clsFunction::getVBColor(text); });
    QCOMPARE(error, expected < 0 ? int(AppError::TypeMismatch) : kNoError);
    QCOMPARE(value, expected);
    QCOMPARE(clsFunction::tryColour(text),
             expected < 0 ? std::nullopt : std::optional<qint32>(expected));
}

void tst_clsfunction::windows31j_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("decodesBack");
    QTest::newRow("hiragana") << u"あ"_s << QByteArray("\x82\xA0") << true;
    QTest::newRow("half-width katakana") << u"ｱ"_s << QByteArray("\xB1") << true;
    // Only windows-31j maps these: a plain Shift_JIS codec would lose them.
    QTest::newRow("circled digit") << u"①"_s << QByteArray("\x87\x40") << true;
    QTest::newRow("full-width tilde") << u"～"_s << QByteArray("\x81\x60") << true;
    // What the code page lacks costs one "?" per character and nothing else.
    QTest::newRow("hangul") << u"a한b"_s << QByteArray("a?b") << false;
    QTest::newRow("emoji, one mark for the pair") << u"x😀y"_s << QByteArray("x?y") << false;
    QTest::newRow("next to Japanese") << u"あ€あ"_s << QByteArray("\x82\xA0?\x82\xA0") << false;
    // A lone surrogate took the character after it along into its "?".
    QTest::newRow("lone high surrogate")
        << (u"a"_s + QChar(0xD800) + u"bc"_s) << QByteArray("a?bc") << false;
    // NUL is a character like any other, not the mark of one the code page lacks.
    QTest::newRow("NUL beside a mark")
        << (u"a"_s + QChar(0) + u"한"_s + QChar(0)) << QByteArray("a\0?\0", 4) << false;
    QTest::newRow("long text, marks far apart")
        << (QString(3000, u'x') + u"한"_s + QString(3000, u'y') + u"😀"_s)
        << (QByteArray(3000, 'x') + "?" + QByteArray(3000, 'y') + "?") << false;
}

void tst_clsfunction::windows31j()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, decodesBack);
    QCOMPARE(AnsiText::encode(text), bytes);
    if (decodesBack) {
        QCOMPARE(AnsiText::decode(bytes), text);
    }
    // What a save warns of: the text as it will read back, when it changes.
    QCOMPARE(AnsiText::changedByEncoding(text),
             decodesBack ? std::nullopt : std::optional(AnsiText::decode(bytes)));
}

void tst_clsfunction::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF, final") << u"a\r\nb\r\n"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("CR, final") << u"a\rb\r"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("LF, final") << u"a\nb\n"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("mixed") << u"a\r\nb\rc\nd"_s << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    QTest::newRow("empty line kept") << u"a\r\n\r\nb"_s << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("LF CR is two ends") << u"a\n\rb"_s << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("single end") << u"\r\n"_s << QStringList{u""_s};
    QTest::newRow("nothing") << QString() << QStringList{};
}

void tst_clsfunction::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(AnsiText::splitLines(text), lines);
}

void tst_clsfunction::trimBlanks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("blanks both sides") << u"  /a b.bmp "_s << u"/a b.bmp"_s;
    QTest::newRow("only blanks") << u"   "_s << QString();
    QTest::newRow("a tab stays") << u"\ta "_s << u"\ta"_s;
    QTest::newRow("an ideographic space stays") << u"\u3000x "_s << u"\u3000x"_s;
}

void tst_clsfunction::trimBlanks()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(clsFunction::trimBlanks(text), trimmed);
}

QTEST_GUILESS_MAIN(tst_clsfunction)
#include "tst_clsfunction.moc"
