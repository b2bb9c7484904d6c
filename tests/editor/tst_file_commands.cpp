// New, open, save and save as through scripted dialogs and answers, on real
// files in temporary folders.
#include "../packaging/TmpfsMount.h"
#include "../wms/WmsFixtures.h"
#include "EditorFixture.h"
#include "ScriptedDialogs.h"
#include "util/AnsiText.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

const QString kCaption = u"Velmora for WMP"_s;
const QString kDiscard = u"編集中の項目を破棄してもよろしいですか？"_s;
const QString kFilter = u"Windows Media Player スキンファイル (*.wms)"_s;

// The images of the test skin: field, file name, size and format.
struct Picture {
    int field;
    const char *name;
    int width, height;
    const char *format;
};
constexpr Picture kPictures[] = {
    {3, "back.bmp", 120, 80, "BMP"},
    {4, "play.bmp", 21, 17, "BMP"},
    {9, "stop.jpg", 22, 18, "JPEG"},
    {14, "close.bmp", 9, 9, "BMP"},
};

} // namespace

Q_DECLARE_METATYPE(Answer)

class tst_FileCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void saveOnNewSkinAsksInSkinsFolder();
    void saveDialogFallsBackToUserFolder();
    void saveAsMakesSkinFolderThenPlainSaveWritesThere();
    void unusedImagesAreNotCopied();
    void nameWithoutFolderIsCopiedFromWhereItWasFound();
    void failedWriteKeepsNameAndCaption_data();
    void failedWriteKeepsNameAndCaption();
    void openReadsSkinIntoPanels();
    void openEndsWithoutChange_data();
    void openEndsWithoutChange();
    void openOfValuesPanelsCannotShowStartsAfresh();
    void newSkin_data();
    void newSkin();
    void sideMenuRunsFileCommands_data();
    void sideMenuRunsFileCommands();
    void leavingAsksOnlyWithUnsavedWork_data();
    void leavingAsksOnlyWithUnsavedWork();
    void imageNamedLikeSkinFileStopsSave_data();
    void imageNamedLikeSkinFileStopsSave();
    void picturesOfOneNameStopSave_data();
    void picturesOfOneNameStopSave();
    void saveAsOverExistingFile_data();
    void saveAsOverExistingFile();
    void textsTheSkinFileCannotHold_data();
    void textsTheSkinFileCannotHold();

private:
    QString pics(const QString &name) const { return m_files.filePath(u"pics/"_s + name); }
    QString saved(const QString &name) const { return m_files.filePath(u"out/"_s + name); }
    void fillSkin();
    void saveAs(const QString &path);

    QTemporaryDir m_files;
    std::unique_ptr<StartedEditor> editor;
    frmMain *window = nullptr;
    ScriptedDialogs dialogs;
};

