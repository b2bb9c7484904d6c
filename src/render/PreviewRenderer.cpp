#include "PreviewRenderer.h"

#include "ColorKeyCopy.h"
#include "NewCanvas.h"
#include "PictureCache.h"
#include "WindowColor.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "util/AppError.h"
#include "util/GetImage.h"
#include "util/UserFile.h"
#include "util/clsFunction.h"
#include "wms/WmsFields.h"

#include <algorithm>
#include <optional>

namespace Preview {

namespace {

// The key colour of an entry as Qt's colour value, or nothing for a text
// that is no #RRGGBB.
std::optional<QRgb> keyColour(const QString &colourText)
{
    const std::optional<qint32> key = clsFunction::tryColour(colourText);
    return key ? std::optional(WindowColor::toRgb(clsFunction::getRGB(*key))) : std::nullopt;
}

// The size the header reader tells of the file at path (mode 0), from what
// it told of the same file when it was read: a name the listing leaves out
// tells no size.
std::optional<ImageSize> headerSize(const QString &path, const std::optional<ImageSize> &told)
{
    const std::optional<bool> listed = tryValue([&] { return isListedFile(path); });
    if (!listed) {
        return std::nullopt;
    }
    return *listed ? told : std::optional(ImageSize{});
}

// Places one entry of the draw list; the reason when it must be left out.
std::optional<LeftOutReason> place(const DrawEntry &entry, PictureCache &pictures,
                                   QImage &lastElement, std::vector<Placed> &placed)
{
    // A place the player does not take puts the element nowhere, not at 0.
    const std::optional<qint16> left = WmsFields::drawnPlace(entry.left);
    const std::optional<qint16> top = WmsFields::drawnPlace(entry.top);
    if (!left || !top) {
        return LeftOutReason::BadPlace;
    }
    const Picture read = pictures.picture(entry.image);
    const QImage &picture = read.image;
    if (picture.isNull()) {
        if (pictures.linksOutside(entry.image)) {
            return LeftOutReason::OutsideLink;
        }
        return UserFile::refusal(entry.image) ? LeftOutReason::Unopenable
                                              : LeftOutReason::Undecodable;
    }
    lastElement = picture;
    // The copy takes the header's size, so a picture whose size the header
    // reader does not know is read but leaves nothing on the canvas.
    const std::optional<ImageSize> size = headerSize(entry.image, read.header);
    if (!size) {
        return LeftOutReason::BadHeader;
    }
    const std::optional<QRgb> key = keyColour(entry.transcolor);
    if (!key) {
        return LeftOutReason::BadColour;
    }
    // Converted once here, so that drawing a part again converts nothing.
    const QImage ready = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                           : QImage::Format_RGB32);
    if (ready.isNull()) {
        return LeftOutReason::Undecodable; // no memory for its pixels
    }
    const QSize copied(int(std::clamp<qint64>(size->width, 0, ready.width())),
                       int(std::clamp<qint64>(size->height, 0, ready.height())));
    placed.push_back({entry.slot, {*left, *top}, copied, ready, *key});
    return std::nullopt;
}

} // namespace

Rendering renderPreview(const clsFileControl &document, const PanelState &state,
                        const RenderOptions &options, KeptPictures *kept)
{
    Rendering rendering;
    if (state.background.isEmpty() || !clsFunction::VerifyFile(state.background)) {
        return rendering;
    }
    PictureCache pictures(kept);
    const clsElement &view = *document.getElement(Slot::View);
    rendering.background = pictures.picture(view.getUpimage()).image;
    if (rendering.background.isNull()) {
        return rendering;
    }
    Scene &scene = rendering.scene;
    scene.background = rendering.background.convertToFormat(QImage::Format_RGB32);
    rendering.canvas = newCanvas(scene.background.size());
    if (scene.background.isNull() || rendering.canvas.isNull()) {
        // No memory for a copy this large: as unusable as an unreadable file.
        rendering = Rendering();
        return rendering;
    }
    for (const DrawEntry &entry : makeDrawList(document, state, options)) {
        if (const auto reason = place(entry, pictures, rendering.lastElement, scene.placed)) {
            rendering.leftOut.push_back({entry.slot, entry.image, *reason});
        }
    }
    if (options.shape) {
        scene.shapeKey = keyColour(view.getTranscolor());
    }
    scene.compose(rendering.canvas, rendering.canvas.rect());
    return rendering;
}

} // namespace Preview
