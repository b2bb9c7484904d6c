// The side menu, the edit modes and the check boxes that switch fields and
// whole sections on and off.
#include "document/SectionTable.h"
#include "editor/canvas/PreviewCanvas.h"
#include "editor/panels/ControlTag.h"
#include "editor/panels/LayoutTables.h"
#include "editor/widgets/ImageButton.h"
#include "editor/widgets/PictureFile.h"
#include "editor/widgets/WidgetColors.h"
#include "frmMain.h"
#include "util/AppError.h"
#include "util/MessageSink.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int kFileNewButton = 7;
constexpr int kFileOpenButton = 8;
constexpr int kFileSaveButton = 9;

const QString kPrevDown = u"PrevDown"_s;

} // namespace

void frmMain::cmdMenu_Click(int Index)
{
    const bool showEdit = Index != 0;
    if (showEdit ? m_editMenuShown != 0 : m_editMenuShown != 1) {
        return;
    }
    cmdMenu(0)->setEnabled(showEdit);
    cmdMenu(1)->setEnabled(!showEdit);
    // Switching the set never changes which panel is shown.
    for (std::size_t i = 0; i < m_imgMenu.size(); ++i) {
        const bool editButton = i < Layout::kEditMenuCount;
        imgMenu(i)->setVisible(editButton == showEdit);
    }
    m_editMenuShown = showEdit ? 1 : 0;
}

void frmMain::imgMenu_Click(int Index)
{
    if (m_editMenuShown == 0) {
        // The file set runs the file commands of the menu bar.
        switch (Index) {
        case kFileNewButton:
            mnuFileNew()->trigger();
            break;
        case kFileOpenButton:
            mnuFileOpen()->trigger();
            break;
        case kFileSaveButton:
            mnuFileSave()->trigger();
            break;
        default:
            break;
        }
        return;
    }
    if (Index < 0 || Index >= static_cast<int>(Layout::kEditMenuCount)) {
        return;
    }
    // A panel's own visibility flag, which holds also while the window is hidden.
    for (std::size_t i = 0; i < Layout::kEditMenuCount; ++i) {
        if (!picture2(i)->isHidden()) {
            picture2(i)->setVisible(false);
        }
    }
    for (std::size_t i = 0; i < Layout::kEditMenuCount; ++i) {
        if (tagOf(imgMenu(i)) == kPrevDown) {
            setTag(imgMenu(i), QString());
            showModePicture(static_cast<int>(i), m_modeImageNames[i]);
        }
    }
    if (Index == Layout::kPreviewPanel) {
        // Drawn while the panel is still hidden; an element that cannot be
        // drawn is left out, so the panel is always shown afterwards.
        drawPreview();
    } else {
        // The decoded pictures are kept only while the preview is shown.
        m_previewCanvas->release();
    }
    const auto index = static_cast<std::size_t>(Index);
    setTag(imgMenu(index), kPrevDown);
    showModePicture(Index, m_modeSelectedImageNames[index]);
    picture2(index)->setVisible(true);
}

// Loads one mode-button picture. A missing file is reported and the button
// keeps its previous picture, so the mode switch still completes; so does an
// unreadable one, which has nothing to show.
void frmMain::showModePicture(int index, const QString &fileName)
{
    try {
        const QPixmap picture = loadPictureFile(m_packagePath + fileName);
        if (!picture.isNull()) {
            imgMenu(index)->setPixmap(picture);
        }
    } catch (const AppError &error) {
        m_messages.showMessage(
            u"ファイルが見つかりません\r\n編集中のスキンを保存し、終了してください"
            u"\r\nエラー:"_s +
                QString::number(error.number()),
            u"編集モード切替"_s, MessageIcon::Stop);
    }
}

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
