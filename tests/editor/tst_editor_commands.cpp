// The WMZ, help and version commands of the main window, with scripted file
// dialogs, injected archivers and a recording help opener.
#include "../packaging/ArchiveContents.h"
#include "../packaging/SkinFolder.h"
#include "EditorFixture.h"
#include "ScriptedDialogs.h"
#include "editor/platform/HelpOpener.h"
#include "packaging/BuiltInArchiver.h"
#include "packaging/PackFailure.h"
#include "packaging/ZipCommandLine.h"
#include "util/UserFile.h"
#include "windows/frmVersionInfo.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The archivers the WMZ command is tried with, in the order of its factories
// (no usable archiver greys the command; tst_editor_startup checks that).
enum ChosenArchiver { TooOld, Failing, BuiltIn };

// A usable archiver that keeps the command lines it gets and fails them all.
class FailingArchiver : public Archiver {
public:
    explicit FailingArchiver(QStringList &calls) : m_calls(calls) {}
    std::optional<qint16> version() override { return qint16(300); }
    qint32 zip(const QByteArray &commandLine) override
    {
        m_calls.append(QFile::decodeName(commandLine));
        return 1;
    }

private:
    QStringList &m_calls;
};

class RecordingHelpOpener : public HelpOpener {
public:
    bool hasViewerFor(const QString &path) override
    {
        asked.append(path);
        return viewer;
    }
    bool open(const QString &path) override
    {
        opened.append(path);
        return opens;
    }

    bool viewer = true;
    bool opens = true;
    QStringList asked;
    QStringList opened;
};

using Expected = QList<QPair<QString, QString>>; // text and title of each message

const QString kMade = u"WMZファイルを作成しました\r\n"_s;
const QString kFailed = u"WMZファイル作成に失敗しました"_s;
const QString kHelpTitle = u"ヘルプを開く"_s;
const QString kHelpNotOpened = u"ヘルプを開けませんでした。"_s;

} // namespace

class tst_EditorCommands : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().size() <= 1); }

    void wmzOutcomes_data();
    void wmzOutcomes();
    void wmzPacksTheChosenFileNotThePanels();
    void helpOpens_data();
    void helpOpens();
    void helpWithoutLauncher_data();
    void helpWithoutLauncher();
    void desktopKnowsChmViewer_data();
    void desktopKnowsChmViewer();
    void versionWindowIsFreshEachTime();

private:
    // skins/blue/blue.wms with two images, saved in a temporary folder.
    static QString writeBlueSkin(const QDir &root);
    static void verifyHelpNamed(const RecordingMessageSink &messages, const QStringList &paths);
};

QString tst_EditorCommands::writeBlueSkin(const QDir &root)
{
    if (!root.mkpath(u"skins/blue"_s)) {
        return {};
    }
    const QDir blue(root.filePath(u"skins/blue"_s));
    SkinFolder::writeFile(blue.filePath(u"back.bmp"_s), SkinFolder::imageBytes(1, 4000));
    SkinFolder::writeFile(blue.filePath(u"再生.bmp"_s), SkinFolder::imageBytes(2, 4000));
    SkinFolder::writeFile(blue.filePath(u"spare.bmp"_s), "not named");
    SkinFolder::writeAnsi(blue.filePath(u"blue.wms"_s),
                          u"<theme id=\"velmora\">\r\n<view backgroundimage=\"back.bmp\">\r\n"
                          u"<playbutton image=\"再生.bmp\"/>\r\n</view>\r\n</theme>\r\n"_s);
    return blue.filePath(u"blue.wms"_s);
}

void tst_EditorCommands::wmzOutcomes_data()
{
    QTest::addColumn<int>("archiver"); // a ChosenArchiver
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("chosen"); // below the temporary folder
    QTest::addColumn<Expected>("expected");
    QTest::addColumn<bool>("packed");

    const QString blue = u"skins/blue/blue.wms"_s;
    const QString title = u"WMZ作成"_s;
    QTest::newRow("cancelled") << int(BuiltIn) << true << blue << Expected() << false;
    QTest::newRow("archiver too old") << int(TooOld) << false << blue
                                      << Expected{{u"古いバージョンのZIP32J.dllを使用しています\r\n"
                                                   u"新しいバージョンをゲットしてください"_s,
                                                   title}}
                                      << false;
    // The packager reports its own failure first.
    QTest::newRow("archiver fails")
        << int(Failing) << false << blue
        << Expected{{u"圧縮に失敗しました"_s, u"WMZファイル作成"_s}, {kFailed, title}} << false;
    QTest::newRow("skin file gone")
        << int(BuiltIn) << false << u"skins/blue/gone.wms"_s
        << Expected{{u"圧縮に失敗しました\r\n"_s +
                         PackFailure{PackFailure::Kind::SkinUnreadable,
                                     u"%1/skins/blue/gone.wms"_s, // %1 the editor's folder
                                     UserFile::refusalText(UserFile::Refusal::Missing)}
                             .message(),
                     u"WMZファイル作成"_s},
                    {kFailed, title}}
        << false;
    QTest::newRow("packs") << int(BuiltIn) << false << blue << Expected{{kMade, title}} << true;
}

