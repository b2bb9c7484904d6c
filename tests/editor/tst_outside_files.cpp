// Files from outside the editor: a skin file given to the program, and files
// dropped on the main window as real drag data sent through the application's
// drag-and-drop delivery.
#include "../packaging/TestArchive.h"
#include "EditorFixture.h"
#include "ScriptedDialogs.h"
#include "util/AnsiText.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString kCaption = u"Velmora for WMP"_s;
const QString kDiscard = u"編集中の項目を破棄してもよろしいですか？"_s;

// Fields that show the test skin: title, background, play button and its place.
constexpr int kTitle = 0, kBackground = 3, kPlay = 4, kPlayTop = 7, kPlayLeft = 8;

} // namespace

class tst_OutsideFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void imageOnField_data();
    void imageOnField();
    void textStillDropsIntoFields();
    void givenSkinOpens_data();
    void givenSkinOpens();
    void droppedSkinOpensWhenConfirmed_data();
    void droppedSkinOpensWhenConfirmed();
    void wmzOpensUnpacked_data();
    void wmzOpensUnpacked();

private:
    QString writeSkin(const QString &name, const QString &themeId) const;
    void verifyShowsSkin(frmMain &window, const QString &skin, const QString &folder = {}) const;
    void verifyShowsNewSkin(frmMain &window) const;

    QTemporaryDir m_files;
};

