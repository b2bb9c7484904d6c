#include "AnsiText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cstring>

namespace AnsiText {

namespace {

constexpr char kCodec[] = "windows-31j";

// Half of a surrogate pair alone: the code page would take the character
// after it along into its mark, so it becomes "?" itself first.
QString withoutLoneHalves(const QString &text)
{
    QString out = text;
    for (qsizetype at = 0; at < out.size(); ++at) {
        if (!out.at(at).isSurrogate()) {
            continue;
        }
        if (out.at(at).isHighSurrogate() && at + 1 < out.size() &&
            out.at(at + 1).isLowSurrogate()) {
            ++at;
        } else {
            out[at] = u'?';
        }
    }
    return out;
}

// Marks each character the code page lacked, a NUL byte, as "?".
void markLacking(char *from, char *const end)
{
    while ((from = static_cast<char *>(std::memchr(from, '\0', end - from)))) {
        *from++ = '?';
    }
}

} // namespace

QByteArray encode(const QString &text)
{
    if (!QStringView(text).isValidUtf16()) {
        return encode(withoutLoneHalves(text));
    }
    // One pass of the code page over the text: what it lacks comes out as a
    // NUL byte, which no other character is written as (a pair as one). NUL
    // itself is kept apart: the text is converted between its NULs.
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless |
                                       QStringConverter::Flag::ConvertInvalidToNull);
    QByteArray out;
    qsizetype size = 0;
    QStringView rest(text);
    for (;;) {
        const qsizetype nul = rest.indexOf(QChar(u'\0'));
        const QStringView piece = nul < 0 ? rest : rest.first(nul);
        out.resize(size + encoder.requiredSpace(piece.size()) + 1);
        char *const start = out.data() + size;
        char *const end = encoder.appendToBuffer(start, piece);
        markLacking(start, end);
        size = end - out.constData();
        if (nul < 0) {
            break;
        }
        out[size++] = '\0';
        rest = rest.sliced(nul + 1);
    }
    out.truncate(size);
    return out;
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodec);
    return decoder.decode(bytes);
}

std::optional<QString> changedByEncoding(const QString &text)
{
    QString stored = decode(encode(text));
    if (stored == text) {
        return std::nullopt;
    }
    return stored;
}

QStringList splitLines(const QString &text)
{
    // The next CR and the next LF are searched for apart, each a fast scan
    // of the text, and searched for again only once passed.
    QStringList lines;
    qsizetype start = 0;
    qsizetype cr = text.indexOf(u'\r');
    qsizetype lf = text.indexOf(u'\n');
    while (cr >= 0 || lf >= 0) {
        const qsizetype end = cr < 0 ? lf : lf < 0 ? cr : std::min(cr, lf);
        lines.append(text.mid(start, end - start));
        start = end == cr && lf == end + 1 ? end + 2 : end + 1;
        if (cr >= 0 && cr < start) {
            cr = text.indexOf(u'\r', start);
        }
        if (lf >= 0 && lf < start) {
            lf = text.indexOf(u'\n', start);
        }
    }
    if (start < text.size()) {
        lines.append(text.mid(start));
    }
    return lines;
}

} // namespace AnsiText
