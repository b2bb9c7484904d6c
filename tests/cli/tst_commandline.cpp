// The command line as the real program, run without a display.
#include "../packaging/ArchiveContents.h"
#include "../packaging/SkinFolder.h"
#include "../packaging/TmpfsMount.h"
#include "../util/ImageFiles.h"
#include "CheckFindings.h"
#include "GifWriter.h"
#include "ProcessRun.h"
#include "ProgramFolder.h"
#include "packaging/PackFailure.h"
#include "util/EntryName.h"
#include "util/UserFile.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// A background of 100 x 80 with a button, a slider, a playlist, a track name
// and a video area on it, every image in another format.
const QString kPlay =
    uR"(<playbutton top="20" left="10" transparencycolor="#FF0000" image="play.bmp" downimage="" hoverimage="" cursor="hand"/>)"_s;
const QString kStop =
    uR"(<stopbutton top="20" left="40" transparencycolor="#FF0000" image="stop.gif" downimage="stop_down.png" hoverimage="" cursor="hand"/>)"_s;
const QString kClose =
    uR"(<closebutton top="20" left="70" transparencycolor="#FF0000" image="close.jpg" cursor="hand"/>)"_s;
const QString kSeek =
    uR"(<seekslider top="50" left="10" width="60" height="8" transparencycolor="#FF0000" backgroundimage="" thumbimage="thumb.gif" bordersize="4" direction="horizontal"/>)"_s;
const QString kPlaylist =
    uR"(<playlist top="0" left="0" width="30" height="15" foregroundcolor="#000000" backgroundcolor="#FFFFFF"/>)"_s;
const QString kTrack =
    uR"(<tracknametext top="65" left="5" width="90" fontsize="10" foregroundcolor="#000000" backgroundcolor="#FFFFFF" scrollingamount="5"/>)"_s;
const QString kEffects = uR"(<wmpeffects top="0" left="40" width="60" height="15"/>)"_s;

// Qt writes no GIF; the picture generator's writer does.
QByteArray gifFile(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(30, 160, 90));
    return encodeGif(image);
}

QString replaced(QString line, const QString &from, const QString &to)
{
    return line.replace(from, to);
}

} // namespace

class tst_CommandLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void versionAndHelp();
    void badArgumentsShowUsage_data();
    void badArgumentsShowUsage();
    void missingFileFails_data();
    void missingFileFails();
    void packWritesArchiveBeside();
    void caseTwinsAreReportedAndNotPacked();
    void packTakesOnlyWmsFiles_data();
    void packTakesOnlyWmsFiles();
    void packNamesTheCause_data();
    void packNamesTheCause();
    void namesAsTheSystemGivesThem_data();
    void namesAsTheSystemGivesThem();
    void checkReportsFindings_data();
    void checkReportsFindings();
    void checkReportsRefusedFile_data();
    void checkReportsRefusedFile();

private:
    ProcessRun velmora(const QStringList &arguments) const
    {
        return runProcess(m_program, arguments, withoutDisplay(), m_skins.path());
    }
    QString path(const QString &name) const { return QDir(m_skins.path()).filePath(name); }
    QString writeSkin(const QString &name, const QString &background, const QStringList &elements,
                      const QString &themeId = u"velmora"_s) const;

    QString m_program;
    QTemporaryDir m_skins;
};

Q_DECLARE_METATYPE(PackFailure::Kind)
Q_DECLARE_METATYPE(UserFile::Refusal)