void tst_FileCommands::init()
{
    QVERIFY(m_files.isValid());
    for (const QString &folder : {u"pics"_s, u"out"_s}) {
        QDir(m_files.filePath(folder)).removeRecursively();
        QVERIFY(QDir(m_files.path()).mkdir(folder));
    }
    for (const Picture &p : kPictures) {
        QImage image(p.width, p.height, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(p.field * 20, 200, 200));
        QVERIFY(image.save(pics(QString::fromLatin1(p.name)), p.format));
    }
    dialogs = ScriptedDialogs();
    editor = std::make_unique<StartedEditor>();
    window = &editor->window;
    QVERIFY(QDir(editor->folder.path()).mkdir(u"skins"_s));
    hooks(*window).setDialogProvider(dialogs);
    QVERIFY(window->Form_Load());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void tst_FileCommands::cleanup()
{
    editor.reset();
}

// A skin with the three buttons every skin has; slashes in the theme texts
// must not be taken for paths.
void tst_FileCommands::fillSkin()
{
    hooks(*window).Text1(0)->setText(u"AC/DC"_s);
    hooks(*window).Text1(1)->setText(u"作者/名前"_s);
    hooks(*window).Text1(2)->setText(u"(C) 2026/all"_s);
    for (const Picture &p : kPictures) {
        hooks(*window).Text1(std::size_t(p.field))->setText(pics(QString::fromLatin1(p.name)));
    }
    for (int field : {7, 8, 12, 13, 17, 18}) {
        hooks(*window).Text1(std::size_t(field))->setText(QString::number(field * 3));
    }
}

void tst_FileCommands::saveAs(const QString &path)
{
    dialogs.fileAnswers.append(path);
    hooks(*window).mnuFileAnotherSave()->trigger();
}

void tst_FileCommands::saveOnNewSkinAsksInSkinsFolder()
{
    fillSkin();
    hooks(*window).mnuFileSave()->trigger(); // the script cancels the dialog

    QCOMPARE(dialogs.requests.size(), 1);
    const ScriptedDialogs::Request &asked = dialogs.requests.constFirst();
    QCOMPARE(asked.kind, ScriptedDialogs::Kind::Save);
    QCOMPARE(asked.file.title, u"名前を付けてファイルを保存"_s);
    QCOMPARE(asked.file.filter, kFilter);
    QCOMPARE(asked.file.initialPath, editor->folder.path() + u"/skins"_s);
    QCOMPARE(asked.file.fileName, u"新規スキン.wms"_s);
    // Cancelled: nothing shown, nothing written, nothing named.
    QVERIFY(editor->messages.messages.isEmpty());
    QVERIFY(QDir(editor->folder.path() + u"/skins"_s).isEmpty());
    QVERIFY(hooks(*window).currentFileName().isEmpty());
    QCOMPARE(window->windowTitle(), kCaption);
}

// An installed program's folder is not the user's to write in.
void tst_FileCommands::saveDialogFallsBackToUserFolder()
{
    const QString skins = editor->folder.path() + u"/skins"_s;
    TmpfsMount readOnly(skins, u"16k,ro"_s);
    if (!readOnly.isMounted()) {
        QSKIP(qPrintable(u"mounting a read-only tmpfs was refused: "_s + readOnly.reason()));
    }
    QStandardPaths::setTestModeEnabled(true);
    const QString perUser =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/skins"_s;
    QDir(perUser).removeRecursively();

    fillSkin();
    hooks(*window).mnuFileSave()->trigger();
    QStandardPaths::setTestModeEnabled(false);
    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.requests.constFirst().file.initialPath, perUser);
    QVERIFY(QFileInfo(perUser).isDir());
    QDir(perUser).removeRecursively();
}

void tst_FileCommands::saveAsMakesSkinFolderThenPlainSaveWritesThere()
{
    fillSkin();
    saveAs(saved(u"X.wms"_s));

    const QString file = saved(u"X.wms/X.wms"_s);
    QVERIFY(editor->messages.messages.isEmpty());
    QCOMPARE(hooks(*window).currentFileName(), file);
    QCOMPARE(window->windowTitle(), kCaption + u" - "_s + file);
    const QString text = AnsiText::decode(WmsFixtures::readBytes(file));
    QVERIFY2(text.contains(u"title=\"AC/DC\""_s), qPrintable(text));
    QVERIFY(text.contains(u"backgroundimage=\"back.bmp\""_s));
    QStringList expected{u"X.wms"_s};
    for (const Picture &p : kPictures) {
        const QString name = QString::fromLatin1(p.name);
        expected.append(name);
        QCOMPARE(WmsFixtures::readBytes(saved(u"X.wms/"_s + name)),
                 WmsFixtures::readBytes(pics(name)));
    }
    QStringList written = QDir(saved(u"X.wms"_s)).entryList(QDir::Files | QDir::Hidden);
    expected.sort();
    written.sort();
    QCOMPARE(written, expected);

    // A plain save goes to the same file without a dialog and keeps the caption.
    hooks(*window).Text1(0)->setText(u"Second"_s);
    hooks(*window).mnuFileSave()->trigger();
    QCOMPARE(dialogs.requests.size(), 1);
    QVERIFY(AnsiText::decode(WmsFixtures::readBytes(file)).contains(u"title=\"Second\""_s));
    QCOMPARE(window->windowTitle(), kCaption + u" - "_s + file);
    QVERIFY(editor->messages.messages.isEmpty());
}

