// The check of the panels before a save: the first field that fails is
// reported and brought forward, and nothing is written.
#include "ModeMenu.h"
#include "document/SkinChecks.h"
#include "frmMain.h"
#include "util/MessageSink.h"

#include <QLineEdit>

bool frmMain::walkUsedFields(const FieldVisitor &visit) const
{
    for (const SkinChecks::UsedField &used : SkinChecks::usedFields(panelValues())) {
        if (!visit(*used.section, used.test, used.field)) {
            return false;
        }
    }
    return true;
}

bool frmMain::verifyAllFields()
{
    const std::optional<SkinChecks::Failure> failure = SkinChecks::firstFailure(panelValues());
    if (!failure) {
        return true;
    }
    m_messages.showMessage(failure->message, failure->title, MessageIcon::Information);
    bringFieldForward(failure->section->panel, failure->field);
    return false;
}

// As the user would get there: the edit set, the field's panel, then the
// field itself with its whole text selected for retyping.
void frmMain::bringFieldForward(qint16 intPanel, qint16 intField)
{
    m_modeMenu->showPanel(intPanel);
    QLineEdit *field = Text1(intField);
    field->setFocus(Qt::OtherFocusReason);
    field->setSelection(0, static_cast<int>(field->text().size()));
}

QStringList frmMain::usedImagePaths() const
{
    return SkinChecks::usedImagePaths(panelValues());
}
