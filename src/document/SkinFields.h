#pragma once

#include "document/SectionTable.h"

#include <QString>
#include <QStringView>
#include <compare>
#include <vector>

// Every value of the skin a person can change, one row each: what kind of
// value it is and the control index that shows it (the panels' own indices),
// the section it belongs to and its caption. The values, the names of the
// edit history's steps, the recovery file and the checks name a field by its
// id; each caption is written here once.
namespace SkinFields {

enum class Kind {
    Text,       // a typed field (Text1)
    ImageBox,   // the box that switches an optional picture (Check1)
    SectionBox, // the box that switches a whole section (Check2)
    Choice,     // a pair of options (Option1), named by its first
    Colour,     // a colour swatch (Label2)
    List,       // a drop-down list (Combo1)
};

struct FieldId {
    Kind kind;
    qint16 index;
    friend constexpr auto operator<=>(const FieldId &, const FieldId &) = default;
};

constexpr FieldId text(qint16 index)
{
    return {Kind::Text, index};
}

struct Field {
    FieldId id;
    const Sections::Section *section;
    QStringView caption;              // "LEFT", "文字色", "チェック"
    qint16 partner = Sections::kNone; // a choice's second option
};

// Every field, section by section in panel order.
const std::vector<Field> &all();
// The field of an id; null when the panels have no such field.
const Field *find(FieldId id);
// The name the recovery file keeps a field's value under: the object name
// of the control that shows it ("Text1_7", "Option1_1").
QString recoveryKey(FieldId id);

} // namespace SkinFields
