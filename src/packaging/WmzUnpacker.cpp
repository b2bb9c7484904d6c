#include "WmzUnpacker.h"

#include "packaging/ArchiveReader.h"
#include "packaging/UnpackTarget.h"
#include "util/Interrupt.h"
#include "util/MessageSink.h"
#include "util/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <functional>
#include <unistd.h>
#include <zip.h>

using namespace Qt::StringLiterals;

namespace WmzUnpacker {

namespace {

using ArchiveCheck::Entry;

// How many names of files about to be replaced the question lists.
constexpr qsizetype kNamesAsked = 10;
constexpr qsizetype kBufferBytes = 256 * 1024;
// Folders named after an archive that an unpack tries before giving up.
constexpr int kFoldersTried = 100;

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
                                 QByteArray &buffer, const std::function<bool(quint64)> &carryOn)
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
        if (!carryOn(quint64(got))) {
            failure = u"中断されました"_s;
            break;
        }
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

QString newFolderFor(const QString &archivePath)
{
    const QString first = folderFor(archivePath);
    for (int n = 1; n <= kFoldersTried; ++n) {
        const QString folder = n == 1 ? first : u"%1 (%2)"_s.arg(first).arg(n);
        const QFileInfo info(folder);
        // exists() follows a link; a dangling one is still in the way.
        if (!info.exists() && !info.isSymLink()) {
            return folder;
        }
        if (info.isDir() && !info.isSymLink() &&
            QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System |
                                 QDir::NoDotAndDotDot)) {
            return folder;
        }
    }
    return {};
}

Unpack::Unpack() = default;
Unpack::~Unpack() = default;

std::unique_ptr<Unpack> Unpack::prepare(const QString &archivePath, const QString &folder,
                                        MessageSink &messages, UnpackTarget::Folder rule)
{
    std::unique_ptr<Unpack> unpack(new Unpack);
    unpack->m_archivePath = archivePath;
    unpack->m_folder = folder;
    const QString shownArchive = QDir::toNativeSeparators(archivePath);
    const auto fail = [&](const QString &reason, const QString &subject) {
        messages.showMessage(u"WMZファイルを展開できません（%1）：%2"_s.arg(reason, subject),
                             title(), MessageIcon::Exclamation);
        return nullptr;
    };
    unpack->m_archive = std::make_unique<ArchiveReader>();
    if (const std::optional<ArchiveCheck::Refusal> refusal = unpack->m_archive->open(archivePath)) {
        messages.showMessage(refusal->message(shownArchive), title(), MessageIcon::Exclamation);
        return nullptr;
    }
    unpack->m_entries = unpack->m_archive->directory();
    const ArchiveCheck::Verdict verdict = ArchiveCheck::check(unpack->m_entries);
    if (verdict.refusal) {
        messages.showMessage(verdict.refusal->message(shownArchive), title(),
                             MessageIcon::Exclamation);
        return nullptr;
    }
    unpack->m_skinEntry = verdict.skinEntry;

    const QString shownFolder = QDir::toNativeSeparators(folder);
    QString why;
    unpack->m_target = UnpackTarget::open(folder, rule, &why);
    if (!unpack->m_target) {
        return fail(why, shownFolder);
    }
    QStringList replaced;
    for (const Entry &entry : std::as_const(unpack->m_entries)) {
        unpack->m_totalBytes += entry.size;
        // Found before anything is written: the last rename would fail.
        if (!unpack->m_target->takesName(entry.name)) {
            return fail(
                u"名前が長すぎて展開先に作れません：%1"_s.arg(ArchiveCheck::nameText(entry.name)),
                shownFolder);
        }
        switch (unpack->m_target->occupant(entry.name)) {
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
        return nullptr;
    }
    return unpack;
}

bool Unpack::copy(const std::function<bool(quint64)> &carryOn)
{
    QByteArray buffer(kBufferBytes, Qt::Uninitialized);
    // Stopped from outside or by the user: the partial files go with the target.
    const auto carryOnUnlessAsked = [&](quint64 bytes) {
        return !Interrupt::requested() && carryOn(bytes);
    };
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const Entry &entry = m_entries.at(i);
        const int fd = m_target->createPart(entry.name);
        if (fd < 0) {
            m_failure = {writeFailure(errno), QDir::toNativeSeparators(m_folder)};
            return false;
        }
        if (const std::optional<QString> failure = copyEntry(
                m_archive->handle(), zip_uint64_t(i), entry, fd, buffer, carryOnUnlessAsked)) {
            m_failure = {u"%1、エントリ「%2」"_s.arg(*failure, ArchiveCheck::nameText(entry.name)),
                         QDir::toNativeSeparators(m_archivePath)};
            return false;
        }
    }
    return true;
}

std::optional<QString> Unpack::finish(bool copied, MessageSink &messages)
{
    const auto fail = [&](const QString &reason, const QString &subject) {
        messages.showMessage(u"WMZファイルを展開できません（%1）：%2"_s.arg(reason, subject),
                             title(), MessageIcon::Exclamation);
        return std::nullopt;
    };
    if (!copied) {
        const Failure failure = m_failure;
        m_target.reset(); // its partial files and a folder made for it go
        return fail(failure.reason, failure.subject);
    }
    if (!m_target->commit()) {
        const int error = errno;
        m_target.reset();
        return fail(writeFailure(error), QDir::toNativeSeparators(m_folder));
    }
    return Paths::join(QDir::toNativeSeparators(m_folder),
                       ArchiveCheck::nameText(m_entries.at(m_skinEntry).name));
}

void Unpack::abandon()
{
    m_target.reset();
}

std::optional<QString> unpack(const QString &archivePath, const QString &folder,
                              MessageSink &messages, UnpackTarget::Folder rule)
{
    const std::unique_ptr<Unpack> job = Unpack::prepare(archivePath, folder, messages, rule);
    if (!job) {
        return std::nullopt;
    }
    const bool copied = job->copy([](quint64) { return true; });
    return job->finish(copied, messages);
}

} // namespace WmzUnpacker
