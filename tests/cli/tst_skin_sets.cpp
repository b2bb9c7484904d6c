// The commands on WMZ files and on sets of skins, as the real program run
// without a display: unpack, check and render of a WMZ, check of several
// skins and folders, and what the commands print about hostile names.
#include "../packaging/TestArchive.h"
#include "../util/ImageFiles.h"
#include "CheckFindings.h"
#include "ProcessRun.h"
#include "ProgramFolder.h"
#include "packaging/ArchiveCheck.h"
#include "util/UserFile.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A skin of a background and a play button; left 90 puts the button partly
// outside the background, which check reports.
QByteArray skinText(int left)
{
    return "<theme id=\"velmora\" title=\"t\" author=\"\" copyright=\"\">\r\n"
           "<view title=\"t\" titlebar=\"False\" backgroundimage=\"background.bmp\" "
           "transparencycolor=\"#FF0000\" backgroundcolor=\"none\">\r\n"
           "<playbutton top=\"20\" left=\"" +
           QByteArray::number(left) +
           "\" transparencycolor=\"#FF0000\" image=\"play.bmp\" downimage=\"\" "
           "hoverimage=\"\" cursor=\"hand\"/>\r\n</view>\r\n</theme>\r\n";
}

QList<TestArchive::Entry> skinEntries(int left)
{
    return {{"background.bmp", ImageFiles::qimageFile(100, 80, "BMP")},
            {"play.bmp", ImageFiles::qimageFile(20, 10, "BMP")},
            {"skin.wms", skinText(left)}};
}

constexpr int kSound = 10;
constexpr int kOutside = 90;
// What check goes over in such a skin: the view and the button, two pictures.
constexpr SkinSummary kSoundSummary{2, 2};

// The finding of the skin whose button lies partly outside.
QString outsideFinding()
{
    return CheckFindings::place(SkinFinding::Kind::PartlyOutside, Slot::PlayButton,
                                {kOutside, 20, 20, 10}, {100, 80});
}

QStringList folderEntries(const QString &folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        names.append(it.next());
    }
    return names;
}

} // namespace

class tst_SkinSets : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void commandsTakeWmz_data();
    void commandsTakeWmz();
    void unpackKeepsFilesThere_data();
    void unpackKeepsFilesThere();
    void whatPackMakesUnpacks_data();
    void whatPackMakesUnpacks();
    void checksSeveralSkins();
    void checkNamesWhatItCannotRead_data();
    void checkNamesWhatItCannotRead();
    void renderRefusesSpecialOutput_data();
    void renderRefusesSpecialOutput();
    void stoppedCommandTakesBackWhatItMade_data();
    void stoppedCommandTakesBackWhatItMade();
    void lostReportFails_data();
    void lostReportFails();
    void hostileTextsPrintedEscaped_data();
    void hostileTextsPrintedEscaped();

private:
    // Runs the program in the test's folder, with a temporary folder of its
    // own, which must be empty again afterwards.
    ProcessRun velmora(const QStringList &arguments);
    ProcessRun shell(const QString &script);
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString writeSkinFolder(const QString &folder, int left);

    QString m_program;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_SkinSets::initTestCase()
{
    m_program = QDir(programFolder()).filePath(u"velmora"_s);
    QVERIFY2(QFileInfo(m_program).isExecutable(), qPrintable(m_program));
}

void tst_SkinSets::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkdir(path(u"tmp"_s)));
    QVERIFY(TestArchive::write(path(u"sound.wmz"_s), skinEntries(kSound)));
    QVERIFY(TestArchive::write(path(u"outside.wmz"_s), skinEntries(kOutside)));
    // An old archive's name in windows-31j bytes (背景.bmp), as they unpack.
    QVERIFY(TestArchive::write(path(u"sjis.wmz"_s),
                               skinEntries(kSound) +
                                   QList<TestArchive::Entry>{{"\x94\x77\x8C\x69.bmp", "x"}}));
    QVERIFY(TestArchive::write(path(u"hostile.wmz"_s),
                               skinEntries(kSound) + QList<TestArchive::Entry>{{"../x.bmp", "x"}}));
}

