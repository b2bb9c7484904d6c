// The image chooser's two costs, each against plain Qt doing the same:
// filling the file list for a folder of 10,000 pictures against a QDir
// listing with the same filters, and previewing a 12000 x 9000 JPEG against
// decoding it whole. Each preview figure comes from a child process of its
// own, so its peak memory holds only that one reading.
#include "ProcStatus.h"
#include "chooser/FileListBox.h"
#include "chooser/PicturePreview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kPictureFiles = 10000;
constexpr int kOtherFiles = 500;
constexpr int kListRuns = 9;
constexpr QSize kLargePicture(12000, 9000);
constexpr QSize kPreviewBox(246, 260);
constexpr double kListRatioAim = 1.5;
constexpr double kPreviewTimeAim = 0.2;
constexpr qint64 kPreviewPeakAimKiB = 64 * 1024;

const QString kPattern = u"*.bmp;*.gif;*.jpg;*.jpeg"_s;

double medianMs(const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < kListRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool fillFolder(const QString &folder)
{
    const char *extensions[] = {"bmp", "GIF", "jpg", "Jpeg"};
    for (int i = 0; i < kPictureFiles + kOtherFiles; ++i) {
        const QString name = i < kPictureFiles ? u"picture_%1.%2"_s.arg(i, 5, 10, QChar(u'0'))
                                                     .arg(QLatin1StringView(extensions[i % 4]))
                                               : u"notes_%1.txt"_s.arg(i);
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return false;
        }
    }
    return true;
}

bool listBench(const QString &folder)
{
    FileListBox list;
    list.setPattern(kPattern);
    const QStringList patterns = kPattern.split(u';');
    qsizetype listed = 0;
    qsizetype plain = 0;
    const double listMs = medianMs([&] {
        list.setPath(folder);
        listed = list.fileNames().size();
    });
    const double plainMs = medianMs([&] {
        plain = QDir(folder).entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase).size();
    });
    const double ratio = listMs / plainMs;
    std::printf("file list, %d pictures and %d other files, median of %d runs\n", kPictureFiles,
                kOtherFiles, kListRuns);
    std::printf("  chooser's file list   %8.2f ms  (%lld files listed)\n", listMs,
                static_cast<long long>(listed));
    std::printf("  plain QDir listing    %8.2f ms  (%lld files)\n", plainMs,
                static_cast<long long>(plain));
    std::printf("  ratio                 %8.2f     (aim at most %.1f)\n", ratio, kListRatioAim);
    return listed == kPictureFiles && plain == kPictureFiles && ratio <= kListRatioAim;
}

// In the child: one reading, then "milliseconds peakKiB width height" on stdout.
int measureOne(const QString &how, const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    QImage image;
    if (how == u"--preview"_s) {
        image = loadPicturePreview(path, kPreviewBox).image;
    } else {
        QImageReader::setAllocationLimit(0); // the whole picture is above Qt's limit
        QImageReader reader(path);
        image = reader.read();
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%.2f %lld %d %d\n", ms, static_cast<long long>(statusKiB("VmHWM")), image.width(),
                image.height());
    return image.isNull() ? 1 : 0;
}

struct Reading {
    double ms = -1;
    qint64 peakKiB = -1;
    QSize size;
};

Reading runChild(const QString &how, const QString &path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {how, path});
    Reading reading;
    if (!child.waitForFinished(-1) || child.exitCode() != 0) {
        std::fprintf(stderr, "the %s reading failed\n", qPrintable(how));
        return reading;
    }
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    if (figures.size() == 4) {
        reading = {figures[0].toDouble(), figures[1].toLongLong(),
                   QSize(figures[2].toInt(), figures[3].toInt())};
    }
    return reading;
}

bool previewBench(const QString &path)
{
    {
        QImage picture(kLargePicture, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                line[x] = qRgb((x * 7 + y) & 255, (x ^ y) & 255, ((x * y) >> 5) & 255);
            }
        }
        if (!picture.save(path, "JPEG", 85)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return false;
        }
    }
    const Reading preview = runChild(u"--preview"_s, path);
    const Reading whole = runChild(u"--whole"_s, path);
    const double timeRatio = preview.ms / whole.ms;
    std::printf("preview of a %d x %d JPEG (%lld bytes) in a %d x %d box\n", kLargePicture.width(),
                kLargePicture.height(), static_cast<long long>(QFile(path).size()),
                kPreviewBox.width(), kPreviewBox.height());
    std::printf("  chooser's preview     %8.2f ms  peak %7lld KiB  image %d x %d\n", preview.ms,
                static_cast<long long>(preview.peakKiB), preview.size.width(),
                preview.size.height());
    std::printf("  whole QImageReader    %8.2f ms  peak %7lld KiB  image %d x %d\n", whole.ms,
                static_cast<long long>(whole.peakKiB), whole.size.width(), whole.size.height());
    std::printf("  time ratio            %8.3f     (aim at most %.1f)\n", timeRatio,
                kPreviewTimeAim);
    std::printf("  preview peak          %8lld KiB (aim below %lld KiB)\n",
                static_cast<long long>(preview.peakKiB),
                static_cast<long long>(kPreviewPeakAimKiB));
    return preview.size == kPreviewBox && whole.size == kLargePicture &&
           timeRatio <= kPreviewTimeAim && preview.peakKiB >= 0 &&
           preview.peakKiB < kPreviewPeakAimKiB;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && (qstrcmp(argv[1], "--preview") == 0 || qstrcmp(argv[1], "--whole") == 0)) {
        // No application object here: it would only add to the peak.
        return measureOne(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir(dir.path()).mkdir(u"pictures"_s) ||
        !fillFolder(dir.filePath(u"pictures"_s))) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const bool listed = listBench(dir.filePath(u"pictures"_s));
    const bool previewed = previewBench(dir.filePath(u"large.jpg"_s));
    std::printf("%s\n", listed && previewed ? "OK" : "NOT OK");
    return listed && previewed ? 0 : 1;
}
