#include "PackScratch.h"

#include "packaging/PartialArchive.h"
#include "util/Paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

void removeMatching(const QString &folder, const QStringList &nameFilters,
                    const std::function<bool(const QString &)> &matches)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList(nameFilters, QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        if (matches(name)) {
            QFile::remove(dir.filePath(name));
        }
    }
}

// One key for one archive, however its folder is spelled.
QByteArray archiveIdentity(const QString &workDir, const QString &archiveName)
{
    const QString canonical = QFileInfo(workDir).canonicalFilePath();
    return QFile::encodeName((canonical.isEmpty() ? workDir : canonical + u'/') + archiveName);
}

bool namesNoOwner(const QLockFile &lock)
{
    qint64 pid = 0;
    QString host;
    QString program;
    return lock.error() == QLockFile::LockFailedError && !lock.getLockInfo(&pid, &host, &program);
}

} // namespace

PackScratch::PackScratch(const QString &workDir, const QString &archiveName,
                         std::chrono::milliseconds wait)
    : m_workDir(workDir), m_archiveName(archiveName)
{
    // Qt gives no temporary folder when $TMPDIR names none; the root is no
    // place for the list file.
    const QString tempPath = QDir::tempPath();
    if (!tempPath.isEmpty()) {
        m_tempFolder = tempPath + Paths::separator();
    }
    m_key = QString::fromLatin1(
        QCryptographicHash::hash(archiveIdentity(workDir, archiveName), QCryptographicHash::Sha1)
            .toHex()
            .left(16));
    // Beside the archive, so that every pack of it meets the same lock
    // whatever its temporary folder. Only a lock whose owner died is stale: a
    // long pack keeps its lock however long it runs.
    const QString archivePath = workDir + archiveName;
    m_lock = std::make_unique<QLockFile>(PartialArchive::lockPath(archivePath));
    m_lock->setStaleLockTime(std::chrono::milliseconds::zero());
    // A lock that names no owner (an empty file, as a full disk leaves it)
    // is no pack's: only for the instant a pack writes it is a lock empty.
    if (!m_lock->tryLock(std::chrono::milliseconds::zero()) && namesNoOwner(*m_lock)) {
        QThread::msleep(200);
        if (namesNoOwner(*m_lock)) {
            m_lock->removeStaleLockFile();
        }
    }
    if (m_lock->isLocked() || m_lock->tryLock(wait)) {
        removeLeftovers();
        return;
    }
    const bool running = m_lock->error() == QLockFile::LockFailedError;
    m_failure = PackFailure{
        running ? PackFailure::Kind::PackRunning : PackFailure::Kind::WriteDenied, archivePath, {}};
}

PackScratch::~PackScratch() = default;

std::optional<PackFailure> PackScratch::failure() const
{
    return m_failure;
}

QString PackScratch::listFileTemplate() const
{
    if (m_tempFolder.isEmpty()) {
        return {};
    }
    return m_tempFolder + u'0' + m_key + u"-XXXXXX.tmp"_s;
}

void PackScratch::removeLeftovers() const
{
    removeMatching(m_workDir, {m_archiveName + u".*"_s}, [this](const QString &name) {
        return PartialArchive::isPartialOf(name, m_archiveName);
    });
    if (m_tempFolder.isEmpty()) {
        return;
    }
    const QString listPrefix = u'0' + m_key + u'-';
    removeMatching(m_tempFolder, {listPrefix + u"*.tmp"_s},
                   [&](const QString &name) { return name.size() == listPrefix.size() + 6 + 4; });
}
