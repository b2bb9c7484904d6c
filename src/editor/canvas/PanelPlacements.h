#pragma once

#include "PlacementFields.h"
#include "document/SkinFields.h"
#include "editor/panels/PanelControls.h"

#include <optional>

class EditHistory;

// An element's place in the skin document: its section's LEFT and TOP
// fields, and its section's caption as its name. Moves are steps of the
// document's history.
class PanelPlacements : public PlacementFields {
public:
    PanelPlacements(const PanelControls &controls, EditHistory &history, QObject *parent = nullptr);

    QPoint position(qint16 slot) const override;
    bool isPlaced(qint16 slot) const override;
    void setPositions(const std::vector<std::pair<qint16, QPoint>> &positions, quint64 arrowRun = 0,
                      const QString &text = {}) override;
    QString name(qint16 slot) const override;
    QString caption(qint16 slot, const QString &attribute) const override;
    // The element whose LEFT or TOP field this is; none for other controls.
    std::optional<qint16> placedBy(const QWidget *field) const;
    // The element's own LEFT and TOP fields.
    QLineEdit *leftField(qint16 slot) const;
    QLineEdit *topField(qint16 slot) const;

private:
    // The element whose LEFT or TOP field this is.
    static std::optional<qint16> slotPlacedBy(SkinFields::FieldId field);
    QString text(qint16 field) const;

    PanelControls m_controls;
    EditHistory &m_history;
};
