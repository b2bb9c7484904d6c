// The WMZ unpacker against real archives written here: every hostile archive
// is refused as a whole with the entry and the reason named, and leaves the
// target folder as it was.
#include "ProgramFolder.h"
#include "RecordingMessageSink.h"
#include "TestArchive.h"
#include "TmpfsMount.h"
#include "packaging/ArchiveCheck.h"
#include "packaging/UnpackTarget.h"
#include "packaging/WmzUnpacker.h"
#include "util/EntryName.h"
#include "util/UserFile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using TestArchive::Entry;

namespace {

const QByteArray kSkin = "<theme id=\"velmora\">\r\n</theme>\r\n";

QByteArray noise(qsizetype size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator random(7);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

Entry skinEntry(const QByteArray &name = "skin.wms")
{
    return {name, kSkin};
}

// Every name in a folder, hidden ones included, with its bytes.
QMap<QString, QByteArray> folderContents(const QString &folder)
{
    QMap<QString, QByteArray> contents;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                             QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &info : entries) {
        QFile file(info.filePath());
        contents.insert(info.fileName(), info.isFile() && file.open(QIODevice::ReadOnly)
                                             ? file.readAll()
                                             : QByteArray("<not a file>"));
    }
    return contents;
}

// The names in a folder as the system's bytes: Qt loses those that are no
// UTF-8.
QList<QByteArray> rawNames(const QString &folder)
{
    QList<QByteArray> names;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    while (const dirent *entry = dir ? ::readdir(dir) : nullptr) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..") {
            names.append(name);
        }
    }
    if (dir) {
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// One run of a program, its output thrown away: how it ended and the most
// memory it held, as the system counted it for that process alone.
struct RunPeak {
    int exitCode;
    long kilobytes;
};
std::optional<RunPeak> peakOfRun(const QString &program, const QStringList &arguments)
{
    QList<QByteArray> bytes{QFile::encodeName(program)};
    for (const QString &argument : arguments) {
        bytes.append(QFile::encodeName(argument));
    }
    std::vector<char *> argv;
    for (QByteArray &argument : bytes) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    int status = 0;
    struct rusage usage {};
    if (spawned != 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status)) {
        return std::nullopt;
    }
    return RunPeak{WEXITSTATUS(status), usage.ru_maxrss};
}

} // namespace

