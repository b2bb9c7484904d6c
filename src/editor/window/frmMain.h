#pragma once

#include "document/SkinValues.h"
#include "editor/panels/ControlArray.h"
#include "editor/panels/LayoutTables.h"
#include "editor/panels/PanelControls.h"
#include "editor/platform/HelpOpener.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class DialogProvider;
class ModeMenu;
class SkinDocument;
class EditHistory;
class KeptPictures;
class DeferredWork;
class LayoutWindow;
struct ShownSkin;
class Recovery;
class frmFileOpendlg;
class ImageButton;
class MessageSink;
class PanelPlacements;
class PanelScroller;
class PreviewCanvas;
class PictureBox;
class QtDialogProvider;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSessionManager;
class Archiver;
class clsElement;
class clsFileControl;
class clsZipWrapper;
namespace Sections {
struct Section;
enum class Test;
} // namespace Sections

// The editor's main window: side menu, seven panels of fields and the menu
// bar. Its controls are arrays indexed as the layout tables say; each array
// has one accessor of its name that takes the index and returns the control
// (Text1(7), Check2(0)). The skin itself is held by its document.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    using ArchiverFactory = std::function<std::unique_ptr<Archiver>()>;

    // programFolder: the folder whose package/ holds the mode-button pictures.
    // makeArchiver: gives the packager its archiver (the built-in one when empty).
    explicit frmMain(MessageSink &messages,
                     QString programFolder = QCoreApplication::applicationDirPath(),
                     ArchiverFactory makeArchiver = {}, QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up. False when a missing picture ended it: the message has been
    // shown, the owned objects are released and the window must not be shown.
    bool Form_Load();
    // Work an earlier run left unsaved when it was ended from outside is
    // offered back: Yes puts it into the panels, unsaved; No drops it.
    // True when it was put back.
    bool offerRecovery();
    // A skin file given to the program opens as a confirmed Open of it does
    // (confirm: ask first, as for a drop).
    void openSkinFile(const QString &path, bool confirm);

    // The skin being edited.
    SkinDocument &document() const { return *m_document; }

    // What only tests set or look at (frmMainTestHooks.h).
    class TestHooks;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Unload();

    // Controls, by array and index; an index outside the array throws.
    QPushButton *cmdMenu(int index) const { return at(m_cmdMenu, index); }
    ImageButton *imgMenu(int index) const { return at(m_imgMenu, index); }
    QFrame *picture2(int index) const { return at(m_picture2, index); }
    QLabel *imgTitle(int index) const { return at(m_imgTitle, index); }
    QGroupBox *Frame1(int index) const { return at(m_Frame1, index); }
    QLineEdit *Text1(int index) const { return at(m_Text1, index); }
    QPushButton *Command2(int index) const { return at(m_Command2, index); }
    QCheckBox *Check1(int index) const { return at(m_Check1, index); }
    QCheckBox *Check2(int index) const { return at(m_Check2, index); }
    QLabel *Label2(int index) const { return at(m_Label2, index); }
    QRadioButton *Option1(int index) const { return at(m_Option1, index); }
    QComboBox *Combo1(int index) const { return at(m_Combo1, index); }
    QLabel *Label1(int index) const { return at(m_Label1, index); }
    // The arrays that hold the skin's values, for the classes that read or change them.
    PanelControls panelControls() const;

    QMenu *mnuFile() const { return m_mnuFile; }
    QAction *mnuFileNew() const { return m_mnuFileNew; }
    QAction *mnuFileOpen() const { return m_mnuFileOpen; }
    QAction *mnuFileSave() const { return m_mnuFileSave; }
    QAction *mnuFileAnotherSave() const { return m_mnuFileAnotherSave; }
    QAction *mnuFileSeparator0() const { return m_mnuFileSeparator0; }
    QAction *mnuFileWmz() const { return m_mnuFileWmz; }
    QAction *mnuFileExit() const { return m_mnuFileExit; }
    QMenu *mnuEdit() const { return m_mnuEdit; }
    QAction *mnuEditUndo() const { return m_mnuEditUndo; }
    QAction *mnuEditRedo() const { return m_mnuEditRedo; }
    QAction *mnuViewLayout() const { return m_mnuViewLayout; }
    QMenu *mnuHelp() const { return m_mnuHelp; }
    QAction *mnuHelpOpen() const { return m_mnuHelpOpen; }
    QAction *mnuHelpSeparator() const { return m_mnuHelpSeparator; }
    QAction *mnuHelpVersion() const { return m_mnuHelpVersion; }

    // The WMS file being edited; empty for a skin never saved or opened.
    const QString &currentFileName() const { return m_currentFileName; }

    // The boxes that switch fields and sections.
    void Check1_Click(int Index);
    void Check2_Click(int Index);

    // The skin document, created on first use and released at unload.
    clsFileControl &fileControl();

    // Copying between the fields and the document. Loads and saves throw
    // AppError where a record or a file cannot be taken over; the calling
    // command's guard decides what the user sees.
    void initAllElements();
    void loadPanels();
    void savePanels();

    // Rebuilds the document from the panels and draws the skin onto the
    // canvas picture2(7); never throws. clearPreview empties the canvas and
    // the scratch box picture2(8).
    void drawPreview();
    void clearPreview();
    PictureBox &previewCanvas() const;
    PictureBox &previewScratch() const;

    // WMZ, help and version commands.
    void mnuFileWmz_Click();
    void mnuHelpOpen_Click();
    void mnuHelpVersion_Click();

    // An image file dropped on an image path field that is not greyed puts
    // its full path there (frmMain_Drops.cpp).
    bool acceptsDroppedFile(const QWidget *target, const QString &path) const;
    void dropFile(QWidget *target, const QString &path);

    // File commands, the field check before a save and the image fields a
    // save copies (frmMain_Files.cpp, frmMain_Validation.cpp).
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileAnotherSave_Click();
    void mnuFileExit_Click();
    void newSkin();
    void openSkin();
    // mode 1: save as, into a new skin folder; 0: under currentFileName.
    void saveSkin(qint16 mode);
    bool verifyAllFields();
    // The texts of the image fields the skin uses, in field order.
    QStringList usedImagePaths() const;

    // Field input: whole-text selection on entering a field; number fields
    // take digits, Backspace and Enter, any other character beeps and
    // KeyAscii becomes 0, which keeps it out of the field.
    void Text1_GotFocus(int Index);
    void selectAllText(QLineEdit *field);
    void Text1_KeyPress(int Index, qint16 &KeyAscii);
    void Label2_Click(int Index);
    // The colour chosen in the colour dialog; the initial one when cancelled.
    qint32 pickColor(qint32 initial);
    void Command2_Click(int Index);
    void mfrmFileOpen_clickOpen();

    // Built once from the layout tables.
    void buildWindow();
    void buildSideMenu(QWidget *client);
    void buildPanels(QWidget *client);
    void buildFields();
    void buildMenus();
    void connectControls();
    QWidget *holderWidget(Layout::Holder holder) const;

    // Start-up and the owned objects, each created on first use and
    // released at unload.
    void checkResources();
    void setDefaultOptions();
    void resetCheckBoxes();
    void clearTextFields();
    void resetColorSwatches();
    void fillComboLists();
    void releaseOwnedObjects();
    clsZipWrapper &zipWrapper();
    DialogProvider &dialogs() { return *m_dialogs; }

    // Modes and panels.
    void setFieldLook(QWidget *field, bool white);
    // The skin's values as the panels show them.
    SkinValues panelValues() const;

    // File commands and field check.
    using FieldVisitor =
        std::function<bool(const Sections::Section &, Sections::Test, qint16 field)>;
    void connectFileCommands();
    // Open once the file is chosen and confirmed.
    void readSkinFile(const QString &path);
    // Where the save dialog starts: the program's skins folder, or the
    // user's own when that one is not writable.
    QString skinsFolder() const;
    // The file type the skin file dialogs show.
    static QString skinFileFilter();
    // Leaving with unsaved panels asks whether to save them first; false
    // when the user stays (Cancel, or a save that did not complete).
    bool mayLeave();
    // The checks between the save dialog and the first write: false, with
    // the field brought forward, when an image would be copied over the
    // skin file or over another image of the same name, or when texts the
    // skin file cannot hold are to be retyped.
    struct StoredField {
        qint16 panel;
        qint16 field;
        QString name; // for messages
        bool image;
    };
    std::vector<StoredField> storedFields() const;
    QString storedText(const StoredField &stored) const;
    std::pair<std::vector<StoredField>, QStringList> storedImages() const;
    bool imageLeavesSkinFileIntact(const QString &skinFile);
    bool imagesKeepTheirNames(const QString &skinFile);
    bool textsSurviveOrUserAgrees();
    void commitSession(QSessionManager &manager);
    bool walkUsedFields(const FieldVisitor &visit) const;
    void bringFieldForward(qint16 intPanel, qint16 intField);

    // WMZ, help and version commands, files from outside, input helpers.
    void connectCommands();
    HelpOpener &helpOpener();
    void watchFileDrops();
    bool isImageField(const QWidget *widget) const;
    void connectInputHelpers();
    void createFileOpenDialog();
    void applyPanelLook();

    // Controls.
    QFrame *m_Picture1 = nullptr;
    std::array<QPushButton *, Layout::kCmdMenuCount> m_cmdMenu{};
    std::array<ImageButton *, Layout::kImgMenuCount> m_imgMenu{};
    std::array<QFrame *, Layout::kPicture2Count> m_picture2{};
    std::array<QLabel *, Layout::kImgTitleCount> m_imgTitle{};
    std::array<QGroupBox *, Layout::kFrame1Count> m_Frame1{};
    std::array<QLineEdit *, Layout::kText1Count> m_Text1{};
    std::array<QPushButton *, Layout::kCommand2Count> m_Command2{};
    std::array<QCheckBox *, Layout::kCheck1Count> m_Check1{};
    std::array<QCheckBox *, Layout::kCheck2Count> m_Check2{};
    std::array<QLabel *, Layout::kLabel2Count> m_Label2{};
    std::array<QRadioButton *, Layout::kOption1Count> m_Option1{};
    std::array<QComboBox *, Layout::kCombo1Count> m_Combo1{};
    std::array<QLabel *, Layout::kLabel1Count> m_Label1{};
    PanelScroller *m_previewScroller = nullptr; // owned by the preview panel
    // The edit history and the Edit menu; moving elements on the canvas,
    // which reads and writes their fields; what undo and redo show.
    void createHistory();
    void createPreviewCanvas();
    void showChangedControl(QWidget *control);
    // The layout window, made when first opened; the panels rendered for it.
    void showLayoutWindow();
    ShownSkin renderPanels(KeptPictures *kept = nullptr);
    // New and Open: what the preview showed of the old skin goes.
    void redrawReplacedSkin();
    std::unique_ptr<PanelPlacements> m_placements;
    PreviewCanvas *m_previewCanvas = nullptr; // owned by this window
    ModeMenu *m_modeMenu = nullptr;           // owned by this window
    SkinDocument *m_document = nullptr;       // owned by this window
    EditHistory *m_history = nullptr;         // owned by this window
    Recovery *m_recovery = nullptr;           // owned by this window
    LayoutWindow *m_layoutWindow = nullptr;   // owned by this window, made on first use
    // What panels not shown at start need once shown; owned by this window.
    DeferredWork *m_deferred = nullptr;

    QMenu *m_mnuFile = nullptr;
    QAction *m_mnuFileNew = nullptr;
    QAction *m_mnuFileOpen = nullptr;
    QAction *m_mnuFileSave = nullptr;
    QAction *m_mnuFileAnotherSave = nullptr;
    QAction *m_mnuFileSeparator0 = nullptr;
    QAction *m_mnuFileWmz = nullptr;
    QAction *m_mnuFileSeparator1 = nullptr;
    QAction *m_mnuFileExit = nullptr;
    QMenu *m_mnuEdit = nullptr;
    QAction *m_mnuEditUndo = nullptr;
    QAction *m_mnuEditRedo = nullptr;
    QMenu *m_mnuView = nullptr;
    QAction *m_mnuViewLayout = nullptr;
    QMenu *m_mnuHelp = nullptr;
    QAction *m_mnuHelpOpen = nullptr;
    QAction *m_mnuHelpSeparator = nullptr;
    QAction *m_mnuHelpVersion = nullptr;

    // Window state.
    QString m_currentFileName;

    QString m_chosenImagePath;
    bool m_chooserReported = false; // whether the last showing reported a path

    MessageSink &m_messages;
    QString m_programFolder;
    ArchiverFactory m_makeArchiver;
    std::unique_ptr<QtDialogProvider> m_platformDialogs;
    DialogProvider *m_dialogs;
    std::unique_ptr<HelpOpener> m_desktopHelpOpener; // made on first use
    HelpOpener *m_helpOpener = nullptr;
    std::unique_ptr<clsFileControl> mclsFileControl;
    std::unique_ptr<clsZipWrapper> mclsZipWrapper;
    std::unique_ptr<frmFileOpendlg> mfrmFileOpen;
};
