// Packs two skin folders with the packager and its built-in archiver, and the
// same files with Info-ZIP "zip -q -D -6" (deflate level 6 on both sides:
// Info-ZIP's default and the built-in archiver's), and prints the median times
// of several runs, their ratio and the archives' sizes. The first folder holds
// 40 noisy 24-bit BMP images (about 20 MB); the second looks like a real skin:
// a BMP background and 40 buttons, a third of them BMP, a third PNG, a third
// JPEG, and a GIF, all drawn here.
// Then packs a skin whose WMS file is one line of 100,000 elements naming 40
// small pictures, against reading that file once with the WMS reader: the
// search for the names the skin needs must stay one pass over the text.
#include "BenchSupport.h"
#include "PictureFile.h"
#include "document/clsFileControl.h"
#include "packaging/clsZipWrapper.h"
#include "util/AnsiText.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int kImages = 40;
constexpr int kWidth = 400;
constexpr int kHeight = 416;
constexpr int kRuns = 5;

void putLe(QByteArray &bytes, qsizetype at, quint32 value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
    }
}

// A smooth picture with noise in its low bits, so deflate has real work.
QByteArray makeBmp(int seed)
{
    const int rowBytes = kWidth * 3; // a multiple of 4 for this width
    const quint32 pixelBytes = quint32(rowBytes) * kHeight;
    QByteArray bmp(54 + qsizetype(pixelBytes), '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    putLe(bmp, 2, 54 + pixelBytes, 4);
    putLe(bmp, 10, 54, 4);
    putLe(bmp, 14, 40, 4);
    putLe(bmp, 18, kWidth, 4);
    putLe(bmp, 22, kHeight, 4);
    putLe(bmp, 26, 1, 2);
    putLe(bmp, 28, 24, 2);
    putLe(bmp, 34, pixelBytes, 4);
    QRandomGenerator random(static_cast<quint32>(seed));
    char *pixel = bmp.data() + 54;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const quint32 noise = random.generate();
            *pixel++ = static_cast<char>((x + seed * 7) / 2 + (noise & 0x03));
            *pixel++ = static_cast<char>((y + seed * 3) / 2 + ((noise >> 4) & 0x03));
            *pixel++ = static_cast<char>((x + y) / 4 + ((noise >> 8) & 0x01));
        }
    }
    return bmp;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// One line of elements, none closed: the form that made the name search
// start again from every "<". The pictures are tiny, so that the time is the
// WMS text's.
int packLongLine(const QTemporaryDir &dir)
{
    constexpr int kElements = 100000;
    const QString folder = dir.filePath(u"long"_s);
    QDir().mkpath(folder);
    QStringList names;
    for (int i = 0; i < kImages; ++i) {
        names.append(u"p%1"_s.arg(i));
        writeFile(folder + u'/' + names.last(), QByteArray(64, char('a' + i % 26)));
    }
    QString line = u"<theme id=\"velmora\" title=\"long\"><view backgroundimage=\"p0\">"_s;
    for (int i = 0; i < kElements; ++i) {
        line += u"<b image=\""_s + names.at(i % names.size()) + u"\" "_s;
    }
    const QByteArray bytes = AnsiText::encode(line + u"\r\n"_s);
    const QString wms = folder + u"/skin.wms"_s;
    if (!writeFile(wms, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(wms));
        return 1;
    }
    PrintingSink messages;
    clsZipWrapper wrapper(messages);
    const double pack = medianMs(kRuns, [&] {
        QFile::remove(folder + u"/skin.wmz"_s);
        return !wrapper.makeZipFile(u"skin.wms"_s, folder).isEmpty();
    });
    const double read = medianMs(kRuns, [&] {
        clsFileControl document(messages);
        return document.readFile(wms);
    });
    if (pack < 0 || read < 0) {
        std::fprintf(stderr, "packing or reading the long skin failed\n");
        return 1;
    }
    std::printf("long skin: one line of %d elements naming %d pictures, %.2f MB\n", kElements,
                int(names.size()), double(bytes.size()) / 1e6);
    std::printf("pack: %.1f ms, read once: %.1f ms (medians of %d)\n", pack, read, kRuns);
    std::printf("ratio pack / read: %.2f (aim <= 5.00)\n", pack / read);
    return 0;
}

// The skin file naming every picture, written as the last of names.
bool writeSkinFile(const QString &folder, QStringList *names)
{
    QString wmsText = u"<THEME>\r\n"_s;
    for (const QString &name : std::as_const(*names)) {
        wmsText += u"<BUTTON image=\""_s + name + u"\"/>\r\n"_s;
    }
    wmsText += u"</THEME>\r\n"_s;
    if (!writeFile(folder + u"/skin.wms"_s, AnsiText::encode(wmsText))) {
        std::fprintf(stderr, "cannot write skin.wms\n");
        return false;
    }
    names->append(u"skin.wms"_s);
    return true;
}

std::optional<QStringList> writeNoisySkin(const QString &folder)
{
    QStringList names;
    for (int i = 0; i < kImages; ++i) {
        const QString name = u"image%1.bmp"_s.arg(i, 2, 10, QChar(u'0'));
        if (!writeFile(folder + u'/' + name, makeBmp(i))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return std::nullopt;
        }
        names.append(name);
    }
    return writeSkinFile(folder, &names) ? std::optional(names) : std::nullopt;
}

