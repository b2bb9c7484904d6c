#include "RecordingMessageSink.h"
#include "WmsFixtures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace WmsFixtures;

// What the reader accepts, refuses, and where each value lands.
class tst_wms_reader : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void refusals_data();
    void refusals();
    void titleRead_data();
    void titleRead();
    void attributeFoundByWholeName();
    void fullDocumentRoundTrip_data();
    void fullDocumentRoundTrip();

private:
    QString put(const QByteArray &bytes, const QString &name = u"skin.wms"_s);

    QTemporaryDir m_dir;
    RecordingMessageSink m_sink;
};

namespace {
const QByteArray kTheme = R"(<theme id="velmora" title="T" author="A" copyright="C">)";
const QByteArray kView =
    R"(<view title="T" titlebar="True" backgroundimage="b.bmp" transparencycolor="#00FF00" backgroundcolor="none">)";
const QByteArray kClose = "</view>\r\n</theme>\r\n";
const QString kOpenFailed = u"ファイルのオープンに失敗しました"_s;
const QString kNotEditable = u"編集不可能なスキンファイルです"_s;
const QString kBadValue = u"要素の取得に失敗しました"_s;

QByteArray skin(const QByteArray &body)
{
    return kTheme + "\r\n" + kView + "\r\n" + body + kClose;
}
} // namespace

void tst_wms_reader::init()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
    m_sink.clear();
}

void tst_wms_reader::cleanup()
{
    QDir::setCurrent(QDir::rootPath());
}

QString tst_wms_reader::put(const QByteArray &bytes, const QString &name)
{
    const QString path = m_dir.filePath(name);
    return writeBytes(path, bytes) ? path : QString();
}

void tst_wms_reader::refusals_data()
{
    // The content goes to skin.wms; path names what is read, in the test's
    // current folder; an empty message means the file is accepted.
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    const QString skinPath = u"./skin.wms"_s;
    const auto line = [](const char *text) { return QByteArray(text) + "\r\n"; };
    const QByteArray fine = skin({}); // four lines

    QTest::newRow("missing file") << fine << u"./missing.wms"_s << kOpenFailed;
    QTest::newRow("folder") << fine << u"./"_s << kOpenFailed;
    QTest::newRow("no folder in the path") << fine << u"skin.wms"_s << kOpenFailed;
    QTest::newRow("32767 lines") << (fine + QByteArray("\r\n").repeated(32763)) << skinPath
                                 << QString();
    QTest::newRow("32768 lines") << (fine + QByteArray("\r\n").repeated(32764)) << skinPath
                                 << kOpenFailed;
    QTest::newRow("empty file") << QByteArray() << skinPath << kNotEditable;
    QTest::newRow("no theme line")
        << QByteArray(kView + "\r\n" + kClose) << skinPath << kNotEditable;
    QTest::newRow("id differs in case")
        << line(R"(<theme id="Velmora">)") << skinPath << kNotEditable;
    QTest::newRow("theme only inside a value")
        << line(R"(<view title="theme id=&quot;velmora&quot;">)") << skinPath << kNotEditable;
    QTest::newRow("longer tag") << line(R"(<themes id="velmora">)") << skinPath << kNotEditable;
    QTest::newRow("unclosed top value")
        << skin(line(R"(<playbutton left="7" top="5/>)")) << skinPath << kBadValue;
    QTest::newRow("value runs into next attribute")
        << skin(line(R"(<playbutton top="5 left="7"/>)")) << skinPath << kBadValue;
    QTest::newRow("unclosed id") << line(R"(<theme id="velmora>)") << skinPath << kBadValue;
    QTest::newRow("value without quotes")
        << skin(line(R"(<stopbutton top=5 left="7"/>)")) << skinPath << kBadValue;
}

void tst_wms_reader::refusals()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, path);
    QFETCH(QString, message);

    QVERIFY(!put(content).isEmpty());
    clsFileControl doc(m_sink);
    QCOMPARE(doc.readFile(path), message.isEmpty());
    if (message.isEmpty()) {
        QVERIFY(m_sink.messages.isEmpty());
    } else {
        QCOMPARE(m_sink.messages.size(), 1);
        QCOMPARE(m_sink.last().text, message);
        QCOMPARE(m_sink.last().title, u"ファイルを開く"_s);
        QCOMPARE(m_sink.last().icon, MessageIcon::Information);
    }
}

