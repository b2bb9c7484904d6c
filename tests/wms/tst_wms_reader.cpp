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
    void refusals_data();
    void refusals();
    void refusalsOfPath_data();
    void refusalsOfPath();
    void lineLimit_data();
    void lineLimit();
    void elementFoundByTagOnly_data();
    void elementFoundByTagOnly();
    void attributeFoundByWholeName();
    void buttonWithoutImagesKeepsImages();
    void viewWidthAndHeightRead();
    void lineEndsAreEquivalent_data();
    void lineEndsAreEquivalent();
    void entitiesDecoded_data();
    void entitiesDecoded();
    void videoLineAloneLeavesAreasAbsent();
    void readDoesNotChangeFileName();

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
const QString kOpen = u"ファイルを開く"_s;
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
    m_sink.clear();
}

QString tst_wms_reader::put(const QByteArray &bytes, const QString &name)
{
    const QString path = m_dir.filePath(name);
    if (!writeBytes(path, bytes)) {
        return QString();
    }
    return path;
}

void tst_wms_reader::refusals_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty file") << QByteArray() << kNotEditable;
    QTest::newRow("no theme line") << QByteArray(kView + "\r\n" + kClose) << kNotEditable;
    QTest::newRow("other id") << QByteArray(R"(<theme id="other" title="T">)"
                                            "\r\n")
                              << kNotEditable;
    QTest::newRow("no id") << QByteArray(R"(<theme title="velmora">)"
                                         "\r\n")
                           << kNotEditable;
    QTest::newRow("id differs in case") << QByteArray(R"(<theme id="Velmora">)"
                                                      "\r\n")
                                        << kNotEditable;
    QTest::newRow("theme only inside a value")
        << QByteArray(R"(<view title="theme id=&quot;velmora&quot;">)"
                      "\r\n")
        << kNotEditable;
    QTest::newRow("longer tag") << QByteArray(R"(<themes id="velmora">)"
                                              "\r\n")
                                << kNotEditable;
    QTest::newRow("unclosed top value") << skin(R"(<playbutton left="7" top="5/>)"
                                                "\r\n")
                                        << kBadValue;
    QTest::newRow("value runs into next attribute") << skin(R"(<playbutton top="5 left="7"/>)"
                                                            "\r\n")
                                                    << kBadValue;
    QTest::newRow("unclosed id") << QByteArray(R"(<theme id="velmora>)"
                                               "\r\n")
                                 << kBadValue;
    QTest::newRow("value without quotes") << skin(R"(<stopbutton top=5 left="7"/>)"
                                                  "\r\n")
                                          << kBadValue;
}

void tst_wms_reader::refusals()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);

    clsFileControl doc(m_sink);
    QVERIFY(!doc.readFile(put(content)));
    QCOMPARE(m_sink.messages.size(), 1);
    QCOMPARE(m_sink.last().text, message);
    QCOMPARE(m_sink.last().title, kOpen);
    QCOMPARE(m_sink.last().icon, MessageIcon::Information);
}

void tst_wms_reader::refusalsOfPath_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("missing file") << u"missing.wms"_s;
    QTest::newRow("folder") << QString();
    QTest::newRow("no separator") << u"*skin.wms"_s;
}

void tst_wms_reader::refusalsOfPath()
{
    QFETCH(QString, path);
    const QString good = put(skin(QByteArray()));
    if (path.startsWith(u'*')) {
        path = path.mid(1);
        QVERIFY(QDir::setCurrent(m_dir.path())); // the file is there, but the path names no folder
    } else {
        path = m_dir.filePath(path);
    }
    clsFileControl doc(m_sink);
    const bool read = doc.readFile(path);
    QDir::setCurrent(QDir::rootPath());
    QVERIFY(!good.isEmpty());
    QVERIFY(!read);
    QCOMPARE(m_sink.messages.size(), 1);
    QCOMPARE(m_sink.last().text, kOpenFailed);
    QCOMPARE(m_sink.last().title, kOpen);
}

void tst_wms_reader::lineLimit_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("32767 lines") << 32767 << true;
    QTest::newRow("32768 lines") << 32768 << false;
}

void tst_wms_reader::lineLimit()
{
    QFETCH(int, lines);
    QFETCH(bool, accepted);

    QByteArray content = skin(QByteArray()); // 4 lines
    content += QByteArray("\r\n").repeated(lines - 4);
    clsFileControl doc(m_sink);
    QCOMPARE(doc.readFile(put(content)), accepted);
    if (!accepted) {
        QCOMPARE(m_sink.last().text, kOpenFailed);
    } else {
        QVERIFY(m_sink.messages.isEmpty());
    }
}

