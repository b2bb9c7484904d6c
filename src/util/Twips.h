#pragma once

#include <QRect>
#include <QSize>

// Window geometry is kept in twips, as laid out; 15 twips are one pixel.
namespace Twips {

inline constexpr int kPerPixel = 15;

constexpr int toPixels(int twips)
{
    // Round to the nearest pixel, halves away from zero.
    return twips >= 0 ? (twips + kPerPixel / 2) / kPerPixel
                      : -((-twips + kPerPixel / 2) / kPerPixel);
}

inline QSize toPixels(QSize twips)
{
    return {toPixels(twips.width()), toPixels(twips.height())};
}

inline QRect toPixels(QRect twips)
{
    return {toPixels(twips.x()), toPixels(twips.y()), toPixels(twips.width()),
            toPixels(twips.height())};
}

} // namespace Twips
