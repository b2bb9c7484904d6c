#pragma once

#include <QByteArray>
#include <QList>

class QIODevice;

// The entry names an archive's central directory stores, as bytes, in their
// order there (libzip's index order). libzip hands names out as C strings,
// with a NUL inside a name turned into a blank; this reader sees the NUL.
// Empty when the directory cannot be found where the end record says (an
// archive with data before it, a damaged one): the caller keeps libzip's.
QList<QByteArray> storedEntryNames(QIODevice &archive, qsizetype atMost);
