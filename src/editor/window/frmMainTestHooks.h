#pragma once

#include "ModeMenu.h"
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

    // The window's controls and menus, as a person meets them; by array and
    // index (an index outside the array throws), or without one the whole array.
    auto cmdMenu(int index) const { return m_window.cmdMenu(index); }
    auto imgMenu(int index) const { return m_window.imgMenu(index); }
    auto picture2(int index) const { return m_window.picture2(index); }
    auto imgTitle(int index) const { return m_window.imgTitle(index); }
    auto Frame1(int index) const { return m_window.Frame1(index); }
    auto Text1(int index) const { return m_window.Text1(index); }
    auto Command2(int index) const { return m_window.Command2(index); }
    auto Check1(int index) const { return m_window.Check1(index); }
    auto Check2(int index) const { return m_window.Check2(index); }
    auto Label2(int index) const { return m_window.Label2(index); }
    auto Option1(int index) const { return m_window.Option1(index); }
    auto Combo1(int index) const { return m_window.Combo1(index); }
    auto Label1(int index) const { return m_window.Label1(index); }
    QMenu *mnuFile() const { return m_window.mnuFile(); }
    QAction *mnuFileNew() const { return m_window.mnuFileNew(); }
    QAction *mnuFileOpen() const { return m_window.mnuFileOpen(); }
    QAction *mnuFileSave() const { return m_window.mnuFileSave(); }
    QAction *mnuFileAnotherSave() const { return m_window.mnuFileAnotherSave(); }
    QAction *mnuFileSeparator0() const { return m_window.mnuFileSeparator0(); }
    QAction *mnuFileWmz() const { return m_window.mnuFileWmz(); }
    QAction *mnuFileExit() const { return m_window.mnuFileExit(); }
    QMenu *mnuEdit() const { return m_window.mnuEdit(); }
    QAction *mnuEditUndo() const { return m_window.mnuEditUndo(); }
    QAction *mnuEditRedo() const { return m_window.mnuEditRedo(); }
    QAction *mnuViewLayout() const { return m_window.mnuViewLayout(); }
    QMenu *mnuHelp() const { return m_window.mnuHelp(); }
    QAction *mnuHelpOpen() const { return m_window.mnuHelpOpen(); }
    QAction *mnuHelpSeparator() const { return m_window.mnuHelpSeparator(); }
    QAction *mnuHelpVersion() const { return m_window.mnuHelpVersion(); }
    PanelControls panelControls() const { return m_window.panelControls(); }
    void Form_Unload() const { m_window.Form_Unload(); }
    // The WMS file being edited; empty for a skin never saved or opened.
    const QString &currentFileName() const { return m_window.m_currentFileName; }

    // 1: the edit set imgMenu(0..6) is shown, 0: the file set imgMenu(7..9).
    qint16 editMenuShown() const { return m_window.m_modeMenu->editMenuShown(); }
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
