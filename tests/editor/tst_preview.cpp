// The preview panel: drawn on every selection of mode 6 from the panels as
// they stand, its canvas keeping the last background, cleared for a new skin.
#include "EditorFixture.h"
#include "PreviewPictures.h"
#include "document/clsFileControl.h"
#include "editor/ControlTag.h"
#include "editor/PictureBox.h"
#include "render/PreviewRenderer.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>

using namespace Qt::StringLiterals;
using namespace PreviewPictures;

namespace {

constexpr int kPreviewMode = 6;
constexpr std::size_t kBackgroundField = 3;
constexpr std::size_t kPlayField = 4, kPlayTop = 7, kPlayLeft = 8;
constexpr std::size_t kStopField = 9, kStopTop = 12, kStopLeft = 13;

} // namespace

class tst_Preview : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        back = write(dir, u"back.bmp"_s, background(200, 100));
        play = write(dir, u"play.gif"_s, button(30, 20, qRgb(0, 0, 255)));
        stop = write(dir, u"stop.bmp"_s, button(20, 10, qRgb(0, 200, 0)));
        big = write(dir, u"big.jpg"_s, background(900, 800));
        broken = dir.filePath(u"broken.gif"_s);
        QVERIFY(ImageFiles::writeFile(broken, "GIF89a but nothing else"));
        QVERIFY(!back.isEmpty() && !play.isEmpty() && !stop.isEmpty() && !big.isEmpty());
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

    void newDocumentPreviewsNothing()
    {
        window->imgMenu_Click(kPreviewMode);
        QVERIFY(!window->picture2[kPreviewMode]->isHidden());
        QVERIFY(window->previewCanvas().picture().isNull());
        QVERIFY(window->previewCanvas().drawing().isNull());
    }

    // The canvas shows exactly what the renderer draws from the document the
    // panels were just copied into, at its place in the panel.
    void previewDrawsThePanels()
    {
        setField(kBackgroundField, back);
        setField(kPlayField, play);
        setField(kPlayTop, u"10"_s);
        setField(kPlayLeft, u"20"_s);
        window->imgMenu_Click(kPreviewMode);

        QCOMPARE(window->fileControl().getElement(Slot::PlayButton)->getTop(), u"10"_s);
        const PictureBox &canvas = window->previewCanvas();
        const QString difference =
            firstDifference(canvas.drawing(), composed(back, {{play, {20, 10}}}));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QCOMPARE(canvas.geometry(), QRect(QPoint(1, 1), QSize(200, 100)));
        QCOMPARE(window->previewScratch().picture().size(), QSize(30, 20));
        QVERIFY(!window->picture2[kPreviewMode]->isHidden());
    }

    // Each selection draws anew from the panels, also when mode 6 is already
    // selected.
    void redrawnOnEverySelection()
    {
        setField(kBackgroundField, back);
        setField(kPlayField, play);
        window->imgMenu_Click(kPreviewMode);
        setField(kPlayLeft, u"50"_s);
        window->imgMenu_Click(kPreviewMode);
        const QString difference =
            firstDifference(window->previewCanvas().drawing(), composed(back, {{play, {50, 0}}}));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    // Without a background the canvas keeps the last one, with nothing drawn
    // on it; starting a new skin empties both boxes.
    void clearedBackgroundKeepsTheLastOne()
    {
        setField(kBackgroundField, back);
        setField(kPlayField, play);
        window->imgMenu_Click(kPreviewMode);
        setField(kBackgroundField, QString());
        window->imgMenu_Click(kPreviewMode);
        const QImage old = composed(back, {});
        QVERIFY(firstDifference(window->previewCanvas().picture(), old).isEmpty());
        QVERIFY(firstDifference(window->previewCanvas().drawing(), old).isEmpty());

        window->clearPreview();
        QVERIFY(window->previewCanvas().picture().isNull());
        QVERIFY(window->previewCanvas().drawing().isNull());
        QVERIFY(window->previewScratch().picture().isNull());
    }

    // An unreadable picture is left out and the rest drawn; an unreadable
    // background draws nothing. The panel is shown either way, without a message.
    void unreadablePictureStillShowsThePanel_data()
    {
        QTest::addColumn<bool>("brokenBackground");
        QTest::newRow("unreadable play button") << false;
        QTest::newRow("unreadable background") << true;
    }
    void unreadablePictureStillShowsThePanel()
    {
        QFETCH(bool, brokenBackground);
        setField(kBackgroundField, brokenBackground ? broken : back);
        setField(kPlayField, brokenBackground ? play : broken);
        setField(kStopField, stop);
        setField(kStopTop, u"30"_s);
        setField(kStopLeft, u"40"_s);
        window->imgMenu_Click(kPreviewMode);

        QVERIFY(!window->picture2[kPreviewMode]->isHidden());
        QCOMPARE(tagOf(window->imgMenu[kPreviewMode]), u"PrevDown"_s);
        if (brokenBackground) {
            QVERIFY(window->previewCanvas().drawing().isNull());
            return;
        }
        const QString difference =
            firstDifference(window->previewCanvas().drawing(), composed(back, {{stop, {40, 30}}}));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    // A background larger than the panel gets scroll bars that bring every
    // part of it into view; a small one needs none and sits at its place.
    void largeBackgroundScrolls()
    {
        setField(kBackgroundField, big);
        window->imgMenu_Click(kPreviewMode);
        QFrame *panel = window->picture2[kPreviewMode];
        auto *horizontal = panel->findChild<QScrollBar *>(u"picture2_6_hscroll"_s);
        auto *vertical = panel->findChild<QScrollBar *>(u"picture2_6_vscroll"_s);
        QVERIFY(horizontal && vertical);
        QVERIFY(!horizontal->isHidden() && !vertical->isHidden());
        QCOMPARE(window->previewCanvas().pos(), QPoint(1, 1));
        horizontal->setValue(horizontal->maximum());
        vertical->setValue(vertical->maximum());
        // The far corner of the canvas now lies inside the panel, clear of the bars.
        const QPoint corner = window->previewCanvas().geometry().bottomRight();
        QVERIFY(corner.x() < vertical->x() && corner.y() < horizontal->y());
        QVERIFY(corner.x() > vertical->x() - 20 && corner.y() > horizontal->y() - 20);

        setField(kBackgroundField, back);
        window->imgMenu_Click(kPreviewMode);
        QVERIFY(horizontal->isHidden() && vertical->isHidden());
        QCOMPARE(window->previewCanvas().pos(), QPoint(1, 1));
    }

private:
    void setField(std::size_t index, const QString &text) { window->Text1[index]->setText(text); }

    QTemporaryDir dir;
    QString back, play, stop, big, broken;
    std::unique_ptr<StartedEditor> editor;
    frmMain *window = nullptr;
};

QTEST_MAIN(tst_Preview)
#include "tst_preview.moc"
