// Builds the window's controls from the layout tables.
#include "DeferredWork.h"
#include "ModeMenu.h"
#include "editor/panels/ControlTag.h"
#include "editor/panels/LayoutTables.h"
#include "editor/panels/TabOrder.h"
#include "editor/widgets/BrowseButton.h"
#include "editor/widgets/ColorSwatch.h"
#include "editor/widgets/ImageButton.h"
#include "editor/widgets/PanelScroller.h"
#include "editor/widgets/PictureBox.h"
#include "editor/widgets/SectionFrame.h"
#include "editor/widgets/WidgetColors.h"
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
#include <algorithm>

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

const Layout::Place &placeOf(const std::optional<Layout::Place> &place)
{
    return place.value(); // every index is placed exactly once: a gap is fatal
}

const Layout::Place &placeOf(const Layout::Place &place)
{
    return place;
}

// Makes the controls of one array from their places in the plan, each named
// after the array with its index and given the Tag its place names.
template <typename T, std::size_t N, typename Places, typename Make>
void buildArray(std::array<T *, N> &controls, QStringView name, const Places &places, Make make)
{
    for (std::size_t i = 0; i < N; ++i) {
        const Layout::Place &p = placeOf(places.at(i));
        T *control = make(p);
        control->setObjectName(controlName(name, i));
        if (p.tag >= 0) {
            setTag(control, QString::number(p.tag));
        }
        place(control, p.box);
        controls[i] = control;
    }
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
    m_deferred = new DeferredWork(*this);
    buildMenus();
    buildSideMenu(client);
    buildPanels(client);
    buildFields();
    connectControls();
    connectInputHelpers();
    applyPanelLook();
    createHistory();
    createPreviewCanvas();
    std::array<QWidget *, Layout::kPanelCount> panels{};
    std::copy_n(m_picture2.begin(), panels.size(), panels.begin());
    TabOrder::followReadingOrder(panels);
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

    m_mnuFile = menuBar()->addMenu(u"ファイル(&F)"_s);
    m_mnuFile->setObjectName(u"mnuFile"_s);
    add(m_mnuFile, &frmMain::m_mnuFileNew, u"mnuFileNew", u"新規作成(&N)", u"Ctrl+N");
    add(m_mnuFile, &frmMain::m_mnuFileOpen, u"mnuFileOpen", u"開く(&O)", u"Ctrl+O");
    add(m_mnuFile, &frmMain::m_mnuFileSave, u"mnuFileSave", u"保存(&S)", u"Ctrl+S");
    add(m_mnuFile, &frmMain::m_mnuFileAnotherSave, u"mnuFileAnotherSave", u"名前を付けて保存(&A)",
        {});
    add(m_mnuFile, &frmMain::m_mnuFileSeparator0, u"mnuFileSeparator0", {}, {});
    add(m_mnuFile, &frmMain::m_mnuFileWmz, u"mnuFileWmz", u"WMZファイル作成(&W)", {});
    add(m_mnuFile, &frmMain::m_mnuFileSeparator1, u"mnuFileSeparator1", {}, {});
    add(m_mnuFile, &frmMain::m_mnuFileExit, u"mnuFileExit", u"Velmoraの終了(&X)", {});

    // Filled once the fields it undoes are built.
    m_mnuEdit = menuBar()->addMenu(u"編集(&E)"_s);
    m_mnuEdit->setObjectName(u"mnuEdit"_s);

    m_mnuView = menuBar()->addMenu(u"表示(&V)"_s);
    m_mnuView->setObjectName(u"mnuView"_s);
    add(m_mnuView, &frmMain::m_mnuViewLayout, u"mnuViewLayout", u"レイアウトウィンドウ(&L)",
        u"Ctrl+L");

    m_mnuHelp = menuBar()->addMenu(u"ヘルプ(&H)"_s);
    m_mnuHelp->setObjectName(u"mnuHelp"_s);
    add(m_mnuHelp, &frmMain::m_mnuHelpOpen, u"mnuHelpOpen", u"ヘルプを開く(&H)", u"F1");
    add(m_mnuHelp, &frmMain::m_mnuHelpSeparator, u"mnuHelpSeparator", {}, {});
    add(m_mnuHelp, &frmMain::m_mnuHelpVersion, u"mnuHelpVersion", u"バージョン情報(&A)", {});
}

