// Hostile files: whatever a skin or a user names, the program never hangs,
// never crashes, never reads or packs a file outside the skin's folder and
// never overwrites its own inputs. Anything that could hang runs in a child
// process (this program with --child, or the real velmora) under the test's
// own time limit.
#include "ArchiveContents.h"
#include "CheckFindings.h"
#include "ImageFiles.h"
#include "ProcessRun.h"
#include "ProgramFolder.h"
#include "RecordingMessageSink.h"
#include "chooser/PicturePreview.h"
#include "document/clsFileControl.h"
#include "packaging/clsZipWrapper.h"
#include "render/PictureReader.h"
#include "util/AppError.h"
#include "util/DecodeBudget.h"
#include "util/EntryName.h"
#include "util/GetImage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kNoHangMs = 20000;

// What one place that opens a user-named file says about it, run in the child.
QString runOperation(const QString &operation, const QString &path)
{
    RecordingMessageSink messages;
    const auto said = [&](bool done) { return done ? u"done"_s : messages.messages.value(0).text; };
    if (operation == u"read") {
        clsFileControl document(messages);
        return said(document.readFile(path));
    }
    if (operation == u"size") {
        const ImageSize size = getImageSize(path, 0);
        return u"%1 %2 %3"_s.arg(size.format).arg(size.width).arg(size.height);
    }
    if (operation == u"decode") {
        DecodeBudget budget;
        try {
            return readPictureFile(path, budget).isNull() ? u"null"_s : u"decoded"_s;
        } catch (const AppError &error) {
            return u"error %1"_s.arg(error.number());
        }
    }
    if (operation == u"drop") {
        // What the editor asks of a file dragged over an image field.
        return isPictureFile(path) ? u"picture"_s : u"no picture"_s;
    }
    if (operation == u"preview") {
        const PicturePreview::Status status = loadPicturePreview(path, QSize(100, 100)).status;
        return QStringList{u"shown"_s, u"missing"_s, u"unreadable"_s, u"failed"_s}.at(int(status));
    }
    if (operation == u"copy") {
        clsFileControl document(messages);
        const QString target = QFileInfo(path).absolutePath() + u"/copy/skin.wms"_s;
        return said(document.copyImageFile({path}, target));
    }
    if (operation == u"pack") {
        // path is a skin folder whose skin.wms names pic.bmp.
        clsZipWrapper packager(messages);
        const bool packed = !packager.makeZipFile(u"skin.wms"_s, path).isEmpty();
        return packed ? u"done"_s : u"not packed"_s;
    }
    return u"no such operation"_s;
}

ProcessRun runChild(const QString &operation, const QString &path)
{
    return runProcess(QCoreApplication::applicationFilePath(), {u"--child"_s, operation, path},
                      QProcessEnvironment::systemEnvironment(), {}, kNoHangMs);
}

// A progressive JPEG whose last scan is repeated until the file holds
// thousands: each scan costs the decoder a pass over the whole picture.
QByteArray manyScanJpeg(const QByteArray &progressive, int copies)
{
    const qsizetype lastScan = progressive.lastIndexOf("\xFF\xDA");
    const qsizetype end = progressive.lastIndexOf("\xFF\xD9");
    const QByteArray scan = progressive.mid(lastScan, end - lastScan);
    return progressive.left(end) + scan.repeated(copies) + progressive.mid(end);
}

// 35 bytes of GIF whose screen claims 5700 x 5700 pixels: a 1 x 1 picture
// on it, two colours.
QByteArray giantGif()
{
    return QByteArray::fromHex("474946383961"         // GIF89a
                               "44164416800000"       // screen 5700 x 5700, colour table
                               "000000ffffff"         // black, white
                               "2c000000000100010000" // one picture of 1 x 1
                               "0202440100"           // its pixel
                               "3b");
}

