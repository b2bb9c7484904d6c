// Copying between the panels' fields and the skin document. The fields are
// the working copy; the document is rebuilt from them before every save and
// preview, and copied into them after every open.
#include "document/ElementTable.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "editor/panels/LayoutTables.h"
#include "editor/panels/SectionTable.h"
#include "editor/widgets/WidgetColors.h"
#include "frmMain.h"
#include "util/AppError.h"
#include "util/GetImage.h"
#include "util/clsFunction.h"
#include "wms/WmsFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <limits>
#include <span>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

using Sections::kNone;
using Sections::Section;

// A text property copied unchanged to and from the field of one role.
struct TextRole {
    qint16 Section::*field;
    clsElement::Getter get;
    clsElement::Setter set;
};
constexpr TextRole kTitle{&Section::title, &clsElement::getTitle, &clsElement::setTitle};
constexpr TextRole kAuthor{&Section::author, &clsElement::getAuthor, &clsElement::setAuthor};
constexpr TextRole kCopyright{&Section::copyright, &clsElement::getCopyright,
                              &clsElement::setCopyright};
constexpr TextRole kTop{&Section::top, &clsElement::getTop, &clsElement::setTop};
constexpr TextRole kLeft{&Section::left, &clsElement::getLeft, &clsElement::setLeft};
constexpr TextRole kHeight{&Section::height, &clsElement::getHeight, &clsElement::setHeight};
constexpr TextRole kWidth{&Section::width, &clsElement::getWidth, &clsElement::setWidth};
constexpr std::array kTextRoles{kTitle, kAuthor, kCopyright, kTop, kLeft, kHeight, kWidth};
constexpr std::array kPlaceRoles{kTop, kLeft};

// A "True"/"False" property shown as the section's choice. On load, only
// the exact text that names the rarer option selects it.
struct ChoiceRule {
    clsElement::Getter get;
    clsElement::Setter set;
    bool onUnlessFalse; // true: only "False" selects the off option
};
constexpr ChoiceRule kTitlebarChoice{&clsElement::getTitlebar, &clsElement::setTitlebar, true};
constexpr ChoiceRule kDropdownChoice{&clsElement::getDropdownvis, &clsElement::setDropdownvis,
                                     false};
constexpr ChoiceRule kScrollingChoice{&clsElement::getScrolling, &clsElement::setScrolling, false};

// A drop-down list whose entries count up from a first value.
struct ListRule {
    qint16 Section::*list;
    clsElement::Getter get;
    clsElement::Setter set;
    const WmsFields::ListEntries &entries;
};
constexpr ListRule kFontSizeList{&Section::fontSize, &clsElement::getFontsize,
                                 &clsElement::setFontsize, WmsFields::kFontSizes};
constexpr ListRule kScrollSpeedList{&Section::scrollSpeed, &clsElement::getScrollamt,
                                    &clsElement::setScrollamt, WmsFields::kScrollSpeeds};

const QString kTransparent = u"none"_s; // a track-name background that is no colour
const QString kTrue = u"True"_s;
const QString kFalse = u"False"_s;
const QString kHorizontal = u"horizontal"_s;
const QString kVertical = u"vertical"_s;

// Check boxes show 1 as checked; any other flag shows as unchecked.
void setBox(QCheckBox *box, qint16 value)
{
    box->setChecked(value == 1);
}

qint16 boxValue(const QCheckBox *box)
{
    return box->isChecked() ? 1 : 0;
}

// An image size as the 16-bit size the slider rules work with.
qint16 toSize16(qint32 pixels)
{
    if (pixels < std::numeric_limits<qint16>::min() ||
        pixels > std::numeric_limits<qint16>::max()) {
        throw AppError(AppError::Overflow, u"image size out of range"_s);
    }
    return static_cast<qint16>(pixels);
}

// Half a size as the shortest decimal text: 20 gives "10", 15 gives "7.5".
QString halfText(qint16 size)
{
    return QString::number(size / 2.0, 'g', 8);
}

void loadTexts(const clsElement &record, const Section &section, std::span<const TextRole> roles,
               const frmMain &window)
{
    for (const TextRole &role : roles) {
        if (section.*role.field != kNone) {
            window.Text1(section.*role.field)->setText((record.*role.get)());
        }
    }
}

void saveTexts(clsElement &record, const Section &section, std::span<const TextRole> roles,
               const frmMain &window)
{
    for (const TextRole &role : roles) {
        if (section.*role.field != kNone) {
            (record.*role.set)(window.Text1(section.*role.field)->text());
        }
    }
}

void loadChoice(const clsElement &record, const Section &section, const ChoiceRule &rule,
                const frmMain &window)
{
    const QString text = (record.*rule.get)();
    const bool on = rule.onUnlessFalse ? text != kFalse : text == kTrue;
    window.Option1(on ? section.choice.on : section.choice.off)->setChecked(true);
}

