#pragma once

#include <QString>

// The properties of one skin element: 23 texts and a presence flag. A plain
// record: it stores exactly what it is given and converts nothing.
class clsElement {
public:
// One setter and one getter per text property, parameters named pstr + property.
#define VELMORA_ELEMENT_TEXT(Name)                                                                 \
    void set##Name(const QString &pstr##Name)                                                      \
    {                                                                                              \
        m_##Name = pstr##Name;                                                                     \
    }                                                                                              \
    QString get##Name() const                                                                      \
    {                                                                                              \
        return m_##Name;                                                                           \
    }

    VELMORA_ELEMENT_TEXT(Title)
    VELMORA_ELEMENT_TEXT(Author)
    VELMORA_ELEMENT_TEXT(Copyright)
    VELMORA_ELEMENT_TEXT(Top)
    VELMORA_ELEMENT_TEXT(Left)
    VELMORA_ELEMENT_TEXT(Height)
    VELMORA_ELEMENT_TEXT(Width)
    VELMORA_ELEMENT_TEXT(Upimage)
    VELMORA_ELEMENT_TEXT(Hoverimage)
    VELMORA_ELEMENT_TEXT(Downimage)
    VELMORA_ELEMENT_TEXT(Disableimage)
    VELMORA_ELEMENT_TEXT(Transcolor)
    VELMORA_ELEMENT_TEXT(Titlebar)
    VELMORA_ELEMENT_TEXT(Bordersize)
    VELMORA_ELEMENT_TEXT(Direction)
    VELMORA_ELEMENT_TEXT(Backcolor)
    VELMORA_ELEMENT_TEXT(Forecolor)
    VELMORA_ELEMENT_TEXT(Fontsize)
    VELMORA_ELEMENT_TEXT(Listitemvis)
    VELMORA_ELEMENT_TEXT(columnvis)
    VELMORA_ELEMENT_TEXT(Dropdownvis)
    VELMORA_ELEMENT_TEXT(Scrolling)
    VELMORA_ELEMENT_TEXT(Scrollamt)
#undef VELMORA_ELEMENT_TEXT

    void setExistFlag(qint16 pintFlag)
    {
        m_ExistFlag = pintFlag;
    }
    qint16 getExistFlag() const
    {
        return m_ExistFlag;
    }

    // Resets every member to the editor's defaults for a fresh element.
    void initMember();

    // Accessor types, for tables that map file attributes or fields to members.
    using Setter = void (clsElement::*)(const QString &);
    using Getter = QString (clsElement::*)() const;

private:
    QString m_Title;
    QString m_Author;
    QString m_Copyright;
    QString m_Top;
    QString m_Left;
    QString m_Height;
    QString m_Width;
    QString m_Upimage;
    QString m_Hoverimage;
    QString m_Downimage;
    QString m_Disableimage;
    QString m_Transcolor;
    QString m_Titlebar;
    QString m_Bordersize;
    QString m_Direction;
    QString m_Backcolor;
    QString m_Forecolor;
    QString m_Fontsize;
    QString m_Listitemvis;
    QString m_columnvis;
    QString m_Dropdownvis;
    QString m_Scrolling;
    QString m_Scrollamt;
    qint16 m_ExistFlag = 0;
};
