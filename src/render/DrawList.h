#pragma once

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

// The elements drawn over the background, in drawing order: a later one
// covers an earlier one. Play, stop and close are always part of a skin; the
// others only when their section is switched on. The playlist, the track
// name and the video and effects areas are never drawn.
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

// What the preview reads from the panels besides the document: the
// background image field, and per row of kDrawOrder whether the element's
// section is switched on and the text of its first-image field.
struct PanelState {
    QString background;
    std::array<bool, kDrawOrder.size()> switchedOn{};
    std::array<QString, kDrawOrder.size()> imageField;

    // The state a document's own records describe, for drawing a skin
    // without panels: the view's image, presence flags and first images.
    static PanelState fromDocument(clsFileControl &document);
};

// The entries whose element is switched on (always, for play, stop and
// close) and whose first-image field names an existing file, in drawing
// order. AppError 5 when a field holds a path no file system can hold.
std::vector<DrawEntry> makeDrawList(clsFileControl &document, const PanelState &state);

} // namespace Preview
