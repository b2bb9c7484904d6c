#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

class QIODevice;

// The archive's own records, read as bytes before libzip is given the file:
// libzip builds the whole directory the end record declares, so a few bytes
// declaring millions of entries would cost gigabytes before any limit.
namespace ArchiveDirectory {

// What one end record declares of the directory (its ZIP64 record's
// figures where it has one).
struct Declared {
    quint64 entries = 0;
    quint64 bytes = 0;
    quint64 offset = 0;
};

// Every end record the archive's tail holds, the last first: a reader may
// take any of them, so each must pass. Empty when there is none; nothing when
// one points to a ZIP64 record that cannot be read, whose figures are then
// unknown.
std::optional<QList<Declared>> declared(QIODevice &archive);

// The entry names the central directory stores, as bytes, in their order
// there (libzip's index order). libzip hands names out as C strings, with a
// NUL inside a name turned into a blank; this reader sees the NUL. Empty when
// the directory cannot be found where the end record says (an archive with
// data before it, a damaged one): the caller keeps libzip's.
QList<QByteArray> storedEntryNames(QIODevice &archive, qsizetype atMost);

} // namespace ArchiveDirectory
