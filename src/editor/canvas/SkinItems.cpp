#include "SkinItems.h"

#include <algorithm>

void SkinItems::set(Preview::Scene scene, std::vector<Preview::Area> areas)
{
    m_scene = std::move(scene);
    m_areas = std::move(areas);
}

std::optional<qint16> SkinItems::itemAt(QPoint point) const
{
    if (const std::optional<std::size_t> index = m_scene.elementAt(point)) {
        return m_scene.placed[*index].slot;
    }
    if (m_areasTaken) {
        for (auto area = m_areas.rbegin(); area != m_areas.rend(); ++area) {
            if (area->rect.contains(point)) {
                return area->slot;
            }
        }
    }
    return std::nullopt;
}

std::optional<QRect> SkinItems::rectOf(qint16 slot) const
{
    QRect united;
    for (const Preview::Placed &element : m_scene.placed) {
        if (element.slot == slot) {
            united |= element.rect();
        }
    }
    if (m_areasTaken) {
        for (const Preview::Area &area : m_areas) {
            if (area.slot == slot) {
                united |= area.rect;
            }
        }
    }
    return united.isNull() ? std::nullopt : std::optional(united);
}

std::vector<qint16> SkinItems::items() const
{
    std::vector<qint16> found;
    const auto add = [&found](qint16 slot) {
        if (std::find(found.begin(), found.end(), slot) == found.end()) {
            found.push_back(slot);
        }
    };
    for (const Preview::Placed &element : m_scene.placed) {
        add(element.slot);
    }
    if (m_areasTaken) {
        for (const Preview::Area &area : m_areas) {
            add(area.slot);
        }
    }
    return found;
}

QRect SkinItems::place(const std::vector<std::pair<qint16, QPoint>> &positions)
{
    QRect dirty;
    for (const auto &[slot, position] : positions) {
        for (Preview::Placed &element : m_scene.placed) {
            if (element.slot == slot) {
                dirty |= element.rect();
                element.position = position;
                dirty |= element.rect();
            }
        }
        for (Preview::Area &area : m_areas) {
            if (area.slot == slot) {
                area.rect.moveTopLeft(position);
            }
        }
    }
    return dirty;
}

bool SkinItems::isPlacement(const SkinFinding &finding)
{
    return finding.kind == SkinFinding::Kind::PartlyOutside ||
           finding.kind == SkinFinding::Kind::WhollyOutside;
}

std::optional<SkinFinding> SkinItems::judgePlace(qint16 slot) const
{
    const std::optional<QRect> now = rectOf(slot);
    if (!now || m_scene.background.isNull() || background().contains(*now)) {
        return std::nullopt;
    }
    SkinFinding finding;
    finding.kind = background().intersects(*now) ? SkinFinding::Kind::PartlyOutside
                                                 : SkinFinding::Kind::WhollyOutside;
    finding.slot = slot;
    finding.place = *now;
    finding.background = background().size();
    return finding;
}