// A title as written in the file and as read: entities decoded, and words of
// tags inside it capture no element. The video area comes from the effects
// line alone, so a video line by itself leaves both areas absent.
void tst_wms_reader::titleRead_data()
{
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("title");

    QTest::newRow("word Preview") << QByteArray("Preview") << u"Preview"_s;
    QTest::newRow("words my playlist") << QByteArray("my playlist") << u"my playlist"_s;
    QTest::newRow("tag text") << QByteArray(
                                     "&lt;view titlebar=&quot;x&quot;&gt;&lt;playbutton/&gt;")
                              << u"<view titlebar=\"x\"><playbutton/>"_s;
    QTest::newRow("five entities") << QByteArray("&amp;&lt;&gt;&quot;&apos;") << u"&<>\"'"_s;
    QTest::newRow("escaped line break") << QByteArray("&amp;#10;") << u"&#10;"_s;
    QTest::newRow("bare ampersand of older files") << QByteArray("Tom & Jerry") << u"Tom & Jerry"_s;
    QTest::newRow("unknown entity stays") << QByteArray("&copy; x") << u"&copy; x"_s;
    QTest::newRow("apostrophe in double quotes") << QByteArray("it's") << u"it's"_s;
}

void tst_wms_reader::titleRead()
{
    QFETCH(QByteArray, written);
    QFETCH(QString, title);

    const QByteArray content =
        R"(<theme id="velmora" title=")" + written + R"(" author="top=1">)" + "\r\n" + kView +
        "\r\n" + R"(<playbutton top="1" left="2" image="p.bmp"/>)" + "\r\n" +
        R"(<volumeslider top="3" left="4" width="5" height="6"/>)" + "\r\n" +
        R"(<wmpvideo zindex="1" top="1" left="2" width="3" height="4" visible="True"/>)" + "\r\n" +
        kClose;
    clsFileControl doc(m_sink);
    QVERIFY(doc.readFile(put(content)));
    QCOMPARE(doc.getElement(Slot::Theme)->getTitle(), title);
    QCOMPARE(doc.getElement(Slot::Theme)->getAuthor(), u"top=1"_s);
    QCOMPARE(doc.getElement(Slot::View)->getTitlebar(), u"True"_s);
    QCOMPARE(doc.getElement(Slot::View)->getTranscolor(), u"#00FF00"_s);
    QCOMPARE(doc.getElement(Slot::PlayButton)->getTop(), u"1"_s);
    QCOMPARE(doc.getElement(Slot::Playlist)->getExistFlag(), qint16(0));
    QCOMPARE(doc.getElement(Slot::VolumeSlider)->getExistFlag(), qint16(1));
    QCOMPARE(doc.getElement(Slot::VolumeSlider)->getHeight(), u"6"_s);
    QCOMPARE(doc.getElement(Slot::Video)->getExistFlag(), qint16(0));
    QCOMPARE(doc.getElement(Slot::Effects)->getExistFlag(), qint16(0));
    QCOMPARE(doc.getElement(Slot::Video)->getTop(), QString());
}

void tst_wms_reader::attributeFoundByWholeName()
{
    // image must not be taken from backgroundimage, top not from a value, and
    // order, blanks and single quotes do not matter. An image the line does not
    // name keeps the record's image; any other value missing becomes empty.
    const QByteArray content = kTheme + "\r\n" + R"(<view width="300" height="200">)" + "\r\n" +
                               R"(<playbutton   hoverimage='h.bmp' backgroundimage="x.bmp" )" +
                               R"(title="top=&quot;9&quot;"  top = "5" left="7"/>)" + "\r\n" +
                               kClose;
    clsFileControl doc(m_sink);
    doc.setFileName(u"/before.wms"_s);
    auto play = doc.getElement(Slot::PlayButton);
    play->setUpimage(u"/keep/up.bmp"_s);
    play->setDownimage(u"/keep/down.bmp"_s);
    play->setTranscolor(u"#123456"_s);
    QVERIFY(doc.readFile(put(content)));
    QCOMPARE(play->getExistFlag(), qint16(1));
    QCOMPARE(play->getUpimage(), u"/keep/up.bmp"_s);
    QCOMPARE(play->getDownimage(), u"/keep/down.bmp"_s);
    QCOMPARE(play->getHoverimage(), m_dir.filePath(u"h.bmp"_s));
    QCOMPARE(play->getTop(), u"5"_s);
    QCOMPARE(play->getLeft(), u"7"_s);
    QCOMPARE(play->getTranscolor(), QString());
    QCOMPARE(doc.getElement(Slot::View)->getWidth(), u"300"_s);
    QCOMPARE(doc.getElement(Slot::View)->getHeight(), u"200"_s);
    // Reading names no file to save to.
    QCOMPARE(doc.getFileName(), u"/before.wms"_s);
}

