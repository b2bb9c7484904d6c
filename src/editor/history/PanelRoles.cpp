#include "PanelRoles.h"

#include "document/SkinFields.h"
#include "editor/panels/LayoutTables.h"
#include "editor/panels/PanelValues.h"

using namespace Qt::StringLiterals;

std::vector<PanelRole> panelRoles(const PanelControls &controls)
{
    std::vector<PanelRole> roles;
    for (const SkinFields::Field &field : SkinFields::all()) {
        roles.push_back({PanelValues::controlOf(field, controls), field.section,
                         field.caption.toString(), &field});
    }
    return roles;
}

// Play, stop and close have a caption of their own; the other sections are
// headed by the box that switches them.
QString sectionName(const Sections::Section &section)
{
    return section.check2 == Sections::kNone
               ? Layout::kFrames.at(std::size_t(section.frame)).caption.toString()
               : Layout::kCheck2Headings.at(std::size_t(section.check2)).caption.toString();
}

// The theme's fields are named by themselves: its frame is captioned like its first field.
QString stepText(const PanelRole &role)
{
    const QString what = role.section->family() == ElementFamily::Theme
                             ? role.caption
                             : sectionName(*role.section) + u'の' + role.caption;
    return what + u"の変更"_s;
}
