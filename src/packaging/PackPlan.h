#pragma once

#include "packaging/PackFailure.h"

#include <QString>
#include <QStringList>
#include <variant>

// What a pack of a skin would put into its WMZ file, worked out before
// anything is written: the packer follows it, and the skin check asks it so
// that a skin no pack can carry is reported before anybody packs it.
namespace PackPlan {

struct Plan {
    QStringList names; // the files of the skin's folder the WMS text names
    QString listText;  // the archiver's list file, the WMS file closing it
};

// folder ends in a separator; wmsFileName and archiveName are bare names in
// it. A plan, or why no archive that the program's own unpacker takes can be
// made of the skin.
std::variant<Plan, PackFailure> make(const QString &folder, const QString &wmsFileName,
                                     const QString &archiveName);

// The WMZ file named after a WMS file: its last letter made a z.
QString archiveNameFor(const QString &wmsFileName);

} // namespace PackPlan