void saveChoice(clsElement &record, const Section &section, const ChoiceRule &rule,
                const frmMain &window)
{
    (record.*rule.set)(window.Option1(section.choice.on)->isChecked() ? kTrue : kFalse);
}

// Selects the entry for the record's value. One below the first entry leaves
// the list without a selection; anything further off is refused, and the load
// stops here.
void loadList(const clsElement &record, const Section &section, const ListRule &rule,
              const frmMain &window)
{
    const QString text = (record.*rule.get)();
    const int position = clsFunction::toInteger16(text) - rule.entries.first;
    QComboBox *list = window.Combo1(section.*rule.list);
    if (position < -1 || position >= list->count()) {
        throw AppError(AppError::InvalidArgument, u"no list entry for "_s + text);
    }
    list->setCurrentIndex(position);
}

// A list without a selection (a value one below its first entry) keeps the
// value it was loaded from: its empty text would make a file that no Open takes.
void saveList(clsElement &record, const Section &section, const ListRule &rule,
              const clsElement &previous, const frmMain &window)
{
    const QComboBox *list = window.Combo1(section.*rule.list);
    (record.*rule.set)(list->currentIndex() >= 0 ? list->currentText() : (previous.*rule.get)());
}

// Swatch colour from a record's colour text; a text that is no colour stops
// the load here.
void loadSwatch(QLabel *swatch, const QString &colorText)
{
    WidgetColors::setBackColor(swatch,
                               WidgetColors::fromWindowColor(clsFunction::getVBColor(colorText)));
}

QString swatchText(const QLabel *swatch)
{
    return clsFunction::getRRGGBB(WidgetColors::toWindowColor(WidgetColors::backColor(swatch)));
}

} // namespace

void frmMain::initAllElements()
{
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        fileControl().getElement(slot)->initMember();
    }
}

void frmMain::loadPanels()
{
    for (const Section &section : Sections::kSections) {
        const clsElement &record = *std::as_const(fileControl()).getElement(section.slot);
        switch (section.family()) {
        case ElementFamily::Theme:
            loadTexts(record, section, kTextRoles, *this);
            break;
        case ElementFamily::View:
            Text1(section.image.text)->setText(record.getUpimage());
            loadChoice(record, section, kTitlebarChoice, *this);
            loadSwatch(Label2(section.transparency), record.getTranscolor());
            break;
        case ElementFamily::Button:
        case ElementFamily::Slider:
            loadImagePanel(record, section);
            break;
        case ElementFamily::Playlist:
            setBox(Check2(section.check2), record.getExistFlag());
            loadTexts(record, section, kTextRoles, *this);
            loadSwatch(Label2(section.foreColor), record.getForecolor());
            loadSwatch(Label2(section.backColor), record.getBackcolor());
            loadChoice(record, section, kDropdownChoice, *this);
            break;
        case ElementFamily::TrackName:
            loadTrackNamePanel(record, section);
            break;
        case ElementFamily::VideoEffects:
            // Video and effects share one record; the video slot speaks for both.
            setBox(Check2(section.check2), record.getExistFlag());
            loadTexts(record, section, kTextRoles, *this);
            break;
        }
    }
}

void frmMain::savePanels()
{
    for (const Section &section : Sections::kSections) {
        auto record = std::make_shared<clsElement>();
        // Theme and view leave the flag at 0; play, stop and close have no
        // box: they are always part of the skin.
        if (section.check2 != kNone) {
            record->setExistFlag(boxValue(Check2(section.check2)));
        } else if (section.family() == ElementFamily::Button) {
            record->setExistFlag(1);
        }
        switch (section.family()) {
        case ElementFamily::Theme:
        case ElementFamily::VideoEffects:
            saveTexts(*record, section, kTextRoles, *this);
            break;
        case ElementFamily::View:
            record->setUpimage(Text1(section.image.text)->text());
            saveChoice(*record, section, kTitlebarChoice, *this);
            record->setTranscolor(swatchText(Label2(section.transparency)));
            break;
        case ElementFamily::Button:
            saveImages(*record, section);
            saveTexts(*record, section, kPlaceRoles, *this);
            record->setTranscolor(swatchText(Label2(section.transparency)));
            break;
        case ElementFamily::Slider:
            saveImages(*record, section);
            saveTexts(*record, section, kPlaceRoles, *this);
            saveSliderSize(*record, section);
            break;
        case ElementFamily::Playlist:
            saveTexts(*record, section, kTextRoles, *this);
            record->setForecolor(swatchText(Label2(section.foreColor)));
            record->setBackcolor(swatchText(Label2(section.backColor)));
            saveChoice(*record, section, kDropdownChoice, *this);
            break;
        case ElementFamily::TrackName: {
            saveTexts(*record, section, kTextRoles, *this);
            record->setForecolor(swatchText(Label2(section.foreColor)));
            record->setBackcolor(Option1(section.opaque.on)->isChecked()
                                     ? swatchText(Label2(section.backColor))
                                     : kTransparent);
            const clsElement &previous = *std::as_const(fileControl()).getElement(section.slot);
            saveList(*record, section, kFontSizeList, previous, *this);
            saveChoice(*record, section, kScrollingChoice, *this);
            saveList(*record, section, kScrollSpeedList, previous, *this);
            break;
        }
        }
        fileControl().setElement(record, section.slot);
        if (section.family() == ElementFamily::VideoEffects) {
            fileControl().setElement(record, Slot::Effects);
        }
    }
}