void tst_CommandLine::initTestCase()
{
    m_program = QDir(programFolder()).filePath(u"velmora"_s);
    QVERIFY2(QFileInfo(m_program).isExecutable(), qPrintable(m_program));
    QVERIFY(m_skins.isValid());
    const struct {
        const char *name;
        QByteArray bytes;
    } images[] = {
        {"background.bmp", ImageFiles::qimageFile(100, 80, "BMP")},
        {"play.bmp", ImageFiles::qimageFile(20, 10, "BMP")},
        {"stop.gif", gifFile(20, 10)},
        {"stop_down.png", ImageFiles::qimageFile(20, 10, "PNG")},
        {"close.jpg", ImageFiles::jfifJpeg(20, 10)},
        {"thumb.gif", gifFile(8, 8)},
        // Decodes, but the header reader knows no such header.
        {"plain.ppm", ImageFiles::qimageFile(20, 10, "PPM")},
        // A BMP header with nothing behind it.
        {"broken.bmp", QByteArray("BM") + QByteArray(60, '\x07')},
        {"unrelated.bmp", ImageFiles::qimageFile(4, 4, "BMP")},
    };
    for (const auto &image : images) {
        QVERIFY(ImageFiles::writeFile(path(QString::fromLatin1(image.name)), image.bytes));
    }
}

QString tst_CommandLine::writeSkin(const QString &name, const QString &background,
                                   const QStringList &elements, const QString &themeId) const
{
    QStringList lines{
        uR"(<theme id="%1" title="t" author="" copyright="">)"_s.arg(themeId),
        uR"(<view title="t" titlebar="False" backgroundimage="%1" transparencycolor="#FF0000" backgroundcolor="none">)"_s
            .arg(background)};
    lines += elements;
    lines += {u"</view>"_s, u"</theme>"_s, QString()};
    const QString file = path(name);
    return ImageFiles::writeFile(file, lines.join(u"\r\n"_s).toUtf8()) ? file : QString();
}

void tst_CommandLine::versionAndHelp()
{
    const ProcessRun version = velmora({u"--version"_s});
    QVERIFY2(version.succeeded(), qPrintable(version.err));
    QCOMPARE(version.out,
             QStringLiteral(VELMORA_PRODUCT_TITLE " " VELMORA_VERSION "\n" VELMORA_COPYRIGHT "\n"));
    const ProcessRun help = velmora({u"--help"_s});
    QVERIFY2(help.succeeded(), qPrintable(help.err));
    for (const QString &command :
         {u"velmora pack SKIN.wms"_s, u"velmora unpack SKIN.wmz [FOLDER]"_s,
          u"velmora check SKIN..."_s, u"velmora render SKIN OUT.png"_s}) {
        QVERIFY2(help.out.contains(command), qPrintable(help.out));
    }
    QVERIFY(help.err.isEmpty());
}

void tst_CommandLine::badArgumentsShowUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    QTest::newRow("unknown option") << QStringList{u"--frob"_s} << u"Unknown option 'frob'."_s;
    QTest::newRow("unknown command")
        << QStringList{u"frob"_s, u"a.wms"_s} << u"unknown command \"frob\""_s;
    QTest::newRow("file missing") << QStringList{u"check"_s} << u"check takes SKIN..."_s;
    QTest::newRow("unpack, files too many") << QStringList{u"unpack"_s, u"a.wmz"_s, u"b"_s, u"c"_s}
                                            << u"unpack takes SKIN.wmz [FOLDER]"_s;
    QTest::newRow("version after the command")
        << QStringList{u"check"_s, u"-v"_s, u"a.wms"_s}
        << u"-v is an option of the program: it goes before the command"_s;
    QTest::newRow("help after the command")
        << QStringList{u"render"_s, u"a.wms"_s, u"--help"_s, u"a.png"_s}
        << u"--help is an option of the program: it goes before the command"_s;
    QTest::newRow("no such look") << QStringList{u"render"_s, u"--state"_s, u"sideways"_s,
                                                 u"a.wms"_s, u"a.png"_s}
                                  << u"--state takes normal, hover or pressed"_s;
    QTest::newRow("looks are render's")
        << QStringList{u"check"_s, u"--strict"_s, u"a.wms"_s}
        << u"--state, --sliders, --outlines, --shape and --strict go with render only"_s;
    QTest::newRow("file too many")
        << QStringList{u"pack"_s, u"a.wms"_s, u"b.wms"_s} << u"pack takes SKIN.wms"_s;
    QTest::newRow("render without its picture")
        << QStringList{u"render"_s, u"a.wms"_s} << u"render takes SKIN OUT.png"_s;
    QTest::newRow("json with pack")
        << QStringList{u"pack"_s, u"--json"_s, u"a.wms"_s} << u"--json goes with check only"_s;
    QTest::newRow("option alone") << QStringList{u"--json"_s} << u"no command given"_s;
}