void tst_OutsideFiles::initTestCase()
{
    QVERIFY(m_files.isValid());
    QImage picture(12, 8, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(m_files.filePath(u"picture.bmp"_s)));
    // A picture's name on a file that is none.
    QFile notes(m_files.filePath(u"notes.jpg"_s));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("no picture") > 0);
    QVERIFY(!writeSkin(u"given.wms"_s, u"velmora"_s).isEmpty());
    QVERIFY(!writeSkin(u"foreign.wms"_s, u"other"_s).isEmpty());
    // The same skins packed, and one with an entry that climbs out.
    QVERIFY(QDir(m_files.path()).mkdir(u"wmz"_s));
    const auto read = [&](const QString &name) {
        QFile file(m_files.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const TestArchive::Entry pictureEntry{"picture.bmp", read(u"picture.bmp"_s)};
    QVERIFY(TestArchive::write(m_files.filePath(u"wmz/good.wmz"_s),
                               {pictureEntry, {"skin.wms", read(u"given.wms"_s)}}));
    QVERIFY(TestArchive::write(m_files.filePath(u"wmz/foreign.wmz"_s),
                               {pictureEntry, {"skin.wms", read(u"foreign.wms"_s)}}));
    // Large enough to take many pieces: the progress window shows them.
    QByteArray filler(4 << 20, '\0');
    QRandomGenerator(3).fillRange(reinterpret_cast<quint32 *>(filler.data()), filler.size() / 4);
    QVERIFY(TestArchive::write(
        m_files.filePath(u"wmz/large.wmz"_s),
        {pictureEntry, {"skin.wms", read(u"given.wms"_s)}, {"filler.bin", filler, 0100644, true}}));
    QVERIFY(
        TestArchive::write(m_files.filePath(u"wmz/hostile.wmz"_s),
                           {pictureEntry, {"skin.wms", read(u"given.wms"_s)}, {"../x.bmp", "x"}}));
}

// A skin of the background and play button pictures, with the given theme id
// (the reader refuses any but velmora).
QString tst_OutsideFiles::writeSkin(const QString &name, const QString &themeId) const
{
    const QStringList lines{
        uR"(<theme id="%1" title="外から" author="" copyright="">)"_s.arg(themeId),
        uR"(<view title="外から" titlebar="False" backgroundimage="picture.bmp" transparencycolor="#FF0000" backgroundcolor="none">)"_s,
        uR"(<playbutton top="12" left="34" transparencycolor="#FF0000" image="picture.bmp" downimage="" hoverimage="" cursor="hand"/>)"_s,
        u"</view>"_s,
        u"</theme>"_s,
        QString()};
    QFile file(m_files.filePath(name));
    const QByteArray bytes = AnsiText::encode(lines.join(u"\r\n"_s));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName()
                                                                                : QString();
}

void tst_OutsideFiles::verifyShowsSkin(frmMain &window, const QString &skin,
                                       const QString &folder) const
{
    const QString picture =
        QDir(folder.isEmpty() ? m_files.path() : folder).filePath(u"picture.bmp"_s);
    QCOMPARE(hooks(window).Text1(kTitle)->text(), u"外から"_s);
    QCOMPARE(hooks(window).Text1(kBackground)->text(), picture);
    QCOMPARE(hooks(window).Text1(kPlay)->text(), picture);
    QCOMPARE(hooks(window).Text1(kPlayTop)->text(), u"12"_s);
    QCOMPARE(hooks(window).Text1(kPlayLeft)->text(), u"34"_s);
    QCOMPARE(hooks(window).currentFileName(), skin);
    QCOMPARE(window.windowTitle(), kCaption + u" - "_s + skin);
}

void tst_OutsideFiles::verifyShowsNewSkin(frmMain &window) const
{
    for (int field : {kTitle, kBackground, kPlay, kPlayTop, kPlayLeft}) {
        QVERIFY(hooks(window).Text1(field)->text().isEmpty());
    }
    QVERIFY(hooks(window).currentFileName().isEmpty());
    QCOMPARE(window.windowTitle(), kCaption);
}

void tst_OutsideFiles::imageOnField_data()
{
    QTest::addColumn<int>("field"); // Text1 index
    QTest::addColumn<int>("tick");  // Check1 index ticked first, or -1
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("taken");

    const QStringList picture{u"picture.bmp"_s};
    QTest::newRow("background field") << 3 << -1 << picture << true;
    QTest::newRow("play button's normal image") << 4 << -1 << picture << true;
    QTest::newRow("second image, box ticked") << 5 << 0 << picture << true;
    QTest::newRow("second image, box not ticked: greyed") << 5 << -1 << picture << false;
    QTest::newRow("element switched off: greyed") << 19 << -1 << picture << false;
    QTest::newRow("position field") << 7 << -1 << picture << false;
    QTest::newRow("title field") << 0 << -1 << picture << false;
    QTest::newRow("not a picture") << 3 << -1 << QStringList{u"notes.jpg"_s} << false;
    QTest::newRow("two pictures") << 3 << -1 << QStringList{u"picture.bmp"_s, u"picture.bmp"_s}
                                  << false;
}

void tst_OutsideFiles::imageOnField()
{
    QFETCH(int, field);
    QFETCH(int, tick);
    QFETCH(QStringList, files);
    QFETCH(bool, taken);
    StartedEditor editor;
    QVERIFY(editor.window.Form_Load());
    if (tick >= 0) {
        hooks(editor.window).Check1(tick)->setChecked(true);
    }
    QLineEdit *target = hooks(editor.window).Text1(field);
    target->setText(u"before"_s);
    QStringList paths;
    for (const QString &file : files) {
        paths.append(m_files.filePath(file));
    }

    QCOMPARE(dropOn(target, *filesData(paths)), taken);
    QCOMPARE(target->text(), taken ? paths.constFirst() : u"before"_s);
    QVERIFY(editor.messages.messages.isEmpty());
}

// Text dragged from one field to another is no file: the field takes it.
void tst_OutsideFiles::textStillDropsIntoFields()
{
    StartedEditor editor;
    QVERIFY(editor.window.Form_Load());
    QLineEdit *top = hooks(editor.window).Text1(7);
    QMimeData text;
    text.setText(u"42"_s);
    QVERIFY(dropOn(top, text));
    QCOMPARE(top->text(), u"42"_s);
}

// velmora SKIN.wms: the window starts with that skin open, as a confirmed
// Open of it would leave it; a refused file leaves the new skin.
void tst_OutsideFiles::givenSkinOpens_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("message"); // the reader's, when it refuses
    QTest::newRow("full path") << m_files.filePath(u"given.wms"_s) << true << QString();
    QTest::newRow("relative to the current folder")
        << QDir::current().relativeFilePath(m_files.filePath(u"given.wms"_s)) << true << QString();
    QTest::newRow("not one of ours")
        << m_files.filePath(u"foreign.wms"_s) << false << u"編集不可能なスキンファイルです"_s;
    QTest::newRow("missing") << m_files.filePath(u"gone.wms"_s) << false
                             << u"ファイルのオープンに失敗しました"_s;
}

