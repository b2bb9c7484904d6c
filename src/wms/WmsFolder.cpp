#include "document/clsFileControl.h"
#include "util/Paths.h"

#include <QDir>

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
