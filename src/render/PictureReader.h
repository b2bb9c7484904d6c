#pragma once

#include <QImage>
#include <QString>

class DecodeBudget;
class QFile;

// Decodes a picture (BMP, GIF, JPEG and whatever else Qt reads) by its
// contents rather than its name, within the budget: a picture larger than
// what the budget has left, a JPEG of too many scans, one that holds no
// readable picture or one for which memory runs out gives a null image.
// file is open on path.
QImage readPicture(QFile &file, const QString &path, DecodeBudget &budget);

// The same for a file a user or a skin named. One that is not there, or is
// no regular file (a pipe, a device, a folder), throws AppError 53.
QImage readPictureFile(const QString &path, DecodeBudget &budget);

// Whether path leads to a regular file whose first bytes are those of a
// picture Qt reads; nothing is decoded. A pipe or a device is no picture and
// is never opened in a way that waits: a file dragged over the editor is
// looked at while the drag goes on.
bool isPictureFile(const QString &path);
