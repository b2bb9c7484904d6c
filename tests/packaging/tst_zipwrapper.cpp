#include "ArchiveContents.h"
#include "RecordingMessageSink.h"
#include "SkinFolder.h"
#include "TmpfsMount.h"
#include "document/clsFileControl.h"
#include "packaging/PackFailure.h"
#include "packaging/PackScratch.h"
#include "packaging/PartialArchive.h"
#include "packaging/ZipCommandLine.h"
#include "packaging/clsZipWrapper.h"
#include "util/EntryName.h"
#include "util/UserFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {
// What the archiver below answers, and what it was asked to do; apart from it
// because the packager takes ownership of the archiver itself.
struct ArchiverLog {
    struct Call {
        QByteArray commandLine;
        QString listFile;     // the path after "@"
        QByteArray listBytes; // the list file as it was during the call
    };
    std::optional<qint16> version = 100;
    bool throwOnVersion = false;
    bool throwOnZip = false;
    qint32 result = 0;
    QList<Call> calls;
};

class RecordingArchiver : public Archiver {
public:
    explicit RecordingArchiver(ArchiverLog &log) : m_log(log) {}

    std::optional<qint16> version() override
    {
        if (m_log.throwOnVersion) {
            throw std::runtime_error("archiver library missing");
        }
        return m_log.version;
    }

    qint32 zip(const QByteArray &commandLine) override
    {
        const auto command = ZipCommandLine::parse(QFile::decodeName(commandLine));
        const QString list = command ? command->listFiles.value(0) : QString();
        m_log.calls.append({commandLine, list, SkinFolder::readFile(list)});
        if (m_log.throwOnZip) {
            throw std::runtime_error("archiver crashed");
        }
        return m_log.result;
    }

private:
    ArchiverLog &m_log;
};

const QString kStop = u"圧縮に失敗しました"_s;
const QString kTitle = u"WMZファイル作成"_s;
} // namespace

// The WMZ packager: probing, the list file, the command line, messages, and
// real skins packed by the built-in archiver. Every test runs with its own
// temporary folder, which must be empty again afterwards: no list file left.
class tst_zipwrapper : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void probesArchiverOnce_data();
    void probesArchiverOnce();
    void runsArchiver_data();
    void runsArchiver();
    void listsFilesTheWmsNames_data();
    void listsFilesTheWmsNames();
    void commandLine_data();
    void commandLine();
    void fullTemporaryFolderIsReported();
    void packsRealSkin_data();
    void packsRealSkin();
    void packsSkinAndFolderNames_data();
    void packsSkinAndFolderNames();
    void repackReplacesArchiveWhole();
    void packsImagesTheWriterEscapes_data();
    void packsImagesTheWriterEscapes();
    void refusesNamesUnsafeAsEntries_data();
    void refusesNamesUnsafeAsEntries();
    void packsOfOneSkinTakeTurns();
    void lockOfNoOwnerIsNoPacks();

private:
    void useTempFolder(const QString &name);

    const QString m_systemTemp = QDir::tempPath();
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<QTemporaryDir> m_skin; // a fresh skin folder for each test
    RecordingMessageSink m_messages;
    ArchiverLog m_log;
};

void tst_zipwrapper::useTempFolder(const QString &name)
{
    m_temp = std::make_unique<QTemporaryDir>(m_systemTemp + u'/' + name + u"XXXXXX"_s);
    QVERIFY(m_temp->isValid());
    qputenv("TMPDIR", QFile::encodeName(m_temp->path()));
    QCOMPARE(QDir::tempPath(), m_temp->path());
}

void tst_zipwrapper::init()
{
    useTempFolder(u"velmora-tmp-"_s);
    m_skin = std::make_unique<QTemporaryDir>(m_systemTemp + u"/skin-XXXXXX"_s);
    QVERIFY(m_skin->isValid());
    m_messages.clear();
    m_log = ArchiverLog();
}

void tst_zipwrapper::cleanup()
{
    QCOMPARE(SkinFolder::listing(m_temp->path()), QStringList());
    qputenv("TMPDIR", QFile::encodeName(m_systemTemp));
    m_temp.reset();
    m_skin.reset();
}

