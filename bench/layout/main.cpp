// The layout window kept live, on the skin of bench_render (a 1920 x 1080
// background and 13 elements): a LEFT field typed on the panels until the
// layout window has repainted, and one drag step at 400 % with snapping,
// each against one full rendering of the same skin. Prints the medians and
// their ratios.
#include "BenchMouse.h"
#include "BenchSkin.h"
#include "BenchSupport.h"
#include "document/SectionTable.h"
#include "editor/layout/LayoutWindow.h"
#include "editor/window/frmMainTestHooks.h"
#include "render/PreviewRenderer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <cstdio>

namespace {

constexpr int kRenders = 9;
constexpr int kSteps = 100;

// The side menu's pictures the editor needs to start.
bool writeProgramFolder(const QTemporaryDir &folder)
{
    if (!QDir(folder.path()).mkpath(QStringLiteral("package"))) {
        return false;
    }
    QImage picture(113, 78, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    for (int i = 1; i <= 7; ++i) {
        for (const char *selected : {"", "g"}) {
            if (!picture.save(folder.filePath(QStringLiteral("package/edit_%1%2.jpg")
                                                  .arg(i)
                                                  .arg(QLatin1String(selected))),
                              "JPEG")) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir program;
    QTemporaryDir pictures;
    PrintingSink messages;
    if (!writeProgramFolder(program)) {
        std::fprintf(stderr, "cannot write the program folder\n");
        return 1;
    }
    frmMain window(messages, program.path());
    if (!window.Form_Load() || BenchSkin::write(pictures, hooks(window).fileControl()).isEmpty()) {
        std::fprintf(stderr, "cannot start the editor with the skin\n");
        return 1;
    }
    hooks(window).loadPanels();
    window.show();

    QList<double> renderMs;
    for (int run = 0; run < kRenders; ++run) {
        QElapsedTimer timer;
        timer.start();
        const Preview::Rendering rendering =
            Preview::renderPreview(hooks(window).fileControl(),
                                   Preview::PanelState::fromDocument(hooks(window).fileControl()));
        renderMs.append(timer.nsecsElapsed() / 1e6);
    }

    hooks(window).mnuViewLayout()->trigger();
    auto *layout = window.findChild<LayoutWindow *>();
    layout->resize(1000, 700);
    QApplication::processEvents();
    LayoutView &view = layout->view();

    // The play button's LEFT, typed again and again.
    const Sections::Section &play = Sections::sectionFor(Slot::PlayButton);
    QLineEdit *left = hooks(window).Text1(play.left);
    const int start = left->text().toInt();
    QList<double> typedMs;
    for (int step = 0; step < kSteps; ++step) {
        QElapsedTimer timer;
        timer.start();
        left->setText(QString::number(start + step % 40));
        QApplication::processEvents(); // the layout window repaints what moved
        typedMs.append(timer.nsecsElapsed() / 1e6);
    }
    if (view.rectOf(Slot::PlayButton)->left() != start + (kSteps - 1) % 40) {
        std::fprintf(stderr, "the layout window did not follow the field\n");
        return 1;
    }

    // A drag of the play button at 400 %, snapping on.
    view.setZoom(4.0);
    const QRect rect = *view.rectOf(Slot::PlayButton);
    QPoint at = view.toViewport(rect.center()).toPoint();
    QWidget &surface = *view.viewport();
    QList<double> dragMs;
    sendLeftButton(surface, QEvent::MouseButtonPress, at);
    for (int step = 0; step < kSteps; ++step) {
        at += QPoint(step % 2 ? 3 : -2, 1);
        QElapsedTimer timer;
        timer.start();
        sendLeftButton(surface, QEvent::MouseMove, at);
        QApplication::processEvents();
        dragMs.append(timer.nsecsElapsed() / 1e6);
    }
    sendLeftButton(surface, QEvent::MouseButtonRelease, at);

    const double render = median(renderMs);
    std::printf("layout window on a 1920 x 1080 background with 13 elements\n");
    std::printf("  full rendering (median of %d):          %8.3f ms\n", kRenders, render);
    std::printf("  typed LEFT to repaint (median of %d):  %8.3f ms\n", kSteps, median(typedMs));
    std::printf("  ratio typed / rendering:                 %8.3f (aim: at most 0.25)\n",
                median(typedMs) / render);
    std::printf("  drag step at 400 %% (median of %d):     %8.3f ms\n", kSteps, median(dragMs));
    std::printf("  ratio drag step / rendering:             %8.3f (aim: at most 0.10)\n",
                median(dragMs) / render);
    return 0;
}
