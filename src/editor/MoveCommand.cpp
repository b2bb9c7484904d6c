#include "MoveCommand.h"

#include "PreviewCanvas.h"

namespace {

constexpr int kArrowRun = 1;

} // namespace

MoveCommand::MoveCommand(PreviewCanvas &canvas, qint16 slot, QPoint from, QPoint to, int run)
    : m_canvas(canvas), m_slot(slot), m_from(from), m_to(to), m_run(run)
{
}

void MoveCommand::undo()
{
    m_canvas.moveTo(m_slot, m_from);
}

void MoveCommand::redo()
{
    m_canvas.moveTo(m_slot, m_to);
}

int MoveCommand::id() const
{
    return m_run > 0 ? kArrowRun : -1;
}

bool MoveCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const MoveCommand *>(other);
    if (next->m_run != m_run || next->m_slot != m_slot) {
        return false;
    }
    m_to = next->m_to;
    return true;
}