// A button or slider: its existence box, then its images with their boxes,
// then place, size, colour and direction.
void frmMain::loadImagePanel(const clsElement &record, const Section &section)
{
    if (section.check2 != kNone) {
        setBox(Check2(section.check2), record.getExistFlag());
    }
    Text1(section.image.text)->setText(record.getUpimage());
    if (section.pressed.text != kNone) {
        setBox(Check1(section.pressed.box), record.getDownimage().isEmpty() ? 0 : 1);
        Text1(section.pressed.text)->setText(record.getDownimage());
    }
    // A slider's background is its hover image.
    for (const Sections::ImageField &hover : {section.hover, section.background}) {
        if (hover.text != kNone) {
            setBox(Check1(hover.box), record.getHoverimage().isEmpty() ? 0 : 1);
            Text1(hover.text)->setText(record.getHoverimage());
        }
    }
    if (section.check2 != kNone) {
        // A box whose value did not change raised no click, and an image box
        // switched on inside a switched-off section whitened its field; the
        // section's look is made to follow the loaded values once more.
        Check2_Click(section.check2);
    }
    loadTexts(record, section, kTextRoles, *this);
    loadSwatch(Label2(section.transparency), record.getTranscolor());
    if (section.family() == ElementFamily::Slider) {
        const bool horizontal = record.getDirection() == kHorizontal;
        Option1(horizontal ? section.choice.on : section.choice.off)->setChecked(true);
    }
}

// A switched-off image is left out, whatever its field still holds.
void frmMain::saveImages(clsElement &record, const Section &section) const
{
    record.setUpimage(Text1(section.image.text)->text());
    if (section.pressed.text != kNone && Check1(section.pressed.box)->isChecked()) {
        record.setDownimage(Text1(section.pressed.text)->text());
    }
    for (const Sections::ImageField &hover : {section.hover, section.background}) {
        if (hover.text != kNone && Check1(hover.box)->isChecked()) {
            record.setHoverimage(Text1(hover.text)->text());
        }
    }
}

// Size, direction and border come from the image files; without a thumb
// there is nothing to measure and they stay empty.
void frmMain::saveSliderSize(clsElement &record, const Section &section) const
{
    const QString thumbPath = Text1(section.image.text)->text();
    const bool thumbExists = clsFunction::VerifyFile(thumbPath);
    if (!thumbExists || !Check2(section.check2)->isChecked()) {
        return;
    }
    const ImageSize thumb = getImageSize(thumbPath, 0);
    const qint16 thumbWidth = toSize16(thumb.width);
    const qint16 thumbHeight = toSize16(thumb.height);
    const bool horizontal = Option1(section.choice.on)->isChecked();
    if (Check1(section.background.box)->isChecked()) {
        const ImageSize background = getImageSize(Text1(section.background.text)->text(), 0);
        record.setHeight(QString::number(background.height));
        record.setWidth(QString::number(background.width));
    } else if (horizontal) {
        // The typed length counts only in the slider's own direction.
        record.setHeight(QString::number(thumbHeight));
        record.setWidth(Text1(section.width)->text());
    } else {
        record.setHeight(Text1(section.height)->text());
        record.setWidth(QString::number(thumbWidth));
    }
    record.setTranscolor(swatchText(Label2(section.transparency)));
    record.setDirection(horizontal ? kHorizontal : kVertical);
    record.setBordersize(halfText(horizontal ? thumbWidth : thumbHeight));
}

void frmMain::loadTrackNamePanel(const clsElement &record, const Section &section)
{
    setBox(Check2(section.check2), record.getExistFlag());
    loadTexts(record, section, kTextRoles, *this);
    loadSwatch(Label2(section.foreColor), record.getForecolor());
    // "none" is no colour: the swatch keeps the colour it has, ready for the
    // moment the user makes the background opaque again.
    const QString back = record.getBackcolor();
    if (back == kTransparent) {
        Option1(section.opaque.off)->setChecked(true);
    } else {
        loadSwatch(Label2(section.backColor), back);
        Option1(section.opaque.on)->setChecked(true);
    }
    loadList(record, section, kFontSizeList, *this);
    loadChoice(record, section, kScrollingChoice, *this);
    loadList(record, section, kScrollSpeedList, *this);
}
