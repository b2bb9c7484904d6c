#include "WmzUnpacker.h"

#include "packaging/StoredNames.h"
#include "packaging/UnpackTarget.h"
#include "util/Interrupt.h"
#include "util/MessageSink.h"
#include "util/Paths.h"
#include "util/UserFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>
#include <zip.h>

using namespace Qt::StringLiterals;

namespace WmzUnpacker {

namespace {

using ArchiveCheck::Entry;

// How many names of files about to be replaced the question lists.
constexpr qsizetype kNamesAsked = 10;
constexpr qsizetype kBufferBytes = 256 * 1024;

// The archive, read through the descriptor it was checked on.
class Archive {
public:
    ~Archive()
    {
        if (m_zip) {
            zip_discard(m_zip);
        }
    }

    // Nothing, or why the file is no archive to read.
    std::optional<QString> open(const QString &path)
    {
        QFile &file = m_file;
        if (!UserFile::open(file, path)) {
            return UserFile::refusalText(
                UserFile::refusal(path).value_or(UserFile::Refusal::Other));
        }
        // libzip takes the descriptor over, and closes it with the archive.
        // Its stricter consistency checks would refuse two entries of one
        // name without naming them; the directory's check does.
        const int fd = ::dup(file.handle());
        if (fd < 0) {
            return u"ファイルを開けません"_s;
        }
        int error = 0;
        m_zip = zip_fdopen(fd, ZIP_RDONLY, &error);
        if (!m_zip) {
            ::close(fd);
            return u"ZIP 形式として読めません"_s;
        }
        return std::nullopt;
    }

    // The directory as declared, up to one entry past the limit: that one is
    // enough for the check to refuse the count.
    QList<Entry> directory()
    {
        const zip_int64_t count =
            std::min<zip_int64_t>(zip_get_num_entries(m_zip, 0), ArchiveCheck::kLimits.entries + 1);
        const QList<QByteArray> stored = storedEntryNames(m_file, count);
        QList<Entry> entries;
        entries.reserve(count);
        for (zip_int64_t i = 0; i < count; ++i) {
            const auto index = static_cast<zip_uint64_t>(i);
            zip_stat_t stat;
            zip_stat_init(&stat);
            zip_uint8_t madeBy = 0;
            zip_uint32_t attributes = 0;
            if (zip_stat_index(m_zip, index, ZIP_FL_ENC_RAW, &stat) != 0 ||
                zip_file_get_external_attributes(m_zip, index, 0, &madeBy, &attributes) != 0) {
                // A directory libzip cannot read back is refused by its first
                // broken entry: no name, no size, a kind the check refuses.
                entries.append({QByteArray(), 0, 0, ArchiveCheck::Kind::Device, false, false});
                continue;
            }
            Entry entry;
            entry.name = QByteArray(stat.name);
            // The name as stored where libzip made a blank of a NUL in it.
            if (i < stored.size() && stored.at(i).contains('\0') &&
                QByteArray(stored.at(i)).replace('\0', ' ') == entry.name) {
                entry.name = stored.at(i);
            }
            entry.size = stat.size;
            entry.packedSize = stat.comp_size;
            entry.kind = ArchiveCheck::kindOf(madeBy, attributes, entry.name);
            entry.encrypted = stat.encryption_method != ZIP_EM_NONE;
            entry.supportedMethod = zip_compression_method_supported(stat.comp_method, 0) != 0;
            entries.append(entry);
        }
        return entries;
    }

    zip_t *handle() const { return m_zip; }

private:
    QFile m_file;
    zip_t *m_zip = nullptr;
};

bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Why the system refused a write into the folder.
QString writeFailure(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return u"ディスクの空き容量が不足しています"_s;
    case EACCES:
    case EPERM:
    case EROFS:
        return u"展開先のフォルダに書き込めません"_s;
    default:
        return u"展開先にファイルを書き込めません"_s;
    }
}

// Copies one entry into fd, never more than it declared. Nothing, or the
// reason it stopped.
std::optional<QString> copyEntry(zip_t *zip, zip_uint64_t index, const Entry &entry, int fd,
                                 QByteArray &buffer)
{
    zip_file_t *file = zip_fopen_index(zip, index, 0);
    if (!file) {
        return u"データを読めません"_s;
    }
    std::optional<QString> failure;
    quint64 written = 0;
    for (;;) {
        if (Interrupt::requested()) {
            failure = u"中断されました"_s;
            break;
        }
        // One byte past the declared size is enough to catch an entry that
        // holds more, before any of it is written.
        const quint64 wanted = std::min<quint64>(quint64(buffer.size()), entry.size - written + 1);
        const zip_int64_t got = zip_fread(file, buffer.data(), wanted);
        if (got < 0) {
            failure = u"データが壊れています"_s;
            break;
        }
        if (got == 0) {
            if (written != entry.size) {
                failure = u"データが宣言された大きさより小さいです"_s;
            }
            break;
        }
        if (written + quint64(got) > entry.size) {
            failure = u"データが宣言された大きさを超えています"_s;
            break;
        }
        if (!writeAll(fd, buffer.constData(), got)) {
            failure = writeFailure(errno);
            break;
        }
        written += quint64(got);
    }
    zip_fclose(file);
    return failure;
}

QString listedNames(const QStringList &names)
{
    QString list = names.mid(0, kNamesAsked).join(u"\r\n"_s);
    if (names.size() > kNamesAsked) {
        list += u"\r\nほか %1 個"_s.arg(names.size() - kNamesAsked);
    }
    return list;
}

} // namespace

