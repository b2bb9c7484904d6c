#pragma once

#include <QByteArray>

class QImage;

// Encodes an image as a single-frame GIF89a with one global palette of at most
// 256 colours. Images with more colours are mapped onto a fixed palette first,
// which keeps pure primaries such as the transparency key exact.
QByteArray encodeGif(const QImage &image);
