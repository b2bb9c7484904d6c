// Copying between the panels' fields and the skin document. The fields are
// the working copy; the document is rebuilt from them before every save and
// preview, and copied into them after every open.
#include "ControlArray.h"
#include "LayoutTables.h"
#include "WidgetColors.h"
#include "document/ElementTable.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "frmMain.h"
#include "util/AppError.h"
#include "util/GetImage.h"
#include "util/clsFunction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// Field indices as the panel routines take them.
qint16 field(int index)
{
    return static_cast<qint16>(index);
}

// The existence box of a button frame; none for the buttons always present.
std::optional<qint16> existBox(int check2)
{
    return check2 < 0 ? std::nullopt : std::optional<qint16>(field(check2));
}

// A text property copied unchanged to and from one field.
struct TextFieldRow {
    clsElement::Getter get;
    clsElement::Setter set;
    qint16 field;
};

const std::array<TextFieldRow, 3> kThemeFields{{
    {&clsElement::getTitle, &clsElement::setTitle, 0},
    {&clsElement::getAuthor, &clsElement::setAuthor, 1},
    {&clsElement::getCopyright, &clsElement::setCopyright, 2},
}};
const std::array<TextFieldRow, 4> kPlaylistFields{{
    {&clsElement::getTop, &clsElement::setTop, 66},
    {&clsElement::getLeft, &clsElement::setLeft, 67},
    {&clsElement::getHeight, &clsElement::setHeight, 68},
    {&clsElement::getWidth, &clsElement::setWidth, 69},
}};
const std::array<TextFieldRow, 3> kTrackNameFields{{
    {&clsElement::getTop, &clsElement::setTop, 72},
    {&clsElement::getLeft, &clsElement::setLeft, 71},
    {&clsElement::getWidth, &clsElement::setWidth, 70},
}};
const std::array<TextFieldRow, 4> kVideoFields{{
    {&clsElement::getTop, &clsElement::setTop, 76},
    {&clsElement::getLeft, &clsElement::setLeft, 75},
    {&clsElement::getHeight, &clsElement::setHeight, 74},
    {&clsElement::getWidth, &clsElement::setWidth, 73},
}};

// A "True"/"False" property shown as a pair of option buttons. Saved as
// "True" when onOption is selected. On load, only the exact text that names
// the rarer choice selects it; every other text selects the usual one.
struct ChoiceRow {
    clsElement::Getter get;
    clsElement::Setter set;
    qint16 onOption, offOption;
    bool onUnlessFalse; // true: only "False" selects offOption
};
const ChoiceRow kTitlebarChoice{&clsElement::getTitlebar, &clsElement::setTitlebar, 1, 0, true};
const ChoiceRow kDropdownChoice{&clsElement::getDropdownvis, &clsElement::setDropdownvis, 8, 9,
                                false};
const ChoiceRow kScrollingChoice{&clsElement::getScrolling, &clsElement::setScrolling, 10, 11,
                                 false};

// A drop-down list whose entries count up from a first value.
struct ListRow {
    clsElement::Getter get;
    clsElement::Setter set;
    qint16 list;
    qint16 firstValue;
};
const ListRow kFontSizeList{&clsElement::getFontsize, &clsElement::setFontsize, 0, 8};
const ListRow kScrollSpeedList{&clsElement::getScrollamt, &clsElement::setScrollamt, 1, 1};

// Fields and boxes of the panels that have one of each.
constexpr qint16 kViewImageField = 3;
constexpr qint16 kViewTransSwatch = 17;
constexpr qint16 kPlaylistForeSwatch = 13;
constexpr qint16 kPlaylistBackSwatch = 14;
constexpr qint16 kTrackForeSwatch = 16;

// The track-name background: an opaque colour in its swatch, or "none".
constexpr qint16 kTrackBackSwatch = 15;
constexpr qint16 kTrackOpaqueOption = 12;
constexpr qint16 kTrackTransparentOption = 13;
const QString kTransparent = u"none"_s;

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

// Record text as a 16-bit integer the way the list positions need it: blanks
// and a sign allowed, halves rounded to the even neighbour. Not a number is a
// type mismatch, a value outside 16 bits an overflow.
qint16 toInteger16(const QString &text)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) {
        throw AppError(AppError::TypeMismatch, u"not a number: "_s + text);
    }
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max()) {
        throw AppError(AppError::Overflow, u"out of 16-bit range: "_s + text);
    }
    return static_cast<qint16>(rounded);
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

void loadTexts(const clsElement &record, const auto &rows,
               const std::array<QLineEdit *, Layout::kText1Count> &fields)
{
    for (const TextFieldRow &row : rows) {
        at(fields, row.field)->setText((record.*row.get)());
    }
}

