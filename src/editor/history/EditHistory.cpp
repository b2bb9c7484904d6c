#include "EditHistory.h"

#include "editor/panels/PanelControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

EditHistory::EditHistory(const PanelControls &controls, QObject *parent)
    : QObject(parent), m_roles(panelRoles(controls))
{
    for (std::size_t i = 0; i < m_roles.size(); ++i) {
        watch(i);
    }
    takeSnapshot();
}

EditHistory::~EditHistory() = default;

// Swatches change only through edit(): a colour has no notification of its own.
void EditHistory::watch(std::size_t role)
{
    const Control &control = m_roles[role].control;
    if (control.partner) {
        for (QRadioButton *option :
             {static_cast<QRadioButton *>(control.widget), control.partner}) {
            // The option that was selected lets go first; the pair's value is
            // whole once the new one is on.
            connect(option, &QRadioButton::toggled, this, [this, role](bool on) {
                if (on) {
                    changed(role, false);
                }
            });
        }
    } else if (auto *field = qobject_cast<QLineEdit *>(control.widget)) {
        connect(field, &QLineEdit::textEdited, this, [this, role] { changed(role, true); });
        connect(field, &QLineEdit::textChanged, this, [this, role] { changed(role, false); });
    } else if (auto *box = qobject_cast<QCheckBox *>(control.widget)) {
        connect(box, &QCheckBox::toggled, this, [this, role] { changed(role, false); });
    } else if (auto *list = qobject_cast<QComboBox *>(control.widget)) {
        connect(list, &QComboBox::currentIndexChanged, this,
                [this, role] { changed(role, false); });
    }
}

// A typed change is told before the field's general change notification,
// which then finds nothing new.
void EditHistory::changed(std::size_t role, bool typed)
{
    const QString now = readValue(m_roles[role].control);
    if (now != m_values[role]) {
        emit valuesChanged(m_roles[role].control.widget);
    }
    if (m_quiet > 0 || now == m_values[role]) {
        m_values[role] = now;
        return;
    }
    auto *step = new ValueCommand(
        writer(), stepText(m_roles[role]), {{m_roles[role].control, m_values[role], now}},
        typed ? ValueCommand::Run::Typing : ValueCommand::Run::None, m_typingRun);
    m_values[role] = now;
    if (!typed) {
        endTyping();
    }
    m_stack.push(step);
}

void EditHistory::edit(const QString &text,
                       const std::vector<std::pair<QWidget *, QString>> &values, quint64 arrowRun)
{
    // Every control given stays in the step, changed or not, so that the
    // steps of one run name the same controls and merge.
    std::vector<ValueCommand::Change> changes;
    bool changing = false;
    for (const auto &[widget, value] : values) {
        const std::size_t role = indexOf(widget);
        if (role < m_roles.size()) {
            changes.push_back({m_roles[role].control, m_values[role], value});
            changing = changing || m_values[role] != value;
        }
    }
    if (!changing) {
        return;
    }
    for (const ValueCommand::Change &change : changes) {
        write(change.control, change.after, false);
    }
    endTyping();
    m_stack.push(new ValueCommand(
        writer(), text, std::move(changes),
        arrowRun > 0 ? ValueCommand::Run::Arrows : ValueCommand::Run::None, arrowRun));
}

void EditHistory::edit(QWidget *control, const QString &value)
{
    if (const PanelRole *role = roleOf(control)) {
        edit(stepText(*role), {{control, value}});
    }
}

const PanelRole *EditHistory::roleOf(const QWidget *control) const
{
    const std::size_t role = indexOf(control);
    return role < m_roles.size() ? &m_roles[role] : nullptr;
}

std::size_t EditHistory::indexOf(const QWidget *control) const
{
    const auto found = std::find_if(m_roles.begin(), m_roles.end(), [control](const PanelRole &r) {
        return r.control.widget == control || r.control.partner == control;
    });
    return static_cast<std::size_t>(found - m_roles.begin());
}

// Undo and redo, and edit() itself, set a control without making a step.
void EditHistory::write(const Control &control, const QString &value, bool undoOrRedo)
{
    ++m_quiet;
    writeValue(control, value);
    --m_quiet;
    emit valuesChanged(control.widget); // a swatch tells nobody else
    m_values[indexOf(control.widget)] = readValue(control);
    if (undoOrRedo) {
        // Typing after an undo or redo is a step of its own.
        endTyping();
        emit stepApplied(control.widget);
    }
}

ValueCommand::Writer EditHistory::writer()
{
    return [this](const Control &control, const QString &value) { write(control, value, true); };
}

void EditHistory::takeSnapshot()
{
    m_values.clear();
    for (const PanelRole &role : m_roles) {
        m_values.push_back(readValue(role.control));
    }
}

EditHistory::Reload::Reload(EditHistory &history) : m_history(history)
{
    ++m_history.m_quiet;
}

EditHistory::Reload::~Reload()
{
    --m_history.m_quiet;
    m_history.takeSnapshot();
    m_history.m_stack.clear();
    m_history.endTyping();
}
