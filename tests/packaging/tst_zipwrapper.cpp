#include "ArchiveContents.h"
#include "RecordingArchiver.h"
#include "RecordingMessageSink.h"
#include "SkinFolder.h"
#include "TmpfsMount.h"
#include "packaging/OwnerWindow.h"
#include "packaging/clsZipWrapper.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

// The WMZ packager: probing, the list file, the command line, messages, and
// real skins packed by the built-in archiver. Every test runs with its own
// temporary folder, which must be empty again afterwards (no list file left).
class tst_zipwrapper : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void probesArchiverOnce_data();
    void probesArchiverOnce();

    void listsFilesTheWmsNames_data();
    void listsFilesTheWmsNames();
    void commandLineCarriesArchiveFolderAndList_data();
    void commandLineCarriesArchiveFolderAndList();
    void archiveNameReplacesLastCharacter_data();
    void archiveNameReplacesLastCharacter();

    void failingArchiverShowsMessage_data();
    void failingArchiverShowsMessage();
    void oldArchiverIsReportedButStillRuns();
    void missingWmsFileFailsSilently();
    void refusesArchiveNamedLikeTheWms();
    void fullTemporaryFolderFailsSilently();

    void packsRealSkin();
    void packsSkinNamedOutsideTheCodePage();
    void repackingDropsFilesNoLongerNamed();
    void failedRepackKeepsOldArchive();

private:
    std::unique_ptr<QTemporaryDir> newFolder(const QString &name = u"skin"_s) const;
    static QString q(const QString &text) { return u'"' + text + u'"'; }
    void useTempFolder(const QString &name);

    QString m_systemTemp;
    QString m_startFolder;
    std::unique_ptr<QTemporaryDir> m_current;
    std::unique_ptr<QTemporaryDir> m_temp;
    RecordingMessageSink m_messages;
    ArchiverLog m_log;
};

namespace {
class FakeWindow : public OwnerWindow {
public:
    explicit FakeWindow(quintptr handle) : m_handle(handle) {}
    quintptr windowHandle() const override { return m_handle; }

private:
    quintptr m_handle;
};

const QString kStop = u"圧縮に失敗しました"_s;
const QString kTitle = u"WMZファイル作成"_s;
} // namespace

void tst_zipwrapper::initTestCase()
{
    m_systemTemp = QDir::tempPath();
    // Run from a folder of our own: an archive written to the current folder
    // instead of beside its WMS file shows up there and nowhere else.
    m_startFolder = QDir::currentPath();
    m_current = std::make_unique<QTemporaryDir>(m_systemTemp + u"/velmora-cwd-XXXXXX"_s);
    QVERIFY(m_current->isValid());
    QVERIFY(QDir::setCurrent(m_current->path()));
}

void tst_zipwrapper::cleanupTestCase()
{
    QDir::setCurrent(m_startFolder);
    m_current.reset();
}

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
    m_messages.clear();
    m_log = ArchiverLog();
}

void tst_zipwrapper::cleanup()
{
    // Whatever happened, the packager left nothing in the temporary folder.
    QCOMPARE(SkinFolder::listing(m_temp->path()), QStringList());
    QCOMPARE(SkinFolder::listing(m_current->path()), QStringList());
    qputenv("TMPDIR", QFile::encodeName(m_systemTemp));
    m_temp.reset();
}

std::unique_ptr<QTemporaryDir> tst_zipwrapper::newFolder(const QString &name) const
{
    auto dir = std::make_unique<QTemporaryDir>(m_systemTemp + u'/' + name + u"XXXXXX"_s);
    return dir->isValid() ? std::move(dir) : nullptr;
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
    QFETCH(bool, throws);
    QFETCH(bool, usable);
    QFETCH(bool, old);
    m_log.version = version < 0 ? std::nullopt : std::optional<qint16>(qint16(version));
    m_log.throwOnVersion = throws;
    std::unique_ptr<Archiver> archiver;
    if (kind == 1) {
        archiver = std::make_unique<RecordingArchiver>(m_log);
    } else if (kind == 2) {
        archiver = makeBuiltInArchiver();
    }
    const clsZipWrapper wrapper(m_messages, std::move(archiver));
    m_log.version = 1; // a later answer changes nothing: the flags are fixed at creation
    QCOMPARE(wrapper.getZipUsable(), usable);
    QCOMPARE(wrapper.getZipVersionIsOld(), old);
    QVERIFY(m_messages.messages.isEmpty());
}

