// A baseline of the start-up benchmark: a plain Qt Widgets program that shows
// what the editor's first frame shows and nothing else, at the window's size:
// a menu bar of the four menus, the side strip's buttons and pictures, and the
// first panel's caption bar, frames, fields, option buttons and swatch,
// placed by the editor's layout tables. Given the program folder, it reads
// the mode pictures from its package/.
#include "editor/panels/LayoutTables.h"
#include "util/Twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int kFirstPanel = 0;

QRect pixels(const Layout::Box &box)
{
    return {Twips::toPixels(box.left), Twips::toPixels(box.top), Twips::toPixels(box.width),
            Twips::toPixels(box.height)};
}

// The panel a control or frame lies in, through the frames that hold it.
int panelOf(Layout::Holder holder)
{
    while (holder.kind == Layout::HolderKind::Frame) {
        holder = Layout::kFrames.at(std::size_t(holder.index)).holder;
    }
    return holder.index;
}

class FirstFrame {
public:
    FirstFrame(QWidget *panel) : m_panel(panel)
    {
        for (std::size_t i = 0; i < Layout::kFrames.size(); ++i) {
            const Layout::FrameRow &row = Layout::kFrames.at(i);
            if (panelOf(row.holder) == kFirstPanel) {
                m_frames[i] = new QGroupBox(row.caption.toString(), holder(row.holder));
                m_frames[i]->setGeometry(pixels(row.box));
            }
        }
    }

    template <typename Widget, std::size_t N>
    void place(const std::array<std::optional<Layout::Place>, N> &places)
    {
        for (const std::optional<Layout::Place> &place : places) {
            if (place && panelOf(place->holder) == kFirstPanel) {
                auto *widget = new Widget(holder(place->holder));
                if constexpr (std::is_same_v<Widget, QLineEdit>) {
                    (void)widget;
                } else {
                    widget->setText(place->caption.toString());
                }
                widget->setGeometry(pixels(place->box));
            }
        }
    }

    void labels(const std::vector<Layout::Place> &places)
    {
        for (const Layout::Place &place : places) {
            if (panelOf(place.holder) == kFirstPanel) {
                auto *label = new QLabel(place.caption.toString(), holder(place.holder));
                label->move(pixels(place.box).topLeft());
            }
        }
    }

private:
    QWidget *holder(Layout::Holder holder) const
    {
        return holder.kind == Layout::HolderKind::Panel ? m_panel
                                                        : m_frames.at(std::size_t(holder.index));
    }

    QWidget *m_panel;
    std::array<QWidget *, Layout::kFrame1Count> m_frames{};
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString package =
        (argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString()) + u"/package/"_s;
    QMainWindow window;
    window.setWindowTitle(u"Velmora startup baseline first frame"_s);
    for (const QString &menu : {u"ファイル(&F)"_s, u"編集(&E)"_s, u"表示(&V)"_s, u"ヘルプ(&H)"_s}) {
        window.menuBar()->addMenu(menu);
    }
    auto *client = new QWidget(&window);
    window.setCentralWidget(client);

    auto *strip = new QFrame(client);
    strip->setGeometry(pixels(Layout::kPicture1));
    for (const Layout::CmdMenuRow &row : Layout::kCmdMenu) {
        auto *button = new QPushButton(row.caption.toString(), strip);
        button->setGeometry(pixels(row.box));
    }
    for (std::size_t i = 0; i < Layout::kEditMenuCount; ++i) {
        auto *button = new QLabel(strip);
        button->setGeometry(pixels({Layout::kImgMenuLeft, Layout::kImgMenuTops.at(i),
                                    Layout::kImgMenuWidth, Layout::kImgMenuHeight}));
        button->setPixmap(
            QPixmap(package + (i == 0 ? u"edit_1g.jpg"_s : u"edit_%1.jpg"_s.arg(i + 1))));
    }

    auto *panel = new QFrame(client);
    panel->setGeometry(pixels(Layout::kPanelBox));
    auto *title = new QLabel(u"テーマ・背景　タイトル・作者・著作権・背景画像"_s, panel);
    title->setGeometry(pixels(Layout::kTitleBox));
    title->setAutoFillBackground(true);
    const Layout::Plan plan = Layout::makePlan();
    FirstFrame frame(panel);
    frame.place<QLineEdit>(plan.text1);
    frame.place<QPushButton>(plan.command2);
    frame.place<QRadioButton>(plan.option1);
    frame.place<QLabel>(plan.label2);
    frame.labels(plan.label1);

    window.setFixedSize(Twips::toPixels(Layout::kClientWidth),
                        Twips::toPixels(Layout::kClientHeight));
    window.show();
    return QApplication::exec();
}
