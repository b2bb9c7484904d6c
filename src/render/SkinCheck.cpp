#include "SkinCheck.h"

#include "document/ElementTable.h"
#include "document/clsFileControl.h"
#include "packaging/PackPlan.h"
#include "render/PictureCache.h"
#include "util/AppError.h"
#include "util/EntryName.h"
#include "util/GetImage.h"
#include "util/SkinFolder.h"
#include "util/clsFunction.h"
#include "wms/WmsFields.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QSet>
#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

using Kind = SkinFinding::Kind;

struct KindName {
    Kind kind;
    QStringView name; // as the JSON output names it
};

constexpr KindName kKindNames[] = {
    {Kind::MissingImage, u"missing-image"},   {Kind::UndecodableImage, u"undecodable-image"},
    {Kind::OutsideLink, u"outside-link"},     {Kind::UnsafeName, u"unsafe-name"},
    {Kind::UnknownSize, u"unknown-size"},     {Kind::PartlyOutside, u"partly-outside"},
    {Kind::WhollyOutside, u"wholly-outside"}, {Kind::BadColour, u"bad-colour"},
    {Kind::BadNumber, u"bad-number"},         {Kind::NotPackable, u"not-packable"},
};

QString kindName(Kind kind)
{
    for (const KindName &row : kKindNames) {
        if (row.kind == kind) {
            return row.name.toString();
        }
    }
    return {};
}

// The first image of an element (the background, a button's normal image, a
// slider's thumb) is the one the editor's save insists on; the others may be
// left out.
bool isRequired(const WmsFields::Field &field)
{
    return field.image == &clsElement::getUpimage;
}

// A name no file system can hold names no file.
bool isListed(const QString &path)
{
    return tryValue([&] { return isListedFile(path); }).value_or(false);
}

// The size the header reader told, or nothing; a header that overflows or
// breaks off tells no size either.
std::optional<QSize> headerSize(const std::optional<ImageSize> &size)
{
    if (size && size->format != 0 && size->width > 0 && size->height > 0) {
        return QSize(size->width, size->height);
    }
    return std::nullopt;
}

bool isColour(const QString &text)
{
    if (text.size() != 7 || text.front() != u'#') {
        return false;
    }
    return std::all_of(text.begin() + 1, text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
    });
}

bool isPlace(const QString &text)
{
    return WmsFields::placeValue(text).has_value();
}

