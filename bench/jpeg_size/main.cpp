// Reads the size of a 200 MB JPEG whose frame header lies behind a long run of
// APP segments, and prints the time taken and the process's peak memory.
// The reading runs in a child process, so the figures hold only what reading
// costs, not the writing of the file.
#include "ProcStatus.h"
#include "util/AppError.h"
#include "util/GetImage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kTargetBytes = 200LL * 1024 * 1024;
constexpr qint64 kPeakLimitKiB = 16 * 1024;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kRuns = 5;

QByteArray be16(int v)
{
    QByteArray b(2, '\0');
    b[0] = char((v >> 8) & 0xFF);
    b[1] = char(v & 0xFF);
    return b;
}

bool writeJpeg(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    QByteArray head("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 20);
    // The largest segment there is: marker, length 65535, payload.
    QByteArray app("\xFF\xE1\xFF\xFF", 4);
    app += QByteArray(65533, 'e');
    QByteArray frame("\xFF\xC0", 2);
    frame += be16(17) + QByteArray(1, 8) + be16(kHeight) + be16(kWidth);
    frame += QByteArray("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10);
    QByteArray scan("\xFF\xDA\x00\x0C\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00", 14);
    scan += QByteArray(4096, '\x55') + QByteArray("\xFF\xD9", 2);

    bool ok = file.write(head) == head.size();
    while (ok && file.size() + app.size() + frame.size() + scan.size() <= kTargetBytes) {
        ok = file.write(app) == app.size();
    }
    ok = ok && file.write(frame) == frame.size() && file.write(scan) == scan.size();
    file.close();
    if (!ok) {
        std::fprintf(stderr, "writing %s failed: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
    }
    return ok;
}

int measure(const QString &path)
{
    const qint64 before = statusKiB("VmHWM");
    double best = 0;
    double total = 0;
    ImageSize size;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        try {
            size = getImageSize(path, 0);
        } catch (const AppError &e) {
            std::printf("error %d: %s\n", e.number(), qPrintable(e.detail()));
            return 1;
        }
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        total += ms;
        best = (i == 0 || ms < best) ? ms : best;
    }
    const qint64 after = statusKiB("VmHWM");
    std::printf("file size          %lld bytes\n", static_cast<long long>(QFile(path).size()));
    std::printf("result             {%d, %d, %d}\n", size.format, size.width, size.height);
    std::printf("time per read      best %.2f ms, mean %.2f ms over %d reads\n", best,
                total / kRuns, kRuns);
    std::printf("peak memory        %lld KiB before reading, %lld KiB after (limit %lld KiB)\n",
                static_cast<long long>(before), static_cast<long long>(after),
                static_cast<long long>(kPeakLimitKiB));
    std::printf("growth by reading  %lld KiB\n", static_cast<long long>(after - before));
    const bool right = size == ImageSize{3, kWidth, kHeight};
    const bool small = after >= 0 && after < kPeakLimitKiB;
    std::printf("%s\n", right && small ? "OK" : "NOT OK");
    return right && small ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--measure") == 0) {
        // No application object here: it would only add to the peak.
        return measure(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QString path = dir.filePath(u"big.jpg"_s);
    if (!writeJpeg(path)) {
        return 1;
    }
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {u"--measure"_s, path});
    if (!child.waitForFinished(-1)) {
        std::fprintf(stderr, "the measuring process did not run\n");
        return 1;
    }
    return child.exitCode();
}
