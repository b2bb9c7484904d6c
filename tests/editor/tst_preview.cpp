// The preview panel: drawn on every selection of mode 6 from the panels as
// they stand, its canvas keeping the last background, cleared for a new skin.
#include "EditorFixture.h"
#include "PreviewPictures.h"
#include "document/SectionTable.h"
#include "document/clsFileControl.h"
#include "editor/panels/ControlTag.h"
#include "editor/widgets/PictureBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>

using namespace Qt::StringLiterals;
using namespace PreviewPictures;

namespace {

constexpr int kPreviewMode = 6;
// Text1 indices: background; play image, TOP, LEFT; stop image, TOP, LEFT; FFWD image.
enum Field {
    Back = 3,
    Play = 4,
    PlayTop = 7,
    PlayLeft = 8,
    Stop = 9,
    StopTop = 12,
    StopLeft = 13,
    Next = 19
};
using Fields = QList<std::pair<int, QString>>;

} // namespace

class tst_Preview : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVERIFY(writeSharedPictures(dir));
        QVERIFY(!write(dir, u"big.jpg"_s, background(900, 800)).isEmpty());
        QVERIFY(ImageFiles::writeFile(file(u"broken.gif"_s), "GIF89a but nothing else"));
    }
    void init()
    {
        editor = std::make_unique<StartedEditor>();
        window = &editor->window;
        QVERIFY(window->Form_Load());
    }
    void cleanup()
    {
        QVERIFY(editor->messages.messages.isEmpty());
        editor.reset();
    }

    // What the canvas shows after mode 6 is chosen with these fields. The
    // panel is shown in every case, also when a picture cannot be read.
    void showsThePanels_data()
    {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QList<Drawn>>("drawn"); // empty name: nothing shown
        const QString back = file(u"back.bmp"_s), play = file(u"play.gif"_s),
                      stop = file(u"stop.bmp"_s), broken = file(u"broken.gif"_s);
        QTest::newRow("new document") << Fields{} << QList<Drawn>{{{}, {}}};
        QTest::newRow("play at TOP 10, LEFT 20")
            << Fields{{Back, back}, {Play, play}, {PlayTop, u"10"_s}, {PlayLeft, u"20"_s}}
            << QList<Drawn>{{back, {}}, {play, {20, 10}}};
        QTest::newRow("FFWD not ticked")
            << Fields{{Back, back}, {Next, stop}} << QList<Drawn>{{back, {}}};
        QTest::newRow("unreadable play button") << Fields{{Back, back},
                                                          {Play, broken},
                                                          {Stop, stop},
                                                          {StopTop, u"30"_s},
                                                          {StopLeft, u"40"_s}}
                                                << QList<Drawn>{{back, {}}, {stop, {40, 30}}};
        QTest::newRow("unreadable background")
            << Fields{{Back, broken}, {Play, play}} << QList<Drawn>{{{}, {}}};
    }
    void showsThePanels()
    {
        QFETCH(Fields, fields);
        QFETCH(QList<Drawn>, drawn);
        for (const auto &[field, text] : fields) {
            hooks(*window).Text1(field)->setText(text);
        }
        hooks(*window).imgMenu(kPreviewMode)->click();
        QVERIFY(!hooks(*window).picture2(kPreviewMode)->isHidden());
        QCOMPARE(tagOf(hooks(*window).imgMenu(kPreviewMode)), u"PrevDown"_s);
        verifyCanvas(drawn.first().file, drawn.mid(1));
    }

    // Each selection draws anew from the panels; without a background the
    // canvas keeps the last one with nothing on it; a new skin empties both boxes.
    // Later elements cover earlier ones: the buttons by slot, then the seek,
    // volume and balance sliders; each optional one only while its Check2
    // box (-1: none) is ticked.
    void drawsInItsFixedOrder()
    {
        QList<std::pair<int, int>> drawn;
        for (const Sections::Section *section : Sections::drawnSections()) {
            drawn.append({section->slot, section->check2});
        }
        const QList<std::pair<int, int>> expected{{3, -1}, {4, -1}, {5, -1}, {6, 0},  {7, 1},
                                                  {8, 4},  {9, 5},  {10, 6}, {11, 3}, {12, 2},
                                                  {14, 7}, {13, 8}, {15, 9}};
        QCOMPARE(drawn, expected);
    }

    void keepsTheLastBackgroundUntilCleared()
    {
        const QString back = file(u"back.bmp"_s), play = file(u"play.gif"_s);
        hooks(*window).Text1(Back)->setText(back);
        hooks(*window).Text1(Play)->setText(play);
        hooks(*window).imgMenu(kPreviewMode)->click();
        hooks(*window).Text1(PlayLeft)->setText(u"50"_s);
        hooks(*window).imgMenu(kPreviewMode)->click();
        verifyCanvas(back, {{play, {50, 0}}});
        // Drawn from a scratch set of records: the file's own change only on
        // Open and Save.
        QCOMPARE(hooks(*window).fileControl().getElement(Slot::PlayButton)->getLeft(), QString());
        QCOMPARE(hooks(*window).previewScratch().picture().size(), QSize(30, 20));

        hooks(*window).Text1(Back)->clear();
        hooks(*window).imgMenu(kPreviewMode)->click();
        verifyCanvas(back, {});

        hooks(*window).mnuFileNew()->trigger(); // the question it asks is answered Yes
        QCOMPARE(editor->messages.messages.size(), 1);
        editor->messages.messages.clear();
        verifyCanvas({}, {});
        QVERIFY(hooks(*window).previewScratch().picture().isNull());
    }

    // A background larger than the panel gets scroll bars that bring every
    // part of it into view; a small one needs none and sits at its place.
    void largeBackgroundScrolls()
    {
        hooks(*window).Text1(Back)->setText(file(u"big.jpg"_s));
        hooks(*window).imgMenu(kPreviewMode)->click();
        QFrame *panel = hooks(*window).picture2(kPreviewMode);
        auto *horizontal = panel->findChild<QScrollBar *>(u"picture2_6_hscroll"_s);
        auto *vertical = panel->findChild<QScrollBar *>(u"picture2_6_vscroll"_s);
        QVERIFY(horizontal && vertical);
        QVERIFY(!horizontal->isHidden() && !vertical->isHidden());
        QCOMPARE(hooks(*window).previewCanvas().pos(), QPoint(1, 1));
        horizontal->setValue(horizontal->maximum());
        vertical->setValue(vertical->maximum());
        // The far corner of the canvas now lies inside the panel, just clear of the bars.
        const QPoint corner = hooks(*window).previewCanvas().geometry().bottomRight();
        QVERIFY(corner.x() < vertical->x() && corner.x() > vertical->x() - 20);
        QVERIFY(corner.y() < horizontal->y() && corner.y() > horizontal->y() - 20);

        hooks(*window).Text1(Back)->setText(file(u"back.bmp"_s));
        hooks(*window).imgMenu(kPreviewMode)->click();
        QVERIFY(horizontal->isHidden() && vertical->isHidden());
        QCOMPARE(hooks(*window).previewCanvas().pos(), QPoint(1, 1));
    }

private:
    QString file(const QString &name) const { return dir.filePath(name); }

    // The canvas shows back with the pictures drawn, at the background's
    // size; or nothing when back is empty.
    void verifyCanvas(const QString &back, const QList<Drawn> &drawn)
    {
        const PictureBox &canvas = hooks(*window).previewCanvas();
        if (back.isEmpty()) {
            QVERIFY(canvas.picture().isNull() && canvas.drawing().isNull());
            return;
        }
        const QImage expected = composed(back, drawn);
        QCOMPARE(canvas.size(), expected.size());
        QVERIFY(firstDifference(canvas.picture(), composed(back, {})).isEmpty());
        const QString difference = firstDifference(canvas.drawing(), expected);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    QTemporaryDir dir;
    std::unique_ptr<StartedEditor> editor;
    frmMain *window = nullptr;
};

QTEST_MAIN(tst_Preview)
#include "tst_preview.moc"