void tst_zipwrapper::probesArchiverOnce_data()
{
    QTest::addColumn<int>("kind"); // 0 none, 1 recording, 2 built-in
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("throws");
    QTest::addColumn<bool>("usable");
    QTest::addColumn<bool>("old");

    QTest::newRow("no archiver") << 0 << 0 << false << false << false;
    QTest::newRow("version unanswered") << 1 << -1 << false << false << false;
    QTest::newRow("version call fails") << 1 << 100 << true << false << false;
    QTest::newRow("version 36") << 1 << 36 << false << true << true;
    QTest::newRow("version 37") << 1 << 37 << false << true << false;
    QTest::newRow("built-in") << 2 << 0 << false << true << false;
}

void tst_zipwrapper::probesArchiverOnce()
{
    QFETCH(int, kind);
    QFETCH(int, version);
    m_log.version = version < 0 ? std::nullopt : std::optional<qint16>(qint16(version));
    QFETCH(bool, throws);
    m_log.throwOnVersion = throws;
    std::unique_ptr<Archiver> archiver;
    if (kind == 1) {
        archiver = std::make_unique<RecordingArchiver>(m_log);
    } else if (kind == 2) {
        archiver = makeBuiltInArchiver();
    }
    const clsZipWrapper wrapper(m_messages, std::move(archiver));
    m_log.version = 1; // a later answer changes nothing: the flags are fixed at creation
    QTEST(wrapper.getZipUsable(), "usable");
    QTEST(wrapper.getZipVersionIsOld(), "old");
    QVERIFY(m_messages.messages.isEmpty());
}

void tst_zipwrapper::runsArchiver_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("throws");
    QTest::addColumn<QString>("wms");     // the folder holds s.wms only
    QTest::addColumn<QString>("archive"); // what makeZipFile returns
    QTest::addColumn<QString>("message"); // the stop message, or none

    const QString s = u"s.wms"_s;
    QTest::newRow("no archiver") << false << 0 << false << s << QString() << kStop;
    QTest::newRow("archiver returns 1") << true << 1 << false << s << QString() << kStop;
    QTest::newRow("archiver returns -1") << true << -1 << false << s << QString() << kStop;
    QTest::newRow("archiver throws") << true << 0 << true << s << QString() << QString();
    // Refusing an old archiver is the command's decision, not the packager's.
    QTest::newRow("old archiver still runs") << true << 0 << false << s << u"s.wmz"_s << QString();
    QTest::newRow("WMS file missing")
        << true << 0 << false << u"gone.wms"_s << QString()
        << kStop + u"\r\n"_s +
               PackFailure{PackFailure::Kind::SkinUnreadable,
                           u"%1/gone.wms"_s, // %1 the skin folder
                           UserFile::refusalText(UserFile::Refusal::Missing)}
                   .message();
    QTest::newRow("no WMS name") << true << 0 << false << QString() << QString() << QString();
}

void tst_zipwrapper::runsArchiver()
{
    QFETCH(bool, present);
    QFETCH(QString, wms);
    QFETCH(QString, message);
    message.replace(u"%1"_s, m_skin->path());
    QVERIFY(SkinFolder::writeAnsi(m_skin->filePath(u"s.wms"_s), u"x"_s));
    QFETCH(int, result);
    QFETCH(bool, throws);
    m_log.result = result;
    m_log.throwOnZip = throws;
    m_log.version = 36;
    std::unique_ptr<Archiver> archiver;
    if (present) {
        archiver = std::make_unique<RecordingArchiver>(m_log);
    }
    clsZipWrapper wrapper(m_messages, std::move(archiver));

    QTEST(wrapper.makeZipFile(wms, m_skin->path()), "archive");

    QCOMPARE(m_log.calls.size(), present && wms == u"s.wms"_s ? 1 : 0);
    QCOMPARE(m_messages.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(m_messages.last().text, message);
        QCOMPARE(m_messages.last().title, kTitle);
        QCOMPARE(m_messages.last().icon, MessageIcon::Stop);
        QVERIFY(!m_messages.last().question);
    }
}