// Images the saved skin does not use are not its business: neither copied
// nor a reason for the save to fail when they are gone.
void tst_FileCommands::unusedImagesAreNotCopied()
{
    fillSkin();
    hooks(*window).Text1(5)->setText(pics(u"back.bmp"_s).replace(u"back"_s, u"gone"_s));
    hooks(*window).Text1(19)->setText(pics(u"play.bmp"_s).replace(u"play"_s, u"next"_s));
    saveAs(saved(u"Y.wms"_s));

    QVERIFY(editor->messages.messages.isEmpty());
    QCOMPARE(QDir(saved(u"Y.wms"_s)).entryList(QDir::Files).size(), 1 + std::size(kPictures));
}

void tst_FileCommands::failedWriteKeepsNameAndCaption_data()
{
    QTest::addColumn<bool>("savedBefore");
    QTest::newRow("new skin") << false;
    QTest::newRow("skin saved before") << true;
}

void tst_FileCommands::failedWriteKeepsNameAndCaption()
{
    QFETCH(bool, savedBefore);
    fillSkin();
    if (savedBefore) {
        saveAs(saved(u"First.wms"_s));
    }
    const QString name = hooks(*window).currentFileName();
    const QString caption = window->windowTitle();

    // The folder the new skin folder would go in does not exist.
    saveAs(saved(u"missing/Second.wms"_s));
    QCOMPARE(editor->messages.last().text, u"フォルダの作成に失敗しました"_s);
    QCOMPARE(hooks(*window).currentFileName(), name);
    QCOMPARE(window->windowTitle(), caption);
    QVERIFY(!QFileInfo::exists(saved(u"missing"_s)));
}

void tst_FileCommands::openReadsSkinIntoPanels()
{
    fillSkin();
    hooks(*window).Check2(0)->setChecked(true); // next button, with its images
    hooks(*window).Text1(19)->setText(pics(u"play.bmp"_s));
    hooks(*window).Text1(22)->setText(u"40"_s);
    hooks(*window).Text1(23)->setText(u"41"_s);
    saveAs(saved(u"Z.wms"_s));
    const QString file = hooks(*window).currentFileName();
    QVERIFY(!file.isEmpty());
    QStringList before;
    for (QLineEdit *field : hooks(*window).Text1()) {
        before.append(field->text());
    }
    editor->messages.answers = {true, true};
    hooks(*window).mnuFileNew()->trigger();
    QVERIFY(hooks(*window).Text1(3)->text().isEmpty());

    dialogs.fileAnswers.append(file);
    hooks(*window).mnuFileOpen()->trigger();
    const ScriptedDialogs::Request &asked = dialogs.requests.constLast();
    QCOMPARE(asked.kind, ScriptedDialogs::Kind::Open);
    QCOMPARE(asked.file.title, u"ファイルを開く"_s);
    QVERIFY(asked.file.filter.startsWith(u"Windows Media Player スキンファイル (*.wms *.wmz)"_s));
    QVERIFY(asked.file.initialPath.isEmpty()); // a new skin has no file to start beside
    QCOMPARE(editor->messages.last().text, kDiscard);
    QCOMPARE(editor->messages.last().title, u"ファイルを開く"_s);
    QCOMPARE(hooks(*window).currentFileName(), file);
    QCOMPARE(window->windowTitle(), kCaption + u" - "_s + file);
    QVERIFY(hooks(*window).Check2(0)->isChecked());
    // Image fields now name the copies in the skin folder; the rest is as saved.
    for (std::size_t i = 0; i < hooks(*window).Text1().size(); ++i) {
        const QString now = hooks(*window).Text1(i)->text();
        if (before[qsizetype(i)].startsWith(pics({}))) {
            QCOMPARE(now, saved(u"Z.wms/"_s) + QFileInfo(before[qsizetype(i)]).fileName());
        } else {
            QCOMPARE(now, before[qsizetype(i)]);
        }
    }

    // The next open starts beside the file being edited.
    hooks(*window).mnuFileOpen()->trigger();
    QCOMPARE(dialogs.requests.constLast().file.initialPath, file);
}

