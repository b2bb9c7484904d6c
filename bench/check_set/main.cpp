// Checks a folder of 200 skins with one "velmora check" against 200 runs of
// "velmora check" on one skin each, one after the other, as a script would
// without the folder form. Each skin looks like a real one, smaller: a BMP
// background and 12 buttons in BMP, PNG, JPEG and GIF. Prints the median
// times and their ratio.
#include "BenchSupport.h"
#include "SkinLikeFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int kSkins = 200;
constexpr int kButtons = 12;
constexpr int kRuns = 3;

// A run that ended by itself: check exits 1 when it finds something.
bool checks(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() <= 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    qint64 bytes = 0;
    QStringList skins;
    for (int i = 0; i < kSkins && dir.isValid(); ++i) {
        const QString folder = dir.filePath(u"set/skin%1"_s.arg(i, 3, 10, QChar(u'0')));
        if (!QDir().mkpath(folder) ||
            SkinLikeFolder::write(folder, &bytes, kButtons, {240, 180}).isEmpty()) {
            std::fprintf(stderr, "cannot write the skins\n");
            return 1;
        }
        skins.append(folder + u"/skin.wms"_s);
    }
    const QString velmora = QCoreApplication::applicationDirPath() + u"/velmora"_s;
    const double folder = medianMs(kRuns, [&] {
        return checks(velmora, {u"check"_s, dir.filePath(u"set"_s)});
    });
    const double oneByOne = medianMs(kRuns, [&] {
        for (const QString &skin : skins) {
            if (!checks(velmora, {u"check"_s, skin})) {
                return false;
            }
        }
        return true;
    });
    if (folder < 0 || oneByOne < 0) {
        std::fprintf(stderr, "a check failed\n");
        return 1;
    }
    std::printf("%d skins of %d pictures each, %.1f MB; %d cores\n", kSkins, kButtons + 1,
                double(bytes) / 1e6, QThread::idealThreadCount());
    std::printf("check of the folder: %.0f ms, %d runs of check: %.0f ms (medians of %d)\n", folder,
                kSkins, oneByOne, kRuns);
    // What one check found, to show the skins are read and their pictures decoded.
    QProcess one;
    one.start(velmora, {u"check"_s, skins.constFirst()});
    one.waitForFinished(60000);
    const QByteArray found = one.readAllStandardOutput();
    std::printf("one skin's check: %d lines, the first: %s", int(found.count('\n')),
                found.left(found.indexOf('\n') + 1).constData());
    std::printf("ratio folder / one by one: %.3f (aim <= 0.25)\n", folder / oneByOne);
    return 0;
}
