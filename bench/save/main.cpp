// Saves a skin whose 40 images (200 MB in all) lie in another folder: the
// WMS file into a new skin folder and the image copies beside it, as a save
// as does without its progress window. Against it, "cp" of the same files
// into an empty folder. Prints the median times of several runs and their ratio.
#include "BenchSupport.h"
#include "document/ElementTable.h"
#include "document/clsFileControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int kImages = 40;
constexpr qsizetype kImageBytes = 5 * 1000 * 1000;
constexpr int kRuns = 5;

bool writeImages(const QString &folder, QStringList *paths)
{
    QByteArray bytes(kImageBytes, '\0');
    for (int i = 0; i < kImages; ++i) {
        // Random contents: no file system trick can shortcut the copy.
        QRandomGenerator random(static_cast<quint32>(i + 1));
        random.fillRange(reinterpret_cast<quint32 *>(bytes.data()),
                         bytes.size() / qsizetype(sizeof(quint32)));
        const QString path = folder + u"/image%1.bmp"_s.arg(i, 2, 10, QChar(u'0'));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            return false;
        }
        paths->append(path);
    }
    return true;
}

// The skin's elements name the pictures, so the WMS text is of a real size.
void fillDocument(clsFileControl &doc, const QStringList &paths)
{
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        auto record = doc.getElement(slot);
        record->initMember();
        record->setExistFlag(1);
        record->setUpimage(paths.at(slot % kImages));
        record->setDownimage(paths.at((slot + 19) % kImages));
        record->setTop(u"10"_s);
        record->setLeft(u"20"_s);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir(dir.path()).mkdir(u"pics"_s)) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    QStringList paths;
    if (!writeImages(dir.filePath(u"pics"_s), &paths)) {
        std::fprintf(stderr, "cannot write the pictures\n");
        return 1;
    }

    PrintingSink messages;
    QList<double> saveTimes;
    QList<double> cpTimes;
    for (int run = 0; run < kRuns; ++run) {
        const QString skinFolder = dir.filePath(u"Bench.wms"_s);
        const QString cpFolder = dir.filePath(u"cp"_s);
        QDir(skinFolder).removeRecursively();
        QDir(cpFolder).removeRecursively();

        clsFileControl doc(messages);
        fillDocument(doc, paths);
        QElapsedTimer timer;
        timer.start();
        if (!doc.writeFile(skinFolder, 1) || !doc.copyImageFile(paths, doc.getFileName())) {
            std::fprintf(stderr, "the save failed\n");
            return 1;
        }
        saveTimes.append(double(timer.nsecsElapsed()) / 1e6);

        QProcess cp;
        timer.restart();
        if (!QDir().mkdir(cpFolder)) {
            return 1;
        }
        cp.start(u"cp"_s, paths + QStringList{cpFolder});
        if (!cp.waitForFinished(600000) || cp.exitCode() != 0) {
            std::fprintf(stderr, "cp failed: %s\n", qPrintable(cp.errorString()));
            return 1;
        }
        cpTimes.append(double(timer.nsecsElapsed()) / 1e6);
    }

    const double saveMedian = median(saveTimes);
    const double cpMedian = median(cpTimes);
    std::printf("input: %d images, %.1f MB\n", kImages, double(kImages * kImageBytes) / 1e6);
    std::printf("save (WMS file and image copies): %.1f ms (median of %d)\n", saveMedian, kRuns);
    std::printf("cp into an empty folder: %.1f ms (median of %d)\n", cpMedian, kRuns);
    std::printf("ratio save / cp: %.2f (aim <= 1.10)\n", saveMedian / cpMedian);
    return 0;
}
