#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Pictures of known sizes for the header reader's tests, made here with QImage,
// ImageMagick or by writing the bytes, and ImageMagick's own reading of them.
namespace ImageFiles {

bool writeFile(const QString &path, const QByteArray &bytes);

// Runs ImageMagick's convert; false (with the reason in *error) when it fails.
bool convert(const QStringList &args, QString *error);
// "width height" as ImageMagick's identify reads the file; empty on failure.
QString identifySize(const QString &path);

QByteArray qimageFile(int width, int height, const char *format);
// A JFIF JPEG as Qt writes it: SOI, APP0, tables, baseline frame.
QByteArray jfifJpeg(int width, int height);
// The same picture with its APP0 segment replaced by an Exif APP1 segment.
QByteArray exifJpeg(const QByteArray &jfif);
// The same picture without any APPn segment: tables follow SOI directly.
QByteArray plainJpeg(const QByteArray &jfif);
// The same picture with count APP2 segments of maximum length after SOI.
QByteArray jpegWithLargeApp(const QByteArray &jfif, int count);
// A BMP whose rows run top to bottom (negative height).
QByteArray topDownBmp(int width, int height);

QByteArray be16(int value);
// FF marker, length 17, precision 8, height, width, three components.
QByteArray frameHeader(quint8 marker, int width, int height);
// A segment with a length field and payload bytes of zero.
QByteArray segment(quint8 marker, int payload);

} // namespace ImageFiles