class tst_Unpacker : public QObject {
    Q_OBJECT

private slots:
    void init();
    void refusesHostileArchive_data();
    void refusesHostileArchive();
    void checksTheDirectory_data();
    void checksTheDirectory();
    void unpacksEveryEntry();
    void asksBeforeReplacing_data();
    void asksBeforeReplacing();
    void fullDiskLeavesNothing();
    void refusedRenameTakesBackNewFiles_data();
    void refusedRenameTakesBackNewFiles();
    void refusesWhatTheEndRecordDeclares_data();
    void refusesWhatTheEndRecordDeclares();
    void defaultFolderIsNewOrEmpty_data();
    void defaultFolderIsNewOrEmpty();
    void cancelledCopyLeavesNothing();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QByteArray archiveBytes(const QList<Entry> &entries) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_Unpacker::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QByteArray tst_Unpacker::archiveBytes(const QList<Entry> &entries) const
{
    const QString file = path(u"made.zip"_s);
    if (!TestArchive::write(file, entries)) {
        return {};
    }
    QFile made(file);
    return made.open(QIODevice::ReadOnly) ? made.readAll() : QByteArray();
}

void tst_Unpacker::refusesHostileArchive_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QString>("entry");  // named in the message
    QTest::addColumn<QString>("reason"); // a word of the reason
    init();
    const auto row = [&](const char *tag, const QList<Entry> &entries, const QString &entry,
                         const QString &reason) {
        QTest::newRow(tag) << archiveBytes(entries) << entry << reason;
    };
    const ArchiveCheck::Limits limits = ArchiveCheck::kLimits;
    // Names the shared rule refuses, with its reason.
    const auto nameRow = [&](const char *tag, const QByteArray &name, const QString &shown) {
        row(tag, {skinEntry(), {name, "x"}}, shown,
            unsafeEntryNameReason(QString::fromUtf8(name)).value_or(u"(accepted)"_s));
    };
    nameRow("climbs out", "../play.bmp", u"../play.bmp"_s);
    nameRow("absolute", "/tmp/play.bmp", u"/tmp/play.bmp"_s);
    nameRow("drive", "C:play.bmp", u"C:play.bmp"_s);
    nameRow("backslash", "..\\play.bmp", u"..\\play.bmp"_s);
    nameRow("folder part", "images/play.bmp", u"images/play.bmp"_s);
    nameRow("control character", "a\x1b]2;x\x07.bmp", u"a\\x1B]2;x\\x07.bmp"_s);
    nameRow("device name", "CON.bmp", u"CON.bmp"_s);
    // No archiver writes a NUL into a name; a hostile archive can.
    const QByteArray nul("a\0b.bmp", 7);
    QTest::newRow("NUL") << TestArchive::withNameReplaced(
                                archiveBytes({skinEntry(), {"aXb.bmp", "x"}}), "aXb.bmp", nul)
                         << u"a\\x00b.bmp"_s << *unsafeEntryNameReason(QString::fromUtf8(nul));
    row("link", {skinEntry(), {"play.bmp", "/etc/passwd", 0120777}}, u"play.bmp"_s, u"リンク"_s);
    row("device", {skinEntry(), {"play.bmp", "", 0020644}}, u"play.bmp"_s, u"通常のファイル"_s);
    row("folder", {skinEntry(), {"images/", "", 0040755}}, u"images/"_s, u"フォルダです"_s);
    row("same name, other case", {skinEntry(), {"Play.bmp", "x"}, {"play.BMP", "y"}}, u"play.BMP"_s,
        u"Play.bmp"_s);
    QTest::newRow("same name twice")
        << TestArchive::withNameReplaced(
               archiveBytes({skinEntry(), {"play.bmp", "x"}, {"plaX.bmp", "y"}}), "plaX.bmp",
               "play.bmp")
        << u"play.bmp"_s << u"同じ名前"_s;
    row("entry too large",
        {skinEntry(), {"big.bmp", QByteArray(qsizetype(limits.entryBytes) + 1, 0)}}, u"big.bmp"_s,
        u"MB"_s);
    // Deflate cannot pack a thousandfold much beyond a plain BMP; only a lie
    // about the size (or another method) goes further.
    QTest::newRow("bomb")
        << TestArchive::withDeclaredSize(
               archiveBytes({skinEntry(),
                             {"bomb.bmp", QByteArray(qsizetype(limits.ratioFromBytes) + 1, 0)}}),
               "bomb.bmp", quint32(limits.entryBytes - 1))
        << u"bomb.bmp"_s << u"圧縮率"_s;
    // Each entry just within the ratio, all of them together over the limit.
    const qsizetype declared = qsizetype(limits.totalBytes / 4 - 1);
    const qsizetype packed = declared / qsizetype(limits.ratio) + 1;
    QList<Entry> large{skinEntry()};
    for (int i = 0; i < 5; ++i) {
        large.append({"part" + QByteArray::number(i) + ".bmp", noise(packed), 0100644, true});
    }
    QByteArray together = archiveBytes(large);
    for (int i = 0; i < 5; ++i) {
        together = TestArchive::withDeclaredSize(together, "part" + QByteArray::number(i) + ".bmp",
                                                 quint32(declared));
    }
    QTest::newRow("too large together") << together << u"in.wmz"_s << u"合わせて"_s;
    QList<Entry> many{skinEntry()};
    for (qsizetype i = 0; i < limits.entries; ++i) {
        many.append({QByteArray::number(i) + ".bmp", "x"});
    }
    row("too many entries", many, u"in.wmz"_s, QString::number(limits.entries));
    row("no skin file", {{"play.bmp", "x"}}, u"in.wmz"_s, u"WMS"_s);
    row("two skin files", {skinEntry("a.wms"), {"play.bmp", "x"}, skinEntry("b.WMS")}, u"b.WMS"_s,
        u"a.wms"_s);
    QTest::newRow("more than it declares")
        << TestArchive::withDeclaredSize(archiveBytes({skinEntry(), {"play.bmp", noise(4000)}}),
                                         "play.bmp", 2000)
        << u"play.bmp"_s << u"超えて"_s;
    // The last entry breaks after the others were written: they go again.
    QTest::newRow("broken data") << archiveBytes({skinEntry(),
                                                  {"play.bmp", "x"},
                                                  {"stop.bmp", "MARK" + noise(64), 0100644, true}})
                                        .replace("MARK", "MARX")
                                 << u"stop.bmp"_s << u"壊れて"_s;
    QTest::newRow("no archive") << noise(300) << u"in.wmz"_s << u"ZIP"_s;
    // Longer than a name the folder's file system takes (255 bytes here).
    const QByteArray longName = QByteArray(300, 'a') + ".bmp";
    row("name too long for the folder", {skinEntry(), {"play.bmp", "x"}, {longName, "x"}},
        QString::fromLatin1(longName), u"長すぎ"_s);
}

