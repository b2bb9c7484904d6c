#pragma once

#include <QColor>

class QWidget;

// The back colour of a field or swatch, the one way the window paints and
// reads it (swatches hold their colour here, greyed fields show button face).
namespace WidgetColors {

QColor white();
// The window system's button-face colour: the look of a greyed field.
QColor buttonFace();
// Captions of the panels' sections: frame titles and the boxes heading frames.
QColor sectionCaption();

void setBackColor(QWidget *widget, const QColor &color);
QColor backColor(const QWidget *widget);

// Colour swatches hold a window colour value, 0x00BBGGRR (red in the lowest
// byte), as their back colour; these convert between the two forms.
QColor fromWindowColor(qint32 value);
qint32 toWindowColor(const QColor &color);

} // namespace WidgetColors
