#include "ImageFiles.h"
#include "util/AppError.h"
#include "util/GetImage.h"
#include "util/clsFunction.h"

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

template <typename Read> ImageSize attempt(Read read)
{
    try {
        return read();
    } catch (const AppError &e) {
        return errorResult(e.number());
    }
}

using Reader = ImageSize (*)(const QString &);
const Reader kReaders[] = {getBmpSize, getGifSize, getJpegSize, getPngSize};

ImageSize guarded(Reader reader, const QString &path)
{
    return attempt([&] { return reader(path); });
}

// What getImageSize gives or throws. The non-throwing form must give the
// same size, or nothing where it throws, and so must mode 0 read from the
// listed file once it is open; a disagreement shows as an error 1, which no
// row expects.
ImageSize sizeOf(const QString &path, int mode)
{
    const ImageSize size = attempt([&] { return getImageSize(path, mode); });
    const std::optional<ImageSize> tried = tryImageSize(path, mode);
    bool agrees = size.format < 0 ? !tried : tried == size;
    QFile file(path);
    if (mode == 0 && isListedFile(path) && file.open(QIODevice::ReadOnly)) {
        agrees = agrees && tryImageSize(file) == tried;
    }
    return agrees ? size : errorResult(1);
}

QByteArray le(quint32 value, int bytes)
{
    QByteArray b;
    for (int i = 0; i < bytes; ++i) {
        b += char((value >> (8 * i)) & 0xFF);
    }
    return b;
}

QByteArray be16(int value)
{
    return QByteArray(1, char((value >> 8) & 0xFF)) + char(value & 0xFF);
}

// A segment with a length field and payload bytes of zero.
QByteArray segment(quint8 marker, int payload)
{
    return QByteArray(1, '\xFF') + char(marker) + be16(payload + 2) + QByteArray(payload, '\0');
}

