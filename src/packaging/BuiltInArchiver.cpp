#include "BuiltInArchiver.h"

#include "packaging/ArchiveReader.h"
#include "packaging/MemberPipeline.h"
#include "packaging/MemberSource.h"
#include "packaging/PartialArchive.h"
#include "packaging/ZipCommandLine.h"
#include "util/EntryName.h"
#include "util/UserFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <zip.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

using namespace ArchiverResult;

struct Entry {
    QString path; // on disk
    QString name; // in the archive
};

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

// Writes the archive under a partial name of its own beside the target
// (libzip writes it through a temporary file of its own, then renames it),
// and renames it over the target only once complete. Every way out but
// commit() discards it, which removes libzip's temporary file and leaves any
// old archive untouched. The partial name is this writer's only once libzip
// has written it: before that, a file of that name is somebody else's.
class ArchiveWriter {
public:
    explicit ArchiveWriter(const QString &target)
        : m_target(target), m_partial(PartialArchive::newPartialPath(target))
    {
        int error = 0;
        m_zip = zip_open(QFile::encodeName(m_partial).constData(), ZIP_CREATE | ZIP_EXCL, &error);
    }
    ~ArchiveWriter()
    {
        if (m_zip) {
            zip_discard(m_zip);
        }
        if (m_written && !m_committed) {
            QFile::remove(m_partial);
        }
    }
    ArchiveWriter(const ArchiveWriter &) = delete;
    ArchiveWriter &operator=(const ArchiveWriter &) = delete;

    bool isOpen() const { return m_zip != nullptr; }

    bool add(const Entry &entry, MemberPipeline &pipeline, qsizetype index)
    {
        zip_source_t *source = makeMemberSource(pipeline, index, zip_get_error(m_zip));
        if (!source) {
            return false;
        }
        if (zip_file_add(m_zip, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            return false;
        }
        return true;
    }

    // Writes everything, then puts the archive in the target's place.
    Code commit()
    {
        if (zip_close(m_zip) != 0) {
            return failure(zip_get_error(m_zip));
        }
        m_zip = nullptr;
        m_written = true;
        if (const std::optional<ArchiveCheck::Refusal> refusal = unpackerRefusal()) {
            m_refusedEntry = refusal->wholeArchive ? QString() : refusal->subject;
            return NotUnpackable;
        }
        keepTargetMode();
        if (std::rename(QFile::encodeName(m_partial).constData(),
                        QFile::encodeName(m_target).constData()) != 0) {
            return CannotWrite;
        }
        m_committed = true;
        return Success;
    }

    // The entry the program's unpacker refused, where it named one.
    QString refusedEntry() const { return m_refusedEntry; }

private:
    // The archive as the program's own unpacker sees it: what that would
    // refuse never takes the target's place, so every archive packed here
    // can be opened here again.
    std::optional<ArchiveCheck::Refusal> unpackerRefusal() const
    {
        ArchiveReader written;
        if (std::optional<ArchiveCheck::Refusal> refusal = written.open(m_partial)) {
            return refusal;
        }
        return ArchiveCheck::check(written.directory()).refusal;
    }

    // An archive that is replaced keeps the permissions it had.
    void keepTargetMode() const
    {
#ifdef Q_OS_UNIX
        struct stat status {};
        if (::stat(QFile::encodeName(m_target).constData(), &status) == 0) {
            ::chmod(QFile::encodeName(m_partial).constData(), status.st_mode & 07777);
        }
#endif
    }

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

    QString m_target;
    QString m_partial;
    zip_t *m_zip = nullptr;
    bool m_written = false;
    bool m_committed = false;
    QString m_refusedEntry;
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
        m_failedName.clear();
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
        // The list ends with the skin file, which the user picked by name.
        const QString chosen = listedName(command->baseFolder, names.constLast());
        return write(target, entries, chosen);
    }

    QString failedName() const override { return m_failedName; }

private:
    // The same name may be listed twice (the WMS file always closes the list);
    // it is stored once. The files themselves are opened only as they are
    // written.
    qint32 collectEntries(const QString &baseFolder, const QStringList &names,
                          QList<Entry> *entries)
    {
        QSet<QString> seen;
        for (const QString &listed : names) {
            const QString name = listedName(baseFolder, listed);
            // A name another system reads as a path or a device would unpack
            // outside the skin's folder there, or not at all.
            if (unsafeEntryNameReason(name)) {
                m_failedName = name;
                return BadName;
            }
            if (seen.contains(name)) {
                continue;
            }
            seen.insert(name);
            entries->append({baseFolder + name, name});
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

    qint32 write(const QString &target, const QList<Entry> &entries, const QString &chosen)
    {
        QStringList paths;
        qsizetype chosenIndex = -1;
        for (const Entry &entry : entries) {
            if (entry.name == chosen) {
                chosenIndex = paths.size();
            }
            paths.append(entry.path);
        }
        // The members are read ahead on other threads while the archive is
        // written; the pipeline outlives the writer, which reads from it.
        MemberPipeline pipeline(paths, chosenIndex);
        ArchiveWriter archive(target);
        if (!archive.isOpen()) {
            return CannotWrite;
        }
        for (qsizetype i = 0; i < entries.size(); ++i) {
            if (!archive.add(entries.at(i), pipeline, i)) {
                return CannotWrite;
            }
        }
        const Code result = archive.commit();
        if (result == NotUnpackable) {
            m_failedName = archive.refusedEntry();
            return result;
        }
        const qsizetype failed = pipeline.failedIndex();
        if (result != Success && failed >= 0) {
            m_failedName = entries.at(failed).name;
            return pipeline.wait(failed).failure;
        }
        return result;
    }

    QString m_failedName;
};

} // namespace

std::unique_ptr<Archiver> makeBuiltInArchiver()
{
    return std::make_unique<BuiltInArchiver>();
}
