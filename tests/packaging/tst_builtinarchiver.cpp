#include "ArchiveContents.h"
#include "GifWriter.h"
#include "SkinFolder.h"
#include "packaging/BuiltInArchiver.h"
#include "packaging/MemberPipeline.h"
#include "packaging/MemberSource.h"
#include "packaging/PackFailure.h"
#include "packaging/PackLimits.h"
#include "packaging/ZipCommandLine.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

// The built-in archiver: how it reads the packager's command line, and the
// archives it writes from command lines and list files, read back and checked
// by Info-ZIP.
class tst_builtinarchiver : public QObject {
    Q_OBJECT

private slots:
    void memberChangedWhilePackedIsNamed_data();
    void memberChangedWhilePackedIsNamed();
    void parsesCommands_data();
    void parsesCommands();
    void refusesCommands_data();
    void refusesCommands();
    void readsListNames_data();
    void readsListNames();
    void packsListedFiles_data();
    void packsListedFiles();
    void failsWithoutLeavingAnything_data();
    void failsWithoutLeavingAnything();
    void bareArchiveNameLandsInCurrentFolder();
    void storesWhatDeflateCannotShrink_data();
    void storesWhatDeflateCannotShrink();
    void readsOnlyRegularFilesInsideTheFolder_data();
    void readsOnlyRegularFilesInsideTheFolder();
};

namespace {
// A skin folder with names that need quoting, a file nobody lists and a
// subfolder; returns the files a list naming all of them packs.
QMap<QString, QByteArray> makeSkin(const QString &folder)
{
    QMap<QString, QByteArray> files;
    quint32 seed = 1;
    for (const QString &name : {u"play.bmp"_s, u"my button.bmp"_s, u"再生.bmp"_s, u"a,b.bmp"_s}) {
        files.insert(name, SkinFolder::imageBytes(seed, 3000 + 500 * seed));
        ++seed;
    }
    files.insert(u"skin.wms"_s, AnsiText::encode(u"<theme>\r\n</theme>\r\n"_s));
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        SkinFolder::writeFile(folder + u'/' + it.key(), it.value());
    }
    SkinFolder::writeFile(folder + u"/unlisted.bmp"_s, "not packed");
    QDir(folder).mkdir(u"sub"_s);
    return files;
}

// Packs the files named (one a line) in skin into skin/skin.wmz.
qint32 packNames(Archiver &archiver, const QString &skin, const QString &names)
{
    const QString listFile = skin + u"/../list.tmp"_s;
    if (!SkinFolder::writeAnsi(listFile, names)) {
        return -1;
    }
    return archiver.zip(QFile::encodeName(u"-r -D -v %1/skin.wmz %1/ @%2 "_s.arg(skin, listFile)));
}

QByteArray bmpHeaded(QByteArray pixels)
{
    return QByteArray("BM", 2) + pixels;
}

QByteArray picture(const char *format, int quality = -1)
{
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(qRgb(30, 160, 90));
    if (qstrcmp(format, "GIF") == 0) {
        return encodeGif(image);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

QByteArray noise(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(42);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}
} // namespace

void tst_builtinarchiver::parsesCommands_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("archive");
    QTest::addColumn<QString>("baseFolder");
    QTest::addColumn<QStringList>("listFiles");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("bare, as the packager writes it")
        << u"-r -D -v /s/blue/blue.wmz /s/blue/ @/tmp/0abc.tmp "_s << u"/s/blue/blue.wmz"_s
        << u"/s/blue/"_s << QStringList{u"/tmp/0abc.tmp"_s} << QStringList();
    QTest::newRow("quoted pieces")
        << u"-r -D -v \"/my skins/a,b.wmz\" \"/my skins/\" \"@/t m/0a.tmp\" "_s
        << u"/my skins/a,b.wmz"_s << u"/my skins/"_s << QStringList{u"/t m/0a.tmp"_s}
        << QStringList();
    // A quote is part of a quoted name unless a blank or the line's end follows.
    QTest::newRow("quote inside a quoted piece")
        << u"\"/a \"b/x.wmz\" \"/a \"b/\" @l"_s << u"/a \"b/x.wmz"_s << u"/a \"b/"_s
        << QStringList{u"l"_s} << QStringList();
    // Only a blank makes a name need quotes, so a tab belongs to the name.
    QTest::newRow("tab in a bare piece") << u"/s/a\tb/x.wmz /s/a\tb/ @l"_s << u"/s/a\tb/x.wmz"_s
                                         << u"/s/a\tb/"_s << QStringList{u"l"_s} << QStringList();
    QTest::newRow("combined switches, runs of blanks, plain names")
        << u"  -Dvr   a.wmz /d/ x.bmp @l1  @l2  "_s << u"a.wmz"_s << u"/d/"_s
        << QStringList{u"l1"_s, u"l2"_s} << QStringList{u"x.bmp"_s};
    QTest::newRow("no switches") << u"a.wmz /d/ @l"_s << u"a.wmz"_s << u"/d/"_s
                                 << QStringList{u"l"_s} << QStringList();
}

