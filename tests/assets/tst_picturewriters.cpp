#include "../packaging/TmpfsMount.h"
#include "../util/ImageFiles.h"
#include "GifWriter.h"
#include "JfifWriter.h"
#include "PictureFile.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The generator's picture writers: our own GIF encoder, read back by Qt and
// by ImageMagick, the JFIF header, and saving by suffix without losing the
// previous file.
class tst_picturewriters : public QObject {
    Q_OBJECT

private slots:
    void gifRoundTrip_data();
    void gifRoundTrip();
    void gifEveryCodeWidthBoundary();
    void gifManyColoursKeepTheKey();
    void gifCoversIndicesBeyondColourTable();
    void gifOfNullImageIsEmpty();
    void jfifHeader();
    void savePictureWritesBySuffix_data();
    void savePictureWritesBySuffix();
    void savePictureRefuses_data();
    void savePictureRefuses();
    void savePictureOnFullDiskKeepsOldFile();
};

namespace {

// An indexed image over a palette of distinct colours: random pixels, or
// stripes whose long runs make the dictionary grow fast.
QImage indexed(int width, int height, int colours, quint32 seed, bool striped = false)
{
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> palette;
    for (int i = 0; i < colours; ++i)
        palette.append(qRgb((i * 37) % 256, (i * 91 + 17) % 256, (i * 53 + 101) % 256));
    image.setColorTable(palette);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.scanLine(y)[x] =
                uchar(striped ? (x / 37 + y / 11) % colours : random.bounded(colours));
    return image;
}

// First differing pixel as "x,y", empty when both show the same colours.
QString firstDifference(const QImage &expected, const QImage &actual)
{
    if (expected.size() != actual.size())
        return u"size %1x%2 vs %3x%4"_s.arg(expected.width())
            .arg(expected.height())
            .arg(actual.width())
            .arg(actual.height());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if ((expected.pixel(x, y) & 0xFFFFFF) != (actual.pixel(x, y) & 0xFFFFFF))
                return u"%1,%2"_s.arg(x).arg(y);
    return {};
}

QImage decode(const QByteArray &data, const char *format)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    return reader.read();
}

} // namespace

void tst_picturewriters::gifRoundTrip_data()
{
    QTest::addColumn<QImage>("image");
    QTest::newRow("one pixel") << indexed(1, 1, 2, 1);
    QTest::newRow("two colours") << indexed(40, 24, 2, 2);
    QTest::newRow("three colours, palette padded") << indexed(15, 9, 3, 3);
    QTest::newRow("five colours, odd size") << indexed(123, 45, 5, 4);
    QTest::newRow("odd palette size 200") << indexed(77, 33, 200, 5);
    QTest::newRow("full palette, dictionary restarts") << indexed(300, 300, 256, 6);
    QTest::newRow("long runs, dictionary restarts") << indexed(600, 400, 5, 0, true);
    QTest::newRow("single colour") << indexed(200, 16, 1, 0, true);
}

// Read back by Qt and, as a second and independent reader, by ImageMagick,
// which turns the GIF into a PNG for Qt to compare.
void tst_picturewriters::gifRoundTrip()
{
    QFETCH(QImage, image);
    const QByteArray gif = encodeGif(image);
    QCOMPARE(gif.left(6), QByteArray("GIF89a"));
    QCOMPARE(gif.back(), char(0x3B)); // the trailer
    const QImage back = decode(gif, "gif");
    QVERIFY2(!back.isNull(), "Qt's GIF reader refused the data");
    QCOMPARE(firstDifference(image, back), QString());

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString gifPath = dir.filePath(u"in.gif"_s);
    const QString pngPath = dir.filePath(u"out.png"_s);
    QVERIFY(ImageFiles::writeFile(gifPath, gif));
    QString error;
    QVERIFY2(ImageFiles::convert({gifPath, pngPath}, &error), qPrintable(error));
    QCOMPARE(firstDifference(image, QImage(pngPath)), QString());
}

// The width of the end code depends on how many codes came before it; walk
// every image length over the first three width changes.
void tst_picturewriters::gifEveryCodeWidthBoundary()
{
    for (int width = 1; width <= 700; ++width) {
        const QImage image = indexed(width, 1, 4, quint32(width));
        const QImage back = decode(encodeGif(image), "gif");
        QVERIFY2(!back.isNull(), qPrintable(u"width %1 not decoded"_s.arg(width)));
        const QString difference = firstDifference(image, back);
        QVERIFY2(difference.isEmpty(), qPrintable(u"width %1: %2"_s.arg(width).arg(difference)));
    }
}

// More than 256 colours, with a ring of the key colour #FF0000 and pixels a
// hair off the key: key pixels stay exactly the key, no other pixel turns
// into it, and every colour lands within half a step of the colour cube.
void tst_picturewriters::gifManyColoursKeepTheKey()
{
    QImage image(256, 64, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x, y * 4, (x + y) % 256));
    for (int x = 0; x < image.width(); ++x) {
        image.setPixel(x, 0, qRgb(255, 0, 0));
        image.setPixel(x, image.height() - 1, qRgb(255, 0, 0));
    }
    image.setPixel(10, 10, qRgb(254, 0, 0));
    image.setPixel(11, 10, qRgb(255, 1, 1));

    const QImage back = decode(encodeGif(image, qRgb(255, 0, 0)), "gif");
    QCOMPARE(back.size(), image.size());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = back.pixel(x, y);
            const bool key = (a & 0xFFFFFF) == 0xFF0000;
            QVERIFY2(key == ((b & 0xFFFFFF) == 0xFF0000), qPrintable(u"%1,%2"_s.arg(x).arg(y)));
            // Six levels of red and blue are 51 apart.
            const int error =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b))});
            QVERIFY2(error <= 26, qPrintable(u"%1,%2 off by %3"_s.arg(x).arg(y).arg(error)));
        }
    }
}

