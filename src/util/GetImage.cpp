#include "GetImage.h"

#include "AppError.h"
#include "UserFile.h"
#include "clsFunction.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <array>
#include <cstring>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// The platform's numbers for failures of the file itself.
constexpr int kDeviceIoError = 57;
constexpr int kPathFileAccessError = 75;

enum Format : qint32 { None = 0, Bmp = 1, Gif = 2, Jpeg = 3, Png = 4 };

// Header bytes each reader looks at; the JPEG reader reads only what it steps on.
constexpr qint64 kRecogniseBytes = 4;
constexpr qint64 kBmpBytes = 54;
constexpr qint64 kGifBytes = 13;
constexpr qint64 kPngBytes = 29;

void openForReading(QFile &file, const QString &path)
{
    if (!UserFile::open(file, path, QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        throw AppError(kPathFileAccessError, file.errorString());
    }
}

// Reads count bytes at offset into buf; returns how many the file held.
qint64 readAt(QIODevice &file, qint64 offset, char *buf, qint64 count)
{
    if (!file.seek(offset)) {
        throw AppError(kDeviceIoError, file.errorString());
    }
    qint64 total = 0;
    while (total < count) {
        const qint64 got = file.read(buf + total, count - total);
        if (got < 0) {
            throw AppError(kDeviceIoError, file.errorString());
        }
        if (got == 0) {
            break;
        }
        total += got;
    }
    return total;
}

// The first count bytes of the file; bytes past its end read as zero.
QByteArray headerBytes(QIODevice &file, qint64 count)
{
    QByteArray bytes(count, '\0');
    readAt(file, 0, bytes.data(), count);
    return bytes;
}

quint8 byteAt(const QByteArray &bytes, qsizetype i)
{
    return static_cast<quint8>(bytes.at(i));
}

quint32 le16(const QByteArray &b, qsizetype i)
{
    return byteAt(b, i) | (quint32(byteAt(b, i + 1)) << 8);
}

quint32 be16(const QByteArray &b, qsizetype i)
{
    return (quint32(byteAt(b, i)) << 8) | byteAt(b, i + 1);
}

quint32 le32(const QByteArray &b, qsizetype i)
{
    return le16(b, i) | (le16(b, i + 2) << 16);
}

quint32 be32(const QByteArray &b, qsizetype i)
{
    return (be16(b, i) << 16) | be16(b, i + 2);
}

// A header field stored into a signed 32-bit result.
qint32 toSigned(quint32 value)
{
    if (value > quint32(std::numeric_limits<qint32>::max())) {
        throw AppError(AppError::Overflow, u"header value out of range"_s);
    }
    return static_cast<qint32>(value);
}

bool startsWith(const QByteArray &bytes, std::initializer_list<quint8> signature)
{
    qsizetype i = 0;
    for (const quint8 b : signature) {
        if (byteAt(bytes, i++) != b) {
            return false;
        }
    }
    return true;
}

// Start of image followed by the first byte of any marker: JFIF, Exif, plain.
bool isJpegStart(const QByteArray &bytes)
{
    return startsWith(bytes, {0xFF, 0xD8, 0xFF});
}

bool isBmpStart(const QByteArray &bytes)
{
    return startsWith(bytes, {0x42, 0x4D});
}

bool isGifStart(const QByteArray &bytes)
{
    return startsWith(bytes, {0x47, 0x49, 0x46});
}

bool isPngStart(const QByteArray &bytes)
{
    return startsWith(bytes, {0x89, 0x50, 0x4E, 0x47});
}

// A file shorter than this tells no size, whatever its first bytes.
constexpr qint64 kShortestHeader = 2;

// Existence and length checks shared by the readers; false means "no size".
bool readable(const QString &path)
{
    return isListedFile(path) && QFile(path).size() >= kShortestHeader;
}

Format formatFromContent(QIODevice &file)
{
    const QByteArray head = headerBytes(file, kRecogniseBytes);
    if (isBmpStart(head)) {
        return Bmp;
    }
    if (isGifStart(head)) {
        return Gif;
    }
    if (isJpegStart(head)) {
        return Jpeg;
    }
    if (isPngStart(head)) {
        return Png;
    }
    return None;
}

Format formatFromName(const QString &path)
{
    struct Extension {
        QStringView suffix;
        Format format;
    };
    static constexpr Extension kExtensions[] = {
        {u".bmp", Bmp}, {u".gif", Gif}, {u".jpg", Jpeg}, {u".jpeg", Jpeg}, {u".png", Png},
    };
    const QString lower = path.toLower();
    for (const Extension &e : kExtensions) {
        if (lower.endsWith(e.suffix)) {
            return e.format;
        }
    }
    return None;
}

// Start-of-frame markers of every coding process; C4 (Huffman tables), C8
// (reserved) and CC (arithmetic conditioning) share the range but are no frames.
bool isFrameMarker(quint8 marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length: TEM, RSTn, SOI and EOI.
bool isStandaloneMarker(quint8 marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9);
}

constexpr quint8 kFillByte = 0xFF;
constexpr quint8 kStartOfScan = 0xDA;
// Marker, segment length, precision, height and width of a frame header.
constexpr qint64 kFrameHeaderBytes = 9;

// Bytes of a device read in blocks, for walking data of any length.
class ByteStream {
public:
    explicit ByteStream(QIODevice &device) : m_device(device) {}

    // The next byte, or -1 at the end of the data or on a read error.
    int get()
    {
        if (m_at == m_block.size() && !refill()) {
            return -1;
        }
        return static_cast<quint8>(m_block.at(m_at++));
    }

    bool skip(qint64 count)
    {
        while (count > 0) {
            if (m_at == m_block.size() && !refill()) {
                return false;
            }
            const qint64 step = qMin<qint64>(count, m_block.size() - m_at);
            m_at += step;
            count -= step;
        }
        return true;
    }

    // Steps to just past the next 0xFF byte; false when there is none.
    bool skipPastFill()
    {
        for (;;) {
            if (m_at == m_block.size() && !refill()) {
                return false;
            }
            const char *begin = m_block.constData() + m_at;
            const void *hit = std::memchr(begin, kFillByte, size_t(m_block.size() - m_at));
            if (hit) {
                m_at += static_cast<const char *>(hit) - begin + 1;
                return true;
            }
            m_at = m_block.size();
        }
    }

private:
    bool refill()
    {
        m_block = m_device.read(qint64(64) << 10);
        m_at = 0;
        return !m_block.isEmpty();
    }

    QIODevice &m_device;
    QByteArray m_block;
    qsizetype m_at = 0;
};

bool isRestartMarker(int marker)
{
    return marker >= 0xD0 && marker <= 0xD7;
}

// Steps over compressed data up to the marker that ends it (a zero after a
// fill byte is data; restart markers belong to the data). The marker, or -1.
int skipScanData(ByteStream &in)
{
    for (;;) {
        if (!in.skipPastFill()) {
            return -1;
        }
        int next = in.get();
        while (next == kFillByte) {
            next = in.get();
        }
        if (next != 0x00 && !isRestartMarker(next)) {
            return next;
        }
    }
}

// The readers of each format, on an open file read from its start.
ImageSize bmpSize(QIODevice &file)
{
    if (file.size() < kShortestHeader) {
        return {};
    }
    const QByteArray b = headerBytes(file, kBmpBytes);
    if (!isBmpStart(b)) {
        return {};
    }
    // An OS/2 core header (12 bytes long) holds 16-bit sizes.
    if (le32(b, 14) == 12) {
        return {Bmp, toSigned(le16(b, 18)), toSigned(le16(b, 20))};
    }
    const qint32 width = toSigned(le32(b, 18));
    // A negative height marks a top-down picture; its size is the magnitude.
    const auto height = static_cast<qint32>(le32(b, 22));
    if (height == std::numeric_limits<qint32>::min()) {
        throw AppError(AppError::Overflow, u"BMP height out of range"_s);
    }
    return {Bmp, width, height < 0 ? -height : height};
}

ImageSize gifSize(QIODevice &file)
{
    if (file.size() < kShortestHeader) {
        return {};
    }
    const QByteArray b = headerBytes(file, kGifBytes);
    if (!isGifStart(b)) {
        return {};
    }
    return {Gif, toSigned(le16(b, 6)), toSigned(le16(b, 8))};
}

ImageSize pngSize(QIODevice &file)
{
    if (file.size() < kShortestHeader) {
        return {};
    }
    const QByteArray b = headerBytes(file, kPngBytes);
    if (!isPngStart(b)) {
        return {};
    }
    return {Png, toSigned(be32(b, 16)), toSigned(be32(b, 20))};
}

ImageSize jpegSize(QIODevice &file)
{
    const qint64 length = file.size();
    if (length < kShortestHeader) {
        return {};
    }
    QByteArray seg(kFrameHeaderBytes, '\0');
    readAt(file, 0, seg.data(), kRecogniseBytes);
    if (!isJpegStart(seg)) {
        return {};
    }
    // Seek from marker to marker so that only a few bytes per segment are
    // ever held, whatever the size of the file.
    qint64 p = 2;
    while (p < length - 4) {
        seg.fill('\0');
        const qint64 got = readAt(file, p, seg.data(), qMin(kFrameHeaderBytes, length - p));
        if (byteAt(seg, 0) != 0xFF) {
            return {};
        }
        const quint8 marker = byteAt(seg, 1);
        if (marker == kFillByte) {
            ++p;
        } else if (isFrameMarker(marker)) {
            if (got < kFrameHeaderBytes) {
                throw AppError(AppError::SubscriptOutOfRange, u"JPEG frame header cut off"_s);
            }
            return {Jpeg, toSigned(be16(seg, 7)), toSigned(be16(seg, 5))};
        } else if (isStandaloneMarker(marker)) {
            p += 2;
        } else if (marker == 0x00 || marker == kStartOfScan) {
            // Compressed data begins: a picture has its frame header before it.
            return {};
        } else {
            const quint32 segmentLength = be16(seg, 2);
            if (segmentLength < 2) {
                return {};
            }
            p += 2 + segmentLength;
        }
    }
    return {};
}

// The reader of each format, by its number.
constexpr ImageSize (*kReaders[])(QIODevice &) = {nullptr, bmpSize, gifSize, jpegSize, pngSize};

ImageSize sizeByFormat(QIODevice &file, Format format)
{
    return format == None ? ImageSize{} : kReaders[format](file);
}

// A format's reader on the file at path: no size for a file the listing
// leaves out or too short to tell one.
ImageSize readNamed(const QString &path, Format format)
{
    if (format == None || !readable(path)) {
        return {};
    }
    QFile file;
    openForReading(file, path);
    return sizeByFormat(file, format);
}

} // namespace

