#pragma once

#include "PanelRoles.h"
#include "ValueCommand.h"

#include <QObject>
#include <QUndoStack>
#include <utility>
#include <vector>

struct PanelControls;

// The one history of the skin being edited. It watches every value of the
// panels and makes each change a person makes a step: a typed field (one
// step per field until it loses focus or Enter is pressed), a box, an
// option, a list, a swatch, a path from the chooser or a drop, a move.
// Undo and redo set the controls back as a person would, so the panels
// grey and enable as they do for a click, and views follow the controls.
class EditHistory : public QObject {
    Q_OBJECT
public:
    explicit EditHistory(const PanelControls &controls, QObject *parent = nullptr);
    ~EditHistory() override;

    QUndoStack &stack() { return m_stack; }

    // While one lives, changes of the panels are no steps; when it ends the
    // history starts afresh, clean. Start-up defaults, New and Open load
    // the panels inside one.
    class Reload {
    public:
        explicit Reload(EditHistory &history);
        ~Reload();
        Reload(const Reload &) = delete;
        Reload &operator=(const Reload &) = delete;

    private:
        EditHistory &m_history;
    };

    // One step that sets each control to its value, named text. Steps given
    // the same arrow run merge into one.
    void edit(const QString &text, const std::vector<std::pair<QWidget *, QString>> &values,
              quint64 arrowRun = 0);
    // Sets one control as one step named after it.
    void edit(QWidget *control, const QString &value);
    // Typing that goes on in a field after this is a step of its own.
    void endTyping() { ++m_typingRun; }
    // The role a control plays, for its step's name; null for controls that
    // hold no value of the skin.
    const PanelRole *roleOf(const QWidget *control) const;
    const std::vector<PanelRole> &roles() const { return m_roles; }

signals:
    // An undo or redo set this control.
    void stepApplied(QWidget *control);
    // Some value of the panels changed, whatever changed it (a person, an
    // undo, a load): views of the skin draw it again.
    void valuesChanged(QWidget *control);

private:
    void watch(std::size_t role);
    void changed(std::size_t role, bool typed);
    void write(const Control &control, const QString &value, bool undoOrRedo);
    ValueCommand::Writer writer();
    void takeSnapshot();
    std::size_t indexOf(const QWidget *control) const;

    std::vector<PanelRole> m_roles;
    std::vector<QString> m_values; // each role's value as the history last saw it
    QUndoStack m_stack;
    int m_quiet = 0;
    quint64 m_typingRun = 0;
};
