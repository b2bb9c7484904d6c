#include "document/clsFileControl.h"
#include "util/Paths.h"

#include <QDir>
#include <QFileInfo>

// A new skin lives in a folder named after its file: the file
// "Blue.wms" goes into the folder ".../Blue.wms".
QString clsFileControl::skinFilePath(const QString &pstrPath)
{
    return Paths::join(pstrPath, Paths::fileName(pstrPath));
}

bool clsFileControl::createFolder(const QString &pstrPath)
{
    if (!QDir().mkdir(pstrPath)) {
        return false;
    }
    m_fileName = skinFilePath(pstrPath);
    return true;
}

QString clsFileControl::writtenFileName(const QString &pstrFileName, qint16 pintMode)
{
    return pintMode == 1 ? skinFilePath(pstrFileName) : pstrFileName;
}

bool clsFileControl::isSkinFolderFile(const QString &path)
{
    bool inFolder = false;
    const QString folder = Paths::beforeLast(path, Paths::separatorText(), &inFolder);
    return inFolder && QFileInfo(path).isFile() && Paths::fileName(folder) == Paths::fileName(path);
}
