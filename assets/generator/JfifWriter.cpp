#include "JfifWriter.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace {

// APP0 "JFIF" version 1.01, aspect ratio 1:1, no thumbnail.
const char kJfifApp0[] = {'\xFF', '\xE0', '\x00', '\x10', 'J',    'F',    'I',    'F',    '\x00',
                          '\x01', '\x01', '\x00', '\x00', '\x01', '\x00', '\x01', '\x00', '\x00'};

bool hasJfifApp0(const QByteArray &jpeg)
{
    return jpeg.size() >= 11 && jpeg.at(2) == '\xFF' && jpeg.at(3) == '\xE0' &&
           jpeg.mid(6, 5) == QByteArrayView("JFIF\0", 5);
}

} // namespace

bool ensureJfifHeader(QByteArray &jpeg)
{
    if (jpeg.size() < 4 || jpeg.at(0) != '\xFF' || jpeg.at(1) != '\xD8')
        return false;
    if (!hasJfifApp0(jpeg))
        jpeg.insert(2, QByteArray(kJfifApp0, sizeof(kJfifApp0)));
    return true;
}

QByteArray encodeJfif(const QImage &image, int quality)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    // Progressive JPEG is not understood by every old loader; keep it baseline.
    writer.setProgressiveScanWrite(false);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32)))
        return {};
    buffer.close();
    if (!ensureJfifHeader(data))
        return {};
    return data;
}
