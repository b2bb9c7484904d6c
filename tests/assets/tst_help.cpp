// The help the build puts beside the program: Velmora.chm compiled from the
// pages, and the same pages in help/ for a web browser; and what the pages
// say, held against the program they describe.
#include "ProgramFolder.h"
#include "RecordingMessageSink.h"
#include "editor/history/EditHistory.h"
#include "editor/platform/MessageBoxSink.h"
#include "editor/platform/QtTranslations.h"
#include "editor/window/frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QUndoStack>

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

// A page as its reader sees it: the text, without tags or entities.
QString pageText(const QString &page)
{
    const QString html = QString::fromUtf8(readAll(kSources.filePath(page)));
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

// A caption as the pages write it: without its access key ("開く(&O)", "&Yes").
QString withoutAccessKey(QString caption)
{
    static const QRegularExpression key(uR"re(\(&[^)]\)$)re"_s);
    return caption.remove(key).remove(u'&');
}

} // namespace

class tst_Help : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The question boxes' buttons as the program labels them.
        QVERIFY(QtTranslations::installJapanese(*qApp));
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

    // Every command of the main window's menu bar, and each menu, is named
    // in the help.
    void helpNamesEveryMenuCommand_data()
    {
        QTest::addColumn<QString>("caption");
        RecordingMessageSink messages;
        frmMain window(messages, programFolder());
        for (const QAction *bar : window.menuBar()->actions()) {
            QTest::newRow(qPrintable(bar->text())) << withoutAccessKey(bar->text());
            for (const QAction *command : bar->menu()->actions()) {
                if (!command->isSeparator()) {
                    QTest::newRow(qPrintable(command->text())) << withoutAccessKey(command->text());
                }
            }
        }
    }
    void helpNamesEveryMenuCommand()
    {
        QFETCH(QString, caption);
        QVERIFY(!caption.isEmpty());
        for (const QString &page : sourcePages()) {
            if (pageText(page).contains(caption)) {
                return;
            }
        }
        QFAIL("no page names it");
    }

    // The question asked on leaving with unsaved work is in the help as the
    // program asks it, with what each of its buttons does.
    void helpDescribesTheLeaveQuestion()
    {
        RecordingMessageSink messages;
        messages.choices = {Answer::Cancel};
        frmMain window(messages, programFolder());
        window.findChild<EditHistory *>()->stack().resetClean(); // unsaved work
        QVERIFY(!window.close());
        QCOMPARE(messages.messages.size(), 1);
        const RecordingMessageSink::Message question = messages.last();
        QVERIFY(question.question);

        // Its buttons, read off the program's own box while it asks.
        QStringList buttons;
        QTimer::singleShot(0, this, [&buttons] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                for (const QAbstractButton *button : box->buttons()) {
                    buttons.append(withoutAccessKey(button->text()));
                }
                box->reject();
            }
        });
        MessageBoxSink boxes;
        QCOMPARE(boxes.askYesNoCancel(question.text, question.title), Answer::Cancel);
        QCOMPARE(buttons.size(), 3);

        QStringList describing;
        for (const QString &page : sourcePages()) {
            const QString text = pageText(page);
            if (text.contains(question.text) && text.contains(question.title) &&
                std::all_of(buttons.begin(), buttons.end(),
                            [&text](const QString &button) { return text.contains(button); })) {
                describing.append(page);
            }
        }
        QVERIFY2(!describing.isEmpty(), qPrintable(question.text + u' ' + buttons.join(u'/')));
    }

private:
    QString chm;
    QDir help;
};

QTEST_MAIN(tst_Help)
#include "tst_help.moc"
