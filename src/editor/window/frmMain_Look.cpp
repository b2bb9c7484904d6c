// How the panels look beyond their places: whole check and option boxes,
// captions level with the fields beside them, one font size in the menus as
// in the window, and tool tips on the buttons and swatches that open dialogs.
#include "DeferredWork.h"
#include "editor/panels/CaptionLevel.h"
#include "editor/panels/PanelStyle.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

void frmMain::applyPanelLook()
{
    auto *boxes = new PanelStyle;
    boxes->setParent(this);
    for (QCheckBox *box : m_Check1) {
        box->setStyle(boxes);
    }
    for (QCheckBox *box : m_Check2) {
        box->setStyle(boxes);
    }
    for (QRadioButton *option : m_Option1) {
        option->setStyle(boxes);
    }
    // Measuring a caption shapes its text: done when its panel is first shown.
    for (QLabel *caption : m_Label1) {
        m_deferred->hold(*caption, [this, caption] { levelCaption(caption, m_Label1); });
    }
    // Drop-down menus are windows of their own and take the application's
    // font unless given the window's.
    for (QAction *entry : menuBar()->actions()) {
        if (QMenu *menu = entry->menu()) {
            menu->setFont(font());
        }
    }
    for (QPushButton *browse : m_Command2) {
        browse->setToolTip(u"画像ファイルを選択"_s);
    }
    for (QLabel *swatch : m_Label2) {
        swatch->setToolTip(u"色を選択"_s);
    }
}
