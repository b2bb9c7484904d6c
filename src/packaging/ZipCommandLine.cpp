#include "ZipCommandLine.h"

#include "util/AnsiText.h"
#include "util/Paths.h"

namespace ZipCommandLine {

namespace {

// The switches the packager passes; none of them changes what gets written,
// since the list names plain files and folders are never stored.
constexpr QStringView kKnownSwitches = u"rDv";

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// The packager separates pieces by blanks and quotes only names holding a
// blank or a comma, so any other character, a tab included, is part of a name.
bool isBlank(QChar c)
{
    return c == u' ';
}

bool isSwitch(const QString &piece)
{
    if (piece.size() < 2 || piece.front() != u'-') {
        return false;
    }
    for (qsizetype i = 1; i < piece.size(); ++i) {
        if (!kKnownSwitches.contains(piece.at(i))) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<QStringList> splitPieces(const QString &line)
{
    QStringList pieces;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n) {
        if (isBlank(line.at(i))) {
            ++i;
            continue;
        }
        if (line.at(i) == u'"') {
            // A quote inside a quoted piece is part of the name unless a blank
            // or the end of the line follows it.
            qsizetype close = i + 1;
            while (close < n &&
                   !(line.at(close) == u'"' && (close + 1 == n || isBlank(line.at(close + 1))))) {
                ++close;
            }
            if (close >= n) {
                return std::nullopt;
            }
            pieces.append(line.mid(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        qsizetype end = i;
        while (end < n && !isBlank(line.at(end))) {
            ++end;
        }
        pieces.append(line.mid(i, end - i));
        i = end;
    }
    return pieces;
}

std::optional<Command> parse(const QString &line)
{
    const std::optional<QStringList> pieces = splitPieces(line);
    if (!pieces) {
        return std::nullopt;
    }
    Command command;
    QStringList positional;
    for (const QString &piece : *pieces) {
        if (positional.isEmpty() && piece.startsWith(u'-')) {
            if (!isSwitch(piece)) {
                return std::nullopt;
            }
            continue;
        }
        positional.append(piece);
    }
    if (positional.size() < 3 || positional.at(0).isEmpty()) {
        return std::nullopt;
    }
    command.archive = positional.at(0);
    command.baseFolder = positional.at(1);
    if (!command.baseFolder.endsWith(Paths::separator())) {
        return std::nullopt;
    }
    for (qsizetype i = 2; i < positional.size(); ++i) {
        const QString &piece = positional.at(i);
        if (piece.startsWith(u'@')) {
            if (piece.size() == 1) {
                return std::nullopt;
            }
            command.listFiles.append(piece.mid(1));
        } else if (!piece.isEmpty()) {
            command.names.append(piece);
        }
    }
    return command;
}

QByteArray encodeList(const QString &listText)
{
    const QByteArray ansi = AnsiText::encode(listText);
    if (AnsiText::decode(ansi) == listText) {
        return ansi;
    }
    return QByteArray(kUtf8Bom) + listText.toUtf8();
}

QString decodeList(const QByteArray &bytes)
{
    if (bytes.startsWith(kUtf8Bom)) {
        return QString::fromUtf8(bytes.mid(qsizetype(sizeof(kUtf8Bom)) - 1));
    }
    return AnsiText::decode(bytes);
}

QStringList listNames(const QString &listText)
{
    QStringList names;
    const QStringList lines = AnsiText::splitLines(listText);
    for (const QString &line : lines) {
        if (line.isEmpty()) {
            continue;
        }
        if (line.size() >= 2 && line.front() == u'"' && line.back() == u'"') {
            names.append(line.mid(1, line.size() - 2));
        } else {
            names.append(line);
        }
    }
    return names;
}

} // namespace ZipCommandLine
