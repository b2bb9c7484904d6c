// The layout window: the skin beside the panels, live, at any zoom, with
// several elements selected, moved as one step, aligned, distributed and
// snapped, driven by real mouse and key events.
#include "../packaging/SkinFolder.h"
#include "EditorFixture.h"
#include "PreviewPictures.h"
#include "ScriptedDialogs.h"
#include "document/SectionTable.h"
#include "editor/canvas/Arrange.h"
#include "editor/canvas/PreviewCanvas.h"
#include "editor/layout/LayoutWindow.h"
#include "render/PreviewRenderer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace PreviewPictures;

namespace {

// The buttons every skin has, with their pictures' sizes and places; the
// close button lies inside the playlist's area.
struct Button {
    qint16 slot;
    const char *file;
    QSize size;
    QPoint at;
};
const Button kButtons[] = {
    {Slot::PlayButton, "play.gif", {30, 20}, {20, 10}},
    {Slot::StopButton, "stop.bmp", {20, 10}, {60, 40}},
    {Slot::CloseButton, "close.bmp", {10, 10}, {120, 70}},
};
const QRect kPlaylist(110, 60, 60, 30);

// One thing a person does in the view.
struct Act {
    enum Kind { Click, Band, Key } kind;
    QPoint from = {}; // skin pixels
    QPoint to = {};
    Qt::KeyboardModifiers modifiers = {};
    Qt::Key key = Qt::Key_unknown;
};

} // namespace

Q_DECLARE_METATYPE(Act)