// An icon whose directory says 256 x 256 (a 0 there) and whose entry holds a
// PNG of 5700 x 5700, a few kilobytes of one colour.
QByteArray icoHoldingLargePng()
{
    QImage large(5700, 5700, QImage::Format_Mono);
    large.fill(0);
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !large.save(&buffer, "PNG")) {
        return {};
    }
    QByteArray entry(8, '\0');
    qToLittleEndian<quint32>(quint32(png.size()), entry.data());
    qToLittleEndian<quint32>(22, entry.data() + 4);  // after the directory
    return QByteArray::fromHex("000001000100"        // an icon file of one entry
                               "0000000001002000") + // 256 x 256, 32 bits
           entry +
           png;
}

QString element(const QString &tag, const QString &imageAttribute, const QString &image)
{
    return uR"(<%1 top="1" left="1" width="10" height="10" transparencycolor="#FF0000" %2="%3"/>)"_s
        .arg(tag, imageAttribute, image);
}

QByteArray skinText(const QString &background, const QStringList &elements)
{
    QStringList lines{
        uR"(<theme id="velmora" title="t">)"_s,
        uR"(<view titlebar="False" backgroundimage="%1" transparencycolor="#FF0000">)"_s.arg(
            background)};
    lines += elements;
    lines += {u"</view>"_s, u"</theme>"_s, QString()};
    return lines.join(u"\r\n"_s).toUtf8();
}

} // namespace

class tst_HostileFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void userNamedFilesAreRefusedAtOnce_data();
    void userNamedFilesAreRefusedAtOnce();
    void costlyPicturesAreUndecodable_data();
    void costlyPicturesAreUndecodable();
    void oneFileUnderManyNamesIsDecodedOnce();
    void renderSurvivesShortMemory();
    void hugeSkinFileIsRefused();
    void renderNeverOverwritesItsInputs_data();
    void renderNeverOverwritesItsInputs();
    void editorWithoutDisplaySaysSo();
    void linksLeadingOutsideAreNotRead_data();
    void linksLeadingOutsideAreNotRead();
    void packRemovesWhatAKilledPackLeft();
    void packsOfOneSkinRunAtOnce();
    void packRefusesNamesThatUnpackElsewhere();
    void memberSwappedWhilePacking_data();
    void memberSwappedWhilePacking();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    bool write(const QString &name, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        return ImageFiles::writeFile(path(name), bytes);
    }
    ProcessRun velmora(const QStringList &arguments,
                       const QProcessEnvironment &environment = withoutDisplay()) const
    {
        return runProcess(QDir(programFolder()).filePath(u"velmora"_s), arguments, environment,
                          m_dir.path(), kNoHangMs * 3);
    }

    // A skin folder of count pictures of size bytes each, named in its
    // skin.wms; the pictures' bytes by name.
    QMap<QString, QByteArray> writeNoisySkin(const QString &folder, int count, qsizetype size) const
    {
        QMap<QString, QByteArray> files;
        QStringList elements;
        for (int i = 0; i < count; ++i) {
            QByteArray noise(size, Qt::Uninitialized);
            for (qsizetype at = 0; at + 4 <= noise.size(); at += 4) {
                const quint32 value = (quint32(at) * 2654435761u ^ quint32(i)) & 0x3F3F3F3F;
                memcpy(noise.data() + at, &value, 4);
            }
            const QString name = u"noise%1.bmp"_s.arg(i);
            files.insert(name, noise);
            elements << element(u"playbutton"_s, u"image"_s, name);
            write(folder + u'/' + name, noise);
        }
        write(folder + u"/skin.wms"_s, skinText(u"noise0.bmp"_s, elements));
        return files;
    }

    QTemporaryDir m_dir;
};

