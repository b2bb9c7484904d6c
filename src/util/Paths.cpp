#include "Paths.h"

#include <QDir>

namespace Paths {

QChar separator()
{
    return QDir::separator();
}

QString separatorText()
{
    return QString(separator());
}

QString afterLast(const QString &text, const QString &sep)
{
    const qsizetype p = text.lastIndexOf(sep);
    return p < 0 ? text : text.mid(p + sep.size());
}

QString beforeLast(const QString &text, const QString &sep, bool *ok)
{
    const qsizetype p = text.lastIndexOf(sep);
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