void tst_zipwrapper::listsFilesTheWmsNames_data()
{
    QTest::addColumn<QString>("wmsName");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("wmsText");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("named file") << u"skin.wms"_s << QStringList{u"play.bmp"_s} << QStringList()
                                << u"<BUTTON image=\"play.bmp\"/>"_s
                                << QStringList{u"play.bmp"_s, u"skin.wms"_s};
    QTest::newRow("case differs") << u"skin.wms"_s << QStringList{u"play.bmp"_s} << QStringList()
                                  << u"image=\"Play.bmp\""_s << QStringList{u"skin.wms"_s};
    QTest::newRow("plain substring")
        << u"skin.wms"_s << QStringList{u"a.bmp"_s} << QStringList() << u"image=\"data.bmp\""_s
        << QStringList{u"a.bmp"_s, u"skin.wms"_s};
    QTest::newRow("unnamed files left out")
        << u"skin.wms"_s << QStringList{u"unused.bmp"_s, u"used.bmp"_s, u"x.gif"_s} << QStringList()
        << u"used.bmp"_s << QStringList{u"used.bmp"_s, u"skin.wms"_s};
    QTest::newRow("blank and comma quoted")
        << u"skin.wms"_s << QStringList{u"plain.bmp"_s, u"my play.bmp"_s, u"a,b.bmp"_s}
        << QStringList() << u"a,b.bmp my play.bmp plain.bmp"_s
        << QStringList{u"\"a,b.bmp\""_s, u"\"my play.bmp\""_s, u"plain.bmp"_s, u"skin.wms"_s};
    QTest::newRow("WMS naming itself is listed twice")
        << u"skin.wms"_s << QStringList() << QStringList() << u"<!-- skin.wms -->"_s
        << QStringList{u"skin.wms"_s, u"skin.wms"_s};
    QTest::newRow("WMS with a blank: quoted in the list, bare at the end")
        << u"my skin,1.wms"_s << QStringList() << QStringList() << u"my skin,1.wms"_s
        << QStringList{u"\"my skin,1.wms\""_s, u"my skin,1.wms"_s};
    QTest::newRow("subfolders left out")
        << u"skin.wms"_s << QStringList{u"b.bmp"_s} << QStringList{u"sub.bmp"_s}
        << u"sub.bmp b.bmp"_s << QStringList{u"b.bmp"_s, u"skin.wms"_s};
    QTest::newRow("dot file named")
        << u"skin.wms"_s << QStringList{u".back.bmp"_s, u".x"_s} << QStringList()
        << u"image=\".back.bmp\""_s << QStringList{u".back.bmp"_s, u"skin.wms"_s};
    QTest::newRow("line ends dropped before searching")
        << u"skin.wms"_s << QStringList{u"play.bmp"_s} << QStringList() << u"pla\r\ny.bmp"_s
        << QStringList{u"play.bmp"_s, u"skin.wms"_s};
    QTest::newRow("Japanese names")
        << u"スキン.wms"_s << QStringList{u"再生.bmp"_s, u"停止.bmp"_s} << QStringList()
        << u"image=\"再生.bmp\""_s << QStringList{u"再生.bmp"_s, u"スキン.wms"_s};
}

