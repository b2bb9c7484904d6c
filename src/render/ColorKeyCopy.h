#pragma once

#include <QImage>

// Copies the top-left width x height pixels of source onto target with their
// top-left corner at (x, y), pixel for pixel, without scaling. Source pixels
// whose colour is exactly key (alpha aside) are left out, as are fully
// transparent ones; partly transparent pixels are blended over the target.
// The copy is clipped at the edges of both images, so any position and size
// is safe. target must be Format_RGB32. False, with the target untouched,
// when there is no memory for the source's pixels in the form the copy reads,
// or for the target's own copy of pixels it shares.
bool colorKeyCopy(QImage &target, int x, int y, const QImage &source, qint64 width, qint64 height,
                  QRgb key);
// The same, changing only the target's pixels inside clip.
bool colorKeyCopy(QImage &target, int x, int y, const QImage &source, qint64 width, qint64 height,
                  QRgb key, const QRect &clip);
