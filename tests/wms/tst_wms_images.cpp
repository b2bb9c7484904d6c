#include "../packaging/TmpfsMount.h"
#include "RecordingMessageSink.h"
#include "WmsFixtures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace WmsFixtures;

namespace {

const QString kSaveTitle = u"ファイル保存"_s;
const QString kCopyFailed = u"画像ファイルのコピーに失敗しました"_s;
const QString kDiskFull =
    u"ディスクの空き容量が不足してます\r\n容量を確保した後、再度、保存してください"_s;

// Bytes that differ from file to file and from save to save.
QByteArray pictureBytes(const QString &name, int size)
{
    QByteArray bytes = name.toUtf8();
    bytes.resize(size, '\x5a');
    bytes[size - 1] = static_cast<char>(size % 251);
    return bytes;
}

// Everything in a folder, hidden files included: a leftover temporary file shows.
QStringList entries(const QString &folder)
{
    QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

} // namespace

// Copying the images of a save into the skin folder.
class tst_wms_images : public QObject {
    Q_OBJECT

private slots:
    void init();
    void copiesImagesFromAnotherFolder();
    void secondSaveReplacesEarlierCopies();
    void skinsOwnCopyIsLeftIntact_data();
    void skinsOwnCopyIsLeftIntact();
    void folderDifferingInLetterCaseIsCopied();
    void missingSourceStopsAtFirstFailure();
    void diskFullKeepsEarlierCopy();

private:
    // A folder of source pictures and a skin folder beside it.
    QString source(const QString &name) const { return m_dir.filePath(u"pics/"_s + name); }
    QString skin(const QString &name) const { return m_dir.filePath(u"Blue.wms/"_s + name); }
    QString wmsFile() const { return skin(u"Blue.wms"_s); }
    void writePicture(const QString &path, int size);

    QTemporaryDir m_dir;
    RecordingMessageSink m_sink;
};

void tst_wms_images::init()
{
    m_sink.clear();
    QVERIFY(m_dir.isValid());
    for (const QString &folder : {u"pics"_s, u"Blue.wms"_s}) {
        QDir(m_dir.filePath(folder)).removeRecursively();
        QVERIFY(QDir(m_dir.path()).mkdir(folder));
    }
    QVERIFY(writeBytes(wmsFile(), "<theme>\r\n"));
}

void tst_wms_images::writePicture(const QString &path, int size)
{
    QVERIFY(writeBytes(path, pictureBytes(path, size)));
}

void tst_wms_images::copiesImagesFromAnotherFolder()
{
    writePicture(source(u"play.bmp"_s), 1500);
    writePicture(source(u"stop.jpg"_s), 2700);
    const QStringList fields = {source(u"play.bmp"_s), source(u"stop.jpg"_s)};
    clsFileControl doc(m_sink);

    QVERIFY(doc.copyImageFile(fields, wmsFile()));
    QVERIFY(m_sink.messages.isEmpty());
    QCOMPARE(entries(skin({})), QStringList({u"Blue.wms"_s, u"play.bmp"_s, u"stop.jpg"_s}));
    QCOMPARE(readBytes(skin(u"play.bmp"_s)), readBytes(source(u"play.bmp"_s)));
    QCOMPARE(readBytes(skin(u"stop.jpg"_s)), readBytes(source(u"stop.jpg"_s)));
}

void tst_wms_images::secondSaveReplacesEarlierCopies()
{
    writePicture(source(u"play.bmp"_s), 5000);
    const QStringList fields = {source(u"play.bmp"_s)};
    clsFileControl doc(m_sink);
    QVERIFY(doc.copyImageFile(fields, wmsFile()));

    // A smaller picture now: a copy that kept the old tail would show.
    writePicture(source(u"play.bmp"_s), 700);
    QVERIFY(doc.copyImageFile(fields, wmsFile()));
    QCOMPARE(readBytes(skin(u"play.bmp"_s)), readBytes(source(u"play.bmp"_s)));
    QCOMPARE(entries(skin({})), QStringList({u"Blue.wms"_s, u"play.bmp"_s}));
}

void tst_wms_images::skinsOwnCopyIsLeftIntact_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("inTempFolder"); // the field names a place below the test's folder
    // Nothing to copy, so nothing fails.
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("bare name of a missing file") << u"missing.bmp"_s << false;
    QTest::newRow("already in the skin folder") << u"Blue.wms/play.bmp"_s << true;
    // Copying a file onto itself would truncate it.
    QTest::newRow("symbolic link to the skin folder") << u"link/play.bmp"_s << true;
    QTest::newRow("through ..") << u"pics/../Blue.wms/play.bmp"_s << true;
    QTest::newRow("doubled separator") << u"Blue.wms//play.bmp"_s << true;
    QTest::newRow("current folder step") << u"Blue.wms/./play.bmp"_s << true;
}

