#include "MemberPipeline.h"

#include "packaging/PackLimits.h"
#include "packaging/StoreChoice.h"
#include "util/SkinFolder.h"
#include "util/UserFile.h"

#include <QDateTime>
#include <algorithm>
#include <libdeflate.h>
#include <memory>
#include <system_error>
#include <utility>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace ArchiverResult;

namespace {

// Size, time and permissions of the open file, as the archive keeps them.
void describe(const QFile &file, PackedMember &member)
{
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::fstat(file.handle(), &status) == 0) {
        member.size = quint64(std::max<qint64>(status.st_size, 0));
        member.modified = qint64(status.st_mtime);
        member.mode = quint32(status.st_mode & 07777);
        return;
    }
#endif
    member.size = quint64(std::max<qint64>(file.size(), 0));
    member.modified = file.fileTime(QFileDevice::FileModificationTime).toSecsSinceEpoch();
    member.mode = 0644;
}

// The member's bytes deflated when that is worth it, as they are otherwise.
void deflateOrStore(PackedMember &member, libdeflate_compressor *compressor)
{
    const QByteArrayView head =
        QByteArrayView(member.data).first(std::min(StoreChoice::kHeadBytes, member.data.size()));
    member.stored = StoreChoice::isCompressedPicture(head);
    if (member.stored) {
        return;
    }
    if (!compressor) {
        member.stored = true;
        return;
    }
    // No room beyond the saving asked for: a member that would not shrink
    // that much is stored, and libdeflate stops as soon as it knows.
    const qint64 room = StoreChoice::largestWorthDeflating(member.data.size());
    QByteArray deflated(std::max<qint64>(room, 0), Qt::Uninitialized);
    const size_t written =
        room <= 0 ? 0
                  : libdeflate_deflate_compress(compressor, member.data.constData(),
                                                size_t(member.data.size()), deflated.data(),
                                                size_t(deflated.size()));
    if (written == 0) {
        member.stored = true;
        return;
    }
    deflated.truncate(qsizetype(written));
    member.data = std::move(deflated);
}

} // namespace

MemberPipeline::Compressor::Compressor()
    : m_compressor(libdeflate_alloc_compressor(PackLimits::kDeflateLevel))
{
}

MemberPipeline::Compressor::~Compressor()
{
    libdeflate_free_compressor(m_compressor);
}

MemberPipeline::MemberPipeline(QStringList paths, qsizetype chosen)
    : m_paths(std::move(paths)), m_chosen(chosen), m_members(size_t(m_paths.size())),
      m_ready(size_t(m_paths.size()), false), m_held(size_t(m_paths.size()), 0)
{
    const qsizetype workers = std::min<qsizetype>(
        std::max<qsizetype>(1, qsizetype(std::thread::hardware_concurrency())), m_paths.size());
    for (qsizetype i = 0; i < workers; ++i) {
        try {
            m_workers.emplace_back([this] { work(); });
        } catch (const std::system_error &) {
            break; // fewer threads, or none: wait() then reads on its own thread
        }
    }
}

MemberPipeline::~MemberPipeline()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread &worker : m_workers) {
        worker.join();
    }
}

bool MemberPipeline::mayStart() const
{
    return m_next < m_paths.size() &&
           (m_next < m_finished + PackLimits::kMembersAhead || m_next <= m_demanded);
}

void MemberPipeline::work()
{
    // One compressor per thread, kept for all its members: making one costs
    // more than deflating a small member.
    const Compressor compressor;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || mayStart() || m_next >= size(); });
        if (m_stopping || m_next >= size()) {
            return;
        }
        const qsizetype index = m_next++;
        lock.unlock();
        PackedMember member = pack(index, compressor.get());
        lock.lock();
        m_members[size_t(index)] = std::move(member);
        m_ready[size_t(index)] = true;
        m_changed.notify_all();
    }
}

PackedMember &MemberPipeline::wait(qsizetype index)
{
    std::unique_lock lock(m_mutex);
    // Asking for a member admits it, so the writer never waits on a member
    // that no worker may start or read.
    m_demanded = std::max(m_demanded, index);
    m_changed.notify_all();
    if (!m_ready[size_t(index)] && m_workers.empty()) {
        lock.unlock();
        PackedMember member = pack(index, Compressor().get());
        lock.lock();
        m_members[size_t(index)] = std::move(member);
        m_ready[size_t(index)] = true;
    }
    m_changed.wait(lock, [&] { return bool(m_ready[size_t(index)]); });
    return m_members[size_t(index)];
}

void MemberPipeline::finish(qsizetype index)
{
    {
        const std::lock_guard lock(m_mutex);
        m_members[size_t(index)].data = QByteArray();
        m_members[size_t(index)].file.reset();
        m_heldBytes -= std::exchange(m_held[size_t(index)], 0);
        m_finished = std::max(m_finished, index + 1);
    }
    m_changed.notify_all();
}

qsizetype MemberPipeline::failedIndex() const
{
    const std::lock_guard lock(m_mutex);
    return m_failed;
}

void MemberPipeline::noteFailure(qsizetype index)
{
    const std::lock_guard lock(m_mutex);
    if (m_failed < 0) {
        m_failed = index;
    }
}

void MemberPipeline::reserve(qsizetype index, qint64 size)
{
    std::unique_lock lock(m_mutex);
    // The member the writer waits for goes ahead whatever is held: the bytes
    // held are all of members after it, which the writer cannot let go first.
    m_changed.wait(lock, [&] {
        return m_stopping || m_heldBytes + size <= PackLimits::kBytesAhead || index <= m_demanded;
    });
    m_held[size_t(index)] = size;
    m_heldBytes += size;
}

PackedMember MemberPipeline::pack(qsizetype index, libdeflate_compressor *compressor)
{
    PackedMember member;
    auto file = std::make_unique<QFile>();
    const QString &path = m_paths.at(index);
    if (!UserFile::open(*file, path)) {
        member.failure = FileMissing;
        return member;
    }
    if (index != m_chosen && SkinFolder::openedOutside(*file, path)) {
        member.failure = OutsideFolder;
        return member;
    }
    describe(*file, member);
    if (qint64(member.size) > PackLimits::kWholeMemberBytes) {
        member.whole = false;
        member.stored = StoreChoice::isCompressedPicture(file->peek(StoreChoice::kHeadBytes));
        member.file = std::move(file);
        return member;
    }
    // Input and deflated output, at most.
    reserve(index, 2 * qint64(member.size));
    member.data = file->read(qint64(member.size));
    if (file->error() != QFileDevice::NoError) {
        member.failure = FileMissing;
        member.data = QByteArray();
        return member;
    }
    // Shorter or longer than it measured: the file changed while it was read.
    if (member.data.size() != qsizetype(member.size) || !file->read(1).isEmpty()) {
        member.failure = MemberChanged;
        member.data = QByteArray();
        return member;
    }
    member.crc = libdeflate_crc32(0, member.data.constData(), size_t(member.data.size()));
    deflateOrStore(member, compressor);
    return member;
}