void tst_builtinarchiver::parsesCommands()
{
    QFETCH(QString, line);
    const std::optional<ZipCommandLine::Command> command = ZipCommandLine::parse(line);
    QVERIFY(command);
    QTEST(command->archive, "archive");
    QTEST(command->baseFolder, "baseFolder");
    QTEST(command->listFiles, "listFiles");
    QTEST(command->names, "names");
}

void tst_builtinarchiver::refusesCommands_data()
{
    QTest::addColumn<QString>("line");

    QTest::newRow("nothing to pack") << u"-r -D -v a.wmz /d/ "_s;
    // Found by fuzzing: the empty piece was counted as a name, then dropped.
    QTest::newRow("empty quoted piece as the only name") << u"e / \"\""_s;
    QTest::newRow("empty quoted piece among names") << u"e / \"\" a.bmp"_s;
    QTest::newRow("empty quoted base folder") << u"e \"\" @l"_s;
    QTest::newRow("at sign alone") << u"e / @"_s;
    QTest::newRow("quote left open") << u"e / \"a b"_s;
}

void tst_builtinarchiver::refusesCommands()
{
    QFETCH(QString, line);
    QVERIFY(!ZipCommandLine::parse(line));
}

void tst_builtinarchiver::readsListNames_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("bare and quoted")
        << QByteArray("play.bmp\r\n\"my play.bmp\"\r\n\"a,b.bmp\"\r\nskin.wms\r\n")
        << QStringList{u"play.bmp"_s, u"my play.bmp"_s, u"a,b.bmp"_s, u"skin.wms"_s};
    // Found by fuzzing: the packager writes a name without blank or comma
    // bare, so its quotes are part of the name.
    QTest::newRow("name in quotes of its own")
        << QByteArray("\"x\"\r\nskin.wms") << QStringList{u"\"x\""_s, u"skin.wms"_s};
    QTest::newRow("quoted name in quotes of its own")
        << QByteArray("\"\"a b\"\"\r\nskin.wms") << QStringList{u"\"a b\""_s, u"skin.wms"_s};
    QTest::newRow("lone quote") << QByteArray("\"\r\n") << QStringList{u"\""_s};
    // Found by fuzzing: a name beginning with U+FEFF lost it behind the mark.
    QTest::newRow("UTF-8 name beginning with U+FEFF")
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFplay.bmp\r\ncaf\xC3\xA9.wms")
        << QStringList{u"\uFEFFplay.bmp"_s, u"café.wms"_s};
}

void tst_builtinarchiver::readsListNames()
{
    QFETCH(QByteArray, list);
    QTEST(ZipCommandLine::listNames(ZipCommandLine::decodeList(list)), "names");
}

void tst_builtinarchiver::packsListedFiles_data()
{
    QTest::addColumn<QString>("list");

    QTest::newRow("CR LF, blank lines, WMS twice")
        << u"a,b.bmp\r\n\r\n\"my button.bmp\"\r\nplay.bmp\r\nskin.wms\r\n再生.bmp\r\nskin.wms\r\n"_s;
    QTest::newRow("CR LF without final line end")
        << u"\"a,b.bmp\"\r\n\"my button.bmp\"\r\nplay.bmp\r\n再生.bmp\r\nskin.wms"_s;
    QTest::newRow("LF, everything quoted")
        << u"\"a,b.bmp\"\n\"my button.bmp\"\n\"play.bmp\"\n\"再生.bmp\"\n\"skin.wms\"\n"_s;
    // A name outside windows-31j makes the packager write UTF-8 behind a mark.
    QTest::newRow("UTF-8 list") << u"\xFEFF"
                                   u"a,b.bmp\nmy button.bmp\nplay.bmp\n再生.bmp\nskin.wms"_s;
}

