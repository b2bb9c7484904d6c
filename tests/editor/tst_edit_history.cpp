// The one edit history: every kind of edit a person makes is one step that
// undo takes back exactly and redo brings again, with nothing else touched;
// the Edit menu names the step; loading is no edit; Save marks the clean
// point that the leave question follows.
#include "../packaging/SkinFolder.h"
#include "EditorFixture.h"
#include "PreviewPictures.h"
#include "ScriptedDialogs.h"
#include "document/SectionTable.h"
#include "editor/history/Recovery.h"
#include "editor/panels/LayoutTables.h"
#include "editor/widgets/PictureBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStandardPaths>

using namespace Qt::StringLiterals;
using namespace PreviewPictures;

namespace {

enum class Edit { Typed, Check1, Check2, Option1, Combo1, Colour, Chooser, Drop, Drag, Arrows };
enum class Then { Undo, Redo, LaterEditSurvives };

const Sections::Section &kPlay = Sections::sectionFor(Slot::PlayButton);

// Everything a person can see of the panels: each control's value, whether
// it takes input and its back colour (the greyed look).
QStringList shown(const QWidget &panels)
{
    QStringList all;
    for (const QWidget *w : panels.findChildren<QWidget *>()) {
        QString value;
        if (const auto *field = qobject_cast<const QLineEdit *>(w)) {
            value = field->text();
        } else if (const auto *box = qobject_cast<const QAbstractButton *>(w);
                   box && box->isCheckable()) {
            value = box->isChecked() ? u"on"_s : u"off"_s;
        } else if (const auto *list = qobject_cast<const QComboBox *>(w)) {
            value = QString::number(list->currentIndex());
        } else if (!qobject_cast<const QLabel *>(w) && !qobject_cast<const QGroupBox *>(w)) {
            continue;
        }
        all.append(u"%1=%2 %3 %4"_s.arg(w->objectName(), value)
                       .arg(w->isEnabled())
                       .arg(WidgetColors::backColor(w).name()));
    }
    return all;
}

} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Then)

