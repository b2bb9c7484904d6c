#pragma once

#include "editor/panels/ControlValue.h"

#include <QUndoCommand>
#include <functional>
#include <vector>

// One step of the edit history: controls of the panels set from one value
// to another. A typed field is one control, a move its LEFT and TOP. Steps
// of one run (typing in one field, arrow moves of one element) merge; a
// merged step that ends where it began leaves the history.
class ValueCommand : public QUndoCommand {
public:
    struct Change {
        Control control;
        QString before;
        QString after;
    };
    enum class Run { None = -1, Typing = 1, Arrows = 2 };
    using Writer = std::function<void(const Control &, const QString &)>;

    // The values are already set when the step is made: the first redo leaves them.
    ValueCommand(Writer write, const QString &text, std::vector<Change> changes,
                 Run run = Run::None, quint64 runNumber = 0);

    void undo() override;
    void redo() override;
    int id() const override { return static_cast<int>(m_run); }
    bool mergeWith(const QUndoCommand *other) override;

    const std::vector<Change> &changes() const { return m_changes; }

private:
    Writer m_write;
    std::vector<Change> m_changes;
    Run m_run;
    quint64 m_runNumber;
    bool m_done = true;
};