void tst_builtinarchiver::packsListedFiles()
{
    QFETCH(QString, list);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString skin = dir.filePath(u"my skin"_s);
    QVERIFY(QDir().mkdir(skin));
    const QMap<QString, QByteArray> files = makeSkin(skin);
    const QString listFile = dir.filePath(u"0list.tmp"_s);
    QVERIFY(SkinFolder::writeFile(listFile, list.startsWith(u'\xFEFF') ? list.toUtf8()
                                                                       : AnsiText::encode(list)));
    const QString archive = skin + u"/skin.wmz"_s;
    const QString line = u"-r -D -v \"%1\" \"%2/\" \"@%3\" "_s.arg(archive, skin, listFile);

    QCOMPARE(makeBuiltInArchiver()->zip(QFile::encodeName(line)), 0);

    const auto entries = ArchiveContents::read(archive);
    QVERIFY(entries);
    QCOMPARE(*entries, files); // bare names, each once, no folder entries, same bytes
    QCOMPARE(SkinFolder::listing(skin).size(), files.size() + 3); // + unlisted, sub, archive
}

void tst_builtinarchiver::failsWithoutLeavingAnything_data()
{
    // %1 is the skin folder, %2 the list file; the list names the skin's files.
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("list");

    const QString good = u"play.bmp\r\nskin.wms\r\n"_s;
    const QString archive = u"-r -D -v \"%1/skin.wmz\" \"%1/\" "_s;
    const QString usual = archive + u"\"@%2\" "_s;
    QTest::newRow("listed file missing") << usual << u"play.bmp\r\ngone.bmp\r\nskin.wms\r\n"_s;
    QTest::newRow("listed name is a folder") << usual << u"sub\r\nskin.wms"_s;
    QTest::newRow("name leaving the folder") << usual << u"play.bmp\r\n../skin.wms\r\n"_s;
    QTest::newRow("absolute name") << usual << u"%1/play.bmp\r\n"_s;
    // Names that another system reads as paths or devices.
    QTest::newRow("name climbing by backslashes") << usual << u"..\\..\\evil.bmp\r\nskin.wms"_s;
    QTest::newRow("device name") << usual << u"play.bmp\r\nCON.bmp\r\nskin.wms"_s;
    QTest::newRow("lone quote as a name") << usual << u"\"\r\nskin.wms\r\n"_s;
    QTest::newRow("empty list") << usual << u"\r\n"_s;
    QTest::newRow("list file missing") << archive + u"\"@%2.gone\" "_s << good;
    QTest::newRow("target folder missing")
        << u"-r -D -v \"%1/none/skin.wmz\" \"%1/\" \"@%2\" "_s << good;
    // The archive would take the place of a file it has to hold.
    QTest::newRow("target is a listed file")
        << u"-r -D -v \"%1/skin.wms\" \"%1/\" \"@%2\" "_s << good;
    // Written whole, then refused its place: only what was written goes.
    QTest::newRow("target is a folder") << u"-r -D -v \"%1/sub\" \"%1/\" \"@%2\" "_s << good;
    // Command lines the archiver cannot read.
    QTest::newRow("empty command line") << QString() << good;
    QTest::newRow("switches only") << u"-r -D -v "_s << good;
    QTest::newRow("no files") << archive << good;
    QTest::newRow("unknown switch") << u"-r -x "_s + archive.mid(9) + u"\"@%2\" "_s << good;
    QTest::newRow("base folder without separator")
        << u"-r -D -v \"%1/skin.wmz\" \"%1\" \"@%2\" "_s << good;
    QTest::newRow("unclosed quote") << u"-r -D -v \"%1/skin.wmz %1/ @%2 "_s << good;
    QTest::newRow("at sign alone") << archive + u"@ "_s << good;
    QTest::newRow("empty archive name") << u"-r -D -v \"\" \"%1/\" \"@%2\" "_s << good;
}

