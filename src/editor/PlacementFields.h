#pragma once

#include <QPoint>
#include <QString>

// Where the panels keep an element's place: its section's LEFT and TOP
// fields. The preview canvas moves elements through it, so that the fields
// always hold what the canvas shows.
class PlacementFields {
public:
    virtual ~PlacementFields() = default;

    // LEFT and TOP as the fields hold them (empty counts as 0).
    virtual QPoint position(qint16 slot) const = 0;
    // Writes LEFT and TOP into the fields, as typing them would.
    virtual void setPosition(qint16 slot, QPoint position) = 0;
    // The caption of the element's section, for labels on the canvas.
    virtual QString name(qint16 slot) const = 0;
};