void tst_Unpacker::refusesHostileArchive()
{
    QFETCH(QByteArray, archive);
    QFETCH(QString, entry);
    QFETCH(QString, reason);
    QVERIFY(!archive.isEmpty());
    const QString file = path(u"in.wmz"_s);
    QVERIFY(writeFile(file, archive));

    // Into a new folder (it must not stay) and into one that holds files.
    const QString existing = path(u"existing"_s);
    QVERIFY(QDir().mkdir(existing));
    QVERIFY(writeFile(existing + u"/keep.txt"_s, "keep"));
    const QMap<QString, QByteArray> before = folderContents(existing);
    for (const QString &folder : {path(u"new"_s), existing}) {
        RecordingMessageSink messages;
        QVERIFY(!WmzUnpacker::unpack(file, folder, messages));
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY2(messages.last().text.contains(entry) && messages.last().text.contains(reason),
                 qPrintable(messages.last().text));
        QVERIFY(!messages.last().question);
    }
    QVERIFY(!QFileInfo::exists(path(u"new"_s)));
    QCOMPARE(folderContents(existing), before);
}

void tst_Unpacker::checksTheDirectory_data()
{
    QTest::addColumn<QList<QByteArray>>("names");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("windows-31j") << QList<QByteArray>{"skin.wms", "\x8d\xc4\x90\xb6.bmp"} << true;
    QTest::newRow("neither UTF-8 nor windows-31j")
        << QList<QByteArray>{"skin.wms", "\xff\xfe.bmp"} << false;
    QTest::newRow("dots only") << QList<QByteArray>{"skin.wms", "..."} << false;
}

void tst_Unpacker::checksTheDirectory()
{
    QFETCH(QList<QByteArray>, names);
    QFETCH(bool, accepted);
    QList<ArchiveCheck::Entry> entries;
    for (const QByteArray &name : names) {
        entries.append({name, 10, 10});
    }
    const ArchiveCheck::Verdict verdict = ArchiveCheck::check(entries);
    QCOMPARE(!verdict.refusal, accepted);
    if (verdict.refusal) {
        QCOMPARE(verdict.refusal->subject, ArchiveCheck::nameText(names.last()));
    }
}

void tst_Unpacker::unpacksEveryEntry()
{
    const QList<Entry> entries{
        {"play.bmp", noise(5000)},
        {"再生.bmp", noise(100), 0100644, true},
        {"\x92\xe2\x8e\x7e.bmp", "windows-31j name"},
        skinEntry(),
        {"empty.bmp", ""},
        // Deflates a thousandfold, as plain-coloured BMPs do.
        {"plain.bmp", QByteArray(qsizetype(ArchiveCheck::kLimits.ratioFromBytes), 'p')}};
    QVERIFY(TestArchive::write(path(u"in.wmz"_s), entries));
    RecordingMessageSink messages;
    const QString folder = WmzUnpacker::folderFor(path(u"in.wmz"_s));
    QCOMPARE(folder, path(u"in"_s));
    const std::optional<QString> wms = WmzUnpacker::unpack(path(u"in.wmz"_s), folder, messages);
    QVERIFY2(wms, qPrintable(messages.messages.value(0).text));
    QCOMPARE(*wms, folder + u"/skin.wms"_s);
    QVERIFY(messages.messages.isEmpty());
    // Each under the bytes of its name, and nothing else: no partial file left.
    QList<QByteArray> names;
    for (const Entry &entry : entries) {
        names.append(entry.name);
    }
    std::sort(names.begin(), names.end());
    QCOMPARE(rawNames(folder), names);
    for (const Entry &entry : entries) {
        QFile file;
        QVERIFY2(UserFile::open(file, folder + u'/' + ArchiveCheck::nameText(entry.name)),
                 entry.name.constData());
        QCOMPARE(file.readAll(), entry.data);
    }
    // Qt cannot remove what it cannot name.
    for (const QByteArray &name : names) {
        ::unlink(QFile::encodeName(folder + u'/').append(name).constData());
    }
}

