#pragma once

#include "DrawList.h"
#include "RenderOptions.h"
#include "Scene.h"

#include <QImage>
#include <QString>
#include <vector>

class KeptPictures;
class clsFileControl;

namespace Preview {

// Why an entry of the draw list was left out of the picture.
enum class LeftOutReason {
    Unopenable,  // no regular file that can be read, or gone since it was listed
    Undecodable, // read, but no picture within the decoding budget
    OutsideLink, // a link leading out of the skin's folder: not read
    BadHeader,   // the header reader refused the file
    BadColour,   // the transparency colour is no #RRGGBB text
    BadPlace,    // LEFT or TOP is no place from 0 to the largest: drawn nowhere
};

struct LeftOut {
    qint16 slot;
    QString image;
    LeftOutReason reason;
};

// One rendering of the preview.
struct Rendering {
    // The background as decoded; null when the background field is empty,
    // names no file, or the file holds no readable picture. Nothing else is
    // drawn then.
    QImage background;
    // The background with every entry drawn over it (Format_RGB32, the
    // background's size); null with the background.
    QImage canvas;
    // The picture of the last entry read, which the editor keeps in its
    // hidden scratch box.
    QImage lastElement;
    std::vector<LeftOut> leftOut;
    // What the canvas was drawn from, for drawing parts of it again.
    Scene scene;
};

// Draws the preview of a document: the background at its natural size, then
// each entry of the draw list at (LEFT, TOP) (an empty value counts as 0), its
// size from the header reader (mode 0), pixels of its transparency colour
// left out. An entry whose picture, header or colour cannot be used is left
// out and listed; the others are still drawn. Each file is decoded at most
// once. options: the buttons' look, the sliders' backgrounds and the
// window's shape; the default options draw the skin's first look. AppError 5
// when a field holds a path no file system can hold.
// kept: pictures decoded by earlier renderings, taken while their files are
// unchanged (see KeptPictures).
Rendering renderPreview(const clsFileControl &document, const PanelState &state,
                        const RenderOptions &options = {}, KeptPictures *kept = nullptr);

} // namespace Preview
