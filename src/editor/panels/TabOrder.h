#pragma once

#include <QWidget>
#include <span>

// The Tab key's path through the panels: reading order, section by section
// (top to bottom), and inside a section row by row, left to right. Shift+Tab
// walks the same path backwards.
namespace TabOrder {

// Chains the focus stops of the panels, one panel after the other. A stop
// that cannot show the focus (a frame, a scrolling area) is taken out.
void followReadingOrder(std::span<QWidget *const> panels);

} // namespace TabOrder
