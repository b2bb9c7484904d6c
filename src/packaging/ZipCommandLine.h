#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// What the packager hands to its archiver, the command line and the list
// file, written on one side and read on the other. Kept apart from the
// archive writer so that both directions can be checked against each other.
namespace ZipCommandLine {

struct Command {
    QString archive;       // as given; a relative name is relative to the current folder
    QString baseFolder;    // ends in a separator
    QStringList listFiles; // the paths after "@"
    QStringList names;     // file names given on the command line itself
};

// Reading.

// Splits at blanks. A piece that starts with a double quote runs to the
// closing quote that ends the piece (followed by a blank or the end of the
// line); nullopt when that quote is missing.
std::optional<QStringList> splitPieces(const QString &line);

// Switches -r, -D and -v (alone or combined, e.g. -Dv), then the archive, the
// base folder and at least one "@list" or name. nullopt for anything else,
// an empty piece ("") included: it names nothing.
std::optional<Command> parse(const QString &line);

// The list file's bytes: windows-31j, or UTF-8 behind a byte-order mark when
// a name holds a character that code page lacks (it would become "?" and name
// a file that does not exist).
QByteArray encodeList(const QString &listText);
QString decodeList(const QByteArray &bytes);

// The names of a list text: one a line, any line end, blank lines skipped. A
// line is unquoted only where the writer quotes, so a file really named "x",
// quotes included, keeps its quotes.
QStringList listNames(const QString &listText);

// Writing.

// The name alone, or in double quotes when it holds a blank or a comma.
QString quoteName(const QString &name);

// Whether a piece can stand on the command line and read back as given: not
// empty, and neither a quote followed by a blank inside quotes nor a quote
// opening a bare piece.
bool canCarry(const QString &piece);
// Whether a name can stand on one line of the list file: no line break.
bool fitsOneLine(const QString &name);

// "-r -D -v", the archive, the base folder and each of files ("@" and a list
// file's path, or a file name), every piece through quoteName and followed
// by one blank. nullopt when parse() would not read the pieces back as given:
// the line has no escaping, so a quote followed by a blank inside a quoted
// piece, or a quote opening a bare one, cannot be written; nor can an empty
// piece, an archive that looks like a switch, a base folder without its final
// separator, or nothing to pack.
std::optional<QString> makeCommandLine(const QString &archive, const QString &baseFolder,
                                       const QStringList &files);

// The list text: each of names through quoteName, then the WMS file's name,
// bare unless reading it bare would give another name; every line ends in
// CR LF. nullopt when a name holds a line break, which would split its line.
std::optional<QString> makeListText(const QStringList &names, const QString &wmsName);

} // namespace ZipCommandLine