void tst_CommandLine::badArgumentsShowUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    const ProcessRun run = velmora(arguments);
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.startsWith(u"velmora: "_s + reason + u"\n"_s), qPrintable(run.err));
    QVERIFY2(run.err.contains(u"Usage: "_s), qPrintable(run.err));
}

void tst_CommandLine::missingFileFails_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("pack") << u"pack"_s;
    QTest::newRow("check") << u"check"_s;
    QTest::newRow("render") << u"render"_s;
}

void tst_CommandLine::missingFileFails()
{
    QFETCH(QString, command);
    const QStringList files = command == u"render"_s ? QStringList{u"gone.wms"_s, u"gone.png"_s}
                                                     : QStringList{u"gone.wms"_s};
    const ProcessRun run = velmora(QStringList{command} + files);
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err,
             u"velmora: gone.wms: "_s + UserFile::refusalText(UserFile::Refusal::Missing) + u'\n');
    QVERIFY(!QFileInfo::exists(path(u"gone.wmz"_s)) && !QFileInfo::exists(path(u"gone.png"_s)));
}

void tst_CommandLine::packWritesArchiveBeside()
{
    // The skin's text mentions its own archive: once that exists, it must not
    // be taken for a file to pack.
    const QString skin = writeSkin(u"pack.wms"_s, u"background.bmp"_s,
                                   {kPlay, kStop, u"<!-- packed as pack.wmz -->"_s});
    QVERIFY(!skin.isEmpty());
    for (int time = 1; time <= 2; ++time) {
        const ProcessRun run = velmora({u"pack"_s, u"pack.wms"_s});
        QVERIFY2(run.succeeded(), qPrintable(run.err));
        QCOMPARE(run.out, path(u"pack.wmz"_s) + u'\n');
        QVERIFY(run.err.isEmpty());
    }
    const auto entries = ArchiveContents::read(path(u"pack.wmz"_s));
    QVERIFY(entries);
    // The skin and the images it names, nothing else of the folder.
    QCOMPARE(entries->keys(), (QStringList{u"background.bmp"_s, u"pack.wms"_s, u"play.bmp"_s,
                                           u"stop.gif"_s, u"stop_down.png"_s}));
    QCOMPARE(entries->value(u"play.bmp"_s), ImageFiles::qimageFile(20, 10, "BMP"));
}

// Two pictures whose names differ in case only would be one file where the
// player unpacks them: check says so, and pack makes no archive its own
// unpack would refuse.
void tst_CommandLine::caseTwinsAreReportedAndNotPacked()
{
    QVERIFY(QDir(m_skins.path()).mkdir(u"twins"_s));
    QVERIFY(QFile::copy(path(u"background.bmp"_s), path(u"twins/background.bmp"_s)));
    QVERIFY(QFile::copy(path(u"play.bmp"_s), path(u"twins/play.bmp"_s)));
    QVERIFY(QFile::copy(path(u"background.bmp"_s), path(u"twins/PLAY.BMP"_s)));
    QVERIFY(!writeSkin(u"twins/s.wms"_s, u"background.bmp"_s,
                       {kPlay, replaced(kPlay, u"playbutton"_s, u"stopbutton"_s)
                                   .replace(u"play.bmp"_s, u"PLAY.BMP"_s)})
                 .isEmpty());
    const QString why = caseTwinReason(u"play.bmp"_s);

    const ProcessRun check = velmora({u"check"_s, u"twins/s.wms"_s});
    QCOMPARE(check.exitCode, 1);
    SkinFinding twin =
        CheckFindings::finding(SkinFinding::Kind::UnsafeName, Slot::StopButton, u"image"_s);
    twin.image = path(u"twins/PLAY.BMP"_s);
    twin.value = why;
    QVERIFY2(check.out.contains(twin.describe()), qPrintable(check.out));
    const ProcessRun pack = velmora({u"pack"_s, u"twins/s.wms"_s});
    QCOMPARE(pack.exitCode, 1);
    QVERIFY2(pack.err.contains(PackFailure{PackFailure::Kind::UnsafeName, u"play.bmp"_s,
                                           caseTwinReason(u"PLAY.BMP"_s)}
                                   .message()
                                   .replace(u"\r\n"_s, u"\n"_s)),
             qPrintable(pack.err));
    QVERIFY(!QFileInfo::exists(path(u"twins/s.wmz"_s)));
}

