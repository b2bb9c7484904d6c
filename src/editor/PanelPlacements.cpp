#include "PanelPlacements.h"

#include "LayoutTables.h"
#include "SectionTable.h"
#include "frmMain.h"

#include <QLineEdit>
#include <algorithm>

namespace {

const Sections::Section &sectionOf(qint16 slot)
{
    return *std::find_if(Sections::kSections.begin(), Sections::kSections.end(),
                         [slot](const Sections::Section &s) { return s.slot == slot; });
}

} // namespace

QPoint PanelPlacements::position(qint16 slot) const
{
    const Sections::Section &section = sectionOf(slot);
    return {m_window.Text1(section.left)->text().toInt(),
            m_window.Text1(section.top)->text().toInt()};
}

void PanelPlacements::setPosition(qint16 slot, QPoint position)
{
    const Sections::Section &section = sectionOf(slot);
    m_window.Text1(section.left)->setText(QString::number(position.x()));
    m_window.Text1(section.top)->setText(QString::number(position.y()));
}

// Play, stop and close have a caption of their own; the other sections are
// headed by the box that switches them.
QString PanelPlacements::name(qint16 slot) const
{
    const Sections::Section &section = sectionOf(slot);
    return section.check2 == Sections::kNone
               ? Layout::kFrames.at(std::size_t(section.frame)).caption.toString()
               : Layout::kCheck2Headings.at(std::size_t(section.check2)).caption.toString();
}
