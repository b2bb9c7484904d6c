#pragma once

#include "PlacementFields.h"

class frmMain;

// An element's place in the panels: its section's LEFT and TOP fields, and
// its section's caption as its name.
class PanelPlacements : public PlacementFields {
public:
    explicit PanelPlacements(frmMain &window) : m_window(window) {}

    QPoint position(qint16 slot) const override;
    void setPosition(qint16 slot, QPoint position) override;
    QString name(qint16 slot) const override;

private:
    frmMain &m_window;
};
