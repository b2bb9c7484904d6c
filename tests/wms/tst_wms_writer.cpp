#include "RecordingMessageSink.h"
#include "WmsFixtures.h"
#include "util/AnsiText.h"
#include "wms/WmsSyntax.h"

#include <QTemporaryDir>
#include <QTest>

using namespace WmsFixtures;

// What the writer puts in a file: lines, attributes, order, constants, code page.
class tst_wms_writer : public QObject {
    Q_OBJECT

private slots:
    void init();
    void completeExampleByteForByte();
    void documentOfDefaults();
    void lineValues_data();
    void lineValues();
    void lineOrder();
    void imageNamesAreEveryImageWritten();

private:
    QByteArray save(clsFileControl &doc);

    QTemporaryDir m_dir;
    RecordingMessageSink m_sink;
};

namespace {
void setButton(clsFileControl &doc, qint16 slot, const QString &top, const QString &left,
               const QString &up, const QString &down, const QString &hover)
{
    auto record = doc.getElement(slot);
    record->setExistFlag(1);
    record->setTop(top);
    record->setLeft(left);
    record->setTranscolor(u"#FF0000"_s);
    record->setUpimage(up);
    record->setDownimage(down);
    record->setHoverimage(hover);
}
} // namespace

void tst_wms_writer::init()
{
    QVERIFY(m_dir.isValid());
    m_sink.clear();
}

QByteArray tst_wms_writer::save(clsFileControl &doc)
{
    const QString path = m_dir.filePath(u"out.wms"_s);
    QFile::remove(path);
    if (!doc.writeFile(path, 0)) {
        return QByteArray("write failed");
    }
    if (doc.getFileName() != path) {
        return QByteArray("file name not stored");
    }
    return readBytes(path);
}

void tst_wms_writer::completeExampleByteForByte()
{
    clsFileControl doc(m_sink);
    auto theme = doc.getElement(Slot::Theme);
    theme->setTitle(u"Blue"_s);
    theme->setAuthor(u"Blue team"_s);
    theme->setCopyright(u"2002 Blue team"_s);
    auto view = doc.getElement(Slot::View);
    view->setTitlebar(u"False"_s);
    view->setUpimage(u"/pics/back.bmp"_s);
    view->setTranscolor(u"#FF0000"_s);
    setButton(doc, Slot::PlayButton, u"10"_s, u"20"_s, u"/pics/play.bmp"_s, u"/pics/play_d.bmp"_s,
              u"/pics/play_h.bmp"_s);
    setButton(doc, Slot::StopButton, u"10"_s, u"60"_s, u"/pics/stop.bmp"_s, u"/pics/stop_d.bmp"_s,
              u"/pics/stop_h.bmp"_s);
    setButton(doc, Slot::CloseButton, u"2"_s, u"180"_s, u"/pics/close.bmp"_s,
              u"/pics/close_d.bmp"_s, u"/pics/close_h.bmp"_s);
    auto volume = doc.getElement(Slot::VolumeSlider);
    volume->setExistFlag(1);
    volume->setTop(u"50"_s);
    volume->setLeft(u"20"_s);
    volume->setWidth(u"100"_s);
    volume->setHeight(u"15"_s);
    volume->setTranscolor(u"#FF0000"_s);
    volume->setHoverimage(u"/pics/vol_back.bmp"_s);
    volume->setUpimage(u"/pics/vol_thumb.bmp"_s);
    volume->setBordersize(u"7.5"_s);
    volume->setDirection(u"horizontal"_s);

    const QByteArray expected = crlfLines({
        R"(<theme id="velmora" title="Blue" author="Blue team" copyright="2002 Blue team">)",
        R"(<view title="Blue" titlebar="False" backgroundimage="back.bmp" transparencycolor="#FF0000" backgroundcolor="none">)",
        R"(<playbutton top="10" left="20" transparencycolor="#FF0000" image="play.bmp" disabledimage="play_d.bmp" downimage="play_d.bmp" hoverimage="play_h.bmp" cursor="hand"/>)",
        R"(<stopbutton top="10" left="60" transparencycolor="#FF0000" image="stop.bmp" disabledimage="stop_d.bmp" downimage="stop_d.bmp" hoverimage="stop_h.bmp" cursor="hand"/>)",
        R"(<closebutton top="2" left="180" transparencycolor="#FF0000" image="close.bmp" disabledimage="close_d.bmp" downimage="close_d.bmp" hoverimage="close_h.bmp" cursor="hand"/>)",
        R"(<volumeslider top="50" left="20" width="100" height="15" transparencycolor="#FF0000" backgroundimage="vol_back.bmp" thumbimage="vol_thumb.bmp" bordersize="7.5" direction="horizontal"/>)",
        "</view>",
        "</theme>",
    });
    QCOMPARE(save(doc), expected);
    QVERIFY(m_sink.messages.isEmpty());
}

