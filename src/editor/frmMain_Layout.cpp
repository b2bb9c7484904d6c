// Builds the window's controls from the layout tables.
#include "BrowseButton.h"
#include "ControlTag.h"
#include "ImageButton.h"
#include "LayoutTables.h"
#include "PanelScroller.h"
#include "PictureBox.h"
#include "SectionFrame.h"
#include "WidgetColors.h"
#include "frmMain.h"
#include "util/Twips.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

// Window text size, in pixels: the largest at which every caption fits the
// box the layout gives it.
constexpr int kFontPixelSize = 10;

QString controlName(QStringView array, std::size_t index)
{
    return array.toString() + u'_' + QString::number(index);
}

// Places a control; a zero width or height fits it to its caption.
void place(QWidget *widget, const Layout::Box &box)
{
    // Measuring a caption lays out its text, so only do it when the box asks for it.
    const bool fits = box.width <= 0 || box.height <= 0;
    const QSize fit = fits ? widget->sizeHint() : QSize();
    const int width = box.width > 0 ? Twips::toPixels(box.width) : fit.width();
    const int height = box.height > 0 ? Twips::toPixels(box.height) : fit.height();
    widget->setGeometry(Twips::toPixels(box.left), Twips::toPixels(box.top), width, height);
}

void setCaptionColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

} // namespace

void frmMain::buildWindow()
{
    QFont font = this->font();
    font.setPixelSize(kFontPixelSize);
    setFont(font);

    auto *client = new QWidget(this);
    client->setObjectName(u"frmMainClient"_s);
    setCentralWidget(client);
    buildMenus();
    buildSideMenu(client);
    buildPanels(client);
    buildFields();
    connectControls();
    connectInputHelpers();
    applyPanelLook();
}

void frmMain::buildMenus()
{
    auto add = [this](QMenu *menu, QAction *frmMain::*member, QStringView name, QStringView caption,
                      QStringView shortcut) {
        QAction *action =
            caption.isEmpty() ? menu->addSeparator() : menu->addAction(caption.toString());
        action->setObjectName(name.toString());
        if (!shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(shortcut.toString()));
        }
        this->*member = action;
    };

    mnuFile = menuBar()->addMenu(u"ファイル(&F)"_s);
    mnuFile->setObjectName(u"mnuFile"_s);
    add(mnuFile, &frmMain::mnuFileNew, u"mnuFileNew", u"新規作成(&N)", u"Ctrl+N");
    add(mnuFile, &frmMain::mnuFileOpen, u"mnuFileOpen", u"開く(&O)", u"Ctrl+O");
    add(mnuFile, &frmMain::mnuFileSave, u"mnuFileSave", u"保存(&S)", u"Ctrl+S");
    add(mnuFile, &frmMain::mnuFileAnotherSave, u"mnuFileAnotherSave", u"名前を付けて保存(&A)", {});
    add(mnuFile, &frmMain::mnuFileSeparator0, u"mnuFileSeparator0", {}, {});
    add(mnuFile, &frmMain::mnuFileWmz, u"mnuFileWmz", u"WMZファイル作成(&W)", {});
    add(mnuFile, &frmMain::mnuFileSeparator1, u"mnuFileSeparator1", {}, {});
    add(mnuFile, &frmMain::mnuFileExit, u"mnuFileExit", u"Velmoraの終了(&X)", {});

    mnuHelp = menuBar()->addMenu(u"ヘルプ(&H)"_s);
    mnuHelp->setObjectName(u"mnuHelp"_s);
    add(mnuHelp, &frmMain::mnuHelpOpen, u"mnuHelpOpen", u"ヘルプを開く(&H)", u"F1");
    add(mnuHelp, &frmMain::mnuHelpSeparator, u"mnuHelpSeparator", {}, {});
    add(mnuHelp, &frmMain::mnuHelpVersion, u"mnuHelpVersion", u"バージョン情報(&A)", {});
}

