#include "ArchiveContents.h"
#include "SkinFolder.h"
#include "packaging/BuiltInArchiver.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The built-in archiver driven by command lines and list files, its archives
// read back and checked by Info-ZIP.
class tst_builtinarchiver : public QObject {
    Q_OBJECT

private slots:
    void packsListedFiles_data();
    void packsListedFiles();
    void failsWithoutLeavingAnything_data();
    void failsWithoutLeavingAnything();
    void bareArchiveNameLandsInCurrentFolder();

private:
    // A skin folder with names that need quoting and a file nobody lists.
    static QMap<QString, QByteArray> makeSkin(const QString &folder);
    static QByteArray commandLine(const QString &archive, const QString &folder,
                                  const QString &list);
};

namespace {
const QString kListed[] = {u"play.bmp"_s, u"my button.bmp"_s, u"再生.bmp"_s, u"a,b.bmp"_s,
                           u"skin.wms"_s};

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}
} // namespace

QMap<QString, QByteArray> tst_builtinarchiver::makeSkin(const QString &folder)
{
    QMap<QString, QByteArray> files;
    quint32 seed = 1;
    for (const QString &name : kListed) {
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

QByteArray tst_builtinarchiver::commandLine(const QString &archive, const QString &folder,
                                            const QString &list)
{
    return QFile::encodeName(u"-r -D -v "_s + quoted(archive) + u' ' + quoted(folder + u'/') +
                             u' ' + quoted(u'@' + list) + u' ');
}

void tst_builtinarchiver::packsListedFiles_data()
{
    QTest::addColumn<QString>("list");

    QTest::newRow("CR LF with final line end, WMS twice")
        << u"a,b.bmp\r\n\"my button.bmp\"\r\nplay.bmp\r\nskin.wms\r\n再生.bmp\r\nskin.wms\r\n"_s;
    QTest::newRow("CR LF without final line end")
        << u"\"a,b.bmp\"\r\n\"my button.bmp\"\r\nplay.bmp\r\n再生.bmp\r\nskin.wms"_s;
    QTest::newRow("LF, everything quoted")
        << u"\"a,b.bmp\"\n\"my button.bmp\"\n\"play.bmp\"\n\"再生.bmp\"\n\"skin.wms\"\n"_s;
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
    QVERIFY(SkinFolder::writeAnsi(listFile, list));
    const QString archive = skin + u"/skin.wmz"_s;

    QCOMPARE(makeBuiltInArchiver()->zip(0, commandLine(archive, skin, listFile)), 0);

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
    QTest::newRow("listed file missing")
        << archive + u"\"@%2\" "_s << u"play.bmp\r\ngone.bmp\r\nskin.wms\r\n"_s;
    QTest::newRow("listed name is a folder") << archive + u"\"@%2\" "_s << u"sub\r\nskin.wms"_s;
    QTest::newRow("name leaving the folder")
        << archive + u"\"@%2\" "_s << u"play.bmp\r\n../skin.wms\r\n"_s;
    QTest::newRow("absolute name") << archive + u"\"@%2\" "_s << u"%1/play.bmp\r\n"_s;
    QTest::newRow("empty list") << archive + u"\"@%2\" "_s << u"\r\n"_s;
    QTest::newRow("list file missing") << archive + u"\"@%2.gone\" "_s << good;
    QTest::newRow("malformed command line") << u"-r -D -v \"%1/skin.wmz %1/ @%2 "_s << good;
    QTest::newRow("unknown switch") << u"-r -q "_s + archive.mid(3) + u"\"@%2\" "_s << good;
    QTest::newRow("target folder missing")
        << u"-r -D -v \"%1/none/skin.wmz\" \"%1/\" \"@%2\" "_s << good;
    // The archive would take the place of a file it has to hold.
    QTest::newRow("target is a listed file")
        << u"-r -D -v \"%1/skin.wms\" \"%1/\" \"@%2\" "_s << good;
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
            0, QFile::encodeName(QString(line).replace(u"%1"_s, skin).replace(u"%2"_s, listFile)));

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
        0, QFile::encodeName(u"-r -D -v a.wmz "_s + skin.path() + u"/ @"_s + listFile));
    QDir::setCurrent(previous);
    QCOMPARE(result, 0);
    const auto entries = ArchiveContents::read(current.filePath(u"a.wmz"_s));
    QVERIFY(entries);
    QCOMPARE(entries->keys(), QStringList{u"skin.wms"_s});
}

QTEST_GUILESS_MAIN(tst_builtinarchiver)
#include "tst_builtinarchiver.moc"
