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

// Info-ZIP's own check of every entry; false, with its output printed, when
// it refuses the archive.
inline bool unzipAccepts(const QString &path)
{
    QProcess unzip;
    unzip.setProcessChannelMode(QProcess::MergedChannels);
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-t"), path});
    const bool finished = unzip.waitForFinished(60000);
    const bool accepted =
        finished && unzip.exitStatus() == QProcess::NormalExit && unzip.exitCode() == 0;
    if (!accepted) {
        qWarning("unzip -t %s: %s", qPrintable(path), unzip.readAll().constData());
    }
    return accepted;
}

// Entry name -> bytes, or nullopt when the archive cannot be opened or
// Info-ZIP refuses it. Names are read strictly: without the archive's UTF-8
// flag a Japanese name would come back as CP437 and fail the comparison.
inline std::optional<QMap<QString, QByteArray>> read(const QString &path)
{
    if (!unzipAccepts(path)) {
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
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, index, ZIP_FL_ENC_STRICT, &stat) != 0) {
            zip_close(archive);
            return std::nullopt;
        }
        QByteArray bytes(static_cast<qsizetype>(stat.size), '\0');
        zip_file_t *file = zip_fopen_index(archive, index, 0);
        const zip_int64_t got = file ? zip_fread(file, bytes.data(), stat.size) : -1;
        if (file) {
            zip_fclose(file);
        }
        if (got != static_cast<zip_int64_t>(stat.size) || stat.comp_method != ZIP_CM_DEFLATE) {
            zip_close(archive);
            return std::nullopt;
        }
        entries.insert(QString::fromUtf8(stat.name), bytes);
    }
    zip_close(archive);
    return entries;
}

} // namespace ArchiveContents
