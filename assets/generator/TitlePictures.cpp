#include "TitlePictures.h"

#include "Artwork.h"
#include "MenuPictures.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {

// Deep blue into the lilac of the panels' section captions.
const QColor kTitleLeft(38, 62, 128);
const QColor kTitleRight(128, 128, 255);

} // namespace

QImage renderPanelTitle(int panel)
{
    QImage image(kPanelTitleSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    QLinearGradient fill(0, 0, image.width(), 0);
    fill.setColorAt(0, kTitleLeft);
    fill.setColorAt(1, kTitleRight);
    p.fillRect(image.rect(), fill);
    p.fillRect(QRect(0, image.height() - 3, image.width(), 3), QColor(255, 200, 64));
    p.fillRect(QRect(14, 11, 6, 17), QColor(255, 200, 64));

    const QString name = kMenuButtons[panel].label.toString();
    const QFont nameFont = fittedLabelFont(name, 22, 200);
    p.setFont(nameFont);
    p.setPen(Qt::white);
    const QRect nameBox(30, 0, QFontMetrics(nameFont).horizontalAdvance(name), image.height() - 3);
    p.drawText(nameBox, Qt::AlignVCenter | Qt::AlignLeft, name);

    const QString subtitle = kPanelSubtitles[panel].toString();
    const int subtitleLeft = nameBox.right() + 18;
    const int subtitleWidth = image.width() - subtitleLeft - 12;
    p.setFont(fittedLabelFont(subtitle, 14, subtitleWidth));
    p.setPen(QColor(232, 236, 255));
    p.drawText(QRect(subtitleLeft, 2, subtitleWidth, image.height() - 3),
               Qt::AlignVCenter | Qt::AlignLeft, subtitle);
    return image;
}

QImage renderWindowIcon(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Drawn on a 32-pixel grid, so every size shows the same picture.
    p.scale(side / 32.0, side / 32.0);

    QLinearGradient fill(0, 0, 0, 32);
    fill.setColorAt(0, kTitleRight);
    fill.setColorAt(1, kTitleLeft);
    p.setPen(QPen(QColor(24, 36, 80), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 6, 6);

    // A "V" for the program, with a play triangle in its notch for the player.
    QPainterPath v;
    v.moveTo(6, 6);
    v.lineTo(16, 27);
    v.lineTo(26, 6);
    p.setPen(QPen(Qt::white, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(v);
    drawGlyph(p, Glyph::Play, QRectF(12.5, 5, 8, 8), QColor(255, 200, 64));
    return image;
}

QImage renderFolderIcon()
{
    QImage image(kFolderIconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor outline(128, 96, 16);
    // The back with its tab, then the front flap a little lower.
    p.setPen(outline);
    p.setBrush(QColor(232, 184, 64));
    p.drawPolygon(QPolygon({{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}}));
    p.setBrush(QColor(255, 216, 96));
    p.drawPolygon(QPolygon({{1, 13}, {3, 7}, {15, 7}, {14, 13}}));
    return image;
}
