#include "ImageFiles.h"
#include "util/AppError.h"
#include "util/GetImage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ImageFiles;

namespace {
// An error stands in the result as its negative number, so a wrong error or an
// unexpected one fails its row like any wrong size, and the other rows still run.
ImageSize errorResult(int number)
{
    return {-number, 0, 0};
}

using Reader = ImageSize (*)(const QString &);

ImageSize guarded(Reader reader, const QString &path)
{
    try {
        return reader(path);
    } catch (const AppError &e) {
        return errorResult(e.number());
    }
}

ImageSize sizeOf(const QString &path, int mode)
{
    try {
        return getImageSize(path, mode);
    } catch (const AppError &e) {
        return errorResult(e.number());
    }
}
} // namespace

namespace QTest {
template <> char *toString(const ImageSize &s)
{
    if (s.format < 0) {
        return QTest::toString(u"AppError %1"_s.arg(-s.format));
    }
    return QTest::toString(u"{%1, %2, %3}"_s.arg(s.format).arg(s.width).arg(s.height));
}
} // namespace QTest

class tst_getimage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void realFilesAgreeWithIdentify_data();
    void realFilesAgreeWithIdentify();

    void missingOrUnlistedFilesGiveZero_data();
    void missingOrUnlistedFilesGiveZero();
    void oneByteFileGivesZero_data();
    void oneByteFileGivesZero();
    void twoByteBmpReadsZeroFilledHeader();
    void modeChoosesReader_data();
    void modeChoosesReader();

    void oversizeValuesOverflow_data();
    void oversizeValuesOverflow();
    void os2BmpUsesSixteenBitSizes();

    void everyFrameMarkerGivesSize_data();
    void everyFrameMarkerGivesSize();
    void fillBytesAndStandaloneMarkersAreSteppedOver();
    void frameHeaderAtTheEnd_data();
    void frameHeaderAtTheEnd();
    void corruptChainsGiveZero_data();
    void corruptChainsGiveZero();
    void largeAppSegmentsAreSeekedOver();
    void unreadableFileReachesCaller();

private:
    QString write(const QString &name, const QByteArray &bytes);

    QTemporaryDir m_dir;
};

void tst_getimage::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString tst_getimage::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    if (!writeFile(path, bytes)) {
        qWarning("cannot write %s", qPrintable(path));
    }
    return path;
}

// How each row's picture is made; ImageMagick's identify then confirms its size.
enum class Maker { QImageBmp, TopDownBmp, MagickGif, QImagePng, Jfif, Exif, Plain, Progressive };
Q_DECLARE_METATYPE(Maker)

void tst_getimage::realFilesAgreeWithIdentify_data()
{
    QTest::addColumn<Maker>("maker");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("format");

    QTest::newRow("bmp 640x480") << Maker::QImageBmp << u"a.bmp"_s << 640 << 480 << 1;
    QTest::newRow("bmp 1x1") << Maker::QImageBmp << u"one.bmp"_s << 1 << 1 << 1;
    QTest::newRow("bmp top-down") << Maker::TopDownBmp << u"td.bmp"_s << 37 << 21 << 1;
    QTest::newRow("gif 609x42") << Maker::MagickGif << u"a.gif"_s << 609 << 42 << 2;
    QTest::newRow("gif 16000 wide") << Maker::MagickGif << u"w.gif"_s << 16000 << 1 << 2;
    QTest::newRow("png 113x78") << Maker::QImagePng << u"a.png"_s << 113 << 78 << 4;
    QTest::newRow("png 3000x2") << Maker::QImagePng << u"w.png"_s << 3000 << 2 << 4;
    QTest::newRow("jfif 113x78") << Maker::Jfif << u"a.jpg"_s << 113 << 78 << 3;
    QTest::newRow("jfif 4097x3") << Maker::Jfif << u"w.jpg"_s << 4097 << 3 << 3;
    QTest::newRow("exif 113x78") << Maker::Exif << u"exif.jpg"_s << 113 << 78 << 3;
    QTest::newRow("plain 113x78") << Maker::Plain << u"plain.jpeg"_s << 113 << 78 << 3;
    QTest::newRow("progressive 113x78") << Maker::Progressive << u"prog.jpg"_s << 113 << 78 << 3;
    QTest::newRow("progressive 300x7") << Maker::Progressive << u"p2.jpg"_s << 300 << 7 << 3;
}

