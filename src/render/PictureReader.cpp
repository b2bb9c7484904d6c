#include "PictureReader.h"

#include "util/AppError.h"
#include "util/DecodeBudget.h"
#include "util/UserFile.h"

#include <QFile>
#include <QImageReader>
#include <algorithm>

namespace {

// The formats skins are made of, as Qt names them. Their headers tell the
// size of the one picture the decoder makes (a GIF's screen, see
// DecodeBudget::decodedSize); a container of several pictures may not.
constexpr QByteArrayView kKnownSizeFormats[] = {"bmp", "gif", "jpeg", "png"};

bool tellsDecodedSize(const QByteArray &format)
{
    return std::find(std::begin(kKnownSizeFormats), std::end(kKnownSizeFormats), format) !=
           std::end(kKnownSizeFormats);
}

} // namespace

std::optional<QSize> decodedPictureSize(QFile &file, QImageReader &reader,
                                        std::optional<ImageSize> *header)
{
    // Counted before anything is decoded: each scan may cost a pass over the picture.
    const qint32 scans = countJpegScans(file, DecodeBudget::kMaxJpegScans);
    if (scans > DecodeBudget::kMaxJpegScans || !file.seek(0)) {
        return std::nullopt;
    }
    // Read here, before the image reader takes the file and its position.
    const std::optional<ImageSize> told = tryImageSize(file);
    if (header) {
        *header = told;
    }
    if (!file.seek(0)) {
        return std::nullopt;
    }
    reader.setDevice(&file);
    // The format comes from the contents, so a misnamed file still loads.
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead() || !tellsDecodedSize(reader.format())) {
        return std::nullopt;
    }
    const QSize size = DecodeBudget::decodedSize(told, reader.size());
    return size.isValid() && !size.isEmpty() ? std::optional(size) : std::nullopt;
}

Picture readPicture(QFile &file, DecodeBudget &budget)
{
    Picture picture;
    QImageReader reader;
    const std::optional<QSize> size = decodedPictureSize(file, reader, &picture.header);
    if (size && budget.take(size->width(), size->height())) {
        picture.image = reader.read();
    }
    return picture;
}

QImage readPictureFile(const QString &path, DecodeBudget &budget)
{
    QFile file;
    if (!UserFile::open(file, path)) {
        throw AppError(AppError::FileNotFound, path);
    }
    return readPicture(file, budget).image;
}

bool isPictureFile(const QString &path)
{
    QFile file;
    return UserFile::open(file, path) && tellsDecodedSize(QImageReader::imageFormat(&file));
}
