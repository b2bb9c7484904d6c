#include "Paths.h"

#include <QDir>

namespace Paths {

QChar separator()
{
    return QDir::separator();
}

QString separatorText()
{
    // Shared, not made anew: every file name of every save asks for it.
    static const QString text(separator());
    return text;
}

namespace {

// Where the last sep starts, or -1. The search starts where sep can last
// start: from the very end, Qt 6.4 matches a one-character NUL separator
// against the string's terminating NUL.
qsizetype lastIndex(const QString &text, const QString &sep)
{
    const qsizetype from = text.size() - sep.size();
    return from < 0 ? -1 : text.lastIndexOf(sep, from);
}

} // namespace

QString afterLast(const QString &text, const QString &sep)
{
    const qsizetype p = lastIndex(text, sep);
    return p < 0 ? text : text.mid(p + sep.size());
}

QString beforeLast(const QString &text, const QString &sep, bool *ok)
{
    const qsizetype p = lastIndex(text, sep);
    if (ok) {
        *ok = p >= 0;
    }
    return p < 0 ? QString() : text.left(p);
}

QString fileName(const QString &path)
{
    return afterLast(path, separatorText());
}

QString join(const QString &folderPath, const QString &name)
{
    return folderPath + separator() + name;
}

} // namespace Paths