void tst_zipwrapper::listsFilesTheWmsNames()
{
    QFETCH(QString, wmsName);
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(QString, wmsText);
    QFETCH(QStringList, lines);
    const auto skin = newFolder();
    QVERIFY(skin);
    QVERIFY(SkinFolder::writeAnsi(skin->filePath(wmsName), wmsText));
    for (const QString &name : files) {
        QVERIFY(SkinFolder::writeFile(skin->filePath(name), "image"));
    }
    for (const QString &name : folders) {
        QVERIFY(QDir(skin->path()).mkdir(name));
    }
    clsZipWrapper wrapper(m_messages, std::make_unique<RecordingArchiver>(m_log));

    QVERIFY(!wrapper.makeZipFile(nullptr, wmsName, skin->path()).isEmpty());

    QCOMPARE(m_log.calls.size(), 1);
    QVERIFY(m_log.calls[0].listFile.startsWith(m_temp->path() + u"/0"_s));
    QCOMPARE(m_log.calls[0].listBytes, AnsiText::encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
}

void tst_zipwrapper::commandLineCarriesArchiveFolderAndList_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::addColumn<QString>("suffix"); // appended to the folder path passed in
    QTest::addColumn<bool>("quoted");
    QTest::addColumn<QString>("tempName"); // the temporary folder, when not the default
    QTest::addColumn<bool>("listQuoted");

    QTest::newRow("plain") << u"blue"_s << QString() << false << QString() << false;
    // The same command line, whether or not the folder ends in a separator.
    QTest::newRow("plain, trailing separator")
        << u"blue"_s << u"/"_s << false << QString() << false;
    QTest::newRow("blank") << u"my blue"_s << QString() << true << QString() << false;
    QTest::newRow("comma") << u"blue,2"_s << QString() << true << QString() << false;
    QTest::newRow("trailing blanks dropped")
        << u"blue"_s << u"   "_s << false << QString() << false;
    QTest::newRow("folder really ending in a blank")
        << u"blue "_s << QString() << true << QString() << false;
    // The list argument is quoted whole, so the quote stands before the "@".
    QTest::newRow("temporary folder with a blank")
        << u"blue"_s << QString() << false << u"velmora tmp "_s << true;
}

void tst_zipwrapper::commandLineCarriesArchiveFolderAndList()
{
    QFETCH(QString, folderName);
    QFETCH(QString, suffix);
    QFETCH(bool, quoted);
    QFETCH(QString, tempName);
    QFETCH(bool, listQuoted);
    if (!tempName.isEmpty()) {
        useTempFolder(tempName);
    }
    const auto parent = newFolder();
    QVERIFY(parent);
    const QString folder = parent->filePath(folderName);
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(SkinFolder::writeAnsi(folder + u"/blue.wms"_s, u"blue"_s));
    clsZipWrapper wrapper(m_messages, std::make_unique<RecordingArchiver>(m_log));
    const FakeWindow window(0x5a17);

    QCOMPARE(wrapper.makeZipFile(&window, u"blue.wms"_s, folder + suffix), u"blue.wmz"_s);

    QCOMPARE(m_log.calls.size(), 1);
    QCOMPARE(m_log.calls[0].window, quintptr(0x5a17));
    QVERIFY(m_log.calls[0].listFile.startsWith(m_temp->path() + u"/0"_s));
    const QString archive = folder + u"/blue.wmz"_s;
    const QString base = folder + u'/';
    const QString list = u'@' + m_log.calls[0].listFile;
    const QString expected = u"-r -D -v "_s + (quoted ? q(archive) : archive) + u' ' +
                             (quoted ? q(base) : base) + u' ' + (listQuoted ? q(list) : list) +
                             u' ';
    QCOMPARE(QFile::decodeName(m_log.calls[0].commandLine), expected);
    QVERIFY(m_messages.messages.isEmpty());
}

void tst_zipwrapper::archiveNameReplacesLastCharacter_data()
{
    QTest::addColumn<QString>("wmsName");
    QTest::addColumn<QString>("archiveName");

    QTest::newRow("a.wms") << u"a.wms"_s << u"a.wmz"_s;
    QTest::newRow("A.WMS") << u"A.WMS"_s << u"A.WMz"_s;
    QTest::newRow("Japanese") << u"青.wms"_s << u"青.wmz"_s;
    QTest::newRow("no extension") << u"skin"_s << u"skiz"_s;
}

