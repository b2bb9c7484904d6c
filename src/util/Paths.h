#pragma once

#include <QChar>
#include <QString>

// The platform's path separator: "/" here, "\" on Windows. Every path split
// and join of the program goes through these helpers.
namespace Paths {

QChar separator();
QString separatorText();

// The part after the last occurrence of sep; the whole text when sep is absent.
QString afterLast(const QString &text, const QString &sep);
// The part before the last occurrence of sep; *ok is false (and the result
// empty) when sep is absent.
QString beforeLast(const QString &text, const QString &sep, bool *ok);

// File name of a path (after its last separator; the whole text without one).
QString fileName(const QString &path);
// folder + separator + name.
QString join(const QString &folderPath, const QString &name);

} // namespace Paths
