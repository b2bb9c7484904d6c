#include "PackScratch.h"

#include "util/Paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// libzip writes the archive to its name plus "." and six letters or digits.
constexpr qsizetype kPartialSuffix = 7;

bool isPartialArchive(const QString &name, const QString &archiveName)
{
    if (name.size() != archiveName.size() + kPartialSuffix || !name.startsWith(archiveName) ||
        name.at(archiveName.size()) != u'.') {
        return false;
    }
    const QStringView suffix = QStringView(name).mid(archiveName.size() + 1);
    return std::all_of(suffix.begin(), suffix.end(),
                       [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
}

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

} // namespace

PackScratch::PackScratch(const QString &workDir, const QString &archiveName)
    : m_workDir(workDir), m_archiveName(archiveName)
{
    // Qt gives no temporary folder when $TMPDIR names none; the root is no
    // place for the list file.
    const QString tempPath = QDir::tempPath();
    if (!tempPath.isEmpty()) {
        m_tempFolder = tempPath + Paths::separator();
    }
    const QByteArray path = QFile::encodeName(workDir + archiveName);
    m_key = QString::fromLatin1(
        QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(16));
    if (m_tempFolder.isEmpty()) {
        return;
    }
    // A lock whose owner died is stale, and taken over at once.
    m_lock = std::make_unique<QLockFile>(m_tempFolder + u"velmora-pack-"_s + m_key + u".lock"_s);
    if (m_lock->tryLock(0)) {
        removeLeftovers();
    }
}

PackScratch::~PackScratch() = default;

QString PackScratch::listFileTemplate() const
{
    if (m_tempFolder.isEmpty()) {
        return {};
    }
    return m_tempFolder + u'0' + m_key + u"-XXXXXX.tmp"_s;
}

void PackScratch::removeLeftovers() const
{
    removeMatching(m_workDir, {m_archiveName + u".*"_s},
                   [this](const QString &name) { return isPartialArchive(name, m_archiveName); });
    const QString listPrefix = u'0' + m_key + u'-';
    removeMatching(m_tempFolder, {listPrefix + u"*.tmp"_s},
                   [&](const QString &name) { return name.size() == listPrefix.size() + 6 + 4; });
}
