#include "SamplePictures.h"

#include <QLinearGradient>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

struct SampleButton {
    QStringView stem;
    Glyph glyph;
    QStringView suffix;
};

// Buttons come in BMP and GIF only: a JPEG would smear the key colour into the shape.
const SampleButton kSampleButtons[] = {
    {u"play", Glyph::Play, u"bmp"},         {u"stop", Glyph::Stop, u"gif"},
    {u"close", Glyph::Close, u"gif"},       {u"next", Glyph::Next, u"bmp"},
    {u"previous", Glyph::Previous, u"bmp"}, {u"pause", Glyph::Pause, u"gif"},
    {u"minimize", Glyph::Minimise, u"gif"},
};

struct StateName {
    QStringView suffix;
    ButtonState state;
};

const StateName kButtonStates[] = {
    {u"", ButtonState::Normal},
    {u"_down", ButtonState::Pressed},
    {u"_hover", ButtonState::Hover},
};

struct FixedSample {
    QStringView fileName;
    QSize size;
    SampleShape shape;
};

const FixedSample kFixedSamples[] = {
    {u"background.bmp", {300, 200}, SampleShape::Player},
    {u"background_plain.jpg", {300, 200}, SampleShape::PlainBackground},
    {u"seek_thumb.gif", {15, 9}, SampleShape::HorizontalThumb},
    {u"balance_thumb.bmp", {15, 9}, SampleShape::HorizontalThumb},
    {u"volume_thumb.gif", {12, 20}, SampleShape::VerticalThumb},
    {u"seek_back.bmp", {200, 16}, SampleShape::HorizontalTrack},
    {u"balance_back.jpg", {200, 16}, SampleShape::PlainTrack},
    {u"volume_back.gif", {16, 150}, SampleShape::VerticalTrack},
};

QLinearGradient vertical(const QRectF &r, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QLinearGradient horizontal(const QRectF &r, const QColor &left, const QColor &right)
{
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, left);
    g.setColorAt(1, right);
    return g;
}

// Shapes that border the key colour are drawn without anti-aliasing, so every
// pixel is either exactly the key or clearly part of the shape.
void fillKeyedShape(QPainter &p, const QRect &r, qreal radius, const QBrush &brush)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawRoundedRect(r, radius, radius);
}

void paintPlayer(QPainter &p, const QRect &all)
{
    const QRect body = all.adjusted(10, 8, -10, -8);
    fillKeyedShape(p, body, 26, vertical(body, QColor(58, 72, 104), QColor(20, 27, 43)));
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF display(30, 26, 240, 78);
    p.setPen(QPen(QColor(120, 150, 200), 2));
    p.setBrush(vertical(display, QColor(10, 40, 56), QColor(4, 20, 30)));
    p.drawRoundedRect(display, 8, 8);
    p.setPen(QPen(QColor(90, 110, 150), 1));
    p.drawLine(QPointF(30, 140), QPointF(270, 140));
}

void paintPlainBackground(QPainter &p, const QRect &all)
{
    p.fillRect(all, vertical(all, QColor(70, 96, 140), QColor(24, 32, 56)));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(255, 255, 255, 24), 6));
    for (int x = -all.height(); x < all.width(); x += 24)
        p.drawLine(x, all.height(), x + all.height(), 0);
}

void paintButton(QPainter &p, const QRect &all, Glyph glyph, ButtonState state)
{
    struct Look {
        QColor top, bottom, ink;
    };
    const Look look =
        state == ButtonState::Pressed ? Look{{34, 56, 96}, {62, 92, 146}, {210, 220, 236}}
        : state == ButtonState::Hover ? Look{{132, 168, 228}, {68, 104, 170}, {255, 244, 170}}
                                      : Look{{92, 126, 186}, {44, 74, 128}, {255, 255, 255}};
    fillKeyedShape(p, all, 10, vertical(all, look.top, look.bottom));
    const qreal shift = state == ButtonState::Pressed ? 1 : 0;
    const QRectF box(all.center().x() - 5.5 + shift, all.center().y() - 5.5 + shift, 12, 12);
    drawGlyph(p, glyph, box, look.ink);
}

void paintThumb(QPainter &p, const QRect &all, bool upright)
{
    const QRect &body = all;
    const QLinearGradient fill =
        upright ? horizontal(body, QColor(232, 236, 242), QColor(128, 138, 156))
                : vertical(body, QColor(232, 236, 242), QColor(128, 138, 156));
    fillKeyedShape(p, body, 3, fill);
    p.setPen(QColor(60, 68, 84));
    if (upright)
        p.drawLine(2, all.center().y(), all.width() - 3, all.center().y());
    else
        p.drawLine(all.center().x(), 2, all.center().x(), all.height() - 3);
}

void paintTrack(QPainter &p, const QRect &all, bool upright)
{
    const QRect groove = upright ? QRect(all.center().x() - 3, 2, 6, all.height() - 4)
                                 : QRect(2, all.center().y() - 3, all.width() - 4, 6);
    fillKeyedShape(p, groove, 3, QColor(26, 34, 51));
    p.setPen(QColor(140, 160, 200));
    if (upright)
        p.drawLine(groove.right(), groove.top() + 3, groove.right(), groove.bottom() - 3);
    else
        p.drawLine(groove.left() + 3, groove.bottom(), groove.right() - 3, groove.bottom());
}

void paintPlainTrack(QPainter &p, const QRect &all)
{
    p.fillRect(all, vertical(all, QColor(40, 52, 80), QColor(14, 20, 34)));
    p.fillRect(QRect(4, all.center().y() - 1, all.width() - 8, 3), QColor(150, 176, 220));
}

} // namespace

std::vector<SamplePicture> samplePictures()
{
    std::vector<SamplePicture> pictures;
    for (const FixedSample &fixed : kFixedSamples)
        pictures.push_back({fixed.fileName.toString(), fixed.size, fixed.shape});
    for (const SampleButton &button : kSampleButtons) {
        for (const StateName &state : kButtonStates) {
            const QString name = u"%1%2.%3"_s.arg(button.stem, state.suffix, button.suffix);
            pictures.push_back(
                {name, kSampleButtonSize, SampleShape::Button, button.glyph, state.state});
        }
    }
    return pictures;
}

QImage renderSample(const SamplePicture &sample)
{
    QImage image(sample.size, QImage::Format_RGB32);
    image.fill(kTransparencyKey);
    QPainter p(&image);
    const QRect all = image.rect();
    switch (sample.shape) {
    case SampleShape::Player:
        paintPlayer(p, all);
        break;
    case SampleShape::PlainBackground:
        paintPlainBackground(p, all);
        break;
    case SampleShape::Button:
        paintButton(p, all, sample.glyph, sample.state);
        break;
    case SampleShape::HorizontalThumb:
        paintThumb(p, all, false);
        break;
    case SampleShape::VerticalThumb:
        paintThumb(p, all, true);
        break;
    case SampleShape::HorizontalTrack:
        paintTrack(p, all, false);
        break;
    case SampleShape::PlainTrack:
        paintPlainTrack(p, all);
        break;
    case SampleShape::VerticalTrack:
        paintTrack(p, all, true);
        break;
    }
    return image;
}
