#pragma once

#include "frmMain.h"

#include <span>
#include <utility>

// What only tests set or look at in the main window, in one place: stand-ins
// for the dialogs and the help, the owned objects, and the steps between the
// panels and the document that a test needs to set up or to read a state.
class frmMain::TestHooks {
public:
    explicit TestHooks(frmMain &window) : m_window(window) {}

    // The file and colour dialogs, and where the help goes: the platform's
    // own unless a test's stand-in is set, which must outlive the window.
    void setDialogProvider(DialogProvider &dialogs) const { m_window.m_dialogs = &dialogs; }
    void setHelpOpener(HelpOpener &opener) const { m_window.m_helpOpener = &opener; }
    void setCurrentFileName(const QString &path) const { m_window.m_currentFileName = path; }

    bool hasFileControl() const { return m_window.mclsFileControl != nullptr; }
    bool hasZipWrapper() const { return m_window.mclsZipWrapper != nullptr; }
    // The one image chooser, made when a browse button first opens it; null
    // before that and after unload.
    frmFileOpendlg *fileOpenDialog() const { return m_window.mfrmFileOpen.get(); }
    clsFileControl &fileControl() const { return m_window.fileControl(); }

    void initAllElements() const { m_window.initAllElements(); }
    void loadPanels() const { m_window.loadPanels(); }
    void savePanels() const { m_window.savePanels(); }
    bool verifyAllFields() const { return m_window.verifyAllFields(); }

    PictureBox &previewCanvas() const { return m_window.previewCanvas(); }
    PictureBox &previewScratch() const { return m_window.previewScratch(); }
    // The canvas as a layout tool: moves, looks, outlines and problems.
    PreviewCanvas &previewTool() const { return *m_window.m_previewCanvas; }

    // Whole control arrays, for walking every control of one kind.
    auto cmdMenu() const { return std::span(std::as_const(m_window.m_cmdMenu)); }
    auto imgMenu() const { return std::span(std::as_const(m_window.m_imgMenu)); }
    auto picture2() const { return std::span(std::as_const(m_window.m_picture2)); }
    auto imgTitle() const { return std::span(std::as_const(m_window.m_imgTitle)); }
    auto Frame1() const { return std::span(std::as_const(m_window.m_Frame1)); }
    auto Text1() const { return std::span(std::as_const(m_window.m_Text1)); }
    auto Command2() const { return std::span(std::as_const(m_window.m_Command2)); }
    auto Check1() const { return std::span(std::as_const(m_window.m_Check1)); }
    auto Check2() const { return std::span(std::as_const(m_window.m_Check2)); }
    auto Label2() const { return std::span(std::as_const(m_window.m_Label2)); }
    auto Option1() const { return std::span(std::as_const(m_window.m_Option1)); }
    auto Combo1() const { return std::span(std::as_const(m_window.m_Combo1)); }
    auto Label1() const { return std::span(std::as_const(m_window.m_Label1)); }

    qint16 editMenuShown() const { return m_window.editMenuShown(); }
    // The path the image chooser reported last, trimmed.
    const QString &chosenImagePath() const { return m_window.m_chosenImagePath; }

private:
    frmMain &m_window;
};

// The hooks of one window: hooks(window).fileControl().
inline frmMain::TestHooks hooks(frmMain &window)
{
    return frmMain::TestHooks(window);
}
