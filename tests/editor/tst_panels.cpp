// Copying between the main window's panels and the skin document: round
// trips, the slider size rules on real image files, option and list loading,
// and the greyed look that loading leaves behind.
#include "NullArchiver.h"
#include "ProgramFolder.h"
#include "RecordingMessageSink.h"
#include "document/ElementTable.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "editor/LayoutTables.h"
#include "editor/WidgetColors.h"
#include "editor/frmMain.h"
#include "util/AppError.h"
#include "util/clsFunction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Property {
    const char *name;
    clsElement::Getter get;
    clsElement::Setter set;
};

#define VELMORA_PROPERTY(Name)                                                                     \
    {                                                                                              \
#Name, &clsElement::get##Name, &clsElement::set##Name                                      \
    }
const std::array<Property, 23> kProperties{{
    VELMORA_PROPERTY(Title),       VELMORA_PROPERTY(Author),       VELMORA_PROPERTY(Copyright),
    VELMORA_PROPERTY(Top),         VELMORA_PROPERTY(Left),         VELMORA_PROPERTY(Height),
    VELMORA_PROPERTY(Width),       VELMORA_PROPERTY(Upimage),      VELMORA_PROPERTY(Hoverimage),
    VELMORA_PROPERTY(Downimage),   VELMORA_PROPERTY(Disableimage), VELMORA_PROPERTY(Transcolor),
    VELMORA_PROPERTY(Titlebar),    VELMORA_PROPERTY(Bordersize),   VELMORA_PROPERTY(Direction),
    VELMORA_PROPERTY(Backcolor),   VELMORA_PROPERTY(Forecolor),    VELMORA_PROPERTY(Fontsize),
    VELMORA_PROPERTY(Listitemvis), VELMORA_PROPERTY(columnvis),    VELMORA_PROPERTY(Dropdownvis),
    VELMORA_PROPERTY(Scrolling),   VELMORA_PROPERTY(Scrollamt),
}};
#undef VELMORA_PROPERTY

// What each kind of element carries through the panels; the slider's sizes,
// direction and border are recomputed and checked on their own.
QStringList keptProperties(ElementFamily family)
{
    switch (family) {
    case ElementFamily::Theme:
        return {u"Title"_s, u"Author"_s, u"Copyright"_s};
    case ElementFamily::View:
        return {u"Upimage"_s, u"Titlebar"_s, u"Transcolor"_s};
    case ElementFamily::Button:
        return {u"Top"_s,        u"Left"_s,      u"Upimage"_s,
                u"Hoverimage"_s, u"Downimage"_s, u"Transcolor"_s};
    case ElementFamily::Slider:
        return {u"Top"_s, u"Left"_s, u"Upimage"_s, u"Hoverimage"_s, u"Transcolor"_s};
    case ElementFamily::Playlist:
        return {u"Top"_s,       u"Left"_s,      u"Height"_s,     u"Width"_s,
                u"Forecolor"_s, u"Backcolor"_s, u"Dropdownvis"_s};
    case ElementFamily::TrackName:
        return {u"Top"_s,       u"Left"_s,     u"Width"_s,     u"Forecolor"_s,
                u"Backcolor"_s, u"Fontsize"_s, u"Scrolling"_s, u"Scrollamt"_s};
    case ElementFamily::VideoEffects:
        return {u"Top"_s, u"Left"_s, u"Height"_s, u"Width"_s};
    }
    return {};
}

const QStringList kSliderComputed{u"Height"_s, u"Width"_s, u"Bordersize"_s, u"Direction"_s};

void writeImage(const QString &path, int width, int height, const char *format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 160));
    QVERIFY2(image.save(path, format), qPrintable(path));
}

