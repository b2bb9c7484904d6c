#include "Artwork.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace {

QPainterPath triangle(QPointF a, QPointF b, QPointF c)
{
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

// Right-pointing triangle filling a square of side s at (x, y).
QPainterPath playTriangle(qreal x, qreal y, qreal s)
{
    return triangle({x, y}, {x + s, y + s / 2}, {x, y + s});
}

void drawRoundButton(QPainter &p, QPointF centre, qreal radius, const QColor &ink)
{
    p.setPen(QPen(ink, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
}

void drawLandscape(QPainter &p, const QRectF &r, const QColor &ink)
{
    p.setPen(QPen(ink, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(1, 1, -1, -1));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(r.right() - r.width() * 0.25, r.top() + r.height() * 0.3),
                  r.height() * 0.12, r.height() * 0.12);
    p.drawPath(triangle({r.left() + 2, r.bottom() - 2},
                        {r.left() + r.width() * 0.38, r.top() + r.height() * 0.35},
                        {r.left() + r.width() * 0.72, r.bottom() - 2}));
    p.drawPath(triangle({r.left() + r.width() * 0.5, r.bottom() - 2},
                        {r.left() + r.width() * 0.72, r.top() + r.height() * 0.55},
                        {r.right() - 2, r.bottom() - 2}));
}

// Two round buttons side by side; gives their centres and the size of the
// symbol that goes inside each, with the painter set to fill in ink.
struct ButtonPair {
    QPointF left;
    QPointF right;
    qreal symbol;
};

ButtonPair drawButtonPair(QPainter &p, const QRectF &r, const QColor &ink)
{
    const qreal radius = std::min(r.width() / 4.4, r.height() / 2.2);
    const ButtonPair pair{{r.center().x() - radius * 1.15, r.center().y()},
                          {r.center().x() + radius * 1.15, r.center().y()},
                          radius * 0.9};
    drawRoundButton(p, pair.left, radius, ink);
    drawRoundButton(p, pair.right, radius, ink);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    return pair;
}

void drawPlayStop(QPainter &p, const QRectF &r, const QColor &ink)
{
    const auto [left, right, s] = drawButtonPair(p, r, ink);
    p.drawPath(playTriangle(left.x() - s * 0.35, left.y() - s / 2, s));
    p.drawRect(QRectF(right.x() - s * 0.4, right.y() - s * 0.4, s * 0.8, s * 0.8));
}

void drawPauseMinimise(QPainter &p, const QRectF &r, const QColor &ink)
{
    const auto [left, right, s] = drawButtonPair(p, r, ink);
    p.drawRect(QRectF(left.x() - s * 0.4, left.y() - s / 2, s * 0.28, s));
    p.drawRect(QRectF(left.x() + s * 0.12, left.y() - s / 2, s * 0.28, s));
    p.drawRect(QRectF(right.x() - s * 0.45, right.y() + s * 0.15, s * 0.9, s * 0.25));
}

void drawSliders(QPainter &p, const QRectF &r, const QColor &ink)
{
    p.setPen(QPen(ink, 2));
    const qreal y1 = r.top() + r.height() * 0.3;
    const qreal y2 = r.top() + r.height() * 0.72;
    p.drawLine(QPointF(r.left() + 2, y1), QPointF(r.right() - 2, y1));
    p.drawLine(QPointF(r.left() + 2, y2), QPointF(r.right() - 2, y2));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(r.left() + r.width() * 0.55, y1 - 5, 8, 10), 2, 2);
    p.drawRoundedRect(QRectF(r.left() + r.width() * 0.25, y2 - 5, 8, 10), 2, 2);
}

void drawList(QPainter &p, const QRectF &r, const QColor &ink)
{
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const qreal step = r.height() / 4;
    for (int i = 0; i < 4; ++i) {
        const qreal y = r.top() + step * i + step * 0.3;
        p.drawRect(QRectF(r.left() + 2, y, step * 0.4, step * 0.4));
        p.drawRect(QRectF(r.left() + 2 + step * 0.7, y + step * 0.05,
                          r.width() * (i % 2 ? 0.55 : 0.7), step * 0.3));
    }
}

void drawFilm(QPainter &p, const QRectF &r, const QColor &ink)
{
    p.setPen(QPen(ink, 2));
    p.setBrush(Qt::NoBrush);
    const QRectF frame = r.adjusted(1, 1, -1, -1);
    p.drawRect(frame);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    for (qreal x = frame.left() + 3; x + 3 < frame.right(); x += 6) {
        p.drawRect(QRectF(x, frame.top() + 2, 3, 3));
        p.drawRect(QRectF(x, frame.bottom() - 5, 3, 3));
    }
    const qreal s = frame.height() * 0.42;
    p.drawPath(playTriangle(frame.center().x() - s * 0.4, frame.center().y() - s / 2, s));
}

void drawMagnifier(QPainter &p, const QRectF &r, const QColor &ink)
{
    const qreal radius = r.height() * 0.3;
    const QPointF centre(r.center().x() - radius * 0.4, r.top() + radius + 2);
    p.setPen(QPen(ink, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(radius * 0.72, radius * 0.72),
               centre + QPointF(radius * 1.6, radius * 1.6));
}

void drawNewDocument(QPainter &p, const QRectF &r, const QColor &ink)
{
    const qreal w = r.height() * 0.75;
    const QRectF page(r.center().x() - w / 2, r.top() + 1, w, r.height() - 2);
    const qreal fold = w * 0.32;
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    p.setPen(QPen(ink, 2));
    p.setBrush(Qt::white);
    p.drawPath(outline);
    p.drawLine(QPointF(page.right() - fold, page.top()),
               QPointF(page.right() - fold, page.top() + fold));
    p.drawLine(QPointF(page.right() - fold, page.top() + fold),
               QPointF(page.right(), page.top() + fold));
    const QPointF star(page.left() + w * 0.45, page.top() + page.height() * 0.6);
    p.setPen(QPen(ink, 2.5));
    p.drawLine(star - QPointF(w * 0.22, 0), star + QPointF(w * 0.22, 0));
    p.drawLine(star - QPointF(0, w * 0.22), star + QPointF(0, w * 0.22));
}

void drawFolder(QPainter &p, const QRectF &r, const QColor &ink)
{
    const QRectF body(r.left() + r.width() * 0.15, r.top() + r.height() * 0.25, r.width() * 0.7,
                      r.height() * 0.7);
    QPainterPath tab;
    tab.moveTo(body.left(), body.top());
    tab.lineTo(body.left(), body.top() - r.height() * 0.15);
    tab.lineTo(body.left() + body.width() * 0.35, body.top() - r.height() * 0.15);
    tab.lineTo(body.left() + body.width() * 0.45, body.top());
    tab.closeSubpath();
    p.setPen(QPen(ink, 2));
    p.setBrush(QColor(255, 214, 102));
    p.drawPath(tab);
    p.drawRect(body);
    p.setBrush(QColor(255, 232, 160));
    QPainterPath flap;
    flap.moveTo(body.left() + body.width() * 0.1, body.top() + body.height() * 0.3);
    flap.lineTo(body.right() + body.width() * 0.08, body.top() + body.height() * 0.3);
    flap.lineTo(body.right(), body.bottom());
    flap.lineTo(body.left(), body.bottom());
    flap.closeSubpath();
    p.drawPath(flap);
}

void drawDisk(QPainter &p, const QRectF &r, const QColor &ink)
{
    const qreal s = r.height() - 2;
    const QRectF disk(r.center().x() - s / 2, r.top() + 1, s, s);
    p.setPen(QPen(ink, 2));
    p.setBrush(QColor(70, 100, 170));
    p.drawRoundedRect(disk, 2, 2);
    p.setBrush(QColor(225, 230, 240));
    p.drawRect(QRectF(disk.left() + s * 0.22, disk.top(), s * 0.56, s * 0.34));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(disk.left() + s * 0.15, disk.top() + s * 0.5, s * 0.7, s * 0.45));
}

void drawPlayerSymbol(QPainter &p, Glyph glyph, const QRectF &r, const QColor &ink)
{
    const qreal s = std::min(r.width(), r.height());
    const qreal x = r.center().x() - s / 2;
    const qreal y = r.center().y() - s / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    switch (glyph) {
    case Glyph::Play:
        p.drawPath(playTriangle(x + s * 0.15, y, s));
        break;
    case Glyph::Stop:
        p.drawRect(QRectF(x + s * 0.1, y + s * 0.1, s * 0.8, s * 0.8));
        break;
    case Glyph::Close:
        p.setPen(QPen(ink, s * 0.22, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x + s * 0.15, y + s * 0.15), QPointF(x + s * 0.85, y + s * 0.85));
        p.drawLine(QPointF(x + s * 0.85, y + s * 0.15), QPointF(x + s * 0.15, y + s * 0.85));
        break;
    case Glyph::Next:
        p.drawPath(playTriangle(x, y + s * 0.1, s * 0.8));
        p.drawRect(QRectF(x + s * 0.72, y + s * 0.1, s * 0.2, s * 0.8));
        break;
    case Glyph::Previous:
        p.drawRect(QRectF(x + s * 0.08, y + s * 0.1, s * 0.2, s * 0.8));
        p.drawPath(
            triangle({x + s, y + s * 0.1}, {x + s * 0.2, y + s * 0.5}, {x + s, y + s * 0.9}));
        break;
    case Glyph::Pause:
        p.drawRect(QRectF(x + s * 0.15, y + s * 0.05, s * 0.25, s * 0.9));
        p.drawRect(QRectF(x + s * 0.6, y + s * 0.05, s * 0.25, s * 0.9));
        break;
    case Glyph::Minimise:
        p.drawRect(QRectF(x + s * 0.1, y + s * 0.7, s * 0.8, s * 0.22));
        break;
    default:
        break;
    }
}

} // namespace

bool labelFamilyInstalled()
{
    return QFontDatabase::families().contains(kLabelFamily.toString());
}

QFont fittedLabelFont(const QString &text, int maxPixelSize, int width)
{
    QFont font(kLabelFamily.toString());
    font.setStyleStrategy(QFont::PreferAntialias);
    for (int size = maxPixelSize; size > 6; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= width)
            break;
    }
    return font;
}

void drawGlyph(QPainter &painter, Glyph glyph, const QRectF &box, const QColor &ink)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    switch (glyph) {
    case Glyph::None:
        break;
    case Glyph::Landscape:
        drawLandscape(painter, box, ink);
        break;
    case Glyph::PlayStop:
        drawPlayStop(painter, box, ink);
        break;
    case Glyph::PauseMinimise:
        drawPauseMinimise(painter, box, ink);
        break;
    case Glyph::Sliders:
        drawSliders(painter, box, ink);
        break;
    case Glyph::List:
        drawList(painter, box, ink);
        break;
    case Glyph::Film:
        drawFilm(painter, box, ink);
        break;
    case Glyph::Magnifier:
        drawMagnifier(painter, box, ink);
        break;
    case Glyph::NewDocument:
        drawNewDocument(painter, box, ink);
        break;
    case Glyph::Folder:
        drawFolder(painter, box, ink);
        break;
    case Glyph::Disk:
        drawDisk(painter, box, ink);
        break;
    default:
        drawPlayerSymbol(painter, glyph, box, ink);
        break;
    }
    painter.restore();
}
