#include "ColorKeyCopy.h"

#include <algorithm>

namespace {

QRgb blend(QRgb over, QRgb under)
{
    const int a = qAlpha(over);
    const auto mix = [a](int top, int bottom) {
        return (top * a + bottom * (255 - a) + 127) / 255;
    };
    return qRgb(mix(qRed(over), qRed(under)), mix(qGreen(over), qGreen(under)),
                mix(qBlue(over), qBlue(under)));
}

} // namespace

bool colorKeyCopy(QImage &target, int x, int y, const QImage &source, qint64 width, qint64 height,
                  QRgb key)
{
    return colorKeyCopy(target, x, y, source, width, height, key, target.rect());
}

bool colorKeyCopy(QImage &target, int x, int y, const QImage &source, qint64 width, qint64 height,
                  QRgb key, const QRect &clip)
{
    Q_ASSERT(target.format() == QImage::Format_RGB32);
    const QRect area = clip & target.rect();
    // Source columns and rows [sx0, sx1) x [sy0, sy1) that land inside the area;
    // 64-bit, as a header may claim any size and a field any position.
    const qint64 sx0 = std::max<qint64>(0, qint64(area.left()) - x);
    const qint64 sy0 = std::max<qint64>(0, qint64(area.top()) - y);
    const qint64 sx1 = std::min({width, qint64(source.width()), qint64(area.right()) + 1 - x});
    const qint64 sy1 = std::min({height, qint64(source.height()), qint64(area.bottom()) + 1 - y});
    if (sx0 >= sx1 || sy0 >= sy1) {
        return true;
    }
    const QImage pixels = source.hasAlphaChannel() ? source.convertToFormat(QImage::Format_ARGB32)
                                                   : source.convertToFormat(QImage::Format_RGB32);
    // Writing takes the target's own copy of its pixels (it may share them
    // with the background it was made from): there may be no memory for it.
    if (pixels.isNull() || !target.bits()) {
        return false;
    }
    const QRgb keyColor = key & RGB_MASK;
    for (qint64 sy = sy0; sy < sy1; ++sy) {
        const auto *from =
            reinterpret_cast<const QRgb *>(pixels.constScanLine(static_cast<int>(sy)));
        auto *to = reinterpret_cast<QRgb *>(target.scanLine(static_cast<int>(sy + y)));
        for (qint64 sx = sx0; sx < sx1; ++sx) {
            const QRgb pixel = from[sx];
            const int alpha = qAlpha(pixel);
            if ((pixel & RGB_MASK) == keyColor || alpha == 0) {
                continue;
            }
            to[sx + x] = alpha == 255 ? pixel : blend(pixel, to[sx + x]);
        }
    }
    return true;
}