class tst_EditHistory : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Recovery files go to a folder of the tests' own.
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(pictures.isValid());
        QVERIFY(writeSharedPictures(pictures));
    }
    void init()
    {
        for (const QString &path : recoveryFiles()) {
            QFile::remove(path); // what a failed run of these tests left
        }
        editor = std::make_unique<StartedEditor>();
        window = &editor->window;
        hooks(*window).setDialogProvider(dialogs);
        QVERIFY(window->Form_Load());
        text(Sections::kView.image.text)->setText(pictures.filePath(u"back.bmp"_s));
        text(kPlay.image.text)->setText(pictures.filePath(u"play.gif"_s));
        text(kPlay.left)->setText(u"100"_s);
        text(kPlay.top)->setText(u"20"_s);
        history().clear(); // the skin as set up here is where the history starts
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void cleanup()
    {
        editor.reset();
        dialogs = ScriptedDialogs();
    }

    void everyEditIsOneStep_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<Then>("then");
        const std::pair<const char *, Edit> edits[] = {
            {"typed", Edit::Typed},     {"Check1", Edit::Check1}, {"Check2", Edit::Check2},
            {"Option1", Edit::Option1}, {"Combo1", Edit::Combo1}, {"colour", Edit::Colour},
            {"chooser", Edit::Chooser}, {"drop", Edit::Drop},     {"drag", Edit::Drag},
            {"arrows", Edit::Arrows},
        };
        const std::pair<const char *, Then> thens[] = {
            {"undo", Then::Undo}, {"redo", Then::Redo}, {"later edit", Then::LaterEditSurvives}};
        for (const auto &[editName, edit] : edits) {
            for (const auto &[thenName, then] : thens) {
                QTest::addRow("%s, %s", editName, thenName) << edit << then;
            }
        }
    }
    void everyEditIsOneStep()
    {
        QFETCH(Edit, edit);
        QFETCH(Then, then);
        arrange(edit);
        const QStringList before = shown(*window->centralWidget());
        perform(edit);
        const QStringList after = shown(*window->centralWidget());
        QVERIFY(after != before);
        QCOMPARE(history().count(), 1);
        switch (then) {
        case Then::Undo:
            undo();
            QCOMPARE(shown(*window->centralWidget()), before);
            break;
        case Then::Redo:
            undo();
            QCOMPARE(shown(*window->centralWidget()), before);
            redo();
            QCOMPARE(shown(*window->centralWidget()), after);
            break;
        case Then::LaterEditSurvives: {
            type(Sections::kTheme, Sections::kTheme.title, u"later"_s);
            const QStringList later = shown(*window->centralWidget());
            undo();
            QCOMPARE(shown(*window->centralWidget()), after);
            undo();
            QCOMPARE(shown(*window->centralWidget()), before);
            redo();
            redo();
            QCOMPARE(shown(*window->centralWidget()), later);
            break;
        }
        }
    }

    void editMenuNamesTheStep()
    {
        QStringList menus;
        for (const QAction *menu : window->menuBar()->actions()) {
            menus.append(menu->text());
        }
        QCOMPARE(menus,
                 (QStringList{u"ファイル(&F)"_s, u"編集(&E)"_s, u"表示(&V)"_s, u"ヘルプ(&H)"_s}));
        QCOMPARE(window->menuBar()->actions().at(1)->menu(), hooks(*window).mnuEdit());
        QAction *undoAction = hooks(*window).mnuEditUndo();
        QAction *redoAction = hooks(*window).mnuEditRedo();
        QCOMPARE(undoAction->shortcuts(), QList<QKeySequence>{QKeySequence(u"Ctrl+Z"_s)});
        QCOMPARE(redoAction->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(u"Ctrl+Y"_s), QKeySequence(u"Ctrl+Shift+Z"_s)}));
        const auto verifyMenu = [&](const QString &undoText, const QString &redoText) {
            QCOMPARE(undoAction->text(), undoText);
            QCOMPARE(undoAction->isEnabled(), undoText.contains(u':'));
            QCOMPARE(redoAction->text(), redoText);
            QCOMPARE(redoAction->isEnabled(), redoText.contains(u':'));
        };
        verifyMenu(u"元に戻す(&U)"_s, u"やり直し(&R)"_s);
        type(kPlay, kPlay.left, u"7"_s);
        verifyMenu(u"元に戻す: PLAYボタンのLEFTの変更(&U)"_s, u"やり直し(&R)"_s);
        hooks(*window).Check2(Sections::kVideo.check2)->click();
        verifyMenu(u"元に戻す: ビデオ＆エフェクトのチェックの変更(&U)"_s, u"やり直し(&R)"_s);
        undo();
        verifyMenu(u"元に戻す: PLAYボタンのLEFTの変更(&U)"_s,
                   u"やり直し: ビデオ＆エフェクトのチェックの変更(&R)"_s);
    }

    // Typing in one field is one step until the field is left or Enter is
    // pressed; typing that ends where it began is none.
    void typingMergesPerField_data()
    {
        QTest::addColumn<QList<QKeyCombination>>("keys");
        QTest::addColumn<int>("steps");
        using K = QKeyCombination;
        QTest::newRow("one run") << QList<K>{K(Qt::Key_1), K(Qt::Key_2), K(Qt::Key_3)} << 1;
        QTest::newRow("Enter ends it")
            << QList<K>{K(Qt::Key_1), K(Qt::Key_Return), K(Qt::Key_2)} << 2;
        QTest::newRow("back where it began")
            << QList<K>{K(Qt::Key_End), K(Qt::Key_5), K(Qt::Key_Backspace)} << 0;
    }
    void typingMergesPerField()
    {
        QFETCH(QList<QKeyCombination>, keys);
        QFETCH(int, steps);
        QLineEdit *field = text(kPlay.left);
        hooks(*window).imgMenu(kPlay.panel)->click();
        field->setFocus(Qt::TabFocusReason);
        for (const QKeyCombination key : keys) {
            QTest::keyClick(field, key.key(), key.keyboardModifiers());
        }
        QCOMPARE(history().count(), steps);
    }

    // Ctrl+Z in the field being typed in takes the typing back as a whole,
    // through the history; Ctrl+Y brings it again.
    void undoKeysInAFieldUseTheHistory()
    {
        type(kPlay, kPlay.top, u"45"_s);
        QLineEdit *field = text(kPlay.left);
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(field, u"123"_s);
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(field->text(), u"100"_s);
        QCOMPARE(text(kPlay.top)->text(), u"45"_s);
        QTest::keyClick(field, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(field->text(), u"123"_s);
        // With nothing left to undo the field's own undo does not step in.
        history().setIndex(0);
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(field->text(), u"100"_s);
    }

    // Undo brings the changed field's panel forward with the field selected.
    void undoShowsWhatChanged()
    {
        type(kPlay, kPlay.left, u"300"_s);
        hooks(*window).imgMenu(0)->click();
        undo();
        QVERIFY(hooks(*window).picture2(kPlay.panel)->isVisible());
        QVERIFY(!hooks(*window).picture2(0)->isVisible());
        QCOMPARE(QApplication::focusWidget(), text(kPlay.left));
        QCOMPARE(text(kPlay.left)->selectedText(), u"100"_s);
    }

    // The leave question is asked exactly when the skin differs from the
    // last save: undoing back to it leaves nothing to save.
    void leaveQuestionFollowsTheCleanPoint()
    {
        QTemporaryDir target;
        saveAs(target.filePath(u"skin.wms"_s));
        editor->messages.clear();
        const auto asksOnLeaving = [this] {
            editor->messages.choices = {Answer::Cancel};
            const qsizetype asked = editor->messages.messages.size();
            window->close();
            return editor->messages.messages.size() > asked;
        };
        QVERIFY(!asksOnLeaving());
        window->show();
        type(kPlay, kPlay.left, u"9"_s);
        QVERIFY(asksOnLeaving());
        undo();
        QVERIFY(!asksOnLeaving());
    }

    // A list value no entry shows (font size 7) is the skin's value while
    // the list shows nothing: a pick, a preview and an undo bring it back,
    // and Save writes it (it wrote the picked size once the preview had
    // drawn it).
    void listValueNoEntryShowsSurvives()
    {
        QTemporaryDir target;
        const Sections::Section &track = Sections::kTrackName;
        hooks(*window).imgMenu(track.panel)->click();
        hooks(*window).Check2(track.check2)->click();
        for (const qint16 field : Sections::numberFields(track)) {
            text(field)->setText(u"5"_s);
        }
        saveAs(target.filePath(u"skin.wms"_s));
        const QString skin = hooks(*window).currentFileName(); // in the skin's own folder
        QByteArray bytes = SkinFolder::readFile(skin);
        QVERIFY2(bytes.contains("fontsize=\"10\""), bytes.constData());
        QVERIFY(SkinFolder::writeFile(skin, bytes.replace("fontsize=\"10\"", "fontsize=\"7\"")));
        dialogs.fileAnswers = {skin};
        editor->messages.answers = {true};
        hooks(*window).mnuFileOpen()->trigger();
        QCOMPARE(hooks(*window).Combo1(track.fontSize)->currentIndex(), -1);

        hooks(*window).imgMenu(track.panel)->click();
        QComboBox *sizes = hooks(*window).Combo1(track.fontSize);
        sizes->setFocus();
        QTest::keyClick(sizes, Qt::Key_Down);
        QVERIFY(sizes->currentIndex() >= 0);
        hooks(*window).imgMenu(6)->click(); // the preview draws the skin as it is now
        QVERIFY(hooks(*window).picture2(6)->isVisible());
        undo();
        QCOMPARE(sizes->currentIndex(), -1);
        hooks(*window).mnuFileSave()->trigger();
        QVERIFY2(SkinFolder::readFile(skin).contains("fontsize=\"7\""),
                 SkinFolder::readFile(skin).constData());

        // Work kept after a sudden end holds it too, and puts it back.
        type(Sections::kTheme, Sections::kTheme.title, u"unsaved"_s);
        QVERIFY(Recovery::current() && Recovery::current()->writeNow());
        const QByteArray kept = SkinFolder::readFile(recoveryFiles().constFirst());
        editor.reset();
        QVERIFY(!writeLeftOver(kept).isEmpty());
        editor = std::make_unique<StartedEditor>();
        window = &editor->window;
        hooks(*window).setDialogProvider(dialogs);
        QVERIFY(window->Form_Load());
        editor->messages.answers = {true};
        QVERIFY(window->offerRecovery());
        QCOMPARE(hooks(*window).Combo1(track.fontSize)->currentIndex(), -1);
        hooks(*window).mnuFileSave()->trigger();
        const QByteArray saved = SkinFolder::readFile(skin);
        QVERIFY2(saved.contains("fontsize=\"7\"") && saved.contains("unsaved"), saved.constData());
    }

    // The recovery file is there while something is unsaved, and only then.
    // Loading is no edit: New and Open also start an empty, clean history.
    void recoveryFollowsUnsavedWork_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<bool>("kept");
        for (const char *then : {"nothing", "save", "undo", "new", "open", "end"}) {
            QTest::newRow(then) << QString::fromLatin1(then) << (qstrcmp(then, "nothing") == 0);
        }
    }
    void recoveryFollowsUnsavedWork()
    {
        QFETCH(QString, then);
        QFETCH(bool, kept);
        QTemporaryDir target;
        saveAs(target.filePath(u"skin.wms"_s));
        const QString saved = hooks(*window).currentFileName();
        type(Sections::kTheme, Sections::kTheme.title, u"unsaved"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!recoveryFiles().isEmpty(), 10000);
        if (then == u"save"_s) {
            hooks(*window).mnuFileSave()->trigger();
        } else if (then == u"undo"_s) {
            undo();
        } else if (then == u"new"_s) {
            hooks(*window).mnuFileNew()->trigger();
        } else if (then == u"open"_s) {
            dialogs.fileAnswers = {saved};
            hooks(*window).mnuFileOpen()->trigger();
        } else if (then == u"end"_s) {
            editor.reset();
            QVERIFY(recoveryFiles().isEmpty());
            return;
        }
        QCOMPARE(!recoveryFiles().isEmpty(), kept);
        if (then == u"new"_s || then == u"open"_s) {
            QCOMPARE(history().count(), 0);
            QVERIFY(!hooks(*window).mnuEditUndo()->isEnabled());
        }
    }

    // What a run ended from outside left is offered at the next start: Yes
    // puts it back, unsaved, with no undo behind it (to panels of no file);
    // No drops it. A run still going keeps its own; a run is known by more
    // than its process number, which the system hands out again.
    void leftOverWorkIsOffered_data()
    {
        QTest::addColumn<QString>("number"); // whose process number the file carries
        QTest::addColumn<bool>("yes");
        QTest::newRow("ended, yes") << u"ended"_s << true;
        QTest::newRow("ended, no") << u"ended"_s << false;
        QTest::newRow("now another process's") << u"another"_s << true;
        QTest::newRow("this process's, from an earlier start") << u"this"_s << true;
    }
    void leftOverWorkIsOffered()
    {
        QFETCH(QString, number);
        QFETCH(bool, yes);
        type(Sections::kTheme, Sections::kTheme.title, u"left over"_s);
        hooks(*window).Check2(Sections::kVideo.check2)->click();
        QTRY_VERIFY_WITH_TIMEOUT(!recoveryFiles().isEmpty(), 10000);
        const QStringList shownBefore = shown(*window->centralWidget());
        window->offerRecovery(); // its own run goes on: nothing to offer
        QVERIFY(editor->messages.messages.isEmpty());
        // The run ends as a killed one does, its file left behind.
        QProcess other;
        other.start(number == u"ended"_s ? u"true"_s : u"sleep"_s, {u"60"_s});
        QVERIFY(other.waitForStarted());
        const auto stop = qScopeGuard([&] { other.kill(), other.waitForFinished(); });
        const qint64 pid =
            number == u"this"_s ? QCoreApplication::applicationPid() : other.processId();
        QVERIFY(number != u"ended"_s || other.waitForFinished());
        QFile leftOver(recoveryFiles().constFirst());
        QVERIFY(leftOver.open(QIODevice::ReadWrite));
        QJsonObject record = QJsonDocument::fromJson(leftOver.readAll()).object();
        if (number == u"this"_s) {
            record.insert(u"run"_s, u"an earlier start"_s);
        }
        QVERIFY(leftOver.resize(0) && leftOver.write(QJsonDocument(record).toJson()) > 0);
        leftOver.close();
        QVERIFY(
            leftOver.rename(QFileInfo(leftOver).dir().filePath(u"recovery-%1.json"_s.arg(pid))));
        editor = std::make_unique<StartedEditor>();
        window = &editor->window;
        QVERIFY(window->Form_Load());
        editor->messages.answers = {yes};
        window->offerRecovery();
        QCOMPARE(editor->messages.messages.size(), 1);
        QCOMPARE(shown(*window->centralWidget()) == shownBefore, yes);
        QCOMPARE(history().isClean(), !yes);
        QCOMPARE(history().count(), 0);
        if (!yes) {
            QVERIFY(recoveryFiles().isEmpty());
        }
    }

    // A recovery file is judged before it is offered. One that is no record
    // of this program's (garbage, other JSON, nothing) is set aside under a
    // name of its own, its bytes kept, with a message. A record is offered
    // with the skin file it names and when it was kept; that name is kept
    // only for a .wms file a save could have written (one not there yet, or
    // a skin), so a name of any other file never receives a save. Yes writes
    // this run's file before the left-over one goes.
    void leftOverFilesAreJudged_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // of a file that is no record
        QTest::addColumn<QString>("file");     // a record's "file", in the test's folder
        QTest::addColumn<bool>("named");       // the restored work goes on under it
        const QByteArray record;
        QTest::newRow("names victim/notes.txt") << record << u"victim/notes.txt"_s << false;
        QTest::newRow("names a .wms not there") << record << u"fresh.wms"_s << true;
        QTest::newRow("names a .wms that is no skin") << record << u"other/skin.wms"_s << false;
        QTest::newRow("names a saved skin") << record << u"saved"_s << true;
        QTest::newRow("garbage") << QByteArray("\x89\x00\xffnot json {", 13) << QString() << false;
        QTest::newRow("[1,2,3]") << QByteArray("[1,2,3]") << QString() << false;
        QTest::newRow("empty") << QByteArray() << QString() << false;
    }
    void leftOverFilesAreJudged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, file);
        QFETCH(bool, named);
        QTemporaryDir place;
        QVERIFY(QDir(place.path()).mkpath(u"victim"_s) && QDir(place.path()).mkpath(u"other"_s));
        const QByteArray notes = "the user's own notes\n";
        QVERIFY(SkinFolder::writeFile(place.filePath(u"victim/notes.txt"_s), notes));
        QVERIFY(SkinFolder::writeFile(place.filePath(u"other/skin.wms"_s), notes));
        // The work of a run: a whole skin, changed after its save, written
        // as this program writes it.
        saveAs(place.filePath(u"saved.wms"_s));
        const QString saved = hooks(*window).currentFileName();
        type(Sections::kTheme, Sections::kTheme.title, u"restored"_s);
        QVERIFY(Recovery::current() && Recovery::current()->writeNow());
        QJsonObject record = readRecord(recoveryFiles().constFirst());
        const QString skin = file == u"saved"_s ? saved : place.filePath(file);
        if (!file.isEmpty()) {
            record.insert(u"file"_s, skin);
            bytes = QJsonDocument(record).toJson();
        }
        editor.reset();
        QVERIFY(recoveryFiles().isEmpty());
        const QString leftOver = writeLeftOver(bytes);
        QVERIFY(!leftOver.isEmpty());
        const QDateTime kept = QFileInfo(leftOver).lastModified();

        editor = std::make_unique<StartedEditor>();
        window = &editor->window;
        hooks(*window).setDialogProvider(dialogs);
        QVERIFY(window->Form_Load());
        const bool restored = window->offerRecovery();

        QCOMPARE(restored, !file.isEmpty());
        QCOMPARE(editor->messages.messages.size(), 1);
        const RecordingMessageSink::Message &said = editor->messages.last();
        QCOMPARE(said.title, u"編集内容の復元"_s);
        QVERIFY(!QFile::exists(leftOver));
        if (!restored) {
            QVERIFY(!said.question);
            const QFileInfoList aside =
                QFileInfo(leftOver).dir().entryInfoList({QFileInfo(leftOver).fileName() + u"?*"_s});
            QCOMPARE(aside.size(), 1);
            QVERIFY2(said.text.contains(aside.constFirst().filePath()), qPrintable(said.text));
            QCOMPARE(SkinFolder::readFile(aside.constFirst().filePath()), bytes);
            QVERIFY(recoveryFiles().isEmpty());
            QVERIFY(history().isClean());
            QVERIFY(hooks(*window).currentFileName().isEmpty());
            return;
        }
        QVERIFY(said.question);
        QVERIFY2(said.text.contains(named ? skin : u"新規スキン"_s), qPrintable(said.text));
        QVERIFY2(
            said.text.contains(
                QLocale(QLocale::Japanese, QLocale::Japan).toString(kept, QLocale::ShortFormat)),
            qPrintable(said.text));
        // Before any timer: the work is in this run's own file, under the name it keeps.
        QCOMPARE(recoveryFiles().size(), 1);
        const QJsonObject own = readRecord(recoveryFiles().constFirst());
        QCOMPARE(own.value(u"values"_s), record.value(u"values"_s));
        QCOMPARE(own.value(u"file"_s).toString(), named ? skin : QString());
        QCOMPARE(hooks(*window).currentFileName(), named ? skin : QString());

        dialogs.requests.clear();
        hooks(*window).mnuFileSave()->trigger(); // the Save As dialog is cancelled
        const bool askedWhere = !dialogs.requests.isEmpty() &&
                                dialogs.requests.constLast().kind == ScriptedDialogs::Kind::Save;
        QCOMPARE(askedWhere, !named);
        QCOMPARE(SkinFolder::readFile(place.filePath(u"victim/notes.txt"_s)), notes);
        QCOMPARE(SkinFolder::readFile(place.filePath(u"other/skin.wms"_s)), notes);
        QCOMPARE(history().isClean(), named);
    }

