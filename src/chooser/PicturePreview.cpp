#include "PicturePreview.h"

#include "render/PictureReader.h"
#include "util/DecodeBudget.h"
#include "util/UserFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

PicturePreview loadPicturePreview(const QString &path, const QSize &box)
{
    PicturePreview result;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        result.status = PicturePreview::Status::Missing;
        return result;
    }
    // A pipe or a device behind a picture's name would block or never end.
    QFile file;
    if (!UserFile::open(file, path)) {
        return result;
    }
    DecodeBudget budget;
    QImageReader reader;
    const std::optional<QSize> natural = decodedPictureSize(file, reader);
    if (!natural) {
        result.status = PicturePreview::Status::Unreadable;
        return result;
    }
    result.natural = *natural;
    // Only the visible part is decoded where the format allows; a picture
    // beyond the budget counts as unreadable, like a broken one.
    const bool clips = reader.supportsOption(QImageIOHandler::ClipRect);
    const QSize decoded = clips ? result.natural.boundedTo(box) : result.natural;
    if (!budget.take(decoded.width(), decoded.height())) {
        result.status = PicturePreview::Status::Unreadable;
        return result;
    }
    if (clips) {
        reader.setClipRect(QRect(QPoint(0, 0), decoded));
    }
    const QImage image = reader.read();
    result.image = clips || image.isNull()
                       ? image
                       : image.copy(QRect(QPoint(0, 0), box.boundedTo(image.size())));
    result.status =
        result.image.isNull() ? PicturePreview::Status::Unreadable : PicturePreview::Status::Shown;
    return result;
}
