#pragma once

#include "SetFieldsCommand.h"
#include "document/SkinValues.h"

#include <QObject>
#include <QUndoStack>
#include <utility>
#include <vector>

// The skin being edited, held once: its values, its one edit history and the
// file it was opened from or saved as. Every change is a step on the
// history; views (the panels, the preview, the layout window, recovery)
// follow its signals.
class SkinDocument : public QObject {
    Q_OBJECT
public:
    using Values = std::vector<std::pair<SkinFields::FieldId, QString>>;

    explicit SkinDocument(QObject *parent = nullptr);

    const SkinValues &values() const { return m_values; }
    QString value(SkinFields::FieldId id) const { return m_values.value(id); }
    QUndoStack &undoStack() { return m_stack; }

    // One step that sets each field to its value, named text. Every field
    // given stays in the step, changed or not, so that the steps of one run
    // name the same fields and merge. Nothing happens when no value changes.
    void edit(const QString &text, const Values &values,
              SetFieldsCommand::Run run = SetFieldsCommand::Run::None, quint64 runNumber = 0);

    // The whole skin replaced (start-up, New, Open, work put back): the
    // history starts afresh, clean.
    void replace(const SkinValues &values);

    // Sets values without a step: the history's own undo and redo.
    void apply(const Values &values, bool undoOrRedo);

signals:
    // Fields changed by an edit, an undo or a redo (undoOrRedo).
    void fieldsChanged(const std::vector<SkinFields::FieldId> &fields, bool undoOrRedo);
    // The whole skin was replaced.
    void replaced();

private:
    SkinValues m_values;
    QUndoStack m_stack;
};
