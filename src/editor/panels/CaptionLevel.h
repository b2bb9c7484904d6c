#pragma once

#include <span>

class QLabel;

// Puts each caption's line of text on the middle line of the control beside
// it (the nearest one to its right in the same holder), inside the caption's
// own box; captions are never each other's control.
void levelCaptions(std::span<QLabel *const> captions);
