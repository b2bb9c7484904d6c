#include "StoreChoice.h"

#include <algorithm>
#include <iterator>

namespace StoreChoice {

namespace {

// The signatures of picture formats that carry their own compression.
constexpr QByteArrayView kCompressedSignatures[] = {
    QByteArrayView("\xFF\xD8\xFF", 3),                        // JPEG
    QByteArrayView("\x89PNG\r\n\x1A\n", 8),                   // PNG
    QByteArrayView("GIF87a", 6), QByteArrayView("GIF89a", 6), // GIF
};

// Deflate must save at least this share, in hundredths.
constexpr qint64 kMinimumSavingPercent = 2;

} // namespace

bool isCompressedPicture(QByteArrayView head)
{
    return std::any_of(std::begin(kCompressedSignatures), std::end(kCompressedSignatures),
                       [&](QByteArrayView signature) { return head.startsWith(signature); });
}

qint64 largestWorthDeflating(qint64 size)
{
    return size * (100 - kMinimumSavingPercent) / 100;
}

} // namespace StoreChoice