void tst_zipwrapper::listsFilesTheWmsNames_data()
{
    QTest::addColumn<QString>("wmsName");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("wmsText");
    QTest::addColumn<QStringList>("lines");

    // "a.bmp" is inside "data.bmp"; "Play.bmp" does not name "play.bmp".
    QTest::newRow("case-sensitive substring, unnamed left out")
        << u"skin.wms"_s << QStringList{u"a.bmp"_s, u"Play.bmp"_s, u"play.bmp"_s, u"unused.bmp"_s}
        << u"<BUTTON image=\"Play.bmp\" downImage=\"data.bmp\"/>"_s
        << QStringList{u"Play.bmp"_s, u"a.bmp"_s, u"skin.wms"_s};
    QTest::newRow("blank and comma quoted")
        << u"skin.wms"_s << QStringList{u"plain.bmp"_s, u"my play.bmp"_s, u"a,b.bmp"_s}
        << u"a,b.bmp my play.bmp plain.bmp"_s
        << QStringList{u"\"a,b.bmp\""_s, u"\"my play.bmp\""_s, u"plain.bmp"_s, u"skin.wms"_s};
    QTest::newRow("WMS naming itself is listed twice")
        << u"skin.wms"_s << QStringList() << u"<!-- skin.wms -->"_s
        << QStringList{u"skin.wms"_s, u"skin.wms"_s};
    QTest::newRow("WMS with a blank: quoted in the list, bare at the end")
        << u"my skin,1.wms"_s << QStringList() << u"my skin,1.wms"_s
        << QStringList{u"\"my skin,1.wms\""_s, u"my skin,1.wms"_s};
    // "sub.bmp/" is a folder: named, but never listed.
    QTest::newRow("subfolders left out, dot file named")
        << u"skin.wms"_s << QStringList{u".back.bmp"_s, u".x"_s, u"sub.bmp/"_s}
        << u"image=\".back.bmp\" sub.bmp"_s << QStringList{u".back.bmp"_s, u"skin.wms"_s};
    QTest::newRow("line ends dropped before searching")
        << u"skin.wms"_s << QStringList{u"play.bmp"_s} << u"pla\r\ny.bmp"_s
        << QStringList{u"play.bmp"_s, u"skin.wms"_s};
    QTest::newRow("Japanese names in windows-31j")
        << u"スキン.wms"_s << QStringList{u"再生.bmp"_s, u"停止.bmp"_s} << u"image=\"再生.bmp\""_s
        << QStringList{u"再生.bmp"_s, u"スキン.wms"_s};
}

