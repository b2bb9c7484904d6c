// The preview as a layout tool: elements dragged and nudged on the real
// canvas land in their fields, each move an undo step; outlined areas move the
// same way; what the skin check finds is marked.
#include "EditorFixture.h"
#include "PreviewPictures.h"
#include "ScriptedDialogs.h"
#include "document/SectionTable.h"
#include "editor/canvas/PreviewCanvas.h"
#include "editor/widgets/PictureBox.h"
#include "wms/WmsFields.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace PreviewPictures;

namespace {

constexpr int kPreviewMode = 6;

// The three buttons every skin has: picture, LEFT, TOP.
struct Button {
    qint16 slot;
    const char *file;
    QPoint at;
};
const Button kButtons[] = {
    {Slot::PlayButton, "play.gif", {20, 10}},
    {Slot::StopButton, "stop.bmp", {40, 15}},
    {Slot::CloseButton, "close.bmp", {150, 60}},
};

} // namespace

class tst_PreviewCanvas : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVERIFY(writeSharedPictures(dir));
        QVERIFY(!write(dir, u"close.bmp"_s, button(10, 10, qRgb(200, 200, 0))).isEmpty());
    }
    void init()
    {
        editor = std::make_unique<StartedEditor>();
        window = &editor->window;
        QVERIFY(window->Form_Load());
        hooks(*window).Text1(Sections::kView.image.text)->setText(dir.filePath(u"back.bmp"_s));
        for (const Button &b : kButtons) {
            hooks(*window)
                .Text1(Sections::sectionFor(b.slot).image.text)
                ->setText(dir.filePath(QString::fromLatin1(b.file)));
            setPlace(b.slot, b.at);
        }
        // The skin as set up here is where each test's history starts.
        history().clear();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        hooks(*window).imgMenu(kPreviewMode)->click();
    }
    void cleanup() { editor.reset(); }

    // The topmost element under the pointer follows it; on release its
    // fields hold the new place, and the canvas shows what a fresh rendering
    // of the fields shows.
    void dragPlacesTheTopmostElement_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("by");
        QTest::addColumn<int>("slot"); // 0: nothing moves
        QTest::addColumn<QPoint>("to");
        QTest::newRow("play") << QPoint(30, 15) << QPoint(15, 5) << int(Slot::PlayButton)
                              << QPoint(35, 15);
        QTest::newRow("stop lies over play")
            << QPoint(45, 20) << QPoint(0, 30) << int(Slot::StopButton) << QPoint(40, 45);
        QTest::newRow("never below 0")
            << QPoint(30, 15) << QPoint(-80, -80) << int(Slot::PlayButton) << QPoint(0, 0);
        QTest::newRow("off the background")
            << QPoint(155, 65) << QPoint(100, 0) << int(Slot::CloseButton) << QPoint(250, 60);
        QTest::newRow("bare background") << QPoint(100, 90) << QPoint(10, 0) << 0 << QPoint();
    }
    void dragPlacesTheTopmostElement()
    {
        QFETCH(QPoint, press);
        QFETCH(QPoint, by);
        QFETCH(int, slot);
        QFETCH(QPoint, to);
        PictureBox &canvas = hooks(*window).previewCanvas();
        QTest::mousePress(&canvas, Qt::LeftButton, {}, press);
        QTest::mouseMove(&canvas, press + by / 2);
        QTest::mouseMove(&canvas, press + by);
        QTest::mouseRelease(&canvas, Qt::LeftButton, {}, press + by);
        for (const Button &b : kButtons) {
            QCOMPARE(place(b.slot), b.slot == slot ? to : b.at);
        }
        QCOMPARE(history().count(), slot ? 1 : 0);
        verifyCanvasShowsFields();
    }

    void keysMoveTheSelection_data()
    {
        QTest::addColumn<QList<QKeyCombination>>("keys");
        QTest::addColumn<QPoint>("to"); // play starts at (20, 10)
        using K = QKeyCombination;
        QTest::newRow("right 3") << QList<K>{K(Qt::Key_Right), K(Qt::Key_Right), K(Qt::Key_Right)}
                                 << QPoint(23, 10);
        QTest::newRow("Shift+Down, Up")
            << QList<K>{K(Qt::ShiftModifier, Qt::Key_Down), K(Qt::Key_Up)} << QPoint(20, 19);
        QTest::newRow("Shift+Left twice stops at 0")
            << QList<K>{K(Qt::ShiftModifier, Qt::Key_Left), K(Qt::ShiftModifier, Qt::Key_Left),
                        K(Qt::ShiftModifier, Qt::Key_Left)}
            << QPoint(0, 10);
        QTest::newRow("Escape drops the selection")
            << QList<K>{K(Qt::Key_Escape), K(Qt::Key_Right)} << QPoint(20, 10);
    }
    void keysMoveTheSelection()
    {
        QFETCH(QList<QKeyCombination>, keys);
        QFETCH(QPoint, to);
        PictureBox &canvas = hooks(*window).previewCanvas();
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(30, 15));
        QCOMPARE(tool().selection(), std::optional<qint16>(Slot::PlayButton));
        for (const QKeyCombination key : keys) {
            QTest::keyClick(&canvas, key.key(), key.keyboardModifiers());
        }
        QCOMPARE(place(Slot::PlayButton), to);
        // A run of arrow keys on one element is one step.
        QCOMPARE(history().count(), to == QPoint(20, 10) ? 0 : 1);
        verifyCanvasShowsFields();
    }

    // Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z) while the preview is shown; the
    // history outlives a visit to another panel and ends with New.
    void undoAndRedo()
    {
        PictureBox &canvas = hooks(*window).previewCanvas();
        QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(30, 15));
        QTest::mouseMove(&canvas, QPoint(40, 35));
        QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(40, 35));
        QTest::keyClick(&canvas, Qt::Key_Right);
        QTest::keyClick(&canvas, Qt::Key_Right);
        QCOMPARE(place(Slot::PlayButton), QPoint(32, 30));
        const std::pair<QKeyCombination, QPoint> steps[] = {
            {Qt::ControlModifier | Qt::Key_Z, {30, 30}},
            {Qt::ControlModifier | Qt::Key_Z, {20, 10}},
            {Qt::ControlModifier | Qt::Key_Y, {30, 30}},
            {Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z, {32, 30}},
        };
        for (const auto &[key, expected] : steps) {
            QTest::keyClick(&canvas, key.key(), key.keyboardModifiers());
            QCOMPARE(place(Slot::PlayButton), expected);
            verifyCanvasShowsFields();
        }
        hooks(*window).imgMenu(1)->click();
        hooks(*window).imgMenu(kPreviewMode)->click();
        QCOMPARE(history().count(), 2);
        hooks(*window).mnuFileNew()->trigger();
        QCOMPARE(history().count(), 0);
    }

    // Moves stop at the largest place a field takes, by key and by drag.
    void movesStopAtTheLargestPlace()
    {
        PictureBox &canvas = hooks(*window).previewCanvas();
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(30, 15));
        hooks(*window).Text1(Sections::sectionFor(Slot::PlayButton).left)->setText(u"32766"_s);
        QTest::keyClick(&canvas, Qt::Key_Right);
        QTest::keyClick(&canvas, Qt::Key_Right);
        QCOMPARE(place(Slot::PlayButton), QPoint(32767, 10));
        QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(45, 20)); // stop
        QTest::mouseMove(&canvas, QPoint(45, 40000));
        QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(45, 40000));
        QCOMPARE(place(Slot::StopButton), QPoint(40, 32767));
    }

    // A drag that loses its mouse button to another window ends as if it
    // had never begun: nothing moves, nothing is recorded, and the element
    // no longer follows the pointer.
    void dragEndsWhenAnotherWindowTakesOver()
    {
        PictureBox &canvas = hooks(*window).previewCanvas();
        QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(30, 15));
        QTest::mouseMove(&canvas, QPoint(60, 45));
        QWidget question;
        question.show();
        question.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &question);
        question.close();
        window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window);
        QTest::mouseMove(&canvas, QPoint(90, 60));
        QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(90, 60));
        QCOMPARE(place(Slot::PlayButton), QPoint(20, 10));
        QCOMPARE(history().count(), 0);
        verifyCanvasShowsFields();
    }

    // Opening another skin while the preview is shown shows that skin, and
    // moves there write its places.
    void openRedrawsTheShownPreview()
    {
        ScriptedDialogs dialogs;
        hooks(*window).setDialogProvider(dialogs);
        QTemporaryDir saved;
        setPlace(Slot::PlayButton, {60, 50});
        dialogs.fileAnswers = {saved.filePath(u"b.wms"_s)};
        hooks(*window).mnuFileAnotherSave()->trigger();
        const QString skinB = hooks(*window).currentFileName();
        QVERIFY(QFileInfo::exists(skinB));
        setPlace(Slot::PlayButton, {20, 10});
        hooks(*window).imgMenu(kPreviewMode)->click();
        dialogs.fileAnswers = {skinB};
        hooks(*window).mnuFileOpen()->trigger();
        QCOMPARE(place(Slot::PlayButton), QPoint(60, 50));
        verifyCanvasShowsFields();
        PictureBox &canvas = hooks(*window).previewCanvas();
        QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(70, 55));
        QTest::mouseMove(&canvas, QPoint(75, 60));
        QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(75, 60));
        QCOMPARE(place(Slot::PlayButton), QPoint(65, 55));
    }

    // The playlist has no picture: its outline is taken and dragged like one,
    // but a button inside it is the button.
    void outlinedAreaMoves()
    {
        const Sections::Section &playlist = Sections::kPlaylist;
        hooks(*window).Check2(playlist.check2)->setChecked(true);
        for (const auto &[field, value] : {std::pair{playlist.top, 50},
                                           {playlist.left, 100},
                                           {playlist.height, 30},
                                           {playlist.width, 60}}) {
            hooks(*window).Text1(field)->setText(QString::number(value));
        }
        tool().setOptions(tool().options(), true);
        QTest::mouseClick(&hooks(*window).previewCanvas(), Qt::LeftButton, {}, QPoint(155, 65));
        QCOMPARE(tool().selection(), std::optional<qint16>(Slot::CloseButton));
        QTest::mousePress(&hooks(*window).previewCanvas(), Qt::LeftButton, {}, QPoint(110, 60));
        QTest::mouseMove(&hooks(*window).previewCanvas(), QPoint(120, 65));
        QTest::mouseRelease(&hooks(*window).previewCanvas(), Qt::LeftButton, {}, QPoint(120, 65));
        QCOMPARE(hooks(*window).Text1(playlist.left)->text(), u"110"_s);
        QCOMPARE(hooks(*window).Text1(playlist.top)->text(), u"55"_s);
    }

    // What the check finds is marked at the element, and only that.
    void problemsAreMarked_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("image"); // empty: the button's own
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QPoint>("marked"); // where the mark's corner is
        QTest::addColumn<QString>("says");  // empty: nothing marked
        QTest::newRow("sound skin")
            << int(Slot::PlayButton) << QString() << QPoint(20, 10) << QPoint() << QString();
        QTest::newRow("missing image") << int(Slot::StopButton) << u"gone.bmp"_s << QPoint(40, 15)
                                       << QPoint(40, 15) << u"が存在しません"_s;
        QTest::newRow("partly off") << int(Slot::CloseButton) << QString() << QPoint(195, 60)
                                    << QPoint(195, 60) << u"はみ出しています"_s;
        QTest::newRow("wholly off") << int(Slot::CloseButton) << QString() << QPoint(300, 60)
                                    << QPoint(300, 60) << u"外にあります"_s;
        // Drawn nowhere, marked toward where it would lie, the field named
        // by its caption.
        QTest::newRow("place past the largest")
            << int(Slot::StopButton) << QString() << QPoint(70000, 15)
            << QPoint(WmsFields::kMaxPlace, 15) << u"LEFT「70000」は範囲外です"_s;
    }
    void problemsAreMarked()
    {
        QFETCH(int, slot);
        QFETCH(QString, image);
        QFETCH(QPoint, at);
        QFETCH(QPoint, marked);
        QFETCH(QString, says);
        if (!image.isEmpty()) {
            hooks(*window)
                .Text1(Sections::sectionFor(qint16(slot)).image.text)
                ->setText(dir.filePath(image));
        }
        setPlace(qint16(slot), at);
        hooks(*window).imgMenu(kPreviewMode)->click();
        const auto &problems = tool().problems();
        QCOMPARE(problems.size(), says.isEmpty() ? 0u : 1u);
        if (!says.isEmpty()) {
            QCOMPARE(problems.front().slot, qint16(slot));
            QCOMPARE(problems.front().rect.topLeft(), marked);
            QVERIFY2(problems.front().text.contains(says), qPrintable(problems.front().text));
        }
    }

    // A place typed out of range takes the element off the canvas, as a
    // fresh rendering leaves it out; typed back, it is drawn again.
    void placeOutOfRangeIsDrawnNowhere()
    {
        QLineEdit *top = hooks(*window).Text1(Sections::sectionFor(Slot::StopButton).top);
        top->setText(u"40000"_s);
        const QList<Drawn> others{{dir.filePath(u"play.gif"_s), place(Slot::PlayButton)},
                                  {dir.filePath(u"close.bmp"_s), place(Slot::CloseButton)}};
        const QImage without = composed(dir.filePath(u"back.bmp"_s), others);
        const auto showsWithout = [&] {
            return firstDifference(hooks(*window).previewCanvas().drawing(), without).isEmpty();
        };
        QTRY_VERIFY(showsWithout());
        const auto problem = std::find_if(tool().problems().begin(), tool().problems().end(),
                                          [](const auto &p) { return p.slot == Slot::StopButton; });
        QVERIFY(problem != tool().problems().end());
        QVERIFY2(problem->text.startsWith(u"TOP「40000」"_s), qPrintable(problem->text));
        top->setText(u"15"_s);
        QTRY_VERIFY(!showsWithout());
        verifyCanvasShowsFields();
    }

private:
    PreviewCanvas &tool() { return hooks(*window).previewTool(); }
    QUndoStack &history() { return historyOf(*window); }
    void setPlace(qint16 slot, QPoint at) { setPlaceOf(*window, slot, at); }
    QPoint place(qint16 slot) { return placeOf(*window, slot); }
    // The picture after moves is the one the fields make from scratch.
    void verifyCanvasShowsFields()
    {
        QList<Drawn> drawn;
        for (const Button &b : kButtons) {
            drawn.append({dir.filePath(QString::fromLatin1(b.file)), place(b.slot)});
        }
        const QString difference = firstDifference(hooks(*window).previewCanvas().drawing(),
                                                   composed(dir.filePath(u"back.bmp"_s), drawn));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    QTemporaryDir dir;
    std::unique_ptr<StartedEditor> editor;
    frmMain *window = nullptr;
};

QTEST_MAIN(tst_PreviewCanvas)
#include "tst_preview_canvas.moc"
