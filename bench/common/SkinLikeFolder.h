#pragma once

#include "GifWriter.h"
#include "util/AnsiText.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QStringList>

// A folder that looks like a real skin: a BMP background and 40 buttons, a
// third each BMP, PNG and JPEG with a few GIFs among them, photograph-like
// pictures with a little noise, and the WMS file naming them all.
namespace SkinLikeFolder {

using namespace Qt::StringLiterals;

inline QImage picture(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(quint32(seed) + 1);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = int(random.bounded(6));
            line[x] =
                qRgb((x * 255 / width + seed * 13 + noise) & 0xFF,
                     (y * 255 / height + seed * 7 + noise) & 0xFF, ((x + y) / 3 + noise) & 0xFF);
        }
    }
    return image;
}

inline QByteArray encoded(const QImage &image, const char *format)
{
    if (qstrcmp(format, "GIF") == 0) {
        return encodeGif(image);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(image);
    return bytes;
}

// Writes the skin into folder; the names written, the WMS file last.
// *bytes adds up their sizes.
inline QStringList write(const QString &folder, qint64 *bytes, int buttons = 40,
                         QSize background = {800, 600})
{
    QStringList names;
    QString wms = u"<theme id=\"velmora\" title=\"bench\">\r\n"_s;
    const auto add = [&](const QString &name, const QByteArray &data) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
            return false;
        }
        *bytes += data.size();
        names.append(name);
        return true;
    };
    if (!add(u"background.bmp"_s,
             encoded(picture(background.width(), background.height(), 0), "BMP"))) {
        return {};
    }
    wms += u"<view backgroundimage=\"background.bmp\">\r\n"_s;
    constexpr const char *kFormats[] = {"BMP", "PNG", "JPEG"};
    for (int i = 0; i < buttons; ++i) {
        const char *format = i % 10 == 9 ? "GIF" : kFormats[i % 3];
        const QString name =
            u"button%1.%2"_s.arg(i, 2, 10, QChar(u'0')).arg(QString::fromLatin1(format).toLower());
        if (!add(name, encoded(picture(96, 48, i + 1), format))) {
            return {};
        }
        wms +=
            u"<playbutton top=\"%1\" left=\"%2\" image=\"%3\"/>\r\n"_s.arg(i * 10).arg(i * 5).arg(
                name);
    }
    wms += u"</view>\r\n</theme>\r\n"_s;
    if (!add(u"skin.wms"_s, AnsiText::encode(wms))) {
        return {};
    }
    return names;
}

} // namespace SkinLikeFolder
