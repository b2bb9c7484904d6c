#pragma once

#include "document/SkinValues.h"
#include "editor/panels/ControlValue.h"

struct PanelControls;

// The skin's values as the panels' widgets show them.
namespace PanelValues {

// The widget (a choice: the pair of options) that shows a field.
Control controlOf(const SkinFields::Field &field, const PanelControls &controls);

// One field's value as its widget shows it; held is what a list without a
// selection keeps.
QString readField(const SkinFields::Field &field, const PanelControls &controls,
                  const QString &held);
// Sets one field's widget as a person would.
void writeField(const SkinFields::Field &field, const QString &value,
                const PanelControls &controls);
// A value in the form a control takes (a list's position, a colour's #rrggbb
// as Qt names it) in the form the skin's values keep.
QString fromControlText(const SkinFields::Field &field, const QString &text, const QString &held);

// A value as the field's control takes it: fromControlText() backwards (a
// list value no entry shows is "-1").
QString toControlText(const SkinFields::Field &field, const QString &value);

// Every field's value as its widget shows it. A list without a selection
// shows no value: it keeps the one held for it (the value it was loaded
// with, which no entry shows).
SkinValues read(const PanelControls &controls, const SkinValues &held);

// Sets every widget to its field's value as a person would, so that the
// widgets' own notifications run. A list value that names no entry leaves
// the list without a selection.
void write(const SkinValues &values, const PanelControls &controls);

} // namespace PanelValues