void tst_picturewriters::gifCoversIndicesBeyondColourTable()
{
    // Two palette entries, but pixels use index 9: the stream must still decode
    // to the right size, with every pixel where it was.
    QImage image(16, 4, QImage::Format_Indexed8);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(1);
    image.scanLine(2)[3] = 9; // setPixel would refuse it

    const QImage back = decode(encodeGif(image), "gif");
    QCOMPARE(back.size(), image.size());
    QCOMPARE(back.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(back.pixel(15, 3) & 0xFFFFFF, 0xFFFFFFu);
    // Entries the table lacks are padded with black.
    QCOMPARE(back.pixel(3, 2) & 0xFFFFFF, 0u);
}

void tst_picturewriters::gifOfNullImageIsEmpty()
{
    QVERIFY(encodeGif(QImage()).isEmpty());
}

void tst_picturewriters::jfifHeader()
{
    // A JPEG without the segment gets one, and still shows the same picture.
    const QByteArray bare = ImageFiles::plainJpeg(ImageFiles::jfifJpeg(40, 24));
    QVERIFY(bare.mid(2, 2) != QByteArray("\xFF\xE0"));
    QByteArray fixed = bare;
    QVERIFY(ensureJfifHeader(fixed));
    QCOMPARE(fixed.left(4), QByteArray("\xFF\xD8\xFF\xE0"));
    QCOMPARE(fixed.mid(6, 5), QByteArray("JFIF\0", 5));
    QCOMPARE(fixed.size(), bare.size() + 18);
    QCOMPARE(firstDifference(decode(bare, "jpeg"), decode(fixed, "jpeg")), QString());

    // One that has it is left alone; anything else is refused untouched.
    QByteArray again = fixed;
    QVERIFY(ensureJfifHeader(again));
    QCOMPARE(again, fixed);
    for (QByteArray other : {encodeGif(indexed(4, 4, 2, 1)), QByteArray()}) {
        const QByteArray before = other;
        QVERIFY(!ensureJfifHeader(other));
        QCOMPARE(other, before);
    }
}

void tst_picturewriters::savePictureWritesBySuffix_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("jpg") << u"a.jpg"_s << QByteArray("jpeg");
    QTest::newRow("gif") << u"a.gif"_s << QByteArray("gif");
    QTest::newRow("bmp") << u"a.bmp"_s << QByteArray("bmp");
    QTest::newRow("png") << u"a.png"_s << QByteArray("png");
    QTest::newRow("upper-case suffix") << u"A.BMP"_s << QByteArray("bmp");
}

void tst_picturewriters::savePictureWritesBySuffix()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The folder does not exist yet: saving makes it.
    const QString path = dir.filePath(u"new/folder/"_s + name);
    QImage image(40, 24, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    QString error;
    QVERIFY2(savePicture(image, path, &error), qPrintable(error));
    QImageReader reader(path);
    QCOMPARE(reader.format(), format);
    const QImage back = reader.read();
    QCOMPARE(back.size(), QSize(40, 24));
    if (format != "jpeg")
        QCOMPARE(back.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
}

void tst_picturewriters::savePictureRefuses_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mentioned"); // what the message must name
    // A file stands where the folder should be created.
    QTest::newRow("folder cannot be made") << u"blocker/a.png"_s << u"blocker"_s;
    QTest::newRow("unknown suffix") << u"a.xyz"_s << QString();
}

void tst_picturewriters::savePictureRefuses()
{
    QFETCH(QString, name);
    QFETCH(QString, mentioned);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(ImageFiles::writeFile(dir.filePath(u"blocker"_s), "x"));
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QString error;
    QVERIFY(!savePicture(image, dir.filePath(name), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(mentioned), qPrintable(error));
    QVERIFY(!QFile::exists(dir.filePath(name)));
}

void tst_picturewriters::savePictureOnFullDiskKeepsOldFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TmpfsMount mount(dir.path(), u"64k"_s);
    if (!mount.isMounted())
        QSKIP(qPrintable(u"cannot mount a small tmpfs here: "_s + mount.reason()));

    const QString path = dir.filePath(u"background.bmp"_s);
    QImage small(10, 10, QImage::Format_RGB32);
    small.fill(Qt::green);
    QString error;
    QVERIFY2(savePicture(small, path, &error), qPrintable(error));

    // 300 x 300 at 24 bits is about 270 KB: more than the disk holds.
    QImage large(300, 300, QImage::Format_RGB32);
    large.fill(Qt::blue);
    QVERIFY(!savePicture(large, path, &error));
    QVERIFY(error.contains(u"background.bmp"_s));
    QCOMPARE(QImage(path).size(), QSize(10, 10));
}

QTEST_MAIN(tst_picturewriters)
#include "tst_picturewriters.moc"
