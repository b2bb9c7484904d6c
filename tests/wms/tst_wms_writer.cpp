#include "ElementMembers.h"
#include "RecordingMessageSink.h"
#include "WmsFixtures.h"

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
    void neverFilledDocument();
    void lineValues_data();
    void lineValues();
    void absentElementsLeaveNoLine();
    void effectsLineBeforeVideoLine();
    void slidersInFileOrder();
    void valuesAreEscaped_data();
    void valuesAreEscaped();

private:
    QByteArray save(clsFileControl &doc);

    QTemporaryDir m_dir;
    RecordingMessageSink m_sink;
};

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

void tst_wms_writer::neverFilledDocument()
{
    clsFileControl doc(m_sink);
    const QByteArray expected = crlfLines({
        R"(<theme id="velmora" title="" author="" copyright="">)",
        R"(<view title="" titlebar="" backgroundimage="" transparencycolor="" backgroundcolor="none">)",
        "</view>",
        "</theme>",
    });
    QCOMPARE(save(doc), expected);
}

// One element set up through a setter, and the line the writer must make of it.
void tst_wms_writer::lineValues_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("expectedLine");

    QTest::newRow("theme title trimmed")
        << int(Slot::Theme) << u"Title"_s << u"  Blue  "_s
        << QByteArray(R"(<theme id="velmora" title="Blue" author="" copyright="">)");
    QTest::newRow("view title from theme, trimmed")
        << int(Slot::Theme) << u"Title"_s << u"  Blue  "_s
        << QByteArray(
               R"(<view title="Blue" titlebar="" backgroundimage="" transparencycolor="" backgroundcolor="none">)");
    QTest::newRow("author trimmed")
        << int(Slot::Theme) << u"Author"_s << u" Ann "_s
        << QByteArray(R"(<theme id="velmora" title="" author="Ann" copyright="">)");
    QTest::newRow("ideographic space kept")
        << int(Slot::Theme) << u"Copyright"_s << u"\u3000x\u3000"_s
        << QByteArray(
               "<theme id=\"velmora\" title=\"\" author=\"\" copyright=\"\x81\x40x\x81\x40\">");
    QTest::newRow("view's own title unused")
        << int(Slot::View) << u"Title"_s << u"Other"_s
        << QByteArray(
               R"(<view title="" titlebar="" backgroundimage="" transparencycolor="" backgroundcolor="none">)");
    QTest::newRow("button top keeps blank")
        << int(Slot::PlayButton) << u"Top"_s << u" 10"_s
        << QByteArray(
               R"(<playbutton top=" 10" left="" transparencycolor="" image="" disabledimage="" downimage="" hoverimage="" cursor="hand"/>)");
    QTest::newRow("image with blank gives file name")
        << int(Slot::PlayButton) << u"Upimage"_s << u"/d/pics/a b.bmp"_s
        << QByteArray(
               R"(<playbutton top="" left="" transparencycolor="" image="a b.bmp" disabledimage="" downimage="" hoverimage="" cursor="hand"/>)");
    QTest::newRow("down image is disabled image too")
        << int(Slot::StopButton) << u"Downimage"_s << u"/x/d.bmp"_s
        << QByteArray(
               R"(<stopbutton top="" left="" transparencycolor="" image="" disabledimage="d.bmp" downimage="d.bmp" hoverimage="" cursor="hand"/>)");
    QTest::newRow("path without separator written whole")
        << int(Slot::View) << u"Upimage"_s << u"back.bmp"_s
        << QByteArray(
               R"(<view title="" titlebar="" backgroundimage="back.bmp" transparencycolor="" backgroundcolor="none">)");
    QTest::newRow("slider images swapped")
        << int(Slot::BalanceSlider) << u"Hoverimage"_s << u"/p/back.bmp"_s
        << QByteArray(
               R"(<balanceslider top="" left="" width="" height="" transparencycolor="" backgroundimage="back.bmp" thumbimage="" bordersize="" direction=""/>)");
    QTest::newRow("playlist constants")
        << int(Slot::Playlist) << u"Dropdownvis"_s << u"False"_s
        << QByteArray(
               R"(<playlist top="" left="" width="" height="" foregroundcolor="" backgroundcolor="" dropdownvisible="False" columnsvisible="false" columns="name=Name;Duration=Time" playlistitemsvisible="True"/>)");
    QTest::newRow("track name without height")
        << int(Slot::TrackNameText) << u"Height"_s << u"99"_s
        << QByteArray(
               R"(<tracknametext top="" left="" width="" fontsize="" foregroundcolor="" backgroundcolor="" scrolling="" scrollingamount=""/>)");
}

