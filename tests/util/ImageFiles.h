#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Pictures of known sizes for the picture tests, made here with QImage or
// ImageMagick, and ImageMagick's own reading of them.
namespace ImageFiles {

bool writeFile(const QString &path, const QByteArray &bytes);

// Runs ImageMagick's convert; false (with the reason in *error) when it fails.
bool convert(const QStringList &args, QString *error);
// "width height" as ImageMagick's identify reads the file; empty on failure.
QString identifySize(const QString &path);

QByteArray qimageFile(int width, int height, const char *format);
// A 24-bit BMP of one colour, written byte by byte: any size, however large,
// as deflate packs it near its limit of about a thousandfold.
QByteArray plainBmp(int width, int height);
// A JFIF JPEG as Qt writes it: SOI, APP0, tables, baseline frame.
QByteArray jfifJpeg(int width, int height);
// Everything of a JFIF JPEG after SOI and its APP0 segment.
QByteArray afterApp0(const QByteArray &jfif);
// The same picture without any APPn segment: tables follow SOI directly.
QByteArray plainJpeg(const QByteArray &jfif);

} // namespace ImageFiles
