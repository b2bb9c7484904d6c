#pragma once

#include <QStringList>

class QWidget;

// What the panels held when the skin was last started, opened or saved, so
// that leaving the editor can tell whether work would be lost.
class PanelBaseline {
public:
    // panels: the widget that holds every panel's fields; it must outlive this.
    explicit PanelBaseline(const QWidget &panels) : m_panels(panels) {}

    // Remembers the panels as they are now.
    void take() { m_values = values(); }
    // Whether a field, a box, an option, a list or a swatch differs from then.
    bool changed() const { return values() != m_values; }

private:
    QStringList values() const;

    const QWidget &m_panels;
    QStringList m_values;
};
