// The WMS reader on any bytes as a file: it ends in true with no message or in
// false with exactly one of its own three, never a crash or a hang; what it
// accepts has a theme, and every image it names is a file of the skin's
// folder itself, never one reached through a folder part or "..".

#include "FuzzSupport.h"
#include "RecordingMessageSink.h"
#include "document/clsFileControl.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList kMessages = {
    u"ファイルのオープンに失敗しました"_s,
    u"編集不可能なスキンファイルです"_s,
    u"要素の取得に失敗しました"_s,
};

const clsElement::Getter kImages[] = {&clsElement::getUpimage, &clsElement::getDownimage,
                                      &clsElement::getHoverimage};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString folder = scratchFolder() + u'/';
    const QString path = folder + u"skin.wms"_s;
    writeScratchFile(path, FuzzInput::bytes(data, size));

    RecordingMessageSink messages;
    clsFileControl doc(messages);
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        doc.getElement(slot)->initMember();
    }
    const bool read = doc.readFile(path);

    if (!read) {
        FUZZ_CHECK(messages.messages.size() == 1, QString::number(messages.messages.size()));
        FUZZ_CHECK(kMessages.contains(messages.last().text), messages.last().text);
        FUZZ_CHECK(messages.last().title == u"ファイルを開く"_s, messages.last().title);
        return 0;
    }
    FUZZ_CHECK(messages.messages.isEmpty(), messages.last().text);
    FUZZ_CHECK(doc.getElement(Slot::Theme)->getExistFlag() == 1, QString());
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        for (const clsElement::Getter image : kImages) {
            const QString value = ((*doc.getElement(slot)).*image)();
            const QString name = value.mid(folder.size());
            FUZZ_CHECK(value.isEmpty() || (value.startsWith(folder) && !name.contains(u'/') &&
                                           name != u"."_s && name != u".."_s),
                       value);
        }
    }
    return 0;
}
