#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QtEndian>
#include <zip.h>

// Archives the tests write themselves with libzip, independently of the
// program's packer: any name, any kind of entry, stored or deflated.
namespace TestArchive {

struct Entry {
    QByteArray name;
    QByteArray data;
    quint32 unixMode = 0100644; // the entry's kind and permissions
    bool stored = false;
};

inline bool write(const QString &path, const QList<Entry> &entries)
{
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip) {
        return false;
    }
    for (const Entry &entry : entries) {
        zip_source_t *source =
            zip_source_buffer(zip, entry.data.constData(), quint64(entry.data.size()), 0);
        const zip_int64_t index = zip_file_add(zip, entry.name.constData(), source, ZIP_FL_ENC_RAW);
        if (index < 0 ||
            zip_file_set_external_attributes(zip, quint64(index), 0, ZIP_OPSYS_UNIX,
                                             entry.unixMode << 16) != 0 ||
            zip_set_file_compression(zip, quint64(index),
                                     entry.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) != 0) {
            zip_source_free(source);
            zip_discard(zip);
            return false;
        }
    }
    if (zip_close(zip) != 0) {
        zip_discard(zip);
        return false;
    }
    return true;
}

// Rewrites the unpacked size an archive's headers (local and central)
// declare for every entry called name: an archive that lies about its sizes.
inline QByteArray withDeclaredSize(QByteArray archive, const QByteArray &name, quint32 size)
{
    const struct {
        QByteArray signature;
        qsizetype sizeAt, nameLengthAt, nameAt;
    } headers[] = {{QByteArray("PK\x03\x04", 4), 22, 26, 30},
                   {QByteArray("PK\x01\x02", 4), 24, 28, 46}};
    for (const auto &header : headers) {
        for (qsizetype at = archive.indexOf(header.signature); at >= 0;
             at = archive.indexOf(header.signature, at + 4)) {
            const quint16 length =
                qFromLittleEndian<quint16>(archive.constData() + at + header.nameLengthAt);
            if (archive.mid(at + header.nameAt, length) == name) {
                qToLittleEndian<quint32>(size, archive.data() + at + header.sizeAt);
            }
        }
    }
    return archive;
}

// Renames every entry called from to to, of the same length, in place:
// archivers refuse to write two entries of one name, hostile ones do not.
inline QByteArray withNameReplaced(QByteArray archive, const QByteArray &from, const QByteArray &to)
{
    return archive.replace(from, to);
}

} // namespace TestArchive
