#pragma once

#include <span>

class QLabel;

// Puts the caption's line of text on the middle line of the control beside
// it (the nearest one to its right in the same holder), inside the caption's
// own box. `captions` are all of the window's: never each other's control.
void levelCaption(QLabel *caption, std::span<QLabel *const> captions);
