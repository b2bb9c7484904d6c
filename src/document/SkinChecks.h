#pragma once

#include "document/SkinValues.h"

#include <QStringList>
#include <optional>
#include <vector>

// What a save checks of the skin's values before anything is written.
namespace SkinChecks {

// A field the skin uses, as the save's checks meet it: section by section in
// panel order, each section's first picture, its optional pictures, a
// slider's size, then its places and sizes; only while the section's box and
// the field's own box are ticked. A slider's size is its background picture
// when that is switched on, otherwise its height (vertical) or width field.
struct UsedField {
    const Sections::Section *section;
    Sections::Test test; // Image or Number
    qint16 field;        // Text1
};
std::vector<UsedField> usedFields(const SkinValues &values);

// The first used field that fails: a picture that names no file, a place
// that is empty or no whole number from 0 to 32767. The message is the one
// the user is shown, under its title: what was checked.
struct Failure {
    const Sections::Section *section;
    qint16 field;
    QString message;
    QString title;
};
std::optional<Failure> firstFailure(const SkinValues &values);

// The texts of the picture fields the skin uses, in field order, so that of
// two pictures of one name the later field's wins.
QStringList usedImagePaths(const SkinValues &values);

} // namespace SkinChecks
