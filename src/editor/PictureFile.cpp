#include "PictureFile.h"

#include "util/AppError.h"

#include <QFileInfo>
#include <QImageReader>

QPixmap loadPictureFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        throw AppError(AppError::FileNotFound, path);
    }
    QImageReader reader(path);
    // The format comes from the contents, so a misnamed file still loads.
    reader.setDecideFormatFromContent(true);
    return QPixmap::fromImageReader(&reader);
}
