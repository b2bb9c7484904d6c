#pragma once

#include "render/AreaOutlines.h"
#include "render/PreviewRenderer.h"
#include "render/SkinCheck.h"

#include <QList>
#include <vector>

// What a view of the skin shows: the preview's rendering, the areas the
// skin gives no picture, and what the skin check finds.
struct ShownSkin {
    Preview::Rendering rendering;
    std::vector<Preview::Area> areas;
    QList<SkinFinding> problems;
};
