#pragma once

#include "PanelControls.h"
#include "PlacementFields.h"

class EditHistory;

// An element's place in the panels: its section's LEFT and TOP fields, and
// its section's caption as its name. Moves are steps of the edit history.
class PanelPlacements : public PlacementFields {
public:
    PanelPlacements(const PanelControls &controls, EditHistory &history, QObject *parent = nullptr);

    QPoint position(qint16 slot) const override;
    void setPosition(qint16 slot, QPoint position, quint64 arrowRun = 0) override;
    QString name(qint16 slot) const override;

private:
    PanelControls m_controls;
    EditHistory &m_history;
};
