#pragma once

#include "RenderOptions.h"
#include "document/ElementTable.h"

#include <QString>
#include <array>
#include <vector>

class clsFileControl;

namespace Preview {

// One element to draw: its first image, transparency colour text (#RRGGBB),
// TOP and LEFT, as the element's record holds them.
struct DrawEntry {
    qint16 slot;
    QString image;
    QString transcolor;
    QString top;
    QString left;
};

// The elements drawn over the background of a skin drawn from its file
// alone, in drawing order: a later one covers an earlier one. Play, stop and
// close are always part of a skin; the others only when present. The
// playlist, the track name and the video and effects areas are never drawn.
struct DrawRow {
    qint16 slot;
    bool optional;
};
inline constexpr std::array<DrawRow, 13> kDrawOrder{{
    {Slot::PlayButton, false},
    {Slot::StopButton, false},
    {Slot::CloseButton, false},
    {Slot::NextButton, true},
    {Slot::PrevButton, true},
    {Slot::PauseButton, true},
    {Slot::RepeatButton, true},
    {Slot::ShuffleButton, true},
    {Slot::MinimizeButton, true},
    {Slot::ReturnButton, true},
    {Slot::SeekSlider, true},
    {Slot::VolumeSlider, true},
    {Slot::BalanceSlider, true},
}};

// One element the preview may draw, as the panels show it: whether its
// section is switched on and the text of its first-image field.
struct PanelElement {
    qint16 slot;
    bool switchedOn;
    QString imageField;
};

// What the preview reads from the panels besides the document: the
// background image field and the elements it may draw, in drawing order.
struct PanelState {
    QString background;
    std::vector<PanelElement> elements;

    // The state a document's own records describe, for drawing a skin
    // without panels: the view's image, presence flags and first images.
    static PanelState fromDocument(const clsFileControl &document);
};

// The entries whose element is switched on and whose first-image field
// names an existing file, in drawing order. With options, a button shows its
// hover or pressed image where it has one, and a slider's background comes
// just before its thumb. AppError 5 when a field holds a path no file system
// can hold.
std::vector<DrawEntry> makeDrawList(const clsFileControl &document, const PanelState &state,
                                    const RenderOptions &options = {});

} // namespace Preview
