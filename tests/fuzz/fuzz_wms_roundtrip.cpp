// Write, read, write: a document with any text in every member is written,
// read back into a document reset as the editor resets it, and written again;
// the two WMS texts must be byte for byte the same.

#include "DocumentInput.h"
#include "FuzzSupport.h"
#include "RecordingMessageSink.h"
#include "document/clsFileControl.h"
#include "util/AnsiText.h"
#include "wms/WmsSyntax.h"

using namespace Qt::StringLiterals;

namespace {

QString messagesOf(const RecordingMessageSink &sink)
{
    QStringList texts;
    for (const RecordingMessageSink::Message &m : sink.messages) {
        texts.append(m.title + u": "_s + m.text);
    }
    return texts.join(u'\n');
}

// The first line where two files part, for the report of a failed input.
QString firstDifference(const QByteArray &a, const QByteArray &b)
{
    const QList<QByteArray> linesA = a.split('\n');
    const QList<QByteArray> linesB = b.split('\n');
    for (qsizetype i = 0; i < qMax(linesA.size(), linesB.size()); ++i) {
        if (linesA.value(i) != linesB.value(i)) {
            return u"line %1\nfirst:  %2\nsecond: %3"_s.arg(i + 1).arg(
                QString::fromLatin1(linesA.value(i).toHex(' ')),
                QString::fromLatin1(linesB.value(i).toHex(' ')));
        }
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Through memory: the bytes writeFile would write, read as readFile reads
    // them. The files themselves have tests of their own.
    const QString path = u"/skin/skin.wms"_s;
    RecordingMessageSink messages;

    clsFileControl original(messages);
    DocumentInput::fill(original, QByteArrayView(data, static_cast<qsizetype>(size)));
    const std::optional<QByteArray> first = original.wmsBytes();
    FUZZ_CHECK(first, messagesOf(messages));

    clsFileControl reread(messages);
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        reread.getElement(slot)->initMember();
    }
    if (!reread.readBytes(*first, path)) {
        // The one refusal allowed: an image named "." or "..", the whole name
        // of a folder, which the reader never takes for a file of the skin.
        const QStringList names =
            WmsSyntax::imageNames(AnsiText::splitLines(AnsiText::decode(*first)));
        FUZZ_CHECK(names.contains(u"."_s) || names.contains(u".."_s), messagesOf(messages));
        FUZZ_CHECK(messages.messages.size() == 1 &&
                       messages.last().text == u"要素の取得に失敗しました"_s,
                   messagesOf(messages));
        return 0;
    }
    // The border size is the one member written but not read: the slider
    // panel works it out again from the thumb image. It gets back its value.
    for (const ElementSlot &slot : kElementSlots) {
        if (slot.family == ElementFamily::Slider) {
            reread.getElement(slot.index)
                ->setBordersize(original.getElement(slot.index)->getBordersize());
        }
    }
    const std::optional<QByteArray> second = reread.wmsBytes();
    FUZZ_CHECK(second, messagesOf(messages));
    FUZZ_CHECK(*first == *second, firstDifference(*first, *second));
    FUZZ_CHECK(messages.messages.isEmpty(), messagesOf(messages));
    return 0;
}
