#pragma once

#include "packaging/PackFailure.h"

#include <QLockFile>
#include <QString>
#include <chrono>
#include <memory>
#include <optional>

// The temporary files of packing one skin: the list file in the temporary
// folder and the archiver's partial archive beside the WMS file. Packs of one
// archive take turns: each holds the archive's lock while it runs, and a pack
// that gets the lock removes what a killed pack of that archive left behind,
// which no running pack can still be writing.
class PackScratch {
public:
    // How long a pack waits for another pack of the same archive to end.
    static constexpr std::chrono::milliseconds kDefaultWait = std::chrono::minutes(2);

    // workDir ends in a separator.
    PackScratch(const QString &workDir, const QString &archiveName,
                std::chrono::milliseconds wait = kDefaultWait);
    ~PackScratch();
    PackScratch(const PackScratch &) = delete;
    PackScratch &operator=(const PackScratch &) = delete;

    // Why this pack may not run: another pack of the archive still runs after
    // the wait, or the archive's folder takes no file. Nothing when it may.
    std::optional<PackFailure> failure() const;

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
    std::optional<PackFailure> m_failure;
};