void tst_EditorCommands::wmzOutcomes()
{
    QFETCH(int, archiver);
    QFETCH(bool, cancel);
    QFETCH(QString, chosen);
    QFETCH(Expected, expected);
    QFETCH(bool, packed);
    QStringList calls;
    const frmMain::ArchiverFactory factories[] = {
        [] { return std::make_unique<FixedVersionArchiver>(qint16(36)); },
        [&calls] { return std::make_unique<FailingArchiver>(calls); },
        makeBuiltInArchiver,
    };
    StartedEditor editor(factories[archiver]);
    QVERIFY(editor.window.Form_Load());
    const QDir root(editor.folder.path());
    const QString wms = writeBlueSkin(root);
    QVERIFY(!wms.isEmpty());
    const QString blue = QFileInfo(wms).path();
    const QStringList before = SkinFolder::listing(blue);
    ScriptedDialogs dialogs;
    dialogs.fileAnswers.append(cancel ? std::nullopt
                                      : std::optional<QString>(root.filePath(chosen)));
    hooks(editor.window).setDialogProvider(dialogs);

    hooks(editor.window).mnuFileWmz()->trigger();

    // A new skin: the dialog opens on skins/.
    QCOMPARE(dialogs.requests.size(), 1);
    const ScriptedDialogs::Request &request = dialogs.requests.constFirst();
    QCOMPARE(request.kind, ScriptedDialogs::Kind::Open);
    QCOMPARE(request.file.title, u"ファイルを開く"_s);
    QCOMPARE(request.file.filter, u"Windows Media Player スキンファイル (*.wms)"_s);
    QCOMPARE(request.file.initialPath, root.filePath(u"skins"_s));
    QVERIFY(request.file.fileName.isEmpty());
    for (auto &message : expected) {
        message.first.replace(u"%1"_s, root.path());
    }
    Expected shown;
    for (const RecordingMessageSink::Message &message : editor.messages.messages) {
        shown.append({message.text, message.title});
        QVERIFY(!message.question);
        QCOMPARE(message.icon,
                 message.title == u"WMZ作成"_s ? MessageIcon::Information : MessageIcon::Stop);
    }
    QCOMPARE(shown, expected);
    // The failing archiver was handed blue.wms from skins/blue, whose
    // separator the packager adds once.
    if (archiver == Failing) {
        QCOMPARE(calls.size(), 1);
        const auto command = ZipCommandLine::parse(calls.constFirst());
        QVERIFY(command);
        QCOMPARE(command->archive, blue + u"/blue.wmz"_s);
        QCOMPARE(command->baseFolder, blue + u'/');
    }
    if (!packed) {
        QCOMPARE(SkinFolder::listing(blue), before);
        return;
    }
    QStringList after = SkinFolder::listing(blue);
    after.removeOne(u"blue.wmz"_s);
    QCOMPARE(after, before);
    const auto entries = ArchiveContents::read(root.filePath(u"skins/blue/blue.wmz"_s));
    QVERIFY(entries);
    QCOMPARE(entries->keys(), QStringList({u"back.bmp"_s, u"blue.wms"_s, u"再生.bmp"_s}));
    QCOMPARE(entries->value(u"blue.wms"_s), SkinFolder::readFile(wms));
}

// Packing works on whatever file was chosen, as saved: unsaved panel edits
// are neither checked, written nor packed, and the editor's state stays.
void tst_EditorCommands::wmzPacksTheChosenFileNotThePanels()
{
    StartedEditor editor(makeBuiltInArchiver);
    frmMain &window = editor.window;
    QVERIFY(window.Form_Load());
    const QDir root(editor.folder.path());
    const QString wms = writeBlueSkin(root);
    QVERIFY(!wms.isEmpty());
    const QByteArray saved = SkinFolder::readFile(wms);
    // Edited panels that would fail the field check, of another skin.
    hooks(window).setCurrentFileName(root.filePath(u"skins/red/red.wms"_s));
    window.setWindowTitle(u"Velmora for WMP - "_s + hooks(window).currentFileName());
    hooks(window).Text1(0)->setText(u"未保存の題名"_s);
    const QString title = window.windowTitle();
    QList<QString> fields;
    for (const QLineEdit *field : hooks(window).Text1()) {
        fields.append(field->text());
    }
    ScriptedDialogs dialogs;
    dialogs.fileAnswers.append(wms);
    hooks(window).setDialogProvider(dialogs);

    hooks(window).mnuFileWmz()->trigger();

    // The dialog opens on the file being edited.
    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.requests[0].file.initialPath, hooks(window).currentFileName());
    QCOMPARE(editor.messages.messages.size(), 1);
    QCOMPARE(editor.messages.last().text, kMade);
    QCOMPARE(SkinFolder::readFile(wms), saved);
    const auto entries = ArchiveContents::read(root.filePath(u"skins/blue/blue.wmz"_s));
    QVERIFY(entries);
    QCOMPARE(entries->value(u"blue.wms"_s), saved);
    QVERIFY(!entries->value(u"blue.wms"_s).contains("未保存"));
    QCOMPARE(hooks(window).currentFileName(), root.filePath(u"skins/red/red.wms"_s));
    QCOMPARE(window.windowTitle(), title);
    for (std::size_t i = 0; i < hooks(window).Text1().size(); ++i) {
        QCOMPARE(hooks(window).Text1(i)->text(), fields.at(qsizetype(i)));
    }
    QCOMPARE(SkinFolder::listing(root.filePath(u"skins"_s)), QStringList{u"blue"_s});
}

