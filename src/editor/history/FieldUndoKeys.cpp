#include "FieldUndoKeys.h"

#include "EditHistory.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

bool isUndoOrRedo(const QKeyEvent &key)
{
    return key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo) ||
           key.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           key.keyCombination() ==
               QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

} // namespace

FieldUndoKeys::FieldUndoKeys(EditHistory &history, std::span<QLineEdit *const> fields)
    : QObject(&history), m_history(history)
{
    for (QLineEdit *field : fields) {
        field->installEventFilter(this);
    }
}

bool FieldUndoKeys::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusOut:
        m_history.endTyping();
        return false;
    case QEvent::ShortcutOverride:
        // Not taken here, so the Edit menu's shortcut runs instead of the
        // field's own undo.
        return isUndoOrRedo(*static_cast<QKeyEvent *>(event));
    case QEvent::KeyPress: {
        const auto &key = *static_cast<QKeyEvent *>(event);
        if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
            m_history.endTyping();
        }
        // With nothing to undo the menu's shortcut is off; the field's own
        // undo must not run in its place.
        return isUndoOrRedo(key);
    }
    case QEvent::ContextMenu:
        showContextMenu(static_cast<QLineEdit *>(watched),
                        static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    default:
        return false;
    }
}

// The field's standard menu, its undo and redo taken over by the history.
void FieldUndoKeys::showContextMenu(QLineEdit *field, QPoint global)
{
    QMenu *menu = field->createStandardContextMenu();
    QUndoStack &stack = m_history.stack();
    for (QAction *action : menu->actions()) {
        const bool undo = action->objectName() == u"edit-undo"_s;
        if (!undo && action->objectName() != u"edit-redo"_s) {
            continue;
        }
        disconnect(action, &QAction::triggered, field, nullptr);
        action->setEnabled(undo ? stack.canUndo() : stack.canRedo());
        connect(action, &QAction::triggered, &stack, undo ? &QUndoStack::undo : &QUndoStack::redo);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(global);
}
