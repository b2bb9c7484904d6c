#include "PictureFile.h"

#include "GifWriter.h"
#include "JfifWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

QByteArray encodeWithQt(const QImage &image, const char *format)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        return {};
    return data;
}

QByteArray encodeFor(const QImage &image, const QString &suffix, std::optional<QRgb> keyColour)
{
    if (suffix == "jpg"_L1 || suffix == "jpeg"_L1)
        return encodeJfif(image);
    if (suffix == "gif"_L1)
        return encodeGif(image, keyColour);
    if (suffix == "bmp"_L1)
        // 24-bit BMP keeps the transparency key exact and has no alpha to confuse loaders.
        return encodeWithQt(image.convertToFormat(QImage::Format_RGB888), "bmp");
    if (suffix == "png"_L1)
        return encodeWithQt(image, "png");
    return {};
}

} // namespace

bool savePicture(const QImage &image, const QString &path, QString *error,
                 std::optional<QRgb> keyColour)
{
    const QFileInfo info(path);
    const QByteArray data = encodeFor(image, info.suffix().toLower(), keyColour);
    if (data.isEmpty()) {
        *error = u"cannot encode %1"_s.arg(QDir::toNativeSeparators(path));
        return false;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        *error = u"cannot create folder %1"_s.arg(QDir::toNativeSeparators(info.absolutePath()));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        *error = u"cannot write %1: %2"_s.arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}
