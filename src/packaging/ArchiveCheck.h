#pragma once

#include "util/DecodeBudget.h"
#include "wms/WmsSyntax.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// What a WMZ file may hold before anything of it is written: its directory
// alone decides, so a hostile archive is refused as a whole.
namespace ArchiveCheck {

// How far a skin archive may go. The limits follow what the program itself
// draws: a picture within the decoding budget, stored as plainly as a BMP of
// four bytes a pixel, always fits, and so does a skin that uses the whole
// budget beside its largest WMS file. Anything beyond is a bomb or not a skin.
struct Limits {
    quint64 entryBytes; // one entry, unpacked
    quint64 totalBytes; // all entries together, unpacked
    // Unpacked size over packed size, at most. Deflate, which the packer
    // writes, cannot pass about 1:1032 (a one-colour BMP comes near it);
    // only another method's bomb goes further.
    quint64 ratio;
    // The ratio counts from this size on: below it even a bomb stays small.
    quint64 ratioFromBytes;
    qsizetype entries;      // number of entries
    quint64 directoryBytes; // the central directory, as the end record declares it
};

// What a picture of so many pixels takes at most, stored plainly: four bytes
// a pixel, and room for a header, a palette and the rows' padding.
constexpr quint64 plainPictureBytes(qint64 pixels)
{
    return 4 * quint64(pixels) + (1ull << 20);
}

inline constexpr Limits kLimits{plainPictureBytes(DecodeBudget::kPixelsPerPicture),
                                plainPictureBytes(DecodeBudget::kPixelsInTotal) +
                                    quint64(WmsSyntax::kMaxFileBytes),
                                1040, 8ull << 20, 1000,
                                // A few kilobytes an entry: names, times and attributes.
                                4ull << 20};

// What an entry is, by its attributes.
enum class Kind { File, Folder, Link, Device };

// The kind an entry's external attributes give: the system that made the
// archive (ZIP_OPSYS_*) decides how they read. A name ending in "/" is a
// folder whatever the attributes say.
Kind kindOf(quint8 madeBy, quint32 attributes, const QByteArray &name);

// One entry of the archive's directory, as the archive declares it.
struct Entry {
    QByteArray name; // the stored bytes: UTF-8, or windows-31j from old archivers
    quint64 size = 0;
    quint64 packedSize = 0;
    Kind kind = Kind::File;
    bool encrypted = false;
    bool supportedMethod = true; // a compression method the unpacker can read
};

// The name as the user reads it: UTF-8 where the bytes are, else windows-31j.
QString nameText(const QByteArray &name);

// Why the archive cannot be unpacked: the entry concerned (the archive's own
// name when none is) and the reason, in the program's words.
struct Refusal {
    QString subject;
    QString reason;
    bool wholeArchive = false; // the subject is the archive, not an entry

    QString message(const QString &archiveName) const;
};

struct Verdict {
    std::optional<Refusal> refusal;
    qsizetype skinEntry = -1; // the WMS file's index when nothing is refused
};

// Refuses a directory whose end record declares more entries or bytes than
// the limits allow, before it is read.
std::optional<Refusal> checkDeclared(quint64 entries, quint64 directoryBytes);

// Checks every entry and the whole: names, kinds, sizes, ratios, count and
// the one WMS file.
Verdict check(const QList<Entry> &entries);

} // namespace ArchiveCheck