void tst_builtinarchiver::failsWithoutLeavingAnything()
{
    QFETCH(QString, line);
    QFETCH(QString, list);
    for (const bool withOldArchive : {false, true}) {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString skin = dir.filePath(u"skin"_s);
        QVERIFY(QDir().mkdir(skin));
        makeSkin(skin);
        const QString listFile = dir.filePath(u"list.tmp"_s);
        QVERIFY(SkinFolder::writeAnsi(listFile, QString(list).replace(u"%1"_s, skin)));
        const QByteArray old = "an archive the user made earlier";
        if (withOldArchive) {
            QVERIFY(SkinFolder::writeFile(skin + u"/skin.wmz"_s, old));
        }
        const QStringList before = SkinFolder::listing(skin);

        const qint32 result = makeBuiltInArchiver()->zip(
            QFile::encodeName(QString(line).replace(u"%1"_s, skin).replace(u"%2"_s, listFile)));

        QVERIFY(result != 0);
        QCOMPARE(SkinFolder::listing(skin), before);
        if (withOldArchive) {
            QCOMPARE(SkinFolder::readFile(skin + u"/skin.wmz"_s), old);
        }
    }
}

void tst_builtinarchiver::bareArchiveNameLandsInCurrentFolder()
{
    QTemporaryDir skin;
    QTemporaryDir current;
    QVERIFY(skin.isValid() && current.isValid());
    makeSkin(skin.path());
    const QString listFile = skin.filePath(u"list.tmp"_s);
    QVERIFY(SkinFolder::writeAnsi(listFile, u"skin.wms"_s));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(current.path()));
    const qint32 result = makeBuiltInArchiver()->zip(
        QFile::encodeName(u"-r -D -v a.wmz "_s + skin.path() + u"/ @"_s + listFile));
    QDir::setCurrent(previous);
    QCOMPARE(result, 0);
    const auto entries = ArchiveContents::read(current.filePath(u"a.wmz"_s));
    QVERIFY(entries);
    QCOMPARE(entries->keys(), QStringList{u"skin.wms"_s});
}

// A member too large to hold whole is measured when it is opened and read
// while the archive is written: one that shrinks or grows in between is named
// with what happened (it was reported as the archive failing to be written).
void tst_builtinarchiver::memberChangedWhilePackedIsNamed_data()
{
    QTest::addColumn<qint64>("sizeAfter");
    const qint64 measured = PackLimits::kWholeMemberBytes + 4096;
    QTest::newRow("shrank") << measured / 3;
    QTest::newRow("grew") << measured + 4096;
}

void tst_builtinarchiver::memberChangedWhilePackedIsNamed()
{
    QFETCH(qint64, sizeAfter);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString member = dir.filePath(u"big.bmp"_s);
    QVERIFY(SkinFolder::writeFile(
        member, bmpHeaded(QByteArray(qsizetype(PackLimits::kWholeMemberBytes) + 4096 - 54, 'b'))));
    MemberPipeline pipeline({member});
    QVERIFY(!pipeline.wait(0).whole); // opened and measured, not yet read
    QFile changed(member);
    QVERIFY(changed.open(QIODevice::ReadWrite) && changed.resize(sizeAfter));
    changed.close();

    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(dir.filePath(u"out.wmz"_s)).constData(),
                          ZIP_CREATE | ZIP_EXCL, &error);
    QVERIFY(zip);
    zip_source_t *source = makeMemberSource(pipeline, 0, zip_get_error(zip));
    QVERIFY(source && zip_file_add(zip, "big.bmp", source, ZIP_FL_ENC_UTF_8) == 0);
    QVERIFY(zip_close(zip) != 0);
    zip_discard(zip);

    QCOMPARE(pipeline.failedIndex(), 0);
    const std::optional<PackFailure::Kind> cause = archiverCause(pipeline.wait(0).failure);
    QCOMPARE(cause, PackFailure::Kind::MemberChanged);
    QVERIFY(!QFileInfo::exists(dir.filePath(u"out.wmz"_s)));
}

