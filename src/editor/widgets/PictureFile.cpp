#include "PictureFile.h"

#include "render/PictureReader.h"
#include "util/DecodeBudget.h"

QPixmap loadPictureFile(const QString &path)
{
    DecodeBudget budget;
    return QPixmap::fromImage(readPictureFile(path, budget));
}
