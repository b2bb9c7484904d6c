#pragma once

#include "editor/panels/ControlValue.h"

#include <QString>
#include <vector>

struct PanelControls;
namespace Sections {
struct Section;
} // namespace Sections
namespace SkinFields {
struct Field;
} // namespace SkinFields

// Every value of the panels that a person can change, with the section it
// belongs to and its caption, read from the section table.
struct PanelRole {
    Control control;
    const Sections::Section *section;
    QString caption; // "LEFT", "文字色", "チェック"
    const SkinFields::Field *field;
};

std::vector<PanelRole> panelRoles(const PanelControls &controls);

// The section as its panel heads it: the frame's caption, or the caption of
// the box that switches it.
QString sectionName(const Sections::Section &section);

// What a step that changes the role is called in the Edit menu:
// "PLAYボタンのLEFTの変更".
QString stepText(const PanelRole &role);