ProcessRun tst_SkinSets::velmora(const QStringList &arguments)
{
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(u"TMPDIR"_s, path(u"tmp"_s));
    const ProcessRun run = runProcess(m_program, arguments, environment, m_dir->path());
    [&] { QCOMPARE(folderEntries(path(u"tmp"_s)), QStringList()); }();
    return run;
}

ProcessRun tst_SkinSets::shell(const QString &script)
{
    const QString prologue = u"velmora() { \"%1\" \"$@\"; }; "_s.arg(m_program);
    return runProcess(u"bash"_s, {u"-c"_s, prologue + script}, withoutDisplay(), m_dir->path());
}

QString tst_SkinSets::writeSkinFolder(const QString &folder, int left)
{
    QDir().mkpath(path(folder));
    for (const TestArchive::Entry &entry : skinEntries(left)) {
        if (!ImageFiles::writeFile(path(folder) + u'/' + QString::fromUtf8(entry.name),
                                   entry.data)) {
            return {};
        }
    }
    return path(folder + u"/skin.wms"_s);
}

void tst_SkinSets::commandsTakeWmz_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");  // "%1" the test's folder
    QTest::addColumn<QString>("made"); // a file the run leaves, empty for none

    QTest::newRow("unpack beside") << QStringList{u"unpack"_s, u"sound.wmz"_s} << 0
                                   << u"%1/sound/skin.wms\n"_s << u"sound/play.bmp"_s;
    QTest::newRow("unpack into a folder given")
        << QStringList{u"unpack"_s, u"sound.wmz"_s, u"there"_s} << 0 << u"%1/there/skin.wms\n"_s
        << u"there/skin.wms"_s;
    QTest::newRow("unpack refused")
        << QStringList{u"unpack"_s, u"hostile.wmz"_s} << 1 << QString() << QString();
    QTest::newRow("check sound") << QStringList{u"check"_s, u"sound.wmz"_s} << 0
                                 << kSoundSummary.describe(u"%1/sound.wmz/skin.wms"_s) + u'\n'
                                 << QString();
    QTest::newRow("check of names in windows-31j bytes")
        << QStringList{u"check"_s, u"sjis.wmz"_s} << 0
        << kSoundSummary.describe(u"%1/sjis.wmz/skin.wms"_s) + u'\n' << QString();
    QTest::newRow("check with a finding")
        << QStringList{u"check"_s, u"outside.wmz"_s} << 1 << outsideFinding() + u'\n' << QString();
    QTest::newRow("check refused")
        << QStringList{u"check"_s, u"hostile.wmz"_s} << 1 << QString() << QString();
    QTest::newRow("render") << QStringList{u"render"_s, u"sound.wmz"_s, u"out.png"_s} << 0
                            << QString() << u"out.png"_s;
    QTest::newRow("render refused")
        << QStringList{u"render"_s, u"hostile.wmz"_s, u"out.png"_s} << 1 << QString() << QString();
}

void tst_SkinSets::commandsTakeWmz()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, made);
    const QStringList before = folderEntries(m_dir->path());

    const ProcessRun run = velmora(arguments);
    QVERIFY(run.finished);
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
    QCOMPARE(run.out, out.replace(u"%1"_s, m_dir->path()));
    QCOMPARE(run.err.isEmpty(), exitCode != 1 || arguments.contains(u"outside.wmz"_s));
    if (arguments.contains(u"hostile.wmz"_s)) {
        QVERIFY2(run.err.contains(u"../x.bmp"_s), qPrintable(run.err));
    }
    const QStringList after = folderEntries(m_dir->path());
    if (made.isEmpty()) {
        QCOMPARE(after, before);
    } else {
        QVERIFY(after.contains(path(made)));
    }
}