void tst_wms_images::skinsOwnCopyIsLeftIntact()
{
    QFETCH(QString, field);
    QFETCH(bool, inTempFolder);
    QFile::remove(m_dir.filePath(u"link"_s));
    QVERIFY(QFile::link(skin({}), m_dir.filePath(u"link"_s)));
    writePicture(skin(u"play.bmp"_s), 4096);
    const QByteArray before = readBytes(skin(u"play.bmp"_s));
    const QStringList fields = {inTempFolder ? m_dir.filePath(field) : field};
    clsFileControl doc(m_sink);

    QVERIFY(doc.copyImageFile(fields, wmsFile()));
    QVERIFY(m_sink.messages.isEmpty());
    QCOMPARE(readBytes(skin(u"play.bmp"_s)), before);
    QCOMPARE(entries(skin({})), QStringList({u"Blue.wms"_s, u"play.bmp"_s}));
}

// Letter case makes different folders here: the field's file must be copied.
void tst_wms_images::folderDifferingInLetterCaseIsCopied()
{
    QVERIFY(QDir(m_dir.path()).mkdir(u"BLUE.WMS"_s));
    writePicture(m_dir.filePath(u"BLUE.WMS/play.bmp"_s), 1200);
    writePicture(skin(u"play.bmp"_s), 300);
    const QStringList fields = {m_dir.filePath(u"BLUE.WMS/play.bmp"_s)};
    clsFileControl doc(m_sink);

    QVERIFY(doc.copyImageFile(fields, wmsFile()));
    QCOMPARE(readBytes(skin(u"play.bmp"_s)), readBytes(m_dir.filePath(u"BLUE.WMS/play.bmp"_s)));
}

void tst_wms_images::missingSourceStopsAtFirstFailure()
{
    writePicture(source(u"play.bmp"_s), 100);
    writePicture(source(u"stop.bmp"_s), 100);
    const QStringList fields = {source(u"play.bmp"_s), source(u"gone.bmp"_s),
                                source(u"stop.bmp"_s)};
    clsFileControl doc(m_sink);

    QVERIFY(!doc.copyImageFile(fields, wmsFile()));
    QCOMPARE(m_sink.messages.size(), 1);
    QCOMPARE(m_sink.last().text, kCopyFailed);
    QCOMPARE(m_sink.last().title, kSaveTitle);
    QCOMPARE(m_sink.last().icon, MessageIcon::Information);
    // Copies made before the failure stay; fields after it are not processed.
    QCOMPARE(entries(skin({})), QStringList({u"Blue.wms"_s, u"play.bmp"_s}));
}

void tst_wms_images::diskFullKeepsEarlierCopy()
{
    QTemporaryDir point;
    QVERIFY(point.isValid());
    TmpfsMount disk(point.path(), u"256k"_s);
    if (!disk.isMounted()) {
        QSKIP(qPrintable(u"mounting a tmpfs was refused: "_s + disk.reason()));
    }
    const QString folder = point.filePath(u"Blue.wms"_s);
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(writeBytes(folder + u"/Blue.wms"_s, "<theme>\r\n"));
    writePicture(source(u"play.bmp"_s), 40 * 1024);
    const QStringList fields = {source(u"play.bmp"_s)};
    clsFileControl doc(m_sink);
    QVERIFY(doc.copyImageFile(fields, folder + u"/Blue.wms"_s));
    const QByteArray earlier = readBytes(folder + u"/play.bmp"_s);
    QCOMPARE(earlier.size(), 40 * 1024);

    // The new picture does not fit beside the earlier copy.
    writePicture(source(u"play.bmp"_s), 400 * 1024);
    QVERIFY(!doc.copyImageFile(fields, folder + u"/Blue.wms"_s));
    QCOMPARE(m_sink.last().text, kDiskFull);
    QCOMPARE(m_sink.last().title, kSaveTitle);
    QCOMPARE(readBytes(folder + u"/play.bmp"_s), earlier);
    QCOMPARE(entries(folder), QStringList({u"Blue.wms"_s, u"play.bmp"_s}));
}

QTEST_GUILESS_MAIN(tst_wms_images)
#include "tst_wms_images.moc"
