// Renders the preview of a skin with a 1920 x 1080 JPEG background and all 13
// drawn elements (buttons as BMP, slider thumbs as PNG, each with key-coloured
// pixels), and decodes the same 14 files once each with QImageReader. Prints
// the median times of several runs and their ratio: what drawing costs on
// top of reading the pictures.
#include "BenchSkin.h"
#include "BenchSupport.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "render/PreviewRenderer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRuns = 9;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    PrintingSink messages;
    clsFileControl document(messages);
    const QStringList files = BenchSkin::write(dir, document);
    if (files.isEmpty()) {
        std::fprintf(stderr, "cannot write the skin's pictures\n");
        return 1;
    }
    const Preview::PanelState state = Preview::PanelState::fromDocument(document);

    QList<double> renderMs;
    QList<double> decodeMs;
    qsizetype checksum = 0;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        const Preview::Rendering rendering = Preview::renderPreview(document, state);
        renderMs.append(timer.nsecsElapsed() / 1e6);
        checksum += rendering.canvas.width() + qsizetype(rendering.leftOut.size());

        timer.restart();
        for (const QString &path : files) {
            QImageReader reader(path);
            checksum += reader.read().width();
        }
        decodeMs.append(timer.nsecsElapsed() / 1e6);
    }
    const double render = median(renderMs);
    const double decode = median(decodeMs);
    std::printf("preview of a 1920 x 1080 background and 13 elements, median of %d runs\n", kRuns);
    std::printf("  render:                      %8.2f ms\n", render);
    std::printf("  decode the 14 files once:    %8.2f ms\n", decode);
    std::printf("  ratio render / decode:       %8.2f (aim: at most 1.20)\n", render / decode);
    std::printf("  (checksum %lld)\n", static_cast<long long>(checksum));
    return 0;
}