QString title()
{
    return u"WMZファイルを開く"_s;
}

bool isArchiveName(const QString &path)
{
    return path.endsWith(u".wmz"_s, Qt::CaseInsensitive);
}

QString folderFor(const QString &archivePath)
{
    const QFileInfo info(archivePath);
    const QString name = info.fileName();
    const QString stem = isArchiveName(name) ? name.chopped(4) : name + u"_files"_s;
    return QDir::toNativeSeparators(info.absoluteDir().filePath(stem));
}

std::optional<QString> unpack(const QString &archivePath, const QString &folder,
                              MessageSink &messages)
{
    const QString shownArchive = QDir::toNativeSeparators(archivePath);
    const auto fail = [&](const QString &reason, const QString &subject) {
        messages.showMessage(u"WMZファイルを展開できません（%1）：%2"_s.arg(reason, subject),
                             title(), MessageIcon::Exclamation);
        return std::nullopt;
    };
    Archive archive;
    if (const std::optional<QString> why = archive.open(archivePath)) {
        return fail(*why, shownArchive);
    }
    const QList<Entry> entries = archive.directory();
    const ArchiveCheck::Verdict verdict = ArchiveCheck::check(entries);
    if (verdict.refusal) {
        messages.showMessage(verdict.refusal->message(shownArchive), title(),
                             MessageIcon::Exclamation);
        return std::nullopt;
    }

    const QString shownFolder = QDir::toNativeSeparators(folder);
    QString why;
    const std::unique_ptr<UnpackTarget> target = UnpackTarget::open(folder, &why);
    if (!target) {
        return fail(why, shownFolder);
    }
    QStringList replaced;
    for (const Entry &entry : entries) {
        // Found before anything is written: the last rename would fail.
        if (!target->takesName(entry.name)) {
            return fail(
                u"名前が長すぎて展開先に作れません：%1"_s.arg(ArchiveCheck::nameText(entry.name)),
                shownFolder);
        }
        switch (target->occupant(entry.name)) {
        case UnpackTarget::Occupant::None:
            break;
        case UnpackTarget::Occupant::File:
            replaced.append(ArchiveCheck::nameText(entry.name));
            break;
        case UnpackTarget::Occupant::Other:
            return fail(u"同じ名前のフォルダかリンクがあります：%1"_s.arg(
                            ArchiveCheck::nameText(entry.name)),
                        shownFolder);
        }
    }
    if (!replaced.isEmpty() &&
        !messages.askYesNo(u"展開先のフォルダには同じ名前のファイルがあります。置き換えますか？\r\n"
                           u"%1\r\n%2"_s.arg(shownFolder, listedNames(replaced)),
                           title())) {
        return std::nullopt;
    }

    QByteArray buffer(kBufferBytes, Qt::Uninitialized);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const Entry &entry = entries.at(i);
        const int fd = target->createPart(entry.name);
        if (fd < 0) {
            return fail(writeFailure(errno), shownFolder);
        }
        if (const std::optional<QString> failure =
                copyEntry(archive.handle(), zip_uint64_t(i), entry, fd, buffer)) {
            return fail(u"%1、エントリ「%2」"_s.arg(*failure, ArchiveCheck::nameText(entry.name)),
                        shownArchive);
        }
    }
    if (!target->commit()) {
        return fail(writeFailure(errno), shownFolder);
    }
    return Paths::join(QDir::toNativeSeparators(folder),
                       ArchiveCheck::nameText(entries.at(verdict.skinEntry).name));
}

} // namespace WmzUnpacker
