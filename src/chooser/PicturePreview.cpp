#include "PicturePreview.h"

#include "util/DecodeBudget.h"
#include "util/GetImage.h"
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
    const qint32 scans = countJpegScans(file, DecodeBudget::kMaxJpegScans);
    if (!file.seek(0)) {
        return result;
    }
    QImageReader reader(&file);
    // The contents decide the format, so a misnamed picture still shows.
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead() || scans > DecodeBudget::kMaxJpegScans) {
        result.status = PicturePreview::Status::Unreadable;
        return result;
    }
    result.natural = DecodeBudget::decodedSize(path, reader.size());
    // Only the visible part is decoded where the format allows; a picture
    // beyond the budget counts as unreadable, like a broken one.
    const bool clips = result.natural.isValid() && reader.supportsOption(QImageIOHandler::ClipRect);
    const QSize decoded = clips ? result.natural.boundedTo(box) : result.natural;
    if (decoded.isValid() && !budget.take(decoded.width(), decoded.height())) {
        result.status = PicturePreview::Status::Unreadable;
        return result;
    }
    if (clips) {
        reader.setClipRect(QRect(QPoint(0, 0), decoded));
    }
    const QImage image = reader.read();
    // A format whose header tells no size is measured once decoded.
    if (!decoded.isValid() && !budget.take(image.width(), image.height())) {
        result.status = PicturePreview::Status::Unreadable;
        return result;
    }
    result.image = clips || image.isNull()
                       ? image
                       : image.copy(QRect(QPoint(0, 0), box.boundedTo(image.size())));
    result.status =
        result.image.isNull() ? PicturePreview::Status::Unreadable : PicturePreview::Status::Shown;
    return result;
}
