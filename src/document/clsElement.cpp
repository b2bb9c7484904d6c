#include "clsElement.h"

using namespace Qt::StringLiterals;

void clsElement::initMember()
{
    *this = clsElement();
    m_Transcolor = u"#FF0000"_s;
    m_Titlebar = u"False"_s;
    m_Direction = u"horizontal"_s;
    m_Backcolor = u"#FF0000"_s;
    m_Forecolor = u"#FF0000"_s;
    m_Fontsize = u"10"_s;
    m_Listitemvis = u"True"_s;
    m_columnvis = u"False"_s;
    m_Dropdownvis = u"True"_s;
    m_Scrolling = u"True"_s;
    m_Scrollamt = u"5"_s;
}
