#include "util/AppError.h"
#include "util/Paths.h"
#include "util/clsFunction.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_clsfunction : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void getSeparatePath_data();
    void getSeparatePath();

    void VerifyFile_data();
    void VerifyFile();
    void VerifyFileRelativeToCurrentFolder();
    void VerifyFileRejectsNul();

    void NulltoZero_data();
    void NulltoZero();

    void getRGB_data();
    void getRGB();
    void getVBColor_data();
    void getVBColor();
    void getVBColorRefusesNonColours_data();
    void getVBColorRefusesNonColours();
    void getRRGGBB_data();
    void getRRGGBB();

private:
    QTemporaryDir m_dir;
};

namespace {
// A path built with the platform's separator from its parts.
QString native(std::initializer_list<QString> parts)
{
    QStringList list(parts);
    return list.join(Paths::separator());
}

void touch(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("x") != 1) {
        qWarning("cannot write %s", qPrintable(path));
    }
}
} // namespace

void tst_clsfunction::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const QString &name :
         {u"a.bmp"_s, u"skin[1].bmp"_s, u".hidden.png"_s, u"b c.gif"_s, u"画像.jpg"_s}) {
        touch(m_dir.filePath(name));
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
    QTest::newRow("extension") << u"."_s << u"x.tar.gz"_s << 1 << u"gz"_s << false;
    QTest::newRow("before extension") << u"."_s << u"x.tar.gz"_s << 0 << u"x.tar"_s << false;
    QTest::newRow("case-sensitive") << u"x"_s << u"aXbxc"_s << 0 << u"aXb"_s << false;
    QTest::newRow("case-sensitive, absent") << u"X"_s << u"axbxc"_s << 0 << QString() << true;
    QTest::newRow("longer separator") << u"::"_s << u"a::b:c"_s << 1 << u"b:c"_s << false;
    QTest::newRow("Japanese") << sep << native({u"スキン"_s, u"名前.wms"_s}) << 1 << u"名前.wms"_s
                              << false;
}

void tst_clsfunction::getSeparatePath()
{
    QFETCH(QString, separator);
    QFETCH(QString, text);
    QFETCH(int, mode);
    QFETCH(QString, expected);
    QFETCH(bool, fails);
    try {
        const QString got = clsFunction::getSeparatePath(separator, text, qint16(mode));
        QVERIFY2(!fails, qPrintable(u"expected an error, got "_s + got));
        QCOMPARE(got, expected);
    } catch (const AppError &e) {
        QVERIFY2(fails, "unexpected error");
        QCOMPARE(e.number(), int(AppError::InvalidArgument));
    }
}

void tst_clsfunction::VerifyFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("expected");

    const auto in = [this](const QString &name) { return m_dir.filePath(name); };
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("exact") << in(u"a.bmp"_s) << true;
    QTest::newRow("blank in name") << in(u"b c.gif"_s) << true;
    QTest::newRow("Japanese name") << in(u"画像.jpg"_s) << true;
    QTest::newRow("star") << in(u"*.bmp"_s) << true;
    QTest::newRow("question marks") << in(u"?.b?p"_s) << true;
    QTest::newRow("star matches none") << in(u"a*.bmp"_s) << true;
    QTest::newRow("question needs a character") << in(u"a?.bmp"_s) << false;
    QTest::newRow("no match") << in(u"*.png"_s) << false;
    QTest::newRow("missing") << in(u"z.bmp"_s) << false;
    QTest::newRow("brackets are plain characters") << in(u"skin[1].bmp"_s) << true;
    QTest::newRow("brackets are no class") << in(u"skin1.bmp"_s) << false;
    QTest::newRow("brackets with star") << in(u"skin[*"_s) << true;
    QTest::newRow("hidden file") << in(u".hidden.png"_s) << false;
    QTest::newRow("hidden file by wildcard") << in(u"*.png"_s) << false;
    QTest::newRow("folder") << in(u"sub.tif"_s) << false;
    QTest::newRow("folder by wildcard") << in(u"*.tif"_s) << false;
    QTest::newRow("link to a file") << in(u"link.ico"_s) << true;
    QTest::newRow("dangling link") << in(u"dangling.xpm"_s) << false;
    QTest::newRow("dangling link by wildcard") << in(u"*.xpm"_s) << false;
    QTest::newRow("trailing separator") << (m_dir.path() + Paths::separator()) << false;
    QTest::newRow("missing folder") << in(u"nowhere/*.bmp"_s) << false;
    QTest::newRow("wildcard in folder part")
        << native({m_dir.path(), u"su*"_s, u"a.bmp"_s}) << false;
