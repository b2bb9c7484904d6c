#include "PanelPlacements.h"

#include "document/SectionTable.h"
#include "editor/history/EditHistory.h"
#include "util/clsFunction.h"

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

// Read as the renderer reads them, so that a mark or a move starts where the
// element is drawn, also for a place no 16 bits hold (drawn at 0).
QPoint PanelPlacements::position(qint16 slot) const
{
    const Sections::Section &section = Sections::sectionFor(slot);
    return {clsFunction::NulltoZero(m_controls.Text1[std::size_t(section.left)]->text()),
            clsFunction::NulltoZero(m_controls.Text1[std::size_t(section.top)]->text())};
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
