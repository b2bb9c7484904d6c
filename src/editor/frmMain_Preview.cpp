// The skin preview: the document drawn by the renderer onto the canvas of
// the preview panel.
#include "LayoutTables.h"
#include "PanelScroller.h"
#include "PictureBox.h"
#include "SectionTable.h"
#include "document/clsFileControl.h"
#include "frmMain.h"
#include "render/PreviewRenderer.h"
#include "util/AppError.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

// The background field, and for every element drawn, in drawing order, its
// section box (none for play, stop and close: always on) and its
// first-image field.
Preview::PanelState panelState(const frmMain &window)
{
    Preview::PanelState state;
    state.background = window.Text1(Sections::kView.image.text)->text();
    for (const Sections::Section *section : Sections::drawnSections()) {
        state.elements.push_back(
            {section->slot,
             section->check2 == Sections::kNone || window.Check2(section->check2)->isChecked(),
             window.Text1(section->image.text)->text()});
    }
    return state;
}

} // namespace

PictureBox &frmMain::previewCanvas() const
{
    return *static_cast<PictureBox *>(picture2(Layout::kPreviewCanvas));
}

PictureBox &frmMain::previewScratch() const
{
    return *static_cast<PictureBox *>(picture2(Layout::kPreviewScratch));
}

void frmMain::drawPreview()
{
    const bool drawn = guarded([this] {
        savePanels();
        previewCanvas().clearDrawing();
        previewScratch().clearDrawing();
        const Preview::Rendering rendering =
            Preview::renderPreview(fileControl(), panelState(*this));
        // Without a usable background the canvas goes on showing the last one
        // loaded, with nothing drawn on it.
        if (rendering.background.isNull()) {
            return;
        }
        previewCanvas().setPicture(rendering.background);
        previewCanvas().setDrawing(rendering.canvas);
        m_previewScroller->updateBars();
        if (!rendering.lastElement.isNull()) {
            previewScratch().setPicture(rendering.lastElement);
        }
    });
    if (!drawn) {
        // Panels that cannot be copied (an image size beyond 16 bits, a path no
        // file system holds) leave nothing trustworthy to draw.
        previewCanvas().clearDrawing();
        previewScratch().clearDrawing();
    }
}

void frmMain::clearPreview()
{
    previewCanvas().setPicture(QImage());
    previewScratch().setPicture(QImage());
    m_previewScroller->updateBars();
}