#ifndef Q_OS_WIN
    QTest::newRow("case differs") << in(u"A.BMP"_s) << false;
#endif
}

void tst_clsfunction::VerifyFile()
{
    QFETCH(QString, path);
    QFETCH(bool, expected);
    bool found = !expected;
    QVERIFY_THROWS_NO_EXCEPTION(found = clsFunction::VerifyFile(path));
    QCOMPARE(found, expected);
}

void tst_clsfunction::VerifyFileRelativeToCurrentFolder()
{
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
    const bool exact = clsFunction::VerifyFile(u"a.bmp"_s);
    const bool pattern = clsFunction::VerifyFile(u"*.gif"_s);
    const bool missing = clsFunction::VerifyFile(u"*.wms"_s);
    QVERIFY(QDir::setCurrent(previous));
    QVERIFY(exact);
    QVERIFY(pattern);
    QVERIFY(!missing);
}

void tst_clsfunction::VerifyFileRejectsNul()
{
    const QString path = m_dir.filePath(u"a.bmp"_s) + QChar(u'\0') + u"x"_s;
    QVERIFY_THROWS_EXCEPTION(AppError, clsFunction::VerifyFile(path));
}

void tst_clsfunction::NulltoZero_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("blanks only") << u"   "_s << 0;
    QTest::newRow("letters") << u"abc"_s << 0;
    QTest::newRow("trailing letters") << u"12px"_s << 0;
    QTest::newRow("plain") << u"123"_s << 123;
    QTest::newRow("surrounded by blanks") << u" 12 "_s << 12;
    QTest::newRow("tabs") << u"\t7\t"_s << 7;
    QTest::newRow("plus sign") << u"+5"_s << 5;
    QTest::newRow("minus sign") << u"-5"_s << -5;
    QTest::newRow("2.5 to even") << u"2.5"_s << 2;
    QTest::newRow("3.5 to even") << u"3.5"_s << 4;
    QTest::newRow("-2.5 to even") << u"-2.5"_s << -2;
    QTest::newRow("-3.5 to even") << u"-3.5"_s << -4;
    QTest::newRow("0.5 to even") << u"0.5"_s << 0;
    QTest::newRow("below half") << u"1.49"_s << 1;
    QTest::newRow("above half") << u"-1.51"_s << -2;
    QTest::newRow("exponent") << u"1e2"_s << 100;
    QTest::newRow("largest") << u"32767"_s << 32767;
    QTest::newRow("smallest") << u"-32768"_s << -32768;
    QTest::newRow("just above") << u"32768"_s << 0;
    QTest::newRow("just below") << u"-32769"_s << 0;
    QTest::newRow("rounds above") << u"32767.5"_s << 0;
    QTest::newRow("rounds to smallest") << u"-32768.5"_s << -32768;
    QTest::newRow("40000") << u"40000"_s << 0;
    QTest::newRow("huge") << u"99999999999999999999"_s << 0;
    QTest::newRow("infinity") << u"inf"_s << 0;
    QTest::newRow("not a number") << u"nan"_s << 0;
}

void tst_clsfunction::NulltoZero()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(int(clsFunction::NulltoZero(text)), expected);
}

