#include "BuiltInArchiver.h"

#include "packaging/ZipCommandLine.h"
#include "util/UserFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <zip.h>

namespace {

using namespace ArchiverResult;

// Info-ZIP's default level: most of the size gain of level 9 at a fraction
// of its time.
constexpr zip_uint32_t kDeflateLevel = 6;

struct Entry {
    QString path; // on disk
    QString name; // in the archive
};

// Names come from the list relative to the base folder; one that climbs out
// of it or is absolute would make an archive that unpacks outside its folder.
bool isSafeName(const QString &name)
{
    if (name.isEmpty() || QDir::isAbsolutePath(name)) {
        return false;
    }
    const QStringList parts = QDir::fromNativeSeparators(name).split(u'/');
    return !parts.contains(QStringLiteral(".."));
}

// The packager quotes only names with a blank or a comma, and the list reader
// unquotes only those. Another writer may quote every name: a quoted line
// that names no file is then taken without its quotes.
QString listedName(const QString &baseFolder, const QString &name)
{
    const bool quoted = name.size() > 2 && name.front() == u'"' && name.back() == u'"';
    if (!quoted || QFileInfo(baseFolder + name).isFile()) {
        return name;
    }
    return name.mid(1, name.size() - 2);
}

// Closes the archive on success; discards it on every other way out, which
// also removes libzip's temporary file and leaves any old archive untouched.
class ArchiveWriter {
public:
    explicit ArchiveWriter(const QString &target)
    {
        int error = 0;
        m_zip = zip_open(QFile::encodeName(target).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    }
    ~ArchiveWriter()
    {
        if (m_zip) {
            zip_discard(m_zip);
        }
    }
    ArchiveWriter(const ArchiveWriter &) = delete;
    ArchiveWriter &operator=(const ArchiveWriter &) = delete;

    bool isOpen() const { return m_zip != nullptr; }

    bool add(const Entry &entry)
    {
        zip_source_t *source =
            zip_source_file(m_zip, UserFile::systemName(entry.path).constData(), 0, -1);
        if (!source) {
            return false;
        }
        const zip_int64_t index =
            zip_file_add(m_zip, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            return false;
        }
        return zip_set_file_compression(m_zip, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                                        kDeflateLevel) == 0;
    }

    // Writes everything to a temporary file beside the target and renames it
    // over the target only when it is complete.
    Code close()
    {
        if (zip_close(m_zip) != 0) {
            return failure(zip_get_error(m_zip));
        }
        m_zip = nullptr;
        return Success;
    }

private:
    // The system's reason, where libzip kept one, tells a full disk and a
    // folder that takes no file from other failures.
    static Code failure(zip_error_t *error)
    {
        if (zip_error_system_type(error) != ZIP_ET_SYS) {
            return CannotWrite;
        }
        switch (zip_error_code_system(error)) {
        case ENOSPC:
        case EDQUOT:
            return DiskFull;
        case EACCES:
        case EPERM:
        case EROFS:
            return WriteDenied;
        default:
            return CannotWrite;
        }
    }

    zip_t *m_zip = nullptr;
};

class BuiltInArchiver : public Archiver {
public:
    std::optional<qint16> version() override
    {
        // The libzip release, e.g. 107 for 1.7; any of them does what the
        // packager needs.
        return static_cast<qint16>(LIBZIP_VERSION_MAJOR * 100 + LIBZIP_VERSION_MINOR);
    }

    qint32 zip(const QByteArray &commandLine) override
    {
        const std::optional<ZipCommandLine::Command> command =
            ZipCommandLine::parse(QFile::decodeName(commandLine));
        if (!command) {
            return BadCommandLine;
        }
        QStringList names = command->names;
        for (const QString &listFile : command->listFiles) {
            QFile list;
            if (!UserFile::open(list, listFile)) {
                return ListUnreadable;
            }
            names += ZipCommandLine::listNames(ZipCommandLine::decodeList(list.readAll()));
        }
        QList<Entry> entries;
        const qint32 result = collectEntries(command->baseFolder, names, &entries);
        if (result != Success) {
            return result;
        }
        const QString target = QFileInfo(command->archive).absoluteFilePath();
        if (isAmong(target, entries)) {
            return PacksItself;
        }
        return write(target, entries);
    }

private:
    // The same name may be listed twice (the WMS file always closes the list);
    // it is stored once.
    static qint32 collectEntries(const QString &baseFolder, const QStringList &names,
                                 QList<Entry> *entries)
    {
        QSet<QString> seen;
        for (const QString &listed : names) {
            const QString name = listedName(baseFolder, listed);
            if (!isSafeName(name)) {
                return BadName;
            }
            const QString entryName = QDir::fromNativeSeparators(name);
            if (seen.contains(entryName)) {
                continue;
            }
            seen.insert(entryName);
            const QString path = baseFolder + name;
            // libzip opens the file itself when it writes: a pipe or a device
            // under that name would block it or never end.
            QFile probe;
            if (!UserFile::open(probe, path)) {
                return FileMissing;
            }
            entries->append({path, entryName});
        }
        return entries->isEmpty() ? NothingToPack : Success;
    }

    // Replacing a file the archive has to hold would lose it: a skin file
    // whose name ends in "z" gives an archive of its own name.
    static bool isAmong(const QString &target, const QList<Entry> &entries)
    {
        const QString canonicalTarget = QFileInfo(target).canonicalFilePath();
        if (canonicalTarget.isEmpty()) {
            return false; // no such file yet, so none of the entries
        }
        return std::any_of(entries.cbegin(), entries.cend(), [&](const Entry &entry) {
            return QFileInfo(entry.path).canonicalFilePath() == canonicalTarget;
        });
    }

    static qint32 write(const QString &target, const QList<Entry> &entries)
    {
        ArchiveWriter archive(target);
        if (!archive.isOpen()) {
            return CannotWrite;
        }
        for (const Entry &entry : entries) {
            if (!archive.add(entry)) {
                return CannotWrite;
            }
        }
        return archive.close();
    }
};

} // namespace

std::unique_ptr<Archiver> makeBuiltInArchiver()
{
    return std::make_unique<BuiltInArchiver>();
}
