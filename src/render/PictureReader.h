#pragma once

#include "util/GetImage.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

class DecodeBudget;
class QFile;
class QImageReader;

// Sets reader to decode the picture in file (open, read from its start) and
// tells the size it decodes to, before anything is decoded. Nothing for a
// file that is no BMP, GIF, JPEG or PNG by its contents, a JPEG of too many
// scans, or a picture whose header tells no size: only for those four
// formats does the header tell what the decoder makes (an ICO or a TIFF may
// say 256 x 256 and hold 5700 x 5700). Every reader of a picture asks this
// first, and charges its budget with the answer. header, where given, is set
// to what the header reader tells of the same open file (see tryImageSize).
std::optional<QSize> decodedPictureSize(QFile &file, QImageReader &reader,
                                        std::optional<ImageSize> *header = nullptr);

// A picture decoded from one open file, and what the header reader tells of
// that file: nothing where the header overflows or breaks off.
struct Picture {
    QImage image;
    std::optional<ImageSize> header;
};

// Decodes a picture by its contents rather than its name, within the
// budget: a picture that decodedPictureSize refuses or that is larger than
// what the budget has left, one that holds no readable picture or one for
// which memory runs out gives a null image. file is open.
Picture readPicture(QFile &file, DecodeBudget &budget);

// The same for a file a user or a skin named. One that is not there, or is
// no regular file (a pipe, a device, a folder), throws AppError 53.
QImage readPictureFile(const QString &path, DecodeBudget &budget);

// Whether path leads to a regular file whose first bytes are those of a
// picture readPicture takes; nothing is decoded. A pipe or a device is no
// picture and is never opened in a way that waits: a file dragged over the
// editor is looked at while the drag goes on.
bool isPictureFile(const QString &path);