void tst_wms_writer::documentOfDefaults()
{
    clsFileControl doc(m_sink);
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        doc.getElement(slot)->initMember();
    }
    const QByteArray expected = crlfLines({
        R"(<theme id="velmora" title="" author="" copyright="">)",
        R"(<view title="" titlebar="False" backgroundimage="" transparencycolor="#FF0000" backgroundcolor="none">)",
        "</view>",
        "</theme>",
    });
    QCOMPARE(save(doc), expected);
}

// One member set on an otherwise empty element, and what the file must then hold.
void tst_wms_writer::lineValues_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("member");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("expected");
    const auto row = [](const char *tag, qint16 slot, const char *member, const QString &value,
                        const QByteArray &expected) {
        QTest::newRow(tag) << int(slot) << QByteArray(member) << value << expected;
    };

    row("theme title trimmed", Slot::Theme, "Title", u"  Blue  "_s,
        R"(<theme id="velmora" title="Blue" author)");
    row("view title from theme, trimmed", Slot::Theme, "Title", u"  Blue  "_s,
        R"(<view title="Blue" titlebar)");
    row("author trimmed", Slot::Theme, "Author", u" Ann "_s, R"( author="Ann" )");
    row("ideographic space kept", Slot::Theme, "Copyright", u"\u3000x\u3000"_s,
        "copyright=\"\x81\x40x\x81\x40\"");
    row("view's own title unused", Slot::View, "Title", u"Other"_s, R"(<view title="" )");
    row("button top keeps blank", Slot::PlayButton, "Top", u" 10"_s,
        R"(<playbutton top=" 10" left)");
    row("image with blank gives file name", Slot::PlayButton, "Upimage", u"/d/pics/a b.bmp"_s,
        R"( image="a b.bmp" )");
    row("down image is disabled image too", Slot::StopButton, "Downimage", u"/x/d.bmp"_s,
        R"( disabledimage="d.bmp" downimage="d.bmp" )");
    row("path without separator written whole", Slot::View, "Upimage", u"back.bmp"_s,
        R"( backgroundimage="back.bmp" )");
    row("slider images swapped", Slot::BalanceSlider, "Hoverimage", u"/p/back.bmp"_s,
        R"( backgroundimage="back.bmp" thumbimage="" )");
    // Markup characters, line breaks and tabs are escaped in every value; the
    // apostrophe is safe inside double quotes.
    row("quote in the title", Slot::Theme, "Title", u"Say \"hi\""_s,
        R"(<theme id="velmora" title="Say &quot;hi&quot;" author)");
    row("escaped title in the view", Slot::Theme, "Title", u"<b> & it's"_s,
        R"(<view title="&lt;b&gt; &amp; it's" titlebar)");
    row("entity text itself", Slot::Theme, "Author", u"&amp;"_s, R"( author="&amp;amp;" )");
    row("line breaks and tab", Slot::Theme, "Copyright", u"a\r\nb\tc"_s,
        R"( copyright="a&#13;&#10;b&#9;c">)");
    row("button value", Slot::PlayButton, "Top", u"1\"2"_s, R"(<playbutton top="1&quot;2" left)");
    row("image name", Slot::PlayButton, "Upimage", u"/p/Tom & Jerry.bmp"_s,
        R"( image="Tom &amp; Jerry.bmp" )");
    row("playlist constants", Slot::Playlist, "Dropdownvis", u"False"_s,
        R"(<playlist top="" left="" width="" height="" foregroundcolor="" backgroundcolor="" dropdownvisible="False" columnsvisible="false" columns="name=Name;Duration=Time" playlistitemsvisible="True"/>)"
        "\r\n");
    row("track name without height", Slot::TrackNameText, "Height", u"99"_s,
        R"(<tracknametext top="" left="" width="" fontsize="" foregroundcolor="" backgroundcolor="" scrolling="" scrollingamount=""/>)"
        "\r\n");
}

void tst_wms_writer::lineValues()
{
    QFETCH(int, slot);
    QFETCH(QByteArray, member);
    QFETCH(QString, value);
    QFETCH(QByteArray, expected);

    clsFileControl doc(m_sink);
    auto record = doc.getElement(qint16(slot));
    if (slot > Slot::View) {
        record->setExistFlag(1);
    }
    const ElementMember *setter = elementMember(member);
    QVERIFY(setter);
    ((*record).*(setter->set))(value);
    const QByteArray text = save(doc);
    QVERIFY2(text.contains(expected), text.constData());
}

// Present elements in file order (the seek slider before the volume slider, the
// effects area before the video area); only an ExistFlag of exactly 1 is present.
void tst_wms_writer::lineOrder()
{
    clsFileControl doc(m_sink);
    for (qint16 slot :
         {Slot::TrackNameText, Slot::Playlist, Slot::BalanceSlider, Slot::VolumeSlider,
          Slot::SeekSlider, Slot::ReturnButton, Slot::PrevButton, Slot::CloseButton}) {
        doc.getElement(slot)->setExistFlag(1);
    }
    doc.getElement(Slot::PauseButton)->setExistFlag(2);
    auto area = doc.getElement(Slot::Effects);
    area->setExistFlag(1);
    area->setTop(u"7"_s);
    area->setLeft(u"8"_s);
    area->setWidth(u"9"_s);
    area->setHeight(u"10"_s);
    doc.setElement(area, Slot::Video);

    const QByteArray text = save(doc);
    QByteArrayList tags;
    for (const QByteArray &line : text.split('\n')) {
        tags += line.split(' ').constFirst().trimmed();
    }
    const QByteArrayList expected{
        "<theme",      "<view",         "<closebutton",   "<prevbutton", "<returnbutton",
        "<seekslider", "<volumeslider", "<balanceslider", "<playlist",   "<tracknametext",
        "<wmpeffects", "<wmpvideo",     "</view>",        "</theme>",    "",
    };
    QCOMPARE(tags, expected);
    QVERIFY(text.contains(crlfLines({
        R"(<wmpeffects zindex="2" top="7" left="8" width="9" height="10" visible="True"/>)",
        R"(<wmpvideo zindex="1" top="7" left="8" width="9" height="10" visible="True"/>)",
    })));
}

// What the packager looks for as the skin's images is exactly the set of
// images the writer names, decoded: the view's background, each button's
// three pictures and each slider's two.
void tst_wms_writer::imageNamesAreEveryImageWritten()
{
    clsFileControl doc(m_sink);
    fillFullDocument(doc, u"/p"_s);
    // A name the writer has to escape comes back as it was.
    doc.getElement(Slot::View)->setUpimage(u"/p/Tom & <Jerry> \"1\".bmp"_s);

    const QStringList lines = AnsiText::splitLines(AnsiText::decode(save(doc)));
    QStringList found = WmsSyntax::imageNames(lines);

    QStringList expected{u"Tom & <Jerry> \"1\".bmp"_s};
    for (qint16 slot = Slot::PlayButton; slot <= Slot::BalanceSlider; ++slot) {
        const auto record = doc.getElement(slot);
        expected << record->getUpimage() << record->getHoverimage();
        if (slot <= Slot::ReturnButton) {
            expected << record->getDownimage();
        }
    }
    for (QString &name : expected) {
        name = name.mid(name.lastIndexOf(u'/') + 1);
    }
    expected.sort();
    found.sort();
    QCOMPARE(found, expected);
}

QTEST_GUILESS_MAIN(tst_wms_writer)
#include "tst_wms_writer.moc"
