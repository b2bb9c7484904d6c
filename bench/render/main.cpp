// Renders the preview of a skin with a 1920 x 1080 JPEG background and all 13
// drawn elements (buttons as BMP, slider thumbs as PNG, each with key-coloured
// pixels), and decodes the same 14 files once each with QImageReader. Prints
// the median times of several runs and their ratio: what drawing costs on
// top of reading the pictures.
#include "BenchSupport.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "render/PreviewRenderer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRuns = 9;

// A photograph-like background: gradients with a little texture.
QImage makeBackground()
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            line[x] =
                qRgb((x / 8 + (x * y) % 7) & 0xFF, (y / 5 + x % 5) & 0xFF, (x + y) / 12 & 0xFF);
        }
    }
    return image;
}

// A round button on the key colour, as skins draw them.
QImage makeElement(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromHsv(seed * 27 % 360, 200, 220));
    painter.drawEllipse(image.rect().adjusted(2, 2, -2, -2));
    return image;
}

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
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        document.getElement(slot)->initMember();
    }
    QStringList files{dir.filePath(u"background.jpg"_s)};
    if (!makeBackground().save(files.first(), "JPEG", 90)) {
        std::fprintf(stderr, "cannot write the background\n");
        return 1;
    }
    document.getElement(Slot::View)->setUpimage(files.first());
    for (const Preview::DrawRow &row : Preview::kDrawOrder) {
        const qint16 slot = row.slot;
        const bool slider = slot >= Slot::VolumeSlider;
        const QString path =
            dir.filePath(u"element%1.%2"_s.arg(slot).arg(slider ? u"png"_s : u"bmp"_s));
        if (!makeElement(slider ? 24 : 96, slider ? 40 : 64, slot).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        files.append(path);
        clsElement &record = *document.getElement(slot);
        record.setExistFlag(1);
        record.setUpimage(path);
        record.setTop(QString::number(100 + slot * 50));
        record.setLeft(QString::number(200 + slot * 90));
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
    std::printf("  ratio render / decode:       %8.2f (aim: at most 1.50)\n", render / decode);
    std::printf("  (checksum %lld)\n", static_cast<long long>(checksum));
    return 0;
}
