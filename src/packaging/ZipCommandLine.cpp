#include "ZipCommandLine.h"

#include "util/AnsiText.h"
#include "util/Paths.h"

#include <QStringDecoder>

using namespace Qt::StringLiterals;

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

bool needsQuotes(QStringView name)
{
    return name.contains(u' ') || name.contains(u',');
}

// A line the writer put in quotes: only names holding a blank or a comma are.
bool isQuotedLine(QStringView line)
{
    return line.size() >= 2 && line.front() == u'"' && line.back() == u'"' &&
           needsQuotes(line.mid(1, line.size() - 2));
}

QString readListLine(const QString &line)
{
    return isQuotedLine(line) ? line.mid(1, line.size() - 2) : line;
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
        if (piece.isEmpty()) {
            return std::nullopt;
        }
        if (positional.isEmpty() && piece.startsWith(u'-')) {
            if (!isSwitch(piece)) {
                return std::nullopt;
            }
            continue;
        }
        positional.append(piece);
    }
    if (positional.size() < 3) {
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
        } else {
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
        // Only the one mark the writer put first: a name may begin with
        // U+FEFF itself, and QString::fromUtf8 would drop that too.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return utf8.decode(bytes.mid(qsizetype(sizeof(kUtf8Bom)) - 1));
    }
    return AnsiText::decode(bytes);
}

QStringList listNames(const QString &listText)
{
    QStringList names;
    const QStringList lines = AnsiText::splitLines(listText);
    for (const QString &line : lines) {
        if (!line.isEmpty()) {
            names.append(readListLine(line));
        }
    }
    return names;
}

QString quoteName(const QString &name)
{
    return needsQuotes(name) ? u'"' + name + u'"' : name;
}

// splitPieces reads quoteName(piece) back as piece.
bool canCarry(const QString &piece)
{
    if (piece.isEmpty()) {
        return false;
    }
    if (needsQuotes(piece)) {
        return !piece.contains(u"\" "_s);
    }
    return piece.front() != u'"';
}

bool fitsOneLine(const QString &name)
{
    return !name.contains(u'\r') && !name.contains(u'\n');
}

std::optional<QString> makeCommandLine(const QString &archive, const QString &baseFolder,
                                       const QStringList &files)
{
    // "@" alone names no list.
    if (archive.startsWith(u'-') || !baseFolder.endsWith(Paths::separator()) || files.isEmpty() ||
        files.contains(u"@"_s)) {
        return std::nullopt;
    }
    const QStringList pieces = QStringList{archive, baseFolder} + files;
    QString line = u"-r -D -v "_s;
    for (const QString &piece : pieces) {
        if (!canCarry(piece)) {
            return std::nullopt;
        }
        line += quoteName(piece) + u' ';
    }
    return line;
}

std::optional<QString> makeListText(const QStringList &names, const QString &wmsName)
{
    const QString crLf = QString::fromLatin1(AnsiText::kCrLf);
    QString text;
    for (const QString &name : names + QStringList{wmsName}) {
        if (!fitsOneLine(name)) {
            return std::nullopt;
        }
    }
    for (const QString &name : names) {
        text += quoteName(name) + crLf;
    }
    // Bare as a rule; quoted only where bare would read as a quoted name.
    const bool bareReadsBack = readListLine(wmsName) == wmsName;
    return text + (bareReadsBack ? wmsName : u'"' + wmsName + u'"') + crLf;
}

} // namespace ZipCommandLine
