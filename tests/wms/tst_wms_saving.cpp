#include "RecordingMessageSink.h"
#include "WmsFixtures.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace WmsFixtures;

// Where the writer puts the file, and that a failed save loses nothing.
class tst_wms_saving : public QObject {
    Q_OBJECT

private slots:
    void init();
    void modeOneMakesSkinFolder();
    void modeOneTwiceKeepsFirstFile();
    void saveFailures_data();
    void saveFailures();
    void overwriteReplacesWholeFile();
    void createFolder();
    void createFolderRefusesExisting();
    void diskFullKeepsPreviousFile_data();
    void diskFullKeepsPreviousFile();
    void diskFullInNewFolderAllowsRetry();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingMessageSink m_sink;
};

namespace {
const QString kSaveTitle = u"ファイル保存"_s;
const QString kFolderFailed = u"フォルダの作成に失敗しました"_s;
const QString kSaveFailed = u"ファイルの保存に失敗しました"_s;
const QString kDiskFull =
    u"ディスクの空き容量が不足してます\r\n容量を確保した後、再度、保存してください"_s;

// A small tmpfs of its own, unmounted when the test ends however it ends.
class TmpfsMount {
public:
    explicit TmpfsMount(const QString &size)
    {
        if (!m_point.isValid()) {
            m_reason = u"no temporary folder for the mount point"_s;
            return;
        }
        QProcess mount;
        mount.start(u"mount"_s,
                    {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size="_s + size, u"tmpfs"_s, m_point.path()});
        if (!mount.waitForFinished(10000) || mount.exitStatus() != QProcess::NormalExit ||
            mount.exitCode() != 0) {
            m_reason = u"mounting a tmpfs was refused: "_s +
                       QString::fromLocal8Bit(mount.readAllStandardError()).trimmed() +
                       mount.errorString();
            return;
        }
        m_mounted = true;
    }
    ~TmpfsMount()
    {
        if (m_mounted) {
            QProcess::execute(u"umount"_s, {m_point.path()});
        }
    }
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    bool mounted() const { return m_mounted; }
    QString reason() const { return m_reason; }
    QString filePath(const QString &name) const { return m_point.filePath(name); }
    QStringList entries() const
    {
        return QDir(m_point.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

private:
    QTemporaryDir m_point;
    bool m_mounted = false;
    QString m_reason;
};

// Writes until the file system refuses; true when it did run full.
bool fillDisk(const QString &path)
{
    QFile filler(path);
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    const QByteArray block(4096, 'x');
    for (int i = 0; i < 100000; ++i) {
        if (filler.write(block) != block.size()) {
            return true;
        }
    }
    return false;
}
} // namespace

void tst_wms_saving::init()
{
    // A fresh folder per test: the mode-1 tests choose the same names.
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_sink.clear();
}

void tst_wms_saving::modeOneMakesSkinFolder()
{
    clsFileControl doc(m_sink);
    const QString chosen = m_dir->filePath(u"Blue.wms"_s);
    QVERIFY(doc.writeFile(chosen, 1));
    QVERIFY(QFileInfo(chosen).isDir());
    QCOMPARE(doc.getFileName(), chosen + u"/Blue.wms"_s);
    QVERIFY(readBytes(doc.getFileName()).startsWith("<theme id=\"velmora\""));
    QVERIFY(m_sink.messages.isEmpty());
}

void tst_wms_saving::modeOneTwiceKeepsFirstFile()
{
    clsFileControl doc(m_sink);
    const QString chosen = m_dir->filePath(u"Blue.wms"_s);
    QVERIFY(doc.writeFile(chosen, 1));
    const QString first = doc.getFileName();
    const QByteArray firstBytes = readBytes(first);

    doc.getElement(Slot::Theme)->setTitle(u"changed"_s);
    QVERIFY(!doc.writeFile(chosen, 1));
    QCOMPARE(m_sink.messages.size(), 1);
    QCOMPARE(m_sink.last().text, kFolderFailed);
    QCOMPARE(m_sink.last().title, kSaveTitle);
    QCOMPARE(m_sink.last().icon, MessageIcon::Information);
    QCOMPARE(readBytes(first), firstBytes);
    QCOMPARE(doc.getFileName(), first);
    QVERIFY(QFileInfo(chosen).isDir());
}

void tst_wms_saving::saveFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("message");

    QTest::newRow("folder missing") << u"no such folder/a.wms"_s << 0 << kSaveFailed;
    QTest::newRow("target is a folder") << u"taken"_s << 0 << kSaveFailed;
    QTest::newRow("mode 1, parent missing") << u"no such folder/a.wms"_s << 1 << kFolderFailed;
    QTest::newRow("mode 1, file of that name") << u"plain.wms"_s << 1 << kFolderFailed;
}

void tst_wms_saving::saveFailures()
{
    QFETCH(QString, name);
    QFETCH(int, mode);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(u"taken"_s));
    QVERIFY(writeBytes(dir.filePath(u"plain.wms"_s), "old"));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    clsFileControl doc(m_sink);
    doc.setFileName(u"/previous.wms"_s);
    QVERIFY(!doc.writeFile(dir.filePath(name), qint16(mode)));
    QCOMPARE(m_sink.messages.size(), 1);
    QCOMPARE(m_sink.last().text, message);
    QCOMPARE(m_sink.last().title, kSaveTitle);
    QCOMPARE(doc.getFileName(), u"/previous.wms"_s);
    QCOMPARE(readBytes(dir.filePath(u"plain.wms"_s)), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

void tst_wms_saving::overwriteReplacesWholeFile()
{
    const QString path = m_dir->filePath(u"over.wms"_s);
    clsFileControl big(m_sink);
    fillFullDocument(big, u"/p"_s);
    QVERIFY(big.writeFile(path, 0));
    clsFileControl small(m_sink);
    QVERIFY(small.writeFile(path, 0));
    QCOMPARE(
        readBytes(path),
        crlfLines({
            R"(<theme id="velmora" title="" author="" copyright="">)",
            R"(<view title="" titlebar="" backgroundimage="" transparencycolor="" backgroundcolor="none">)",
            "</view>",
            "</theme>",
        }));
}

void tst_wms_saving::createFolder()
{
    clsFileControl doc(m_sink);
    const QString path = m_dir->filePath(u"新しい skin"_s);
    QVERIFY(doc.createFolder(path));
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(doc.getFileName(), path + u"/新しい skin"_s);
    QVERIFY(!QFileInfo::exists(doc.getFileName())); // only the folder step
    QVERIFY(m_sink.messages.isEmpty());
}

void tst_wms_saving::createFolderRefusesExisting()
{
    clsFileControl doc(m_sink);
    doc.setFileName(u"/kept.wms"_s);
    QVERIFY(QDir(m_dir->path()).mkdir(u"there"_s));
    QVERIFY(!doc.createFolder(m_dir->filePath(u"there"_s)));
    QVERIFY(!doc.createFolder(m_dir->filePath(u"missing/child"_s)));
    QCOMPARE(doc.getFileName(), u"/kept.wms"_s);
    QVERIFY(m_sink.messages.isEmpty());
}

void tst_wms_saving::diskFullKeepsPreviousFile_data()
{
    QTest::addColumn<bool>("fillDiskFirst");
    QTest::addColumn<int>("titleSize");

    QTest::newRow("text larger than the disk") << false << 100 * 1024;
    // The whole text fits in the write buffer, so the failure only shows
    // when it is flushed.
    QTest::newRow("small text on a full disk") << true << 10;
}

void tst_wms_saving::diskFullKeepsPreviousFile()
{
    QFETCH(bool, fillDiskFirst);
    QFETCH(int, titleSize);

    TmpfsMount disk(u"64k"_s);
    if (!disk.mounted()) {
        QSKIP(qPrintable(disk.reason()));
    }
    const QString path = disk.filePath(u"skin.wms"_s);
    clsFileControl doc(m_sink);
    fillFullDocument(doc, u"/p"_s);
    QVERIFY(doc.writeFile(path, 0));
    const QByteArray first = readBytes(path);
    QVERIFY(!first.isEmpty());

    const QString filler = disk.filePath(u"filler"_s);
    if (fillDiskFirst) {
        QVERIFY(fillDisk(filler));
    }
    doc.getElement(Slot::Theme)->setTitle(QString(titleSize, u'x'));
    doc.setFileName(u"/previous.wms"_s);
    QVERIFY(!doc.writeFile(path, 0));
    QCOMPARE(m_sink.messages.size(), 1);
    QCOMPARE(m_sink.last().text, kDiskFull);
    QCOMPARE(m_sink.last().title, kSaveTitle);
    QCOMPARE(m_sink.last().icon, MessageIcon::Information);
    QCOMPARE(readBytes(path), first);
    QStringList left = disk.entries();
    left.removeOne(u"filler"_s);
    QCOMPARE(left, QStringList{u"skin.wms"_s});
    QCOMPARE(doc.getFileName(), u"/previous.wms"_s);
}

void tst_wms_saving::diskFullInNewFolderAllowsRetry()
{
    TmpfsMount disk(u"64k"_s);
    if (!disk.mounted()) {
        QSKIP(qPrintable(disk.reason()));
    }
    const QString filler = disk.filePath(u"filler"_s);
    QVERIFY(fillDisk(filler));

    clsFileControl doc(m_sink);
    fillFullDocument(doc, u"/p"_s);
    const QString chosen = disk.filePath(u"Blue.wms"_s);
    QVERIFY(!doc.writeFile(chosen, 1));
    QCOMPARE(m_sink.messages.size(), 1);
    QCOMPARE(m_sink.last().text, kDiskFull);
    // The empty folder made for this save is gone, so the same save can be retried.
    QCOMPARE(disk.entries(), QStringList{u"filler"_s});

    QVERIFY(QFile::remove(filler));
    QVERIFY(doc.writeFile(chosen, 1));
    QCOMPARE(doc.getFileName(), chosen + u"/Blue.wms"_s);
    QVERIFY(readBytes(doc.getFileName()).endsWith("</theme>\r\n"));
}

QTEST_GUILESS_MAIN(tst_wms_saving)
#include "tst_wms_saving.moc"
