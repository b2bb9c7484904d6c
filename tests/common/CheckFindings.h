#pragma once

#include "document/ElementTable.h"
#include "render/SkinCheck.h"

#include <QRect>
#include <QSize>
#include <QString>

// The lines `check` prints, asked of the check itself: a test names the
// finding it expects, the check words it.
namespace CheckFindings {

inline SkinFinding finding(SkinFinding::Kind kind, qint16 slot, const QString &attribute = {})
{
    SkinFinding found;
    found.kind = kind;
    found.slot = slot;
    found.element = elementSlot(slot).tag.toString();
    found.attribute = attribute;
    return found;
}

// Of a picture, named by its path (empty: none named).
inline QString picture(SkinFinding::Kind kind, qint16 slot, const QString &attribute,
                       const QString &image)
{
    SkinFinding found = finding(kind, slot, attribute);
    found.image = image;
    return found.describe();
}

// Of a colour or a number as the file holds it.
inline QString value(SkinFinding::Kind kind, qint16 slot, const QString &attribute,
                     const QString &text)
{
    SkinFinding found = finding(kind, slot, attribute);
    found.value = text;
    return found.describe();
}

// Of where an element lies on the background.
inline QString place(SkinFinding::Kind kind, qint16 slot, const QRect &place,
                     const QSize &background)
{
    SkinFinding found = finding(kind, slot);
    found.place = place;
    found.background = background;
    return found.describe();
}

} // namespace CheckFindings
