#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

class QIODevice;

// Pixel size of an image file, read from its header without decoding the
// picture. format: 0 none known, 1 BMP, 2 GIF, 3 JPEG, 4 PNG. All zero when
// no size is known.
struct ImageSize {
    qint32 format = 0;
    qint32 width = 0;
    qint32 height = 0;

    friend bool operator==(const ImageSize &, const ImageSize &) = default;
};

// mode 0 recognises the format from the first bytes, 1 to 4 name it (BMP, GIF,
// JPEG, PNG), 5 goes by the file name's extension; any other mode gives zero.
// A missing, hidden or too short file gives zero. A header value of 2^31 or
// more throws AppError 6; a JPEG frame header cut off by the end of the file
// throws AppError 9; a file that cannot be opened or read throws as well.
ImageSize getImageSize(const QString &path, qint32 mode);
// The same, or nothing where getImageSize throws.
std::optional<ImageSize> tryImageSize(const QString &path, qint32 mode);
// What mode 0 tells of the file open in device, read from its start (the
// device is left anywhere), or nothing where that throws: for a reader that
// opened the file once and judges that file. Its name is not looked at.
std::optional<ImageSize> tryImageSize(QIODevice &device);
ImageSize getBmpSize(const QString &path);
ImageSize getGifSize(const QString &path);
ImageSize getJpegSize(const QString &path);
ImageSize getPngSize(const QString &path);

// The scans of the JPEG data the device holds from its start, counted while
// walking its segments and stepping over each scan's compressed data; the
// walk stops once it has counted more than limit. 0 for data that is no JPEG.
// Reads the device to its end at most, in blocks.
qint32 countJpegScans(QIODevice &device, qint32 limit);