void tst_Unpacker::asksBeforeReplacing_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void tst_Unpacker::asksBeforeReplacing()
{
    QFETCH(bool, answer);
    QVERIFY(TestArchive::write(path(u"in.wmz"_s), {skinEntry(), {"play.bmp", "new"}}));
    const QString folder = path(u"in"_s);
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(writeFile(folder + u"/other.txt"_s, "other"));
    QVERIFY(writeFile(folder + u"/play.bmp"_s, "old"));
    const QMap<QString, QByteArray> before = folderContents(folder);

    RecordingMessageSink messages;
    messages.answers = {answer};
    const std::optional<QString> wms = WmzUnpacker::unpack(path(u"in.wmz"_s), folder, messages);
    QCOMPARE(messages.messages.size(), 1);
    QVERIFY(messages.last().question);
    QVERIFY(messages.last().text.contains(u"play.bmp"_s));
    QVERIFY(!messages.last().text.contains(u"skin.wms"_s)); // not there yet
    QCOMPARE(wms.has_value(), answer);
    QMap<QString, QByteArray> after = before;
    if (answer) {
        after.insert(u"play.bmp"_s, "new");
        after.insert(u"skin.wms"_s, kSkin);
    }
    QCOMPARE(folderContents(folder), after);

    // A folder in the way of an entry is refused without asking.
    QVERIFY(QFile::remove(folder + u"/play.bmp"_s) && QDir(folder).mkdir(u"play.bmp"_s));
    messages.clear();
    QVERIFY(!WmzUnpacker::unpack(path(u"in.wmz"_s), folder, messages));
    QCOMPARE(messages.messages.size(), 1);
    QVERIFY(!messages.last().question);
    QVERIFY(messages.last().text.contains(u"play.bmp"_s));
}

void tst_Unpacker::fullDiskLeavesNothing()
{
    const QString small = path(u"small"_s);
    QVERIFY(QDir().mkdir(small));
    TmpfsMount mount(small, u"64k"_s);
    if (!mount.isMounted()) {
        QSKIP(qPrintable(u"no tmpfs: "_s + mount.reason()));
    }
    QVERIFY(TestArchive::write(path(u"in.wmz"_s),
                               {skinEntry(), {"play.bmp", noise(400000), 0100644, true}}));
    RecordingMessageSink messages;
    QVERIFY(!WmzUnpacker::unpack(path(u"in.wmz"_s), small + u"/skin"_s, messages));
    QVERIFY2(messages.last().text.contains(u"空き容量"_s), qPrintable(messages.last().text));
    QVERIFY(folderContents(small).isEmpty());
}

// A name the system refuses when the files are put in place: those already
// put where no file was go again, with the folder when this target made it;
// a user's file in a folder that was there stays as it was.
void tst_Unpacker::refusedRenameTakesBackNewFiles_data()
{
    QTest::addColumn<bool>("existing");
    QTest::newRow("new folder") << false;
    QTest::newRow("folder that was there") << true;
}

void tst_Unpacker::refusedRenameTakesBackNewFiles()
{
    QFETCH(bool, existing);
    const QString folder = path(u"target"_s);
    if (existing) {
        QVERIFY(QDir().mkdir(folder));
        QFile mine(folder + u"/mine.bmp"_s);
        QVERIFY(mine.open(QIODevice::WriteOnly) && mine.write("the user's") == 10);
    }
    const QMap<QString, QByteArray> before = folderContents(folder);
    QString why;
    std::unique_ptr<UnpackTarget> target =
        UnpackTarget::open(folder, UnpackTarget::Folder::Any, &why);
    QVERIFY2(target, qPrintable(why));
    for (const QByteArray &name : {QByteArray("skin.wms"), QByteArray(300, 'a')}) {
        const int fd = target->createPart(name);
        QVERIFY(fd >= 0 && ::write(fd, "x", 1) == 1);
    }
    QVERIFY(!target->commit());
    target.reset();
    QCOMPARE(QFileInfo::exists(folder), existing);
    QCOMPARE(folderContents(folder), before);
}

