#pragma once

#include <QRect>
#include <QString>
#include <vector>

class QPainter;
class clsFileControl;

namespace Preview {

// An element the player draws itself, so the skin gives it no picture: the
// playlist, the track-name text, the video and effects area.
struct Area {
    qint16 slot;
    QString name;
    QRect rect;
};

// The areas present in the document, at their TOP, LEFT, width and height;
// none where TOP or LEFT is no place the player takes.
// The track name has no height of its own: one line of its font size.
std::vector<Area> pictureLessAreas(const clsFileControl &document);

// A dashed rectangle with the area's name in its corner.
void drawAreaOutline(QPainter &painter, const Area &area);

} // namespace Preview
