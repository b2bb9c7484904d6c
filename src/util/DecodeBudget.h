#pragma once

#include "GetImage.h"

#include <QSize>
#include <optional>

// How much picture the program decodes for one job: one rendering of the
// preview, one check of a skin, one picture of the chooser. Skin pictures are
// small; a file that claims more (a few bytes of GIF can claim 5700 x 5700) or
// whose decoding would take minutes counts as undecodable, wherever it is met.
class DecodeBudget {
public:
    // 25 million pixels (100 MB at four bytes a pixel): far beyond any skin
    // background, a 5000 x 5000 picture still fits.
    static constexpr qint64 kPixelsPerPicture = 25'000'000;
    // What all the pictures of one job may hold together.
    static constexpr qint64 kPixelsInTotal = 64'000'000;
    // A real JPEG has one scan per component, or a dozen when progressive;
    // each scan may cost a pass over the whole picture.
    static constexpr qint32 kMaxJpegScans = 300;

    // Takes width x height pixels from what is left: false, and nothing
    // taken, when the picture alone or together with the earlier ones is too
    // large, or its size is no size.
    bool take(qint64 width, qint64 height);

    qint64 used() const { return m_used; }

    // The size a decoder makes of a picture, given the size its image reader
    // tells and what the header reader tells of the same file (nothing where
    // the header overflows or breaks off): a GIF decodes to the size of its
    // screen, which the header reader tells and the image reader (its first
    // picture's) may not.
    static QSize decodedSize(const std::optional<ImageSize> &header, const QSize &readerSize);

private:
    qint64 m_used = 0;
};
