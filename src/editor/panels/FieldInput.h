#pragma once

#include "PanelControls.h"

#include <QObject>
#include <functional>

class QKeyEvent;

// Routes the panels' field and swatch events to the window's handlers:
// entering a field, a key typed into it (which the handler may refuse by
// setting the code to 0), and a swatch clicked or opened from the keyboard.
// Number fields take no composed text, and a chord with Alt or Meta types
// nothing into them.
class FieldInput : public QObject {
public:
    struct Handlers {
        std::function<void(int field)> gotFocus;
        std::function<void(int field, qint16 &keyAscii)> keyPress;
        std::function<void(int swatch)> swatchClick;
    };

    FieldInput(PanelControls controls, Handlers handlers, QObject *parent);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool refuseKey(int field, const QKeyEvent &key);

    PanelControls m_controls;
    Handlers m_handlers;
};
