#pragma once

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QString>
#include <optional>
#include <zip.h>

// Reads an archive back for the tests, independently of the code that wrote it.
namespace ArchiveContents {

// Entry name -> bytes, or nullopt when Info-ZIP's check of every entry
// (unzip -t, its output printed) refuses the archive, an entry is neither
// deflated nor stored, or libzip cannot read it. Names are read strictly:
// without the archive's UTF-8 flag a Japanese name would come back as CP437.
// methods, when given, receives each entry's compression method.
inline std::optional<QMap<QString, QByteArray>> read(const QString &path,
                                                     QMap<QString, int> *methods = nullptr)
{
    QProcess unzip;
    unzip.setProcessChannelMode(QProcess::MergedChannels);
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-t"), path});
    if (!unzip.waitForFinished(60000) || unzip.exitStatus() != QProcess::NormalExit ||
        unzip.exitCode() != 0) {
        qWarning("unzip -t %s: %s", qPrintable(path), unzip.readAll().constData());
        return std::nullopt;
    }
    int error = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive) {
        return std::nullopt;
    }
    QMap<QString, QByteArray> entries;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_uint64_t i = 0; i < zip_uint64_t(count); ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        zip_file_t *file = zip_stat_index(archive, i, ZIP_FL_ENC_STRICT, &stat) == 0
                               ? zip_fopen_index(archive, i, 0)
                               : nullptr;
        QByteArray bytes(file ? qsizetype(stat.size) : 0, '\0');
        const zip_int64_t got = file ? zip_fread(file, bytes.data(), stat.size) : -1;
        if (file) {
            zip_fclose(file);
        }
        if (got != zip_int64_t(stat.size) ||
            (stat.comp_method != ZIP_CM_DEFLATE && stat.comp_method != ZIP_CM_STORE)) {
            zip_close(archive);
            return std::nullopt;
        }
        entries.insert(QString::fromUtf8(stat.name), bytes);
        if (methods) {
            methods->insert(QString::fromUtf8(stat.name), stat.comp_method);
        }
    }
    zip_close(archive);
    return entries;
}

} // namespace ArchiveContents