void tst_wms_reader::fullDocumentRoundTrip_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("author");
    QTest::addColumn<QByteArray>("lineEnd"); // put in place of each CR LF before reading
    QTest::addColumn<bool>("finalEnd");      // whether the last line keeps its end

    QTest::newRow("japanese, CR LF, none at end")
        << u"青い空 スキン"_s << u"山田 太郎"_s << QByteArray("\r\n") << false;
    QTest::newRow("markup characters, LF")
        << u"Tom & \"Jerry\" <3> it's"_s << u"a&amp;b"_s << QByteArray("\n") << true;
    QTest::newRow("words of tags and names, CR")
        << u"Preview my playlist"_s << u"top=1 image=\"x\""_s << QByteArray("\r") << true;
    // A line break inside a value must not end the line in the file.
    QTest::newRow("line breaks and tab, CR, none at end")
        << u"two\r\nlines\tand\rmore"_s << u"a\nb"_s << QByteArray("\r") << false;
}

void tst_wms_reader::fullDocumentRoundTrip()
{
    QFETCH(QString, title);
    QFETCH(QString, author);
    QFETCH(QByteArray, lineEnd);
    QFETCH(bool, finalEnd);

    // The members a written file carries back, per family; images are marked.
    static const QStringList kCarried[] = {
        /* Theme */ {u"Title"_s, u"Author"_s, u"Copyright"_s},
        /* View */ {u"Titlebar"_s, u"*Upimage"_s, u"Transcolor"_s},
        /* Button */
        {u"Top"_s, u"Left"_s, u"Transcolor"_s, u"*Upimage"_s, u"*Downimage"_s, u"*Hoverimage"_s},
        /* Slider */
        {u"Top"_s, u"Left"_s, u"Width"_s, u"Height"_s, u"Transcolor"_s, u"*Upimage"_s,
         u"*Hoverimage"_s, u"Direction"_s},
        /* Playlist */
        {u"Top"_s, u"Left"_s, u"Width"_s, u"Height"_s, u"Forecolor"_s, u"Backcolor"_s,
         u"Dropdownvis"_s},
        /* TrackName */
        {u"Top"_s, u"Left"_s, u"Width"_s, u"Fontsize"_s, u"Forecolor"_s, u"Backcolor"_s,
         u"Scrolling"_s, u"Scrollamt"_s},
        /* VideoEffects */ {u"Top"_s, u"Left"_s, u"Width"_s, u"Height"_s},
    };
    const QString untouched = u"untouched"_s;

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    clsFileControl written(m_sink);
    fillFullDocument(written, u"/home/user/my pictures"_s);
    written.getElement(Slot::Theme)->setTitle(title);
    written.getElement(Slot::Theme)->setAuthor(author);
    QVERIFY(QDir(dir.path()).mkdir(u"skins folder"_s));
    const QString chosen = dir.filePath(u"skins folder/青 skin.wms"_s);
    QVERIFY(written.writeFile(chosen, 1));
    const QString path = written.getFileName();
    QCOMPARE(path, chosen + u"/青 skin.wms"_s);
    const QByteArray first = readBytes(path);
    QByteArray changed = QByteArray(first).replace("\r\n", lineEnd);
    changed.chop(finalEnd ? 0 : lineEnd.size());
    QVERIFY(writeBytes(path, changed));

    clsFileControl read(m_sink);
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        for (const ElementMember &m : kElementMembers) {
            (*read.getElement(slot).*m.set)(untouched);
        }
    }
    QVERIFY(read.readFile(path));
    QVERIFY(m_sink.messages.isEmpty());

    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        const QStringList &carried = kCarried[static_cast<std::size_t>(elementSlot(slot).family)];
        const auto original = written.getElement(slot);
        const auto back = read.getElement(slot);
        QCOMPARE(back->getExistFlag(), qint16(1));
        for (const ElementMember &m : kElementMembers) {
            const QString name = QString::fromLatin1(m.name);
            QString expected = untouched;
            if (carried.contains(name)) {
                expected = (*original.*m.get)();
            } else if (carried.contains(u'*' + name)) {
                expected = chosen + u'/' + (*original.*m.get)().section(u'/', -1);
            } else if (slot == Slot::View && (name == u"Width"_s || name == u"Height"_s)) {
                expected = QString(); // not written, yet read: it comes back empty
            }
            QVERIFY2((*back.*m.get)() == expected,
                     qPrintable(u"slot %1 %2: %3"_s.arg(slot).arg(name, (*back.*m.get)())));
        }
    }
    QCOMPARE(read.getElement(Slot::Video), read.getElement(Slot::Effects));

    // Not carried by the file; the editor recomputes it before a save.
    for (qint16 slot = Slot::VolumeSlider; slot <= Slot::BalanceSlider; ++slot) {
        read.getElement(slot)->setBordersize(written.getElement(slot)->getBordersize());
    }
    const QString again = dir.filePath(u"again.wms"_s);
    QVERIFY(read.writeFile(again, 0));
    QCOMPARE(readBytes(again), first);
}

QTEST_GUILESS_MAIN(tst_wms_reader)
#include "tst_wms_reader.moc"
