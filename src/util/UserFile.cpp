#include "UserFile.h"

#include "AnsiText.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace UserFile {

#ifdef Q_OS_UNIX
namespace {

// The path with its last name in windows-31j bytes; nothing when that name
// is plain ASCII (the same bytes) or the code page cannot hold it.
std::optional<QByteArray> legacySpelling(const QString &path)
{
    const qsizetype cut = path.lastIndexOf(u'/') + 1;
    const QString name = path.mid(cut);
    bool ascii = true;
    for (const QChar c : name) {
        ascii = ascii && c.unicode() < 0x80;
    }
    if (ascii || AnsiText::changedByEncoding(name)) {
        return std::nullopt;
    }
    return QFile::encodeName(path.left(cut)) + AnsiText::encode(name);
}

bool exists(const QByteArray &name)
{
    struct stat status {};
    return ::stat(name.constData(), &status) == 0;
}

// The open descriptor of the regular file path leads to; -1 with *why set
// otherwise.
int openRegular(const QString &path, Refusal *why)
{
    *why = Refusal::Other;
    if (path.isEmpty() || path.contains(QChar(0))) {
        *why = Refusal::Missing;
        return -1;
    }
    // O_NONBLOCK: opening a pipe for reading returns at once instead of
    // waiting for a writer. It is cleared again for the regular file kept.
    constexpr int kFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    int fd = ::open(QFile::encodeName(path).constData(), kFlags);
    if (fd < 0 && errno == ENOENT) {
        if (const std::optional<QByteArray> legacy = legacySpelling(path)) {
            fd = ::open(legacy->constData(), kFlags);
        }
    }
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG) {
            *why = Refusal::Missing;
        } else if (errno == EACCES || errno == EPERM) {
            *why = Refusal::Denied;
        }
        return -1;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        *why = Refusal::NotAFile;
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

bool open(QFile &file, const QString &path, QIODevice::OpenMode mode)
{
    Refusal why{};
    const int fd = openRegular(path, &why);
    if (fd < 0) {
        return false;
    }
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

QByteArray systemName(const QString &path)
{
    const QByteArray spelled = QFile::encodeName(path);
    if (!exists(spelled)) {
        if (const std::optional<QByteArray> legacy = legacySpelling(path);
            legacy && exists(*legacy)) {
            return *legacy;
        }
    }
    return spelled;
}

std::optional<Refusal> refusal(const QString &path)
{
    Refusal why{};
    const int fd = openRegular(path, &why);
    if (fd < 0) {
        return why;
    }
    ::close(fd);
    return std::nullopt;
}
#else
bool open(QFile &file, const QString &path, QIODevice::OpenMode mode)
{
    file.setFileName(path);
    return QFileInfo(path).isFile() && file.open(mode);
}

QByteArray systemName(const QString &path)
{
    return QFile::encodeName(path);
}

std::optional<Refusal> refusal(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return Refusal::Missing;
    }
    if (!info.isFile()) {
        return Refusal::NotAFile;
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? std::nullopt : std::optional(Refusal::Denied);
}
#endif

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
    if (path.isEmpty() || path.contains(QChar(0))) {
        return std::nullopt;
    }
    if (::stat(systemName(path).constData(), &status) != 0) {
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

bool isSpecial(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode);
#else
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
#endif
}

QString refusalText(Refusal why)
{
    switch (why) {
    case Refusal::Missing:
        return QStringLiteral("ファイルが見つかりません");
    case Refusal::NotAFile:
        return QStringLiteral("通常のファイルではありません");
    case Refusal::Denied:
        return QStringLiteral("読み込む権限がありません");
    case Refusal::Other:
        break;
    }
    return QStringLiteral("ファイルを開けません");
}

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
