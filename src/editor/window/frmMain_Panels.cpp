// Copying between the panels' fields and the skin document: the fields show
// the skin's values, which the core copies to and from the records.
#include "document/SkinRecords.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "editor/document/SkinDocument.h"
#include "editor/panels/PanelValues.h"
#include "frmMain.h"

void frmMain::initAllElements()
{
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        fileControl().getElement(slot)->initMember();
    }
}

SkinValues frmMain::panelValues() const
{
    return m_document->values();
}

// A record the panels cannot show stops the load there: the fields before it
// show the file, the ones after it what they held.
void frmMain::loadPanels()
{
    SkinValues values = panelValues();
    const auto show = [&] {
        // The document first: the fields then show what it holds, and a list
        // value no entry shows stays its value.
        m_document->replace(values);
        PanelValues::write(values, panelControls());
        // A box whose value did not change raised no click, and an image box
        // switched on inside a switched-off section whitened its field: each
        // section's look follows the loaded values once more.
        for (const Sections::Section &section : Sections::kSections) {
            if (section.check2 != Sections::kNone) {
                Check2_Click(section.check2);
            }
        }
    };
    try {
        SkinRecords::fromRecords(std::as_const(fileControl()), values);
    } catch (...) {
        show();
        throw;
    }
    show();
}

void frmMain::savePanels()
{
    SkinRecords::toRecords(panelValues(), fileControl());
}
