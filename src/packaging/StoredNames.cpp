#include "StoredNames.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>

namespace {

// The end record and its comment of at most 64 KB close the archive.
constexpr qint64 kEndRecord = 22;
constexpr qint64 kLongestComment = 65535;
constexpr qint64 kZip64Locator = 20;
constexpr qint64 kZip64EndRecord = 56;
constexpr qint64 kDirectoryHeader = 46;
// A directory of the entries a skin may hold is far smaller.
constexpr qint64 kLongestDirectory = 16 << 20;

template <typename T> T at(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

QByteArray readAt(QIODevice &device, qint64 offset, qint64 size)
{
    return offset >= 0 && device.seek(offset) ? device.read(size) : QByteArray();
}

} // namespace

QList<QByteArray> storedEntryNames(QIODevice &archive, qsizetype atMost)
{
    const qint64 size = archive.size();
    const qint64 tailSize = std::min(size, kEndRecord + kLongestComment);
    const QByteArray tail = readAt(archive, size - tailSize, tailSize);
    const qsizetype end = tail.lastIndexOf(QByteArrayView("PK\x05\x06", 4));
    if (end < 0 || end + kEndRecord > tail.size()) {
        return {};
    }
    quint64 directorySize = at<quint32>(tail, end + 12);
    quint64 directoryAt = at<quint32>(tail, end + 16);
    if (directoryAt == 0xFFFFFFFF || directorySize == 0xFFFFFFFF) {
        const qsizetype locator = end - kZip64Locator;
        if (locator < 0 || tail.mid(locator, 4) != QByteArrayView("PK\x06\x07", 4)) {
            return {};
        }
        const QByteArray record =
            readAt(archive, qint64(at<quint64>(tail, locator + 8)), kZip64EndRecord);
        if (record.size() < kZip64EndRecord ||
            !record.startsWith(QByteArrayView("PK\x06\x06", 4))) {
            return {};
        }
        directorySize = at<quint64>(record, 40);
        directoryAt = at<quint64>(record, 48);
    }
    if (directorySize > quint64(kLongestDirectory) || directoryAt > quint64(size)) {
        return {};
    }
    const QByteArray directory = readAt(archive, qint64(directoryAt), qint64(directorySize));
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
