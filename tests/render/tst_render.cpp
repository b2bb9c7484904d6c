// The preview renderer on real picture files: what is drawn, where, in which
// order, and what is left out.
#include "PreviewPictures.h"
#include "RecordingMessageSink.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "render/ColorKeyCopy.h"
#include "render/PreviewRenderer.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace PreviewPictures;
using Preview::LeftOutReason;

namespace {

// One element of a test skin.
struct Placed {
    qint16 slot;
    QString file; // a name in the test folder
    QString top;
    QString left;
    bool on = true;
    QString transcolor = u"#FF0000"_s;
};

// An entry left out: slot and reason.
using LeftOutRow = std::pair<qint16, LeftOutReason>;

} // namespace

Q_DECLARE_METATYPE(Placed)
Q_DECLARE_METATYPE(QList<Placed>)
Q_DECLARE_METATYPE(LeftOutRow)
Q_DECLARE_METATYPE(QList<LeftOutRow>)

class tst_Render : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        // Pictures every scene can name.
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
        // A portable pixmap: Qt decodes it, the header reader knows no size for it.
        QVERIFY(button(24, 16, qRgb(200, 40, 90)).save(dir.filePath(u"nosize.ppm"_s), "PPM"));
        QVERIFY(ImageFiles::writeFile(dir.filePath(u"broken.bmp"_s), "BM not a picture"));
    }

    // Nothing is drawn without a usable background, whatever else is set.
    void noBackground_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("empty field") << QString();
        QTest::newRow("no such file") << u"missing.bmp"_s;
        QTest::newRow("unreadable file") << u"broken.bmp"_s;
    }
    void noBackground()
    {
        QFETCH(QString, field);
        clsFileControl document(messages);
        setBackground(document, field.isEmpty() ? QString() : dir.filePath(field));
        place(document, {Slot::PlayButton, u"play.bmp"_s, u"0"_s, u"0"_s});
        const Preview::Rendering r =
            Preview::renderPreview(document, Preview::PanelState::fromDocument(document));
        QVERIFY(r.background.isNull());
        QVERIFY(r.canvas.isNull());
        QVERIFY(r.lastElement.isNull());
        QVERIFY(messages.messages.isEmpty());
    }

    // The background alone, at its natural size, in every format the chooser offers.
    void backgroundAtNaturalSize_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("BMP") << u"back.bmp"_s << QSize(200, 100);
        QTest::newRow("GIF") << u"back.gif"_s << QSize(120, 90);
        QTest::newRow("JPEG") << u"back.jpg"_s << QSize(160, 120);
    }
    void backgroundAtNaturalSize()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        clsFileControl document(messages);
        setBackground(document, dir.filePath(file));
        const Preview::Rendering r =
            Preview::renderPreview(document, Preview::PanelState::fromDocument(document));
        QCOMPARE(r.canvas.size(), size);
        const QString difference = firstDifference(r.canvas, composed(dir.filePath(file), {}));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QVERIFY(r.lastElement.isNull());
    }

    // Where the play button lands: LEFT is x, TOP is y, anything that is not
    // a number is 0, and the canvas edges clip without wrapping.
    void placement_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("TOP 10, LEFT 20") << u"10"_s << u"20"_s << QPoint(20, 10);
        QTest::newRow("TOP empty") << QString() << u"20"_s << QPoint(20, 0);
        QTest::newRow("LEFT letters") << u"10"_s << u"abc"_s << QPoint(0, 10);
        QTest::newRow("both empty") << QString() << QString() << QPoint(0, 0);
        QTest::newRow("past the right and bottom edges") << u"90"_s << u"185"_s << QPoint(185, 90);
        QTest::newRow("before the left and top edges") << u"-7"_s << u"-12"_s << QPoint(-12, -7);
        QTest::newRow("wholly outside") << u"400"_s << u"32767"_s << QPoint(32767, 400);
    }
    void placement()
    {
        QFETCH(QString, top);
        QFETCH(QString, left);
        QFETCH(QPoint, at);
        clsFileControl document(messages);
        setBackground(document, dir.filePath(u"back.bmp"_s));
        place(document, {Slot::PlayButton, u"play.bmp"_s, top, left});
        const Preview::Rendering r =
            Preview::renderPreview(document, Preview::PanelState::fromDocument(document));
        const QString difference =
            firstDifference(r.canvas, composed(back(), {{dir.filePath(u"play.bmp"_s), at}}));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QVERIFY(r.leftOut.empty());
    }

    // Which elements are drawn, in which order, and which are left out.
    void scenes_data()
    {
        QTest::addColumn<QList<Placed>>("elements");
        QTest::addColumn<QList<int>>("drawn"); // indices into elements, in drawing order
        QTest::addColumn<QList<LeftOutRow>>("leftOut");
        const Placed play{Slot::PlayButton, u"play.bmp"_s, u"10"_s, u"10"_s};
        const Placed stop{Slot::StopButton, u"stop.gif"_s, u"10"_s, u"10"_s};
        const Placed close{Slot::CloseButton, u"close.jpg"_s, u"40"_s, u"60"_s};
        const Placed next{Slot::NextButton, u"next.bmp"_s, u"5"_s, u"100"_s};
        const Placed seek{Slot::SeekSlider, u"thumb.bmp"_s, u"70"_s, u"20"_s};
        const Placed volume{Slot::VolumeSlider, u"thumb2.gif"_s, u"72"_s, u"24"_s};

        QTest::newRow("stop covers play at the same place")
            << QList<Placed>{stop, play} << QList<int>{1, 0} << QList<LeftOutRow>{};
        QTest::newRow("JPEG close button")
            << QList<Placed>{close} << QList<int>{0} << QList<LeftOutRow>{};
        QTest::newRow("FFWD ticked") << QList<Placed>{next} << QList<int>{0} << QList<LeftOutRow>{};
        Placed unticked = next;
        unticked.on = false;
        QTest::newRow("FFWD not ticked")
            << QList<Placed>{unticked} << QList<int>{} << QList<LeftOutRow>{};
        QTest::newRow("volume after seek")
            << QList<Placed>{volume, seek} << QList<int>{1, 0} << QList<LeftOutRow>{};
        Placed missing = play;
        missing.file = u"gone.bmp"_s;
        QTest::newRow("missing image left out")
            << QList<Placed>{missing, close} << QList<int>{1} << QList<LeftOutRow>{};
        Placed broken = stop;
        broken.file = u"broken.bmp"_s;
        QTest::newRow("unreadable image among others")
            << QList<Placed>{play, broken, close} << QList<int>{0, 2}
            << QList<LeftOutRow>{{Slot::StopButton, LeftOutReason::Unreadable}};
        Placed noColour = close;
        noColour.transcolor = u"none"_s;
        QTest::newRow("no colour")
            << QList<Placed>{play, noColour} << QList<int>{0}
            << QList<LeftOutRow>{{Slot::CloseButton, LeftOutReason::BadColour}};
        Placed sameFile = next;
        sameFile.file = play.file;
        QTest::newRow("one file for two buttons")
            << QList<Placed>{play, sameFile} << QList<int>{0, 1} << QList<LeftOutRow>{};
        // The header reader knows no size: read, but nothing of it is drawn.
        Placed noSize = close;
        noSize.file = u"nosize.ppm"_s;
        QTest::newRow("no size known")
            << QList<Placed>{noSize, play} << QList<int>{1} << QList<LeftOutRow>{};
    }
    void scenes()
    {
        QFETCH(QList<Placed>, elements);
        QFETCH(QList<int>, drawn);
        QFETCH(QList<LeftOutRow>, leftOut);
        clsFileControl document(messages);
        setBackground(document, dir.filePath(u"back.bmp"_s));
        for (const Placed &element : elements) {
            place(document, element);
        }
        const Preview::Rendering r =
            Preview::renderPreview(document, Preview::PanelState::fromDocument(document));

        QList<Drawn> expected;
        for (int i : drawn) {
            const Placed &e = elements.at(i);
            expected.append({dir.filePath(e.file), QPoint(e.left.toInt(), e.top.toInt())});
        }
        const QString difference = firstDifference(r.canvas, composed(back(), expected));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QList<LeftOutRow> actualLeftOut;
        for (const Preview::LeftOut &l : r.leftOut) {
            actualLeftOut.append({l.slot, l.reason});
        }
        QCOMPARE(actualLeftOut, leftOut);
    }

    // A slider shows its thumb only: its background image is never drawn.
    void sliderDrawsThumbOnly()
    {
        clsFileControl document(messages);
        setBackground(document, dir.filePath(u"back.bmp"_s));
        place(document, {Slot::BalanceSlider, u"thumb.bmp"_s, u"30"_s, u"40"_s});
        document.getElement(Slot::BalanceSlider)->setHoverimage(dir.filePath(u"track.bmp"_s));
        const Preview::Rendering r =
            Preview::renderPreview(document, Preview::PanelState::fromDocument(document));
        const QString difference =
            firstDifference(r.canvas, composed(back(), {{dir.filePath(u"thumb.bmp"_s), {40, 30}}}));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QCOMPARE(r.lastElement.size(), QSize(12, 8));
    }

    // The panels decide, not the records: a section switched off in the
    // panels is not drawn even where its record says present.
    void panelStateDecides()
    {
        clsFileControl document(messages);
        setBackground(document, dir.filePath(u"back.bmp"_s));
        place(document, {Slot::NextButton, u"next.bmp"_s, u"0"_s, u"0"_s});
        Preview::PanelState state = Preview::PanelState::fromDocument(document);
        state.switchedOn[3] = false; // FFWD's row
        const Preview::Rendering r = Preview::renderPreview(document, state);
        const QString difference = firstDifference(r.canvas, composed(back(), {}));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
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

private:
    QString back() const { return dir.filePath(u"back.bmp"_s); }

    void setBackground(clsFileControl &document, const QString &path)
    {
        document.getElement(Slot::View)->initMember();
        document.getElement(Slot::View)->setUpimage(path);
    }

    void place(clsFileControl &document, const Placed &e)
    {
        clsElement &record = *document.getElement(e.slot);
        record.initMember();
        record.setExistFlag(e.on ? 1 : 0);
        record.setUpimage(dir.filePath(e.file));
        record.setTop(e.top);
        record.setLeft(e.left);
        record.setTranscolor(e.transcolor);
    }

    QTemporaryDir dir;
    RecordingMessageSink messages;
};

QTEST_GUILESS_MAIN(tst_Render)
#include "tst_render.moc"