void tst_FileCommands::openEndsWithoutChange_data()
{
    QTest::addColumn<QString>("content"); // empty: the dialog is cancelled
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("message"); // last message shown, empty for the question
    QTest::newRow("cancelled") << QString() << true << QString();
    QTest::newRow("answered No") << u"velmora"_s << false << kDiscard;
    QTest::newRow("refused by the reader")
        << u"other"_s << true << u"編集不可能なスキンファイルです"_s;
}

void tst_FileCommands::openEndsWithoutChange()
{
    QFETCH(QString, content);
    QFETCH(bool, answer);
    QFETCH(QString, message);
    fillSkin();
    saveAs(saved(u"Kept.wms"_s));
    const QString name = hooks(*window).currentFileName();
    hooks(*window).Text1(0)->setText(u"edited"_s);
    editor->messages.clear();
    if (!content.isEmpty()) {
        const QString other = saved(u"other.wms"_s);
        QVERIFY(WmsFixtures::writeBytes(other, "<theme id=\"" + content.toLatin1() +
                                                   "\" title=\"T\">\r\n</theme>\r\n"));
        dialogs.fileAnswers.append(other);
    }
    editor->messages.answers = {answer};

    hooks(*window).mnuFileOpen()->trigger();
    QCOMPARE(editor->messages.messages.isEmpty(), content.isEmpty());
    if (!content.isEmpty()) {
        QCOMPARE(editor->messages.last().text, message);
    }
    QCOMPARE(hooks(*window).Text1(0)->text(), u"edited"_s);
    QCOMPARE(hooks(*window).Text1(3)->text(), pics(u"back.bmp"_s));
    QCOMPARE(hooks(*window).currentFileName(), name);
    QCOMPARE(window->windowTitle(), kCaption + u" - "_s + name);
}

// A file of ours whose values the fields cannot take (a font size past the
// list): its name must not go on half-filled panels.
void tst_FileCommands::openOfValuesPanelsCannotShowStartsAfresh()
{
    fillSkin();
    hooks(*window).Check2(11)->setChecked(true);
    for (int field : {70, 71, 72}) {
        hooks(*window).Text1(std::size_t(field))->setText(u"7"_s);
    }
    saveAs(saved(u"Font.wms"_s));
    const QString file = hooks(*window).currentFileName();
    QByteArray bytes = WmsFixtures::readBytes(file);
    QVERIFY(bytes.contains("fontsize=\"10\""));
    bytes.replace("fontsize=\"10\"", "fontsize=\"99\"");
    QVERIFY(WmsFixtures::writeBytes(file, bytes));
    hooks(*window).mnuFileNew()->trigger();
    hooks(*window).Text1(0)->setText(u"work"_s);
    editor->messages.clear();

    dialogs.fileAnswers.append(file);
    hooks(*window).mnuFileOpen()->trigger();
    QCOMPARE(editor->messages.last().text, u"要素の取得に失敗しました"_s);
    QVERIFY(hooks(*window).currentFileName().isEmpty());
    QCOMPARE(window->windowTitle(), kCaption);
    QVERIFY(hooks(*window).Text1(0)->text().isEmpty());
    QVERIFY(hooks(*window).Text1(3)->text().isEmpty());
}

void tst_FileCommands::newSkin_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void tst_FileCommands::newSkin()
{
    QFETCH(bool, answer);
    fillSkin();
    hooks(*window).Check2(10)->setChecked(true);
    for (int field : {66, 67, 68, 69}) {
        hooks(*window).Text1(std::size_t(field))->setText(u"8"_s);
    }
    saveAs(saved(u"Old.wms"_s));
    const QString name = hooks(*window).currentFileName();
    QVERIFY(!name.isEmpty());
    editor->messages.clear();
    editor->messages.answers = {answer};

    hooks(*window).mnuFileNew()->trigger();
    QCOMPARE(editor->messages.messages.size(), 1);
    QCOMPARE(editor->messages.last().text, kDiscard);
    QCOMPARE(editor->messages.last().title, u"新規作成"_s);
    QVERIFY(editor->messages.last().question);
    QCOMPARE(hooks(*window).currentFileName(), answer ? QString() : name);
    QCOMPARE(window->windowTitle(), answer ? kCaption : kCaption + u" - "_s + name);
    QCOMPARE(hooks(*window).Text1(0)->text(), answer ? QString() : u"AC/DC"_s);
    QCOMPARE(hooks(*window).Text1(4)->text(), answer ? QString() : pics(u"play.bmp"_s));
    QCOMPARE(hooks(*window).Check2(10)->isChecked(), !answer);

    // After New the next plain Save asks for a name again.
    const qsizetype asked = dialogs.requests.size();
    fillSkin();
    hooks(*window).mnuFileSave()->trigger();
    QCOMPARE(dialogs.requests.size(), asked + (answer ? 1 : 0));
}

