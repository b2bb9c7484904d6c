#pragma once

#include <QImage>
#include <QSize>

// A Format_RGB32 picture of size for drawing the preview on, its pixels not
// yet set; null when there is no memory for it. Its memory is asked of the
// system in one go: a 1920 x 1080 canvas spans some 2,000 pages, and taking
// them one by one, each at the first write to it, costs several times as
// much as copying the background into them.
QImage newCanvas(QSize size);
