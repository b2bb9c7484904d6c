#pragma once

#include "document/SkinFields.h"

#include <QString>
#include <map>

// The skin as a person edits it: every field's value in its text form. A
// typed field holds its text; a box "1" or "0"; a choice "1" (its first
// option), "0" (its second) or "" (neither); a colour the skin file's
// "#RRGGBB"; a list the text its record holds, an entry of the list or not
// ("7" stays "7"). A field never set reads as empty.
class SkinValues {
public:
    QString value(SkinFields::FieldId id) const;
    void set(SkinFields::FieldId id, const QString &value);
    // A box that is ticked; an id of no box (kNone) counts as ticked.
    bool ticked(SkinFields::Kind kind, qint16 index) const;

    const std::map<SkinFields::FieldId, QString> &all() const { return m_values; }

    friend bool operator==(const SkinValues &, const SkinValues &) = default;

private:
    std::map<SkinFields::FieldId, QString> m_values;
};