// The end record of a real archive rewritten to declare entries and
// directory bytes through a ZIP64 record, the declared directory running on
// into a sparse hole of its size, as a few kilobytes of a hostile archive do.
bool writeDeclaring(const QString &file, const QByteArray &archive, quint64 entries,
                    quint64 directoryBytes)
{
    const qsizetype end = archive.lastIndexOf(QByteArrayView("PK\x05\x06", 4));
    if (end < 0) {
        return false;
    }
    const quint64 directoryAt = qFromLittleEndian<quint32>(archive.constData() + end + 16);
    const quint64 recordAt = directoryAt + directoryBytes;
    QByteArray zip64(56, '\0');
    zip64.replace(0, 4, QByteArray("PK\x06\x06", 4));
    qToLittleEndian<quint64>(44, zip64.data() + 4);
    qToLittleEndian<quint64>(entries, zip64.data() + 24);
    qToLittleEndian<quint64>(entries, zip64.data() + 32);
    qToLittleEndian<quint64>(directoryBytes, zip64.data() + 40);
    qToLittleEndian<quint64>(directoryAt, zip64.data() + 48);
    QByteArray locator(20, '\0');
    locator.replace(0, 4, QByteArray("PK\x06\x07", 4));
    qToLittleEndian<quint64>(recordAt, locator.data() + 8);
    qToLittleEndian<quint32>(1, locator.data() + 16);
    QByteArray record = archive.mid(end, 22);
    for (const qsizetype at : {8, 10}) {
        qToLittleEndian<quint16>(0xFFFF, record.data() + at);
    }
    for (const qsizetype at : {12, 16}) {
        qToLittleEndian<quint32>(0xFFFFFFFF, record.data() + at);
    }
    QFile out(file);
    return out.open(QIODevice::WriteOnly) &&
           out.write(archive.first(qsizetype(directoryAt))) == qint64(directoryAt) &&
           out.seek(qint64(recordAt)) && out.write(zip64 + locator + record) == 98;
}

// What an end record may declare is refused before the directory is read:
// the directory libzip would build for it is what cost gigabytes.
void tst_Unpacker::refusesWhatTheEndRecordDeclares_data()
{
    QTest::addColumn<quint64>("entries");
    QTest::addColumn<quint64>("directoryBytes");
    QTest::addColumn<QString>("reason");
    const ArchiveCheck::Limits limits = ArchiveCheck::kLimits;
    const QString tooMany = QString::number(limits.entries);
    QTest::newRow("2^24 entries") << (quint64(1) << 24) << (quint64(46) << 24) << tooMany;
    QTest::newRow("2^28 entries") << (quint64(1) << 28) << (quint64(46) << 28) << tooMany;
    QTest::newRow("one past the limit")
        << quint64(limits.entries + 1) << quint64(46) * quint64(limits.entries + 1) << tooMany;
    QTest::newRow("a directory too large for its entries")
        << quint64(1) << limits.directoryBytes + 1 << QString::number(limits.directoryBytes >> 20);
}

void tst_Unpacker::refusesWhatTheEndRecordDeclares()
{
    QFETCH(quint64, entries);
    QFETCH(quint64, directoryBytes);
    QFETCH(QString, reason);
    const QString file = path(u"in.wmz"_s);
    QVERIFY(writeDeclaring(file, archiveBytes({skinEntry()}), entries, directoryBytes));
    RecordingMessageSink messages;
    QVERIFY(!WmzUnpacker::unpack(file, path(u"in"_s), messages));
    QCOMPARE(messages.messages.size(), 1);
    QVERIFY2(messages.last().text.contains(reason), qPrintable(messages.last().text));
    QVERIFY(!QFileInfo::exists(path(u"in"_s)));

    // The command's peak memory stays that of a run that reads no archive
    // (libzip made 543 MB of the directory of 2^24 entries before any limit
    // applied); measured against it, so a sanitizer's own memory counts once.
    const QString program = programFolder() + u"/velmora"_s;
    const std::optional<RunPeak> unpack = peakOfRun(program, {u"unpack"_s, file});
    const std::optional<RunPeak> idle = peakOfRun(program, {u"--version"_s});
    QVERIFY(unpack && idle);
    QCOMPARE(unpack->exitCode, 1);
    constexpr long kMostKilobytes = 128 * 1024;
    QVERIFY2(unpack->kilobytes - idle->kilobytes < kMostKilobytes,
             qPrintable(u"%1 KB against %2 KB"_s.arg(unpack->kilobytes).arg(idle->kilobytes)));
}

