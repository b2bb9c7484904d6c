#include "PanelPlacements.h"

#include "document/SectionTable.h"
#include "editor/document/SkinDocument.h"
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
    SkinDocument &document = m_history.document();
    connect(&document, &SkinDocument::fieldsChanged, this,
            [this](const std::vector<SkinFields::FieldId> &fields) {
                for (const SkinFields::FieldId field : fields) {
                    if (const std::optional<qint16> slot = slotPlacedBy(field)) {
                        emit positionChanged(*slot);
                    }
                }
            });
    connect(&document, &SkinDocument::replaced, this, [this] {
        for (const Sections::Section &section : Sections::kSections) {
            if (section.left != Sections::kNone) {
                emit positionChanged(section.slot);
            }
        }
    });
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

QString PanelPlacements::text(qint16 field) const
{
    return m_history.document().value(SkinFields::text(field));
}

QPoint PanelPlacements::position(qint16 slot) const
{
    const Sections::Section &section = Sections::sectionFor(slot);
    return {pointedPlace(text(section.left)), pointedPlace(text(section.top))};
}

// Read as the renderer reads them, so that an element is drawn, moved and
// marked by the same rule.
bool PanelPlacements::isPlaced(qint16 slot) const
{
    const Sections::Section &section = Sections::sectionFor(slot);
    return WmsFields::drawnPlace(text(section.left)) && WmsFields::drawnPlace(text(section.top));
}

void PanelPlacements::setPositions(const std::vector<std::pair<qint16, QPoint>> &positions,
                                   quint64 arrowRun, const QString &text)
{
    SkinDocument::Values values;
    for (const auto &[slot, position] : positions) {
        const Sections::Section &section = Sections::sectionFor(slot);
        values.emplace_back(SkinFields::text(section.left), QString::number(position.x()));
        values.emplace_back(SkinFields::text(section.top), QString::number(position.y()));
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
            if (const SkinFields::Field *held =
                    SkinFields::find(SkinFields::text(section.*field))) {
                return held->caption.toString();
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

std::optional<qint16> PanelPlacements::slotPlacedBy(SkinFields::FieldId field)
{
    for (const Sections::Section &section : Sections::kSections) {
        if (section.left != Sections::kNone &&
            (field == SkinFields::text(section.left) || field == SkinFields::text(section.top))) {
            return section.slot;
        }
    }
    return std::nullopt;
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
