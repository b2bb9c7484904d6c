// The check boxes that switch fields and whole sections on and off, and the
// look they give the fields.
#include "document/SectionTable.h"
#include "editor/panels/ControlTag.h"
#include "editor/panels/LayoutTables.h"
#include "editor/widgets/WidgetColors.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void frmMain::setFieldLook(QWidget *field, bool white)
{
    WidgetColors::setBackColor(field, white ? WidgetColors::white() : WidgetColors::buttonFace());
}

void frmMain::Check1_Click(int Index)
{
    QCheckBox *box = Check1(Index);
    QLineEdit *field = Text1(tagIndex(box));
    QPushButton *browse = Command2(tagIndex(field));
    const bool on = box->isChecked();
    setFieldLook(field, on);
    field->setEnabled(on);
    browse->setEnabled(on);
}

// Greys or enables a whole section. The disabled frame blocks input to its
// contents; the fields' own enabled state stays as the image boxes left it.
void frmMain::Check2_Click(int Index)
{
    const Sections::Section *section = Sections::switchedBy(static_cast<qint16>(Index));
    if (!section) {
        return;
    }
    const bool on = Check2(Index)->isChecked();
    Frame1(section->frame)->setEnabled(on);
    if (section->image.text != Sections::kNone) {
        setFieldLook(Text1(section->image.text), on);
    }
    for (const Sections::ImageField &image : Sections::switchableImages(*section)) {
        // An unchecked image keeps the greyed look its own box gave it.
        if (!on || Check1(image.box)->isChecked()) {
            setFieldLook(Text1(image.text), on);
        }
        Check1(image.box)->setEnabled(on);
    }
    for (const qint16 field : Sections::numberFields(*section)) {
        setFieldLook(Text1(field), on);
    }
    for (const qint16 list : {section->fontSize, section->scrollSpeed}) {
        if (list != Sections::kNone) {
            setFieldLook(Combo1(list), on);
        }
    }
    for (const qint16 option :
         {section->choice.on, section->choice.off, section->opaque.on, section->opaque.off}) {
        if (option != Sections::kNone) {
            Option1(option)->setEnabled(on);
        }
    }
}