// Where nobody names the folder, the unpack takes a new one beside the
// archive rather than a folder holding files; a folder the user names is
// theirs, and files of the same names there are kept.
void tst_SkinSets::unpackKeepsFilesThere_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("into"); // the folder unpacked into, none when refused
    const QStringList beside{u"unpack"_s, u"sound.wmz"_s};
    QTest::newRow("beside") << beside << 0 << u"sound (2)"_s;
    QTest::newRow("named") << QStringList{u"unpack"_s, u"sound.wmz"_s, u"sound"_s} << 1
                           << QString();
}

void tst_SkinSets::unpackKeepsFilesThere()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, into);
    QVERIFY(QDir().mkdir(path(u"sound"_s)));
    QVERIFY(ImageFiles::writeFile(path(u"sound/play.bmp"_s), "mine"));
    const ProcessRun run = velmora(arguments);
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
    if (into.isEmpty()) {
        QVERIFY2(run.err.contains(u"play.bmp"_s), qPrintable(run.err));
    } else {
        QCOMPARE(run.out, path(into + u"/skin.wms\n"_s));
        QVERIFY(QFileInfo(path(into + u"/play.bmp"_s)).isFile());
    }
    QCOMPARE(folderEntries(path(u"sound"_s)), QStringList{path(u"sound/play.bmp"_s)});
    QFile mine(path(u"sound/play.bmp"_s));
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), QByteArray("mine"));
}

// What pack writes, the program's own unpack takes: a skin within the
// decoding budget packs and unpacks; one the unpacker would refuse is refused
// by pack first, naming the limit, and nothing is written.
void tst_SkinSets::whatPackMakesUnpacks_data()
{
    QTest::addColumn<int>("width"); // of a one-colour background; 0: a sparse file
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("namedFiles"); // other files the title names
    QTest::addColumn<QString>("limit");  // what pack's refusal says, empty when it packs
    const ArchiveCheck::Limits limits = ArchiveCheck::kLimits;
    // Refused by the unpacker as a bomb (1:983) before.
    QTest::newRow("one-colour 2560 x 1440 BMP") << 2560 << 1440 << 0 << QString();
    // 69 MB, refused by the unpacker as over 64 MB before.
    QTest::newRow("23 M pixels in a 69 MB BMP") << 4800 << 4800 << 0 << QString();
    QTest::newRow("a title naming more files than an archive may hold")
        << 100 << 80 << int(limits.entries) << QString::number(limits.entries);
    QTest::newRow("a picture larger than an entry may be")
        << 0 << 0 << 0 << QString::number(limits.entryBytes >> 20);
}

