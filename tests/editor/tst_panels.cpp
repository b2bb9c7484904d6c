// Copying between the main window's panels and the skin document: round
// trips, the slider size rules on real image files, option and list loading,
// and the greyed look that loading leaves behind.
#include "EditorFixture.h"
#include "ElementMembers.h"
#include "ScriptedDialogs.h"
#include "document/ElementTable.h"
#include "document/clsFileControl.h"
#include "editor/panels/LayoutTables.h"
#include "util/AppError.h"
#include "util/clsFunction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

// What each kind of element carries through the panels, in the order of
// ElementFamily; the slider's sizes, direction and border are recomputed and
// checked on their own.
QStringList keptProperties(ElementFamily family)
{
    static const char *const kept[] = {
        "Title Author Copyright",
        "Upimage Titlebar Transcolor",
        "Top Left Upimage Hoverimage Downimage Transcolor",
        "Top Left Upimage Hoverimage Transcolor",
        "Top Left Height Width Forecolor Backcolor Dropdownvis",
        "Top Left Width Forecolor Backcolor Fontsize Scrolling Scrollamt",
        "Top Left Height Width",
    };
    return QString::fromLatin1(kept[int(family)]).split(u' ');
}

const QStringList kSliderComputed{u"Height"_s, u"Width"_s, u"Bordersize"_s, u"Direction"_s};

void writeImage(const QString &path, int width, int height, const char *format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 160));
    QVERIFY2(image.save(path, format), qPrintable(path));
}

