// Focus, keys and clicks of the panels' fields and swatches, handed to the
// window's handlers.
#include "FieldInput.h"

#include <QClipboard>
#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>
#include <span>

namespace {

// What a chord with Alt or Meta (Super) types into a number field: no
// character it takes, whatever the keyboard gives with it.
constexpr qint16 kChord = -1;

// The character a key types, as a 16-bit code; 0 for a key that types none
// (arrows, Delete, function keys) or that moves the focus (Tab). Delete
// deletes rather than types, though some keyboards report it as DEL (127). Ctrl with a
// letter types its control code: Ctrl+V is 22.
qint16 typedCharacter(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers held =
        event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab ||
        event.key() == Qt::Key_Delete) {
        return 0;
    }
    if (held == Qt::ControlModifier && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
        return static_cast<qint16>(event.key() - Qt::Key_A + 1);
    }
    // An Alt or Meta chord that a menu takes never reaches the field; one that
    // reaches it types its character, which the field then judges like any other.
    if (event.text().isEmpty()) {
        return 0;
    }
    return static_cast<qint16>(event.text().at(0).unicode());
}

// Focus that a user or the program moves to a field; not focus that comes
// back when a menu, a popup or another window lets go of it.
bool entersField(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
}

// The editing keys a number field keeps: select all, copy and cut change no
// digit; a paste passes only when all it brings is digits.
bool isEditingKey(const QKeyEvent &event)
{
    if (event.matches(QKeySequence::SelectAll) || event.matches(QKeySequence::Copy) ||
        event.matches(QKeySequence::Cut)) {
        return true;
    }
    if (!event.matches(QKeySequence::Paste)) {
        return false;
    }
    const QString pasted = QGuiApplication::clipboard()->text();
    return !pasted.isEmpty() && std::all_of(pasted.begin(), pasted.end(),
                                            [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A swatch opens its colour dialog from the keyboard as from a click.
bool opensSwatch(const QKeyEvent &event)
{
    return event.modifiers() == Qt::NoModifier &&
           (event.key() == Qt::Key_Space || event.key() == Qt::Key_Return ||
            event.key() == Qt::Key_Enter);
}

template <typename T> int indexIn(std::span<T *const> controls, QObject *object)
{
    const auto found = std::find(controls.begin(), controls.end(), object);
    return found == controls.end() ? -1 : static_cast<int>(found - controls.begin());
}

} // namespace

FieldInput::FieldInput(PanelControls controls, Handlers handlers, QObject *parent)
    : QObject(parent), m_controls(controls), m_handlers(std::move(handlers))
{
    for (QLineEdit *field : m_controls.Text1) {
        field->installEventFilter(this);
        // Composed text reaches a field without key presses; number fields
        // take their digits from the keys alone.
        if (field->property("number").toBool()) {
            field->setAttribute(Qt::WA_InputMethodEnabled, false);
        }
    }
    for (QLabel *swatch : m_controls.Label2) {
        swatch->installEventFilter(this);
    }
}

bool FieldInput::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        if (const int field = indexIn(m_controls.Text1, watched);
            field >= 0 && entersField(static_cast<QFocusEvent *>(event)->reason())) {
            m_handlers.gotFocus(field);
        }
        return false;
    case QEvent::KeyPress:
        if (const int swatch = indexIn(m_controls.Label2, watched);
            swatch >= 0 && opensSwatch(*static_cast<QKeyEvent *>(event))) {
            m_handlers.swatchClick(swatch);
            return true;
        }
        if (const int field = indexIn(m_controls.Text1, watched); field >= 0) {
            return refuseKey(field, *static_cast<QKeyEvent *>(event));
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (const int swatch = indexIn(m_controls.Label2, watched); swatch >= 0) {
            const auto &mouse = *static_cast<QMouseEvent *>(event);
            const auto *label = static_cast<QWidget *>(watched);
            if (mouse.button() == Qt::LeftButton && label->isEnabled() &&
                label->rect().contains(mouse.position().toPoint())) {
                m_handlers.swatchClick(swatch);
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}

bool FieldInput::refuseKey(int field, const QKeyEvent &key)
{
    const bool number = m_controls.Text1[std::size_t(field)]->property("number").toBool();
    if (number && isEditingKey(key)) {
        return false;
    }
    qint16 code = typedCharacter(key);
    if (code == 0) {
        return false;
    }
    if (number && key.modifiers() & (Qt::AltModifier | Qt::MetaModifier)) {
        code = kChord;
    }
    m_handlers.keyPress(field, code);
    return code == 0;
}