void tst_EditorCommands::helpOpens_data()
{
    QTest::addColumn<bool>("chm");
    QTest::addColumn<bool>("pages");
    QTest::addColumn<bool>("viewer");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QStringList>("opened"); // relative to the program folder
    QTest::addColumn<QStringList>("named");  // by the message that nothing opened them

    const QString chm = u"Velmora.chm"_s;
    const QString index = u"help/index.html"_s;
    QTest::newRow("CHM viewer") << true << true << true << true << QStringList{chm}
                                << QStringList();
    QTest::newRow("no CHM viewer")
        << true << true << false << true << QStringList{index} << QStringList();
    QTest::newRow("viewer does not start")
        << true << true << true << false << QStringList{chm, index} << QStringList{index, chm};
    QTest::newRow("only the pages")
        << false << true << true << true << QStringList{index} << QStringList();
    QTest::newRow("help missing") << false << false << true << true << QStringList()
                                  << QStringList();
    QTest::newRow("no viewer, pages missing")
        << true << false << false << true << QStringList() << QStringList{chm};
}

// F1 hands the desktop absolute paths in the program's folder, whatever the
// current folder is; missing help shows nothing.
void tst_EditorCommands::helpOpens()
{
    QFETCH(bool, chm);
    QFETCH(bool, pages);
    StartedEditor editor(usableArchiver);
    QVERIFY(editor.window.Form_Load());
    const QDir program(editor.folder.path());
    if (chm) {
        QVERIFY(SkinFolder::writeFile(program.filePath(u"Velmora.chm"_s), "ITSF"));
    }
    if (pages) {
        QVERIFY(program.mkdir(u"help"_s));
        QVERIFY(SkinFolder::writeFile(program.filePath(u"help/index.html"_s), "<html/>"));
    }
    // A current folder that holds help files of its own, which must not be taken.
    QTemporaryDir elsewhere;
    QVERIFY(SkinFolder::writeFile(elsewhere.filePath(u"Velmora.chm"_s), "ITSF"));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    RecordingHelpOpener opener;
    QFETCH(bool, viewer);
    QFETCH(bool, opens);
    opener.viewer = viewer;
    opener.opens = opens;
    hooks(editor.window).setHelpOpener(opener);
    editor.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&editor.window));

    QTest::keyClick(&editor.window, Qt::Key_F1);

    QVERIFY(QDir::setCurrent(previous));
    QFETCH(QStringList, opened);
    for (QString &path : opened) {
        path = program.absoluteFilePath(path);
    }
    QCOMPARE(opener.opened, opened);
    QFETCH(QStringList, named);
    if (named.isEmpty()) {
        QVERIFY(editor.messages.messages.isEmpty());
        return;
    }
    QStringList paths;
    for (const QString &path : named) {
        paths.append(QDir::toNativeSeparators(program.absoluteFilePath(path)));
    }
    verifyHelpNamed(editor.messages, paths);
}

// The help's files, named after the message that they could not be shown.
void tst_EditorCommands::verifyHelpNamed(const RecordingMessageSink &messages,
                                         const QStringList &paths)
{
    QCOMPARE(messages.messages.size(), 1);
    const RecordingMessageSink::Message &message = messages.last();
    QCOMPARE(message.title, kHelpTitle);
    QVERIFY2(message.text.startsWith(kHelpNotOpened), qPrintable(message.text));
    QCOMPARE(message.text.split(u"\r\n"_s).mid(2), paths);
}

void tst_EditorCommands::helpWithoutLauncher_data()
{
    QTest::addColumn<bool>("launcher"); // an xdg-open on the PATH, which notes what it gets
    QTest::newRow("no launcher") << false;
    QTest::newRow("a launcher") << true;
}

