#include "RecordingMessageSink.h"
#include "WmsFixtures.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace WmsFixtures;

// Where the writer puts the file, and that a failed save loses nothing.
class tst_wms_saving : public QObject {
    Q_OBJECT

private slots:
    void init();
    void saveFailures_data();
    void saveFailures();
    void overwriteReplacesWholeFile();
    void createFolder();
    void diskFullKeepsPreviousFile_data();
    void diskFullKeepsPreviousFile();
    void diskFullInNewFolderAllowsRetry();

private:
    RecordingMessageSink m_sink;
};

namespace {
const QString kSaveTitle = u"ファイル保存"_s;
const QString kFolderFailed = u"フォルダの作成に失敗しました"_s;
const QString kDiskFull =
    u"ディスクの空き容量が不足してます\r\n容量を確保した後、再度、保存してください"_s;

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A small tmpfs of its own, unmounted when the test ends however it ends.
// mount prints its own reason when it refuses.
struct TmpfsMount {
    TmpfsMount()
        : mounted(point.isValid() &&
                  QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=64k"_s,
                                                 u"tmpfs"_s, point.path()}) == 0)
    {
    }
    ~TmpfsMount()
    {
        if (mounted) {
            QProcess::execute(u"umount"_s, {point.path()});
        }
    }

    QTemporaryDir point;
    const bool mounted;
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
    m_sink.clear();
}

void tst_wms_saving::saveFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("message");

    const QString saveFailed = u"ファイルの保存に失敗しました"_s;
    QTest::newRow("folder missing") << u"no such folder/a.wms"_s << 0 << saveFailed;
    QTest::newRow("target is a folder") << u"taken"_s << 0 << saveFailed;
    QTest::newRow("mode 1, parent missing") << u"no such folder/a.wms"_s << 1 << kFolderFailed;
    QTest::newRow("mode 1, file of that name") << u"plain.wms"_s << 1 << kFolderFailed;
    QTest::newRow("mode 1, skin folder exists") << u"taken"_s << 1 << kFolderFailed;
}

// Nothing in the folder changes and the document keeps its file name.
void tst_wms_saving::saveFailures()
{
    QFETCH(QString, name);
    QFETCH(int, mode);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(u"taken"_s));
    QVERIFY(writeBytes(dir.filePath(u"taken/taken"_s), "old"));
    QVERIFY(writeBytes(dir.filePath(u"plain.wms"_s), "old"));
    const QStringList before = entries(dir.path()) + entries(dir.filePath(u"taken"_s));

    clsFileControl doc(m_sink);
    doc.setFileName(u"/previous.wms"_s);
    QVERIFY(!doc.writeFile(dir.filePath(name), qint16(mode)));
    QCOMPARE(m_sink.messages.size(), 1);
    QCOMPARE(m_sink.last().text, message);
    QCOMPARE(m_sink.last().title, kSaveTitle);
    QCOMPARE(m_sink.last().icon, MessageIcon::Information);
    QCOMPARE(doc.getFileName(), u"/previous.wms"_s);
    QCOMPARE(readBytes(dir.filePath(u"plain.wms"_s)), QByteArray("old"));
    QCOMPARE(readBytes(dir.filePath(u"taken/taken"_s)), QByteArray("old"));
    QCOMPARE(entries(dir.path()) + entries(dir.filePath(u"taken"_s)), before);
}

void tst_wms_saving::overwriteReplacesWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"over.wms"_s);
    clsFileControl big(m_sink);
    fillFullDocument(big, u"/p"_s);
    QVERIFY(big.writeFile(path, 0));
    clsFileControl small(m_sink);
    QVERIFY(small.writeFile(path, 0));
    QCOMPARE(readBytes(path), kEmptySkin);
}

// Only the folder step of a new skin: the folder and the name, no file, no message.
void tst_wms_saving::createFolder()
{
    QTemporaryDir dir;
    clsFileControl doc(m_sink);
    const QString path = dir.filePath(u"新しい skin"_s);
    QVERIFY(doc.createFolder(path));
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(doc.getFileName(), path + u"/新しい skin"_s);
    QVERIFY(!QFileInfo::exists(doc.getFileName()));

    doc.setFileName(u"/kept.wms"_s);
    QVERIFY(!doc.createFolder(path));
    QVERIFY(!doc.createFolder(dir.filePath(u"missing/child"_s)));
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
    TmpfsMount disk;
    if (!disk.mounted) {
        QSKIP("mounting a tmpfs was refused (see mount's message above)");
    }

    const QString path = disk.point.filePath(u"skin.wms"_s);
    clsFileControl doc(m_sink);
    fillFullDocument(doc, u"/p"_s);
    QVERIFY(doc.writeFile(path, 0));
    const QByteArray first = readBytes(path);
    QVERIFY(!first.isEmpty());
    if (fillDiskFirst) {
        QVERIFY(fillDisk(disk.point.filePath(u"filler"_s)));
    }

    doc.getElement(Slot::Theme)->setTitle(QString(titleSize, u'x'));
    doc.setFileName(u"/previous.wms"_s);
    QVERIFY(!doc.writeFile(path, 0));
    QCOMPARE(m_sink.messages.size(), 1);
    QCOMPARE(m_sink.last().text, kDiskFull);
    QCOMPARE(m_sink.last().title, kSaveTitle);
    QCOMPARE(readBytes(path), first);
    QStringList left = entries(disk.point.path());
    left.removeOne(u"filler"_s);
    QCOMPARE(left, QStringList{u"skin.wms"_s});
    QCOMPARE(doc.getFileName(), u"/previous.wms"_s);
}

void tst_wms_saving::diskFullInNewFolderAllowsRetry()
{
    TmpfsMount disk;
    if (!disk.mounted) {
        QSKIP("mounting a tmpfs was refused (see mount's message above)");
    }
    const QString filler = disk.point.filePath(u"filler"_s);
    QVERIFY(fillDisk(filler));

    clsFileControl doc(m_sink);
    fillFullDocument(doc, u"/p"_s);
    const QString chosen = disk.point.filePath(u"Blue.wms"_s);
    QVERIFY(!doc.writeFile(chosen, 1));
    QCOMPARE(m_sink.messages.size(), 1);
    QCOMPARE(m_sink.last().text, kDiskFull);
    // The empty folder made for this save is gone, so the same save can be retried.
    QCOMPARE(entries(disk.point.path()), QStringList{u"filler"_s});

    QVERIFY(QFile::remove(filler));
    QVERIFY(doc.writeFile(chosen, 1));
    QCOMPARE(doc.getFileName(), chosen + u"/Blue.wms"_s);
    QVERIFY(readBytes(doc.getFileName()).endsWith("</theme>\r\n"));
}

QTEST_GUILESS_MAIN(tst_wms_saving)
#include "tst_wms_saving.moc"