class tst_LayoutWindow : public QObject {
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
        const Sections::Section &playlist = Sections::kPlaylist;
        hooks(*window).Check2(playlist.check2)->setChecked(true);
        for (const auto &[field, value] : {std::pair{playlist.left, kPlaylist.left()},
                                           {playlist.top, kPlaylist.top()},
                                           {playlist.width, kPlaylist.width()},
                                           {playlist.height, kPlaylist.height()}}) {
            hooks(*window).Text1(field)->setText(QString::number(value));
        }
        historyOf(*window).clear();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->activateWindow();
        QTest::keyClick(window, Qt::Key_L, Qt::ControlModifier);
        layout = window->findChild<LayoutWindow *>();
        QVERIFY(layout);
        layout->resize(800, 600);
        QVERIFY(QTest::qWaitForWindowExposed(layout));
        layout->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), layout);
        QTRY_VERIFY(!view().shownCanvas().isNull());
        view().setFocus();
    }
    void cleanup() { editor.reset(); }

    void windowOpensBesideThePanels()
    {
        QCOMPARE(layout->windowTitle(), u"レイアウト - 新しいスキン"_s);
        QVERIFY(!layout->isModal());
        QVERIFY(window->isEnabled());
        // Its size is kept for the next run's window; closing it changes no value.
        layout->resize(640, 480);
        layout->close();
        QCOMPARE(historyOf(*window).count(), 0);
        editor = std::make_unique<StartedEditor>();
        window = &editor->window;
        QVERIFY(window->Form_Load());
        hooks(*window).mnuViewLayout()->trigger();
        QCOMPARE(window->findChild<LayoutWindow *>()->size(), QSize(640, 480));
    }

    // A skin pixel clicked at any zoom is that pixel: the button's corner is
    // the button, the pixel above and left of it is not.
    void zoomKeepsPointerAndSkinExact_data()
    {
        QTest::addColumn<QList<QKeyCombination>>("keys");
        using K = QKeyCombination;
        const K in(Qt::ControlModifier, Qt::Key_Plus);
        const K out(Qt::ControlModifier, Qt::Key_Minus);
        QTest::newRow("fit") << QList<K>{K(Qt::ControlModifier, Qt::Key_0)};
        QTest::newRow("100%") << QList<K>{K(Qt::ControlModifier, Qt::Key_1)};
        QTest::newRow("25%") << QList<K>{K(Qt::ControlModifier, Qt::Key_1), out, out};
        QTest::newRow("800%") << QList<K>{K(Qt::ControlModifier, Qt::Key_1), in, in, in, in, in};
    }
    void zoomKeepsPointerAndSkinExact()
    {
        QFETCH(QList<QKeyCombination>, keys);
        for (const QKeyCombination key : keys) {
            QTest::keyClick(&view(), key.key(), key.keyboardModifiers());
        }
        // The first screen pixel of the button's corner, and the one before it.
        for (const Button &b : {kButtons[0], kButtons[1]}) {
            const QPointF corner = view().toViewport(b.at);
            const QPoint inside(int(std::ceil(corner.x())), int(std::ceil(corner.y())));
            QTest::mouseClick(view().viewport(), Qt::LeftButton, {}, inside);
            QCOMPARE(view().selection(), std::vector<qint16>{b.slot});
            QTest::mouseClick(view().viewport(), Qt::LeftButton, {}, inside - QPoint(1, 1));
            QVERIFY(view().selection().empty());
        }
        for (int x = 0; x < 200; x += 7) {
            const QPoint pixel(x, x / 2);
            QCOMPARE(view().toSkin(view().toViewport(pixel + QPointF(0.5, 0.5))), pixel);
        }
    }

    // Ctrl+wheel zooms around the pointer: the skin pixel under it stays;
    // a middle drag pans by as much as the pointer moved.
    void wheelZoomsAroundThePointerAndMiddleDragPans()
    {
        QTest::keyClick(&view(), Qt::Key_1, Qt::ControlModifier);
        const QPoint pointer = onScreen({60, 40});
        const QPoint under = view().toSkin(pointer);
        QWheelEvent wheel(QPointF(pointer), view().viewport()->mapToGlobal(QPointF(pointer)),
                          QPoint(), QPoint(0, 120 * 10), Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view().viewport(), &wheel);
        QCOMPARE(view().zoom(), LayoutView::kMaxZoom); // larger than the view both ways
        QCOMPARE(view().toSkin(pointer), under);
        QTest::mousePress(view().viewport(), Qt::MiddleButton, {}, pointer);
        QMouseEvent move(QEvent::MouseMove, QPointF(pointer - QPoint(40, 30)),
                         view().viewport()->mapToGlobal(QPointF(pointer - QPoint(40, 30))),
                         Qt::NoButton, Qt::MiddleButton, {});
        QApplication::sendEvent(view().viewport(), &move);
        QTest::mouseRelease(view().viewport(), Qt::MiddleButton, {}, pointer - QPoint(40, 30));
        QCOMPARE(view().toSkin(pointer - QPoint(40, 30)), under);
    }

    void selection_data()
    {
        QTest::addColumn<QList<Act>>("acts");
        QTest::addColumn<QList<int>>("selected");
        const int play = Slot::PlayButton, stop = Slot::StopButton, close = Slot::CloseButton,
                  playlist = Slot::Playlist;
        const QPoint inPlay(25, 15), inStop(65, 42);
        QTest::newRow("click") << QList<Act>{{Act::Click, inPlay}} << QList<int>{play};
        QTest::newRow("Ctrl+click adds")
            << QList<Act>{{Act::Click, inPlay}, {Act::Click, inStop, {}, Qt::ControlModifier}}
            << QList<int>{play, stop};
        QTest::newRow("Shift+click removes")
            << QList<Act>{{Act::Click, inPlay},
                          {Act::Click, inStop, {}, Qt::ControlModifier},
                          {Act::Click, inPlay, {}, Qt::ShiftModifier}}
            << QList<int>{stop};
        QTest::newRow("band touches")
            << QList<Act>{{Act::Band, {5, 5}, {62, 41}}} << QList<int>{play, stop};
        QTest::newRow("Ctrl+A") << QList<Act>{{Act::Key, {}, {}, Qt::ControlModifier, Qt::Key_A}}
                                << QList<int>{play, stop, close, playlist};
        QTest::newRow("Escape clears")
            << QList<Act>{{Act::Click, inPlay}, {Act::Key, {}, {}, {}, Qt::Key_Escape}}
            << QList<int>{};
        QTest::newRow("picture before area")
            << QList<Act>{{Act::Click, {122, 72}}} << QList<int>{close};
        QTest::newRow("area where no picture lies")
            << QList<Act>{{Act::Click, {165, 85}}} << QList<int>{playlist};
    }
    void selection()
    {
        QFETCH(QList<Act>, acts);
        QFETCH(QList<int>, selected);
        for (const Act &act : acts) {
            perform(act);
        }
        QList<int> shown;
        for (const qint16 slot : view().selection()) {
            shown.append(slot);
        }
        std::sort(shown.begin(), shown.end());
        std::sort(selected.begin(), selected.end());
        QCOMPARE(shown, selected);
    }

    // A drag or a run of arrows moves every selected element, as one step.
    void groupMovesAreOneStep()
    {
        click({25, 15});
        click({65, 42}, Qt::ControlModifier);
        drag({25, 15}, {35, 20}, Qt::AltModifier);
        QCOMPARE(place(Slot::PlayButton), QPoint(30, 15));
        QCOMPARE(place(Slot::StopButton), QPoint(70, 45));
        QTest::keyClick(&view(), Qt::Key_Right);
        QTest::keyClick(&view(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(place(Slot::PlayButton), QPoint(31, 25));
        QCOMPARE(historyOf(*window).count(), 2);
        verifyViewShowsFields();
        historyOf(*window).undo();
        historyOf(*window).undo();
        QCOMPARE(place(Slot::PlayButton), QPoint(20, 10));
        QCOMPARE(place(Slot::StopButton), QPoint(60, 40));
    }

    // A drag snaps an edge within six screen pixels to another element's
    // edge or the background's centre, with a guide; Alt keeps it free.
    void snapping_data()
    {
        QTest::addColumn<QPoint>("grab"); // on the stop button
        QTest::addColumn<QPoint>("by");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QPoint>("to");
        // The stop button's top comes 2 pixels under the play button's top.
        QTest::newRow("to play's top")
            << QPoint(65, 42) << QPoint(40, -28) << Qt::KeyboardModifiers() << QPoint(100, 10);
        QTest::newRow("Alt: no snapping")
            << QPoint(65, 42) << QPoint(40, -28) << Qt::KeyboardModifiers(Qt::AltModifier)
            << QPoint(100, 12);
        // The close button's centre comes 2 pixels right of the background's
        // (200 wide), nearer than any other line.
        QTest::newRow("to the background's centre")
            << QPoint(122, 72) << QPoint(-23, 0) << Qt::KeyboardModifiers() << QPoint(95, 70);
    }
    void snapping()
    {
        QFETCH(QPoint, grab);
        QFETCH(QPoint, by);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QPoint, to);
        QTest::keyClick(&view(), Qt::Key_1, Qt::ControlModifier); // six pixels are six pixels
        const qint16 slot = grab.x() > kButtons[2].at.x() ? Slot::CloseButton : Slot::StopButton;
        click(grab);
        drag(grab, grab + by, modifiers);
        QCOMPARE(place(slot), to);
    }

    // Each arrange command on three buttons lands them where their pictures'
    // sizes say, as one step named after the command.
    void arrangeCommands_data()
    {
        QTest::addColumn<int>("command");
        for (const Arrange::Entry &entry : Arrange::entries()) {
            QTest::newRow(entry.caption.toUtf8().constData()) << int(entry.command);
        }
    }
    void arrangeCommands()
    {
        QFETCH(int, command);
        for (const Button &b : kButtons) {
            click(b.at + QPoint(2, 2), Qt::ControlModifier);
        }
        QCOMPARE(view().selection().size(), std::size_t(3));
        QVERIFY(layout->alignAction(command)->isEnabled());
        layout->alignAction(command)->trigger();
        QCOMPARE(historyOf(*window).count(), 1);
        QCOMPARE(historyOf(*window).text(0), layout->alignAction(command)->text());
        for (const Button &b : kButtons) {
            QCOMPARE(place(b.slot), expectedPlace(Arrange::Command(command), b));
        }
        verifyViewShowsFields();
        QTRY_VERIFY(!layout->alignAction(command)->isEnabled());
    }

    // The looks are the preview's own, chosen from either window.
    void looksAreThePreviews()
    {
        const Sections::Section &play = Sections::sectionFor(Slot::PlayButton);
        hooks(*window).Check1(play.pressed.box)->setChecked(true);
        hooks(*window).Text1(play.pressed.text)->setText(dir.filePath(u"stop.bmp"_s));
        auto *looks = layout->findChild<QMenu *>(u"layoutLooks"_s);
        QVERIFY(looks);
        emit looks->aboutToShow();
        const QList<QAction *> entries = looks->actions();
        const auto pressed = std::find_if(entries.begin(), entries.end(), [](QAction *a) {
            return a->text() == u"ボタン：クリックした時の画像"_s;
        });
        QVERIFY(pressed != entries.end());
        (*pressed)->trigger();
        QCOMPARE(hooks(*window).previewTool().options().look, Preview::ButtonLook::Pressed);
        verifyViewShowsFields(hooks(*window).previewTool().options());
    }

    // Pictures are kept between renderings only while their files are
    // unchanged: one rewritten on disk is drawn anew at the next change.
    void changedPictureIsDrawnAnew()
    {
        const QString own = dir.filePath(u"own.bmp"_s);
        QVERIFY(button(20, 10, qRgb(0, 200, 0)).save(own));
        hooks(*window).Text1(Sections::sectionFor(Slot::StopButton).image.text)->setText(own);
        verifyViewShowsFields();
        QVERIFY(button(20, 10, qRgb(200, 0, 200)).save(own));
        hooks(*window).Text1(Sections::kTheme.title)->setText(u"again"_s);
        verifyViewShowsFields();
    }

    // The inspector names the selection; its LEFT is the element's own field:
    // the same key rules, the same history.
    void inspectorTypesIntoThePanel()
    {
        click({25, 15});
        auto *left = layout->findChild<QLineEdit *>(u"layoutLeft"_s);
        QVERIFY(left && left->isEnabled());
        QCOMPARE(left->text(), u"20"_s);
        left->setFocus();
        left->selectAll();
        QTest::keyClicks(left, u"3a5"_s);
        QCOMPARE(hooks(*window).Text1(Sections::sectionFor(Slot::PlayButton).left)->text(),
                 u"35"_s);
        QCOMPARE(left->text(), u"35"_s);
        QCOMPARE(editor->messages.beeps, 1);
        QCOMPARE(historyOf(*window).count(), 1);
        click({65, 42}, Qt::ControlModifier);
        QVERIFY(!left->isEnabled());
        QVERIFY(layout->findChild<QLabel *>(u"layoutName"_s)->text().startsWith(u'2'));
    }

    // A field typed on a panel shows in the layout window at once.
    void typedFieldAppears()
    {
        QLineEdit *left = hooks(*window).Text1(Sections::sectionFor(Slot::PlayButton).left);
        left->selectAll();
        QTest::keyClicks(left, u"44"_s);
        QTRY_COMPARE(view().rectOf(Slot::PlayButton)->topLeft(), QPoint(44, 10));
        verifyViewShowsFields();
    }

    // A place out of range typed on a panel takes the element out of the
    // layout window, as a fresh rendering leaves it out; typed back, it returns.
    void placeOutOfRangeIsDrawnNowhere()
    {
        QLineEdit *top = hooks(*window).Text1(Sections::sectionFor(Slot::PlayButton).top);
        top->setText(u"40000"_s);
        QTRY_VERIFY(!view().rectOf(Slot::PlayButton));
        verifyViewShowsFields();
        top->setText(u"10"_s);
        QTRY_VERIFY(view().rectOf(Slot::PlayButton));
        verifyViewShowsFields();
    }

    // A skin that differs from the one shown only in its colours is drawn
    // anew once opened: a swatch tells nothing of its own change, the
    // document does (the layout window kept the old colours).
    void openedColoursAreShown()
    {
        ScriptedDialogs dialogs;
        hooks(*window).setDialogProvider(dialogs);
        QTemporaryDir target;
        dialogs.fileAnswers = {target.filePath(u"skin.wms"_s)};
        hooks(*window).mnuFileAnotherSave()->trigger();
        const QString skin = hooks(*window).currentFileName();
        QByteArray bytes = SkinFolder::readFile(skin);
        QVERIFY(bytes.contains("\"#FF0000\""));
        QVERIFY(SkinFolder::writeFile(skin, bytes.replace("\"#FF0000\"", "\"#00FF00\"")));
        const QImage before = view().shownCanvas();

        dialogs.fileAnswers = {skin};
        hooks(*window).mnuFileOpen()->trigger();
        QTRY_VERIFY(view().shownCanvas() != before);
        verifyViewShowsFields();
    }

private:
    LayoutView &view() { return layout->view(); }
    void setPlace(qint16 slot, QPoint at) { setPlaceOf(*window, slot, at); }
    QPoint place(qint16 slot) { return placeOf(*window, slot); }
    // What the view shows is, pixel for pixel, a fresh rendering of the fields.
    void verifyViewShowsFields(const Preview::RenderOptions &options = {})
    {
        QApplication::processEvents();
        hooks(*window).savePanels();
        const Preview::Rendering fresh = Preview::renderPreview(
            hooks(*window).fileControl(),
            Preview::PanelState::fromDocument(hooks(*window).fileControl()), options);
        QCOMPARE(view().shownCanvas(), fresh.canvas);
    }
    // The middle of a skin pixel, on screen.
    QPoint onScreen(QPoint skin) { return view().toViewport(skin + QPointF(0.5, 0.5)).toPoint(); }
    void click(QPoint skin, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(view().viewport(), Qt::LeftButton, modifiers, onScreen(skin));
    }
    // The moves carry the held keys, as a window system sends them.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget *surface = view().viewport();
        QTest::mousePress(surface, Qt::LeftButton, modifiers, onScreen(from));
        for (const QPoint at : {onScreen((from + to) / 2), onScreen(to)}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(at), surface->mapToGlobal(QPointF(at)),
                             Qt::NoButton, Qt::LeftButton, modifiers);
            QApplication::sendEvent(surface, &move);
        }
        QTest::mouseRelease(surface, Qt::LeftButton, modifiers, onScreen(to));
    }
    void perform(const Act &act)
    {
        switch (act.kind) {
        case Act::Click:
            click(act.from, act.modifiers);
            break;
        case Act::Band:
            drag(act.from, act.to, act.modifiers);
            break;
        case Act::Key:
            QTest::keyClick(&view(), act.key, act.modifiers);
            break;
        }
    }
    // Where a command puts a button, worked out from the three pictures'
    // sizes (all even, so every centre is a whole pixel).
    static QPoint expectedPlace(Arrange::Command command, const Button &b)
    {
        QRect bounds;
        for (const Button &each : kButtons) {
            bounds |= QRect(each.at, each.size);
        }
        const QSize size = b.size;
        const Button &first = kButtons[0];
        const Button &last = kButtons[2];
        const bool between = b.slot == kButtons[1].slot;
        switch (command) {
        case Arrange::Command::Left:
            return {bounds.x(), b.at.y()};
        case Arrange::Command::HCenter:
            return {bounds.x() + bounds.width() / 2 - size.width() / 2, b.at.y()};
        case Arrange::Command::Right:
            return {bounds.x() + bounds.width() - size.width(), b.at.y()};
        case Arrange::Command::Top:
            return {b.at.x(), bounds.y()};
        case Arrange::Command::VCenter:
            return {b.at.x(), bounds.y() + bounds.height() / 2 - size.height() / 2};
        case Arrange::Command::Bottom:
            return {b.at.x(), bounds.y() + bounds.height() - size.height()};
        case Arrange::Command::DistributeH: {
            const int end = first.at.x() + first.size.width();
            const int gap = (last.at.x() - end - size.width()) / 2;
            return between ? QPoint(end + gap, b.at.y()) : b.at;
        }
        case Arrange::Command::DistributeV: {
            const int end = first.at.y() + first.size.height();
            const int gap = (last.at.y() - end - size.height()) / 2;
            return between ? QPoint(b.at.x(), end + gap) : b.at;
        }
        }
        return b.at;
    }

    QTemporaryDir dir;
    std::unique_ptr<StartedEditor> editor;
    frmMain *window = nullptr;
    LayoutWindow *layout = nullptr;
};

QTEST_MAIN(tst_LayoutWindow)
#include "tst_layout_window.moc"