void tst_HostileFiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(::mkfifo(QFile::encodeName(path(u"pipe"_s)).constData(), 0600) == 0);
    QVERIFY(QFile::link(path(u"pipe"_s), path(u"pipe.bmp"_s)));
    QVERIFY(QFile::link(u"/dev/zero"_s, path(u"zero.wms"_s)));
    QVERIFY(QDir().mkpath(path(u"folder.bmp"_s)));
    QVERIFY(QDir().mkpath(path(u"copy"_s)));
    QVERIFY(write(u"back.bmp"_s, ImageFiles::qimageFile(40, 30, "BMP")));
    // A skin folder per kind of file, its only picture being that file.
    for (const QString &kind : {u"pipe"_s, u"pipe.bmp"_s, u"zero.wms"_s, u"folder.bmp"_s}) {
        const QString folder = u"pack-"_s + kind;
        QVERIFY(
            write(folder + u"/skin.wms"_s,
                  skinText(u"back.bmp"_s, {element(u"playbutton"_s, u"image"_s, u"pic.bmp"_s)})));
        QVERIFY(QFile::copy(path(u"back.bmp"_s), path(folder + u"/back.bmp"_s)));
        QVERIFY(QFile::link(path(kind), path(folder + u"/pic.bmp"_s)));
    }
}

void tst_HostileFiles::userNamedFilesAreRefusedAtOnce_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    const struct {
        const char *operation;
        QString expected;
    } places[] = {
        {"read", u"ファイルのオープンに失敗しました"_s},
        {"size", u"0 0 0"_s},
        {"decode", u"error 53"_s},
        {"preview", u"failed"_s},
        {"drop", u"no picture"_s},
        {"copy", u"画像ファイルのコピーに失敗しました"_s},
        {"pack", u"not packed"_s},
    };
    for (const auto &place : places) {
        for (const QString &name : {u"pipe"_s, u"pipe.bmp"_s, u"zero.wms"_s, u"folder.bmp"_s}) {
            QString expected = place.expected;
            if (qstrcmp(place.operation, "preview") == 0 && name == u"folder.bmp"_s) {
                expected = u"missing"_s;
            }
            QTest::addRow("%s %s", place.operation, qPrintable(name))
                << QString::fromLatin1(place.operation) << name << expected;
        }
    }
}

// A pipe that no one writes, a link to one, a device that never ends and a
// folder: each place reports its usual failure at once.
void tst_HostileFiles::userNamedFilesAreRefusedAtOnce()
{
    QFETCH(QString, operation);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    const QString target = operation == u"pack"_s ? path(u"pack-"_s + name) : path(name);
    const ProcessRun run = runChild(operation, target);
    QVERIFY2(run.finished, "hung");
    QCOMPARE(run.out.trimmed(), expected);
}

void tst_HostileFiles::costlyPicturesAreUndecodable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    const QString progressive = path(u"progressive.jpg"_s);
    QString error;
    QVERIFY2(ImageFiles::convert(
                 {u"-size"_s, u"64x64"_s, u"plasma:"_s, u"-interlace"_s, u"JPEG"_s, progressive},
                 &error),
             qPrintable(error));
    QFile file(progressive);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTest::newRow("JPEG of 3000 scans") << u"scans.jpg"_s << manyScanJpeg(file.readAll(), 3000);
    QTest::newRow("GIF claiming 5700 x 5700") << u"giant.gif"_s << giantGif();
    QTest::newRow("ICO saying 256 x 256, holding 5700 x 5700")
        << u"giant.ico"_s << icoHoldingLargePng();
}

// Refused before decoding, as undecodable, by the check, the renderer and
// the chooser alike.
void tst_HostileFiles::costlyPicturesAreUndecodable()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QVERIFY(write(name, bytes));
    QVERIFY(write(u"costly.wms"_s,
                  skinText(u"back.bmp"_s, {element(u"playbutton"_s, u"image"_s, name)})));

    const ProcessRun check = velmora({u"check"_s, u"costly.wms"_s});
    QVERIFY2(check.finished, "hung");
    QCOMPARE(check.out, CheckFindings::picture(SkinFinding::Kind::UndecodableImage,
                                               Slot::PlayButton, u"image"_s, path(name)) +
                            u'\n');
    const ProcessRun render = velmora({u"render"_s, u"costly.wms"_s, u"costly.png"_s});
    QVERIFY2(render.finished, "hung");
    QVERIFY2(render.err.contains(u"画像として読み込めません。描画から外しました"_s),
             qPrintable(render.err));
    const ProcessRun preview = runChild(u"preview"_s, path(name));
    QVERIFY2(preview.finished, "hung");
    QCOMPARE(preview.out.trimmed(), u"unreadable"_s);
}

