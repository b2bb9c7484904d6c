#pragma once

#include <QIcon>
#include <QPoint>
#include <QRect>
#include <QStringView>
#include <optional>
#include <span>
#include <vector>

// Aligning, distributing and snapping elements of a skin, in skin pixels.
//
// The three lines of a rect along an axis, used by every function here:
//   start  = left               (top)
//   centre = left + width / 2   (top + height / 2), integer division
//   end    = left + width       (top + height), the first pixel past the rect
// A rect with a negative size counts as one of size 0. Every place given back
// lies within 0 to WmsFields::kMaxPlace on both axes.
namespace Arrange {

// Arrow keys move a selection by one pixel, with Shift by this many.
inline constexpr int kShiftStep = 10;
// A place moved to stays within what a field takes: 0 to the largest place.
QPoint withinPlaces(QPoint point);

enum class Command { Left, HCenter, Right, Top, VCenter, Bottom, DistributeH, DistributeV };

// The commands in menu order with their captions.
struct Entry {
    Command command;
    QStringView caption;
};
std::span<const Entry> entries();

// The new top-left corner of each rect of the selection (same order) after the
// command.
// Align: the rects' start, centre or end lines are put on the same line of the
// bounds of the selection, or of `background` when the selection has one rect
// (an empty background leaves that one rect where it is).
// Distribute: with three or more rects, sorted by their start line along the
// axis (equal starts keep their selection order), the first and the last stay
// and the ones between are placed so that the gaps between neighbours (the
// next one's start minus this one's end) are equal; where the space does not
// divide evenly, the first gaps are one pixel wider. Fewer than three rects
// stay where they are.
std::vector<QPoint> arrange(Command command, const std::vector<QRect> &selection, QRect background);

// Whether the command would move any rect of the selection.
bool changesAnything(Command command, const std::vector<QRect> &selection, QRect background);

// Snapping of a moving rect: any of its three lines along an axis snaps to any
// of the three lines of `others` and of `background` (when not empty) within
// `tolerance` skin pixels. Per axis the nearest line wins; on a tie the first
// found, looking at the background first, then `others` in order. `offset` is
// what to add to the moving rect's place; a guide is the skin coordinate of
// the line snapped to. A snap that would put the rect outside 0 to kMaxPlace is
// not taken.
struct Snap {
    QPoint offset;
    std::optional<int> guideX;
    std::optional<int> guideY;
};
Snap snap(QRect moving, const std::vector<QRect> &others, QRect background, int tolerance);

// A 24 x 24 icon for the command (with a 48 x 48 picture for dense screens):
// grey boxes as the command leaves them and the line they keep to.
QIcon icon(Command command);

} // namespace Arrange