void frmMain::buildSideMenu(QWidget *client)
{
    m_Picture1 = new QFrame(client);
    m_Picture1->setObjectName(u"Picture1"_s);
    m_Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    place(m_Picture1, Layout::kPicture1);
    m_Picture1->setAutoFillBackground(true);
    m_Picture1->setBackgroundRole(QPalette::Dark); // the button-shadow colour

    for (std::size_t i = 0; i < m_cmdMenu.size(); ++i) {
        m_cmdMenu[i] = new QPushButton(Layout::kCmdMenu[i].caption.toString(), m_Picture1);
        m_cmdMenu[i]->setObjectName(controlName(u"cmdMenu", i));
        place(m_cmdMenu[i], Layout::kCmdMenu[i].box);
    }
    for (std::size_t i = 0; i < m_imgMenu.size(); ++i) {
        m_imgMenu[i] = new ImageButton(m_Picture1);
        m_imgMenu[i]->setObjectName(controlName(u"imgMenu", i));
        m_imgMenu[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place(m_imgMenu[i], {Layout::kImgMenuLeft, Layout::kImgMenuTops[i], Layout::kImgMenuWidth,
                             Layout::kImgMenuHeight});
        // The picture stored with the layout, shown until package/ supplies
        // one; the file set's, hidden at start, once it is first shown.
        ImageButton *button = m_imgMenu[i];
        const auto setPicture = [button, i] {
            button->setPixmap(QPixmap(u":/pictures/menu_%1.bmp"_s.arg(i)));
        };
        if (i < Layout::kEditMenuCount) {
            setPicture();
        } else {
            m_deferred->hold(*button, setPicture);
        }
        setTag(m_imgMenu[i], QString());
    }
}

void frmMain::buildPanels(QWidget *client)
{
    for (std::size_t i = 0; i < m_picture2.size(); ++i) {
        const bool isPanel = i < Layout::kPanelCount;
        if (isPanel) {
            m_picture2[i] = new QFrame(client);
            m_picture2[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            place(m_picture2[i], Layout::kPanelBox);
        } else {
            auto *box = new PictureBox(m_picture2[Layout::kPreviewPanel]);
            place(box, Layout::kDrawingSurfaces[i - Layout::kPanelCount]);
            box->setPlacedSize(box->size());
            m_picture2[i] = box;
        }
        m_picture2[i]->setObjectName(controlName(u"picture2", i));
    }
    // A background larger than the panel can still be seen whole.
    m_previewScroller =
        new PanelScroller(m_picture2[Layout::kPreviewPanel], m_picture2[Layout::kPreviewCanvas]);
    for (std::size_t k = 0; k < m_imgTitle.size(); ++k) {
        m_imgTitle[k] = new QLabel(m_picture2[k]);
        m_imgTitle[k]->setObjectName(controlName(u"imgTitle", k));
        place(m_imgTitle[k], Layout::kTitleBox);
        // Decoded when its panel is first shown.
        m_deferred->hold(*m_imgTitle[k], [title = m_imgTitle[k], k] {
            title->setPixmap(QPixmap(u":/pictures/title_%1.bmp"_s.arg(k)));
        });
    }
    // Frames in table order: a frame's holder is a panel or an earlier frame.
    for (std::size_t i = 0; i < m_Frame1.size(); ++i) {
        const Layout::FrameRow &row = Layout::kFrames[i];
        m_Frame1[i] =
            new SectionFrame(row.caption.toString(), row.borderless, holderWidget(row.holder));
        m_Frame1[i]->setObjectName(controlName(u"Frame1", i));
        place(m_Frame1[i], row.box);
    }
}

QWidget *frmMain::holderWidget(Layout::Holder holder) const
{
    const auto index = static_cast<std::size_t>(holder.index);
    switch (holder.kind) {
    case Layout::HolderKind::Panel:
        return m_picture2.at(index);
    case Layout::HolderKind::Frame:
        return m_Frame1.at(index);
    }
    return nullptr;
}

void frmMain::buildFields()
{
    const Layout::Plan plan = Layout::makePlan();
    const auto in = [this](const Layout::Place &p) { return holderWidget(p.holder); };
    const auto caption = [](const Layout::Place &p) { return p.caption.toString(); };
    buildArray(m_Text1, u"Text1", plan.text1, [&](const Layout::Place &p) {
        auto *field = new QLineEdit(in(p));
        field->setProperty("number", p.number);
        if (p.number) {
            field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        return field;
    });
    buildArray(m_Command2, u"Command2", plan.command2,
               [&](const Layout::Place &p) { return new BrowseButton(caption(p), in(p)); });
    buildArray(m_Check1, u"Check1", plan.check1,
               [&](const Layout::Place &p) { return new QCheckBox(caption(p), in(p)); });
    buildArray(m_Check2, u"Check2", plan.check2, [&](const Layout::Place &p) {
        auto *box = new QCheckBox(caption(p), in(p));
        box->setAutoFillBackground(true); // covers the frame's top edge
        setCaptionColor(box, WidgetColors::sectionCaption());
        box->raise();
        return box;
    });
    buildArray(m_Label2, u"Label2", plan.label2, [&](const Layout::Place &p) {
        auto *swatch = new ColorSwatch(in(p));
        WidgetColors::setBackColor(swatch, palette().color(QPalette::Base));
        return swatch;
    });
    buildArray(m_Option1, u"Option1", plan.option1,
               [&](const Layout::Place &p) { return new QRadioButton(caption(p), in(p)); });
    buildArray(m_Combo1, u"Combo1", plan.combo1,
               [&](const Layout::Place &p) { return new QComboBox(in(p)); });
    buildArray(m_Label1, u"Label1", plan.label1,
               [&](const Layout::Place &p) { return new QLabel(caption(p), in(p)); });
}

void frmMain::connectControls()
{
    connectFileCommands();
    m_modeMenu = new ModeMenu({m_cmdMenu, m_imgMenu, m_picture2},
                              {m_mnuFileNew, m_mnuFileOpen, m_mnuFileSave}, m_messages, this);
    for (std::size_t i = 0; i < m_cmdMenu.size(); ++i) {
        connect(m_cmdMenu[i], &QPushButton::clicked, m_modeMenu,
                [this, i] { m_modeMenu->cmdMenu_Click(static_cast<int>(i)); });
    }
    for (std::size_t i = 0; i < m_imgMenu.size(); ++i) {
        connect(m_imgMenu[i], &ImageButton::clicked, m_modeMenu,
                [this, i] { m_modeMenu->imgMenu_Click(static_cast<int>(i)); });
    }
    // stateChanged fires inside setChecked and only on a real change, so
    // code that sets a box runs its click behaviour at once, as a click does.
    for (std::size_t i = 0; i < m_Check1.size(); ++i) {
        connect(m_Check1[i], &QCheckBox::stateChanged, this,
                [this, i] { Check1_Click(static_cast<int>(i)); });
    }
    for (std::size_t i = 0; i < m_Check2.size(); ++i) {
        connect(m_Check2[i], &QCheckBox::stateChanged, this,
                [this, i] { Check2_Click(static_cast<int>(i)); });
    }
    connectCommands();
    watchFileDrops();
}