void tst_FileCommands::sideMenuRunsFileCommands_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("question"); // title of the question asked, or empty
    QTest::addColumn<int>("dialog");       // ScriptedDialogs::Kind, -1 none
    QTest::newRow("new") << 7 << u"新規作成"_s << -1;
    QTest::newRow("open") << 8 << QString() << int(ScriptedDialogs::Kind::Open);
    QTest::newRow("save") << 9 << QString() << int(ScriptedDialogs::Kind::Save);
}

void tst_FileCommands::sideMenuRunsFileCommands()
{
    QFETCH(int, button);
    QFETCH(QString, question);
    QFETCH(int, dialog);
    fillSkin();
    editor->messages.answers = {false};
    hooks(*window).cmdMenu(0)->click();
    QTest::mouseClick(hooks(*window).imgMenu(std::size_t(button)), Qt::LeftButton);

    QCOMPARE(editor->messages.messages.isEmpty(), question.isEmpty());
    if (!question.isEmpty()) {
        QCOMPARE(editor->messages.last().title, question);
    }
    QCOMPARE(dialogs.requests.size(), dialog < 0 ? 0 : 1);
    if (dialog >= 0) {
        QCOMPARE(int(dialogs.requests.constFirst().kind), dialog);
    }
}

void tst_FileCommands::leavingAsksOnlyWithUnsavedWork_data()
{
    QTest::addColumn<bool>("savedFirst");
    QTest::addColumn<bool>("editedAfter");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("saveDialogAnswered");
    QTest::addColumn<bool>("leaves");
    QTest::newRow("new skin untouched") << false << false << Answer::Yes << false << true;
    QTest::newRow("saved, untouched since") << true << false << Answer::Yes << false << true;
    QTest::newRow("edited, No") << false << true << Answer::No << false << true;
    QTest::newRow("edited, Cancel") << true << true << Answer::Cancel << false << false;
    QTest::newRow("edited, Yes, dialog cancelled")
        << false << true << Answer::Yes << false << false;
    QTest::newRow("edited, Yes, saved") << false << true << Answer::Yes << true << true;
    QTest::newRow("saved skin edited, Yes") << true << true << Answer::Yes << false << true;
}

// The menu's Exit and the close box both close the window; either way work
// that differs from the last save is offered for saving first.
void tst_FileCommands::leavingAsksOnlyWithUnsavedWork()
{
    QFETCH(bool, savedFirst);
    QFETCH(bool, editedAfter);
    QFETCH(Answer, answer);
    QFETCH(bool, saveDialogAnswered);
    QFETCH(bool, leaves);
    if (savedFirst) {
        fillSkin();
        saveAs(saved(u"Kept.wms"_s));
    }
    if (editedAfter) {
        fillSkin();
        hooks(*window).Text1(0)->setText(u"edited"_s);
    }
    editor->messages.clear();
    editor->messages.choices = {answer};
    if (saveDialogAnswered) {
        dialogs.fileAnswers.append(saved(u"Left.wms"_s));
    }

    hooks(*window).mnuFileExit()->trigger();
    QCOMPARE(editor->messages.messages.size(), editedAfter ? 1 : 0);
    QCOMPARE(window->isVisible(), !leaves);
    QCOMPARE(hooks(*window).hasFileControl(), !leaves);
    if (editedAfter && answer == Answer::Yes) {
        const QString file =
            savedFirst ? saved(u"Kept.wms/Kept.wms"_s) : saved(u"Left.wms/Left.wms"_s);
        QCOMPARE(QFileInfo::exists(file), leaves);
    }
    if (!leaves) {
        // Still there, and asked again next time: nothing was taken as saved.
        editor->messages.choices = {Answer::No};
        window->close();
        QVERIFY(!window->isVisible());
        QCOMPARE(editor->messages.messages.size(), 2);
    }
}

