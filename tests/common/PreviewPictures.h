#pragma once

#include "../util/ImageFiles.h"

#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

// Pictures for the preview tests, written as real BMP, GIF and JPEG files,
// and the composition a preview of them must show, worked out pixel by pixel.
namespace PreviewPictures {

inline constexpr QRgb kKey = 0xFFFF0000; // #FF0000, the editor's default transparency colour

// Every pixel differs from its neighbours both ways, so a shifted, wrapped or
// scaled copy cannot pass for it.
inline QImage background(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 0x40 + ((x / 256 + y / 256) & 0x3F)));
        }
    }
    return image;
}

// One colour, with key-coloured pixels in the left quarter where the
// background must show through.
inline QImage button(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width / 4; ++x) {
            image.setPixel(x, y, kKey);
        }
    }
    return image;
}

// Writes image in the format its name ends in (bmp, gif, jpg); GIF through
// ImageMagick, as Qt writes none. Empty on failure.
inline QString write(const QTemporaryDir &dir, const QString &name, const QImage &image)
{
    const QString path = dir.filePath(name);
    if (!name.endsWith(QStringLiteral(".gif"))) {
        return image.save(path, nullptr, 100) ? path : QString();
    }
    QString error;
    const QString bmp = path + QStringLiteral(".bmp");
    return image.save(bmp, "BMP") && ImageFiles::convert({bmp, path}, &error) ? path : QString();
}

// The pictures the preview tests share: a 200 x 100 background and two
// buttons, play.gif (30 x 20, blue) and stop.bmp (20 x 10, green).
inline bool writeSharedPictures(const QTemporaryDir &dir)
{
    return !write(dir, QStringLiteral("back.bmp"), background(200, 100)).isEmpty() &&
           !write(dir, QStringLiteral("play.gif"), button(30, 20, qRgb(0, 0, 255))).isEmpty() &&
           !write(dir, QStringLiteral("stop.bmp"), button(20, 10, qRgb(0, 200, 0))).isEmpty();
}

struct Drawn {
    QString file;
    QPoint at;
};

// The background file with each picture drawn over it in turn (decoded as the
// editor decodes them), except its pixels of exactly the key colour, clipped
// at the edges.
inline QImage composed(const QString &background, const QList<Drawn> &drawn)
{
    const auto decoded = [](const QString &path) {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        return reader.read().convertToFormat(QImage::Format_RGB32);
    };
    QImage canvas = decoded(background);
    for (const Drawn &d : drawn) {
        const QImage picture = decoded(d.file);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QPoint p = d.at + QPoint(x, y);
                const QRgb pixel = picture.pixel(x, y);
                if (canvas.rect().contains(p) && (pixel & RGB_MASK) != (kKey & RGB_MASK)) {
                    canvas.setPixel(p, pixel);
                }
            }
        }
    }
    return canvas;
}

// Empty when actual shows exactly the colours of expected; else the first
// difference, for the failure message.
inline QString firstDifference(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size()) {
        return QStringLiteral("size %1x%2").arg(actual.width()).arg(actual.height());
    }
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if ((actual.pixel(x, y) & RGB_MASK) != (expected.pixel(x, y) & RGB_MASK)) {
                return QStringLiteral("pixel %1,%2 is #%3, expected #%4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y) & RGB_MASK, 6, 16, QLatin1Char('0'))
                    .arg(expected.pixel(x, y) & RGB_MASK, 6, 16, QLatin1Char('0'));
            }
        }
    }
    return {};
}

} // namespace PreviewPictures