void saveTexts(clsElement &record, const auto &rows,
               const std::array<QLineEdit *, Layout::kText1Count> &fields)
{
    for (const TextFieldRow &row : rows) {
        (record.*row.set)(at(fields, row.field)->text());
    }
}

void loadChoice(const clsElement &record, const ChoiceRow &row,
                const std::array<QRadioButton *, Layout::kOption1Count> &options)
{
    const QString text = (record.*row.get)();
    const bool on = row.onUnlessFalse ? text != kFalse : text == kTrue;
    at(options, on ? row.onOption : row.offOption)->setChecked(true);
}

void saveChoice(clsElement &record, const ChoiceRow &row,
                const std::array<QRadioButton *, Layout::kOption1Count> &options)
{
    (record.*row.set)(at(options, row.onOption)->isChecked() ? kTrue : kFalse);
}

// Selects the entry for the record's value. One below the first entry leaves
// the list without a selection; anything further off is refused, and the load
// stops here.
void loadList(const clsElement &record, const ListRow &row,
              const std::array<QComboBox *, Layout::kCombo1Count> &lists)
{
    const QString text = (record.*row.get)();
    const int position = toInteger16(text) - row.firstValue;
    QComboBox *list = at(lists, row.list);
    if (position < -1 || position >= list->count()) {
        throw AppError(AppError::InvalidArgument, u"no list entry for "_s + text);
    }
    list->setCurrentIndex(position);
}

void saveList(clsElement &record, const ListRow &row,
              const std::array<QComboBox *, Layout::kCombo1Count> &lists)
{
    (record.*row.set)(at(lists, row.list)->currentText());
}

// Swatch colour from a record's colour text; a text that is no colour stops
// the load here.
void loadSwatch(clsFunction &functions, QLabel *swatch, const QString &colorText)
{
    WidgetColors::setBackColor(swatch,
                               WidgetColors::fromWindowColor(functions.getVBColor(colorText)));
}

QString swatchText(clsFunction &functions, const QLabel *swatch)
{
    return functions.getRRGGBB(WidgetColors::toWindowColor(WidgetColors::backColor(swatch)));
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
    loadThemePanel();
    loadViewPanel();
    for (const Layout::ButtonFrameRow &row : Layout::kButtonFrames) {
        loadButtonPanel(*fileControl().getElement(row.slot), field(row.upText), field(row.downText),
                        field(row.hoverText), field(row.topText), field(row.leftText),
                        field(row.swatch), field(row.downBox), field(row.hoverBox),
                        existBox(row.check2));
    }
    for (const Layout::SliderFrameRow &row : Layout::kSliderFrames) {
        loadSliderPanel(*fileControl().getElement(row.slot), field(row.upText), field(row.backText),
                        field(row.topText), field(row.leftText), field(row.heightText),
                        field(row.widthText), field(row.swatch), field(row.horizontalOption),
                        field(row.verticalOption), field(row.backBox), field(row.check2));
    }
    loadPlaylistPanel();
    loadTrackNamePanel();
    loadVideoPanel();
}

void frmMain::savePanels()
{
    saveThemePanel();
    saveViewPanel();
    for (const Layout::ButtonFrameRow &row : Layout::kButtonFrames) {
        saveButtonPanel(row.slot, field(row.upText), field(row.downText), field(row.hoverText),
                        field(row.topText), field(row.leftText), field(row.swatch),
                        field(row.downBox), field(row.hoverBox), existBox(row.check2));
    }
    for (const Layout::SliderFrameRow &row : Layout::kSliderFrames) {
        saveSliderPanel(row.slot, field(row.upText), field(row.backText), field(row.topText),
                        field(row.leftText), field(row.heightText), field(row.widthText),
                        field(row.swatch), field(row.horizontalOption), field(row.backBox),
                        field(row.check2));
    }
    savePlaylistPanel();
    saveTrackNamePanel();
    saveVideoPanel();
}

void frmMain::loadThemePanel()
{
    loadTexts(*fileControl().getElement(Slot::Theme), kThemeFields, Text1);
}

void frmMain::saveThemePanel()
{
    auto record = std::make_shared<clsElement>();
    saveTexts(*record, kThemeFields, Text1);
    fileControl().setElement(record, Slot::Theme);
}

void frmMain::loadViewPanel()
{
    const clsElement &record = *fileControl().getElement(Slot::View);
    at(Text1, kViewImageField)->setText(record.getUpimage());
    loadChoice(record, kTitlebarChoice, Option1);
    loadSwatch(functions(), at(Label2, kViewTransSwatch), record.getTranscolor());
}

