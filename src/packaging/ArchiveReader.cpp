#include "ArchiveReader.h"

#include "packaging/ArchiveDirectory.h"
#include "util/UserFile.h"

#include <unistd.h>
#include <zip.h>

using namespace Qt::StringLiterals;

namespace {

ArchiveCheck::Refusal wholeArchive(const QString &reason)
{
    return {{}, reason, true};
}

} // namespace

ArchiveReader::~ArchiveReader()
{
    if (m_zip) {
        zip_discard(m_zip);
    }
}

std::optional<ArchiveCheck::Refusal> ArchiveReader::open(const QString &path)
{
    if (!UserFile::open(m_file, path)) {
        return wholeArchive(
            UserFile::refusalText(UserFile::refusal(path).value_or(UserFile::Refusal::Other)));
    }
    const std::optional<QList<ArchiveDirectory::Declared>> records =
        ArchiveDirectory::declared(m_file);
    if (!records) {
        return wholeArchive(u"ZIP 形式として読めません"_s);
    }
    for (const ArchiveDirectory::Declared &record : *records) {
        if (std::optional<ArchiveCheck::Refusal> refusal =
                ArchiveCheck::checkDeclared(record.entries, record.bytes)) {
            return refusal;
        }
    }
    // libzip takes the descriptor over, and closes it with the archive.
    // Its stricter consistency checks would refuse two entries of one
    // name without naming them; the directory's check does.
    const int fd = ::dup(m_file.handle());
    if (fd < 0) {
        return wholeArchive(u"ファイルを開けません"_s);
    }
    int error = 0;
    m_zip = zip_fdopen(fd, ZIP_RDONLY, &error);
    if (!m_zip) {
        ::close(fd);
        return wholeArchive(u"ZIP 形式として読めません"_s);
    }
    return std::nullopt;
}

QList<ArchiveCheck::Entry> ArchiveReader::directory()
{
    using ArchiveCheck::Entry;
    const zip_int64_t count =
        std::min<zip_int64_t>(zip_get_num_entries(m_zip, 0), ArchiveCheck::kLimits.entries + 1);
    const QList<QByteArray> stored = ArchiveDirectory::storedEntryNames(m_file, count);
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
