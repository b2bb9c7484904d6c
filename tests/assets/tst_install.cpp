#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

using namespace Qt::StringLiterals;

// Installing puts the program and the folders it expects side by side in one
// program folder, with a relative link in bin/ that resolves to it.
class tst_install : public QObject {
    Q_OBJECT

private slots:
    void installsProgramFolderAndLink();
};

namespace {

constexpr bool kHasProgram = VELMORA_HAS_PROGRAM;

// Runs cmake --install on this build; empty on success, else what went wrong.
QString install(const QString &prefix, const QString &destdir = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (destdir.isEmpty())
        environment.remove(u"DESTDIR"_s);
    else
        environment.insert(u"DESTDIR"_s, destdir);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(VELMORA_CMAKE_COMMAND),
                  {u"--install"_s, QStringLiteral(VELMORA_BINARY_DIR), u"--prefix"_s, prefix});
    if (!process.waitForFinished(120000))
        return u"cmake --install did not finish"_s;
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString::fromLocal8Bit(process.readAll());
    return {};
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

// Installed twice over, with a skin tried out in the build's own skins/
// folder: the second install replaces the link, and the tried skin stays out.
// Then once more under DESTDIR, which must stage everything below its root.
void tst_install::installsProgramFolderAndLink()
{
    const QDir stage(programFolder());
    QTemporaryDir tried(stage.filePath(u"skins/tst_install-XXXXXX"_s));
    QVERIFY(tried.isValid());
    QFile wms(tried.filePath(u"tried.wms"_s));
    QVERIFY(wms.open(QIODevice::WriteOnly) && wms.write("<THEME/>") > 0);
    wms.close();
    QTemporaryDir prefix;
    QTemporaryDir root;
    QVERIFY(prefix.isValid() && root.isValid());
    const QString staged = u"/opt/velmora-install-test"_s;
    for (const QString &error :
         {install(prefix.path()), install(prefix.path()), install(staged, root.path())}) {
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    const QDir program(prefix.filePath(u"lib/velmora"_s));
    for (const QString &folder : {u"package"_s, u"sample"_s}) {
        const QStringList installed = filesIn(program.filePath(folder));
        QVERIFY2(!installed.isEmpty(), qPrintable(folder));
        QCOMPARE(installed, filesIn(stage.filePath(folder)));
    }
    // The help, compiled and as pages.
    QCOMPARE(QFileInfo(program.filePath(u"Velmora.chm"_s)).size(),
             QFileInfo(stage.filePath(u"Velmora.chm"_s)).size());
    QCOMPARE(filesIn(program.filePath(u"help"_s)), filesIn(stage.filePath(u"help"_s)));
    QCOMPARE(filesIn(program.filePath(u"help/images"_s)),
             filesIn(stage.filePath(u"help/images"_s)));
    QVERIFY(filesIn(program.filePath(u"help"_s)).contains(u"index.html"_s));
    QVERIFY(QFileInfo(program.filePath(u"skins"_s)).isDir());
    QVERIFY(QDir(program.filePath(u"skins"_s)).isEmpty());
    QVERIFY(!QFileInfo::exists(staged));
    QVERIFY(QFileInfo::exists(root.path() + staged + u"/lib/velmora/package/edit_7g.jpg"_s));
    if (!kHasProgram)
        QSKIP("this build has no velmora program to install");
    QVERIFY(QFileInfo(program.filePath(u"velmora"_s)).isExecutable());
    const QFileInfo link(prefix.filePath(u"bin/velmora"_s));
    QVERIFY(link.isSymLink());
    // Relative, so the installed tree can be moved as a whole.
    const std::filesystem::path target =
        std::filesystem::read_symlink(link.filePath().toStdString());
    QCOMPARE(QString::fromStdString(target.string()), u"../lib/velmora/velmora"_s);
    QCOMPARE(QFileInfo(link.canonicalFilePath()).absolutePath(), program.canonicalPath());
    // The staged link resolves inside the staged tree.
    QVERIFY(QFileInfo(root.path() + staged + u"/bin/velmora"_s).exists());
}

QTEST_GUILESS_MAIN(tst_install)
#include "tst_install.moc"
