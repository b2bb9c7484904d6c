// The help the build puts beside the program: Velmora.chm compiled from the
// pages, and the same pages in help/ for a web browser.
#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDir kSources(QStringLiteral(VELMORA_HELP_SOURCE_DIR));

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList sourcePages()
{
    return kSources.entryList({u"*.html"_s}, QDir::Files, QDir::Name);
}

// Runs chmls; its standard output, or nullopt when it fails.
std::optional<QString> chmls(const QStringList &arguments)
{
    QProcess process;
    process.start(u"chmls"_s, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The local files a page points to with href or src, without anchors.
QStringList localLinks(const QString &page)
{
    static const QRegularExpression link(uR"re((?:href|src)="([^"#:]+)(?:#[^"]*)?")re"_s);
    QStringList links;
    for (auto match = link.globalMatch(page); match.hasNext();) {
        links.append(match.next().captured(1));
    }
    return links;
}

} // namespace

class tst_Help : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(sourcePages().size() >= 10);
        chm = QDir(programFolder()).filePath(u"Velmora.chm"_s);
        help = QDir(QDir(programFolder()).filePath(u"help"_s));
        QVERIFY2(QFile::exists(chm), qPrintable(chm));
    }

    // A compiled help file that lists every page, picture and its contents.
    void chmHoldsEveryPage()
    {
        QVERIFY(readAll(chm).startsWith("ITSF"));
        const std::optional<QString> listing = chmls({u"-n"_s, u"list"_s, chm});
        QVERIFY(listing);
        QSet<QString> names;
        for (const QString &line : listing->split(u'\n')) {
            names.insert(line.trimmed());
        }
        QStringList expected = sourcePages();
        expected << u"style.css"_s << u"Velmora.hhc"_s << u"Velmora.hhk"_s;
        const QStringList pictures = QDir(help.filePath(u"images"_s)).entryList(QDir::Files);
        QVERIFY(!pictures.isEmpty());
        for (const QString &picture : pictures) {
            expected << u"images/"_s + picture;
        }
        for (const QString &name : expected) {
            QVERIFY2(names.contains(u'/' + name), qPrintable(name));
        }
    }

    // The index page in the CHM file is the page written here, byte for byte.
    void chmIndexPageIsTheSource()
    {
        QTemporaryDir out;
        const QString extracted = out.filePath(u"index.html"_s);
        QVERIFY(chmls({u"extract"_s, chm, u"/index.html"_s, extracted}));
        QCOMPARE(readAll(extracted), readAll(kSources.filePath(u"index.html"_s)));
    }

    // The same pages for a browser, with every local link and picture there,
    // and every page reachable from the contents.
    void pagesBesideProgram_data()
    {
        QTest::addColumn<QString>("page");
        for (const QString &page : sourcePages()) {
            QTest::newRow(qPrintable(page)) << page;
        }
    }

    void pagesBesideProgram()
    {
        QFETCH(QString, page);
        const QByteArray source = readAll(kSources.filePath(page));
        QCOMPARE(readAll(help.filePath(page)), source);
        const QString text = QString::fromUtf8(source);
        QVERIFY(text.contains(u"<meta charset=\"utf-8\">"_s));
        for (const QString &link : localLinks(text)) {
            QVERIFY2(QFileInfo(help.filePath(link)).isFile(), qPrintable(link));
            if (link.endsWith(u".png"_s)) {
                const QImage picture(help.filePath(link));
                QVERIFY2(picture.width() >= 300 && picture.height() >= 100, qPrintable(link));
            }
        }
        const QString contents = QString::fromUtf8(readAll(kSources.filePath(u"Velmora.hhc"_s)));
        QVERIFY2(contents.contains(u"value=\""_s + page + u'"'), "not in the contents");
        const QString project = QString::fromUtf8(readAll(kSources.filePath(u"Velmora.hhp"_s)));
        QVERIFY2(project.contains(u'\n' + page + u'\n'), "not in the project's files");
    }

private:
    QString chm;
    QDir help;
};

QTEST_GUILESS_MAIN(tst_Help)
#include "tst_help.moc"
