#include "GifWriter.h"

#include <QHash>
#include <QImage>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr int kMaxCodeSize = 12;
constexpr int kMaxCode = (1 << kMaxCodeSize) - 1;
constexpr int kMaxSubBlock = 255;

void appendLittle16(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

// Packs variable-width codes least significant bit first and cuts the stream
// into the length-prefixed sub-blocks that GIF wants.
class CodeStream {
public:
    explicit CodeStream(QByteArray &out) : m_out(out) {}

    void write(int code, int width)
    {
        m_bits |= std::uint32_t(code) << m_bitCount;
        m_bitCount += width;
        while (m_bitCount >= 8) {
            pushByte(char(m_bits & 0xFF));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
    }

    void finish()
    {
        if (m_bitCount > 0)
            pushByte(char(m_bits & 0xFF));
        m_bits = 0;
        m_bitCount = 0;
        flushBlock();
        m_out.append('\0');
    }

private:
    void pushByte(char byte)
    {
        m_block.append(byte);
        if (m_block.size() == kMaxSubBlock)
            flushBlock();
    }

    void flushBlock()
    {
        if (m_block.isEmpty())
            return;
        m_out.append(char(m_block.size()));
        m_out.append(m_block);
        m_block.clear();
    }

    QByteArray &m_out;
    QByteArray m_block;
    std::uint32_t m_bits = 0;
    int m_bitCount = 0;
};

// Smallest n >= 1 with 2^n >= colours: the palette must be a power of two.
int paletteBits(int colours)
{
    int bits = 1;
    while ((1 << bits) < colours)
        ++bits;
    return bits;
}

// Pixels as palette indices, row after row.
struct IndexedPixels {
    QList<QRgb> palette;
    std::vector<uchar> pixels;
};

IndexedPixels fromIndexed8(const QImage &image)
{
    IndexedPixels out{image.colorTable(), {}};
    out.pixels.reserve(std::size_t(image.width()) * std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const uchar *line = image.constScanLine(y);
        out.pixels.insert(out.pixels.end(), line, line + image.width());
    }
    return out;
}

// Every colour of the image in a palette of its own; nothing when there are more than 256.
std::optional<IndexedPixels> exactPalette(const QImage &rgb)
{
    IndexedPixels out;
    QHash<QRgb, uchar> index;
    out.pixels.reserve(std::size_t(rgb.width()) * std::size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = line[x] | 0xFF000000u;
            auto found = index.constFind(colour);
            if (found == index.constEnd()) {
                if (out.palette.size() == 256)
                    return std::nullopt;
                found = index.insert(colour, uchar(out.palette.size()));
                out.palette.append(colour);
            }
            out.pixels.push_back(*found);
        }
    }
    return out;
}

// A 6 x 7 x 6 colour cube (green, to which the eye is keenest, gets one level
// more), and after it the key colour when there is one.
constexpr int kRedLevels = 6;
constexpr int kGreenLevels = 7;
constexpr int kBlueLevels = 6;

int level(int channel, int levels)
{
    return (channel * (levels - 1) + 127) / 255;
}

IndexedPixels cubePalette(const QImage &rgb, std::optional<QRgb> keyColour)
{
    IndexedPixels out;
    for (int r = 0; r < kRedLevels; ++r)
        for (int g = 0; g < kGreenLevels; ++g)
            for (int b = 0; b < kBlueLevels; ++b)
                out.palette.append(qRgb(r * 255 / (kRedLevels - 1), g * 255 / (kGreenLevels - 1),
                                        b * 255 / (kBlueLevels - 1)));
    const int keyIndex = int(out.palette.size());
    if (keyColour) {
        const QRgb key = *keyColour | 0xFF000000u;
        // A cube colour equal to the key would punch holes: move it off by one step.
        for (QRgb &colour : out.palette)
            if (colour == key)
                colour = qRgb(qRed(key), qGreen(key) ^ 1, qBlue(key));
        out.palette.append(key);
    }
    out.pixels.reserve(std::size_t(rgb.width()) * std::size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = line[x];
            if (keyColour && (colour & 0xFFFFFFu) == (*keyColour & 0xFFFFFFu)) {
                out.pixels.push_back(uchar(keyIndex));
                continue;
            }
            const int index = (level(qRed(colour), kRedLevels) * kGreenLevels +
                               level(qGreen(colour), kGreenLevels)) *
                                  kBlueLevels +
                              level(qBlue(colour), kBlueLevels);
            out.pixels.push_back(uchar(index));
        }
    }
    return out;
}

