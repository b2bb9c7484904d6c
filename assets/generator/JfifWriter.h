#pragma once

#include <QByteArray>

class QImage;

// Encodes an image as a baseline JPEG that starts with a JFIF APP0 segment
// (FF D8 FF E0), the form that picture loaders of the media-player era expect.
QByteArray encodeJfif(const QImage &image, int quality = 92);

// Puts a JFIF APP0 segment right after the start-of-image marker when the
// encoder left it out. Returns false when the data is not a JPEG stream.
bool ensureJfifHeader(QByteArray &jpeg);
