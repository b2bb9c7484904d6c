#include "ModeMenu.h"

#include "editor/panels/ControlTag.h"
#include "editor/widgets/ImageButton.h"
#include "editor/widgets/PictureFile.h"
#include "util/AppError.h"
#include "util/MessageSink.h"

#include <QAction>
#include <QFrame>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int kFileNewButton = 7;
constexpr int kFileOpenButton = 8;
constexpr int kFileSaveButton = 9;
constexpr int kEditSet = 1;

const QString kPrevDown = u"PrevDown"_s;

} // namespace

ModeMenu::ModeMenu(Controls controls, FileCommands commands, MessageSink &messages, QObject *parent)
    : QObject(parent), m_controls(controls), m_commands(commands), m_messages(messages)
{
}

void ModeMenu::reset(const QString &packageFolder)
{
    m_editMenuShown = 1;
    m_packageFolder = packageFolder;
    for (std::size_t i = 0; i < m_pictures.size(); ++i) {
        m_pictures[i] = u"edit_%1.jpg"_s.arg(i + 1);
        m_selectedPictures[i] = u"edit_%1g.jpg"_s.arg(i + 1);
    }
}

QString ModeMenu::selectedPicture(int index) const
{
    return m_packageFolder + m_selectedPictures.at(std::size_t(index));
}

void ModeMenu::cmdMenu_Click(int Index)
{
    const bool showEdit = Index != 0;
    if (showEdit ? m_editMenuShown != 0 : m_editMenuShown != 1) {
        return;
    }
    m_controls.cmdMenu[0]->setEnabled(showEdit);
    m_controls.cmdMenu[1]->setEnabled(!showEdit);
    // Switching the set never changes which panel is shown.
    for (std::size_t i = 0; i < m_controls.imgMenu.size(); ++i) {
        const bool editButton = i < Layout::kEditMenuCount;
        m_controls.imgMenu[i]->setVisible(editButton == showEdit);
    }
    m_editMenuShown = showEdit ? 1 : 0;
}

void ModeMenu::imgMenu_Click(int Index)
{
    if (m_editMenuShown == 0) {
        // The file set runs the file commands of the menu bar.
        switch (Index) {
        case kFileNewButton:
            m_commands.newSkin->trigger();
            break;
        case kFileOpenButton:
            m_commands.open->trigger();
            break;
        case kFileSaveButton:
            m_commands.save->trigger();
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
        if (!m_controls.picture2[i]->isHidden()) {
            m_controls.picture2[i]->setVisible(false);
        }
    }
    for (std::size_t i = 0; i < Layout::kEditMenuCount; ++i) {
        if (tagOf(m_controls.imgMenu[i]) == kPrevDown) {
            setTag(m_controls.imgMenu[i], QString());
            showModePicture(static_cast<int>(i), m_pictures[i]);
        }
    }
    // Drawn while the panel is still hidden: a preview that cannot draw an
    // element leaves it out, so the panel is always shown afterwards.
    emit panelShowing(Index);
    const auto index = static_cast<std::size_t>(Index);
    setTag(m_controls.imgMenu[index], kPrevDown);
    showModePicture(Index, m_selectedPictures[index]);
    m_controls.picture2[index]->setVisible(true);
}

void ModeMenu::showPanel(int panel)
{
    cmdMenu_Click(kEditSet);
    imgMenu_Click(panel);
}

// Loads one mode-button picture. A missing file is reported and the button
// keeps its previous picture, so the mode switch still completes; so does an
// unreadable one, which has nothing to show.
void ModeMenu::showModePicture(int index, const QString &fileName)
{
    try {
        const QPixmap picture = loadPictureFile(m_packageFolder + fileName);
        if (!picture.isNull()) {
            m_controls.imgMenu[std::size_t(index)]->setPixmap(picture);
        }
    } catch (const AppError &error) {
        m_messages.showMessage(
            u"ファイルが見つかりません\r\n編集中のスキンを保存し、終了してください"
            u"\r\nエラー:"_s +
                QString::number(error.number()),
            u"編集モード切替"_s, MessageIcon::Stop);
    }
}