void tst_SkinSets::whatPackMakesUnpacks()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, namedFiles);
    QFETCH(QString, limit);
    QVERIFY(!writeSkinFolder(u"s"_s, kSound).isEmpty());
    if (width > 0) {
        QVERIFY(ImageFiles::writeFile(path(u"s/background.bmp"_s),
                                      ImageFiles::plainBmp(width, height)));
    } else {
        QFile sparse(path(u"s/background.bmp"_s));
        QVERIFY(sparse.open(QIODevice::ReadWrite) &&
                sparse.resize(qint64(ArchiveCheck::kLimits.entryBytes) + 1));
    }
    QByteArray skin = skinText(kSound);
    QByteArray names;
    for (int i = 0; i < namedFiles; ++i) {
        const QByteArray name = "f" + QByteArray::number(i) + ".txt";
        QVERIFY(ImageFiles::writeFile(path(u"s/"_s + QString::fromLatin1(name)), "x"));
        names += name + ' ';
    }
    skin.replace("title=\"t\" author", "title=\"" + names + "\" author");
    QVERIFY(ImageFiles::writeFile(path(u"s/skin.wms"_s), skin));

    // check says first what pack would refuse.
    const ProcessRun check = velmora({u"check"_s, u"s/skin.wms"_s});
    QCOMPARE(check.exitCode, limit.isEmpty() ? 0 : 1);
    QVERIFY2(limit.isEmpty() || check.out.contains(limit), qPrintable(check.out));
    const ProcessRun pack = velmora({u"pack"_s, u"s/skin.wms"_s});
    if (!limit.isEmpty()) {
        QCOMPARE(pack.exitCode, 1);
        QVERIFY2(pack.err.contains(u"圧縮に失敗しました"_s) && pack.err.contains(limit),
                 qPrintable(pack.err));
        QVERIFY(!QFileInfo::exists(path(u"s/skin.wmz"_s)));
        return;
    }
    QVERIFY2(pack.exitCode == 0, qPrintable(pack.err));
    const ProcessRun test = runProcess(u"unzip"_s, {u"-t"_s, path(u"s/skin.wmz"_s)});
    QVERIFY2(test.succeeded(), qPrintable(test.out));
    const ProcessRun unpack = velmora({u"unpack"_s, u"s/skin.wmz"_s, u"out"_s});
    QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.err));
    QFile unpacked(path(u"out/background.bmp"_s));
    QVERIFY(unpacked.open(QIODevice::ReadOnly));
    QCOMPARE(unpacked.size(), QFileInfo(path(u"s/background.bmp"_s)).size());
    const ProcessRun checkPacked = velmora({u"check"_s, u"s/skin.wmz"_s});
    QVERIFY2(checkPacked.exitCode == 0, qPrintable(checkPacked.out + checkPacked.err));
}

