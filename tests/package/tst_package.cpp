// The Debian package: built here with CPack, listed, validated and unpacked.
#include "ProcessRun.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_Package : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void listsProgramFoldersAndDesktopFiles_data();
    void listsProgramFoldersAndDesktopFiles();
    void dependenciesAreComputed();
    void desktopEntryValidates();
    void skinFilesOpenWithTheEditor();
    void unpackedProgramRuns();

private:
    QString m_deb;
    QString m_contents;
    QTemporaryDir m_work;
    QString m_root;
};

namespace {

QString tool(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

// The value of a desktop entry's key as the file has it (QSettings would take
// the ";" lists apart).
QString desktopValue(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString &line : lines) {
        if (line.startsWith(key + u'=')) {
            return line.mid(key.size() + 1);
        }
    }
    return {};
}

} // namespace

void tst_Package::initTestCase()
{
    for (const QString &name : {u"dpkg-deb"_s, u"dpkg-shlibdeps"_s, u"desktop-file-validate"_s,
                                u"update-mime-database"_s}) {
        if (tool(name).isEmpty()) {
            QSKIP(qPrintable(name + u" is not installed; run scripts/setup.sh"_s));
        }
    }
    QVERIFY(m_work.isValid());
    const ProcessRun arch = runProcess(u"dpkg"_s, {u"--print-architecture"_s});
    QVERIFY(arch.succeeded());
    const ProcessRun cpack = runProcess(
        QStringLiteral(VELMORA_CPACK_COMMAND), {u"-G"_s, u"DEB"_s, u"-B"_s, m_work.path()},
        QProcessEnvironment::systemEnvironment(), QStringLiteral(VELMORA_BINARY_DIR), 300000);
    QVERIFY2(cpack.succeeded(), qPrintable(cpack.out + cpack.err));
    m_deb = m_work.filePath(
        u"velmora_%1_%2.deb"_s.arg(QStringLiteral(VELMORA_PACKAGE_VERSION), arch.out.trimmed()));
    QVERIFY2(QFileInfo::exists(m_deb), qPrintable(cpack.out));

    const ProcessRun contents = runProcess(u"dpkg-deb"_s, {u"--contents"_s, m_deb});
    QVERIFY2(contents.succeeded(), qPrintable(contents.err));
    m_contents = contents.out;
    m_root = m_work.filePath(u"root"_s);
    const ProcessRun unpack = runProcess(u"dpkg-deb"_s, {u"-x"_s, m_deb, m_root});
    QVERIFY2(unpack.succeeded(), qPrintable(unpack.err));
}

void tst_Package::listsProgramFoldersAndDesktopFiles_data()
{
    QTest::addColumn<QString>("entry"); // the end of a line of dpkg-deb --contents
    QTest::newRow("program") << u" ./usr/lib/velmora/velmora"_s;
    QTest::newRow("link in bin") << u" ./usr/bin/velmora -> ../lib/velmora/velmora"_s;
    QTest::newRow("mode pictures") << u" ./usr/lib/velmora/package/edit_7g.jpg"_s;
    QTest::newRow("samples") << u" ./usr/lib/velmora/sample/background.bmp"_s;
    QTest::newRow("skins folder") << u" ./usr/lib/velmora/skins/"_s;
    QTest::newRow("desktop entry") << u" ./usr/share/applications/velmora.desktop"_s;
    QTest::newRow("window icon") << u" ./usr/share/icons/hicolor/32x32/apps/velmora.png"_s;
    QTest::newRow("desktop icon") << u" ./usr/share/icons/hicolor/128x128/apps/velmora.png"_s;
    QTest::newRow("MIME type") << u" ./usr/share/mime/packages/velmora-skin.xml"_s;
}

void tst_Package::listsProgramFoldersAndDesktopFiles()
{
    QFETCH(QString, entry);
    QVERIFY2(m_contents.contains(entry + u'\n'), qPrintable(m_contents));
}

void tst_Package::dependenciesAreComputed()
{
    const ProcessRun depends = runProcess(u"dpkg-deb"_s, {u"--field"_s, m_deb, u"Depends"_s});
    QVERIFY(depends.succeeded());
    // Versions come only from the libraries' own symbol files.
    for (const QString &library :
         {u"libqt6core6 (>= "_s, u"libqt6widgets6 (>= "_s, u"libqt6gui6 (>= "_s, u"libzip4 (>= "_s,
          u"qt6-translations-l10n"_s}) {
        QVERIFY2(depends.out.contains(library), qPrintable(depends.out));
    }
}

void tst_Package::desktopEntryValidates()
{
    const QString entry = m_root + u"/usr/share/applications/velmora.desktop"_s;
    const ProcessRun validate = runProcess(u"desktop-file-validate"_s, {entry});
    QVERIFY2(validate.succeeded() && validate.out.isEmpty(),
             qPrintable(validate.out + validate.err));
    QCOMPARE(desktopValue(entry, u"Exec"_s), u"velmora %f"_s);
    QCOMPARE(desktopValue(entry, u"Name"_s), QStringLiteral(VELMORA_PRODUCT_TITLE));
    // The icon it names is in the theme, at the sizes its folders claim.
    for (const int side : {32, 128}) {
        const QImage icon(m_root + u"/usr/share/icons/hicolor/%1x%1/apps/%2.png"_s.arg(side).arg(
                                       desktopValue(entry, u"Icon"_s)));
        QCOMPARE(icon.size(), QSize(side, side));
    }
}

void tst_Package::skinFilesOpenWithTheEditor()
{
    // The shared-MIME database built from the package alone maps *.wms and
    // *.wmz to the types that the desktop entry handles.
    const QString mime = m_root + u"/usr/share/mime"_s;
    const ProcessRun update = runProcess(u"update-mime-database"_s, {mime});
    QVERIFY2(update.succeeded(), qPrintable(update.err));
    QFile globs(mime + u"/globs2"_s);
    QVERIFY(globs.open(QIODevice::ReadOnly));
    const QString table = QString::fromUtf8(globs.readAll());
    const QString handled =
        desktopValue(m_root + u"/usr/share/applications/velmora.desktop"_s, u"MimeType"_s);
    QCOMPARE(handled, u"application/x-wmp-skin;application/x-ms-wmz;"_s);
    QVERIFY2(table.contains(u":application/x-wmp-skin:*.wms\n"_s), qPrintable(table));
    QVERIFY2(table.contains(u":application/x-ms-wmz:*.wmz\n"_s), qPrintable(table));
}

void tst_Package::unpackedProgramRuns()
{
    const ProcessRun version =
        runProcess(m_root + u"/usr/bin/velmora"_s, {u"--version"_s}, withoutDisplay());
    QVERIFY2(version.succeeded(), qPrintable(version.err));
    QVERIFY2(version.out.startsWith(
                 QStringLiteral(VELMORA_PRODUCT_TITLE " " VELMORA_PACKAGE_VERSION "\n")),
             qPrintable(version.out));
}

QTEST_GUILESS_MAIN(tst_Package)
#include "tst_package.moc"
