#include "ValueCommand.h"

#include <algorithm>

ValueCommand::ValueCommand(Writer write, const QString &text, std::vector<Change> changes, Run run,
                           quint64 runNumber)
    : QUndoCommand(text), m_write(std::move(write)), m_changes(std::move(changes)), m_run(run),
      m_runNumber(runNumber)
{
}

void ValueCommand::undo()
{
    // Backwards, so that a control named twice ends as it began.
    for (auto change = m_changes.rbegin(); change != m_changes.rend(); ++change) {
        m_write(change->control, change->before);
    }
    m_done = false;
}

void ValueCommand::redo()
{
    if (m_done) {
        return;
    }
    for (const Change &change : m_changes) {
        m_write(change.control, change.after);
    }
    m_done = true;
}

bool ValueCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const ValueCommand *>(other);
    const auto sameControl = [](const Change &a, const Change &b) {
        return a.control == b.control;
    };
    if (next->m_runNumber != m_runNumber ||
        !std::equal(m_changes.begin(), m_changes.end(), next->m_changes.begin(),
                    next->m_changes.end(), sameControl)) {
        return false;
    }
    for (std::size_t i = 0; i < m_changes.size(); ++i) {
        m_changes[i].after = next->m_changes[i].after;
    }
    setObsolete(std::all_of(m_changes.begin(), m_changes.end(),
                            [](const Change &c) { return c.before == c.after; }));
    return true;
}