// FF marker, length 17, precision 8, height, width, three components.
QByteArray frameHeader(quint8 marker, int width, int height)
{
    return QByteArray(1, '\xFF') + char(marker) + be16(17) + char(8) + be16(height) + be16(width) +
           QByteArray("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10);
}

const QByteArray kSoi("\xFF\xD8", 2);
const QByteArray kApp0("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
// Scan header and a few coded bytes, so the file goes on past the frame.
const QByteArray kScanAndEnd =
    segment(0xDA, 10) + QByteArray("\x12\x34\x56\xFF\x00\x78\xFF\xD9", 8);
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
    void headers_data();
    void headers();
    void jpegChains_data();
    void jpegChains();

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

// Pictures made by Qt, by hand from Qt's JPEG, or by ImageMagick; identify
// then confirms each size independently of the reader.
void tst_getimage::realFilesAgreeWithIdentify_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<ImageSize>("expected");

    const auto made = [this](const char *tag, const QString &name, const QByteArray &bytes,
                             ImageSize size) { QTest::newRow(tag) << write(name, bytes) << size; };
    const auto magick = [this](const char *tag, const QString &name, const QStringList &args,
                               ImageSize size, const QString &prefix = QString()) {
        const QString path = m_dir.filePath(name);
        QString error;
        const QString wh = u"%1x%2"_s.arg(size.width).arg(size.height);
        if (!convert(QStringList{u"-size"_s, wh} + args + QStringList{prefix + path}, &error)) {
            qWarning("%s", qPrintable(error));
        }
        QTest::newRow(tag) << path << size;
    };

    made("bmp 640x480", u"a.bmp"_s, qimageFile(640, 480, "BMP"), {1, 640, 480});
    QByteArray topDown = qimageFile(37, 21, "BMP");
    topDown.replace(22, 4, le(quint32(-21), 4));
    made("bmp top-down", u"td.bmp"_s, topDown, {1, 37, 21});
    magick("bmp OS/2, 16-bit sizes", u"os2.bmp"_s, {u"xc:red"_s}, {1, 31, 17}, u"BMP2:"_s);
    magick("gif 609x42", u"a.gif"_s, {u"xc:blue"_s}, {2, 609, 42});
    made("png 3000x2", u"w.png"_s, qimageFile(3000, 2, "PNG"), {4, 3000, 2});

    const QByteArray jfif = jfifJpeg(4097, 3);
    made("jfif 4097x3", u"a.jpg"_s, jfif, {3, 4097, 3});
    // "Exif\0\0", then a little-endian TIFF header pointing to an empty IFD.
    const QByteArray exif = QByteArray("Exif\0\0II*\0", 10) + le(8, 4) + QByteArray(6, '\0');
    made("exif", u"exif.jpg"_s,
         kSoi + "\xFF\xE1" + be16(int(exif.size()) + 2) + exif + afterApp0(jfif), {3, 4097, 3});
    made("plain, no APP segment", u"plain.jpeg"_s, plainJpeg(jfif), {3, 4097, 3});
    // Forty APP2 segments of the largest length are stepped over, not read.
    made("large APP segments", u"big.jpg"_s,
         jfif.left(jfif.size() - afterApp0(jfif).size()) + segment(0xE2, 65533).repeated(40) +
             afterApp0(jfif),
         {3, 4097, 3});
    magick("progressive", u"prog.jpg"_s, {u"xc:red"_s, u"-interlace"_s, u"JPEG"_s}, {3, 300, 7});
}

void tst_getimage::realFilesAgreeWithIdentify()
{
    QFETCH(QString, path);
    QFETCH(ImageSize, expected);

    QCOMPARE(identifySize(path), u"%1 %2"_s.arg(expected.width).arg(expected.height));
    QCOMPARE(sizeOf(path, 0), expected);
    QCOMPARE(sizeOf(path, 5), expected);
    QCOMPARE(sizeOf(path, expected.format), expected);
    for (int f = 1; f <= 4; ++f) {
        QCOMPARE(guarded(kReaders[f - 1], path), f == expected.format ? expected : ImageSize{});
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
    write(u"real.png"_s, png);
    QTest::newRow("wildcard is not a name") << m_dir.filePath(u"*.png"_s);
    QFile::link(m_dir.filePath(u"gone.png"_s), m_dir.filePath(u"dangling.png"_s));
    QTest::newRow("dangling link") << m_dir.filePath(u"dangling.png"_s);
}

void tst_getimage::missingOrUnlistedFilesGiveZero()
{
    QFETCH(QString, path);
    for (int mode = 0; mode <= 5; ++mode) {
        QCOMPARE(sizeOf(path, mode), ImageSize{});
    }
    for (const Reader reader : kReaders) {
        QCOMPARE(guarded(reader, path), ImageSize{});
    }
}

// How the mode picks a reader, and headers too short or too large.
void tst_getimage::headers_data()
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
    QTest::newRow("jpeg read as png") << upper << 4 << ImageSize{};
    QTest::newRow("jpeg named .png, by name") << write(u"j.png"_s, jpeg) << 5 << ImageSize{};
    QTest::newRow("jpeg named .png, by content")
        << m_dir.filePath(u"j.png"_s) << 0 << ImageSize{3, 113, 78};
    const QByteArray gif = "GIF89a" + le(609, 2) + le(42, 2) + QByteArray(3, '\0');
    QTest::newRow("gif named .bmp, by name") << write(u"g.bmp"_s, gif) << 5 << ImageSize{};
    QTest::newRow("gif named .bmp, by content")
        << m_dir.filePath(u"g.bmp"_s) << 0 << ImageSize{2, 609, 42};
    QTest::newRow("unknown content") << write(u"t.txt"_s, "hello") << 0 << ImageSize{};
    QTest::newRow("one-byte jpeg") << write(u"one.jpg"_s, "\xFF") << 3 << ImageSize{};
    QTest::newRow("one-byte png") << write(u"one.png"_s, "\x89") << 4 << ImageSize{};
    // Bytes past the end of the file read as zero.
    QTest::newRow("two-byte bmp") << write(u"bm.bmp"_s, "BM") << 1 << ImageSize{1, 0, 0};

    const ImageSize overflow = errorResult(AppError::Overflow);
    const QByteArray png = qimageFile(4, 4, "PNG");
    const QByteArray bmp = qimageFile(4, 4, "BMP");
    QTest::newRow("png width 2^31")
        << write(u"o1.png"_s, QByteArray(png).replace(16, 4, le(0x80, 4))) << 0 << overflow;
    QTest::newRow("png height 2^32-1")
        << write(u"o2.png"_s, QByteArray(png).replace(20, 4, le(0xFFFFFFFF, 4))) << 4 << overflow;
    QTest::newRow("bmp width 2^31")
        << write(u"o3.bmp"_s, QByteArray(bmp).replace(18, 4, le(0x80000000, 4))) << 0 << overflow;
    // -2^31 has no positive counterpart.
    QTest::newRow("bmp height -2^31")
        << write(u"o4.bmp"_s, QByteArray(bmp).replace(22, 4, le(0x80000000, 4))) << 1 << overflow;
    // A listed, ordinary file whose first bytes cannot be read: the failure
    // comes out as the device error, not as a size made of zeros.
    QTest::newRow("unreadable") << u"/proc/self/mem"_s << 0 << errorResult(57);
}

void tst_getimage::headers()
{
    QFETCH(QString, path);
    QFETCH(int, mode);
    QFETCH(ImageSize, expected);
    QCOMPARE(sizeOf(path, mode), expected);
}

// Crafted marker chains: every frame marker, fill bytes, cut-off and corrupt chains.
void tst_getimage::jpegChains_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ImageSize>("expected");

    // Tables (C4), a reserved JPG marker (C8) and conditioning (CC) come first:
    // they are segments, not frames, and must not be taken for the size.
    const QByteArray notFrames = segment(0xC4, 7) + segment(0xC8, 7) + segment(0xCC, 7);
    for (const int m :
         {0xC0, 0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC7, 0xC9, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF}) {
        QTest::addRow("SOF %02X", m)
            << (kSoi + kApp0 + notFrames + frameHeader(quint8(m), 300, 200) + kScanAndEnd)
            << ImageSize{3, 300, 200};
    }
    // Fill bytes instead of an APP marker, then TEM and restart markers.
    QTest::newRow("fill bytes and standalone markers")
        << (kSoi + "\xFF\xFF\xFF" + kApp0.mid(1) + "\xFF\x01\xFF\xD0\xFF\xD7\xFF\xFF" +
            segment(0xE1, 40) + "\xFF\xFF\xFF" + frameHeader(0xC0, 1024, 768).mid(1) + kScanAndEnd)
        << ImageSize{3, 1024, 768};

    // Bytes of the frame header left at the end of the file (nine reach the width).
    const ImageSize cut = errorResult(AppError::SubscriptOutOfRange);
    const QByteArray frame = frameHeader(0xC0, 113, 78);
    QTest::newRow("frame header whole at the end")
        << (kSoi + kApp0 + frame) << ImageSize{3, 113, 78};
    QTest::newRow("width cut") << (kSoi + kApp0 + frame.left(8)) << cut;
    QTest::newRow("height cut") << (kSoi + kApp0 + frame.left(5)) << cut;
    QTest::newRow("marker and length only") << (kSoi + kApp0 + frame.left(4)) << ImageSize{};
    QTest::newRow("marker only") << (kSoi + kApp0 + frame.left(2)) << ImageSize{};

    const QByteArray tail = frameHeader(0xC0, 10, 10) + kScanAndEnd;
    const QList<QPair<const char *, QByteArray>> corrupt{
        {"stuffed byte after SOI is no marker", kSoi + QByteArray("\xFF\x00\0\0\0\0\0", 7)},
        {"truncated before frame", (kSoi + kApp0 + segment(0xDB, 64)).left(40)},
        {"chain lands on data", kSoi + kApp0 + QByteArray("\x00\x01", 2) + tail},
        {"length zero", kSoi + QByteArray("\xFF\xE1\x00\x00", 4) + tail},
        {"length one", kSoi + QByteArray("\xFF\xE1\x00\x01", 4) + tail},
        {"length past the end", kSoi + kApp0 + "\xFF\xE1\xFF\xF0" + tail.left(12)},
        {"scan before frame", kSoi + kApp0 + kScanAndEnd + tail},
        {"only SOI and fill", kSoi + QByteArray(64, '\xFF')},
        {"only restart markers", kSoi + QByteArray("\xFF\xD0").repeated(40)},
    };
    for (const auto &[tag, bytes] : corrupt) {
        QTest::newRow(tag) << bytes << ImageSize{};
    }
}

void tst_getimage::jpegChains()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ImageSize, expected);
    const QString path = write(u"chain.jpg"_s, bytes);
    QCOMPARE(sizeOf(path, 0), expected);
    QCOMPARE(guarded(getJpegSize, path), expected);
}

QTEST_GUILESS_MAIN(tst_getimage)
#include "tst_getimage.moc"