void tst_getimage::realFilesAgreeWithIdentify()
{
    QFETCH(Maker, maker);
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, format);

    const QString path = m_dir.filePath(name);
    const QString size = u"%1x%2"_s.arg(width).arg(height);
    QString error;
    switch (maker) {
    case Maker::QImageBmp:
        QVERIFY(writeFile(path, qimageFile(width, height, "BMP")));
        break;
    case Maker::TopDownBmp:
        QVERIFY(writeFile(path, topDownBmp(width, height)));
        break;
    case Maker::MagickGif:
        QVERIFY2(convert({u"-size"_s, size, u"xc:blue"_s, path}, &error), qPrintable(error));
        break;
    case Maker::QImagePng:
        QVERIFY(writeFile(path, qimageFile(width, height, "PNG")));
        break;
    case Maker::Jfif:
        QVERIFY(writeFile(path, jfifJpeg(width, height)));
        break;
    case Maker::Exif:
        QVERIFY(writeFile(path, exifJpeg(jfifJpeg(width, height))));
        break;
    case Maker::Plain:
        QVERIFY(writeFile(path, plainJpeg(jfifJpeg(width, height))));
        break;
    case Maker::Progressive:
        QVERIFY2(convert({u"-size"_s, size, u"xc:red"_s, u"-interlace"_s, u"JPEG"_s, path}, &error),
                 qPrintable(error));
        break;
    }

    QCOMPARE(identifySize(path), u"%1 %2"_s.arg(width).arg(height));
    const ImageSize expected{format, width, height};
    QCOMPARE(sizeOf(path, 0), expected);
    QCOMPARE(sizeOf(path, 5), expected);
    QCOMPARE(sizeOf(path, format), expected);
    const Reader readers[] = {getBmpSize, getGifSize, getJpegSize, getPngSize};
    for (int f = 1; f <= 4; ++f) {
        QCOMPARE(guarded(readers[f - 1], path), f == format ? expected : ImageSize{});
    }
}

void tst_getimage::missingOrUnlistedFilesGiveZero_data()
{
    QTest::addColumn<QString>("path");
    const QByteArray png = qimageFile(5, 5, "PNG");
    QTest::newRow("missing") << m_dir.filePath(u"nothing.png"_s);
    QTest::newRow("empty path") << QString();
    QTest::newRow("hidden") << write(u".hidden.png"_s, png);
    QDir(m_dir.path()).mkdir(u"folder.png"_s);
    QTest::newRow("folder") << m_dir.filePath(u"folder.png"_s);
    QTest::newRow("wildcard is not a name") << m_dir.filePath(u"*.png"_s);
    write(u"real.png"_s, png);
    QFile::link(m_dir.filePath(u"gone.png"_s), m_dir.filePath(u"dangling.png"_s));
    QTest::newRow("dangling link") << m_dir.filePath(u"dangling.png"_s);
}

void tst_getimage::missingOrUnlistedFilesGiveZero()
{
    QFETCH(QString, path);
    for (int mode = 0; mode <= 5; ++mode) {
        QCOMPARE(sizeOf(path, mode), ImageSize{});
    }
    QCOMPARE(guarded(getBmpSize, path), ImageSize{});
    QCOMPARE(guarded(getGifSize, path), ImageSize{});
    QCOMPARE(guarded(getJpegSize, path), ImageSize{});
    QCOMPARE(guarded(getPngSize, path), ImageSize{});
}

void tst_getimage::oneByteFileGivesZero_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("byte");
    QTest::newRow("bmp") << 1 << QByteArray("B");
    QTest::newRow("gif") << 2 << QByteArray("G");
    QTest::newRow("jpeg") << 3 << QByteArray("\xFF");
    QTest::newRow("png") << 4 << QByteArray("\x89");
}

void tst_getimage::oneByteFileGivesZero()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, byte);
    const QString path = write(u"one%1"_s.arg(mode), byte);
    QCOMPARE(sizeOf(path, mode), ImageSize{});
    QCOMPARE(sizeOf(path, 0), ImageSize{});
}

void tst_getimage::twoByteBmpReadsZeroFilledHeader()
{
    const QString path = write(u"bm.bmp"_s, "BM");
    QCOMPARE(sizeOf(path, 0), (ImageSize{1, 0, 0}));
    QCOMPARE(guarded(getBmpSize, path), (ImageSize{1, 0, 0}));
}

