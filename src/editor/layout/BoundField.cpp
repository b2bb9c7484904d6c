#include "BoundField.h"

#include <QCoreApplication>
#include <QKeyEvent>

BoundField::BoundField(QWidget *parent) : QLineEdit(parent)
{
    setEnabled(false);
}

void BoundField::bind(QLineEdit *target)
{
    if (target == m_target) {
        return;
    }
    disconnect(m_follow);
    m_target = target;
    setEnabled(target != nullptr);
    if (target) {
        m_follow = connect(target, &QLineEdit::textChanged, this, [this] { mirror(); });
    }
    mirror();
}

void BoundField::mirror()
{
    const int cursor = m_target ? m_target->cursorPosition() : 0;
    setText(m_target ? m_target->text() : QString());
    setCursorPosition(cursor);
}

// The panel field takes the key where this one's cursor and selection are,
// then this one shows what it made of it.
void BoundField::keyPressEvent(QKeyEvent *event)
{
    if (!m_target) {
        return;
    }
    if (hasSelectedText()) {
        m_target->setSelection(selectionStart(), int(selectedText().size()));
    } else {
        m_target->setCursorPosition(cursorPosition());
    }
    QCoreApplication::sendEvent(m_target, event);
    const bool selected = m_target->hasSelectedText();
    const int start = m_target->selectionStart();
    const int length = int(m_target->selectedText().size());
    const int cursor = m_target->cursorPosition();
    setText(m_target->text());
    if (selected) {
        setSelection(start, length);
    } else {
        setCursorPosition(cursor);
    }
}

// As a panel field does, entering selects the whole text for retyping.
void BoundField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    selectAll();
}
