#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

// Small pictograms shared by the side-menu buttons and the sample images.
enum class Glyph {
    None,
    Landscape,
    PlayStop,
    PauseMinimise,
    Sliders,
    List,
    Film,
    Magnifier,
    NewDocument,
    Folder,
    Disk,
    Play,
    Stop,
    Close,
    Next,
    Previous,
    Pause,
    Minimise,
};

// The family that every label is drawn in, named outright so the pictures do
// not depend on which font the system would pick by default.
inline constexpr QStringView kLabelFamily = u"IPAGothic";

bool labelFamilyInstalled();

// The label font at the largest pixel size up to maxPixelSize whose text fits
// into width.
QFont fittedLabelFont(const QString &text, int maxPixelSize, int width);

void drawGlyph(QPainter &painter, Glyph glyph, const QRectF &box, const QColor &ink);