void tst_zipwrapper::archiveNameReplacesLastCharacter()
{
    QFETCH(QString, wmsName);
    QFETCH(QString, archiveName);
    const auto skin = newFolder();
    QVERIFY(skin);
    QVERIFY(SkinFolder::writeAnsi(skin->filePath(wmsName), u"x"_s));
    clsZipWrapper wrapper(m_messages, makeBuiltInArchiver());

    QCOMPARE(wrapper.makeZipFile(nullptr, wmsName, skin->path()), archiveName);
    QVERIFY(ArchiveContents::read(skin->filePath(archiveName)));
}

void tst_zipwrapper::failingArchiverShowsMessage_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("throws");
    QTest::addColumn<bool>("message");

    QTest::newRow("no archiver") << false << 0 << false << true;
    QTest::newRow("archiver returns 1") << true << 1 << false << true;
    QTest::newRow("archiver returns -1") << true << -1 << false << true;
    QTest::newRow("archiver throws") << true << 0 << true << false;
}

void tst_zipwrapper::failingArchiverShowsMessage()
{
    QFETCH(bool, present);
    QFETCH(int, result);
    QFETCH(bool, throws);
    QFETCH(bool, message);
    const auto skin = newFolder();
    QVERIFY(skin);
    QVERIFY(SkinFolder::writeAnsi(skin->filePath(u"s.wms"_s), u"x"_s));
    m_log.result = result;
    m_log.throwOnZip = throws;
    std::unique_ptr<Archiver> archiver;
    if (present) {
        archiver = std::make_unique<RecordingArchiver>(m_log);
    }
    clsZipWrapper wrapper(m_messages, std::move(archiver));

    QCOMPARE(wrapper.makeZipFile(nullptr, u"s.wms"_s, skin->path()), QString());

    QCOMPARE(m_log.calls.size(), present ? 1 : 0);
    QCOMPARE(m_messages.messages.size(), message ? 1 : 0);
    if (message) {
        QCOMPARE(m_messages.last().text, kStop);
        QCOMPARE(m_messages.last().title, kTitle);
        QCOMPARE(m_messages.last().icon, MessageIcon::Stop);
        QVERIFY(!m_messages.last().question);
    }
    // cleanup() checks that the list file is gone.
}

void tst_zipwrapper::oldArchiverIsReportedButStillRuns()
{
    // Refusing an old archiver is the command's decision, not the packager's.
    m_log.version = 36;
    const auto skin = newFolder();
    QVERIFY(skin);
    QVERIFY(SkinFolder::writeAnsi(skin->filePath(u"s.wms"_s), u"x"_s));
    clsZipWrapper wrapper(m_messages, std::make_unique<RecordingArchiver>(m_log));
    QVERIFY(wrapper.getZipUsable());
    QVERIFY(wrapper.getZipVersionIsOld());
    QCOMPARE(wrapper.makeZipFile(nullptr, u"s.wms"_s, skin->path()), u"s.wmz"_s);
    QCOMPARE(m_log.calls.size(), 1);
}

void tst_zipwrapper::missingWmsFileFailsSilently()
{
    const auto skin = newFolder();
    QVERIFY(skin);
    clsZipWrapper wrapper(m_messages, std::make_unique<RecordingArchiver>(m_log));
    QCOMPARE(wrapper.makeZipFile(nullptr, u"gone.wms"_s, skin->path()), QString());
    QCOMPARE(wrapper.makeZipFile(nullptr, QString(), skin->path()), QString());
    QVERIFY(m_log.calls.isEmpty());
    QVERIFY(m_messages.messages.isEmpty());
}

void tst_zipwrapper::refusesArchiveNamedLikeTheWms()
{
    // A skin file ending in "z" gives an archive of its own name, which must
    // not replace the skin file.
    const auto skin = newFolder();
    QVERIFY(skin);
    QVERIFY(SkinFolder::writeFile(skin->filePath(u"play.bmp"_s), "play"));
    QVERIFY(SkinFolder::writeAnsi(skin->filePath(u"skin.z"_s), u"play.bmp"_s));
    const QStringList before = SkinFolder::listing(skin->path());
    clsZipWrapper wrapper(m_messages, makeBuiltInArchiver());

    QCOMPARE(wrapper.makeZipFile(nullptr, u"skin.z"_s, skin->path()), QString());

    QCOMPARE(SkinFolder::readFile(skin->filePath(u"skin.z"_s)), QByteArray("play.bmp"));
    QCOMPARE(SkinFolder::listing(skin->path()), before);
    QCOMPARE(m_messages.messages.size(), 1);
    QCOMPARE(m_messages.last().text, kStop);
}

