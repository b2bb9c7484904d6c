#include "SkinFolder.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace SkinFolder {

namespace {

// Whether target, a canonical path, lies in folder or below it.
bool liesIn(const QString &target, const QString &folder)
{
    QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    if (target.isEmpty() || canonicalFolder.isEmpty()) {
        return false;
    }
    if (!canonicalFolder.endsWith(u'/')) {
        canonicalFolder += u'/'; // "/" on every platform
    }
    return target.startsWith(canonicalFolder);
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

} // namespace

bool linksOutside(const QString &path, const QString &folder)
{
    const QFileInfo info(path);
    return info.isSymLink() && !liesIn(info.canonicalFilePath(), folder);
}

bool linksOutside(const QString &path)
{
    return linksOutside(path, folderOf(path));
}

bool openedOutside(const QFile &file, const QString &path)
{
#ifdef Q_OS_LINUX
    // The system's own record of where the open file lies.
    const QString opened = QFile::symLinkTarget(u"/proc/self/fd/%1"_s.arg(file.handle()));
    if (file.handle() >= 0 && !opened.isEmpty()) {
        return !liesIn(opened, folderOf(path));
    }
#else
    Q_UNUSED(file);
#endif
    return linksOutside(path);
}

QString refusalText()
{
    return u"スキンのフォルダの外を指すリンクです"_s;
}

} // namespace SkinFolder
