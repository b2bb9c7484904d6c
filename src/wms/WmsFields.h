#pragma once

#include "document/ElementTable.h"
#include "document/clsElement.h"
#include "util/AppError.h"
#include "util/clsFunction.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <span>

// The attributes the reader takes from each kind of element line, and the
// record members they fill. Whoever needs to know what a WMS file names (the
// reader, the skin check) walks these tables.
namespace WmsFields {

// The entries of one of the track name's lists: the numbers from first to
// last, one of them selected when the editor starts.
struct ListEntries {
    qint16 first, last;
    qint16 startPosition;
};
inline constexpr ListEntries kFontSizes{8, 20, 2};    // "10"
inline constexpr ListEntries kScrollSpeeds{1, 15, 4}; // "5"

// The position in its list of the entry a value names, read as the panels
// read a number; nothing when it names none.
inline std::optional<int> listPosition(const ListEntries &entries, const QString &text)
{
    const std::optional<qint16> number = tryValue([&] { return clsFunction::toInteger16(text); });
    return number && *number >= entries.first && *number <= entries.last
               ? std::optional<int>(*number - entries.first)
               : std::nullopt;
}

// The largest place or size an element takes: the player holds them in 16 bits.
inline constexpr qint16 kMaxPlace = 32767;

// The place or size a value holds: a whole number from 0 to kMaxPlace, as
// the editor's save takes it; nothing for any other text.
inline std::optional<qint16> placeValue(const QString &text)
{
    bool ok = false;
    const short value = text.toShort(&ok);
    return ok && value >= 0 ? std::optional<qint16>(value) : std::nullopt;
}

// Where an element is drawn along one axis: at its place, or at 0 while the
// value is empty (not typed yet). Nothing for any other value: the player
// takes no such place, so the element is drawn nowhere.
inline std::optional<qint16> drawnPlace(const QString &text)
{
    return text.isEmpty() ? std::optional<qint16>(0) : placeValue(text);
}

// What the editor's panels take in a value; the skin check holds a file to it.
enum class Rule {
    Any,
    Colour,        // #RRGGBB
    ColourOrNone,  // #RRGGBB, or "none" for no colour
    Number,        // a whole number from 0 to kMaxPlace; the editor's save asks for it
    NumberOrEmpty, // such a number, or nothing
    ListEntry,     // a number that names an entry of the field's list
};

// One attribute of a line and the record member it fills. Image values are
// file names in the skin's folder and become full paths.
struct Field {
    QStringView attribute;
    clsElement::Setter set;
    clsElement::Getter image = nullptr; // set for image values only
    Rule rule = Rule::Any;
    clsElement::Getter get = nullptr;     // set where rule is not Any
    const ListEntries *entries = nullptr; // set where rule is ListEntry
};

inline constexpr Field kThemeFields[] = {
    {u"title", &clsElement::setTitle},
    {u"author", &clsElement::setAuthor},
    {u"copyright", &clsElement::setCopyright},
};

// Width and height are never written for the view; a file may still carry them.
inline constexpr Field kViewFields[] = {
    {u"titlebar", &clsElement::setTitlebar},
    {u"backgroundimage", &clsElement::setUpimage, &clsElement::getUpimage},
    {u"transparencycolor", &clsElement::setTranscolor, nullptr, Rule::Colour,
     &clsElement::getTranscolor},
    {u"width", &clsElement::setWidth, nullptr, Rule::NumberOrEmpty, &clsElement::getWidth},
    {u"height", &clsElement::setHeight, nullptr, Rule::NumberOrEmpty, &clsElement::getHeight},
};

inline constexpr Field kButtonFields[] = {
    {u"image", &clsElement::setUpimage, &clsElement::getUpimage},
    {u"downimage", &clsElement::setDownimage, &clsElement::getDownimage},
    {u"hoverimage", &clsElement::setHoverimage, &clsElement::getHoverimage},
    {u"transparencycolor", &clsElement::setTranscolor, nullptr, Rule::Colour,
     &clsElement::getTranscolor},
    {u"left", &clsElement::setLeft, nullptr, Rule::Number, &clsElement::getLeft},
    {u"top", &clsElement::setTop, nullptr, Rule::Number, &clsElement::getTop},
};

// The border size is left out: the slider panel computes it again.
inline constexpr Field kSliderFields[] = {
    {u"thumbimage", &clsElement::setUpimage, &clsElement::getUpimage},
    {u"backgroundimage", &clsElement::setHoverimage, &clsElement::getHoverimage},
    {u"direction", &clsElement::setDirection},
    {u"transparencycolor", &clsElement::setTranscolor, nullptr, Rule::Colour,
     &clsElement::getTranscolor},
    {u"left", &clsElement::setLeft, nullptr, Rule::Number, &clsElement::getLeft},
    {u"top", &clsElement::setTop, nullptr, Rule::Number, &clsElement::getTop},
    // A slider with a background image takes its size from the picture.
    {u"width", &clsElement::setWidth, nullptr, Rule::NumberOrEmpty, &clsElement::getWidth},
    {u"height", &clsElement::setHeight, nullptr, Rule::NumberOrEmpty, &clsElement::getHeight},
};

inline constexpr Field kPlaylistFields[] = {
    {u"left", &clsElement::setLeft, nullptr, Rule::Number, &clsElement::getLeft},
    {u"top", &clsElement::setTop, nullptr, Rule::Number, &clsElement::getTop},
    {u"width", &clsElement::setWidth, nullptr, Rule::Number, &clsElement::getWidth},
    {u"height", &clsElement::setHeight, nullptr, Rule::Number, &clsElement::getHeight},
    {u"foregroundcolor", &clsElement::setForecolor, nullptr, Rule::Colour,
     &clsElement::getForecolor},
    {u"backgroundcolor", &clsElement::setBackcolor, nullptr, Rule::Colour,
     &clsElement::getBackcolor},
    {u"dropdownvisible", &clsElement::setDropdownvis},
};

inline constexpr Field kTrackNameFields[] = {
    {u"left", &clsElement::setLeft, nullptr, Rule::Number, &clsElement::getLeft},
    {u"top", &clsElement::setTop, nullptr, Rule::Number, &clsElement::getTop},
    {u"width", &clsElement::setWidth, nullptr, Rule::Number, &clsElement::getWidth},
    {u"fontsize", &clsElement::setFontsize, nullptr, Rule::ListEntry, &clsElement::getFontsize,
     &kFontSizes},
    {u"foregroundcolor", &clsElement::setForecolor, nullptr, Rule::Colour,
     &clsElement::getForecolor},
    {u"backgroundcolor", &clsElement::setBackcolor, nullptr, Rule::ColourOrNone,
     &clsElement::getBackcolor},
    {u"scrolling", &clsElement::setScrolling},
    {u"scrollingamount", &clsElement::setScrollamt, nullptr, Rule::ListEntry,
     &clsElement::getScrollamt, &kScrollSpeeds},
};

inline constexpr Field kEffectsFields[] = {
    {u"left", &clsElement::setLeft, nullptr, Rule::Number, &clsElement::getLeft},
    {u"top", &clsElement::setTop, nullptr, Rule::Number, &clsElement::getTop},
    {u"width", &clsElement::setWidth, nullptr, Rule::Number, &clsElement::getWidth},
    {u"height", &clsElement::setHeight, nullptr, Rule::Number, &clsElement::getHeight},
};

// The table for one kind of element.
constexpr std::span<const Field> fieldsOf(ElementFamily family)
{
    switch (family) {
    case ElementFamily::Theme:
        return kThemeFields;
    case ElementFamily::View:
        return kViewFields;
    case ElementFamily::Button:
        return kButtonFields;
    case ElementFamily::Slider:
        return kSliderFields;
    case ElementFamily::Playlist:
        return kPlaylistFields;
    case ElementFamily::TrackName:
        return kTrackNameFields;
    case ElementFamily::VideoEffects:
        return kEffectsFields;
    }
    return {};
}

} // namespace WmsFields
