#include "EditMenu.h"

#include <QAction>
#include <QMenu>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

struct Entry {
    QStringView name;
    QStringView caption;
    QStringView access; // the menu's access key
    QAction *(QUndoStack::*make)(QObject *, const QString &) const;
    void (QUndoStack::*textChanged)(const QString &);
    QString (QUndoStack::*text)() const;
};

constexpr Entry kUndo{u"mnuEditUndo",
                      u"元に戻す",
                      u"U",
                      &QUndoStack::createUndoAction,
                      &QUndoStack::undoTextChanged,
                      &QUndoStack::undoText};
constexpr Entry kRedo{u"mnuEditRedo",
                      u"やり直し",
                      u"R",
                      &QUndoStack::createRedoAction,
                      &QUndoStack::redoTextChanged,
                      &QUndoStack::redoText};

// "元に戻す(&U)" with nothing to take back; with a step, its name after the
// caption, the access key kept at the end as the menus write it.
QString captionFor(const Entry &entry, const QString &step)
{
    const QString key = u"(&%1)"_s.arg(entry.access);
    return step.isEmpty() ? entry.caption.toString() + key
                          : u"%1: %2%3"_s.arg(entry.caption, step, key);
}

QAction *addEntry(QMenu &menu, QUndoStack &stack, const Entry &entry,
                  const QList<QKeySequence> &keys)
{
    QAction *action = (stack.*entry.make)(&menu, entry.caption.toString());
    action->setObjectName(entry.name.toString());
    action->setShortcuts(keys);
    const auto name = [action, entry](const QString &step) {
        action->setText(captionFor(entry, step));
    };
    name((stack.*entry.text)());
    // Connected after the stack's own naming, so this one is the last word.
    QObject::connect(&stack, entry.textChanged, action, name);
    menu.addAction(action);
    return action;
}

} // namespace

std::pair<QAction *, QAction *> fillEditMenu(QMenu &menu, QUndoStack &stack)
{
    QAction *undo = addEntry(menu, stack, kUndo, {QKeySequence(u"Ctrl+Z"_s)});
    QAction *redo =
        addEntry(menu, stack, kRedo, {QKeySequence(u"Ctrl+Y"_s), QKeySequence(u"Ctrl+Shift+Z"_s)});
    return {undo, redo};
}