// A photograph-like background: gradients with some texture.
QImage background(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = int(random.bounded(6));
            line[x] = qRgb((x / 5 + grain) & 0xFF, (y / 4 + (x * y) % 5) & 0xFF,
                           ((x + y) / 8 + grain) & 0xFF);
        }
    }
    return image;
}

// A shaded round button with a label on the key colour, as skins draw them.
QImage button(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shade(width / 3.0, height / 3.0, width * 0.8);
    shade.setColorAt(0, QColor::fromHsv(seed * 37 % 360, 80, 255));
    shade.setColorAt(1, QColor::fromHsv(seed * 37 % 360, 230, 120));
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(shade);
    painter.drawRoundedRect(QRectF(image.rect()).adjusted(3, 3, -3, -3), 12, 12);
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF{
        {width * 0.4, height * 0.3}, {width * 0.4, height * 0.7}, {width * 0.65, height * 0.5}});
    return image;
}

// 1024 x 768 BMP background, 40 buttons of 160 x 96: 13 BMP, 13 PNG, 13 JPEG
// and a GIF.
std::optional<QStringList> writeRealSkin(const QString &folder)
{
    constexpr int kButtons = 40;
    constexpr const char *kSuffixes[] = {"bmp", "png", "jpg"};
    QStringList names{u"background.bmp"_s};
    QString error;
    if (!savePicture(background(1024, 768), folder + u"/background.bmp"_s, &error)) {
        std::fprintf(stderr, "cannot write the background: %s\n", qPrintable(error));
        return std::nullopt;
    }
    for (int i = 0; i < kButtons; ++i) {
        const char *suffix = i + 1 == kButtons ? "gif" : kSuffixes[i % 3];
        const QString name =
            u"button%1.%2"_s.arg(i, 2, 10, QChar(u'0')).arg(QLatin1StringView(suffix));
        if (!savePicture(button(160, 96, i), folder + u'/' + name, &error, qRgb(255, 0, 255))) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(name), qPrintable(error));
            return std::nullopt;
        }
        names.append(name);
    }
    return writeSkinFile(folder, &names) ? std::optional(names) : std::nullopt;
}

qint64 folderBytes(const QString &folder, const QStringList &names)
{
    qint64 bytes = 0;
    for (const QString &name : names) {
        bytes += QFileInfo(folder + u'/' + name).size();
    }
    return bytes;
}

// Packs folder's skin.wms with the packager and names with Info-ZIP, kRuns
// times each, alternating, and prints the figures.
bool compareWithZip(const char *label, const QString &folder, const QStringList &names)
{
    PrintingSink messages;
    clsZipWrapper wrapper(messages);
    const QString ours = folder + u"/skin.wmz"_s;
    const QString theirs = folder + u"/../infozip.zip"_s;
    QList<double> ourTimes;
    QList<double> zipTimes;
    for (int run = 0; run < kRuns; ++run) {
        QFile::remove(ours);
        QElapsedTimer timer;
        timer.start();
        if (wrapper.makeZipFile(u"skin.wms"_s, folder).isEmpty()) {
            std::fprintf(stderr, "the built-in archiver failed\n");
            return false;
        }
        ourTimes.append(double(timer.nsecsElapsed()) / 1e6);

        QFile::remove(theirs);
        QProcess zip;
        zip.setWorkingDirectory(folder);
        timer.restart();
        zip.start(u"zip"_s, QStringList{u"-q"_s, u"-D"_s, u"-6"_s, theirs} + names);
        if (!zip.waitForFinished(600000) || zip.exitCode() != 0) {
            std::fprintf(stderr, "zip failed: %s\n", qPrintable(zip.errorString()));
            return false;
        }
        zipTimes.append(double(timer.nsecsElapsed()) / 1e6);
    }
    const double ourMedian = median(ourTimes);
    const double zipMedian = median(zipTimes);
    const qint64 ourBytes = QFileInfo(ours).size();
    const qint64 zipBytes = QFileInfo(theirs).size();
    std::printf("%s: %d files, %.2f MB\n", label, int(names.size()),
                double(folderBytes(folder, names)) / 1e6);
    std::printf("  built-in archiver: %.1f ms (median of %d), archive %lld bytes\n", ourMedian,
                kRuns, static_cast<long long>(ourBytes));
    std::printf("  Info-ZIP zip -q -D -6: %.1f ms (median of %d), archive %lld bytes\n", zipMedian,
                kRuns, static_cast<long long>(zipBytes));
    std::printf("  ratio built-in / Info-ZIP: %.2f (aim <= 0.50)\n", ourMedian / zipMedian);
    std::printf("  size built-in / Info-ZIP: %+.2f %% (aim <= +1.00 %%)\n",
                100.0 * double(ourBytes - zipBytes) / double(zipBytes));
    QFile::remove(theirs);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QString noisy = dir.filePath(u"noisy"_s);
    const QString real = dir.filePath(u"real"_s);
    if (!QDir().mkpath(noisy) || !QDir().mkpath(real)) {
        std::fprintf(stderr, "cannot make the skin folders\n");
        return 1;
    }
    const std::optional<QStringList> noisyNames = writeNoisySkin(noisy);
    const std::optional<QStringList> realNames = writeRealSkin(real);
    if (!noisyNames || !realNames) {
        return 1;
    }
    if (!compareWithZip("noisy BMP skin", noisy, *noisyNames) ||
        !compareWithZip("skin-like folder", real, *realNames)) {
        return 1;
    }
    return packLongLine(dir);
}