// The archive would take the name of another file of the user's.
void tst_CommandLine::packTakesOnlyWmsFiles_data()
{
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("beside");
    QTest::newRow("a text file") << u"notes.txt"_s << u"notes.txz"_s;
    QTest::newRow("no extension") << u"skin"_s << u"skiz"_s;
    QTest::newRow("the archive's name itself") << u"s.wmz"_s << u"s.wmz"_s;
}

void tst_CommandLine::packTakesOnlyWmsFiles()
{
    QFETCH(QString, named);
    QFETCH(QString, beside);
    QVERIFY(!writeSkin(named, u"background.bmp"_s, {kPlay}).isEmpty());
    QVERIFY(ImageFiles::writeFile(path(beside), "the user's"));

    const ProcessRun run = velmora({u"pack"_s, named});

    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.err, u"velmora: %1: スキンファイル（.wms）を指定してください\n"_s.arg(named));
    QCOMPARE(SkinFolder::readFile(path(beside)), QByteArray("the user's"));
}

void tst_CommandLine::packNamesTheCause_data()
{
    using Kind = PackFailure::Kind;
    QTest::addColumn<QString>("folder"); // the skin's own folder
    QTest::addColumn<QString>("wms");
    QTest::addColumn<QString>("image"); // the play button's
    QTest::addColumn<QString>("setUp"); // what else the folder gets
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("subject"); // %1 the skin's folder
    QTest::addColumn<UserFile::Refusal>("refusal");

    const QString wms = u"s.wms"_s;
    const QString play = u"play.bmp"_s;
    const QString wmz = u"%1/s.wmz"_s;
    const auto none = UserFile::Refusal::Other; // no detail in the message
    QTest::newRow("image missing")
        << u"missing"_s << wms << u"gone.bmp"_s << QString() << Kind::ImageUnusable
        << u"%1/gone.bmp"_s << UserFile::Refusal::Missing;
    QTest::newRow("image is a folder")
        << u"dir"_s << wms << u"dir.bmp"_s << u"folder dir.bmp"_s << Kind::ImageUnusable
        << u"%1/dir.bmp"_s << UserFile::Refusal::NotAFile;
    QTest::newRow("quote and blank in the folder's name")
        << u"q\" x"_s << wms << play << QString() << Kind::NameNotCarried << wmz << none;
    QTest::newRow("line break in the skin's name")
        << u"lb"_s << u"a\nb.wms"_s << play << QString() << Kind::LineBreakInName << u"a\nb.wms"_s
        << none;
    QTest::newRow("image is the archive itself") << u"own"_s << wms << u"s.wmz"_s << QString()
                                                 << Kind::OwnArchiveAsImage << u"s.wmz"_s << none;
    // No old archive to replace: each stays as it is.
    QTest::newRow("a folder where the archive goes")
        << u"blocked"_s << wms << play << u"folder s.wmz"_s << Kind::PlaceNotAFile << wmz << none;
    QTest::newRow("a pipe where the archive goes")
        << u"pipe"_s << wms << play << u"pipe s.wmz"_s << Kind::PlaceNotAFile << wmz << none;
    QTest::newRow("a link to a device where the archive goes")
        << u"device"_s << wms << play << u"link s.wmz"_s << Kind::PlaceNotAFile << wmz << none;
    QTest::newRow("temporary folder missing")
        << u"tmp"_s << wms << play << u"TMPDIR"_s << Kind::TemporaryFolder << u"%1/gone"_s << none;
    QTest::newRow("disk full") << u"full"_s << wms << u"noise.bin"_s << u"tmpfs"_s << Kind::DiskFull
                               << wmz << none;
    QTest::newRow("read-only folder")
        << u"ro"_s << wms << play << u"tmpfs ro"_s << Kind::WriteDenied << wmz << none;
}

