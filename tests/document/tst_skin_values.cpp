// The skin's values without a window: the field table against the section
// table, the copies to and from the records, and the checks a save makes.
#include "../util/ImageFiles.h"
#include "ElementMembers.h"
#include "RecordingMessageSink.h"
#include "document/SkinChecks.h"
#include "document/SkinRecords.h"
#include "document/clsFileControl.h"
#include "util/AppError.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using SkinFields::FieldId;
using SkinFields::Kind;

namespace {

// A document's records as start-up and New leave them.
void initRecords(clsFileControl &document)
{
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        document.getElement(slot)->initMember();
    }
}

const Sections::Section &sectionOf(qint16 slot)
{
    return Sections::sectionFor(slot);
}

} // namespace

class tst_SkinValues : public QObject {
    Q_OBJECT

private slots:
    void init();
    void recordsRoundTrip_data();
    void recordsRoundTrip();
    void refusesWhatThePanelsCannotShow_data();
    void refusesWhatThePanelsCannotShow();
    void sliderSizeFromItsPictures_data();
    void sliderSizeFromItsPictures();
    void firstFailure_data();
    void firstFailure();

private:
    QString picture(const QString &name, int width, int height);
    SkinValues soundSkin();

    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingMessageSink m_messages;
};

void tst_SkinValues::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString tst_SkinValues::picture(const QString &name, int width, int height)
{
    const QString path = m_dir->filePath(name);
    return ImageFiles::writeFile(path, ImageFiles::plainBmp(width, height)) ? path : QString();
}

// The fields the three buttons that are always there and the background
// need, each filled soundly: the skin the checks pass.
SkinValues tst_SkinValues::soundSkin()
{
    SkinValues values;
    values.set(SkinFields::text(Sections::kView.image.text), picture(u"back.bmp"_s, 100, 80));
    for (const qint16 slot : {Slot::PlayButton, Slot::StopButton, Slot::CloseButton}) {
        const Sections::Section &button = sectionOf(slot);
        values.set(SkinFields::text(button.image.text), picture(u"b.bmp"_s, 10, 10));
        values.set(SkinFields::text(button.top), u"0"_s);
        values.set(SkinFields::text(button.left), u"32767"_s);
    }
    for (const Sections::Section &section : Sections::kSections) {
        values.set({Kind::SectionBox, section.check2}, u"0"_s);
    }
    return values;
}

// A record's value read into the values and written back: what the panels
// keep, and what they make of a value in another spelling.
void tst_SkinValues::recordsRoundTrip_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("member");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("written");
    const auto row = [](const char *tag, qint16 slot, const char *member, const QString &stored,
                        const QString &written) {
        QTest::newRow(tag) << int(slot) << QByteArray(member) << stored << written;
    };
    row("title", Slot::Theme, "Title", u"夏のスキン"_s, u"夏のスキン"_s);
    row("title bar, anything but False", Slot::View, "Titlebar", u"yes"_s, u"True"_s);
    row("drop-down list, anything but True", Slot::Playlist, "Dropdownvis", u"yes"_s, u"False"_s);
    row("colour in lower case", Slot::PlayButton, "Transcolor", u"#ff00aa"_s, u"#FF00AA"_s);
    row("font size an entry shows", Slot::TrackNameText, "Fontsize", u"012"_s, u"12"_s);
    // No entry shows it: the list shows nothing and the value stays.
    row("font size one below the entries", Slot::TrackNameText, "Fontsize", u"7"_s, u"7"_s);
    row("transparent track name", Slot::TrackNameText, "Backcolor", u"none"_s, u"none"_s);
    row("pressed picture", Slot::StopButton, "Downimage", u"s_d.bmp"_s, u"s_d.bmp"_s);
    row("no pressed picture", Slot::StopButton, "Downimage", QString(), QString());
    row("slider background", Slot::SeekSlider, "Hoverimage", u"track.bmp"_s, u"track.bmp"_s);
    row("video place", Slot::Video, "Top", u"44"_s, u"44"_s);
}

