#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Reading what the packager hands to its archiver: the command line and the
// list file. Kept apart from the archive writer so both can be checked alone.
namespace ZipCommandLine {

struct Command {
    QString archive;       // as given; a relative name is relative to the current folder
    QString baseFolder;    // ends in a separator
    QStringList listFiles; // the paths after "@"
    QStringList names;     // file names given on the command line itself
};

// Splits at blanks. A piece that starts with a double quote runs to the
// closing quote that ends the piece (followed by a blank or the end of the
// line); nullopt when that quote is missing.
std::optional<QStringList> splitPieces(const QString &line);

// Switches -r, -D and -v (alone or combined, e.g. -Dv), then the archive, the
// base folder and at least one "@list" or name. nullopt for anything else.
std::optional<Command> parse(const QString &line);

// The list file's bytes: windows-31j, or UTF-8 behind a byte-order mark when
// a name holds a character that code page lacks (it would become "?" and name
// a file that does not exist).
QByteArray encodeList(const QString &listText);
QString decodeList(const QByteArray &bytes);

// The names of a list text: one a line, bare or in double quotes, any line
// end, blank lines skipped.
QStringList listNames(const QString &listText);

} // namespace ZipCommandLine