void tst_getimage::modeChoosesReader_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("mode");
    QTest::addColumn<ImageSize>("expected");

    const QByteArray jpeg = jfifJpeg(113, 78);
    const QString upper = write(u"UP.JPEG"_s, jpeg);
    QTest::newRow("upper-case .JPEG by name") << upper << 5 << ImageSize{3, 113, 78};
    QTest::newRow(".tif by name") << write(u"pic.tif"_s, jpeg) << 5 << ImageSize{};
    QTest::newRow("mode 7") << upper << 7 << ImageSize{};
    QTest::newRow("mode -1") << upper << -1 << ImageSize{};
    QTest::newRow("jpeg named .png, by name") << write(u"j.png"_s, jpeg) << 5 << ImageSize{};
    QTest::newRow("jpeg named .png, by content")
        << m_dir.filePath(u"j.png"_s) << 0 << ImageSize{3, 113, 78};
    QTest::newRow("jpeg read as png") << upper << 4 << ImageSize{};

    QString error;
    const QString gif = m_dir.filePath(u"g.gif"_s);
    if (!convert({u"-size"_s, u"609x42"_s, u"xc:blue"_s, gif}, &error)) {
        qWarning("%s", qPrintable(error));
    }
    QFile::copy(gif, m_dir.filePath(u"g.bmp"_s));
    QTest::newRow("gif named .gif") << gif << 5 << ImageSize{2, 609, 42};
    QTest::newRow("gif named .bmp, by name") << m_dir.filePath(u"g.bmp"_s) << 5 << ImageSize{};
    QTest::newRow("gif named .bmp, by content")
        << m_dir.filePath(u"g.bmp"_s) << 0 << ImageSize{2, 609, 42};
    QTest::newRow("unknown content") << write(u"t.txt"_s, "hello") << 0 << ImageSize{};
    QTest::newRow("stuffed byte after SOI is no marker")
        << write(u"z.jpg"_s, QByteArray("\xFF\xD8\xFF\x00\x00\x00\x00\x00\x00", 9)) << 0
        << ImageSize{};
}

void tst_getimage::modeChoosesReader()
{
    QFETCH(QString, path);
    QFETCH(int, mode);
    QFETCH(ImageSize, expected);
    QCOMPARE(sizeOf(path, mode), expected);
}

void tst_getimage::oversizeValuesOverflow_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("mode");

    QByteArray png = qimageFile(4, 4, "PNG");
    QByteArray widePng = png;
    widePng.replace(16, 4, QByteArray("\x80\x00\x00\x00", 4));
    QTest::newRow("png width 2^31") << widePng << 4;
    QByteArray tallPng = png;
    tallPng.replace(20, 4, QByteArray("\xFF\xFF\xFF\xFF", 4));
    QTest::newRow("png height 2^32-1") << tallPng << 4;

    QByteArray bmp = qimageFile(4, 4, "BMP");
    QByteArray wideBmp = bmp;
    wideBmp.replace(18, 4, QByteArray("\x00\x00\x00\x80", 4));
    QTest::newRow("bmp width 2^31") << wideBmp << 1;
    // -2^31 has no positive counterpart.
    QByteArray tallBmp = bmp;
    tallBmp.replace(22, 4, QByteArray("\x00\x00\x00\x80", 4));
    QTest::newRow("bmp height -2^31") << tallBmp << 1;
}

void tst_getimage::oversizeValuesOverflow()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, mode);
    const QString path = write(u"big"_s + QString::fromLatin1(QTest::currentDataTag()), bytes);
    QCOMPARE(sizeOf(path, 0), errorResult(AppError::Overflow));
    QCOMPARE(sizeOf(path, mode), errorResult(AppError::Overflow));
}

void tst_getimage::os2BmpUsesSixteenBitSizes()
{
    const QString path = m_dir.filePath(u"os2.bmp"_s);
    QString error;
    QVERIFY2(convert({u"-size"_s, u"31x17"_s, u"xc:red"_s, u"BMP2:"_s + path}, &error),
             qPrintable(error));
    QCOMPARE(identifySize(path), u"31 17"_s);
    QCOMPARE(sizeOf(path, 0), (ImageSize{1, 31, 17}));
}

