#pragma once

#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "render/DrawList.h"

#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTemporaryDir>

// The skin the preview benchmarks draw: a 1920 x 1080 JPEG background and all
// 13 drawn elements (buttons as BMP, slider thumbs as PNG, each with
// key-coloured pixels), written into dir and set in document.
namespace BenchSkin {

// A photograph-like background: gradients with a little texture.
inline QImage background()
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            line[x] =
                qRgb((x / 8 + (x * y) % 7) & 0xFF, (y / 5 + x % 5) & 0xFF, (x + y) / 12 & 0xFF);
        }
    }
    return image;
}

// A round button on the key colour, as skins draw them.
inline QImage element(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromHsv(seed * 27 % 360, 200, 220));
    painter.drawEllipse(image.rect().adjusted(2, 2, -2, -2));
    return image;
}

// The 14 files written, background first; empty when one cannot be written.
inline QStringList write(const QTemporaryDir &dir, clsFileControl &document)
{
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        document.getElement(slot)->initMember();
    }
    QStringList files{dir.filePath(QStringLiteral("background.jpg"))};
    if (!background().save(files.first(), "JPEG", 90)) {
        return {};
    }
    document.getElement(Slot::View)->setUpimage(files.first());
    for (const Preview::DrawRow &row : Preview::kDrawOrder) {
        const qint16 slot = row.slot;
        const bool slider = slot >= Slot::VolumeSlider;
        const QString path =
            dir.filePath(QStringLiteral("element%1.%2")
                             .arg(slot)
                             .arg(slider ? QStringLiteral("png") : QStringLiteral("bmp")));
        if (!element(slider ? 24 : 96, slider ? 40 : 64, slot).save(path)) {
            return {};
        }
        files.append(path);
        clsElement &record = *document.getElement(slot);
        record.setExistFlag(1);
        record.setUpimage(path);
        record.setTop(QString::number(100 + slot * 50));
        record.setLeft(QString::number(200 + slot * 90));
    }
    return files;
}

} // namespace BenchSkin