IndexedPixels toIndexed(const QImage &image, std::optional<QRgb> keyColour)
{
    if (image.format() == QImage::Format_Indexed8)
        return fromIndexed8(image);
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (std::optional<IndexedPixels> exact = exactPalette(rgb))
        return *exact;
    return cubePalette(rgb, keyColour);
}

void writeLzw(QByteArray &out, const std::vector<uchar> &pixels, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    // Child table: next[prefix * 256 + byte] is the code for prefix + byte, 0 when absent.
    std::vector<std::uint16_t> next(std::size_t(kMaxCode + 1) * 256, 0);

    CodeStream stream(out);
    int codeSize = minCodeSize + 1;
    int lastCode = endCode;
    stream.write(clearCode, codeSize);

    int current = -1;
    for (const uchar pixel : pixels) {
        if (current < 0) {
            current = pixel;
            continue;
        }
        std::uint16_t &child = next[std::size_t(current) * 256 + pixel];
        if (child != 0) {
            current = child;
            continue;
        }
        stream.write(current, codeSize);
        child = std::uint16_t(++lastCode);
        if (lastCode >= (1 << codeSize) && codeSize < kMaxCodeSize)
            ++codeSize;
        if (lastCode == kMaxCode) {
            // Dictionary full: start afresh rather than keep coding with a stale table.
            stream.write(clearCode, codeSize);
            std::fill(next.begin(), next.end(), std::uint16_t(0));
            codeSize = minCodeSize + 1;
            lastCode = endCode;
        }
        current = pixel;
    }
    if (current >= 0) {
        stream.write(current, codeSize);
        // A reader adds one more entry after this code; follow it to the width it
        // will expect for the end code.
        if (lastCode + 1 >= (1 << codeSize) && codeSize < kMaxCodeSize)
            ++codeSize;
    }
    stream.write(endCode, codeSize);
    stream.finish();
}

} // namespace

QByteArray encodeGif(const QImage &image, std::optional<QRgb> keyColour)
{
    if (image.isNull())
        return {};
    const IndexedPixels indexed = toIndexed(image, keyColour);
    const QList<QRgb> &palette = indexed.palette;
    // An indexed image may use indices beyond its colour table; the palette and
    // the code size must still cover them, or the codes would collide with the
    // clear and end codes.
    int colours = int(palette.size());
    for (const uchar pixel : indexed.pixels)
        colours = std::max(colours, pixel + 1);
    const int bits = paletteBits(colours);
    const int minCodeSize = bits < 2 ? 2 : bits;

    QByteArray out("GIF89a");
    appendLittle16(out, image.width());
    appendLittle16(out, image.height());
    // Global palette present, 8-bit colour resolution, palette size 2^bits.
    out.append(char(0x80 | 0x70 | (bits - 1)));
    out.append('\0'); // background colour index
    out.append('\0'); // pixel aspect ratio: not given
    for (int i = 0; i < (1 << bits); ++i) {
        const QRgb colour = i < palette.size() ? palette.at(i) : qRgb(0, 0, 0);
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }

    out.append(char(0x2C)); // image descriptor
    appendLittle16(out, 0);
    appendLittle16(out, 0);
    appendLittle16(out, image.width());
    appendLittle16(out, image.height());
    out.append('\0'); // no local palette, not interlaced

    out.append(char(minCodeSize));
    writeLzw(out, indexed.pixels, minCodeSize);
    out.append(char(0x3B)); // trailer
    return out;
}
