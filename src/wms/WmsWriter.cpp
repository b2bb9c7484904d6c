#include "WmsSyntax.h"
#include "document/clsFileControl.h"
#include "util/AnsiText.h"
#include "util/DiskFull.h"
#include "util/MessageSink.h"
#include "util/Paths.h"
#include "util/WriteAll.h"
#include "util/clsFunction.h"

#include <QDir>
#include <QSaveFile>
#include <exception>
#include <span>

using namespace Qt::StringLiterals;

namespace {

// How one attribute gets its value.
enum class Value {
    Member,   // the record's text as it is
    Trimmed,  // without leading and trailing blanks
    FileName, // the image path's last part
    Constant, // fixed text
};

// Which record a Member, Trimmed or FileName value comes from.
enum class Source { Own, Theme };

struct AttributeSource {
    QStringView name;
    Value kind;
    clsElement::Getter get = nullptr;
    QStringView constant = {};
    Source source = Source::Own;
};

using Rows = std::span<const AttributeSource>;

constexpr AttributeSource kThemeRows[] = {
    {u"id", Value::Constant, nullptr, u"velmora"},
    {u"title", Value::Trimmed, &clsElement::getTitle},
    {u"author", Value::Trimmed, &clsElement::getAuthor},
    {u"copyright", Value::Trimmed, &clsElement::getCopyright},
};

// The view shows the skin's title, which lives in the theme record.
constexpr AttributeSource kViewRows[] = {
    {u"title", Value::Trimmed, &clsElement::getTitle, {}, Source::Theme},
    {u"titlebar", Value::Member, &clsElement::getTitlebar},
    {u"backgroundimage", Value::FileName, &clsElement::getUpimage},
    {u"transparencycolor", Value::Member, &clsElement::getTranscolor},
    {u"backgroundcolor", Value::Constant, nullptr, u"none"},
};

// The pressed image doubles as the disabled image.
constexpr AttributeSource kButtonRows[] = {
    {u"top", Value::Member, &clsElement::getTop},
    {u"left", Value::Member, &clsElement::getLeft},
    {u"transparencycolor", Value::Member, &clsElement::getTranscolor},
    {u"image", Value::FileName, &clsElement::getUpimage},
    {u"disabledimage", Value::FileName, &clsElement::getDownimage},
    {u"downimage", Value::FileName, &clsElement::getDownimage},
    {u"hoverimage", Value::FileName, &clsElement::getHoverimage},
    {u"cursor", Value::Constant, nullptr, u"hand"},
};

// A slider keeps its background image in Hoverimage and its thumb in Upimage.
constexpr AttributeSource kSliderRows[] = {
    {u"top", Value::Member, &clsElement::getTop},
    {u"left", Value::Member, &clsElement::getLeft},
    {u"width", Value::Member, &clsElement::getWidth},
    {u"height", Value::Member, &clsElement::getHeight},
    {u"transparencycolor", Value::Member, &clsElement::getTranscolor},
    {u"backgroundimage", Value::FileName, &clsElement::getHoverimage},
    {u"thumbimage", Value::FileName, &clsElement::getUpimage},
    {u"bordersize", Value::Member, &clsElement::getBordersize},
    {u"direction", Value::Member, &clsElement::getDirection},
};

constexpr AttributeSource kPlaylistRows[] = {
    {u"top", Value::Member, &clsElement::getTop},
    {u"left", Value::Member, &clsElement::getLeft},
    {u"width", Value::Member, &clsElement::getWidth},
    {u"height", Value::Member, &clsElement::getHeight},
    {u"foregroundcolor", Value::Member, &clsElement::getForecolor},
    {u"backgroundcolor", Value::Member, &clsElement::getBackcolor},
    {u"dropdownvisible", Value::Member, &clsElement::getDropdownvis},
    {u"columnsvisible", Value::Constant, nullptr, u"false"},
    {u"columns", Value::Constant, nullptr, u"name=Name;Duration=Time"},
    {u"playlistitemsvisible", Value::Constant, nullptr, u"True"},
};

constexpr AttributeSource kTrackNameRows[] = {
    {u"top", Value::Member, &clsElement::getTop},
    {u"left", Value::Member, &clsElement::getLeft},
    {u"width", Value::Member, &clsElement::getWidth},
    {u"fontsize", Value::Member, &clsElement::getFontsize},
    {u"foregroundcolor", Value::Member, &clsElement::getForecolor},
    {u"backgroundcolor", Value::Member, &clsElement::getBackcolor},
    {u"scrolling", Value::Member, &clsElement::getScrolling},
    {u"scrollingamount", Value::Member, &clsElement::getScrollamt},
};

// The effects area lies above the video area.
constexpr AttributeSource kEffectsRows[] = {
    {u"zindex", Value::Constant, nullptr, u"2"},
    {u"top", Value::Member, &clsElement::getTop},
    {u"left", Value::Member, &clsElement::getLeft},
    {u"width", Value::Member, &clsElement::getWidth},
    {u"height", Value::Member, &clsElement::getHeight},
    {u"visible", Value::Constant, nullptr, u"True"},
};

constexpr AttributeSource kVideoRows[] = {
    {u"zindex", Value::Constant, nullptr, u"1"},
    {u"top", Value::Member, &clsElement::getTop},
    {u"left", Value::Member, &clsElement::getLeft},
    {u"width", Value::Member, &clsElement::getWidth},
    {u"height", Value::Member, &clsElement::getHeight},
    {u"visible", Value::Constant, nullptr, u"True"},
};

// Lines in file order; the seek slider comes before the volume slider, and
// the effects area before the video area.
constexpr qint16 kLineOrder[] = {
    Slot::Theme,         Slot::View,          Slot::PlayButton,     Slot::StopButton,
    Slot::CloseButton,   Slot::NextButton,    Slot::PrevButton,     Slot::PauseButton,
    Slot::RepeatButton,  Slot::ShuffleButton, Slot::MinimizeButton, Slot::ReturnButton,
    Slot::SeekSlider,    Slot::VolumeSlider,  Slot::BalanceSlider,  Slot::Playlist,
    Slot::TrackNameText, Slot::Effects,       Slot::Video,
};

// The theme and view open the file and stay open; every control closes itself.
constexpr QStringView kOpenEnd = u">";
constexpr QStringView kEmptyEnd = u"/>";
const QString kCrLf = u"\r\n"_s;
// Room for a line of the writer with most of its values short: the whole
// text seldom needs to grow.
constexpr qsizetype kLineCapacity = 256;

QString valueOf(const AttributeSource &row, const clsElement &own, const clsElement &theme)
{
    if (row.kind == Value::Constant) {
        return row.constant.toString();
    }
    const clsElement &record = row.source == Source::Theme ? theme : own;
    const QString text = (record.*row.get)();
    switch (row.kind) {
    case Value::Trimmed:
        return clsFunction::trimBlanks(text);
    case Value::FileName:
        return Paths::fileName(text);
    default:
        return text;
    }
}

// Appends "<tag name="value" ...>" or "/>", with its line end, to line:
// piece by piece into the one buffer of the whole text.
void appendTagLine(QStringView tag, Rows rows, const clsElement &own, const clsElement &theme,
                   QStringView end, QString &line)
{
    line += u'<';
    line += tag;
    for (const AttributeSource &row : rows) {
        line += u' ';
        line += row.name;
        line += u"=\"";
        line += WmsSyntax::escapeValue(valueOf(row, own, theme));
        line += u'"';
    }
    line += end;
    line += kCrLf;
}

bool isPresent(const clsElement &record)
{
    return record.getExistFlag() == 1;
}

const QString kTitle = u"ファイル保存"_s;

// The attributes of each kind of line.
Rows rowsOf(qint16 slot)
{
    switch (elementSlot(slot).family) {
    case ElementFamily::Theme:
        return kThemeRows;
    case ElementFamily::View:
        return kViewRows;
    case ElementFamily::Button:
        return kButtonRows;
    case ElementFamily::Slider:
        return kSliderRows;
    case ElementFamily::Playlist:
        return kPlaylistRows;
    case ElementFamily::TrackName:
        return kTrackNameRows;
    case ElementFamily::VideoEffects:
        return slot == Slot::Effects ? kEffectsRows : kVideoRows;
    }
    return {};
}

} // namespace