void tst_wms_writer::lineValues()
{
    QFETCH(int, slot);
    QFETCH(QString, member);
    QFETCH(QString, value);
    QFETCH(QByteArray, expectedLine);

    clsFileControl doc(m_sink);
    auto record = doc.getElement(qint16(slot));
    if (slot > Slot::View) {
        record->setExistFlag(1);
    }
    const ElementMember *setter = elementMember(member.toLatin1());
    QVERIFY(setter);
    ((*record).*(setter->set))(value);

    const QList<QByteArray> lines = save(doc).split('\n');
    QVERIFY2(lines.contains(expectedLine + '\r'), save(doc).constData());
}

void tst_wms_writer::absentElementsLeaveNoLine()
{
    clsFileControl doc(m_sink);
    setButton(doc, Slot::CloseButton, u"1"_s, u"2"_s, {}, {}, {});
    doc.getElement(Slot::NextButton)->setExistFlag(0);
    setButton(doc, Slot::PrevButton, u"3"_s, u"4"_s, {}, {}, {});
    // Only exactly 1 means present.
    setButton(doc, Slot::PauseButton, u"5"_s, u"6"_s, {}, {}, {});
    doc.getElement(Slot::PauseButton)->setExistFlag(2);

    const QList<QByteArray> lines = save(doc).split('\n');
    QCOMPARE(lines.size(), 7); // theme, view, close, prev, </view>, </theme>, ""
    QVERIFY(lines.at(2).startsWith("<closebutton "));
    QVERIFY(lines.at(3).startsWith("<prevbutton "));
    QCOMPARE(lines.at(4), QByteArray("</view>\r"));
}

void tst_wms_writer::effectsLineBeforeVideoLine()
{
    clsFileControl doc(m_sink);
    auto area = std::make_shared<clsElement>();
    area->setExistFlag(1);
    area->setTop(u"7"_s);
    area->setLeft(u"8"_s);
    area->setWidth(u"9"_s);
    area->setHeight(u"10"_s);
    doc.setElement(area, Slot::Video);
    doc.setElement(area, Slot::Effects);

    const QList<QByteArray> lines = save(doc).split('\n');
    QCOMPARE(lines.at(2),
             QByteArray(
                 R"(<wmpeffects zindex="2" top="7" left="8" width="9" height="10" visible="True"/>)"
                 "\r"));
    QCOMPARE(
        lines.at(3),
        QByteArray(R"(<wmpvideo zindex="1" top="7" left="8" width="9" height="10" visible="True"/>)"
                   "\r"));
}

void tst_wms_writer::slidersInFileOrder()
{
    clsFileControl doc(m_sink);
    for (qint16 slot : {Slot::BalanceSlider, Slot::VolumeSlider, Slot::SeekSlider, Slot::Playlist,
                        Slot::TrackNameText, Slot::ReturnButton}) {
        doc.getElement(slot)->setExistFlag(1);
    }
    const QList<QByteArray> lines = save(doc).split('\n');
    const char *order[] = {"<returnbutton ",  "<seekslider ", "<volumeslider ",
                           "<balanceslider ", "<playlist ",   "<tracknametext "};
    for (int i = 0; i < 6; ++i) {
        QVERIFY2(lines.at(2 + i).startsWith(order[i]), lines.at(2 + i).constData());
    }
}

void tst_wms_writer::valuesAreEscaped_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("double quote") << u"Say \"hi\""_s << QByteArray("Say &quot;hi&quot;");
    QTest::newRow("ampersand") << u"Tom & Jerry"_s << QByteArray("Tom &amp; Jerry");
    QTest::newRow("angle brackets") << u"<b>"_s << QByteArray("&lt;b&gt;");
    QTest::newRow("entity text itself") << u"&amp;"_s << QByteArray("&amp;amp;");
    QTest::newRow("apostrophe stays") << u"it's"_s << QByteArray("it's");
    QTest::newRow("line breaks and tab") << u"a\r\nb\tc"_s << QByteArray("a&#13;&#10;b&#9;c");
}

void tst_wms_writer::valuesAreEscaped()
{
    QFETCH(QString, title);
    QFETCH(QByteArray, written);

    clsFileControl doc(m_sink);
    doc.getElement(Slot::Theme)->setTitle(title);
    setButton(doc, Slot::PlayButton, title, {}, u"/p/"_s + title + u".bmp"_s, {}, {});
    const QByteArray text = save(doc);
    QVERIFY(text.contains("<theme id=\"velmora\" title=\"" + written + "\" author"));
    QVERIFY(text.contains("<view title=\"" + written + "\" titlebar"));
    QVERIFY(text.contains("<playbutton top=\"" + written + "\" left"));
    QVERIFY(text.contains("image=\"" + written + ".bmp\""));
}

QTEST_GUILESS_MAIN(tst_wms_writer)
#include "tst_wms_writer.moc"
