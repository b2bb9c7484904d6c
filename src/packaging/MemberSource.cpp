#include "MemberSource.h"

#include "packaging/MemberPipeline.h"
#include "packaging/PackLimits.h"
#include "util/Interrupt.h"

#include <algorithm>
#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <zlib.h>

namespace {

// Deflates a member too large to hold, piece by piece, from its open file.
class PieceDeflater {
public:
    PieceDeflater() = default;
    ~PieceDeflater() { end(); }
    PieceDeflater(const PieceDeflater &) = delete;
    PieceDeflater &operator=(const PieceDeflater &) = delete;

    bool begin(PackedMember &member)
    {
        end();
        m_member = &member;
        m_left = member.size;
        m_crc = 0;
        m_done = false;
        m_failure = ArchiverResult::Success;
        if (!member.file->seek(0)) {
            return false;
        }
        if (member.stored) {
            return true;
        }
        m_stream = z_stream{};
        // Raw deflate (negative window bits): the archive frames it itself.
        m_active = deflateInit2(&m_stream, PackLimits::kDeflateLevel, Z_DEFLATED, -MAX_WBITS, 8,
                                Z_DEFAULT_STRATEGY) == Z_OK;
        return m_active;
    }

    // Bytes placed in out; -1 when the file cannot be read to its measured size.
    qint64 read(char *out, qint64 room)
    {
        if (m_member->stored) {
            const qint64 got = readInput(out, std::min<qint64>(room, qint64(m_left)));
            m_done = got >= 0 && m_left == 0;
            return got;
        }
        m_stream.next_out = reinterpret_cast<Bytef *>(out);
        m_stream.avail_out = uInt(std::min<qint64>(room, qint64(1) << 30));
        while (m_stream.avail_out > 0 && !m_done) {
            if (m_stream.avail_in == 0 && m_left > 0) {
                m_piece.resize(PackLimits::kStreamPieceBytes);
                const qint64 got =
                    readInput(m_piece.data(), std::min<qint64>(m_piece.size(), qint64(m_left)));
                if (got < 0) {
                    return -1;
                }
                m_stream.next_in = reinterpret_cast<Bytef *>(m_piece.data());
                m_stream.avail_in = uInt(got);
            }
            const int result = deflate(&m_stream, m_left == 0 ? Z_FINISH : Z_NO_FLUSH);
            if (result == Z_STREAM_END) {
                m_done = true;
            } else if (result != Z_OK && result != Z_BUF_ERROR) {
                return -1;
            }
        }
        return qint64(reinterpret_cast<char *>(m_stream.next_out) - out);
    }

    bool done() const { return m_done; }
    // Why read() gave -1: the file changed, or could not be read.
    ArchiverResult::Code failure() const { return m_failure; }
    quint32 crc() const { return m_crc; }

private:
    // Exactly count bytes of the member, or -1: a file that shrank since it
    // was measured would leave a hole in the archive, and one that grew would
    // be cut short without a word.
    qint64 readInput(char *into, qint64 count)
    {
        qint64 got = 0;
        while (got < count) {
            const qint64 n = m_member->file->read(into + got, count - got);
            if (n <= 0) {
                m_failure = n == 0 ? ArchiverResult::MemberChanged : ArchiverResult::FileMissing;
                return -1;
            }
            got += n;
        }
        m_crc = libdeflate_crc32(m_crc, into, size_t(got));
        m_left -= quint64(got);
        if (m_left == 0 && !m_member->file->read(1).isEmpty()) {
            m_failure = ArchiverResult::MemberChanged;
            return -1;
        }
        return got;
    }

    void end()
    {
        if (m_active) {
            deflateEnd(&m_stream);
            m_active = false;
        }
    }

    PackedMember *m_member = nullptr;
    z_stream m_stream{};
    bool m_active = false;
    bool m_done = false;
    quint64 m_left = 0;
    quint32 m_crc = 0;
    ArchiverResult::Code m_failure = ArchiverResult::Success;
    QByteArray m_piece;
};

class MemberSource {
public:
    MemberSource(MemberPipeline &pipeline, qsizetype index) : m_pipeline(pipeline), m_index(index)
    {
        zip_error_init(&m_error);
    }
    ~MemberSource() { zip_error_fini(&m_error); }
    MemberSource(const MemberSource &) = delete;
    MemberSource &operator=(const MemberSource &) = delete;

    static zip_int64_t callback(void *state, void *data, zip_uint64_t length, zip_source_cmd_t cmd)
    {
        auto *self = static_cast<MemberSource *>(state);
        if (cmd == ZIP_SOURCE_FREE) {
            delete self;
            return 0;
        }
        return self->handle(data, length, cmd);
    }

private:
    zip_int64_t handle(void *data, zip_uint64_t length, zip_source_cmd_t cmd)
    {
        switch (cmd) {
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(
                ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_GET_FILE_ATTRIBUTES, -1);
        case ZIP_SOURCE_STAT:
            return stat(data, length);
        case ZIP_SOURCE_OPEN:
            return open();
        case ZIP_SOURCE_READ:
            return read(static_cast<char *>(data), length);
        case ZIP_SOURCE_CLOSE:
            close();
            return 0;
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&m_error, data, length);
        case ZIP_SOURCE_GET_FILE_ATTRIBUTES:
            return attributes(data, length);
        default:
            zip_error_set(&m_error, ZIP_ER_OPNOTSUPP, 0);
            return -1;
        }
    }

