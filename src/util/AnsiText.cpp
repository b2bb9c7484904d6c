#include "AnsiText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace AnsiText {

namespace {

constexpr char kCodec[] = "windows-31j";

bool isSurrogatePair(QStringView text, qsizetype at)
{
    return at + 1 < text.size() && text.at(at).isHighSurrogate() &&
           text.at(at + 1).isLowSurrogate();
}

// Appends text, a "?" for each character the code page cannot hold and
// nothing else lost. An encoder cannot say where it failed and its error
// sticks, so a failing piece is halved, each half with an encoder of its own:
// a few code page opens per failing character, where one per character made
// long texts slow to save.
void encodeInto(QStringView text, QByteArray &out)
{
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError()) {
        out += bytes;
        return;
    }
    if (text.size() == 1 || (text.size() == 2 && isSurrogatePair(text, 0))) {
        out += '?';
        return;
    }
    // A surrogate pair is one character and stays in one half.
    const qsizetype half = text.size() / 2 + (isSurrogatePair(text, text.size() / 2 - 1) ? 1 : 0);
    encodeInto(text.left(half), out);
    encodeInto(text.mid(half), out);
}

} // namespace

QByteArray encode(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    encodeInto(text, out);
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
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n') {
            continue;
        }
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < n) {
        lines.append(text.mid(start));
    }
    return lines;
}

} // namespace AnsiText