// Nothing is packed, and standard error says why, naming the file.
void tst_CommandLine::packNamesTheCause()
{
    QFETCH(QString, folder);
    QFETCH(QString, wms);
    QFETCH(QString, image);
    QFETCH(QString, setUp);
    QVERIFY(QDir(m_skins.path()).mkdir(folder));
    const QString dir = path(folder);
    std::optional<TmpfsMount> disk;
    if (setUp.startsWith(u"tmpfs"_s)) {
        disk.emplace(dir, u"256k"_s);
        if (!disk->isMounted()) {
            QSKIP(qPrintable(u"cannot mount a small tmpfs: "_s + disk->reason()));
        }
    }
    for (const QString &name : {u"background.bmp"_s, u"play.bmp"_s}) {
        QVERIFY(QFile::copy(path(name), dir + u'/' + name));
    }
    // Noise does not compress: the archive cannot fit where the file just did.
    QByteArray noise(150 * 1024, Qt::Uninitialized);
    for (char &byte : noise) {
        byte = char(QRandomGenerator::global()->generate());
    }
    QVERIFY(ImageFiles::writeFile(dir + u"/noise.bin"_s, noise));
    if (setUp.startsWith(u"folder "_s)) {
        QVERIFY(QDir(dir).mkdir(setUp.mid(7)));
    } else if (setUp == u"pipe s.wmz"_s) {
        QVERIFY(::mkfifo(QFile::encodeName(dir + u"/s.wmz"_s).constData(), 0600) == 0);
    } else if (setUp == u"link s.wmz"_s) {
        QVERIFY(QFile::link(u"/dev/null"_s, dir + u"/s.wmz"_s));
    }
    QVERIFY(!writeSkin(folder + u'/' + wms, u"background.bmp"_s,
                       {replaced(kPlay, u"play.bmp"_s, image)})
                 .isEmpty());
    if (setUp == u"tmpfs ro"_s) {
        QVERIFY2(disk->remountReadOnly(), qPrintable(disk->reason()));
    }
    QProcessEnvironment environment = withoutDisplay();
    if (setUp == u"TMPDIR"_s) {
        environment.insert(u"TMPDIR"_s, dir + u"/gone"_s);
    }

    const ProcessRun run = runProcess(m_program, {u"pack"_s, dir + u'/' + wms}, environment);

    QFETCH(PackFailure::Kind, kind);
    QFETCH(QString, subject);
    QFETCH(UserFile::Refusal, refusal);
    const QString detail =
        kind == PackFailure::Kind::ImageUnusable ? UserFile::refusalText(refusal) : QString();
    QString cause = PackFailure{kind, subject.replace(u"%1"_s, dir), detail}.message();
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(cause.replace(u"\r\n"_s, u"\n"_s)), qPrintable(run.err));
    // The pack's own message comes first, whatever the cause.
    QVERIFY2(run.err.contains(u"圧縮に失敗しました\n"_s + cause), qPrintable(run.err));
    QVERIFY(!QFileInfo(dir + u"/s.wmz"_s).isFile() || wms == u"s.wmz"_s);
}

