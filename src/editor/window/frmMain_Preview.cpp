// The skin preview: the document drawn by the renderer onto the canvas of
// the preview panel.
#include "ModeMenu.h"
#include "document/SectionTable.h"
#include "document/SkinRecords.h"
#include "document/clsFileControl.h"
#include "editor/canvas/PanelPlacements.h"
#include "editor/canvas/PreviewCanvas.h"
#include "editor/canvas/ShownSkin.h"
#include "editor/document/SkinDocument.h"
#include "editor/history/EditHistory.h"
#include "editor/history/EditMenu.h"
#include "editor/history/FieldUndoKeys.h"
#include "editor/history/Recovery.h"
#include "editor/layout/LayoutWindow.h"
#include "editor/panels/LayoutTables.h"
#include "editor/widgets/PanelScroller.h"
#include "editor/widgets/PictureBox.h"
#include "frmMain.h"
#include "render/AreaOutlines.h"
#include "render/PreviewRenderer.h"
#include "render/SkinCheck.h"
#include "util/AppError.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <algorithm>

namespace {

// The background, and for every element drawn, in drawing order, whether
// it is there (play, stop and close always are) and its first picture.
Preview::PanelState panelState(const SkinValues &values)
{
    Preview::PanelState state;
    state.background = values.value(SkinFields::text(Sections::kView.image.text));
    for (const Sections::Section *section : Sections::drawnSections()) {
        state.elements.push_back({section->slot,
                                  values.ticked(SkinFields::Kind::SectionBox, section->check2),
                                  values.value(SkinFields::text(section->image.text))});
    }
    return state;
}

} // namespace

void frmMain::createHistory()
{
    m_document = new SkinDocument(this);
    m_history = new EditHistory(panelControls(), *m_document, this);
    new FieldUndoKeys(*m_history, m_Text1);
    std::tie(m_mnuEditUndo, m_mnuEditRedo) = fillEditMenu(*m_mnuEdit, m_history->stack());
    connect(m_history, &EditHistory::stepApplied, this, &frmMain::showChangedControl);
    m_recovery = new Recovery(
        *m_history, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
        [this] { return m_currentFileName; }, this);
}

void frmMain::createPreviewCanvas()
{
    m_placements = std::make_unique<PanelPlacements>(panelControls(), *m_history);
    m_previewCanvas = new PreviewCanvas(previewCanvas(), *m_placements, this);
    connect(m_previewCanvas, &PreviewCanvas::optionsChanged, this, &frmMain::drawPreview);
    // After the edit that asked for it is done, while the preview is shown.
    connect(
        m_previewCanvas, &PreviewCanvas::renderingOutdated, this,
        [this] {
            if (!picture2(Layout::kPreviewPanel)->isHidden()) {
                drawPreview();
            }
        },
        Qt::QueuedConnection);
    connect(m_mnuViewLayout, &QAction::triggered, this, &frmMain::showLayoutWindow);
    connect(m_modeMenu, &ModeMenu::panelShowing, this, [this](int panel) {
        if (panel == Layout::kPreviewPanel) {
            drawPreview();
        } else {
            // The decoded pictures are kept only while the preview is shown.
            m_previewCanvas->release();
        }
    });
    m_previewCanvas->addMenuAction(m_mnuViewLayout);
}

void frmMain::showLayoutWindow()
{
    if (!m_layoutWindow) {
        m_layoutWindow = new LayoutWindow(
            *m_placements, *m_history, *m_previewCanvas,
            [this](KeptPictures &kept) { return renderPanels(&kept); }, this);
        m_layoutWindow->setSkinFileName(m_currentFileName);
        connect(this, &QWidget::windowTitleChanged, m_layoutWindow,
                [this] { m_layoutWindow->setSkinFileName(m_currentFileName); });
    }
    m_layoutWindow->show();
    m_layoutWindow->raise();
    m_layoutWindow->activateWindow();
}

// The panels as the preview draws them, with the look its menu chose; an
// empty skin when the panels cannot be copied into the document.
ShownSkin frmMain::renderPanels(KeptPictures *kept)
{
    ShownSkin skin;
    guarded([this, &skin, kept] {
        // A scratch set of records: the file's own change only on Open and Save.
        const SkinValues values = m_document->values();
        clsFileControl document(m_messages);
        SkinRecords::toRecords(values, document);
        skin.rendering =
            Preview::renderPreview(document, panelState(values), m_previewCanvas->options(), kept);
        skin.areas = Preview::pictureLessAreas(document);
        skin.problems = checkSkin(document, kept);
    });
    return skin;
}

// An undone or redone step shows what it changed: the control's panel comes
// forward with the control selected. A move while the preview is shown is
// seen there, where the canvas redraws it.
void frmMain::showChangedControl(QWidget *control)
{
    const PanelRole *role = m_history->roleOf(control);
    if (!role) {
        return;
    }
    const auto isField = [this, control](qint16 field) {
        return field != Sections::kNone && Text1(field) == control;
    };
    const bool placement = isField(role->section->left) || isField(role->section->top);
    if (placement && !picture2(Layout::kPreviewPanel)->isHidden()) {
        return;
    }
    if (picture2(role->section->panel)->isHidden()) {
        m_modeMenu->showPanel(role->section->panel);
    }
    control->setFocus(Qt::OtherFocusReason);
    if (auto *field = qobject_cast<QLineEdit *>(control)) {
        selectAllText(field);
    }
}

// The canvas may still show the old skin's pictures and scene: they go, and
// a shown preview is drawn again from the new fields.
void frmMain::redrawReplacedSkin()
{
    clearPreview();
    if (!picture2(Layout::kPreviewPanel)->isHidden()) {
        drawPreview();
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
    previewCanvas().clearDrawing();
    previewScratch().clearDrawing();
    ShownSkin skin = renderPanels();
    // Without a usable background (or with panels that cannot be copied: an
    // image size beyond 16 bits, a path no file system holds) the canvas
    // goes on showing the last one loaded, with nothing drawn on it.
    if (skin.rendering.background.isNull()) {
        m_previewCanvas->release();
        return;
    }
    previewCanvas().setPicture(skin.rendering.background);
    previewCanvas().setDrawing(skin.rendering.canvas);
    m_previewScroller->updateBars();
    if (!skin.rendering.lastElement.isNull()) {
        previewScratch().setPicture(skin.rendering.lastElement);
    }
    m_previewCanvas->show(std::move(skin.rendering), std::move(skin.areas),
                          std::move(skin.problems));
}

void frmMain::clearPreview()
{
    m_previewCanvas->release();
    previewCanvas().setPicture(QImage());
    previewScratch().setPicture(QImage());
    m_previewScroller->updateBars();
}
