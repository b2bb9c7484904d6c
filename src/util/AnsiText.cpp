#include "AnsiText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <vector>

namespace AnsiText {

namespace {

constexpr char kCodec[] = "windows-31j";

bool isSurrogatePair(QStringView text, qsizetype at)
{
    return at + 1 < text.size() && text.at(at).isHighSurrogate() &&
           text.at(at + 1).isLowSurrogate();
}

QByteArray encodeAlone(QStringView character)
{
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(character);
    return encoder.hasError() ? QByteArrayLiteral("?") : bytes;
}

// Appends the bytes of one character (a surrogate pair is one), "?" where
// the code page has none. Opening the code page costs far more than
// converting with it, and an encoder's error sticks, so each thread keeps
// what every 16-bit character it met became; pairs, which the code page
// never holds, are rare.
void appendCharacter(QStringView character, QByteArray &out)
{
    if (character.size() != 1) {
        out += encodeAlone(character);
        return;
    }
    thread_local std::vector<QByteArray> known(0x10000);
    QByteArray &bytes = known[character.at(0).unicode()];
    if (bytes.isNull()) {
        bytes = encodeAlone(character);
    }
    out += bytes;
}

} // namespace

QByteArray encode(const QString &text)
{
    {
        // Most texts convert whole, with one encoder.
        QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
        const QByteArray bytes = encoder.encode(text);
        if (!encoder.hasError()) {
            return bytes;
        }
    }
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype length = isSurrogatePair(text, at) ? 2 : 1;
        appendCharacter(QStringView(text).mid(at, length), out);
        at += length;
    }
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
