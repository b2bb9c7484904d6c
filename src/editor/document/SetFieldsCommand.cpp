#include "SetFieldsCommand.h"

#include "SkinDocument.h"

#include <algorithm>

SetFieldsCommand::SetFieldsCommand(SkinDocument &document, const QString &text,
                                   std::vector<Change> changes, Run run, quint64 runNumber)
    : QUndoCommand(text), m_document(document), m_changes(std::move(changes)), m_run(run),
      m_runNumber(runNumber)
{
}

void SetFieldsCommand::undo()
{
    // Backwards, so that a field named twice ends as it began.
    std::vector<std::pair<SkinFields::FieldId, QString>> values;
    for (auto change = m_changes.rbegin(); change != m_changes.rend(); ++change) {
        values.emplace_back(change->field, change->before);
    }
    m_document.apply(values, true);
    m_done = false;
}

void SetFieldsCommand::redo()
{
    if (m_done) {
        return;
    }
    std::vector<std::pair<SkinFields::FieldId, QString>> values;
    for (const Change &change : m_changes) {
        values.emplace_back(change.field, change.after);
    }
    m_document.apply(values, true);
    m_done = true;
}

bool SetFieldsCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const SetFieldsCommand *>(other);
    const auto sameField = [](const Change &a, const Change &b) { return a.field == b.field; };
    if (next->m_runNumber != m_runNumber ||
        !std::equal(m_changes.begin(), m_changes.end(), next->m_changes.begin(),
                    next->m_changes.end(), sameField)) {
        return false;
    }
    for (std::size_t i = 0; i < m_changes.size(); ++i) {
        m_changes[i].after = next->m_changes[i].after;
    }
    setObsolete(std::all_of(m_changes.begin(), m_changes.end(),
                            [](const Change &c) { return c.before == c.after; }));
    return true;
}
