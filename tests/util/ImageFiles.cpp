#include "ImageFiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace ImageFiles {

namespace {

// The distribution's ImageMagick first, so a wrapper earlier in PATH is not used.
QString magickTool(const QString &name)
{
    const QString system = u"/usr/bin/"_s + name;
    if (QFileInfo(system).isExecutable()) {
        return system;
    }
    return QStandardPaths::findExecutable(name);
}

QByteArray le32(qint32 value)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i) {
        b[i] = char((quint32(value) >> (8 * i)) & 0xFF);
    }
    return b;
}

int app0Length(const QByteArray &jfif)
{
    return (quint8(jfif.at(4)) << 8) | quint8(jfif.at(5));
}

// Everything after SOI and the APP0 segment.
QByteArray afterApp0(const QByteArray &jfif)
{
    Q_ASSERT(quint8(jfif.at(3)) == 0xE0);
    return jfif.mid(4 + app0Length(jfif));
}

} // namespace

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool convert(const QStringList &args, QString *error)
{
    const QString program = magickTool(u"convert"_s);
    if (program.isEmpty()) {
        *error = u"ImageMagick convert not found; run scripts/setup.sh"_s;
        return false;
    }
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = u"convert failed: "_s + QString::fromLocal8Bit(p.readAllStandardError());
        return false;
    }
    return true;
}

QString identifySize(const QString &path)
{
    const QString program = magickTool(u"identify"_s);
    if (program.isEmpty()) {
        return {};
    }
    QProcess p;
    // [0]: the first frame only, so a GIF gives one answer.
    p.start(program, {u"-format"_s, u"%w %h"_s, path + u"[0]"_s});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        return {};
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

QByteArray qimageFile(int width, int height, const char *format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(200, 40, 90));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray jfifJpeg(int width, int height)
{
    return qimageFile(width, height, "JPEG");
}

QByteArray exifJpeg(const QByteArray &jfif)
{
    // "Exif\0\0", then a little-endian TIFF header pointing to an empty IFD.
    QByteArray payload("Exif\0\0", 6);
    payload += QByteArray("II*\0", 4) + le32(8) + QByteArray(2, '\0') + le32(0);
    QByteArray app1 = QByteArray("\xFF\xE1") + be16(int(payload.size()) + 2) + payload;
    return QByteArray("\xFF\xD8") + app1 + afterApp0(jfif);
}

QByteArray plainJpeg(const QByteArray &jfif)
{
    return QByteArray("\xFF\xD8") + afterApp0(jfif);
}

QByteArray jpegWithLargeApp(const QByteArray &jfif, int count)
{
    QByteArray out("\xFF\xD8");
    out += jfif.mid(2, 2 + app0Length(jfif));
    for (int i = 0; i < count; ++i) {
        out += segment(0xE2, 65533);
    }
    return out + afterApp0(jfif);
}

QByteArray topDownBmp(int width, int height)
{
    QByteArray bmp = qimageFile(width, height, "BMP");
    bmp.replace(22, 4, le32(-height));
    return bmp;
}

QByteArray be16(int value)
{
    QByteArray b(2, '\0');
    b[0] = char((value >> 8) & 0xFF);
    b[1] = char(value & 0xFF);
    return b;
}

QByteArray frameHeader(quint8 marker, int width, int height)
{
    QByteArray f;
    f += char(0xFF);
    f += char(marker);
    f += be16(17);
    f += char(8);
    f += be16(height);
    f += be16(width);
    f += char(3);
    f += QByteArray("\x01\x22\x00\x02\x11\x01\x03\x11\x01", 9);
    return f;
}

QByteArray segment(quint8 marker, int payload)
{
    QByteArray s;
    s += char(0xFF);
    s += char(marker);
    s += be16(payload + 2);
    s += QByteArray(payload, '\0');
    return s;
}

} // namespace ImageFiles
