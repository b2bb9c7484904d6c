#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <optional>
#include <vector>

namespace Preview {

// One element as it lands on the canvas: its decoded picture, the part of it
// that is copied (the header's size, within the picture) and its key colour.
struct Placed {
    qint16 slot;
    QPoint position;
    QSize size;
    QImage picture; // Format_RGB32 or Format_ARGB32, ready to copy
    QRgb key;

    QRect rect() const { return {position, size}; }
};

// What a preview is drawn from, kept so that a part of the canvas can be
// drawn again when one element moves: the background, the elements in drawing
// order, and the window's transparency colour when its shape is shown.
struct Scene {
    QImage background; // Format_RGB32
    std::vector<Placed> placed;
    std::optional<QRgb> shapeKey;

    // Draws area of canvas (the background's size, Format_RGB32) anew.
    void compose(QImage &canvas, const QRect &area) const;
    // The topmost element under point, as an index into placed.
    std::optional<std::size_t> elementAt(QPoint point) const;
};

} // namespace Preview
