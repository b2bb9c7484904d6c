// The skin preview: the document drawn by the renderer onto the canvas of
// the preview panel.
#include "LayoutTables.h"
#include "PanelPlacements.h"
#include "PanelScroller.h"
#include "PictureBox.h"
#include "PreviewCanvas.h"
#include "SectionTable.h"
#include "document/clsFileControl.h"
#include "frmMain.h"
#include "render/AreaOutlines.h"
#include "render/PreviewRenderer.h"
#include "render/SkinCheck.h"
#include "util/AppError.h"

#include <QCheckBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>
#include <algorithm>

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

// Undo and redo work while the preview panel is shown: the shortcuts belong to it.
void frmMain::createPreviewCanvas()
{
    m_placements = std::make_unique<PanelPlacements>(*this);
    m_previewCanvas = new PreviewCanvas(previewCanvas(), *m_placements, this);
    connect(m_previewCanvas, &PreviewCanvas::optionsChanged, this, &frmMain::drawPreview);
    QUndoStack &history = m_previewCanvas->history();
    const std::pair<QStringView, void (QUndoStack::*)()> kKeys[] = {
        {u"Ctrl+Z", &QUndoStack::undo},
        {u"Ctrl+Y", &QUndoStack::redo},
        {u"Ctrl+Shift+Z", &QUndoStack::redo},
    };
    for (const auto &[keys, command] : kKeys) {
        auto *shortcut =
            new QShortcut(QKeySequence(keys.toString()), picture2(Layout::kPreviewPanel));
        connect(shortcut, &QShortcut::activated, &history, command);
    }
}

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
        Preview::Rendering rendering =
            Preview::renderPreview(fileControl(), panelState(*this), m_previewCanvas->options());
        // Without a usable background the canvas goes on showing the last one
        // loaded, with nothing drawn on it.
        if (rendering.background.isNull()) {
            m_previewCanvas->release();
            return;
        }
        previewCanvas().setPicture(rendering.background);
        previewCanvas().setDrawing(rendering.canvas);
        m_previewScroller->updateBars();
        if (!rendering.lastElement.isNull()) {
            previewScratch().setPicture(rendering.lastElement);
        }
        const clsFileControl &document = fileControl();
        m_previewCanvas->show(std::move(rendering), Preview::pictureLessAreas(document),
                              checkSkin(document));
    });
    if (!drawn) {
        // Panels that cannot be copied (an image size beyond 16 bits, a path no
        // file system holds) leave nothing trustworthy to draw.
        m_previewCanvas->release();
        previewCanvas().clearDrawing();
        previewScratch().clearDrawing();
    }
}

void frmMain::clearPreview()
{
    m_previewCanvas->release();
    previewCanvas().setPicture(QImage());
    previewScratch().setPicture(QImage());
    m_previewScroller->updateBars();
}
