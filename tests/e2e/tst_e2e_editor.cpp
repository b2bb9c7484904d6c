// The real editor under Xvfb with the X11 platform, driven by xdotool.
#include "../packaging/TestArchive.h"
#include "../wms/WmsFixtures.h"
#include "ProgramFolder.h"
#include "RecordingMessageSink.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "editor/panels/LayoutTables.h"
#include "render/PreviewRenderer.h"
#include "util/AnsiText.h"
#include "util/Twips.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// Differing pixels of two screenshots inside one rectangle.
int changedPixels(const QImage &before, const QImage &after, const QRect &area)
{
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            changed += before.pixel(x, y) != after.pixel(x, y) ? 1 : 0;
        }
    }
    return changed;
}

// True when the pixels of small equal those of big at offset, colours only
// (a screenshot's colour space is not the picture's).
bool samePixels(const QImage &big, QPoint offset, const QImage &small)
{
    for (int y = 0; y < small.height(); ++y) {
        for (int x = 0; x < small.width(); ++x) {
            if ((big.pixel(offset + QPoint(x, y)) & RGB_MASK) != (small.pixel(x, y) & RGB_MASK)) {
                return false;
            }
        }
    }
    return true;
}

// Where needle's top-left pixels first appear in haystack; (-1, -1) when nowhere.
QPoint find(const QImage &haystack, const QImage &needle)
{
    const QImage patch =
        needle.copy(0, 0, std::min(needle.width(), 24), std::min(needle.height(), 24));
    for (int y = 0; y + patch.height() <= haystack.height(); ++y) {
        for (int x = 0; x + patch.width() <= haystack.width(); ++x) {
            if (samePixels(haystack, {x, y}, patch)) {
                return {x, y};
            }
        }
    }
    return {-1, -1};
}

// Places in the main window's client area, in pixels (the layout's twips / 15).
const QPoint kModeButton0{6, 52}; // imgMenu(0) inside the side strip
const QPoint kPanel{128, 3};      // every panel picture2(0..6)
const QPoint kCanvas{1, 1};       // picture2(7) in the preview panel

QPoint clientPoint(int leftTwips, int topTwips)
{
    return {Twips::toPixels(leftTwips), Twips::toPixels(topTwips)};
}

const Layout::Plan &plan()
{
    static const Layout::Plan plan = Layout::makePlan();
    return plan;
}

// Client-area coordinates of the middle of a control, walked up from its
// place in its frame through the frames to its panel.
QPoint centreOf(const Layout::Place &place)
{
    int left = place.box.left + place.box.width / 2;
    int top = place.box.top + place.box.height / 2;
    for (Layout::Holder holder = place.holder; holder.kind == Layout::HolderKind::Frame;) {
        const Layout::FrameRow &frame = Layout::kFrames.at(std::size_t(holder.index));
        left += frame.box.left;
        top += frame.box.top;
        holder = frame.holder;
    }
    return clientPoint(left + Layout::kPanelBox.left, top + Layout::kPanelBox.top);
}

QPoint fieldCentre(int index)
{
    return centreOf(plan().text1.at(std::size_t(index)).value());
}

QPoint modeButtonCentre(int index)
{
    return clientPoint(Layout::kPicture1.left + Layout::kImgMenuLeft + Layout::kImgMenuWidth / 2,
                       Layout::kPicture1.top + Layout::kImgMenuTops.at(std::size_t(index)) +
                           Layout::kImgMenuHeight / 2);
}

// What the test types into the buttons panel: field and text.
struct Typed {
    int field;
    const char *text;
    bool sample; // a picture of the sample folder
};
constexpr Typed kButtonFields[] = {
    {4, "play.bmp", true},   {7, "10", false},  {8, "20", false},
    {9, "stop.gif", true},   {12, "30", false}, {13, "40", false},
    {14, "close.gif", true}, {17, "50", false}, {18, "60", false},
};

} // namespace