// Thirteen elements name one picture through thirteen links: decoded once,
// it stays far within the budget that thirteen copies would overrun.
void tst_HostileFiles::oneFileUnderManyNamesIsDecodedOnce()
{
    QString error;
    QVERIFY2(
        ImageFiles::convert({u"-size"_s, u"3000x3000"_s, u"xc:blue"_s, path(u"big.gif"_s)}, &error),
        qPrintable(error));
    const QStringList buttons{u"playbutton"_s,   u"stopbutton"_s,    u"closebutton"_s,
                              u"nextbutton"_s,   u"prevbutton"_s,    u"pausebutton"_s,
                              u"repeatbutton"_s, u"shufflebutton"_s, u"minimizebutton"_s,
                              u"returnbutton"_s};
    QStringList elements;
    for (int i = 0; i < 13; ++i) {
        const QString link = u"big%1.gif"_s.arg(i);
        QVERIFY(QFile::link(path(u"big.gif"_s), path(link)));
        elements << (i < 10 ? element(buttons.at(i), u"image"_s, link)
                            : element(QStringList{u"seekslider"_s, u"volumeslider"_s,
                                                  u"balanceslider"_s}
                                          .at(i - 10),
                                      u"thumbimage"_s, link));
    }
    QVERIFY(write(u"links.wms"_s, skinText(u"back.bmp"_s, elements)));
    const ProcessRun render = velmora({u"render"_s, u"links.wms"_s, u"links.png"_s});
    QVERIFY2(render.succeeded(), qPrintable(render.err));
    QCOMPARE(render.err, QString());
}

// Pictures within the budget, an address space too small for them: what
// cannot be had is left out, and the program ends by itself.
void tst_HostileFiles::renderSurvivesShortMemory()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer reserves its shadow memory as address space: no limit can hold it");
#endif
    QString error;
    QVERIFY2(ImageFiles::convert({u"-size"_s, u"4000x4000"_s, u"xc:green"_s, path(u"wide.gif"_s)},
                                 &error),
             qPrintable(error));
    QVERIFY(write(u"short.wms"_s,
                  skinText(u"wide.gif"_s, {element(u"playbutton"_s, u"image"_s, u"wide.gif"_s)})));
    QProcess process;
    process.setProcessEnvironment(withoutDisplay());
    process.setWorkingDirectory(m_dir.path());
    process.setChildProcessModifier([] {
        const rlimit limit{200'000'000, 200'000'000};
        ::setrlimit(RLIMIT_AS, &limit);
    });
    process.start(QDir(programFolder()).filePath(u"velmora"_s),
                  {u"render"_s, u"short.wms"_s, u"short.png"_s});
    QVERIFY2(process.waitForFinished(kNoHangMs * 3), "hung");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() <= 1, process.readAllStandardError().constData());
}

// A WMS file of 3 GB (sparse: it takes no disk) is refused before it is read.
void tst_HostileFiles::hugeSkinFileIsRefused()
{
    QFile huge(path(u"huge.wms"_s));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(qint64(3) << 30));
    huge.close();
    const ProcessRun check = velmora({u"check"_s, u"huge.wms"_s});
    QVERIFY2(check.finished, "hung or crashed");
    QCOMPARE(check.exitCode, 1);
    QCOMPARE(check.err, u"ファイルを開く: ファイルのオープンに失敗しました\n"_s);
}

void tst_HostileFiles::renderNeverOverwritesItsInputs_data()
{
    QTest::addColumn<QString>("skin"); // what render is given
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("input");
    const QString wms = u"inputs.wms"_s;
    QTest::newRow("the skin file") << wms << wms << wms;
    QTest::newRow("its background, by a link") << wms << u"back-link.bmp"_s << u"back.bmp"_s;
    QTest::newRow("a button's pressed image") << wms << u"./down.bmp"_s << u"down.bmp"_s;
    QTest::newRow("the WMZ file it was given")
        << u"inputs.wmz"_s << u"inputs.wmz"_s << u"inputs.wmz"_s;
}

