#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <optional>

// Whether a file name can stand as one entry of a skin archive and unpack to
// that same file wherever the archive is opened. A name that Windows reads as
// a path (a backslash, a drive), as a device (CON, NUL.bmp) or as another name
// (a trailing dot or blank is dropped there) would land outside the skin's
// folder or not at all.
//
// Nothing when the name is safe; otherwise why not, in the program's words,
// for a message that names the entry.
std::optional<QString> unsafeEntryNameReason(QStringView name);

// Why a name may not sit in one archive beside another that differs from it
// in case only: the player's system unpacks both to one file. other: the
// other name as the message shows it.
QString caseTwinReason(const QString &other);

// The names of one archive met so far, by case.
class NamesByCase {
public:
    // The name met before that this one equals, or differs from in case
    // only; nothing for a new name, which is kept.
    std::optional<QString> meet(const QString &name);

private:
    QHash<QString, QString> m_first; // case-folded name -> name as first met
};
