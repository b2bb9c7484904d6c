// The preview renderer on real picture files: what is drawn, where, in which
// order, and what is left out.
#include "PreviewPictures.h"
#include "RecordingMessageSink.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "render/ColorKeyCopy.h"
#include "render/NewCanvas.h"
#include "render/PreviewRenderer.h"
#include "render/RenderOptions.h"

#include <QTest>
#include <algorithm>
#include <vector>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;
using namespace PreviewPictures;
using Preview::LeftOutReason;

namespace {

// One element of a test skin; file is a name in the test folder.
struct Placed {
    qint16 slot;
    QString file;
    QString top;
    QString left;
    bool on = true;
    QString transcolor = u"#FF0000"_s;
    QString hover = {}; // a slider's background
    QString pressed = {};
};

using LeftOutRow = std::pair<qint16, LeftOutReason>;

} // namespace

Q_DECLARE_METATYPE(QList<Placed>)
Q_DECLARE_METATYPE(QList<LeftOutRow>)
Q_DECLARE_METATYPE(Preview::RenderOptions)

class tst_Render : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        const QList<std::pair<QString, QImage>> pictures{
            {u"back.bmp"_s, background(200, 100)},
            {u"back.gif"_s, background(120, 90).convertToFormat(QImage::Format_Indexed8)},
            {u"back.jpg"_s, background(160, 120)},
            {u"play.bmp"_s, button(30, 20, qRgb(0, 0, 255))},
            {u"stop.gif"_s, button(20, 10, qRgb(0, 200, 0))},
            {u"close.jpg"_s, button(24, 16, qRgb(250, 250, 0))},
            {u"next.bmp"_s, button(16, 16, qRgb(255, 0, 255))},
            {u"thumb.bmp"_s, button(12, 8, qRgb(0, 255, 255))},
            {u"thumb2.gif"_s, button(12, 8, qRgb(128, 0, 255))},
            {u"track.bmp"_s, button(150, 30, qRgb(90, 90, 90))},
        };
        for (const auto &[name, image] : pictures) {
            QVERIFY2(!write(dir, name, image).isEmpty(), qPrintable(name));
        }
        // Qt decodes a portable pixmap, but no skin is made of one.
        QVERIFY(button(24, 16, qRgb(200, 40, 90)).save(dir.filePath(u"nosize.ppm"_s), "PPM"));
        QVERIFY(ImageFiles::writeFile(dir.filePath(u"broken.bmp"_s), "BM not a picture"));
    }

    // elements are set in the document in the order given; drawn lists, in
    // drawing order, those the canvas must show. LEFT is x and TOP is y; an
    // empty one is 0. A row that draws nothing is compared with the bare
    // background.
    void scenes_data()
    {
        QTest::addColumn<QString>("back");
        QTest::addColumn<QList<Placed>>("elements");
        QTest::addColumn<QList<int>>("drawn");
        QTest::addColumn<QList<LeftOutRow>>("leftOut");
        using P = QList<Placed>;
        using I = QList<int>;
        using L = QList<LeftOutRow>;
        const Placed play{Slot::PlayButton, u"play.bmp"_s, u"10"_s, u"20"_s};
        const Placed stop{Slot::StopButton, u"stop.gif"_s, u"10"_s, u"20"_s};
        const Placed close{Slot::CloseButton, u"close.jpg"_s, u"40"_s, u"60"_s};
        const Placed next{Slot::NextButton, u"next.bmp"_s, u"5"_s, u"100"_s};
        const Placed seek{Slot::SeekSlider, u"thumb.bmp"_s, u"70"_s, u"20"_s};
        const Placed volume{Slot::VolumeSlider, u"thumb2.gif"_s, u"72"_s, u"24"_s};
        const auto at = [&](QString top, QString left) {
            return P{{Slot::PlayButton, u"play.bmp"_s, top, left}};
        };
        const auto with = [](Placed p, auto member, QString value) {
            p.*member = value;
            return p;
        };

        QTest::newRow("no background") << QString() << P{play} << I{} << L{};
        QTest::newRow("background missing") << u"gone.bmp"_s << P{play} << I{} << L{};
        QTest::newRow("background unreadable") << u"broken.bmp"_s << P{play} << I{} << L{};
        QTest::newRow("BMP background only") << u"back.bmp"_s << P{} << I{} << L{};
        QTest::newRow("GIF background only") << u"back.gif"_s << P{} << I{} << L{};
        QTest::newRow("JPEG background only") << u"back.jpg"_s << P{} << I{} << L{};

        QTest::newRow("TOP 10, LEFT 20") << u"back.bmp"_s << at(u"10"_s, u"20"_s) << I{0} << L{};
        QTest::newRow("TOP empty") << u"back.bmp"_s << at({}, u"20"_s) << I{0} << L{};
        QTest::newRow("clipped right and bottom")
            << u"back.bmp"_s << at(u"90"_s, u"185"_s) << I{0} << L{};
        // A place the player takes not is drawn nowhere, not at 0 nor cut off.
        const L badPlace{{Slot::PlayButton, LeftOutReason::BadPlace}};
        QTest::newRow("TOP past the largest place")
            << u"back.bmp"_s << at(u"40000"_s, u"20"_s) << I{} << badPlace;
        QTest::newRow("above and left of the background")
            << u"back.bmp"_s << at(u"-7"_s, u"-12"_s) << I{} << badPlace;
        QTest::newRow("LEFT letters") << u"back.bmp"_s << at(u"10"_s, u"abc"_s) << I{} << badPlace;
        QTest::newRow("wholly outside") << u"back.bmp"_s << at(u"400"_s, u"32767"_s) << I{0} << L{};

        QTest::newRow("stop covers play") << u"back.bmp"_s << P{stop, play} << I{1, 0} << L{};
        QTest::newRow("JPEG button") << u"back.bmp"_s << P{close} << I{0} << L{};
        QTest::newRow("FFWD ticked") << u"back.bmp"_s << P{next} << I{0} << L{};
        Placed unticked = next;
        unticked.on = false;
        QTest::newRow("FFWD not ticked") << u"back.bmp"_s << P{unticked} << I{} << L{};
        QTest::newRow("volume after seek") << u"back.bmp"_s << P{volume, seek} << I{1, 0} << L{};
        QTest::newRow("slider thumb only")
            << u"back.bmp"_s << P{with(seek, &Placed::hover, u"track.bmp"_s)} << I{0} << L{};
        QTest::newRow("missing image")
            << u"back.bmp"_s << P{with(play, &Placed::file, u"gone.bmp"_s), close} << I{1} << L{};
        QTest::newRow("unreadable image among others")
            << u"back.bmp"_s << P{play, with(stop, &Placed::file, u"broken.bmp"_s), close}
            << I{0, 2} << L{{Slot::StopButton, LeftOutReason::Undecodable}};
        QTest::newRow("no colour")
            << u"back.bmp"_s << P{play, with(close, &Placed::transcolor, u"none"_s)} << I{0}
            << L{{Slot::CloseButton, LeftOutReason::BadColour}};
        QTest::newRow("one file for two buttons")
            << u"back.bmp"_s << P{play, with(next, &Placed::file, u"play.bmp"_s)} << I{0, 1} << L{};
        // Only the formats whose header tells the decoded size are read.
        QTest::newRow("a format skins are not made of")
            << u"back.bmp"_s << P{with(close, &Placed::file, u"nosize.ppm"_s), play} << I{1}
            << L{{Slot::CloseButton, LeftOutReason::Undecodable}};
    }
    void scenes()
    {
        QFETCH(QString, back);
        QFETCH(QList<Placed>, elements);
        QFETCH(QList<int>, drawn);
        QFETCH(QList<LeftOutRow>, leftOut);
        const Preview::Rendering r = render(back, elements, {});
        const bool shown = !drawn.isEmpty() || back.startsWith(u"back"_s);
        QCOMPARE(r.canvas.isNull(), !shown);
        if (shown) {
            QList<Drawn> expected;
            for (int i : drawn) {
                const Placed &e = elements.at(i);
                expected.append({dir.filePath(e.file), QPoint(e.left.toInt(), e.top.toInt())});
            }
            const QString difference =
                firstDifference(r.canvas, composed(dir.filePath(back), expected));
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
        }
        QList<LeftOutRow> actualLeftOut;
        for (const Preview::LeftOut &l : r.leftOut) {
            actualLeftOut.append({l.slot, l.reason});
        }
        QCOMPARE(actualLeftOut, leftOut);
        QVERIFY(messages.messages.isEmpty());
    }

    // The looks an author may turn on: each row names the pictures drawn, in order.
    void looks_data()
    {
        QTest::addColumn<QList<Placed>>("elements");
        QTest::addColumn<Preview::RenderOptions>("options");
        QTest::addColumn<QStringList>("drawn");
        using P = QList<Placed>;
        using Look = Preview::ButtonLook;
        Placed play{Slot::PlayButton, u"play.bmp"_s, u"10"_s, u"20"_s};
        play.hover = u"next.bmp"_s;
        play.pressed = u"stop.gif"_s;
        Placed bare{Slot::PlayButton, u"play.bmp"_s, u"10"_s, u"20"_s};
        Placed seek{Slot::SeekSlider, u"thumb.bmp"_s, u"70"_s, u"20"_s};
        seek.hover = u"track.bmp"_s;
        QTest::newRow("normal") << P{play} << Preview::RenderOptions{}
                                << QStringList{u"play.bmp"_s};
        QTest::newRow("hover") << P{play} << Preview::RenderOptions{Look::Hover}
                               << QStringList{u"next.bmp"_s};
        QTest::newRow("pressed") << P{play} << Preview::RenderOptions{Look::Pressed}
                                 << QStringList{u"stop.gif"_s};
        QTest::newRow("hover, none given")
            << P{bare} << Preview::RenderOptions{Look::Hover} << QStringList{u"play.bmp"_s};
        QTest::newRow("a slider's background is no hover image")
            << P{seek} << Preview::RenderOptions{Look::Hover} << QStringList{u"thumb.bmp"_s};
        QTest::newRow("slider background under its thumb")
            << P{seek} << Preview::RenderOptions{Look::Normal, true}
            << QStringList{u"track.bmp"_s, u"thumb.bmp"_s};
    }
    void looks()
    {
        QFETCH(QList<Placed>, elements);
        QFETCH(Preview::RenderOptions, options);
        QFETCH(QStringList, drawn);
        const Preview::Rendering r = render(u"back.bmp"_s, elements, options);
        QList<Drawn> expected;
        for (const QString &file : drawn) {
            const Placed &e = elements.constFirst();
            expected.append({dir.filePath(file), QPoint(e.left.toInt(), e.top.toInt())});
        }
        const QString difference =
            firstDifference(r.canvas, composed(dir.filePath(u"back.bmp"_s), expected));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    // The window's shape: where the background holds the transparency colour,
    // a checkerboard, over whatever is drawn there; elsewhere the picture.
    void shapeShowsTheHoles()
    {
        QImage holed = background(200, 100);
        holed.fill(kKey);
        QVERIFY(!write(dir, u"holed.bmp"_s, holed.copy(0, 0, 40, 40)).isEmpty());
        const Placed play{Slot::PlayButton, u"play.bmp"_s, u"0"_s, u"0"_s};
        const Preview::Rendering plain = render(u"holed.bmp"_s, {play}, {});
        const Preview::Rendering shaped =
            render(u"holed.bmp"_s, {play}, {Preview::ButtonLook::Normal, false, true});
        QCOMPARE(plain.canvas.pixel(32, 32) & RGB_MASK, kKey & RGB_MASK);
        QCOMPARE(shaped.canvas.pixel(32, 32) | 0xFF000000, 0xFFFFFFFFu);     // a light square
        QVERIFY(shaped.canvas.pixel(24, 32) != shaped.canvas.pixel(32, 32)); // beside a dark one
        QVERIFY(shaped.canvas.pixel(10, 10) != plain.canvas.pixel(10, 10));  // over the button too
    }

    // The copy itself, on sizes a header may claim and pixels with alpha.
    void colorKeyCopyEdges_data()
    {
        QTest::addColumn<QRgb>("pixel");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QRgb>("expected");
        const QRgb under = qRgb(10, 20, 30);
        QTest::newRow("opaque") << qRgba(200, 100, 50, 255) << qint64(4) << qRgb(200, 100, 50);
        QTest::newRow("fully transparent") << qRgba(200, 100, 50, 0) << qint64(4) << under;
        QTest::newRow("half transparent")
            << qRgba(210, 120, 30, 128) << qint64(4) << qRgb(110, 70, 30);
        QTest::newRow("key colour") << qRgba(255, 0, 0, 255) << qint64(4) << under;
        QTest::newRow("header larger than the picture")
            << qRgb(1, 2, 3) << qint64(2147483647) << qRgb(1, 2, 3);
        QTest::newRow("zero size") << qRgb(1, 2, 3) << qint64(0) << under;
    }
    void colorKeyCopyEdges()
    {
        QFETCH(QRgb, pixel);
        QFETCH(qint64, size);
        QFETCH(QRgb, expected);
        QImage target(6, 6, QImage::Format_RGB32);
        target.fill(qRgb(10, 20, 30));
        QImage source(4, 4, QImage::Format_ARGB32);
        source.fill(pixel);
        colorKeyCopy(target, 3, 3, source, size, size, kKey);
        QCOMPARE(target.pixel(3, 3), expected | 0xFF000000);
        QCOMPARE(target.pixel(5, 5), expected | 0xFF000000); // clipped at the target's edge
        QCOMPARE(target.pixel(2, 2), qRgb(10, 20, 30));
    }

    // The canvas's memory is there before anything is drawn on it. One
    // larger than the allocator keeps for reuse comes fresh from the system.
    void canvasPagesTakenAtOnce()
    {
#if defined(Q_OS_LINUX) && defined(MADV_POPULATE_WRITE)
        // Before Linux 5.14 the advice is refused and the pages come one by one.
        const auto probePage = size_t(sysconf(_SC_PAGESIZE));
        void *probe =
            mmap(nullptr, probePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        QVERIFY(probe != MAP_FAILED);
        const bool advised = madvise(probe, probePage, MADV_POPULATE_WRITE) == 0;
        munmap(probe, probePage);
        if (!advised) {
            QSKIP("this system does not take MADV_POPULATE_WRITE");
        }
        const QSize size(4000, 3000);
        const QImage canvas = newCanvas(size);
        QCOMPARE(canvas.size(), size);
        QCOMPARE(canvas.format(), QImage::Format_RGB32);
        const auto page = quintptr(sysconf(_SC_PAGESIZE));
        const auto begin = reinterpret_cast<quintptr>(canvas.constBits());
        const quintptr first = (begin + page - 1) / page * page;
        const quintptr last = (begin + quintptr(canvas.sizeInBytes())) / page * page;
        std::vector<unsigned char> resident((last - first) / page);
        QCOMPARE(mincore(reinterpret_cast<void *>(first), last - first, resident.data()), 0);
        QCOMPARE(std::count_if(resident.begin(), resident.end(),
                               [](unsigned char p) { return (p & 1) == 0; }),
                 0);
#else
        QSKIP("needs Linux 5.14's MADV_POPULATE_WRITE to ask for pages at once");
#endif
    }

private:
    // A document of these elements over the background, rendered.
    Preview::Rendering render(const QString &back, const QList<Placed> &elements,
                              const Preview::RenderOptions &options)
    {
        clsFileControl document(messages);
        document.getElement(Slot::View)->setUpimage(back.isEmpty() ? back : dir.filePath(back));
        document.getElement(Slot::View)->setTranscolor(u"#FF0000"_s);
        for (const Placed &e : elements) {
            clsElement &record = *document.getElement(e.slot);
            record.initMember();
            record.setExistFlag(e.on ? 1 : 0);
            record.setUpimage(dir.filePath(e.file));
            record.setHoverimage(e.hover.isEmpty() ? QString() : dir.filePath(e.hover));
            record.setDownimage(e.pressed.isEmpty() ? QString() : dir.filePath(e.pressed));
            record.setTop(e.top);
            record.setLeft(e.left);
            record.setTranscolor(e.transcolor);
        }
        return Preview::renderPreview(document, Preview::PanelState::fromDocument(document),
                                      options);
    }

    RecordingMessageSink messages;
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(tst_Render)
#include "tst_render.moc"
