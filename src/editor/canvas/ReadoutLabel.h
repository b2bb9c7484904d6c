#pragma once

class QPainter;
class QPoint;
class QRect;
class QString;

// A small label with a light back, so that it reads over any picture, drawn
// at a point and kept inside the part of the canvas shown: the read-out of a
// drag, the note of a canvas without a skin.
void drawReadoutLabel(QPainter &painter, QPoint at, const QString &text, const QRect &visible);
