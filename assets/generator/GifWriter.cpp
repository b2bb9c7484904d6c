#include "GifWriter.h"

#include <QImage>
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

void writeLzw(QByteArray &out, const QImage &indexed, int minCodeSize)
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
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar *line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            const int pixel = line[x];
            if (current < 0) {
                current = pixel;
                continue;
            }
            std::uint16_t &child = next[std::size_t(current) * 256 + std::size_t(pixel)];
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

QByteArray encodeGif(const QImage &image)
{
    if (image.isNull())
        return {};
    QImage indexed =
        image.format() == QImage::Format_Indexed8
            ? image
            : image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    const QList<QRgb> palette = indexed.colorTable();
    const int bits = paletteBits(int(palette.size()));
    const int minCodeSize = bits < 2 ? 2 : bits;

    QByteArray out("GIF89a");
    appendLittle16(out, indexed.width());
    appendLittle16(out, indexed.height());
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
    appendLittle16(out, indexed.width());
    appendLittle16(out, indexed.height());
    out.append('\0'); // no local palette, not interlaced

    out.append(char(minCodeSize));
    writeLzw(out, indexed, minCodeSize);
    out.append(char(0x3B)); // trailer
    return out;
}
