#pragma once

#include "document/ElementTable.h"
#include "document/clsElement.h"

#include <QStringView>
#include <span>

// The attributes the reader takes from each kind of element line, and the
// record members they fill. Whoever needs to know what a WMS file names (the
// reader, the skin check) walks these tables.
namespace WmsFields {

// One attribute of a line and the record member it fills. Image values are
// file names in the skin's folder and become full paths.
struct Field {
    QStringView attribute;
    clsElement::Setter set;
    clsElement::Getter image = nullptr; // set for image values only
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
    {u"transparencycolor", &clsElement::setTranscolor},
    {u"width", &clsElement::setWidth},
    {u"height", &clsElement::setHeight},
};

inline constexpr Field kButtonFields[] = {
    {u"image", &clsElement::setUpimage, &clsElement::getUpimage},
    {u"downimage", &clsElement::setDownimage, &clsElement::getDownimage},
    {u"hoverimage", &clsElement::setHoverimage, &clsElement::getHoverimage},
    {u"transparencycolor", &clsElement::setTranscolor},
    {u"left", &clsElement::setLeft},
    {u"top", &clsElement::setTop},
};

// The border size is left out: the slider panel computes it again.
inline constexpr Field kSliderFields[] = {
    {u"thumbimage", &clsElement::setUpimage, &clsElement::getUpimage},
    {u"backgroundimage", &clsElement::setHoverimage, &clsElement::getHoverimage},
    {u"direction", &clsElement::setDirection},
    {u"transparencycolor", &clsElement::setTranscolor},
    {u"left", &clsElement::setLeft},
    {u"top", &clsElement::setTop},
    {u"width", &clsElement::setWidth},
    {u"height", &clsElement::setHeight},
};

inline constexpr Field kPlaylistFields[] = {
    {u"left", &clsElement::setLeft},
    {u"top", &clsElement::setTop},
    {u"width", &clsElement::setWidth},
    {u"height", &clsElement::setHeight},
    {u"foregroundcolor", &clsElement::setForecolor},
    {u"backgroundcolor", &clsElement::setBackcolor},
    {u"dropdownvisible", &clsElement::setDropdownvis},
};

inline constexpr Field kTrackNameFields[] = {
    {u"left", &clsElement::setLeft},
    {u"top", &clsElement::setTop},
    {u"width", &clsElement::setWidth},
    {u"fontsize", &clsElement::setFontsize},
    {u"foregroundcolor", &clsElement::setForecolor},
    {u"backgroundcolor", &clsElement::setBackcolor},
    {u"scrolling", &clsElement::setScrolling},
    {u"scrollingamount", &clsElement::setScrollamt},
};

inline constexpr Field kEffectsFields[] = {
    {u"left", &clsElement::setLeft},
    {u"top", &clsElement::setTop},
    {u"width", &clsElement::setWidth},
    {u"height", &clsElement::setHeight},
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
