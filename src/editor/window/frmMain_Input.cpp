// Small behaviours of the panel fields: whole-text selection on entering a
// field, digits only in number fields, the colour dialog behind each swatch
// and the image chooser behind each "・・" button.
#include "chooser/frmFileOpendlg.h"
#include "editor/history/EditHistory.h"
#include "editor/panels/ControlTag.h"
#include "editor/widgets/WidgetColors.h"
#include "frmMain.h"
#include "util/AppError.h"
#include "util/DialogProvider.h"
#include "util/MessageSink.h"
#include "util/clsFunction.h"

#include <QClipboard>
#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <span>

using namespace Qt::StringLiterals;

namespace {

constexpr qint16 kEnter = 13;
constexpr qint16 kBackspace = 8;
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

template <typename T, std::size_t N> int indexIn(std::span<T *const, N> controls, QObject *object)
{
    const auto found = std::find(controls.begin(), controls.end(), object);
    return found == controls.end() ? -1 : static_cast<int>(found - controls.begin());
}

// Routes the fields' focus and key events and the swatches' clicks to the
// window's handlers.
class FieldInputFilter : public QObject {
public:
    explicit FieldInputFilter(frmMain &window) : QObject(&window), m_window(window) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (const int field = indexIn(m_window.Text1(), watched);
                field >= 0 && entersField(static_cast<QFocusEvent *>(event)->reason())) {
                guarded([&] { m_window.Text1_GotFocus(field); });
            }
            return false;
        case QEvent::KeyPress:
            if (const int swatch = indexIn(m_window.Label2(), watched);
                swatch >= 0 && opensSwatch(*static_cast<QKeyEvent *>(event))) {
                guarded([&] { m_window.Label2_Click(swatch); });
                return true;
            }
            return refuseKey(watched, *static_cast<QKeyEvent *>(event));
        case QEvent::MouseButtonRelease:
            if (const int swatch = indexIn(m_window.Label2(), watched); swatch >= 0) {
                const auto &mouse = *static_cast<QMouseEvent *>(event);
                const auto *label = static_cast<QWidget *>(watched);
                if (mouse.button() == Qt::LeftButton && label->isEnabled() &&
                    label->rect().contains(mouse.position().toPoint())) {
                    guarded([&] { m_window.Label2_Click(swatch); });
                    return true;
                }
            }
            return false;
        default:
            return false;
        }
    }

private:
    bool refuseKey(QObject *watched, const QKeyEvent &key)
    {
        const int field = indexIn(m_window.Text1(), watched);
        if (field < 0) {
            return false;
        }
        const bool number = m_window.Text1(field)->property("number").toBool();
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
        guarded([&] { m_window.Text1_KeyPress(field, code); });
        return code == 0;
    }

    frmMain &m_window;
};

} // namespace

void frmMain::connectInputHelpers()
{
    auto *filter = new FieldInputFilter(*this);
    for (QLineEdit *field : Text1()) {
        field->installEventFilter(filter);
        // Composed text reaches a field without key presses; number fields
        // take their digits from the keys alone.
        if (field->property("number").toBool()) {
            field->setAttribute(Qt::WA_InputMethodEnabled, false);
        }
    }
    for (QLabel *swatch : Label2()) {
        swatch->installEventFilter(filter);
    }
    for (std::size_t i = 0; i < Command2().size(); ++i) {
        connect(Command2(i), &QPushButton::clicked, this,
                [this, i] { guarded([this, i] { Command2_Click(static_cast<int>(i)); }); });
    }
}

void frmMain::createFileOpenDialog()
{
    mfrmFileOpen = std::make_unique<frmFileOpendlg>(m_messages, m_programFolder, this);
    connect(mfrmFileOpen.get(), &frmFileOpendlg::clickOpen, this,
            [this] { mfrmFileOpen_clickOpen(); });
}

void frmMain::Text1_GotFocus(int Index)
{
    selectAllText(Text1(Index));
}

void frmMain::selectAllText(QLineEdit *field)
{
    field->setFocus();
    field->setSelection(0, static_cast<int>(field->text().size()));
}

void frmMain::Text1_KeyPress(int Index, qint16 &KeyAscii)
{
    if (!Text1(Index)->property("number").toBool()) {
        return;
    }
    if (KeyAscii == kEnter || KeyAscii == kBackspace || (KeyAscii >= u'0' && KeyAscii <= u'9')) {
        return;
    }
    m_messages.beep();
    KeyAscii = 0;
}

void frmMain::Label2_Click(int Index)
{
    QLabel *swatch = Label2(Index);
    const qint32 chosen = pickColor(WidgetColors::toWindowColor(WidgetColors::backColor(swatch)));
    m_history->edit(swatch, WidgetColors::fromWindowColor(chosen).name());
}

qint32 frmMain::pickColor(qint32 initial)
{
    return dialogs().pickColor(initial).value_or(initial);
}

void frmMain::Command2_Click(int Index)
{
    QLineEdit *field = Text1(tagIndex(Command2(Index)));
    if (!mfrmFileOpen) {
        createFileOpenDialog();
    }
    m_chooserReported = false;
    mfrmFileOpen->setPath(field->text());
    mfrmFileOpen->exec();
    // Closed with its close box, the chooser reports nothing, and the field
    // keeps its text rather than a path chosen earlier for another field.
    if (m_chooserReported) {
        field->setText(m_chosenImagePath);
    }
}

void frmMain::mfrmFileOpen_clickOpen()
{
    m_chosenImagePath = clsFunction::trimBlanks(mfrmFileOpen->getPath());
    m_chooserReported = true;
}