namespace {
const QByteArray kSoi("\xFF\xD8", 2);

QByteArray app0()
{
    return QByteArray("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
}

// Scan header and a few coded bytes, so the file goes on past the frame.
QByteArray scanAndEnd()
{
    return segment(0xDA, 10) + QByteArray("\x12\x34\x56\xFF\x00\x78", 6) +
           QByteArray("\xFF\xD9", 2);
}
} // namespace

void tst_getimage::everyFrameMarkerGivesSize_data()
{
    QTest::addColumn<int>("marker");
    for (const int m :
         {0xC0, 0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC7, 0xC9, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF}) {
        QTest::addRow("SOF %02X", m) << m;
    }
}

void tst_getimage::everyFrameMarkerGivesSize()
{
    QFETCH(int, marker);
    // Tables (C4), a reserved JPG marker (C8) and conditioning (CC) come first:
    // they are segments, not frames, and must not be taken for the size.
    const QByteArray bytes = kSoi + app0() + segment(0xC4, 7) + segment(0xC8, 7) +
                             segment(0xCC, 7) + frameHeader(quint8(marker), 300, 200) +
                             scanAndEnd();
    const QString path = write(u"sof%1.jpg"_s.arg(marker, 0, 16), bytes);
    QCOMPARE(sizeOf(path, 0), (ImageSize{3, 300, 200}));
    QCOMPARE(guarded(getJpegSize, path), (ImageSize{3, 300, 200}));
}

void tst_getimage::fillBytesAndStandaloneMarkersAreSteppedOver()
{
    // Starts with fill bytes instead of an APP marker, then TEM and restart markers.
    QByteArray bytes = kSoi + QByteArray("\xFF\xFF\xFF", 3) + app0().mid(1);
    bytes += QByteArray("\xFF\x01\xFF\xD0\xFF\xD7", 6);
    bytes += QByteArray("\xFF\xFF", 2) + segment(0xE1, 40);
    bytes += QByteArray("\xFF\xFF\xFF", 3) + frameHeader(0xC0, 1024, 768).mid(1);
    bytes += scanAndEnd();
    const QString path = write(u"fill.jpg"_s, bytes);
    QCOMPARE(sizeOf(path, 0), (ImageSize{3, 1024, 768}));
}

void tst_getimage::frameHeaderAtTheEnd_data()
{
    QTest::addColumn<int>("kept");
    QTest::addColumn<ImageSize>("expected");
    // kept = bytes of the frame header left in the file (nine reach the width).
    const ImageSize indexError = errorResult(AppError::SubscriptOutOfRange);
    QTest::newRow("whole") << 9 << ImageSize{3, 113, 78};
    QTest::newRow("width cut") << 8 << indexError;
    QTest::newRow("height cut") << 5 << indexError;
    QTest::newRow("marker and length only") << 4 << ImageSize{};
    QTest::newRow("marker only") << 2 << ImageSize{};
}

void tst_getimage::frameHeaderAtTheEnd()
{
    QFETCH(int, kept);
    QFETCH(ImageSize, expected);
    const QByteArray bytes = kSoi + app0() + frameHeader(0xC0, 113, 78).left(kept);
    const QString path = write(u"end%1.jpg"_s.arg(kept), bytes);
    QCOMPARE(guarded(getJpegSize, path), expected);
    QCOMPARE(sizeOf(path, 0), expected);
}

void tst_getimage::corruptChainsGiveZero_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray frame = frameHeader(0xC0, 10, 10) + scanAndEnd();
    QTest::newRow("truncated before frame") << (kSoi + app0() + segment(0xDB, 64)).left(40);
    QTest::newRow("chain lands on data") << (kSoi + app0() + QByteArray("\x00\x01", 2) + frame);
    QTest::newRow("length zero") << (kSoi + QByteArray("\xFF\xE1\x00\x00", 4) + frame);
    QTest::newRow("length one") << (kSoi + QByteArray("\xFF\xE1\x00\x01", 4) + frame);
    QTest::newRow("length past the end")
        << (kSoi + app0() + QByteArray("\xFF\xE1\xFF\xF0", 4) + frame.left(12));
    QTest::newRow("scan before frame") << (kSoi + app0() + scanAndEnd() + frame);
    QTest::newRow("only SOI and fill") << (kSoi + QByteArray(64, '\xFF'));
    QTest::newRow("only restart markers") << (kSoi + QByteArray("\xFF\xD0").repeated(40));
}

void tst_getimage::corruptChainsGiveZero()
{
    QFETCH(QByteArray, bytes);
    const QString path = write(u"corrupt.jpg"_s, bytes);
    QCOMPARE(sizeOf(path, 0), ImageSize{});
    QCOMPARE(guarded(getJpegSize, path), ImageSize{});
}

void tst_getimage::largeAppSegmentsAreSeekedOver()
{
    const QString path = write(u"bigapp.jpg"_s, jpegWithLargeApp(jfifJpeg(113, 78), 40));
    QVERIFY(QFileInfo(path).size() > 40 * 65535);
    QCOMPARE(identifySize(path), u"113 78"_s);
    QCOMPARE(sizeOf(path, 0), (ImageSize{3, 113, 78}));
}

void tst_getimage::unreadableFileReachesCaller()
{
    // A listed, ordinary file whose first bytes cannot be read: the failure
    // must come out as an error, not as a size made of zeros.
    const QString path = u"/proc/self/mem"_s;
    if (!QFileInfo(path).isFile()) {
        QSKIP("/proc/self/mem is not available here");
    }
    QVERIFY_THROWS_EXCEPTION(AppError, getImageSize(path, 0));
}

QTEST_GUILESS_MAIN(tst_getimage)
#include "tst_getimage.moc"
