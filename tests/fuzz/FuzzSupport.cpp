#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

void propertyFailed(const char *expression, const QString &detail)
{
    std::fprintf(stderr, "\nProperty failed: %s\n%s\n", expression, detail.toUtf8().constData());
    std::abort();
}

namespace FuzzInput {

QByteArray bytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

QList<QByteArray> fields(const QByteArray &input)
{
    return input.isEmpty() ? QList<QByteArray>() : input.split(kFieldSeparator);
}

QByteArrayView FieldReader::next()
{
    if (m_done) {
        return {};
    }
    const qsizetype end = m_rest.indexOf(kFieldSeparator);
    if (end < 0) {
        m_done = true;
        return m_rest;
    }
    const QByteArrayView field = m_rest.first(end);
    m_rest = m_rest.sliced(end + 1);
    return field;
}

QStringList texts(const QByteArray &input)
{
    QStringList out;
    for (const QByteArray &field : fields(input)) {
        out.append(QString::fromUtf8(field));
    }
    return out;
}

QByteArray join(const QList<QByteArray> &fields)
{
    return fields.join(kFieldSeparator);
}

} // namespace FuzzInput

const QString &scratchFolder()
{
    // In memory where the system offers it: every input writes a file or more.
    static const QString parent = [] {
        const QFileInfo memory(u"/dev/shm"_s);
        return memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
    }();
    static const QTemporaryDir folder(parent + u"/velmora-fuzz-XXXXXX"_s);
    static const QString path = folder.isValid() ? folder.path() : QString();
    if (path.isEmpty()) {
        propertyFailed("scratch folder", u"cannot create a temporary folder"_s);
    }
    return path;
}

void writeScratchFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        propertyFailed("write scratch file", path + u": "_s + file.errorString());
    }
}

QByteArray readScratchFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        propertyFailed("read scratch file", path + u": "_s + file.errorString());
    }
    return file.readAll();
}