// Words of tags inside values or longer tags must not capture an element.
void tst_wms_reader::elementFoundByTagOnly_data()
{
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QByteArray>("author");

    QTest::newRow("title Preview") << QByteArray("Preview") << QByteArray("A");
    QTest::newRow("title my playlist") << QByteArray("my playlist") << QByteArray("A");
    QTest::newRow("author top=1") << QByteArray("T") << QByteArray("top=1");
    QTest::newRow("tag text in title") << QByteArray("&lt;view titlebar=&quot;x&quot;&gt;")
                                       << QByteArray("&lt;playbutton top=&quot;9&quot;/&gt;");
}

void tst_wms_reader::elementFoundByTagOnly()
{
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, author);

    const QByteArray theme =
        R"(<theme id="velmora" title=")" + title + R"(" author=")" + author + R"(" copyright="C">)";
    const QByteArray content = theme + "\r\n" + kView + "\r\n" +
                               R"(<playbutton top="1" left="2" image="p.bmp"/>)"
                               "\r\n" +
                               R"(<volumeslider top="3" left="4" width="5" height="6"/>)"
                               "\r\n" +
                               kClose;
    clsFileControl doc(m_sink);
    QVERIFY(doc.readFile(put(content)));
    auto theme1 = doc.getElement(Slot::Theme);
    QCOMPARE(theme1->getTitle().toUtf8(),
             title.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\""));
    QCOMPARE(theme1->getAuthor().toUtf8(),
             author.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\""));
    QCOMPARE(doc.getElement(Slot::View)->getTitlebar(), u"True"_s);
    QCOMPARE(doc.getElement(Slot::View)->getTranscolor(), u"#00FF00"_s);
    QCOMPARE(doc.getElement(Slot::PlayButton)->getTop(), u"1"_s);
    QCOMPARE(doc.getElement(Slot::Playlist)->getExistFlag(), qint16(0));
    QCOMPARE(doc.getElement(Slot::VolumeSlider)->getExistFlag(), qint16(1));
    QCOMPARE(doc.getElement(Slot::VolumeSlider)->getHeight(), u"6"_s);
}

void tst_wms_reader::attributeFoundByWholeName()
{
    // image must not be taken from backgroundimage, top not from a value,
    // and order, blanks and single quotes do not matter.
    const QByteArray content = skin(
        R"(<playbutton   hoverimage='h.bmp' backgroundimage="x.bmp" title="top=&quot;9&quot;"  top = "5" left="7"/>)"
        "\r\n");
    clsFileControl doc(m_sink);
    auto play = doc.getElement(Slot::PlayButton);
    play->setUpimage(u"/keep/up.bmp"_s);
    QVERIFY(doc.readFile(put(content)));
    QCOMPARE(play->getUpimage(), u"/keep/up.bmp"_s);
    QCOMPARE(play->getHoverimage(), m_dir.filePath(u"h.bmp"_s));
    QCOMPARE(play->getTop(), u"5"_s);
    QCOMPARE(play->getLeft(), u"7"_s);
}

void tst_wms_reader::buttonWithoutImagesKeepsImages()
{
    clsFileControl doc(m_sink);
    auto play = doc.getElement(Slot::PlayButton);
    play->setUpimage(u"/a/up.bmp"_s);
    play->setDownimage(u"/a/down.bmp"_s);
    play->setHoverimage(u"/a/hover.bmp"_s);
    play->setTranscolor(u"#123456"_s);

    QVERIFY(doc.readFile(put(skin(R"(<playbutton top="5" left="7"/>)"
                                  "\r\n"))));
    QCOMPARE(play->getExistFlag(), qint16(1));
    QCOMPARE(play->getTop(), u"5"_s);
    QCOMPARE(play->getLeft(), u"7"_s);
    QCOMPARE(play->getTranscolor(), QString());
    QCOMPARE(play->getUpimage(), u"/a/up.bmp"_s);
    QCOMPARE(play->getDownimage(), u"/a/down.bmp"_s);
    QCOMPARE(play->getHoverimage(), u"/a/hover.bmp"_s);
}

void tst_wms_reader::viewWidthAndHeightRead()
{
    const QByteArray content =
        kTheme + "\r\n" + R"(<view width="300" height="200">)" + "\r\n" + kClose;
    clsFileControl doc(m_sink);
    QVERIFY(doc.readFile(put(content)));
    QCOMPARE(doc.getElement(Slot::View)->getWidth(), u"300"_s);
    QCOMPARE(doc.getElement(Slot::View)->getHeight(), u"200"_s);
    QCOMPARE(doc.getElement(Slot::View)->getExistFlag(), qint16(1));
}