private:
    QUndoStack &history() { return historyOf(*window); }

    static QJsonObject readRecord(const QString &path)
    {
        return QJsonDocument::fromJson(SkinFolder::readFile(path)).object();
    }
    // A recovery file as a run that has ended left it; its path.
    static QString writeLeftOver(const QByteArray &bytes)
    {
        QProcess ended;
        ended.start(u"true"_s, {});
        const qint64 pid = ended.waitForStarted() ? ended.processId() : 0;
        if (pid <= 0 || !ended.waitForFinished()) {
            return {};
        }
        const QDir folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        const QString path = folder.filePath(u"recovery-%1.json"_s.arg(pid));
        return folder.mkpath(u"."_s) && SkinFolder::writeFile(path, bytes) ? path : QString();
    }
    static QStringList recoveryFiles()
    {
        const QDir folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QStringList paths;
        for (const QString &name : folder.entryList({u"recovery-*.json"_s}, QDir::Files)) {
            paths.append(folder.filePath(name));
        }
        return paths;
    }

    // The buttons every skin has get pictures and places, and the skin is saved.
    void saveAs(const QString &path)
    {
        for (const Sections::Section &s : Sections::kSections) {
            if (s.family() == ElementFamily::Button && s.check2 == Sections::kNone &&
                text(s.image.text)->text().isEmpty()) {
                text(s.image.text)->setText(pictures.filePath(u"stop.bmp"_s));
                text(s.left)->setText(u"1"_s);
                text(s.top)->setText(u"1"_s);
            }
        }
        dialogs.fileAnswers = {path};
        hooks(*window).mnuFileAnotherSave()->trigger();
        QVERIFY(QFileInfo::exists(hooks(*window).currentFileName()));
    }
    QLineEdit *text(qint16 index) { return hooks(*window).Text1(index); }

    // Keys to the window's focus, as a person presses them; a modal window
    // that closed may have left the window inactive, as a window manager would not.
    void press(QKeyCombination key)
    {
        if (QApplication::activeWindow() != window) {
            window->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), window);
        }
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
    }
    void undo() { press(Qt::ControlModifier | Qt::Key_Z); }
    void redo() { press(Qt::ControlModifier | Qt::Key_Y); }

    // Tabbing into a field selects its text; Tab out ends the typing.
    void type(const Sections::Section &section, qint16 field, const QString &keys)
    {
        hooks(*window).imgMenu(section.panel)->click();
        text(field)->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(text(field), keys);
        QTest::keyClick(text(field), Qt::Key_Tab);
    }

    // What an edit needs before it: the track name switched on for its
    // list, the preview shown for the canvas.
    void arrange(Edit edit)
    {
        if (edit == Edit::Combo1) {
            hooks(*window).imgMenu(Sections::kTrackName.panel)->click();
            hooks(*window).Check2(Sections::kTrackName.check2)->setChecked(true);
            history().clear();
        } else if (edit == Edit::Drag || edit == Edit::Arrows) {
            hooks(*window).imgMenu(Layout::kPreviewPanel)->click();
        }
    }

    void perform(Edit edit)
    {
        PictureBox &canvas = hooks(*window).previewCanvas();
        switch (edit) {
        case Edit::Typed:
            type(kPlay, kPlay.left, u"200"_s);
            break;
        case Edit::Check1:
            hooks(*window).Check1(kPlay.pressed.box)->click();
            break;
        case Edit::Check2:
            hooks(*window).Check2(Sections::kVideo.check2)->click();
            break;
        case Edit::Option1:
            hooks(*window).Option1(Sections::kView.choice.on)->click();
            break;
        case Edit::Combo1:
            QTest::keyClick(hooks(*window).Combo1(Sections::kTrackName.fontSize), Qt::Key_Down);
            break;
        case Edit::Colour:
            dialogs.colorAnswers = {0x00FF00};
            QTest::mouseClick(hooks(*window).Label2(kPlay.transparency), Qt::LeftButton);
            break;
        case Edit::Chooser:
            whileChooserShown(*window, [](frmFileOpendlg &chooser) {
                chooseListedFile(chooser, u"stop.bmp"_s); // beside the field's picture
                chooser.cmdOpen[0]->click();
            });
            QTest::mouseClick(hooks(*window).Command2(kPlay.image.browse), Qt::LeftButton);
            break;
        case Edit::Drop:
            QVERIFY(dropOn(text(kPlay.image.text), *filesData({pictures.filePath(u"stop.bmp"_s)})));
            break;
        case Edit::Drag:
            QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(110, 25));
            QTest::mouseMove(&canvas, QPoint(120, 40));
            QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(120, 40));
            break;
        case Edit::Arrows:
            QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(110, 25));
            for (int i = 0; i < 3; ++i) {
                QTest::keyClick(&canvas, Qt::Key_Right);
            }
            break;
        }
    }

    QTemporaryDir pictures;
    ScriptedDialogs dialogs;
    std::unique_ptr<StartedEditor> editor;
    frmMain *window = nullptr;
};

QTEST_MAIN(tst_EditHistory)
#include "tst_edit_history.moc"
