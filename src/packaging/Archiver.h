#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

// An archiver driven by one command line, the way the packager has always
// called its archive library:
//   -r -D -v <archive> <base folder ending in a separator> @<list file>
// Each piece is bare, or enclosed in double quotes when it holds a blank or a
// comma. The command line is in the system's file-name encoding
// (QFile::encodeName); the list file is in windows-31j, one name per line.
// What zip() returns. Any non-zero value is a failure; these name its cause.
namespace ArchiverResult {
enum Code : qint32 {
    Success = 0,
    BadCommandLine = 1,
    ListUnreadable = 2,
    NothingToPack = 3,
    BadName = 4,
    FileMissing = 5,
    CannotWrite = 6,
    PacksItself = 7,
    DiskFull = 8,
    WriteDenied = 9,    // the folder of the archive takes no new file
    OutsideFolder = 10, // a listed file leads out of the base folder
    MemberChanged = 11, // a listed file changed while it was packed
    NotUnpackable = 12, // the archive would be refused by the program's unpacker
};
} // namespace ArchiverResult

class Archiver {
public:
    virtual ~Archiver();

    // The archiver's version number; nullopt when the archiver cannot be used.
    virtual std::optional<qint16> version() = 0;
    // Runs one command line. Returns 0 on success, non-zero on failure
    // (an ArchiverResult or any other value).
    virtual qint32 zip(const QByteArray &commandLine) = 0;
    // The listed name the last failure of zip() concerns; empty when it
    // concerns none or the archiver does not say.
    virtual QString failedName() const { return {}; }
};