// The folder an unpack picks itself is new or empty, never a link nor one
// holding files; judged again on the folder it opens.
void tst_Unpacker::defaultFolderIsNewOrEmpty_data()
{
    QTest::addColumn<QString>("inTheWay"); // what "in" is before the unpack
    QTest::addColumn<QString>("chosen");   // the folder picked, under the test folder
    QTest::newRow("nothing") << QString() << u"in"_s;
    QTest::newRow("an empty folder") << u"empty folder"_s << u"in"_s;
    QTest::newRow("a folder holding a file") << u"folder with a file"_s << u"in (2)"_s;
    QTest::newRow("a link to a folder elsewhere") << u"link"_s << u"in (2)"_s;
    QTest::newRow("a dangling link") << u"dangling link"_s << u"in (2)"_s;
    QTest::newRow("a file") << u"file"_s << u"in (2)"_s;
}

void tst_Unpacker::defaultFolderIsNewOrEmpty()
{
    QFETCH(QString, inTheWay);
    QFETCH(QString, chosen);
    const QString in = path(u"in"_s);
    const QString elsewhere = path(u"elsewhere"_s);
    QVERIFY(QDir().mkdir(elsewhere));
    if (inTheWay == u"empty folder"_s || inTheWay == u"folder with a file"_s) {
        QVERIFY(QDir().mkdir(in));
    }
    if (inTheWay == u"folder with a file"_s) {
        QVERIFY(writeFile(in + u"/mine.txt"_s, "mine"));
    }
    if (inTheWay == u"link"_s) {
        QVERIFY(QFile::link(elsewhere, in));
    }
    if (inTheWay == u"dangling link"_s) {
        QVERIFY(QFile::link(path(u"gone"_s), in));
    }
    if (inTheWay == u"file"_s) {
        QVERIFY(writeFile(in, "a file"));
    }
    const QMap<QString, QByteArray> before = folderContents(in);
    QVERIFY(TestArchive::write(path(u"in.wmz"_s), {skinEntry(), {"play.bmp", "x"}}));

    // Named as it stands, the folder in the way is refused by the rule.
    RecordingMessageSink messages;
    const bool takenAsIs =
        WmzUnpacker::unpack(path(u"in.wmz"_s), in, messages, UnpackTarget::Folder::NewOrEmpty)
            .has_value();
    QCOMPARE(takenAsIs, chosen == u"in"_s);
    if (!takenAsIs) {
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY(!messages.last().question);
        QCOMPARE(folderContents(in), before);
        QVERIFY(folderContents(elsewhere).isEmpty());

        const QString picked = WmzUnpacker::newFolderFor(path(u"in.wmz"_s));
        QCOMPARE(picked, path(chosen));
        messages.clear();
        QCOMPARE(WmzUnpacker::unpack(path(u"in.wmz"_s), picked, messages,
                                     UnpackTarget::Folder::NewOrEmpty),
                 picked + u"/skin.wms"_s);
        QVERIFY(messages.messages.isEmpty());
    }
    QVERIFY(folderContents(elsewhere).isEmpty());
    QVERIFY(folderContents(path(chosen)).contains(u"play.bmp"_s));
}

// Stopped after its first piece, an unpack takes back its partial files and
// the folder it made, and says nothing.
void tst_Unpacker::cancelledCopyLeavesNothing()
{
    QVERIFY(TestArchive::write(path(u"in.wmz"_s), {skinEntry(), {"play.bmp", noise(1 << 20)}}));
    RecordingMessageSink messages;
    std::unique_ptr<WmzUnpacker::Unpack> job = WmzUnpacker::Unpack::prepare(
        path(u"in.wmz"_s), path(u"in"_s), messages, UnpackTarget::Folder::NewOrEmpty);
    QVERIFY(job);
    QVERIFY(QFileInfo(path(u"in"_s)).isDir());
    int pieces = 0;
    QVERIFY(!job->copy([&](quint64) { return ++pieces < 2; }));
    QCOMPARE(pieces, 2);
    job->abandon();
    job.reset();
    QVERIFY(messages.messages.isEmpty());
    QVERIFY(!QFileInfo::exists(path(u"in"_s)));
    QCOMPARE(folderContents(m_dir->path()).keys(), QStringList{u"in.wmz"_s});
}

QTEST_GUILESS_MAIN(tst_Unpacker)
#include "tst_unpacker.moc"
