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
    wms += u"<view backgroundimage=\"background.bmp\" transparencycolor=\"#FF00FF\">\r\n"_s;
    // The reader takes one line per element: the pictures go to the ten
    // buttons' three looks, then to the sliders' thumbs and backgrounds.
    constexpr const char *kButtons[] = {
        "playbutton",  "stopbutton",   "closebutton",   "nextbutton",     "prevbutton",
        "pausebutton", "repeatbutton", "shufflebutton", "minimizebutton", "returnbutton"};
    constexpr const char *kSliders[] = {"seekslider", "volumeslider", "balanceslider"};
    constexpr const char *kFormats[] = {"BMP", "PNG", "JPEG"};
    QStringList pictures;
    for (int i = 0; i < buttons; ++i) {
        const char *format = i % 10 == 9 ? "GIF" : kFormats[i % 3];
        const QString name =
            u"button%1.%2"_s.arg(i, 2, 10, QChar(u'0')).arg(QString::fromLatin1(format).toLower());
        if (!add(name, encoded(picture(96, 48, i + 1), format))) {
            return {};
        }
        pictures.append(name);
    }
    qsizetype next = 0;
    const auto take = [&] { return next < pictures.size() ? pictures.at(next++) : QString(); };
    for (int k = 0; k < 10 && next < pictures.size(); ++k) {
        const QString up = take();
        const QString down = take();
        const QString hover = take();
        wms += u"<%1 top=\"%2\" left=\"%3\" transparencycolor=\"#FF00FF\" image=\"%4\" "
               u"downimage=\"%5\" hoverimage=\"%6\"/>\r\n"_s.arg(QString::fromLatin1(kButtons[k]))
                   .arg(k * 5)
                   .arg(k * 10)
                   .arg(up, down, hover);
    }
    for (int k = 0; k < 3 && next < pictures.size(); ++k) {
        const QString thumb = take();
        const QString track = take();
        wms += u"<%1 top=\"%2\" left=\"0\" width=\"96\" height=\"48\" thumbimage=\"%3\" "
               u"backgroundimage=\"%4\" direction=\"horizontal\"/>\r\n"_s
                   .arg(QString::fromLatin1(kSliders[k]))
                   .arg(k * 10)
                   .arg(thumb, track);
    }
    // What no element takes is still the skin's: named, so it is packed.
    for (; next < pictures.size(); ++next) {
        wms += u"<!-- %1 -->\r\n"_s.arg(pictures.at(next));
    }
    wms += u"</view>\r\n</theme>\r\n"_s;
    if (!add(u"skin.wms"_s, AnsiText::encode(wms))) {
        return {};
    }
    return names;
}

} // namespace SkinLikeFolder
