#include "PictureReader.h"

#include "util/AppError.h"
#include "util/DecodeBudget.h"
#include "util/GetImage.h"
#include "util/UserFile.h"

#include <QFile>
#include <QImageReader>

QImage readPicture(QFile &file, const QString &path, DecodeBudget &budget)
{
    // Counted before anything is decoded: each scan may cost a pass over the picture.
    const qint32 scans = countJpegScans(file, DecodeBudget::kMaxJpegScans);
    if (scans > DecodeBudget::kMaxJpegScans || !file.seek(0)) {
        return {};
    }
    QImageReader reader(&file);
    // The format comes from the contents, so a misnamed file still loads.
    reader.setDecideFormatFromContent(true);
    const QSize size = DecodeBudget::decodedSize(path, reader.size());
    if (size.isValid()) {
        if (!budget.take(size.width(), size.height())) {
            return {};
        }
        return reader.read();
    }
    // A format whose header tells no size is measured once decoded.
    const QImage image = reader.read();
    return budget.take(image.width(), image.height()) ? image : QImage();
}

QImage readPictureFile(const QString &path, DecodeBudget &budget)
{
    QFile file;
    if (!UserFile::open(file, path)) {
        throw AppError(AppError::FileNotFound, path);
    }
    return readPicture(file, path, budget);
}

bool isPictureFile(const QString &path)
{
    QFile file;
    return UserFile::open(file, path) && !QImageReader::imageFormat(&file).isEmpty();
}