void tst_zipwrapper::fullTemporaryFolderFailsSilently()
{
    const TmpfsMount disk(m_temp->path(), u"64k"_s);
    if (!disk.isMounted()) {
        QSKIP(qPrintable(u"cannot mount a small tmpfs: "_s + disk.reason()));
    }
    const QString filler = m_temp->filePath(u"filler"_s);
    {
        QFile file(filler);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (file.write(block) == block.size() && file.flush()) {
        }
    }
    const auto skin = newFolder();
    QVERIFY(skin);
    QString longText;
    for (int i = 0; i < 2000; ++i) {
        longText += u"picture%1.bmp "_s.arg(i);
        QVERIFY(SkinFolder::writeFile(skin->filePath(u"picture%1.bmp"_s.arg(i)), {}));
    }
    QVERIFY(SkinFolder::writeAnsi(skin->filePath(u"s.wms"_s), longText));
    clsZipWrapper wrapper(m_messages, std::make_unique<RecordingArchiver>(m_log));

    QCOMPARE(wrapper.makeZipFile(nullptr, u"s.wms"_s, skin->path()), QString());

    QVERIFY(m_log.calls.isEmpty());
    QVERIFY(m_messages.messages.isEmpty());
    QCOMPARE(SkinFolder::listing(m_temp->path()), QStringList{u"filler"_s});
    QFile::remove(filler);
}

void tst_zipwrapper::packsRealSkin()
{
    useTempFolder(u"velmora tmp,"_s);
    const auto skin = newFolder(u"スキン blue,"_s);
    QVERIFY(skin);
    QMap<QString, QByteArray> expected;
    const QStringList images{u"back.bmp"_s, u"play button.bmp"_s, u"再生.bmp"_s, u"a,b.gif"_s};
    quint32 seed = 11;
    for (const QString &name : images) {
        expected.insert(name, SkinFolder::imageBytes(seed++, 20000));
        QVERIFY(SkinFolder::writeFile(skin->filePath(name), expected.value(name)));
    }
    QVERIFY(SkinFolder::writeFile(skin->filePath(u"spare.bmp"_s), "not named"));
    QVERIFY(QDir(skin->path()).mkdir(u"old"_s));
    const QString wmsText = u"<THEME>\r\n<VIEW backgroundImage=\"back.bmp\">\r\n"_s +
                            u"<BUTTON image=\"play button.bmp\" downImage=\"再生.bmp\"/>\r\n"_s +
                            u"<BUTTON image=\"a,b.gif\"/>\r\n</VIEW>\r\n</THEME>\r\n"_s;
    expected.insert(u"ブルー.wms"_s, AnsiText::encode(wmsText));
    QVERIFY(SkinFolder::writeAnsi(skin->filePath(u"ブルー.wms"_s), wmsText));
    clsZipWrapper wrapper(m_messages, makeBuiltInArchiver());

    QCOMPARE(wrapper.makeZipFile(nullptr, u"ブルー.wms"_s, skin->path()), u"ブルー.wmz"_s);

    const QString archive = skin->filePath(u"ブルー.wmz"_s);
    const auto entries = ArchiveContents::read(archive);
    QVERIFY(entries);
    QCOMPARE(*entries, expected);
    QVERIFY(m_messages.messages.isEmpty());
}

void tst_zipwrapper::packsSkinNamedOutsideTheCodePage()
{
    // Saving lets the user name the skin freely; windows-31j has no "é".
    const auto skin = newFolder();
    QVERIFY(skin);
    QVERIFY(SkinFolder::writeFile(skin->filePath(u"back.bmp"_s), "back"));
    QVERIFY(SkinFolder::writeAnsi(skin->filePath(u"Café.wms"_s), u"back.bmp"_s));
    clsZipWrapper wrapper(m_messages, makeBuiltInArchiver());

    QCOMPARE(wrapper.makeZipFile(nullptr, u"Café.wms"_s, skin->path()), u"Café.wmz"_s);

    const auto entries = ArchiveContents::read(skin->filePath(u"Café.wmz"_s));
    QVERIFY(entries);
    QCOMPARE(entries->keys(), QStringList({u"Café.wms"_s, u"back.bmp"_s}));
    QVERIFY(m_messages.messages.isEmpty());
}