void tst_zipwrapper::listsFilesTheWmsNames()
{
    QFETCH(QString, wmsName);
    QFETCH(QStringList, files);
    QFETCH(QString, wmsText);
    QFETCH(QStringList, lines);
    QVERIFY(SkinFolder::writeAnsi(m_skin->filePath(wmsName), wmsText));
    for (const QString &name : files) {
        QVERIFY(name.endsWith(u'/') ? QDir(m_skin->path()).mkdir(name.chopped(1))
                                    : SkinFolder::writeFile(m_skin->filePath(name), "image"));
    }
    clsZipWrapper wrapper(m_messages, std::make_unique<RecordingArchiver>(m_log));

    QVERIFY(!wrapper.makeZipFile(wmsName, m_skin->path()).isEmpty());

    QCOMPARE(m_log.calls.size(), 1);
    QVERIFY(m_log.calls[0].listFile.startsWith(m_temp->path() + u"/0"_s));
    QCOMPARE(m_log.calls[0].listBytes, AnsiText::encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
}

void tst_zipwrapper::commandLine_data()
{
    // In "line", %1 stands for the skin folder and %2 for the list file.
    QTest::addColumn<QString>("folderName");
    QTest::addColumn<QString>("suffix"); // appended to the folder path passed in
    QTest::addColumn<QString>("wms");
    QTest::addColumn<QString>("archive");
    QTest::addColumn<QString>("line");

    const QString plain = u"-r -D -v %1/blue.wmz %1/ @%2 "_s;
    const QString quoted = u"-r -D -v \"%1/blue.wmz\" \"%1/\" @%2 "_s;
    const QString wms = u"blue.wms"_s;
    const QString wmz = u"blue.wmz"_s;
    QTest::newRow("plain") << u"blue"_s << QString() << wms << wmz << plain;
    // The same command line, whether or not the folder ends in a separator.
    QTest::newRow("trailing separator") << u"blue"_s << u"/"_s << wms << wmz << plain;
    QTest::newRow("blank") << u"my blue"_s << QString() << wms << wmz << quoted;
    QTest::newRow("comma") << u"blue,2"_s << QString() << wms << wmz << quoted;
    QTest::newRow("trailing blanks dropped") << u"blue"_s << u"   "_s << wms << wmz << plain;
    QTest::newRow("folder really ending in a blank")
        << u"blue "_s << QString() << wms << wmz << quoted;
    // The archive name is the WMS name with its last character made a "z".
    QTest::newRow("upper-case name")
        << u"blue"_s << QString() << u"B.WMS"_s << u"B.WMz"_s << u"-r -D -v %1/B.WMz %1/ @%2 "_s;
}

void tst_zipwrapper::commandLine()
{
    QFETCH(QString, folderName);
    QFETCH(QString, suffix);
    QFETCH(QString, wms);
    QFETCH(QString, line);
    const QString folder = m_skin->filePath(folderName);
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(SkinFolder::writeAnsi(folder + u'/' + wms, u"blue"_s));
    clsZipWrapper wrapper(m_messages, std::make_unique<RecordingArchiver>(m_log));

    QTEST(wrapper.makeZipFile(wms, folder + suffix), "archive");

    QCOMPARE(m_log.calls.size(), 1);
    QVERIFY(m_log.calls[0].listFile.startsWith(m_temp->path() + u"/0"_s));
    QCOMPARE(QFile::decodeName(m_log.calls[0].commandLine),
             line.arg(folder, m_log.calls[0].listFile));
    QVERIFY(m_messages.messages.isEmpty());
}

void tst_zipwrapper::fullTemporaryFolderIsReported()
{
    const TmpfsMount disk(m_temp->path(), u"4k"_s);
    if (!disk.isMounted()) {
        QSKIP(qPrintable(u"cannot mount a small tmpfs: "_s + disk.reason()));
    }
    // Forty names of some 200 characters: a list of about 8 KB.
    QString wmsText;
    for (int i = 0; i < 40; ++i) {
        const QString name = QString(200, u'p') + QString::number(i) + u".bmp"_s;
        wmsText += name + u' ';
        QVERIFY(SkinFolder::writeFile(m_skin->filePath(name), {}));
    }
    QVERIFY(SkinFolder::writeAnsi(m_skin->filePath(u"s.wms"_s), wmsText));
    clsZipWrapper wrapper(m_messages, std::make_unique<RecordingArchiver>(m_log));

    QCOMPARE(wrapper.makeZipFile(u"s.wms"_s, m_skin->path()), QString());

    QVERIFY(m_log.calls.isEmpty());
    QCOMPARE(m_messages.messages.size(), 1);
    QCOMPARE(m_messages.last().text,
             kStop + u"\r\n"_s +
                 (PackFailure{PackFailure::Kind::TemporaryFolder, m_temp->path(), {}}.message()));
    QCOMPARE(SkinFolder::listing(m_temp->path()), QStringList());
}

void tst_zipwrapper::packsRealSkin_data()
{
    QTest::addColumn<QString>("wmsName");
    QTest::newRow("Japanese, list in windows-31j") << u"ブルー.wms"_s;
    // Saving lets the user name the skin freely; windows-31j has no "é", and
    // its wave dash comes back as a different character.
    QTest::newRow("outside the code page") << u"Café.wms"_s;
    QTest::newRow("wave dash") << u"青〜.wms"_s;
}

void tst_zipwrapper::packsRealSkin()
{
    QFETCH(QString, wmsName);
    // The list argument then needs quotes, which go before the "@".
    useTempFolder(u"velmora tmp,"_s);
    const QDir skin(m_skin->filePath(u"スキン blue,"_s));
    QVERIFY(skin.mkpath(u"old"_s));
    QMap<QString, QByteArray> expected;
    const QStringList images{u"back.bmp"_s, u"play button.bmp"_s, u"再生.bmp"_s, u"a,b.gif"_s};
    quint32 seed = 11;
    for (const QString &name : images) {
        expected.insert(name, SkinFolder::imageBytes(seed++, 20000));
        QVERIFY(SkinFolder::writeFile(skin.filePath(name), expected.value(name)));
    }
    QVERIFY(SkinFolder::writeFile(skin.filePath(u"spare.bmp"_s), "not named"));
    const QString wmsText = u"<THEME>\r\n<VIEW backgroundImage=\"back.bmp\">\r\n"_s +
                            u"<BUTTON image=\"play button.bmp\" downImage=\"再生.bmp\"/>\r\n"_s +
                            u"<BUTTON image=\"a,b.gif\"/>\r\n</VIEW>\r\n</THEME>\r\n"_s;
    expected.insert(wmsName, AnsiText::encode(wmsText));
    QVERIFY(SkinFolder::writeAnsi(skin.filePath(wmsName), wmsText));
    clsZipWrapper wrapper(m_messages, makeBuiltInArchiver());

    const QString archive = wrapper.makeZipFile(wmsName, skin.path());

    QCOMPARE(archive, wmsName.chopped(1) + u'z');
    const auto entries = ArchiveContents::read(skin.filePath(archive));
    QVERIFY(entries);
    QCOMPARE(*entries, expected);
    QVERIFY(m_messages.messages.isEmpty());
}

void tst_zipwrapper::packsSkinAndFolderNames_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::addColumn<QString>("wmsName");
    QTest::addColumn<bool>("packs");

    // Found by fuzzing: bare, the list's last line read as a quoted name.
    // No WMS file of the program's unpacker's: refused before packing.
    QTest::newRow("skin file named in quotes, with a blank")
        << u"skin"_s << u"\"my skin\""_s << false;
    // The command line has no escaping: a quote before a blank cannot be carried.
    QTest::newRow("folder with a quote before a blank") << u"skin\" 1"_s << u"skin.wms"_s << false;
    QTest::newRow("skin file with a quote before a blank") << u"skin"_s << u"a\" b.wms"_s << false;
}