void frmMain::saveViewPanel()
{
    auto record = std::make_shared<clsElement>();
    record->setUpimage(at(Text1, kViewImageField)->text());
    saveChoice(*record, kTitlebarChoice, Option1);
    record->setTranscolor(swatchText(functions(), at(Label2, kViewTransSwatch)));
    fileControl().setElement(record, Slot::View);
}

void frmMain::loadButtonPanel(const clsElement &record, qint16 upField, qint16 downField,
                              qint16 hoverField, qint16 topField, qint16 leftField, qint16 swatch,
                              qint16 downBox, qint16 hoverBox, std::optional<qint16> existBox)
{
    if (existBox) {
        setBox(at(Check2, *existBox), record.getExistFlag());
    }
    at(Text1, upField)->setText(record.getUpimage());
    setBox(at(Check1, downBox), record.getDownimage().isEmpty() ? 0 : 1);
    at(Text1, downField)->setText(record.getDownimage());
    setBox(at(Check1, hoverBox), record.getHoverimage().isEmpty() ? 0 : 1);
    at(Text1, hoverField)->setText(record.getHoverimage());
    if (existBox) {
        // A box whose value did not change raised no click, and an image box
        // switched on inside a switched-off section whitened its field; the
        // section's look is made to follow the loaded values once more.
        Check2_Click(*existBox);
    }
    at(Text1, topField)->setText(record.getTop());
    at(Text1, leftField)->setText(record.getLeft());
    loadSwatch(functions(), at(Label2, swatch), record.getTranscolor());
}

void frmMain::saveButtonPanel(qint16 slot, qint16 upField, qint16 downField, qint16 hoverField,
                              qint16 topField, qint16 leftField, qint16 swatch, qint16 downBox,
                              qint16 hoverBox, std::optional<qint16> existBox)
{
    auto record = std::make_shared<clsElement>();
    // Play, stop and close have no box: they are always part of the skin.
    record->setExistFlag(existBox ? boxValue(at(Check2, *existBox)) : 1);
    record->setUpimage(at(Text1, upField)->text());
    // A switched-off image is left out, whatever its field still holds.
    if (at(Check1, downBox)->isChecked()) {
        record->setDownimage(at(Text1, downField)->text());
    }
    if (at(Check1, hoverBox)->isChecked()) {
        record->setHoverimage(at(Text1, hoverField)->text());
    }
    record->setTop(at(Text1, topField)->text());
    record->setLeft(at(Text1, leftField)->text());
    record->setTranscolor(swatchText(functions(), at(Label2, swatch)));
    fileControl().setElement(record, slot);
}

void frmMain::loadSliderPanel(const clsElement &record, qint16 upField, qint16 hoverField,
                              qint16 topField, qint16 leftField, qint16 heightField,
                              qint16 widthField, qint16 swatch, qint16 horizontalOption,
                              qint16 verticalOption, qint16 hoverBox, qint16 existBox)
{
    setBox(at(Check2, existBox), record.getExistFlag());
    at(Text1, upField)->setText(record.getUpimage());
    setBox(at(Check1, hoverBox), record.getHoverimage().isEmpty() ? 0 : 1);
    at(Text1, hoverField)->setText(record.getHoverimage());
    Check2_Click(existBox); // as for buttons: the look follows the loaded values
    at(Text1, topField)->setText(record.getTop());
    at(Text1, leftField)->setText(record.getLeft());
    at(Text1, heightField)->setText(record.getHeight());
    at(Text1, widthField)->setText(record.getWidth());
    loadSwatch(functions(), at(Label2, swatch), record.getTranscolor());
    const bool horizontal = record.getDirection() == kHorizontal;
    at(Option1, horizontal ? horizontalOption : verticalOption)->setChecked(true);
}