// The desktop's own opener, with nothing on the PATH to launch the help
// (no xdg-mime to ask, no xdg-open to hand it to): the message names the
// help's files. With a launcher there, it gets the help and nothing is said.
void tst_EditorCommands::helpWithoutLauncher()
{
    QFETCH(bool, launcher);
    StartedEditor editor(usableArchiver);
    QVERIFY(editor.window.Form_Load());
    const QDir program(editor.folder.path());
    const QString chm = program.absoluteFilePath(u"Velmora.chm"_s);
    const QString pages = program.absoluteFilePath(u"help/index.html"_s);
    QVERIFY(SkinFolder::writeFile(chm, "ITSF"));
    QVERIFY(program.mkdir(u"help"_s));
    QVERIFY(SkinFolder::writeFile(pages, "<html/>"));
    QTemporaryDir tools;
    const QString launched = tools.filePath(u"launched"_s);
    if (launcher) {
        const QString script = u"#!/bin/sh\nprintf %s \"$1\" > '%1'\n"_s.arg(launched);
        QVERIFY(SkinFolder::writeFile(tools.filePath(u"xdg-open"_s), script.toUtf8()));
        QVERIFY(QFile::setPermissions(tools.filePath(u"xdg-open"_s),
                                      QFile::ReadOwner | QFile::ExeOwner));
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(tools.path()));
    const auto restore = qScopeGuard([&path] { qputenv("PATH", path); });

    hooks(editor.window).mnuHelpOpen()->trigger();

    if (!launcher) {
        verifyHelpNamed(editor.messages,
                        {QDir::toNativeSeparators(pages), QDir::toNativeSeparators(chm)});
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(launched).size() > 0, 10000);
    QCOMPARE(QString::fromUtf8(SkinFolder::readFile(launched)), chm);
    QVERIFY(editor.messages.messages.isEmpty());
}

void tst_EditorCommands::desktopKnowsChmViewer_data()
{
    QTest::addColumn<QString>("answer"); // what xdg-mime prints; empty: no xdg-mime at all
    QTest::addColumn<bool>("viewer");
    QTest::newRow("a viewer under the type's name") << u"vnd.ms-htmlhelp:xchm.desktop"_s << true;
    QTest::newRow("a viewer under an alias") << u"x-chm:xchm.desktop"_s << true;
    QTest::newRow("no viewer") << u"none"_s << false;
    QTest::newRow("desktop cannot be asked") << QString() << true;
}

// The desktop's MIME settings decide, asked through a stand-in xdg-mime that
// answers for one type name only.
void tst_EditorCommands::desktopKnowsChmViewer()
{
    QFETCH(QString, answer);
    QTemporaryDir tools;
    if (!answer.isEmpty()) {
        const QString type = answer.section(u':', 0, 0);
        const QString script = u"#!/bin/sh\n[ \"$3\" = application/%1 ] && echo %2\nexit 0\n"_s.arg(
            type, answer.section(u':', 1));
        QVERIFY(SkinFolder::writeFile(tools.filePath(u"xdg-mime"_s), script.toUtf8()));
        QVERIFY(QFile::setPermissions(tools.filePath(u"xdg-mime"_s),
                                      QFile::ReadOwner | QFile::ExeOwner));
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(tools.path()));
    const bool viewer = makeDesktopHelpOpener()->hasViewerFor(u"/nowhere/Velmora.chm"_s);
    qputenv("PATH", path);
    QTEST(viewer, "viewer");
}

// Each showing is a new, modal window, released when it closes.
void tst_EditorCommands::versionWindowIsFreshEachTime()
{
    StartedEditor editor(usableArchiver);
    QVERIFY(editor.window.Form_Load());
    editor.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor.window));
    QList<QPointer<frmVersionInfo>> shown;
    QStringList titles;
    // Runs inside the modal loop; notes the window, spoils its title label to
    // see whether the next showing starts over, then closes it.
    auto answer = [&] {
        auto *window = qobject_cast<frmVersionInfo *>(QApplication::activeModalWidget());
        shown.append(window);
        if (window) {
            titles.append(window->Label1[0]->text());
            window->Label1[0]->setText(u"spoilt"_s);
            QTest::mouseClick(window->Command1, Qt::LeftButton);
        }
    };

    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, &editor.window, answer);
        hooks(editor.window).mnuHelpVersion()->trigger();
    }

    QCOMPARE(shown.size(), 2);
    QVERIFY(shown[0].isNull() && shown[1].isNull()); // released after closing
    QCOMPARE(titles, QStringList(2, VersionInfo::program().title));
    QVERIFY(editor.messages.messages.isEmpty());
}

QTEST_MAIN(tst_EditorCommands)
#include "tst_editor_commands.moc"
