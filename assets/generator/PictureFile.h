#pragma once

#include <QRgb>
#include <QString>
#include <optional>

class QImage;

// Writes an image in the format that the file name's suffix names (.jpg as
// JFIF, .gif with our own encoder, .bmp and .png through Qt), replacing any
// older file only once the new one is complete. On failure returns false and
// says why in *error. keyColour is the transparency key that a GIF must keep
// exact (see encodeGif).
bool savePicture(const QImage &image, const QString &path, QString *error,
                 std::optional<QRgb> keyColour = std::nullopt);
