#include "DecodeBudget.h"

bool DecodeBudget::take(qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0 || width > kPixelsPerPicture || height > kPixelsPerPicture) {
        return false;
    }
    const qint64 pixels = width * height;
    if (pixels > kPixelsPerPicture || m_used + pixels > kPixelsInTotal) {
        return false;
    }
    m_used += pixels;
    return true;
}

QSize DecodeBudget::decodedSize(const std::optional<ImageSize> &header, const QSize &readerSize)
{
    if (header && header->width > 0 && header->height > 0) {
        return readerSize.expandedTo(QSize(header->width, header->height));
    }
    return readerSize;
}