void tst_OutsideFiles::givenSkinOpens()
{
    QFETCH(QString, argument);
    QFETCH(bool, opens);
    QFETCH(QString, message);
    StartedEditor editor;
    QVERIFY(editor.window.Form_Load());
    editor.window.openSkinFile(argument, false);
    if (opens) {
        verifyShowsSkin(editor.window, m_files.filePath(u"given.wms"_s));
        QVERIFY(editor.messages.messages.isEmpty());
    } else {
        verifyShowsNewSkin(editor.window);
        QCOMPARE(editor.messages.messages.size(), 1);
        QCOMPARE(editor.messages.last().text, message);
        QCOMPARE(editor.messages.last().title, u"ファイルを開く"_s);
    }
}

// A skin file dropped anywhere on the window, a greyed field included, opens
// after the question Open asks.
void tst_OutsideFiles::droppedSkinOpensWhenConfirmed_data()
{
    QTest::addColumn<QString>("skin");
    QTest::addColumn<int>("field"); // dropped on Text1(field), or on the window itself
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("opens");
    const QString given = u"given.wms"_s;
    QTest::newRow("on the window, yes") << given << -1 << true << true;
    QTest::newRow("on a title field, yes") << given << kTitle << true << true;
    QTest::newRow("on a greyed field, yes") << given << 19 << true << true;
    QTest::newRow("answered no") << given << -1 << false << false;
    QTest::newRow("refused by the reader") << u"foreign.wms"_s << -1 << true << false;
}

void tst_OutsideFiles::droppedSkinOpensWhenConfirmed()
{
    QFETCH(QString, skin);
    QFETCH(int, field);
    QFETCH(bool, answer);
    QFETCH(bool, opens);
    StartedEditor editor;
    QVERIFY(editor.window.Form_Load());
    editor.messages.answers = {answer};
    QWidget *target =
        field < 0 ? static_cast<QWidget *>(&editor.window) : hooks(editor.window).Text1(field);
    QVERIFY(dropOn(target, *filesData({m_files.filePath(skin)})));
    // The question comes once the drop is over.
    QTRY_VERIFY(!editor.messages.messages.isEmpty());
    QCOMPARE(editor.messages.messages.first().text, kDiscard);
    QCOMPARE(editor.messages.messages.first().title, u"ファイルを開く"_s);
    QVERIFY(editor.messages.messages.first().question);
    if (opens) {
        verifyShowsSkin(editor.window, m_files.filePath(skin));
        QCOMPARE(editor.messages.messages.size(), 1);
    } else {
        verifyShowsNewSkin(editor.window);
        QCOMPARE(editor.messages.messages.size(), answer ? 2 : 1);
    }
}

// A WMZ file opens from the Open dialog, the command line or a drop: the
// folder dialog starts on a new folder named after it beside it, and the skin
// unpacked there opens as Open does. A refusal or a cancel leaves the panels
// and no folder.
void tst_OutsideFiles::wmzOpensUnpacked_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("archive");
    QTest::addColumn<bool>("folderChosen");
    QTest::addColumn<QString>("message");   // the last one, when it does not open
    QTest::addColumn<QString>("inTheWay");  // "link": the folder's name leads elsewhere
    QTest::addColumn<bool>("cancelUnpack"); // Cancel on the progress window's first step
    QTest::newRow("open dialog") << u"open"_s << u"good"_s << true << QString() << QString()
                                 << false;
    QTest::newRow("given") << u"given"_s << u"good"_s << true << QString() << QString() << false;
    QTest::newRow("dropped") << u"dropped"_s << u"good"_s << true << QString() << QString()
                             << false;
    QTest::newRow("folder dialog cancelled")
        << u"open"_s << u"good"_s << false << QString() << QString() << false;
    QTest::newRow("hostile") << u"dropped"_s << u"hostile"_s << true << u"../x.bmp"_s << QString()
                             << false;
    QTest::newRow("not ours") << u"open"_s << u"foreign"_s << true
                              << u"編集不可能なスキンファイルです"_s << QString() << false;
    QTest::newRow("a link in the folder's place")
        << u"open"_s << u"good"_s << true << QString() << u"link"_s << false;
    QTest::newRow("large, cancelled while unpacking")
        << u"open"_s << u"large"_s << true << QString() << QString() << true;
}