void tst_FileCommands::imageNamedLikeSkinFileStopsSave_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("picture"); // a real picture in pics/, named like the skin
    QTest::addColumn<QString>("chosen");  // in out/
    QTest::addColumn<QString>("named");   // how the message names the field
    QTest::newRow("play image named like the skin file")
        << 4 << u"Clash.wms"_s << u"Clash.wms"_s << u"プレイボタン画像の"_s;
    QTest::newRow("skin named like its background")
        << 3 << u"back.bmp"_s << u"back.bmp"_s << u"背景画像の"_s;
}

// The skin file would be written, then replaced by the picture: nothing may
// be written at all, and the field is brought forward.
void tst_FileCommands::imageNamedLikeSkinFileStopsSave()
{
    QFETCH(int, field);
    QFETCH(QString, picture);
    QFETCH(QString, chosen);
    QFETCH(QString, named);
    fillSkin();
    if (!QFileInfo::exists(pics(picture))) {
        QVERIFY(QFile::copy(pics(u"play.bmp"_s), pics(picture)));
    }
    hooks(*window).Text1(field)->setText(pics(picture));
    editor->messages.clear();

    saveAs(saved(chosen));
    QCOMPARE(editor->messages.messages.size(), 1);
    QVERIFY2(editor->messages.last().text.startsWith(named),
             qPrintable(editor->messages.last().text));
    QVERIFY(QDir(saved({})).isEmpty());
    QVERIFY(hooks(*window).currentFileName().isEmpty());
    QCOMPARE(QApplication::focusWidget(), hooks(*window).Text1(field));
}

// A picture typed as a bare name is found in the current folder by the
// field's check and the preview; the saved skin gets that picture too.
void tst_FileCommands::nameWithoutFolderIsCopiedFromWhereItWasFound()
{
    fillSkin();
    const QString current = QDir::currentPath();
    const auto back = qScopeGuard([&current] { QDir::setCurrent(current); });
    QVERIFY(QDir::setCurrent(pics({})));
    hooks(*window).Text1(4)->setText(u"play.bmp"_s);

    saveAs(saved(u"X.wms"_s));

    QCOMPARE(hooks(*window).currentFileName(), saved(u"X.wms/X.wms"_s));
    QCOMPARE(WmsFixtures::readBytes(saved(u"X.wms/play.bmp"_s)),
             WmsFixtures::readBytes(pics(u"play.bmp"_s)));
}

void tst_FileCommands::picturesOfOneNameStopSave_data()
{
    QTest::addColumn<bool>("inSkinFolder"); // the play picture: the saved skin's own copy
    QTest::newRow("two pictures from two folders") << false;
    QTest::newRow("a picture named like one of the skin's") << true;
}