void tst_SkinValues::recordsRoundTrip()
{
    QFETCH(int, slot);
    QFETCH(QByteArray, member);
    QFETCH(QString, stored);
    QFETCH(QString, written);
    const ElementMember *property = elementMember(member);
    QVERIFY(property);
    clsFileControl opened(m_messages);
    initRecords(opened);
    (opened.getElement(qint16(slot)).get()->*property->set)(stored);
    // The track name's colour, which "none" does not replace in the values.
    SkinValues values;
    const FieldId back{Kind::Colour, Sections::kTrackName.backColor};
    values.set(back, u"#123456"_s);

    SkinRecords::fromRecords(opened, values);
    clsFileControl saved(m_messages);
    SkinRecords::toRecords(values, saved);

    QCOMPARE((saved.getElement(qint16(slot)).get()->*property->get)(), written);
    if (stored == u"none"_s) {
        QCOMPARE(values.value(back), u"#123456"_s);
    }
}

// A value the panels cannot show stops the load: the records before it are
// in the values, the ones after it are not.
void tst_SkinValues::refusesWhatThePanelsCannotShow_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("member");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("error");
    QTest::newRow("no colour") << int(Slot::View) << QByteArray("Transcolor") << u"#zz0000"_s
                               << int(AppError::TypeMismatch);
    QTest::newRow("font size of 16 bits and more")
        << int(Slot::TrackNameText) << QByteArray("Fontsize") << u"40000"_s
        << int(AppError::Overflow);
    QTest::newRow("scroll speed past the entries")
        << int(Slot::TrackNameText) << QByteArray("Scrollamt") << u"16"_s
        << int(AppError::InvalidArgument);
}

void tst_SkinValues::refusesWhatThePanelsCannotShow()
{
    QFETCH(int, slot);
    QFETCH(QByteArray, member);
    QFETCH(QString, stored);
    QFETCH(int, error);
    const ElementMember *property = elementMember(member);
    QVERIFY(property);
    clsFileControl opened(m_messages);
    initRecords(opened);
    (opened.getElement(qint16(slot)).get()->*property->set)(stored);
    opened.getElement(Slot::Theme)->setTitle(u"read before"_s);
    opened.getElement(Slot::Video)->setTop(u"12"_s);
    SkinValues values;
    const FieldId videoTop = SkinFields::text(Sections::kVideo.top);
    values.set(videoTop, u"kept"_s);
    try {
        SkinRecords::fromRecords(opened, values);
        QFAIL("a value the panels cannot show was taken");
    } catch (const AppError &failure) {
        QCOMPARE(failure.number(), error);
    }
    QCOMPARE(values.value(SkinFields::text(Sections::kTheme.title)), u"read before"_s);
    QCOMPARE(values.value(videoTop), u"kept"_s);
}

// A slider's size, direction and border come from its pictures and the
// length typed in its own direction.
void tst_SkinValues::sliderSizeFromItsPictures_data()
{
    QTest::addColumn<QSize>("thumb");        // empty: no thumb file
    QTest::addColumn<QSize>("background");   // empty: its box off
    QTest::addColumn<QString>("direction");  // the choice: "1" horizontal
    QTest::addColumn<QStringList>("record"); // height, width, direction, border
    QTest::newRow("horizontal") << QSize(12, 10) << QSize() << u"1"_s
                                << QStringList{u"10"_s, u"120"_s, u"horizontal"_s, u"6"_s};
    QTest::newRow("vertical") << QSize(9, 12) << QSize() << u"0"_s
                              << QStringList{u"80"_s, u"9"_s, u"vertical"_s, u"6"_s};
    QTest::newRow("odd thumb") << QSize(15, 10) << QSize() << u"1"_s
                               << QStringList{u"10"_s, u"120"_s, u"horizontal"_s, u"7.5"_s};
    QTest::newRow("background picture") << QSize(12, 10) << QSize(200, 14) << u"1"_s
                                        << QStringList{u"14"_s, u"200"_s, u"horizontal"_s, u"6"_s};
    QTest::newRow("no thumb") << QSize() << QSize() << u"1"_s
                              << QStringList{QString(), QString(), QString(), QString()};
}

