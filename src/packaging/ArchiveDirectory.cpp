#include "ArchiveDirectory.h"

#include "packaging/ArchiveCheck.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>

namespace ArchiveDirectory {

namespace {

// The end record and its comment of at most 64 KB close the archive.
constexpr qint64 kEndRecord = 22;
constexpr qint64 kLongestComment = 65535;
constexpr qint64 kZip64Locator = 20;
constexpr qint64 kZip64EndRecord = 56;
constexpr qint64 kDirectoryHeader = 46;
constexpr quint16 kZip64Count = 0xFFFF;
constexpr quint32 kZip64Size = 0xFFFFFFFF;

template <typename T> T at(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

QByteArray readAt(QIODevice &device, qint64 offset, qint64 size)
{
    return offset >= 0 && device.seek(offset) ? device.read(size) : QByteArray();
}

// The record at end of the tail, with its ZIP64 record where it has one.
std::optional<Declared> readRecord(QIODevice &archive, const QByteArray &tail, qsizetype end)
{
    Declared record{at<quint16>(tail, end + 10), at<quint32>(tail, end + 12),
                    at<quint32>(tail, end + 16)};
    const bool zip64 =
        record.entries == kZip64Count || record.bytes == kZip64Size || record.offset == kZip64Size;
    const qsizetype locator = end - kZip64Locator;
    if (locator < 0 || tail.mid(locator, 4) != QByteArrayView("PK\x06\x07", 4)) {
        // Without a locator the 16- and 32-bit figures are all there is.
        return record;
    }
    const QByteArray zip64Record =
        readAt(archive, qint64(at<quint64>(tail, locator + 8)), kZip64EndRecord);
    if (zip64Record.size() < kZip64EndRecord ||
        !zip64Record.startsWith(QByteArrayView("PK\x06\x06", 4))) {
        // A locator leading nowhere: a reader may still find the record
        // elsewhere, so what it declares is unknown.
        return zip64 ? std::nullopt : std::optional(record);
    }
    // Where a field holds its mark, the ZIP64 figure stands for it; where it
    // holds a figure, the larger of the two: whichever a reader believes
    // must pass.
    const auto figure = [](quint64 plain, quint64 mark, quint64 wide) {
        return plain == mark ? wide : std::max(plain, wide);
    };
    record.entries = figure(record.entries, kZip64Count, at<quint64>(zip64Record, 32));
    record.bytes = figure(record.bytes, kZip64Size, at<quint64>(zip64Record, 40));
    if (record.offset == kZip64Size) {
        record.offset = at<quint64>(zip64Record, 48);
    }
    return record;
}

} // namespace

std::optional<QList<Declared>> declared(QIODevice &archive)
{
    const qint64 size = archive.size();
    const qint64 tailSize = std::min(size, kEndRecord + kLongestComment);
    const QByteArray tail = readAt(archive, size - tailSize, tailSize);
    QList<Declared> records;
    for (qsizetype end = tail.lastIndexOf(QByteArrayView("PK\x05\x06", 4)); end >= 0;
         end = end == 0 ? -1 : tail.lastIndexOf(QByteArrayView("PK\x05\x06", 4), end - 1)) {
        if (end + kEndRecord > tail.size()) {
            continue;
        }
        const std::optional<Declared> record = readRecord(archive, tail, end);
        if (!record) {
            return std::nullopt;
        }
        records.append(*record);
    }
    return records;
}

QList<QByteArray> storedEntryNames(QIODevice &archive, qsizetype atMost)
{
    const std::optional<QList<Declared>> records = declared(archive);
    if (!records || records->isEmpty()) {
        return {};
    }
    const Declared &record = records->constFirst();
    if (record.bytes > ArchiveCheck::kLimits.directoryBytes ||
        record.offset > quint64(archive.size())) {
        return {};
    }
    const QByteArray directory = readAt(archive, qint64(record.offset), qint64(record.bytes));
    QList<QByteArray> names;
    for (qsizetype offset = 0;
         names.size() < atMost && offset + kDirectoryHeader <= directory.size();) {
        if (directory.mid(offset, 4) != QByteArrayView("PK\x01\x02", 4)) {
            return {};
        }
        const qsizetype nameSize = at<quint16>(directory, offset + 28);
        const qsizetype extraSize = at<quint16>(directory, offset + 30);
        const qsizetype commentSize = at<quint16>(directory, offset + 32);
        names.append(directory.mid(offset + kDirectoryHeader, nameSize));
        offset += kDirectoryHeader + nameSize + extraSize + commentSize;
    }
    return names;
}

} // namespace ArchiveDirectory
