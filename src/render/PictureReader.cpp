#include "PictureReader.h"

#include "util/AppError.h"

#include <QFileInfo>
#include <QImageReader>

QImage readPictureFile(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        throw AppError(AppError::FileNotFound, path);
    }
    QImageReader reader(path);
    // The format comes from the contents, so a misnamed file still loads.
    reader.setDecideFormatFromContent(true);
    return reader.read();
}
