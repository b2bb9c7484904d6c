#include "Scene.h"

#include "ColorKeyCopy.h"

#include <QPainter>

namespace Preview {

namespace {

constexpr int kCheckerSquare = 8;
constexpr QRgb kCheckerLight = 0xFFFFFFFF;
constexpr QRgb kCheckerDark = 0xFFC8C8C8;

// Where the background holds the transparency colour the player's window has
// no pixels: a checkerboard shows the hole, whatever is drawn over it.
void showShape(QImage &canvas, const QImage &background, QRgb key, const QRect &area)
{
    const QRgb keyColor = key & RGB_MASK;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(background.constScanLine(y));
        auto *to = reinterpret_cast<QRgb *>(canvas.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((from[x] & RGB_MASK) == keyColor) {
                const bool light = ((x / kCheckerSquare) + (y / kCheckerSquare)) % 2 == 0;
                to[x] = light ? kCheckerLight : kCheckerDark;
            }
        }
    }
}

} // namespace

void Scene::compose(QImage &canvas, const QRect &area) const
{
    const QRect clip = area & canvas.rect() & background.rect();
    if (clip.isEmpty()) {
        return;
    }
    {
        QPainter painter(&canvas);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(clip.topLeft(), background, clip);
    }
    for (const Placed &element : placed) {
        if (element.rect().intersects(clip)) {
            colorKeyCopy(canvas, element.position.x(), element.position.y(), element.picture,
                         element.size.width(), element.size.height(), element.key, clip);
        }
    }
    if (shapeKey) {
        showShape(canvas, background, *shapeKey, clip);
    }
}

std::optional<std::size_t> Scene::elementAt(QPoint point) const
{
    for (std::size_t i = placed.size(); i-- > 0;) {
        if (placed[i].rect().contains(point)) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace Preview