// A BMP header alone, claiming the given size.
void writeBmpHeader(const QString &path, quint32 width, quint32 height)
{
    QByteArray bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    for (int i = 0; i < 4; ++i) {
        bytes[18 + i] = char((width >> (8 * i)) & 0xFF);
        bytes[22 + i] = char((height >> (8 * i)) & 0xFF);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString colourText(const QLabel *swatch)
{
    return clsFunction::getRRGGBB(WidgetColors::toWindowColor(WidgetColors::backColor(swatch)));
}

bool looksWhite(const QWidget *field)
{
    return WidgetColors::backColor(field) == WidgetColors::white();
}

bool looksGreyed(const QWidget *field)
{
    return WidgetColors::backColor(field) == WidgetColors::buttonFace();
}

enum class Choice { Titlebar, Dropdownvis, Scrolling };

} // namespace

class tst_Panels : public QObject {
    Q_OBJECT

private:
    RecordingMessageSink messages;
    std::unique_ptr<ProgramFolder> folder;
    std::unique_ptr<QTemporaryDir> images;
    std::unique_ptr<frmMain> window;

    clsElement &record(qint16 slot) { return *window->fileControl().getElement(slot); }
    QString image(const QString &name) const { return images->filePath(name); }

    // A record with a distinct text in every property and valid colours.
    std::shared_ptr<clsElement> distinctRecord(qint16 slot)
    {
        auto element = std::make_shared<clsElement>();
        for (const Property &p : kProperties) {
            (element.get()->*p.set)(u"s%1-%2"_s.arg(slot).arg(QLatin1StringView(p.name)));
        }
        element->setTranscolor(u"#1%1A0C3"_s.arg(slot % 10));
        element->setForecolor(u"#2%1B0D4"_s.arg(slot % 10));
        element->setBackcolor(u"#3%1C0E5"_s.arg(slot % 10));
        element->setTitlebar(u"True"_s);
        element->setDropdownvis(u"True"_s);
        element->setScrolling(u"False"_s);
        element->setFontsize(u"12"_s);
        element->setScrollamt(u"7"_s);
        element->setExistFlag(1);
        return element;
    }

private slots:
    void init()
    {
        messages.clear();
        folder = std::make_unique<ProgramFolder>();
        folder->writeModePictures();
        images = std::make_unique<QTemporaryDir>();
        window = std::make_unique<frmMain>(messages, folder->path(), usableArchiver);
        QVERIFY(window->Form_Load());
    }
    void cleanup()
    {
        window.reset();
        QVERIFY2(messages.messages.isEmpty(), "no message was expected");
    }

    void roundTripKeepsWhatThePanelsShow()
    {
        writeImage(image(u"thumb.bmp"_s), 15, 9, "BMP");
        writeImage(image(u"back.png"_s), 200, 16, "PNG");
        writeImage(image(u"vthumb.jpg"_s), 12, 20, "JPEG");
        std::array<std::shared_ptr<clsElement>, 20> originals;
        for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
            originals[std::size_t(slot)] = distinctRecord(slot);
            window->fileControl().setElement(originals[std::size_t(slot)], slot);
        }
        record(Slot::SeekSlider).setUpimage(image(u"thumb.bmp"_s));
        record(Slot::SeekSlider).setHoverimage(QString());
        record(Slot::SeekSlider).setDirection(u"horizontal"_s);
        record(Slot::SeekSlider).setWidth(u"200"_s);
        record(Slot::VolumeSlider).setUpimage(image(u"thumb.bmp"_s));
        record(Slot::VolumeSlider).setHoverimage(image(u"back.png"_s));
        record(Slot::VolumeSlider).setDirection(u"horizontal"_s);
        record(Slot::BalanceSlider).setUpimage(image(u"vthumb.jpg"_s));
        record(Slot::BalanceSlider).setHoverimage(QString());
        record(Slot::BalanceSlider).setDirection(u"vertical"_s);
        record(Slot::BalanceSlider).setHeight(u"150"_s);

        window->loadPanels();
        window->savePanels();

        for (const ElementSlot &slot : kElementSlots) {
            const clsElement &saved = record(slot.index);
            // Effects takes the video record: one panel governs both.
            const qint16 source = slot.index == Slot::Effects ? Slot::Video : slot.index;
            const clsElement &original = *originals[std::size_t(source)];
            QVERIFY(&saved != &original);
            const bool alwaysWritten =
                slot.family == ElementFamily::Theme || slot.family == ElementFamily::View;
            QCOMPARE(saved.getExistFlag(), qint16(alwaysWritten ? 0 : 1));
            const QStringList kept = keptProperties(slot.family);
            for (const Property &p : kProperties) {
                const QString name = QLatin1StringView(p.name);
                if (slot.family == ElementFamily::Slider && kSliderComputed.contains(name)) {
                    continue;
                }
                const QString expected = kept.contains(name) ? (original.*p.get)() : QString();
                QVERIFY2((saved.*p.get)() == expected,
                         qPrintable(
                             u"slot %1 %2: %3"_s.arg(slot.index).arg(name).arg((saved.*p.get)())));
            }
        }
        // Recomputed from the image files, not copied.
        const std::array<std::array<QString, 5>, 3> sliders{{
            {u"14"_s, u"9"_s, u"200"_s, u"7.5"_s, u"horizontal"_s},
            {u"13"_s, u"16"_s, u"200"_s, u"7.5"_s, u"horizontal"_s},
            {u"15"_s, u"150"_s, u"12"_s, u"10"_s, u"vertical"_s},
        }};
        for (const auto &row : sliders) {
            const clsElement &saved = record(qint16(row[0].toInt()));
            QCOMPARE(saved.getHeight(), row[1]);
            QCOMPARE(saved.getWidth(), row[2]);
            QCOMPARE(saved.getBordersize(), row[3]);
            QCOMPARE(saved.getDirection(), row[4]);
        }
        QCOMPARE(window->fileControl().getElement(Slot::Effects),
                 window->fileControl().getElement(Slot::Video));
        QCOMPARE(record(Slot::Effects).getTop(), originals[Slot::Video]->getTop());
    }

    void presenceFlagsOnSave()
    {
        for (qint16 slot : {Slot::Theme, Slot::View}) {
            record(slot).setExistFlag(1);
        }
        for (qint16 slot : {Slot::PlayButton, Slot::StopButton, Slot::CloseButton}) {
            record(slot).setExistFlag(0);
        }
        record(Slot::NextButton).setExistFlag(1);
        // Only 1 means present; 2 shows unchecked and is saved as absent.
        record(Slot::PrevButton).setExistFlag(2);
        window->loadPanels();
        QVERIFY(window->Check2[0]->isChecked());
        QVERIFY(!window->Check2[1]->isChecked());
        window->savePanels();
        QCOMPARE(record(Slot::Theme).getExistFlag(), qint16(0));
        QCOMPARE(record(Slot::View).getExistFlag(), qint16(0));
        for (qint16 slot : {Slot::PlayButton, Slot::StopButton, Slot::CloseButton}) {
            QCOMPARE(record(slot).getExistFlag(), qint16(1));
        }
        QCOMPARE(record(Slot::NextButton).getExistFlag(), qint16(1));
        QCOMPARE(record(Slot::PrevButton).getExistFlag(), qint16(0));
    }

    void switchedOffImageIsDropped()
    {
        // Repeat button: pressed image 47 with box 16, hover image 46 with box 17.
        record(Slot::RepeatButton).setExistFlag(1);
        record(Slot::RepeatButton).setDownimage(u"down.bmp"_s);
        record(Slot::RepeatButton).setHoverimage(QString());
        window->loadPanels();
        QVERIFY(window->Check1[16]->isChecked());
        QVERIFY(!window->Check1[17]->isChecked());
        QVERIFY(!window->Text1[46]->isEnabled());
        QVERIFY(looksGreyed(window->Text1[46]));

        window->Text1[46]->setText(u"typed.bmp"_s);
        window->savePanels();
        QCOMPARE(record(Slot::RepeatButton).getHoverimage(), QString());
        QCOMPARE(record(Slot::RepeatButton).getDownimage(), u"down.bmp"_s);

        window->Check1[16]->setChecked(false);
        window->savePanels();
        QCOMPARE(record(Slot::RepeatButton).getDownimage(), QString());
        QCOMPARE(window->Text1[47]->text(), u"down.bmp"_s); // the field keeps its text
    }

    void sliderSizes_data()
    {
        QTest::addColumn<QString>("thumb"); // "" : no file at that path
        QTest::addColumn<QSize>("thumbSize");
        QTest::addColumn<QSize>("backgroundSize"); // empty: no background image
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<QString>("heightField");
        QTest::addColumn<QString>("widthField");
        QTest::addColumn<QStringList>("expected"); // Height, Width, Bordersize, Direction

        QTest::newRow("horizontal 15x9")
            << u"t.bmp"_s << QSize(15, 9) << QSize() << true << true << u"77"_s << u"200"_s
            << QStringList{u"9"_s, u"200"_s, u"7.5"_s, u"horizontal"_s};
        QTest::newRow("vertical 12x20")
            << u"t.png"_s << QSize(12, 20) << QSize() << true << false << u"150"_s << u"88"_s
            << QStringList{u"150"_s, u"12"_s, u"10"_s, u"vertical"_s};
        QTest::newRow("background 200x16 wins over the fields")
            << u"t.jpg"_s << QSize(15, 9) << QSize(200, 16) << true << true << u"5"_s << u"6"_s
            << QStringList{u"16"_s, u"200"_s, u"7.5"_s, u"horizontal"_s};
        QTest::newRow("background, vertical")
            << u"t.bmp"_s << QSize(12, 21) << QSize(200, 16) << true << false << u"5"_s << u"6"_s
            << QStringList{u"16"_s, u"200"_s, u"10.5"_s, u"vertical"_s};
        QTest::newRow("switched off")
            << u"t.bmp"_s << QSize(15, 9) << QSize() << false << true << u"77"_s << u"200"_s
            << QStringList{QString(), QString(), QString(), QString()};
        QTest::newRow("thumb missing")
            << QString() << QSize() << QSize() << true << true << u"77"_s << u"200"_s
            << QStringList{QString(), QString(), QString(), QString()};
        QTest::newRow("thumb is no image")
            << u"t.txt"_s << QSize() << QSize() << true << true << u"77"_s << u"200"_s
            << QStringList{u"0"_s, u"200"_s, u"0"_s, u"horizontal"_s};
    }
    void sliderSizes()
    {
        QFETCH(QString, thumb);
        QFETCH(QSize, thumbSize);
        QFETCH(QSize, backgroundSize);
        QFETCH(bool, present);
        QFETCH(bool, horizontal);
        QFETCH(QString, heightField);
        QFETCH(QString, widthField);
        QFETCH(QStringList, expected);

        QString thumbPath = image(u"missing.bmp"_s);
        if (thumb.endsWith(u".txt"_s)) {
            thumbPath = image(thumb);
            QFile text(thumbPath);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write("not a picture at all");
        } else if (!thumb.isEmpty()) {
            thumbPath = image(thumb);
            const QByteArray format = QFileInfo(thumb).suffix().toUpper().toLatin1();
            writeImage(thumbPath, thumbSize.width(), thumbSize.height(), format.constData());
        }
        // Seek slider: thumb 54, background 55 (box 20), height 78, width 77,
        // options 2 / 3, swatch 10, existence box 7.
        window->Check2[7]->setChecked(present);
        window->Text1[54]->setText(thumbPath);
        if (backgroundSize.isValid()) {
            writeImage(image(u"back.bmp"_s), backgroundSize.width(), backgroundSize.height(),
                       "BMP");
            window->Check1[20]->setChecked(true);
            window->Text1[55]->setText(image(u"back.bmp"_s));
        }
        window->Text1[78]->setText(heightField);
        window->Text1[77]->setText(widthField);
        window->Option1[horizontal ? 2 : 3]->setChecked(true);
        WidgetColors::setBackColor(window->Label2[10], QColor(0x12, 0xAB, 0x3C));

        window->savePanels();
        const clsElement &saved = record(Slot::SeekSlider);
        QCOMPARE(saved.getHeight(), expected[0]);
        QCOMPARE(saved.getWidth(), expected[1]);
        QCOMPARE(saved.getBordersize(), expected[2]);
        QCOMPARE(saved.getDirection(), expected[3]);
        QCOMPARE(saved.getTranscolor(), expected[3].isEmpty() ? QString() : u"#12AB3C"_s);
        QCOMPARE(saved.getExistFlag(), qint16(present ? 1 : 0));
        QCOMPARE(saved.getUpimage(), thumbPath);
    }

    void thumbTooWideFailsTheSave()
    {
        writeBmpHeader(image(u"wide.bmp"_s), 40000, 9);
        window->Check2[7]->setChecked(true);
        window->Text1[54]->setText(image(u"wide.bmp"_s));
        try {
            window->savePanels();
            QFAIL("a 40000 pixel thumb was taken");
        } catch (const AppError &error) {
            QCOMPARE(error.number(), int(AppError::Overflow));
        }
    }

    void choices_data()
    {
        QTest::addColumn<Choice>("choice");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("saved");

        const struct {
            Choice choice;
            const char *name;
            int first, second;
        } choices[] = {{Choice::Titlebar, "Titlebar", 1, 0},
                       {Choice::Dropdownvis, "Dropdownvis", 8, 9},
                       {Choice::Scrolling, "Scrolling", 10, 11}};
        for (const auto &c : choices) {
            // The title bar shows unless the text is exactly "False"; the
            // others switch on only for exactly "True".
            const bool titlebar = c.choice == Choice::Titlebar;
            for (const QString &text : {u"True"_s, u"true"_s, QString(), u"False"_s}) {
                const bool on = titlebar ? text != u"False"_s : text == u"True"_s;
                QTest::addRow("%s %s", c.name, qPrintable(text.isEmpty() ? u"(empty)"_s : text))
                    << c.choice << text << (on ? c.first : c.second)
                    << (on ? u"True"_s : u"False"_s);
            }
        }
    }
    void choices()
    {
        QFETCH(Choice, choice);
        QFETCH(QString, text);
        QFETCH(int, selected);
        QFETCH(QString, saved);

        const std::array<std::pair<qint16, clsElement::Setter>, 3> setters{{
            {Slot::View, &clsElement::setTitlebar},
            {Slot::Playlist, &clsElement::setDropdownvis},
            {Slot::TrackNameText, &clsElement::setScrolling},
        }};
        const std::array<clsElement::Getter, 3> getters{
            &clsElement::getTitlebar, &clsElement::getDropdownvis, &clsElement::getScrolling};
        const auto [slot, set] = setters.at(static_cast<std::size_t>(choice));
        // Start from the other choice, so the load has to move the selection.
        (record(slot).*set)(saved == u"True"_s ? (slot == Slot::View ? u"False"_s : u"x"_s)
                                               : u"True"_s);
        window->loadPanels();
        QVERIFY(!window->Option1[selected]->isChecked());

        (record(slot).*set)(text);
        window->loadPanels();
        QVERIFY(window->Option1[selected]->isChecked());
        window->savePanels();
        QCOMPARE((record(slot).*getters.at(static_cast<std::size_t>(choice)))(), saved);
    }

    void transparentTrackBackground()
    {
        record(Slot::TrackNameText).setBackcolor(u"#12AB3C"_s);
        window->loadPanels();
        QVERIFY(window->Option1[12]->isChecked());
        QCOMPARE(colourText(window->Label2[15]), u"#12AB3C"_s);
        window->savePanels();
        QCOMPARE(record(Slot::TrackNameText).getBackcolor(), u"#12AB3C"_s);

        // As opening a file does: defaults first, then the file's values.
        window->initAllElements();
        record(Slot::TrackNameText).setBackcolor(u"none"_s);
        window->loadPanels();
        QVERIFY(window->Option1[13]->isChecked());
        QCOMPARE(colourText(window->Label2[15]), u"#12AB3C"_s); // kept for later
        window->savePanels();
        QCOMPARE(record(Slot::TrackNameText).getBackcolor(), u"none"_s);

        window->Option1[12]->setChecked(true);
        window->savePanels();
        QCOMPARE(record(Slot::TrackNameText).getBackcolor(), u"#12AB3C"_s);
    }

    void noneIsNoColourElsewhere()
    {
        record(Slot::Playlist).setForecolor(u"none"_s);
        try {
            window->loadPanels();
            QFAIL("\"none\" was taken as a colour");
        } catch (const AppError &error) {
            QCOMPARE(error.number(), int(AppError::TypeMismatch));
        }
    }

    void listPositions_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position"); // -1: no selection
        QTest::addColumn<int>("error");    // 0: loads

        QTest::newRow("font 8 first") << 0 << u"8"_s << 0 << 0;
        QTest::newRow("font 20 last") << 0 << u"20"_s << 12 << 0;
        QTest::newRow("font with blanks") << 0 << u" 12 "_s << 4 << 0;
        QTest::newRow("font 10.5 to even") << 0 << u"10.5"_s << 2 << 0;
        QTest::newRow("font 7 no selection") << 0 << u"7"_s << -1 << 0;
        QTest::newRow("font 21") << 0 << u"21"_s << 0 << int(AppError::InvalidArgument);
        QTest::newRow("font 6") << 0 << u"6"_s << 0 << int(AppError::InvalidArgument);
        QTest::newRow("font abc") << 0 << u"abc"_s << 0 << int(AppError::TypeMismatch);
        QTest::newRow("font empty") << 0 << QString() << 0 << int(AppError::TypeMismatch);
        QTest::newRow("font 40000") << 0 << u"40000"_s << 0 << int(AppError::Overflow);
        QTest::newRow("speed 1") << 1 << u"1"_s << 0 << 0;
        QTest::newRow("speed 15") << 1 << u"15"_s << 14 << 0;
        QTest::newRow("speed 0 no selection") << 1 << u"0"_s << -1 << 0;
        QTest::newRow("speed 16") << 1 << u"16"_s << 0 << int(AppError::InvalidArgument);
        QTest::newRow("speed -1") << 1 << u"-1"_s << 0 << int(AppError::InvalidArgument);
    }
    void listPositions()
    {
        QFETCH(int, list);
        QFETCH(QString, text);
        QFETCH(int, position);
        QFETCH(int, error);

        // A good load first, so a failing one can be seen to leave it alone.
        clsElement &track = record(Slot::TrackNameText);
        track.setScrolling(u"True"_s);
        track.setScrollamt(u"5"_s);
        track.setFontsize(u"10"_s);
        record(Slot::Video).setTop(u"11"_s);
        window->loadPanels();

        track.setScrolling(u"False"_s);
        (track.*(list == 0 ? &clsElement::setFontsize : &clsElement::setScrollamt))(text);
        if (list == 0) {
            track.setScrollamt(u"9"_s);
        }
        record(Slot::Video).setTop(u"99"_s);

        if (error == 0) {
            window->loadPanels();
            QCOMPARE(window->Combo1[list]->currentIndex(), position);
            QCOMPARE(window->Text1[76]->text(), u"99"_s);
            window->savePanels();
            const QString saved = list == 0 ? record(Slot::TrackNameText).getFontsize()
                                            : record(Slot::TrackNameText).getScrollamt();
            QCOMPARE(saved, position < 0 ? QString() : QString::number(position + 8 - 7 * list));
            return;
        }
        try {
            window->loadPanels();
            QFAIL("the list took a position it does not have");
        } catch (const AppError &failure) {
            QCOMPARE(failure.number(), error);
        }
        // The load stopped at the list: what follows keeps its contents.
        QCOMPARE(window->Option1[10]->isChecked(), list == 0);
        QCOMPARE(window->Combo1[1]->currentText(), u"5"_s);
        QCOMPARE(window->Text1[76]->text(), u"11"_s);
    }

    void videoSharesOneRecord()
    {
        record(Slot::Video).setTop(u"18"_s);
        record(Slot::Effects).setTop(u"19"_s);
        window->loadPanels();
        QCOMPARE(window->Text1[76]->text(), u"18"_s);
        window->Check2[12]->setChecked(true);
        window->savePanels();
        QCOMPARE(window->fileControl().getElement(Slot::Effects).get(), &record(Slot::Video));
        QCOMPARE(record(Slot::Effects).getTop(), u"18"_s);
        QCOMPARE(record(Slot::Effects).getExistFlag(), qint16(1));
    }

    void buttonLookFollowsLoadedValues_data()
    {
        QTest::addColumn<int>("row"); // of the layout's button frames
        for (int i = 0; i < int(Layout::kButtonFrames.size()); ++i) {
            if (Layout::kButtonFrames[i].check2 >= 0) {
                QTest::addRow("frame %d", Layout::kButtonFrames[i].frame) << i;
            }
        }
    }
    void buttonLookFollowsLoadedValues()
    {
        QFETCH(int, row);
        const Layout::ButtonFrameRow &b = Layout::kButtonFrames[row];
        const qint16 slot = qint16(Slot::PlayButton + row);
        clsElement &element = record(slot);
        element.setDownimage(u"down.bmp"_s);
        element.setHoverimage(QString());

        // Switched off with a pressed image: nothing in the section is white,
        // although the image's own box turns on during the load.
        element.setExistFlag(0);
        window->loadPanels();
        QVERIFY(!window->Frame1[b.frame]->isEnabled());
        QVERIFY(window->Check1[b.downBox]->isChecked());
        for (int field : {b.upText, b.downText, b.hoverText, b.topText, b.leftText}) {
            QVERIFY2(looksGreyed(window->Text1[field]), qPrintable(QString::number(field)));
        }

        element.setExistFlag(1);
        window->loadPanels();
        QVERIFY(window->Frame1[b.frame]->isEnabled());
        for (int field : {b.upText, b.downText, b.topText, b.leftText}) {
            QVERIFY2(looksWhite(window->Text1[field]), qPrintable(QString::number(field)));
        }
        QVERIFY(window->Text1[b.downText]->isEnabled());
        QVERIFY(window->Command2[b.downButton]->isEnabled());
        QVERIFY(looksGreyed(window->Text1[b.hoverText]));
        QVERIFY(!window->Text1[b.hoverText]->isEnabled());
        QVERIFY(!window->Command2[b.hoverButton]->isEnabled());

        element.setExistFlag(0);
        window->loadPanels();
        QVERIFY(!window->Frame1[b.frame]->isEnabled());
        QVERIFY(looksGreyed(window->Text1[b.downText]));
    }

    void sliderLookFollowsLoadedValues()
    {
        for (const Layout::SliderFrameRow &s : Layout::kSliderFrames) {
            const qint16 slot = s.check2 == 7   ? Slot::SeekSlider
                                : s.check2 == 8 ? Slot::VolumeSlider
                                                : Slot::BalanceSlider;
            record(slot).setHoverimage(u"back.bmp"_s);
            record(slot).setExistFlag(0);
            window->loadPanels();
            QVERIFY(window->Check1[s.backBox]->isChecked());
            QVERIFY(looksGreyed(window->Text1[s.backText]));
            QVERIFY(!window->Frame1[s.frame]->isEnabled());

            record(slot).setExistFlag(1);
            window->loadPanels();
            QVERIFY(looksWhite(window->Text1[s.backText]));
            QVERIFY(window->Frame1[s.frame]->isEnabled());
            QVERIFY(window->Option1[s.horizontalOption]->isChecked());
        }
        for (auto [slot, frame] :
             {std::pair{Slot::Playlist, 15}, {Slot::TrackNameText, 16}, {Slot::Video, 17}}) {
            QVERIFY(!window->Frame1[frame]->isEnabled());
            record(slot).setExistFlag(1);
            window->loadPanels();
            QVERIFY(window->Frame1[frame]->isEnabled());
        }
    }

    // Each element's values land in the fields of its own frame, in the rows
    // the layout gives them, so a slip in a field number shows here.
    void valuesLandInTheirOwnFrame()
    {
        for (qint16 slot = Slot::PlayButton; slot <= Slot::BalanceSlider; ++slot) {
            auto element = distinctRecord(slot);
            element->setTranscolor(u"#0000%1"_s.arg(slot, 2, 16, QChar(u'0')).toUpper());
            element->setExistFlag(slot % 2); // neighbours differ
            window->fileControl().setElement(element, slot);
        }
        window->loadPanels();
        for (qint16 slot = Slot::PlayButton; slot <= Slot::BalanceSlider; ++slot) {
            const clsElement &element = record(slot);
            QList<QLineEdit *> fields;
            for (clsElement::Getter get : {&clsElement::getUpimage, &clsElement::getTop,
                                           &clsElement::getLeft, &clsElement::getHoverimage}) {
                QLineEdit *found = nullptr;
                for (QLineEdit *field : window->Text1) {
                    if (field->text() == (element.*get)()) {
                        QVERIFY2(found == nullptr, "one value in two fields");
                        found = field;
                    }
                }
                QVERIFY2(found != nullptr, qPrintable((element.*get)()));
                fields.append(found);
            }
            QWidget *frame = fields[0]->parentWidget();
            QVERIFY(qobject_cast<QGroupBox *>(frame) != nullptr);
            for (QLineEdit *field : fields) {
                QCOMPARE(field->parentWidget(), frame);
            }
            int swatches = 0;
            for (QLabel *swatch : window->Label2) {
                if (colourText(swatch) == element.getTranscolor()) {
                    QCOMPARE(swatch->parentWidget(), frame);
                    ++swatches;
                }
            }
            QCOMPARE(swatches, 1);
            if (slot >= Slot::NextButton) {
                // The existence box heads this very frame.
                const auto heading =
                    std::find_if(Layout::kCheck2Headings.begin(), Layout::kCheck2Headings.end(),
                                 [frame, this](const Layout::Check2Row &row) {
                                     return window->Frame1[row.frame] == frame;
                                 });
                QVERIFY(heading != Layout::kCheck2Headings.end());
                QCOMPARE(window->Check2[heading - Layout::kCheck2Headings.begin()]->isChecked(),
                         slot % 2 == 1);
            }
            // The up row lies above the hover row; TOP and LEFT each stand
            // right of their own caption.
            QVERIFY(fields[0]->y() < fields[3]->y());
            const auto caption = [frame](const QString &text) {
                for (QLabel *label : frame->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
                    if (label->text() == text) {
                        return label->x();
                    }
                }
                return -1;
            };
            const int topCaption = caption(u"TOP"_s);
            const int leftCaption = caption(u"LEFT"_s);
            QVERIFY(topCaption >= 0 && topCaption < leftCaption);
            QVERIFY(fields[1]->x() > topCaption && fields[1]->x() < leftCaption);
            QVERIFY(fields[2]->x() > leftCaption);
            if (slot >= Slot::VolumeSlider) {
                // Height and width: the row below TOP and LEFT, height first.
                QLineEdit *height = nullptr;
                QLineEdit *width = nullptr;
                for (QLineEdit *field : window->Text1) {
                    if (field->text() == element.getHeight()) {
                        height = field;
                    } else if (field->text() == element.getWidth()) {
                        width = field;
                    }
                }
                QVERIFY(height && width);
                QCOMPARE(height->parentWidget(), frame);
                QCOMPARE(width->parentWidget(), frame);
                QVERIFY(height->y() > fields[1]->y());
                QCOMPARE(height->x(), fields[1]->x());
                QCOMPARE(width->x(), fields[2]->x());
            }
        }
    }
};

QTEST_MAIN(tst_Panels)
#include "tst_panels.moc"
