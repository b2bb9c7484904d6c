#include "PictureFile.h"

#include "render/PictureReader.h"

QPixmap loadPictureFile(const QString &path)
{
    return QPixmap::fromImage(readPictureFile(path));
}