std::optional<ImageSize> tryImageSize(const QString &path, qint32 mode)
{
    return tryValue([&] { return getImageSize(path, mode); });
}

qint32 countJpegScans(QIODevice &device, qint32 limit)
{
    ByteStream in(device);
    if (in.get() != 0xFF || in.get() != 0xD8) {
        return 0;
    }
    qint32 scans = 0;
    int marker = -1;
    for (;;) {
        if (marker < 0) {
            if (in.get() != kFillByte) {
                return scans; // not at a marker: the decoder finds that out itself
            }
            do {
                marker = in.get();
            } while (marker == kFillByte);
        }
        if (marker < 0 || marker == 0xD9) {
            return scans;
        }
        const int current = marker;
        marker = -1;
        if (isStandaloneMarker(quint8(current))) {
            continue;
        }
        const int high = in.get();
        const int low = in.get();
        if (high < 0 || low < 0 || (high << 8 | low) < 2 || !in.skip((high << 8 | low) - 2)) {
            return scans;
        }
        if (current == kStartOfScan) {
            if (++scans > limit) {
                return scans;
            }
            marker = skipScanData(in);
        }
    }
}

ImageSize getImageSize(const QString &path, qint32 mode)
{
    if (!isListedFile(path)) {
        return {};
    }
    if (mode == 0) {
        // Recognised and measured on one open file.
        QFile file;
        openForReading(file, path);
        return sizeByFormat(file, formatFromContent(file));
    }
    if (mode == 5) {
        return readNamed(path, formatFromName(path));
    }
    return readNamed(path, mode >= Bmp && mode <= Png ? static_cast<Format>(mode) : None);
}

std::optional<ImageSize> tryImageSize(QIODevice &device)
{
    return tryValue([&] { return sizeByFormat(device, formatFromContent(device)); });
}

ImageSize getBmpSize(const QString &path)
{
    return readNamed(path, Bmp);
}

ImageSize getGifSize(const QString &path)
{
    return readNamed(path, Gif);
}

ImageSize getJpegSize(const QString &path)
{
    return readNamed(path, Jpeg);
}

ImageSize getPngSize(const QString &path)
{
    return readNamed(path, Png);
}
