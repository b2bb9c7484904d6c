#include "MenuPictures.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

struct FaceLook {
    QColor top;
    QColor bottom;
    QColor border;
    QColor ink;
    bool pressed;
};

// Raised blue-grey for a mode at rest, sunken amber for the current mode,
// raised green for the file commands so the two sets are told apart at a glance.
const FaceLook kModeLook{{236, 241, 248}, {176, 190, 212}, {78, 96, 128}, {28, 40, 62}, false};
const FaceLook kSelectedLook{{255, 236, 178}, {240, 160, 40}, {150, 84, 0}, {72, 34, 0}, true};
const FaceLook kFileLook{{232, 246, 236}, {160, 208, 176}, {52, 112, 74}, {20, 56, 34}, false};

// The strip behind the buttons is drawn in the window system's button-shadow grey.
const QColor kStripColour(160, 160, 160);

void drawFace(QPainter &p, const QRectF &face, const FaceLook &look)
{
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, look.pressed ? look.bottom : look.top);
    fill.setColorAt(1, look.pressed ? look.top : look.bottom);
    p.setPen(QPen(look.border, 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(face, 9, 9);

    // A light edge on the lit side and a dark one on the other: raised when at
    // rest, the other way round when pressed.
    const QColor light(255, 255, 255, 170);
    const QColor dark(0, 0, 0, 70);
    const QRectF inner = face.adjusted(2, 2, -2, -2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(look.pressed ? dark : light, 1.5));
    p.drawLine(QPointF(inner.left() + 7, inner.top()), QPointF(inner.right() - 7, inner.top()));
    p.drawLine(QPointF(inner.left(), inner.top() + 7), QPointF(inner.left(), inner.bottom() - 7));
    p.setPen(QPen(look.pressed ? light : dark, 1.5));
    p.drawLine(QPointF(inner.left() + 7, inner.bottom()),
               QPointF(inner.right() - 7, inner.bottom()));
    p.drawLine(QPointF(inner.right(), inner.top() + 7), QPointF(inner.right(), inner.bottom() - 7));
}

} // namespace

QImage renderMenuButton(int index, bool selected)
{
    const MenuButton &button = kMenuButtons[index];
    const FaceLook &look = index >= kModeCount ? kFileLook : selected ? kSelectedLook : kModeLook;

    QImage image(kMenuButtonSize, QImage::Format_RGB32);
    image.fill(kStripColour);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    const QRectF face = QRectF(image.rect()).adjusted(2.5, 2.5, -2.5, -2.5);
    drawFace(p, face, look);

    // A pressed button's content sinks by one pixel.
    const QPointF shift = look.pressed ? QPointF(1, 1) : QPointF(0, 0);
    drawGlyph(p, button.glyph,
              QRectF(face.center().x() - 24, face.top() + 7, 48, 34).translated(shift), look.ink);

    const QString label = button.label.toString();
    const QRectF labelBox =
        QRectF(face.left() + 4, face.top() + 45, face.width() - 8, 24).translated(shift);
    p.setFont(fittedLabelFont(label, 16, int(labelBox.width())));
    p.setPen(look.ink);
    p.drawText(labelBox, Qt::AlignCenter, label);
    return image;
}