// A whole number, written in digits, that no place or size can be.
bool isOutOfRange(const QString &text)
{
    const QStringView digits = QStringView(text).mid(text.startsWith(u'-') ? 1 : 0);
    return !digits.isEmpty() && !isPlace(text) &&
           std::all_of(digits.begin(), digits.end(),
                       [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A list reads its value as the editor's number fields read theirs.
std::optional<qint16> listNumber(const QString &text)
{
    return tryValue([&] { return clsFunction::toInteger16(text); });
}

bool isListEntry(const WmsFields::ListEntries &entries, const QString &text)
{
    return WmsFields::listPosition(entries, text).has_value();
}

// Whether a value keeps to what the editor's panels take.
bool follows(const WmsFields::Field &field, const QString &value)
{
    switch (field.rule) {
    case WmsFields::Rule::Any:
        return true;
    case WmsFields::Rule::Colour:
        return isColour(value);
    case WmsFields::Rule::ColourOrNone:
        return value == u"none"_s || isColour(value);
    case WmsFields::Rule::Number:
        return isPlace(value);
    case WmsFields::Rule::NumberOrEmpty:
        return value.isEmpty() || isPlace(value);
    case WmsFields::Rule::ListEntry:
        return isListEntry(*field.entries, value);
    }
    return false;
}

// The list the editor chooses a finding's value from; null for a field
// without one.
const WmsFields::ListEntries *listOf(const SkinFinding &finding)
{
    for (const WmsFields::Field &field : WmsFields::fieldsOf(elementSlot(finding.slot).family)) {
        if (field.attribute == finding.attribute) {
            return field.entries;
        }
    }
    return nullptr;
}

// A list value that is a number, but names none of the list's entries.
const WmsFields::ListEntries *outsideList(const SkinFinding &finding)
{
    const WmsFields::ListEntries *entries = listOf(finding);
    return entries && listNumber(finding.value) ? entries : nullptr;
}

bool isColourRule(WmsFields::Rule rule)
{
    return rule == WmsFields::Rule::Colour || rule == WmsFields::Rule::ColourOrNone;
}

class Checker {
public:
    explicit Checker(const clsFileControl &document, KeptPictures *kept = nullptr)
        : m_document(document), m_pictures(kept)
    {
    }

    QList<SkinFinding> run();

private:
    void checkValues(const ElementSlot &slot, const clsElement &record);
    std::optional<QSize> checkImages(const ElementSlot &slot, const clsElement &record);
    std::optional<QSize> checkImage(const ElementSlot &slot, const WmsFields::Field &field,
                                    const QString &path);
    void checkPlace(const ElementSlot &slot, const QRect &place, const QSize &background);
    void add(SkinFinding finding) { m_findings.append(std::move(finding)); }

    const clsFileControl &m_document;
    PictureCache m_pictures;
    QList<SkinFinding> m_findings;
    NamesByCase m_names; // the pictures' file names
};

// Where an element lies, from its record and the size of its first image;
// nothing when that image's size is unknown (already a finding).
std::optional<QRect> placeOf(ElementFamily family, const clsElement &record,
                             std::optional<QSize> firstImage)
{
    const int left = clsFunction::NulltoZero(record.getLeft());
    const int top = clsFunction::NulltoZero(record.getTop());
    int width = clsFunction::NulltoZero(record.getWidth());
    int height = clsFunction::NulltoZero(record.getHeight());
    switch (family) {
    case ElementFamily::Button:
        if (!firstImage) {
            return std::nullopt;
        }
        width = firstImage->width();
        height = firstImage->height();
        break;
    case ElementFamily::Slider:
        // A slider without a length of its own is as long as its thumb.
        if (firstImage) {
            width = width > 0 ? width : firstImage->width();
            height = height > 0 ? height : firstImage->height();
        }
        break;
    case ElementFamily::TrackName:
        height = 0; // one line of text: only its top edge is placed
        break;
    default:
        break;
    }
    return QRect(left, top, qMax(width, 0), qMax(height, 0));
}

QList<SkinFinding> Checker::run()
{
    const ElementSlot &view = elementSlot(Slot::View);
    checkValues(view, *m_document.getElement(Slot::View));
    const std::optional<QSize> background = checkImages(view, *m_document.getElement(Slot::View));
    for (const ElementSlot &slot : kElementSlots) {
        if (slot.family == ElementFamily::Theme || slot.family == ElementFamily::View) {
            continue;
        }
        const std::shared_ptr<const clsElement> record = m_document.getElement(slot.index);
        // The video area shares the effects area's record: check it once.
        if (record->getExistFlag() != 1 ||
            (slot.index == Slot::Video && record == m_document.getElement(Slot::Effects))) {
            continue;
        }
        checkValues(slot, *record);
        const std::optional<QSize> firstImage = checkImages(slot, *record);
        const std::optional<QRect> place = placeOf(slot.family, *record, firstImage);
        if (background && place) {
            checkPlace(slot, *place, *background);
        }
    }
    return m_findings;
}

void Checker::checkValues(const ElementSlot &slot, const clsElement &record)
{
    for (const WmsFields::Field &field : WmsFields::fieldsOf(slot.family)) {
        if (!field.get) {
            continue;
        }
        const QString value = (record.*field.get)();
        if (!follows(field, value)) {
            SkinFinding finding;
            finding.kind = isColourRule(field.rule) ? Kind::BadColour : Kind::BadNumber;
            finding.slot = slot.index;
            finding.element = slot.tag.toString();
            finding.attribute = field.attribute.toString();
            finding.value = value;
            add(finding);
        }
    }
}

// Checks every image the element names; the size of its first image when
// that one is sound.
std::optional<QSize> Checker::checkImages(const ElementSlot &slot, const clsElement &record)
{
    std::optional<QSize> first;
    for (const WmsFields::Field &field : WmsFields::fieldsOf(slot.family)) {
        if (!field.image) {
            continue;
        }
        const QString path = (record.*field.image)();
        if (path.isEmpty() && !isRequired(field)) {
            continue;
        }
        const std::optional<QSize> size = checkImage(slot, field, path);
        if (isRequired(field)) {
            first = size;
        }
    }
    return first;
}

std::optional<QSize> Checker::checkImage(const ElementSlot &slot, const WmsFields::Field &field,
                                         const QString &path)
{
    SkinFinding finding;
    finding.kind = Kind::MissingImage;
    finding.slot = slot.index;
    finding.element = slot.tag.toString();
    finding.attribute = field.attribute.toString();
    finding.image = QDir::toNativeSeparators(path);
    // A name the player's own system reads as a path or a device: the
    // skin cannot be packed, and unpacked there it would land elsewhere.
    // So is a name that differs from another picture's in case only: unpacked
    // there, both would be one file.
    const QString name = QFileInfo(path).fileName();
    const std::optional<QString> twin = name.isEmpty() ? std::nullopt : m_names.meet(name);
    if (const std::optional<QString> why = name.isEmpty()          ? std::nullopt
                                           : twin && *twin != name ? caseTwinReason(*twin)
                                                                   : unsafeEntryNameReason(name)) {
        SkinFinding unsafe = finding;
        unsafe.kind = Kind::UnsafeName;
        unsafe.value = *why;
        add(unsafe);
    }
    if (!isListed(path)) {
        add(finding);
        return std::nullopt;
    }
    // Gone since it was listed, too large or too costly to decode: no picture either.
    const Picture picture = m_pictures.picture(path);
    if (picture.image.isNull()) {
        finding.kind = m_pictures.linksOutside(path) ? Kind::OutsideLink : Kind::UndecodableImage;
        add(finding);
        return std::nullopt;
    }
    // Told of the file that was decoded, not of whatever the name leads to now.
    const std::optional<QSize> size = headerSize(picture.header);
    if (!size) {
        finding.kind = Kind::UnknownSize;
        add(finding);
    }
    return size;
}

void Checker::checkPlace(const ElementSlot &slot, const QRect &place, const QSize &background)
{
    // An element without extent is a point at its top-left corner.
    const int right = place.x() + qMax(place.width(), 1);
    const int bottom = place.y() + qMax(place.height(), 1);
    const bool wholly = place.x() >= background.width() || place.y() >= background.height() ||
                        right <= 0 || bottom <= 0;
    const bool partly = place.x() < 0 || place.y() < 0 || right > background.width() ||
                        bottom > background.height();
    if (wholly || partly) {
        SkinFinding finding;
        finding.kind = wholly ? Kind::WhollyOutside : Kind::PartlyOutside;
        finding.slot = slot.index;
        finding.element = slot.tag.toString();
        finding.place = place;
        finding.background = background;
        add(finding);
    }
}

} // namespace

QString SkinFinding::message(const QString &field, const QString &picture) const
{
    switch (kind) {
    case Kind::MissingImage:
        if (image.isEmpty()) {
            return u"画像ファイルが指定されていません"_s;
        }
        return QFileInfo::exists(image)
                   ? u"画像ファイル「%1」は隠しファイルか、通常のファイルではありません"_s.arg(
                         picture)
                   : u"画像ファイル「%1」が存在しません"_s.arg(picture);
    case Kind::UndecodableImage:
        return u"画像ファイル「%1」を画像として読み込めません"_s.arg(picture);
    case Kind::OutsideLink:
        return u"画像ファイル「%1」は%2"_s.arg(picture, SkinFolder::refusalText());
    case Kind::UnsafeName:
        // The name as the archive would hold it, whatever the path.
        return u"画像ファイル名「%1」は WMZ に入れられません（%2）"_s.arg(
            QFileInfo(image).fileName(), value);
    case Kind::UnknownSize:
        return u"画像ファイル「%1」の大きさがヘッダーから分かりません"_s.arg(picture);
    case Kind::BadColour:
        return u"%1「%2」は #RRGGBB の色ではありません"_s.arg(field, value);
    case Kind::BadNumber:
        if (const WmsFields::ListEntries *entries = outsideList(*this)) {
            return u"%1「%2」は一覧にない値です（%3 から %4 まで）"_s.arg(
                field, value, QString::number(entries->first), QString::number(entries->last));
        }
        if (!listOf(*this) && isOutOfRange(value)) {
            return u"%1「%2」は範囲外です（0 から %3 まで）"_s.arg(field, value)
                .arg(WmsFields::kMaxPlace);
        }
        return value.isEmpty() ? u"%1が入力されていません"_s.arg(field)
                               : u"%1「%2」は整数ではありません"_s.arg(field, value);
    case Kind::NotPackable:
        return value;
    case Kind::PartlyOutside:
    case Kind::WhollyOutside:
        return u"%1（LEFT %2、TOP %3、%4 x %5。背景画像は %6 x %7）"_s
            .arg(kind == Kind::PartlyOutside ? u"背景画像からはみ出しています"_s
                                             : u"背景画像の外にあります"_s)
            .arg(place.x())
            .arg(place.y())
            .arg(place.width())
            .arg(place.height())
            .arg(background.width())
            .arg(background.height());
    }
    return {};
}

QString SkinFinding::message() const
{
    return message(attribute, QFileInfo(image).fileName());
}

// A value's finding names its attribute in the message; a picture's is
// told apart by the attribute before it.
QString SkinFinding::describe() const
{
    const bool picture = !attribute.isEmpty() && kind != Kind::BadColour && kind != Kind::BadNumber;
    return (picture ? element + u' ' + attribute : element) + u": "_s + message(attribute, image);
}

QJsonObject SkinFinding::toJson() const
{
    QJsonObject object{
        {u"kind"_s, kindName(kind)}, {u"element"_s, element}, {u"message"_s, describe()}};
    if (kind == Kind::BadColour || kind == Kind::BadNumber) {
        object.insert(u"attribute"_s, attribute);
        object.insert(u"value"_s, value);
    } else if (!attribute.isEmpty()) {
        object.insert(u"attribute"_s, attribute);
        object.insert(u"image"_s, image);
    }
    if (kind == Kind::UnsafeName) {
        object.insert(u"reason"_s, value);
    }
    if (kind == Kind::PartlyOutside || kind == Kind::WhollyOutside) {
        object.insert(u"place"_s, QJsonObject{{u"left"_s, place.x()},
                                              {u"top"_s, place.y()},
                                              {u"width"_s, place.width()},
                                              {u"height"_s, place.height()}});
        object.insert(u"background"_s, QJsonObject{{u"width"_s, background.width()},
                                                   {u"height"_s, background.height()}});
    }
    return object;
}

std::optional<SkinFinding> packingFinding(const QString &wmsPath)
{
    const QFileInfo skin(wmsPath);
    const QString folder = QDir::toNativeSeparators(skin.absolutePath()) + QDir::separator();
    const std::variant<PackPlan::Plan, PackFailure> plan =
        PackPlan::make(folder, skin.fileName(), PackPlan::archiveNameFor(skin.fileName()));
    const PackFailure *failure = std::get_if<PackFailure>(&plan);
    if (!failure || failure->kind != PackFailure::Kind::BeyondUnpacking) {
        return std::nullopt;
    }
    SkinFinding finding;
    finding.kind = Kind::NotPackable;
    finding.slot = Slot::Theme;
    finding.element = skin.fileName();
    finding.value = failure->message();
    return finding;
}

QString SkinSummary::describe(const QString &skin) const
{
    return u"%1: 問題は見つかりませんでした（要素 %2 個、画像 %3 個を確認）"_s.arg(
        skin, QString::number(elements), QString::number(pictures));
}

QList<SkinFinding> checkSkin(const clsFileControl &document, KeptPictures *kept)
{
    return Checker(document, kept).run();
}

SkinSummary summarizeSkin(const clsFileControl &document)
{
    SkinSummary summary;
    QSet<QString> pictures;
    QSet<const clsElement *> counted; // the video area shares the effects area's record
    for (const ElementSlot &slot : kElementSlots) {
        const std::shared_ptr<const clsElement> record = document.getElement(slot.index);
        if (slot.family == ElementFamily::Theme ||
            (slot.family != ElementFamily::View && record->getExistFlag() != 1) ||
            counted.contains(record.get())) {
            continue;
        }
        counted.insert(record.get());
        ++summary.elements;
        for (const WmsFields::Field &field : WmsFields::fieldsOf(slot.family)) {
            if (field.image && !((*record).*field.image)().isEmpty()) {
                pictures.insert(((*record).*field.image)());
            }
        }
    }
    summary.pictures = int(pictures.size());
    return summary;
}
