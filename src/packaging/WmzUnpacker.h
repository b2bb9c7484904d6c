#pragma once

#include "packaging/ArchiveCheck.h"

#include <QString>
#include <optional>

class MessageSink;

// Unpacks a WMZ file, the form in which skins travel, so that its skin can be
// edited or checked. The archive is hostile until its directory has passed
// ArchiveCheck; then its entries are written into one folder, all or nothing.
namespace WmzUnpacker {

// The title of what is said while unpacking.
QString title();

// Whether a file's name marks it as a WMZ file.
bool isArchiveName(const QString &path);

// The folder named after the archive, beside it: "skins/cool.wmz" gives
// "skins/cool".
QString folderFor(const QString &archivePath);

// Unpacks archivePath into folder (made when missing; its parent must exist).
// Files of the same names already there are replaced only when the user
// says so. Returns the full path
// of the WMS file unpacked; nothing, after telling the user why, when nothing
// was unpacked.
std::optional<QString> unpack(const QString &archivePath, const QString &folder,
                              MessageSink &messages);

} // namespace WmzUnpacker
