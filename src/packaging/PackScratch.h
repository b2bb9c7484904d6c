#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// The temporary files of packing one skin: the list file in the temporary
// folder and the archiver's partial archive beside the WMS file
// ("<archive>.XXXXXX", renamed over the archive once complete). A pack that is
// killed leaves them behind; the next pack of the same skin removes them, by
// their names alone, unless another pack of that skin is running right now.
class PackScratch {
public:
    // workDir ends in a separator.
    PackScratch(const QString &workDir, const QString &archiveName);
    ~PackScratch();
    PackScratch(const PackScratch &) = delete;
    PackScratch &operator=(const PackScratch &) = delete;

    // A QTemporaryFile template for this skin's list file; empty when the
    // system names no temporary folder that exists.
    QString listFileTemplate() const;

private:
    void removeLeftovers() const;

    QString m_workDir;
    QString m_archiveName;
    QString m_tempFolder;
    QString m_key; // stands for the archive's full path in temporary names
    std::unique_ptr<QLockFile> m_lock;
};