void tst_OutsideFiles::wmzOpensUnpacked()
{
    QFETCH(QString, way);
    QFETCH(QString, archive);
    QFETCH(bool, folderChosen);
    QFETCH(QString, message);
    QFETCH(QString, inTheWay);
    QFETCH(bool, cancelUnpack);
    const QString file = m_files.filePath(u"wmz/%1.wmz"_s.arg(archive));
    QString folder = m_files.filePath(u"wmz/"_s + archive);
    QVERIFY(QDir(folder).removeRecursively());
    QFile::remove(folder);
    const QString elsewhere = m_files.filePath(u"elsewhere"_s);
    if (inTheWay == u"link"_s) {
        QVERIFY(QDir().mkpath(elsewhere));
        QVERIFY(QFile::link(elsewhere, folder));
        // The link stays; the folder proposed is a new one beside it.
        folder += u" (2)"_s;
        QVERIFY(QDir(folder).removeRecursively());
    }
    StartedEditor editor;
    ScriptedDialogs dialogs;
    hooks(editor.window).setDialogProvider(dialogs);
    QVERIFY(editor.window.Form_Load());
    editor.messages.answers = {true};
    if (way == u"open"_s) {
        dialogs.fileAnswers.append(file);
    }
    dialogs.fileAnswers.append(folderChosen ? std::optional(folder) : std::nullopt);
    // The progress window, seen while the unpack runs, and cancelled at its
    // first step when the row asks.
    bool progressSeen = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *progress = qobject_cast<QProgressDialog *>(widget);
            if (!progress || !progress->isVisible() || progress->value() <= 0) {
                continue;
            }
            progressSeen = true;
            if (cancelUnpack) {
                QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
                watch.stop();
            }
        }
    });
    watch.start(0);

    if (way == u"open"_s) {
        hooks(editor.window).mnuFileOpen()->trigger();
        QVERIFY(dialogs.requests.first().file.filter.contains(u"*.wmz"_s));
    } else if (way == u"given"_s) {
        editor.window.openSkinFile(file, false);
    } else {
        QVERIFY(dropOn(&editor.window, *filesData({file})));
    }
    QTRY_VERIFY(!dialogs.requests.isEmpty() &&
                dialogs.requests.constLast().kind == ScriptedDialogs::Kind::Folder);
    // Made for the dialog to start on.
    QCOMPARE(dialogs.requests.constLast().file.initialPath, folder);
    if (archive == u"large"_s) {
        QVERIFY(progressSeen);
    }
    if (inTheWay == u"link"_s) {
        QVERIFY(QDir(elsewhere).isEmpty());
        QVERIFY(QFileInfo(m_files.filePath(u"wmz/good"_s)).isSymLink());
    }
    if (message.isEmpty() && folderChosen && !cancelUnpack) {
        verifyShowsSkin(editor.window, folder + u"/skin.wms"_s, folder);
        return;
    }
    verifyShowsNewSkin(editor.window);
    if (!message.isEmpty()) {
        QVERIFY2(editor.messages.last().text.contains(message),
                 qPrintable(editor.messages.last().text));
    } else {
        // Only the question before opening: a cancel is not reported.
        QCOMPARE(editor.messages.messages.size(), 1);
        QVERIFY(editor.messages.last().question);
    }
    // The reader's refusal comes after unpacking, which the user asked for.
    QCOMPARE(QFileInfo::exists(folder), archive == u"foreign"_s);
}

QTEST_MAIN(tst_OutsideFiles)
#include "tst_outside_files.moc"