void tst_CommandLine::namesAsTheSystemGivesThem_data()
{
    // Shell lines, so that the program gets the very bytes; "$skin" is the
    // skin's name in windows-31j bytes, as an old archive unpacks it.
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QString>("written"); // a file the run makes, in UTF-8

    QTest::newRow("check") << u"velmora check \"$skin\""_s << 0 << QString() << QString();
    QTest::newRow("render") << u"velmora render \"$skin\" sjis.png"_s << 0 << QString()
                            << u"sjis.png"_s;
    // The archive's name and the skin's name in it, in UTF-8.
    QTest::newRow("pack") << u"velmora pack \"$skin\""_s << 0 << QString() << u"スキン.wmz"_s;
    QTest::newRow("folder in windows-31j bytes")
        << u"mkdir -p \"$skin.d\" && cp background.bmp play.bmp \"$skin.d\" && "
           u"cp \"$skin\" \"$skin.d/s.wms\" && velmora check \"$skin.d/s.wms\""_s
        << 0 << QString() << QString();
    // Read as windows-31j, it would be written under other bytes than given.
    QTest::newRow("render to a name not in UTF-8")
        << u"velmora render \"$skin\" \"$skin.png\""_s << 1 << u"UTF-8 で指定してください"_s
        << QString();
    QTest::newRow("bytes of no code page")
        << u"velmora check \"$(printf '\\377\\376.wms')\""_s << 1
        << u"UTF-8 でも windows-31j でもありません"_s << QString();
    // Deeper than the longest path the system takes.
    QTest::newRow("current folder too long")
        << u"for i in $(seq 25); do mkdir $deep && cd $deep; done; velmora pack s.wms"_s << 1
        << u"現在のフォルダのパスがシステムの扱える長さを超えています"_s << QString();
}

void tst_CommandLine::namesAsTheSystemGivesThem()
{
    QFETCH(QString, script);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QFETCH(QString, written);
    QVERIFY(!writeSkin(u"sjis-source.wms"_s, u"background.bmp"_s, {kPlay}).isEmpty());
    // What it makes goes with the shell: no name of the test's can reach
    // those files (lost bytes, or deeper than a path may be).
    const QString prologue =
        u"velmora() { \"%1\" \"$@\"; }; skin=$(printf '\\203X\\203L\\203\\223.wms'); "
        u"deep=$(printf 'd%.0s' $(seq 200)); trap 'cd \"%2\" && rm -rf \"$skin\" \"$skin.d\" "
        u"$deep' EXIT; "
        u"cp sjis-source.wms \"$skin\" && "_s.arg(m_program, m_skins.path());

    const ProcessRun run =
        runProcess(u"bash"_s, {u"-c"_s, prologue + script}, withoutDisplay(), m_skins.path());

    QVERIFY(run.finished);
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
    QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.contains(err), qPrintable(run.err));
    if (!written.isEmpty()) {
        QVERIFY(QFileInfo(path(written)).size() > 0);
    }
    if (written.endsWith(u".wmz"_s)) {
        const auto entries = ArchiveContents::read(path(written));
        QVERIFY(entries);
        QVERIFY(entries->contains(u"スキン.wms"_s));
    }
}

