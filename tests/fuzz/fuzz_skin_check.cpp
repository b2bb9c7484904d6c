// The skin check on any WMS text and any small pictures: field 0 is the WMS
// file, fields 1 to 4 the files a.bmp, b.gif, c.jpg and d.png beside it. The
// check never calls a skin clean that the reader refuses, or whose colours,
// list values or places the editor would refuse; and it never hangs or crashes on what
// the pictures hold.

#include "FuzzSupport.h"
#include "RecordingMessageSink.h"
#include "document/clsFileControl.h"
#include "render/SkinCheck.h"
#include "util/AppError.h"
#include "util/clsFunction.h"
#include "wms/WmsFields.h"

#include <QCoreApplication>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

const QString kPictures[] = {u"a.bmp"_s, u"b.gif"_s, u"c.jpg"_s, u"d.png"_s};

// The editor loads every colour of a record into a swatch and stops the
// whole open at one it cannot take.
bool editorTakesColour(const QString &text)
{
    try {
        clsFunction::getVBColor(text);
        return true;
    } catch (const AppError &) {
        return false;
    }
}

// The editor selects the entry a list value names, counted from the first;
// it stops the open at a value that is no number, or past either end (one
// before the first leaves the list without a selection).
bool editorTakesListValue(const QString &text, const WmsFields::ListEntries &entries)
{
    try {
        const int position = clsFunction::toInteger16(text) - entries.first;
        return position >= -1 && position <= entries.last - entries.first;
    } catch (const AppError &) {
        return false;
    }
}

// What the editor refuses in one present record: a colour its swatches
// cannot show, a value its lists cannot take, or no place where its save
// asks for one.
QString editorRefusal(qint16 slot, const clsElement &record)
{
    QStringList colours{record.getTranscolor()};
    if (slot == Slot::Playlist || slot == Slot::TrackNameText) {
        colours = {record.getForecolor()};
        if (slot == Slot::Playlist || record.getBackcolor() != u"none"_s) {
            colours.append(record.getBackcolor());
        }
    }
    const bool coloured =
        slot <= Slot::BalanceSlider || slot == Slot::Playlist || slot == Slot::TrackNameText;
    for (const QString &colour : colours) {
        if (coloured && !editorTakesColour(colour)) {
            return u"colour "_s + colour;
        }
    }
    if (slot == Slot::TrackNameText) {
        if (!editorTakesListValue(record.getFontsize(), WmsFields::kFontSizes)) {
            return u"font size "_s + record.getFontsize();
        }
        if (!editorTakesListValue(record.getScrollamt(), WmsFields::kScrollSpeeds)) {
            return u"scrolling speed "_s + record.getScrollamt();
        }
    }
    const bool placed = slot >= Slot::PlayButton;
    if (placed && (record.getTop().isEmpty() || record.getLeft().isEmpty())) {
        return u"no place"_s;
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Picture formats come from plug-ins, which want an application.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QList<QByteArray> fields = FuzzInput::fields(FuzzInput::bytes(data, size));
    const QString folder = scratchFolder() + u'/';
    const QString wms = folder + u"skin.wms"_s;
    writeScratchFile(wms, fields.value(0));
    for (qsizetype i = 0; i < std::ssize(kPictures); ++i) {
        const QString picture = folder + kPictures[i];
        if (i + 1 < fields.size()) {
            writeScratchFile(picture, fields.at(i + 1));
        } else {
            QFile::remove(picture);
        }
    }

    RecordingMessageSink messages;
    clsFileControl document(messages);
    const bool readable = document.readFile(wms);
    // As the check command decides its exit status.
    const bool clean = readable && checkSkin(document).isEmpty();
    if (!clean) {
        return 0;
    }
    FUZZ_CHECK(messages.messages.isEmpty(), messages.last().text);
    for (qint16 slot = Slot::View; slot <= Slot::Last; ++slot) {
        const clsElement &record = *document.getElement(slot);
        if (record.getExistFlag() == 1 || slot == Slot::View) {
            const QString refusal = editorRefusal(slot, record);
            FUZZ_CHECK(refusal.isEmpty(), elementSlot(slot).tag.toString() + u": "_s + refusal);
        }
    }
    return 0;
}
