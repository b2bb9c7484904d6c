#pragma once

#include "document/clsElement.h"

// Every text member of a record, in declaration order, with its accessors,
// so tests can walk all members instead of naming them one by one.
struct ElementMember {
    const char *name;
    clsElement::Setter set;
    clsElement::Getter get;
};

inline constexpr ElementMember kElementMembers[] = {
    {"Title", &clsElement::setTitle, &clsElement::getTitle},
    {"Author", &clsElement::setAuthor, &clsElement::getAuthor},
    {"Copyright", &clsElement::setCopyright, &clsElement::getCopyright},
    {"Top", &clsElement::setTop, &clsElement::getTop},
    {"Left", &clsElement::setLeft, &clsElement::getLeft},
    {"Height", &clsElement::setHeight, &clsElement::getHeight},
    {"Width", &clsElement::setWidth, &clsElement::getWidth},
    {"Upimage", &clsElement::setUpimage, &clsElement::getUpimage},
    {"Hoverimage", &clsElement::setHoverimage, &clsElement::getHoverimage},
    {"Downimage", &clsElement::setDownimage, &clsElement::getDownimage},
    {"Disableimage", &clsElement::setDisableimage, &clsElement::getDisableimage},
    {"Transcolor", &clsElement::setTranscolor, &clsElement::getTranscolor},
    {"Titlebar", &clsElement::setTitlebar, &clsElement::getTitlebar},
    {"Bordersize", &clsElement::setBordersize, &clsElement::getBordersize},
    {"Direction", &clsElement::setDirection, &clsElement::getDirection},
    {"Backcolor", &clsElement::setBackcolor, &clsElement::getBackcolor},
    {"Forecolor", &clsElement::setForecolor, &clsElement::getForecolor},
    {"Fontsize", &clsElement::setFontsize, &clsElement::getFontsize},
    {"Listitemvis", &clsElement::setListitemvis, &clsElement::getListitemvis},
    {"columnvis", &clsElement::setcolumnvis, &clsElement::getcolumnvis},
    {"Dropdownvis", &clsElement::setDropdownvis, &clsElement::getDropdownvis},
    {"Scrolling", &clsElement::setScrolling, &clsElement::getScrolling},
    {"Scrollamt", &clsElement::setScrollamt, &clsElement::getScrollamt},
};

inline const ElementMember *elementMember(const QByteArray &name)
{
    for (const auto &m : kElementMembers) {
        if (name == m.name) {
            return &m;
        }
    }
    return nullptr;
}