void tst_CommandLine::checkReportsFindings_data()
{
    using Kind = SkinFinding::Kind;
    using namespace CheckFindings;
    QTest::addColumn<QString>("background");
    QTest::addColumn<QStringList>("elements");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("kinds");

    const QSize back(100, 80);
    const QStringList sound{kPlay, kStop, kClose, kSeek, kPlaylist, kTrack, kEffects};
    QTest::newRow("sound") << u"background.bmp"_s << sound << QStringList() << QStringList();
    QTest::newRow("missing image")
        << u"background.bmp"_s << QStringList{replaced(kPlay, u"play.bmp"_s, u"gone.bmp"_s)}
        << QStringList{picture(Kind::MissingImage, Slot::PlayButton, u"image"_s,
                               path(u"gone.bmp"_s))}
        << QStringList{u"missing-image"_s};
    QTest::newRow("no image named")
        << u"background.bmp"_s << QStringList{replaced(kClose, u"close.jpg"_s, QString())}
        << QStringList{picture(Kind::MissingImage, Slot::CloseButton, u"image"_s, QString())}
        << QStringList{u"missing-image"_s};
    QTest::newRow("missing optional image")
        << u"background.bmp"_s
        << QStringList{replaced(kStop, u"stop_down.png"_s, u"gone_down.png"_s)}
        << QStringList{picture(Kind::MissingImage, Slot::StopButton, u"downimage"_s,
                               path(u"gone_down.png"_s))}
        << QStringList{u"missing-image"_s};
    QTest::newRow("missing background, nothing placed")
        << u"gone.bmp"_s << QStringList{replaced(kPlay, u"left=\"10\""_s, u"left=\"500\""_s)}
        << QStringList{picture(Kind::MissingImage, Slot::View, u"backgroundimage"_s,
                               path(u"gone.bmp"_s))}
        << QStringList{u"missing-image"_s};
    QTest::newRow("undecodable image")
        << u"background.bmp"_s << QStringList{replaced(kPlay, u"play.bmp"_s, u"broken.bmp"_s)}
        << QStringList{picture(Kind::UndecodableImage, Slot::PlayButton, u"image"_s,
                               path(u"broken.bmp"_s))}
        << QStringList{u"undecodable-image"_s};
    QTest::newRow("a format skins are not made of, not placed")
        << u"background.bmp"_s
        << QStringList{replaced(replaced(kPlay, u"play.bmp"_s, u"plain.ppm"_s), u"left=\"10\""_s,
                                u"left=\"500\""_s)}
        << QStringList{picture(Kind::UndecodableImage, Slot::PlayButton, u"image"_s,
                               path(u"plain.ppm"_s))}
        << QStringList{u"undecodable-image"_s};
    QTest::newRow("button partly outside")
        << u"background.bmp"_s << QStringList{replaced(kPlay, u"left=\"10\""_s, u"left=\"90\""_s)}
        << QStringList{place(Kind::PartlyOutside, Slot::PlayButton, {90, 20, 20, 10}, back)}
        << QStringList{u"partly-outside"_s};
    // The player would draw it, cut off; the editor's save does not take the place.
    QTest::newRow("button wholly outside, left of it")
        << u"background.bmp"_s << QStringList{replaced(kStop, u"left=\"40\""_s, u"left=\"-20\""_s)}
        << QStringList{value(Kind::BadNumber, Slot::StopButton, u"left"_s, u"-20"_s),
                       place(Kind::WhollyOutside, Slot::StopButton, {-20, 20, 20, 10}, back)}
        << QStringList{u"bad-number"_s, u"wholly-outside"_s};
    QTest::newRow("slider by its width")
        << u"background.bmp"_s << QStringList{replaced(kSeek, u"width=\"60\""_s, u"width=\"95\""_s)}
        << QStringList{place(Kind::PartlyOutside, Slot::SeekSlider, {10, 50, 95, 8}, back)}
        << QStringList{u"partly-outside"_s};
    QTest::newRow("track name below")
        << u"background.bmp"_s << QStringList{replaced(kTrack, u"top=\"65\""_s, u"top=\"80\""_s)}
        << QStringList{place(Kind::WhollyOutside, Slot::TrackNameText, {5, 80, 90, 0}, back)}
        << QStringList{u"wholly-outside"_s};
    QTest::newRow("video area and playlist, in slot order")
        << u"background.bmp"_s
        << QStringList{replaced(kEffects, u"height=\"15\""_s, u"height=\"81\""_s),
                       replaced(kPlaylist, u"top=\"0\""_s, u"top=\"70\""_s)}
        << QStringList{place(Kind::PartlyOutside, Slot::Playlist, {0, 70, 30, 15}, back),
                       place(Kind::PartlyOutside, Slot::Effects, {40, 0, 60, 81}, back)}
        << QStringList{u"partly-outside"_s, u"partly-outside"_s};
    QTest::newRow("colour and place the editor does not take")
        << u"background.bmp"_s
        << QStringList{replaced(kPlay, u"#FF0000"_s, u"red"_s),
                       replaced(kStop, u"top=\"20\""_s, u"top=\"\""_s)}
        << QStringList{value(Kind::BadColour, Slot::PlayButton, u"transparencycolor"_s, u"red"_s),
                       value(Kind::BadNumber, Slot::StopButton, u"top"_s, QString())}
        << QStringList{u"bad-colour"_s, u"bad-number"_s};
}