void tst_zipwrapper::repackingDropsFilesNoLongerNamed()
{
    const auto skin = newFolder();
    QVERIFY(skin);
    QVERIFY(SkinFolder::writeFile(skin->filePath(u"old.bmp"_s), "old"));
    QVERIFY(SkinFolder::writeFile(skin->filePath(u"new.bmp"_s), "new"));
    QVERIFY(SkinFolder::writeAnsi(skin->filePath(u"s.wms"_s), u"old.bmp"_s));
    clsZipWrapper wrapper(m_messages, makeBuiltInArchiver());
    QCOMPARE(wrapper.makeZipFile(nullptr, u"s.wms"_s, skin->path()), u"s.wmz"_s);
    const auto first = ArchiveContents::read(skin->filePath(u"s.wmz"_s));
    QVERIFY(first);
    QCOMPARE(first->keys(), QStringList({u"old.bmp"_s, u"s.wms"_s}));

    QVERIFY(SkinFolder::writeAnsi(skin->filePath(u"s.wms"_s), u"new.bmp"_s));
    QCOMPARE(wrapper.makeZipFile(nullptr, u"s.wms"_s, skin->path()), u"s.wmz"_s);

    const auto entries = ArchiveContents::read(skin->filePath(u"s.wmz"_s));
    QVERIFY(entries);
    QCOMPARE(entries->keys(), QStringList({u"new.bmp"_s, u"s.wms"_s}));
    QCOMPARE(entries->value(u"new.bmp"_s), QByteArray("new"));
}

void tst_zipwrapper::failedRepackKeepsOldArchive()
{
    const auto skin = newFolder();
    QVERIFY(skin);
    const TmpfsMount disk(skin->path(), u"512k"_s);
    if (!disk.isMounted()) {
        QSKIP(qPrintable(u"cannot mount a small tmpfs: "_s + disk.reason()));
    }
    QVERIFY(SkinFolder::writeFile(skin->filePath(u"play.bmp"_s), "play"));
    QVERIFY(SkinFolder::writeAnsi(skin->filePath(u"s.wms"_s), u"play.bmp"_s));
    clsZipWrapper wrapper(m_messages, makeBuiltInArchiver());
    QCOMPARE(wrapper.makeZipFile(nullptr, u"s.wms"_s, skin->path()), u"s.wmz"_s);
    const QByteArray before = SkinFolder::readFile(skin->filePath(u"s.wmz"_s));

    // Random bytes do not compress: the new archive needs more room than is left.
    QByteArray noise(300 * 1024, '\0');
    QRandomGenerator(3).fillRange(reinterpret_cast<quint32 *>(noise.data()),
                                  noise.size() / qsizetype(sizeof(quint32)));
    QVERIFY(SkinFolder::writeFile(skin->filePath(u"noise.bmp"_s), noise));
    QVERIFY(SkinFolder::writeAnsi(skin->filePath(u"s.wms"_s), u"play.bmp noise.bmp"_s));
    const QStringList listing = SkinFolder::listing(skin->path());

    QCOMPARE(wrapper.makeZipFile(nullptr, u"s.wms"_s, skin->path()), QString());

    QCOMPARE(m_messages.messages.size(), 1);
    QCOMPARE(m_messages.last().text, kStop);
    QCOMPARE(m_messages.last().title, kTitle);
    QCOMPARE(SkinFolder::readFile(skin->filePath(u"s.wmz"_s)), before);
    QCOMPARE(SkinFolder::listing(skin->path()), listing);
}

QTEST_GUILESS_MAIN(tst_zipwrapper)
#include "tst_zipwrapper.moc"