// A skin saved by the writer under an awkward name: packed whole, or nothing
// is written and the user is told.
void tst_zipwrapper::packsSkinAndFolderNames()
{
    QFETCH(QString, folderName);
    QFETCH(QString, wmsName);
    const QDir skin(m_skin->filePath(folderName));
    QVERIFY(skin.mkpath(u"."_s));
    const QByteArray imageBytes = SkinFolder::imageBytes(5, 4000);
    QVERIFY(SkinFolder::writeFile(skin.filePath(u"play.bmp"_s), imageBytes));
    clsFileControl doc(m_messages);
    doc.getElement(Slot::View)->setUpimage(skin.filePath(u"play.bmp"_s));
    QVERIFY(doc.writeFile(skin.filePath(wmsName), 0));
    const QStringList before = SkinFolder::listing(skin.path());
    clsZipWrapper wrapper(m_messages, makeBuiltInArchiver());

    const QString archive = wrapper.makeZipFile(wmsName, skin.path());

    QFETCH(bool, packs);
    if (!packs) {
        QCOMPARE(archive, QString());
        QCOMPARE(m_messages.messages.size(), 1);
        // The cause follows, naming the archive that cannot be written.
        QVERIFY(m_messages.last().text.startsWith(kStop + u"\r\n"_s));
        QVERIFY(m_messages.last().text.contains(skin.filePath(wmsName.chopped(1) + u'z')));
        QCOMPARE(SkinFolder::listing(skin.path()), before);
        return;
    }
    QCOMPARE(archive, wmsName.chopped(1) + u'z');
    const auto entries = ArchiveContents::read(skin.filePath(archive));
    QVERIFY(entries);
    QCOMPARE(entries->keys(), QStringList({wmsName, u"play.bmp"_s}));
    QCOMPARE(entries->value(u"play.bmp"_s), imageBytes);
    QVERIFY(m_messages.messages.isEmpty());
}

