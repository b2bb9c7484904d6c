#pragma once

#include <QObject>
#include <span>

class EditHistory;
class QLineEdit;

// Makes the fields' own undo the history's: Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z
// in a field reach the window's Edit menu (the typing so far is one step of
// the history), the field's context menu undoes and redoes through the
// history, and leaving a field or pressing Enter ends its typing step.
class FieldUndoKeys : public QObject {
public:
    FieldUndoKeys(EditHistory &history, std::span<QLineEdit *const> fields);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showContextMenu(QLineEdit *field, QPoint global);

    EditHistory &m_history;
};
