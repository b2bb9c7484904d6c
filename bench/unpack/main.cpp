// Unpacks an archive that looks like a real skin (a BMP background, 40
// buttons in BMP, PNG, JPEG and GIF), packed by the program's own packer,
// with the unpacker, and the same archive with Info-ZIP "unzip -q". Prints
// the median times of several runs and their ratio; then the same for the
// whole "velmora unpack" command against the unzip command.
#include "BenchSupport.h"
#include "SkinLikeFolder.h"
#include "packaging/WmzUnpacker.h"
#include "packaging/clsZipWrapper.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRuns = 5;

bool runs(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString skin = dir.filePath(u"skin"_s);
    qint64 inputBytes = 0;
    if (!dir.isValid() || !QDir().mkdir(skin) ||
        SkinLikeFolder::write(skin, &inputBytes).isEmpty()) {
        std::fprintf(stderr, "cannot write the skin\n");
        return 1;
    }
    PrintingSink messages;
    clsZipWrapper packer(messages);
    if (packer.makeZipFile(u"skin.wms"_s, skin).isEmpty()) {
        std::fprintf(stderr, "cannot pack the skin\n");
        return 1;
    }
    const QString archive = dir.filePath(u"skin.wmz"_s);
    if (!QFile::rename(skin + u"/skin.wmz"_s, archive)) {
        return 1;
    }
    const QString ours = dir.filePath(u"ours"_s);
    const QString theirs = dir.filePath(u"theirs"_s);
    const auto fresh = [](const QString &folder) { return QDir(folder).removeRecursively(); };

    const double unpack = medianMs(kRuns, [&] {
        return fresh(ours) && WmzUnpacker::unpack(archive, ours, messages).has_value();
    });
    const double unzip = medianMs(kRuns, [&] {
        return fresh(theirs) && runs(u"unzip"_s, {u"-q"_s, archive, u"-d"_s, theirs});
    });
    const QString velmora = QCoreApplication::applicationDirPath() + u"/velmora"_s;
    const double command = medianMs(kRuns, [&] {
        return fresh(ours) && runs(velmora, {u"unpack"_s, archive, ours});
    });
    if (unpack < 0 || unzip < 0 || command < 0) {
        std::fprintf(stderr, "an unpack failed\n");
        return 1;
    }
    std::printf("input: 42 files, %.1f MB; archive %.1f MB\n", double(inputBytes) / 1e6,
                double(QFileInfo(archive).size()) / 1e6);
    std::printf("unpacker: %.1f ms, unzip -q: %.1f ms, velmora unpack: %.1f ms (medians of %d)\n",
                unpack, unzip, command, kRuns);
    std::printf("ratio unpacker / unzip -q: %.2f (aim <= 1.00)\n", unpack / unzip);
    std::printf("ratio velmora unpack / unzip -q, both as commands: %.2f\n", command / unzip);
    return 0;
}
