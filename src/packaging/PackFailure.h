#pragma once

#include <QString>
#include <optional>

// Why a pack made no archive, with the file or name it concerns, so that the
// message can say what to mend.
struct PackFailure {
    enum class Kind {
        SkinUnreadable,    // subject: the WMS file; detail: why
        ImageUnusable,     // subject: the image's path; detail: why
        OwnArchiveAsImage, // subject: the archive's name
        OutsideLink,       // subject: the link's name
        LineBreakInName,   // subject: the name
        NameNotCarried,    // subject: the piece of the archiver's command line
        TemporaryFolder,   // subject: the temporary folder
        UnsafeName,        // subject: the name; detail: why
        PackRunning,       // subject: the archive's full path
        PlaceNotAFile,     // subject: the archive's full path
        BeyondUnpacking,   // subject: the entry or the archive; detail: the unpacker's reason
        // The archiver's causes; subject: the listed name it failed on, or
        // the archive's full path. OutsideLink is one of them too.
        DiskFull,
        WriteDenied,
        PacksItself,
        CannotWrite,
        FileMissing,
        MemberChanged, // the member changed size while it was packed
        NotUnpackable, // the archive written fails the unpacker's own check
    };

    Kind kind;
    QString subject;
    QString detail;

    QString message() const;
};

// The cause an archiver's non-zero result stands for, when it names one.
std::optional<PackFailure::Kind> archiverCause(qint32 result);