// A WMS file, a WMZ file and a folder holding both kinds (one of them deeper),
// each line after its skin, in the order given; the folder's in path order.
void tst_SkinSets::checksSeveralSkins()
{
    QVERIFY(!writeSkinFolder(u"a"_s, kOutside).isEmpty());
    QVERIFY(!writeSkinFolder(u"set/b"_s, kSound).isEmpty());
    QVERIFY(!writeSkinFolder(u"set/c/d"_s, kOutside).isEmpty());
    QVERIFY(QFile::copy(path(u"sound.wmz"_s), path(u"set/c/e.wmz"_s)));
    const QStringList skins{path(u"a/skin.wms"_s), path(u"sound.wmz/skin.wms"_s),
                            path(u"set/b/skin.wms"_s), path(u"set/c/d/skin.wms"_s),
                            path(u"set/c/e.wmz/skin.wms"_s)};
    const auto outside = [](const QString &skin) {
        return skin + u": "_s + outsideFinding() + u'\n';
    };
    const auto sound = [](const QString &skin) { return kSoundSummary.describe(skin) + u'\n'; };

    const ProcessRun text = velmora({u"check"_s, u"a/skin.wms"_s, u"sound.wmz"_s, u"set"_s});
    QCOMPARE(text.exitCode, 1);
    QVERIFY2(text.err.isEmpty(), qPrintable(text.err));
    QCOMPARE(text.out, outside(skins.at(0)) + sound(skins.at(1)) + sound(skins.at(2)) +
                           outside(skins.at(3)) + sound(skins.at(4)));

    const ProcessRun json =
        velmora({u"check"_s, u"--json"_s, u"a/skin.wms"_s, u"sound.wmz"_s, u"set"_s});
    QCOMPARE(json.exitCode, 1);
    QJsonParseError error;
    const QJsonArray reports = QJsonDocument::fromJson(json.out.toUtf8(), &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QStringList shown;
    QList<qsizetype> findings;
    for (const QJsonValue &report : reports) {
        shown.append(report[u"skin"_s].toString());
        findings.append(report[u"findings"_s].toArray().size());
    }
    QCOMPARE(shown, skins);
    QCOMPARE(findings, (QList<qsizetype>{1, 0, 0, 1, 0}));

    // Sound skins alone: exit 0. A folder without skins is a failure.
    QCOMPARE(velmora({u"check"_s, u"sound.wmz"_s, u"set/b"_s}).exitCode, 0);
    QVERIFY(QDir().mkdir(path(u"empty"_s)));
    const ProcessRun none = velmora({u"check"_s, u"--json"_s, u"empty"_s});
    QCOMPARE(none.exitCode, 1);
    QCOMPARE(QJsonDocument::fromJson(none.out.toUtf8()), QJsonDocument(QJsonArray()));
}

// What a folder holds but check cannot read is named on standard error and
// in the JSON, and makes the run fail; the skins beside it are checked.
void tst_SkinSets::checkNamesWhatItCannotRead_data()
{
    QTest::addColumn<QString>("make"); // a shell line making it in "set"
    QTest::addColumn<QString>("name"); // what is named
    QTest::addColumn<QString>("why");
    QTest::addColumn<bool>("folder");
    // Its skin has a finding, which would fail the run if it were read.
    QTest::newRow("folder without permission")
        << u"cp -r a set/locked && chmod 000 set/locked"_s << u"set/locked"_s
        << UserFile::refusalText(UserFile::Refusal::Denied) << true;
    QTest::newRow("pipe") << u"mkfifo set/x.wms"_s << u"set/x.wms"_s
                          << UserFile::refusalText(UserFile::Refusal::NotAFile) << false;
    QTest::newRow("dangling link") << u"ln -s gone.wms set/y.wms"_s << u"set/y.wms"_s
                                   << u"リンク先のファイルが見つかりません"_s << false;
}

void tst_SkinSets::checkNamesWhatItCannotRead()
{
    QFETCH(QString, make);
    QFETCH(QString, name);
    QFETCH(QString, why);
    QFETCH(bool, folder);
    QVERIFY(!writeSkinFolder(u"a"_s, kOutside).isEmpty());
    QVERIFY(!writeSkinFolder(u"set/sound"_s, kSound).isEmpty());
    QVERIFY2(shell(make).succeeded(), qPrintable(make));
    const auto restore = qScopeGuard([&] { shell(u"chmod -R u+rwx set"_s); });
    // Root reads any folder: the check then runs as a user without rights
    // of its own, where the system offers one.
    QStringList user;
    if (folder && ::geteuid() == 0) {
        user = {u"setpriv"_s, u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s};
        QVERIFY(QFile::setPermissions(m_dir->path(), QFile::permissions(m_dir->path()) |
                                                         QFile::ReadOther | QFile::ExeOther));
    }
    const auto run = [&](const QStringList &command) {
        const QStringList whole = user + command;
        return runProcess(whole.first(), whole.mid(1), withoutDisplay(), m_dir->path());
    };
    if (folder && (!run({u"true"_s}).succeeded() || run({u"ls"_s, name}).succeeded())) {
        QSKIP("this user reads a folder without permission, and no other can be taken");
    }
    const auto check = [&](const QStringList &arguments) {
        return run(QStringList{m_program} + arguments);
    };
    const QString named = path(name);

    const ProcessRun text = check({u"check"_s, u"set"_s});
    QVERIFY2(text.finished, "hung");
    QCOMPARE(text.exitCode, 1);
    QVERIFY2(text.err.startsWith(u"velmora: %1: "_s.arg(named)) && text.err.contains(why),
             qPrintable(text.err));
    QCOMPARE(text.out, kSoundSummary.describe(path(u"set/sound/skin.wms"_s)) + u'\n');

    const ProcessRun json = check({u"check"_s, u"--json"_s, u"set"_s});
    QCOMPARE(json.exitCode, 1);
    QJsonParseError error;
    const QJsonArray reports = QJsonDocument::fromJson(json.out.toUtf8(), &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(reports.size(), 2);
    const QJsonObject unread = reports.at(reports.at(0)[u"skin"_s] == named ? 0 : 1).toObject();
    QCOMPARE(unread[u"skin"_s].toString(), named);
    QCOMPARE(unread[u"readable"_s], QJsonValue(false));
    QCOMPARE(unread[u"reason"_s].toString(), why);
    QCOMPARE(unread[u"folder"_s].toBool(), folder);
}

void tst_SkinSets::renderRefusesSpecialOutput_data()
{
    QTest::addColumn<QString>("make"); // a shell line making "out"
    QTest::newRow("pipe") << u"mkfifo out"_s;
    QTest::newRow("folder") << u"mkdir out"_s;
    QTest::newRow("link to a pipe") << u"mkfifo pipe && ln -s pipe out"_s;
    // The node of /dev/null, made here: only root may make one.
    QTest::newRow("character device") << u"mknod out c 1 3"_s;
}

void tst_SkinSets::renderRefusesSpecialOutput()
{
    QFETCH(QString, make);
    if (!shell(make).succeeded()) {
        QSKIP("this user cannot make such a file here");
    }
    struct stat before {};
    QCOMPARE(::lstat(QFile::encodeName(path(u"out"_s)).constData(), &before), 0);

    const ProcessRun run = velmora({u"render"_s, u"sound.wmz"_s, u"out"_s});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(u"velmora: out: "_s), qPrintable(run.err));
    struct stat after {};
    QCOMPARE(::lstat(QFile::encodeName(path(u"out"_s)).constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mode, before.st_mode);
}

void tst_SkinSets::hostileTextsPrintedEscaped_data()
{
    // Shell lines; the skin's folder holds a quote, a backslash, a control
    // character and a byte that is no UTF-8.
    QTest::addColumn<QString>("script");
    const QString folder = u"d=$(printf 'x\"\\\\\\001\\377y') && trap 'rm -rf \"$d\"' EXIT && "
                           u"mkdir \"$d\" && cp -r a/. \"$d\" && "_s;
    QTest::newRow("json of a file") << folder + u"velmora check --json \"$d/skin.wms\""_s;
    QTest::newRow("json of a folder") << folder + u"velmora check --json \"$d\" a"_s;
    QTest::newRow("text") << folder + u"velmora check \"$d/skin.wms\""_s;
}

void tst_SkinSets::hostileTextsPrintedEscaped()
{
    QFETCH(QString, script);
    // Values that would retitle a terminal and hide what follows, printed in
    // the findings about them.
    QVERIFY(!writeSkinFolder(u"a"_s, kSound).isEmpty());
    QFile wms(path(u"a/skin.wms"_s));
    QVERIFY(wms.open(QIODevice::ReadWrite));
    const QByteArray text =
        wms.readAll()
            .replace("background.bmp\"", "background.bmp\x1b[8m\"")
            .replace("left=\"10\" transparencycolor=\"#FF0000\"",
                     "left=\"10\" transparencycolor=\"\x1b]2;owned\x07&#10;fake\"");
    QVERIFY(wms.resize(0) && wms.write(text) == text.size());
    wms.close();

    const ProcessRun run = shell(script);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(!run.out.contains(u'\x1b') && !run.out.contains(u'\x01') && !run.out.contains(u'\x07'),
             qPrintable(run.out));
    if (script.contains(u"--json"_s)) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(run.out));
        const QJsonObject report =
            document.isArray() ? document.array().at(0).toObject() : document.object();
        QVERIFY2(report[u"skin"_s].toString().contains(u"x\"\\\x01\uFFFDy/skin.wms"_s),
                 qPrintable(run.out));
    } else {
        QVERIFY2(run.out.contains(u"\\x1B[8m"_s) &&
                     run.out.contains(u"\\x1B]2;owned\\x07\\x0Afake"_s) &&
                     run.out.contains(u"x\"\\\\x01\uFFFDy"_s),
                 qPrintable(run.out));
    }
}

