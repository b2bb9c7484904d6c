#include "WmsFields.h"
#include "WmsSyntax.h"
#include "document/clsFileControl.h"
#include "util/AnsiText.h"
#include "util/AppError.h"
#include "util/MessageSink.h"
#include "util/Paths.h"
#include "util/UserFile.h"

using namespace Qt::StringLiterals;

namespace {

// After the theme, in this order. The video line is not read: the video area
// shares the effects area's record.
constexpr qint16 kReadOrder[] = {
    Slot::View,          Slot::PlayButton,     Slot::StopButton,   Slot::CloseButton,
    Slot::NextButton,    Slot::PrevButton,     Slot::PauseButton,  Slot::RepeatButton,
    Slot::ShuffleButton, Slot::MinimizeButton, Slot::ReturnButton, Slot::SeekSlider,
    Slot::VolumeSlider,  Slot::BalanceSlider,  Slot::Playlist,     Slot::TrackNameText,
    Slot::Effects,
};

// Line numbers were 16-bit; a longer file is not one of ours.
constexpr qsizetype kMaxLines = 32767;

const QString &kTitle = kOpenFileTitle;
const QString kThemeId = u"velmora"_s;

// The element text from the tag's "<" on, or empty when no line holds the tag.
QStringView findElementText(const QStringList &lines, QStringView tag)
{
    for (const QString &line : lines) {
        const qsizetype at = WmsSyntax::findElement(line, tag);
        if (at >= 0) {
            return QStringView(line).mid(at);
        }
    }
    return {};
}

// The writer names images by their bare file names. A value with a folder
// part ("/" is one on every platform), or one that names a folder itself,
// would reach outside the skin's folder.
bool isPlainFileName(const QString &value)
{
    return !value.contains(u'/') && !value.contains(Paths::separator()) && value != u"."_s &&
           value != u".."_s;
}

// A value, empty when absent; a broken line throws.
QString valueOf(const WmsSyntax::Attributes &attributes, QStringView name)
{
    QString value;
    if (attributes.find(name, &value) == WmsSyntax::Lookup::Broken) {
        throw AppError(AppError::InvalidArgument, name.toString());
    }
    return value;
}

} // namespace

QString clsFileControl::getAttribute(QStringView line, QStringView name) const
{
    return valueOf(WmsSyntax::Attributes(line), name);
}

QString clsFileControl::imagePath(const QString &value, const QString &current) const
{
    if (value.isEmpty()) {
        return current;
    }
    if (!isPlainFileName(value)) {
        throw AppError(AppError::InvalidArgument, value);
    }
    return m_skinFolder + value;
}

void clsFileControl::readFields(QStringView line, clsElement &record,
                                std::span<const WmsFields::Field> fields)
{
    record.setExistFlag(1);
    // The line is walked once for all its fields.
    const WmsSyntax::Attributes attributes(line);
    for (const WmsFields::Field &field : fields) {
        QString value = valueOf(attributes, field.attribute);
        if (field.image) {
            value = imagePath(value, (record.*field.image)());
        }
        (record.*field.set)(value);
    }
}

// One line fills the effects area and the video area alike: both slots then
// hold one record, as the editor keeps them.
void clsFileControl::readElement(qint16 intPart, QStringView line)
{
    const ElementFamily family = elementSlot(intPart).family;
    if (family == ElementFamily::Theme) {
        m_themeId = getAttribute(line, u"id");
    }
    const bool video = family == ElementFamily::VideoEffects;
    const std::shared_ptr<clsElement> record = getElement(video ? Slot::Effects : intPart);
    readFields(line, *record, WmsFields::fieldsOf(family));
    if (video) {
        setElement(record, Slot::Video);
    }
}

bool clsFileControl::readFile(const QString &pstrFileStr)
{
    const std::optional<QByteArray> bytes =
        UserFile::readAll(pstrFileStr, WmsSyntax::kMaxFileBytes);
    if (!bytes) {
        m_messages.showMessage(u"ファイルのオープンに失敗しました"_s, kTitle,
                               MessageIcon::Information);
        return false;
    }
    return readBytes(*bytes, pstrFileStr);
}

bool clsFileControl::readBytes(const QByteArray &bytes, const QString &pstrFileStr)
{
    bool hasFolder = false;
    const QString folder = Paths::beforeLast(pstrFileStr, Paths::separatorText(), &hasFolder);
    const QStringList lines = AnsiText::splitLines(AnsiText::decode(bytes));
    if (!hasFolder || lines.size() > kMaxLines) {
        m_messages.showMessage(u"ファイルのオープンに失敗しました"_s, kTitle,
                               MessageIcon::Information);
        return false;
    }
    m_themeId.clear();
    m_skinFolder = folder + Paths::separator();

    try {
        const QStringView theme = findElementText(lines, u"theme");
        if (!theme.isEmpty()) {
            readElement(Slot::Theme, theme);
        }
        if (theme.isEmpty() || m_themeId != kThemeId) {
            m_messages.showMessage(u"編集不可能なスキンファイルです"_s, kTitle,
                                   MessageIcon::Information);
            return false;
        }
        for (const qint16 slot : kReadOrder) {
            const QStringView element = findElementText(lines, elementSlot(slot).tag);
            if (!element.isEmpty()) {
                readElement(slot, element);
            }
        }
    } catch (const AppError &) {
        m_messages.showMessage(u"要素の取得に失敗しました"_s, kTitle, MessageIcon::Information);
        return false;
    }
    return true;
}
