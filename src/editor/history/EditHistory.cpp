#include "EditHistory.h"

#include "editor/document/SkinDocument.h"
#include "editor/panels/PanelValues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

EditHistory::EditHistory(const PanelControls &controls, SkinDocument &document, QObject *parent)
    : QObject(parent), m_controls(controls), m_document(document), m_roles(panelRoles(controls))
{
    for (std::size_t i = 0; i < m_roles.size(); ++i) {
        watch(i);
    }
    connect(&m_document, &SkinDocument::fieldsChanged, this, &EditHistory::show);
    connect(&m_document, &SkinDocument::replaced, this, &EditHistory::skinReplaced);
}

EditHistory::~EditHistory() = default;

QUndoStack &EditHistory::stack()
{
    return m_document.undoStack();
}

// Swatches change only through the document: a colour has no notification
// of its own.
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
// which then finds nothing new. While the document sets a widget, or a load
// fills the panels, a change is no step.
void EditHistory::changed(std::size_t role, bool typed)
{
    const SkinFields::Field &field = *m_roles[role].field;
    const QString before = m_document.value(field.id);
    const QString now = PanelValues::readField(field, m_controls, before);
    if (now == before) {
        return;
    }
    emit valuesChanged(m_roles[role].control.widget);
    if (m_quiet > 0) {
        return;
    }
    m_document.edit(stepText(m_roles[role]), {{field.id, now}},
                    typed ? SetFieldsCommand::Run::Typing : SetFieldsCommand::Run::None,
                    m_typingRun);
    if (!typed) {
        endTyping();
    }
}

// The document's change reaches the widgets that do not show it yet.
void EditHistory::show(const std::vector<SkinFields::FieldId> &fields, bool undoOrRedo)
{
    for (const SkinFields::FieldId id : fields) {
        const std::size_t role = indexOf(id);
        if (role >= m_roles.size()) {
            continue;
        }
        const SkinFields::Field &field = *m_roles[role].field;
        const QString value = m_document.value(id);
        const bool shown = PanelValues::readField(field, m_controls, value) == value;
        if (!shown) {
            ++m_quiet;
            PanelValues::writeField(field, value, m_controls);
            --m_quiet;
        }
        if (!shown || undoOrRedo) {
            emit valuesChanged(m_roles[role].control.widget); // a swatch tells nobody else
        }
        if (undoOrRedo) {
            // Typing after an undo or redo is a step of its own.
            endTyping();
            emit stepApplied(m_roles[role].control.widget);
        }
    }
}

void EditHistory::edit(const QString &text,
                       const std::vector<std::pair<QWidget *, QString>> &values, quint64 arrowRun)
{
    SkinDocument::Values changes;
    for (const auto &[widget, value] : values) {
        const std::size_t role = indexOf(widget);
        if (role < m_roles.size()) {
            const SkinFields::Field &field = *m_roles[role].field;
            changes.emplace_back(
                field.id, PanelValues::fromControlText(field, value, m_document.value(field.id)));
        }
    }
    edit(text, changes, arrowRun);
}

void EditHistory::edit(const QString &text, const SkinDocument::Values &values, quint64 arrowRun)
{
    const bool changing = std::any_of(values.begin(), values.end(), [this](const auto &change) {
        return m_document.value(change.first) != change.second;
    });
    if (!changing) {
        return;
    }
    m_document.edit(text, values,
                    arrowRun > 0 ? SetFieldsCommand::Run::Arrows : SetFieldsCommand::Run::None,
                    arrowRun);
    endTyping();
}

void EditHistory::replaceSkin(const SkinValues &values)
{
    m_document.replace(values);
    ++m_quiet;
    PanelValues::write(values, m_controls);
    --m_quiet;
    endTyping();
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

std::size_t EditHistory::indexOf(SkinFields::FieldId field) const
{
    const auto found = std::find_if(m_roles.begin(), m_roles.end(),
                                    [field](const PanelRole &r) { return r.field->id == field; });
    return static_cast<std::size_t>(found - m_roles.begin());
}

EditHistory::Reload::Reload(EditHistory &history) : m_history(history)
{
    ++m_history.m_quiet;
}

EditHistory::Reload::~Reload()
{
    --m_history.m_quiet;
    m_history.m_document.replace(
        PanelValues::read(m_history.m_controls, m_history.m_document.values()));
    m_history.endTyping();
}
