#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// An archiver driven by one command line, the way the packager has always
// called its archive library:
//   -r -D -v <archive> <base folder ending in a separator> @<list file>
// Each piece is bare, or enclosed in double quotes when it holds a blank or a
// comma. The command line is in the system's file-name encoding
// (QFile::encodeName); the list file is in windows-31j, one name per line.
class Archiver {
public:
    virtual ~Archiver();

    // The archiver's version number; nullopt when the archiver cannot be used.
    virtual std::optional<qint16> version() = 0;
    // Runs one command line. Returns 0 on success, non-zero on failure.
    virtual qint32 zip(const QByteArray &commandLine) = 0;
};
