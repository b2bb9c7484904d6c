#include "AreaOutlines.h"

#include "document/ElementTable.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "util/clsFunction.h"
#include "wms/WmsFields.h"

#include <QPainter>
#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace Preview {

namespace {

struct AreaRow {
    qint16 slot;
    QStringView name;
};
constexpr AreaRow kAreas[] = {
    {Slot::Playlist, u"プレイリスト"},
    {Slot::TrackNameText, u"演奏中トラック表示"},
    {Slot::Video, u"ビデオ＆エフェクト"},
};

const QColor kOutline(0, 96, 208);

// A font size in points as pixels on a 96 dpi screen, with a little room.
int lineHeight(const clsElement &record)
{
    return std::max(12, int(clsFunction::NulltoZero(record.getFontsize())) * 4 / 3 + 4);
}

} // namespace

std::vector<Area> pictureLessAreas(const clsFileControl &document)
{
    std::vector<Area> areas;
    for (const AreaRow &row : kAreas) {
        const clsElement &record = *document.getElement(row.slot);
        const std::optional<qint16> left = WmsFields::drawnPlace(record.getLeft());
        const std::optional<qint16> top = WmsFields::drawnPlace(record.getTop());
        // An area whose place the player does not take is outlined nowhere.
        if (record.getExistFlag() != 1 || !left || !top) {
            continue;
        }
        const auto number = [&record](clsElement::Getter field) {
            return int(clsFunction::NulltoZero((record.*field)()));
        };
        const int height =
            row.slot == Slot::TrackNameText ? lineHeight(record) : number(&clsElement::getHeight);
        areas.push_back(
            {row.slot, row.name.toString(),
             QRect(*left, *top, std::max(1, number(&clsElement::getWidth)), std::max(1, height))});
    }
    return areas;
}

void drawAreaOutline(QPainter &painter, const Area &area)
{
    painter.save();
    painter.setPen(QPen(kOutline, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.rect.adjusted(0, 0, -1, -1));
    const QRect label = painter.fontMetrics().boundingRect(area.name).adjusted(-2, 0, 2, 0);
    const QRect at(area.rect.topLeft() + QPoint(1, 1), label.size());
    painter.fillRect(at, QColor(255, 255, 255, 200));
    painter.setPen(kOutline);
    painter.drawText(at, Qt::AlignCenter, area.name);
    painter.restore();
}

} // namespace Preview
