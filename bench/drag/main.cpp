// One drag step on the preview canvas against one full rendering, on the
// skin of bench_render (a 1920 x 1080 background and 13 elements): the time
// from a pointer move of one element to its repainted canvas, and the time of
// the renderer drawing the whole preview. Prints the medians and their ratio.
#include "BenchMouse.h"
#include "BenchSkin.h"
#include "BenchSupport.h"
#include "editor/canvas/PlacementFields.h"
#include "editor/canvas/PreviewCanvas.h"
#include "editor/widgets/PictureBox.h"
#include "render/AreaOutlines.h"
#include "render/PreviewRenderer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <cstdio>

namespace {

constexpr int kRenders = 9;
constexpr int kSteps = 200;

// Fields that only count: the canvas writes them on release alone.
class Fields : public PlacementFields {
public:
    QPoint position(qint16) const override { return {}; }
    bool isPlaced(qint16) const override { return true; }
    void setPositions(const std::vector<std::pair<qint16, QPoint>> &, quint64,
                      const QString &) override
    {
        ++moves;
    }
    QString name(qint16) const override { return QStringLiteral("element"); }
    QString caption(qint16, const QString &attribute) const override { return attribute; }
    int moves = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    PrintingSink messages;
    clsFileControl document(messages);
    if (!dir.isValid() || BenchSkin::write(dir, document).isEmpty()) {
        std::fprintf(stderr, "cannot write the skin's pictures\n");
        return 1;
    }
    const Preview::PanelState state = Preview::PanelState::fromDocument(document);

    QList<double> renderMs;
    Preview::Rendering rendering;
    for (int run = 0; run < kRenders; ++run) {
        QElapsedTimer timer;
        timer.start();
        rendering = Preview::renderPreview(document, state);
        renderMs.append(timer.nsecsElapsed() / 1e6);
    }

    PictureBox canvas;
    canvas.setPicture(rendering.background);
    canvas.setDrawing(rendering.canvas);
    canvas.show();
    Fields fields;
    PreviewCanvas tool(canvas, fields);
    tool.show(std::move(rendering), {}, {});
    QApplication::processEvents();

    // The play button, pressed in its middle and dragged right and down.
    const clsElement &play = *document.getElement(Slot::PlayButton);
    const QPoint start(play.getLeft().toInt() + 48, play.getTop().toInt() + 32);
    const QRgb before = canvas.drawing().pixel(start);
    QPoint at = start;
    sendLeftButton(canvas, QEvent::MouseButtonPress, at);
    QList<double> stepMs;
    for (int step = 0; step < kSteps; ++step) {
        at += QPoint(3, 2);
        QElapsedTimer timer;
        timer.start();
        sendLeftButton(canvas, QEvent::MouseMove, at);
        QApplication::processEvents(); // the repaint of what the move dirtied
        stepMs.append(timer.nsecsElapsed() / 1e6);
    }
    sendLeftButton(canvas, QEvent::MouseButtonRelease, at);
    if (canvas.drawing().pixel(start) == before || fields.moves != 1) {
        std::fprintf(stderr, "the drag did not move the button\n");
        return 1;
    }

    const double render = median(renderMs);
    const double step = median(stepMs);
    std::printf("drag on a 1920 x 1080 background with 13 elements\n");
    std::printf("  full rendering (median of %d):   %8.3f ms\n", kRenders, render);
    std::printf("  one drag step (median of %d):  %8.3f ms\n", kSteps, step);
    std::printf("  ratio step / rendering:          %8.3f (aim: at most 0.10)\n", step / render);
    return 0;
}
