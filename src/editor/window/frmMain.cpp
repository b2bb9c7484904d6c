#include "frmMain.h"

#include "ModeMenu.h"
#include "chooser/frmFileOpendlg.h"
#include "document/SectionTable.h"
#include "document/clsFileControl.h"
#include "editor/canvas/PanelPlacements.h"
#include "editor/history/EditHistory.h"
#include "editor/panels/ControlTag.h"
#include "editor/platform/QtDialogProvider.h"
#include "editor/widgets/ImageButton.h"
#include "editor/widgets/PictureFile.h"
#include "editor/widgets/WidgetColors.h"
#include "packaging/clsZipWrapper.h"
#include "util/AppError.h"
#include "util/MessageSink.h"
#include "util/Paths.h"
#include "util/Twips.h"
#include "util/VersionInfo.h"
#include "util/clsFunction.h"
#include "wms/WmsFields.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <span>

using namespace Qt::StringLiterals;

frmMain::frmMain(MessageSink &messages, QString programFolder, ArchiverFactory makeArchiver,
                 QWidget *parent)
    : QMainWindow(parent), m_messages(messages), m_programFolder(std::move(programFolder)),
      m_makeArchiver(std::move(makeArchiver)),
      m_platformDialogs(std::make_unique<QtDialogProvider>(this)),
      m_dialogs(m_platformDialogs.get())
{
    setObjectName(u"frmMain"_s);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(u":/pictures/velmora.png"_s));
    buildWindow();
    connect(qApp, &QGuiApplication::commitDataRequest, this, &frmMain::commitSession);
}

frmMain::~frmMain() = default;

bool frmMain::Form_Load()
{
    setFixedSize(Twips::toPixels(Layout::kClientWidth), Twips::toPixels(Layout::kClientHeight));
    m_modeMenu->reset(Paths::join(m_programFolder, u"package"_s) + Paths::separator());
    setWindowTitle(VersionInfo::program().title);
    // The defaults are where the history starts, not steps of it.
    const EditHistory::Reload reload(*m_history);
    try {
        checkResources();
    } catch (const AppError &error) {
        // A missing editor picture stops the program; any other failure only
        // ends the check, and start-up goes on with the document.
        if (error.number() == AppError::FileNotFound) {
            m_messages.showMessage(
                u"ファイルが見つかりません。起動処理を中止します。\r\nエラー:"_s +
                    QString::number(error.number()),
                u"起動中止"_s, MessageIcon::Stop);
            releaseOwnedObjects();
            return false;
        }
    }
    // Defaults always load; should a check above have ended early, the
    // fields keep what the layout gave them rather than ending the program.
    guarded([this] {
        initAllElements();
        loadPanels();
    });
    return true;
}

void frmMain::checkResources()
{
    picture2(0)->setVisible(true);
    setTag(imgMenu(0), u"PrevDown"_s);
    for (std::size_t i = 1; i < Layout::kEditMenuCount; ++i) {
        picture2(i)->setVisible(false);
        setTag(imgMenu(i), QString());
    }
    for (std::size_t i = Layout::kEditMenuCount; i < m_imgMenu.size(); ++i) {
        imgMenu(i)->setVisible(false);
    }
    cmdMenu(1)->setEnabled(false);

    // A start-up picture that is there but unreadable leaves the button with
    // its layout picture; the editor stays usable, so start-up goes on.
    const QPixmap selected = loadPictureFile(m_modeMenu->selectedPicture(0));
    if (!selected.isNull()) {
        imgMenu(0)->setPixmap(selected);
    }
    // Without a usable archiver the editor still works; only WMZ output is off.
    if (!zipWrapper().getZipUsable()) {
        mnuFileWmz()->setEnabled(false);
    }

    setDefaultOptions();
    resetCheckBoxes();
    clearTextFields();
    resetColorSwatches();
    fillComboLists();
}

// Title bar hidden; the sliders horizontal, the playlist's drop-down shown,
// scrolling on and the track name's background opaque.
void frmMain::setDefaultOptions()
{
    for (const Sections::Section &section : Sections::kSections) {
        const qint16 option =
            section.family() == ElementFamily::View ? section.choice.off : section.choice.on;
        for (const qint16 selected : {option, section.opaque.on}) {
            if (selected != Sections::kNone) {
                Option1(selected)->setChecked(true);
            }
        }
    }
}

// Every box unchecked with its click behaviour run once for "unchecked": a
// box that is checked gets there by the change itself, one that is not is
// given the behaviour directly, as a change would.
void frmMain::resetCheckBoxes()
{
    const auto uncheck = [](std::span<QCheckBox *const> boxes, const auto &click) {
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i]->isChecked()) {
                boxes[i]->setChecked(false);
            } else {
                click(static_cast<int>(i));
            }
        }
    };
    uncheck(m_Check1, [this](int index) { Check1_Click(index); });
    uncheck(m_Check2, [this](int index) { Check2_Click(index); });
}

void frmMain::clearTextFields()
{
    for (QLineEdit *field : m_Text1) {
        field->clear();
    }
}

void frmMain::resetColorSwatches()
{
    for (QLabel *swatch : m_Label2) {
        WidgetColors::setBackColor(swatch, WidgetColors::white());
    }
}

void frmMain::fillComboLists()
{
    for (const auto &[list, entries] :
         {std::pair{Sections::kTrackName.fontSize, WmsFields::kFontSizes},
          {Sections::kTrackName.scrollSpeed, WmsFields::kScrollSpeeds}}) {
        for (int value = entries.first; value <= entries.last; ++value) {
            Combo1(list)->addItem(QString::number(value));
        }
        Combo1(list)->setCurrentIndex(entries.startPosition);
    }
}

PanelControls frmMain::panelControls() const
{
    return {m_Text1, m_Check1, m_Check2, m_Option1, m_Combo1, m_Label2, m_picture2};
}

clsFileControl &frmMain::fileControl()
{
    if (!mclsFileControl) {
        mclsFileControl = std::make_unique<clsFileControl>(m_messages);
    }
    return *mclsFileControl;
}

clsZipWrapper &frmMain::zipWrapper()
{
    if (!mclsZipWrapper) {
        mclsZipWrapper = m_makeArchiver
                             ? std::make_unique<clsZipWrapper>(m_messages, m_makeArchiver())
                             : std::make_unique<clsZipWrapper>(m_messages);
    }
    return *mclsZipWrapper;
}

void frmMain::releaseOwnedObjects()
{
    mfrmFileOpen.reset();
    mclsZipWrapper.reset();
    mclsFileControl.reset();
}

void frmMain::Form_Unload()
{
    releaseOwnedObjects();
}

// Every way of leaving comes here: the menu's Exit, the close box and the
// window manager's close. A session that is ending has had its say in
// commitSession and is not held up.
void frmMain::closeEvent(QCloseEvent *event)
{
    if (!qApp->isSavingSession() && !mayLeave()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}
