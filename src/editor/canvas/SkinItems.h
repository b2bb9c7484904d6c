#pragma once

#include "render/AreaOutlines.h"
#include "render/Scene.h"
#include "render/SkinCheck.h"

#include <QRect>
#include <optional>
#include <utility>
#include <vector>

// The elements of a shown skin as the canvas tools see them, shared by the
// preview panel and the layout window: where each lies, which is under a
// point (the topmost picture; an area the skin gives no picture only where
// no picture lies), moving them, and judging a moved one against the
// background as the skin check would.
class SkinItems {
public:
    void set(Preview::Scene scene, std::vector<Preview::Area> areas);
    void clear() { set({}, {}); }
    // Whether the areas can be taken and moved (the preview: while outlined).
    void setAreasTaken(bool taken) { m_areasTaken = taken; }

    const Preview::Scene &scene() const { return m_scene; }
    const std::vector<Preview::Area> &areas() const { return m_areas; }
    QRect background() const { return m_scene.background.rect(); }

    std::optional<qint16> itemAt(QPoint point) const;
    // Where an element lies: its pictures (a slider's background with its
    // thumb) or its area.
    std::optional<QRect> rectOf(qint16 slot) const;
    // Every element that can be taken, each once, in drawing order.
    std::vector<qint16> items() const;

    // Puts elements at new places; gives the part of the canvas their
    // pictures left and now cover, to be composed again.
    QRect place(const std::vector<std::pair<qint16, QPoint>> &positions);

    // Whether a finding is about where an element lies.
    static bool isPlacement(const SkinFinding &finding);
    // The element judged where it lies now: off the background, partly or
    // wholly; nothing when it lies on it (or there is no background).
    std::optional<SkinFinding> judgePlace(qint16 slot) const;

private:
    Preview::Scene m_scene;
    std::vector<Preview::Area> m_areas;
    bool m_areasTaken = true;
};
