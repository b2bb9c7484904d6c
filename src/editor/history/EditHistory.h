#pragma once

#include "PanelRoles.h"
#include "document/SkinFields.h"
#include "document/SkinValues.h"
#include "editor/panels/PanelControls.h"

#include <QObject>
#include <QUndoStack>
#include <utility>
#include <vector>

class SkinDocument;

// The panels bound to the skin document. Each change a person makes in the
// panels becomes a step of the document's one history: a typed field (one
// step per field until it loses focus or Enter is pressed), a box, an
// option, a list. The document's changes (an undo, a redo, a step made
// elsewhere: a colour, a path from the chooser or a drop, a move) come back
// to the widgets as a person would set them, so the panels grey and enable
// as they do for a click.
class EditHistory : public QObject {
    Q_OBJECT
public:
    EditHistory(const PanelControls &controls, SkinDocument &document, QObject *parent = nullptr);
    ~EditHistory() override;

    QUndoStack &stack();
    SkinDocument &document() { return m_document; }

    // While one lives, changes of the panels are no steps; when it ends the
    // document takes the panels' values as a new skin, its history empty and
    // clean. Start-up defaults, New and Open load the panels inside one.
    class Reload {
    public:
        explicit Reload(EditHistory &history);
        ~Reload();
        Reload(const Reload &) = delete;
        Reload &operator=(const Reload &) = delete;

    private:
        EditHistory &m_history;
    };

    // The whole skin replaced by values (work put back): the document takes
    // them, its history empty, and the widgets show them.
    void replaceSkin(const SkinValues &values);

    // One step that sets each control to its value (in the form the control
    // takes: a list's position, a colour's name), named text. Steps given
    // the same arrow run merge into one.
    void edit(const QString &text, const std::vector<std::pair<QWidget *, QString>> &values,
              quint64 arrowRun = 0);
    // The same, by the fields of the document the values go to.
    void edit(const QString &text,
              const std::vector<std::pair<SkinFields::FieldId, QString>> &values,
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
    // A value shown in the panels changed, through the panels or the
    // document (a person, an undo, a load): views of the skin draw it again.
    void valuesChanged(QWidget *control);
    // The whole skin was replaced (a load, New, Open, work put back), colours
    // and all, which no widget reports.
    void skinReplaced();

private:
    void watch(std::size_t role);
    void changed(std::size_t role, bool typed);
    void show(const std::vector<SkinFields::FieldId> &fields, bool undoOrRedo);
    std::size_t indexOf(const QWidget *control) const;
    std::size_t indexOf(SkinFields::FieldId field) const;

    PanelControls m_controls;
    SkinDocument &m_document;
    std::vector<PanelRole> m_roles;
    int m_quiet = 0;
    quint64 m_typingRun = 0;
};
