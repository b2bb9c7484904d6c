#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// What a WMZ file may hold before anything of it is written: its directory
// alone decides, so a hostile archive is refused as a whole.
namespace ArchiveCheck {

// How far a skin archive may go. A real skin is a few megabytes in a few
// dozen files; anything near these limits is a bomb or not a skin.
struct Limits {
    quint64 entryBytes; // one entry, unpacked
    quint64 totalBytes; // all entries together, unpacked
    quint64 ratio;      // unpacked size over packed size, at most
    // The ratio counts from this size on: a plain-coloured BMP of a skin
    // (an 800 x 600 background is 1.4 MB) deflates a thousandfold, and
    // below this size even a bomb stays small.
    quint64 ratioFromBytes;
    qsizetype entries; // number of entries
};
inline constexpr Limits kLimits{64ull << 20, 256ull << 20, 200, 8ull << 20, 1000};

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

// Checks every entry and the whole: names, kinds, sizes, ratios, count and
// the one WMS file.
Verdict check(const QList<Entry> &entries);

} // namespace ArchiveCheck
