// Copying a skin's images beside its WMS file.
#include "document/clsFileControl.h"
#include "util/DiskFull.h"
#include "util/MessageSink.h"
#include "util/Paths.h"
#include "util/UserFile.h"
#include "util/WriteAll.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <optional>
#include <system_error>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

namespace fs = std::filesystem;

const QString kTitle = u"ファイル保存"_s;
#ifdef Q_OS_LINUX
constexpr size_t kKernelChunk = size_t(1) << 30;
#endif

fs::path toPath(const QString &path)
{
    return fs::path(path.toStdU16String());
}

// Letter case, links, ".." and doubled separators aside: the one question
// that matters is whether both names reach the same file.
bool isSameFile(const QString &source, const QString &destination)
{
    std::error_code error;
    return fs::equivalent(toPath(source), toPath(destination), error);
}

enum class Copy { Done, DiskFull, Failed };

Copy failure(const QFileDevice &device)
{
    return isDiskFull(device) ? Copy::DiskFull : Copy::Failed;
}

// Large blocks: the copy runs at the speed of the disk, not of the calls.
Copy copyByBlocks(QFile &in, QFileDevice &out)
{
    QByteArray block(qsizetype(1) << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(block.data(), block.size());
        if (n < 0) {
            return Copy::Failed;
        }
        if (n == 0) {
            break;
        }
        if (!writeAll(out, block.constData(), n)) {
            return failure(out);
        }
    }
    return out.flush() ? Copy::Done : failure(out);
}

// The kernel copies within itself where it can (as cp does), sparing the
// trip through this process; file systems that cannot take the block copy.
Copy copyContents(QFile &in, QFileDevice &out)
{
#ifdef Q_OS_LINUX
    bool started = false;
    for (;;) {
        const ssize_t n =
            ::copy_file_range(in.handle(), nullptr, out.handle(), nullptr, kKernelChunk, 0);
        if (n == 0) {
            return Copy::Done;
        }
        if (n < 0) {
            const int error = errno;
            if (!started &&
                (error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP)) {
                break;
            }
            return isDiskFull(error) ? Copy::DiskFull : Copy::Failed;
        }
        started = true;
    }
#endif
    return copyByBlocks(in, out);
}

// Copies through a temporary file beside the destination, renamed over it
// only when complete: a copy that fails half way leaves the earlier copy of
// that image as it was and no temporary file behind.
Copy copyReplacing(const QString &source, const QString &folder, const QString &destination)
{
    QFile in;
    if (!UserFile::open(in, source)) {
        return Copy::Failed;
    }
    QTemporaryFile partial(Paths::join(folder, u".velmora-copy-XXXXXX"_s));
    if (!partial.open()) {
        return failure(partial);
    }
    const Copy copied = copyContents(in, partial);
    if (copied != Copy::Done) {
        return copied;
    }
    partial.setPermissions(in.permissions());
    partial.close();
    // A plain rename replaces the destination in one step.
    std::error_code error;
    fs::rename(toPath(partial.fileName()), toPath(destination), error);
    if (error) {
        return Copy::Failed;
    }
    partial.setAutoRemove(false);
    return Copy::Done;
}

// Where the image source goes in folder; nothing for an empty field and for
// a file already there. A name typed without a folder is the file of that
// name in the current folder, where the field's check and the preview found
// it: it goes in like any other; a bare name of no file there names nothing.
std::optional<QString> copyDestination(const QString &source, const QString &folder)
{
    if (source.isEmpty() || (!source.contains(Paths::separator()) && !QFileInfo(source).isFile())) {
        return std::nullopt;
    }
    QString destination = Paths::join(folder, Paths::fileName(source));
    if (isSameFile(source, destination)) {
        return std::nullopt;
    }
    return destination;
}

QString folderOf(const QString &fileName)
{
    return Paths::beforeLast(fileName, Paths::separatorText(), nullptr);
}

} // namespace

std::optional<qsizetype> clsFileControl::imageOverSkinFile(const QStringList &paths,
                                                           const QString &pstrFileName)
{
    const QString folder = folderOf(pstrFileName);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (copyDestination(paths.at(i), folder) == pstrFileName) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::pair<qsizetype, qsizetype>>
clsFileControl::imagesOfOneName(const QStringList &paths, const QString &pstrFileName)
{
    const QString folder = folderOf(pstrFileName);
    // Each picture's name in the folder, and the file it will be there: the
    // one copied in, or the one already there.
    struct Landing {
        QString name;
        std::optional<UserFile::Identity> file;
    };
    std::vector<Landing> landings;
    for (const QString &path : paths) {
        if (path.isEmpty()) {
            landings.push_back({});
            continue;
        }
        const QString name = Paths::join(folder, Paths::fileName(path));
        const bool copied = copyDestination(path, folder).has_value();
        landings.push_back({name, UserFile::identity(copied ? path : name)});
    }
    for (qsizetype j = 0; j < paths.size(); ++j) {
        for (qsizetype i = 0; i < j; ++i) {
            const Landing &a = landings[size_t(i)];
            const Landing &b = landings[size_t(j)];
            if (!a.name.isEmpty() && a.name == b.name && paths[i] != paths[j] &&
                (!a.file || a.file != b.file)) {
                return std::pair(i, j);
            }
        }
    }
    return std::nullopt;
}

bool clsFileControl::copyImageFile(const QStringList &imagePaths, const QString &pstrFileName)
{
    const QString folder = folderOf(pstrFileName);
    for (const QString &source : imagePaths) {
        const std::optional<QString> destination = copyDestination(source, folder);
        if (!destination) {
            continue;
        }
        const Copy result = copyReplacing(source, folder, *destination);
        if (result != Copy::Done) {
            m_messages.showMessage(result == Copy::DiskFull
                                       ? diskFullMessage()
                                       : u"画像ファイルのコピーに失敗しました"_s,
                                   kTitle, MessageIcon::Information);
            return false;
        }
    }
    return true;
}