void tst_wms_reader::lineEndsAreEquivalent_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<bool>("finalEnd");

    QTest::newRow("CR LF") << QByteArray("\r\n") << true;
    QTest::newRow("CR LF, none at end") << QByteArray("\r\n") << false;
    QTest::newRow("LF") << QByteArray("\n") << true;
    QTest::newRow("CR") << QByteArray("\r") << true;
    QTest::newRow("CR, none at end") << QByteArray("\r") << false;
}

void tst_wms_reader::lineEndsAreEquivalent()
{
    QFETCH(QByteArray, lineEnd);
    QFETCH(bool, finalEnd);

    clsFileControl writer(m_sink);
    fillFullDocument(writer, u"/pics"_s);
    const QString original = m_dir.filePath(u"orig.wms"_s);
    QVERIFY(writer.writeFile(original, 0));
    QByteArray bytes = readBytes(original);
    bytes.replace("\r\n", lineEnd);
    if (!finalEnd) {
        bytes.chop(lineEnd.size());
    }

    clsFileControl fromOriginal(m_sink);
    clsFileControl fromChanged(m_sink);
    QVERIFY(fromOriginal.readFile(original));
    QVERIFY(fromChanged.readFile(put(bytes, u"changed.wms"_s)));
    QVERIFY(m_sink.messages.isEmpty());
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        const auto a = fromOriginal.getElement(slot);
        const auto b = fromChanged.getElement(slot);
        QCOMPARE(b->getExistFlag(), a->getExistFlag());
        QCOMPARE(b->getTop(), a->getTop());
        QCOMPARE(b->getTitle(), a->getTitle());
        QCOMPARE(b->getUpimage().section(u'/', -1), a->getUpimage().section(u'/', -1));
        QCOMPARE(b->getWidth(), a->getWidth());
    }
    QCOMPARE(fromChanged.getElement(Slot::PlayButton)->getUpimage(), m_dir.filePath(u"up 3.bmp"_s));
}

void tst_wms_reader::entitiesDecoded_data()
{
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("title");

    QTest::newRow("five entities") << QByteArray("&amp;&lt;&gt;&quot;&apos;") << u"&<>\"'"_s;
    QTest::newRow("escaped entity") << QByteArray("&amp;amp;") << u"&amp;"_s;
    QTest::newRow("line breaks and tab") << QByteArray("a&#13;&#10;b&#9;c") << u"a\r\nb\tc"_s;
    QTest::newRow("escaped line break") << QByteArray("&amp;#10;") << u"&#10;"_s;
    QTest::newRow("bare ampersand of older files") << QByteArray("Tom & Jerry") << u"Tom & Jerry"_s;
    QTest::newRow("unknown entity stays") << QByteArray("&copy; x") << u"&copy; x"_s;
    QTest::newRow("apostrophe in double quotes") << QByteArray("it's") << u"it's"_s;
}

void tst_wms_reader::entitiesDecoded()
{
    QFETCH(QByteArray, written);
    QFETCH(QString, title);

    clsFileControl doc(m_sink);
    QVERIFY(doc.readFile(put(R"(<theme id="velmora" title=")" + written + "\">\r\n" + kClose)));
    QCOMPARE(doc.getElement(Slot::Theme)->getTitle(), title);
}

void tst_wms_reader::videoLineAloneLeavesAreasAbsent()
{
    clsFileControl doc(m_sink);
    QVERIFY(doc.readFile(
        put(skin(R"(<wmpvideo zindex="1" top="1" left="2" width="3" height="4" visible="True"/>)"
                 "\r\n"))));
    QCOMPARE(doc.getElement(Slot::Video)->getExistFlag(), qint16(0));
    QCOMPARE(doc.getElement(Slot::Effects)->getExistFlag(), qint16(0));
    QCOMPARE(doc.getElement(Slot::Video)->getTop(), QString());
}

void tst_wms_reader::readDoesNotChangeFileName()
{
    clsFileControl doc(m_sink);
    doc.setFileName(u"/before.wms"_s);
    QVERIFY(doc.readFile(put(skin(QByteArray()))));
    QCOMPARE(doc.getFileName(), u"/before.wms"_s);
}

QTEST_GUILESS_MAIN(tst_wms_reader)
#include "tst_wms_reader.moc"
