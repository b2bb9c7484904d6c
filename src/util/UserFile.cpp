#include "UserFile.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace UserFile {

bool open(QFile &file, const QString &path, QIODevice::OpenMode mode)
{
    if (path.isEmpty() || path.contains(QChar(0))) {
        return false;
    }
#ifdef Q_OS_UNIX
    // O_NONBLOCK: opening a pipe for reading returns at once instead of
    // waiting for a writer. It is cleared again for the regular file kept.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        !file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    file.setFileName(path);
    return QFileInfo(path).isFile() && file.open(mode);
#endif
}

#ifdef Q_OS_UNIX
namespace {

Identity identityOf(const struct stat &status)
{
    return {quint64(status.st_dev), quint64(status.st_ino)};
}

} // namespace

std::optional<Identity> identity(const QFile &file)
{
    struct stat status {};
    if (file.handle() < 0 || ::fstat(file.handle(), &status) != 0) {
        return std::nullopt;
    }
    return identityOf(status);
}

std::optional<Identity> identity(const QString &path)
{
    struct stat status {};
    if (path.isEmpty() || path.contains(QChar(0)) ||
        ::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return std::nullopt;
    }
    return identityOf(status);
}
#else
// Without inode numbers, the canonical path stands for the file.
std::optional<Identity> identity(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty()) {
        return std::nullopt;
    }
    return Identity{0, qHash(canonical.toCaseFolded())};
}

std::optional<Identity> identity(const QFile &file)
{
    return identity(file.fileName()); // open() named it
}
#endif

std::optional<QByteArray> readAll(const QString &path, qint64 maxBytes)
{
    QFile file;
    if (!open(file, path) || file.size() > maxBytes) {
        return std::nullopt;
    }
    QByteArray bytes = file.read(file.size());
    // Anything past the measured size (a file that grows, or one whose size
    // the system does not tell) is read on in pieces, held to the limit too.
    char next = 0;
    if (file.error() == QFileDevice::NoError && file.read(&next, 1) == 1) {
        bytes += next;
        while (bytes.size() <= maxBytes) {
            const QByteArray piece =
                file.read(qMin<qint64>(qint64(64) << 10, maxBytes + 1 - bytes.size()));
            if (piece.isEmpty()) {
                break;
            }
            bytes += piece;
        }
    }
    if (file.error() != QFileDevice::NoError || bytes.size() > maxBytes) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace UserFile
