#include "AnsiText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <optional>

namespace AnsiText {

namespace {
constexpr char kCodec[] = "windows-31j";
}

QByteArray encode(const QString &text)
{
    // Encode character by character where the code page fails, so one
    // unrepresentable character costs one "?" and nothing else. An encoder's
    // error sticks, so a new one follows each failure, and only then: opening
    // the code page afresh for every character made long texts slow to save.
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    QByteArray whole = encoder.encode(text);
    if (!encoder.hasError()) {
        return whole;
    }
    QByteArray out;
    out.reserve(text.size() * 2);
    std::optional<QStringEncoder> one;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        if (!one) {
            one.emplace(kCodec, QStringConverter::Flag::Stateless);
        }
        const QByteArray bytes = one->encode(QStringView(text).mid(i, len));
        if (one->hasError()) {
            out += '?';
            one.reset();
        } else {
            out += bytes;
        }
        i += len - 1;
    }
    return out;
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodec);
    return decoder.decode(bytes);
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
