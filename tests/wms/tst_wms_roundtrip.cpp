#include "ElementMembers.h"
#include "RecordingMessageSink.h"
#include "WmsFixtures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace WmsFixtures;

// A full document written and read back: every member that the file carries
// comes back where it belongs, every other member is left alone.
class tst_wms_roundtrip : public QObject {
    Q_OBJECT

private slots:
    void fullDocument_data();
    void fullDocument();
    void secondWriteIsIdentical();
};

namespace {

// The members a written file carries back, per family; images are marked.
const QStringList kCarried[] = {
    /* Theme */ {u"Title"_s, u"Author"_s, u"Copyright"_s},
    /* View */ {u"Titlebar"_s, u"*Upimage"_s, u"Transcolor"_s, u"Width"_s, u"Height"_s},
    /* Button */
    {u"Top"_s, u"Left"_s, u"Transcolor"_s, u"*Upimage"_s, u"*Downimage"_s, u"*Hoverimage"_s},
    /* Slider */
    {u"Top"_s, u"Left"_s, u"Width"_s, u"Height"_s, u"Transcolor"_s, u"*Upimage"_s, u"*Hoverimage"_s,
     u"Direction"_s},
    /* Playlist */
    {u"Top"_s, u"Left"_s, u"Width"_s, u"Height"_s, u"Forecolor"_s, u"Backcolor"_s,
     u"Dropdownvis"_s},
    /* TrackName */
    {u"Top"_s, u"Left"_s, u"Width"_s, u"Fontsize"_s, u"Forecolor"_s, u"Backcolor"_s, u"Scrolling"_s,
     u"Scrollamt"_s},
    /* VideoEffects */ {u"Top"_s, u"Left"_s, u"Width"_s, u"Height"_s},
};

// What a member that the file does not carry holds before and after reading.
const QString kUntouched = u"untouched"_s;
} // namespace

void tst_wms_roundtrip::fullDocument_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("author");

    QTest::newRow("japanese") << u"青い空 スキン"_s << u"山田 太郎"_s;
    QTest::newRow("markup characters") << u"Tom & \"Jerry\" <3> it's"_s << u"a&amp;b"_s;
    QTest::newRow("words of tags and names") << u"Preview my playlist"_s << u"top=1 image=\"x\""_s;
    // A line break inside a value must not end the line in the file.
    QTest::newRow("line breaks and tab") << u"two\r\nlines\tand\rmore"_s << u"a\nb"_s;
}

void tst_wms_roundtrip::fullDocument()
{
    QFETCH(QString, title);
    QFETCH(QString, author);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    RecordingMessageSink sink;
    clsFileControl written(sink);
    fillFullDocument(written, u"/home/user/my pictures"_s);
    written.getElement(Slot::Theme)->setTitle(title);
    written.getElement(Slot::Theme)->setAuthor(author);
    QVERIFY(QDir(dir.path()).mkdir(u"skins folder"_s));
    const QString chosen = dir.filePath(u"skins folder/青 skin.wms"_s);
    QVERIFY(written.writeFile(chosen, 1));
    const QString path = written.getFileName();
    QCOMPARE(path, chosen + u"/青 skin.wms"_s);

    clsFileControl read(sink);
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        for (const ElementMember &m : kElementMembers) {
            (*read.getElement(slot).*m.set)(kUntouched);
        }
    }
    QVERIFY(read.readFile(path));
    QVERIFY(sink.messages.isEmpty());

    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        const auto family = static_cast<std::size_t>(elementSlot(slot).family);
        const auto original = written.getElement(slot);
        const auto back = read.getElement(slot);
        QCOMPARE(back->getExistFlag(), qint16(1));
        for (const ElementMember &m : kElementMembers) {
            const QString name = QString::fromLatin1(m.name);
            QString expected = kUntouched;
            if (kCarried[family].contains(name)) {
                expected = (*original.*m.get)();
            } else if (kCarried[family].contains(u'*' + name)) {
                expected = chosen + u'/' + (*original.*m.get)().section(u'/', -1);
            }
            QVERIFY2((*back.*m.get)() == expected,
                     qPrintable(u"slot %1 %2: %3"_s.arg(slot).arg(name, (*back.*m.get)())));
        }
    }
    // The view's size is not written, so it comes back empty.
    QCOMPARE(read.getElement(Slot::View)->getWidth(), QString());
    QCOMPARE(read.getElement(Slot::View)->getHeight(), QString());
    QCOMPARE(read.getElement(Slot::Video), read.getElement(Slot::Effects));
}

// Writing what was read gives the same file again.
void tst_wms_roundtrip::secondWriteIsIdentical()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    RecordingMessageSink sink;
    clsFileControl first(sink);
    fillFullDocument(first, dir.path());
    const QString path = dir.filePath(u"a.wms"_s);
    QVERIFY(first.writeFile(path, 0));

    clsFileControl second(sink);
    QVERIFY(second.readFile(path));
    // Not carried by the file; the editor recomputes it before a save.
    for (qint16 slot = Slot::VolumeSlider; slot <= Slot::BalanceSlider; ++slot) {
        second.getElement(slot)->setBordersize(u"7.5"_s);
    }
    const QString again = dir.filePath(u"b.wms"_s);
    QVERIFY(second.writeFile(again, 0));
    QCOMPARE(readBytes(again), readBytes(path));
}

QTEST_GUILESS_MAIN(tst_wms_roundtrip)
#include "tst_wms_roundtrip.moc"