    // The member as the pipeline read it; nullptr, with the error set, when
    // it could not be read or the writer is done with it.
    PackedMember *member()
    {
        if (m_spent) {
            zip_error_set(&m_error, ZIP_ER_READ, 0);
            return nullptr;
        }
        PackedMember &member = m_pipeline.wait(m_index);
        if (member.failure != ArchiverResult::Success) {
            m_pipeline.noteFailure(m_index);
            zip_error_set(&m_error, ZIP_ER_OPEN, 0);
            return nullptr;
        }
        if (!m_known) {
            m_known = true;
            m_whole = member.whole;
            m_stored = member.stored;
            m_size = member.size;
            m_crc = member.crc;
            m_modified = member.modified;
            m_mode = member.mode;
            m_length = member.data.size();
        }
        return &member;
    }

    // What libzip asks of the member before and after reading it; the member
    // itself is gone once read.
    bool known() { return m_known || member() != nullptr; }

    // Before the data is read, the method is given as deflate, so that libzip
    // takes the bytes as they come instead of compressing them again; once
    // read, the method they really have (libzip's own compressor says the
    // same of data it ended up storing).
    zip_int64_t stat(void *data, zip_uint64_t length)
    {
        auto *st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &m_error);
        if (!st || !known()) {
            return -1;
        }
        zip_stat_init(st);
        st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_MTIME;
        st->size = m_size;
        st->mtime = time_t(m_modified);
        st->comp_method = m_read && m_stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        if (m_whole) {
            st->valid |= ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC;
            st->comp_size = quint64(m_length);
            st->crc = m_crc;
        } else if (m_read) {
            st->valid |= ZIP_STAT_CRC;
            st->crc = m_deflater.crc();
        }
        return sizeof(zip_stat_t);
    }

    zip_int64_t open()
    {
        PackedMember *packed = member();
        if (!packed) {
            return -1;
        }
        m_offset = 0;
        m_read = false;
        if (!packed->whole && !m_deflater.begin(*packed)) {
            zip_error_set(&m_error, ZIP_ER_READ, 0);
            return -1;
        }
        return 0;
    }

    zip_int64_t read(char *out, zip_uint64_t room)
    {
        // Stopped from outside: the archive is given up, and with it its partial file.
        if (Interrupt::requested()) {
            zip_error_set(&m_error, ZIP_ER_CANCELLED, 0);
            return -1;
        }
        PackedMember *packed = member();
        if (!packed) {
            return -1;
        }
        if (!packed->whole) {
            const qint64 got = m_deflater.read(out, qint64(std::min<zip_uint64_t>(room, 1u << 30)));
            if (got < 0) {
                // The writer names the member and why once libzip gives up.
                packed->failure = m_deflater.failure() == ArchiverResult::Success
                                      ? ArchiverResult::FileMissing
                                      : m_deflater.failure();
                m_pipeline.noteFailure(m_index);
                zip_error_set(&m_error, ZIP_ER_READ, 0);
                return -1;
            }
            m_read = m_deflater.done();
            return got;
        }
        const qint64 count = std::min<qint64>(qint64(room), m_length - m_offset);
        std::memcpy(out, packed->data.constData() + m_offset, size_t(count));
        m_offset += count;
        m_read = m_offset == m_length;
        return count;
    }

    // The writer has all of the member: it is let go, and later ones may start.
    void close()
    {
        if (m_read && !m_spent) {
            m_pipeline.finish(m_index);
            m_spent = true;
        }
    }

    zip_int64_t attributes(void *data, zip_uint64_t length)
    {
        auto *attributes = ZIP_SOURCE_GET_ARGS(zip_file_attributes_t, data, length, &m_error);
        if (!attributes || !known()) {
            return -1;
        }
        zip_file_attributes_init(attributes);
        attributes->valid =
            ZIP_FILE_ATTRIBUTES_HOST_SYSTEM | ZIP_FILE_ATTRIBUTES_EXTERNAL_FILE_ATTRIBUTES;
        attributes->host_system = ZIP_OPSYS_UNIX;
        // A regular file with its permissions, as unzip restores them.
        constexpr quint32 kRegularFile = 0100000;
        attributes->external_file_attributes = (kRegularFile | m_mode) << 16;
        return 0;
    }

    MemberPipeline &m_pipeline;
    const qsizetype m_index;
    zip_error_t m_error;
    PieceDeflater m_deflater;
    qint64 m_offset = 0;
    bool m_read = false;  // every byte handed to libzip
    bool m_spent = false; // and the member let go
    // The member's description, kept once known.
    bool m_known = false;
    bool m_whole = true;
    bool m_stored = false;
    quint64 m_size = 0;
    quint32 m_crc = 0;
    qint64 m_modified = 0;
    quint32 m_mode = 0;
    qint64 m_length = 0;
};

} // namespace

zip_source_t *makeMemberSource(MemberPipeline &pipeline, qsizetype index, zip_error_t *error)
{
    auto *state = new MemberSource(pipeline, index);
    zip_source_t *source = zip_source_function_create(&MemberSource::callback, state, error);
    if (!source) {
        delete state;
    }
    return source;
}
