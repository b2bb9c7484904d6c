#pragma once

#include <QPixmap>
#include <QString>

// Loads a picture file into a pixmap. A missing file throws AppError 53; a
// file that is there but holds no readable picture gives a null pixmap.
QPixmap loadPictureFile(const QString &path);
