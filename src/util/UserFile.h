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
bool open(QFile &file, const QString &path, QIODevice::OpenMode mode = QIODevice::ReadOnly);

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

// The whole file, when open() takes it and it holds at most maxBytes.
std::optional<QByteArray> readAll(const QString &path, qint64 maxBytes);

} // namespace UserFile