// A stop picture named like the play picture but another file would replace
// it in the skin's folder: nothing is written, the stop field comes forward.
void tst_FileCommands::picturesOfOneNameStopSave()
{
    QFETCH(bool, inSkinFolder);
    fillSkin();
    if (inSkinFolder) {
        saveAs(saved(u"X.wms"_s));
        hooks(*window).Text1(4)->setText(saved(u"X.wms/play.bmp"_s));
        window->activateWindow(); // back from the progress window
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    QVERIFY(QDir(pics({})).mkdir(u"other"_s));
    QVERIFY(QFile::copy(pics(u"close.bmp"_s), pics(u"other/play.bmp"_s)));
    hooks(*window).Text1(9)->setText(pics(u"other/play.bmp"_s));
    const QByteArray before = WmsFixtures::readBytes(saved(u"X.wms/X.wms"_s));
    editor->messages.clear();

    if (inSkinFolder) {
        hooks(*window).mnuFileSave()->trigger();
    } else {
        saveAs(saved(u"X.wms"_s));
    }

    QCOMPARE(editor->messages.messages.size(), 1);
    QVERIFY2(editor->messages.last().text.contains(u"「play.bmp」"_s),
             qPrintable(editor->messages.last().text));
    QCOMPARE(WmsFixtures::readBytes(saved(u"X.wms/X.wms"_s)), before);
    QCOMPARE(WmsFixtures::readBytes(saved(u"X.wms/play.bmp"_s)),
             inSkinFolder ? WmsFixtures::readBytes(pics(u"play.bmp"_s)) : QByteArray());
    QCOMPARE(QApplication::focusWidget(), hooks(*window).Text1(9));
}

void tst_FileCommands::saveAsOverExistingFile_data()
{
    QTest::addColumn<QString>("chosen");  // an existing file in out/
    QTest::addColumn<QString>("message"); // empty: saved into the skin folder
    QTest::newRow("a skin's own file") << u"X.wms/X.wms"_s << QString();
    QTest::newRow("a file that is no skin's")
        << u"other.wms"_s << u"フォルダの作成に失敗しました"_s;
}

void tst_FileCommands::saveAsOverExistingFile()
{
    QFETCH(QString, chosen);
    QFETCH(QString, message);
    fillSkin();
    saveAs(saved(u"X.wms"_s));
    QVERIFY(WmsFixtures::writeBytes(saved(u"other.wms"_s), "kept"));
    // A changed picture under the same name must replace the earlier copy.
    QImage changed(5, 5, QImage::Format_RGB32);
    changed.fill(Qt::blue);
    QVERIFY(changed.save(pics(u"play.bmp"_s), "BMP"));
    hooks(*window).Text1(0)->setText(u"Replaced"_s);
    editor->messages.clear();

    saveAs(saved(chosen));
    if (!message.isEmpty()) {
        QCOMPARE(editor->messages.last().text, message);
        QCOMPARE(WmsFixtures::readBytes(saved(chosen)), QByteArray("kept"));
        return;
    }
    QVERIFY(editor->messages.messages.isEmpty());
    QCOMPARE(hooks(*window).currentFileName(), saved(chosen));
    QVERIFY(QFileInfo(saved(chosen)).isFile());
    QVERIFY(
        AnsiText::decode(WmsFixtures::readBytes(saved(chosen))).contains(u"title=\"Replaced\""_s));
    QCOMPARE(WmsFixtures::readBytes(saved(u"X.wms/play.bmp"_s)),
             WmsFixtures::readBytes(pics(u"play.bmp"_s)));
}

void tst_FileCommands::textsTheSkinFileCannotHold_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text"); // a file name in pics/ for an image field
    QTest::addColumn<QString>("listed");
    QTest::addColumn<bool>("saveAnyway");
    QTest::newRow("title, back to it")
        << 0 << u"Zoë Café"_s << u"タイトル：「Zoë Café」→「Zo? Caf?」"_s << false;
    QTest::newRow("title, saved anyway") << 0 << u"Zoë Café"_s << u"「Zo? Caf?」"_s << true;
    QTest::newRow("image file name") << 9 << u"stöp.bmp"_s << u"「st?p.bmp」"_s << false;
}

void tst_FileCommands::textsTheSkinFileCannotHold()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, listed);
    QFETCH(bool, saveAnyway);
    fillSkin();
    QLineEdit *box = hooks(*window).Text1(field);
    if (field == 0) {
        box->setText(text);
    } else {
        QVERIFY(QFile::copy(box->text(), pics(text)));
        box->setText(pics(text));
    }
    editor->messages.clear();
    editor->messages.answers = {saveAnyway};

    saveAs(saved(u"Text.wms"_s));
    QVERIFY(editor->messages.messages.constFirst().question);
    QVERIFY2(editor->messages.messages.constFirst().text.contains(listed),
             qPrintable(editor->messages.messages.constFirst().text));
    QCOMPARE(QFileInfo::exists(saved(u"Text.wms/Text.wms"_s)), saveAnyway);
    if (!saveAnyway) {
        QVERIFY(dialogs.requests.isEmpty());
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->selectedText(), box->text());
    }
}

QTEST_MAIN(tst_FileCommands)
#include "tst_file_commands.moc"