// A thumb file: a real picture of that size, a BMP header alone when the
// size is too large to draw, or no picture at all for ".txt".
void writeThumb(const QString &path, QSize size)
{
    if (!path.endsWith(u".txt"_s) && size.width() < 10000) {
        writeImage(path, size.width(), size.height(),
                   QFileInfo(path).suffix().toUpper().toLatin1().constData());
        return;
    }
    QByteArray bytes = "not a picture at all";
    if (!path.endsWith(u".txt"_s)) {
        bytes = QByteArray("BM").leftJustified(54, '\0');
        qToLittleEndian<quint32>(quint32(size.width()), bytes.data() + 18);
        qToLittleEndian<quint32>(quint32(size.height()), bytes.data() + 22);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString colourText(const QLabel *swatch)
{
    return clsFunction::getRRGGBB(WidgetColors::toWindowColor(WidgetColors::backColor(swatch)));
}

// A "True"/"False" property shown as a pair of option buttons.
struct ChoiceField {
    const char *name;
    qint16 slot;
    clsElement::Setter set;
    clsElement::Getter get;
    int first, second; // the option selected for "True" and for "False"
};
const ChoiceField kChoices[] = {
    {"Titlebar", Slot::View, &clsElement::setTitlebar, &clsElement::getTitlebar, 1, 0},
    {"Dropdownvis", Slot::Playlist, &clsElement::setDropdownvis, &clsElement::getDropdownvis, 8, 9},
    {"Scrolling", Slot::TrackNameText, &clsElement::setScrolling, &clsElement::getScrolling, 10,
     11},
};

} // namespace

class tst_Panels : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StartedEditor> editor;
    std::unique_ptr<QTemporaryDir> images;
    frmMain *window = nullptr;
    ScriptedDialogs dialogs;

    clsElement &record(qint16 slot) { return *hooks(*window).fileControl().getElement(slot); }
    QString image(const QString &name) const { return images->filePath(name); }

    // A record with a distinct text in every property and valid colours.
    std::shared_ptr<clsElement> distinctRecord(qint16 slot)
    {
        auto element = std::make_shared<clsElement>();
        for (const ElementMember &m : kElementMembers) {
            (element.get()->*m.set)(u"s%1-%2"_s.arg(slot).arg(QLatin1StringView(m.name)));
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
        editor = std::make_unique<StartedEditor>(usableArchiver);
        window = &editor->window;
        images = std::make_unique<QTemporaryDir>();
        hooks(*window).setDialogProvider(dialogs);
        QVERIFY(window->Form_Load());
    }
    void cleanup()
    {
        QVERIFY2(editor->messages.messages.isEmpty(), "no message was expected");
        editor.reset();
    }

    void roundTripKeepsWhatThePanelsShow()
    {
        writeImage(image(u"thumb.bmp"_s), 15, 9, "BMP");
        std::array<std::shared_ptr<clsElement>, 20> originals;
        for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
            originals[std::size_t(slot)] = distinctRecord(slot);
            hooks(*window).fileControl().setElement(originals[std::size_t(slot)], slot);
        }
        // Sliders need a thumb to keep their colour; their sizes are the
        // business of sliderSizes.
        for (qint16 slot : {Slot::VolumeSlider, Slot::SeekSlider, Slot::BalanceSlider}) {
            record(slot).setUpimage(image(u"thumb.bmp"_s));
        }

        hooks(*window).loadPanels();
        hooks(*window).savePanels();

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
            for (const ElementMember &m : kElementMembers) {
                const QString name = QLatin1StringView(m.name);
                if (slot.family == ElementFamily::Slider && kSliderComputed.contains(name)) {
                    continue;
                }
                const QString expected = kept.contains(name) ? (original.*m.get)() : QString();
                QVERIFY2((saved.*m.get)() == expected,
                         qPrintable(
                             u"slot %1 %2: %3"_s.arg(slot.index).arg(name).arg((saved.*m.get)())));
            }
        }
        QCOMPARE(hooks(*window).fileControl().getElement(Slot::Effects),
                 hooks(*window).fileControl().getElement(Slot::Video));
        QCOMPARE(record(Slot::Effects).getTop(), originals[Slot::Video]->getTop());
    }

    void presenceFlagsOnSave()
    {
        const QList<qint16> alwaysThere{Slot::PlayButton, Slot::StopButton, Slot::CloseButton};
        for (qint16 slot : {Slot::Theme, Slot::View, Slot::NextButton}) {
            record(slot).setExistFlag(1);
        }
        for (qint16 slot : alwaysThere) {
            record(slot).setExistFlag(0);
        }
        // Only 1 means present; 2 shows unchecked and is saved as absent.
        record(Slot::PrevButton).setExistFlag(2);
        hooks(*window).loadPanels();
        QVERIFY(hooks(*window).Check2(0)->isChecked());
        QVERIFY(!hooks(*window).Check2(1)->isChecked());
        hooks(*window).savePanels();
        for (qint16 slot = Slot::Theme; slot <= Slot::PrevButton; ++slot) {
            const bool present = alwaysThere.contains(slot) || slot == Slot::NextButton;
            QCOMPARE(record(slot).getExistFlag(), qint16(present ? 1 : 0));
        }
    }

    void switchedOffImageIsDropped()
    {
        // Repeat button: pressed image 47 with box 16, hover image 46 with box 17.
        record(Slot::RepeatButton).setExistFlag(1);
        record(Slot::RepeatButton).setDownimage(u"down.bmp"_s);
        record(Slot::RepeatButton).setHoverimage(QString());
        hooks(*window).loadPanels();
        QVERIFY(hooks(*window).Check1(16)->isChecked());
        QVERIFY(!hooks(*window).Check1(17)->isChecked());
        QVERIFY(!hooks(*window).Text1(46)->isEnabled());
        QVERIFY(looksGrey(hooks(*window).Text1(46)));

        hooks(*window).Text1(46)->setText(u"typed.bmp"_s);
        hooks(*window).savePanels();
        QCOMPARE(record(Slot::RepeatButton).getHoverimage(), QString());
        QCOMPARE(record(Slot::RepeatButton).getDownimage(), u"down.bmp"_s);

        hooks(*window).Check1(16)->setChecked(false);
        hooks(*window).savePanels();
        QCOMPARE(record(Slot::RepeatButton).getDownimage(), QString());
        QCOMPARE(hooks(*window).Text1(47)->text(), u"down.bmp"_s); // the field keeps its text
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
        // Height, Width, Bordersize, Direction; or the error number alone.
        QTest::addColumn<QStringList>("expected");

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
        QTest::newRow("thumb too wide for 16 bits")
            << u"t.bmp"_s << QSize(40000, 9) << QSize() << true << true << u"77"_s << u"200"_s
            << QStringList{QString::number(AppError::Overflow)};
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

        const QString thumbPath = image(thumb.isEmpty() ? u"missing.bmp"_s : thumb);
        if (!thumb.isEmpty()) {
            writeThumb(thumbPath, thumbSize);
        }
        // Seek slider: thumb 54, background 55 (box 20), height 78, width 77,
        // options 2 / 3, swatch 10, existence box 7.
        hooks(*window).Check2(7)->setChecked(present);
        hooks(*window).Text1(54)->setText(thumbPath);
        if (backgroundSize.isValid()) {
            writeImage(image(u"back.bmp"_s), backgroundSize.width(), backgroundSize.height(),
                       "BMP");
            hooks(*window).Check1(20)->setChecked(true);
            hooks(*window).Text1(55)->setText(image(u"back.bmp"_s));
        }
        hooks(*window).Text1(78)->setText(heightField);
        hooks(*window).Text1(77)->setText(widthField);
        hooks(*window).Option1(horizontal ? 2 : 3)->setChecked(true);
        // #12AB3C, picked in the colour dialog as a person picks it.
        hooks(*window).imgMenu(3)->click();
        dialogs.colorAnswers = {0x3CAB12};
        QTest::mouseClick(hooks(*window).Label2(10), Qt::LeftButton);

        if (expected.size() == 1) {
            try {
                hooks(*window).savePanels();
                QFAIL("the save took a size it cannot hold");
            } catch (const AppError &error) {
                QCOMPARE(QString::number(error.number()), expected[0]);
            }
            return;
        }
        hooks(*window).savePanels();
        const clsElement &saved = record(Slot::SeekSlider);
        QCOMPARE(saved.getHeight(), expected[0]);
        QCOMPARE(saved.getWidth(), expected[1]);
        QCOMPARE(saved.getBordersize(), expected[2]);
        QCOMPARE(saved.getDirection(), expected[3]);
        QCOMPARE(saved.getTranscolor(), expected[3].isEmpty() ? QString() : u"#12AB3C"_s);
        QCOMPARE(saved.getExistFlag(), qint16(present ? 1 : 0));
        QCOMPARE(saved.getUpimage(), thumbPath);
    }

    void choices_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("on");
        for (int c = 0; c < 3; ++c) {
            // The title bar shows unless the text is exactly "False"; the
            // others switch on only for exactly "True".
            for (const QString &text : {u"True"_s, u"true"_s, QString(), u"False"_s}) {
                const bool on = c == 0 ? text != u"False"_s : text == u"True"_s;
                QTest::addRow("%s %s", kChoices[c].name,
                              qPrintable(text.isEmpty() ? u"(empty)"_s : text))
                    << c << text << on;
            }
        }
    }
    void choices()
    {
        QFETCH(int, choice);
        QFETCH(QString, text);
        QFETCH(bool, on);
        const ChoiceField &c = kChoices[choice];
        const int selected = on ? c.first : c.second;
        // Start from the other choice, so the load has to move the selection.
        (record(c.slot).*c.set)(on ? (choice == 0 ? u"False"_s : u"x"_s) : u"True"_s);
        hooks(*window).loadPanels();
        QVERIFY(!hooks(*window).Option1(selected)->isChecked());

        (record(c.slot).*c.set)(text);
        hooks(*window).loadPanels();
        QVERIFY(hooks(*window).Option1(selected)->isChecked());
        hooks(*window).savePanels();
        QCOMPARE((record(c.slot).*c.get)(), on ? u"True"_s : u"False"_s);
    }

    void transparentTrackBackground()
    {
        record(Slot::TrackNameText).setBackcolor(u"#12AB3C"_s);
        hooks(*window).loadPanels();
        QVERIFY(hooks(*window).Option1(12)->isChecked());
        QCOMPARE(colourText(hooks(*window).Label2(15)), u"#12AB3C"_s);
        hooks(*window).savePanels();
        QCOMPARE(record(Slot::TrackNameText).getBackcolor(), u"#12AB3C"_s);

        // As opening a file does: defaults first, then the file's values.
        hooks(*window).initAllElements();
        record(Slot::TrackNameText).setBackcolor(u"none"_s);
        hooks(*window).loadPanels();
        QVERIFY(hooks(*window).Option1(13)->isChecked());
        QCOMPARE(colourText(hooks(*window).Label2(15)), u"#12AB3C"_s); // kept for later
        hooks(*window).savePanels();
        QCOMPARE(record(Slot::TrackNameText).getBackcolor(), u"none"_s);

        hooks(*window).Option1(12)->setChecked(true);
        hooks(*window).savePanels();
        QCOMPARE(record(Slot::TrackNameText).getBackcolor(), u"#12AB3C"_s);
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
        QTest::newRow("speed 15") << 1 << u"15"_s << 14 << 0;
        QTest::newRow("speed 16") << 1 << u"16"_s << 0 << int(AppError::InvalidArgument);
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
        hooks(*window).loadPanels();

        track.setScrolling(u"False"_s);
        (track.*(list == 0 ? &clsElement::setFontsize : &clsElement::setScrollamt))(text);
        if (list == 0) {
            track.setScrollamt(u"9"_s);
        }
        record(Slot::Video).setTop(u"99"_s);

        if (error == 0) {
            hooks(*window).loadPanels();
            QCOMPARE(hooks(*window).Combo1(list)->currentIndex(), position);
            QCOMPARE(hooks(*window).Text1(76)->text(), u"99"_s);
            hooks(*window).savePanels();
            const QString saved = list == 0 ? record(Slot::TrackNameText).getFontsize()
                                            : record(Slot::TrackNameText).getScrollamt();
            // No selection keeps the value loaded, so the file opens again.
            QCOMPARE(saved, position < 0 ? text : QString::number(position + 8 - 7 * list));
            return;
        }
        try {
            hooks(*window).loadPanels();
            QFAIL("the list took a position it does not have");
        } catch (const AppError &failure) {
            QCOMPARE(failure.number(), error);
        }
        // The load stopped at the list: what follows keeps its contents.
        QCOMPARE(hooks(*window).Option1(10)->isChecked(), list == 0);
        QCOMPARE(hooks(*window).Combo1(1)->currentText(), u"5"_s);
        QCOMPARE(hooks(*window).Text1(76)->text(), u"11"_s);
    }

    // A section's look follows the loaded existence flag, also where the
    // flag does not change the box and where an image box turns on inside a
    // switched-off section.
    void sectionLookFollowsLoadedValues_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("frame");
        QTest::addColumn<QList<int>>("image");  // box, field, button; empty: none
        QTest::addColumn<QList<int>>("unused"); // field and button of an empty image
        QTest::addColumn<int>("verticalOption");
        for (const Sections::Section &section : Sections::kSections) {
            if (section.check2 == Sections::kNone) {
                continue;
            }
            const bool button = section.family() == ElementFamily::Button;
            const bool slider = section.family() == ElementFamily::Slider;
            const Sections::ImageField &image = button ? section.pressed : section.background;
            QTest::addRow("section of Check2(%d)", section.check2)
                << int(section.slot) << int(section.frame)
                << (button || slider ? QList<int>{image.box, image.text, image.browse}
                                     : QList<int>{})
                << (button ? QList<int>{section.hover.text, section.hover.browse} : QList<int>{})
                << (slider ? int(section.choice.off) : -1);
        }
    }
    void sectionLookFollowsLoadedValues()
    {
        QFETCH(int, slot);
        QFETCH(int, frame);
        QFETCH(QList<int>, image);
        QFETCH(QList<int>, unused);
        QFETCH(int, verticalOption);
        clsElement &element = record(qint16(slot));
        // Buttons carry their image as pressed, sliders as background.
        element.setDownimage(u"down.bmp"_s);
        element.setHoverimage(unused.isEmpty() ? u"back.bmp"_s : QString());
        element.setDirection(u"vertical"_s);
        for (qint16 flag : {0, 1, 0}) {
            element.setExistFlag(flag);
            hooks(*window).loadPanels();
            QCOMPARE(hooks(*window).Frame1(frame)->isEnabled(), flag == 1);
            if (!image.isEmpty()) {
                QVERIFY(hooks(*window).Check1(image[0])->isChecked());
                QCOMPARE(looksWhite(hooks(*window).Text1(image[1])), flag == 1);
                QCOMPARE(looksGrey(hooks(*window).Text1(image[1])), flag == 0);
                QVERIFY(
                    hooks(*window).Command2(image[2])->isEnabledTo(hooks(*window).Frame1(frame)));
            }
            if (!unused.isEmpty()) {
                QVERIFY(looksGrey(hooks(*window).Text1(unused[0])));
                QVERIFY(
                    !hooks(*window).Command2(unused[1])->isEnabledTo(hooks(*window).Frame1(frame)));
            }
            if (verticalOption >= 0) {
                QVERIFY(hooks(*window).Option1(verticalOption)->isChecked());
            }
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
            hooks(*window).fileControl().setElement(element, slot);
        }
        hooks(*window).loadPanels();
        // The one field showing a text; none when two show it.
        const auto fieldShowing = [this](const QString &text) {
            const auto count =
                std::count_if(hooks(*window).Text1().begin(), hooks(*window).Text1().end(),
                              [&](QLineEdit *f) { return f->text() == text; });
            const auto found =
                std::find_if(hooks(*window).Text1().begin(), hooks(*window).Text1().end(),
                             [&](QLineEdit *f) { return f->text() == text; });
            return count == 1 ? *found : nullptr;
        };
        for (qint16 slot = Slot::PlayButton; slot <= Slot::BalanceSlider; ++slot) {
            const clsElement &element = record(slot);
            QLineEdit *up = fieldShowing(element.getUpimage());
            QLineEdit *top = fieldShowing(element.getTop());
            QLineEdit *left = fieldShowing(element.getLeft());
            QLineEdit *hover = fieldShowing(element.getHoverimage());
            QVERIFY2(up && top && left && hover, qPrintable(QString::number(slot)));
            QWidget *frame = up->parentWidget();
            QVERIFY(qobject_cast<QGroupBox *>(frame) != nullptr);
            for (QLineEdit *field : {top, left, hover}) {
                QCOMPARE(field->parentWidget(), frame);
            }
            const auto swatches =
                std::count_if(hooks(*window).Label2().begin(), hooks(*window).Label2().end(),
                              [&](const QLabel *swatch) {
                                  return colourText(swatch) == element.getTranscolor() &&
                                         swatch->parentWidget() == frame;
                              });
            QCOMPARE(swatches, 1);
            if (slot >= Slot::NextButton) {
                // The existence box heads this very frame.
                const auto section =
                    std::find_if(Sections::kSections.begin(), Sections::kSections.end(),
                                 [frame, this](const Sections::Section &row) {
                                     return row.check2 != Sections::kNone &&
                                            hooks(*window).Frame1(row.frame) == frame;
                                 });
                QVERIFY(section != Sections::kSections.end());
                QCOMPARE(hooks(*window).Check2(section->check2)->isChecked(), slot % 2 == 1);
            }
            // The up row lies above the hover row; TOP and LEFT each stand
            // right of their own caption.
            QVERIFY(up->y() < hover->y());
            const auto captionX = [frame](const QString &text) {
                for (QLabel *label : frame->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
                    if (label->text() == text) {
                        return label->x();
                    }
                }
                return -1;
            };
            const int topCaption = captionX(u"TOP"_s);
            const int leftCaption = captionX(u"LEFT"_s);
            QVERIFY(topCaption >= 0 && topCaption < leftCaption);
            QVERIFY(top->x() > topCaption && top->x() < leftCaption);
            QVERIFY(left->x() > leftCaption);
            if (slot >= Slot::VolumeSlider) {
                // Height and width: the row below TOP and LEFT, height first.
                QLineEdit *height = fieldShowing(element.getHeight());
                QLineEdit *width = fieldShowing(element.getWidth());
                QVERIFY(height && width);
                QCOMPARE(height->parentWidget(), frame);
                QCOMPARE(width->parentWidget(), frame);
                QVERIFY(height->y() > top->y());
                QCOMPARE(height->x(), top->x());
                QCOMPARE(width->x(), left->x());
            }
        }
    }
};

QTEST_MAIN(tst_Panels)
#include "tst_panels.moc"
