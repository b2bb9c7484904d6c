#include "ArchiveCheck.h"

#include "util/AnsiText.h"
#include "util/EntryName.h"

#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace ArchiveCheck {

namespace {

// The systems whose attributes carry a Unix file mode in their upper half,
// and the mode's file types.
constexpr quint8 kMadeOnUnix = 3;
constexpr quint8 kMadeOnMacOsX = 19;
constexpr quint32 kTypeMask = 0170000;
constexpr quint32 kRegular = 0100000;
constexpr quint32 kFolder = 0040000;
constexpr quint32 kLink = 0120000;
// The DOS attributes every archiver writes in the lower byte.
constexpr quint32 kDosFolder = 0x10;
constexpr quint32 kDosReparsePoint = 0x400;

std::optional<QString> utf8Text(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    return decoder.hasError() ? std::nullopt : std::optional(text);
}

// A name this system can write under the same bytes and the skin's reader
// can find again: UTF-8, or what windows-31j encodes back to the same bytes.
bool isReadableName(const QByteArray &name)
{
    return utf8Text(name) || AnsiText::encode(AnsiText::decode(name)) == name;
}

bool isSkinFileName(const QString &name)
{
    return name.endsWith(u".wms"_s, Qt::CaseInsensitive);
}

// Control characters would act on the terminal or break the message's line.
QString shownName(const QString &name)
{
    QString shown;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            shown += u"\\x"_s + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        } else {
            shown += c;
        }
    }
    return shown;
}

std::optional<QString> kindReason(const Entry &entry)
{
    switch (entry.kind) {
    case Kind::File:
        break;
    case Kind::Folder:
        return u"フォルダです"_s;
    case Kind::Link:
        return u"リンクです"_s;
    case Kind::Device:
        return u"通常のファイルではありません（デバイスなど）"_s;
    }
    if (entry.encrypted) {
        return u"暗号化されています"_s;
    }
    if (!entry.supportedMethod) {
        return u"対応していない圧縮方式です"_s;
    }
    return std::nullopt;
}

std::optional<QString> sizeReason(const Entry &entry)
{
    if (entry.size > kLimits.entryBytes) {
        return u"展開すると %1 MB を超えます"_s.arg(kLimits.entryBytes >> 20);
    }
    // packed * ratio < size, without overflow.
    if (entry.size > kLimits.ratioFromBytes &&
        entry.packedSize <= (entry.size - 1) / kLimits.ratio) {
        return u"圧縮率が 1:%1 を超えています（圧縮爆弾の疑い）"_s.arg(kLimits.ratio);
    }
    return std::nullopt;
}

Verdict refuse(const QString &subject, const QString &reason, bool wholeArchive = false)
{
    return {Refusal{subject, reason, wholeArchive}, -1};
}

Verdict tooManyEntries()
{
    return refuse({}, u"エントリが %1 を超えています"_s.arg(kLimits.entries), true);
}

} // namespace

Kind kindOf(quint8 madeBy, quint32 attributes, const QByteArray &name)
{
    if (name.endsWith('/')) {
        return Kind::Folder;
    }
    if (madeBy == kMadeOnUnix || madeBy == kMadeOnMacOsX) {
        // Archivers on Unix that keep no mode write zero there: a plain file.
        switch (attributes >> 16 & kTypeMask) {
        case 0:
        case kRegular:
            break;
        case kFolder:
            return Kind::Folder;
        case kLink:
            return Kind::Link;
        default:
            return Kind::Device;
        }
    }
    if (attributes & kDosFolder) {
        return Kind::Folder;
    }
    if (attributes & kDosReparsePoint) {
        return Kind::Link;
    }
    return Kind::File;
}

QString nameText(const QByteArray &name)
{
    if (std::optional<QString> text = utf8Text(name)) {
        return *text;
    }
    return AnsiText::decode(name);
}

QString Refusal::message(const QString &archiveName) const
{
    if (wholeArchive) {
        return u"WMZファイルを展開できません（%1）：%2"_s.arg(reason, shownName(archiveName));
    }
    return u"WMZファイルを展開できません：%1\r\nエントリ「%2」：%3"_s.arg(
        shownName(archiveName), shownName(subject), reason);
}

std::optional<Refusal> checkDeclared(quint64 entries, quint64 directoryBytes)
{
    if (entries > quint64(kLimits.entries)) {
        return tooManyEntries().refusal;
    }
    if (directoryBytes > kLimits.directoryBytes) {
        return Refusal{
            {}, u"ファイルの一覧が %1 MB を超えています"_s.arg(kLimits.directoryBytes >> 20), true};
    }
    return std::nullopt;
}

Verdict check(const QList<Entry> &entries)
{
    if (entries.size() > kLimits.entries) {
        return tooManyEntries();
    }
    NamesByCase seen;
    quint64 total = 0;
    qsizetype skinEntry = -1;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const Entry &entry = entries.at(i);
        const QString name = nameText(entry.name);
        if (const std::optional<QString> why = kindReason(entry)) {
            return refuse(name, *why);
        }
        if (!isReadableName(entry.name)) {
            return refuse(name, u"名前が UTF-8 でも windows-31j でもありません"_s);
        }
        if (const std::optional<QString> why = unsafeEntryNameReason(name)) {
            return refuse(name, *why);
        }
        if (const std::optional<QString> first = seen.meet(name)) {
            return refuse(name, *first == name ? u"同じ名前のエントリが二つあります"_s
                                               : caseTwinReason(shownName(*first)));
        }
        if (const std::optional<QString> why = sizeReason(entry)) {
            return refuse(name, *why);
        }
        total += entry.size; // each at most the entry limit: no overflow
        if (total > kLimits.totalBytes) {
            return refuse(
                {}, u"展開すると合わせて %1 MB を超えます"_s.arg(kLimits.totalBytes >> 20), true);
        }
        if (isSkinFileName(name)) {
            if (skinEntry >= 0) {
                return refuse(name, u"WMSファイルが二つ以上あります（もう一つは「%1」）"_s.arg(
                                        shownName(nameText(entries.at(skinEntry).name))));
            }
            skinEntry = i;
        }
    }
    if (skinEntry < 0) {
        return refuse({}, u"WMSファイルがありません"_s, true);
    }
    return {std::nullopt, skinEntry};
}

} // namespace ArchiveCheck
