#include "UnpackTarget.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Partial files carry this program's mark, so no one takes them for a skin's.
constexpr char kPartPrefix[] = ".velmora-unpack-";

QByteArray newPartName()
{
    return kPartPrefix + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
}

// Puts a partial file in its name's place. True when the name was free, so
// the file there now is provably this program's; false when it replaced one;
// nothing, with errno set, when the system refuses.
std::optional<bool> place(int folderFd, const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(folderFd, from.constData(), folderFd, to.constData(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    // EINVAL: a file system that cannot tell; its file is then not provably ours.
    if ((errno == EEXIST || errno == EINVAL) &&
        ::renameat(folderFd, from.constData(), folderFd, to.constData()) == 0) {
        return false;
    }
    return std::nullopt;
}

// Whether the open folder holds nothing, read through its own descriptor.
bool isEmptyFolder(int folderFd)
{
    const int fd = ::dup(folderFd);
    DIR *dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        if (fd >= 0) {
            ::close(fd);
        }
        return false;
    }
    bool empty = true;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        if (name != "." && name != "..") {
            empty = false;
            break;
        }
    }
    ::closedir(dir);
    return empty;
}

} // namespace

std::unique_ptr<UnpackTarget> UnpackTarget::open(const QString &folder, Folder rule, QString *why)
{
    std::unique_ptr<UnpackTarget> target(new UnpackTarget);
    target->m_folder = folder;
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0777) == 0) {
        target->m_madeFolder = true;
    } else if (errno != EEXIST) {
        *why = errno == ENOENT ? QStringLiteral("展開先のフォルダがある場所が見つかりません")
                               : QStringLiteral("展開先のフォルダを作れません");
        return nullptr;
    }
    // The rule is judged on the folder opened, so a link put in its place
    // after it was chosen is refused too.
    const int noFollow = rule == Folder::NewOrEmpty ? O_NOFOLLOW : 0;
    target->m_folderFd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | noFollow);
    if (target->m_folderFd < 0) {
        *why = errno == ELOOP     ? QStringLiteral("展開先がリンクです")
               : errno == ENOTDIR ? QStringLiteral("展開先がフォルダではありません")
                                  : QStringLiteral("展開先のフォルダを開けません");
        return nullptr;
    }
    if (rule == Folder::NewOrEmpty && !target->m_madeFolder && !isEmptyFolder(target->m_folderFd)) {
        *why = QStringLiteral("展開先のフォルダが空ではありません");
        return nullptr;
    }
    return target;
}

UnpackTarget::~UnpackTarget()
{
    if (!m_committed) {
        discard();
    }
    if (m_folderFd >= 0) {
        ::close(m_folderFd);
    }
}

UnpackTarget::Occupant UnpackTarget::occupant(const QByteArray &name) const
{
    struct stat info {};
    if (::fstatat(m_folderFd, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return Occupant::None;
    }
    return S_ISREG(info.st_mode) ? Occupant::File : Occupant::Other;
}

bool UnpackTarget::takesName(const QByteArray &name) const
{
    const long longest = ::fpathconf(m_folderFd, _PC_NAME_MAX);
    return longest < 0 || name.size() <= longest; // -1: the system sets no limit
}

int UnpackTarget::createPart(const QByteArray &name)
{
    for (;;) {
        const QByteArray partName = newPartName();
        const int fd = ::openat(m_folderFd, partName.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            m_parts.append({name, partName, fd});
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
}

bool UnpackTarget::commit()
{
    for (Part &part : m_parts) {
        if (::close(part.fd) != 0) {
            part.fd = -1;
            return false; // a delayed write error: the disk may be full
        }
        part.fd = -1;
    }
    std::vector<QByteArray> placedNew;
    for (qsizetype i = 0; i < m_parts.size(); ++i) {
        const Part &part = m_parts.at(i);
        const std::optional<bool> tookFreeName = place(m_folderFd, part.partName, part.name);
        if (!tookFreeName) {
            const int error = errno;
            for (const QByteArray &name : placedNew) {
                ::unlinkat(m_folderFd, name.constData(), 0);
            }
            m_parts.remove(0, i); // those are in place now, or gone again
            errno = error;
            return false;
        }
        if (*tookFreeName || m_madeFolder) {
            placedNew.push_back(part.name);
        }
    }
    m_committed = true;
    return true;
}

void UnpackTarget::discard()
{
    for (const Part &part : m_parts) {
        if (part.fd >= 0) {
            ::close(part.fd);
        }
        ::unlinkat(m_folderFd, part.partName.constData(), 0);
    }
    m_parts.clear();
    if (m_madeFolder) {
        // Empty now, unless someone else put a file there meanwhile: then it stays.
        ::rmdir(QFile::encodeName(m_folder).constData());
    }
}