void frmMain::saveSliderPanel(qint16 slot, qint16 upField, qint16 hoverField, qint16 topField,
                              qint16 leftField, qint16 heightField, qint16 widthField,
                              qint16 swatch, qint16 horizontalOption, qint16 hoverBox,
                              qint16 existBox)
{
    auto record = std::make_shared<clsElement>();
    const bool present = at(Check2, existBox)->isChecked();
    const bool withBackground = at(Check1, hoverBox)->isChecked();
    const QString thumbPath = at(Text1, upField)->text();
    record->setExistFlag(present ? 1 : 0);
    record->setUpimage(thumbPath);
    if (withBackground) {
        record->setHoverimage(at(Text1, hoverField)->text());
    }
    record->setTop(at(Text1, topField)->text());
    record->setLeft(at(Text1, leftField)->text());

    // Size, direction and border come from the image files; without a thumb
    // there is nothing to measure and they stay empty.
    const bool thumbExists = functions().VerifyFile(thumbPath);
    if (thumbExists && present) {
        const ImageSize thumb = getImageSize(thumbPath, 0);
        const qint16 thumbWidth = toSize16(thumb.width);
        const qint16 thumbHeight = toSize16(thumb.height);
        const bool horizontal = at(Option1, horizontalOption)->isChecked();
        if (withBackground) {
            const ImageSize background = getImageSize(at(Text1, hoverField)->text(), 0);
            record->setHeight(QString::number(background.height));
            record->setWidth(QString::number(background.width));
        } else if (horizontal) {
            // The typed length counts only in the slider's own direction.
            record->setHeight(QString::number(thumbHeight));
            record->setWidth(at(Text1, widthField)->text());
        } else {
            record->setHeight(at(Text1, heightField)->text());
            record->setWidth(QString::number(thumbWidth));
        }
        record->setTranscolor(swatchText(functions(), at(Label2, swatch)));
        record->setDirection(horizontal ? kHorizontal : kVertical);
        record->setBordersize(halfText(horizontal ? thumbWidth : thumbHeight));
    }
    fileControl().setElement(record, slot);
}

void frmMain::loadPlaylistPanel()
{
    const clsElement &record = *fileControl().getElement(Slot::Playlist);
    setBox(at(Check2, Layout::kPlaylistCheck2), record.getExistFlag());
    loadTexts(record, kPlaylistFields, Text1);
    loadSwatch(functions(), at(Label2, kPlaylistForeSwatch), record.getForecolor());
    loadSwatch(functions(), at(Label2, kPlaylistBackSwatch), record.getBackcolor());
    loadChoice(record, kDropdownChoice, Option1);
}

void frmMain::savePlaylistPanel()
{
    auto record = std::make_shared<clsElement>();
    record->setExistFlag(boxValue(at(Check2, Layout::kPlaylistCheck2)));
    saveTexts(*record, kPlaylistFields, Text1);
    record->setForecolor(swatchText(functions(), at(Label2, kPlaylistForeSwatch)));
    record->setBackcolor(swatchText(functions(), at(Label2, kPlaylistBackSwatch)));
    saveChoice(*record, kDropdownChoice, Option1);
    fileControl().setElement(record, Slot::Playlist);
}

void frmMain::loadTrackNamePanel()
{
    const clsElement &record = *fileControl().getElement(Slot::TrackNameText);
    setBox(at(Check2, Layout::kTrackNameCheck2), record.getExistFlag());
    loadTexts(record, kTrackNameFields, Text1);
    loadSwatch(functions(), at(Label2, kTrackForeSwatch), record.getForecolor());
    // "none" is no colour: the swatch keeps the colour it has, ready for the
    // moment the user makes the background opaque again.
    const QString back = record.getBackcolor();
    if (back == kTransparent) {
        at(Option1, kTrackTransparentOption)->setChecked(true);
    } else {
        loadSwatch(functions(), at(Label2, kTrackBackSwatch), back);
        at(Option1, kTrackOpaqueOption)->setChecked(true);
    }
    loadList(record, kFontSizeList, Combo1);
    loadChoice(record, kScrollingChoice, Option1);
    loadList(record, kScrollSpeedList, Combo1);
}

void frmMain::saveTrackNamePanel()
{
    auto record = std::make_shared<clsElement>();
    record->setExistFlag(boxValue(at(Check2, Layout::kTrackNameCheck2)));
    saveTexts(*record, kTrackNameFields, Text1);
    record->setForecolor(swatchText(functions(), at(Label2, kTrackForeSwatch)));
    record->setBackcolor(at(Option1, kTrackOpaqueOption)->isChecked()
                             ? swatchText(functions(), at(Label2, kTrackBackSwatch))
                             : kTransparent);
    saveList(*record, kFontSizeList, Combo1);
    saveChoice(*record, kScrollingChoice, Option1);
    saveList(*record, kScrollSpeedList, Combo1);
    fileControl().setElement(record, Slot::TrackNameText);
}

void frmMain::loadVideoPanel()
{
    // Video and effects share one record; the video slot speaks for both.
    const clsElement &record = *fileControl().getElement(Slot::Video);
    setBox(at(Check2, Layout::kVideoCheck2), record.getExistFlag());
    loadTexts(record, kVideoFields, Text1);
}

void frmMain::saveVideoPanel()
{
    auto record = std::make_shared<clsElement>();
    record->setExistFlag(boxValue(at(Check2, Layout::kVideoCheck2)));
    saveTexts(*record, kVideoFields, Text1);
    fileControl().setElement(record, Slot::Video);
    fileControl().setElement(record, Slot::Effects);
}