// One element's line, none for a control that is not present.
void clsFileControl::appendLine(qint16 intPart, QString &text) const
{
    const ElementSlot &slot = elementSlot(intPart);
    const clsElement &record = *getElement(intPart);
    const bool opensFile =
        slot.family == ElementFamily::Theme || slot.family == ElementFamily::View;
    if (!opensFile && !isPresent(record)) {
        return;
    }
    appendTagLine(slot.tag, rowsOf(intPart), record, *getElement(Slot::Theme),
                  opensFile ? kOpenEnd : kEmptyEnd, text);
}

// The file ends with a line end after "</theme>", like every other line: the
// player does not mind, and line-oriented tools then see a complete last line.
QString clsFileControl::makeWmsText() const
{
    QString text;
    text.reserve(kLineCapacity * qsizetype(std::size(kLineOrder)));
    for (const qint16 slot : kLineOrder) {
        appendLine(slot, text);
    }
    text += u"</view>"_s;
    text += kCrLf;
    text += u"</theme>"_s;
    text += kCrLf;
    return text;
}

std::optional<QByteArray> clsFileControl::wmsBytes()
{
    try {
        return AnsiText::encode(makeWmsText());
    } catch (const std::exception &) {
        m_messages.showMessage(u"WMSファイル作成に失敗しました"_s, kTitle,
                               MessageIcon::Information);
        return std::nullopt;
    }
}

bool clsFileControl::writeFile(const QString &pstrFileName, qint16 pintMode)
{
    const std::optional<QByteArray> wms = wmsBytes();
    if (!wms) {
        return false;
    }
    const QByteArray &bytes = *wms;

    QString target = pstrFileName;
    const bool newFolder = pintMode == 1;
    if (newFolder) {
        if (!QDir().mkdir(pstrFileName)) {
            m_messages.showMessage(u"フォルダの作成に失敗しました"_s, kTitle,
                                   MessageIcon::Information);
            return false;
        }
        target = skinFilePath(pstrFileName);
    }

    if (!saveBytes(target, bytes)) {
        // The folder was made for this save alone and is still empty; keeping
        // it would make the retry that the message asks for fail on the folder.
        if (newFolder) {
            QDir().rmdir(pstrFileName);
        }
        return false;
    }
    m_fileName = target;
    return true;
}

// Writes beside the target and swaps the file in only when every byte is on
// disk, so a failed save leaves the previous file as it was. The explicit
// flush matters: a write error met while commit() flushes is forgotten by
// QSaveFile, which would then put a short file in place.
bool clsFileControl::saveBytes(const QString &target, const QByteArray &bytes)
{
    QSaveFile file(target);
    if (file.open(QIODevice::WriteOnly) && writeAll(file, bytes.constData(), bytes.size()) &&
        file.flush() && file.commit()) {
        return true;
    }
    const bool full = isDiskFull(file);
    file.cancelWriting();
    m_messages.showMessage(full ? diskFullMessage() : u"ファイルの保存に失敗しました"_s, kTitle,
                           MessageIcon::Information);
    return false;
}
