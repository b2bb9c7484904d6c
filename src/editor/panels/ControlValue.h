#pragma once

#include <QString>

class QRadioButton;
class QWidget;

// One value of the skin that a person can change in the panels: a field's
// text, a box, a list's position, a swatch's colour, or which option of a
// pair is selected (widget: the first option, partner: the second).
struct Control {
    QWidget *widget = nullptr;
    QRadioButton *partner = nullptr;

    friend bool operator==(const Control &, const Control &) = default;
};

// The control's value as text, the same form write takes back: a field's
// text, "1"/"0" for a box or an option pair ("" with neither selected), a
// list's position, a swatch's colour as #rrggbb.
QString readValue(const Control &control);
// Sets the control as a person would, so its change notifications run.
void writeValue(const Control &control, const QString &value);