// A new archive replaces the old one whole, and only once it is complete: a
// repack that runs out of room keeps the previous archive.
void tst_zipwrapper::repackReplacesArchiveWhole()
{
    const TmpfsMount disk(m_skin->path(), u"512k"_s);
    QVERIFY(SkinFolder::writeFile(m_skin->filePath(u"old.bmp"_s), "old"));
    QVERIFY(SkinFolder::writeFile(m_skin->filePath(u"new.bmp"_s), "new"));
    QVERIFY(SkinFolder::writeAnsi(m_skin->filePath(u"s.wms"_s), u"old.bmp"_s));
    clsZipWrapper wrapper(m_messages, makeBuiltInArchiver());
    QCOMPARE(wrapper.makeZipFile(u"s.wms"_s, m_skin->path()), u"s.wmz"_s);
    QVERIFY(SkinFolder::writeAnsi(m_skin->filePath(u"s.wms"_s), u"new.bmp"_s));
    QCOMPARE(wrapper.makeZipFile(u"s.wms"_s, m_skin->path()), u"s.wmz"_s);
    const auto entries = ArchiveContents::read(m_skin->filePath(u"s.wmz"_s));
    QVERIFY(entries);
    QCOMPARE(entries->keys(), QStringList({u"new.bmp"_s, u"s.wms"_s}));
    QCOMPARE(entries->value(u"new.bmp"_s), QByteArray("new"));

    if (!disk.isMounted()) {
        QSKIP(qPrintable(u"cannot mount a small tmpfs: "_s + disk.reason()));
    }
    const QByteArray before = SkinFolder::readFile(m_skin->filePath(u"s.wmz"_s));
    // Random bytes do not compress: the new archive needs more room than is left.
    QByteArray noise(300 * 1024, '\0');
    QRandomGenerator(3).fillRange(reinterpret_cast<quint32 *>(noise.data()),
                                  noise.size() / qsizetype(sizeof(quint32)));
    QVERIFY(SkinFolder::writeFile(m_skin->filePath(u"noise.bmp"_s), noise));
    QVERIFY(SkinFolder::writeAnsi(m_skin->filePath(u"s.wms"_s), u"new.bmp noise.bmp"_s));
    const QStringList listing = SkinFolder::listing(m_skin->path());

    QCOMPARE(wrapper.makeZipFile(u"s.wms"_s, m_skin->path()), QString());

    QCOMPARE(m_messages.messages.size(), 1);
    const PackFailure full{PackFailure::Kind::DiskFull, m_skin->filePath(u"s.wmz"_s), {}};
    QCOMPARE(m_messages.last().text, kStop + u"\r\n"_s + full.message());
    QCOMPARE(SkinFolder::readFile(m_skin->filePath(u"s.wmz"_s)), before);
    QCOMPARE(SkinFolder::listing(m_skin->path()), listing);
}

void tst_zipwrapper::packsImagesTheWriterEscapes_data()
{
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("packs");

    QTest::newRow("ampersand, angle brackets") << u"Tom & Jerry.bmp"_s << u"a<b>.bmp"_s << true;
    QTest::newRow("double quotes") << u"say \"hi\".bmp"_s << u"\"quoted\""_s << true;
    QTest::newRow("double quotes and a blank") << u"back.bmp"_s << u"\"a b\""_s << true;
    // The WMS text holds "caf?.bmp", which names no file of the folder.
    QTest::newRow("outside the code page") << u"café.bmp"_s << u"play.bmp"_s << false;
    // The list holds one name a line.
    QTest::newRow("line break") << u"back.bmp"_s << u"two\nlines.bmp"_s << false;
}

// A skin saved by the writer, its images beside it: every image it names is
// in the archive, or packing fails; it never reports success without one.
void tst_zipwrapper::packsImagesTheWriterEscapes()
{
    QFETCH(QString, background);
    QFETCH(QString, button);
    QFETCH(bool, packs);
    const QDir skin(m_skin->path());
    clsFileControl doc(m_messages);
    doc.getElement(Slot::View)->setUpimage(u"/elsewhere/"_s + background);
    const auto play = doc.getElement(Slot::PlayButton);
    play->setExistFlag(1);
    play->setUpimage(u"/elsewhere/"_s + button);
    QVERIFY(doc.writeFile(skin.filePath(u"skin.wms"_s), 0));
    QMap<QString, QByteArray> expected{
        {u"skin.wms"_s, SkinFolder::readFile(skin.filePath(u"skin.wms"_s))}};
    quint32 seed = 5;
    for (const QString &name : {background, button}) {
        expected.insert(name, SkinFolder::imageBytes(seed++, 3000));
        QVERIFY(SkinFolder::writeFile(skin.filePath(name), expected.value(name)));
    }
    clsZipWrapper wrapper(m_messages, makeBuiltInArchiver());

    const QString archive = wrapper.makeZipFile(u"skin.wms"_s, skin.path());

    // A failure is told, not silent.
    QCOMPARE(m_messages.messages.size(), packs ? 0 : 1);
    if (!packs) {
        QCOMPARE(m_messages.last().icon, MessageIcon::Stop);
        QCOMPARE(archive, QString());
        QVERIFY(!skin.exists(u"skin.wmz"_s));
        return;
    }
    QCOMPARE(archive, u"skin.wmz"_s);
    const auto entries = ArchiveContents::read(skin.filePath(archive));
    QVERIFY(entries);
    QCOMPARE(*entries, expected);
}

