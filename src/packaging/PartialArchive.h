#pragma once

#include <QString>

// The files one pack of a skin makes beside its archive and removes again:
// the partial archive, written under a name of its own and renamed over the
// archive once complete, and the lock that lets only one pack of that archive
// run at a time. Both names carry a marker of this program, so that a pack
// killed half-way can be cleaned up without touching a file of the user's
// (a "skin.wmz.backup" stays where it is).
namespace PartialArchive {

// "<archive>.velmora-partial-" and six random letters or digits, in the
// archive's folder; a name no file has yet.
QString newPartialPath(const QString &archivePath);

// Whether name (without folder) is a partial archive of archiveName, or the
// archive library's own temporary file beside one.
bool isPartialOf(const QString &name, const QString &archiveName);

// The lock file of archivePath: hidden, beside the archive.
QString lockPath(const QString &archivePath);

// Whether name is one of the files above for any archive: never part of a skin.
bool isPackFile(const QString &name);

} // namespace PartialArchive