void tst_SkinValues::sliderSizeFromItsPictures()
{
    QFETCH(QSize, thumb);
    QFETCH(QSize, background);
    QFETCH(QString, direction);
    QFETCH(QStringList, record);
    const Sections::Section &seek = sectionOf(Slot::SeekSlider);
    SkinValues values;
    values.set({Kind::SectionBox, seek.check2}, u"1"_s);
    values.set(SkinFields::text(seek.image.text),
               thumb.isEmpty() ? m_dir->filePath(u"gone.bmp"_s)
                               : picture(u"thumb.bmp"_s, thumb.width(), thumb.height()));
    values.set({Kind::ImageBox, seek.background.box}, background.isEmpty() ? u"0"_s : u"1"_s);
    if (!background.isEmpty()) {
        values.set(SkinFields::text(seek.background.text),
                   picture(u"track.bmp"_s, background.width(), background.height()));
    }
    values.set({Kind::Choice, seek.choice.on}, direction);
    values.set(SkinFields::text(seek.width), u"120"_s);
    values.set(SkinFields::text(seek.height), u"80"_s);

    clsFileControl saved(m_messages);
    SkinRecords::toRecords(values, saved);
    const clsElement &slider = *saved.getElement(Slot::SeekSlider);
    QCOMPARE((QStringList{slider.getHeight(), slider.getWidth(), slider.getDirection(),
                          slider.getBordersize()}),
             record);
}

// The save's check walks the fields the skin uses in order and stops at the
// first that fails, naming it.
void tst_SkinValues::firstFailure_data()
{
    QTest::addColumn<QStringList>("changes"); // "kind index value" each
    QTest::addColumn<int>("field");           // the field that fails; -1: none
    QTest::addColumn<QString>("words");       // in the message
    const Sections::Section &play = sectionOf(Slot::PlayButton);
    const Sections::Section &next = sectionOf(Slot::NextButton);
    const Sections::Section &seek = sectionOf(Slot::SeekSlider);
    const auto text = [](qint16 field, const QString &value) {
        return u"%1 %2 %3"_s.arg(int(Kind::Text)).arg(field).arg(value);
    };
    const auto set = [](Kind kind, qint16 index, const QString &value) {
        return u"%1 %2 %3"_s.arg(int(kind)).arg(index).arg(value);
    };
    QTest::newRow("sound") << QStringList() << -1 << QString();
    QTest::newRow("no background picture")
        << QStringList{text(Sections::kView.image.text, u"/nowhere/back.bmp"_s)}
        << int(Sections::kView.image.text) << Sections::kView.prefix.toString();
    QTest::newRow("empty place") << QStringList{text(play.top, QString())} << int(play.top)
                                 << u"位置を入力してください"_s;
    QTest::newRow("place past 32767")
        << QStringList{text(play.left, u"40000"_s)} << int(play.left) << u"LEFT"_s;
    QTest::newRow("section switched off")
        << QStringList{text(next.image.text, QString())} << -1 << QString();
    QTest::newRow("section switched on") << QStringList{set(Kind::SectionBox, next.check2, u"1"_s)}
                                         << int(next.image.text) << next.prefix.toString();
    QTest::newRow("vertical slider, its height")
        << QStringList{set(Kind::SectionBox, seek.check2, u"1"_s),
                       text(seek.image.text, u"%1/b.bmp"_s), text(seek.top, u"1"_s),
                       text(seek.left, u"1"_s), set(Kind::Choice, seek.choice.on, u"0"_s)}
        << int(seek.height) << u"位置を入力してください"_s;
    QTest::newRow("slider background switched on, its picture")
        << QStringList{set(Kind::SectionBox, seek.check2, u"1"_s),
                       text(seek.image.text, u"%1/b.bmp"_s),
                       set(Kind::ImageBox, seek.background.box, u"1"_s)}
        << int(seek.background.text) << seek.prefix.toString();
    QTest::newRow("pressed picture switched on")
        << QStringList{set(Kind::ImageBox, play.pressed.box, u"1"_s)} << int(play.pressed.text)
        << play.prefix.toString();
}

void tst_SkinValues::firstFailure()
{
    QFETCH(QStringList, changes);
    QFETCH(int, field);
    QFETCH(QString, words);
    SkinValues values = soundSkin();
    for (const QString &change : std::as_const(changes)) {
        const QStringList parts = change.split(u' ');
        values.set({Kind(parts.at(0).toInt()), qint16(parts.at(1).toInt())},
                   QString(parts.mid(2).join(u' ')).replace(u"%1"_s, m_dir->path()));
    }
    const std::optional<SkinChecks::Failure> failure = SkinChecks::firstFailure(values);
    QCOMPARE(failure ? int(failure->field) : -1, field);
    if (failure) {
        QVERIFY2(failure->message.contains(words), qPrintable(failure->message));
    } else {
        QVERIFY(!SkinChecks::usedImagePaths(values).isEmpty());
    }
}

QTEST_GUILESS_MAIN(tst_SkinValues)
#include "tst_skin_values.moc"
