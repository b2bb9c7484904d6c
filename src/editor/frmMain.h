#pragma once

#include "HelpOpener.h"
#include "LayoutTables.h"
#include "packaging/OwnerWindow.h"
#include "wms/ImageFields.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class DialogProvider;
class frmFileOpendlg;
class ImageButton;
class MessageSink;
class PanelScroller;
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
class Archiver;
class clsElement;
class clsFileControl;
class clsFunction;
class clsZipWrapper;
namespace Sections {
struct Section;
enum class Test;
} // namespace Sections

// The editor's main window: side menu, seven panels of fields and the menu
// bar. Its controls are public arrays indexed as the layout tables say, so
// every part of the editor addresses a field by its number.
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
    void Form_Unload();

    // Side menu and edit modes.
    void cmdMenu_Click(int Index);
    void imgMenu_Click(int Index);
    void Check1_Click(int Index);
    void Check2_Click(int Index);

    // Owned objects, each created on first use and released at unload.
    clsFileControl &fileControl();
    clsFunction &functions();
    clsZipWrapper &zipWrapper();
    bool hasFileControl() const { return mclsFileControl != nullptr; }
    bool hasZipWrapper() const { return mclsZipWrapper != nullptr; }

    // This window as the owner of the packager's work.
    const OwnerWindow &ownerWindow() const { return m_ownerWindow; }

    // The file and colour dialogs: the platform's own unless another provider
    // (a test's script) is set. The provider must outlive the window.
    void setDialogProvider(DialogProvider &dialogs) { m_dialogs = &dialogs; }
    DialogProvider &dialogs() { return *m_dialogs; }

    // Property panels
    // Copying between the fields and the document. Loads and saves throw
    // AppError where a record or a file cannot be taken over; the calling
    // command's guard decides what the user sees.
    void initAllElements();
    void loadPanels();
    void savePanels();

    // Skin preview
    // Rebuilds the document from the panels and draws the skin onto the
    // canvas picture2(7); never throws. clearPreview empties the canvas and
    // the scratch box picture2(8).
    void drawPreview();
    void clearPreview();
    PictureBox &previewCanvas() const;
    PictureBox &previewScratch() const;

    // Controls.
    QFrame *Picture1 = nullptr;
    std::array<QPushButton *, Layout::kCmdMenuCount> cmdMenu{};
    std::array<ImageButton *, Layout::kImgMenuCount> imgMenu{};
    std::array<QFrame *, Layout::kPicture2Count> picture2{};
    std::array<QLabel *, Layout::kImgTitleCount> imgTitle{};
    std::array<QGroupBox *, Layout::kFrame1Count> Frame1{};
    std::array<QLineEdit *, Layout::kText1Count> Text1{};
    std::array<QPushButton *, Layout::kCommand2Count> Command2{};
    std::array<QCheckBox *, Layout::kCheck1Count> Check1{};
    std::array<QCheckBox *, Layout::kCheck2Count> Check2{};
    std::array<QLabel *, Layout::kLabel2Count> Label2{};
    std::array<QRadioButton *, Layout::kOption1Count> Option1{};
    std::array<QComboBox *, Layout::kCombo1Count> Combo1{};
    std::array<QLabel *, Layout::kLabel1Count> Label1{};

    QMenu *mnuFile = nullptr;
    QAction *mnuFileNew = nullptr;
    QAction *mnuFileOpen = nullptr;
    QAction *mnuFileSave = nullptr;
    QAction *mnuFileAnotherSave = nullptr;
    QAction *mnuFileSeparator0 = nullptr;
    QAction *mnuFileWmz = nullptr;
    QAction *mnuFileSeparator1 = nullptr;
    QAction *mnuFileExit = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuHelpOpen = nullptr;
    QAction *mnuHelpSeparator = nullptr;
    QAction *mnuHelpVersion = nullptr;

    // Window state.
    qint16 editMenuShown = 1; // 1: edit set imgMenu(0..6) shown, 0: file set imgMenu(7..9)
    QString packagePath;
    std::array<QString, Layout::kEditMenuCount> modeImageNames;
    std::array<QString, Layout::kEditMenuCount> modeSelectedImageNames;
    QString currentFileName;

    // WMZ, help and version commands
    void mnuFileWmz_Click();
    void mnuHelpOpen_Click();
    void mnuHelpVersion_Click();
    // Where the help goes: the desktop unless another opener (a test's) is
    // set. The opener must outlive the window.
    void setHelpOpener(HelpOpener &opener) { m_helpOpener = &opener; }

    // Files from outside the editor (frmMain_Drops.cpp): a skin file given to
    // the program or dropped on the window opens as a confirmed Open of it
    // does (confirm: ask first, as for a drop); an image file dropped on an
    // image path field that is not greyed puts its full path there.
    void openSkinFile(const QString &path, bool confirm);
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
    // Open once the file is chosen and confirmed.
    void readSkinFile(const QString &path);
    // mode 1: save as, into a new skin folder; 0: under currentFileName.
    void saveSkin(qint16 mode);
    // Where the save dialog starts: the program's skins folder, or the
    // user's own when that one is not writable.
    QString skinsFolder() const;
    // The file type the skin file dialogs show.
    static QString skinFileFilter();
    bool verifyAllFields();
    bool verifyImageField(qint16 intPanel, const QString &strFileName, qint16 intField,
                          const QString &strPrefix);
    bool verifyPositionField(qint16 intPanel, qint16 intField, const QString &strPrefix);
    // The texts of the image fields the skin uses, in field order.
    QStringList usedImagePaths() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Built once from the layout tables.
    void buildWindow();
    void buildSideMenu(QWidget *client);
    void buildPanels(QWidget *client);
    void buildFields();
    void buildMenus();
    void connectControls();
    QWidget *holderWidget(Layout::Holder holder) const;

    void checkResources();
    void setDefaultOptions();
    void resetCheckBoxes();
    void clearTextFields();
    void resetColorSwatches();
    void fillComboLists();
    void releaseOwnedObjects();

    void showModePicture(int index, const QString &fileName);
    void setFieldLook(QWidget *field, bool white);
    void loadImagePanel(const clsElement &record, const Sections::Section &section);
    void saveImages(clsElement &record, const Sections::Section &section) const;
    void saveSliderSize(clsElement &record, const Sections::Section &section) const;
    void loadTrackNamePanel(const clsElement &record, const Sections::Section &section);

    // File commands and field check.
    using FieldVisitor =
        std::function<bool(const Sections::Section &, Sections::Test, qint16 field)>;
    void connectFileCommands();
    bool isTicked(qint16 box) const;
    bool walkUsedFields(const FieldVisitor &visit) const;
    void bringFieldForward(qint16 intPanel, qint16 intField);
    class WindowImageFields : public ImageFields {
    public:
        explicit WindowImageFields(const frmMain &window) : m_window(window) {}
        QStringList imagePaths() const override;

    private:
        const frmMain &m_window;
    };

    class WindowOwner : public OwnerWindow {
    public:
        explicit WindowOwner(const QWidget &window) : m_window(window) {}
        quintptr windowHandle() const override;

    private:
        const QWidget &m_window;
    };

    MessageSink &m_messages;
    QString m_programFolder;
    ArchiverFactory m_makeArchiver;
    WindowOwner m_ownerWindow;
    std::unique_ptr<QtDialogProvider> m_platformDialogs;
    DialogProvider *m_dialogs;
    std::unique_ptr<clsFunction> mclsFunction;
    std::unique_ptr<clsFileControl> mclsFileControl;
    std::unique_ptr<clsZipWrapper> mclsZipWrapper;

    // WMZ, help and version commands
    void connectCommands();
    HelpOpener &helpOpener();
    std::unique_ptr<HelpOpener> m_desktopHelpOpener; // made on first use
    HelpOpener *m_helpOpener = nullptr;

    // Files from outside the editor
    void watchFileDrops();
    bool isImageField(const QWidget *widget) const;

    // Skin preview
    PanelScroller *m_previewScroller = nullptr; // owned by the preview panel

    // Field input helpers, the image chooser and the look of the panels
public:
    void Text1_GotFocus(int Index);
    void selectAllText(QLineEdit *field);
    // Number fields take digits, Backspace and Enter; any other character
    // beeps and KeyAscii becomes 0, which keeps it out of the field.
    void Text1_KeyPress(int Index, qint16 &KeyAscii);
    void Label2_Click(int Index);
    // The colour chosen in the colour dialog; the initial one when cancelled.
    qint32 pickColor(qint32 initial);
    void Command2_Click(int Index);
    void mfrmFileOpen_clickOpen();
    // The one image chooser, created at load; null before and after unload.
    frmFileOpendlg *fileOpenDialog() const { return mfrmFileOpen.get(); }

    QString chosenImagePath; // the path the chooser reported last, trimmed

private:
    void connectInputHelpers();
    void createFileOpenDialog();
    void applyPanelLook();

    std::unique_ptr<frmFileOpendlg> mfrmFileOpen;
    bool m_chooserReported = false; // whether the last showing reported a path
};
