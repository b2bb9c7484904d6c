#pragma once

#include <QImage>
#include <QString>

// Decodes a picture file (BMP, GIF, JPEG and whatever else Qt reads), by its
// contents rather than its name. A missing file throws AppError 53; a file
// that is there but holds no readable picture gives a null image.
QImage readPictureFile(const QString &path);