void tst_HostileFiles::renderNeverOverwritesItsInputs()
{
    QFETCH(QString, skin);
    QFETCH(QString, output);
    QFETCH(QString, input);
    QVERIFY(QFile::exists(path(u"back-link.bmp"_s)) ||
            QFile::link(path(u"back.bmp"_s), path(u"back-link.bmp"_s)));
    QVERIFY(write(u"down.bmp"_s, ImageFiles::qimageFile(4, 4, "BMP")));
    QVERIFY(write(u"inputs.wms"_s, skinText(u"back.bmp"_s, {element(u"playbutton"_s, u"downimage"_s,
                                                                    u"down.bmp"_s)})));
    QVERIFY(!skin.endsWith(u".wmz"_s) || velmora({u"pack"_s, u"inputs.wms"_s}).exitCode == 0);
    QFile before(path(input));
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();

    const ProcessRun render = velmora({u"render"_s, skin, output});
    QVERIFY(render.finished);
    QCOMPARE(render.exitCode, 2);
    QVERIFY2(render.err.contains(u"スキンファイルかその画像です"_s), qPrintable(render.err));
    QFile after(path(input));
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), bytes);
}

void tst_HostileFiles::editorWithoutDisplaySaysSo()
{
    QVERIFY(write(u"display.wms"_s, skinText(u"back.bmp"_s, {})));
    const ProcessRun run = velmora({u"display.wms"_s});
    QVERIFY2(run.finished, "hung or crashed");
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(u"the editor needs a display; the commands check, pack, unpack "
                              u"and render do not"_s),
             qPrintable(run.err));
}

void tst_HostileFiles::linksLeadingOutsideAreNotRead_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::newRow("pack") << QStringList{u"pack"_s, u"leak/skin.wms"_s} << 1
                          << u"スキンのフォルダの外を指すリンクは圧縮できません"_s;
    QTest::newRow("check") << QStringList{u"check"_s, u"leak/skin.wms"_s} << 1
                           << CheckFindings::picture(SkinFinding::Kind::OutsideLink,
                                                     Slot::PlayButton, u"image"_s,
                                                     path(u"leak/pic.bmp"_s)) +
                                  u'\n';
    QTest::newRow("render, a button")
        << QStringList{u"render"_s, u"leak/skin.wms"_s, u"leak.png"_s} << 0
        << u"pic.bmp: スキンのフォルダの外を指すリンクです。描画から外しました"_s;
    QTest::newRow("render, the background")
        << QStringList{u"render"_s, u"leak/linked-back.wms"_s, u"leak.png"_s} << 1
        << u"背景画像を描けません（スキンのフォルダの外を指すリンクです）"_s;
}

// A picture of the skin that is a link to a picture outside its folder is
// a finding, and none of the commands reads it.
void tst_HostileFiles::linksLeadingOutsideAreNotRead()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QVERIFY(write(u"secret.bmp"_s, ImageFiles::qimageFile(4, 4, "BMP")));
    QVERIFY(write(u"leak/skin.wms"_s,
                  skinText(u"back.bmp"_s, {element(u"playbutton"_s, u"image"_s, u"pic.bmp"_s)})));
    QVERIFY(write(u"leak/linked-back.wms"_s, skinText(u"pic.bmp"_s, {})));
    QVERIFY(QFile::exists(path(u"leak/back.bmp"_s)) ||
            QFile::copy(path(u"back.bmp"_s), path(u"leak/back.bmp"_s)));
    QVERIFY(QFile::exists(path(u"leak/pic.bmp"_s)) ||
            QFile::link(path(u"secret.bmp"_s), path(u"leak/pic.bmp"_s)));
    const ProcessRun run = velmora(arguments);
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2((run.out + run.err).contains(said), qPrintable(run.out + run.err));
    QVERIFY(!QFile::exists(path(u"leak/skin.wmz"_s)));
}

