#pragma once

#include "document/SkinValues.h"

class clsFileControl;

// The copies between the skin's values and the document's records, as
// opening and saving make them.
namespace SkinRecords {

// Puts the values the records hold into values, record by record in panel
// order; what a record does not say (the track name's background colour
// while it is "none") stays as it was. Throws AppError on a value the panels
// cannot show (a text that is no colour, a list value far off its entries):
// the load stops there, values holding what was read before it.
void fromRecords(const clsFileControl &document, SkinValues &values);

// Rebuilds every record from the values. A slider's size, direction and
// border come from its picture files; a picture switched off is left out.
// Throws AppError where a picture's size cannot be taken.
void toRecords(const SkinValues &values, clsFileControl &document);

} // namespace SkinRecords
