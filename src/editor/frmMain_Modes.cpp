// The side menu, the edit modes and the check boxes that switch fields and
// whole sections on and off.
#include "ControlArray.h"
#include "ControlTag.h"
#include "ImageButton.h"
#include "LayoutTables.h"
#include "PictureFile.h"
#include "WidgetColors.h"
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
#include <algorithm>

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
    if (showEdit ? editMenuShown != 0 : editMenuShown != 1) {
        return;
    }
    cmdMenu[0]->setEnabled(showEdit);
    cmdMenu[1]->setEnabled(!showEdit);
    // Switching the set never changes which panel is shown.
    for (std::size_t i = 0; i < imgMenu.size(); ++i) {
        const bool editButton = i < Layout::kEditMenuCount;
        imgMenu[i]->setVisible(editButton == showEdit);
    }
    editMenuShown = showEdit ? 1 : 0;
}

void frmMain::imgMenu_Click(int Index)
{
    if (editMenuShown == 0) {
        // The file set runs the file commands of the menu bar.
        switch (Index) {
        case kFileNewButton:
            mnuFileNew->trigger();
            break;
        case kFileOpenButton:
            mnuFileOpen->trigger();
            break;
        case kFileSaveButton:
            mnuFileSave->trigger();
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
        if (!picture2[i]->isHidden()) {
            picture2[i]->setVisible(false);
        }
    }
    for (std::size_t i = 0; i < Layout::kEditMenuCount; ++i) {
        if (tagOf(imgMenu[i]) == kPrevDown) {
            setTag(imgMenu[i], QString());
            showModePicture(static_cast<int>(i), modeImageNames[i]);
        }
    }
    if (Index == Layout::kPreviewPanel) {
        // Drawn while the panel is still hidden; an element that cannot be
        // drawn is left out, so the panel is always shown afterwards.
        drawPreview();
    }
    const auto index = static_cast<std::size_t>(Index);
    setTag(imgMenu[index], kPrevDown);
    showModePicture(Index, modeSelectedImageNames[index]);
    picture2[index]->setVisible(true);
}

// Loads one mode-button picture. A missing file is reported and the button
// keeps its previous picture, so the mode switch still completes; so does an
// unreadable one, which has nothing to show.
void frmMain::showModePicture(int index, const QString &fileName)
{
    try {
        const QPixmap picture = loadPictureFile(packagePath + fileName);
        if (!picture.isNull()) {
            at(imgMenu, index)->setPixmap(picture);
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
    QCheckBox *box = at(Check1, Index);
    QLineEdit *field = at(Text1, tagIndex(box));
    QPushButton *browse = at(Command2, tagIndex(field));
    const bool on = box->isChecked();
    setFieldLook(field, on);
    field->setEnabled(on);
    browse->setEnabled(on);
}

void frmMain::Check2_Click(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(Check2.size())) {
        return;
    }
    const qint16 value = at(Check2, Index)->isChecked() ? 1 : 0;
    const auto button = std::find_if(Layout::kButtonFrames.begin(), Layout::kButtonFrames.end(),
                                     [Index](const auto &row) { return row.check2 == Index; });
    if (button != Layout::kButtonFrames.end()) {
        enableButtonPanel(value, button->upText, button->downText, button->hoverText,
                          button->topText, button->leftText, button->downBox, button->hoverBox,
                          button->frame);
        return;
    }
    const auto slider = std::find_if(Layout::kSliderFrames.begin(), Layout::kSliderFrames.end(),
                                     [Index](const auto &row) { return row.check2 == Index; });
    if (slider != Layout::kSliderFrames.end()) {
        enableSliderPanel(value, slider->upText, slider->backText, slider->topText,
                          slider->leftText, slider->heightText, slider->widthText,
                          slider->horizontalOption, slider->verticalOption, slider->backBox,
                          slider->frame);
        return;
    }
    switch (Index) {
    case Layout::kPlaylistCheck2:
        enablePlaylistPanel(value);
        break;
    case Layout::kTrackNameCheck2:
        enableTrackNamePanel(value);
        break;
    case Layout::kVideoCheck2:
        enableVideoPanel(value);
        break;
    default:
        break;
    }
}

void frmMain::enableButtonPanel(qint16 value, qint16 upField, qint16 firstImageField,
                                qint16 secondImageField, qint16 topField, qint16 leftField,
                                qint16 firstBox, qint16 secondBox, qint16 frame)
{
    const bool on = value == 1;
    // The disabled frame blocks input to its contents; the fields' own
    // enabled state stays as the image boxes left it.
    at(Frame1, frame)->setEnabled(on);
    setFieldLook(at(Text1, upField), on);
    for (auto [field, box] :
         {std::pair{firstImageField, firstBox}, {secondImageField, secondBox}}) {
        if (!on || at(Check1, box)->isChecked()) {
            setFieldLook(at(Text1, field), on);
        }
        at(Check1, box)->setEnabled(on);
    }
    setFieldLook(at(Text1, topField), on);
    setFieldLook(at(Text1, leftField), on);
}

void frmMain::enableSliderPanel(qint16 value, qint16 upField, qint16 hoverField, qint16 topField,
                                qint16 leftField, qint16 heightField, qint16 widthField,
                                qint16 firstOption, qint16 secondOption, qint16 hoverBox,
                                qint16 frame)
{
    const bool on = value == 1;
    at(Frame1, frame)->setEnabled(on);
    setFieldLook(at(Text1, upField), on);
    if (!on || at(Check1, hoverBox)->isChecked()) {
        setFieldLook(at(Text1, hoverField), on);
    }
    for (qint16 field : {topField, leftField, heightField, widthField}) {
        setFieldLook(at(Text1, field), on);
    }
    at(Option1, firstOption)->setEnabled(on);
    at(Option1, secondOption)->setEnabled(on);
    at(Check1, hoverBox)->setEnabled(on);
}

void frmMain::enablePlaylistPanel(qint16 value)
{
    const bool on = value == 1;
    Frame1[15]->setEnabled(on);
    for (int field = 66; field <= 69; ++field) {
        setFieldLook(at(Text1, field), on);
    }
    Option1[8]->setEnabled(on);
    Option1[9]->setEnabled(on);
}

void frmMain::enableTrackNamePanel(qint16 value)
{
    const bool on = value == 1;
    Frame1[16]->setEnabled(on);
    for (int field : {72, 71, 70}) {
        setFieldLook(at(Text1, field), on);
    }
    setFieldLook(Combo1[0], on);
    setFieldLook(Combo1[1], on);
    for (int option = 10; option <= 13; ++option) {
        at(Option1, option)->setEnabled(on);
    }
}

void frmMain::enableVideoPanel(qint16 value)
{
    const bool on = value == 1;
    Frame1[17]->setEnabled(on);
    for (int field = 76; field >= 73; --field) {
        setFieldLook(at(Text1, field), on);
    }
}
