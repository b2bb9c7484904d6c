#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <compare>
#include <optional>

// Opening a file that a user or a skin named. Such a name may lead anywhere:
// to a pipe that no one writes (an ordinary open waits for ever), to a device
// that never ends, to a folder. Every place that reads such a file opens it
// here, so that all of them refuse the same things in the same way.
namespace UserFile {

// Opens path for reading without waiting, following links, and keeps it open
// only when it leads to a regular file. False otherwise; the caller reports
// it as its usual "cannot open". The open file need not know its name.
// mode may add QIODevice::Unbuffered for readers that seek and read a few bytes.
//
// A file whose name is not found as spelled is looked for once more under
// its name in windows-31j bytes: old skins' archives named their files in
// that code page, and unpacked here they keep those bytes.
bool open(QFile &file, const QString &path, QIODevice::OpenMode mode = QIODevice::ReadOnly);

// The bytes the system knows path's file by: its name as spelled, or in
// windows-31j bytes where only those name a file (see open()). For libraries
// that open a file by name themselves.
QByteArray systemName(const QString &path);

// Why open() refuses a path, for messages that name the cause.
enum class Refusal {
    Missing,  // no such file, or a folder on the way is missing
    NotAFile, // a folder, a pipe, a device
    Denied,   // no permission to read it
    Other,
};
// Nothing when open() would take the path.
std::optional<Refusal> refusal(const QString &path);
// The cause in the program's words, for a message that names the file.
QString refusalText(Refusal why);

// Which file a name reaches, whatever spelling or link leads there.
struct Identity {
    quint64 device = 0;
    quint64 inode = 0;
    friend auto operator<=>(const Identity &, const Identity &) = default;
};

// Of an open file, and of the file a path leads to (following links);
// nothing when there is none.
std::optional<Identity> identity(const QFile &file);
std::optional<Identity> identity(const QString &path);

// Whether path leads (through links) to something that is there and is no
// regular file: a folder, a pipe, a device. A file written in one step by
// that name would take the place of a device node, or of what a reader waits on.
bool isSpecial(const QString &path);

// The whole file, when open() takes it and it holds at most maxBytes.
std::optional<QByteArray> readAll(const QString &path, qint64 maxBytes);

} // namespace UserFile
