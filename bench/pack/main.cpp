// Packs a skin folder of 40 noisy 24-bit BMP images (about 20 MB) with the
// packager and its built-in archiver, and the same files with Info-ZIP
// "zip -q -D -6" (deflate level 6 on both sides: Info-ZIP's default and the
// built-in archiver's). Prints the median times of several runs and their ratio.
// Then packs a skin whose WMS file is one line of 100,000 elements naming 40
// small pictures, against reading that file once with the WMS reader: the
// search for the names the skin needs must stay one pass over the text.
#include "BenchSupport.h"
#include "document/clsFileControl.h"
#include "packaging/clsZipWrapper.h"
#include "util/AnsiText.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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

template <typename Run> double medianMs(Run run)
{
    QList<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!run()) {
            return -1;
        }
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
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
    const double pack = medianMs([&] {
        QFile::remove(folder + u"/skin.wmz"_s);
        return !wrapper.makeZipFile(u"skin.wms"_s, folder).isEmpty();
    });
    const double read = medianMs([&] {
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    QStringList names;
    QString wmsText = u"<THEME>\r\n"_s;
    qint64 inputBytes = 0;
    for (int i = 0; i < kImages; ++i) {
        const QString name = u"image%1.bmp"_s.arg(i, 2, 10, QChar(u'0'));
        const QByteArray bmp = makeBmp(i);
        if (!writeFile(dir.filePath(name), bmp)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
        inputBytes += bmp.size();
        names.append(name);
        wmsText += u"<BUTTON image=\""_s + name + u"\"/>\r\n"_s;
    }
    wmsText += u"</THEME>\r\n"_s;
    if (!writeFile(dir.filePath(u"skin.wms"_s), AnsiText::encode(wmsText))) {
        std::fprintf(stderr, "cannot write skin.wms\n");
        return 1;
    }
    names.append(u"skin.wms"_s);

    PrintingSink messages;
    clsZipWrapper wrapper(messages);
    const QString ours = dir.filePath(u"skin.wmz"_s);
    const QString theirs = dir.filePath(u"infozip.zip"_s);
    QList<double> ourTimes;
    QList<double> zipTimes;
    for (int run = 0; run < kRuns; ++run) {
        QFile::remove(ours);
        QElapsedTimer timer;
        timer.start();
        if (wrapper.makeZipFile(u"skin.wms"_s, dir.path()).isEmpty()) {
            std::fprintf(stderr, "the built-in archiver failed\n");
            return 1;
        }
        ourTimes.append(double(timer.nsecsElapsed()) / 1e6);

        QFile::remove(theirs);
        QProcess zip;
        zip.setWorkingDirectory(dir.path());
        timer.restart();
        zip.start(u"zip"_s, QStringList{u"-q"_s, u"-D"_s, u"-6"_s, theirs} + names);
        if (!zip.waitForFinished(600000) || zip.exitCode() != 0) {
            std::fprintf(stderr, "zip failed: %s\n", qPrintable(zip.errorString()));
            return 1;
        }
        zipTimes.append(double(timer.nsecsElapsed()) / 1e6);
    }

    const double ourMedian = median(ourTimes);
    const double zipMedian = median(zipTimes);
    std::printf("input: %d files, %.1f MB\n", int(names.size()), double(inputBytes) / 1e6);
    std::printf("built-in archiver: %.1f ms (median of %d), archive %.1f MB\n", ourMedian, kRuns,
                double(QFileInfo(ours).size()) / 1e6);
    std::printf("Info-ZIP zip -q -D -6: %.1f ms (median of %d), archive %.1f MB\n", zipMedian,
                kRuns, double(QFileInfo(theirs).size()) / 1e6);
    std::printf("ratio built-in / Info-ZIP: %.2f (aim <= 1.00)\n", ourMedian / zipMedian);
    return packLongLine(dir);
}