// SIGKILL in the middle of a pack leaves the partial archive beside the skin
// and the list file in the temporary folder; the next pack of that skin
// removes both and packs.
void tst_HostileFiles::packRemovesWhatAKilledPackLeft()
{
    QVERIFY(QDir().mkpath(path(u"killed/tmp"_s)));
    QStringList elements;
    for (int i = 0; i < 6; ++i) {
        QByteArray noise(qsizetype(16) << 20, Qt::Uninitialized);
        for (qsizetype at = 0; at < noise.size(); at += 4) {
            const quint32 value = quint32(at) * 2654435761u ^ quint32(i);
            memcpy(noise.data() + at, &value, 4);
        }
        QVERIFY(write(u"killed/noise%1.bmp"_s.arg(i), noise));
        elements << element(u"playbutton"_s, u"image"_s, u"noise%1.bmp"_s.arg(i));
    }
    QVERIFY(write(u"killed/skin.wms"_s, skinText(u"noise0.bmp"_s, elements)));
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(u"TMPDIR"_s, path(u"killed/tmp"_s));

    const QDir skinFolder(path(u"killed"_s));
    const QDir tempFolder(path(u"killed/tmp"_s));
    const QStringList partial{u"skin.wmz.*"_s};
    QProcess pack;
    pack.setProcessEnvironment(environment);
    pack.start(QDir(programFolder()).filePath(u"velmora"_s),
               {u"pack"_s, skinFolder.filePath(u"skin.wms"_s)});
    QTRY_VERIFY_WITH_TIMEOUT(!skinFolder.entryList(partial, QDir::Files | QDir::Hidden).isEmpty(),
                             kNoHangMs);
    pack.kill();
    QVERIFY(pack.waitForFinished(kNoHangMs));
    QCOMPARE(skinFolder.entryList(partial, QDir::Files | QDir::Hidden).size(), 1);
    QCOMPARE(tempFolder.entryList({u"0*.tmp"_s}, QDir::Files).size(), 1);

    const ProcessRun again =
        runProcess(QDir(programFolder()).filePath(u"velmora"_s),
                   {u"pack"_s, skinFolder.filePath(u"skin.wms"_s)}, environment, {}, kNoHangMs * 6);
    QVERIFY2(again.succeeded(), qPrintable(again.err));
    QCOMPARE(skinFolder.entryList(partial, QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(tempFolder.entryList(QDir::Files | QDir::Hidden), QStringList());
    const ProcessRun test = runProcess(u"unzip"_s, {u"-tq"_s, skinFolder.filePath(u"skin.wmz"_s)});
    QVERIFY2(test.succeeded(), qPrintable(test.out + test.err));
}

// Packs of one skin started while others run all succeed, one after the
// other; files beside the skin whose names merely begin like the archive's
// are the user's and stay; no partial archive or lock is left.
void tst_HostileFiles::packsOfOneSkinRunAtOnce()
{
    const QMap<QString, QByteArray> files = writeNoisySkin(u"racing"_s, 4, qsizetype(3) << 20);
    const QStringList users{u"skin.wmz.backup"_s, u"skin.wmz.2024v1"_s};
    for (const QString &name : users) {
        QVERIFY(write(u"racing/"_s + name, "the user's"));
    }
    std::vector<std::unique_ptr<QProcess>> packs;
    for (int i = 0; i < 6; ++i) {
        packs.push_back(std::make_unique<QProcess>());
        packs.back()->setProcessEnvironment(withoutDisplay());
        packs.back()->start(QDir(programFolder()).filePath(u"velmora"_s),
                            {u"pack"_s, path(u"racing/skin.wms"_s)});
    }
    for (const auto &pack : packs) {
        QVERIFY2(pack->waitForFinished(kNoHangMs * 3), "hung");
        QCOMPARE(pack->exitCode(), 0);
        QCOMPARE(pack->readAllStandardError(), QByteArray());
    }

    for (const QString &name : users) {
        QFile file(path(u"racing/"_s + name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("the user's"));
    }
    QStringList expected = users + files.keys() + QStringList{u"skin.wms"_s, u"skin.wmz"_s};
    expected.sort();
    QCOMPARE(QDir(path(u"racing"_s)).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    const auto entries = ArchiveContents::read(path(u"racing/skin.wmz"_s));
    QVERIFY(entries);
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        QCOMPARE(entries->value(it.key()), it.value());
    }
}

// A picture named so that Windows would unpack it outside the skin's folder:
// the command names it and its cause, exits 1 and writes nothing.
void tst_HostileFiles::packRefusesNamesThatUnpackElsewhere()
{
    const QString name = u"C:evil2.bmp"_s;
    QVERIFY(write(u"drive/skin.wms"_s,
                  skinText(u"back.bmp"_s, {element(u"playbutton"_s, u"image"_s, name)})));
    QVERIFY(QFile::copy(path(u"back.bmp"_s), path(u"drive/back.bmp"_s)));
    QVERIFY(QFile::copy(path(u"back.bmp"_s), path(u"drive/"_s + name)));

    const ProcessRun pack = velmora({u"pack"_s, u"drive/skin.wms"_s});

    QVERIFY(pack.finished);
    QCOMPARE(pack.exitCode, 1);
    QVERIFY2(pack.err.contains(name + u'\n') && pack.err.contains(*unsafeEntryNameReason(name)),
             qPrintable(pack.err));
    QVERIFY(!QFileInfo::exists(path(u"drive/skin.wmz"_s)));
}

void tst_HostileFiles::memberSwappedWhilePacking_data()
{
    QTest::addColumn<QString>("swapIn");
    QTest::newRow("pipe") << QString();
    QTest::newRow("link leading outside") << u"secret.txt"_s;
}

// While a large member is deflated, another member is replaced by a pipe no
// one writes or by a link to a file outside the skin. The pack neither waits
// for the pipe nor reads the link: it packs the file it opened, or refuses.
void tst_HostileFiles::memberSwappedWhilePacking()
{
    QFETCH(QString, swapIn);
    const QString folder = swapIn.isEmpty() ? u"swap-pipe"_s : u"swap-link"_s;
    const QMap<QString, QByteArray> files = writeNoisySkin(folder, 2, qsizetype(24) << 20);
    QVERIFY(write(u"secret.txt"_s, "not for sharing"));
    QProcess pack;
    pack.setProcessEnvironment(withoutDisplay());
    pack.start(QDir(programFolder()).filePath(u"velmora"_s),
               {u"pack"_s, path(folder + u"/skin.wms"_s)});
    QTRY_VERIFY_WITH_TIMEOUT(
        !QDir(path(folder)).entryList({u"skin.wmz.*"_s}, QDir::Files).isEmpty(), kNoHangMs);
    const QString swapped = path(folder + u"/swapped"_s);
    if (swapIn.isEmpty()) {
        QCOMPARE(::mkfifo(QFile::encodeName(swapped).constData(), 0600), 0);
    } else {
        QVERIFY(QFile::link(path(swapIn), swapped));
    }
    QCOMPARE(::rename(QFile::encodeName(swapped).constData(),
                      QFile::encodeName(path(folder + u"/noise1.bmp"_s)).constData()),
             0);

    QVERIFY2(pack.waitForFinished(kNoHangMs * 3), "hung");
    if (pack.exitCode() != 0) {
        QCOMPARE(pack.exitCode(), 1);
        QVERIFY(!QFileInfo::exists(path(folder + u"/skin.wmz"_s)));
        return;
    }
    const auto entries = ArchiveContents::read(path(folder + u"/skin.wmz"_s));
    QVERIFY(entries);
    QCOMPARE(entries->value(u"noise1.bmp"_s), files.value(u"noise1.bmp"_s));
}

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0) {
        QCoreApplication app(argc, argv);
        const QString result =
            runOperation(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
        std::printf("%s\n", result.toUtf8().constData());
        return 0;
    }
    QCoreApplication app(argc, argv);
    tst_HostileFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hostile_files.moc"