void tst_clsfunction::getRGB_data()
{
    QTest::addColumn<qint32>("color");
    QTest::addColumn<qint32>("expected");
    QTest::newRow("black") << 0 << 0;
    QTest::newRow("white") << 0xFFFFFF << 0xFFFFFF;
    QTest::newRow("colour kept") << 0x3CAB12 << 0x3CAB12;
    QTest::newRow("top byte dropped") << 0x12345678 << 0x345678;
    // Division toward zero: -1 keeps only its low byte, -256 its green byte.
    QTest::newRow("-1") << -1 << 0xFF;
    QTest::newRow("-256") << -256 << 0xFF00;
    QTest::newRow("system colour") << qint32(0x8000000F) << 0x01010F;
}

void tst_clsfunction::getRGB()
{
    QFETCH(qint32, color);
    QFETCH(qint32, expected);
    QCOMPARE(clsFunction::getRGB(color), expected);
}

void tst_clsfunction::getVBColor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("expected");
    QTest::newRow("red") << u"#FF0000"_s << 0x0000FF;
    QTest::newRow("orange") << u"#0080FF"_s << 0xFF8000;
    QTest::newRow("upper") << u"#12AB3C"_s << 0x3CAB12;
    QTest::newRow("lower") << u"#12ab3c"_s << 0x3CAB12;
    QTest::newRow("black") << u"#000000"_s << 0;
    QTest::newRow("white") << u"#FFFFFF"_s << 0xFFFFFF;
    QTest::newRow("first character not examined") << u"X0000FF"_s << 0xFF0000;
    QTest::newRow("extra characters ignored") << u"#0000FF00"_s << 0xFF0000;
    QTest::newRow("short text gives short pairs") << u"#FF"_s << 0xFF;
}

void tst_clsfunction::getVBColor()
{
    QFETCH(QString, text);
    QFETCH(qint32, expected);
    qint32 value = -1;
    QVERIFY_THROWS_NO_EXCEPTION(value = clsFunction::getVBColor(text));
    QCOMPARE(value, expected);
}

void tst_clsfunction::getVBColorRefusesNonColours_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("hash only") << u"#"_s;
    QTest::newRow("none") << u"none"_s;
    QTest::newRow("G digit") << u"#GG0000"_s;
    QTest::newRow("blank inside") << u"#12 456"_s;
    QTest::newRow("sign inside") << u"#-12345"_s;
    QTest::newRow("full-width digits") << u"#１２３４５６"_s;
}

void tst_clsfunction::getVBColorRefusesNonColours()
{
    QFETCH(QString, text);
    try {
        const qint32 value = clsFunction::getVBColor(text);
        QFAIL(qPrintable(u"no error, got "_s + QString::number(value)));
    } catch (const AppError &e) {
        QCOMPARE(e.number(), int(AppError::TypeMismatch));
    }
}

void tst_clsfunction::getRRGGBB_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("red") << 255 << u"#FF0000"_s;
    QTest::newRow("orange") << 0xFF8000 << u"#0080FF"_s;
    QTest::newRow("black") << 0 << u"#000000"_s;
    QTest::newRow("small value padded") << 0x0A << u"#0A0000"_s;
    QTest::newRow("upper case") << 0x3CAB12 << u"#12AB3C"_s;
    QTest::newRow("system colour") << qint32(0x8000000F) << u"#000080"_s;
    QTest::newRow("seven digits") << 0x1000000 << u"#000010"_s;
    QTest::newRow("-1") << -1 << u"#FFFFFF"_s;
    QTest::newRow("-256") << -256 << u"#FFFFFF"_s;
}

void tst_clsfunction::getRRGGBB()
{
    QFETCH(qint32, value);
    QFETCH(QString, expected);
    QCOMPARE(clsFunction::getRRGGBB(value), expected);
}

QTEST_GUILESS_MAIN(tst_clsfunction)
#include "tst_clsfunction.moc"