void tst_zipwrapper::refusesNamesUnsafeAsEntries_data()
{
    QTest::addColumn<QString>("name");
    // One row a kind of cause the packer meets; every case of the rule is tst_entryname's.
    QTest::newRow("climbing by backslashes") << u"..\\..\\evil.bmp"_s;
    QTest::newRow("device") << u"NUL.bmp"_s;
}

// A name that unpacks elsewhere on the player's own system is refused, by
// name and cause, and nothing is written.
void tst_zipwrapper::refusesNamesUnsafeAsEntries()
{
    QFETCH(QString, name);
    const QDir skin(m_skin->path());
    QVERIFY(SkinFolder::writeFile(skin.filePath(name), SkinFolder::imageBytes(3, 500)));
    QVERIFY(
        SkinFolder::writeAnsi(skin.filePath(u"skin.wms"_s),
                              u"<THEME><VIEW backgroundImage=\"%1\"/></THEME>\r\n"_s.arg(name)));
    const QStringList before = SkinFolder::listing(skin.path());
    clsZipWrapper wrapper(m_messages, makeBuiltInArchiver());

    QCOMPARE(wrapper.makeZipFile(u"skin.wms"_s, skin.path()), QString());

    QCOMPARE(m_messages.messages.size(), 1);
    QCOMPARE(m_messages.last().text,
             kStop + u"\r\n"_s +
                 (PackFailure{PackFailure::Kind::UnsafeName, name, *unsafeEntryNameReason(name)}
                      .message()));
    QCOMPARE(SkinFolder::listing(skin.path()), before);
}

// While one pack of a skin runs, another waits and then says so; the files
// beside the skin are the user's, except the marked partial archive that a
// killed pack left, which only a pack holding the turn removes.
void tst_zipwrapper::packsOfOneSkinTakeTurns()
{
    const QString workDir = m_skin->path() + u'/';
    const QStringList users{u"skin.wmz.backup"_s, u"skin.wmz.2024v1"_s, u"skin.wmz.tmp"_s};
    for (const QString &name : users) {
        QVERIFY(SkinFolder::writeFile(workDir + name, "the user's"));
    }
    const QString leftover = u"skin.wmz.velmora-partial-Ab12Cd"_s;
    QVERIFY(SkinFolder::writeFile(workDir + leftover, "killed half-way"));
    auto running = std::make_unique<PackScratch>(workDir, u"skin.wmz"_s);
    QVERIFY(!running->failure());
    QVERIFY(SkinFolder::writeFile(workDir + leftover, "written by the running pack"));

    const PackScratch second(workDir, u"skin.wmz"_s, std::chrono::milliseconds(100));

    QVERIFY(second.failure());
    QCOMPARE(second.failure()->kind, PackFailure::Kind::PackRunning);
    QCOMPARE(second.failure()->subject, workDir + u"skin.wmz"_s);
    QVERIFY(QFileInfo::exists(workDir + leftover));
    running.reset();
    const PackScratch third(workDir, u"skin.wmz"_s, std::chrono::milliseconds(100));
    QVERIFY(!third.failure());
    QVERIFY(!QFileInfo::exists(workDir + leftover));
    for (const QString &name : users) {
        QCOMPARE(SkinFolder::readFile(workDir + name), QByteArray("the user's"));
    }
}

// An empty lock (a full disk leaves one) names no pack: the next pack takes
// its turn instead of waiting for ever and saying another is running.
void tst_zipwrapper::lockOfNoOwnerIsNoPacks()
{
    const QString workDir = m_skin->path() + u'/';
    QVERIFY(SkinFolder::writeFile(PartialArchive::lockPath(workDir + u"skin.wmz"_s), {}));

    const PackScratch scratch(workDir, u"skin.wmz"_s, std::chrono::milliseconds(100));

    QVERIFY(!scratch.failure());
}

QTEST_GUILESS_MAIN(tst_zipwrapper)
#include "tst_zipwrapper.moc"
