#pragma once

#include "packaging/ArchiveCheck.h"

#include <QFile>
#include <QList>
#include <optional>

struct zip;

// A WMZ file opened for reading, through the one descriptor it is checked on.
// What its end record declares is checked before libzip reads the directory,
// so a hostile archive costs no more memory than a skin's.
class ArchiveReader {
public:
    ArchiveReader() = default;
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader &) = delete;
    ArchiveReader &operator=(const ArchiveReader &) = delete;

    // Nothing, or why the file is no archive to read (of the whole archive).
    std::optional<ArchiveCheck::Refusal> open(const QString &path);

    // The directory as declared, up to one entry past the limit: that one is
    // enough for the check to refuse the count.
    QList<ArchiveCheck::Entry> directory();

    zip *handle() const { return m_zip; }

private:
    QFile m_file;
    zip *m_zip = nullptr;
};
