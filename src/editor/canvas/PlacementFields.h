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

    // LEFT and TOP as the fields hold them (empty counts as 0).
    virtual QPoint position(qint16 slot) const = 0;
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

signals:
    void positionChanged(qint16 slot);
};
