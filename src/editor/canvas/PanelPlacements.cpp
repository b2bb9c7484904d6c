#include "PanelPlacements.h"

#include "document/SectionTable.h"
#include "editor/history/EditHistory.h"
#include "editor/history/PanelRoles.h"
#include "wms/WmsFields.h"

#include <QLineEdit>
#include <algorithm>

using namespace Qt::StringLiterals;

PanelPlacements::PanelPlacements(const PanelControls &controls, EditHistory &history,
                                 QObject *parent)
    : PlacementFields(parent), m_controls(controls), m_history(history)
{
    for (const Sections::Section &section : Sections::kSections) {
        if (section.left == Sections::kNone) {
            continue;
        }
        const qint16 slot = section.slot;
        for (const qint16 field : {section.left, section.top}) {
            connect(m_controls.Text1[std::size_t(field)], &QLineEdit::textChanged, this,
                    [this, slot] { emit positionChanged(slot); });
        }
    }
}

namespace {

// One axis as a mark points: where the element is drawn, or for a number
// beyond the range, the range's nearer end; anything else at 0.
int pointedPlace(const QString &text)
{
    if (const std::optional<qint16> place = WmsFields::drawnPlace(text)) {
        return *place;
    }
    bool number = false;
    const qlonglong value = text.toLongLong(&number);
    return number ? int(std::clamp<qlonglong>(value, 0, WmsFields::kMaxPlace)) : 0;
}

} // namespace

QPoint PanelPlacements::position(qint16 slot) const
{
    const Sections::Section &section = Sections::sectionFor(slot);
    return {pointedPlace(m_controls.Text1[std::size_t(section.left)]->text()),
            pointedPlace(m_controls.Text1[std::size_t(section.top)]->text())};
}

// Read as the renderer reads them, so that an element is drawn, moved and
// marked by the same rule.
bool PanelPlacements::isPlaced(qint16 slot) const
{
    const Sections::Section &section = Sections::sectionFor(slot);
    return WmsFields::drawnPlace(m_controls.Text1[std::size_t(section.left)]->text()) &&
           WmsFields::drawnPlace(m_controls.Text1[std::size_t(section.top)]->text());
}

void PanelPlacements::setPositions(const std::vector<std::pair<qint16, QPoint>> &positions,
                                   quint64 arrowRun, const QString &text)
{
    std::vector<std::pair<QWidget *, QString>> values;
    for (const auto &[slot, position] : positions) {
        const Sections::Section &section = Sections::sectionFor(slot);
        values.emplace_back(m_controls.Text1[std::size_t(section.left)],
                            QString::number(position.x()));
        values.emplace_back(m_controls.Text1[std::size_t(section.top)],
                            QString::number(position.y()));
    }
    if (values.empty()) {
        return;
    }
    const QString step = !text.isEmpty()         ? text
                         : positions.size() == 1 ? u"%1の移動"_s.arg(name(positions[0].first))
                                                 : u"%1個の要素の移動"_s.arg(positions.size());
    m_history.edit(step, values, arrowRun);
}

QString PanelPlacements::name(qint16 slot) const
{
    return sectionName(Sections::sectionFor(slot));
}

QString PanelPlacements::caption(qint16 slot, const QString &attribute) const
{
    // The attributes of a place and a size, by the fields that hold them.
    constexpr std::pair<QStringView, qint16 Sections::Section::*> kFields[] = {
        {u"left", &Sections::Section::left},
        {u"top", &Sections::Section::top},
        {u"width", &Sections::Section::width},
        {u"height", &Sections::Section::height},
    };
    const Sections::Section &section = Sections::sectionFor(slot);
    for (const auto &[name, field] : kFields) {
        if (name == attribute && section.*field != Sections::kNone) {
            if (const PanelRole *role =
                    m_history.roleOf(m_controls.Text1[std::size_t(section.*field)])) {
                return role->caption;
            }
        }
    }
    return attribute;
}

QLineEdit *PanelPlacements::leftField(qint16 slot) const
{
    return m_controls.Text1[std::size_t(Sections::sectionFor(slot).left)];
}

QLineEdit *PanelPlacements::topField(qint16 slot) const
{
    return m_controls.Text1[std::size_t(Sections::sectionFor(slot).top)];
}

std::optional<qint16> PanelPlacements::placedBy(const QWidget *field) const
{
    for (const Sections::Section &section : Sections::kSections) {
        if (section.left != Sections::kNone &&
            (field == m_controls.Text1[std::size_t(section.left)] ||
             field == m_controls.Text1[std::size_t(section.top)])) {
            return section.slot;
        }
    }
    return std::nullopt;
}
