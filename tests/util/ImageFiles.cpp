#include "ImageFiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

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

QByteArray afterApp0(const QByteArray &jfif)
{
    Q_ASSERT(quint8(jfif.at(3)) == 0xE0);
    return jfif.mid(4 + ((quint8(jfif.at(4)) << 8) | quint8(jfif.at(5))));
}

QByteArray plainJpeg(const QByteArray &jfif)
{
    return QByteArray("\xFF\xD8") + afterApp0(jfif);
}

QByteArray plainBmp(int width, int height)
{
    const qsizetype row = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    const qsizetype pixels = row * height;
    QByteArray bmp(54 + pixels, '\x40');
    bmp.replace(0, 54, QByteArray(54, '\0'));
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(quint32(bmp.size()), bmp.data() + 2);
    qToLittleEndian<quint32>(54, bmp.data() + 10);
    qToLittleEndian<quint32>(40, bmp.data() + 14);
    qToLittleEndian<qint32>(width, bmp.data() + 18);
    qToLittleEndian<qint32>(height, bmp.data() + 22);
    qToLittleEndian<quint16>(1, bmp.data() + 26);
    qToLittleEndian<quint16>(24, bmp.data() + 28);
    qToLittleEndian<quint32>(quint32(pixels), bmp.data() + 34);
    return bmp;
}

} // namespace ImageFiles
