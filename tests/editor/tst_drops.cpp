// Files dropped on the main window, as real drag data sent through the
// application's drag-and-drop delivery.
#include "EditorFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// Drags data over widget and lets it go there, as a file manager does: the
// drop goes to whichever widget took the drag. Whether the drop was taken.
bool dropOn(QWidget *widget, const QMimeData &data)
{
    const QPoint centre = widget->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(widget, &enter);
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QApplication::sendEvent(widget, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

// The drag data of files as file managers offer it: their addresses, also as text.
std::unique_ptr<QMimeData> filesData(const QStringList &paths)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    QStringList texts;
    for (const QString &path : paths) {
        urls.append(QUrl::fromLocalFile(path));
        texts.append(urls.constLast().toString());
    }
    data->setUrls(urls);
    data->setText(texts.join(u'\n'));
    return data;
}

} // namespace

class tst_Drops : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void imageOnField_data();
    void imageOnField();
    void textStillDropsIntoFields();

private:
    QTemporaryDir m_files;
};

void tst_Drops::initTestCase()
{
    QVERIFY(m_files.isValid());
    QImage picture(12, 8, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(m_files.filePath(u"picture.bmp"_s)));
    // A picture's name on a file that is none.
    QFile notes(m_files.filePath(u"notes.jpg"_s));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("no picture") > 0);
}

void tst_Drops::imageOnField_data()
{
    QTest::addColumn<int>("field"); // Text1 index
    QTest::addColumn<int>("tick");  // Check1 index ticked first, or -1
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("taken");

    const QStringList picture{u"picture.bmp"_s};
    QTest::newRow("background field") << 3 << -1 << picture << true;
    QTest::newRow("play button's normal image") << 4 << -1 << picture << true;
    QTest::newRow("second image, box ticked") << 5 << 0 << picture << true;
    QTest::newRow("second image, box not ticked: greyed") << 5 << -1 << picture << false;
    QTest::newRow("element switched off: greyed") << 19 << -1 << picture << false;
    QTest::newRow("position field") << 7 << -1 << picture << false;
    QTest::newRow("title field") << 0 << -1 << picture << false;
    QTest::newRow("not a picture") << 3 << -1 << QStringList{u"notes.jpg"_s} << false;
    QTest::newRow("two pictures") << 3 << -1 << QStringList{u"picture.bmp"_s, u"picture.bmp"_s}
                                  << false;
}

void tst_Drops::imageOnField()
{
    QFETCH(int, field);
    QFETCH(int, tick);
    QFETCH(QStringList, files);
    QFETCH(bool, taken);
    StartedEditor editor;
    QVERIFY(editor.window.Form_Load());
    if (tick >= 0) {
        editor.window.Check1[tick]->setChecked(true);
    }
    QLineEdit *target = editor.window.Text1[field];
    target->setText(u"before"_s);
    QStringList paths;
    for (const QString &file : files) {
        paths.append(m_files.filePath(file));
    }

    QCOMPARE(dropOn(target, *filesData(paths)), taken);
    QCOMPARE(target->text(), taken ? paths.constFirst() : u"before"_s);
    QVERIFY(editor.messages.messages.isEmpty());
}

// Text dragged from one field to another is no file: the field takes it.
void tst_Drops::textStillDropsIntoFields()
{
    StartedEditor editor;
    QVERIFY(editor.window.Form_Load());
    QLineEdit *top = editor.window.Text1[7];
    QMimeData text;
    text.setText(u"42"_s);
    QVERIFY(dropOn(top, text));
    QCOMPARE(top->text(), u"42"_s);
}

QTEST_MAIN(tst_Drops)
#include "tst_drops.moc"