// Stopped from outside while it unpacks (Ctrl+C, a log-out), a command
// takes back what it made, then ends as the signal asks.
void tst_SkinSets::stoppedCommandTakesBackWhatItMade_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("made"); // what it makes: a folder and a pattern of names
    QTest::addColumn<int>("signal");
    QTest::newRow("check, SIGTERM")
        << QStringList{u"check"_s, u"big.wmz"_s} << u"tmp/*"_s << int(SIGTERM);
    QTest::newRow("unpack, SIGINT")
        << QStringList{u"unpack"_s, u"big.wmz"_s, u"out"_s} << u"out/*"_s << int(SIGINT);
    QTest::newRow("pack, SIGHUP") << QStringList{u"pack"_s, u"big/skin.wms"_s} << u"big/skin.wmz*"_s
                                  << int(SIGHUP);
}

void tst_SkinSets::stoppedCommandTakesBackWhatItMade()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, made);
    QFETCH(int, signal);
    // What the command takes: an archive of 180 MB, or a skin of pictures too
    // large to pack at once, that do not compress.
    if (arguments.constFirst() == u"pack"_s) {
        QVERIFY(!writeSkinFolder(u"big"_s, kSound).isEmpty());
        for (const char *name : {"background.bmp", "play.bmp"}) {
            QByteArray noise(qsizetype(80) << 20, Qt::Uninitialized);
            QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()),
                                          noise.size() / qsizetype(sizeof(quint32)));
            QVERIFY(ImageFiles::writeFile(path(u"big/"_s + QLatin1StringView(name)), noise));
        }
    } else {
        QList<TestArchive::Entry> entries = skinEntries(kSound);
        for (int i = 0; i < 3; ++i) {
            entries.append({"big" + QByteArray::number(i) + ".bmp",
                            QByteArray(qsizetype(60) << 20, '\0'), 0100644, true});
        }
        QVERIFY(TestArchive::write(path(u"big.wmz"_s), entries));
    }
    const QFileInfo watched(path(made));
    const auto madeNow = [&watched] {
        return QDir(watched.path())
            .entryList({watched.fileName()},
                       QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    QProcess command;
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(u"TMPDIR"_s, path(u"tmp"_s));
    command.setProcessEnvironment(environment);
    command.setWorkingDirectory(m_dir->path());
    command.start(m_program, arguments);
    QVERIFY(command.waitForStarted());
    // Stopped as soon as its first file shows.
    QElapsedTimer waited;
    waited.start();
    while (madeNow().isEmpty() && command.state() == QProcess::Running &&
           waited.elapsed() < 20000) {
        QThread::usleep(200);
    }
    if (command.state() != QProcess::Running) {
        QSKIP("the command was done before it could be stopped");
    }
    QCOMPARE(::kill(pid_t(command.processId()), signal), 0);
    QVERIFY(command.waitForFinished(20000));

    QCOMPARE(command.exitStatus(), QProcess::CrashExit);
    QCOMPARE(madeNow(), QStringList());
    QCOMPARE(folderEntries(path(u"tmp"_s)), QStringList());
    QVERIFY(!QFileInfo::exists(path(u"out"_s)));
    QCOMPARE(QDir(path(u"big"_s)).entryList({u".skin.wmz*"_s}, QDir::Files | QDir::Hidden),
             QStringList()); // nor a pack's lock
}

// What a command prints that never reaches its reader (a full disk here) is
// a failure, whatever the command found.
void tst_SkinSets::lostReportFails_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("check") << u"velmora check --json a"_s;
    QTest::newRow("pack") << u"velmora pack a/skin.wms"_s;
}

void tst_SkinSets::lostReportFails()
{
    QFETCH(QString, command);
    QVERIFY(!writeSkinFolder(u"a"_s, kSound).isEmpty());
    const ProcessRun run = shell(command + u" > /dev/full"_s);
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(u"標準出力に書き込めません"_s), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(tst_SkinSets)
#include "tst_skin_sets.moc"
