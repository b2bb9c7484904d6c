#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <utility>
#include <vector>

// Where the panels keep an element's place: its section's LEFT and TOP
// fields. The canvas moves elements through it and follows it: whatever
// changes a LEFT or TOP (typing, a move, an undo) is told to the canvas.
class PlacementFields : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // LEFT and TOP as the fields hold them (empty counts as 0); a place
    // beyond the range taken as its nearer end, so that a mark points the
    // way the element lies.
    virtual QPoint position(qint16 slot) const = 0;
    // Whether LEFT and TOP are places the element is drawn at: not, when
    // either holds no whole number from 0 to the largest place.
    virtual bool isPlaced(qint16 slot) const = 0;
    // Writes LEFT and TOP into the fields as one step of the edit history;
    // moves of one arrow run (non-zero) merge into one step.
    void setPosition(qint16 slot, QPoint position, quint64 arrowRun = 0)
    {
        setPositions({{slot, position}}, arrowRun);
    }
    // Several elements moved together, as one step; text names it (empty: a move).
    virtual void setPositions(const std::vector<std::pair<qint16, QPoint>> &positions,
                              quint64 arrowRun = 0, const QString &text = {}) = 0;
    // The caption of the element's section, for labels on the canvas.
    virtual QString name(qint16 slot) const = 0;
    // The caption of the field that holds one of the element's WMS
    // attributes ("TOP" for top), for what is said of its value; the
    // attribute itself when no field of the section holds it.
    virtual QString caption(qint16 slot, const QString &attribute) const = 0;

signals:
    void positionChanged(qint16 slot);
};