void tst_builtinarchiver::storesWhatDeflateCannotShrink_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("method");

    const qsizetype large = qsizetype(PackLimits::kWholeMemberBytes) + 4096;
    QTest::newRow("plain BMP") << u"plain.bmp"_s << bmpHeaded(QByteArray(60000, '\x11'))
                               << ZIP_CM_DEFLATE;
    QTest::newRow("BMP of noise") << u"noise.bmp"_s << bmpHeaded(noise(60000)) << ZIP_CM_STORE;
    // Written without compression of its own, so that deflate would shrink it.
    QTest::newRow("PNG called .bmp") << u"misnamed.bmp"_s << picture("PNG", 100) << ZIP_CM_STORE;
    QTest::newRow("JPEG") << u"photo.jpg"_s << picture("JPEG") << ZIP_CM_STORE;
    QTest::newRow("GIF") << u"anim.gif"_s << picture("GIF") << ZIP_CM_STORE;
    QTest::newRow("text called .jpg") << u"notes.jpg"_s << QByteArray(5000, 'a') << ZIP_CM_DEFLATE;
    QTest::newRow("empty file") << u"empty.bmp"_s << QByteArray() << ZIP_CM_STORE;
    QTest::newRow("BMP too large to hold whole")
        << u"huge.bmp"_s << bmpHeaded(QByteArray(large, '\x22')) << ZIP_CM_DEFLATE;
    QTest::newRow("JPEG too large to hold whole")
        << u"huge.jpg"_s << QByteArray("\xFF\xD8\xFF\xE0", 4) + noise(large) << ZIP_CM_STORE;
}

// Stored or deflated by the bytes, never by the name; either way the archive
// passes Info-ZIP's test and holds each file's bytes, in the listed order.
void tst_builtinarchiver::storesWhatDeflateCannotShrink()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, method);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString skin = dir.filePath(u"skin"_s);
    QVERIFY(QDir().mkdir(skin));
    const QByteArray wms = AnsiText::encode(u"<theme image=\"%1\"/>\r\n"_s.arg(name));
    QVERIFY(SkinFolder::writeFile(skin + u'/' + name, bytes));
    QVERIFY(SkinFolder::writeFile(skin + u"/skin.wms"_s, wms));
    if (name == u"misnamed.bmp"_s) {
        QVERIFY(qCompress(bytes).size() < bytes.size() * 9 / 10); // deflate would gain
    }

    QCOMPARE(packNames(*makeBuiltInArchiver(), skin, name + u"\r\nskin.wms"_s), 0);

    QMap<QString, int> methods;
    const auto entries = ArchiveContents::read(skin + u"/skin.wmz"_s, &methods);
    QVERIFY(entries);
    QCOMPARE(entries->value(name), bytes);
    QCOMPARE(entries->value(u"skin.wms"_s), wms);
    QCOMPARE(methods.value(name), method);
}

void tst_builtinarchiver::readsOnlyRegularFilesInsideTheFolder_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("closesList"); // as the skin file does
    QTest::addColumn<qint32>("result");

    QTest::newRow("link leading outside")
        << u"outside"_s << false << qint32(ArchiverResult::OutsideFolder);
    QTest::newRow("link leading inside") << u"inside"_s << false << qint32(ArchiverResult::Success);
    QTest::newRow("pipe") << u"pipe"_s << false << qint32(ArchiverResult::FileMissing);
    // The user picked the skin file by that name, wherever it leads.
    QTest::newRow("skin file linked from outside")
        << u"outside"_s << true << qint32(ArchiverResult::Success);
}

// The archiver opens each member once and checks the open file; a refusal
// names the member.
void tst_builtinarchiver::readsOnlyRegularFilesInsideTheFolder()
{
    QFETCH(QString, kind);
    QFETCH(qint32, result);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString skin = dir.filePath(u"skin"_s);
    QVERIFY(QDir().mkdir(skin));
    makeSkin(skin);
    QVERIFY(SkinFolder::writeFile(dir.filePath(u"secret.txt"_s), "not for sharing"));
    const QString member = skin + u"/member.bmp"_s;
    if (kind == u"pipe"_s) {
        QCOMPARE(::mkfifo(QFile::encodeName(member).constData(), 0600), 0);
    } else {
        QVERIFY(QFile::link(
            kind == u"inside"_s ? skin + u"/play.bmp"_s : dir.filePath(u"secret.txt"_s), member));
    }
    const std::unique_ptr<Archiver> archiver = makeBuiltInArchiver();

    QFETCH(bool, closesList);
    const QString list = closesList ? u"play.bmp\r\nskin.wms\r\nmember.bmp"_s
                                    : u"play.bmp\r\nmember.bmp\r\nskin.wms"_s;

    QCOMPARE(packNames(*archiver, skin, list), result);

    QCOMPARE(QFileInfo::exists(skin + u"/skin.wmz"_s), result == ArchiverResult::Success);
    QCOMPARE(archiver->failedName(),
             result == ArchiverResult::Success ? QString() : u"member.bmp"_s);
}

QTEST_GUILESS_MAIN(tst_builtinarchiver)
#include "tst_builtinarchiver.moc"
