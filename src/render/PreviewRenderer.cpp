#include "PreviewRenderer.h"

#include "ColorKeyCopy.h"
#include "PictureCache.h"
#include "WindowColor.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "util/AppError.h"
#include "util/GetImage.h"
#include "util/clsFunction.h"

#include <optional>

namespace Preview {

namespace {

// Draws one entry onto the canvas; the reason when it must be left out.
std::optional<LeftOutReason> drawEntry(QImage &canvas, const DrawEntry &entry,
                                       PictureCache &pictures, QImage &lastElement)
{
    const QImage picture = pictures.picture(entry.image);
    if (picture.isNull()) {
        return LeftOutReason::Unreadable;
    }
    lastElement = picture;
    // The copy takes the header's size, so a picture whose size the header
    // reader does not know is read but leaves nothing on the canvas.
    const std::optional<ImageSize> size = tryImageSize(entry.image, 0);
    if (!size) {
        return LeftOutReason::BadHeader;
    }
    const std::optional<qint32> key = clsFunction::tryColour(entry.transcolor);
    if (!key) {
        return LeftOutReason::BadColour;
    }
    const int y = clsFunction::NulltoZero(entry.top);
    const int x = clsFunction::NulltoZero(entry.left);
    if (!colorKeyCopy(canvas, x, y, picture, size->width, size->height,
                      WindowColor::toRgb(clsFunction::getRGB(*key)))) {
        return LeftOutReason::Unreadable; // no memory for its pixels
    }
    return std::nullopt;
}

} // namespace

Rendering renderPreview(const clsFileControl &document, const PanelState &state)
{
    Rendering rendering;
    if (state.background.isEmpty() || !clsFunction::VerifyFile(state.background)) {
        return rendering;
    }
    PictureCache pictures;
    rendering.background = pictures.picture(document.getElement(Slot::View)->getUpimage());
    if (rendering.background.isNull()) {
        return rendering;
    }
    rendering.canvas = rendering.background.convertToFormat(QImage::Format_RGB32);
    if (rendering.canvas.isNull()) {
        // No memory for a copy this large: as unusable as an unreadable file.
        rendering.background = QImage();
        return rendering;
    }
    for (const DrawEntry &entry : makeDrawList(document, state)) {
        if (const auto reason =
                drawEntry(rendering.canvas, entry, pictures, rendering.lastElement)) {
            rendering.leftOut.push_back({entry.slot, entry.image, *reason});
        }
    }
    return rendering;
}

} // namespace Preview
