#pragma once

#include "packaging/Archiver.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct libdeflate_compressor;

// One member of an archive, read from the file the packer opened for it.
struct PackedMember {
    ArchiverResult::Code failure = ArchiverResult::Success;
    bool stored = false; // held as it is; otherwise deflated
    // Whole members are held in data (deflated or as they are); larger ones
    // keep their open file and are read while the archive is written.
    bool whole = true;
    QByteArray data;
    std::unique_ptr<QFile> file;
    quint32 crc = 0; // of the file's bytes; whole members only
    quint64 size = 0;
    qint64 modified = 0; // seconds since the epoch
    quint32 mode = 0;    // the file's permission bits
};

// Reads and deflates the members of an archive on all cores, a few ahead of
// the archive writer, which takes them strictly in order. Each file is opened
// once, checked on the open file (a regular file inside the folder) and read
// from that same open file, so a file swapped in between is never read.
// Memory stays bounded: members are held ahead of the writer only up to a
// budget of bytes, and a member too large to hold is left to be read while it
// is written.
class MemberPipeline {
public:
    // paths: the members' files, each of which must lie in the folder that
    // holds it, except member chosen: the skin file the user picked by name,
    // which may be a link to where the user keeps it.
    explicit MemberPipeline(QStringList paths, qsizetype chosen = -1);
    ~MemberPipeline();
    MemberPipeline(const MemberPipeline &) = delete;
    MemberPipeline &operator=(const MemberPipeline &) = delete;

    qsizetype size() const { return m_paths.size(); }

    // Waits until member index is read. The reference stays valid until
    // finish(index).
    PackedMember &wait(qsizetype index);
    // The writer is done with member index: its memory goes, and a later
    // member may start.
    void finish(qsizetype index);

    // The first member that failed, as the writer met it; -1 when none.
    qsizetype failedIndex() const;
    void noteFailure(qsizetype index);

private:
    // libdeflate's compressor, made and freed once per thread.
    class Compressor {
    public:
        Compressor();
        ~Compressor();
        Compressor(const Compressor &) = delete;
        Compressor &operator=(const Compressor &) = delete;
        libdeflate_compressor *get() const { return m_compressor; }

    private:
        libdeflate_compressor *m_compressor;
    };

    void work();
    PackedMember pack(qsizetype index, libdeflate_compressor *compressor);
    // Waits until size more bytes may be held for member index.
    void reserve(qsizetype index, qint64 size);
    bool mayStart() const; // with m_mutex held

    const QStringList m_paths;
    const qsizetype m_chosen;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<PackedMember> m_members;
    std::vector<bool> m_ready;
    std::vector<qint64> m_held; // bytes reserved per member
    qint64 m_heldBytes = 0;
    qsizetype m_next = 0;      // the next member a worker takes
    qsizetype m_finished = 0;  // members the writer is done with
    qsizetype m_demanded = -1; // the member the writer waits for
    qsizetype m_failed = -1;
    bool m_stopping = false;
    std::vector<std::thread> m_workers;
};