void frmMain::buildSideMenu(QWidget *client)
{
    Picture1 = new QFrame(client);
    Picture1->setObjectName(u"Picture1"_s);
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    place(Picture1, Layout::kPicture1);
    Picture1->setAutoFillBackground(true);
    Picture1->setBackgroundRole(QPalette::Dark); // the button-shadow colour

    for (std::size_t i = 0; i < cmdMenu.size(); ++i) {
        cmdMenu[i] = new QPushButton(Layout::kCmdMenu[i].caption.toString(), Picture1);
        cmdMenu[i]->setObjectName(controlName(u"cmdMenu", i));
        place(cmdMenu[i], Layout::kCmdMenu[i].box);
    }
    for (std::size_t i = 0; i < imgMenu.size(); ++i) {
        imgMenu[i] = new ImageButton(Picture1);
        imgMenu[i]->setObjectName(controlName(u"imgMenu", i));
        imgMenu[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place(imgMenu[i], {Layout::kImgMenuLeft, Layout::kImgMenuTops[i], Layout::kImgMenuWidth,
                           Layout::kImgMenuHeight});
        // The picture stored with the layout, shown until package/ supplies one.
        imgMenu[i]->setPixmap(QPixmap(u":/pictures/menu_%1.bmp"_s.arg(i)));
        setTag(imgMenu[i], QString());
    }
}

void frmMain::buildPanels(QWidget *client)
{
    for (std::size_t i = 0; i < picture2.size(); ++i) {
        const bool isPanel = i < Layout::kPanelCount;
        if (isPanel) {
            picture2[i] = new QFrame(client);
            picture2[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            place(picture2[i], Layout::kPanelBox);
        } else {
            auto *box = new PictureBox(picture2[Layout::kPreviewPanel]);
            place(box, Layout::kDrawingSurfaces[i - Layout::kPanelCount]);
            box->setPlacedSize(box->size());
            picture2[i] = box;
        }
        picture2[i]->setObjectName(controlName(u"picture2", i));
    }
    // A background larger than the panel can still be seen whole.
    m_previewScroller =
        new PanelScroller(picture2[Layout::kPreviewPanel], picture2[Layout::kPreviewCanvas]);
    for (std::size_t k = 0; k < imgTitle.size(); ++k) {
        imgTitle[k] = new QLabel(picture2[k]);
        imgTitle[k]->setObjectName(controlName(u"imgTitle", k));
        place(imgTitle[k], Layout::kTitleBox);
        imgTitle[k]->setPixmap(QPixmap(u":/pictures/title_%1.bmp"_s.arg(k)));
    }
    // Frames in table order: a frame's holder is a panel or an earlier frame.
    for (std::size_t i = 0; i < Frame1.size(); ++i) {
        const Layout::FrameRow &row = Layout::kFrames[i];
        Frame1[i] =
            new SectionFrame(row.caption.toString(), row.borderless, holderWidget(row.holder));
        Frame1[i]->setObjectName(controlName(u"Frame1", i));
        place(Frame1[i], row.box);
    }
}

QWidget *frmMain::holderWidget(Layout::Holder holder) const
{
    const auto index = static_cast<std::size_t>(holder.index);
    switch (holder.kind) {
    case Layout::HolderKind::SideMenu:
        return Picture1;
    case Layout::HolderKind::Panel:
        return picture2.at(index);
    case Layout::HolderKind::Frame:
        return Frame1.at(index);
    }
    return nullptr;
}

void frmMain::buildFields()
{
    const Layout::Plan plan = Layout::makePlan();
    // Every index of every array is placed exactly once; .value() makes a gap fatal.
    for (std::size_t i = 0; i < Text1.size(); ++i) {
        const Layout::Place &p = plan.text1[i].value();
        Text1[i] = new QLineEdit(holderWidget(p.holder));
        Text1[i]->setObjectName(controlName(u"Text1", i));
        Text1[i]->setProperty("number", p.number);
        if (p.tag >= 0) {
            setTag(Text1[i], QString::number(p.tag));
        }
        if (p.number) {
            Text1[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        place(Text1[i], p.box);
    }
    for (std::size_t i = 0; i < Command2.size(); ++i) {
        const Layout::Place &p = plan.command2[i].value();
        Command2[i] = new BrowseButton(p.caption.toString(), holderWidget(p.holder));
        Command2[i]->setObjectName(controlName(u"Command2", i));
        setTag(Command2[i], QString::number(p.tag));
        place(Command2[i], p.box);
    }
    for (std::size_t i = 0; i < Check1.size(); ++i) {
        const Layout::Place &p = plan.check1[i].value();
        Check1[i] = new QCheckBox(p.caption.toString(), holderWidget(p.holder));
        Check1[i]->setObjectName(controlName(u"Check1", i));
        setTag(Check1[i], QString::number(p.tag));
        place(Check1[i], p.box);
    }
    for (std::size_t i = 0; i < Check2.size(); ++i) {
        const Layout::Place &p = plan.check2[i].value();
        Check2[i] = new QCheckBox(p.caption.toString(), holderWidget(p.holder));
        Check2[i]->setObjectName(controlName(u"Check2", i));
        Check2[i]->setAutoFillBackground(true); // covers the frame's top edge
        setCaptionColor(Check2[i], WidgetColors::sectionCaption());
        place(Check2[i], p.box);
        Check2[i]->raise();
    }
    for (std::size_t i = 0; i < Label2.size(); ++i) {
        const Layout::Place &p = plan.label2[i].value();
        Label2[i] = new QLabel(holderWidget(p.holder));
        Label2[i]->setObjectName(controlName(u"Label2", i));
        Label2[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
        WidgetColors::setBackColor(Label2[i], palette().color(QPalette::Base));
        place(Label2[i], p.box);
    }
    for (std::size_t i = 0; i < Option1.size(); ++i) {
        const Layout::Place &p = plan.option1[i].value();
        Option1[i] = new QRadioButton(p.caption.toString(), holderWidget(p.holder));
        Option1[i]->setObjectName(controlName(u"Option1", i));
        place(Option1[i], p.box);
    }
    for (std::size_t i = 0; i < Combo1.size(); ++i) {
        const Layout::Place &p = plan.combo1[i].value();
        Combo1[i] = new QComboBox(holderWidget(p.holder));
        Combo1[i]->setObjectName(controlName(u"Combo1", i));
        place(Combo1[i], p.box);
    }
    for (std::size_t i = 0; i < Label1.size(); ++i) {
        const Layout::Place &p = plan.label1.at(i);
        Label1[i] = new QLabel(p.caption.toString(), holderWidget(p.holder));
        Label1[i]->setObjectName(controlName(u"Label1", i));
        place(Label1[i], p.box);
    }
}

void frmMain::connectControls()
{
    connectFileCommands();
    for (std::size_t i = 0; i < cmdMenu.size(); ++i) {
        connect(cmdMenu[i], &QPushButton::clicked, this,
                [this, i] { cmdMenu_Click(static_cast<int>(i)); });
    }
    for (std::size_t i = 0; i < imgMenu.size(); ++i) {
        connect(imgMenu[i], &ImageButton::clicked, this,
                [this, i] { imgMenu_Click(static_cast<int>(i)); });
    }
    // stateChanged fires inside setChecked and only on a real change, so
    // code that sets a box runs its click behaviour at once, as a click does.
    for (std::size_t i = 0; i < Check1.size(); ++i) {
        connect(Check1[i], &QCheckBox::stateChanged, this,
                [this, i] { Check1_Click(static_cast<int>(i)); });
    }
    for (std::size_t i = 0; i < Check2.size(); ++i) {
        connect(Check2[i], &QCheckBox::stateChanged, this,
                [this, i] { Check2_Click(static_cast<int>(i)); });
    }
    connectCommands();
    watchFileDrops();
}
