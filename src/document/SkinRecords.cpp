#include "SkinRecords.h"

#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "util/AppError.h"
#include "util/GetImage.h"
#include "util/clsFunction.h"
#include "wms/WmsFields.h"

#include <limits>
#include <memory>
#include <span>

using namespace Qt::StringLiterals;

namespace SkinRecords {

namespace {

using Sections::kNone;
using Sections::Section;
using SkinFields::FieldId;
using SkinFields::Kind;

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
const QString kOn = u"1"_s;
const QString kOff = u"0"_s;

QString flag(bool on)
{
    return on ? kOn : kOff;
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

// A colour as the values keep it; a text that is no colour throws.
QString colourValue(const QString &text)
{
    return clsFunction::getRRGGBB(clsFunction::getVBColor(text));
}

class Reader {
public:
    Reader(SkinValues &values, const Section &section, const clsElement &record)
        : m_values(values), m_section(section), m_record(record)
    {
    }

    void texts(std::span<const TextRole> roles)
    {
        for (const TextRole &role : roles) {
            if (m_section.*role.field != kNone) {
                m_values.set(SkinFields::text(m_section.*role.field), (m_record.*role.get)());
            }
        }
    }
    void sectionBox()
    {
        if (m_section.check2 != kNone) {
            m_values.set({Kind::SectionBox, m_section.check2}, flag(m_record.getExistFlag() == 1));
        }
    }
    void choice(const ChoiceRule &rule)
    {
        const QString text = (m_record.*rule.get)();
        m_values.set({Kind::Choice, m_section.choice.on},
                     flag(rule.onUnlessFalse ? text != kFalse : text == kTrue));
    }
    void colour(qint16 swatch, const QString &text)
    {
        m_values.set({Kind::Colour, swatch}, colourValue(text));
    }
    // An entry keeps the list's own text of it; one below the first entry
    // leaves the list without a selection and the value as it was; anything
    // further off is refused, and the load stops here.
    void list(const ListRule &rule)
    {
        const QString text = (m_record.*rule.get)();
        const std::optional<int> position = WmsFields::listPosition(rule.entries, text);
        // Overflow and no number are refused as such.
        if (!position && clsFunction::toInteger16(text) != rule.entries.first - 1) {
            throw AppError(AppError::InvalidArgument, u"no list entry for "_s + text);
        }
        m_values.set({Kind::List, m_section.*rule.list},
                     position ? QString::number(rule.entries.first + *position) : text);
    }
    // A button's pictures with their boxes; a slider's background is its
    // hover picture.
    void images()
    {
        m_values.set(SkinFields::text(m_section.image.text), m_record.getUpimage());
        if (m_section.pressed.text != kNone) {
            picture(m_section.pressed, m_record.getDownimage());
        }
        for (const Sections::ImageField &hover : {m_section.hover, m_section.background}) {
            if (hover.text != kNone) {
                picture(hover, m_record.getHoverimage());
            }
        }
    }

private:
    void picture(const Sections::ImageField &field, const QString &path)
    {
        m_values.set({Kind::ImageBox, field.box}, flag(!path.isEmpty()));
        m_values.set(SkinFields::text(field.text), path);
    }

    SkinValues &m_values;
    const Section &m_section;
    const clsElement &m_record;
};

class Writer {
public:
    Writer(const SkinValues &values, const Section &section, clsElement &record)
        : m_values(values), m_section(section), m_record(record)
    {
    }

    QString text(qint16 field) const { return m_values.value(SkinFields::text(field)); }
    bool ticked(Kind kind, qint16 index) const { return m_values.ticked(kind, index); }
    QString colour(qint16 swatch) const { return m_values.value({Kind::Colour, swatch}); }
    bool on(qint16 choice) const { return m_values.value({Kind::Choice, choice}) == kOn; }

    void texts(std::span<const TextRole> roles)
    {
        for (const TextRole &role : roles) {
            if (m_section.*role.field != kNone) {
                (m_record.*role.set)(text(m_section.*role.field));
            }
        }
    }
    void choice(const ChoiceRule &rule)
    {
        (m_record.*rule.set)(on(m_section.choice.on) ? kTrue : kFalse);
    }
    void list(const ListRule &rule)
    {
        (m_record.*rule.set)(m_values.value({Kind::List, m_section.*rule.list}));
    }
    // A switched-off picture is left out, whatever its field still holds.
    void images()
    {
        m_record.setUpimage(text(m_section.image.text));
        if (m_section.pressed.text != kNone && ticked(Kind::ImageBox, m_section.pressed.box)) {
            m_record.setDownimage(text(m_section.pressed.text));
        }
        for (const Sections::ImageField &hover : {m_section.hover, m_section.background}) {
            if (hover.text != kNone && ticked(Kind::ImageBox, hover.box)) {
                m_record.setHoverimage(text(hover.text));
            }
        }
    }
    // Size, direction and border come from the picture files; without a
    // thumb there is nothing to measure and they stay empty.
    void sliderSize()
    {
        const QString thumbPath = text(m_section.image.text);
        if (!clsFunction::VerifyFile(thumbPath) || !ticked(Kind::SectionBox, m_section.check2)) {
            return;
        }
        const ImageSize thumb = getImageSize(thumbPath, 0);
        const qint16 thumbWidth = toSize16(thumb.width);
        const qint16 thumbHeight = toSize16(thumb.height);
        const bool horizontal = on(m_section.choice.on);
        if (ticked(Kind::ImageBox, m_section.background.box)) {
            const ImageSize background = getImageSize(text(m_section.background.text), 0);
            m_record.setHeight(QString::number(background.height));
            m_record.setWidth(QString::number(background.width));
        } else if (horizontal) {
            // The typed length counts only in the slider's own direction.
            m_record.setHeight(QString::number(thumbHeight));
            m_record.setWidth(text(m_section.width));
        } else {
            m_record.setHeight(text(m_section.height));
            m_record.setWidth(QString::number(thumbWidth));
        }
        m_record.setTranscolor(colour(m_section.transparency));
        m_record.setDirection(horizontal ? kHorizontal : kVertical);
        m_record.setBordersize(halfText(horizontal ? thumbWidth : thumbHeight));
    }

private:
    const SkinValues &m_values;
    const Section &m_section;
    clsElement &m_record;
};

void read(SkinValues &values, const Section &section, const clsElement &record)
{
    Reader reader(values, section, record);
    reader.sectionBox();
    switch (section.family()) {
    case ElementFamily::Theme:
    case ElementFamily::VideoEffects:
        // Video and effects share one record; the video slot speaks for both.
        reader.texts(kTextRoles);
        break;
    case ElementFamily::View:
        values.set(SkinFields::text(section.image.text), record.getUpimage());
        reader.choice(kTitlebarChoice);
        reader.colour(section.transparency, record.getTranscolor());
        break;
    case ElementFamily::Button:
    case ElementFamily::Slider:
        reader.images();
        reader.texts(kTextRoles);
        reader.colour(section.transparency, record.getTranscolor());
        if (section.family() == ElementFamily::Slider) {
            values.set({Kind::Choice, section.choice.on},
                       flag(record.getDirection() == kHorizontal));
        }
        break;
    case ElementFamily::Playlist:
        reader.texts(kTextRoles);
        reader.colour(section.foreColor, record.getForecolor());
        reader.colour(section.backColor, record.getBackcolor());
        reader.choice(kDropdownChoice);
        break;
    case ElementFamily::TrackName: {
        reader.texts(kTextRoles);
        reader.colour(section.foreColor, record.getForecolor());
        // "none" is no colour: the swatch keeps the colour it has, ready for
        // the moment the user makes the background opaque again.
        const QString back = record.getBackcolor();
        const bool opaque = back != kTransparent;
        if (opaque) {
            reader.colour(section.backColor, back);
        }
        values.set({Kind::Choice, section.opaque.on}, flag(opaque));
        reader.list(kFontSizeList);
        reader.choice(kScrollingChoice);
        reader.list(kScrollSpeedList);
        break;
    }
    }
}

std::shared_ptr<clsElement> write(const SkinValues &values, const Section &section)
{
    auto record = std::make_shared<clsElement>();
    Writer writer(values, section, *record);
    // Theme and view leave the flag at 0; play, stop and close have no box:
    // they are always part of the skin.
    if (section.check2 != kNone) {
        record->setExistFlag(writer.ticked(Kind::SectionBox, section.check2) ? 1 : 0);
    } else if (section.family() == ElementFamily::Button) {
        record->setExistFlag(1);
    }
    switch (section.family()) {
    case ElementFamily::Theme:
    case ElementFamily::VideoEffects:
        writer.texts(kTextRoles);
        break;
    case ElementFamily::View:
        record->setUpimage(writer.text(section.image.text));
        writer.choice(kTitlebarChoice);
        record->setTranscolor(writer.colour(section.transparency));
        break;
    case ElementFamily::Button:
        writer.images();
        writer.texts(kPlaceRoles);
        record->setTranscolor(writer.colour(section.transparency));
        break;
    case ElementFamily::Slider:
        writer.images();
        writer.texts(kPlaceRoles);
        writer.sliderSize();
        break;
    case ElementFamily::Playlist:
        writer.texts(kTextRoles);
        record->setForecolor(writer.colour(section.foreColor));
        record->setBackcolor(writer.colour(section.backColor));
        writer.choice(kDropdownChoice);
        break;
    case ElementFamily::TrackName:
        writer.texts(kTextRoles);
        record->setForecolor(writer.colour(section.foreColor));
        record->setBackcolor(writer.on(section.opaque.on) ? writer.colour(section.backColor)
                                                          : kTransparent);
        writer.list(kFontSizeList);
        writer.choice(kScrollingChoice);
        writer.list(kScrollSpeedList);
        break;
    }
    return record;
}

} // namespace

void fromRecords(const clsFileControl &document, SkinValues &values)
{
    for (const Section &section : Sections::kSections) {
        read(values, section, *document.getElement(section.slot));
    }
}

void toRecords(const SkinValues &values, clsFileControl &document)
{
    for (const Section &section : Sections::kSections) {
        const std::shared_ptr<clsElement> record = write(values, section);
        document.setElement(record, section.slot);
        if (section.family() == ElementFamily::VideoEffects) {
            document.setElement(record, Slot::Effects);
        }
    }
}

} // namespace SkinRecords
