#pragma once

#include "document/SkinFields.h"

#include <QString>
#include <QUndoCommand>
#include <vector>

class SkinDocument;

// One step of the edit history: fields of the skin set from one value to
// another. A typed field is one field, a move its LEFT and TOP. Steps of one
// run (typing in one field, arrow moves of one element) merge; a merged step
// that ends where it began leaves the history.
class SetFieldsCommand : public QUndoCommand {
public:
    struct Change {
        SkinFields::FieldId field;
        QString before;
        QString after;
    };
    enum class Run { None = -1, Typing = 1, Arrows = 2 };

    // The values are already set when the step is made: the first redo leaves them.
    SetFieldsCommand(SkinDocument &document, const QString &text, std::vector<Change> changes,
                     Run run = Run::None, quint64 runNumber = 0);

    void undo() override;
    void redo() override;
    int id() const override { return static_cast<int>(m_run); }
    bool mergeWith(const QUndoCommand *other) override;

    const std::vector<Change> &changes() const { return m_changes; }

private:
    SkinDocument &m_document;
    std::vector<Change> m_changes;
    Run m_run;
    quint64 m_runNumber;
    bool m_done = true;
};