class tst_E2eEditor : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const QString &tool : {u"Xvfb"_s, u"xdotool"_s, u"import"_s, u"xclip"_s}) {
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                QSKIP(qPrintable(tool + u" is not installed; run scripts/setup.sh"_s));
            }
        }
        bin = programFolder();
        QVERIFY2(QFile::exists(bin + u"/velmora"_s), "the program folder must hold velmora");
        artifacts = QDir(bin + u"/../artifacts"_s).absolutePath();
        QVERIFY(QDir().mkpath(artifacts));

        display = startDisplay(xvfb);
        QVERIFY(!display.isEmpty());
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DISPLAY"_s, display);
        // Recovery files and the user's skins folder of a home of the tests' own.
        QVERIFY(dataHome.isValid());
        environment.insert(u"XDG_DATA_HOME"_s, dataHome.path());
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        // In a sanitizer build a leak report would change the editor's exit
        // status; leaks of the platform's own libraries are not the editor's.
        const QString lsan = environment.value(u"LSAN_OPTIONS"_s);
        environment.insert(u"LSAN_OPTIONS"_s, (lsan.isEmpty() ? QString() : lsan + u':') +
                                                  u"suppressions="_s +
                                                  QStringLiteral(VELMORA_LSAN_SUPPRESSIONS));
    }

    void cleanupTestCase()
    {
        if (xvfb.state() == QProcess::Running) {
            xvfb.terminate();
            xvfb.waitForFinished();
        }
    }

    void modeButtonSwitchesPanelAndWindowCloses()
    {
        QProcess editor;
        const QString window = startEditor(editor);
        QVERIFY(!window.isEmpty());

        const QImage before = settledScreenshot(u"e2e_editor_start.png"_s);
        // Mode button 3 (sliders): the clicked button shows its selected
        // picture, button 0 its plain one, and the panel on the right is another.
        QVERIFY(click(modeButtonCentre(3)));
        const auto around = [this](QPoint centre) {
            return QRect(client + centre - QPoint(50, 30), QSize(100, 60));
        };
        const QRect panel(client + kPanel + QPoint(20, 50), QSize(500, 200));
        QVERIFY(waitFor([&] {
            const QImage after = screenshot(u"e2e_editor_mode3.png"_s);
            return after.size() == before.size() &&
                   changedPixels(before, after, around(modeButtonCentre(3))) > 1000 &&
                   changedPixels(before, after, around(modeButtonCentre(0))) > 1000 &&
                   changedPixels(before, after, panel) > 1000;
        }));

        // Close through the menu: ファイル(&F), Velmoraの終了(&X).
        QVERIFY(chooseMenu(window, u"alt+f"_s, u"x"_s));
        QVERIFY(editor.waitForFinished(20000));
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.exitCode(), 0);
    }

    // A skin made of the sample images, packed from the menu through the real
    // file dialog; then the version window opens and closes.
    void packsSkinAndShowsVersion()
    {
        QTemporaryDir skins;
        QVERIFY(skins.isValid());
        const QDir skin(skins.filePath(u"blue"_s));
        QVERIFY(skin.mkpath(u"."_s));
        for (const QString &name : {u"background.bmp"_s, u"play.bmp"_s}) {
            QVERIFY(QFile::copy(bin + u"/sample/"_s + name, skin.filePath(name)));
        }
        QFile wms(skin.filePath(u"blue.wms"_s));
        QVERIFY(wms.open(QIODevice::WriteOnly));
        wms.write("<theme id=\"velmora\" title=\"blue\">\r\n"
                  "<view backgroundimage=\"background.bmp\">\r\n"
                  "<playbutton top=\"10\" left=\"10\" image=\"play.bmp\"/>\r\n"
                  "</view>\r\n</theme>\r\n");
        wms.close();

        QProcess editor;
        const QString window = startEditor(editor);
        QVERIFY(!window.isEmpty());

        // ファイル(&F), WMZファイル作成(&W); the dialog starts with its name field.
        QVERIFY(chooseMenu(window, u"alt+f"_s, u"w"_s));
        const QString dialog = findWindow(u"^ファイルを開く$"_s);
        QVERIFY(!dialog.isEmpty());
        QVERIFY(answerFileDialog(dialog, skin.filePath(u"blue.wms"_s), u"e2e_wmz_dialog.png"_s));
        const QString done = findWindow(u"^WMZ作成$"_s);
        QVERIFY(!done.isEmpty());
        screenshot(u"e2e_wmz_done.png"_s);
        QVERIFY(run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, done}));
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"Return"_s}));

        QString entries;
        QVERIFY(run(u"unzip"_s, {u"-t"_s, skin.filePath(u"blue.wmz"_s)}, &entries));
        for (const QString &name : {u"blue.wms"_s, u"background.bmp"_s, u"play.bmp"_s}) {
            QVERIFY2(entries.contains(u"testing: "_s + name), qPrintable(entries));
        }

        // ヘルプ(&H), バージョン情報(&A); OK closes it.
        QTRY_VERIFY_WITH_TIMEOUT(findWindow(u"^WMZ作成$"_s, false).isEmpty(), 20000);
        QVERIFY(chooseMenu(window, u"alt+h"_s, u"a"_s));
        const QString about = findWindow(u"^バージョン情報$"_s);
        QVERIFY(!about.isEmpty());
        screenshot(u"e2e_version.png"_s);
        QVERIFY(run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, about}));
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"Return"_s}));
        QTRY_VERIFY_WITH_TIMEOUT(findWindow(u"^バージョン情報$"_s, false).isEmpty(), 20000);

        QVERIFY(chooseMenu(window, u"alt+f"_s, u"x"_s));
        QVERIFY(editor.waitForFinished(20000));
        QCOMPARE(editor.exitCode(), 0);
    }

    // Paths typed into the fields of a fresh skin; the preview mode shows on
    // screen exactly what the renderer draws from the same values.
    void previewShowsTheRenderersPicture()
    {
        QProcess editor;
        const QString window = startEditor(editor);
        QVERIFY(!window.isEmpty());
        QVERIFY(locateClient(u"e2e_preview_start.png"_s));
        QVERIFY(run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, window}));

        const QString background = bin + u"/sample/background.bmp"_s;
        QVERIFY(typeInto(fieldCentre(3), background));
        QVERIFY(click(modeButtonCentre(1)));
        // Every button a skin must have, so that the check finds nothing to mark.
        for (const Typed &typed : kButtonFields) {
            const QString text = QString::fromLatin1(typed.text);
            QVERIFY(typeInto(fieldCentre(typed.field),
                             typed.sample ? bin + u"/sample/"_s + text : text));
        }
        QVERIFY(click(modeButtonCentre(6)));

        RecordingMessageSink messages;
        clsFileControl document(messages);
        for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
            document.getElement(slot)->initMember();
        }
        document.getElement(Slot::View)->setUpimage(background);
        for (const qint16 slot : {Slot::PlayButton, Slot::StopButton, Slot::CloseButton}) {
            clsElement &record = *document.getElement(slot);
            const Typed *typed = &kButtonFields[(slot - Slot::PlayButton) * 3];
            record.setExistFlag(1);
            record.setUpimage(bin + u"/sample/"_s + QString::fromLatin1(typed[0].text));
            record.setTop(QString::fromLatin1(typed[1].text));
            record.setLeft(QString::fromLatin1(typed[2].text));
        }
        QVERIFY2(waitFor([&] {
                     return showsPreviewOf(screenshot(u"e2e_preview.png"_s), document,
                                           u"e2e_preview_expected.png"_s);
                 }),
                 "the canvas on screen differs from the renderer's picture");

        // Drag the play button (TOP 10, LEFT 20) by 20 right and 10 down with
        // the mouse: its fields follow.
        const QPoint grab = client + kPanel + kCanvas + QPoint(25, 15);
        QVERIFY(run(u"xdotool"_s, {u"mousemove"_s, QString::number(grab.x()),
                                   QString::number(grab.y()), u"mousedown"_s, u"1"_s}));
        for (const QPoint step : {QPoint(10, 5), QPoint(20, 10)}) {
            const QPoint to = grab + step;
            QVERIFY(run(u"xdotool"_s,
                        {u"mousemove"_s, QString::number(to.x()), QString::number(to.y())}));
        }
        QVERIFY(run(u"xdotool"_s, {u"mouseup"_s, u"1"_s}));
        screenshot(u"e2e_preview_dragged.png"_s);
        QVERIFY(click(modeButtonCentre(1)));
        for (const auto &[field, expected] : {std::pair{7, u"20"_s}, {8, u"40"_s}}) {
            QVERIFY(doubleClick(fieldCentre(field)));
            QTRY_COMPARE_WITH_TIMEOUT(selection(u"primary"_s), expected, 10000);
        }

        editor.terminate();
        QVERIFY(editor.waitForFinished(20000));
    }

    // Nudge the play button on the preview, type its LEFT on its panel, and
    // from the preview undo both and redo both: the typed value is back.
    void undoAndRedoKeepEveryEdit()
    {
        QProcess editor;
        const QString window = startEditor(editor);
        QVERIFY(!window.isEmpty());
        QVERIFY(locateClient(u"e2e_history_start.png"_s));
        QVERIFY(typeInto(fieldCentre(3), bin + u"/sample/background.bmp"_s));
        QVERIFY(click(modeButtonCentre(1)));
        QVERIFY(typeInto(fieldCentre(kButtonFields[0].field),
                         bin + u"/sample/"_s + QString::fromLatin1(kButtonFields[0].text)));
        QVERIFY(typeInto(fieldCentre(7), u"10"_s));
        QVERIFY(typeInto(fieldCentre(8), u"100"_s));
        QVERIFY(click(modeButtonCentre(6)));
        QVERIFY(click(kPanel + kCanvas + QPoint(105, 15)));
        QVERIFY(key(window, u"Right Right Right"_s));
        QVERIFY(click(modeButtonCentre(1)));
        QVERIFY(doubleClick(fieldCentre(8)));
        QVERIFY(run(u"xdotool"_s, {u"type"_s, u"200"_s}));
        QVERIFY(click(modeButtonCentre(6)));
        QVERIFY(key(window, u"ctrl+z ctrl+z ctrl+y ctrl+y"_s));
        screenshot(u"e2e_history.png"_s);
        QVERIFY(click(modeButtonCentre(1)));
        QVERIFY(doubleClick(fieldCentre(8)));
        QTRY_COMPARE_WITH_TIMEOUT(selection(u"primary"_s), u"200"_s, 10000);
        QVERIFY(leaveWithoutSaving(window, editor));
    }

    // Ctrl+L opens the layout window beside the panels; a real drag there
    // snaps the stop button's top to the play button's.
    void layoutWindowSnapsADrag()
    {
        QProcess editor;
        const QString window = startEditor(editor);
        QVERIFY(!window.isEmpty());
        QVERIFY(locateClient(u"e2e_layout_start.png"_s));
        QVERIFY(typeInto(fieldCentre(3), bin + u"/sample/background.bmp"_s));
        QVERIFY(click(modeButtonCentre(1)));
        for (const Typed &typed : kButtonFields) {
            const QString text = QString::fromLatin1(typed.text);
            QVERIFY(typeInto(fieldCentre(typed.field),
                             typed.sample ? bin + u"/sample/"_s + text : text));
        }
        QVERIFY(key(window, u"ctrl+l"_s));
        const QString layout = findWindow(u"^レイアウト - 新しいスキン$"_s);
        QVERIFY(!layout.isEmpty());
        QVERIFY(run(u"xdotool"_s, {u"windowsize"_s, u"--sync"_s, layout, u"700"_s, u"500"_s}));
        QVERIFY(run(u"xdotool"_s, {u"windowmove"_s, u"--sync"_s, layout, u"0"_s, u"0"_s}));
        QVERIFY(key(layout, u"ctrl+1"_s));
        // The skin is found on screen by its background's bottom right corner,
        // where no button lies; the stop button is at LEFT 40, TOP 30.
        const QImage shot = settledScreenshot(u"e2e_layout.png"_s);
        const QImage background(bin + u"/sample/background.bmp"_s);
        const QPoint corner(background.width() - 24, background.height() - 24);
        const QPoint cornerAt = find(shot, background.copy(QRect(corner, QSize(24, 24))));
        QVERIFY2(cornerAt.x() >= 0, "the skin is not on screen");
        // Grab it and bring its top 3 pixels under the play button's (TOP 10).
        const QPoint grab = cornerAt - corner + QPoint(60, 42);
        const QPoint to = grab + QPoint(0, -17);
        QVERIFY(run(u"xdotool"_s, {u"mousemove"_s, QString::number(grab.x()),
                                   QString::number(grab.y()), u"mousedown"_s, u"1"_s}));
        for (const QPoint now : {grab + QPoint(0, -8), to}) {
            QVERIFY(run(u"xdotool"_s,
                        {u"mousemove"_s, QString::number(now.x()), QString::number(now.y())}));
        }
        QVERIFY(run(u"xdotool"_s, {u"mouseup"_s, u"1"_s}));
        screenshot(u"e2e_layout_snapped.png"_s);
        QVERIFY(run(u"xdotool"_s, {u"windowraise"_s, window}));
        QVERIFY(doubleClick(fieldCentre(12)));
        QTRY_COMPARE_WITH_TIMEOUT(selection(u"primary"_s), u"10"_s, 10000);
        QVERIFY(leaveWithoutSaving(window, editor));
    }

    // Unsaved work outlives the ends nobody chose: a SIGTERM, the main
    // window destroyed from outside, the display going away right after the
    // change. The next start offers it back before it opens a skin it is
    // given, which then asks before it takes the work's place; leaving it
    // unsaved by choice keeps nothing.
    void suddenEndKeepsUnsavedWork_data()
    {
        QTest::addColumn<QString>("end");
        for (const char *end : {"SIGTERM", "SIGINT", "window destroyed", "display lost"}) {
            QTest::newRow(end) << QString::fromLatin1(end);
        }
    }
    void suddenEndKeepsUnsavedWork()
    {
        QFETCH(QString, end);
        const QString shared = display;
        const auto back = qScopeGuard([&] {
            display = shared;
            environment.insert(u"DISPLAY"_s, shared);
        });
        QProcess ownDisplay;
        if (end == u"display lost"_s) {
            display = startDisplay(ownDisplay);
            QVERIFY(!display.isEmpty());
            environment.insert(u"DISPLAY"_s, display);
        }
        QProcess editor;
        const QString window = startEditor(editor);
        QVERIFY(!window.isEmpty());
        QVERIFY(locateClient(u"e2e_recovery_start.png"_s));
        QVERIFY(typeInto(fieldCentre(0), u"unsaved title"_s));
        // Some ends come at once, before the change is written; the others
        // once it is, so that the end must not take it away again.
        if (end == u"display lost"_s) {
            ownDisplay.kill();
            ownDisplay.waitForFinished();
        } else if (end == u"SIGINT"_s) {
            // Once the editor has the text (it copies it), well before it writes it.
            QVERIFY(key(window, u"ctrl+a ctrl+c"_s));
            QTRY_COMPARE_WITH_TIMEOUT(selection(u"clipboard"_s), u"unsaved title"_s, 10000);
            QCOMPARE(::kill(pid_t(editor.processId()), SIGINT), 0);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(!recoveryFiles().isEmpty(), 20000);
            if (end == u"SIGTERM"_s) {
                editor.terminate();
            } else {
                QVERIFY(run(u"xdotool"_s, {u"windowclose"_s, window}));
            }
        }
        QVERIFY(editor.waitForFinished(20000));
        if (end.startsWith(u"SIG"_s)) {
            QCOMPARE(editor.exitStatus(), QProcess::CrashExit); // ended by the signal, as asked
        }
        QCOMPARE(recoveryFiles().size(), 1);
        display = shared;
        environment.insert(u"DISPLAY"_s, shared);

        QTemporaryDir folder;
        const QString given = writeSampleSkin(folder, "velmora");
        QVERIFY(!given.isEmpty());
        QProcess again;
        const QString restarted = startEditor(again, {given});
        QVERIFY(!restarted.isEmpty());
        const QString offer = findWindow(u"^編集内容の復元$"_s);
        QVERIFY(!offer.isEmpty());
        QVERIFY(key(offer, u"y"_s));
        const QString replace = findWindow(u"^ファイルを開く$"_s);
        QVERIFY(!replace.isEmpty());
        QVERIFY(key(replace, u"n"_s));
        QTRY_VERIFY_WITH_TIMEOUT(findWindow(u"^ファイルを開く$"_s, false).isEmpty(), 20000);
        QVERIFY(!findWindow(u"^Velmora for WMP$"_s, false).isEmpty());
        QVERIFY(click(fieldCentre(0)));
        QVERIFY(key(restarted, u"ctrl+a ctrl+c"_s));
        QTRY_COMPARE_WITH_TIMEOUT(selection(u"clipboard"_s), u"unsaved title"_s, 10000);
        QVERIFY(leaveWithoutSaving(restarted, again));
        QVERIFY(recoveryFiles().isEmpty());
    }

    // A crash right after Yes to the offer leaves the work to offer again:
    // it is in the new run's file before the left-over one goes.
    void crashRightAfterRestoringKeepsWork()
    {
        QProcess editor;
        QVERIFY(!startEditor(editor).isEmpty());
        QVERIFY(locateClient(u"e2e_restore_crash.png"_s));
        QVERIFY(typeInto(fieldCentre(0), u"unsaved title"_s));
        QTRY_VERIFY_WITH_TIMEOUT(!recoveryFiles().isEmpty(), 20000);
        editor.kill();
        QVERIFY(editor.waitForFinished(20000));
        for (const bool crash : {true, false}) {
            QProcess again;
            const QString restarted = startEditor(again);
            QVERIFY(!restarted.isEmpty());
            const QString offer = findWindow(u"^編集内容の復元$"_s);
            QVERIFY(!offer.isEmpty());
            QVERIFY(key(offer, u"y"_s));
            QTRY_VERIFY_WITH_TIMEOUT(findWindow(u"^編集内容の復元$"_s, false).isEmpty(), 20000);
            if (crash) {
                again.kill(); // SIGKILL: nothing of the program's runs any more
                QVERIFY(again.waitForFinished(20000));
                QCOMPARE(recoveryFiles().size(), 1);
                continue;
            }
            QVERIFY(click(fieldCentre(0)));
            QVERIFY(key(restarted, u"ctrl+a ctrl+c"_s));
            QTRY_COMPARE_WITH_TIMEOUT(selection(u"clipboard"_s), u"unsaved title"_s, 10000);
            QVERIFY(leaveWithoutSaving(restarted, again));
        }
        QVERIFY(recoveryFiles().isEmpty());
    }

    // velmora SKIN.wms starts with the skin open: the caption names it, and
    // the preview, drawn from the panels, is the renderer's picture of the
    // file. A file the reader refuses leaves a new skin, the reader's message
    // over the window.
    // A large WMZ given at start unpacks behind a progress window, away from
    // the window's thread: SIGTERM while it runs stops it at its next piece,
    // its partial files and its folder go, and the program ends as asked (it
    // went on unpacking for 10-15 s, and a kill then left the folder).
    void sigtermStopsAnUnpack()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QList<TestArchive::Entry> entries{
            {"skin.wms", "<theme id=\"velmora\" title=\"big\">\r\n<view/>\r\n</theme>\r\n"}};
        for (int i = 0; i < 3; ++i) {
            QByteArray filler(90 << 20, Qt::Uninitialized);
            QRandomGenerator(quint32(i))
                .fillRange(reinterpret_cast<quint32 *>(filler.data()), filler.size() / 4);
            entries.append({"filler" + QByteArray::number(i) + ".bin", filler, 0100644, true});
        }
        const QString archive = folder.filePath(u"big.wmz"_s);
        QVERIFY(TestArchive::write(archive, entries));
        entries.clear();
        const QString target = folder.filePath(u"big"_s);

        QProcess editor;
        QVERIFY(!startEditor(editor, {archive}).isEmpty());
        const QString dialog = findWindow(u"^展開先のフォルダを選択$"_s);
        QVERIFY(!dialog.isEmpty());
        QVERIFY(answerFileDialog(dialog, target));
        // Under way: its first partial file is there.
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(target).entryList(QDir::Files | QDir::Hidden).isEmpty(),
                                 20000);
        screenshot(u"e2e_unpack_progress.png"_s);
        editor.terminate();
        QVERIFY(editor.waitForFinished(20000));
        QCOMPARE(editor.exitStatus(), QProcess::CrashExit); // ended by the signal, as asked
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(recoveryFiles().isEmpty());
    }

    void givenSkinOpensAtStart()
    {
        QTemporaryDir folder;
        const QString skin = writeSampleSkin(folder, "velmora");
        const QString foreign = writeSampleSkin(folder, "other");
        QVERIFY(!skin.isEmpty() && !foreign.isEmpty());

        QProcess editor;
        const QString window =
            startEditor(editor, {skin}, u"^Velmora for WMP - .*/velmora\\.wms$"_s);
        QVERIFY(!window.isEmpty());
        QVERIFY(locateClient(u"e2e_given_start.png"_s));
        QVERIFY(click(modeButtonCentre(6)));
        RecordingMessageSink messages;
        clsFileControl document(messages);
        QVERIFY(document.readFile(skin));
        QVERIFY2(waitFor([&] {
                     return showsPreviewOf(screenshot(u"e2e_given_preview.png"_s), document,
                                           u"e2e_given_expected.png"_s);
                 }),
                 "the preview of the given skin differs from the renderer's picture");
        editor.terminate();
        QVERIFY(editor.waitForFinished(20000));

        QProcess refused;
        QVERIFY(!startEditor(refused, {foreign}).isEmpty());
        const QString box = findWindow(u"^ファイルを開く$"_s);
        QVERIFY(!box.isEmpty());
        screenshot(u"e2e_given_refused.png"_s);
        QVERIFY(key(box, u"Return"_s));
        QTRY_VERIFY_WITH_TIMEOUT(findWindow(u"^ファイルを開く$"_s, false).isEmpty(), 20000);
        QVERIFY(!findWindow(u"^Velmora for WMP$"_s, false).isEmpty());
        refused.terminate();
        QVERIFY(refused.waitForFinished(20000));
    }

    // The background field's "・・" opens the chooser on the sample folder; a
    // click previews a picture, a double click chooses it, and the field
    // then holds its full path.
    void browseButtonChoosesASamplePicture()
    {
        QProcess editor;
        const QString window = startEditor(editor);
        QVERIFY(!window.isEmpty());

        // Command2(0) beside Text1(3) on the theme panel.
        QVERIFY(click(centreOf(plan().command2.at(0).value())));
        const QString chooser = findWindow(u"^ファイルを開く$"_s);
        QVERIFY(!chooser.isEmpty());
        const QImage before = settledScreenshot(u"e2e_chooser_open.png"_s);
        const QPoint at = windowPosition(chooser);
        // The first file of the list, background.bmp, in the file list's first row;
        // Picture1 inside the preview frame then shows the picture.
        QVERIFY(click(chooser, 53, 32));
        QVERIFY(waitFor([&] {
            const QImage preview = screenshot(u"e2e_chooser_preview.png"_s);
            return preview.size() == before.size() &&
                   changedPixels(before, preview, QRect(at + QPoint(205, 24), QSize(240, 170))) >
                       5000;
        }));

        QVERIFY(
            run(u"xdotool"_s, {u"mousemove"_s, u"--window"_s, chooser, u"53"_s, u"32"_s, u"click"_s,
                               u"--repeat"_s, u"2"_s, u"--delay"_s, u"80"_s, u"1"_s}));
        QTRY_VERIFY_WITH_TIMEOUT(findWindow(u"^ファイルを開く$"_s, false).isEmpty(), 10000);

        // Copy the field's text out through the clipboard.
        QVERIFY(click(fieldCentre(3)));
        QVERIFY(key(window, u"ctrl+a ctrl+c"_s));
        const QString sample = QFileInfo(bin).canonicalFilePath() + u"/sample/background.bmp"_s;
        QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(selection(u"clipboard"_s)).canonicalFilePath(), sample,
                                  20000);
        const QString copied = selection(u"clipboard"_s);
        QCOMPARE(copied, QFileInfo(copied).absoluteFilePath());

        // The chosen picture is unsaved work: leave without saving it.
        QVERIFY(leaveWithoutSaving(window, editor));
    }

    void missingPackageEndsWithoutWindow()
    {
        // A copy of the program without package/ beside it.
        QTemporaryDir folder;
        QVERIFY(QFile::copy(bin + u"/velmora"_s, folder.filePath(u"velmora"_s)));
        QVERIFY(QFile::setPermissions(folder.filePath(u"velmora"_s),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(folder.filePath(u"velmora"_s), {});
        QVERIFY(editor.waitForStarted());
        const QString box = findWindow(u"^起動中止$"_s);
        QVERIFY(!box.isEmpty());
        screenshot(u"e2e_startup_aborted.png"_s);
        QVERIFY(findWindow(u"^Velmora for WMP$"_s, false).isEmpty());

        QVERIFY(run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, box}));
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"Return"_s}));
        QVERIFY(editor.waitForFinished(20000));
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QVERIFY(editor.exitCode() != 0);
        const QString errors = QString::fromUtf8(editor.readAllStandardError());
        QVERIFY2(errors.contains(u"起動中止"_s) &&
                     errors.contains(u"ファイルが見つかりません。起動処理を中止します。"_s) &&
                     errors.contains(u"エラー:53"_s),
                 qPrintable(errors));
    }

    // Fill a skin from the sample pictures, save it through the real save
    // dialog, start a new one, open the saved one and save it again unchanged.
    void saveNewOpenRoundTrip()
    {
        QTemporaryDir out;
        QVERIFY(out.isValid());
        const QString sample = bin + u"/sample/"_s;
        QProcess editor;
        const QString window = startEditor(editor);
        QVERIFY(!window.isEmpty());
        QVERIFY(locateClient(u"e2e_save_start.png"_s));

        QVERIFY(click(modeButtonCentre(1)));
        for (const Typed &typed : kButtonFields) {
            const QString text = QString::fromLatin1(typed.text);
            QVERIFY(typeInto(fieldCentre(typed.field), typed.sample ? sample + text : text));
        }
        QVERIFY(click(modeButtonCentre(0)));
        QVERIFY(typeInto(fieldCentre(0), u"E2E/Skin"_s));
        QVERIFY(typeInto(fieldCentre(3), sample + u"background.bmp"_s));
        QVERIFY(click(modeButtonCentre(1)));
        const QImage filled = settledScreenshot(u"e2e_save_filled.png"_s);

        // ファイル(&F), 名前を付けて保存(&A); the dialog proposes a name in skins/.
        QVERIFY(chooseMenu(window, u"alt+f"_s, u"a"_s));
        const QString saveDialog = findWindow(u"^名前を付けてファイルを保存$"_s);
        QVERIFY(!saveDialog.isEmpty());
        screenshot(u"e2e_save_dialog.png"_s);
        QVERIFY(answerFileDialog(saveDialog, out.filePath(u"E2E.wms"_s)));
        const QString file = out.filePath(u"E2E.wms/E2E.wms"_s);
        const QString savedCaption =
            u"^Velmora for WMP - "_s + QRegularExpression::escape(file) + u'$';
        if (findWindow(savedCaption).isEmpty()) {
            screenshot(u"e2e_save_failed.png"_s);
            QFAIL("the caption does not name the saved file");
        }

        // The skin folder: the WMS text and the sample pictures, byte for byte.
        const QString text = AnsiText::decode(WmsFixtures::readBytes(file));
        for (const QString &expected :
             {u"<theme id=\"velmora\" title=\"E2E/Skin\""_s,
              u"backgroundimage=\"background.bmp\""_s, u"<playbutton top=\"10\" left=\"20\""_s,
              u"image=\"stop.gif\""_s, u"<closebutton top=\"50\" left=\"60\""_s}) {
            QVERIFY2(text.contains(expected), qPrintable(text));
        }
        QStringList images{u"background.bmp"_s};
        for (const Typed &typed : kButtonFields) {
            if (typed.sample) {
                images.append(QString::fromLatin1(typed.text));
            }
        }
        for (const QString &image : images) {
            QCOMPARE(WmsFixtures::readBytes(out.filePath(u"E2E.wms/"_s) + image),
                     WmsFixtures::readBytes(sample + image));
        }
        QCOMPARE(QDir(out.filePath(u"E2E.wms"_s)).count(), uint(images.size() + 3));

        // New, answered with the default Yes.
        QVERIFY(key(window, u"ctrl+n"_s));
        const QString question = findWindow(u"^新規作成$"_s);
        QVERIFY(!question.isEmpty());
        QVERIFY(key(question, u"Return"_s));
        QVERIFY(!findWindow(u"^Velmora for WMP$"_s).isEmpty());
        screenshot(u"e2e_new.png"_s);

        // Open the saved skin and confirm.
        QVERIFY(key(window, u"ctrl+o"_s));
        const QString openDialog = findWindow(u"^ファイルを開く$"_s);
        QVERIFY(!openDialog.isEmpty());
        QVERIFY(answerFileDialog(openDialog, file));
        QString confirm;
        QTRY_VERIFY_WITH_TIMEOUT(!(confirm = findWindow(u"^ファイルを開く$"_s, false)).isEmpty() &&
                                     confirm != openDialog,
                                 20000);
        QVERIFY(key(confirm, u"Return"_s));
        QVERIFY(!findWindow(savedCaption).isEmpty());

        // The positions show as typed, and a plain save of what was opened
        // writes the very same file.
        QVERIFY(waitFor([&] {
            const QImage opened = screenshot(u"e2e_opened.png"_s);
            return opened.size() == filled.size() &&
                   std::ranges::all_of(kButtonFields, [&](const Typed &typed) {
                       const QPoint centre = client + fieldCentre(typed.field);
                       return typed.sample ||
                              changedPixels(filled, opened,
                                            QRect(centre - QPoint(25, 7), QSize(50, 14))) == 0;
                   });
        }));
        const QByteArray saved = WmsFixtures::readBytes(file);
        QVERIFY(QFile::remove(file));
        QVERIFY(key(window, u"ctrl+s"_s));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(WmsFixtures::readBytes(file), saved, 20000);
        // The progress window shows after the files are written and closes by
        // itself, leaving the main window alone on the screen.
        QTRY_VERIFY_WITH_TIMEOUT(visibleWindows(editor.processId()).size() > 1, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(visibleWindows(editor.processId()), QStringList{window}, 20000);

        QVERIFY(chooseMenu(window, u"alt+f"_s, u"x"_s));
        QVERIFY(editor.waitForFinished(20000));
        QCOMPARE(editor.exitCode(), 0);
    }

    // Real keys: Tab and Shift+Tab walk the theme panel's fields in reading
    // order; Alt with a letter no menu takes stays out of a number field, and
    // one a menu takes still opens that menu.
    void keysReachWhatTheyShould()
    {
        QProcess editor;
        const QString window = startEditor(editor);
        QVERIFY(!window.isEmpty());
        QVERIFY(locateClient(u"e2e_keys_start.png"_s));
        const QStringList texts{u"first"_s, u"second"_s, u"third"_s};
        for (int i = 0; i < texts.size(); ++i) {
            QVERIFY(typeInto(fieldCentre(i), texts[i]));
        }
        QVERIFY(click(fieldCentre(0)));
        for (const auto &[keys, expected] : {std::pair{u"Tab"_s, texts[1]},
                                             {u"Tab"_s, texts[2]},
                                             {u"shift+Tab"_s, texts[1]},
                                             {u"shift+Tab"_s, texts[0]}}) {
            QVERIFY(key(window, keys));
            QVERIFY(key(window, u"ctrl+a ctrl+c"_s));
            QTRY_COMPARE_WITH_TIMEOUT(selection(u"clipboard"_s), expected, 10000);
        }

        QVERIFY(click(modeButtonCentre(1)));
        QVERIFY(typeInto(fieldCentre(7), u"5"_s));
        QVERIFY(key(window, u"alt+a alt+z"_s));
        // Keys cannot copy out of a number field; a double click selects its text.
        QVERIFY(doubleClick(fieldCentre(7)));
        QTRY_COMPARE_WITH_TIMEOUT(selection(u"primary"_s), u"5"_s, 10000);
        screenshot(u"e2e_keys_number.png"_s);

        // From the number field, Alt+F opens ファイル(&F) and X leaves; the typed
        // fields are unsaved work, left without saving.
        QVERIFY(leaveWithoutSaving(window, editor));
    }

private:
    // Waits for a state the editor reaches by itself, checking it again and
    // again as QTRY_VERIFY does; false when it is not reached in time.
    template <typename State> static bool waitFor(State state, int timeoutMs = 20000)
    {
        return QTest::qWaitFor(state, timeoutMs);
    }

    // A screenshot taken once the screen has stopped changing: two in a row alike.
    QImage settledScreenshot(const QString &fileName)
    {
        QImage previous;
        QImage shot;
        waitFor([&] {
            previous = std::exchange(shot, screenshot(fileName));
            return !shot.isNull() && shot == previous;
        });
        return shot;
    }

    // ファイル(&F), Velmoraの終了(&X) with unsaved work, answered No: the
    // editor ends without saving, and cleanly.
    // A display of the tests' own; its name, or empty when it did not start.
    // Xvfb picks a free display and writes its number to the given
    // descriptor. -noreset: the server would otherwise reset whenever its
    // last client leaves (an editor ending between two tests, a short xdotool
    // call) and refuse the next editor's connection while it does.
    static QString startDisplay(QProcess &server)
    {
        server.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s,
                                 u"-nolisten"_s, u"tcp"_s, u"-noreset"_s});
        if (!server.waitForStarted() || !waitFor([&] { return server.canReadLine(); })) {
            return {};
        }
        return u":"_s + QString::fromLatin1(server.readLine()).trimmed();
    }

    bool leaveWithoutSaving(const QString &window, QProcess &editor)
    {
        if (!chooseMenu(window, u"alt+f"_s, u"x"_s)) {
            return false;
        }
        const QString question = findWindow(u"^Velmoraの終了$"_s);
        return !question.isEmpty() && key(question, u"n"_s) && editor.waitForFinished(20000) &&
               editor.exitStatus() == QProcess::NormalExit && editor.exitCode() == 0;
    }

    QStringList recoveryFiles() const
    {
        QStringList paths;
        QDirIterator found(dataHome.path(), {u"recovery-*.json"_s}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (found.hasNext()) {
            paths.append(found.next());
        }
        return paths;
    }

    // The X selection ("clipboard" or "primary") as text.
    QString selection(const QString &which)
    {
        QString text;
        run(u"xclip"_s, {u"-o"_s, u"-selection"_s, which}, &text);
        return text;
    }

    // keys: one or more xdotool key names, separated by blanks.
    bool key(const QString &window, const QString &keys)
    {
        return run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, window}) &&
               run(u"xdotool"_s, QStringList{u"key"_s, u"--clearmodifiers"_s} + keys.split(u' '));
    }

    // The program's mapped windows (the root window has no class name).
    QStringList visibleWindows(qint64 pid)
    {
        QString ids;
        run(u"xdotool"_s,
            {u"search"_s, u"--onlyvisible"_s, u"--pid"_s, QString::number(pid), u"--classname"_s,
             u"."_s},
            &ids);
        return ids.split(u'\n', Qt::SkipEmptyParts);
    }

    // The file dialog's name box has the focus: replace its text and accept.
    // The name box's completer may still be showing its list when Return
    // arrives and take that key for itself, so Return is pressed again while
    // the dialog stays on the screen.
    bool answerFileDialog(const QString &dialog, const QString &path,
                          const QString &shot = QString())
    {
        if (!key(dialog, u"ctrl+a"_s) ||
            !run(u"xdotool"_s, {u"type"_s, u"--delay"_s, u"5"_s, path})) {
            return false;
        }
        if (!shot.isEmpty()) {
            screenshot(shot);
        }
        for (int attempt = 0; attempt < 3 && isViewable(dialog); ++attempt) {
            if (!run(u"xdotool"_s, {u"key"_s, u"Return"_s})) {
                return false;
            }
            waitFor([&] { return !isViewable(dialog); }, 3000);
        }
        return !isViewable(dialog);
    }

    bool isViewable(const QString &window)
    {
        QString state;
        return run(u"xwininfo"_s, {u"-id"_s, window}, &state) && state.contains(u"IsViewable"_s);
    }

    bool run(const QString &program, const QStringList &arguments, QString *output = nullptr)
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            return false;
        }
        if (output) {
            *output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
        }
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    // Starts the editor and waits for its first paint, the selected first
    // mode button on the screen; the id of its window with that caption,
    // empty when none appears.
    // A complete skin of sample pictures in folder, its theme's id given
    // (the editor opens only its own); the file's path, or none.
    QString writeSampleSkin(const QTemporaryDir &folder, const QByteArray &id) const
    {
        for (const QString &name :
             {u"background.bmp"_s, u"play.bmp"_s, u"stop.gif"_s, u"close.gif"_s}) {
            if (!QFileInfo::exists(folder.filePath(name)) &&
                !QFile::copy(bin + u"/sample/"_s + name, folder.filePath(name))) {
                return {};
            }
        }
        const QString path = folder.filePath(QString::fromLatin1(id) + u".wms"_s);
        const QByteArray theme = "<theme id=\"" + id + "\" title=\"given\">";
        const bool written = WmsFixtures::writeBytes(
            path, WmsFixtures::crlfLines(
                      {theme.constData(),
                       "<view titlebar=\"False\" backgroundimage=\"background.bmp\" "
                       "transparencycolor=\"#FF0000\">",
                       "<playbutton top=\"12\" left=\"34\" transparencycolor=\"#FF0000\" "
                       "image=\"play.bmp\"/>",
                       // Complete: the check marks nothing over the picture.
                       "<stopbutton top=\"40\" left=\"30\" transparencycolor=\"#FF0000\" "
                       "image=\"stop.gif\"/>",
                       "<closebutton top=\"60\" left=\"50\" transparencycolor=\"#FF0000\" "
                       "image=\"close.gif\"/>",
                       "</view>", "</theme>"}));
        return written ? path : QString();
    }

    QString startEditor(QProcess &editor, const QStringList &arguments = {},
                        const QString &caption = u"^Velmora for WMP$"_s)
    {
        editor.setProcessEnvironment(environment);
        editor.start(bin + u"/velmora"_s, arguments);
        if (!editor.waitForStarted()) {
            return {};
        }
        const QString window = findWindow(caption);
        if (window.isEmpty() || !waitFor([this] { return locateClient(u"e2e_painted.png"_s); })) {
            return {};
        }
        return window;
    }

    bool click(QPoint inClient)
    {
        const QPoint at = client + inClient;
        return run(u"xdotool"_s, {u"mousemove"_s, QString::number(at.x()), QString::number(at.y()),
                                  u"click"_s, u"1"_s});
    }

    // A double click selects a field's text, as keys cannot in a number field.
    bool doubleClick(QPoint inClient)
    {
        const QPoint at = client + inClient;
        return run(u"xdotool"_s,
                   {u"mousemove"_s, QString::number(at.x()), QString::number(at.y()), u"click"_s,
                    u"--repeat"_s, u"2"_s, u"--delay"_s, u"80"_s, u"1"_s});
    }

    bool typeInto(QPoint field, const QString &text)
    {
        return click(field) && run(u"xdotool"_s, {u"type"_s, u"--delay"_s, u"5"_s, text});
    }

    // Whether the preview canvas in the screenshot shows what the renderer
    // draws of the document (kept as an artefact); also false when the canvas
    // is not where the layout puts it.
    bool showsPreviewOf(const QImage &shown, clsFileControl &document, const QString &artifact)
    {
        const QImage expected =
            Preview::renderPreview(document, Preview::PanelState::fromDocument(document)).canvas;
        expected.save(artifacts + u'/' + artifact);
        return !expected.isNull() &&
               shown.rect().contains(QRect(client + kPanel + kCanvas, expected.size())) &&
               samePixels(shown, client + kPanel + kCanvas, expected);
    }

    // The selected first mode button locates the window's client area.
    bool locateClient(const QString &shot)
    {
        const QPoint button = find(screenshot(shot), QImage(bin + u"/package/edit_1g.jpg"_s));
        client = button - kModeButton0;
        return button.x() >= 0;
    }

    // Opens a menu of the window by its access key and, once the menu's own
    // window shows, picks an entry by its key.
    bool chooseMenu(const QString &window, const QString &menu, const QString &entry)
    {
        QString pid;
        if (!run(u"xdotool"_s, {u"getwindowpid"_s, window}, &pid)) {
            return false;
        }
        const qsizetype shown = visibleWindows(pid.toLongLong()).size();
        if (!run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, window}) ||
            !run(u"xdotool"_s, {u"key"_s, u"--clearmodifiers"_s, menu})) {
            return false;
        }
        return waitFor([&] { return visibleWindows(pid.toLongLong()).size() > shown; }) &&
               run(u"xdotool"_s, {u"key"_s, entry});
    }

    bool click(const QString &window, int x, int y)
    {
        return run(u"xdotool"_s, {u"mousemove"_s, u"--window"_s, window, QString::number(x),
                                  QString::number(y), u"click"_s, u"1"_s});
    }

    // Where a window's client area lies on the screen.
    QPoint windowPosition(const QString &window)
    {
        QString shell;
        run(u"xdotool"_s, {u"getwindowgeometry"_s, u"--shell"_s, window}, &shell);
        QPoint at;
        for (const QString &line : shell.split(u'\n')) {
            if (line.startsWith(u"X="_s)) {
                at.setX(line.mid(2).toInt());
            } else if (line.startsWith(u"Y="_s)) {
                at.setY(line.mid(2).toInt());
            }
        }
        return at;
    }

    // The first mapped window with this name; with sync, waits for one. The
    // search is asked again rather than left to block: xdotool can give up
    // with an X error when another window goes away while it walks the tree
    // (a dialog closing as the next window opens).
    QString findWindow(const QString &name, bool sync = true)
    {
        QString found;
        const auto search = [&] {
            QString ids;
            run(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, name}, &ids);
            found = ids.section(u'\n', 0, 0);
            return !found.isEmpty();
        };
        if (!search() && sync) {
            waitFor(search);
        }
        return found;
    }

    QImage screenshot(const QString &fileName)
    {
        const QString path = artifacts + u'/' + fileName;
        if (!run(u"import"_s, {u"-window"_s, u"root"_s, path})) {
            return {};
        }
        return QImage(path);
    }

    QProcess xvfb;
    QPoint client; // the editor's client area on the screen
    QString display;
    QString bin;
    QString artifacts;
    QProcessEnvironment environment;
    QTemporaryDir dataHome;
};

QTEST_GUILESS_MAIN(tst_E2eEditor)
#include "tst_e2e_editor.moc"