void tst_CommandLine::checkReportsFindings()
{
    QFETCH(QString, background);
    QFETCH(QStringList, elements);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, kinds);
    const QString name =
        u"check_%1.wms"_s.arg(QString::fromLatin1(QTest::currentDataTag())).replace(u' ', u'_');
    QVERIFY(!writeSkin(name, background, elements).isEmpty());

    const ProcessRun text = velmora({u"check"_s, name});
    QVERIFY(text.finished);
    QCOMPARE(text.exitCode, expected.isEmpty() ? 0 : 1);
    QVERIFY2(text.err.isEmpty(), qPrintable(text.err));
    // A sound skin gets one line: how many elements and pictures were checked.
    // The elements and the view; the background and the five pictures they name.
    const SkinSummary summary{int(elements.size()) + 1, 6};
    if (expected.isEmpty()) {
        QCOMPARE(text.out, summary.describe(path(name)) + u'\n');
    } else {
        QCOMPARE(text.out, expected.join(u'\n') + u'\n');
    }

    const ProcessRun json = velmora({u"check"_s, u"--json"_s, name});
    QCOMPARE(json.exitCode, text.exitCode);
    QJsonParseError error;
    const QJsonObject report = QJsonDocument::fromJson(json.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(report.value(u"skin"_s).toString(), path(name));
    QCOMPARE(report.value(u"readable"_s).toBool(), true);
    if (expected.isEmpty()) {
        QCOMPARE(report.value(u"elements"_s).toInt(), summary.elements);
        QCOMPARE(report.value(u"pictures"_s).toInt(), summary.pictures);
    }
    QStringList messages;
    QStringList foundKinds;
    const QJsonArray findings = report.value(u"findings"_s).toArray();
    for (const QJsonValue &finding : findings) {
        messages.append(finding[u"message"_s].toString());
        foundKinds.append(finding[u"kind"_s].toString());
    }
    QCOMPARE(messages, expected);
    QCOMPARE(foundKinds, kinds);
}

void tst_CommandLine::checkReportsRefusedFile_data()
{
    QTest::addColumn<QString>("themeId");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("message");
    QTest::newRow("foreign") << u"other"_s << kPlay << u"編集不可能なスキンファイルです"_s;
    // The picture exists, but outside the skin's folder: a skin may only
    // name files of its own folder.
    QTest::newRow("image outside the folder")
        << u"velmora"_s
        << replaced(kPlay, u"play.bmp"_s, u"../%1/play.bmp"_s.arg(m_skins.path().section(u'/', -1)))
        << u"要素の取得に失敗しました"_s;
}

void tst_CommandLine::checkReportsRefusedFile()
{
    QFETCH(QString, themeId);
    QFETCH(QString, element);
    QFETCH(QString, message);
    const QString skin = writeSkin(u"refused.wms"_s, u"background.bmp"_s, {element}, themeId);
    const ProcessRun text = velmora({u"check"_s, skin});
    QCOMPARE(text.exitCode, 1);
    QVERIFY(text.out.isEmpty());
    QCOMPARE(text.err, u"ファイルを開く: "_s + message + u'\n');

    const ProcessRun json = velmora({u"check"_s, u"--json"_s, skin});
    QCOMPARE(json.exitCode, 1);
    const QJsonObject report = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QCOMPARE(report.value(u"readable"_s), QJsonValue(false));
    QCOMPARE(report.value(u"reason"_s), QJsonValue(message));
    QCOMPARE(report.value(u"findings"_s), QJsonValue(QJsonArray()));
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
